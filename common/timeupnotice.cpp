#include "timeupnotice.h"

#include "accessibility.h"
#include "notifier.h"
#include "platform.h"
#include "soundplayer.h"
#include "textcut.h"
#include "timetext.h"

#include <QCoreApplication>
#include <QWidget>

namespace timeupnotice {

// About two lines of a notification bubble.
constexpr qsizetype kLineLength = 120;

void tell(const Platform& platform, QWidget* window, const QString& message,
          const QDateTime& moment, bool soundPlayed)
{
    const bool heard = soundPlayed && platform.sound.audible();
    const QString summary = line(message);
    platform.notifier.tell(summary, timetext::dateTimeText(moment),
                           heard ? Notifier::Sound::Silent : Notifier::Sound::Alarm, window);
    platform.notifier.attention(window);
    const QString timeIsUp = QCoreApplication::translate("timeupnotice", "Time Is Up!");
    accessibility::announce(window, summary == timeIsUp ? summary : timeIsUp + u' ' + summary);
}

void bringUp(const Platform& platform, QWidget* window, const QString& message,
             const QDateTime& moment)
{
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    if (window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
    tell(platform, window, message, moment, true);
}

QString line(const QString& message)
{
    QString text = leftWhole(message, 4 * kLineLength).simplified();
    if (text.isEmpty())
        return QCoreApplication::translate("timeupnotice", "Time Is Up!");
    if (text.size() > kLineLength)
        text = leftWhole(text, kLineLength - 1) + QChar(0x2026);
    return text;
}

} // namespace timeupnotice
