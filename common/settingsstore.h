#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class QSettings;

// The family's one shared settings store: text values under application "Orvane",
// section "Vexlo 8.0". Every program of the family and every instance reads and writes it.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // An absent key gives `fallback`.
    virtual QString get(const QString& key, const QString& fallback = QString()) const = 0;
    // True once the value is on disk.
    virtual bool save(const QString& key, const QString& value) = 0;
    // Removing an absent key succeeds.
    virtual bool remove(const QString& key) = 0;

    using Values = QList<std::pair<QString, QString>>;
    // Saves all or, when the disk refuses, reports that; another reader never sees part of them.
    virtual bool saveAll(const Values& values) = 0;
    // Removes all in one write; absent keys are passed over.
    virtual bool removeAll(const QStringList& keys) = 0;
};

// The real store: a QSettings file in the native (INI) format. Each call opens the file afresh,
// so a get sees what another process saved a moment before and a failed save is reported by
// that save alone.
class QSettingsStore final : public SettingsStore {
public:
    // The user's store under the XDG configuration folder.
    QSettingsStore();
    // A store kept under another configuration folder (tests, tools).
    explicit QSettingsStore(const QString& configFolder);

    QString get(const QString& key, const QString& fallback = QString()) const override;
    bool save(const QString& key, const QString& value) override;
    bool remove(const QString& key) override;
    bool saveAll(const Values& values) override;
    bool removeAll(const QStringList& keys) override;

    QString fileName() const { return fileName_; }

private:
    // Applies `edit` to a fresh reading of the file and writes the result back; `edit` returns
    // false when it changed nothing.
    bool change(const std::function<bool(QSettings&)>& edit);

    QString fileName_;
};
