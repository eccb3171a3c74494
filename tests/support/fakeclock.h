#pragma once

#include "clock.h"
#include "qtprinters.h"

// A clock that stands still until the test moves it.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 25), QTime(12, 0, 0)))
        : now_(std::move(start))
    {
    }

    QDateTime now() const override { return now_; }
    void set(const QDateTime& moment) { now_ = moment; }
    void advance(qint64 seconds) { now_ = now_.addSecs(seconds); }

private:
    QDateTime now_;
};
