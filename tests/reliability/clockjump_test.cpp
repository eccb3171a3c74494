// The system clock jumps while every program runs: a day forward (a machine woken from a long
// sleep), then an hour back (the clock put right). Every display follows the clock and agrees
// with itself, nothing shows a negative count, and what was due stays due.
#include "familywindows.h"
#include "qtprinters.h"
#include "tempstore.h"
#include "timetext.h"
#include "trackerkeys.h"

#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>

namespace {

const QDateTime kStart(QDate(2026, 12, 25), QTime(12, 0, 0));
const QString kTimeIsUp = QStringLiteral("Time Is Up!");

void storeEvent(SettingsStore& store, int n, const QString& message, const QDateTime& due)
{
    using trackerkeys::SlotField;
    using trackerkeys::slotKey;
    EXPECT_TRUE(store.saveAll({{slotKey(n, SlotField::Message), message},
                               {slotKey(n, SlotField::Date), timetext::dateText(due.date())},
                               {slotKey(n, SlotField::Time), timetext::timeText(due.time())},
                               {slotKey(n, SlotField::Sound), QStringLiteral("Timer1.wav")}}));
}

// Every text a window shows that holds a negative number: a minus sign before a digit, not
// between the parts of a date.
QStringList negativeTexts(const QWidget& window)
{
    static const QRegularExpression negative(QStringLiteral("(?<!\\d)-\\d"));
    QStringList found;
    auto check = [&](const QString& text) {
        if (text.contains(negative))
            found.append(text);
    };
    check(window.windowTitle());
    for (const QLabel* label : window.findChildren<QLabel*>())
        check(label->text());
    for (const QListWidget* list : window.findChildren<QListWidget*>())
        for (int i = 0; i < list->count(); ++i)
            check(list->item(i)->text());
    return found;
}

// Ticks every timer of the window that runs, as the event loop would.
void tickRunning(Vexlo& w)
{
    if (ticking(w))
        w.Timer1Tick();
}
void tickRunning(FullScreenVexlo& w)
{
    if (ticking(w))
        w.Timer1Tick();
}
void tickRunning(Pellum& w)
{
    if (ticking(w))
        w.Timer1Tick();
}
void tickRunning(Almanor& w)
{
    w.Timer1Tick();
    if (child<QTimer>(w, QStringLiteral("Timer2"))->isActive())
        w.Timer2Tick();
    if (child<QTimer>(w, QStringLiteral("Timer3"))->isActive())
        w.Timer3Tick();
}

bool shownDue(const Almanor& w, int n)
{
    const auto* date = child<QLabel>(w, n == 9 ? QStringLiteral("Labeldate9")
                                               : QStringLiteral("LabelDate%1").arg(n));
    return date->palette().color(QPalette::Text) == Almanor::kDueColour;
}

} // namespace

TEST(ClockJumps, EveryDisplayFollowsTheClockAndWhatWasDueStaysDue)
{
    TempStore t;
    Family family(t.store);
    family.clock.set(kStart);
    storeEvent(t.store, 1, QStringLiteral("Half a day"), kStart.addSecs(12 * 3600));
    storeEvent(t.store, 2, QStringLiteral("Two days"), kStart.addDays(2));
    storeEvent(t.store, 3, QStringLiteral("Yesterday"), kStart.addDays(-1));

    // The longest time each timer takes, and half an hour.
    const std::unique_ptr<Vexlo> vexloLong = family.vexlo();
    const std::unique_ptr<Vexlo> vexloShort = family.vexlo();
    const std::unique_ptr<FullScreenVexlo> fullLong = family.fullScreen();
    const std::unique_ptr<FullScreenVexlo> fullShort = family.fullScreen();
    const std::unique_ptr<Almanor> almanor = family.almanor();
    const std::unique_ptr<Pellum> pellum = family.pellum();
    setTime(*vexloLong, 1440, 59);
    setTime(*vexloShort, 30, 0);
    setTime(*fullLong, 1440, 59);
    setTime(*fullShort, 30, 0);
    vexloLong->StartStopTimer();
    vexloShort->StartStopTimer();
    fullLong->menustartClick();
    fullShort->menustartClick();
    pellum->ButPellumStartClick();
    item(*almanor, QStringLiteral("menuViewGrid"))->trigger();

    struct Step {
        const char* name;
        qint64 jump; // seconds
        QString longDigits;
        QString shortDigits;
        bool shortUp;    // the half-hour timers have rung
        QString halfDay; // what the event half a day ahead shows
        QString twoDays; // and the one two days ahead
        QString elapsed; // Pellum's count, whose hours wrap at 24
    };
    // The long timers were set to 86,459 s and the event lies 172,800 s ahead, at the start.
    const Step steps[] = {
        {"a second after the start", 1, "24:00:58", " 0:29:59", false,
         "0 days, 11 hrs, 59 mins, 59 secs.", "1 days, 23 hrs, 59 mins, 59 secs.", " 0:00:01"},
        {"a day forward", 86400, " 0:00:58", " 0:00:00", true, kTimeIsUp,
         "0 days, 23 hrs, 59 mins, 59 secs.", " 0:00:01"},
        {"an hour back", -3600, " 1:00:58", " 0:00:00", true, kTimeIsUp,
         "1 days, 0 hrs, 59 mins, 59 secs.", "23:00:01"},
        {"a second on", 1, " 1:00:57", " 0:00:00", true, kTimeIsUp,
         "1 days, 0 hrs, 59 mins, 58 secs.", "23:00:02"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        family.clock.advance(step.jump);
        tickRunning(*vexloLong);
        tickRunning(*vexloShort);
        tickRunning(*fullLong);
        tickRunning(*fullShort);
        tickRunning(*almanor);
        tickRunning(*pellum);

        EXPECT_EQ(digitsShown(*vexloLong), step.longDigits);
        EXPECT_EQ(digitsShown(*fullLong), step.longDigits);
        EXPECT_EQ(digitsShown(*vexloShort), step.shortDigits);
        EXPECT_EQ(digitsShown(*fullShort), step.shortDigits);
        // The texts of the running ones say what their digits show.
        EXPECT_EQ(vexloLong->state().LabelTimeRemaining1, step.longDigits.trimmed());
        EXPECT_EQ(fullLong->state().LabelTimeRemaining, step.longDigits.trimmed());
        EXPECT_TRUE(ticking(*vexloLong));
        EXPECT_TRUE(ticking(*fullLong));
        EXPECT_EQ(digitsShown(*pellum), step.elapsed);
        EXPECT_EQ(pellum->state().LabelTotalTimeRemaining1, step.elapsed.trimmed());
        EXPECT_TRUE(ticking(*pellum));

        // A timer that rang stays rung, and rang once.
        EXPECT_EQ(!child(*vexloShort, QStringLiteral("FrameVexlo2"))->isHidden(), step.shortUp);
        EXPECT_EQ(!child(*fullShort, QStringLiteral("Frame2"))->isHidden(), step.shortUp);
        EXPECT_EQ(family.sound.requests.size(), step.shortUp ? 2 : 0);

        EXPECT_EQ(child<QLabel>(*almanor, QStringLiteral("LabelRemaining1"))->text(), step.halfDay);
        EXPECT_EQ(child<QLabel>(*almanor, QStringLiteral("LabelRemaining2"))->text(), step.twoDays);
        EXPECT_EQ(child<QLabel>(*almanor, QStringLiteral("LabelRemaining3"))->text(), kTimeIsUp);
        // The date is marked due exactly when the event says so.
        for (int n = 1; n <= 3; ++n) {
            const QString remaining =
                child<QLabel>(*almanor, QStringLiteral("LabelRemaining%1").arg(n))->text();
            EXPECT_EQ(shownDue(*almanor, n), remaining == kTimeIsUp) << "slot " << n;
        }
        // The grid lists the three events, each due exactly when its row says so.
        const auto* grid = child<QListWidget>(*almanor, QStringLiteral("List1"));
        ASSERT_EQ(grid->count(), 3);
        for (int n = 1; n <= 3; ++n) {
            const QString message =
                t.store.get(trackerkeys::slotKey(n, trackerkeys::SlotField::Message));
            const auto lines = grid->findItems(message, Qt::MatchContains);
            ASSERT_EQ(lines.size(), 1) << message.toStdString();
            const QString remaining =
                child<QLabel>(*almanor, QStringLiteral("LabelRemaining%1").arg(n))->text();
            EXPECT_EQ(lines.first()->text().endsWith(kTimeIsUp), remaining == kTimeIsUp)
                << lines.first()->text().toStdString();
        }

        for (const QWidget* window : std::initializer_list<const QWidget*>{
                 vexloLong.get(), vexloShort.get(), fullLong.get(), fullShort.get(), almanor.get(),
                 pellum.get()})
            EXPECT_EQ(negativeTexts(*window), QStringList{}) << window->objectName().toStdString();
    }
}

// The hour back takes the clock before an event the day forward had made due.
TEST(ClockJumps, AnEventShownDueStaysDueWhenTheClockGoesBackBeforeIt)
{
    TempStore t;
    Family family(t.store);
    family.clock.set(kStart);
    storeEvent(t.store, 4, QStringLiteral("Train"), kStart.addSecs(23 * 3600 + 30 * 60));
    const std::unique_ptr<Almanor> almanor = family.almanor();
    const auto* remaining = child<QLabel>(*almanor, QStringLiteral("LabelRemaining4"));

    almanor->Timer1Tick();
    EXPECT_EQ(remaining->text(), "0 days, 23 hrs, 30 mins, 0 secs.");
    family.clock.advance(86400);
    almanor->Timer1Tick();
    EXPECT_EQ(remaining->text(), kTimeIsUp);
    EXPECT_TRUE(shownDue(*almanor, 4));

    family.clock.advance(-3600);
    // Half an hour of ticks takes it through the moment once more.
    for (int s = 0; s <= 30 * 60; ++s) {
        almanor->Timer1Tick();
        ASSERT_EQ(remaining->text(), kTimeIsUp) << s << " s after the hour back";
        family.clock.advance(1);
    }
    EXPECT_TRUE(shownDue(*almanor, 4));
    EXPECT_TRUE(family.sound.requests.isEmpty());
}
