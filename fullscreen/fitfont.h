#pragma once

class QLabel;

// The largest font, `pointSize` at the most, that shows all of `label`'s wrapped text.
void fitFont(QLabel* label, int pointSize);
