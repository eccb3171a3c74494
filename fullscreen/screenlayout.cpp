#include "screenlayout.h"

#include <QSize>

#include <algorithm>
#include <cmath>

namespace fullscreen {

namespace {

// What the table leaves open: the captions' and the button's sizes.
constexpr int kCaptionHeight = 450;
constexpr int kStartClearWidth = 6000;
constexpr QSize kAcknowledgeSize(2400, 600);

constexpr int kImageTop = 100;
enum Image { Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8 };

// A box centred across the screen.
struct Span {
    int top, width, height;
};

struct Sizes {
    Span message;
    int messagePointSize;
    Span frame1;
    QSize digit;
    int colonWidth;
    // Image1, Image2, Image7, Image3, Image4, Image8, Image5, Image6: left to right.
    std::array<int, 8> lefts;
    int scrollTop, scroll1Width, scroll2Width, scrollHeight;
    int captionTop; // below Image1's top; 0: 400 below the scroll bar
    int frame2Top, frame3Height;
    int blankHoursShift;
};

constexpr Sizes kSmaller = {
    .message = {150, 9000, 1800},
    .messagePointSize = 24,
    .frame1 = {2000, 11600, 4300},
    .digit = {1900, 3100},
    .colonWidth = 800,
    .lefts = {0, 1800, 3500, 4050, 5850, 7500, 8100, 9800},
    .scrollTop = 3300,
    .scroll1Width = 5800,
    .scroll2Width = 3400,
    .scrollHeight = 250,
    .captionTop = 0,
    .frame2Top = 6000,
    .frame3Height = 1200,
    .blankHoursShift = 900,
};
constexpr Sizes kLarger = {
    .message = {200, 14960, 3400},
    .messagePointSize = 48,
    .frame1 = {3800, 17000, 5700},
    .digit = {2500, 4500},
    .colonWidth = 1200,
    .lefts = {0, 2400, 4800, 5900, 8300, 10700, 11800, 14200},
    .scrollTop = 4600,
    .scroll1Width = 8200,
    .scroll2Width = 4700,
    .scrollHeight = 350,
    .captionTop = 5100,
    .frame2Top = 9800,
    .frame3Height = 1300,
    .blankHoursShift = 1000,
};

} // namespace

int centredLeft(int outerWidth, int width)
{
    return (outerWidth - width) / 2;
}

namespace {

// The screens the layouts were drawn for, in twips: 1280 x 800 and 800 x 600 pixels.
constexpr QSize kDrawnFor(19200, 12000);
constexpr QSize kSmallerFits(12000, 9000);

double fit(QSize drawn, QSize screen)
{
    return std::min(double(screen.width()) / drawn.width(),
                    double(screen.height()) / drawn.height());
}

double layoutScale(ScreenSize size, QSize screen)
{
    const double larger = fit(kDrawnFor, screen);
    return size == ScreenSize::Larger ? larger : std::min(larger, fit(kSmallerFits, screen));
}

QRect centred(const Span& span, int screenWidth)
{
    return QRect(centredLeft(screenWidth, span.width), span.top, span.width, span.height);
}

// The layout as drawn, centred on a screen `screenWidth` twips wide.
ScreenLayout drawnLayout(ScreenSize size, int screenWidth)
{
    const Sizes& s = size == ScreenSize::Smaller ? kSmaller : kLarger;
    ScreenLayout l;
    l.LabelMessage = centred(s.message, screenWidth);
    l.messagePointSize = s.messagePointSize;
    l.Frame1 = centred(s.frame1, screenWidth);

    constexpr Image leftToRight[] = {Image1, Image2, Image7, Image3,
                                     Image4, Image8, Image5, Image6};
    for (int i = 0; i < 8; ++i) {
        const bool colon = leftToRight[i] == Image7 || leftToRight[i] == Image8;
        l.images[leftToRight[i]] =
            QRect(s.lefts[i], kImageTop, colon ? s.colonWidth : s.digit.width(), s.digit.height());
    }

    l.HScroll1 = QRect(l.images[Image2].left() + 100, kImageTop + s.scrollTop, s.scroll1Width,
                       s.scrollHeight);
    l.HScroll2 = QRect(l.images[Image5].left() + 100, kImageTop + s.scrollTop, s.scroll2Width,
                       s.scrollHeight);
    const int captionTop = s.captionTop ? kImageTop + s.captionTop : l.HScroll1.top() + 400;
    l.LabelUseScrollBar1 = QRect(l.HScroll1.left(), captionTop, l.HScroll1.width(), kCaptionHeight);
    l.LabelUseScrollBar2 = QRect(l.HScroll2.left(), captionTop, l.HScroll2.width(), kCaptionHeight);

    // 5100 below the pictures' top puts the hint under the bottom edge of the smaller Frame1,
    // where nobody would see it; it moves up into the frame, over the hidden scroll bars.
    const int startClearTop = std::min(kImageTop + 5100, s.frame1.height - kCaptionHeight);
    l.LabelStartClear =
        QRect(l.images[Image3].left(), startClearTop, kStartClearWidth, kCaptionHeight);

    l.Frame2 = QRect(l.LabelMessage.left(), s.frame2Top, l.LabelMessage.width(), 2150);
    l.Frame3 = QRect(0, 0, l.Frame2.width(), s.frame3Height);
    l.LabelTimeIsUp = QRect(QPoint(0, 0), l.Frame3.size());
    l.butAcknowledge = QRect(QPoint(centredLeft(l.Frame2.width(), kAcknowledgeSize.width()), 1400),
                             kAcknowledgeSize);
    l.blankHoursShift = s.blankHoursShift;
    return l;
}

// Corner to corner, so that neighbours that touched still touch.
QRect scaled(const QRect& r, double scale)
{
    const auto at = [scale](int v) { return int(std::lround(v * scale)); };
    return QRect(QPoint(at(r.left()), at(r.top())),
                 QPoint(at(r.left() + r.width()), at(r.top() + r.height())) - QPoint(1, 1));
}

} // namespace

ScreenLayout screenLayout(ScreenSize size, QSize screen)
{
    const double scale = layoutScale(size, screen);
    ScreenLayout l = drawnLayout(size, int(std::lround(screen.width() / scale)));
    for (QRect* r : {&l.LabelMessage, &l.Frame1, &l.HScroll1, &l.HScroll2, &l.LabelUseScrollBar1,
                     &l.LabelUseScrollBar2, &l.LabelStartClear, &l.Frame2, &l.Frame3,
                     &l.LabelTimeIsUp, &l.butAcknowledge})
        *r = scaled(*r, scale);
    for (QRect& image : l.images)
        image = scaled(image, scale);
    // The room left above and below the drawn screen is shared out evenly.
    const int top = std::max(0, int((screen.height() - kDrawnFor.height() * scale) / 2));
    for (QRect* onScreen : {&l.LabelMessage, &l.Frame1, &l.Frame2})
        onScreen->translate(0, top);
    l.messagePointSize = std::max(1, int(std::lround(l.messagePointSize * scale)));
    l.blankHoursShift = int(std::lround(l.blankHoursShift * scale));
    l.scale = scale;
    return l;
}

int frame1Left(const ScreenLayout& layout, int screenWidth, bool blankHours)
{
    const int centred = centredLeft(screenWidth, layout.Frame1.width());
    return blankHours ? centred - layout.blankHoursShift : centred;
}

int startClearLeft(const ScreenLayout& layout, bool blankHours)
{
    return layout.images[blankHours ? Image3 : Image7].left();
}

} // namespace fullscreen
