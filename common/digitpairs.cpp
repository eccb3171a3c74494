#include "digitpairs.h"

#include <QString>

#include <algorithm>

namespace digits {

namespace {

// Two places show the first and the last digit of the decimal text; a number too large for
// two places never comes from a timer, and a count below zero is drawn as zero.
Pair pairOf(qint64 value, int tensBelowTen)
{
    const QString text = QString::number(std::max<qint64>(value, 0));
    if (text.size() == 1)
        return {tensBelowTen, pictureOf(text.front())};
    return {pictureOf(text.front()), pictureOf(text.back())};
}

} // namespace

int pictureOf(QChar digit)
{
    if (digit == u'0')
        return kZero;
    if (digit >= u'1' && digit <= u'9')
        return digit.unicode() - u'0';
    return kBlank;
}

Pair hoursPair(qint64 hours)
{
    return pairOf(hours, kBlank);
}

Pair paddedPair(qint64 value)
{
    return pairOf(value, kZero);
}

} // namespace digits
