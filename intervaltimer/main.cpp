#include "audiosoundplayer.h"
#include "clock.h"
#include "desktoplook.h"
#include "dialogs.h"
#include "displaymodes.h"
#include "helpwindow.h"
#include "instancelauncher.h"
#include "programfolder.h"
#include "settingsstore.h"
#include "vexlo.h"
#include "windowstacking.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    applyDesktopLook(app);

    QSettingsStore store;
    SystemClock clock;
    const QString folder = programFolder();
    AudioSoundPlayer sound(folder, &app);
    QtDialogs dialogs;
    HelpWindow help(folder + QStringLiteral("Vexlo.hlp"));
    DesktopWindowStacking stacking;
    ProcessInstanceLauncher launcher;
    DesktopDisplayModes displayModes;
    Vexlo window(Platform{store, clock, sound, dialogs, help, folder},
                 ShellPlatform{stacking, launcher, displayModes});
    window.show();
    return app.exec();
}
