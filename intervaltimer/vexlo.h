#pragma once

#include "platform.h"
#include "shellplatform.h"
#include "timerengine.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class DesktopShell;
class DigitDisplay;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QTimer;
class SkinPanel;
class Skins;

// The interval timer's working state, one field per hidden control, with their first texts.
// Numbers are held as their decimal text. The count itself is the engine's.
struct VexloState {
    QString LabelScrollMinutes1 = QStringLiteral("0");
    QString LabelCheckHours = QStringLiteral("0");
    QString LabelCheckMinutes = QStringLiteral("0");
    QString LabelCheckSeconds = QStringLiteral("0");
    QString LabelTimeRemaining1;                         // "0:04:59"
    QString LabelTotalTimeRemaining1;                    // "0 hours, 4 mins, 59 secs."
    QString LabelRemainingMinutes = QStringLiteral("0"); // what "Save this time" stores
    QString LabelRemainingSeconds = QStringLiteral("0");
    QString LabelSound1;
    QString LabelCurrentTitle = QStringLiteral("Vexlo");
    // The skin of the panels: read at start-up, changed by the Background menu.
    QString LabelPath;
    QString LabelPicture1;
    QString LabelColor1;
    QString LabelColor2;
};

// Vexlo's main window: an interval timer that counts a set time down in large digits and
// raises an alarm at zero.
class Vexlo : public QWidget {
    Q_OBJECT

public:
    Vexlo(const Platform& platform, const ShellPlatform& shell, QWidget* parent = nullptr);
    ~Vexlo() override;

    const VexloState& state() const { return state_; }
    bool normalMode() const { return normalMode_; }
    // The fields the count is kept in, as the texts they read.
    QString LabelSecondsInputted1() const { return QString::number(engine_.duration()); }
    // The target, "12/25/2026 12:05:00 PM", and the count as taken at the last tick.
    QString LabelFutureTime1() const { return engine_.momentText(QString()); }
    QString LabelSecondsRemaining1() const { return engine_.countText(QStringLiteral("0")); }
    // The skins and the desktop behaviour the window shares with the other desktop timer.
    Skins& skins() const { return *skins_; }
    DesktopShell& desktopShell() const { return *shell_; }

    // Event handlers, public so that tests drive them as the event loop would.
    void HScroll1Change();
    void HScroll2Change();
    void StartStopTimer(); // Start and Stop both
    void ButVexloActionClick();
    void ButVexloAcknowlegdeClick();
    void Timer1Tick();
    void Timer2Tick();
    void menuRetrieveClick();
    void menuClearClick();
    void menuSaveClick();
    void menuMode1Click();
    void menuMode2Click();
    void menuExitClick();
    void menuOptionsClick();
    void FrameOptionsWaveFileGotFocus();
    void ButOptionsBrowseClick();
    void butOptionsSaveClick();
    void ButOptionsCancelClick();
    void butOptionsHelpClick();
    void menuHelpClick();
    void menuAboutClick();
    void ButAboutOKrClick();
    void butAboutHelpRClick();

    // Draws `seconds` in the digits and returns it as a sentence.
    QString ShowTimeRemaining(qint64 seconds);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTimerPanel();
    void buildAlarmPanel();
    void buildOptionsPanel();
    void buildAboutPanel();
    void buildShell(const ShellPlatform& shell);
    void buildMenu();
    void startUp();
    void timeIsUp(qint64 remaining);
    void setTimeChanged();
    void drawEmptyDisplay();
    void showScrollBars(bool shown);
    void clearTime();
    void showTimeItems(bool shown);
    void enableRetrieve();
    void selectMode(bool normal);
    void storePosition();
    void showMessage(const QString& message);
    void showStoreRefused(const QString& what);
    void showTimerPanel(QWidget* instead);
    QString storedMessage() const;
    QString optionsTitle() const;

    Platform platform_;
    VexloState state_;
    TimerEngine engine_{TimerEngine::Direction::Down};
    bool normalMode_ = true;

    SkinPanel* FrameVexlo1 = nullptr;
    SkinPanel* FrameVexlo2 = nullptr;
    SkinPanel* FrameOptions = nullptr;
    SkinPanel* FrameAbout = nullptr;
    SkinPanel* FrameAboutFrame2 = nullptr;
    ::DigitDisplay* DigitDisplay = nullptr; // Image1 to Image9
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QLabel* FrameLabel1 = nullptr;
    QLabel* FrameLabel2 = nullptr;
    QLabel* FrameLabel3 = nullptr;
    QLabel* FrameLabel4 = nullptr;
    QLabel* FrameLabel6 = nullptr;
    QPushButton* ButVexloStart = nullptr;
    QPushButton* ButVexloStop = nullptr;
    QPushButton* ButVexloAction = nullptr;
    QPushButton* ButVexloAcknowlegde = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    QLabel* FrameOptionsLabel0 = nullptr;
    QLabel* FrameOptionsLabel1 = nullptr;
    QLabel* FrameOptionsLabel2 = nullptr;
    QLineEdit* FrameOptionsTitle = nullptr;
    QPlainTextEdit* FrameOptionsText = nullptr;
    QLineEdit* FrameOptionsWaveFile = nullptr;
    QPushButton* ButOptionsBrowse = nullptr;
    QList<QLabel*> aboutTexts_;
    // The control that had the focus when the options or About panel opened.
    QPointer<QWidget> focusBeforePanel_;

    Skins* skins_ = nullptr;
    DesktopShell* shell_ = nullptr;

    QMenu* menufile = nullptr;
    QAction* sep0 = nullptr;
    QAction* menuRetrieve = nullptr;
    QAction* menuClear = nullptr;
    QAction* menuSave = nullptr;
    QAction* menuMode1 = nullptr;
    QAction* menuMode2 = nullptr;
    QAction* menuExit = nullptr;
};
