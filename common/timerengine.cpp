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
    momentMsecs_ = moment_.toMSecsSinceEpoch();
}

void TimerEngine::clear(std::optional<qint64> count)
{
    running_ = false;
    upAhead_ = false;
    lastCount_ = count;
}

// Counted on the moments since the epoch, the target's kept from its start: a local time would
// look at the time zone again at every tick.
qint64 TimerEngine::remaining(const QDateTime& now) const
{
    return moment_.isValid() ? (momentMsecs_ - now.toMSecsSinceEpoch()) / 1000 : 0;
}

qint64 TimerEngine::elapsed(const QDateTime& now) const
{
    return moment_.isValid() ? std::max<qint64>((now.toMSecsSinceEpoch() - momentMsecs_) / 1000, 0)
                             : 0;
}

TimerEngine::Tick TimerEngine::tick(const QDateTime& now)
{
    const qint64 count = direction_ == Direction::Down ? remaining(now) : elapsed(now);
    const bool timeUp = upAhead_ && count <= 0;
    // The time up ends the run; its count stays, for the window to show.
    if (timeUp)
        clear(count);
    else
        lastCount_ = count;
    return {count, timeUp};
}

QString TimerEngine::momentText(const QString& none) const
{
    return moment_.isValid() ? timetext::dateTimeText(moment_) : none;
}

QString TimerEngine::countText(const QString& none) const
{
    return lastCount_ ? QString::number(*lastCount_) : none;
}
