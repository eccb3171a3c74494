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

// The keys of a desktop timer window (Vexlo, Pellum): each is the program's name and a word,
// "Vexlo Path", and other programs and older installations read them by these very names.
struct TimerWindowKeys {
    TimerWindowKeys() = default;
    explicit TimerWindowKeys(const QString& program);
    QString path;       // the program folder
    QString background; // the skin's picture file
    QString foreColor1;
    QString foreColor2;
    QString runDefaultColors; // "True" for the Default look
    QString mode;             // "True" normal, "False" stopwatch
    QString positionLeft;     // twips from the screen's left edge
    QString positionTop;
    QString alwaysOnTop;  // "1" on top, anything else not
    QString currentTitle; // the title of the window that last opened a new timer

    // What `mode` holds.
    inline static const QString kNormalMode = QStringLiteral("True");
    inline static const QString kStopWatchMode = QStringLiteral("False");
};

// The settings a start goes on with once the first-run defaults are written.
struct FirstRun {
    // Every key of the table with the value this run uses: the stored one, or its default.
    SettingsStore::Values values;
    // What the store refused to keep ("The settings"), or empty: the program tells the user
    // once, with refusalMessage(refused).
    QString refused;

    QString value(const QString& key) const;
};

// Writes the first-run default of each key of `table` that the store holds empty, together with
// `alsoSave`, in one write, so that another program never reads half a first run.
//
// A store that refuses that write loses nothing: the run goes on with the defaults it meant to
// store, as a first run would, and the program tells the user once that its settings could not
// be saved, with the store's refusal message. The keys stay empty, so the next start tries again.
FirstRun writeFirstRunDefaults(SettingsStore& store, const StoredKeys& table,
                               const SettingsStore::Values& alsoSave = {});

// The start of a program whose empty path key marks its first run (Vexlo, Pellum): the first run
// starts afresh, writing every default of `table`, the path among them, over whatever else the
// store held of them; a refused write is told as above. A later run takes what is stored, except
// that a stored folder that is none here (a store copied from another machine, where no skin
// would ever be found) gives way to the table's path, the other choices staying.
FirstRun startWithPath(SettingsStore& store, const StoredKeys& table, const QString& pathKey);
