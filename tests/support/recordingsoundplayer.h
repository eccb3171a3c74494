#pragma once

#include "soundplayer.h"

#include <QStringList>

// Remembers every sound the program asked for, or got ready for, in order.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(const QString& path) override { requests.append(path); }
    void prepare(const QString& path) override { prepared.append(path); }
    bool audible() const override { return heard; }

    QStringList requests;
    QStringList prepared;
    bool heard = true; // false plays a desktop without a sound server
};
