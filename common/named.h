#pragma once

#include <QString>

// Gives a widget or action the name it is known by, to tests and screen readers alike.
template <typename W> W* named(W* object, const QString& name)
{
    object->setObjectName(name);
    return object;
}
