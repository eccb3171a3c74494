#include "imagelist.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>

namespace digitlooks {

DigitLook imageList1()
{
    return {QColor(255, 184, 41), QColor(43, 26, 0, 230), QColor(255, 184, 41, 30), 0.24, 0.06};
}

DigitLook imageList2()
{
    return {QColor(255, 96, 64), QColor(48, 6, 0, 230), QColor(255, 96, 64, 30), 0.24, 0.06};
}

DigitLook imageList3()
{
    return {QColor(110, 235, 120), QColor(0, 40, 8, 230), QColor(110, 235, 120, 30), 0.24, 0.06};
}

} // namespace digitlooks

namespace {

// Segments a to g in the usual order: top, upper right, lower right, bottom, lower left,
// upper left, middle.
enum Segment { A, B, C, D, E, F, G, kSegmentCount };

constexpr int bit(Segment s)
{
    return 1 << s;
}

// The lit segments of pictures 1 to 10 (10 being the zero).
constexpr std::array<int, 11> kLitSegments = {
    0,
    bit(B) | bit(C),
    bit(A) | bit(B) | bit(D) | bit(E) | bit(G),
    bit(A) | bit(B) | bit(C) | bit(D) | bit(G),
    bit(B) | bit(C) | bit(F) | bit(G),
    bit(A) | bit(C) | bit(D) | bit(F) | bit(G),
    bit(A) | bit(C) | bit(D) | bit(E) | bit(F) | bit(G),
    bit(A) | bit(B) | bit(C),
    bit(A) | bit(B) | bit(C) | bit(D) | bit(E) | bit(F) | bit(G),
    bit(A) | bit(B) | bit(C) | bit(D) | bit(F) | bit(G),
    bit(A) | bit(B) | bit(C) | bit(D) | bit(E) | bit(F),
};

// An upright glyph of `width` by `height` with segments `thickness` thick; `toRect` leans it
// and places it in the rectangle it was made for.
struct GlyphFrame {
    qreal width;
    qreal height;
    qreal thickness;
    QTransform toRect;
};

GlyphFrame glyphFrame(const QRectF& rect, const DigitLook& look)
{
    const QRectF area = rect.adjusted(rect.width() * 0.08, rect.height() * 0.06,
                                      -rect.width() * 0.08, -rect.height() * 0.06);
    const qreal lean = look.slant * area.height();
    GlyphFrame frame;
    frame.height = area.height();
    frame.width = std::max<qreal>(area.width() - lean, 0);
    frame.thickness =
        std::min(look.weight * std::min(frame.width, frame.height / 2), frame.height / 6);
    frame.toRect = QTransform(1, 0, -look.slant, 1, area.left() + lean, area.top());
    return frame;
}

// A bar with pointed ends, from `from` to `to` along one axis, `t` thick.
QPolygonF bar(QPointF from, QPointF to, qreal t)
{
    const bool across = from.y() == to.y();
    const QPointF along = across ? QPointF(t / 2, 0) : QPointF(0, t / 2);
    const QPointF side = across ? QPointF(0, t / 2) : QPointF(t / 2, 0);
    return QPolygonF(
        {from, from + along - side, to - along - side, to, to - along + side, from + along + side});
}

std::array<QPolygonF, kSegmentCount> segments(const GlyphFrame& f)
{
    const qreal t = f.thickness;
    const qreal gap = t * 0.12;
    const qreal left = t / 2;
    const qreal right = f.width - t / 2;
    const qreal top = t / 2;
    const qreal middle = f.height / 2;
    const qreal bottom = f.height - t / 2;
    auto across = [&](qreal y) { return bar({left + gap, y}, {right - gap, y}, t); };
    auto down = [&](qreal x, qreal y0, qreal y1) { return bar({x, y0 + gap}, {x, y1 - gap}, t); };
    return {across(top),    down(right, top, middle),   down(right, middle, bottom),
            across(bottom), down(left, middle, bottom), down(left, top, middle),
            across(middle)};
}

void drawLit(QPainter& painter, const QPainterPath& lit, const DigitLook& look, qreal thickness)
{
    if (look.edge.alpha() > 0) {
        painter.strokePath(
            lit, QPen(look.edge, thickness * 0.35, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    painter.fillPath(lit, look.ink);
}

QPainterPath closedPath(const QPolygonF& polygon)
{
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

} // namespace

void ImageList::paintOnTransparent(QPainter& painter, const QRectF& rect, int index) const
{
    if (!drawsAnything(index) || rect.isEmpty())
        return;
    const GlyphFrame f = glyphFrame(rect, look_);
    if (f.width <= 0 || f.thickness <= 0)
        return;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // On a transparent picture, Source gives what SourceOver would, but for a hair where a lit
    // segment's edge meets its unlit neighbour. SourceOver with a translucent colour sends every
    // few rows to Qt's pool of drawing threads, which took longer than the drawing itself: twice
    // the time of a whole-screen digit on two cores.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    QPainterPath lit;
    QPainterPath unlit;
    if (index == digits::kSeparator) {
        const qreal side = f.thickness * 1.2;
        for (const qreal y : {f.height * 0.3, f.height * 0.7}) {
            const QRectF dot(f.width / 2 - side / 2, y - side / 2, side, side);
            lit.addPath(closedPath(f.toRect.map(QPolygonF(dot))));
        }
    } else {
        const int on = kLitSegments.at(index);
        const auto shapes = segments(f);
        for (int s = 0; s < kSegmentCount; ++s)
            (on & (1 << s) ? lit : unlit).addPath(closedPath(f.toRect.map(shapes[s])));
    }
    if (look_.unlit.alpha() > 0)
        painter.fillPath(unlit, look_.unlit);
    drawLit(painter, lit, look_, f.thickness);
    painter.restore();
}

QPixmap ImageList::picture(int index, QSize size, qreal devicePixelRatio) const
{
    const QSize pixels(qCeil(size.width() * devicePixelRatio),
                       qCeil(size.height() * devicePixelRatio));
    QPixmap pixmap(pixels.expandedTo(QSize(1, 1)));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintOnTransparent(painter, QRectF(QPointF(0, 0), QSizeF(size)), index);
    return pixmap;
}

const QPixmap& ImageList::keptPicture(int index, QSize size, qreal devicePixelRatio) const
{
    // Every picture of a list, at two sizes: the display's, and one it is being resized from.
    constexpr size_t kMostKept = 2 * digits::kPictureCount;
    const auto key = std::make_tuple(index, size.width(), size.height(), devicePixelRatio);
    auto found = kept_.find(key);
    if (found == kept_.end()) {
        if (kept_.size() >= kMostKept)
            kept_.clear();
        found = kept_.emplace(key, picture(index, size, devicePixelRatio)).first;
    }
    return found->second;
}

void paintImage9(QPainter& painter, const QRectF& rect)
{
    const DigitLook look = digitlooks::imageList1();
    // As tall as the lower half of a digit, standing on the digits' baseline at the right, clear
    // of the digit before it.
    const qreal width = std::min(rect.width() * 0.55, rect.height() * 0.3);
    const qreal height = std::min(rect.height() * 0.5, width * 2.2);
    if (width <= 0 || height <= 0)
        return;
    const qreal left = rect.right() - width - rect.width() * 0.12;
    const qreal bottom = rect.bottom() - rect.height() * 0.06;
    const qreal top = bottom - height;
    const qreal cap = std::max<qreal>(height * 0.08, 1);
    const qreal waist = top + height / 2;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath glass = closedPath(QPolygonF({{left + width * 0.1, top + cap},
                                                     {left + width * 0.9, top + cap},
                                                     {left + width * 0.55, waist},
                                                     {left + width * 0.9, bottom - cap},
                                                     {left + width * 0.1, bottom - cap},
                                                     {left + width * 0.45, waist}}));
    const QPainterPath sand = closedPath(QPolygonF({{left + width * 0.5, waist + cap},
                                                    {left + width * 0.82, bottom - cap},
                                                    {left + width * 0.18, bottom - cap}}));
    QPainterPath caps;
    caps.addRect(QRectF(left, top, width, cap));
    caps.addRect(QRectF(left, bottom - cap, width, cap));

    painter.strokePath(glass,
                       QPen(look.edge, cap * 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.strokePath(glass, QPen(look.ink, cap * 0.6));
    painter.fillPath(sand, look.ink);
    drawLit(painter, caps, look, cap);
    painter.restore();
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const ImageList& list, int index)
{
    if (list_ == &list && index_ == index && !painter_)
        return;
    list_ = &list;
    index_ = index;
    painter_ = nullptr;
    update();
}

void PictureBox::setPicture(Painter painter)
{
    list_ = nullptr;
    index_ = 0;
    painter_ = std::move(painter);
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (painter_)
        painter_(painter, rect());
    else if (list_ && ImageList::drawsAnything(index_))
        painter.drawPixmap(0, 0, list_->keptPicture(index_, size(), devicePixelRatioF()));
}
