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
    // Installed, the data files have a folder of their own beside bin/; it is the data folder
    // even when one of its files is missing. In the build tree they sit beside the programs.
    const QDir appDir(QCoreApplication::applicationDirPath());
    const QString installed = appDir.absoluteFilePath(QStringLiteral("../share/vexlo"));
    if (QFileInfo(installed).isDir())
        return withSlash(QDir::cleanPath(installed));
    return withSlash(appDir.absolutePath());
}

QString resolveInFolder(const QString& folder, const QString& path)
{
    if (path.isEmpty() || QFileInfo(path).isAbsolute())
        return path;
    return QDir(folder).filePath(path);
}
