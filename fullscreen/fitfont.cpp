#include "fitfont.h"

#include <QFontMetrics>
#include <QLabel>

namespace {

constexpr int kSmallestPointSize = 6;

} // namespace

void fitFont(QLabel* label, int pointSize)
{
    QFont font = label->font();
    const QRect area = label->contentsRect();
    for (int size = pointSize; size >= kSmallestPointSize; --size) {
        font.setPointSize(size);
        const QRect needed = QFontMetrics(font).boundingRect(
            area, int(label->alignment()) | Qt::TextWordWrap, label->text());
        if (needed.height() <= area.height() && needed.width() <= area.width())
            break;
    }
    label->setFont(font);
}
