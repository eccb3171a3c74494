#include "about.h"

#include "accessibility.h"
#include "familylogo.h"
#include "helpviewer.h"
#include "widgets.h"

#include <QLabel>

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

    // clang-format off
    static constexpr ButtonRow<About> kButtons[] = {
        {"cmdOK", QT_TR_NOOP("&OK"), "", {2500, 1830, 1200, 450}, &About::cmdOKClick},
        {"cmdHelp", QT_TR_NOOP("&Help"), "", {3840, 1830, 1200, 450}, &About::cmdHelpClick},
    };
    // clang-format on
    boldFont(panelLabel(this, QStringLiteral("lblTitle"), tr("Full Screen Vexlo"),
                        twipsRect(1050, 240, 4000, 420)),
             14);
    panelLabel(this, QStringLiteral("lblVersion"), tr("Version 8.01"),
               twipsRect(1050, 720, 4000, 300));
    const QList<QPushButton*> buttons = panelButtons<About>(this, this, kButtons);
    buttons[0]->setDefault(true); // cmdOK
    setTabOrder(buttons[0], buttons[1]);
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
