// The options panel: the alarm's message and sound, beside the title.

#include "vexlo.h"

#include "accessibility.h"
#include "settingsstore.h"
#include "timerkeys.h"
#include "twips.h"
#include "widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// Focus selects this much of the message, so typing replaces a short one.
constexpr int kFocusSelection = 150;

constexpr int kBoxLeft = 850;
constexpr int kBoxWidth = 2330;

} // namespace

SkinLook Vexlo::buildOptionsParts()
{
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
    FrameOptionsWaveFile->setAccessibleName(tr("Sound"));
    ButOptionsBrowse = panelButton(FrameOptions, QStringLiteral("ButOptionsBrowse"), tr("..."),
                                   tr("Browse for a new Wave file"),
                                   twipsRect(kBoxLeft + kBoxWidth - 450, 1520, 450, 330));
    ButOptionsBrowse->setAccessibleName(tr("Browse for a new Wave file"));
    FrameOptionsLabel2->setBuddy(ButOptionsBrowse);
    connect(ButOptionsBrowse, &QPushButton::clicked, this, &Vexlo::ButOptionsBrowseClick);
    soundChoice_ = new SoundChoice(FrameOptionsWaveFile, ButOptionsBrowse, platform_.dialogs,
                                   timerkeys::kFirstSound);

    tabOrder({FrameOptionsTitle, FrameOptionsText, ButOptionsBrowse,
              FrameOptions->findChild<QPushButton*>(QStringLiteral("butOptionsSave"))});

    // Red captions under the Default look; "Title" as well, since on the plain panel a skin's
    // white or yellow would not read.
    SkinLook look;
    look.colour2 = {FrameOptionsLabel1, FrameOptionsLabel2};
    for (QWidget* caption : {FrameOptionsLabel0, FrameOptionsLabel1, FrameOptionsLabel2})
        look.defaultColours.append({caption, colourOf(255)});
    return look;
}

void Vexlo::loadOptions()
{
    FrameOptionsText->setPlainText(platform_.store.get(timerkeys::kMessage));
    FrameOptionsWaveFile->setText(platform_.store.get(timerkeys::kSound));
}

void Vexlo::ButOptionsBrowseClick()
{
    soundChoice_->browse(skins().fields().LabelPath);
}

bool Vexlo::saveOptions()
{
    const QString sound = soundChoice_->chosen();
    const QString message = FrameOptionsText->toPlainText();
    if (!platform_.store.saveAll({{timerkeys::kMessage, message}, {timerkeys::kSound, sound}})) {
        showStoreRefused(tr("These options"));
        return false;
    }
    state_.LabelSound1 = sound;
    showMessage(message.isEmpty() ? tr(timerkeys::kDefaultMessage) : message);
    return true;
}

void Vexlo::cancelOptions()
{
    // The title stays as typed: the alarm shows it, saved or not.
    FrameOptionsText->setPlainText(platform_.store.get(timerkeys::kMessage));
    const QString sound = platform_.store.get(timerkeys::kSound);
    FrameOptionsWaveFile->setText(sound.isEmpty() ? timerkeys::kFirstSound : sound);
}

bool Vexlo::timerPanelCovered() const
{
    return !FrameVexlo2->isHidden();
}

void Vexlo::focusAfterPanel()
{
    // Back where the panel was opened from; a time that ran out meanwhile comes first.
    accessibility::focusFirstAvailable({ButVexloAcknowlegde, focusBeforePanel_, actionButton_});
}
