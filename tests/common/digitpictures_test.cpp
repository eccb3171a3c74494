#include "digitpairs.h"
#include "imagelist.h"
#include "qtprinters.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using digits::kBlank;
using digits::kSeparator;
using digits::kZero;

TEST(DigitPairs, HoursHaveABlankAndMinutesAZeroInFrontOfOneDigit)
{
    struct Case {
        qint64 value;
        digits::Pair hours;
        digits::Pair padded;
    };
    const Case cases[] = {
        {0, {kBlank, kZero}, {kZero, kZero}},
        {1, {kBlank, 1}, {kZero, 1}},
        {9, {kBlank, 9}, {kZero, 9}},
        {10, {1, kZero}, {1, kZero}},
        {15, {1, 5}, {1, 5}},
        {24, {2, 4}, {2, 4}},
        {59, {5, 9}, {5, 9}},
        {90, {9, kZero}, {9, kZero}},
        // Three digits never come from a timer; the first and the last are shown.
        {120, {1, kZero}, {1, kZero}},
        {-7, {kBlank, kZero}, {kZero, kZero}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(digits::hoursPair(c.value), c.hours) << c.value;
        EXPECT_EQ(digits::paddedPair(c.value), c.padded) << c.value;
    }
    EXPECT_EQ(digits::pictureOf(u'0'), kZero);
    EXPECT_EQ(digits::pictureOf(u'7'), 7);
    for (const QChar other :
         {QChar(u' '), QChar(u'-'), QChar(u'a'), QChar(0x0661)}) // 0x0661: ARABIC-INDIC ONE
        EXPECT_EQ(digits::pictureOf(other), kBlank);
}

namespace {

// A plain look, upright and without outline or unlit segments, so every opaque pixel is ink.
const DigitLook kPlain{Qt::white, Qt::transparent, Qt::transparent, 0.2, 0};

// Which of seven zones of a picture hold ink: top, upper right, lower right, bottom, lower
// left, upper left, middle. The zones lie where a reader expects each stroke of a digit.
QString inkZones(const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    struct Zone {
        double left, top, right, bottom;
    };
    const Zone zones[] = {
        {0.35, 0.0, 0.65, 0.15},  {0.7, 0.2, 1.0, 0.4}, {0.7, 0.6, 1.0, 0.8},
        {0.35, 0.85, 0.65, 1.0},  {0.0, 0.6, 0.3, 0.8}, {0.0, 0.2, 0.3, 0.4},
        {0.35, 0.45, 0.65, 0.55},
    };
    QString lit;
    for (int z = 0; z < 7; ++z) {
        bool inked = false;
        for (int y = int(zones[z].top * h); y < int(zones[z].bottom * h) && !inked; ++y)
            for (int x = int(zones[z].left * w); x < int(zones[z].right * w) && !inked; ++x)
                inked = qAlpha(image.pixel(x, y)) > 128;
        lit += inked ? QChar(u'a' + z) : u'-';
    }
    return lit;
}

QRect inkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

TEST(ImageList, EachPictureShowsItsDigitAtEverySize)
{
    // The seven-segment strokes a reader sees in each picture, 1 to 12.
    const QString expected[] = {"-bc----", "ab-de-g", "abcd--g", "-bc--fg", "a-cd-fg", "a-cdefg",
                                "abc----", "abcdefg", "abcd-fg", "abcdef-", "-------", "-------"};
    const ImageList list(kPlain);
    // The small window's digit, a large one, and a full screen's digit on a high-DPI screen.
    const QSize sizes[] = {{20, 50}, {60, 110}, {167, 300}};
    for (const QSize size : sizes) {
        for (qreal dpr : {1.0, 2.0}) {
            for (int index = 1; index <= 12; ++index) {
                const QPixmap pixmap = list.picture(index, size, dpr);
                EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), size);
                EXPECT_EQ(pixmap.size(), size * dpr);
                const QImage image = pixmap.toImage();
                EXPECT_EQ(inkZones(image), expected[index - 1])
                    << "picture " << index << " at " << size.width() << "x" << size.height()
                    << " dpr " << dpr;
                if (index == 8) {
                    // A digit fills its box, with a margin so neighbours never touch.
                    const QRect ink = inkBounds(image);
                    EXPECT_GT(ink.width(), image.width() * 0.7);
                    EXPECT_GT(ink.height(), image.height() * 0.8);
                    EXPECT_GT(ink.left(), 0);
                    EXPECT_LT(ink.right(), image.width() - 1);
                }
            }
            // The separator: two dots in the middle column, one above and one below the middle.
            const QImage colon = list.picture(kSeparator, size, dpr).toImage();
            const QRect dots = inkBounds(colon);
            EXPECT_LT(dots.width(), colon.width() / 2);
            EXPECT_NEAR(dots.center().x(), colon.width() / 2.0, colon.width() * 0.1);
            EXPECT_EQ(qAlpha(colon.pixel(colon.width() / 2, colon.height() / 2)), 0);
            EXPECT_TRUE(inkBounds(list.picture(kBlank, size, dpr).toImage()).isNull());
        }
    }
}

TEST(ImageList, TheBlankAndNumbersOutsideTheListPaintNothing)
{
    // Every look: those with faint unlit segments too, which a blank must not show.
    for (const DigitLook& look :
         {digitlooks::imageList1(), digitlooks::imageList2(), digitlooks::imageList3()}) {
        const ImageList list(look);
        for (int index : {-1, 0, int(kBlank), 13, 100})
            EXPECT_TRUE(inkBounds(list.picture(index, {30, 60}).toImage()).isNull()) << index;
        EXPECT_TRUE(inkBounds(list.picture(8, {0, 0}).toImage()).isNull());
    }
}

TEST(ImageList, SecondsStandApartAndEveryLookLightsItsDigits)
{
    const DigitLook looks[] = {digitlooks::imageList1(), digitlooks::imageList2(),
                               digitlooks::imageList3()};
    for (int i = 0; i < 3; ++i) {
        for (int j = i + 1; j < 3; ++j)
            EXPECT_NE(looks[i].ink, looks[j].ink) << i + 1 << " and " << j + 1;
        // Each look shows its digits unmistakably: its ink, and unlit strokes only faintly.
        const QImage eight = ImageList(looks[i]).picture(8, {40, 100}).toImage();
        const QImage one = ImageList(looks[i]).picture(1, {40, 100}).toImage();
        const QPoint middle(20, 50);
        EXPECT_EQ(QColor(eight.pixel(middle)).rgb(), looks[i].ink.rgb()) << i + 1;
        EXPECT_LT(qAlpha(one.pixel(middle)), 64) << i + 1;
    }
}

TEST(ImageList, Image9StandsClearOfTheDigitBeforeIt)
{
    QImage image(14, 50, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintImage9(painter, QRectF(0, 0, 14, 50));
    painter.end();
    const QRect ink = inkBounds(image);
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.left(), 3);
    EXPECT_LT(ink.right(), 14);
    EXPECT_GT(ink.top(), 20); // on the digits' baseline, the lower half
}
