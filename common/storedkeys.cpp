#include "storedkeys.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

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
