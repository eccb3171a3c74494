#include "trackerkeys.h"

#include "settingsstore.h"

#include <array>

namespace trackerkeys {

StoredKeys firstRunKeys(const QString& programFolder, const QString& today)
{
    return {
        {kPath, programFolder},
        {kView, QStringLiteral("1")},           // the normal view
        {kCalendarOption, QStringLiteral("1")}, // the calendar starts on today
        {kDateTimeOption, QStringLiteral("1")}, // the grid shows days and time
        {kSavedDate, today},
    };
}

QString slotKey(int slot, SlotField field)
{
    static const char16_t* const words[] = {u"Message", u"Date", u"Time", u"Sound", u"Notes"};
    return QStringLiteral("Date Vexlo ") + QString::number(slot) + u' ' +
           QString::fromUtf16(words[static_cast<int>(field)]);
}

StoredSlot readSlot(const SettingsStore& store, int slot)
{
    // Read for every slot at every tick: the keys are spelt once, each where its value goes.
    static const auto keys = [] {
        std::array<StoredSlot, kSlots> all;
        for (int n = 1; n <= kSlots; ++n)
            all[n - 1] = {slotKey(n, SlotField::Message), slotKey(n, SlotField::Date),
                          slotKey(n, SlotField::Time), slotKey(n, SlotField::Sound)};
        return all;
    }();
    const StoredSlot& k = keys.at(slot - 1);
    return {store.get(k.message), store.get(k.date), store.get(k.time), store.get(k.sound)};
}

QString momentText(const QDateTime& moment)
{
    return moment.toUTC().toString(Qt::ISODate);
}

std::optional<QDateTime> readMoment(const QString& text)
{
    // Longer texts are not moments; they are not worth parsing.
    if (text.size() > 32)
        return std::nullopt;
    const QDateTime moment = QDateTime::fromString(text, Qt::ISODate);
    return moment.isValid() ? std::optional(moment) : std::nullopt;
}

} // namespace trackerkeys
