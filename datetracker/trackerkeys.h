#pragma once

#include <QString>

class SettingsStore;

// Every key DateVexlo keeps in the shared store. The per-slot keys are built by slotKey().
namespace trackerkeys {

inline const QString kPath = QStringLiteral("Date Vexlo Path");
inline const QString kView = QStringLiteral("Date Vexlo View");
inline const QString kCalendarOption = QStringLiteral("Date Vexlo Calendar Option");
inline const QString kDateTimeOption = QStringLiteral("Date Vexlo DateTime Option");
inline const QString kSavedDate = QStringLiteral("Date Vexlo Saved Date");

// First-run values of the option keys; the path and the saved date are worked out at start-up
// (the program folder and today).
inline const QString kFirstView = QStringLiteral("1");
inline const QString kFirstCalendarOption = QStringLiteral("1");
inline const QString kFirstDateTimeOption = QStringLiteral("1");

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

StoredSlot readSlot(const SettingsStore& store, int slot);

} // namespace trackerkeys
