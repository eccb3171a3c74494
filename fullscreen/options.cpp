#include "options.h"

#include "dialogs.h"
#include "fullscreenkeys.h"
#include "fullscreenwidgets.h"
#include "helpviewer.h"
#include "settingsstore.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

// Focus selects this much of the message, so that typing replaces it.
constexpr int kFocusSelection = 150;

QLineEdit* textBox(QWidget* parent, const QString& name, const QString& accessibleName,
                   const QRect& place)
{
    auto* box = named(new QLineEdit(parent), name);
    box->setAccessibleName(accessibleName);
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

    const QString messageCaption = tr("Message for Full Screen Vexlo");
    const QString waveCaption = tr("Wave File for Full Screen Vexlo");
    plainLabel(this, QStringLiteral("Label1"), messageCaption)
        ->setGeometry(twipsRect(120, 90, 6000, 255));
    TextMessage3 = textBox(this, QStringLiteral("TextMessage3"), messageCaption,
                           twipsRect(120, 360, 6140, 330));
    plainLabel(this, QStringLiteral("Label3"), waveCaption)
        ->setGeometry(twipsRect(120, 800, 6000, 255));
    TextWave3 =
        textBox(this, QStringLiteral("TextWave3"), waveCaption, twipsRect(120, 1070, 5500, 330));
    // The sound is chosen through the browser only: Tab passes the box by, a click hands the
    // focus on.
    TextWave3->setReadOnly(true);
    TextWave3->setFocusPolicy(Qt::ClickFocus);
    butbrowse1 = dialogButton(this, QStringLiteral("butbrowse1"), tr("..."), QString(),
                              twipsRect(5740, 1070, 520, 330));
    butbrowse1->setAccessibleName(tr("Choose a wave file"));

    auto* cmdSave = dialogButton(this, QStringLiteral("cmdSave"), tr("&Save"),
                                 tr("Save these options"), twipsRect(1040, 1700, 1300, 450));
    auto* cmdCancel =
        dialogButton(this, QStringLiteral("cmdCancel"), tr("&Cancel"),
                     tr("Cancel changes to options"), twipsRect(2540, 1700, 1300, 450));
    auto* cmdHelp = dialogButton(this, QStringLiteral("cmdHelp"), tr("&Help"), tr("Help"),
                                 twipsRect(4040, 1700, 1300, 450));
    connect(butbrowse1, &QPushButton::clicked, this, &Options::butbrowse1Click);
    connect(cmdSave, &QPushButton::clicked, this, &Options::cmdSaveClick);
    connect(cmdCancel, &QPushButton::clicked, this, &Options::cmdCancelClick);
    connect(cmdHelp, &QPushButton::clicked, this, &Options::cmdHelpClick);
    TextMessage3->installEventFilter(this);
    TextWave3->installEventFilter(this);

    setTabOrder(TextMessage3, butbrowse1);
    setTabOrder(butbrowse1, cmdSave);
    setTabOrder(cmdSave, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);
    accessibility::nameControls(this);
}

void Options::OptionsLoad(const QString& soundFolder)
{
    soundFolder_ = soundFolder;
    TextMessage3->setText(platform_.store.get(fullscreenkeys::kMessage));
    TextWave3->setText(platform_.store.get(fullscreenkeys::kSound));
    TextMessage3->setFocus();
}

bool Options::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        // After the box's own focus handling, which may select all of it.
        if (watched == TextMessage3)
            QTimer::singleShot(0, this, &Options::TextMessage3GotFocus);
        else if (watched == TextWave3)
            TextWave3GotFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void Options::TextMessage3GotFocus()
{
    TextMessage3->setSelection(0, std::min<int>(kFocusSelection, TextMessage3->text().size()));
}

void Options::TextWave3GotFocus()
{
    butbrowse1->setFocus();
}

void Options::butbrowse1Click()
{
    const QString chosen =
        platform_.dialogs.openFile(this, tr("Open"), soundFolder_, tr("Wave files (*.wav)"));
    TextWave3->setText(chosen.isEmpty() ? fullscreenkeys::kDefaultSound : chosen);
}

void Options::cmdSaveClick()
{
    if (TextWave3->text().isEmpty())
        TextWave3->setText(fullscreenkeys::kDefaultSound);
    const QString message = TextMessage3->text();
    const QString sound = TextWave3->text();
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
