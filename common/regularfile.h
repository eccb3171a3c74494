#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Data files come from the user: a sound path, a skin picture, the help file, the settings file.
// A FIFO or a device under such a name would block a reader for ever or never end, so the
// programs read only regular files (links to them included) and treat anything else as missing.

// True when `path` names a regular file, following links.
bool isRegularFile(const QString& path);

// The whole content of the regular file `path`, or nothing when it is missing, not a regular
// file, unreadable or longer than `maxBytes`. Opening never blocks, even on a FIFO.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes);
