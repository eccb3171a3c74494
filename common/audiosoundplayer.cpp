#include "audiosoundplayer.h"

#include "programfolder.h"
#include "regularfile.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QStandardPaths>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <numeric>
#include <utility>

namespace {

// Rates outside this range are not sounds anyone means to play; such a file gets the alert.
constexpr int minimumRate = 1000;
constexpr int maximumRate = 768000;
constexpr int maximumChannels = 64;
// Keeps frame positions times rates inside 64 bits; also turns away "unknown length".
constexpr qint64 maximumFrames = std::numeric_limits<qint64>::max() / maximumRate;

// Output frames converted per step; small enough to keep each read of the sink quick.
constexpr qint64 blockFrames = 1024;

class SndFileSource final : public SoundSource {
public:
    SndFileSource(SNDFILE* file, const SF_INFO& info, const QString& path)
        : file_(file, &sf_close), info_(info), path_(path)
    {
    }

    int sampleRate() const override { return info_.samplerate; }
    int channels() const override { return info_.channels; }
    qint64 frames() const override { return info_.frames; }
    qint64 read(float* out, qint64 count) override
    {
        const sf_count_t got = sf_readf_float(file_.get(), out, count);
        return got > 0 ? got : 0;
    }
    QString filePath() const override { return path_; }

private:
    std::unique_ptr<SNDFILE, decltype(&sf_close)> file_;
    SF_INFO info_;
    QString path_;
};

class MemorySource final : public SoundSource {
public:
    explicit MemorySource(DecodedSound sound) : sound_(std::move(sound)) {}

    int sampleRate() const override { return sound_.sampleRate; }
    int channels() const override { return sound_.channels; }
    qint64 frames() const override { return sound_.frames(); }
    qint64 read(float* out, qint64 count) override
    {
        const qint64 n = std::clamp<qint64>(frames() - position_, 0, count);
        const auto first = sound_.samples.begin() + position_ * sound_.channels;
        std::copy(first, first + n * sound_.channels, out);
        position_ += n;
        return n;
    }
    QString filePath() const override { return {}; }

private:
    DecodedSound sound_;
    qint64 position_ = 0;
};

template <typename Sample> void store(Sample sample, char* out)
{
    std::memcpy(out, &sample, sizeof sample);
}

// Float -1..1 to the output's sample type; values past full scale are clipped, not wrapped.
void encodeSample(float value, QAudioFormat::SampleFormat format, char* out)
{
    const double v = std::clamp(std::isfinite(value) ? double(value) : 0.0, -1.0, 1.0);
    switch (format) {
    case QAudioFormat::UInt8:
        return store(quint8(std::lround(v * 127.0) + 128), out);
    case QAudioFormat::Int16:
        return store(qint16(std::lround(v * 32767.0)), out);
    case QAudioFormat::Int32:
        return store(qint32(std::llround(v * 2147483647.0)), out);
    case QAudioFormat::Float:
        return store(float(v), out);
    default:
        return;
    }
}

// The first format the device takes: the sound as it is, the sound at the device's rate, the
// device's own format. Conversion to it is done by SoundStream.
QAudioFormat outputFormatFor(const QAudioDevice& device, int sampleRate, int channels)
{
    const QAudioFormat preferred = device.preferredFormat();
    QAudioFormat format;
    format.setSampleFormat(preferred.sampleFormat() != QAudioFormat::Unknown
                               ? preferred.sampleFormat()
                               : QAudioFormat::Int16);
    format.setChannelCount(std::min(channels, 2));
    format.setSampleRate(sampleRate);
    if (device.isFormatSupported(format))
        return format;
    format.setSampleRate(preferred.sampleRate());
    if (device.isFormatSupported(format))
        return format;
    return preferred;
}

} // namespace

std::unique_ptr<SoundSource> openSoundFile(const QString& path)
{
    // libsndfile would open a FIFO or device node and block on it; only plain files are sounds.
    if (!isRegularFile(path))
        return nullptr;
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return nullptr;
    if (info.frames <= 0 || info.frames > maximumFrames || info.channels < 1 ||
        info.channels > maximumChannels || info.samplerate < minimumRate ||
        info.samplerate > maximumRate) {
        sf_close(file);
        return nullptr;
    }
    return std::make_unique<SndFileSource>(file, info, path);
}

std::unique_ptr<SoundSource> memorySoundSource(DecodedSound sound)
{
    if (sound.channels < 1 || sound.sampleRate < minimumRate || sound.sampleRate > maximumRate ||
        sound.frames() == 0)
        return nullptr;
    sound.samples.resize(sound.frames() * sound.channels);
    return std::make_unique<MemorySource>(std::move(sound));
}

std::optional<DecodedSound> decodeSound(const QString& path)
{
    const std::unique_ptr<SoundSource> source = openSoundFile(path);
    if (!source)
        return std::nullopt;
    DecodedSound sound;
    sound.sampleRate = source->sampleRate();
    sound.channels = source->channels();
    std::vector<float> block(blockFrames * sound.channels);
    while (const qint64 got = source->read(block.data(), blockFrames))
        sound.samples.insert(sound.samples.end(), block.begin(),
                             block.begin() + got * sound.channels);
    if (sound.samples.empty())
        return std::nullopt;
    return sound;
}

QString desktopAlertSoundPath()
{
    for (const char* name : {"bell.oga", "bell.ogg", "bell.wav"}) {
        const QString path = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                    QStringLiteral("sounds/freedesktop/stereo/") +
                                                        QLatin1String(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

DecodedSound generatedAlertTone()
{
    constexpr int rate = 44100;
    constexpr double beep = 0.12;  // seconds
    constexpr double period = 0.2; // seconds from one beep to the next
    constexpr double ramp = 0.005; // fade in and out, against clicks
    constexpr double frequency = 880;
    DecodedSound sound;
    sound.sampleRate = rate;
    sound.channels = 1;
    sound.samples.resize(static_cast<size_t>((period + beep) * rate));
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        const double t = double(i) / rate;
        const double local = t < period ? t : t - period;
        if (local >= beep)
            continue;
        const double envelope = std::min({1.0, local / ramp, (beep - local) / ramp});
        sound.samples[i] =
            float(0.5 * envelope * std::sin(2 * std::numbers::pi * frequency * local));
    }
    return sound;
}

std::unique_ptr<SoundSource> openAlertSound()
{
    if (auto bell = openSoundFile(desktopAlertSoundPath()))
        return bell;
    return memorySoundSource(generatedAlertTone());
}

std::unique_ptr<SoundSource> openSoundOrAlert(const QString& folder, const QString& path)
{
    if (auto sound = openSoundFile(resolveInFolder(folder, path)))
        return sound;
    return openAlertSound();
}

SoundStream::SoundStream(std::unique_ptr<SoundSource> source, const QAudioFormat& format,
                         QObject* parent)
    : QIODevice(parent), source_(std::move(source)), format_(format)
{
    const bool usable = source_ && source_->frames() > 0 && source_->frames() <= maximumFrames &&
                        source_->channels() > 0 && source_->sampleRate() > 0 &&
                        source_->sampleRate() <= maximumRate && format_.isValid() &&
                        format_.sampleRate() <= maximumRate &&
                        format_.sampleFormat() < QAudioFormat::NSampleFormats;
    if (!usable)
        return; // an empty stream: nothing to read
    inChannels_ = source_->channels();
    inFrames_ = source_->frames();
    // Output frame k sits at input position k * inRate / outRate; the sound ends where that
    // passes the last input frame.
    const qint64 inRate = source_->sampleRate();
    const qint64 outRate = format_.sampleRate();
    outFrames_ = (inFrames_ * outRate + inRate - 1) / inRate;
}

qint64 SoundStream::bytesAvailable() const
{
    const qint64 unconverted = (outFrames_ - outDone_) * format_.bytesPerFrame();
    return unconverted + (pending_.size() - pendingPos_) + QIODevice::bytesAvailable();
}

qint64 SoundStream::readData(char* data, qint64 maxSize)
{
    qint64 copied = 0;
    while (copied < maxSize) {
        if (pendingPos_ == pending_.size()) {
            if (outDone_ == outFrames_)
                break;
            convertNextBlock();
        }
        const qint64 n = std::min<qint64>(maxSize - copied, pending_.size() - pendingPos_);
        std::memcpy(data + copied, pending_.constData() + pendingPos_, size_t(n));
        pendingPos_ += n;
        copied += n;
    }
    return copied;
}

float SoundStream::inputSample(qint64 frame, int channel) const
{
    // Past the last frame the sound holds its final value, so the last output frames
    // interpolate towards it instead of towards silence.
    frame = std::min(frame, inFrames_ - 1);
    const qint64 offset = frame - windowStart_;
    if (offset < 0 || offset * inChannels_ >= qint64(window_.size()))
        return 0; // the file ended early (changed while playing): silence
    return window_[size_t(offset * inChannels_ + channel)];
}

void SoundStream::loadInput(qint64 firstNeeded, qint64 lastNeeded)
{
    lastNeeded = std::min(lastNeeded, inFrames_ - 1);
    // Drop the frames already played past; keep the ones the next outputs interpolate from.
    const qint64 drop =
        std::clamp<qint64>(firstNeeded - windowStart_, 0, qint64(window_.size()) / inChannels_);
    window_.erase(window_.begin(), window_.begin() + drop * inChannels_);
    windowStart_ += drop;
    while (!sourceDone_ && windowStart_ + qint64(window_.size()) / inChannels_ <= lastNeeded) {
        const qint64 want = lastNeeded + 1 - (windowStart_ + qint64(window_.size()) / inChannels_);
        const size_t oldSize = window_.size();
        window_.resize(oldSize + size_t(want * inChannels_));
        const qint64 got = source_->read(window_.data() + oldSize, want);
        window_.resize(oldSize + size_t(got * inChannels_));
        if (got == 0)
            sourceDone_ = true;
    }
}

void SoundStream::convertNextBlock()
{
    const qint64 inRate = source_->sampleRate();
    const qint64 outRate = format_.sampleRate();
    const int outChannels = format_.channelCount();
    const int bytesPerSample = format_.bytesPerSample();
    const qint64 count = std::min(blockFrames, outFrames_ - outDone_);

    const qint64 first = outDone_ * inRate / outRate;
    const qint64 last = (outDone_ + count - 1) * inRate / outRate + 1;
    loadInput(first, last);

    pending_.resize(count * format_.bytesPerFrame());
    pendingPos_ = 0;
    char* out = pending_.data();
    std::vector<float> frame(static_cast<size_t>(inChannels_));
    for (qint64 k = outDone_; k < outDone_ + count; ++k) {
        const qint64 position = k * inRate;
        const qint64 index = position / outRate;
        const float fraction = float(double(position % outRate) / double(outRate));
        for (int c = 0; c < inChannels_; ++c) {
            const float a = inputSample(index, c);
            frame[size_t(c)] = fraction == 0 ? a : a + (inputSample(index + 1, c) - a) * fraction;
        }
        for (int c = 0; c < outChannels; ++c) {
            float value = 0;
            if (inChannels_ == 1)
                value = frame[0];
            else if (outChannels == 1)
                value = std::accumulate(frame.begin(), frame.end(), 0.0f) / float(inChannels_);
            else if (c < inChannels_)
                value = frame[size_t(c)];
            encodeSample(value, format_.sampleFormat(), out);
            out += bytesPerSample;
        }
    }
    outDone_ += count;
}

AudioSoundPlayer::AudioSoundPlayer(const QString& folder, QObject* parent)
    : QObject(parent), folder_(folder)
{
    releaseTimer_.setSingleShot(true);
    connect(&releaseTimer_, &QTimer::timeout, this, &AudioSoundPlayer::stop);
    readyTimer_.setSingleShot(true);
    connect(&readyTimer_, &QTimer::timeout, this, &AudioSoundPlayer::dropReady);
}

AudioSoundPlayer::~AudioSoundPlayer()
{
    stop();
    dropReady();
}

void AudioSoundPlayer::prepare(const QString& path)
{
    // Asked at every tick ahead of a moment: a ready stream for the same, unchanged file stays.
    if (ready_.sink && ready_.path == path && unchanged(ready_)) {
        readyTimer_.start(kReadyFor);
        return;
    }
    dropReady();
    const QString file = resolveInFolder(folder_, path);
    const QFileInfo info(file);
    // The stream is opened now and held back, so that play() only lets it go.
    ready_ = {path, file, info.size(), info.lastModified(), openSink(path)};
    if (!ready_.sink)
        return;
    ready_.sink->suspend();
    connect(ready_.sink, &QAudioSink::stateChanged, this, &AudioSoundPlayer::readyStateChanged);
    readyTimer_.start(kReadyFor);
}

void AudioSoundPlayer::play(const QString& path)
{
    stop();
    if (ready_.sink && ready_.path == path && unchanged(ready_)) {
        readyTimer_.stop();
        sink_ = std::exchange(ready_, {}).sink;
        sink_->disconnect(this);
        sink_->resume();
    } else {
        dropReady();
        sink_ = openSink(path);
        if (!sink_)
            return;
    }
    connect(sink_, &QAudioSink::stateChanged, this, &AudioSoundPlayer::sinkStateChanged);
    if (sink_->error() != QAudio::NoError) {
        // Refused at once, e.g. by an audio server that is going away.
        audible_ = false;
        stop();
    }
}

QAudioSink* AudioSoundPlayer::openSink(const QString& path)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    // No server, or no device on it: whoever would have been alerted by a sound must be told
    // another way. A device found later, when the server is back, makes it audible again.
    audible_ = !device.isNull();
    if (!audible_)
        return nullptr;
    std::unique_ptr<SoundSource> source = openSoundOrAlert(folder_, path);
    if (!source)
        return nullptr;
    const QAudioFormat format = outputFormatFor(device, source->sampleRate(), source->channels());
    auto* sink = new QAudioSink(device, format, this);
    auto* stream = new SoundStream(std::move(source), format, sink);
    stream->open(QIODevice::ReadOnly);
    // A quarter of a second queued in the server: enough to ride out a busy moment of the
    // program without a gap in the sound. A new sound still starts at once, since the old
    // stream is dropped with what it had queued.
    sink->setBufferSize(format.bytesForDuration(kQueuedUs));
    sink->start(stream);
    if (sink->error() != QAudio::NoError) {
        audible_ = false;
        sink->deleteLater();
        return nullptr;
    }
    return sink;
}

bool AudioSoundPlayer::unchanged(const Ready& ready)
{
    const QFileInfo info(ready.file);
    return info.size() == ready.size && info.lastModified() == ready.modified;
}

void AudioSoundPlayer::stop()
{
    releaseTimer_.stop();
    release(sink_);
}

void AudioSoundPlayer::dropReady()
{
    readyTimer_.stop();
    release(ready_.sink);
    ready_ = {};
}

void AudioSoundPlayer::release(QPointer<QAudioSink>& sink)
{
    if (!sink)
        return;
    sink->disconnect(this);
    sink->stop();
    // Deleted from the event loop: the backend's teardown may process events, which must not
    // happen inside a caller's play().
    sink->deleteLater();
    sink = nullptr;
}

void AudioSoundPlayer::readyStateChanged()
{
    if (ready_.sink && ready_.sink->error() != QAudio::NoError) {
        // The server went away under the waiting stream: the sound would not be heard.
        audible_ = false;
        QTimer::singleShot(0, this, &AudioSoundPlayer::dropReady);
    }
}

void AudioSoundPlayer::sinkStateChanged()
{
    if (!sink_)
        return;
    const QAudio::State state = sink_->state();
    const SoundStream* stream = sink_->findChild<SoundStream*>();
    if (state == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
        // The server went away or refused the stream; closing here keeps the next play() clean.
        audible_ = false;
        releaseTimer_.start(0);
    } else if (state == QAudio::IdleState && stream && stream->atEnd()) {
        // All of the sound has been handed over, but up to a buffer of it is still to be heard:
        // closing the sink now would cut that off.
        const qint64 queued = sink_->format().durationForBytes(sink_->bufferSize()) / 1000;
        releaseTimer_.start(int(std::clamp<qint64>(queued, 0, 5000)) + 500);
    }
}
