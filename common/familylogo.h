#pragma once

#include <QPixmap>

// The family's logo, a small alarm clock, drawn at any size.
QPixmap familyLogo(int size, qreal devicePixelRatio = 1.0);
