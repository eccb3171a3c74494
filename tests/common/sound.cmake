# The sound player: decoding and conversion on their own, then real playback into a PulseAudio
# null sink that the tests start themselves (pulseaudio and parec from pulseaudio-utils).
vexlo_add_test(sound_tests
    SOURCES soundplayer_test.cpp
    LIBS vexlo_common PkgConfig::SNDFILE
    PROPERTIES TIMEOUT 120)
