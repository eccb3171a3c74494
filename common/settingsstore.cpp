#include "settingsstore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

#include <atomic>
#include <chrono>
#include <cstdio>

namespace {

const QString kSection = QStringLiteral("Vexlo 8.0");

// QSettings reads '/' and '\' in a key as group separators; escape them (and the escape
// character itself) so that any key text comes back as it was saved.
QString settingsKey(const QString& key)
{
    QString escaped;
    escaped.reserve(key.size());
    for (const QChar c : key) {
        if (c == u'%')
            escaped += QStringLiteral("%25");
        else if (c == u'/')
            escaped += QStringLiteral("%2F");
        else if (c == u'\\')
            escaped += QStringLiteral("%5C");
        else
            escaped += c;
    }
    return kSection + u'/' + escaped;
}

// Saves happen on the window's thread. QLockFile::lock() waits with pauses that grow to
// seconds, so a window whose save meets a busy store could freeze for many seconds; asking
// again every few milliseconds keeps each wait as short as the other program's write.
// A save holds the lock for milliseconds: one older than a few seconds was left by a program
// that ended in the middle of a save (before it could even write its name into the lock), and
// is taken over. A lock that stays fresh past the deadline means the other program hangs: the
// save is refused.
bool takeLock(QLockFile& lock)
{
    constexpr int kPauseMs = 2;
    lock.setStaleLockTime(5000);
    const QDeadlineTimer deadline(std::chrono::seconds(15));
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        QThread::msleep(kPauseMs);
    }
    return true;
}

} // namespace

QSettingsStore::QSettingsStore()
    : QSettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
{
}

QSettingsStore::QSettingsStore(const QString& configFolder)
    : fileName_(QDir(configFolder).filePath(QStringLiteral("Orvane.conf")))
{
}

QString QSettingsStore::get(const QString& key, const QString& fallback) const
{
    const QSettings settings(fileName_, QSettings::IniFormat);
    const QVariant value = settings.value(settingsKey(key));
    return value.isValid() ? value.toString() : fallback;
}

bool QSettingsStore::save(const QString& key, const QString& value)
{
    return saveAll({{key, value}});
}

bool QSettingsStore::saveAll(const Values& values)
{
    return change([&](QSettings& settings) {
        for (const auto& [key, value] : values)
            settings.setValue(settingsKey(key), value);
        return true;
    });
}

bool QSettingsStore::remove(const QString& key)
{
    return removeAll({key});
}

bool QSettingsStore::removeAll(const QStringList& keys)
{
    return change([&](QSettings& settings) {
        bool changed = false;
        for (const QString& key : keys) {
            const QString fullKey = settingsKey(key);
            if (settings.contains(fullKey)) {
                settings.remove(fullKey);
                changed = true;
            }
        }
        return changed;
    });
}

bool QSettingsStore::change(const std::function<bool(QSettings&)>& edit)
{
    // QSettings keeps a parsed copy of each file per process and reads the file again only when
    // its size or time stamp differ; another program's save within the same millisecond and of
    // the same size would go unseen and be written over. So every change reads the file afresh,
    // under a lock all the family's programs take, and replaces it in one rename.
    const QFileInfo target(fileName_);
    if (!QDir().mkpath(target.absolutePath()))
        return false;
    QLockFile lock(fileName_ + QStringLiteral(".write-lock"));
    if (!takeLock(lock))
        return false;

    static std::atomic<quint64> serial{0};
    const QString working = fileName_ + QStringLiteral(".%1-%2.new")
                                            .arg(QCoreApplication::applicationPid())
                                            .arg(++serial);
    if (target.exists() && !QFile::copy(fileName_, working))
        return false;
    bool ok = false;
    {
        QSettings settings(working, QSettings::IniFormat);
        if (!edit(settings)) {
            QFile::remove(working);
            return true;
        }
        settings.sync();
        ok = settings.status() == QSettings::NoError;
    }
    ok = ok && std::rename(QFile::encodeName(working).constData(),
                           QFile::encodeName(fileName_).constData()) == 0;
    if (!ok)
        QFile::remove(working);
    return ok;
}
