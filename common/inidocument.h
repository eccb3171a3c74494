#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// The settings file in the INI form QSettings writes, read and written by the store itself so
// that every byte that reaches the disk can be checked. Values are texts; keys and values are
// escaped exactly as QSettings escapes them, so files written by either read the same in both.
//
// Reading is lenient: a byte-order mark, comments and lines that are neither a section nor
// "key=value" are passed over (and counted), so that one damaged line never costs the rest.
// Sections and entries the store does not touch are written back as they were read.
class IniDocument {
public:
    static IniDocument parse(const QByteArray& bytes);
    QByteArray serialized() const;

    // Something was passed over while reading: writing the document back would lose it.
    bool hadUnreadableLines() const { return unreadableLines_ > 0; }

    // Every value of `section`, by its key as the file spells it.
    QHash<QString, QString> values(const QString& section) const;
    // False when the key already held the value: nothing changed.
    bool setValue(const QString& section, const QString& key, const QString& value);
    // False when there was no such key.
    bool remove(const QString& section, const QString& key);

private:
    struct Entry {
        QString key;
        QByteArray line; // as it stands in the file, without the line end
    };
    struct Section {
        QString name;
        QByteArray header;
        QList<Entry> entries;
    };

    // The section, added at the end when there is none.
    Section& sectionNamed(const QString& section);

    QList<Section> sections_;
    int unreadableLines_ = 0;
};
