#pragma once

#include "controlnamed.h"
#include "digitsshown.h"
#include "fakedesktop.h"
#include "pellum.h"
#include "pellumkeys.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

// A Pellum window on a fake desktop (Pellum has no sound to play).
class PellumTest : public ::testing::Test, protected FakeDesktop {
protected:
    // A window of its own over `store`, not shown, its panels built.
    std::unique_ptr<Pellum> make(SettingsStore& store)
    {
        auto made = std::make_unique<Pellum>(platform(store), shell());
        made->buildPanels();
        return made;
    }

    Pellum& open() { return open(t.store); }

    Pellum& open(SettingsStore& store)
    {
        window = make(store);
        window->show();
        // What the start has to say comes once the window is up.
        QCoreApplication::processEvents();
        return *window;
    }

    template <typename W = QWidget> W* the(const QString& name) const
    {
        return controlNamed<W>(*window, name);
    }
    bool shown(const QString& name) const { return !the(name)->isHidden(); }

    // The digits as a reader sees them: " 1:02:03".
    QString display() const { return digitsShown(*window); }

    // The tick at each of the next `seconds` seconds.
    void tickFor(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1);
            window->Timer1Tick();
        }
    }

    std::unique_ptr<Pellum> window;
};
