#include "pellumkeys.h"
#include "programprocess.h"
#include "qtprinters.h"

#include <gtest/gtest.h>

TEST(PellumProgram, FirstStartFromTheHomeFolderWritesItsKeys)
{
    ProgramProcess program(PELLUM_PROGRAM);
    ASSERT_TRUE(program.startUntilStored(pellumkeys::kWindow.alwaysOnTop))
        << program.process.readAllStandardError().toStdString();
    EXPECT_EQ(program.process.state(), QProcess::Running);

    const IniSettingsStore store = program.store();
    // Started from the home folder, it still knows where its data files are.
    for (const auto& [key, value] : pellumkeys::firstRunKeys(VEXLO_PROGRAM_DIR))
        EXPECT_EQ(store.get(key), value) << key.toStdString();
    EXPECT_EQ(store.get(pellumkeys::kWindow.alwaysOnTop), "1");
    EXPECT_EQ(store.get(pellumkeys::kWindow.currentTitle, "<absent>"), "<absent>");
}
