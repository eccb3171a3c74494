#pragma once

#include "named.h"
#include "twips.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include <functional>
#include <initializer_list>
#include <span>

class QLabel;

// Small helpers for building the windows of every program. Every control carries its name as
// its object name, for the tests and the tools, and its caption as its accessible name.

// A label of a panel: plain text (a message is shown as typed, never read as markup), wrapped.
// Its accessible name is its text; after changing the text, call
// accessibility::captionChanged() on it.
QLabel* panelLabel(QWidget* panel, const QString& name, const QString& text, QRect place);
// A button of a panel: Enter presses it once it has the focus, as Space does.
QPushButton* panelButton(QWidget* panel, const QString& name, const QString& caption,
                         const QString& toolTip, QRect place);

// An item of a menu, by name; the caption is also what a screen reader says.
QAction* menuItem(QMenu& menu, const QString& name, const QString& caption);
// A separator of a menu, by name, so that a program can find its place again.
QAction* menuSeparator(QMenu& menu, const QString& name);
// A submenu, named as its item is.
QMenu* subMenu(QMenu& menu, const QString& name, const QString& title);

// Marks the chosen one of a pair of exclusive menu items (normal or stopwatch timing) and keeps
// `normalMode` with it; true when the choice changed. A click on the checked item has already
// taken its check away: it gets it back and nothing changes.
bool markModeItems(QAction& normalItem, QAction& otherItem, bool& normalMode, bool normal);

// When `box` (a line or a multi-line text box) gets the focus, its text is selected from the
// first character for `count` characters, so typing replaces a short text and keeps the end of
// a long one.
void selectOnFocus(QWidget* box, int count);

// Calls `then` once, when the program next waits after the first drawing of `watched` (a
// window, or a panel that covers it), or of any window when it is the application: for building
// what the window's first look does not need.
void afterFirstDrawing(QObject* watched, std::function<void()> then);

// Tab goes from each control of `chain` to the next.
void tabOrder(std::initializer_list<QWidget*> chain);

// Sets `control`'s font bold, at `pointSize`; returns the control.
template <typename Control>
Control* boldFont(Control* control, int pointSize)
{
    QFont font = control->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    control->setFont(font);
    return control;
}

// Layout tables: a window lists its controls once, one row each, and its build function walks
// the rows. Places are in twips; captions and tool tips are translated in the window's context
// (mark them with QT_TR_NOOP).

// A button of a panel, its click handled by the window and the button kept in `control`.
template <typename Window>
struct ButtonRow {
    const char* name;
    const char* caption;
    const char* toolTip;
    QRect place;
    void (Window::*click)();
    QPushButton* Window::*control = nullptr;
};

// An item of a menu, its choice handled by the window (none: choosing it only closes the menu)
// and the item kept in `control`. An item without a caption is a separator.
template <typename Window>
struct MenuRow {
    const char* name;
    const char* caption;
    void (Window::*click)() = nullptr;
    QAction* Window::*control = nullptr;
};

// Returns the buttons in the table's order.
template <typename Window>
QList<QPushButton*> panelButtons(QWidget* panel, Window* window,
                                 std::span<const ButtonRow<Window>> rows)
{
    QList<QPushButton*> buttons;
    for (const ButtonRow<Window>& row : rows) {
        const QRect& p = row.place;
        QPushButton* button = panelButton(panel, QString::fromLatin1(row.name),
                                          Window::tr(row.caption), Window::tr(row.toolTip),
                                          twipsRect(p.left(), p.top(), p.width(), p.height()));
        QObject::connect(button, &QPushButton::clicked, window, row.click);
        if (row.control)
            window->*row.control = button;
        buttons.append(button);
    }
    return buttons;
}

template <typename Window>
void menuItems(QMenu& menu, Window* window, std::span<const MenuRow<Window>> rows)
{
    for (const MenuRow<Window>& row : rows) {
        QAction* item = row.caption ? menuItem(menu, QString::fromLatin1(row.name),
                                               Window::tr(row.caption))
                                    : menuSeparator(menu, QString::fromLatin1(row.name));
        if (row.click)
            QObject::connect(item, &QAction::triggered, window, row.click);
        if (row.control)
            window->*row.control = item;
    }
}

class Dialogs;
class QLineEdit;

// A sound file chosen through the file browser only: `box` shows the file, read-only, and hands
// the focus on to `browse`; Tab passes the box by both ways, as it would only lead to the button
// and Shift+Tab from there straight back. An empty choice is the program's `firstSound`.
class SoundChoice final : public QObject {
public:
    SoundChoice(QLineEdit* box, QPushButton* browse, Dialogs& dialogs, QString firstSound);

    // The browse button's click: the wave file chosen in `folder`, or the first sound when the
    // user cancels.
    void browse(const QString& folder);
    // What Save stores with the message: the box's file, or the first sound, which the box then
    // shows, when it is empty.
    QString chosen();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* box_;
    QPushButton* browse_;
    Dialogs& dialogs_;
    QString firstSound_;
};
