#include "storedkeys.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

// Each is the program's name and a word: "Vexlo" and "Path" make "Vexlo Path".
TimerWindowKeys::TimerWindowKeys(const QString& name)
    : path(name + QLatin1String(" Path")), background(name + QLatin1String(" Background")),
      foreColor1(name + QLatin1String(" ForeColor 1")),
      foreColor2(name + QLatin1String(" ForeColor 2")),
      runDefaultColors(name + QLatin1String(" Run Default Colors")),
      mode(name + QLatin1String(" Mode")), positionLeft(name + QLatin1String(" Position Left")),
      positionTop(name + QLatin1String(" Position Top")),
      alwaysOnTop(name + QLatin1String(" Always On Top")),
      currentTitle(name + QLatin1String(" Current Title"))
{
}

QString FirstRun::value(const QString& key) const
{
    const auto found = std::ranges::find(values, key, &std::pair<QString, QString>::first);
    return found == values.end() ? QString() : found->second;
}

FirstRun writeFirstRunDefaults(SettingsStore& store, const StoredKeys& table,
                               const SettingsStore::Values& alsoSave)
{
    FirstRun run;
    SettingsStore::Values missing = alsoSave;
    for (const StoredKey& entry : table) {
        QString value = store.get(entry.key);
        if (value.isEmpty()) {
            value = entry.firstRunDefault;
            missing.append({entry.key, value});
        }
        run.values.append({entry.key, value});
    }
    if (!missing.isEmpty() && !store.saveAll(missing))
        run.refused = QCoreApplication::translate("FirstRun", "The settings");
    return run;
}

FirstRun startWithPath(SettingsStore& store, const StoredKeys& table, const QString& pathKey)
{
    FirstRun run;
    const bool firstRun = store.get(pathKey).isEmpty();
    for (const StoredKey& entry : table) {
        QString value = firstRun ? entry.firstRunDefault : store.get(entry.key);
        if (!firstRun && entry.key == pathKey && !QFileInfo(value).isDir()) {
            value = entry.firstRunDefault;
            if (!store.save(pathKey, value))
                run.refused = QCoreApplication::translate("FirstRun", "The program folder");
        }
        run.values.append({entry.key, value});
    }
    if (firstRun && !store.saveAll(run.values))
        run.refused = QCoreApplication::translate("FirstRun", "The settings");
    return run;
}
