#pragma once

#include <QDateTime>
#include <QString>

struct Platform;
class QWidget;

// What a time-up does beyond the window's own alarm, for a user who is not looking at it.
namespace timeupnotice {

// A notification with `message` and the moment that was due, `window` asking for attention,
// and the message read out by a screen reader. The notification sounds only when the
// program's own sound was not heard: `soundPlayed` says whether the program played one for
// this alarm.
void tell(const Platform& platform, QWidget* window, const QString& message,
          const QDateTime& moment, bool soundPlayed);

// A countdown window's time-up, once its own alarm shows and its sound has played: the window
// comes up from the task bar and to the front, and is told of as above.
void bringUp(const Platform& platform, QWidget* window, const QString& message,
             const QDateTime& moment);

// `message` as one line of a notification: never empty, and short enough to be read there
// (a message may be a megabyte of text).
QString line(const QString& message);

} // namespace timeupnotice
