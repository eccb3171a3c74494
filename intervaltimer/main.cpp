#include "desktopplatform.h"
#include "displaymodes.h"
#include "instancelauncher.h"
#include "vexlo.h"
#include "windowstacking.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    DesktopPlatform desktop(app);
    DesktopWindowStacking stacking;
    ProcessInstanceLauncher launcher;
    DesktopDisplayModes displayModes;
    Vexlo window(desktop.platform(), ShellPlatform{stacking, launcher, displayModes});
    window.show();
    return app.exec();
}
