#pragma once

#include <QKeySequence>
#include <QObject>
#include <QShortcut>
#include <QString>
#include <QWidget>

#include <initializer_list>

class QAccessibleEvent;

// What screen readers and keyboard users need from every window of the family: each control
// named as it reads on the screen, its tool tip as its description, the Esc key on panels with a
// Cancel, and the focus put back somewhere sensible when a panel goes away.
namespace accessibility {

// A caption as it is read: "&Save" is "Save", "Salt && Pepper" is "Salt & Pepper".
QString withoutMnemonic(const QString& caption);

// The caption a control shows: the text of a button or label, the title of a group box or menu,
// else the text of the label that is its buddy. Empty for a control that shows none.
QString captionOf(const QWidget* control);

// Names every control in `window` that has no accessible name yet after its caption, and lets
// that name follow the caption from then on (see captionChanged). A control without a caption
// and without a description stays unnamed: give it a name of its own. Every control without a
// description of its own is described by its tool tip, as the tool tip changes. Windows keep
// their titles as names, which Qt reads as they change; Qt's own parts of a control (a
// calendar's buttons, a list's scroll bars) are left to Qt.
void nameControls(QWidget* window);

// Names `control` after its caption now and whenever captionChanged() is called for it, until
// it is given another name by hand. A control whose caption is empty reads as its accessible
// description; with none, it keeps the name it had.
void followCaption(QWidget* control);

// Call after changing the text of a label or button, or the title of a group box: a name that
// follows its caption changes with it.
void captionChanged(QWidget* control);

// Tells assistive technology about `event`. Without a screen reader attached, Qt drops it; an
// update handler installed in this process (a test, a tool) still hears it.
void send(QAccessibleEvent& event);

// Has a screen reader say `text` now, wherever the focus is: `window` shows an element that
// reads as a notification with `text` as its name, as a desktop notification reads. (Qt's
// AT-SPI bridge passes no Alert events on, so send() cannot do this.)
void announce(QWidget* window, const QString& text);

// The element announce() shows in `window`; none before the first announcement.
QWidget* announcement(const QWidget* window);

// Gives the focus to the first of `candidates` that can take it now (shown and enabled), and
// returns it; none when no candidate can.
QWidget* focusFirstAvailable(std::initializer_list<QWidget*> candidates);

// Esc pressed anywhere on `panel` runs `handler`, as the panel's Cancel does.
template <typename Receiver, typename Handler>
QShortcut* escapeKey(QWidget* panel, const Receiver* receiver, Handler handler)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_Escape), panel);
    key->setObjectName(panel->objectName() + QStringLiteral("Escape"));
    key->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(key, &QShortcut::activated, receiver, handler);
    return key;
}

} // namespace accessibility
