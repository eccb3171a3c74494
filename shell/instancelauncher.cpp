#include "instancelauncher.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

InstanceLauncher::Result ProcessInstanceLauncher::startAnother()
{
    const QString program = QCoreApplication::applicationFilePath();
    const QFileInfo file(program);
    if (program.isEmpty() || !file.isFile() || !file.isExecutable())
        return Result::Refused;

    QProcess process;
    process.setProgram(program);
    process.setArguments({});
    // No input for the new copy: it is a window, not a child of ours.
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached() ? Result::Started : Result::Failed;
}
