#pragma once

#include "timerwindow.h"

#include <QString>

class QPlainTextEdit;
class QScrollBar;
class SoundChoice;

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
};

// Vexlo's main window: an interval timer that counts a set time down in large digits and
// raises an alarm at zero.
class Vexlo : public TimerWindow {
    Q_OBJECT

public:
    Vexlo(const Platform& platform, const ShellPlatform& shell, QWidget* parent = nullptr);

    const VexloState& state() const { return state_; }
    // The fields the count is kept in, as the texts they read.
    QString LabelSecondsInputted1() const { return QString::number(engine_.duration()); }
    // The target, "12/25/2026 12:05:00 PM", and the count as taken at the last tick.
    QString LabelFutureTime1() const { return engine_.momentText(QString()); }
    QString LabelSecondsRemaining1() const { return engine_.countText(QStringLiteral("0")); }

    // Event handlers, public so that tests drive them as the event loop would.
    void HScroll1Change();
    void HScroll2Change();
    void StartStopTimer(); // Start and Stop both
    void ButVexloAcknowlegdeClick();
    void Timer1Tick() override;
    void Timer2Tick();
    void menuRetrieveClick();
    void menuClearClick();
    void menuSaveClick();
    void ButOptionsBrowseClick();

    // Draws `seconds` in the digits and returns it as a sentence.
    QString showTimeRemaining(qint64 seconds);

protected:
    SkinLook buildOptionsParts() override;
    void loadOptions() override;
    bool saveOptions() override;
    void cancelOptions() override;
    void focusAfterPanel() override;
    // The alarm panel stays up while the time is up: it is closed by its own OK.
    bool timerPanelCovered() const override;

private:
    void buildTimerPanel();
    void buildAlarmPanel();
    void buildLook();
    void startUp();
    void timeIsUp(qint64 remaining);
    void setTimeChanged(ScrollBarMoved moved);
    void showScrollBars(bool shown);
    void clearTime();
    void showTimeItems(bool shown);
    void enableRetrieve();
    void showMessage(const QString& message);
    QString storedMessage() const;

    VexloState state_;
    bool messageFitted_ = false; // the message's font size, chosen for its text

    SkinPanel* FrameVexlo2 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QLabel* FrameLabel1 = nullptr;
    QLabel* FrameLabel2 = nullptr;
    QLabel* FrameLabel3 = nullptr;
    QLabel* FrameLabel4 = nullptr;
    QLabel* FrameLabel6 = nullptr;
    QPushButton* ButVexloAcknowlegde = nullptr;
    QTimer* Timer2 = nullptr;

    QLabel* FrameOptionsLabel1 = nullptr;
    QLabel* FrameOptionsLabel2 = nullptr;
    QPlainTextEdit* FrameOptionsText = nullptr;
    QLineEdit* FrameOptionsWaveFile = nullptr;
    QPushButton* ButOptionsBrowse = nullptr;
    SoundChoice* soundChoice_ = nullptr;

    QAction* menuRetrieve = nullptr;
    QAction* menuClear = nullptr;
    QAction* menuSave = nullptr;
};
