#pragma once

#include <QString>

class Clock;
class Dialogs;
class HelpViewer;
class Notifier;
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
    Notifier& notifier;
    // The folder of the data files, ending in "/".
    QString programFolder;
};
