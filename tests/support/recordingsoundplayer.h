#pragma once

#include "soundplayer.h"

#include <QStringList>

// Remembers every sound the program asked for, in order.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(const QString& path) override { requests.append(path); }

    QStringList requests;
};
