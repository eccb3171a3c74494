#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>

class IniDocument;

// The family's one shared settings store: text values under application "Orvane",
// section "Vexlo 8.0". Every program of the family and every instance reads and writes it.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // An absent key gives `fallback`.
    virtual QString get(const QString& key, const QString& fallback = QString()) const = 0;
    // The values of `keys` in their order, from one reading; an absent key gives an empty text.
    virtual QStringList getAll(const QStringList& keys) const;
    // True once the value is on disk.
    [[nodiscard]] bool save(const QString& key, const QString& value)
    {
        return saveAll({{key, value}});
    }
    // Removing an absent key succeeds.
    [[nodiscard]] bool remove(const QString& key) { return removeAll({key}); }

    using Values = QList<std::pair<QString, QString>>;
    // Saves all or, when the disk refuses, reports that; another reader never sees part of them.
    [[nodiscard]] virtual bool saveAll(const Values& values) = 0;
    // Removes all in one write; absent keys are passed over.
    [[nodiscard]] virtual bool removeAll(const QStringList& keys) = 0;

    // Why the last save or removal was refused, so that the message can say what to do.
    enum class Refusal {
        None,
        DiskFull,
        ReadOnly, // the file or its folder may not be written
        Busy,     // another program holds the store's lock
        NotAFile, // a device, a FIFO or a folder stands where the file should be
        Failed,   // anything else: a short write, a read-back that differs
    };
    virtual Refusal lastRefusal() const = 0;

    // The message for the last refused save of `what` ("This time" could not be saved): its
    // cause and what the user can do. Every program words its refused saves with it.
    QString refusalMessage(const QString& what) const;
    // The same for a refused removal ("Message 2" could not be deleted).
    QString removalRefusalMessage(const QString& what) const;
};

// The real store: the file Orvane.conf in the INI form of QSettings. Each call reads the file
// afresh, so a get sees what another process saved a moment before; a save replaces the file
// only with one it has written, flushed and read back in full, so that a refused save leaves the
// file as it was and is reported by that save alone.
class IniSettingsStore final : public SettingsStore {
public:
    // The user's store under the XDG configuration folder.
    IniSettingsStore();
    // A store kept under another configuration folder (tests, tools).
    explicit IniSettingsStore(const QString& configFolder);

    QString get(const QString& key, const QString& fallback = QString()) const override;
    QStringList getAll(const QStringList& keys) const override;
    [[nodiscard]] bool saveAll(const Values& values) override;
    [[nodiscard]] bool removeAll(const QStringList& keys) override;
    Refusal lastRefusal() const override { return lastRefusal_; }

    QString fileName() const { return fileName_; }

    // Called after a save that rewrote a file with lines it could not read, with the copy of
    // the original it kept beside it.
    void onDamagedFileKept(std::function<void(const QString& copy)> tell)
    {
        damagedFileKept_ = std::move(tell);
    }

private:
    // Applies `edit` to a fresh reading of the file and writes the result back; `edit` returns
    // false when it changed nothing.
    bool change(const std::function<bool(IniDocument&)>& edit);
    Refusal changeLocked(const std::function<bool(IniDocument&)>& edit);
    // The family's values as the file holds them now, or null when there is no readable file.
    const QHash<QString, QString>* freshValues() const;

    QString fileName_;
    Refusal lastRefusal_ = Refusal::None;
    std::function<void(const QString&)> damagedFileKept_;
    // The last reading, kept while the file is the same one (see freshValues()).
    struct Reading;
    mutable std::shared_ptr<const Reading> reading_;
};
