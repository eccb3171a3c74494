#include "desktopshell.h"

#include "dialogs.h"
#include "instancelauncher.h"
#include "resolutions.h"
#include "widgets.h"
#include "twips.h"
#include "windowstacking.h"

#include <QAction>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// A new timer opened by a window the user named opens this far right of and below it, so the
// two can be told apart.
constexpr int kNewTimerOffset = 500;
// Stored places further out than any desktop reaches are held to this, in twips.
constexpr double kFarthestPosition = 1'000'000;

const QString kOnTop = QStringLiteral("1");
const QString kNotOnTop = QStringLiteral("0");

// A stored edge in twips; a text that is no number counts as 0. Other programs of the family
// store decimals.
int storedTwips(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    return int(std::lround(std::clamp(value, -kFarthestPosition, kFarthestPosition)));
}

} // namespace

DesktopShell::DesktopShell(SettingsStore& store, Dialogs& dialogs, const ShellPlatform& platform,
                           ShellWindow window)
    : QObject(&window.window), store_(store), dialogs_(dialogs), platform_(platform),
      window_(std::move(window))
{
    QWidget* parent = &window_.window;
    const auto item = [parent](const QString& caption, const QString& name) {
        return named(new QAction(caption, parent), name);
    };
    menuNewTimer_ = item(window_.newTimerCaption, QStringLiteral("menuNewTimer"));
    menuAlwaysOnTop_ = item(tr("Always On Top"), QStringLiteral("menuAlwaysOnTop"));
    menuAlwaysOnTop_->setCheckable(true);
    menuResolution_ = item(tr("Change Color Display"), QStringLiteral("menuResolution"));
    menuCloseActionBox_ = item(tr("Close Action Box"), QStringLiteral("menuCloseActionBox"));
    menuNotepad_ = item(tr("Show The Notepad"), QStringLiteral("menuNotepad"));
    connect(menuNewTimer_, &QAction::triggered, this, &DesktopShell::menuNewTimerClick);
    connect(menuAlwaysOnTop_, &QAction::triggered, this, &DesktopShell::menuAlwaysOnTopClick);
    connect(menuResolution_, &QAction::triggered, this, &DesktopShell::menuResolutionClick);
    connect(menuNotepad_, &QAction::triggered, this, &DesktopShell::menuNotepadClick);
}

QPlainTextEdit* DesktopShell::addNotepad(QWidget* panel, QRect place)
{
    txtNotes_ = named(new QPlainTextEdit(panel), QStringLiteral("txtNotes"));
    txtNotes_->setGeometry(place);
    txtNotes_->setToolTip(tr("Jot down notes for this timer here"));
    txtNotes_->setAccessibleName(tr("Notepad"));
    txtNotes_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtNotes_->setTabChangesFocus(true);
    txtNotes_->hide();
    return txtNotes_;
}

void DesktopShell::checkStayOnTop()
{
    const QString onTop = store_.get(window_.keys.alwaysOnTop);
    bool number = false;
    const bool above = onTop.isEmpty() || (onTop.trimmed().toDouble(&number) == 1 && number);
    // A new installation starts on top. Best effort: a refused write leaves the key empty,
    // so the next start is on top again and stores it then; the first run has told already.
    if (onTop.isEmpty())
        (void)store_.save(window_.keys.alwaysOnTop, kOnTop);
    menuAlwaysOnTop_->setChecked(above);
    stayOnTop(above);

    const bool sameTitle = store_.get(window_.keys.currentTitle) == window_.currentTitle;
    placeWindow(store_.get(window_.keys.positionLeft), store_.get(window_.keys.positionTop),
                sameTitle ? 0 : kNewTimerOffset);
}

void DesktopShell::placeWindow(const QString& left, const QString& top, int offset)
{
    QWidget& window = window_.window;
    const QPoint placeInTwips(storedTwips(left) + offset, storedTwips(top) + offset);
    QPoint place(twips(placeInTwips.x()), twips(placeInTwips.y()));
    placed_ = {place, placeInTwips};
    // A place on a monitor that is no longer there would hide the window: it comes back on
    // the primary screen.
    if (!QGuiApplication::screenAt(QRect(place, window.size()).center())) {
        const QScreen* primary = QGuiApplication::primaryScreen();
        const QPoint origin = primary ? primary->availableGeometry().topLeft() : QPoint();
        place = origin + QPoint(twips(window_.firstPosition), twips(window_.firstPosition));
        placed_.reset();
    }
    window.move(place);
}

void DesktopShell::stayOnTop(bool above)
{
    if (above)
        platform_.stacking.makeTopMost(window_.window);
    else
        platform_.stacking.makeNormal(window_.window);
}

void DesktopShell::menuAlwaysOnTopClick()
{
    // The click has already turned the check mark over: it shows the new state.
    const bool above = menuAlwaysOnTop_->isChecked();
    stayOnTop(above);
    if (!store_.save(window_.keys.alwaysOnTop, above ? kOnTop : kNotOnTop))
        emit saveRefused(tr("Always On Top"));
}

SettingsStore::Values DesktopShell::positionValues() const
{
    // A twip is a fifteenth of a pixel: a window that was not moved keeps the twips it was
    // placed at, rather than its pixels' nearest ones.
    const QPoint place = window_.window.pos();
    const QPoint inTwips =
        placed_ && placed_->pixels == place ? placed_->twips : place * kTwipsPerPixel;
    return {{window_.keys.positionLeft, QString::number(inTwips.x())},
            {window_.keys.positionTop, QString::number(inTwips.y())}};
}

void DesktopShell::menuNewTimerClick()
{
    // The new timer reads these at its start to find its place.
    const bool stored =
        store_.saveAll(positionValues() +
                       SettingsStore::Values{{window_.keys.currentTitle, window_.currentTitle}});
    // A program file that is gone is passed over; anything else is worth telling.
    if (!stored || platform_.launcher.startAnother() == InstanceLauncher::Result::Failed)
        dialogs_.message(&window_.window, window_.errorTitle, window_.newTimerError);
}

void DesktopShell::menuNotepadClick()
{
    if (!txtNotes_)
        return;
    if (txtNotes_->isHidden()) {
        menuNotepad_->setText(tr("Hide The Notepad"));
        txtNotes_->show();
        txtNotes_->raise();
        txtNotes_->setFocus();
    } else {
        hideNotepad();
    }
}

void DesktopShell::hideNotepad()
{
    menuNotepad_->setText(tr("Show The Notepad"));
    if (txtNotes_)
        txtNotes_->hide();
}

Resolutions* DesktopShell::resolutions() const
{
    return resolutions_;
}

void DesktopShell::menuResolutionClick()
{
    if (!resolutions_)
        resolutions_ = new Resolutions(platform_.displayModes, dialogs_, &window_.window);
    resolutions_->open();
}
