#include "pellumkeys.h"

namespace pellumkeys {

SettingsStore::Values firstStartValues()
{
    SettingsStore::Values values;
    for (const Key* key : {&kBackground, &kForeColor1, &kForeColor2, &kPositionLeft, &kPositionTop,
                           &kMode, &kRunDefaultColors})
        values.append({key->name, key->firstStart});
    return values;
}

} // namespace pellumkeys
