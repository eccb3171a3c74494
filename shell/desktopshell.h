#pragma once

#include "settingsstore.h"
#include "shellplatform.h"
#include "storedkeys.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <optional>

class Dialogs;
class QAction;
class QPlainTextEdit;
class QWidget;
class Resolutions;

// The timer window as the shell sees it.
struct ShellWindow {
    QWidget& window;
    // What the user named the window, kept while it lives: at first the program's name.
    QString currentTitle;
    TimerWindowKeys keys; // those of its place and stacking
    // Where a window that would open off every screen goes instead, in twips from the top left
    // of the primary screen.
    int firstPosition;
    QString newTimerCaption; // "Open a New Timer"
    // The message box shown when a new timer cannot be opened.
    QString errorTitle;
    QString newTimerError;
};

// The desktop behaviour of a timer window: staying on top, where it opens, opening another
// timer, the notepad and the colour-display dialog. The menu items are made here; the program
// puts them into its action box in its own order.
class DesktopShell final : public QObject {
    Q_OBJECT

public:
    DesktopShell(SettingsStore& store, Dialogs& dialogs, const ShellPlatform& platform,
                 ShellWindow window);

    QAction* menuNewTimer() const { return menuNewTimer_; }
    QAction* menuAlwaysOnTop() const { return menuAlwaysOnTop_; }
    QAction* menuResolution() const { return menuResolution_; }
    // Its only work is to close the menu, which choosing any item does.
    QAction* menuCloseActionBox() const { return menuCloseActionBox_; }
    QAction* menuNotepad() const { return menuNotepad_; }

    // Makes the notepad txtNotes on `panel`, hidden.
    QPlainTextEdit* addNotepad(QWidget* panel, QRect place);

    // A new timer opens apart from a window of another title.
    const QString& currentTitle() const { return window_.currentTitle; }
    void setCurrentTitle(const QString& title) { window_.currentTitle = title; }

    // At start: the stacking from the store, then the place.
    void checkStayOnTop();

    void menuAlwaysOnTopClick();
    void menuNewTimerClick();
    void menuNotepadClick();
    // The notepad goes away and its item reads "Show The Notepad" again.
    void hideNotepad();
    void menuResolutionClick();

    // The window's place, as stored.
    SettingsStore::Values positionValues() const;
    // The colour-display dialog once it was opened.
    Resolutions* resolutions() const;

signals:
    // `what` ("Always On Top") could not be kept: the store refused it.
    void saveRefused(const QString& what);

private:
    void placeWindow(const QString& left, const QString& top, int offset);
    // Keeps the window above all others, or stacks it as any other.
    void stayOnTop(bool above);

    SettingsStore& store_;
    Dialogs& dialogs_;
    ShellPlatform platform_;
    ShellWindow window_;
    QAction* menuNewTimer_ = nullptr;
    QAction* menuAlwaysOnTop_ = nullptr;
    QAction* menuResolution_ = nullptr;
    QAction* menuCloseActionBox_ = nullptr;
    QAction* menuNotepad_ = nullptr;
    QPlainTextEdit* txtNotes_ = nullptr;
    QPointer<Resolutions> resolutions_;
    // Where placeWindow() put the window, in pixels and in the twips it was given.
    struct Placement {
        QPoint pixels;
        QPoint twips;
    };
    std::optional<Placement> placed_;
};
