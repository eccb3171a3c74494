#include "pellum.h"

#include "accessibility.h"
#include "clock.h"
#include "desktopshell.h"
#include "dialogs.h"
#include "digitdisplay.h"
#include "pellumkeys.h"
#include "settingsstore.h"
#include "widgets.h"
#include "skins.h"
#include "twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <chrono>

namespace {

// The window's outer size in twips, title bar and borders included.
constexpr QSize kOuterSize(3430, 3000);
constexpr std::chrono::milliseconds kTick(450);

// The digit row. Each glyph is narrower than the distance to the next picture box, so the boxes
// never overlap; the blank Image9 ends at the panel's edge.
constexpr int kRowHeight = 750;
constexpr DigitDisplay::SmallRow kDigitRow{
    330, 330, 3250, kOuterSize.width() - kBorderAllowanceTwips, DigitDisplay::Shows::Blank};

// The digits and the hint stand on a dark ground of their own, the same on every skin, since
// neither takes the skin's colours.
void darkGround(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(24, 22, 20));
    palette.setColor(QPalette::WindowText, QColor(236, 228, 214));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

Pellum::Pellum(const Platform& platform, const ShellPlatform& shell, QWidget* parent)
    : QWidget(parent), platform_(platform)
{
    setObjectName(QStringLiteral("Pellum"));
    setWindowTitle(tr("Pellum 8.01"));
    setFixedSize(clientSizeForOuter(kOuterSize.width(), kOuterSize.height()));

    buildTimerPanel();
    buildOptionsPanel();
    buildAboutPanel();
    buildShell(shell);
    buildMenu();
    accessibility::nameControls(this);

    Timer1 = named(new QTimer(this), QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &Pellum::Timer1Tick);

    startUp();
}

Pellum::~Pellum()
{
    // Ended without being closed (the session ends): the place is still worth keeping.
    if (isVisible())
        storePosition(false);
}

void Pellum::buildTimerPanel()
{
    FramePellumFrame1 = named(new SkinPanel(this), QStringLiteral("FramePellumFrame1"));
    FramePellumFrame1->setGeometry(rect());
    FramePellumFrame1->setAccessibleName(tr("Timer"));

    // A screen reader reads the strip as the time it shows, with this name as its description.
    DigitDisplay = named(new ::DigitDisplay(FramePellumFrame1, ::DigitDisplay::smallRow(kDigitRow),
                                            {digitlooks::imageList1(), digitlooks::imageList2()}),
                         QStringLiteral("DigitDisplay"));
    DigitDisplay->setGeometry(0, 0, width(), twips(kRowHeight));
    DigitDisplay->setAccessibleName(tr("Time elapsed"));
    darkGround(DigitDisplay);

    const QRect startPlace = twipsRect(400, 830, 900, 500);
    ButPellumStart = panelButton(FramePellumFrame1, QStringLiteral("ButPellumStart"), tr("Start"),
                                 tr("Start the timer"), startPlace);
    ButPellumStop = panelButton(FramePellumFrame1, QStringLiteral("ButPellumStop"), tr("Stop"),
                                tr("Stop the timer"), startPlace);
    ButPellumAction =
        panelButton(FramePellumFrame1, QStringLiteral("ButPellumAction"), tr("Action"),
                    tr("Choose an action"), twipsRect(2100, 830, 900, 500));
    ButPellumStop->hide();
    connect(ButPellumStart, &QPushButton::clicked, this, &Pellum::ButPellumStartClick);
    connect(ButPellumStop, &QPushButton::clicked, this, &Pellum::ButPellumStopClick);
    connect(ButPellumAction, &QPushButton::clicked, this, &Pellum::ButPellumActionClick);

    FrameLabel1 = panelLabel(FramePellumFrame1, QStringLiteral("FrameLabel1"),
                             tr("Start the Pellum timer or use the Action button!"),
                             twipsRect(750, 1700, 2100, 500));
    FrameLabel1->setAlignment(Qt::AlignCenter);
    darkGround(FrameLabel1);

    setTabOrder(ButPellumStart, ButPellumStop);
    setTabOrder(ButPellumStop, ButPellumAction);
}

void Pellum::buildShell(const ShellPlatform& shell)
{
    using namespace pellumkeys;
    // The Default look leaves the options panel its picture, so the title caption keeps the
    // colour it reads in there.
    QList<std::pair<QWidget*, QColor>> redAbout;
    for (QWidget* text : aboutTexts_)
        redAbout.append({text, colourOf(255)});
    const SkinKeys keys{kBackground, kForeColor1, kForeColor2, kRunDefaultColors};
    skins_ = new Skins(
        platform_.store, platform_.dialogs,
        SkinFields{state_.LabelPath, state_.LabelPicture1, state_.LabelColor1, state_.LabelColor2},
        SkinLook{keys,
                 kCorrugatedFile,
                 {FramePellumFrame1, FrameAbout, FrameAboutFrame2, FrameOptions},
                 {FramePellumFrame1, FrameAbout, FrameAboutFrame2},
                 aboutTexts_,
                 {FrameOptionsLabel0},
                 redAbout,
                 tr("Pellum"),
                 tr("There was a problem running the program's path. Pellum Error # 10. Notify "
                    "Orvane to correct this error!"),
                 [this](const QString& what) { reportRefusedSave(what); }},
        this);

    const WindowKeys windowKeys{kAlwaysOnTop, kPositionLeft, kPositionTop, kCurrentTitle};
    shell_ = new DesktopShell(
        platform_.store, platform_.dialogs, shell,
        ShellWindow{*this, state_.LabelCurrentTitle, windowKeys, kFirstPosition,
                    tr("Open A New Timer"), tr("Pellum"),
                    tr("There was a problem. Error Handler 13. Notify Orvane about this error!"),
                    [this](const QString& what) { reportRefusedSave(what); }});
    // The notepad stands below the buttons, and Tab takes it in that order.
    setTabOrder(ButPellumAction,
                shell_->addNotepad(FramePellumFrame1, twipsRect(100, 1400, 3100, 1000)));
}

void Pellum::buildMenu()
{
    // The action box: the window's only menu, opened by Action.
    menufile = named(new QMenu(tr("File"), this), QStringLiteral("menufile"));
    menufile->setAccessibleName(tr("Action"));

    const auto separator = [this](const char* name) {
        auto* line = named(new QAction(this), QString::fromLatin1(name));
        line->setSeparator(true);
        return line;
    };
    const auto entry = [this](const char* name, const QString& caption, void (Pellum::*click)()) {
        auto* action = named(new QAction(caption, this), QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, click);
        return action;
    };

    menuclear = entry("menuclear", tr("Clear this time"), &Pellum::menuclearClick);
    sep1 = separator("sep1");
    menufile->addActions(
        {shell_->menuNewTimer(), separator("sep0"), menuclear, sep1, shell_->menuNotepad()});
    QMenu* menuMode = subMenu(*menufile, QStringLiteral("menuMode"), tr("Timing Mode"));
    menuMode1 = entry("menuMode1", tr("Normal"), &Pellum::menuMode1Click);
    menuMode2 = entry("menuMode2", tr("StopWatch"), &Pellum::menuMode2Click);
    for (QAction* mode : {menuMode1, menuMode2}) {
        mode->setCheckable(true);
        menuMode->addAction(mode);
    }
    skins_->addBackgroundMenu(*menufile);
    menufile->addActions({
        separator("sep2"),
        shell_->menuResolution(),
        separator("sep3"),
        shell_->menuAlwaysOnTop(),
        entry("menuOptions", tr("Set Options"), &Pellum::menuOptionsClick),
        separator("sep4"),
        entry("menuHelp", tr("Help Using Pellum"), &Pellum::menuHelpClick),
        entry("menuAbout", tr("About Pellum"), &Pellum::menuAboutClick),
        separator("sep5"),
        shell_->menuCloseActionBox(),
        separator("sep6"),
        entry("menuExit", tr("EXIT Pellum"), &Pellum::menuExitClick),
    });
}

void Pellum::startUp()
{
    using namespace pellumkeys;
    SettingsStore& store = platform_.store;
    FramePellumFrame1->show();
    FrameAbout->hide();

    QString colour1 = store.get(kForeColor1);
    if (colour1 == kCommentedWhite) {
        colour1 = kWhite;
        if (!store.save(kForeColor1, kWhite))
            reportRefusedSave(tr("The repaired colour"));
    }

    // An empty path marks the first start. Its values are used as meant even when the store
    // refuses them.
    const FirstRun start = startWithPath(store, firstRunKeys(platform_.programFolder), kPath);
    if (!start.refused.isEmpty())
        reportRefusedSave(start.refused);
    state_.LabelPath = start.value(kPath);
    const auto setting = [&](const QString& key) { return start.value(key); };
    state_.LabelPicture1 = setting(kBackground);
    state_.LabelColor1 = colour1.isEmpty() ? setting(kForeColor1) : colour1;
    state_.LabelColor2 = setting(kForeColor2);
    skins_->CheckMarkedBackground();

    shell_->CheckStayOnTop();
    skins_->CheckBackground();

    drawCleared();
    Timer1->setInterval(kTick);

    normalMode_ = setting(kMode) == kNormalMode;
    menuMode1->setChecked(normalMode_);
    menuMode2->setChecked(!normalMode_);
    // Ready for the keyboard: Space starts the count.
    ButPellumStart->setFocus();
}

// ---- The count ----

void Pellum::DisplayTimeElapsed(qint64 seconds)
{
    const durations::Parts parts = elapsed::shownParts(seconds);
    DigitDisplay->setTime(parts);
    state_.LabelTotalTimeRemaining1 = durations::clockText(parts);
}

void Pellum::drawCleared()
{
    // The text of the last count stays for the title until the next tick.
    const QString shown = state_.LabelTotalTimeRemaining1;
    DisplayTimeElapsed(0);
    state_.LabelTotalTimeRemaining1 = shown;
}

void Pellum::Timer1Tick()
{
    if (!engine_.moment().isValid()) {
        Timer1->stop();
        return;
    }
    DisplayTimeElapsed(engine_.tick(platform_.clock.now()).count);
    setWindowTitle(isMinimized() ? state_.LabelCurrentTitle + QStringLiteral(" - ") +
                                       state_.LabelTotalTimeRemaining1
                                 : state_.LabelCurrentTitle);
}

void Pellum::ButPellumStartClick()
{
    // The mode chosen last counts from this Start on.
    engine_.setMode(normalMode_ ? TimerEngine::Mode::Normal : TimerEngine::Mode::StopWatch);
    engine_.start(platform_.clock.now());
    Timer1->start();
    showRunning(true);
}

void Pellum::ButPellumStopClick()
{
    engine_.stop();
    Timer1->stop();
    showRunning(false);
}

void Pellum::showRunning(bool running)
{
    QPushButton* next = running ? ButPellumStop : ButPellumStart;
    next->show();
    next->setFocus();
    (running ? ButPellumStart : ButPellumStop)->hide();
    // Clear is for a stopped count only.
    menuclear->setVisible(!running);
    sep1->setVisible(!running);
    const QString hint = running ? tr("Stop the Pellum timer or use the Action button!")
                                 : tr("Start the Pellum timer or use the Action button!");
    FrameLabel1->setText(hint);
    accessibility::captionChanged(FrameLabel1);
}

void Pellum::menuclearClick()
{
    engine_.clear();
    drawCleared();
}

void Pellum::ButPellumActionClick()
{
    // Opened from the keyboard, the pointer may be anywhere: the menu then drops from the button.
    const QRect button(ButPellumAction->mapToGlobal(QPoint(0, 0)), ButPellumAction->size());
    const QPoint pointer = QCursor::pos();
    menufile->popup(button.contains(pointer) ? pointer : button.bottomLeft() + QPoint(0, 1));
}

void Pellum::menuMode1Click()
{
    selectMode(true);
}

void Pellum::menuMode2Click()
{
    selectMode(false);
}

void Pellum::selectMode(bool normal)
{
    if (markModeItems(*menuMode1, *menuMode2, normalMode_, normal) &&
        !platform_.store.save(pellumkeys::kMode,
                              normal ? pellumkeys::kNormalMode : pellumkeys::kStopWatchMode))
        reportRefusedSave(tr("The timing mode"));
}

// ---- The end ----

void Pellum::menuExitClick()
{
    close();
}

void Pellum::closeEvent(QCloseEvent* event)
{
    storePosition(true);
    Timer1->stop();
    event->accept();
}

void Pellum::storePosition(bool report)
{
    // A minimised or maximised window has no place of its own: the one stored before stays.
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    if (!platform_.store.saveAll(shell_->positionValues()) && report)
        reportRefusedSave(tr("The window's place"));
}

void Pellum::reportRefusedSave(const QString& what)
{
    platform_.dialogs.message(this, tr("Pellum"), platform_.store.refusalMessage(what));
}
