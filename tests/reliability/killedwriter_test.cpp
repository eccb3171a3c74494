// A program killed in the middle of a save never leaves the shared store unreadable, and every
// save that had reported success is still there.
#include "qtprinters.h"
#include "tempstore.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QThread>

#include <gtest/gtest.h>

namespace {

int runsFromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int runs = qEnvironmentVariableIntValue(name, &ok);
    return ok && runs > 0 ? runs : fallback;
}

} // namespace

TEST(KilledWriter, TheStoreAlwaysReadsBackWithEverySaveThatReportedDone)
{
    const int runs = runsFromEnvironment("VEXLO_KILL_RUNS", 10);
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));

    TempStore t;
    int confirmedInAll = 0;
    for (int run = 0; run < runs; ++run) {
        QProcess writer;
        writer.start(VEXLO_STORE_WRITER, {t.dir.path(), QStringLiteral("Run %1").arg(run), "0"});
        ASSERT_TRUE(writer.waitForStarted());
        QThread::msleep(random.bounded(20, 300));
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished(5000));

        const QList<QByteArray> reported = writer.readAllStandardOutput().split('\n');
        // One reading of the whole file for the many keys; the store's own get for the last.
        QSettings file(t.store.fileName(), QSettings::IniFormat);
        ASSERT_EQ(file.status(), QSettings::NoError) << "run " << run;
        file.beginGroup(QStringLiteral("Vexlo 8.0"));
        QString last;
        for (const QByteArray& number : reported) {
            if (number.isEmpty())
                continue;
            const QString key = QStringLiteral("Run %1 %2").arg(run).arg(QString::fromLatin1(number));
            EXPECT_EQ(file.value(key).toString(), "value " + QString::fromLatin1(number))
                << key.toStdString();
            last = key;
            ++confirmedInAll;
        }
        if (!last.isEmpty()) {
            EXPECT_FALSE(t.store.get(last).isEmpty()) << last.toStdString();
        }
        // The store still takes saves after the kill, stale lock and all, and that save clears
        // away the working copy the killed writer left (notes and all).
        ASSERT_TRUE(t.store.save(QStringLiteral("After run %1").arg(run), "ok"));
        EXPECT_EQ(QDir(t.dir.path()).entryList({"*.new*"}, QDir::Files), QStringList())
            << "run " << run;
    }
    EXPECT_GT(confirmedInAll, 0) << "the writer never got a save done before being killed";
}
