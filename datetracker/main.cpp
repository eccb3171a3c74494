#include "almanor.h"
#include "desktopplatform.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    DesktopPlatform desktop(app);
    Almanor window(desktop.platform());
    window.show();
    return app.exec();
}
