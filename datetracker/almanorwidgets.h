#pragma once

#include "named.h"
#include "twips.h"

#include <QAbstractButton>
#include <QString>

// Small helpers for building the tracker's panels.

// A button of a panel: Enter and Space press it once it has the focus.
template <typename B>
B* panelButton(B* button, const QString& name, const QString& toolTip, QRect place)
{
    named(button, name);
    button->setToolTip(toolTip);
    button->setGeometry(place);
    button->setAutoDefault(true);
    return button;
}
