#include "almanor.h"

#include "accessibility.h"
#include "clock.h"
#include "notifier.h"
#include "programstart.h"
#include "settingsstore.h"
#include "soundplayer.h"
#include "timetext.h"
#include "timeupnotice.h"
#include "trackerkeys.h"
#include "trackertexts.h"
#include "twips.h"
#include "widgets.h"

#include <QAction>
#include <QCalendarWidget>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <limits>

using trackerkeys::SlotField;
using trackerkeys::slotKey;

const QColor Almanor::kDueColour = QColor(0, 0, 255);

namespace {

constexpr int kOuterWidth = 9000;
constexpr int kOuterHeight = 5550;

constexpr int kRowPitch = 300;
constexpr int kRowHeight = 270;

QString slotName(const char* role, int n)
{
    return QString::fromLatin1(role).arg(n);
}

// A cell of an event's row. A screen reader reads what it shows, and `description` to say which
// event and which column it is; an empty cell reads as its description.
QLabel* rowLabel(QWidget* parent, const QString& name, const QString& description, int left,
                 int top, int width)
{
    auto* label = named(new QLabel(parent), name);
    label->setGeometry(twipsRect(left, top, width, kRowHeight));
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Base);
    label->setForegroundRole(QPalette::Text);
    label->setAccessibleDescription(description);
    accessibility::followCaption(label);
    return label;
}

} // namespace

Almanor::Almanor(const Platform& platform, QWidget* parent)
    : QMainWindow(parent), platform_(platform)
{
    setObjectName(QStringLiteral("Almanor"));
    setWindowTitle(tr("Date Vexlo 8.0"));
    // The window's frame is made ready while its fifteen rows are built.
    resize(clientSizeForOuter(kOuterWidth, kOuterHeight));
    const std::jthread frameWarmed = warmFrame(*this);

    auto* central = new QWidget(this);
    setCentralWidget(central);
    buildMenus();
    buildListPanel(central);
    accessibility::nameControls(this);
    // The panels that take the list's place are built once the list is on the screen.
    afterFirstDrawing(this, [this] { buildPanels(); });

    Timer1 = named(new QTimer(this), QStringLiteral("Timer1"));
    Timer2 = named(new QTimer(this), QStringLiteral("Timer2"));
    Timer1->setTimerType(Qt::PreciseTimer);
    // The day difference shows in the editor only, and is refreshed while the editor is open.
    Timer3 = named(new QTimer(this), QStringLiteral("Timer3"));
    connect(Timer1, &QTimer::timeout, this, &Almanor::Timer1Tick);
    connect(Timer2, &QTimer::timeout, this, &Almanor::Timer2Tick);
    connect(Timer3, &QTimer::timeout, this, &Almanor::Timer3Tick);

    startUp();
}

void Almanor::buildMenus()
{
    using A = Almanor;
    static constexpr MenuRow<A> kFile[] = {{"menuexit", QT_TR_NOOP("E&xit"), &A::menuexitClick}};
    // clang-format off
    static constexpr MenuRow<A> kView[] = {
        {"menuViewNormal", QT_TR_NOOP("&Normal View"), &A::menuViewNormalClick, &A::menuViewNormal},
        {"menuViewGrid", QT_TR_NOOP("Grid View"), &A::menuViewGridClick, &A::menuViewGrid},
        {"sep2", nullptr},
        {"menuViewOptions", QT_TR_NOOP("&Options"), &A::menuViewOptionsClick, &A::menuViewOptions},
    };
    // clang-format on
    // clang-format off
    static constexpr MenuRow<A> kHelp[] = {
        {"menuhelpusing", QT_TR_NOOP("&Help Using Date Vexlo"), &A::menuhelpusingClick},
        {"sep3", nullptr},
        {"menuhelpabout", QT_TR_NOOP("&About Date Vexlo"), &A::menuhelpaboutClick},
    };
    // clang-format on
    auto* menufile = named(menuBar()->addMenu(tr("&File")), QStringLiteral("menufile"));
    menuItems<A>(*menufile, this, kFile);
    menuView = named(menuBar()->addMenu(tr("&View")), QStringLiteral("menuView"));
    menuItems<A>(*menuView, this, kView);
    menuViewNormal->setCheckable(true);
    menuViewGrid->setCheckable(true);
    auto* menuhelp = named(menuBar()->addMenu(tr("&Help")), QStringLiteral("menuhelp"));
    menuItems<A>(*menuhelp, this, kHelp);
    // Help Using Date Vexlo answers F1 too.
    menuhelp->actions().constFirst()->setShortcut(QKeySequence::HelpContents);
    // F1 in an open menu is help on its highlighted item (see eventFilter).
    for (QMenu* menu : {menufile, menuView, menuhelp})
        menu->installEventFilter(this);
}

void Almanor::buildListPanel(QWidget* central)
{
    Frame1 = named(new QGroupBox(tr("Date Vexlo"), central), QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(100, 50, 8700, 4700));
    // The rows start 100 twips down, where the panel's caption is drawn on this desktop; they
    // move down just enough to leave the caption readable and still end inside the panel.
    const int captionOverlap = std::max(0, Frame1->fontMetrics().height() * kTwipsPerPixel - 100);

    for (int n = 1; n <= AlmanorState::kSlots; ++n) {
        Row& row = rows_[n - 1];
        const int top = 100 + captionOverlap + kRowPitch * (n - 1);

        row.edit = panelButton(
            Frame1, slotName("Message%1Edit", n), QString::number(n) + QStringLiteral(" >"),
            tr("Click her to edit Message %1").arg(n), twipsRect(30, top, 470, kRowHeight));
        connect(row.edit, &QPushButton::clicked, this, [this, n] { MessageEditClick(n); });

        row.message =
            rowLabel(Frame1, slotName("Message%1", n), tr("Message %1").arg(n), 520, top, 3800);
        row.notes = panelButton(Frame1, slotName("Message%1Notes", n), tr("< N"),
                                tr("Click here to enter notes for Message %1").arg(n),
                                twipsRect(4345, top, 460, kRowHeight));
        connect(row.notes, &QPushButton::clicked, this, [this, n] { MessageNotesClick(n); });

        // The ninth date label has always been spelt this way; tests and tools find it so.
        const QString dateName = n == 9 ? QStringLiteral("Labeldate9") : slotName("LabelDate%1", n);
        row.date = rowLabel(Frame1, dateName, tr("Date of message %1").arg(n), 4830, top, 900);
        row.remaining = rowLabel(Frame1, slotName("LabelRemaining%1", n),
                                 tr("Time remaining for message %1").arg(n), 5800, top, 2900);
        // Redrawn every second: plain Latin text needs none of the shaping that costs most of
        // drawing it.
        QFont counting = row.remaining->font();
        counting.setStyleStrategy(QFont::PreferNoShaping);
        row.remaining->setFont(counting);
    }

    List1 = named(new QListWidget(central), QStringLiteral("List1"));
    List1->setGeometry(twipsRect(100, 230, 8700, 4350));
    List1->setAccessibleName(tr("Events by date"));
    List1->hide();
}

void Almanor::startUp()
{
    SettingsStore& store = platform_.store;

    // A kept moment ahead of the clock was kept by a clock set wrong, or is no moment at all.
    const qint64 nowMsecs = platform_.clock.now().toMSecsSinceEpoch();
    const auto kept = trackerkeys::readMoment(store.get(trackerkeys::kAlarmsGivenUntil));
    alarmsGivenUntil_ = kept ? std::min(kept->toMSecsSinceEpoch(), nowMsecs) : nowMsecs;
    SettingsStore::Values keepMoment;
    if (!kept)
        keepMoment.append({trackerkeys::kAlarmsGivenUntil,
                           trackerkeys::momentText(QDateTime::fromMSecsSinceEpoch(nowMsecs))});

    // What a first start finds empty gets its first value, all stored in one write.
    const FirstRun setting = writeFirstRunDefaults(
        store, trackerkeys::firstRunKeys(platform_.programFolder, timetext::shortDateText(today())),
        keepMoment);
    if (!setting.refused.isEmpty())
        showSaveFailure(setting.refused);

    state_.LabelPath = setting.value(trackerkeys::kPath);
    showGridView(optionNumber(setting.value(trackerkeys::kView)) == 2);

    // Kept for the options panel and the calendar, which are built later.
    startOptions_ = {optionNumber(setting.value(trackerkeys::kCalendarOption)) == 1,
                     optionNumber(setting.value(trackerkeys::kDateTimeOption)) == 1};
    const QString savedDate = setting.value(trackerkeys::kSavedDate);
    state_.LabelCalendarDate =
        timetext::shortDateText(timetext::parseDate(savedDate).value_or(today()));

    loadSlots();

    Timer1->start(1);
}

void Almanor::loadSlots()
{
    const auto stored = trackerkeys::readSlots(platform_.store);
    for (int n = 1; n <= AlmanorState::kSlots; ++n) {
        takeSlot(n, stored[size_t(n - 1)]);
        showSlot(n);
    }
}

void Almanor::takeSlot(int n, const trackerkeys::StoredSlot& stored)
{
    TrackerSlot& s = slot(n);
    s.Message = stored.message;
    s.Wave = stored.sound;
    s.LabelDate = stored.date;
    s.LabelTime = stored.time;
    s.LabelNewDate = s.LabelDate + u' ' + s.LabelTime;
    seen_[n - 1] = stored;
}

// What a save or delete does to the slot's fields, in this window or in another.
void Almanor::replaceSlot(int n, const trackerkeys::StoredSlot& stored)
{
    takeSlot(n, stored);
    TrackerSlot& s = slot(n);
    if (s.LabelDate.isEmpty())
        s.LabelRemaining.clear();
    s.LabelDateColour = Qt::black;
    showSlot(n);
}

// Takes over what another window saved in the slot; true when there was something.
bool Almanor::followStore(int n, const trackerkeys::StoredSlot& stored)
{
    if (stored != seen_[n - 1]) {
        replaceSlot(n, stored);
        return true;
    }
    // The same texts, perhaps in the copies of a fresh reading of the file: keeping those
    // makes the next comparison one of shared texts, which costs nothing even for long ones.
    seen_[n - 1] = stored;
    return false;
}

void Almanor::showSlot(int n)
{
    const TrackerSlot& s = slot(n);
    Row& row = rows_[n - 1];
    row.message->setText(shownText(s.Message));
    row.date->setText(shownText(s.LabelDate));
    for (QLabel* cell : {row.message, row.date})
        accessibility::captionChanged(cell);
    showRemaining(n);
}

// The part of a row that changes as the event comes nearer.
void Almanor::showRemaining(int n)
{
    const TrackerSlot& s = slot(n);
    Row& row = rows_[n - 1];
    row.remaining->setText(s.LabelRemaining);
    accessibility::captionChanged(row.remaining);

    // The blue of a due event is for an enabled row; a disabled one greys like its neighbours.
    const QColor colour = s.LabelDateColour.isValid()
                              ? s.LabelDateColour
                              : palette().color(QPalette::Active, QPalette::Text);
    if (row.date->palette().color(QPalette::Active, QPalette::Text) != colour) {
        QPalette p = row.date->palette();
        for (const auto group : {QPalette::Active, QPalette::Inactive})
            p.setColor(group, QPalette::Text, colour);
        row.date->setPalette(p);
    }
}

void Almanor::markView(bool grid)
{
    // A click on a checkable item has already flipped its mark; the view decides.
    gridView_ = grid;
    menuViewGrid->setChecked(grid);
    menuViewNormal->setChecked(!grid);
}

void Almanor::showGridView(bool grid)
{
    markView(grid);
    Frame1->setVisible(!grid);
    List1->setVisible(grid);
    if (grid)
        Timer2->start(10);
}

QDate Almanor::today() const
{
    return platform_.clock.now().date();
}

QString Almanor::getTimeRemaining(double seconds)
{
    const RemainingTexts texts = remainingTexts(seconds);
    if (texts.daysText && texts.timeText) {
        state_.LabelGetDays = *texts.daysText;
        state_.LabelGetTime = *texts.timeText;
    }
    return texts.text;
}

std::optional<qint64> Almanor::targetMsecs(int n)
{
    Target& target = targets_[n - 1];
    const QString& text = slot(n).LabelNewDate;
    if (target.text != text) {
        target.text = text;
        const auto moment = timetext::parseDateTime(text);
        target.msecsSinceEpoch =
            moment ? std::optional<qint64>(moment->toMSecsSinceEpoch()) : std::nullopt;
    }
    return target.msecsSinceEpoch;
}

void Almanor::Timer1Tick()
{
    // One reading of the clock for all fifteen slots, so they agree with each other. Moments
    // are compared as real time since the epoch, so a change of daylight saving time neither
    // stretches a countdown nor moves an event.
    const qint64 nowMsecs = platform_.clock.utcNow().toMSecsSinceEpoch();
    // Events fall on whole seconds, so every count changes as the clock's second does: the next
    // tick comes just after it, rather than every 700 ms, and the window sleeps in between.
    if (Timer1->isActive())
        Timer1->start(platform_.clock.msecsToNextSecond());
    QList<FallenDue> fallen;
    NextAlarm next;

    // Another window may have saved or deleted an event since the last tick.
    const auto stored = trackerkeys::readSlots(platform_.store);
    for (int n = 1; n <= AlmanorState::kSlots; ++n) {
        followStore(n, stored[size_t(n - 1)]);
        TrackerSlot& s = slot(n);
        if (s.LabelDate.isEmpty())
            continue;

        // A due event stays due when the clock is put back before it; only a new target (the
        // editor's Save) counts it down again.
        const bool newTarget = targets_[n - 1].text != s.LabelNewDate;
        if (!newTarget && s.LabelRemaining == kTimeIsUp)
            continue;
        countDown(n, nowMsecs, fallen, next);
    }
    if (next.slot)
        platform_.sound.prepare(next.slot->Wave);
    tellFallenDue(fallen, nowMsecs);
}

// One pending event's part of a tick.
void Almanor::countDown(int n, qint64 nowMsecs, QList<FallenDue>& fallen, NextAlarm& next)
{
    TrackerSlot& s = slot(n);
    const auto target = targetMsecs(n);
    if (!target) {
        // A target we cannot read is shown as stored and never counted down.
        s.LabelRemaining.clear();
        showRemaining(n);
        return;
    }

    const qint64 seconds = (*target - nowMsecs) / 1000;
    if (seconds > std::numeric_limits<qint32>::max()) {
        s.LabelRemaining = kMoreThanEnough;
    } else if (seconds > 0) {
        s.LabelRemaining = getTimeRemaining(static_cast<double>(seconds));
        if (s.LabelRemaining == kOneSecondLeft)
            platform_.sound.play(s.Wave);
        if (seconds < next.seconds)
            next = {&s, seconds};
        s.LabelDaysOnly = state_.LabelGetDays;
        s.LabelTimeOnly = state_.LabelGetTime;
    } else if (s.LabelRemaining != kTimeIsUp) {
        // The sound played if the last pending tick was the one a second before.
        fallen.append({n, *target, s.LabelRemaining == kOneSecondLeft});
        s.LabelRemaining = kTimeIsUp;
        s.LabelDateColour = kDueColour;
    }
    showRemaining(n);
}

void Almanor::tellFallenDue(const QList<FallenDue>& fallen, qint64 nowMsecs)
{
    // An event saved with a moment already past falls due without news.
    QList<FallenDue> news;
    for (const FallenDue& due : fallen) {
        if (due.msecsSinceEpoch > alarmsGivenUntil_)
            news.append(due);
    }
    if (!firstTickDone_) {
        firstTickDone_ = true;
        tellMissed(news);
    } else {
        for (const FallenDue& due : news)
            timeupnotice::tell(platform_, this, slot(due.slot).Message,
                               QDateTime::fromMSecsSinceEpoch(due.msecsSinceEpoch), due.rang);
    }
    alarmsGivenUntil_ = nowMsecs;
    // Kept at once, not at the end: a program ended by a signal or killed never tells of these
    // again. A store that refuses it only makes the next start tell of them once more.
    if (!fallen.isEmpty())
        (void)platform_.store.save(
            trackerkeys::kAlarmsGivenUntil,
            trackerkeys::momentText(QDateTime::fromMSecsSinceEpoch(nowMsecs)));
}

// One notice for everything that fell due while no DateVexlo ran, without a sound: the alarms
// are past, and the user may not be at the machine.
void Almanor::tellMissed(QList<FallenDue> missed)
{
    if (missed.isEmpty())
        return;
    std::stable_sort(missed.begin(), missed.end(), [](const FallenDue& a, const FallenDue& b) {
        return a.msecsSinceEpoch < b.msecsSinceEpoch;
    });
    QStringList lines;
    for (const FallenDue& due : missed)
        lines.append(tr("%1  %2").arg(
            timetext::dateTimeText(QDateTime::fromMSecsSinceEpoch(due.msecsSinceEpoch)),
            timeupnotice::line(slot(due.slot).Message)));
    const QString summary =
        missed.size() == 1
            ? tr("An event fell due while Date Vexlo was closed")
            : tr("%1 events fell due while Date Vexlo was closed").arg(missed.size());
    platform_.notifier.tell(summary, lines.join(u'\n'), Notifier::Sound::Silent, this);
}

void Almanor::Timer2Tick()
{
    fillListBox();
    Timer2->setInterval(1000);
}

void Almanor::Timer3Tick()
{
    Timer3->setInterval(200);
    refreshDayDifference();
}

void Almanor::fillListBox()
{
    const bool daysAndTime = optionNumber(platform_.store.get(trackerkeys::kDateTimeOption)) == 1;
    QStringList lines;
    for (const TrackerSlot& s : state_.slot) {
        const auto line = gridLine({shownText(s.Message), shownText(s.LabelDate), s.LabelRemaining,
                                    s.LabelDaysOnly, s.LabelTimeOnly},
                                   daysAndTime);
        if (line)
            lines.append(*line);
    }
    sortGridLines(lines);
    showGridLines(lines);
}

void Almanor::showGridLines(const QStringList& lines)
{
    // Only the lines whose text changed are set again: refilling the list every second would
    // lay out every line anew and lose the user's selection and scroll position.
    const int count = static_cast<int>(lines.size());
    if (List1->count() > count)
        List1->model()->removeRows(count, List1->count() - count);
    for (int i = 0; i < count; ++i) {
        if (i == List1->count())
            List1->addItem(lines[i]);
        else if (List1->item(i)->text() != lines[i])
            List1->item(i)->setText(lines[i]);
    }
}

void Almanor::checkCalendarDate()
{
    buildPanels();
    if (OptionCalendarSetting1->isChecked()) {
        Calendar1->setSelectedDate(today());
    } else {
        const QString saved = platform_.store.get(trackerkeys::kSavedDate);
        Calendar1->setSelectedDate(timetext::parseDate(saved).value_or(today()));
    }
    state_.LabelCalendarDate = timetext::shortDateText(Calendar1->selectedDate());
}

void Almanor::refreshDayDifference()
{
    const qint64 days = std::abs(today().daysTo(Calendar1->selectedDate()));
    // Five times a second, nearly always to the same text.
    const QString text = dayDifferenceText(days);
    if (text == LabelDateDiff->text())
        return;
    LabelDateDiff->setText(text);
    accessibility::captionChanged(LabelDateDiff);
}

void Almanor::Calendar1Click()
{
    refreshDayDifference();
}

void Almanor::menuexitClick()
{
    close();
}
