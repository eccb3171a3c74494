#pragma once

class QApplication;

// The same look on every desktop: the Fusion style and a small sans-serif font with the widths
// the family's layouts were measured with.
void applyDesktopLook(QApplication& app);
