#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <optional>

// The count behind every timer window: a countdown runs to a target moment, a count-up counts
// from a start moment. Each count is taken afresh from the clock's now in real seconds (through
// UTC), so late ticks never add up and a change to or from daylight saving time neither
// stretches nor shrinks a run.
//
// A stopped run resumes from the count of its last tick, the one its window still shows.
class TimerEngine {
public:
    enum class Direction { Down, Up };
    // What a Start after a Stop does with the time that passed while stopped: Normal leaves it
    // out, StopWatch counts it, since the moment of the first Start stays.
    enum class Mode { Normal, StopWatch };

    struct Tick {
        qint64 count = 0;    // seconds left (Down; at or below zero once the time is up) or gone
        bool timeUp = false; // this tick ended a running countdown
    };

    explicit TimerEngine(Direction direction) : direction_(direction) {}

    void setMode(Mode mode) { mode_ = mode; }
    Mode mode() const { return mode_; }
    // The seconds a fresh countdown runs.
    void setDuration(qint64 seconds) { duration_ = seconds; }
    qint64 duration() const { return duration_; }

    // Resumes a stopped run as the mode says, or starts a fresh one.
    void start(const QDateTime& now);
    void stop() { running_ = false; }
    // Stops and sets the count a Start resumes from: none, unless given, so that the next Start
    // is a fresh run. A countdown's count at zero starts afresh just as none does.
    void clear(std::optional<qint64> count = std::nullopt);
    bool running() const { return running_; }

    // The target (Down) or the start (Up); invalid before the first Start.
    QDateTime moment() const { return moment_; }
    // The seconds left at `now`; below zero once the target has passed.
    qint64 remaining(const QDateTime& now) const;
    // The seconds gone since the start at `now`; a clock set back before it counts nothing.
    qint64 elapsed(const QDateTime& now) const;
    // Takes the count at `now` and keeps it for a resume. A countdown whose time is up stops and
    // reports it once for each Start, even to a tick that comes while it is stopped.
    Tick tick(const QDateTime& now);
    // The count of the last tick; none since the engine was made or cleared.
    std::optional<qint64> lastCount() const { return lastCount_; }

    // The texts of the windows' hidden fields: the moment in the family's date-and-time form and
    // the count in decimal, or `none` while there is none.
    QString momentText(const QString& none) const;
    QString countText(const QString& none) const;

private:
    bool resumes() const;

    Direction direction_;
    Mode mode_ = Mode::Normal;
    qint64 duration_ = 0;
    bool running_ = false;
    bool upAhead_ = false; // a countdown started whose time up is still to be told
    QDateTime moment_;
    qint64 momentMsecs_ = 0; // moment_ since the epoch
    std::optional<qint64> lastCount_;
};
