#pragma once

#include "countdowntexts.h"
#include "platform.h"
#include "screenlayout.h"
#include "timerengine.h"

#include <QRect>
#include <QString>
#include <QWidget>

class About;
class DigitDisplay;
enum class ScrollBarMoved;
class NoTimeSelected;
class Options;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QTimer;

// The full-screen timer's working state, one field per hidden control, with their first texts.
// Numbers are held as their decimal text. The count itself is the engine's.
struct FullScreenState {
    QString LabelScrollMinutes = QStringLiteral("LabelScrollMinutes");
    QString LabelTimeRemaining = QStringLiteral("LabelTimeRemaining");       // "1:01:05"
    QString LabelRemainingMinutes = QStringLiteral("LabelRemainingMinutes"); // what Save keeps
    QString LabelRemainingSeconds = QStringLiteral("LabelRemainingSeconds");
    QString LabelSound3 = QStringLiteral("LabelSound3");
    QString LabelPath; // where the sound browser opens
};

// FullScreenVexlo's one window: an interval timer in very large digits over a whole screen,
// with the user's message above it. A click anywhere opens its command menu.
class FullScreenVexlo : public QWidget {
    Q_OBJECT

public:
    // `screen` is the screen the window covers, in device-independent pixels.
    FullScreenVexlo(const Platform& platform, const QRect& screen, QWidget* parent = nullptr);

    const FullScreenState& state() const { return state_; }
    bool normalMode() const { return engine_.mode() == TimerEngine::Mode::Normal; }
    // The fields the count is kept in, as the texts they read.
    QString LabelSecondsInputted() const { return QString::number(engine_.duration()); }
    QString LabelFutureTime() const
    {
        return engine_.momentText(QStringLiteral("LabelFutureTime"));
    }
    // Seconds to the target as taken at the last tick; its first text means no run yet.
    QString LabelSecondsRemaining() const { return engine_.countText(fullscreen::kNoRunYet); }

    // Makes the options and About windows: once the window is first drawn, or when one is
    // first opened.
    void buildDialogs();

    // Event handlers, public so that tests drive them as the event loop would.
    void HScroll1Change();
    void HScroll2Change();
    void menustartClick();
    void menuAcknowledgeClick();
    void butAcknowledgeClick();
    void menuSaveClick();
    void menuRetrieveClick();
    void menuClearClick();
    void menuTimingMode1Click();
    void menuTimingMode2Click();
    void Timer1Tick();
    void Timer2Tick();
    void menuScreenSize1Click();
    void menuScreenSize2Click();
    void menuOptionsClick();
    void menuHelpClick();
    void menuhelpaboutClick();
    void menuExitClick();
    // A click on the window or on any picture, panel or label in it.
    void FormClick();

    // Draws a remaining count of seconds in the digits and the fields.
    void displayTimeRemaining(qint64 seconds);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTimerPanel();
    void buildTimeIsUpPanel();
    void buildMenu();
    void buildModeMenus();
    void startUp();
    void applyLayout(fullscreen::ScreenSize size);
    void selectScreenSize(fullscreen::ScreenSize size);
    void markTimingMode(bool normal);
    void selectTimingMode(bool normal);
    void setTimeChanged(ScrollBarMoved moved);
    void showScrollBars(bool shown);
    void showTimeItems(bool shown);
    void timeIsUp(qint64 remaining);
    void recentre();
    void applyOptions(const QString& message, const QString& sound);
    void showMessage(const QString& message);
    void reportUnsaved(const QString& what);
    int screenWidth() const;

    Platform platform_;
    QRect screen_;
    FullScreenState state_;
    fullscreen::ScreenLayout layout_;
    TimerEngine engine_{TimerEngine::Direction::Down};

    QLabel* LabelMessage = nullptr;
    QFrame* Frame1 = nullptr;
    ::DigitDisplay* DigitDisplay = nullptr; // Image1 to Image8
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QLabel* LabelUseScrollBar1 = nullptr;
    QLabel* LabelUseScrollBar2 = nullptr;
    QLabel* LabelStartClear = nullptr;
    QFrame* Frame2 = nullptr;
    QFrame* Frame3 = nullptr;
    QLabel* LabelTimeIsUp = nullptr;
    QPushButton* butAcknowledge = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    QMenu* menufile = nullptr;
    QAction* menustart = nullptr;
    QAction* menuAcknowledge = nullptr;
    QAction* sep1 = nullptr;
    QAction* menuRetrieve = nullptr;
    QAction* menuClear = nullptr;
    QAction* menuSave = nullptr;
    QAction* sep2 = nullptr;
    QAction* menuTimingMode1 = nullptr;
    QAction* menuTimingMode2 = nullptr;
    QAction* menuScreenSize1 = nullptr;
    QAction* menuScreenSize2 = nullptr;
    QAction* menuHelp = nullptr;

    Options* options_ = nullptr;
    NoTimeSelected* noTimeSelected_ = nullptr;
    About* about_ = nullptr;
};
