// The panels that take the place of the timer: the options (a title only) and About.

#include "pellum.h"

#include "accessibility.h"
#include "familylogo.h"
#include "helpviewer.h"
#include "widgets.h"
#include "skins.h"
#include "twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Topics of Vexlo.hlp.
enum HelpTopic : int {
    kAboutHelp = 200, // Options and About
    kProgramHelp = 202,
    kOptionsHelp = 213,
};

// Focus selects this much of the title, so typing replaces it.
constexpr int kFocusSelection = 150;

constexpr int kButtonRowTop = 1980;

} // namespace

void Pellum::buildOptionsPanel()
{
    FrameOptions = named(new SkinPanel(this), QStringLiteral("FrameOptions"));
    FrameOptions->setGeometry(FramePellumFrame1->geometry());
    FrameOptions->setAccessibleName(tr("Pellum Options"));
    FrameOptions->hide();

    FrameOptionsLabel0 = panelLabel(FrameOptions, QStringLiteral("FrameOptionsLabel0"), tr("Title"),
                                    twipsRect(150, 420, 2900, 255));
    FrameOptionsTitle =
        named(new QLineEdit(tr("Pellum"), FrameOptions), QStringLiteral("FrameOptionsTitle"));
    FrameOptionsTitle->setGeometry(twipsRect(150, 720, 3000, 330));
    FrameOptionsTitle->setAccessibleName(tr("Title"));
    FrameOptionsLabel0->setBuddy(FrameOptionsTitle);
    selectOnFocus(FrameOptionsTitle, kFocusSelection);
    // Enter in the box saves, as the Save button would.
    connect(FrameOptionsTitle, &QLineEdit::returnPressed, this, &Pellum::butOptionsSaveClick);

    struct Button {
        const char* name;
        QString caption;
        QString toolTip;
        int left;
        void (Pellum::*click)();
    };
    const Button buttons[] = {
        {"butOptionsSave", tr("Save"), tr("Save these options"), 150, &Pellum::butOptionsSaveClick},
        {"ButOptionsCancel", tr("Cancel"), tr("Cancel these options"), 1180,
         &Pellum::ButOptionsCancelClick},
        {"butOptionsHelp", tr("Help"), tr("Help"), 2210, &Pellum::butOptionsHelpClick},
    };
    for (const Button& b : buttons) {
        QPushButton* button = panelButton(FrameOptions, QString::fromLatin1(b.name), b.caption,
                                          b.toolTip, twipsRect(b.left, kButtonRowTop, 950, 420));
        connect(button, &QPushButton::clicked, this, b.click);
    }
    accessibility::escapeKey(FrameOptions, this, &Pellum::ButOptionsCancelClick);
}

void Pellum::buildAboutPanel()
{
    FrameAbout = named(new SkinPanel(this), QStringLiteral("FrameAbout"));
    FrameAbout->setGeometry(FramePellumFrame1->geometry());
    FrameAbout->setAccessibleName(tr("About Pellum"));
    FrameAbout->hide();

    FrameAboutFrame2 = named(new SkinPanel(FrameAbout), QStringLiteral("FrameAboutFrame2"));
    FrameAboutFrame2->setGeometry(twipsRect(120, 90, 3070, 2370));
    FrameAboutFrame2->setFrameStyle(QFrame::Box | QFrame::Plain);
    FrameAboutFrame2->setAccessibleName(FrameAbout->accessibleName());

    auto* logo = named(new QLabel(FrameAboutFrame2), QStringLiteral("imgLogo"));
    logo->setAccessibleName(tr("Pellum logo"));
    logo->setPixmap(familyLogo(32, devicePixelRatioF()));
    logo->setGeometry(twipsRect(1295, 90, 480, 480));

    struct Text {
        const char* name;
        QString text;
        int top;
        int height;
    };
    const Text texts[] = {
        {"LabelAbout1", tr("Pellum 8.01"), 600, 360},
        {"LabelAbout2", tr("The timer that counts up, in hours, minutes and seconds since Start."),
         980, 500},
        {"LabelAbout3", tr("Orvane \u2022 The Vexlo family of timers"), 1480, 255},
    };
    for (const Text& t : texts) {
        QLabel* label = panelLabel(FrameAboutFrame2, QString::fromLatin1(t.name), t.text,
                                   twipsRect(90, t.top, 2890, t.height));
        label->setAlignment(Qt::AlignCenter);
        aboutTexts_.append(label);
    }
    QFont heading = aboutTexts_.front()->font();
    heading.setPointSize(12);
    heading.setBold(true);
    aboutTexts_.front()->setFont(heading);

    auto* help = panelButton(FrameAboutFrame2, QStringLiteral("butAboutHelpR"), tr("Help"),
                             tr("Help"), twipsRect(400, 1820, 1000, 420));
    auto* ok = panelButton(FrameAboutFrame2, QStringLiteral("ButAboutOKr"), tr("OK"),
                           tr("Continue"), twipsRect(1670, 1820, 1000, 420));
    connect(help, &QPushButton::clicked, this, &Pellum::butAboutHelpRClick);
    connect(ok, &QPushButton::clicked, this, &Pellum::ButAboutOKrClick);
    // OK first: it is where the panel opens.
    setTabOrder(ok, help);
    accessibility::escapeKey(FrameAbout, this, &Pellum::ButAboutOKrClick);
}

// ---- Options ----

void Pellum::menuOptionsClick()
{
    setWindowTitle(tr("Pellum Options"));
    FrameOptions->show();
    FrameOptions->raise();
    FramePellumFrame1->hide();
    FrameOptionsTitle->setFocus();
}

void Pellum::butOptionsSaveClick()
{
    // The title lasts as long as the window: nothing is stored.
    state_.LabelCurrentTitle = FrameOptionsTitle->text();
    backToTimer(FrameOptions);
}

void Pellum::ButOptionsCancelClick()
{
    FrameOptionsTitle->setText(state_.LabelCurrentTitle);
    backToTimer(FrameOptions);
}

void Pellum::butOptionsHelpClick()
{
    platform_.help.open(kOptionsHelp);
}

// ---- Help and About ----

void Pellum::menuHelpClick()
{
    platform_.help.open(kProgramHelp);
}

void Pellum::menuAboutClick()
{
    setWindowTitle(tr("About Pellum"));
    FrameAbout->show();
    FrameAbout->raise();
    FramePellumFrame1->hide();
    FrameAboutFrame2->findChild<QPushButton*>(QStringLiteral("ButAboutOKr"))->setFocus();
}

void Pellum::ButAboutOKrClick()
{
    backToTimer(FrameAbout);
}

void Pellum::butAboutHelpRClick()
{
    platform_.help.open(kAboutHelp);
}

void Pellum::backToTimer(QWidget* panel)
{
    panel->hide();
    FramePellumFrame1->show();
    setWindowTitle(state_.LabelCurrentTitle);
    // Where it was before the panel opened, ready for the keyboard.
    (ButPellumStart->isHidden() ? ButPellumStop : ButPellumStart)->setFocus();
}
