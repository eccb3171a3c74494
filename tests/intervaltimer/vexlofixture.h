#pragma once

#include "digitsshown.h"
#include "fakeclock.h"
#include "recordinghelpviewer.h"
#include "recordinglauncher.h"
#include "recordingsoundplayer.h"
#include "recordingstacking.h"
#include "refusingstore.h"
#include "scripteddialogs.h"
#include "scripteddisplaymodes.h"
#include "tempstore.h"
#include "timerkeys.h"
#include "vexlo.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

// A Vexlo window over a store of its own, a clock standing at 12/25/2026 12:00:00 PM, a
// sound player that records and a desktop that records what is asked of it.
class VexloTest : public ::testing::Test {
protected:
    Platform platform(SettingsStore& store)
    {
        return {store, clock, sound, dialogs, help, VEXLO_PROGRAM_DIR};
    }
    Platform platform() { return platform(t.store); }
    ShellPlatform shell() { return {stacking, launcher, displayModes}; }

    // A window of its own over `store`, not shown.
    std::unique_ptr<Vexlo> make(SettingsStore& store)
    {
        return std::make_unique<Vexlo>(platform(store), shell());
    }

    Vexlo& open()
    {
        window = make(t.store);
        window->show();
        return *window;
    }

    template <typename W = QWidget> W* child(const QString& name) const
    {
        W* widget = window->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    QAction* item(const QString& name) const { return child<QAction>(name); }
    bool shown(const QString& name) const { return !child(name)->isHidden(); }
    QString text(const QString& name) const { return child<QLabel>(name)->text(); }
    QScrollBar* bar(int n) const { return child<QScrollBar>(QStringLiteral("HScroll%1").arg(n)); }

    void setTime(int minutes, int seconds)
    {
        bar(1)->setValue(minutes);
        bar(2)->setValue(seconds);
    }

    // The digits as a reader sees them, "24:00:59" or " 1:15:00".
    QString display() const { return digitsShown(*window); }

    // The tick at each of the next `seconds` seconds.
    void tickEverySecond(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1);
            window->Timer1Tick();
        }
    }

    // Runs a set time out: start, then tick until the alarm.
    void runOut(int minutes, int seconds)
    {
        setTime(minutes, seconds);
        window->StartStopTimer();
        tickEverySecond(minutes * 60 + seconds);
    }

    TempStore t;
    FakeClock clock;
    RecordingSoundPlayer sound;
    ScriptedDialogs dialogs;
    RecordingHelpViewer help;
    RecordingStacking stacking;
    RecordingLauncher launcher;
    ScriptedDisplayModes displayModes;
    std::unique_ptr<Vexlo> window;
};
