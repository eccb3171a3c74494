#pragma once

#include "qtprinters.h"
#include "settingsstore.h"

#include <QTemporaryDir>

// A real settings store in a folder of its own that disappears with the test.
class TempStore {
public:
    TempStore() : store(dir.path()) {}

    QTemporaryDir dir;
    IniSettingsStore store;
};
