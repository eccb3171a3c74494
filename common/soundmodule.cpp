// The sound module's entry point. The programs load the module at their first sound
// (LazySoundPlayer), which keeps Qt Multimedia, the audio server's client library and libsndfile
// with its codecs out of their start-up.
#include "audiosoundplayer.h"
#include "soundmodule.h"

extern "C" Q_DECL_EXPORT SoundPlayer* vexloCreateSoundPlayer(const QString& folder,
                                                             QObject* parent)
{
    return new AudioSoundPlayer(folder, parent);
}
