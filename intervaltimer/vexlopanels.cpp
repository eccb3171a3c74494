// The panels that take the place of the timer: the options and About.

#include "vexlo.h"

#include "accessibility.h"
#include "dialogs.h"
#include "familylogo.h"
#include "helpviewer.h"
#include "settingsstore.h"
#include "widgets.h"
#include "skins.h"
#include "timerkeys.h"
#include "twips.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

constexpr int kOptionsHelpTopic = 200;
constexpr int kProgramHelpTopic = 201;
// Focus selects this much of the title or the message, so typing replaces a short one.
constexpr int kFocusSelection = 150;

constexpr int kBoxLeft = 850;
constexpr int kBoxWidth = 2330;
constexpr int kButtonTop = 1980;
constexpr int kButtonWidth = 950;
constexpr int kButtonHeight = 420;

} // namespace

void Vexlo::buildOptionsPanel()
{
    FrameOptions = named(new SkinPanel(this), QStringLiteral("FrameOptions"));
    FrameOptions->setGeometry(FrameVexlo1->geometry());
    FrameOptions->setAccessibleName(tr("Vexlo Options"));
    FrameOptions->hide();

    FrameOptionsLabel0 = panelLabel(FrameOptions, QStringLiteral("FrameOptionsLabel0"), tr("Title"),
                                    twipsRect(120, 130, 700, 255));
    FrameOptionsTitle =
        named(new QLineEdit(tr("Vexlo"), FrameOptions), QStringLiteral("FrameOptionsTitle"));
    FrameOptionsTitle->setGeometry(twipsRect(kBoxLeft, 90, kBoxWidth, 330));
    FrameOptionsTitle->setAccessibleName(tr("Title"));
    FrameOptionsLabel0->setBuddy(FrameOptionsTitle);
    selectOnFocus(FrameOptionsTitle, kFocusSelection);

    FrameOptionsLabel1 = panelLabel(FrameOptions, QStringLiteral("FrameOptionsLabel1"),
                                    tr("Message"), twipsRect(120, 560, 700, 255));
    FrameOptionsText = named(new QPlainTextEdit(FrameOptions), QStringLiteral("FrameOptionsText"));
    FrameOptionsText->setGeometry(twipsRect(kBoxLeft, 520, kBoxWidth, 900));
    FrameOptionsText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FrameOptionsText->setTabChangesFocus(true);
    FrameOptionsText->setAccessibleName(tr("Message"));
    FrameOptionsLabel1->setBuddy(FrameOptionsText);
    selectOnFocus(FrameOptionsText, kFocusSelection);

    FrameOptionsLabel2 = panelLabel(FrameOptions, QStringLiteral("FrameOptionsLabel2"), tr("Sound"),
                                    twipsRect(120, 1560, 700, 255));
    FrameOptionsWaveFile =
        named(new QLineEdit(FrameOptions), QStringLiteral("FrameOptionsWaveFile"));
    FrameOptionsWaveFile->setGeometry(twipsRect(kBoxLeft, 1520, kBoxWidth - 500, 330));
    FrameOptionsWaveFile->setReadOnly(true);
    // Tab passes it by both ways: it would only hand the focus on to the browse button, and
    // from there Shift+Tab would lead straight back.
    FrameOptionsWaveFile->setFocusPolicy(Qt::ClickFocus);
    FrameOptionsWaveFile->setAccessibleName(tr("Sound"));
    FrameOptionsWaveFile->installEventFilter(this);
    ButOptionsBrowse = panelButton(FrameOptions, QStringLiteral("ButOptionsBrowse"), tr("..."),
                                   tr("Browse for a new Wave file"),
                                   twipsRect(kBoxLeft + kBoxWidth - 450, 1520, 450, 330));
    ButOptionsBrowse->setAccessibleName(tr("Browse for a new Wave file"));
    FrameOptionsLabel2->setBuddy(ButOptionsBrowse);

    auto* save = panelButton(FrameOptions, QStringLiteral("butOptionsSave"), tr("Save"),
                             tr("Save these options"),
                             twipsRect(150, kButtonTop, kButtonWidth, kButtonHeight));
    auto* cancel = panelButton(FrameOptions, QStringLiteral("ButOptionsCancel"), tr("Cancel"),
                               tr("Cancel these options"),
                               twipsRect(1180, kButtonTop, kButtonWidth, kButtonHeight));
    auto* help = panelButton(FrameOptions, QStringLiteral("butOptionsHelp"), tr("Help"), tr("Help"),
                             twipsRect(2210, kButtonTop, kButtonWidth, kButtonHeight));
    connect(ButOptionsBrowse, &QPushButton::clicked, this, &Vexlo::ButOptionsBrowseClick);
    connect(save, &QPushButton::clicked, this, &Vexlo::butOptionsSaveClick);
    connect(cancel, &QPushButton::clicked, this, &Vexlo::ButOptionsCancelClick);
    connect(help, &QPushButton::clicked, this, &Vexlo::butOptionsHelpClick);

    setTabOrder(FrameOptionsTitle, FrameOptionsText);
    setTabOrder(FrameOptionsText, ButOptionsBrowse);
    setTabOrder(ButOptionsBrowse, save);
    setTabOrder(save, cancel);
    setTabOrder(cancel, help);
    accessibility::escapeKey(FrameOptions, this, &Vexlo::ButOptionsCancelClick);
}

void Vexlo::buildAboutPanel()
{
    FrameAbout = named(new SkinPanel(this), QStringLiteral("FrameAbout"));
    FrameAbout->setGeometry(FrameVexlo1->geometry());
    FrameAbout->setAccessibleName(tr("About Vexlo"));
    FrameAbout->hide();

    FrameAboutFrame2 = named(new SkinPanel(FrameAbout), QStringLiteral("FrameAboutFrame2"));
    FrameAboutFrame2->setGeometry(twipsRect(120, 90, 3070, 2370));
    FrameAboutFrame2->setFrameStyle(QFrame::Box | QFrame::Plain);
    FrameAboutFrame2->setAccessibleName(tr("About Vexlo"));

    auto* logo = named(new QLabel(FrameAboutFrame2), QStringLiteral("imgLogo"));
    logo->setPixmap(familyLogo(32, devicePixelRatioF()));
    logo->setGeometry(twipsRect(1295, 90, 480, 480));
    logo->setAccessibleName(tr("Vexlo logo"));

    QLabel* name = panelLabel(FrameAboutFrame2, QStringLiteral("LabelAbout1"), tr("Vexlo 8.02"),
                              twipsRect(90, 600, 2890, 360));
    QFont bold = name->font();
    bold.setPointSize(12);
    bold.setBold(true);
    name->setFont(bold);
    QLabel* about = panelLabel(
        FrameAboutFrame2, QStringLiteral("LabelAbout2"),
        tr("The interval timer: set a time, start it, and Vexlo calls you when it is up."),
        twipsRect(90, 980, 2890, 500));
    QLabel* maker =
        panelLabel(FrameAboutFrame2, QStringLiteral("LabelAbout3"),
                   tr("Orvane \u2022 The Vexlo family of timers"), twipsRect(90, 1480, 2890, 255));
    for (QLabel* text : {name, about, maker}) {
        text->setAlignment(Qt::AlignCenter);
        aboutTexts_.append(text);
    }

    auto* help = panelButton(FrameAboutFrame2, QStringLiteral("butAboutHelpR"), tr("Help"),
                             tr("Help"), twipsRect(400, 1820, 1000, 420));
    auto* ok = panelButton(FrameAboutFrame2, QStringLiteral("ButAboutOKr"), tr("OK"),
                           tr("Continue"), twipsRect(1670, 1820, 1000, 420));
    connect(help, &QPushButton::clicked, this, &Vexlo::butAboutHelpRClick);
    connect(ok, &QPushButton::clicked, this, &Vexlo::ButAboutOKrClick);
    setTabOrder(help, ok);
    // About has nothing to cancel: Esc closes it as OK does.
    accessibility::escapeKey(FrameAbout, this, &Vexlo::ButAboutOKrClick);
}

bool Vexlo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FrameOptionsWaveFile && event->type() == QEvent::FocusIn)
        FrameOptionsWaveFileGotFocus();
    return QWidget::eventFilter(watched, event);
}

// ---- Options ----

void Vexlo::menuOptionsClick()
{
    focusBeforePanel_ = focusWidget();
    FrameOptions->show();
    FrameOptions->raise();
    setWindowTitle(tr("Vexlo Options"));
    FrameVexlo1->hide();
    FrameOptionsText->setPlainText(platform_.store.get(timerkeys::kMessage));
    FrameOptionsWaveFile->setText(platform_.store.get(timerkeys::kSound));
    FrameOptionsTitle->setFocus();
}

void Vexlo::FrameOptionsWaveFileGotFocus()
{
    // The sound is chosen with the browse button, never typed.
    ButOptionsBrowse->setFocus();
}

void Vexlo::ButOptionsBrowseClick()
{
    const QString chosen =
        platform_.dialogs.openFile(this, tr("Open"), state_.LabelPath, tr("Wave files (*.wav)"));
    FrameOptionsWaveFile->setText(chosen.isEmpty() ? timerkeys::kFirstSound : chosen);
}

void Vexlo::butOptionsSaveClick()
{
    if (FrameOptionsWaveFile->text().isEmpty())
        FrameOptionsWaveFile->setText(timerkeys::kFirstSound);
    const QString message = FrameOptionsText->toPlainText();
    const QString sound = FrameOptionsWaveFile->text();
    // Kept open when the store refuses, so nothing typed is lost.
    if (!platform_.store.saveAll({{timerkeys::kMessage, message}, {timerkeys::kSound, sound}})) {
        showStoreRefused(tr("These options"));
        return;
    }
    state_.LabelSound1 = sound;
    showMessage(message.isEmpty() ? tr(timerkeys::kDefaultMessage) : message);
    state_.LabelCurrentTitle = FrameOptionsTitle->text();
    showTimerPanel(FrameOptions);
}

void Vexlo::ButOptionsCancelClick()
{
    FrameOptionsText->setPlainText(platform_.store.get(timerkeys::kMessage));
    const QString sound = platform_.store.get(timerkeys::kSound);
    FrameOptionsWaveFile->setText(sound.isEmpty() ? timerkeys::kFirstSound : sound);
    showTimerPanel(FrameOptions);
}

void Vexlo::butOptionsHelpClick()
{
    platform_.help.open(kOptionsHelpTopic);
}

// ---- Help and About ----

void Vexlo::menuHelpClick()
{
    platform_.help.open(kProgramHelpTopic);
}

void Vexlo::menuAboutClick()
{
    focusBeforePanel_ = focusWidget();
    FrameAbout->show();
    FrameAbout->raise();
    setWindowTitle(tr("About Vexlo"));
    FrameVexlo1->hide();
    FrameAbout->findChild<QPushButton*>(QStringLiteral("ButAboutOKr"))->setFocus();
}

void Vexlo::ButAboutOKrClick()
{
    showTimerPanel(FrameAbout);
}

void Vexlo::butAboutHelpRClick()
{
    platform_.help.open(kProgramHelpTopic);
}

void Vexlo::showTimerPanel(QWidget* instead)
{
    // The alarm panel stays up while the time is up: it is closed by its own OK.
    if (FrameVexlo2->isHidden())
        FrameVexlo1->show();
    setWindowTitle(state_.LabelCurrentTitle);
    instead->hide();
    // Back where the panel was opened from; a time that ran out meanwhile comes first.
    accessibility::focusFirstAvailable({ButVexloAcknowlegde, focusBeforePanel_, ButVexloAction});
}
