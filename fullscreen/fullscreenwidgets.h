#pragma once

#include "accessibility.h"
#include "named.h"
#include "twips.h"

#include <QLabel>
#include <QPushButton>
#include <QString>

// Small helpers for building FullScreenVexlo's windows. Every control carries its name as its
// object name, for the tests and the tools, and its caption as its accessible name for screen
// readers.

// A label read by its text; `description` says what it shows, and names it while it shows
// nothing. After changing the text, call accessibility::captionChanged() on it.
inline QLabel* plainLabel(QWidget* parent, const QString& name, const QString& text,
                          const QString& description = QString())
{
    auto* label = named(new QLabel(text, parent), name);
    // A message is shown as typed, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAccessibleDescription(description);
    accessibility::followCaption(label);
    return label;
}

// Enter presses a button with the focus, as Space does.
inline QPushButton* dialogButton(QWidget* parent, const QString& name, const QString& caption,
                                 const QString& toolTip, const QRect& place)
{
    auto* button = named(new QPushButton(caption, parent), name);
    button->setToolTip(toolTip);
    accessibility::followCaption(button);
    button->setGeometry(place);
    button->setAutoDefault(true);
    return button;
}

// The help file's topics: the timer and its About window, and the options.
inline constexpr int kHelpTopic = 204;
inline constexpr int kOptionsHelpTopic = 210;

// The largest font, `pointSize` at the most, that shows all of `label`'s wrapped text.
void fitFont(QLabel* label, int pointSize);
