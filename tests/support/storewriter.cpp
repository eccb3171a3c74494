// Saves COUNT keys "PREFIX <i>" = "value <i>" into the store under CONFIG_FOLDER, one save at a
// time, and exits with 1 as soon as a save reports failure. Started by the store tests to play
// another program of the family writing at the same time. A COUNT of 0 saves until killed and
// prints the number of every key whose save reported success.
#include "settingsstore.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    IniSettingsStore store(args[1]);
    const int count = args[3].toInt();
    for (int i = 0; count == 0 || i < count; ++i) {
        const QString n = QString::number(i);
        if (!store.save(args[2] + u' ' + n, QStringLiteral("value ") + n))
            return 1;
        if (count == 0) {
            std::printf("%d\n", i);
            std::fflush(stdout);
        }
    }
    return 0;
}
