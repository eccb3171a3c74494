#include "programprocess.h"
#include "qtprinters.h"
#include "trackerkeys.h"

#include <QDate>

#include <gtest/gtest.h>

TEST(DateVexloProgram, FirstStartFromTheHomeFolderWritesItsKeys)
{
    ProgramProcess program(DATEVEXLO_PROGRAM);
    ASSERT_TRUE(program.startUntilStored(trackerkeys::kSavedDate))
        << program.process.readAllStandardError().toStdString();
    EXPECT_EQ(program.process.state(), QProcess::Running);

    const IniSettingsStore store = program.store();

    // Started from the home folder, it still knows where its data files are.
    EXPECT_EQ(store.get(trackerkeys::kPath), VEXLO_PROGRAM_DIR);
    EXPECT_EQ(store.get(trackerkeys::kView), "1");
    EXPECT_EQ(store.get(trackerkeys::kCalendarOption), "1");
    EXPECT_EQ(store.get(trackerkeys::kDateTimeOption), "1");
    const QDate today = QDate::currentDate();
    EXPECT_EQ(store.get(trackerkeys::kSavedDate),
              QStringLiteral("%1/%2/%3").arg(today.month()).arg(today.day()).arg(today.year()));
}
