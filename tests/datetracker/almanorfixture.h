#pragma once

#include "almanor.h"
#include "fakeclock.h"
#include "recordinghelpviewer.h"
#include "recordingnotifier.h"
#include "recordingsoundplayer.h"
#include "refusingstore.h"
#include "scripteddialogs.h"
#include "tempstore.h"
#include "trackerkeys.h"

#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

#include <memory>

// A DateVexlo window over an empty store of its own, a clock standing at 12/25/2026 12:00:00 PM
// and a sound player that records.
class AlmanorTest : public ::testing::Test {
protected:
    Platform platform()
    {
        return {store, clock, sound, dialogs, help, notifier, VEXLO_PROGRAM_DIR};
    }

    // The window with the panels it builds once drawn, or as a start leaves it before that.
    Almanor& open(bool panelsBuilt = true)
    {
        window = std::make_unique<Almanor>(platform());
        if (panelsBuilt)
            window->buildPanels();
        return *window;
    }

    void storeEvent(int n, const QString& message, const QString& date, const QString& time,
                    const QString& wave = QString())
    {
        using trackerkeys::SlotField;
        using trackerkeys::slotKey;
        EXPECT_TRUE(t.store.saveAll({{slotKey(n, SlotField::Message), message},
                                     {slotKey(n, SlotField::Date), date},
                                     {slotKey(n, SlotField::Time), time}}));
        EXPECT_TRUE(wave.isEmpty() || t.store.save(slotKey(n, SlotField::Sound), wave));
    }

    template <typename W = QWidget>
    W* child(const QString& name) const
    {
        W* widget = window->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    QString label(const QString& name) const { return child<QLabel>(name)->text(); }

    bool shown(const QString& name) const { return !child(name)->isHidden(); }

    // The tick at each of the next `seconds` seconds.
    void tickEverySecond(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1);
            window->Timer1Tick();
        }
    }

    TempStore t;
    RefusingStore store{t.store};
    FakeClock clock;
    RecordingSoundPlayer sound;
    ScriptedDialogs dialogs;
    RecordingHelpViewer help;
    RecordingNotifier notifier;
    std::unique_ptr<Almanor> window;
};
