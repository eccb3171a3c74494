#pragma once

#include <QString>

class Clock;
class Dialogs;
class HelpViewer;
class SettingsStore;
class SoundPlayer;

// What a window needs from the desktop, handed to its constructor: the real implementations
// from main(), fakes from the tests.
struct Platform {
    SettingsStore& store;
    Clock& clock;
    SoundPlayer& sound;
    Dialogs& dialogs;
    HelpViewer& help;
    // The folder of the data files, ending in "/".
    QString programFolder;
};
