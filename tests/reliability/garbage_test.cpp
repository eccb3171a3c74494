// Every program, started again and again with random garbage under every key it reads, opens
// its window and runs on: no crash and, in the sanitizer build, no report.
#include "fullscreenkeys.h"
#include "pellumkeys.h"
#include "qtprinters.h"
#include "settingsstore.h"
#include "timerkeys.h"
#include "trackerkeys.h"
#include "x11windowstate.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using x11windowstate::atom;
using x11windowstate::connection;
using x11windowstate::propertyValues;

xcb_window_t rootWindow()
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection())).data->root;
}

bool ofProcess(xcb_window_t window, qint64 pid)
{
    return propertyValues(connection(), window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL).value(0) ==
           quint32(pid);
}

// Whether the window manager manages a window of the process: its window is on screen.
bool hasWindow(qint64 pid)
{
    const QList<quint32> managed =
        propertyValues(connection(), rootWindow(), atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW);
    return std::ranges::any_of(managed, [pid](quint32 window) { return ofProcess(window, pid); });
}

// How many windows of the process stand on the root unframed, mapped or not: made but never
// taken in by the window manager.
int unmanagedWindows(qint64 pid)
{
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&free)> tree(
        xcb_query_tree_reply(connection(), xcb_query_tree(connection(), rootWindow()), nullptr),
        &free);
    if (!tree)
        return 0;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    return int(std::count_if(children, children + xcb_query_tree_children_length(tree.get()),
                             [pid](xcb_window_t window) { return ofProcess(window, pid); }));
}

// What each thread of a process that shows no window is doing, and each of its child
// processes, from /proc: its state and the kernel function it waits in ("S futex_wait_queue").
std::string threadsOf(qint64 pid)
{
    std::string threads;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const auto read = [&](const char* file) {
            QFile in(tasks.filePath(task + u'/' + QLatin1String(file)));
            return in.open(QIODevice::ReadOnly) ? in.readAll().trimmed() : QByteArray();
        };
        const QByteArray stat = read("stat");
        // "pid (name) S ...": the state follows the name's closing parenthesis.
        const qsizetype close = stat.lastIndexOf(')');
        threads += read("comm").toStdString() + ' ' +
                   (close > 0 ? stat.mid(close + 2, 1).toStdString() : "?") + ' ' +
                   read("wchan").toStdString() + '\n';
        for (const QByteArray& child : read("children").split(' '))
            if (!child.isEmpty())
                threads += "  a child process:\n" + threadsOf(child.toLongLong());
    }
    return threads;
}

QString garbage(QRandomGenerator& random)
{
    switch (random.bounded(8)) {
    case 0:
        return QString();
    case 1:
        return QString(random.bounded(1000, 100000), QChar(u'0' + random.bounded(10)));
    case 2:
        return QString::number(-qint64(random.generate64() >> 1));
    case 3:
        return QStringLiteral("not a number ") + QString::number(random.generate());
    case 4: {
        QString binary;
        for (int i = random.bounded(1, 200); i > 0; --i)
            binary += QChar(char16_t(random.bounded(0x0001, 0xFFFF)));
        return binary;
    }
    case 5:
        return QString(1 << 20, u'x');
    case 6:
        return QStringLiteral("12/31/9999 11:59:59 PM");
    default:
        return QString::number(random.bounded(-5, 5));
    }
}

struct Program {
    const char* name;
    QString path;
    QStringList keys;
};

QList<Program> programs()
{
    QStringList tracker = {trackerkeys::kPath,           trackerkeys::kView,
                           trackerkeys::kCalendarOption, trackerkeys::kDateTimeOption,
                           trackerkeys::kSavedDate,      trackerkeys::kAlarmsGivenUntil};
    for (int n = 1; n <= 15; ++n)
        for (auto field : {trackerkeys::SlotField::Message, trackerkeys::SlotField::Date,
                           trackerkeys::SlotField::Time, trackerkeys::SlotField::Sound,
                           trackerkeys::SlotField::Notes})
            tracker.append(trackerkeys::slotKey(n, field));
    using namespace timerkeys;
    const TimerWindowKeys& v = kWindow;
    const QStringList vexlo = {
        v.path,        v.background,   v.foreColor1,  v.foreColor2,   v.runDefaultColors,
        kMessage,      kSound,         v.mode,        v.positionLeft, v.positionTop,
        v.alwaysOnTop, v.currentTitle, kSavedMinutes, kSavedSeconds};
    using namespace fullscreenkeys;
    const QStringList fullScreen = {fullscreenkeys::kPath, kLargeDisplay, kTimingMode,
                                    fullscreenkeys::kMessage, fullscreenkeys::kSound, kMinutes,
                                    kSeconds};
    const TimerWindowKeys& p = pellumkeys::kWindow;
    const QStringList pellum = {
        p.path,         p.background,  p.foreColor1, p.foreColor2,  p.runDefaultColors,
        p.positionLeft, p.positionTop, p.mode,       p.alwaysOnTop, p.currentTitle};
    return {
        {"DateVexlo", DATEVEXLO_PROGRAM, tracker},
        {"Vexlo", VEXLO_PROGRAM, vexlo},
        {"FullScreenVexlo", FULLSCREENVEXLO_PROGRAM, fullScreen},
        {"Pellum", PELLUM_PROGRAM, pellum},
    };
}

int runsFromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int runs = qEnvironmentVariableIntValue(name, &ok);
    return ok && runs > 0 ? runs : fallback;
}

} // namespace

TEST(GarbageInTheStore, EveryProgramOpensItsWindowAndRunsOn)
{
    const int runs = runsFromEnvironment("VEXLO_GARBAGE_RUNS", 2);
    // A failing run prints its seed; VEXLO_GARBAGE_SEED runs it again.
    bool seeded = false;
    const quint32 givenSeed = qEnvironmentVariable("VEXLO_GARBAGE_SEED").toUInt(&seeded);
    const quint32 seed = seeded ? givenSeed : QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));

    for (const Program& program : programs()) {
        for (int run = 0; run < runs; ++run) {
            QTemporaryDir home;
            IniSettingsStore store(home.path() + "/.config");
            SettingsStore::Values values;
            for (const QString& key : program.keys)
                values.append({key, garbage(random)});
            ASSERT_TRUE(store.saveAll(values));

            QProcess process;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("HOME", home.path());
            env.insert("XDG_CONFIG_HOME", home.path() + "/.config");
            env.insert("QT_QPA_PLATFORM", "xcb");
            env.insert("DISPLAY", qEnvironmentVariable("DISPLAY"));
            process.setProcessEnvironment(env);
            process.setWorkingDirectory(home.path());
            process.start(program.path, {});
            ASSERT_TRUE(process.waitForStarted());

            const bool shown = QTest::qWaitFor(
                [&] { return hasWindow(process.processId()) || process.state() != QProcess::Running; },
                30000);
            EXPECT_TRUE(shown && process.state() == QProcess::Running)
                << program.name << " run " << run << " did not open its window; unframed windows "
                << unmanagedWindows(process.processId()) << ", threads:\n"
                << threadsOf(process.processId());
            // A moment of ticking with the garbage before it is ended.
            QTest::qWait(300);
            const bool stillRunning = process.state() == QProcess::Running;
            process.kill();
            process.waitForFinished(5000);
            const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
            EXPECT_TRUE(stillRunning) << program.name << " run " << run << " ended: "
                                      << errors.toStdString();
            EXPECT_FALSE(errors.contains("runtime error") || errors.contains("Sanitizer"))
                << program.name << " run " << run << ":\n"
                << errors.toStdString();
        }
    }
}
