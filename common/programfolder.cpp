#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString withSlash(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

QString programFolder()
{
    const QDir appDir(QCoreApplication::applicationDirPath());
    const QString candidates[] = {
        appDir.absolutePath(),
        appDir.absoluteFilePath(QStringLiteral("../share/vexlo")),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(QDir(candidate).filePath(QStringLiteral("Timer1.wav"))))
            return withSlash(QDir::cleanPath(candidate));
    }
    return withSlash(appDir.absolutePath());
}

QString resolveInFolder(const QString& folder, const QString& path)
{
    if (path.isEmpty() || QFileInfo(path).isAbsolute())
        return path;
    return QDir(folder).filePath(path);
}
