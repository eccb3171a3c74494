#pragma once

#include "named.h"

#include <QObject>
#include <QRect>
#include <QString>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;

// Small helpers for building the windows of the desktop timers.

// A label of a panel: plain text, wrapped. Its accessible name is its text; after changing the
// text, call accessibility::captionChanged() on it.
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
