#pragma once

#include "soundplayer.h"

#include <QObject>
#include <QString>

// What the sound module offers: a player of the program folder's sounds, owned by `parent`.
using CreateSoundPlayer = SoundPlayer* (*)(const QString& folder, QObject* parent);
inline constexpr const char* kCreateSoundPlayer = "vexloCreateSoundPlayer";
inline const QString kSoundModuleFile = QStringLiteral("vexlo_audio.so");
