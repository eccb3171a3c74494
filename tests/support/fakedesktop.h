#pragma once

#include "fakeclock.h"
#include "platform.h"
#include "recordinghelpviewer.h"
#include "recordinglauncher.h"
#include "recordingnotifier.h"
#include "recordingsoundplayer.h"
#include "recordingstacking.h"
#include "scripteddialogs.h"
#include "scripteddisplaymodes.h"
#include "shellplatform.h"
#include "tempstore.h"

// Everything a window of the family asks of the desktop, in-process: a store of its own, a
// clock standing at 12/25/2026 12:00:00 PM, and a sound player, dialogs, help, notifications,
// stacking, launcher and display modes that record what is asked of them or answer as scripted.
struct FakeDesktop {
    Platform platform(SettingsStore& store)
    {
        return {store, clock, sound, dialogs, help, notifier, VEXLO_PROGRAM_DIR};
    }
    Platform platform() { return platform(t.store); }
    ShellPlatform shell() { return {stacking, launcher, displayModes}; }

    TempStore t;
    FakeClock clock;
    RecordingSoundPlayer sound;
    ScriptedDialogs dialogs;
    RecordingHelpViewer help;
    RecordingNotifier notifier;
    RecordingStacking stacking;
    RecordingLauncher launcher;
    ScriptedDisplayModes displayModes;
};
