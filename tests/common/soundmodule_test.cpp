// The sound module: loaded at a program's first sound and not before, from the first place it
// is found; without it a sound is the desktop's beep and the program runs on.
#include "fullscreenkeys.h"
#include "lazysoundplayer.h"
#include "pellumkeys.h"
#include "programprocess.h"
#include "soundmodule.h"
#include "timerkeys.h"
#include "trackerkeys.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString kProgramDir = QStringLiteral(VEXLO_PROGRAM_DIR) + u'/';
const QString kModule = kProgramDir + kSoundModuleFile;

// Whether the process `pid` ("self" for this one) has a file whose name holds `name` mapped.
bool mapped(const QString& pid, const QString& name)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    return maps.open(QIODevice::ReadOnly) && QString::fromLocal8Bit(maps.readAll()).contains(name);
}

class SoundModule : public testing::Test {
protected:
    // No audio server: the module plays into nothing, quietly.
    void SetUp() override { qputenv("PULSE_SERVER", "unix:/nonexistent/vexlo-test"); }
    void TearDown() override { qunsetenv("PULSE_SERVER"); }
};

} // namespace

TEST_F(SoundModule, LoadsAtTheFirstSoundFromTheFirstPlaceItIsFound)
{
    // Neither the module nor the libraries it brings are there before a sound.
    ASSERT_FALSE(mapped("self", kSoundModuleFile));
    ASSERT_FALSE(mapped("self", "libQt6Multimedia"));
    ASSERT_FALSE(mapped("self", "libsndfile"));

    const QString missing = kProgramDir + QStringLiteral("no-such-module.so");
    const QString notALibrary = kProgramDir + QStringLiteral("Timer1.wav");
    LazySoundPlayer player(kProgramDir, {missing, notALibrary, kModule}, nullptr);
    EXPECT_FALSE(player.loaded());
    EXPECT_FALSE(mapped("self", kSoundModuleFile));

    player.play(QStringLiteral("Timer1.wav"));
    EXPECT_TRUE(player.loaded()) << player.loadError().toStdString();
    EXPECT_TRUE(mapped("self", kSoundModuleFile));
    EXPECT_TRUE(mapped("self", "libsndfile"));
    // A second sound uses the same player.
    player.play(QStringLiteral("Timer1.wav"));
    EXPECT_TRUE(player.loaded());
    // The module's player found no server, and says so through this one.
    EXPECT_FALSE(player.audible());

    // Getting ready for a sound loads it as well, so the sound does not wait for it.
    LazySoundPlayer ready(kProgramDir, {kModule}, nullptr);
    ready.prepare(QStringLiteral("Timer1.wav"));
    EXPECT_TRUE(ready.loaded());
}

TEST_F(SoundModule, WithoutItASoundIsTheBeepAndSaysWhy)
{
    const struct {
        const char* name;
        QStringList modules;
        const char* saying; // part of the reason given
    } cases[] = {
        {"nowhere to look", {}, "No sound module"},
        {"missing", {kProgramDir + QStringLiteral("no-such-module.so")}, "no-such-module.so"},
        {"a sound where the module should be", {kProgramDir + QStringLiteral("Timer1.wav")},
         "Timer1.wav"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LazySoundPlayer player(kProgramDir, c.modules, nullptr);
        player.prepare(QStringLiteral("Timer1.wav"));
        player.play(QStringLiteral("Timer1.wav"));
        player.play(QStringLiteral("Timer1.wav"));
        EXPECT_FALSE(player.loaded());
        EXPECT_TRUE(player.loadError().contains(QLatin1String(c.saying)))
            << player.loadError().toStdString();
        // The beep is still heard.
        EXPECT_TRUE(player.audible());
    }
}

TEST_F(SoundModule, AProgramStartsWithoutIt)
{
    const struct {
        const char* name;
        QString path;
        QString pathKey; // stored by a first start once its window is up
    } programs[] = {
        {"DateVexlo", DATEVEXLO_PROGRAM, trackerkeys::kPath},
        {"Vexlo", VEXLO_PROGRAM, timerkeys::kWindow.path},
        {"FullScreenVexlo", FULLSCREENVEXLO_PROGRAM, fullscreenkeys::kPath},
        {"Pellum", PELLUM_PROGRAM, pellumkeys::kWindow.path},
    };
    for (const auto& p : programs) {
        SCOPED_TRACE(p.name);
        ProgramProcess program(p.path);
        ASSERT_TRUE(program.startUntilStored(p.pathKey));
        const QString pid = QString::number(program.process.processId());
        EXPECT_TRUE(mapped(pid, "libQt6Widgets"));
        EXPECT_FALSE(mapped(pid, kSoundModuleFile));
        EXPECT_FALSE(mapped(pid, "libQt6Multimedia"));
    }
}
