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
    ASSERT_TRUE(program.waitFor([&] { return !store.get(timerkeys::kAlwaysOnTop).isEmpty(); }))
        << program.process.readAllStandardError().toStdString();
    EXPECT_EQ(program.process.state(), QProcess::Running);

    // Started from the home folder, it still knows where its data files are.
    for (const auto& [key, value] : timerkeys::firstRunKeys(VEXLO_PROGRAM_DIR))
        EXPECT_EQ(store.get(key), value) << key.toStdString();
    EXPECT_EQ(store.get(timerkeys::kAlwaysOnTop), "1");
    for (const QString& key :
         {timerkeys::kCurrentTitle, timerkeys::kSavedMinutes, timerkeys::kSavedSeconds})
        EXPECT_EQ(store.get(key, "<absent>"), "<absent>") << key.toStdString();
}
