#pragma once

#include <QString>

// Plays a sound file without waiting for it. A new request replaces a sound still playing; a
// path that names no playable file plays the desktop's default alert sound instead.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // A relative path is looked up in the program folder.
    virtual void play(const QString& path) = 0;
};
