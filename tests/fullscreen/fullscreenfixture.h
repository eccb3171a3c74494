#pragma once

#include "digitsshown.h"
#include "fakeclock.h"
#include "fullscreenkeys.h"
#include "fullscreenvexlo.h"
#include "recordinghelpviewer.h"
#include "recordingnotifier.h"
#include "recordingsoundplayer.h"
#include "refusingstore.h"
#include "scripteddialogs.h"
#include "tempstore.h"
#include "twips.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

// A FullScreenVexlo window covering a 1280 x 800 screen (19200 x 12000 twips), over a store of
// its own, with a clock standing at 12/25/2026 12:00:00 PM and a sound player that records.
class FullScreenTest : public ::testing::Test {
protected:
    static constexpr QRect kScreen{0, 0, 1280, 800};

    Platform platform()
    {
        return {store, clock, sound, dialogs, help, notifier, VEXLO_PROGRAM_DIR};
    }

    // The window with the dialogs it makes once drawn, or as a start leaves it before that.
    FullScreenVexlo& open(bool dialogsBuilt = true)
    {
        window.reset();
        window = std::make_unique<FullScreenVexlo>(platform(), kScreen);
        window->show();
        if (dialogsBuilt)
            window->buildDialogs();
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
    QScrollBar* bar(int n) const { return child<QScrollBar>(QStringLiteral("HScroll%1").arg(n)); }
    QMenu* menu() const { return child<QMenu>("menufile"); }

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

    // Start a set time and tick until the time is up.
    void runOut(int minutes, int seconds)
    {
        setTime(minutes, seconds);
        window->menustartClick();
        tickEverySecond(minutes * 60 + seconds);
    }

    TempStore t;
    RefusingStore store{t.store};
    FakeClock clock;
    RecordingSoundPlayer sound;
    ScriptedDialogs dialogs;
    RecordingHelpViewer help;
    RecordingNotifier notifier;
    std::unique_ptr<FullScreenVexlo> window;
};
