#pragma once

#include "accessibility.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAccessible>
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

// Hears what the windows tell assistive technology while it lives, as a screen reader would.
// Qt keeps one update handler for the process, so there is one recorder at a time.
class AccessibilityRecorder {
public:
    struct Event {
        QAccessible::Event type;
        QPointer<QObject> object;
        QString name; // the object's accessible name when it was told
    };

    AccessibilityRecorder()
    {
        events().clear();
        previous_ = QAccessible::installUpdateHandler(&record);
    }
    ~AccessibilityRecorder()
    {
        QAccessible::installUpdateHandler(previous_);
        events().clear();
    }
    AccessibilityRecorder(const AccessibilityRecorder&) = delete;
    AccessibilityRecorder& operator=(const AccessibilityRecorder&) = delete;

    // What was told about `object` since the last call, once the work queued so far has run.
    QList<Event> take(const QObject* object)
    {
        QCoreApplication::sendPostedEvents();
        QList<Event> taken;
        QList<Event> rest;
        for (const Event& event : std::as_const(events()))
            (event.object == object ? taken : rest).append(event);
        events() = rest;
        return taken;
    }

    // Runs `tickOneSecond` `seconds` times, each time after the work it queued, and returns
    // what was told about `object` meanwhile, as text.
    template <typename Tick>
    QStringList toldWhileTicking(const QObject* object, int seconds, Tick tickOneSecond)
    {
        QStringList lines;
        for (int i = 0; i < seconds; ++i) {
            tickOneSecond();
            lines += told(object);
        }
        return lines;
    }

    // "NameChanged 0:01:59", "Alert 0:00:00": the events of `object` as text.
    QStringList told(const QObject* object)
    {
        QStringList lines;
        for (const Event& event : take(object)) {
            const char* type = event.type == QAccessible::NameChanged ? "NameChanged"
                               : event.type == QAccessible::Alert     ? "Alert"
                                                                      : "Other";
            lines << QString::fromLatin1(type) + u' ' + event.name;
        }
        return lines;
    }

private:
    static QList<Event>& events()
    {
        static QList<Event> list;
        return list;
    }

    static void record(QAccessibleEvent* event)
    {
        QAccessibleInterface* iface = event->accessibleInterface();
        events().append(
            {event->type(), event->object(), iface ? iface->text(QAccessible::Name) : QString()});
    }

    QAccessible::UpdateHandler previous_ = nullptr;
};

// The accessible name and description of `object`, as a screen reader reads them.
inline QString accessibleName(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

inline QString accessibleDescription(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Description) : QString();
}

// The names a screen reader hears for the shown items of `menu`, "" for an item it could not name.
inline QStringList menuItemNames(QMenu* menu)
{
    QStringList names;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(menu);
    const QList<QAction*> actions = menu->actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (actions[i]->isSeparator() || !actions[i]->isVisible())
            continue;
        QAccessibleInterface* item = iface ? iface->child(int(i)) : nullptr;
        names << (item ? item->text(QAccessible::Name) : QString());
    }
    return names;
}

inline QStringList menuItemCaptions(QMenu* menu)
{
    QStringList captions;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && action->isVisible())
            captions << accessibility::withoutMnemonic(action->text());
    }
    return captions;
}

// The widgets of `window` a user can see in its present state, Qt's own parts included.
inline QList<QWidget*> shownWidgets(QWidget* window)
{
    QList<QWidget*> shown;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isWindow() && widget->isVisibleTo(window))
            shown.append(widget);
    }
    return shown;
}

// What a screen reader would miss among the shown controls of `window`: a control without a
// name, a tool tip not read as the description, a caption read as something else, a menu item
// without its caption. Controls in `namedByHand` (object names) may read other than their
// captions. Qt's own parts of a control are the control's business and are skipped.
inline QStringList unreadableControls(QWidget* window, const QStringList& namedByHand = {})
{
    const auto insideQtPart = [window](const QWidget* widget) {
        for (; widget && widget != window; widget = widget->parentWidget()) {
            if (widget->objectName().startsWith(QLatin1String("qt_")))
                return true;
        }
        return false;
    };
    QStringList faults;
    for (QWidget* widget : shownWidgets(window)) {
        if (insideQtPart(widget))
            continue;
        const QString id = widget->objectName() + u'(' + widget->metaObject()->className() + u')';
        const QString name = accessibleName(widget);
        const QString caption = accessibility::captionOf(widget);
        const auto* label = qobject_cast<QLabel*>(widget);
        const bool control =
            qobject_cast<QAbstractButton*>(widget) || qobject_cast<QAbstractSlider*>(widget) ||
            qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractScrollArea*>(widget) ||
            qobject_cast<QComboBox*>(widget) || qobject_cast<QCalendarWidget*>(widget) ||
            widget->inherits("DigitDisplay") ||
            (label && (!label->text().isEmpty() || !label->pixmap().isNull()));
        if (control && name.isEmpty())
            faults << id + QStringLiteral(" has no name");
        if (!widget->toolTip().isEmpty() && accessibleDescription(widget) != widget->toolTip())
            faults << id + QStringLiteral(" reads \"") + accessibleDescription(widget) +
                          QStringLiteral("\", not its tool tip");
        if ((label || qobject_cast<QAbstractButton*>(widget)) && !caption.isEmpty() &&
            name != caption && !namedByHand.contains(widget->objectName()))
            faults << id + QStringLiteral(" reads \"") + name + QStringLiteral("\", not \"") +
                          caption + u'"';
    }
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        // The program's menus carry names; Qt's own, such as the menu bar's overflow menu, do not
        // and are Qt's business.
        if (menu->objectName().isEmpty() || insideQtPart(menu->parentWidget()))
            continue;
        if (accessibleName(menu).isEmpty())
            faults << menu->objectName() + QStringLiteral(" (menu) has no name");
        if (menuItemNames(menu) != menuItemCaptions(menu))
            faults << menu->objectName() + QStringLiteral(" (menu) reads its items as ") +
                          menuItemNames(menu).join(u'|');
    }
    return faults;
}
