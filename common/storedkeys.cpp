#include "storedkeys.h"

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
    if (!missing.isEmpty())
        run.refused = !store.saveAll(missing);
    return run;
}
