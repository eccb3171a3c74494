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
    QString shown;
    for (const char* name :
         {"Image1", "Image2", "Image7", "Image3", "Image4", "Image8", "Image5", "Image6"}) {
        const auto* box = timer.findChild<PictureBox*>(QString::fromLatin1(name));
        const int index = box ? box->index() : -1;
        shown += index == digits::kSeparator ? u':'
                 : index == digits::kBlank   ? u' '
                 : index == digits::kZero    ? u'0'
                 : index >= 1 && index <= 9  ? QChar(u'0' + index)
                                             : u'?';
    }
    return shown;
}
