#include "desktopplatform.h"
#include "fullscreenvexlo.h"
#include "programstart.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>

int main(int argc, char** argv)
{
    const ProgramIdentity fullScreenVexlo{
        QStringLiteral("FullScreenVexlo"), QStringLiteral("org.orvane.fullscreenvexlo"),
        QStringLiteral("Full Screen Vexlo 8.01"),
        QStringLiteral("An interval timer over the whole screen, readable across a room.")};
    return runProgram(argc, argv, fullScreenVexlo, FirstFrame::DrawsOnly, [](QApplication& app) {
        DesktopPlatform desktop(app);
        // The screen the user is looking at: the one with the pointer. The display is asked where
        // the pointer is only when there is a choice; the question took a millisecond of a start.
        QScreen* screen = QGuiApplication::screens().size() > 1
                              ? QGuiApplication::screenAt(QCursor::pos())
                              : nullptr;
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        FullScreenVexlo window(desktop.platform(),
                               screen ? screen->geometry() : QRect(0, 0, 1024, 768));
        if (screen)
            window.setScreen(screen);
        window.showFullScreen();
        return app.exec();
    });
}
