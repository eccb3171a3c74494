#include "clock.h"
#include "qtprinters.h"
#include "timerengine.h"
#include "timetext.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using Direction = TimerEngine::Direction;
using Mode = TimerEngine::Mode;

namespace {

const QDateTime kNoon(QDate(2026, 12, 25), QTime(12, 0, 0));

// A wall time in New York given as the UTC time it is.
QDateTime newYork(int month, int day, int utcHour, int minute, int second = 0)
{
    return QDateTime(QDate(2026, month, day), QTime(utcHour, minute, second), QTimeZone::utc())
        .toTimeZone(QTimeZone("America/New_York"));
}

TimerEngine started(Direction direction, Mode mode, qint64 duration, const QDateTime& at)
{
    TimerEngine engine(direction);
    engine.setMode(mode);
    engine.setDuration(duration);
    engine.start(at);
    return engine;
}

} // namespace

TEST(TimerEngine, StopAndStartResumeAsTheModeSaysAndClearStartsAfresh)
{
    struct Case {
        Direction direction;
        Mode mode;
        qint64 runFor; // then Stop
        qint64 stoppedFor;
        bool clear;
        qint64 countAfterStart;
    };
    const Case cases[] = {
        // Vexlo's minute, stopped after 20 s for 30 s; FullScreenVexlo's after 10 s for 30 s.
        {Direction::Down, Mode::Normal, 20, 30, false, 40},
        {Direction::Down, Mode::StopWatch, 20, 30, false, 10},
        {Direction::Down, Mode::Normal, 10, 30, false, 50},
        {Direction::Down, Mode::StopWatch, 10, 30, false, 20},
        {Direction::Down, Mode::Normal, 10, 30, true, 60},
        {Direction::Down, Mode::StopWatch, 10, 30, true, 60},
        // Pellum's count, stopped after 10 s for 20 s.
        {Direction::Up, Mode::Normal, 10, 20, false, 10},
        {Direction::Up, Mode::StopWatch, 10, 20, false, 30},
        {Direction::Up, Mode::Normal, 10, 20, true, 0},
        {Direction::Up, Mode::StopWatch, 10, 20, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.direction) << int(c.mode) << c.runFor << c.clear);
        TimerEngine engine = started(c.direction, c.mode, 60, kNoon);
        EXPECT_TRUE(engine.running());
        const QDateTime stopped = kNoon.addSecs(c.runFor);
        // Every tick counts from the clock: a late one catches up at once, two at one moment agree.
        const qint64 count = engine.tick(stopped).count;
        EXPECT_EQ(count, c.direction == Direction::Down ? 60 - c.runFor : c.runFor);
        EXPECT_EQ(engine.tick(stopped.toUTC()).count, count) << "the same moment in UTC";
        engine.stop();
        EXPECT_FALSE(engine.running());
        EXPECT_EQ(engine.lastCount(), count);
        if (c.clear)
            engine.clear();
        EXPECT_EQ(engine.lastCount().has_value(), !c.clear);
        const QDateTime resumed = stopped.addSecs(c.stoppedFor);
        engine.start(resumed);
        EXPECT_TRUE(engine.running());
        EXPECT_EQ(engine.tick(resumed).count, c.countAfterStart);
    }
}

TEST(TimerEngine, OnlyACountLeftAboveZeroResumesACountdown)
{
    struct Case {
        Direction direction;
        std::optional<qint64> count; // what the count reads when Start comes
        qint64 resumedAt;
    };
    const Case cases[] = {
        {Direction::Down, 1, 1},
        {Direction::Down, 86459, 86459},
        {Direction::Down, 0, 100},
        {Direction::Down, -3, 100},
        {Direction::Down, std::nullopt, 100},
        // A count-up resumes from any count, zero too; without one it begins at zero.
        {Direction::Up, 0, 0},
        {Direction::Up, 42, 42},
        {Direction::Up, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        TimerEngine engine = started(c.direction, Mode::Normal, 100, kNoon);
        engine.clear(c.count);
        engine.start(kNoon.addSecs(500));
        EXPECT_EQ(engine.tick(kNoon.addSecs(500)).count, c.resumedAt) << c.count.value_or(-999);
    }
}

TEST(TimerEngine, ACountdownIsUpOnceAtZeroOrAtALateTickAndTheNextStartIsFresh)
{
    for (const Mode mode : {Mode::Normal, Mode::StopWatch}) {
        for (const int late : {0, 1, 7, 100000}) {
            SCOPED_TRACE(testing::Message() << int(mode) << " late " << late);
            TimerEngine engine = started(Direction::Down, mode, 3, kNoon);
            EXPECT_FALSE(engine.tick(kNoon.addSecs(2)).timeUp);
            const TimerEngine::Tick up = engine.tick(kNoon.addSecs(3 + late));
            EXPECT_TRUE(up.timeUp);
            EXPECT_EQ(up.count, -late);
            EXPECT_FALSE(engine.running());
            EXPECT_FALSE(engine.tick(kNoon.addSecs(4 + late)).timeUp);

            const QDateTime next = kNoon.addSecs(200000);
            engine.setDuration(10);
            engine.start(next);
            EXPECT_EQ(engine.tick(next).count, 10);
            EXPECT_TRUE(engine.running());
        }
    }
    // A tick that comes while stopped tells it too, but once only; after Clear, never.
    for (const bool clear : {false, true}) {
        TimerEngine engine = started(Direction::Down, Mode::Normal, 3, kNoon);
        engine.stop();
        if (clear)
            engine.clear();
        EXPECT_EQ(engine.tick(kNoon.addSecs(5)).timeUp, !clear) << clear;
        EXPECT_FALSE(engine.tick(kNoon.addSecs(6)).timeUp) << clear;
    }
}

TEST(TimerEngine, CountsRealSecondsAcrossMidnightAndClockChangesAndNeverBelowZeroUp)
{
    struct Case {
        const char* why;
        Direction direction;
        QDateTime start;
        qint64 duration;
        QDateTime now;
        qint64 count;
        QString moment; // the target (down) or the start (up)
    };
    const QDateTime newYearsEve(QDate(2026, 12, 31), QTime(23, 59, 30));
    const QDateTime newYear(QDate(2027, 1, 1), QTime(0, 0, 5));
    const Case cases[] = {
        // The night 1:20 AM comes twice: first in daylight time, an hour later in standard time.
        {"autumn, first 1:20", Direction::Down, newYork(11, 1, 4, 50), 30 * 60,
         newYork(11, 1, 5, 10), 600, "11/01/2026 01:20:00 AM"},
        {"autumn, second 1:20", Direction::Down, newYork(11, 1, 5, 20), 60 * 60,
         newYork(11, 1, 6, 0), 1200, "11/01/2026 01:20:00 AM"},
        {"autumn, 1:30 for an hour", Direction::Down, newYork(11, 1, 5, 30), 60 * 60,
         newYork(11, 1, 6, 0), 1800, "11/01/2026 01:30:00 AM"},
        {"spring", Direction::Down, newYork(3, 8, 6, 50), 20 * 60, newYork(3, 8, 7, 0), 600,
         "03/08/2026 03:10:00 AM"},
        {"midnight", Direction::Down, newYearsEve, 60, newYear, 25, "01/01/2027 12:00:30 AM"},
        // 12:59:50 AM daylight time to 1:00:00 AM standard time, an hour and ten seconds on.
        {"autumn", Direction::Up, newYork(11, 1, 4, 59, 50), 0, newYork(11, 1, 6, 0, 0), 3610,
         "11/01/2026 12:59:50 AM"},
        // 1:59:50 AM to 3:00:00 AM: the hour between never happens.
        {"spring", Direction::Up, newYork(3, 8, 6, 59, 50), 0, newYork(3, 8, 7, 0, 0), 10,
         "03/08/2026 01:59:50 AM"},
        {"midnight", Direction::Up, newYearsEve, 0, newYear, 35, "12/31/2026 11:59:30 PM"},
        {"clock set back", Direction::Up, newYork(6, 1, 12, 0, 0), 0, newYork(6, 1, 11, 0, 0), 0,
         "06/01/2026 08:00:00 AM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.why << int(c.direction));
        TimerEngine engine = started(c.direction, Mode::Normal, c.duration, c.start);
        EXPECT_EQ(timetext::dateTimeText(engine.moment()), c.moment);
        EXPECT_EQ(engine.tick(c.now).count, c.count);
        EXPECT_EQ(engine.tick(c.now.toUTC()).count, c.count);
        // A countdown is up when its time has run, not an hour before or after.
        EXPECT_FALSE(engine.tick(c.start.addSecs(c.duration - 1)).timeUp);
        EXPECT_EQ(engine.tick(c.start.addSecs(c.duration)).timeUp, c.direction == Direction::Down);
    }
}

TEST(SystemClock, TheNextSecondComesJustAfterTheSecondTurns)
{
    const SystemClock clock;
    for (int i = 0; i < 3; ++i) {
        const QTime before = QTime::currentTime();
        const int wait = clock.msecsToNextSecond();
        const QTime after = QTime::currentTime();
        if (after.msec() < before.msec())
            continue; // the second turned while it was asked
        // Measured on the same clock: the wait ends a moment after the next second begins.
        EXPECT_GT(before.msec() + wait, 1000);
        EXPECT_LE(after.msec() + wait, 1000 + 5 + before.msecsTo(after));
    }
    // It tells the local time of the second that has begun.
    const QDateTime now = clock.now();
    const qint64 since = now.msecsTo(QDateTime::currentDateTime());
    EXPECT_EQ(now.timeSpec(), Qt::LocalTime);
    EXPECT_EQ(now.time().msec(), 0);
    EXPECT_TRUE(since >= 0 && since < 1000) << since;
    // Its UTC reading is the same moment, unless the second turned in between.
    const QDateTime utc = clock.utcNow();
    EXPECT_EQ(utc.timeSpec(), Qt::UTC);
    EXPECT_TRUE(utc == now || utc == now.addSecs(1)) << utc.toString(Qt::ISODate).toStdString();
}
