#pragma once

// The windows of the family's programs built in this test program, as a user has them: one
// settings store, one clock and one program folder for all, with the desktop's other services
// replaced by fakes that record what was asked of them.

#include "almanor.h"
#include "digitsshown.h"
#include "fakeclock.h"
#include "fullscreenvexlo.h"
#include "imagelist.h"
#include "pellum.h"
#include "recordinghelpviewer.h"
#include "recordinglauncher.h"
#include "recordingnotifier.h"
#include "recordingsoundplayer.h"
#include "recordingstacking.h"
#include "scripteddialogs.h"
#include "scripteddisplaymodes.h"
#include "vexlo.h"

#include <QAction>
#include <QCoreApplication>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

class Family {
public:
    // `help` stands in for the recording viewer when given (the real one, on a help file).
    explicit Family(SettingsStore& store, QString folder = QStringLiteral(VEXLO_PROGRAM_DIR),
                    HelpViewer* help = nullptr)
        : store_(store), folder_(std::move(folder)), help_(help ? *help : recordingHelp)
    {
    }

    Platform platform() { return {store_, clock, sound, dialogs, help_, notifier, folder_}; }

    std::unique_ptr<Vexlo> vexlo()
    {
        auto window =
            std::make_unique<Vexlo>(platform(), ShellPlatform{stacking, launcher, displayModes});
        window->show();
        QCoreApplication::processEvents(); // what the start has to say, over the window
        return window;
    }

    std::unique_ptr<Almanor> almanor()
    {
        auto window = std::make_unique<Almanor>(platform());
        window->show();
        return window;
    }

    std::unique_ptr<FullScreenVexlo> fullScreen()
    {
        auto window = std::make_unique<FullScreenVexlo>(platform(), QRect(0, 0, 1280, 800));
        window->show();
        return window;
    }

    std::unique_ptr<Pellum> pellum()
    {
        auto window =
            std::make_unique<Pellum>(platform(), ShellPlatform{stacking, launcher, displayModes});
        window->show();
        QCoreApplication::processEvents(); // what the start has to say, over the window
        return window;
    }

    FakeClock clock;
    RecordingSoundPlayer sound;
    ScriptedDialogs dialogs;
    RecordingHelpViewer recordingHelp;
    RecordingNotifier notifier;
    RecordingStacking stacking;
    RecordingLauncher launcher;
    ScriptedDisplayModes displayModes;

private:
    SettingsStore& store_;
    QString folder_;
    HelpViewer& help_;
};

template <typename W = QWidget> W* child(const QWidget& window, const QString& name)
{
    W* found = window.findChild<W*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

inline QAction* item(const QWidget& window, const QString& name)
{
    return child<QAction>(window, name);
}

// The set time of an interval timer (Vexlo or FullScreenVexlo), through its scroll bars.
inline void setTime(const QWidget& timer, int minutes, int seconds)
{
    child<QScrollBar>(timer, QStringLiteral("HScroll1"))->setValue(minutes);
    child<QScrollBar>(timer, QStringLiteral("HScroll2"))->setValue(seconds);
}

// Whether the window's Timer1 runs: the tick the event loop would call next.
inline bool ticking(const QWidget& window)
{
    return child<QTimer>(window, QStringLiteral("Timer1"))->isActive();
}
