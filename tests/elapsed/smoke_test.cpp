#include "pellumkeys.h"
#include "programprocess.h"
#include "qtprinters.h"

#include <gtest/gtest.h>

TEST(PellumProgram, FirstStartFromTheHomeFolderWritesItsKeys)
{
    ProgramProcess program(PELLUM_PROGRAM);
    ASSERT_TRUE(program.startUntilStored(pellumkeys::kAlwaysOnTop.name))
        << program.process.readAllStandardError().toStdString();
    EXPECT_EQ(program.process.state(), QProcess::Running);

    const IniSettingsStore store = program.store();
    // Started from the home folder, it still knows where its data files are.
    EXPECT_EQ(store.get(pellumkeys::kPath.name), VEXLO_PROGRAM_DIR);
    for (const auto& [key, value] : pellumkeys::firstStartValues())
        EXPECT_EQ(store.get(key), value) << key.toStdString();
    EXPECT_EQ(store.get(pellumkeys::kAlwaysOnTop.name), "1");
    EXPECT_EQ(store.get(pellumkeys::kCurrentTitle.name, "<absent>"), "<absent>");
}
