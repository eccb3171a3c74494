// From a sound request to its first sample in the sink, through the programs' own player (the
// module loaded at the first sound or at prepare()), in a fresh process each run. The sink's
// monitor is recorded with parec; a marker played by paplay into the same sink some time before
// the request ties the request to the recording. Prints one line per case:
//   <case> <ms heard after the request> <ms the call itself took>
// Usage: bench_soundlatency <sink> first|prepared   (PULSE_SERVER names the server)
#include "lazysoundplayer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <numbers>

namespace {

constexpr int rate = 16000;

class Recording {
public:
    explicit Recording(const QString& sink)
    {
        QObject::connect(&parec_, &QProcess::readyReadStandardOutput, &parec_,
                         [this] { data_ += parec_.readAllStandardOutput(); });
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("--device=") + sink + QStringLiteral(".monitor"),
                      QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                      QStringLiteral("--channels=1"), QStringLiteral("--rate=%1").arg(rate),
                      QStringLiteral("--latency-msec=20")});
    }
    ~Recording()
    {
        parec_.kill();
        parec_.waitForFinished(2000);
    }
    qint64 frames() const { return data_.size() / 2; }
    qint64 firstAbove(qint64 from, float level) const
    {
        for (qint64 i = std::max<qint64>(from, 0); i < frames(); ++i) {
            qint16 v = 0;
            std::memcpy(&v, data_.constData() + i * 2, 2);
            if (std::abs(v / 32768.0f) > level)
                return i;
        }
        return -1;
    }

private:
    QProcess parec_;
    QByteArray data_;
};

void runUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < timeoutMs) {
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

bool writeMarker(const QString& path)
{
    // A 3 kHz burst of 30 ms, 16-bit mono WAV.
    constexpr int wavRate = 44100;
    QByteArray samples;
    for (int n = 0; n < wavRate * 3 / 100; ++n) {
        const auto v = qint16(0.9 * 32767 * std::sin(2 * std::numbers::pi * 3000 * n / wavRate));
        samples.append(reinterpret_cast<const char*>(&v), 2);
    }
    QByteArray header("RIFF");
    const auto put32 = [&](quint32 v) { header.append(reinterpret_cast<const char*>(&v), 4); };
    const auto put16 = [&](quint16 v) { header.append(reinterpret_cast<const char*>(&v), 2); };
    put32(quint32(36 + samples.size()));
    header.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(wavRate);
    put32(wavRate * 2);
    put16(2);
    put16(16);
    header.append("data");
    put32(quint32(samples.size()));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(header + samples) > 0;
}

// Plays the marker, makes the request 300 ms after the marker is recorded, and prints how long
// after the request the recording heard something new.
void measure(const char* name, Recording& recording, const QString& sink, const QString& marker,
             const std::function<void()>& request, float level)
{
    const qint64 before = recording.frames();
    QProcess paplay;
    paplay.start(QStringLiteral("paplay"), {QStringLiteral("--device=") + sink, marker});
    runUntil([&] { return recording.firstAbove(before, 0.7f) >= 0; }, 10000);
    const qint64 onset = recording.firstAbove(before, 0.7f);
    const qint64 seen = recording.frames();
    QElapsedTimer since;
    since.start();
    runUntil([&] { return since.elapsed() >= 300; }, 1000);
    const qint64 requestAt = seen + since.nsecsElapsed() * rate / 1'000'000'000;
    QElapsedTimer call;
    call.start();
    request();
    const double callMs = double(call.nsecsElapsed()) / 1e6;
    runUntil([&] { return recording.frames() >= requestAt + 4 * rate; }, 10000);
    paplay.waitForFinished(2000);
    const qint64 heard =
        recording.firstAbove(std::max(onset + rate / 20, requestAt - rate / 10), level);
    std::printf("%s %.1f %.1f\n", name, heard < 0 ? -1.0 : double(heard - requestAt) * 1000 / rate,
                callMs);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString sink = QString::fromLocal8Bit(argv[1]);
    const bool prepared = std::strcmp(argv[2], "prepared") == 0;
    QTemporaryDir dir;
    const QString marker = dir.filePath(QStringLiteral("marker.wav"));
    if (!writeMarker(marker))
        return 1;
    Recording recording(sink);
    // The monitor's recording takes a moment to get going.
    runUntil([&] { return recording.frames() >= 2 * rate; }, 10000);

    LazySoundPlayer player(QStringLiteral(VEXLO_PROGRAM_DIR),
                           {QStringLiteral(VEXLO_PROGRAM_DIR "vexlo_audio.so")}, nullptr);
    const QString sound = QStringLiteral("Timer1.wav");
    if (prepared) {
        player.prepare(sound);
        runUntil([] { return false; }, 1000);
        measure(
            "prepared", recording, sink, marker, [&] { player.play(sound); }, 0.002f);
    } else {
        measure(
            "first", recording, sink, marker, [&] { player.play(sound); }, 0.002f);
    }
    // Once it has ended: the same sound again.
    measure(
        "again", recording, sink, marker, [&] { player.play(sound); }, 0.002f);
    return 0;
}
