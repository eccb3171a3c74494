#include "about.h"

#include "familylogo.h"
#include "fullscreenwidgets.h"
#include "helpviewer.h"

About::About(HelpViewer& help, QWidget* parent) : QDialog(parent), help_(help)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Full Screen Vexlo"));
    setAccessibleName(windowTitle());
    setFixedSize(clientSizeForOuter(5400, 3000));

    auto* logo = named(new QLabel(this), QStringLiteral("picIcon"));
    logo->setAccessibleName(tr("Full Screen Vexlo logo"));
    logo->setPixmap(familyLogo(40, devicePixelRatioF()));
    logo->setGeometry(twipsRect(240, 240, 600, 600));

    auto* title = plainLabel(this, QStringLiteral("lblTitle"), tr("Full Screen Vexlo"));
    QFont big = title->font();
    big.setPointSize(14);
    big.setBold(true);
    title->setFont(big);
    title->setGeometry(twipsRect(1050, 240, 4000, 420));
    auto* version = plainLabel(this, QStringLiteral("lblVersion"), tr("Version 8.01"));
    version->setGeometry(twipsRect(1050, 720, 4000, 300));

    auto* cmdOK = dialogButton(this, QStringLiteral("cmdOK"), tr("&OK"), QString(),
                               twipsRect(2500, 1830, 1200, 450));
    auto* cmdHelp = dialogButton(this, QStringLiteral("cmdHelp"), tr("&Help"), QString(),
                                 twipsRect(3840, 1830, 1200, 450));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &About::cmdOKClick);
    connect(cmdHelp, &QPushButton::clicked, this, &About::cmdHelpClick);
    setTabOrder(cmdOK, cmdHelp);
    accessibility::nameControls(this);
}

void About::cmdOKClick()
{
    hide();
    if (QWidget* timer = parentWidget()) {
        timer->raise();
        timer->activateWindow();
    }
}

void About::cmdHelpClick()
{
    help_.open(kHelpTopic);
}
