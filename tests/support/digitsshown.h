#pragma once

#include "digitpairs.h"
#include "imagelist.h"

#include <QString>
#include <QWidget>

// The digits of a timer window (Vexlo, FullScreenVexlo or Pellum) as a reader sees them,
// " 1:00:58" or "24:00:59"; "?" for a picture that is no digit, separator or blank, or a box
// that is missing.
inline QString digitsShown(const QWidget& timer)
{
    // Pictures 1 to 12: the digits 1 to 9, then 0, the separator and the blank.
    static const QString kPictures = QStringLiteral("1234567890: ");
    QString shown;
    for (const char* name :
         {"Image1", "Image2", "Image7", "Image3", "Image4", "Image8", "Image5", "Image6"}) {
        const auto* box = timer.findChild<PictureBox*>(QString::fromLatin1(name));
        const int index = box ? box->index() : 0;
        shown += index >= 1 && index <= digits::kPictureCount ? kPictures.at(index - 1) : u'?';
    }
    return shown;
}
