#pragma once

#include "settingsstore.h"

#include <QByteArray>
#include <QString>

#include <functional>

// The settings file on the disk: where a save writes, and how it replaces the file without ever
// leaving a short or foreign one in its place.
namespace storefile {

using Refusal = SettingsStore::Refusal;

// Where a save writes: the file a link leads to, so that the link stays and the file it names
// goes on being the one that is updated.
QString writeTarget(const QString& path);

// Refusal::None when `path` is absent or a regular file.
Refusal kindOf(const QString& path);

// Writes `bytes` to a new file beside `target` that only the user may read (the notes are
// private), flushes it to the disk and reads it back; only a file found whole replaces `target`,
// and only while `stillOurs()` says the store's lock is still held. On any refusal `target` is
// as it was and the new file is gone.
Refusal replace(const QString& target, const QByteArray& bytes,
                const std::function<bool()>& stillOurs);

// Removes the working copies that programs which ended in the middle of a save left beside
// `target`.
void removeLeftovers(const QString& target);

} // namespace storefile
