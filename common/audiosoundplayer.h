#pragma once

#include "soundplayer.h"

#include <QAudioFormat>
#include <QDateTime>
#include <QIODevice>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

class QAudioSink;

// Frames of sound as floats in -1..1, channels interleaved, read front to back.
class SoundSource {
public:
    virtual ~SoundSource() = default;
    virtual int sampleRate() const = 0;
    virtual int channels() const = 0;
    virtual qint64 frames() const = 0;
    // Reads up to `count` frames into `out`; returns how many were read (0 at the end).
    virtual qint64 read(float* out, qint64 count) = 0;
    // The file the frames come from; empty for a sound made in memory.
    virtual QString filePath() const = 0;
};

// A whole sound in memory.
struct DecodedSound {
    int sampleRate = 0;
    int channels = 0;
    std::vector<float> samples; // interleaved

    qint64 frames() const { return channels > 0 ? qint64(samples.size()) / channels : 0; }
};

// The file as a sound, or nullptr when it is missing or holds no audio libsndfile can read.
std::unique_ptr<SoundSource> openSoundFile(const QString& path);
std::unique_ptr<SoundSource> memorySoundSource(DecodedSound sound);
// Reads a whole file; for short sounds and for checking what a file holds.
std::optional<DecodedSound> decodeSound(const QString& path);

// The desktop's alert sound (the freedesktop theme's bell) when installed, else empty.
QString desktopAlertSoundPath();
// Two short beeps, for a desktop without a sound theme.
DecodedSound generatedAlertTone();
// The desktop bell, or the generated beeps when the bell is missing or unreadable.
std::unique_ptr<SoundSource> openAlertSound();
// What play(path) plays: the file, looked up in `folder` when relative, else the alert.
std::unique_ptr<SoundSource> openSoundOrAlert(const QString& folder, const QString& path);

// A sound converted on the fly, as it is read, to an output format: sample rate (linear
// interpolation), channel count and sample type. Reads whole files in small pieces, so a long
// sound neither fills memory nor stalls the caller.
class SoundStream final : public QIODevice {
    Q_OBJECT
public:
    SoundStream(std::unique_ptr<SoundSource> source, const QAudioFormat& format,
                QObject* parent = nullptr);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    // The length of the whole converted sound.
    qint64 totalBytes() const { return outFrames_ * format_.bytesPerFrame(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    void convertNextBlock();
    float inputSample(qint64 frame, int channel) const;
    void loadInput(qint64 firstNeeded, qint64 lastNeeded);

    std::unique_ptr<SoundSource> source_;
    QAudioFormat format_;
    int inChannels_ = 0;
    qint64 inFrames_ = 0;
    qint64 outFrames_ = 0;
    qint64 outDone_ = 0;        // output frames converted so far
    std::vector<float> window_; // input frames from windowStart_ on
    qint64 windowStart_ = 0;
    bool sourceDone_ = false;
    QByteArray pending_; // converted bytes not yet read
    qsizetype pendingPos_ = 0;
};

// The family's sound output: decodes with libsndfile and plays through the default audio
// output of Qt Multimedia.
class AudioSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    // `folder` is the program folder, ending in "/", where relative paths are looked up.
    AudioSoundPlayer(const QString& folder, QObject* parent);
    ~AudioSoundPlayer() override;

    void play(const QString& path) override;
    // Opens the sound and its stream to the audio server and holds the stream back, so that
    // play(path) only lets it go. Asked again for the same path, it keeps what it has; unused
    // for a while, the stream is closed again.
    void prepare(const QString& path) override;
    bool audible() const override { return audible_; }

private:
    static constexpr int kReadyFor = 90'000;     // ms a prepared stream waits for its play()
    static constexpr qint64 kQueuedUs = 250'000; // queued in the server while playing

    // A stream opened ahead of its play(), with its file as it was then: a file replaced since
    // is opened again.
    struct Ready {
        QString path;
        QString file;
        qint64 size = -1;
        QDateTime modified;
        QPointer<QAudioSink> sink;
    };

    QAudioSink* openSink(const QString& path);
    static bool unchanged(const Ready& ready);
    void stop();
    void dropReady();
    // Closes the sink, if any, and forgets it.
    void release(QPointer<QAudioSink>& sink);
    void readyStateChanged();
    void sinkStateChanged();

    QString folder_;
    bool audible_ = true;
    // The sink playing now, a child of this player; the stream it reads is the sink's child,
    // so it outlives the sink's own teardown.
    QPointer<QAudioSink> sink_;
    // Lets the audio already handed to the server finish before the sink is closed.
    QTimer releaseTimer_;
    Ready ready_;
    QTimer readyTimer_;
};
