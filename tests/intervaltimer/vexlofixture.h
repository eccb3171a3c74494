#pragma once

#include "digitsshown.h"
#include "fakedesktop.h"
#include "refusingstore.h"
#include "timerkeys.h"
#include "vexlo.h"

#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

// A Vexlo window on a fake desktop.
class VexloTest : public ::testing::Test, protected FakeDesktop {
protected:
    // A window of its own over `store`, not shown, its panels built.
    std::unique_ptr<Vexlo> make(SettingsStore& store)
    {
        auto made = std::make_unique<Vexlo>(platform(store), shell());
        made->buildPanels();
        return made;
    }

    Vexlo& open() { return open(t.store); }

    Vexlo& open(SettingsStore& store)
    {
        window = make(store);
        window->show();
        // What the start has to say comes once the window is up.
        QCoreApplication::processEvents();
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

    std::unique_ptr<Vexlo> window;
};
