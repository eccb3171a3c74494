#pragma once

#include <QString>

// The first `chars` characters of `text`, one fewer where the cut would fall between the two
// halves of a character outside the basic plane (an emoji), which would show as garbage.
inline QString leftWhole(const QString& text, qsizetype chars)
{
    if (text.size() <= chars)
        return text;
    return text.left(chars > 0 && text[chars - 1].isHighSurrogate() ? chars - 1 : chars);
}
