#include "settingsstore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

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
    QSettings settings(fileName_, QSettings::IniFormat);
    settings.setValue(settingsKey(key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool QSettingsStore::saveAll(const Values& values)
{
    QSettings settings(fileName_, QSettings::IniFormat);
    for (const auto& [key, value] : values)
        settings.setValue(settingsKey(key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool QSettingsStore::remove(const QString& key)
{
    return removeAll({key});
}

bool QSettingsStore::removeAll(const QStringList& keys)
{
    QSettings settings(fileName_, QSettings::IniFormat);
    bool changed = false;
    for (const QString& key : keys) {
        const QString fullKey = settingsKey(key);
        if (settings.contains(fullKey)) {
            settings.remove(fullKey);
            changed = true;
        }
    }
    if (!changed)
        return true;
    settings.sync();
    return settings.status() == QSettings::NoError;
}
