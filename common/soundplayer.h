#pragma once

#include <QString>

// Plays a sound file without waiting for it. A new request replaces a sound still playing; a
// path that names no playable file plays the desktop's default alert sound instead.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // A relative path is looked up in the program folder.
    virtual void play(const QString& path) = 0;
    // Gets ready for a sound soon to come, so that play() of the same path is heard at once:
    // called ahead of a known moment (an event in the next minute, a running countdown).
    virtual void prepare(const QString& path) { (void)path; }
    // How long before a known moment callers prepare its sound: any tick comes well within it,
    // and no stream is held open through a long countdown.
    static constexpr qint64 kPrepareAheadSeconds = 60;
    // False once the output found no audio server or device, or lost it: a sound asked for now
    // would not be heard, and the user must be told another way.
    virtual bool audible() const { return true; }
};
