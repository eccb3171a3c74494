#include "desktoplook.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

void applyDesktopLook(QApplication& app)
{
    if (auto* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    // Liberation Sans has Arial's widths; fontconfig stands in a similar face where it is missing.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    app.setFont(font);
}
