// The programs with one of their data files gone or damaged: they say what is wrong where a
// user would want to know, the alarms fall back to the desktop's alert sound, and nothing
// breaks.
#include "audiosoundplayer.h"
#include "familywindows.h"
#include "fullscreenkeys.h"
#include "helpwindow.h"
#include "pellumkeys.h"
#include "programprocess.h"
#include "skins.h"
#include "tempstore.h"
#include "timerkeys.h"
#include "timetext.h"
#include "trackerkeys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <functional>

#include <sys/stat.h>

namespace {

const QString kError10 = QStringLiteral(
    "Vexlo Error #10. There was a problem running the program's path. Vexlo can still run, but "
    "some of the program's files are either missing or have been moved. Exit Vexlo and then "
    "re-install the program to correct this error!");
const QString kPellumError10 = QStringLiteral("There was a problem running the program's path. "
                                              "Pellum Error # 10. Notify Orvane to correct this "
                                              "error!");

// The data files the build puts beside the programs.
QStringList dataFiles()
{
    QStringList files{QStringLiteral("Timer1.wav"), QStringLiteral("Vexlo.hlp")};
    for (const SkinItem& skin : skinTable())
        files.append(QString::fromLatin1(skin.file));
    return files;
}

// A FIFO stands for every file that is no regular file: reading one waits for a writer.
enum class Harm { None, Removed, TextFile, Fifo };

struct Damage {
    const char* name;
    QString file;
    Harm harm;
};

// A copy of the data files in `folder`, with `damage` done to one of them.
bool makeDataFolder(const QString& folder, const Damage& damage)
{
    for (const QString& file : dataFiles()) {
        if (!QFile::copy(QStringLiteral(VEXLO_PROGRAM_DIR) + file, folder + file))
            return false;
    }
    const QString harmed = folder + damage.file;
    if (damage.harm == Harm::None)
        return true;
    if (!QFile::remove(harmed))
        return false;
    if (damage.harm == Harm::Fifo)
        return ::mkfifo(QFile::encodeName(harmed).constData(), 0600) == 0;
    if (damage.harm == Harm::TextFile) {
        QFile text(harmed);
        return text.open(QIODevice::WriteOnly) &&
               text.write("This is no sound and no picture, only text.\n") > 0;
    }
    return true;
}

const Damage kDamages[] = {
    {"nothing damaged", QStringLiteral("Timer1.wav"), Harm::None},
    {"Timer1.wav missing", QStringLiteral("Timer1.wav"), Harm::Removed},
    {"Timer1.wav a text file", QStringLiteral("Timer1.wav"), Harm::TextFile},
    {"the first skin's picture missing", timerkeys::kFirstBackground, Harm::Removed},
    {"the first skin's picture a text file", timerkeys::kFirstBackground, Harm::TextFile},
    {"another skin's picture missing", QStringLiteral("Granite1.gif"), Harm::Removed},
    {"Vexlo.hlp missing", QStringLiteral("Vexlo.hlp"), Harm::Removed},
    {"Timer1.wav a FIFO", QStringLiteral("Timer1.wav"), Harm::Fifo},
    {"the first skin's picture a FIFO", timerkeys::kFirstBackground, Harm::Fifo},
    {"Vexlo.hlp a FIFO", QStringLiteral("Vexlo.hlp"), Harm::Fifo},
};

// What each program does with its data: opens (first run), sounds an alarm (where it has
// one), opens help; and what it says when a skin's picture cannot be used (where it has skins).
struct Program {
    const char* name;
    std::function<std::unique_ptr<QWidget>(Family&)> open;
    std::function<void(QWidget&, Family&)> alarm;
    std::function<void(QWidget&)> help;
    QString skinError;
};

const Program kPrograms[] = {
    {"Vexlo", [](Family& f) -> std::unique_ptr<QWidget> { return f.vexlo(); },
     [](QWidget& w, Family& f) {
         auto& vexlo = static_cast<Vexlo&>(w);
         setTime(vexlo, 0, 2);
         vexlo.StartStopTimer();
         for (int s = 0; s < 2; ++s) {
             f.clock.advance(1);
             vexlo.Timer1Tick();
         }
     },
     [](QWidget& w) { static_cast<Vexlo&>(w).menuHelpClick(); }, kError10},
    {"DateVexlo",
     [](Family& f) -> std::unique_ptr<QWidget> {
         // An event two seconds away, saved with the sound its editor offers.
         const QDateTime due = f.clock.now().addSecs(2);
         using trackerkeys::SlotField;
         EXPECT_TRUE(f.platform().store.saveAll(
             {{trackerkeys::slotKey(1, SlotField::Message), QStringLiteral("Tea")},
              {trackerkeys::slotKey(1, SlotField::Date), timetext::dateText(due.date())},
              {trackerkeys::slotKey(1, SlotField::Time), timetext::timeText(due.time())},
              {trackerkeys::slotKey(1, SlotField::Sound), QStringLiteral("Timer1.wav")}}));
         return f.almanor();
     },
     [](QWidget& w, Family& f) {
         auto& almanor = static_cast<Almanor&>(w);
         for (int s = 0; s < 2; ++s) {
             f.clock.advance(1);
             almanor.Timer1Tick();
         }
     },
     [](QWidget& w) { static_cast<Almanor&>(w).menuhelpusingClick(); }, QString()},
    {"FullScreenVexlo", [](Family& f) -> std::unique_ptr<QWidget> { return f.fullScreen(); },
     [](QWidget& w, Family& f) {
         auto& fullScreen = static_cast<FullScreenVexlo&>(w);
         setTime(fullScreen, 0, 2);
         fullScreen.menustartClick();
         for (int s = 0; s < 2; ++s) {
             f.clock.advance(1);
             fullScreen.Timer1Tick();
         }
     },
     [](QWidget& w) { static_cast<FullScreenVexlo&>(w).menuHelpClick(); }, QString()},
    // Pellum counts up and never sounds.
    {"Pellum", [](Family& f) -> std::unique_ptr<QWidget> { return f.pellum(); }, nullptr,
     [](QWidget& w) { static_cast<Pellum&>(w).menuHelpClick(); }, kPellumError10},
};

} // namespace

TEST(DamagedDataFiles, EachProgramSaysWhatIsWrongAndFallsBackToTheAlert)
{
    const std::unique_ptr<SoundSource> alert = openAlertSound();
    ASSERT_NE(alert, nullptr);

    for (const Damage& damage : kDamages) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString folder = dir.path() + u'/';
        ASSERT_TRUE(makeDataFolder(folder, damage)) << damage.name;
        const bool soundDamaged = damage.harm != Harm::None && damage.file == "Timer1.wav";
        const bool helpMissing = damage.harm != Harm::None && damage.file == "Vexlo.hlp";
        // A first run of Vexlo or Pellum shows the first skin; another skin's picture is only
        // missed when it is chosen.
        const bool firstSkinDamaged =
            damage.harm != Harm::None && damage.file == timerkeys::kFirstBackground;

        for (const Program& program : kPrograms) {
            SCOPED_TRACE(std::string(program.name) + ", " + damage.name);
            TempStore t;
            HelpWindow help(folder + QStringLiteral("Vexlo.hlp"));
            Family family(t.store, folder, &help);
            const std::unique_ptr<QWidget> window = program.open(family);

            QStringList startMessages;
            for (const ScriptedDialogs::Shown& shown : family.dialogs.shown)
                startMessages.append(shown.text);
            const bool skinned = !program.skinError.isEmpty();
            EXPECT_EQ(startMessages, skinned && firstSkinDamaged ? QStringList{program.skinError}
                                                                 : QStringList{});

            if (program.alarm) {
                program.alarm(*window, family);
                ASSERT_EQ(family.sound.requests.size(), 1);
                // What the desktop's player makes of the request.
                const std::unique_ptr<SoundSource> played =
                    openSoundOrAlert(folder, family.sound.requests.first());
                ASSERT_NE(played, nullptr);
                EXPECT_EQ(played->filePath(), soundDamaged ? alert->filePath()
                                                           : folder + QStringLiteral("Timer1.wav"));
                EXPECT_GT(played->frames(), 0);
            }

            program.help(*window);
            ASSERT_NE(help.window(), nullptr);
            EXPECT_TRUE(help.window()->isVisible());
            const QString helpText = help.browser()->toPlainText();
            if (helpMissing) {
                EXPECT_EQ(helpText, QStringLiteral("The help file %1 could not be opened.\n\n"
                                                   "Reinstall the program to get it back.")
                                        .arg(QDir::toNativeSeparators(folder + "Vexlo.hlp")));
            } else {
                EXPECT_FALSE(helpText.contains("could not be opened"));
                EXPECT_GT(helpText.size(), 200);
            }

            if (skinned) {
                // Choosing another skin: said only when its own picture is what is missing.
                family.dialogs.shown.clear();
                window->findChild<QAction*>(QStringLiteral("menuBackgroundGranite1"))->trigger();
                const bool granite =
                    damage.harm != Harm::None && damage.file == QStringLiteral("Granite1.gif");
                EXPECT_EQ(family.dialogs.shown.size(), granite ? 1 : 0);
                if (granite) {
                    EXPECT_EQ(family.dialogs.shown.value(0).text, program.skinError);
                }
            }
        }
    }
}

// A store copied from another machine names that machine's program folder, which is not here:
// Vexlo and Pellum take their own folder, keep it, and show the stored skin without error #10.
TEST(DamagedDataFiles, AStoreFromAnotherMachineUsesThisMachinesProgramFolder)
{
    struct Skinned {
        const char* name;
        QString pathKey;
        QString backgroundKey;
        QString colour1Key;
        QString colour2Key;
        std::function<std::unique_ptr<QWidget>(Family&)> open;
    };
    const Skinned programs[] = {
        {"Vexlo", timerkeys::kWindow.path, timerkeys::kWindow.background,
         timerkeys::kWindow.foreColor1, timerkeys::kWindow.foreColor2,
         [](Family& f) -> std::unique_ptr<QWidget> { return f.vexlo(); }},
        {"Pellum", pellumkeys::kWindow.path, pellumkeys::kWindow.background,
         pellumkeys::kWindow.foreColor1, pellumkeys::kWindow.foreColor2,
         [](Family& f) -> std::unique_ptr<QWidget> { return f.pellum(); }},
    };
    for (const Skinned& program : programs) {
        SCOPED_TRACE(program.name);
        TempStore t;
        ASSERT_TRUE(t.store.saveAll({{program.pathKey, QStringLiteral("/home/someone/Vexlo/")},
                                     {program.backgroundKey, QStringLiteral("Wood3.gif")},
                                     {program.colour1Key, QStringLiteral("16777215")},
                                     {program.colour2Key, QStringLiteral("65535")}}));
        Family family(t.store);
        const std::unique_ptr<QWidget> window = program.open(family);
        EXPECT_TRUE(family.dialogs.shown.isEmpty());
        EXPECT_EQ(t.store.get(program.pathKey), QStringLiteral(VEXLO_PROGRAM_DIR));
        EXPECT_EQ(t.store.get(program.backgroundKey), QStringLiteral("Wood3.gif"));
        const auto* panel = window->findChild<SkinPanel*>();
        ASSERT_NE(panel, nullptr);
        EXPECT_FALSE(panel->picture().isNull());
    }
}

// Installed, the programs find their data in share/vexlo beside bin/, even when Timer1.wav is
// missing there; settling on bin/ would lose every other data file, and a first run would store
// that folder for good.
TEST(DamagedDataFiles, WithoutTimer1TheInstalledProgramsStillFindTheirOtherDataFiles)
{
    struct Installed {
        const char* name;
        QString program;
        QString pathKey;
    };
    const Installed programs[] = {
        {"Vexlo", VEXLO_PROGRAM, timerkeys::kWindow.path},
        {"DateVexlo", DATEVEXLO_PROGRAM, trackerkeys::kPath},
        {"FullScreenVexlo", FULLSCREENVEXLO_PROGRAM, fullscreenkeys::kPath},
        {"Pellum", PELLUM_PROGRAM, pellumkeys::kWindow.path},
    };
    for (const Harm harm : {Harm::None, Harm::Removed}) {
        QTemporaryDir prefix;
        ASSERT_TRUE(prefix.isValid());
        const QString data = prefix.filePath(QStringLiteral("share/vexlo")) + u'/';
        ASSERT_TRUE(QDir().mkpath(data));
        ASSERT_TRUE(QDir().mkpath(prefix.filePath(QStringLiteral("bin"))));
        ASSERT_TRUE(makeDataFolder(data, {"", QStringLiteral("Timer1.wav"), harm}));
        for (const Installed& installed : programs) {
            SCOPED_TRACE(std::string(installed.name) +
                         (harm == Harm::None ? ", complete" : ", without Timer1.wav"));
            const QString copy =
                prefix.filePath(QStringLiteral("bin/") + QFileInfo(installed.program).fileName());
            ASSERT_TRUE(QFile::copy(installed.program, copy));
            ProgramProcess process(copy);
            ASSERT_TRUE(process.startUntilStored(installed.pathKey))
                << process.process.readAllStandardError().toStdString();
            EXPECT_EQ(process.store().get(installed.pathKey), data);
        }
    }
}
