#pragma once

#include "elapsedtexts.h"
#include "platform.h"
#include "shellplatform.h"
#include "timerengine.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMenu>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QWidget>

class DesktopShell;
class DigitDisplay;
class SkinPanel;
class Skins;

// Pellum's working state, one field per hidden label, with their first texts. The count itself
// is the engine's.
struct PellumState {
    QString LabelTotalTimeRemaining1 = elapsed::kNothingShown; // "1:02:03"
    QString LabelCurrentTitle = QStringLiteral("Pellum");
    // The skin of the panels: read at start-up, changed by the Background menu.
    QString LabelPicture1 = QStringLiteral("Default.gif");
    QString LabelColor1 = QStringLiteral("65535");
    QString LabelColor2 = QStringLiteral("16777215");
    QString LabelPath;
};

// Pellum's main window: an elapsed-time timer that counts up from Start in large digits.
class Pellum : public QWidget {
    Q_OBJECT

public:
    Pellum(const Platform& platform, const ShellPlatform& shell, QWidget* parent = nullptr);

    // Event handlers, public so that tests drive them as the event loop would.
    void ButPellumStartClick();
    void ButPellumStopClick();
    void ButPellumActionClick();
    void Timer1Tick();
    void menuclearClick();
    void menuMode1Click();
    void menuMode2Click();
    void menuExitClick();
    // The panels that take the timer's place.
    void menuAboutClick();
    void ButAboutOKrClick();
    void butAboutHelpRClick();
    void menuHelpClick();
    void menuOptionsClick();
    void butOptionsSaveClick();
    void ButOptionsCancelClick();
    void butOptionsHelpClick();

    // Draws a count in the digits and keeps its text in LabelTotalTimeRemaining1.
    void DisplayTimeElapsed(qint64 seconds);

    const PellumState& state() const { return state_; }
    // The fields the count is kept in, as the texts they read: the start, "12/25/2026 12:00:00 PM",
    // and the count of the last tick.
    QString LabelTimeStarted3() const { return engine_.momentText(elapsed::kNoStart); }
    QString LabelSecondsRemaining3() const { return engine_.countText(elapsed::kNoCount); }
    // Normal, rather than StopWatch.
    bool normalMode() const { return normalMode_; }

    ~Pellum() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTimerPanel();
    void buildOptionsPanel();
    void buildAboutPanel();
    void buildShell(const ShellPlatform& shell);
    void buildMenu();
    void startUp();
    void drawCleared();
    void showRunning(bool running);
    void selectMode(bool normal);
    void storePosition(bool report);
    // Tells the user that `what` ("The timing mode") could not be kept.
    void reportRefusedSave(const QString& what);
    void backToTimer(QWidget* panel);

    PellumState state_;
    TimerEngine engine_{TimerEngine::Direction::Up};
    bool normalMode_ = true;
    Platform platform_;
    // What the window shares with Vexlo: the skins and the desktop behaviour.
    Skins* skins_ = nullptr;
    DesktopShell* shell_ = nullptr;

    // The three panels that take turns, and the About panel's inner frame.
    SkinPanel* FramePellumFrame1 = nullptr;
    SkinPanel *FrameOptions = nullptr, *FrameAbout = nullptr, *FrameAboutFrame2 = nullptr;

    ::DigitDisplay* DigitDisplay = nullptr; // Image1 to Image9

    QPushButton *ButPellumStart = nullptr, *ButPellumStop = nullptr;
    QPushButton* ButPellumAction = nullptr;
    QLabel* FrameLabel1 = nullptr; // the hint
    QTimer* Timer1 = nullptr;

    QLabel* FrameOptionsLabel0 = nullptr;
    QLineEdit* FrameOptionsTitle = nullptr;
    QList<QWidget*> aboutTexts_;

    QMenu* menufile = nullptr;
    QAction *menuclear = nullptr, *sep1 = nullptr;
    QAction *menuMode1 = nullptr, *menuMode2 = nullptr;
};
