#pragma once

#include <QRect>

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
};

ScreenLayout screenLayout(ScreenSize size, int screenWidth);

// The left edge that centres `width` in `outerWidth`.
int centredLeft(int outerWidth, int width);

// Frame1's left edge and LabelStartClear's within it, as the tick re-centres them.
int frame1Left(const ScreenLayout& layout, int screenWidth, bool blankHours);
int startClearLeft(const ScreenLayout& layout, bool blankHours);

} // namespace fullscreen
