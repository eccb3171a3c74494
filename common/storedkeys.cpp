#include "storedkeys.h"

#include <QCoreApplication>
#include <QFileInfo>

QString FirstRun::value(const QString& key) const
{
    for (const auto& [k, value] : values) {
        if (k == key)
            return value;
    }
    return QString();
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

namespace {

FirstRun writeEveryDefault(SettingsStore& store, const StoredKeys& table)
{
    FirstRun run;
    for (const StoredKey& entry : table)
        run.values.append({entry.key, entry.firstRunDefault});
    if (!store.saveAll(run.values))
        run.refused = QCoreApplication::translate("FirstRun", "The settings");
    return run;
}

} // namespace

FirstRun startWithPath(SettingsStore& store, const StoredKeys& table, const QString& pathKey)
{
    if (store.get(pathKey).isEmpty())
        return writeEveryDefault(store, table);
    FirstRun run;
    for (const StoredKey& entry : table) {
        QString value = store.get(entry.key);
        if (entry.key == pathKey && !QFileInfo(value).isDir()) {
            value = entry.firstRunDefault;
            if (!store.save(pathKey, value))
                run.refused = QCoreApplication::translate("FirstRun", "The program folder");
        }
        run.values.append({entry.key, value});
    }
    return run;
}
