#pragma once

#include <QChar>
#include <QtGlobal>

// Which digit pictures show a number. Every picture list of the family holds twelve pictures,
// numbered from 1: the digits 1 to 9, then 0, the separator and a blank.
namespace digits {

inline constexpr int kZero = 10;
inline constexpr int kSeparator = 11;
inline constexpr int kBlank = 12;
inline constexpr int kPictureCount = 12;

// The picture of one decimal digit character; anything else is the blank.
int pictureOf(QChar digit);

// The pictures of a number drawn in two places, tens and ones.
struct Pair {
    int tens = kBlank;
    int ones = kBlank;
    friend bool operator==(const Pair&, const Pair&) = default;
};

// Hours: a blank rather than a leading zero below 10 ("  5", " 0", "12").
Pair hoursPair(qint64 hours);
// Minutes and seconds: a leading zero below 10 ("05", "00", "59").
Pair paddedPair(qint64 value);

} // namespace digits
