// Puts a program's settings in the state a benchmark needs, under CONFIG_FOLDER:
//     bench_seed <config folder> DateVexlo|Vexlo|FullScreenVexlo|Pellum
// DateVexlo gets fifteen events weeks ahead; the interval timers a saved time of five minutes.
#include "fullscreenkeys.h"
#include "settingsstore.h"
#include "timerkeys.h"
#include "timetext.h"
#include "trackerkeys.h"

#include <QCoreApplication>
#include <QDateTime>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    IniSettingsStore store(QString::fromLocal8Bit(argv[1]));
    const QString program = QString::fromLocal8Bit(argv[2]);
    SettingsStore::Values values;
    if (program == u"DateVexlo") {
        const QDateTime now = QDateTime::currentDateTime();
        for (int n = 1; n <= 15; ++n) {
            using trackerkeys::SlotField;
            const QDateTime at = now.addDays(20 + n).addSecs(n * 3607);
            values.append({trackerkeys::slotKey(n, SlotField::Message), QStringLiteral("Event %1").arg(n)});
            values.append({trackerkeys::slotKey(n, SlotField::Date), timetext::dateText(at.date())});
            values.append({trackerkeys::slotKey(n, SlotField::Time), timetext::timeText(at.time())});
        }
    } else if (program == u"Vexlo") {
        values = {{timerkeys::kSavedMinutes, QStringLiteral("5")},
                  {timerkeys::kSavedSeconds, QStringLiteral("0")},
                  {timerkeys::kWindow.alwaysOnTop, QStringLiteral("0")}};
    } else if (program == u"FullScreenVexlo") {
        values = {{fullscreenkeys::kMinutes, QStringLiteral("5")},
                  {fullscreenkeys::kSeconds, QStringLiteral("0")}};
    }
    return values.isEmpty() || store.saveAll(values) ? 0 : 1;
}
