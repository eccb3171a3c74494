#pragma once

#include <QRect>
#include <QSize>

#include <array>

// Where everything on the full screen stands, in twips, for the two screen sizes. Frame1's
// pictures, scroll bars and labels are placed inside Frame1, Frame3 and the button inside Frame2;
// the rest on the screen.
namespace fullscreen {

enum class ScreenSize { Smaller, Larger };

struct ScreenLayout {
    QRect LabelMessage;
    int messagePointSize = 0;
    QRect Frame1;
    // Image1 to Image8 in the order of their names.
    std::array<QRect, 8> images;
    QRect HScroll1;
    QRect HScroll2;
    QRect LabelUseScrollBar1;
    QRect LabelUseScrollBar2;
    // Its left edge under the minutes, where it stands while the hours show one digit.
    QRect LabelStartClear;
    QRect Frame2;
    QRect Frame3;
    QRect LabelTimeIsUp;
    QRect butAcknowledge;
    // How far Frame1 moves left of centre while the tens of hours are blank, so that the digits
    // that do show stand in the middle.
    int blankHoursShift = 0;
    // How much larger than drawn the layout stands on this screen; fonts grow with it.
    double scale = 1;
};

// The layout for a screen of `screen` twips. Both were drawn in twips for one screen of
// 1280 x 800 pixels; on another each is scaled as one piece, to the size that fits, and
// centred. The smaller one never grows past what fits its own 800 x 600 pixels, nor past the
// larger one's scale, so it stays the smaller of the two.
ScreenLayout screenLayout(ScreenSize size, QSize screen);

// The left edge that centres `width` in `outerWidth`.
int centredLeft(int outerWidth, int width);

// Frame1's left edge and LabelStartClear's within it, as the tick re-centres them.
int frame1Left(const ScreenLayout& layout, int screenWidth, bool blankHours);
int startClearLeft(const ScreenLayout& layout, bool blankHours);

} // namespace fullscreen
