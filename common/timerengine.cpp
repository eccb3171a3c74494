#include "timerengine.h"

#include "timetext.h"

#include <algorithm>

bool TimerEngine::resumes() const
{
    // A countdown at zero or past it was up: what follows is a fresh run.
    return lastCount_ && moment_.isValid() && (direction_ == Direction::Up || *lastCount_ > 0);
}

void TimerEngine::start(const QDateTime& now)
{
    const bool resuming = resumes();
    running_ = true;
    upAhead_ = direction_ == Direction::Down;
    if (resuming && mode_ == Mode::StopWatch)
        return;
    const qint64 count = resuming ? *lastCount_ : (direction_ == Direction::Down ? duration_ : 0);
    // addSecs counts real seconds, so the moment is right across a clock change.
    moment_ = now.addSecs(direction_ == Direction::Down ? count : -count);
}

void TimerEngine::clear(std::optional<qint64> count)
{
    running_ = false;
    upAhead_ = false;
    lastCount_ = count;
}

qint64 TimerEngine::remaining(const QDateTime& now) const
{
    return timetext::secondsBetween(now, moment_);
}

qint64 TimerEngine::elapsed(const QDateTime& now) const
{
    return std::max<qint64>(timetext::secondsBetween(moment_, now), 0);
}

TimerEngine::Tick TimerEngine::tick(const QDateTime& now)
{
    Tick tick;
    tick.count = direction_ == Direction::Down ? remaining(now) : elapsed(now);
    lastCount_ = tick.count;
    if (upAhead_ && tick.count <= 0) {
        running_ = false;
        upAhead_ = false;
        tick.timeUp = true;
    }
    return tick;
}

int TimerEngine::msecsToNextTick(const QDateTime& now) const
{
    // A count is the whole seconds from the moment, cut towards zero: before the moment it
    // changes a millisecond after a whole second has passed, after the moment on the second
    // itself. The tick comes a little later, so that a timer that fires a little early still
    // finds the new count.
    constexpr int kAfterCount = 2;
    const qint64 sinceMoment = moment_.msecsTo(now);
    const qint64 untilChange =
        sinceMoment < 0 ? -sinceMoment % 1000 + 1 : 1000 - sinceMoment % 1000;
    return int(untilChange) + kAfterCount;
}

QString TimerEngine::momentText(const QString& none) const
{
    return moment_.isValid() ? timetext::dateTimeText(moment_) : none;
}

QString TimerEngine::countText(const QString& none) const
{
    return lastCount_ ? QString::number(*lastCount_) : none;
}
