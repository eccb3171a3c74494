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

const char* name(Direction direction, Mode mode)
{
    if (direction == Direction::Down)
        return mode == Mode::Normal ? "down, Normal" : "down, StopWatch";
    return mode == Mode::Normal ? "up, Normal" : "up, StopWatch";
}

} // namespace

TEST(TimerEngine, StopAndStartResumeAsTheModeSaysAndClearStartsAfresh)
{
    struct Case {
        Direction direction;
        Mode mode;
        qint64 duration;
        qint64 runFor; // then Stop
        qint64 stoppedFor;
        bool clear;
        qint64 countAfterStart;
    };
    const Case cases[] = {
        // Vexlo's minute: stopped after 20 s, for 30 s.
        {Direction::Down, Mode::Normal, 60, 20, 30, false, 40},
        {Direction::Down, Mode::StopWatch, 60, 20, 30, false, 10},
        // FullScreenVexlo's: stopped after 10 s, for 30 s.
        {Direction::Down, Mode::Normal, 60, 10, 30, false, 50},
        {Direction::Down, Mode::StopWatch, 60, 10, 30, false, 20},
        {Direction::Down, Mode::Normal, 60, 10, 30, true, 60},
        {Direction::Down, Mode::StopWatch, 60, 10, 30, true, 60},
        // Pellum's: stopped after 10 s, for 20 s.
        {Direction::Up, Mode::Normal, 0, 10, 20, false, 10},
        {Direction::Up, Mode::StopWatch, 0, 10, 20, false, 30},
        {Direction::Up, Mode::Normal, 0, 10, 20, true, 0},
        {Direction::Up, Mode::StopWatch, 0, 10, 20, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << name(c.direction, c.mode) << " clear " << c.clear);
        TimerEngine engine(c.direction);
        engine.setMode(c.mode);
        engine.setDuration(c.duration);
        engine.start(kNoon);
        EXPECT_TRUE(engine.running());
        const QDateTime stopped = kNoon.addSecs(c.runFor);
        EXPECT_EQ(engine.tick(stopped).count, c.direction == Direction::Down ? 60 - c.runFor : c.runFor);
        engine.stop();
        EXPECT_FALSE(engine.running());
        EXPECT_EQ(engine.lastCount(), engine.tick(stopped).count);
        if (c.clear) {
            engine.clear();
            EXPECT_EQ(engine.lastCount(), std::nullopt);
        }
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
        SCOPED_TRACE(testing::Message() << int(c.direction) << " " << c.count.value_or(-999));
        TimerEngine engine(c.direction);
        engine.setDuration(100);
        engine.start(kNoon);
        engine.clear(c.count);
        const QDateTime later = kNoon.addSecs(500);
        engine.start(later);
        EXPECT_EQ(engine.tick(later).count, c.resumedAt);
    }
    // Nothing resumes before a first Start has set a moment.
    TimerEngine engine(Direction::Down);
    engine.setDuration(100);
    engine.clear(40);
    engine.start(kNoon);
    EXPECT_EQ(engine.remaining(kNoon), 100);
}

TEST(TimerEngine, ACountdownIsUpOnceAtZeroOrAtALateTickAndTheNextStartIsFresh)
{
    for (const Mode mode : {Mode::Normal, Mode::StopWatch}) {
        for (const int late : {0, 1, 7, 100000}) {
            SCOPED_TRACE(testing::Message() << name(Direction::Down, mode) << " late " << late);
            TimerEngine engine(Direction::Down);
            engine.setMode(mode);
            engine.setDuration(3);
            engine.start(kNoon);
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
    // A count-up never is.
    TimerEngine up(Direction::Up);
    up.start(kNoon);
    EXPECT_FALSE(up.tick(kNoon.addSecs(86400 * 400)).timeUp);
    EXPECT_TRUE(up.running());
}

TEST(TimerEngine, ACountdownRunsItsTimeInRealSecondsAcrossMidnightAndClockChanges)
{
    struct Case {
        const char* why;
        QDateTime start;
        qint64 duration;
        QString target;
    };
    const Case cases[] = {
        // The night 1:20 AM comes twice: first in daylight time, an hour later in standard time.
        {"autumn, first 1:20", newYork(11, 1, 4, 50), 30 * 60, "11/01/2026 01:20:00 AM"},
        {"autumn, second 1:20", newYork(11, 1, 5, 20), 60 * 60, "11/01/2026 01:20:00 AM"},
        {"autumn, 1:30 for an hour", newYork(11, 1, 5, 30), 60 * 60, "11/01/2026 01:30:00 AM"},
        {"spring", newYork(3, 8, 6, 50), 20 * 60, "03/08/2026 03:10:00 AM"},
        {"midnight", QDateTime(QDate(2026, 12, 31), QTime(23, 59, 30)), 60,
         "01/01/2027 12:00:30 AM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TimerEngine engine(Direction::Down);
        engine.setDuration(c.duration);
        engine.start(c.start);
        EXPECT_EQ(timetext::dateTimeText(engine.moment()), c.target);
        EXPECT_EQ(engine.remaining(c.start.addSecs(c.duration / 2)), c.duration - c.duration / 2);
        EXPECT_FALSE(engine.tick(c.start.addSecs(c.duration - 1)).timeUp);
        EXPECT_EQ(engine.lastCount(), 1);
        EXPECT_TRUE(engine.tick(c.start.addSecs(c.duration)).timeUp);
    }
}

TEST(TimerEngine, ACountUpIsRealTimeAcrossMidnightAndClockChangesAndNeverBelowZero)
{
    struct Case {
        const char* why;
        QDateTime start;
        QDateTime now;
        qint64 seconds;
    };
    const Case cases[] = {
        // 12:59:50 AM daylight time to 1:00:00 AM standard time, an hour and ten seconds on.
        {"autumn", newYork(11, 1, 4, 59, 50), newYork(11, 1, 6, 0, 0), 3610},
        // 1:59:50 AM to 3:00:00 AM: the hour between never happens.
        {"spring", newYork(3, 8, 6, 59, 50), newYork(3, 8, 7, 0, 0), 10},
        {"midnight", QDateTime(QDate(2026, 12, 31), QTime(23, 59, 50)),
         QDateTime(QDate(2027, 1, 1), QTime(0, 0, 5)), 15},
        {"clock set back", newYork(6, 1, 12, 0, 0), newYork(6, 1, 11, 0, 0), 0},
    };
    for (const Case& c : cases) {
        TimerEngine engine(Direction::Up);
        engine.start(c.start);
        EXPECT_EQ(engine.moment(), c.start) << c.why;
        EXPECT_EQ(engine.elapsed(c.now), c.seconds) << c.why;
        EXPECT_EQ(engine.tick(c.now).count, c.seconds) << c.why;
    }
}
