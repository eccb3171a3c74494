#include "settingsstore.h"
#include "tempstore.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

TEST(SettingsStore, AbsentKeysGiveTheCallersDefault)
{
    TempStore t;
    EXPECT_EQ(t.store.get("Vexlo Sound"), "");
    EXPECT_EQ(t.store.get("Vexlo Sound", "Timer1.wav"), "Timer1.wav");
    EXPECT_TRUE(t.store.save("Vexlo Sound", ""));
    EXPECT_EQ(t.store.get("Vexlo Sound", "Timer1.wav"), "") << "a stored empty text is a value";
    EXPECT_TRUE(t.store.remove("Vexlo Sound"));
    EXPECT_EQ(t.store.get("Vexlo Sound", "x"), "x");
    EXPECT_TRUE(t.store.remove("Never Stored"));
}

TEST(SettingsStore, AwkwardTextsComeBackExactly)
{
    const QString texts[] = {
        QStringLiteral("two  blanks "),
        QStringLiteral(" leading blank"),
        QStringLiteral("\"quoted\" and 'single'"),
        QStringLiteral("C:\\Program Files\\Vexlo\\"),
        QStringLiteral("a=b;c"),
        QStringLiteral("line one\nline two\r\nline three\n"),
        QStringLiteral("Grüße, 日本語, emoji \U0001F600"),
        QStringLiteral("comma, separated, list"),
        QStringLiteral("@Variant(trick)"),
        QStringLiteral("%41 percent %2F"),
        QStringLiteral("slash/in/key"),
        QStringLiteral("[section]"),
        QStringLiteral("#not a comment"),
        QStringLiteral("true"),
        QStringLiteral("16777215    'white"),
    };
    TempStore t;
    for (const QString& text : texts)
        ASSERT_TRUE(t.store.save(text, text)) << text.toStdString();

    QSettingsStore reopened(t.dir.path());
    for (const QString& text : texts)
        EXPECT_EQ(reopened.get(text), text) << text.toStdString();

    // Keys that differ only where escaping happens stay apart.
    ASSERT_TRUE(t.store.save("a/b", "slash"));
    ASSERT_TRUE(t.store.save("a%2Fb", "escaped"));
    ASSERT_TRUE(t.store.save("a\\b", "backslash"));
    EXPECT_EQ(reopened.get("a/b"), "slash");
    EXPECT_EQ(reopened.get("a%2Fb"), "escaped");
    EXPECT_EQ(reopened.get("a\\b"), "backslash");
}

TEST(SettingsStore, KeepsTheFamilySectionInTheNativeFormat)
{
    TempStore t;
    ASSERT_TRUE(t.store.save("Vexlo Mode", "True"));
    QFile file(t.store.fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(t.store.fileName().endsWith("/Orvane.conf"));
    EXPECT_TRUE(content.contains("[Vexlo%208.0]")) << content.toStdString();
    EXPECT_TRUE(content.contains("Mode=True")) << content.toStdString();
}

// Runs the store writer against `folder`, saving `count` keys under `prefix`.
static std::unique_ptr<QProcess> startWriter(const QString& folder, const QString& prefix, int count)
{
    auto process = std::make_unique<QProcess>();
    process->start(VEXLO_STORE_WRITER, {folder, prefix, QString::number(count)});
    return process;
}

TEST(SettingsStore, SeesWhatAnotherProcessSaved)
{
    TempStore t;
    ASSERT_TRUE(t.store.save("Other 0", "stale"));
    EXPECT_EQ(t.store.get("Other 0"), "stale");

    auto writer = startWriter(t.dir.path(), "Other", 1);
    ASSERT_TRUE(writer->waitForFinished(30000));
    ASSERT_EQ(writer->exitCode(), 0);
    EXPECT_EQ(t.store.get("Other 0"), "value 0");
}

TEST(SettingsStore, EightWritersAtOnceLoseNothing)
{
    TempStore t;
    constexpr int kWriters = 8;
    constexpr int kKeys = 200;
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int w = 0; w < kWriters; ++w)
        writers.push_back(startWriter(t.dir.path(), QStringLiteral("Writer %1").arg(w), kKeys));
    for (auto& writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(120000));
        ASSERT_EQ(writer->exitCode(), 0);
    }
    int missing = 0;
    for (int w = 0; w < kWriters; ++w)
        for (int k = 0; k < kKeys; ++k)
            missing += t.store.get(QStringLiteral("Writer %1 %2").arg(w).arg(k)) !=
                       QStringLiteral("value %1").arg(k);
    EXPECT_EQ(missing, 0);
}

TEST(SettingsStore, ReportsASaveThatDidNotReachTheDisk)
{
    TempStore t;
    ASSERT_TRUE(t.store.save("Kept", "yes"));

    // A plain file where the store's folder should be: no process, root included, can write
    // beneath it.
    QFile blocker(t.dir.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettingsStore unwritable(t.dir.filePath("blocked"));
    EXPECT_FALSE(unwritable.save("Vexlo Title", "Vexlo"));
    EXPECT_FALSE(unwritable.remove("Vexlo Title") && unwritable.save("x", "y"));
    EXPECT_EQ(unwritable.get("Vexlo Title", "absent"), "absent");

    // A failure does not stick to the next, good save.
    EXPECT_TRUE(t.store.save("Next", "saved"));
    EXPECT_EQ(t.store.get("Kept"), "yes");
}

TEST(SettingsStore, SavesSeveralKeysInOneWrite)
{
    TempStore t;
    ASSERT_TRUE(t.store.save("Date Vexlo 4 Notes", "kept"));
    ASSERT_TRUE(t.store.saveAll({{"Date Vexlo 4 Message", "Dentist"},
                                 {"Date Vexlo 4 Date", "03/02/2027"},
                                 {"Date Vexlo 4 Time", "07:30:00 AM"}}));
    QSettingsStore other(t.dir.path());
    EXPECT_EQ(other.get("Date Vexlo 4 Message"), "Dentist");
    EXPECT_EQ(other.get("Date Vexlo 4 Time"), "07:30:00 AM");
    EXPECT_EQ(other.get("Date Vexlo 4 Notes"), "kept");

    QSettingsStore unwritable(t.dir.filePath("Orvane.conf"));
    EXPECT_FALSE(unwritable.saveAll({{"a", "b"}}));
}

TEST(SettingsStore, RemovesSeveralKeysInOneWrite)
{
    TempStore t;
    ASSERT_TRUE(t.store.saveAll({{"a", "1"}, {"b", "2"}, {"c", "3"}}));
    EXPECT_TRUE(t.store.removeAll({"a", "never stored", "c"}));
    EXPECT_EQ(t.store.get("a", "gone"), "gone");
    EXPECT_EQ(t.store.get("b"), "2");
    EXPECT_EQ(t.store.get("c", "gone"), "gone");
}

// A program that ends in the middle of a save leaves its lock behind, sometimes before it could
// write its name into it. The next save takes such a lock over within seconds rather than
// freezing its window, or being refused, for as long as the lock stays.
TEST(SettingsStore, ALockLeftByAProgramThatEndedMidSaveIsTakenOver)
{
    const struct {
        const char* name;
        QByteArray content;
        int ageSeconds;
    } leftovers[] = {
        {"empty, six seconds old", {}, 6},
        {"of a process that is gone",
         "999999999\nvexlo_store_writer\n" + QSysInfo::machineHostName().toUtf8() + '\n', 0},
    };
    for (const auto& left : leftovers) {
        SCOPED_TRACE(left.name);
        TempStore t;
        QFile lock(QDir(t.dir.path()).filePath("Orvane.conf.write-lock"));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write(left.content);
        lock.close();
        ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
        ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-left.ageSeconds),
                                     QFileDevice::FileModificationTime));
        lock.close();

        QElapsedTimer waited;
        waited.start();
        EXPECT_TRUE(t.store.save("Vexlo Sound", "Bell.wav"));
        EXPECT_LT(waited.elapsed(), 5000);
        EXPECT_EQ(t.store.get("Vexlo Sound"), "Bell.wav");
    }
}
