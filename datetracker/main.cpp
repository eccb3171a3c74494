#include "almanor.h"
#include "desktopnotifier.h"
#include "desktopplatform.h"
#include "programstart.h"
#include "singleinstance.h"
#include "startupfeedback.h"

#include <QApplication>

int main(int argc, char** argv)
{
    const ProgramIdentity dateVexlo{
        QStringLiteral("DateVexlo"), QStringLiteral("org.orvane.datevexlo"),
        QStringLiteral("Date Vexlo 8.01"),
        QStringLiteral("Counts down to fifteen dated events and sounds each one as it falls due.")};
    // Qt takes it from the environment as the application starts.
    const QByteArray startupId = qgetenv("DESKTOP_STARTUP_ID");
    return runProgram(argc, argv, dateVexlo, FirstFrame::ReadsPictures, [&](QApplication& app) {
        // Two copies on one store would ring every event twice and overwrite each other's
        // edits: a second start brings the first to the front instead.
        SingleInstance single(dateVexlo.desktopId, IniSettingsStore().fileName());
        if (single.handedOver()) {
            endStartupFeedback(startupId);
            return 0;
        }
        DesktopPlatform desktop(app);
        Almanor window(desktop.platform());
        QObject::connect(&single, &SingleInstance::activationRequested, &window,
                         [&window] { DesktopNotifier::bringToFront(&window); });
        window.show();
        return app.exec();
    });
}
