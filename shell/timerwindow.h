#pragma once

#include "desktopshell.h"
#include "digitdisplay.h"
#include "named.h"
#include "platform.h"
#include "shellplatform.h"
#include "skins.h"
#include "storedkeys.h"
#include "timerengine.h"

#include <QAction>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <chrono>
#include <optional>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

// What tells one desktop timer from the other: its name and texts, its keys, its layout.
struct TimerProgram {
    QString name;       // "Vexlo": names its buttons ("ButVexloStart") and its menu items
    QString version;    // "Vexlo 8.02": the first title and the About heading
    QString timerPanel; // the timer panel's object name
    QString aboutText;
    QString digitsName; // "Time remaining": what a screen reader calls the digits
    DigitDisplay::SmallRow digitRow;
    std::chrono::milliseconds tick;
    QString newTimerCaption;
    // Shown when a skin's picture cannot be read, and when a new timer cannot be opened.
    QString pathError;
    QString newTimerError;
    // The notepad, and the title's caption and box on the options panel.
    QRect notepad;
    QRect titleCaption;
    QRect titleBox;
    // "Change Color Display" stands at the end of the Background menu rather than after it.
    bool resolutionInBackground = false;
    // The Default look takes the options panel's picture too.
    bool plainOptionsUnderDefault = false;
    // Closing tells the user when the window's place cannot be kept.
    bool reportsUnkeptPlace = false;
    int programHelpTopic = 0;
    int optionsHelpTopic = 0;
    int aboutHelpTopic = 0;
    // The picture file of the "Corrugated" skin, as this program spells it.
    QString corrugatedFile;
    int firstPosition = 0;
};

// The window of a desktop timer (Vexlo, Pellum): the timer panel with its digits, Start, Stop
// and Action; the action box; the skins, staying on top, new timers and the notepad; the options
// and About panels; the timing mode; closing and keeping the window's place. A program adds its
// own controls, menu items and options, and its tick.
class TimerWindow : public QWidget {
    Q_OBJECT

public:
    ~TimerWindow() override;

    // Normal, rather than StopWatch.
    bool normalMode() const { return normalMode_; }
    const QString& currentTitle() const { return shell_->currentTitle(); }
    Skins& skins() const { return *skins_; }
    DesktopShell& desktopShell() const { return *shell_; }

    // The notepad and the options and About panels, built once the window is first drawn, or
    // when a panel is first opened; a test builds them at once.
    void buildPanels();

    // Event handlers, public so that tests drive them as the event loop would.
    virtual void Timer1Tick() = 0;
    void menuMode1Click();
    void menuMode2Click();
    void menuOptionsClick();
    void butOptionsSaveClick();
    void ButOptionsCancelClick();
    void butOptionsHelpClick();
    void menuHelpClick();
    void menuAboutClick();
    void ButAboutOKrClick();
    void butAboutHelpRClick();
    void menuExitClick();

protected:
    TimerWindow(const Platform& platform, const ShellPlatform& shell, TimerProgram program,
                TimerEngine::Direction direction, QWidget* parent);

    // Once the program's controls are built: the skins (with the program's own panels and
    // labels in `look`), the desktop behaviour and the action box, with `timeItems` after
    // New Timer.
    void finishBuilding(const SkinLook& look, const QList<QAction*>& timeItems);
    // Reads the store, writing the first run's `defaults` when the path is empty, and shows
    // the skin, the place and the mode it holds. The program reads its own keys from the result.
    FirstRun startFromStore(const StoredKeys& defaults);
    // The skin as read at start; a program may mend what old installations stored.
    virtual SkinFields mended(SkinFields fields) { return fields; }

    // The engine's count at now, or nothing (and the tick stops) before the first Start. A
    // running tick comes next just after the count changes.
    std::optional<TimerEngine::Tick> takeTick();
    // Starts (resuming as the mode says) or stops the count; the other button and `hint` say
    // what comes next.
    void setRunning(bool running, QLabel* hint);
    // The title while counting: the count follows it in the task bar while minimised.
    void showCountInTitle(const QString& count);
    void showStoreRefused(const QString& what);

    // The program's own controls on the options panel, built with it; returns how the skins
    // draw them.
    virtual SkinLook buildOptionsParts() { return {}; }
    // The title typed in the options, saved or not.
    QString typedTitle() const;
    // The options panel's own parts: what it shows on opening, what Save stores (false keeps
    // the panel open) and what Cancel puts back.
    virtual void loadOptions() {}
    virtual bool saveOptions() { return true; }
    virtual void cancelOptions();
    // Where the keyboard goes when a panel gives the timer back.
    virtual void focusAfterPanel() = 0;
    // Shows the timer panel again in place of `panel`.
    void backToTimer(QWidget* panel);
    virtual bool timerPanelCovered() const { return false; }

    void closeEvent(QCloseEvent* event) override;

    // An item of the action box that runs `click`.
    template <typename Window>
    QAction* menuEntry(const QString& name, const QString& caption, void (Window::*click)())
    {
        auto* item = named(new QAction(caption, this), name);
        connect(item, &QAction::triggered, static_cast<Window*>(this), click);
        return item;
    }
    // The digits and hints stand on a dark ground of their own, readable on any skin.
    static void darkGround(QWidget* widget);

    Platform platform_;
    TimerProgram program_;
    const TimerWindowKeys keys_;
    TimerEngine engine_;
    // The separators of the action box, in order.
    QList<QAction*> separators_;

    SkinPanel* timerPanel_ = nullptr;
    ::DigitDisplay* DigitDisplay = nullptr; // Image1 to Image9
    // The program's Start, Stop and Action ("ButVexloStart" ...).
    QPushButton* startButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPushButton* actionButton_ = nullptr;
    QTimer* Timer1 = nullptr;
    SkinPanel* FrameOptions = nullptr;
    QLabel* FrameOptionsLabel0 = nullptr;
    QLineEdit* FrameOptionsTitle = nullptr;
    SkinPanel* FrameAbout = nullptr;
    SkinPanel* FrameAboutFrame2 = nullptr;
    QPointer<QWidget> focusBeforePanel_;

private:
    void buildTimerPanel();
    void buildOptionsPanel();
    void buildAboutPanel();
    void addAboutTexts();
    void addPanelParts(SkinLook& look) const;
    void buildMenu(const QList<QAction*>& timeItems);
    QAction* separator();
    void showActionBox();
    void openPanel(QWidget* panel, const QString& title, QWidget* focus);
    void selectMode(bool normal);
    void storePosition(bool report);

    bool normalMode_ = true;
    QList<QLabel*> aboutTexts_;
    Skins* skins_ = nullptr;
    PicturePrefetch startPicture_; // the stored skin's picture, until the start shows it
    DesktopShell* shell_ = nullptr;
    QMenu* menufile = nullptr;
    QAction* menuMode1 = nullptr;
    QAction* menuMode2 = nullptr;
};
