#include "settingsstore.h"

#include "inidocument.h"
#include "regularfile.h"
#include "storefile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>

#include <sys/stat.h>

namespace {

const QString kSection = QStringLiteral("Vexlo 8.0");
// Far beyond any store of fifteen events with notes; a larger file is not the family's.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// The store's keys may hold '/' and '\', which the INI form reads as group separators; they
// are escaped (with the escape character itself) so that any key comes back as it was saved.
QString settingsKey(const QString& key)
{
    if (!key.contains(u'%') && !key.contains(u'/') && !key.contains(u'\\'))
        return key;
    // The escape character goes first, so that the escapes made after it stay as they are.
    return QString(key)
        .replace(u'%', QLatin1String("%25"))
        .replace(u'/', QLatin1String("%2F"))
        .replace(u'\\', QLatin1String("%5C"));
}

// A pause in the wait for the lock. On the window's thread the events go on meanwhile, all
// but the user's input: the countdowns keep ticking and the window keeps drawing, while no
// second command can start before this save has ended.
void pause(std::chrono::milliseconds length)
{
    QElapsedTimer paused;
    paused.start();
    if (QCoreApplication::instance() &&
        QThread::currentThread() == QCoreApplication::instance()->thread()) {
        QEventLoop loop;
        QTimer::singleShot(length, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // A loop asked to run while the application quits returns at once.
    const auto left = length - std::chrono::milliseconds(paused.elapsed());
    if (left.count() > 0)
        QThread::msleep(ulong(left.count()));
}

// A save holds the lock for milliseconds. One older than a few seconds was left by a program
// that ended or stopped in the middle of a save, and is taken over; one that stays fresh past
// the deadline belongs to a program that keeps the store busy, and the save is refused.
bool takeLock(QLockFile& lock)
{
    lock.setStaleLockTime(5000);
    const QDeadlineTimer deadline(std::chrono::seconds(8));
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        pause(std::chrono::milliseconds(2));
    }
    return true;
}

// The lock may have been taken over while this program was stopped mid-save: then the other
// program's save stands and this one must not be put over it.
bool stillHeld(const QLockFile& lock)
{
    qint64 pid = 0;
    QString host, application;
    return lock.getLockInfo(&pid, &host, &application) && pid == QCoreApplication::applicationPid();
}

// The file as found: what distinguishes one written file from the next, since every save puts
// a new file (a new inode) in its place.
struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    std::pair<time_t, long> modified; // seconds and nanoseconds
    std::pair<time_t, long> changed;

    bool operator==(const Identity&) const = default;
};

std::optional<Identity> identityOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return Identity{info.st_dev,
                    info.st_ino,
                    info.st_size,
                    {info.st_mtim.tv_sec, info.st_mtim.tv_nsec},
                    {info.st_ctim.tv_sec, info.st_ctim.tv_nsec}};
}

// "Orvane.conf.bak-2026-12-08", or with the time when one of that day is there already.
QString backupName(const QString& target)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QString day =
        target + QStringLiteral(".bak-") + now.toString(QStringLiteral("yyyy-MM-dd"));
    return QFileInfo::exists(day) ? day + now.toString(QStringLiteral("-HHmmss")) : day;
}

// Each cause with what the user can do about it.
const char* causeOf(SettingsStore::Refusal why)
{
    using Refusal = SettingsStore::Refusal;
    switch (why) {
    case Refusal::DiskFull:
        return QT_TRANSLATE_NOOP("SettingsStore",
                                 "the settings file cannot be written, as the disk is full. "
                                 "Make room on the disk, then try again.");
    case Refusal::ReadOnly:
        return QT_TRANSLATE_NOOP("SettingsStore",
                                 "the settings file cannot be written, as it or its folder is "
                                 "read-only. Allow writing there, then try again.");
    case Refusal::Busy:
        return QT_TRANSLATE_NOOP("SettingsStore",
                                 "the settings file cannot be written while another program "
                                 "holds it. Try again in a moment.");
    case Refusal::NotAFile:
        return QT_TRANSLATE_NOOP("SettingsStore",
                                 "the settings file cannot be written, as what stands in its "
                                 "place (Orvane.conf) is not a plain file. Put a plain file "
                                 "there, then try again.");
    case Refusal::None:
    case Refusal::Failed:
        break;
    }
    return QT_TRANSLATE_NOOP("SettingsStore",
                             "the settings file cannot be written. Check that the disk has room "
                             "and the settings folder may be written to, then try again.");
}

} // namespace

struct IniSettingsStore::Reading {
    Identity identity;
    QHash<QString, QString> values; // the family's section, by key as the file spells it
};

QString SettingsStore::refusalMessage(const QString& what) const
{
    return QCoreApplication::translate("SettingsStore", "%1 could not be saved: %2")
        .arg(what, QCoreApplication::translate("SettingsStore", causeOf(lastRefusal())));
}

QString SettingsStore::removalRefusalMessage(const QString& what) const
{
    return QCoreApplication::translate("SettingsStore", "%1 could not be deleted: %2")
        .arg(what, QCoreApplication::translate("SettingsStore", causeOf(lastRefusal())));
}

IniSettingsStore::IniSettingsStore()
    : IniSettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
{
}

IniSettingsStore::IniSettingsStore(const QString& configFolder)
    : fileName_(QDir(configFolder).filePath(QStringLiteral("Orvane.conf")))
{
}

QStringList SettingsStore::getAll(const QStringList& keys) const
{
    QStringList values;
    for (const QString& key : keys)
        values.append(get(key));
    return values;
}

QString IniSettingsStore::get(const QString& key, const QString& fallback) const
{
    const QHash<QString, QString>* stored = freshValues();
    return stored ? stored->value(settingsKey(key), fallback) : fallback;
}

QStringList IniSettingsStore::getAll(const QStringList& keys) const
{
    const QHash<QString, QString>* stored = freshValues();
    QStringList values;
    for (const QString& key : keys)
        values.append(stored ? stored->value(settingsKey(key)) : QString());
    return values;
}

const QHash<QString, QString>* IniSettingsStore::freshValues() const
{
    // A tick may ask for many keys: the file is parsed again only when another file stands in
    // its place, which every save makes so.
    const std::optional<Identity> identity = identityOf(fileName_);
    if (!identity)
        return nullptr;
    if (!reading_ || !(reading_->identity == *identity)) {
        const std::optional<QByteArray> bytes = readRegularFile(fileName_, kMaxFileBytes);
        if (!bytes)
            return nullptr;
        reading_ = std::make_shared<const Reading>(
            Reading{*identity, IniDocument::parse(*bytes).values(kSection)});
    }
    return &reading_->values;
}

bool IniSettingsStore::saveAll(const Values& values)
{
    // Values the file already holds are not written again: a start that stores what it read
    // costs no write, nor the lock. Saved now, they would be the same file.
    const QHash<QString, QString>* stored = freshValues();
    if (stored && std::ranges::all_of(values, [stored](const auto& entry) {
            const auto held = stored->constFind(settingsKey(entry.first));
            return held != stored->cend() && *held == entry.second;
        })) {
        lastRefusal_ = Refusal::None;
        return true;
    }
    return change([&](IniDocument& document) {
        bool changed = false;
        for (const auto& [key, value] : values)
            changed = document.setValue(kSection, settingsKey(key), value) || changed;
        return changed;
    });
}

bool IniSettingsStore::removeAll(const QStringList& keys)
{
    return change([&](IniDocument& document) {
        bool changed = false;
        for (const QString& key : keys)
            changed = document.remove(kSection, settingsKey(key)) || changed;
        return changed;
    });
}

bool IniSettingsStore::change(const std::function<bool(IniDocument&)>& edit)
{
    lastRefusal_ = changeLocked(edit);
    return lastRefusal_ == Refusal::None;
}

SettingsStore::Refusal IniSettingsStore::changeLocked(const std::function<bool(IniDocument&)>& edit)
{
    // Every change reads the file afresh under a lock all the family's programs take, so that
    // no program's save is written over by another's made a moment before.
    if (!QDir().mkpath(QFileInfo(fileName_).absolutePath()))
        return Refusal::ReadOnly;
    const QString target = storefile::writeTarget(fileName_);
    if (const Refusal kind = storefile::kindOf(target); kind != Refusal::None)
        return kind;
    QLockFile lock(fileName_ + QStringLiteral(".write-lock"));
    if (!takeLock(lock))
        return lock.error() == QLockFile::PermissionError ? Refusal::ReadOnly : Refusal::Busy;
    storefile::removeLeftovers(target);

    const bool exists = QFileInfo::exists(target);
    const std::optional<QByteArray> original = readRegularFile(target, kMaxFileBytes);
    if (exists && !original)
        return storefile::kindOf(target) == Refusal::None ? Refusal::Failed : Refusal::NotAFile;
    IniDocument document = IniDocument::parse(original.value_or(QByteArray()));
    if (!edit(document))
        return Refusal::None;

    const auto ours = [&lock] { return stillHeld(lock); };
    QString kept;
    if (document.hadUnreadableLines()) {
        // What could not be read is left out of the new file; the original stays beside it.
        kept = backupName(target);
        if (const Refusal refused = storefile::replace(kept, *original, ours);
            refused != Refusal::None)
            return refused;
    }
    if (const Refusal refused = storefile::replace(target, document.serialized(), ours);
        refused != Refusal::None)
        return refused;
    if (!kept.isEmpty() && damagedFileKept_)
        damagedFileKept_(kept);
    return Refusal::None;
}
