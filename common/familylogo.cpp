#include "familylogo.h"

#include <QPainter>

QPixmap familyLogo(int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);

    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);

    // Two bells on top, then the face with its hands at ten past ten.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb0, 0x30, 0x20));
    p.drawEllipse(QRectF(1.0, 0.8, 4.6, 4.6));
    p.drawEllipse(QRectF(10.4, 0.8, 4.6, 4.6));
    p.setBrush(QColor(0xd8, 0x40, 0x2c));
    p.drawEllipse(QRectF(1.6, 2.4, 12.8, 12.8));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3.1, 3.9, 9.8, 9.8));

    QPen hand(QColor(0x20, 0x20, 0x20), 1.1, Qt::SolidLine, Qt::RoundCap);
    p.setPen(hand);
    const QPointF centre(8.0, 8.8);
    p.drawLine(centre, QPointF(5.6, 7.0));
    p.drawLine(centre, QPointF(10.8, 6.6));
    return pixmap;
}
