// Draws a program's SVG icon as PNG pictures at the sizes icon themes look up first, for the
// desktops, panels and task switchers that do not draw SVG themselves or pick a fixed size:
//
//     make_icons <icon.svg> <theme folder> <name> <size>...
//
// writes <theme folder>/<size>x<size>/apps/<name>.png for each size. The build runs it for
// every program, so the pictures are never kept in the source tree and cannot go stale.
//
// Each picture is the whole drawing fitted to the square, centred, on a transparent
// background, with antialiasing. Nothing in the file depends on the time or the machine, so
// every run writes the same bytes.

#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

namespace {

// The largest size a hicolor theme folder is made for; past it the SVG serves.
constexpr int kLargestSize = 1024;

bool parseSize(const char* text, int* size)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 1 || value > kLargestSize)
        return false;
    *size = int(value);
    return true;
}

QImage draw(QSvgRenderer& renderer, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // Fixed, so the file does not carry the resolution of whatever screen the build saw.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);

    // Fit the drawing's own proportions into the square; a wide drawing gets empty bands
    // above and below rather than being squeezed.
    const QRectF box = renderer.viewBoxF();
    const qreal scale = size / qMax(box.width(), box.height());
    const QSizeF fitted(box.width() * scale, box.height() * scale);
    const QRectF target(QPointF((size - fitted.width()) / 2, (size - fitted.height()) / 2),
                        fitted);

    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter, target);
    painter.end();
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: make_icons <icon.svg> <theme folder> <name> <size>...\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QDir theme(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    if (name.isEmpty() || name.contains(QLatin1Char('/'))) {
        std::fprintf(stderr, "make_icons: \"%s\" is not an icon name\n", argv[3]);
        return 2;
    }

    QSvgRenderer renderer(source);
    if (!renderer.isValid() || renderer.viewBoxF().isEmpty()) {
        std::fprintf(stderr, "make_icons: cannot read %s as SVG\n", argv[1]);
        return 1;
    }

    for (int i = 4; i < argc; ++i) {
        int size = 0;
        if (!parseSize(argv[i], &size)) {
            std::fprintf(stderr, "make_icons: \"%s\" is not a size from 1 to %d\n", argv[i],
                         kLargestSize);
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!theme.mkpath(folder)) {
            std::fprintf(stderr, "make_icons: cannot create %s\n",
                         qPrintable(theme.filePath(folder)));
            return 1;
        }
        const QString path = theme.filePath(folder + QLatin1Char('/') + name +
                                            QStringLiteral(".png"));
        QImageWriter writer(path, "png");
        if (!writer.write(draw(renderer, size))) {
            std::fprintf(stderr, "make_icons: cannot write %s: %s\n", qPrintable(path),
                         qPrintable(writer.errorString()));
            return 1;
        }
    }
    return 0;
}
