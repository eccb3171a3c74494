#pragma once

#include "digitpairs.h"

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QWidget>

#include <functional>
#include <map>
#include <tuple>

class QPainter;

// How the glyphs of one picture list look. Drawn as vectors, they are as sharp in the small
// timer window as across a whole screen.
struct DigitLook {
    QColor ink;   // lit segments and the separator's dots
    QColor edge;  // a thin outline that keeps the glyph readable on light and dark skins
    QColor unlit; // segments that are off; transparent for none
    qreal weight; // segment thickness as a share of the glyph's width
    qreal slant;  // how far the top leans right, as a share of the height
};

// The looks of the family's picture lists. The seconds stand apart from hours and minutes.
namespace digitlooks {
DigitLook imageList1(); // Vexlo: hours and minutes
DigitLook imageList2(); // Vexlo: seconds; FullScreenVexlo: hours and minutes
DigitLook imageList3(); // FullScreenVexlo: seconds
} // namespace digitlooks

// Twelve seven-segment pictures, numbered from 1 as in digitpairs.h: 1 to 9 the digits,
// 10 the zero, 11 the separator, 12 the blank. Each fills whatever rectangle it is given.
class ImageList {
public:
    explicit ImageList(const DigitLook& look) : look_(look) {}

    const DigitLook& look() const { return look_; }
    // Whether picture `index` has anything to draw: not a number outside 1 to 12, nor the blank,
    // which stands in front of a single hour: even faint segments there would read as a digit,
    // "8 1:15:00" at a glance.
    static bool drawsAnything(int index)
    {
        return index >= 1 && index <= digits::kPictureCount && index != digits::kBlank;
    }

    // The picture on a transparent background, `size` in device-independent pixels; the blank,
    // or a number outside 1 to 12, is all transparent.
    QPixmap picture(int index, QSize size, qreal devicePixelRatio = 1.0) const;
    // The same picture, drawn once and kept: a display shows the same few pictures again and
    // again, and copying one costs far less than drawing its outlines.
    const QPixmap& keptPicture(int index, QSize size, qreal devicePixelRatio) const;

private:
    // Paints picture `index` to fill `rect` of a transparent picture.
    void paintOnTransparent(QPainter& painter, const QRectF& rect, int index) const;

    DigitLook look_;
    // By picture, width, height and pixel ratio; a few sizes' worth at most.
    mutable std::map<std::tuple<int, int, int, qreal>, QPixmap> kept_;
};

// Vexlo's fixed picture at the right end of its display: a small hourglass.
void paintImage9(QPainter& painter, const QRectF& rect);

// A picture box: shows one picture, stretched to the box, on a transparent background.
class PictureBox final : public QWidget {
    Q_OBJECT

public:
    using Painter = std::function<void(QPainter&, const QRectF&)>;

    explicit PictureBox(QWidget* parent = nullptr);

    // Picture `index` of `list`, which must outlive the box.
    void setPicture(const ImageList& list, int index);
    // A picture of the box's own.
    void setPicture(Painter painter);

    // The list and number shown; none and 0 for a picture of its own.
    const ImageList* list() const { return list_; }
    int index() const { return index_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ImageList* list_ = nullptr;
    int index_ = 0;
    Painter painter_;
};
