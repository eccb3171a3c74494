#pragma once

#include "desktopplatform.h"
#include "displaymodes.h"
#include "instancelauncher.h"
#include "programstart.h"
#include "shellplatform.h"
#include "windowstacking.h"

#include <QApplication>

// The main() of a timer on the shell (Vexlo, Pellum): its window on the real desktop, run
// until it closes. Several may run at once.
template <typename Window>
int runTimerProgram(int argc, char** argv, const ProgramIdentity& program)
{
    return runProgram(argc, argv, program, FirstFrame::ReadsPictures, [](QApplication& app) {
        DesktopPlatform desktop(app);
        DesktopWindowStacking stacking;
        ProcessInstanceLauncher launcher;
        DesktopDisplayModes displayModes;
        Window window(desktop.platform(), ShellPlatform{stacking, launcher, displayModes});
        window.show();
        return app.exec();
    });
}
