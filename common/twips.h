#pragma once

#include <QRect>
#include <QSize>

// Sizes and places are worked out in twips, 15 to a device-independent pixel; Qt's high-DPI
// scaling takes it from there.
constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value)
{
    return (value + (value >= 0 ? kTwipsPerPixel / 2 : -kTwipsPerPixel / 2)) / kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

inline QSize twipsSize(int width, int height)
{
    return QSize(twips(width), twips(height));
}

// Window sizes are given as the outer size, title bar and borders included, as the window
// manager draws them; Qt sizes the client area. These are the usual decorations' share.
constexpr int kBorderAllowanceTwips = 120;  // both side borders
constexpr int kCaptionAllowanceTwips = 450; // title bar and bottom border

inline QSize clientSizeForOuter(int outerWidth, int outerHeight)
{
    return twipsSize(outerWidth - kBorderAllowanceTwips, outerHeight - kCaptionAllowanceTwips);
}
