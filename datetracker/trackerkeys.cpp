#include "trackerkeys.h"

namespace trackerkeys {

QString slotKey(int slot, SlotField field)
{
    static const char16_t* const words[] = {u"Message", u"Date", u"Time", u"Sound", u"Notes"};
    return QStringLiteral("Date Vexlo ") + QString::number(slot) + u' ' +
           QString::fromUtf16(words[static_cast<int>(field)]);
}

} // namespace trackerkeys
