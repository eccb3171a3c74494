#include "programprocess.h"
#include "qtprinters.h"
#include "timerkeys.h"

#include <gtest/gtest.h>

TEST(VexloProgram, FirstStartFromTheHomeFolderWritesItsKeys)
{
    ProgramProcess program(VEXLO_PROGRAM);
    program.process.start();
    ASSERT_TRUE(program.process.waitForStarted());

    const IniSettingsStore store = program.store();
    ASSERT_TRUE(program.waitFor([&] {
        return !store.get(timerkeys::kWindow.alwaysOnTop).isEmpty();
    })) << program.process.readAllStandardError().toStdString();
    EXPECT_EQ(program.process.state(), QProcess::Running);

    // Started from the home folder, it still knows where its data files are.
    for (const auto& [key, value] : timerkeys::firstRunKeys(VEXLO_PROGRAM_DIR))
        EXPECT_EQ(store.get(key), value) << key.toStdString();
    EXPECT_EQ(store.get(timerkeys::kWindow.alwaysOnTop), "1");
    for (const QString& key :
         {timerkeys::kWindow.currentTitle, timerkeys::kSavedMinutes, timerkeys::kSavedSeconds})
        EXPECT_EQ(store.get(key, "<absent>"), "<absent>") << key.toStdString();
}
