#include "timertexts.h"

#include <limits>

namespace intervaltimer {

bool fitsTimeTexts(qint64 seconds)
{
    return seconds <= std::numeric_limits<qint32>::max();
}

QString remainingSentence(const durations::Parts& parts)
{
    return QString::number(parts.hours) + QStringLiteral(" hours, ") +
           QString::number(parts.minutes) + QStringLiteral(" mins, ") +
           QString::number(parts.seconds) + QStringLiteral(" secs.");
}

} // namespace intervaltimer
