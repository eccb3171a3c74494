#include "timerwindow.h"

#include "accessibility.h"
#include "clock.h"
#include "dialogs.h"
#include "familylogo.h"
#include "helpviewer.h"
#include "settingsstore.h"
#include "twips.h"
#include "widgets.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// The window's outer size in twips, title bar and borders included.
constexpr int kOuterWidth = 3430;
constexpr int kOuterHeight = 3000;
constexpr int kDigitsHeight = 750;
// Focus selects this much of the title, so typing replaces a short one.
constexpr int kFocusSelection = 150;

// clang-format off
const ButtonRow<TimerWindow> kOptionsButtons[] = {
    {"butOptionsSave", QT_TR_NOOP("Save"), QT_TR_NOOP("Save these options"),
     {150, 1980, 950, 420}, &TimerWindow::butOptionsSaveClick},
    {"ButOptionsCancel", QT_TR_NOOP("Cancel"), QT_TR_NOOP("Cancel these options"),
     {1180, 1980, 950, 420}, &TimerWindow::ButOptionsCancelClick},
    {"butOptionsHelp", QT_TR_NOOP("Help"), QT_TR_NOOP("Help"),
     {2210, 1980, 950, 420}, &TimerWindow::butOptionsHelpClick},
};

const ButtonRow<TimerWindow> kAboutButtons[] = {
    {"butAboutHelpR", QT_TR_NOOP("Help"), QT_TR_NOOP("Help"),
     {400, 1820, 1000, 420}, &TimerWindow::butAboutHelpRClick},
    {"ButAboutOKr", QT_TR_NOOP("OK"), QT_TR_NOOP("Continue"),
     {1670, 1820, 1000, 420}, &TimerWindow::ButAboutOKrClick},
};
// clang-format on

} // namespace

void TimerWindow::darkGround(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(24, 22, 20));
    palette.setColor(QPalette::WindowText, QColor(236, 228, 214));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

TimerWindow::TimerWindow(const Platform& platform, const ShellPlatform& shell, TimerProgram program,
                         TimerEngine::Direction direction, QWidget* parent)
    : QWidget(parent), platform_(platform), program_(std::move(program)), keys_(program_.name),
      engine_(direction)
{
    // First, so that the picture is decoded while the window is built.
    startPicture_ = prefetchStoredPicture(platform_.store, keys_);
    setObjectName(program_.name);
    setWindowTitle(program_.version);
    setFixedSize(clientSizeForOuter(kOuterWidth, kOuterHeight));

    buildTimerPanel();
    shell_ = new DesktopShell(platform_.store, platform_.dialogs, shell,
                              ShellWindow{*this, program_.name, keys_, program_.firstPosition,
                                          program_.newTimerCaption, program_.name,
                                          program_.newTimerError});
    connect(shell_, &DesktopShell::saveRefused, this, &TimerWindow::showStoreRefused);

    Timer1 = named(new QTimer(this), QStringLiteral("Timer1"));
    Timer1->setInterval(program_.tick);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TimerWindow::Timer1Tick);
}

TimerWindow::~TimerWindow()
{
    // A window that ends without being closed (the session ends) still keeps its place.
    if (isVisible())
        storePosition(false);
}

void TimerWindow::buildTimerPanel()
{
    timerPanel_ = named(new SkinPanel(this), program_.timerPanel);
    timerPanel_->setGeometry(rect());
    timerPanel_->setAccessibleName(tr("Timer"));

    // The digits light up on a dark strip of their own, readable on any skin. A screen reader
    // reads the strip as the time it shows, with this name as its description.
    DigitDisplay =
        named(new ::DigitDisplay(timerPanel_, ::DigitDisplay::smallRow(program_.digitRow),
                                 {digitlooks::imageList1(), digitlooks::imageList2()}),
              QStringLiteral("DigitDisplay"));
    DigitDisplay->setGeometry(0, 0, width(), twips(kDigitsHeight));
    DigitDisplay->setAccessibleName(program_.digitsName);
    darkGround(DigitDisplay);

    const QString button = QStringLiteral("But") + program_.name;
    const QRect startPlace = twipsRect(400, 830, 900, 500);
    startButton_ = panelButton(timerPanel_, button + QStringLiteral("Start"), tr("Start"),
                               tr("Start the timer"), startPlace);
    stopButton_ = panelButton(timerPanel_, button + QStringLiteral("Stop"), tr("Stop"),
                              tr("Stop the timer"), startPlace);
    actionButton_ = panelButton(timerPanel_, button + QStringLiteral("Action"), tr("Action"),
                                tr("Choose an action"), twipsRect(2100, 830, 900, 500));
    stopButton_->hide();
    connect(actionButton_, &QPushButton::clicked, this, &TimerWindow::showActionBox);
    tabOrder({startButton_, stopButton_, actionButton_});
}

void TimerWindow::buildOptionsPanel()
{
    FrameOptions = named(new SkinPanel(this), QStringLiteral("FrameOptions"));
    FrameOptions->setGeometry(rect());
    FrameOptions->setAccessibleName(tr("%1 Options").arg(program_.name));
    FrameOptions->hide();

    FrameOptionsLabel0 = panelLabel(FrameOptions, QStringLiteral("FrameOptionsLabel0"), tr("Title"),
                                    program_.titleCaption);
    FrameOptionsTitle =
        named(new QLineEdit(program_.name, FrameOptions), QStringLiteral("FrameOptionsTitle"));
    FrameOptionsTitle->setGeometry(program_.titleBox);
    FrameOptionsTitle->setAccessibleName(tr("Title"));
    FrameOptionsLabel0->setBuddy(FrameOptionsTitle);
    selectOnFocus(FrameOptionsTitle, kFocusSelection);

    panelButtons<TimerWindow>(FrameOptions, this, kOptionsButtons);
    accessibility::escapeKey(FrameOptions, this, &TimerWindow::ButOptionsCancelClick);
}

void TimerWindow::buildAboutPanel()
{
    FrameAbout = named(new SkinPanel(this), QStringLiteral("FrameAbout"));
    FrameAbout->setGeometry(rect());
    FrameAbout->setAccessibleName(tr("About %1").arg(program_.name));
    FrameAbout->hide();

    FrameAboutFrame2 = named(new SkinPanel(FrameAbout), QStringLiteral("FrameAboutFrame2"));
    FrameAboutFrame2->setGeometry(twipsRect(120, 90, 3070, 2370));
    FrameAboutFrame2->setFrameStyle(QFrame::Box | QFrame::Plain);
    FrameAboutFrame2->setAccessibleName(FrameAbout->accessibleName());

    addAboutTexts();

    const QList<QPushButton*> buttons =
        panelButtons<TimerWindow>(FrameAboutFrame2, this, kAboutButtons);
    // OK first: it is where the panel opens.
    setTabOrder(buttons[1], buttons[0]);
    // About has nothing to cancel: Esc closes it as OK does.
    accessibility::escapeKey(FrameAbout, this, &TimerWindow::ButAboutOKrClick);
}

void TimerWindow::addAboutTexts()
{
    auto* logo = named(new QLabel(FrameAboutFrame2), QStringLiteral("imgLogo"));
    logo->setAccessibleName(tr("%1 logo").arg(program_.name));
    logo->setPixmap(familyLogo(32, devicePixelRatioF()));
    logo->setGeometry(twipsRect(1295, 90, 480, 480));

    const struct {
        const char* name;
        QString text;
        int top;
        int height;
    } texts[] = {
        {"LabelAbout1", program_.version, 600, 360},
        {"LabelAbout2", program_.aboutText, 980, 500},
        {"LabelAbout3", tr("Orvane \u2022 The Vexlo family of timers"), 1480, 255},
    };
    for (const auto& t : texts) {
        QLabel* label = panelLabel(FrameAboutFrame2, QString::fromLatin1(t.name), t.text,
                                   twipsRect(90, t.top, 2890, t.height));
        label->setAlignment(Qt::AlignCenter);
        aboutTexts_.append(label);
    }
    boldFont(aboutTexts_.front(), 12);
}

void TimerWindow::finishBuilding(const SkinLook& programLook, const QList<QAction*>& timeItems)
{
    SkinLook look = programLook;
    look.keys = keys_;
    look.corrugatedFile = program_.corrugatedFile;
    look.errorTitle = program_.name;
    look.errorText = program_.pathError;
    look.panels << timerPanel_;
    look.plainUnderDefault << timerPanel_;
    skins_ = new Skins(platform_.store, platform_.dialogs, std::move(look), this);
    connect(skins_, &Skins::saveRefused, this, &TimerWindow::showStoreRefused);
    buildMenu(timeItems);
    accessibility::nameControls(this);
    // The timer panel covers the window: the window itself is never drawn.
    afterFirstDrawing(timerPanel_, [this] { buildPanels(); });
}

void TimerWindow::buildPanels()
{
    if (FrameOptions)
        return;
    // The notepad stands below the buttons, and Tab takes it in that order.
    setTabOrder(actionButton_, shell_->addNotepad(timerPanel_, program_.notepad));
    buildOptionsPanel();
    buildAboutPanel();
    SkinLook look = buildOptionsParts();
    addPanelParts(look);
    skins_->extend(look);
    accessibility::nameControls(this);
}

void TimerWindow::addPanelParts(SkinLook& look) const
{
    look.panels << FrameAbout << FrameAboutFrame2 << FrameOptions;
    look.plainUnderDefault << FrameAbout << FrameAboutFrame2;
    if (program_.plainOptionsUnderDefault)
        look.plainUnderDefault << FrameOptions;
    look.colour2 << FrameOptionsLabel0;
    // The About texts are red under the Default look, whatever the program's other labels are.
    for (QLabel* text : aboutTexts_) {
        look.colour1 << text;
        look.defaultColours.append({text, colourOf(255)});
    }
}

void TimerWindow::buildMenu(const QList<QAction*>& timeItems)
{
    // The action box: the window's only menu, opened by Action.
    menufile = named(new QMenu(tr("File"), this), QStringLiteral("menufile"));
    menufile->setAccessibleName(tr("Action"));

    menufile->addActions({shell_->menuNewTimer(), separator()});
    menufile->addActions(timeItems);
    menufile->addActions({separator(), shell_->menuNotepad()});
    QMenu* menuMode = subMenu(*menufile, QStringLiteral("menuMode"), tr("Timing Mode"));
    menuMode1 = menuEntry(QStringLiteral("menuMode1"), tr("Normal"), &TimerWindow::menuMode1Click);
    menuMode2 =
        menuEntry(QStringLiteral("menuMode2"), tr("StopWatch"), &TimerWindow::menuMode2Click);
    for (QAction* mode : {menuMode1, menuMode2}) {
        mode->setCheckable(true);
        menuMode->addAction(mode);
    }
    QMenu* menuBackground = skins_->addBackgroundMenu(*menufile);
    if (program_.resolutionInBackground) {
        menuBackground->addSeparator();
        menuBackground->addAction(shell_->menuResolution());
    } else {
        menufile->addActions({separator(), shell_->menuResolution()});
    }
    const QString& name = program_.name;
    menufile->addActions({
        separator(),
        shell_->menuAlwaysOnTop(),
        menuEntry(QStringLiteral("menuOptions"), tr("Set Options"), &TimerWindow::menuOptionsClick),
        separator(),
        menuEntry(QStringLiteral("menuHelp"), tr("Help Using %1").arg(name),
                  &TimerWindow::menuHelpClick),
        menuEntry(QStringLiteral("menuAbout"), tr("About %1").arg(name),
                  &TimerWindow::menuAboutClick),
        separator(),
        shell_->menuCloseActionBox(),
        separator(),
        menuEntry(QStringLiteral("menuExit"), tr("EXIT %1").arg(name), &TimerWindow::menuExitClick),
    });
}

QAction* TimerWindow::separator()
{
    // Named in order, so that a program can find its place again.
    auto* line = named(new QAction(this), QStringLiteral("sep%1").arg(separators_.size()));
    line->setSeparator(true);
    separators_.append(line);
    return line;
}

FirstRun TimerWindow::startFromStore(const StoredKeys& defaults)
{
    // An empty path marks the first run: it stores its defaults and goes on with them rather
    // than with the store, which may have refused them.
    const FirstRun start = startWithPath(platform_.store, defaults, keys_.path);
    if (!start.refused.isEmpty())
        showStoreRefused(start.refused);
    skins_->setFields(mended({start.value(keys_.path), start.value(keys_.background),
                              start.value(keys_.foreColor1), start.value(keys_.foreColor2)}));
    shell_->checkStayOnTop();
    skins_->showStored(std::move(startPicture_));

    markModeItems(*menuMode1, *menuMode2, normalMode_,
                  start.value(keys_.mode) == TimerWindowKeys::kNormalMode);
    engine_.setMode(normalMode_ ? TimerEngine::Mode::Normal : TimerEngine::Mode::StopWatch);
    return start;
}

std::optional<TimerEngine::Tick> TimerWindow::takeTick()
{
    if (!engine_.moment().isValid()) {
        Timer1->stop();
        return std::nullopt;
    }
    const QDateTime now = platform_.clock.utcNow();
    if (Timer1->isActive())
        Timer1->start(platform_.clock.msecsToNextSecond());
    return engine_.tick(now);
}

void TimerWindow::setRunning(bool running, QLabel* hint)
{
    if (running) {
        engine_.start(platform_.clock.now());
        Timer1->start();
    } else {
        engine_.stop();
        Timer1->stop();
    }
    QPushButton* next = running ? stopButton_ : startButton_;
    next->show();
    next->setFocus();
    (running ? startButton_ : stopButton_)->hide();
    hint->setText(running ? tr("Stop the %1 timer or use the Action button!").arg(program_.name)
                          : tr("Start the %1 timer or use the Action button!").arg(program_.name));
    accessibility::captionChanged(hint);
}

void TimerWindow::showCountInTitle(const QString& count)
{
    setWindowTitle(isMinimized() ? currentTitle() + QStringLiteral(" - ") + count : currentTitle());
}

void TimerWindow::showActionBox()
{
    const QPoint pointer = QCursor::pos();
    // Opened from the keyboard, the pointer may be anywhere: the menu then drops from the button.
    const bool byPointer = actionButton_->rect().contains(actionButton_->mapFromGlobal(pointer));
    menufile->popup(byPointer ? pointer
                              : actionButton_->mapToGlobal(QPoint(0, actionButton_->height())));
}

// ---- The mode ----

void TimerWindow::menuMode1Click()
{
    selectMode(true);
}

void TimerWindow::menuMode2Click()
{
    selectMode(false);
}

void TimerWindow::selectMode(bool normal)
{
    if (markModeItems(*menuMode1, *menuMode2, normalMode_, normal) &&
        !platform_.store.save(keys_.mode, normal ? TimerWindowKeys::kNormalMode
                                                 : TimerWindowKeys::kStopWatchMode))
        showStoreRefused(tr("The timing mode"));
    // A stopped count resumes as the mode chosen last says.
    engine_.setMode(normalMode_ ? TimerEngine::Mode::Normal : TimerEngine::Mode::StopWatch);
}

// ---- The panels ----

void TimerWindow::openPanel(QWidget* panel, const QString& title, QWidget* focus)
{
    focusBeforePanel_ = focusWidget();
    panel->show();
    panel->raise();
    setWindowTitle(title);
    timerPanel_->hide();
    focus->setFocus();
}

void TimerWindow::backToTimer(QWidget* panel)
{
    if (!timerPanelCovered())
        timerPanel_->show();
    setWindowTitle(currentTitle());
    panel->hide();
    focusAfterPanel();
}

void TimerWindow::menuOptionsClick()
{
    buildPanels();
    loadOptions();
    openPanel(FrameOptions, FrameOptions->accessibleName(), FrameOptionsTitle);
}

void TimerWindow::butOptionsSaveClick()
{
    // Kept open when the store refuses, so nothing typed is lost.
    if (!saveOptions())
        return;
    shell_->setCurrentTitle(FrameOptionsTitle->text());
    backToTimer(FrameOptions);
}

void TimerWindow::ButOptionsCancelClick()
{
    cancelOptions();
    backToTimer(FrameOptions);
}

QString TimerWindow::typedTitle() const
{
    // Until the panel is built, nothing can have been typed.
    return FrameOptionsTitle ? FrameOptionsTitle->text() : currentTitle();
}

void TimerWindow::cancelOptions()
{
    FrameOptionsTitle->setText(currentTitle());
}

void TimerWindow::butOptionsHelpClick()
{
    platform_.help.open(program_.optionsHelpTopic);
}

void TimerWindow::menuHelpClick()
{
    platform_.help.open(program_.programHelpTopic);
}

void TimerWindow::menuAboutClick()
{
    buildPanels();
    openPanel(FrameAbout, FrameAbout->accessibleName(),
              FrameAboutFrame2->findChild<QPushButton*>(QStringLiteral("ButAboutOKr")));
}

void TimerWindow::ButAboutOKrClick()
{
    backToTimer(FrameAbout);
}

void TimerWindow::butAboutHelpRClick()
{
    platform_.help.open(program_.aboutHelpTopic);
}

// ---- The end ----

void TimerWindow::menuExitClick()
{
    close();
}

void TimerWindow::closeEvent(QCloseEvent* event)
{
    storePosition(program_.reportsUnkeptPlace);
    for (QTimer* timer : findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
        timer->stop();
    event->accept();
}

void TimerWindow::storePosition(bool report)
{
    // Only a window in its normal state has a place of its own worth keeping.
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    if (!platform_.store.saveAll(shell_->positionValues()) && report)
        showStoreRefused(tr("The window's place"));
}

void TimerWindow::showStoreRefused(const QString& what)
{
    platform_.dialogs.message(this, program_.name, platform_.store.refusalMessage(what));
}
