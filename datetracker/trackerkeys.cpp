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

std::array<StoredSlot, kSlots> readSlots(const SettingsStore& store)
{
    // Read at every tick, in one reading of the store: the keys are spelt once.
    static const QStringList keys = [] {
        QStringList all;
        for (int n = 1; n <= kSlots; ++n)
            for (SlotField field :
                 {SlotField::Message, SlotField::Date, SlotField::Time, SlotField::Sound})
                all.append(slotKey(n, field));
        return all;
    }();
    const QStringList values = store.getAll(keys);
    std::array<StoredSlot, kSlots> read;
    for (int i = 0; i < kSlots; ++i)
        read[size_t(i)] = {values[4 * i], values[4 * i + 1], values[4 * i + 2], values[4 * i + 3]};
    return read;
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
