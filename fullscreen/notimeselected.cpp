#include "notimeselected.h"

#include "accessibility.h"
#include "widgets.h"

#include <QLabel>

NoTimeSelected::NoTimeSelected(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NoTimeSelected"));
    setWindowTitle(tr("Full Screen Vexlo - No Time Selected"));
    setAccessibleName(windowTitle());
    setModal(true);
    setFixedSize(clientSizeForOuter(5400, 2250));

    const QString text =
        tr("Use the Hours/Minutes and Seconds scroll bar to select a new time first!");
    auto* label = panelLabel(this, QStringLiteral("Label1"), text, twipsRect(150, 120, 5000, 720));
    label->setAlignment(Qt::AlignCenter);

    auto* butOK = panelButton(this, QStringLiteral("butOK"), tr("I Forgot"), QString(),
                              twipsRect(1950, 1020, 1300, 450));
    butOK->setDefault(true);
    connect(butOK, &QPushButton::clicked, this, &NoTimeSelected::butOKClick);
    accessibility::nameControls(this);
}

void NoTimeSelected::butOKClick()
{
    accept();
}
