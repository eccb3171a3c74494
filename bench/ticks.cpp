// What one tick of each program costs, and one get and one save of the settings store, each
// the median of many runs with a fake clock; and the resident memory after 100 ticks against
// after 100,000. Prints one line per figure: "<name> <value> <unit>".
#include "almanor.h"
#include "fakeclock.h"
#include "fullscreenvexlo.h"
#include "recordinghelpviewer.h"
#include "recordingnotifier.h"
#include "recordingsoundplayer.h"
#include "scripteddialogs.h"
#include "settingsstore.h"
#include "timetext.h"
#include "trackerkeys.h"

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMicroseconds(int runs, const std::function<void()>& once)
{
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        once();
        const auto elapsed = std::chrono::steady_clock::now() - start;
        times.push_back(std::chrono::duration<double, std::micro>(elapsed).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

struct Fakes {
    QTemporaryDir dir;
    IniSettingsStore store{dir.path()};
    FakeClock clock;
    RecordingSoundPlayer sound;
    ScriptedDialogs dialogs;
    RecordingHelpViewer help;
    RecordingNotifier notifier;
    Platform platform()
    {
        return {store, clock, sound, dialogs, help, notifier, VEXLO_PROGRAM_DIR};
    }
};

// Ticks a window the way its timer would, the clock moving a second every other tick, and
// reports the median tick and the memory growth.
void measureTicks(const char* name, Fakes& fakes, const std::function<void()>& tick)
{
    int count = 0;
    auto step = [&] {
        if (++count % 2 == 0)
            fakes.clock.advance(1);
        tick();
    };
    for (int i = 0; i < 100; ++i)
        step();
    const long before = residentKilobytes();
    std::printf("tick_%s %.2f us\n", name, medianMicroseconds(10000, step));
    for (int i = 0; i < 90000; ++i) {
        step();
        fakes.sound.requests.clear();
    }
    std::printf("rss_growth_%s %ld kB\n", name, residentKilobytes() - before);
}

void dateVexlo()
{
    Fakes fakes;
    for (int n = 1; n <= 15; ++n) {
        const QDateTime at = fakes.clock.now().addDays(30 + n).addSecs(n * 3607);
        using trackerkeys::SlotField;
        // Empty rows would tick faster and make a figure too good.
        if (!fakes.store.saveAll(
                {{trackerkeys::slotKey(n, SlotField::Message), QStringLiteral("Event %1").arg(n)},
                 {trackerkeys::slotKey(n, SlotField::Date), timetext::dateText(at.date())},
                 {trackerkeys::slotKey(n, SlotField::Time), timetext::timeText(at.time())}}))
            qFatal("The store refused the events to tick");
    }
    Almanor window(fakes.platform());
    window.show();
    measureTicks("DateVexlo", fakes, [&] { window.Timer1Tick(); });
}

void fullScreenVexlo()
{
    Fakes fakes;
    FullScreenVexlo window(fakes.platform(), QRect(0, 0, 1280, 800));
    window.show();
    window.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(1440);
    window.findChild<QScrollBar*>(QStringLiteral("HScroll2"))->setValue(59);
    window.menustartClick();
    measureTicks("FullScreenVexlo", fakes, [&] { window.Timer1Tick(); });
}

void store()
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.path());
    SettingsStore::Values values;
    for (int i = 0; i < 200; ++i)
        values.append({QStringLiteral("Bench Key %1").arg(i), QStringLiteral("value %1").arg(i)});
    if (!store.saveAll(values))
        qFatal("The store refused the keys to read");
    int i = 0;
    std::printf("store_get %.2f us\n", medianMicroseconds(1000, [&] {
                    store.get(QStringLiteral("Bench Key %1").arg(++i % 200));
                }));
    std::printf("store_save %.2f us\n", medianMicroseconds(200, [&] {
                    // Timed, not checked: a temporary folder takes every write.
                    (void)store.save(QStringLiteral("Bench Key %1").arg(++i % 200),
                                     QStringLiteral("x"));
                }));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    dateVexlo();
    fullScreenVexlo();
    store();
    return 0;
}
