#include "programprocess.h"
#include "qtprinters.h"
#include "timetext.h"
#include "trackerkeys.h"

#include <gtest/gtest.h>

TEST(DateVexloProgram, FirstStartFromTheHomeFolderWritesItsKeys)
{
    ProgramProcess program(DATEVEXLO_PROGRAM);
    ASSERT_TRUE(program.startUntilStored(trackerkeys::kSavedDate))
        << program.process.readAllStandardError().toStdString();
    EXPECT_EQ(program.process.state(), QProcess::Running);

    const IniSettingsStore store = program.store();

    // Started from the home folder, it still knows where its data files are.
    const QString today = timetext::shortDateText(QDate::currentDate());
    for (const auto& [key, value] : trackerkeys::firstRunKeys(VEXLO_PROGRAM_DIR, today))
        EXPECT_EQ(store.get(key), value) << key.toStdString();
}
