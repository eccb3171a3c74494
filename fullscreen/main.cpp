#include "desktopplatform.h"
#include "fullscreenvexlo.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    DesktopPlatform desktop(app);
    // The screen the user is looking at: the one with the pointer.
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    FullScreenVexlo window(desktop.platform(),
                           screen ? screen->geometry() : QRect(0, 0, 1024, 768));
    if (screen)
        window.setScreen(screen);
    window.showFullScreen();
    return app.exec();
}
