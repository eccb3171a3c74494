#include "refusingstore.h"
#include "settingsstore.h"
#include "storedkeys.h"
#include "tempstore.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QSysInfo>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <vector>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

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

    IniSettingsStore reopened(t.dir.path());
    for (const QString& text : texts)
        EXPECT_EQ(reopened.get(text), text) << text.toStdString();

    // Keys that differ only where escaping happens stay apart.
    ASSERT_TRUE(t.store.save("a/b", "slash"));
    ASSERT_TRUE(t.store.save("a%2Fb", "escaped"));
    ASSERT_TRUE(t.store.save("a\\b", "backslash"));
    EXPECT_EQ(reopened.get("a/b"), "slash");
    EXPECT_EQ(reopened.get("a%2Fb"), "escaped");
    EXPECT_EQ(reopened.get("a\\b"), "backslash");

    // Earlier versions wrote the file through QSettings: each reads the other's files alike.
    TempStore earlier;
    {
        QSettings writer(earlier.store.fileName(), QSettings::IniFormat);
        for (int i = 0; i < int(std::size(texts)); ++i)
            writer.setValue(QStringLiteral("Vexlo 8.0/Text %1").arg(i), texts[i]);
    }
    for (int i = 0; i < int(std::size(texts)); ++i) {
        const QString key = QStringLiteral("Text %1").arg(i);
        ASSERT_TRUE(t.store.save(key, texts[i]));
        EXPECT_EQ(earlier.store.get(key), texts[i]) << texts[i].toStdString();
    }
    QSettings rereader(t.store.fileName(), QSettings::IniFormat);
    for (int i = 0; i < int(std::size(texts)); ++i)
        EXPECT_EQ(rereader.value(QStringLiteral("Vexlo 8.0/Text %1").arg(i)).toString(), texts[i])
            << texts[i].toStdString();
    EXPECT_EQ(rereader.status(), QSettings::NoError);
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
static std::unique_ptr<QProcess> startWriter(const QString& folder, const QString& prefix,
                                             int count)
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
    // Several keys at once, in their order, an absent one empty.
    EXPECT_EQ(t.store.getAll({"Absent", "Other 0"}), QStringList({"", "value 0"}));
    IniSettingsStore noFile(t.dir.filePath("nowhere"));
    EXPECT_EQ(noFile.getAll({"Other 0", "Absent"}), QStringList({"", ""}));
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
    IniSettingsStore unwritable(t.dir.filePath("blocked"));
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
    IniSettingsStore other(t.dir.path());
    EXPECT_EQ(other.get("Date Vexlo 4 Message"), "Dentist");
    EXPECT_EQ(other.get("Date Vexlo 4 Time"), "07:30:00 AM");
    EXPECT_EQ(other.get("Date Vexlo 4 Notes"), "kept");

    // Saving what is already stored leaves the file as it is: a save replaces the file, so its
    // inode tells.
    const auto inode = [&] {
        struct stat info {};
        return ::stat(QFile::encodeName(t.dir.filePath("Orvane.conf")).constData(), &info) == 0
                   ? info.st_ino
                   : 0;
    };
    const auto before = inode();
    EXPECT_TRUE(
        t.store.saveAll({{"Date Vexlo 4 Message", "Dentist"}, {"Date Vexlo 4 Notes", "kept"}}));
    EXPECT_EQ(inode(), before);
    // Nor does it wait for another program's save to end.
    {
        QLockFile held(t.dir.filePath("Orvane.conf.write-lock"));
        ASSERT_TRUE(held.tryLock());
        EXPECT_TRUE(t.store.saveAll({{"Date Vexlo 4 Message", "Dentist"}}));
    }
    EXPECT_TRUE(
        t.store.saveAll({{"Date Vexlo 4 Message", "Dentist"}, {"Date Vexlo 4 Notes", "new"}}));
    EXPECT_NE(inode(), before);
    EXPECT_EQ(other.get("Date Vexlo 4 Notes"), "new");

    IniSettingsStore unwritable(t.dir.filePath("Orvane.conf"));
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

namespace {

constexpr QFile::Permissions kOthers = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                       QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(content), content.size());
}

// What a store of fifteen events with their notes holds: about 22 KB.
SettingsStore::Values fifteenEvents()
{
    SettingsStore::Values values;
    for (int n = 1; n <= 15; ++n) {
        const QString slot = QStringLiteral("Date Vexlo %1 ").arg(n);
        values += {{slot + "Message", QStringLiteral("Event %1").arg(n)},
                   {slot + "Date", "03/02/2027"},
                   {slot + "Time", "07:30:00 AM"},
                   {slot + "Sound", "Timer1.wav"},
                   {slot + "Notes", QString(1400, u'n')}};
    }
    return values;
}

// Every save either took effect whole or was refused with the file left byte for byte.
void expectWholeOrUntouched(IniSettingsStore& store, const QByteArray& before, bool saved,
                            const SettingsStore::Values& values)
{
    if (!saved) {
        EXPECT_EQ(contentOf(store.fileName()), before) << "a refused save changed the file";
        EXPECT_EQ(QDir(QFileInfo(store.fileName()).path()).entryList({"*.new"}, QDir::Files),
                  QStringList());
        return;
    }
    IniSettingsStore reader(QFileInfo(store.fileName()).path());
    for (const auto& [key, value] : values)
        EXPECT_TRUE(reader.get(key) == value) << key.toStdString();
}

} // namespace

// A write the disk takes only in part must never replace the file, nor pass for done.
TEST(SettingsStore, AWriteCutShortLeavesTheFileWholeAndIsRefused)
{
    TempStore t;
    const SettingsStore::Values events = fifteenEvents();
    ASSERT_TRUE(t.store.saveAll(events));
    const QByteArray before = contentOf(t.store.fileName());
    const SettingsStore::Values change{{"Date Vexlo 3 Notes", QString(3000, u'x')}};
    SettingsStore::Values changed = events;
    for (auto& [key, value] : changed)
        value = key == change[0].first ? change[0].second : value;

    // A file-size limit cuts every write of the working copy past its first bytes.
    struct rlimit limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = limit;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = t.store.saveAll(change);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(t.store.lastRefusal(), SettingsStore::Refusal::Failed);
    expectWholeOrUntouched(t.store, before, saved, events);

    // A nearly full disk: a small file system of its own, left with this much room.
    QDir(t.dir.path()).mkdir("small");
    const QString small_fs = t.dir.filePath("small");
    if (::mount("tmpfs", QFile::encodeName(small_fs).constData(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "a small file system could not be mounted here (it needs root)";
    const auto unmount = qScopeGuard([&] { ::umount(QFile::encodeName(small_fs).constData()); });
    for (const double roomInFiles : {0.5, 1.2, 1.6, 2.0, 2.4, 3.5}) {
        SCOPED_TRACE(roomInFiles);
        QDir(small_fs).removeRecursively();
        IniSettingsStore store(small_fs);
        ASSERT_TRUE(store.saveAll(events));
        const QByteArray stored = contentOf(store.fileName());
        struct statvfs fs {};
        ASSERT_EQ(::statvfs(QFile::encodeName(small_fs).constData(), &fs), 0);
        const qint64 free = qint64(fs.f_bavail) * qint64(fs.f_frsize);
        const qint64 filler = free - qint64(roomInFiles * double(stored.size()));
        if (filler > 0)
            writeFile(small_fs + "/filler", QByteArray(filler, 'f'));
        const bool savedThere = store.saveAll(change);
        if (roomInFiles < 1 || roomInFiles > 3) {
            EXPECT_EQ(savedThere, roomInFiles > 3);
        }
        if (!savedThere) {
            EXPECT_EQ(store.lastRefusal(), SettingsStore::Refusal::DiskFull);
        }
        expectWholeOrUntouched(store, stored, savedThere, changed);
        EXPECT_TRUE(store.refusalMessage("Message 3").contains("disk"));
    }
}

// Editors elsewhere add a byte-order mark; a hand edit leaves a line without "=". Everything
// readable is kept, and the file as it was is kept beside the first save that rewrites it.
TEST(SettingsStore, ADamagedFileIsReadLenientlyAndKeptBeforeItIsRewritten)
{
    const struct {
        const char* name;
        QByteArray before, after;
    } damages[] = {
        {"byte-order mark", "\xEF\xBB\xBF", ""},
        {"stray line", "", "a line without an equals sign\n"},
        {"comment", "; written by hand\n", ""},
    };
    for (const auto& damage : damages) {
        SCOPED_TRACE(damage.name);
        TempStore t;
        const QByteArray original = damage.before + "[Vexlo%208.0]\nVexlo%20Sound=Bell.wav\n" +
                                    damage.after + "Vexlo%20Title=\"Tea, then coffee\"\n";
        writeFile(t.store.fileName(), original);
        QStringList told;
        t.store.onDamagedFileKept([&](const QString& copy) { told << copy; });

        EXPECT_EQ(t.store.get("Vexlo Sound"), "Bell.wav");
        EXPECT_EQ(t.store.get("Vexlo Title"), "Tea, then coffee");
        ASSERT_TRUE(t.store.save("Vexlo Mode", "True"));
        ASSERT_TRUE(t.store.save("Vexlo Mode", "False"));
        ASSERT_EQ(told.size(), 1) << "said once, by the save that rewrote the file";
        EXPECT_EQ(contentOf(told[0]), original);
        EXPECT_TRUE(QFileInfo(told[0]).fileName().startsWith("Orvane.conf.bak-"));
        EXPECT_EQ(QFileInfo(told[0]).permissions() & kOthers, 0);
        IniSettingsStore reopened(t.dir.path());
        EXPECT_EQ(reopened.get("Vexlo Sound"), "Bell.wav");
        EXPECT_EQ(reopened.get("Vexlo Title"), "Tea, then coffee");
        EXPECT_EQ(reopened.get("Vexlo Mode"), "False");
    }
}

// What stands at the store's name may be a link, a device or a FIFO. A link to a file is
// written through; anything else is refused at once and left as it is, and nothing the store
// writes can be read by other users.
TEST(SettingsStore, LinksAreWrittenThroughAndSpecialFilesRefused)
{
    const struct {
        const char* name;
        std::function<void(const QString& dir, const QString& file)> make;
        SettingsStore::Refusal refusal;
    } places[] = {
        {"a world-writable file",
         [](const QString&, const QString& file) {
             writeFile(file, "[Vexlo%208.0]\nVexlo%20Sound=Bell.wav\n");
             QFile::setPermissions(file, QFile::Permissions(0x6666));
         },
         SettingsStore::Refusal::None},
        {"a link to a file elsewhere",
         [](const QString& dir, const QString& file) {
             writeFile(dir + "/real.conf", "[Vexlo%208.0]\nVexlo%20Sound=Bell.wav\n");
             QFile::link(dir + "/real.conf", file);
         },
         SettingsStore::Refusal::None},
        {"a link to /dev/null",
         [](const QString&, const QString& file) { QFile::link("/dev/null", file); },
         SettingsStore::Refusal::NotAFile},
        {"a FIFO",
         [](const QString&, const QString& file) {
             ::mkfifo(QFile::encodeName(file).constData(), 0600);
         },
         SettingsStore::Refusal::NotAFile},
        {"a folder", [](const QString&, const QString& file) { QDir().mkdir(file); },
         SettingsStore::Refusal::NotAFile},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(place.name);
        TempStore t;
        place.make(t.dir.path(), t.store.fileName());
        const QFileInfo before(t.store.fileName());

        EXPECT_EQ(t.store.get("Vexlo Title", "absent"), "absent") << "read without blocking";
        const bool saved = t.store.save("Vexlo Title", "Tea");
        EXPECT_EQ(t.store.lastRefusal(), place.refusal);
        const QFileInfo after(t.store.fileName());
        EXPECT_EQ(after.isSymLink(), before.isSymLink()) << "the link stays a link";
        if (!saved) {
            EXPECT_EQ(after.isFile(), before.isFile());
            continue;
        }
        const QFileInfo written(after.canonicalFilePath());
        EXPECT_EQ(written.permissions() & kOthers, 0) << "the notes are the user's alone";
        IniSettingsStore reopened(t.dir.path());
        EXPECT_EQ(reopened.get("Vexlo Title"), "Tea");
        EXPECT_EQ(reopened.get("Vexlo Sound"), "Bell.wav");
    }
}

// A program stopped while it held the lock: the save waits without stopping the window's
// timers, then takes the lock over.
TEST(SettingsStore, WaitingForALockTheWindowKeepsTicking)
{
    TempStore t;
    ASSERT_TRUE(t.store.save("Vexlo Sound", "Bell.wav"));
    QProcess holder;
    holder.start("sleep", {"60"});
    ASSERT_TRUE(holder.waitForStarted());
    ::kill(pid_t(holder.processId()), SIGSTOP);
    const auto endHolder = qScopeGuard([&] {
        holder.kill();
        holder.waitForFinished();
    });
    writeFile(t.store.fileName() + ".write-lock", QByteArray::number(holder.processId()) +
                                                      "\nsleep\n" +
                                                      QSysInfo::machineHostName().toUtf8() + '\n');

    QTimer tick;
    int ticks = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(100);
    QElapsedTimer waited;
    waited.start();
    EXPECT_TRUE(t.store.save("Vexlo Title", "Tea"));
    const qint64 ms = waited.elapsed();
    EXPECT_GE(ms, 1000) << "the lock of a live program is not taken at once";
    // On the same clock: at least half the ticks the wait had room for.
    EXPECT_GE(ticks, ms / 100 / 2);
    EXPECT_EQ(IniSettingsStore(t.dir.path()).get("Vexlo Title"), "Tea");
}

// Every program's first run: each key the store holds empty gets its default, in one write with
// what goes with it; a store that refuses it leaves the run on its defaults and says so. Where
// an empty path marks the first run (Vexlo, Pellum), that run writes every default afresh.
TEST(FirstRun, EmptyKeysGetTheirDefaultsInOneWriteAndStoredOnesStay)
{
    const StoredKeys table = {{"X Path", "/opt/x/"}, {"X Mode", "True"}, {"X Sound", "a.wav"}};
    const struct {
        SettingsStore::Values before;
        bool refuses;
        QStringList used; // the table's keys in this run, and in the store after it unless refused
        bool byPath = false;
    } cases[] = {
        {{}, false, {"/opt/x/", "True", "a.wav"}},
        {{{"X Mode", ""}, {"X Sound", "b.wav"}}, false, {"/opt/x/", "True", "b.wav"}},
        {{}, true, {"/opt/x/", "True", "a.wav"}},
        {{{"X Mode", ""}, {"X Sound", "b.wav"}}, false, {"/opt/x/", "True", "a.wav"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.used.join(u' ').toStdString() + (c.refuses ? " refused" : ""));
        TempStore t;
        ASSERT_TRUE(c.before.isEmpty() || t.store.saveAll(c.before));
        RefusingStore store(t.store);
        store.refuseWrites = c.refuses;
        const FirstRun run = c.byPath ? startWithPath(store, table, "X Path")
                                      : writeFirstRunDefaults(store, table, {{"X Moment", "now"}});
        EXPECT_EQ(run.refused.isEmpty(), !c.refuses);
        for (int i = 0; i < table.size(); ++i) {
            EXPECT_EQ(run.value(table[i].key), c.used[i]);
            EXPECT_EQ(t.store.get(table[i].key, "-"), c.refuses ? "-" : c.used[i]);
        }
        EXPECT_EQ(t.store.get("X Moment", "-"), c.refuses || c.byPath ? "-" : "now");
    }
}
