#include "almanor.h"
#include "audiosoundplayer.h"
#include "fakedesktop.h"
#include "trackerkeys.h"
#include "vexlo.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <sys/prctl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <numbers>

namespace {

const QString programDir = QStringLiteral(VEXLO_PROGRAM_DIR);

// A sine with short fades, the same on every channel except for a level step per channel so a
// swapped or mixed channel shows.
std::vector<float> tone(double frequency, double seconds, int rate, int channels,
                        double level = 0.5)
{
    const auto frames = static_cast<qint64>(seconds * rate);
    std::vector<float> samples(size_t(frames * channels));
    for (qint64 n = 0; n < frames; ++n) {
        const double t = double(n) / rate;
        const double fade = std::min({1.0, t / 0.005, (seconds - t) / 0.005});
        for (int c = 0; c < channels; ++c) {
            samples[size_t(n * channels + c)] =
                float((level - 0.1 * c) * fade * std::sin(2 * std::numbers::pi * frequency * t));
        }
    }
    return samples;
}

bool writeWav(const QString& path, int subtype, int rate, int channels,
              const std::vector<float>& samples)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | subtype;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const auto frames = sf_count_t(samples.size()) / channels;
    const bool written = sf_writef_float(file, samples.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}

bool writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QByteArray readAll(QIODevice& device, qint64 chunk)
{
    QByteArray all;
    QByteArray buffer(chunk, Qt::Uninitialized);
    for (qint64 n = device.read(buffer.data(), chunk); n > 0; n = device.read(buffer.data(), chunk))
        all.append(buffer.constData(), n);
    return all;
}

// Qt's own reading of the bytes, independent of the code that wrote them; except unsigned
// 8-bit, which Qt reads as centred on 127 where audio servers put silence at 128.
std::vector<float> samplesOf(const QByteArray& bytes, const QAudioFormat& format)
{
    std::vector<float> samples;
    for (qsizetype at = 0; at + format.bytesPerSample() <= bytes.size();
         at += format.bytesPerSample()) {
        if (format.sampleFormat() == QAudioFormat::UInt8)
            samples.push_back((quint8(bytes[at]) - 128) / 128.0f);
        else
            samples.push_back(format.normalizedSampleValue(bytes.constData() + at));
    }
    return samples;
}

QAudioFormat audioFormat(int rate, int channels, QAudioFormat::SampleFormat sampleFormat)
{
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(sampleFormat);
    return format;
}

struct WavKind {
    const char* name;
    int subtype;
    double step; // one quantization step, full scale 1
};

const WavKind wavKinds[] = {
    {"8-bit", SF_FORMAT_PCM_U8, 1.0 / 128},
    {"16-bit", SF_FORMAT_PCM_16, 1.0 / 32768},
    {"24-bit", SF_FORMAT_PCM_24, 1.0 / 8388608},
    {"32-bit", SF_FORMAT_PCM_32, 1.0 / 2147483648.0},
    {"float", SF_FORMAT_FLOAT, 1e-7},
};

TEST(SoundDecoding, EveryWavFormatDecodesToItsSamples)
{
    QTemporaryDir dir;
    const int rates[] = {8000, 11025, 22050, 44100, 48000, 96000};
    for (const WavKind& kind : wavKinds) {
        for (int channels : {1, 2}) {
            for (int rate : rates) {
                SCOPED_TRACE(testing::Message() << kind.name << ' ' << channels << " ch " << rate);
                const QString path = dir.filePath(QStringLiteral("sound.wav"));
                const std::vector<float> written = tone(440, 0.1, rate, channels);
                ASSERT_TRUE(writeWav(path, kind.subtype, rate, channels, written));

                const std::optional<DecodedSound> sound = decodeSound(path);
                ASSERT_TRUE(sound.has_value());
                EXPECT_EQ(sound->sampleRate, rate);
                EXPECT_EQ(sound->channels, channels);
                ASSERT_EQ(sound->samples.size(), written.size());
                double worst = 0;
                for (size_t i = 0; i < written.size(); ++i)
                    worst = std::max(worst, double(std::abs(sound->samples[i] - written[i])));
                EXPECT_LE(worst, kind.step * 1.01);
            }
        }
    }
}

TEST(SoundStream, ConvertsRateChannelsAndSampleType)
{
    // The input is a ramp; linear interpolation reproduces a ramp exactly, so every output
    // sample has a known value wherever it falls between input frames.
    struct Case {
        const char* name;
        int inRate, inChannels, outRate, outChannels;
        QAudioFormat::SampleFormat sampleFormat;
        double level; // ramp from -level to +level; past 1 the output must clip
        double tolerance;
    };
    const Case cases[] = {
        {"same rate 16-bit", 44100, 1, 44100, 1, QAudioFormat::Int16, 0.9, 2e-4},
        {"8 kHz up to 48 kHz", 8000, 1, 48000, 1, QAudioFormat::Float, 0.9, 1e-5},
        {"96 kHz down to 44.1 kHz", 96000, 2, 44100, 2, QAudioFormat::Int32, 0.9, 1e-5},
        {"11025 up to 44100", 11025, 2, 44100, 2, QAudioFormat::Int16, 0.9, 2e-4},
        {"mono to stereo", 22050, 1, 48000, 2, QAudioFormat::Float, 0.9, 1e-5},
        {"stereo to mono", 48000, 2, 48000, 1, QAudioFormat::Int16, 0.9, 2e-4},
        {"unsigned 8-bit", 16000, 1, 8000, 1, QAudioFormat::UInt8, 0.9, 2.0 / 127},
        {"clipped 16-bit", 44100, 2, 44100, 2, QAudioFormat::Int16, 1.5, 2e-4},
        {"clipped float", 8000, 1, 44100, 1, QAudioFormat::Float, 1.5, 1e-5},
    };
    constexpr qint64 inFrames = 5000; // several conversion blocks
    // Channel 1 is the ramp at minus half, so mixing and mapping both show.
    const auto input = [](double position, int channel, double level) {
        const double ramp =
            level * (-1 + 2 * std::min(position, double(inFrames - 1)) / (inFrames - 1));
        return channel == 0 ? ramp : -0.5 * ramp;
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<float> samples;
        for (qint64 n = 0; n < inFrames; ++n) {
            for (int ch = 0; ch < c.inChannels; ++ch)
                samples.push_back(float(input(double(n), ch, c.level)));
        }
        // Through a float file, so the file reader is part of the path.
        const QString path = dir.filePath(QStringLiteral("ramp.wav"));
        ASSERT_TRUE(writeWav(path, SF_FORMAT_FLOAT, c.inRate, c.inChannels, samples));
        const QAudioFormat format = audioFormat(c.outRate, c.outChannels, c.sampleFormat);
        SoundStream stream(openSoundFile(path), format);
        ASSERT_TRUE(stream.open(QIODevice::ReadOnly));

        const qint64 outFrames = (inFrames * c.outRate + c.inRate - 1) / c.inRate;
        EXPECT_EQ(stream.bytesAvailable(), outFrames * format.bytesPerFrame());
        const QByteArray bytes = readAll(stream, 4096);
        ASSERT_EQ(bytes.size(), outFrames * format.bytesPerFrame());
        EXPECT_TRUE(stream.atEnd());

        const std::vector<float> out = samplesOf(bytes, format);
        double worst = 0;
        qint64 worstAt = 0;
        for (qint64 k = 0; k < outFrames; ++k) {
            const double position = double(k) * c.inRate / c.outRate;
            for (int ch = 0; ch < c.outChannels; ++ch) {
                double expected = 0;
                if (c.inChannels == 1)
                    expected = input(position, 0, c.level);
                else if (c.outChannels == 1)
                    expected = (input(position, 0, c.level) + input(position, 1, c.level)) / 2;
                else
                    expected = input(position, ch, c.level);
                expected = std::clamp(expected, -1.0, 1.0);
                const double error = std::abs(out[size_t(k * c.outChannels + ch)] - expected);
                if (error > worst) {
                    worst = error;
                    worstAt = k;
                }
            }
        }
        EXPECT_LE(worst, c.tolerance) << "at output frame " << worstAt;
    }
}

TEST(SoundStream, SmallReadsGiveTheSameBytesAsOneLargeRead)
{
    // The sink asks for whatever its buffer has room for; conversion state must carry across
    // reads that split frames and blocks anywhere.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tone.wav"));
    ASSERT_TRUE(writeWav(path, SF_FORMAT_PCM_16, 11025, 2, tone(700, 0.5, 11025, 2)));
    const QAudioFormat format = audioFormat(48000, 2, QAudioFormat::Int16);

    SoundStream whole(openSoundFile(path), format);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray expected = readAll(whole, 1 << 24);
    ASSERT_EQ(expected.size(), whole.totalBytes());

    SoundStream pieces(openSoundFile(path), format);
    ASSERT_TRUE(pieces.open(QIODevice::ReadOnly));
    QByteArray got;
    const qint64 sizes[] = {1, 7, 4096, 333, 2};
    for (int i = 0; !pieces.atEnd() && i < 1000000; ++i) {
        const qint64 size = sizes[i % std::size(sizes)];
        EXPECT_EQ(pieces.bytesAvailable(), expected.size() - got.size());
        got += pieces.read(size);
    }
    EXPECT_TRUE(got == expected);
}

TEST(SoundChoice, UnplayablePathsGetTheDesktopAlert)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    ASSERT_TRUE(writeWav(folder + QStringLiteral("tone.wav"), SF_FORMAT_PCM_16, 8000, 1,
                         tone(440, 0.2, 8000, 1)));
    ASSERT_TRUE(writeWav(folder + QStringLiteral("noframes.wav"), SF_FORMAT_PCM_16, 44100, 1, {}));
    ASSERT_TRUE(writeText(folder + QStringLiteral("text.wav"), "This is not a sound.\n"));
    ASSERT_TRUE(writeText(folder + QStringLiteral("empty.wav"), {}));
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("folder.wav")));
    // Opening a pipe with no writer would hang the program.
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + QStringLiteral("pipe.wav")).constData(), 0600),
              0);

    const QString alert = desktopAlertSoundPath();
    struct Case {
        QString folder;
        QString path;
        QString expected; // the file that plays
    };
    const Case cases[] = {
        {folder, QStringLiteral("tone.wav"), folder + QStringLiteral("tone.wav")},
        {programDir, folder + QStringLiteral("tone.wav"), folder + QStringLiteral("tone.wav")},
        {programDir, QStringLiteral("Timer1.wav"), programDir + QStringLiteral("Timer1.wav")},
        // Relative paths are looked up in the given folder only, never the working folder.
        {folder, QStringLiteral("Timer1.wav"), alert},
        {folder, QStringLiteral("missing.wav"), alert},
        {folder, QString(), alert},
        {folder, QStringLiteral("text.wav"), alert},
        {folder, QStringLiteral("empty.wav"), alert},
        {folder, QStringLiteral("noframes.wav"), alert},
        {folder, QStringLiteral("folder.wav"), alert},
        {folder, QStringLiteral("pipe.wav"), alert},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(c.folder + QStringLiteral(" | ") + c.path));
        const std::unique_ptr<SoundSource> source = openSoundOrAlert(c.folder, c.path);
        ASSERT_NE(source, nullptr);
        EXPECT_EQ(source->filePath(), c.expected);
        EXPECT_GT(source->frames(), 0);
    }
}

TEST(SoundChoice, AlertIsTheThemeBellOrElseAGeneratedTone)
{
    const QByteArray savedHome = qgetenv("XDG_DATA_HOME");
    const QByteArray savedDirs = qgetenv("XDG_DATA_DIRS");
    QTemporaryDir dir;
    const QString bellFolder = dir.filePath(QStringLiteral("dirs/sounds/freedesktop/stereo"));
    ASSERT_TRUE(QDir().mkpath(bellFolder));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("home"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("home"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(dir.filePath(QStringLiteral("dirs"))));
    const QString bell = bellFolder + QStringLiteral("/bell.oga");

    enum class Bell { None, Broken, Valid };
    for (Bell state : {Bell::None, Bell::Broken, Bell::Valid}) {
        SCOPED_TRACE(int(state));
        QFile::remove(bell);
        if (state == Bell::Broken) {
            ASSERT_TRUE(writeText(bell, "OggS but not really"));
        } else if (state == Bell::Valid) {
            ASSERT_TRUE(writeWav(bell, SF_FORMAT_PCM_16, 44100, 2, tone(1000, 0.15, 44100, 2)));
        }

        const std::unique_ptr<SoundSource> source = openAlertSound();
        ASSERT_NE(source, nullptr);
        EXPECT_EQ(source->filePath(), state == Bell::Valid ? bell : QString());
        // Whatever was chosen is short and clearly audible.
        std::vector<float> samples(size_t(source->frames() * source->channels()));
        ASSERT_EQ(source->read(samples.data(), source->frames()), source->frames());
        const float peak =
            std::abs(*std::max_element(samples.begin(), samples.end(),
                                       [](float a, float b) { return std::abs(a) < std::abs(b); }));
        EXPECT_GT(peak, 0.25f);
        EXPECT_LT(double(source->frames()) / source->sampleRate(), 1.0);
    }
    qputenv("XDG_DATA_HOME", savedHome);
    qputenv("XDG_DATA_DIRS", savedDirs);
}

TEST(SoundData, TimerOneIsAShortCleanChime)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(
        QFile::encodeName(programDir + QStringLiteral("Timer1.wav")).constData(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    std::vector<float> samples(size_t(info.frames * info.channels));
    const sf_count_t got = sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    ASSERT_EQ(got, info.frames);

    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(info.samplerate, 44100);
    const double seconds = double(info.frames) / info.samplerate;
    EXPECT_GE(seconds, 1.5);
    EXPECT_LE(seconds, 2.5);
    const auto peakOf = [&](size_t from, size_t to) {
        float peak = 0;
        for (size_t i = from; i < to; ++i)
            peak = std::max(peak, std::abs(samples[i]));
        return peak;
    };
    const float peak = peakOf(0, samples.size());
    EXPECT_GT(peak, 0.2f);  // loud enough to notice
    EXPECT_LT(peak, 0.95f); // and not clipped
    // It starts and ends near zero: no click either side.
    const size_t edge = size_t(4 * info.channels);
    EXPECT_LT(peakOf(0, edge), 0.02f);
    EXPECT_LT(peakOf(samples.size() - edge, samples.size()), 0.01f);
}

TEST(SoundPlayerDeathTest, WithoutAnAudioServerPlayIsQuietAndSaysSo)
{
    // In a fresh process, so Qt's audio backend meets a missing server first. The exit code says
    // at which step the player still claimed to be heard.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            qputenv("PULSE_SERVER", "unix:/nonexistent/vexlo/native");
            AudioSoundPlayer player(programDir, nullptr);
            player.prepare(QStringLiteral("Timer1.wav"));
            if (player.audible())
                std::_Exit(3);
            player.play(QStringLiteral("Timer1.wav"));
            player.play(QStringLiteral("missing.wav"));
            QEventLoop loop;
            QTimer::singleShot(200, &loop, &QEventLoop::quit);
            loop.exec();
            std::_Exit(player.audible() ? 4 : 0);
        },
        testing::ExitedWithCode(0), "");
}

// Runs the event loop (which feeds the audio sink) until `done` or `timeoutMs` has passed,
// asking `done` every `pollMs`.
bool runUntil(const std::function<bool()>& done, int timeoutMs, int pollMs = 10)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(pollMs);
    if (!done())
        loop.exec();
    return done();
}

// Child processes die with the test, even when it crashes.
void dieWithParent(QProcess& process)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

// Records the test sink's monitor, mono, as parec delivers it.
class MonitorRecorder {
public:
    static constexpr int rate = 16000;
    static constexpr float silence = 0.002f; // a null sink's silence is exact zeros

    bool start(const QString& device)
    {
        dieWithParent(m_process);
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_process,
                         [this] { m_data += m_process.readAllStandardOutput(); });
        m_process.start(QStringLiteral("parec"),
                        {QStringLiteral("--device=") + device, QStringLiteral("--raw"),
                         QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                         QStringLiteral("--rate=%1").arg(rate),
                         QStringLiteral("--latency-msec=20")});
        return m_process.waitForStarted(5000);
    }
    ~MonitorRecorder()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    qint64 frames() const { return m_data.size() / 2; }
    // The first frame from `from` on louder than `level`, or -1.
    qint64 firstAbove(qint64 from, float level) const
    {
        for (qint64 i = std::max<qint64>(from, 0); i < frames(); ++i) {
            if (std::abs(at(i)) > level)
                return i;
        }
        return -1;
    }
    float at(qint64 frame) const
    {
        qint16 value = 0;
        std::memcpy(&value, m_data.constData() + frame * 2, 2);
        return value / 32768.0f;
    }
    float peak(qint64 from, qint64 to) const
    {
        float result = 0;
        for (qint64 i = std::max<qint64>(from, 0); i < std::min(to, frames()); ++i)
            result = std::max(result, std::abs(at(i)));
        return result;
    }
    // From the first to the last sound in [from, to), in seconds.
    double soundLength(qint64 from, qint64 to) const
    {
        qint64 first = from;
        while (first < to && std::abs(at(first)) < silence)
            ++first;
        qint64 last = to - 1;
        while (last > first && std::abs(at(last)) < silence)
            --last;
        return double(last + 1 - first) / rate;
    }
    // The loudest 50 ms within [from, to).
    double loudestRms(qint64 from, qint64 to) const
    {
        constexpr qint64 window = rate / 20;
        double best = 0;
        for (qint64 start = from; start + window <= to; start += window / 2) {
            double sum = 0;
            for (qint64 i = start; i < start + window; ++i)
                sum += double(at(i)) * at(i);
            best = std::max(best, std::sqrt(sum / window));
        }
        return best;
    }
    // From upward zero crossings over the loud part of [from, to).
    double frequency(qint64 from, qint64 to) const
    {
        const float threshold = 0.2f * peak(from, to);
        std::vector<double> crossings;
        bool armed = false;
        for (qint64 i = from + 1; i < to; ++i) {
            if (at(i) < -threshold)
                armed = true;
            if (armed && at(i - 1) < 0 && at(i) >= 0) {
                crossings.push_back(double(i - 1) + at(i - 1) / (at(i - 1) - at(i)));
                armed = false;
            }
        }
        if (crossings.size() < 3)
            return 0;
        return (crossings.size() - 1) * double(rate) / (crossings.back() - crossings.front());
    }

private:
    QProcess m_process;
    QByteArray m_data;
};

// One PulseAudio server with a null sink for the whole suite, private to this test process.
class SoundOutput : public testing::Test {
protected:
    static constexpr const char* sinkName = "vexlo_test";

    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<QTemporaryDir>();
        startServer();
    }

    static void TearDownTestSuite()
    {
        stopServer();
        s_dir.reset();
        qunsetenv("PULSE_SERVER");
    }

    static void startServer()
    {
        const QString socket = s_dir->filePath(QStringLiteral("native"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable :
             {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_STATE_HOME"})
            environment.insert(QLatin1String(variable), s_dir->path());
        environment.remove(QStringLiteral("PULSE_SERVER"));

        s_server = std::make_unique<QProcess>();
        dieWithParent(*s_server);
        s_server->setProcessEnvironment(environment);
        s_server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        s_server->start(
            QStringLiteral("pulseaudio"),
            {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--system=no"),
             QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
             QStringLiteral("--log-level=error"), QStringLiteral("--log-target=stderr"),
             QStringLiteral("--load=module-null-sink sink_name=%1").arg(QLatin1String(sinkName)),
             QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") +
                 socket});
        if (!s_server->waitForStarted(5000)) {
            s_problem = "pulseaudio did not start: " + s_server->errorString().toStdString();
            return;
        }
        // Qt's audio backend and parec both find the server through this.
        qputenv("PULSE_SERVER", QFile::encodeName(QStringLiteral("unix:") + socket));
        const bool up = runUntil(
            [] {
                QProcess info;
                info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
                return info.waitForFinished(2000) && info.exitStatus() == QProcess::NormalExit &&
                       info.exitCode() == 0;
            },
            10000);
        if (!up)
            s_problem = "the test's PulseAudio server did not answer";
    }

    static void stopServer()
    {
        if (s_server) {
            s_server->terminate();
            if (!s_server->waitForFinished(5000)) {
                s_server->kill();
                s_server->waitForFinished(5000);
            }
        }
        s_server.reset();
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_problem.empty()) << s_problem;
        ASSERT_TRUE(m_recorder.start(QLatin1String(sinkName) + QStringLiteral(".monitor")));
        // A fresh null sink may drop its first stream, and the monitor's recording only gets
        // going after a couple of seconds: play a blip and keep recording well past both.
        const QString blip = m_dir.filePath(QStringLiteral("blip.wav"));
        ASSERT_TRUE(writeWav(blip, SF_FORMAT_PCM_16, 44100, 1, tone(500, 0.1, 44100, 1)));
        m_player.play(blip);
        ASSERT_TRUE(
            runUntil([&] { return m_recorder.frames() >= 3 * MonitorRecorder::rate; }, 15000))
            << "parec recorded nothing";
    }

    // Waits for silence, plays `path` and records for its length and a second more.
    // Returns where the recording of it starts.
    qint64 playAndRecord(const QString& path, double seconds)
    {
        waitForSilence();
        const qint64 mark = m_recorder.frames();
        m_player.play(path);
        const auto length = qint64((seconds + 1.0) * MonitorRecorder::rate);
        EXPECT_TRUE(runUntil([&] { return m_recorder.frames() >= mark + length; }, 20000))
            << "the recording stopped";
        return mark;
    }

    void waitForSilence()
    {
        const qint64 quiet = MonitorRecorder::rate * 3 / 10;
        const bool silent = runUntil(
            [&] {
                const qint64 end = m_recorder.frames();
                return end >= quiet && m_recorder.peak(end - quiet, end) < MonitorRecorder::silence;
            },
            10000);
        EXPECT_TRUE(silent) << "the sink never went quiet";
    }

    // How long after `request` its sound is heard, in ms, measured in the recording against a
    // marker that the server's own client plays into the sink: the request is made a known time
    // after the marker is seen, and its place in the recording is where the marker was seen
    // plus that time. The recording reaches us late, so that place is early and the result errs
    // long. `level` tells the sound from what plays under it. Negative: heard before the
    // request, or not at all.
    double heardAfter(const std::function<void()>& request, float level)
    {
        constexpr int rate = MonitorRecorder::rate;
        const QString marker = m_dir.filePath(QStringLiteral("marker.wav"));
        EXPECT_TRUE(QFile::exists(marker) ||
                    writeWav(marker, SF_FORMAT_PCM_16, 44100, 1, tone(3000, 0.03, 44100, 1, 0.9)));
        const qint64 before = m_recorder.frames();
        QProcess paplay;
        dieWithParent(paplay);
        paplay.start(QStringLiteral("paplay"),
                     {QStringLiteral("--device=") + QLatin1String(sinkName), marker});
        EXPECT_TRUE(runUntil([&] { return m_recorder.firstAbove(before, 0.7f) >= 0; }, 10000, 1))
            << "the marker was never heard";
        const qint64 seenAt = m_recorder.frames();
        QElapsedTimer sinceSeen;
        sinceSeen.start();
        const qint64 markerAt = m_recorder.firstAbove(before, 0.7f);
        // Nothing of the sound may leak out while it is only being got ready.
        EXPECT_GE(m_recorder.firstAbove(before, level), markerAt - rate / 50)
            << "heard before it was asked for";
        // Well after the marker, so that the two never overlap.
        runUntil([&] { return sinceSeen.elapsed() >= 300; }, 1000, 1);
        const qint64 requestAt = seenAt + sinceSeen.nsecsElapsed() * rate / 1'000'000'000;
        request();
        paplay.waitForFinished(5000);
        EXPECT_TRUE(runUntil([&] { return m_recorder.frames() >= requestAt + rate; }, 20000));
        const qint64 heard =
            m_recorder.firstAbove(std::max(markerAt + rate / 20, requestAt - rate / 10), level);
        return heard < 0 ? -1.0 : double(heard - requestAt) * 1000 / rate;
    }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline std::unique_ptr<QProcess> s_server;
    static inline std::string s_problem;

    QTemporaryDir m_dir;
    AudioSoundPlayer m_player{programDir, nullptr};
    MonitorRecorder m_recorder;
};

TEST_F(SoundOutput, EverySoundIsHeard)
{
    struct Case {
        const char* name;
        int subtype; // 0: not a file the test writes
        int rate;
        int channels;
        double frequency; // 0: any
    };
    const Case cases[] = {
        {"Timer1.wav", 0, 0, 0, 0},
        {"u8-mono-8000.wav", SF_FORMAT_PCM_U8, 8000, 1, 440},
        {"u8-stereo-11025.wav", SF_FORMAT_PCM_U8, 11025, 2, 494},
        {"s16-mono-22050.wav", SF_FORMAT_PCM_16, 22050, 1, 523},
        {"s16-stereo-44100.wav", SF_FORMAT_PCM_16, 44100, 2, 587},
        {"s24-mono-96000.wav", SF_FORMAT_PCM_24, 96000, 1, 659},
        {"s24-stereo-32000.wav", SF_FORMAT_PCM_24, 32000, 2, 698},
        {"s32-stereo-48000.wav", SF_FORMAT_PCM_32, 48000, 2, 784},
        {"s32-mono-16000.wav", SF_FORMAT_PCM_32, 16000, 1, 880},
        {"float-mono-44100.wav", SF_FORMAT_FLOAT, 44100, 1, 988},
        {"float-stereo-96000.wav", SF_FORMAT_FLOAT, 96000, 2, 1047},
        // These play the desktop alert.
        {"missing.wav", 0, 0, 0, 0},
        {"text.wav", 0, 0, 0, 0},
    };
    ASSERT_TRUE(writeText(m_dir.filePath(QStringLiteral("text.wav")), "not a sound\n"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString path = QLatin1String(c.name);
        double seconds = 2.5;
        if (c.subtype != 0) {
            path = m_dir.filePath(path);
            seconds = 0.4;
            ASSERT_TRUE(writeWav(path, c.subtype, c.rate, c.channels,
                                 tone(c.frequency, seconds, c.rate, c.channels)));
        } else if (path != QStringLiteral("Timer1.wav")) {
            path = m_dir.filePath(path);
            seconds = 1.0;
        }
        const qint64 from = playAndRecord(path, seconds);
        const qint64 to = from + qint64((seconds + 1.0) * MonitorRecorder::rate);
        EXPECT_GT(m_recorder.loudestRms(from, to), 0.02);
        if (c.frequency > 0) {
            EXPECT_NEAR(m_recorder.frequency(from, to), c.frequency, c.frequency * 0.03);
            // All of it, neither cut short at the end nor stretched.
            EXPECT_NEAR(m_recorder.soundLength(from, to), seconds, 0.05);
        }
    }
}

TEST_F(SoundOutput, NewSoundCutsOffTheOneBeforeIt)
{
    const QString longTone = m_dir.filePath(QStringLiteral("long.wav"));
    const QString shortTone = m_dir.filePath(QStringLiteral("short.wav"));
    ASSERT_TRUE(writeWav(longTone, SF_FORMAT_PCM_16, 44100, 2, tone(440, 5.0, 44100, 2)));
    ASSERT_TRUE(writeWav(shortTone, SF_FORMAT_PCM_16, 44100, 2, tone(1000, 0.3, 44100, 2)));

    const qint64 first = playAndRecord(longTone, 0.0); // a second of the long tone
    EXPECT_GT(m_recorder.loudestRms(first, m_recorder.frames()), 0.02);
    const qint64 second = m_recorder.frames();
    m_player.play(shortTone);
    ASSERT_TRUE(
        runUntil([&] { return m_recorder.frames() >= second + 3 * MonitorRecorder::rate; }, 20000));
    // The short tone is heard, and after it nothing: the long one did not carry on.
    const qint64 end = second + 3 * MonitorRecorder::rate;
    const qint64 settled = second + 2 * MonitorRecorder::rate;
    EXPECT_LT(m_recorder.peak(settled, end), MonitorRecorder::silence);
    qint64 lastSound = settled;
    while (lastSound > second &&
           m_recorder.peak(lastSound - 1, lastSound) < MonitorRecorder::silence)
        --lastSound;
    EXPECT_NEAR(m_recorder.frequency(lastSound - MonitorRecorder::rate / 5, lastSound), 1000, 30);
}

TEST_F(SoundOutput, SoundIsHeardAtOnceWhenAsked)
{
    // A loud start over a quiet body, so that a restart shows over the sound it replaces.
    const QString chime = m_dir.filePath(QStringLiteral("restart.wav"));
    std::vector<float> samples = tone(1500, 0.06, 44100, 1, 0.8);
    const std::vector<float> body = tone(500, 4.0, 44100, 1, 0.1);
    samples.insert(samples.end(), body.begin(), body.end());
    ASSERT_TRUE(writeWav(chime, SF_FORMAT_PCM_16, 44100, 1, samples));

    // The windows ring through the same player as the other rows.
    FakeDesktop desktop;
    const Platform platform{desktop.t.store, desktop.clock,    m_player,  desktop.dialogs,
                            desktop.help,    desktop.notifier, programDir};
    std::unique_ptr<Almanor> almanor;
    std::unique_ptr<Vexlo> vexlo;

    struct Case {
        const char* name;
        std::function<void()> before; // what happens ahead of the moment
        std::function<void()> request;
        float level; // above what plays before it
    };
    const Case cases[] = {
        {"Timer1.wav, prepared", [&] { m_player.prepare(QStringLiteral("Timer1.wav")); },
         [&] { m_player.play(QStringLiteral("Timer1.wav")); }, MonitorRecorder::silence},
        {"a playing sound restarted",
         [&] {
             // Until its loud start is over and its body plays.
             const qint64 from = m_recorder.frames();
             m_player.play(chime);
             EXPECT_TRUE(runUntil(
                 [&] {
                     const qint64 start = m_recorder.firstAbove(from, 0.5f);
                     return start >= 0 && m_recorder.frames() > start + MonitorRecorder::rate / 5;
                 },
                 10000));
         },
         [&] { m_player.play(chime); }, 0.5f},
        {"DateVexlo's event alarm",
         [&] {
             using namespace trackerkeys;
             EXPECT_TRUE(desktop.t.store.saveAll({{slotKey(1, SlotField::Date), "12/25/2026"},
                                                  {slotKey(1, SlotField::Time), "12:00:30 PM"}}));
             almanor = std::make_unique<Almanor>(platform);
             almanor->Timer1Tick();
         },
         [&] {
             desktop.clock.advance(29);
             almanor->Timer1Tick();
         },
         MonitorRecorder::silence},
        {"Vexlo's alarm at zero",
         [&] {
             vexlo = std::make_unique<Vexlo>(platform, desktop.shell());
             vexlo->findChild<QScrollBar*>(QStringLiteral("HScroll2"))->setValue(5);
             vexlo->StartStopTimer();
             vexlo->Timer1Tick();
         },
         [&] {
             desktop.clock.advance(5);
             vexlo->Timer1Tick();
         },
         MonitorRecorder::silence},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        waitForSilence();
        c.before();
        const double ms = heardAfter(
            [&] {
                c.request();
                // Gone once they have rung: their own timers would ring again at the clock the
                // row left, while the next row waits for silence.
                almanor.reset();
                vexlo.reset();
            },
            c.level);
        EXPECT_GE(ms, 0) << "not heard";
        EXPECT_LE(ms, 100);
    }
}

TEST_F(SoundOutput, LosingTheServerIsToldAtOnceAndNothingWaitsForIt)
{
    const QString timer1 = QStringLiteral("Timer1.wav");
    m_player.prepare(timer1);
    EXPECT_TRUE(m_player.audible());

    stopServer();
    // Qt's audio backend learns of it from its connection; the next prepare() asks it.
    EXPECT_TRUE(runUntil(
        [&] {
            m_player.prepare(timer1);
            return !m_player.audible();
        },
        10000));
    m_player.play(timer1);
    EXPECT_FALSE(m_player.audible());

    // Back, for the tests that follow and for the player, which finds it again.
    startServer();
    ASSERT_TRUE(s_problem.empty()) << s_problem;
    EXPECT_TRUE(runUntil(
        [&] {
            m_player.prepare(timer1);
            return m_player.audible();
        },
        20000));
}

} // namespace
