#include "storedkeys.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

TimerWindowKeys::TimerWindowKeys(const QString& program)
{
    const auto key = [&program](const char* word) {
        return program + QLatin1Char(' ') + QLatin1String(word);
    };
    path = key("Path");
    background = key("Background");
    foreColor1 = key("ForeColor 1");
    foreColor2 = key("ForeColor 2");
    runDefaultColors = key("Run Default Colors");
    mode = key("Mode");
    positionLeft = key("Position Left");
    positionTop = key("Position Top");
    alwaysOnTop = key("Always On Top");
    currentTitle = key("Current Title");
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
