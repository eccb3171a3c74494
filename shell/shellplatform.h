#pragma once

class DisplayModes;
class InstanceLauncher;
class WindowStacking;

// What the desktop-timer shell needs from the desktop besides the common Platform, handed to
// the window's constructor: the real implementations from main(), fakes from the tests.
struct ShellPlatform {
    WindowStacking& stacking;
    InstanceLauncher& launcher;
    DisplayModes& displayModes;
};
