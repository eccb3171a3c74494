#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// Qt's rich text parses markup in time that grows with the square of how deeply its elements
// nest, and lays a table out again for every table around it, so each level of nested tables
// doubles the work. The help is shown on the thread that runs the countdowns, so the viewer
// hands Qt only markup that it has counted to be cheap.

// The largest help file the viewer reads. Measured offscreen, Qt takes about half a second to
// show this much plain text; the family's own file is 25 KB.
inline constexpr qint64 kMaxHelpBytes = 512 * 1024;

// `html` written out again as markup that Qt reads exactly as it was counted here: every tag
// well formed with quoted attributes, every '<' of the text escaped, comments and declarations
// left out. Nothing when it nests deeper than Qt handles at once, or when its text and
// elements, weighted by 2 to the number of tables around them, come to more work than
// kMaxHelpBytes of plain text.
std::optional<QString> tameHelpMarkup(QStringView html);
