#pragma once

#include "settingsstore.h"

#include <QList>
#include <QString>

// A key of the shared store and what a program's first run writes under it. Each program lists
// its keys with their first-run defaults in one such table, in its own folder.
struct StoredKey {
    QString key;
    QString firstRunDefault;
};
using StoredKeys = QList<StoredKey>;

// The settings a start goes on with once the first-run defaults are written.
struct FirstRun {
    // Every key of the table with the value this run uses: the stored one, or its default.
    SettingsStore::Values values;
    // The store refused the defaults; the program tells the user once, with refusalMessage.
    bool refused = false;

    QString value(const QString& key) const;
};

// Writes the first-run default of each key of `table` that the store holds empty, together with
// `alsoSave`, in one write, so that another program never reads half a first run.
//
// A store that refuses that write loses nothing: the run goes on with the defaults it meant to
// store, as a first run would, and the program tells the user once that its settings were not
// saved, with the store's refusal message. The keys stay empty, so the next start tries again.
FirstRun writeFirstRunDefaults(SettingsStore& store, const StoredKeys& table,
                               const SettingsStore::Values& alsoSave = {});
