#pragma once

#include <QString>
#include <QWidget>

#include <stdexcept>

// The control or menu item of `window` called `name`; the test ends there when there is none.
template <typename W = QWidget> W* controlNamed(const QWidget& window, const QString& name)
{
    if (W* found = window.findChild<W*>(name))
        return found;
    throw std::runtime_error("no " + name.toStdString());
}
