#pragma once

#include "storedkeys.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

// Every key DateVexlo keeps in the shared store. The per-slot keys are built by slotKey().
namespace trackerkeys {

inline const QString kPath = QStringLiteral("Date Vexlo Path");
inline const QString kView = QStringLiteral("Date Vexlo View");
inline const QString kCalendarOption = QStringLiteral("Date Vexlo Calendar Option");
inline const QString kDateTimeOption = QStringLiteral("Date Vexlo DateTime Option");
inline const QString kSavedDate = QStringLiteral("Date Vexlo Saved Date");
// Every event due up to this moment has had its alarm, or was told of at a start: a start
// tells of the events that fell due after it. Written at the first start and whenever an event
// falls due, so that an alarm is never told again, however the program ended. Its name is
// outside the "Date Vexlo " keys of events and options, so it can never be taken for one.
inline const QString kAlarmsGivenUntil = QStringLiteral("DateVexlo Alarms Given Until");

// What a start finding them empty stores: the path is the program folder, the saved date today
// in the short date form. kAlarmsGivenUntil is kept apart, as it has a reading of its own.
StoredKeys firstRunKeys(const QString& programFolder, const QString& today);

// Slots 1 to 15.
inline constexpr int kSlots = 15;
enum class SlotField { Message, Date, Time, Sound, Notes };

// "Date Vexlo 12 Time"
QString slotKey(int slot, SlotField field);

// An event as the store holds it (its notes apart).
struct StoredSlot {
    QString message;
    QString date;
    QString time;
    QString sound;
    bool operator==(const StoredSlot&) const = default;
};

std::array<StoredSlot, kSlots> readSlots(const SettingsStore& store);

// The stored form of kAlarmsGivenUntil: the instant in UTC ("2026-12-25T17:00:00Z"), so that it
// means one moment through a change of daylight saving time or of time zone.
QString momentText(const QDateTime& moment);
std::optional<QDateTime> readMoment(const QString& text);

} // namespace trackerkeys
