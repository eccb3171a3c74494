#include "desktopplatform.h"

#include "desktoplook.h"
#include "programfolder.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

namespace {

// The look comes first, so that every window made after it is drawn in it.
QString preparedFolder(QApplication& app)
{
    applyDesktopLook(app);
    return programFolder();
}

} // namespace

DesktopPlatform::DesktopPlatform(QApplication& app)
    : folder_(preparedFolder(app)), sound_(folder_, LazySoundPlayer::moduleCandidates(), &app),
      help_(folder_ + QStringLiteral("Vexlo.hlp")),
      notifier_({QApplication::applicationDisplayName(),
                 QGuiApplication::desktopFileName()},
                &app)
{
    // Said once: the save that repaired the file leaves it readable from then on. Shown after
    // the step that saved has ended, not in the middle of it.
    store_.onDamagedFileKept([this](const QString& copy) {
        QTimer::singleShot(0, QCoreApplication::instance(), [this, copy] {
            dialogs_.message(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                             QApplication::translate(
                                 "DesktopPlatform",
                                 "The settings file had lines that could not be read. They were "
                                 "left out when it was saved again; the file as it was is kept "
                                 "as %1.")
                                 .arg(QDir::toNativeSeparators(copy)));
        });
    });
}

Platform DesktopPlatform::platform()
{
    return Platform{store_, clock_, sound_, dialogs_, help_, notifier_, folder_};
}
