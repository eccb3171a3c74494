#pragma once

#include "elapsedtexts.h"
#include "timerwindow.h"

#include <QString>

// Pellum's working state, one field per hidden label, with its first text. The count itself is
// the engine's.
struct PellumState {
    QString LabelTotalTimeRemaining1 = elapsed::kNothingShown; // "1:02:03"
};

// Pellum's main window: an elapsed-time timer that counts up from Start in large digits.
class Pellum : public TimerWindow {
    Q_OBJECT

public:
    Pellum(const Platform& platform, const ShellPlatform& shell, QWidget* parent = nullptr);

    // Event handlers, public so that tests drive them as the event loop would.
    void ButPellumStartClick();
    void ButPellumStopClick();
    void Timer1Tick() override;
    void menuclearClick();

    // Draws a count in the digits and keeps its text in LabelTotalTimeRemaining1.
    void displayTimeElapsed(qint64 seconds);

    const PellumState& state() const { return state_; }
    // The fields the count is kept in, as the texts they read: the start, "12/25/2026 12:00:00 PM",
    // and the count of the last tick.
    QString LabelTimeStarted3() const { return engine_.momentText(elapsed::kNoStart); }
    QString LabelSecondsRemaining3() const { return engine_.countText(elapsed::kNoCount); }

protected:
    SkinLook buildOptionsParts() override;
    SkinFields mended(SkinFields fields) override;
    void focusAfterPanel() override;

private:
    void buildTimerPanel();
    void startUp();
    void drawCleared();
    void showClear(bool shown);

    PellumState state_;
    QLabel* FrameLabel1 = nullptr; // the hint
    QAction* menuclear = nullptr;
};
