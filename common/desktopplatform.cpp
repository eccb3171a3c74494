#include "desktopplatform.h"

#include "desktoplook.h"
#include "programfolder.h"

#include <QApplication>

namespace {

// The look comes first, so that every window made after it is drawn in it.
QString preparedFolder(QApplication& app)
{
    applyDesktopLook(app);
    return programFolder();
}

} // namespace

DesktopPlatform::DesktopPlatform(QApplication& app)
    : folder_(preparedFolder(app)),
      sound_(folder_, LazySoundPlayer::moduleCandidates(), &app),
      help_(folder_ + QStringLiteral("Vexlo.hlp"))
{
}

Platform DesktopPlatform::platform()
{
    return Platform{store_, clock_, sound_, dialogs_, help_, folder_};
}
