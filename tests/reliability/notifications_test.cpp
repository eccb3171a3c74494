// Each program's time-up reaches a user who is not looking at its window: one notification
// with the message and the moment that was due, the window asking for attention, and the
// message read out to a screen reader.
#include "accessibility.h"
#include "familywindows.h"
#include "fullscreenkeys.h"
#include "qtprinters.h"
#include "tempstore.h"
#include "timerkeys.h"
#include "timetext.h"
#include "trackerkeys.h"

#include <QAccessible>

#include <functional>

namespace {

const QDateTime kStart(QDate(2026, 12, 25), QTime(12, 0, 0));

// A window whose alarm is due in ten seconds, and the tick its event loop would run.
struct Armed {
    std::unique_ptr<QWidget> window;
    std::function<void()> tick;
};

Armed dateVexlo(Family& family, SettingsStore& store, const QString& message)
{
    using trackerkeys::SlotField;
    using trackerkeys::slotKey;
    EXPECT_TRUE(store.saveAll({{slotKey(2, SlotField::Message), message},
                               {slotKey(2, SlotField::Date), QStringLiteral("12/25/2026")},
                               {slotKey(2, SlotField::Time), QStringLiteral("12:00:10 PM")},
                               {slotKey(2, SlotField::Sound), QStringLiteral("Timer1.wav")}}));
    std::unique_ptr<Almanor> w = family.almanor();
    w->Timer1Tick();
    Almanor* tracker = w.get();
    return {std::move(w), [tracker] { tracker->Timer1Tick(); }};
}

Armed vexlo(Family& family, SettingsStore& store, const QString& message)
{
    std::unique_ptr<Vexlo> w = family.vexlo();
    // After the first start's defaults; the alarm reads the message again.
    EXPECT_TRUE(store.save(timerkeys::kMessage, message));
    setTime(*w, 0, 10);
    w->StartStopTimer();
    Vexlo* timer = w.get();
    return {std::move(w), [timer] {
                if (ticking(*timer))
                    timer->Timer1Tick();
            }};
}

Armed fullScreen(Family& family, SettingsStore& store, const QString& message)
{
    EXPECT_TRUE(store.save(fullscreenkeys::kMessage, message));
    std::unique_ptr<FullScreenVexlo> w = family.fullScreen();
    setTime(*w, 0, 10);
    w->menustartClick();
    FullScreenVexlo* timer = w.get();
    return {std::move(w), [timer] {
                if (ticking(*timer))
                    timer->Timer1Tick();
            }};
}

} // namespace

TEST(TimeUpNotice, EachProgramTellsOnceAtTheMomentDueWithItsMessage)
{
    const struct {
        const char* program;
        Armed (*arm)(Family&, SettingsStore&, const QString&);
    } programs[] = {{"DateVexlo", dateVexlo}, {"Vexlo", vexlo}, {"FullScreenVexlo", fullScreen}};

    for (const auto& program : programs) {
        // Without a sound server the notification rings in the program's place.
        for (const bool heard : {true, false}) {
            SCOPED_TRACE(::testing::Message() << program.program << (heard ? "" : " unheard"));
            TempStore t;
            Family family(t.store);
            family.clock.set(kStart);
            family.sound.heard = heard;
            const Armed armed = program.arm(family, t.store, QStringLiteral("Tea is ready"));

            for (int second = 1; second <= 9; ++second) {
                family.clock.advance(1);
                armed.tick();
            }
            EXPECT_TRUE(family.notifier.told.isEmpty()) << "told before the moment";
            family.clock.advance(1);
            armed.tick();
            ASSERT_EQ(family.notifier.told.size(), 1);
            const RecordingNotifier::Told& told = family.notifier.told[0];
            EXPECT_EQ(told.summary, "Tea is ready");
            EXPECT_EQ(told.body, "12/25/2026 12:00:10 PM");
            EXPECT_EQ(told.sound, heard ? Notifier::Sound::Silent : Notifier::Sound::Alarm);
            EXPECT_EQ(told.window.data(), armed.window.get());
            ASSERT_EQ(family.notifier.attentionTo.size(), 1);
            EXPECT_EQ(family.notifier.attentionTo[0].data(), armed.window.get());

            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(
                accessibility::announcement(armed.window.get()));
            ASSERT_NE(spoken, nullptr);
            EXPECT_EQ(spoken->role(), QAccessible::Notification);
            EXPECT_EQ(spoken->text(QAccessible::Name), "Time Is Up! Tea is ready");

            for (int second = 1; second <= 3; ++second) {
                family.clock.advance(1);
                armed.tick();
            }
            EXPECT_EQ(family.notifier.told.size(), 1) << "told again by later ticks";
        }
    }
}
