#pragma once

#include <QString>

class Clock;
class SettingsStore;
class SoundPlayer;

// What a window needs from the desktop, handed to its constructor: the real implementations
// from main(), fakes from the tests.
struct Platform {
    SettingsStore& store;
    Clock& clock;
    SoundPlayer& sound;
    // The folder of the data files, ending in "/".
    QString programFolder;
};
