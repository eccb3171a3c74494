#include "fullscreenkeys.h"
#include "programprocess.h"
#include "qtprinters.h"

#include <gtest/gtest.h>

TEST(FullScreenVexloProgram, FirstStartFromTheHomeFolderWritesItsKeys)
{
    ProgramProcess program(FULLSCREENVEXLO_PROGRAM);
    // The five first-run keys are written in one go.
    ASSERT_TRUE(program.startUntilStored(fullscreenkeys::kSound))
        << program.process.readAllStandardError().toStdString();
    EXPECT_EQ(program.process.state(), QProcess::Running);

    const IniSettingsStore store = program.store();

    // Started from the home folder, it still knows where its data files are.
    for (const auto& [key, value] : fullscreenkeys::firstRunKeys(VEXLO_PROGRAM_DIR))
        EXPECT_EQ(store.get(key), value) << key.toStdString();
    for (const QString& key : {fullscreenkeys::kMinutes, fullscreenkeys::kSeconds})
        EXPECT_EQ(store.get(key, "<absent>"), "<absent>") << key.toStdString();
}
