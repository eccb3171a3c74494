// Four Vexlos, two Pellums and DateVexlo run as real processes on one store and save through
// their own windows (timing modes, events, and their places as they close): no save that was made is lost,
// no program gets stuck, and the store reads back. Once on their own, once with store writers
// saving thousands of keys beside them.
//
// The pointer and the keyboard are the desktop's, one for all: the windows are driven in turn,
// so the programs' own saves meet each other only as they start and as they close; the writers
// are what keeps the store busy at every moment of the second run.
#include "almanor.h"
#include "desktopprograms.h"
#include "fakedesktop.h"
#include "pellum.h"
#include "pellumkeys.h"
#include "timerkeys.h"
#include "timetext.h"
#include "trackerkeys.h"
#include "twips.h"
#include "vexlo.h"

#include <QDeadlineTimer>
#include <QMap>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using desktopprograms::click;
using desktopprograms::DesktopProgram;
using desktopprograms::downPressesTo;
using desktopprograms::presses;
using desktopprograms::tool;
using desktopprograms::visibleWindows;
using desktopprograms::waitUntil;
using desktopprograms::windowTitle;

namespace {

const QString kXdotool = QStringLiteral("xdotool");
const QString kAlmanorTitle = QStringLiteral("Date Vexlo 8.0");

// Where the four Vexlos stand (the top left of their frames), clear of DateVexlo at the top
// left and low enough that the Action menu opens below the pointer. No two share a left or a
// top edge, so a stored place made of one window's left and another's top shows.
const std::array<QPoint, 4> kVexloPlaces = {QPoint(620, 0), QPoint(850, 20), QPoint(640, 230),
                                            QPoint(870, 250)};
// The two Pellums, below the Vexlos on the same terms.
const std::array<QPoint, 2> kPellumPlaces = {QPoint(630, 490), QPoint(860, 510)};

// Keys saved per writer run; each run is a new writer process.
constexpr int kWriterBurst = 10;
constexpr int kWriterPauseMs = 100;
constexpr int kWriters = 2; // at once

int secondsFromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue(name, &ok);
    return ok && seconds > 0 ? seconds : fallback;
}

// One of the two timers with an Action menu and a Timing Mode submenu: where its controls are
// and what it stores.
struct TimerKind {
    const char* name;
    QString title;
    QString modeKey, normalMode, stopWatchMode;
    QString leftKey, topKey;
    QPoint action = QPoint();
    int downsToTimingMode = 0;
    // In the Timing Mode submenu, which opens with its first item chosen.
    int downsToNormal = 0;
    int downsToStopWatch = 0;
};

// Where the controls are in the programs' windows, read from the same windows built in this
// test program, on the same desktop and in the same look.
struct Controls {
    TimerKind vexlo{.name = "Vexlo",
                    .title = QStringLiteral("Vexlo 8.02"),
                    .modeKey = timerkeys::kWindow.mode,
                    .normalMode = TimerWindowKeys::kNormalMode,
                    .stopWatchMode = TimerWindowKeys::kStopWatchMode,
                    .leftKey = timerkeys::kWindow.positionLeft,
                    .topKey = timerkeys::kWindow.positionTop};
    TimerKind pellum{.name = "Pellum",
                     .title = QStringLiteral("Pellum 8.01"),
                     .modeKey = pellumkeys::kWindow.mode,
                     .normalMode = TimerWindowKeys::kNormalMode,
                     .stopWatchMode = TimerWindowKeys::kStopWatchMode,
                     .leftKey = pellumkeys::kWindow.positionLeft,
                     .topKey = pellumkeys::kWindow.positionTop};
    std::array<QPoint, AlmanorState::kSlots> almanorEdit; // the "N >" buttons
};

// Reads where a timer window's Action button is and how far down its menus the modes are.
void findTimerControls(const QWidget& window, const QString& actionName, TimerKind& kind)
{
    const auto* action = window.findChild<QPushButton*>(actionName);
    auto* menu = window.findChild<QMenu*>(QStringLiteral("menufile"));
    auto* modes = window.findChild<QMenu*>(QStringLiteral("menuMode"));
    if (!action || !menu || !modes)
        return;
    kind.action = action->mapTo(&window, action->rect().center());
    kind.downsToTimingMode = downPressesTo(*menu, modes->menuAction());
    kind.downsToNormal =
        downPressesTo(*modes, window.findChild<QAction*>(QStringLiteral("menuMode1"))) - 1;
    kind.downsToStopWatch =
        downPressesTo(*modes, window.findChild<QAction*>(QStringLiteral("menuMode2"))) - 1;
}

Controls findControls()
{
    Controls c;
    FakeDesktop here;
    findTimerControls(Vexlo(here.platform(), here.shell()), QStringLiteral("ButVexloAction"),
                      c.vexlo);
    findTimerControls(Pellum(here.platform(), here.shell()), QStringLiteral("ButPellumAction"),
                      c.pellum);
    Almanor almanor(here.platform());
    almanor.show();
    if (!QTest::qWaitForWindowExposed(&almanor))
        return c;
    for (int n = 1; n <= AlmanorState::kSlots; ++n) {
        const auto* edit = almanor.findChild<QPushButton*>(QStringLiteral("Message%1Edit").arg(n));
        if (edit)
            c.almanorEdit[size_t(n - 1)] = edit->mapTo(&almanor, edit->rect().center());
    }
    almanor.close();
    return c;
}

// One Vexlo or Pellum and the timing mode its window shows.
struct TimerInstance {
    const TimerKind* kind = nullptr;
    std::unique_ptr<DesktopProgram> program;
    QString window;
    QPoint place;
    bool normal = true; // a first run starts in Normal
    int modeSaves = 0;
};

// Action, then Timing Mode, then the mode the window does not show: a click that stores
// the timer's mode key. False when the menu did not open or did not close.
bool chooseOtherMode(TimerInstance& v)
{
    const TimerKind& k = *v.kind;
    click(v.window, k.action);
    const qint64 pid = v.program->pid();
    if (!waitUntil([&] { return visibleWindows(pid).size() > 1; }))
        return false;
    tool(kXdotool, QStringList{"key"} + presses("Down", k.downsToTimingMode) +
                       QStringList{"Right"} +
                       presses("Down", v.normal ? k.downsToStopWatch : k.downsToNormal) +
                       QStringList{"Return"});
    if (!waitUntil([&] { return visibleWindows(pid).size() == 1; }))
        return false;
    v.normal = !v.normal;
    ++v.modeSaves;
    return true;
}

// The Action menu opens on a click and closes on Escape.
bool answers(const TimerInstance& v)
{
    click(v.window, v.kind->action);
    const qint64 pid = v.program->pid();
    if (!waitUntil([&] { return visibleWindows(pid).size() > 1; }))
        return false;
    tool(kXdotool, {"key", "Escape"});
    return waitUntil([&] { return visibleWindows(pid).size() == 1; });
}

struct AlmanorInstance {
    std::unique_ptr<DesktopProgram> program;
    QString window;
    QMap<int, QString> savedMessages; // by slot: the last message saved there
    int saves = 0;
};

// Opens the editor of slot `n`, types `message` over the old one and saves with Alt+S.
bool saveEvent(AlmanorInstance& a, const Controls& c, int n, const QString& message)
{
    click(a.window, c.almanorEdit[size_t(n - 1)]);
    if (!waitUntil(
            [&] { return windowTitle(a.window) == QStringLiteral("Edit Message %1").arg(n); }))
        return false;
    tool(kXdotool, {"type", "--delay", "5", message});
    tool(kXdotool, {"key", "alt+s"});
    if (!waitUntil([&] { return windowTitle(a.window) == kAlmanorTitle; }))
        return false;
    a.savedMessages[n] = message;
    ++a.saves;
    return true;
}

// The editor opens on a click and closes on Alt+C without saving.
bool answers(const AlmanorInstance& a, const Controls& c)
{
    click(a.window, c.almanorEdit[0]);
    if (!waitUntil([&] { return windowTitle(a.window) == QStringLiteral("Edit Message 1"); }))
        return false;
    tool(kXdotool, {"key", "alt+c"});
    return waitUntil([&] { return windowTitle(a.window) == kAlmanorTitle; });
}

// Store writer processes, one after the other in each of `count` threads of their own, each
// saving a run of kWriterBurst keys and ending, until finish(). They keep at it whatever this
// test program's own thread is waiting for. A pause between runs lets the programs' saves in
// now and then, as a user's saves would.
class Writers {
public:
    Writers(QString configFolder, int count) : configFolder_(std::move(configFolder))
    {
        for (int slot = 0; slot < count; ++slot)
            threads_.emplace_back([this, slot] { keepWriting(slot); });
    }

    ~Writers() { finish(); }

    Writers(const Writers&) = delete;
    Writers& operator=(const Writers&) = delete;

    // Starts no more runs and lets those under way end.
    void finish()
    {
        stop_ = true;
        for (std::thread& thread : threads_) {
            if (thread.joinable())
                thread.join();
        }
    }

    // The prefixes of the runs whose every save reported success.
    QStringList completed() const
    {
        const std::lock_guard lock(mutex_);
        return completed_;
    }
    // Runs that ended otherwise, with how.
    QStringList failed() const
    {
        const std::lock_guard lock(mutex_);
        return failed_;
    }

private:
    void keepWriting(int slot)
    {
        for (int run = 0; !stop_; ++run) {
            const QString prefix = QStringLiteral("Writer %1 run %2").arg(slot).arg(run);
            QProcess writer;
            writer.start(VEXLO_STORE_WRITER,
                         {configFolder_, prefix, QString::number(kWriterBurst)});
            const bool ended = writer.waitForFinished(60000);
            if (!ended) {
                writer.kill();
                writer.waitForFinished(5000);
            }
            const bool done =
                ended && writer.exitStatus() == QProcess::NormalExit && writer.exitCode() == 0;
            {
                const std::lock_guard lock(mutex_);
                if (done)
                    completed_.append(prefix);
                else
                    failed_.append(prefix +
                                   (ended ? QStringLiteral(": exit %1").arg(writer.exitCode())
                                          : QStringLiteral(": stuck")));
            }
            QThread::msleep(kWriterPauseMs);
        }
    }

    const QString configFolder_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    QStringList completed_;
    QStringList failed_;
    std::vector<std::thread> threads_;
};

// The stored place is one of `places`, both edges from the same window.
void expectOnePlace(const IniSettingsStore& store, const TimerKind& kind,
                const std::vector<QPoint>& places)
{
    const QString left = store.get(kind.leftKey);
    const QString top = store.get(kind.topKey);
    for (const QPoint& place : places)
        if (left == QString::number(place.x() * kTwipsPerPixel) &&
            top == QString::number(place.y() * kTwipsPerPixel))
            return;
    ADD_FAILURE() << kind.name << "'s stored place " << left.toStdString() << ", "
                  << top.toStdString();
}

void saveTogether(int writerCount)
{
    const int seconds = secondsFromEnvironment("VEXLO_CONCURRENT_SECONDS", 5);
    const Controls controls = findControls();
    for (const TimerKind* kind : {&controls.vexlo, &controls.pellum}) {
        SCOPED_TRACE(kind->name);
        ASSERT_GT(kind->downsToTimingMode, 0);
        ASSERT_GE(kind->downsToNormal, 0);
        ASSERT_GT(kind->downsToStopWatch, kind->downsToNormal);
    }

    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString config = home.filePath(QStringLiteral(".config"));
    IniSettingsStore store(config);

    // The writers are busy before the programs start, so that their first-run saves meet them.
    Writers writers(config, writerCount);

    std::vector<TimerInstance> timers;
    for (const QPoint& place : kVexloPlaces)
        timers.push_back({&controls.vexlo,
                          std::make_unique<DesktopProgram>(VEXLO_PROGRAM, home.path(), config),
                          {}, place});
    for (const QPoint& place : kPellumPlaces)
        timers.push_back({&controls.pellum,
                          std::make_unique<DesktopProgram>(PELLUM_PROGRAM, home.path(), config),
                          {}, place});
    AlmanorInstance almanor;
    almanor.program = std::make_unique<DesktopProgram>(DATEVEXLO_PROGRAM, home.path(), config);
    for (TimerInstance& v : timers)
        ASSERT_TRUE(v.program->start());
    ASSERT_TRUE(almanor.program->start());

    for (size_t i = 0; i < timers.size(); ++i) {
        TimerInstance& v = timers[i];
        v.window = v.program->waitForWindow(v.kind->title);
        ASSERT_FALSE(v.window.isEmpty())
            << v.kind->name << " " << i << ": " << v.program->errors().toStdString();
        tool(kXdotool,
             {"windowmove", v.window, QString::number(v.place.x()), QString::number(v.place.y())});
    }
    almanor.window = almanor.program->waitForWindow(kAlmanorTitle);
    ASSERT_FALSE(almanor.window.isEmpty()) << almanor.program->errors().toStdString();
    tool(kXdotool, {"windowmove", almanor.window, "0", "0"});

    // Round after round, every timer changes its mode and back, each change turning over what
    // the store holds, so that each one shows there; DateVexlo saves an event after each pair;
    // the writers go on all the while.
    int eventNumber = 0;
    const QDeadlineTimer deadline(seconds * 1000);
    for (int round = 0; round == 0 || !deadline.hasExpired(); ++round) {
        for (size_t i = 0; i < timers.size() && (round == 0 || !deadline.hasExpired()); ++i) {
            TimerInstance& v = timers[i];
            const TimerKind& k = *v.kind;
            for (int change = 0; change < 2; ++change) {
                ASSERT_TRUE(chooseOtherMode(v))
                    << k.name << " " << i << " did not answer its Action menu";
                const QString mode = v.normal ? k.normalMode : k.stopWatchMode;
                EXPECT_TRUE(waitUntil([&] { return store.get(k.modeKey) == mode; }))
                    << k.name << " " << i << " chose " << mode.toStdString()
                    << ", the store holds " << store.get(k.modeKey).toStdString();
            }
            const int slot = eventNumber % AlmanorState::kSlots + 1;
            ASSERT_TRUE(
                saveEvent(almanor, controls, slot, QStringLiteral("Event %1").arg(eventNumber)))
                << "DateVexlo did not answer its editor, slot " << slot;
            ++eventNumber;
        }
    }

    // Still answering after all that.
    for (size_t i = 0; i < timers.size(); ++i)
        EXPECT_TRUE(answers(timers[i])) << timers[i].kind->name << " " << i << " is stuck";
    EXPECT_TRUE(answers(almanor, controls)) << "DateVexlo is stuck";

    writers.finish();
    EXPECT_EQ(writers.failed(), QStringList{});

    // The store reads back, with every save that was made.
    {
        QSettings file(store.fileName(), QSettings::IniFormat);
        ASSERT_EQ(file.status(), QSettings::NoError);
        file.beginGroup(QStringLiteral("Vexlo 8.0"));
        QStringList lost;
        for (const QString& prefix : writers.completed()) {
            for (int k = 0; k < kWriterBurst; ++k) {
                const QString key = prefix + u' ' + QString::number(k);
                if (file.value(key).toString() != QStringLiteral("value %1").arg(k))
                    lost.append(key);
            }
        }
        EXPECT_EQ(lost, QStringList{})
            << lost.size() << " of " << writers.completed().size() * kWriterBurst
            << " saves that reported success are not in the store";
    }
    EXPECT_EQ(writers.completed().isEmpty(), writerCount == 0);
    for (auto it = almanor.savedMessages.cbegin(); it != almanor.savedMessages.cend(); ++it) {
        using trackerkeys::SlotField;
        using trackerkeys::slotKey;
        SCOPED_TRACE("slot " + std::to_string(it.key()));
        EXPECT_EQ(store.get(slotKey(it.key(), SlotField::Message)), it.value());
        // The rest of the event came with it, in the same write.
        EXPECT_TRUE(timetext::parseDate(store.get(slotKey(it.key(), SlotField::Date))));
        EXPECT_EQ(store.get(slotKey(it.key(), SlotField::Time)), "12:00:00 PM");
        EXPECT_EQ(store.get(slotKey(it.key(), SlotField::Sound)), "Timer1.wav");
    }

    // All close at once, each storing its place as it goes.
    for (const TimerInstance& v : timers)
        tool(QStringLiteral("wmctrl"), {"-i", "-c", v.window});
    tool(QStringLiteral("wmctrl"), {"-i", "-c", almanor.window});
    std::vector<DesktopProgram*> programs{almanor.program.get()};
    for (const TimerInstance& v : timers)
        programs.push_back(v.program.get());
    for (DesktopProgram* program : programs) {
        EXPECT_TRUE(program->process.waitForFinished(15000))
            << "did not close; on the screen: [" << program->windowsShown().toStdString()
            << "]; said: " << program->errors().toStdString();
        EXPECT_EQ(program->process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program->process.exitCode(), 0);
        EXPECT_FALSE(program->reportedAFault()) << program->errors().toStdString();
    }
    expectOnePlace(store, controls.vexlo, {kVexloPlaces.begin(), kVexloPlaces.end()});
    expectOnePlace(store, controls.pellum, {kPellumPlaces.begin(), kPellumPlaces.end()});

    int modeSaves = 0;
    for (const TimerInstance& v : timers)
        modeSaves += v.modeSaves;
    std::printf("%d s: %d mode changes, %d events, %lld writer runs of %d keys\n", seconds,
                modeSaves, almanor.saves, static_cast<long long>(writers.completed().size()),
                kWriterBurst);
}

} // namespace

TEST(ConcurrentSaves, VexlosPellumsAndDateVexloKeepEverySaveAndNoneGetsStuck)
{
    saveTogether(0);
}

TEST(ConcurrentSaves, WithStoreWritersBesideThemEverySaveIsStillKept)
{
    saveTogether(kWriters);
}
