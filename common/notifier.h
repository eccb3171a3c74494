#pragma once

#include <QString>

class QWidget;

// Reaches a user who is not looking at the window: a notification on the desktop, and a window
// that asks for attention in the task bar.
class Notifier {
public:
    // Whether the notification may sound. Silent when the program's own sound was heard (the
    // user would hear the alarm twice) and for news of alarms that are long past.
    enum class Sound { Silent, Alarm };

    virtual ~Notifier() = default;

    // Shows `summary` with `body` as a notification; its "Show" action brings `window` to the
    // front. Returns at once, and does nothing where the desktop shows no notifications.
    virtual void tell(const QString& summary, const QString& body, Sound sound,
                      QWidget* window) = 0;

    // Marks `window` as wanting attention, minimised or on another workspace too, unless it is
    // the window the user is working in.
    virtual void attention(QWidget* window) = 0;
};
