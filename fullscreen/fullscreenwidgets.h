#pragma once

#include "twips.h"

#include <QLabel>
#include <QPushButton>
#include <QString>

// Small helpers for building FullScreenVexlo's windows. Every control carries its name as its
// object name, for the tests and the tools, and an accessible name for screen readers.

template <typename W> W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

inline QLabel* plainLabel(QWidget* parent, const QString& name, const QString& text,
                          const QString& accessibleName)
{
    auto* label = named(new QLabel(text, parent), name);
    // A message is shown as typed, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAccessibleName(accessibleName);
    return label;
}

// Enter presses a button with the focus, as Space does.
inline QPushButton* dialogButton(QWidget* parent, const QString& name, const QString& caption,
                                 const QString& toolTip, const QRect& place)
{
    auto* button = named(new QPushButton(caption, parent), name);
    button->setToolTip(toolTip);
    button->setAccessibleName(QString(caption).remove(u'&'));
    button->setGeometry(place);
    button->setAutoDefault(true);
    return button;
}

// The help file's topics: the timer and its About window, and the options.
inline constexpr int kHelpTopic = 204;
inline constexpr int kOptionsHelpTopic = 210;

// The largest font, `pointSize` at the most, that shows all of `label`'s wrapped text.
void fitFont(QLabel* label, int pointSize);
