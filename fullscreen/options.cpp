#include "options.h"

#include "accessibility.h"
#include "dialogs.h"
#include "fullscreenkeys.h"
#include "helpviewer.h"
#include "settingsstore.h"
#include "widgets.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// Focus selects this much of the message, so that typing replaces it.
constexpr int kFocusSelection = 150;

// A line box, read by its caption above it.
QLineEdit* textBox(QWidget* parent, const QString& name, const QLabel* caption, const QRect& place)
{
    auto* box = named(new QLineEdit(parent), name);
    box->setAccessibleName(caption->text());
    box->setGeometry(place);
    return box;
}

} // namespace

Options::Options(const Platform& platform, QWidget* parent) : QDialog(parent), platform_(platform)
{
    setObjectName(QStringLiteral("Options"));
    setWindowTitle(tr("Options"));
    setAccessibleName(windowTitle());
    setFixedSize(clientSizeForOuter(6500, 2800));

    using O = Options;
    // clang-format off
    static constexpr ButtonRow<O> kButtons[] = {
        {"butbrowse1", QT_TR_NOOP("..."), "", {5740, 1070, 520, 330}, &O::butbrowse1Click,
         &O::butbrowse1},
        {"cmdSave", QT_TR_NOOP("&Save"), QT_TR_NOOP("Save these options"), {1040, 1700, 1300, 450},
         &O::cmdSaveClick},
        {"cmdCancel", QT_TR_NOOP("&Cancel"), QT_TR_NOOP("Cancel changes to options"),
         {2540, 1700, 1300, 450}, &O::cmdCancelClick},
        {"cmdHelp", QT_TR_NOOP("&Help"), QT_TR_NOOP("Help"), {4040, 1700, 1300, 450},
         &O::cmdHelpClick},
    };
    // clang-format on
    TextMessage3 =
        textBox(this, QStringLiteral("TextMessage3"),
                panelLabel(this, QStringLiteral("Label1"), tr("Message for Full Screen Vexlo"),
                           twipsRect(120, 90, 6000, 255)),
                twipsRect(120, 360, 6140, 330));
    selectOnFocus(TextMessage3, kFocusSelection);
    TextWave3 =
        textBox(this, QStringLiteral("TextWave3"),
                panelLabel(this, QStringLiteral("Label3"), tr("Wave File for Full Screen Vexlo"),
                           twipsRect(120, 800, 6000, 255)),
                twipsRect(120, 1070, 5500, 330));
    const QList<QPushButton*> buttons = panelButtons<O>(this, this, kButtons);
    butbrowse1->setAccessibleName(tr("Choose a wave file"));
    soundChoice_ =
        new SoundChoice(TextWave3, butbrowse1, platform_.dialogs, fullscreenkeys::kDefaultSound);

    tabOrder({TextMessage3, buttons[0], buttons[1], buttons[2], buttons[3]});
    accessibility::nameControls(this);
}

void Options::OptionsLoad(const QString& soundFolder)
{
    soundFolder_ = soundFolder;
    TextMessage3->setText(platform_.store.get(fullscreenkeys::kMessage));
    TextWave3->setText(platform_.store.get(fullscreenkeys::kSound));
    TextMessage3->setFocus();
}

void Options::butbrowse1Click()
{
    soundChoice_->browse(soundFolder_);
}

void Options::cmdSaveClick()
{
    const QString sound = soundChoice_->chosen();
    const QString message = TextMessage3->text();
    // Both or neither, so that the timer never shows a choice the next start would not.
    if (!platform_.store.saveAll(
            {{fullscreenkeys::kMessage, message}, {fullscreenkeys::kSound, sound}})) {
        platform_.dialogs.message(this, tr("Full Screen Vexlo"),
                                  platform_.store.refusalMessage(tr("The options")));
        return;
    }
    emit saved(message, sound);
    hide();
}

void Options::cmdCancelClick()
{
    hide();
}

void Options::reject()
{
    cmdCancelClick();
}

void Options::cmdHelpClick()
{
    platform_.help.open(kOptionsHelpTopic);
}
