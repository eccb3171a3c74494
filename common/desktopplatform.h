#pragma once

#include "clock.h"
#include "desktopnotifier.h"
#include "dialogs.h"
#include "helpwindow.h"
#include "lazysoundplayer.h"
#include "platform.h"
#include "settingsstore.h"

class QApplication;

// The real desktop behind a program's windows: the user's settings store, the system clock,
// the audio server, Qt's dialogs, the help window on Vexlo.hlp and the desktop's notifications.
// main() makes one and hands platform() to its window.
class DesktopPlatform {
public:
    // Also gives the application the family's look.
    explicit DesktopPlatform(QApplication& app);

    Platform platform();

private:
    QString folder_;
    IniSettingsStore store_;
    SystemClock clock_;
    LazySoundPlayer sound_;
    QtDialogs dialogs_;
    HelpWindow help_;
    DesktopNotifier notifier_;
};
