#include "vexlo.h"

#include "accessibility.h"
#include "clock.h"
#include "desktopshell.h"
#include "dialogs.h"
#include "digitdisplay.h"
#include "settingsstore.h"
#include "widgets.h"
#include "skins.h"
#include "soundplayer.h"
#include "timerkeys.h"
#include "timertexts.h"
#include "timeupnotice.h"
#include "twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using intervaltimer::kMaxMinutes;
using intervaltimer::kMaxSeconds;

namespace {

// The window's outer size in twips includes the title bar and the borders that the window
// manager draws; the panels fill what remains.
constexpr int kOuterWidth = 3430;
constexpr int kOuterHeight = 3000;
constexpr int kBorderAllowance = 120;  // both side borders
constexpr int kCaptionAllowance = 450; // title bar and bottom border
constexpr int kPanelWidth = kOuterWidth - kBorderAllowance;
constexpr int kPanelHeight = kOuterHeight - kCaptionAllowance;

// The digit display. A glyph takes less than the distance to the next picture box, so the
// boxes are only as wide as the glyphs and never overlap; the last one ends at the panel's edge.
constexpr int kDisplayHeight = 750;
constexpr DigitDisplay::SmallRow kDigitRow{300, 330, 3100, kPanelWidth,
                                           DigitDisplay::Shows::Hourglass};

constexpr int kMessagePointSize = 11;
constexpr int kSmallestMessagePointSize = 6;

constexpr int kTickInterval = 950;
constexpr int kFirstFlashInterval = 750;
constexpr int kMessageShownInterval = 1500;
constexpr int kMessageHiddenInterval = 300;

QScrollBar* scrollBar(QWidget* panel, const QString& name, int maximum, int largeStep,
                      QLabel* caption, const QRect& place)
{
    auto* bar = named(new QScrollBar(Qt::Horizontal, panel), name);
    bar->setGeometry(place);
    bar->setRange(0, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(largeStep);
    // The arrow keys move a bar that has the focus. A scroll bar's keys run the other way,
    // as if it scrolled a page; setting a time, right and up mean more.
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setInvertedControls(false);
    bar->setAccessibleName(caption->text());
    caption->setBuddy(bar);
    return bar;
}


} // namespace

Vexlo::Vexlo(const Platform& platform, const ShellPlatform& shell, QWidget* parent)
    : QWidget(parent), platform_(platform)
{
    setObjectName(QStringLiteral("Vexlo"));
    setWindowTitle(tr("Vexlo 8.02"));
    setFixedSize(twips(kPanelWidth), twips(kPanelHeight));

    buildTimerPanel();
    buildAlarmPanel();
    buildOptionsPanel();
    buildAboutPanel();
    buildShell(shell);
    buildMenu();
    accessibility::nameControls(this);

    Timer1 = named(new QTimer(this), QStringLiteral("Timer1"));
    Timer2 = named(new QTimer(this), QStringLiteral("Timer2"));
    Timer2->setInterval(kFirstFlashInterval);
    connect(Timer1, &QTimer::timeout, this, &Vexlo::Timer1Tick);
    connect(Timer2, &QTimer::timeout, this, &Vexlo::Timer2Tick);

    startUp();
}

Vexlo::~Vexlo()
{
    // A window that ends without being closed (the session ends) still keeps its place.
    if (isVisible())
        storePosition();
}

void Vexlo::buildTimerPanel()
{
    FrameVexlo1 = named(new SkinPanel(this), QStringLiteral("FrameVexlo1"));
    FrameVexlo1->setGeometry(twipsRect(0, 0, kPanelWidth, kPanelHeight));
    FrameVexlo1->setAccessibleName(tr("Timer"));

    // The digits light up on a dark strip of their own, readable on any skin. A screen reader
    // reads the strip as the time it shows, with this name as its description.
    DigitDisplay = named(new ::DigitDisplay(FrameVexlo1, ::DigitDisplay::smallRow(kDigitRow),
                                            {digitlooks::imageList1(), digitlooks::imageList2()}),
                         QStringLiteral("DigitDisplay"));
    DigitDisplay->setGeometry(twipsRect(0, 0, kPanelWidth, kDisplayHeight));
    DigitDisplay->setAccessibleName(tr("Time remaining"));
    QPalette dark = DigitDisplay->palette();
    dark.setColor(QPalette::Window, QColor(24, 22, 20));
    DigitDisplay->setPalette(dark);
    DigitDisplay->setAutoFillBackground(true);

    ButVexloStart = panelButton(FrameVexlo1, QStringLiteral("ButVexloStart"), tr("Start"),
                                tr("Start the timer"), twipsRect(400, 830, 900, 500));
    ButVexloStop = panelButton(FrameVexlo1, QStringLiteral("ButVexloStop"), tr("Stop"),
                               tr("Stop the timer"), twipsRect(400, 830, 900, 500));
    ButVexloAction = panelButton(FrameVexlo1, QStringLiteral("ButVexloAction"), tr("Action"),
                                 tr("Choose an action"), twipsRect(2100, 830, 900, 500));
    ButVexloStart->hide();
    ButVexloStop->hide();
    connect(ButVexloStart, &QPushButton::clicked, this, &Vexlo::StartStopTimer);
    connect(ButVexloStop, &QPushButton::clicked, this, &Vexlo::StartStopTimer);
    connect(ButVexloAction, &QPushButton::clicked, this, &Vexlo::ButVexloActionClick);

    FrameLabel3 = panelLabel(FrameVexlo1, QStringLiteral("FrameLabel3"), tr("Set The Time Below!"),
                             twipsRect(240, 1020, 1695, 225));
    FrameLabel1 = panelLabel(FrameVexlo1, QStringLiteral("FrameLabel1"), tr("Hours + Minutes"),
                             twipsRect(125, 1500, 645, 405));
    HScroll1 = scrollBar(FrameVexlo1, QStringLiteral("HScroll1"), kMaxMinutes, 15, FrameLabel1,
                         twipsRect(825, 1605, 2400, 200));
    FrameLabel2 = panelLabel(FrameVexlo1, QStringLiteral("FrameLabel2"), tr("Seconds"),
                             twipsRect(125, 2070, 630, 195));
    HScroll2 = scrollBar(FrameVexlo1, QStringLiteral("HScroll2"), kMaxSeconds, 5, FrameLabel2,
                         twipsRect(825, 2070, 2400, 200));
    connect(HScroll1, &QScrollBar::valueChanged, this, &Vexlo::HScroll1Change);
    connect(HScroll2, &QScrollBar::valueChanged, this, &Vexlo::HScroll2Change);

    FrameLabel4 = panelLabel(FrameVexlo1, QStringLiteral("FrameLabel4"),
                             tr("Stop the Vexlo timer or use the Action button!"),
                             twipsRect(600, 1600, 2450, 500));
    FrameLabel4->hide();

    setTabOrder(HScroll1, HScroll2);
    setTabOrder(HScroll2, ButVexloStart);
    setTabOrder(ButVexloStart, ButVexloStop);
    setTabOrder(ButVexloStop, ButVexloAction);
}

void Vexlo::buildAlarmPanel()
{
    FrameVexlo2 = named(new SkinPanel(this), QStringLiteral("FrameVexlo2"));
    FrameVexlo2->setGeometry(twipsRect(0, 0, kPanelWidth, kPanelHeight));
    FrameVexlo2->setAccessibleName(tr("Time Is Up!"));
    FrameVexlo2->hide();

    FrameLabel6 = panelLabel(FrameVexlo2, QStringLiteral("FrameLabel6"), QString(),
                             twipsRect(105, 105, 3195, 1650));
    FrameLabel6->setAlignment(Qt::AlignCenter);
    QFont font = FrameLabel6->font();
    font.setBold(true);
    FrameLabel6->setFont(font);

    ButVexloAcknowlegde = panelButton(FrameVexlo2, QStringLiteral("ButVexloAcknowlegde"), tr("OK"),
                                      tr("Continue"), twipsRect(1250, 1850, 1000, 500));
    connect(ButVexloAcknowlegde, &QPushButton::clicked, this, &Vexlo::ButVexloAcknowlegdeClick);
}

void Vexlo::buildShell(const ShellPlatform& shell)
{
    using namespace timerkeys;
    // The Default look: red captions and message, black hints.
    const QColor red = colourOf(255);
    const QColor black = colourOf(0);
    SkinLook look{
        SkinKeys{kBackground, kForeColor1, kForeColor2, kRunDefaultColors},
        kCorrugatedFile,
        {FrameVexlo1, FrameVexlo2, FrameOptions, FrameAbout, FrameAboutFrame2},
        {FrameVexlo1, FrameVexlo2, FrameOptions, FrameAbout, FrameAboutFrame2},
        {FrameLabel1, FrameLabel2},
        {FrameLabel3, FrameLabel4, FrameLabel6, FrameOptionsLabel0, FrameOptionsLabel1,
         FrameOptionsLabel2},
        // "Title" as well: on the plain panel a skin's white or yellow would not read.
        {{FrameLabel1, red},
         {FrameLabel2, red},
         {FrameLabel6, red},
         {FrameOptionsLabel0, red},
         {FrameOptionsLabel1, red},
         {FrameOptionsLabel2, red},
         {FrameLabel3, black},
         {FrameLabel4, black}},
        tr("Vexlo"),
        tr("Vexlo Error #10. There was a problem running the program's path. Vexlo can still "
           "run, but some of the program's files are either missing or have been moved. Exit "
           "Vexlo and then re-install the program to correct this error!"),
        [this](const QString& what) { showStoreRefused(what); },
    };
    for (QLabel* text : aboutTexts_) {
        look.colour1.append(text);
        look.defaultColours.append({text, red});
    }
    skins_ = new Skins(
        platform_.store, platform_.dialogs,
        SkinFields{state_.LabelPath, state_.LabelPicture1, state_.LabelColor1, state_.LabelColor2},
        std::move(look), this);

    shell_ =
        new DesktopShell(platform_.store, platform_.dialogs, shell,
                         ShellWindow{*this,
                                     state_.LabelCurrentTitle,
                                     {kAlwaysOnTop, kPositionLeft, kPositionTop, kCurrentTitle},
                                     kFirstPosition,
                                     tr("Open a New Timer"),
                                     tr("Vexlo"),
                                     tr("There was a problem. Vexlo Error #13. Notify Orvane "
                                        "about this error!"),
                                     [this](const QString& what) { showStoreRefused(what); }});
    // The notepad stands below the buttons and above the bars, and Tab takes it in that order.
    setTabOrder(ButVexloAction, shell_->addNotepad(FrameVexlo1, twipsRect(50, 1400, 3230, 1000)));
}

void Vexlo::buildMenu()
{
    // The action box: the window's only menu, opened by Action.
    menufile = named(new QMenu(tr("File"), this), QStringLiteral("menufile"));
    menufile->setAccessibleName(tr("Action"));

    menufile->addAction(shell_->menuNewTimer());
    sep0 = menuSeparator(*menufile, QStringLiteral("sep0"));
    menuRetrieve =
        menuItem(*menufile, QStringLiteral("menuRetrieve"), tr("Retrieve the saved time"));
    menuClear = menuItem(*menufile, QStringLiteral("menuClear"), tr("Clear this time"));
    menuSave = menuItem(*menufile, QStringLiteral("menuSave"), tr("Save this time"));
    connect(menuRetrieve, &QAction::triggered, this, &Vexlo::menuRetrieveClick);
    connect(menuClear, &QAction::triggered, this, &Vexlo::menuClearClick);
    connect(menuSave, &QAction::triggered, this, &Vexlo::menuSaveClick);

    menuSeparator(*menufile, QStringLiteral("sep1"));
    menufile->addAction(shell_->menuNotepad());
    QMenu* menuMode = subMenu(*menufile, QStringLiteral("menuMode"), tr("Timing Mode"));
    menuMode1 = menuItem(*menuMode, QStringLiteral("menuMode1"), tr("Normal"));
    menuMode2 = menuItem(*menuMode, QStringLiteral("menuMode2"), tr("StopWatch"));
    menuMode1->setCheckable(true);
    menuMode2->setCheckable(true);
    connect(menuMode1, &QAction::triggered, this, &Vexlo::menuMode1Click);
    connect(menuMode2, &QAction::triggered, this, &Vexlo::menuMode2Click);

    QMenu* menuBackground = skins_->addBackgroundMenu(*menufile);
    menuBackground->addSeparator();
    menuBackground->addAction(shell_->menuResolution());

    menuSeparator(*menufile, QStringLiteral("sep2"));
    menufile->addAction(shell_->menuAlwaysOnTop());
    QAction* menuOptions = menuItem(*menufile, QStringLiteral("menuOptions"), tr("Set Options"));
    connect(menuOptions, &QAction::triggered, this, &Vexlo::menuOptionsClick);

    menuSeparator(*menufile, QStringLiteral("sep3"));
    QAction* menuHelp = menuItem(*menufile, QStringLiteral("menuHelp"), tr("Help Using Vexlo"));
    QAction* menuAbout = menuItem(*menufile, QStringLiteral("menuAbout"), tr("About Vexlo"));
    connect(menuHelp, &QAction::triggered, this, &Vexlo::menuHelpClick);
    connect(menuAbout, &QAction::triggered, this, &Vexlo::menuAboutClick);

    menuSeparator(*menufile, QStringLiteral("sep4"));
    menufile->addAction(shell_->menuCloseActionBox());
    menuSeparator(*menufile, QStringLiteral("sep5"));
    menuExit = menuItem(*menufile, QStringLiteral("menuExit"), tr("EXIT Vexlo"));
    connect(menuExit, &QAction::triggered, this, &Vexlo::menuExitClick);
}

void Vexlo::startUp()
{
    using namespace timerkeys;
    SettingsStore& store = platform_.store;

    // An empty path marks the first run: it stores its defaults and goes on with them rather
    // than with the store, which may have refused them.
    const FirstRun start = startWithPath(store, firstRunKeys(platform_.programFolder), kPath);
    if (!start.refused.isEmpty())
        showStoreRefused(start.refused);
    state_.LabelPath = start.value(kPath);
    const auto setting = [&](const QString& key) { return start.value(key); };

    state_.LabelPicture1 = setting(kBackground);
    state_.LabelColor1 = setting(kForeColor1);
    state_.LabelColor2 = setting(kForeColor2);
    state_.LabelSound1 = setting(kSound);
    const QString message = setting(kMessage);
    showMessage(message.isEmpty() ? tr(kDefaultMessage) : message);
    skins_->CheckMarkedBackground();

    shell_->CheckStayOnTop();
    skins_->CheckBackground();

    drawEmptyDisplay();
    Timer1->setInterval(kTickInterval);

    normalMode_ = setting(kMode) == kNormalMode;
    selectMode(normalMode_);
    enableRetrieve();
    // Ready for the keyboard: the arrow keys set the minutes at once.
    HScroll1->setFocus();
}

void Vexlo::drawEmptyDisplay()
{
    DigitDisplay->setTime({});
}

void Vexlo::setTimeChanged()
{
    const int minutes = HScroll1->value();
    const int seconds = HScroll2->value();
    const bool noTime = minutes == 0 && seconds == 0;
    ButVexloStart->setVisible(!noTime);
    FrameLabel3->setVisible(noTime);
    state_.LabelScrollMinutes1 = QString::number(minutes);
    engine_.setDuration(minutes * 60 + seconds);
    state_.LabelRemainingMinutes = QString::number(minutes);
    state_.LabelRemainingSeconds = QString::number(seconds);
}

void Vexlo::HScroll1Change()
{
    setTimeChanged();
    const int minutes = HScroll1->value() % 60;
    const qint64 hours = engine_.duration() / 3600;
    state_.LabelCheckMinutes = QString::number(minutes);
    state_.LabelCheckHours = QString::number(hours);
    DigitDisplay->setTime({hours, minutes, DigitDisplay->time().seconds});
}

void Vexlo::HScroll2Change()
{
    setTimeChanged();
    state_.LabelCheckSeconds = QString::number(HScroll2->value());
    const durations::Parts shown = DigitDisplay->time();
    DigitDisplay->setTime({shown.hours, shown.minutes, HScroll2->value()});
}

void Vexlo::StartStopTimer()
{
    if (HScroll1->value() == 0 && HScroll2->value() == 0)
        return;

    if (!ButVexloStart->isHidden()) {
        engine_.start(platform_.clock.now());
        Timer1->start();
        ButVexloStop->show();
        ButVexloStart->hide();
        showTimeItems(false);
        showScrollBars(false);
        FrameLabel4->setText(tr("Stop the Vexlo timer or use the Action button!"));
        accessibility::captionChanged(FrameLabel4);
        FrameLabel4->show();
        ButVexloStop->setFocus();
    } else {
        engine_.stop();
        Timer1->stop();
        ButVexloStart->show();
        showTimeItems(true);
        ButVexloStop->hide();
        FrameLabel4->setText(tr("Start the Vexlo timer or use the Action button!"));
        accessibility::captionChanged(FrameLabel4);
        FrameLabel4->show();
        ButVexloStart->setFocus();
        enableRetrieve();
    }
}

void Vexlo::ButVexloActionClick()
{
    const QPoint pointer = QCursor::pos();
    // Opened from the keyboard, the pointer may be anywhere: the menu then drops from the button.
    const bool byPointer = ButVexloAction->rect().contains(ButVexloAction->mapFromGlobal(pointer));
    menufile->popup(byPointer ? pointer
                              : ButVexloAction->mapToGlobal(QPoint(0, ButVexloAction->height())));
}

void Vexlo::Timer1Tick()
{
    if (!engine_.moment().isValid()) {
        Timer1->stop();
        return;
    }
    const TimerEngine::Tick tick = engine_.tick(platform_.clock.now());
    if (tick.timeUp) {
        timeIsUp(tick.count);
        return;
    }
    if (tick.count > 0 && tick.count <= SoundPlayer::kPrepareAheadSeconds)
        platform_.sound.prepare(platform_.store.get(timerkeys::kSound));
    state_.LabelTotalTimeRemaining1 = ShowTimeRemaining(tick.count);
    setWindowTitle(isMinimized() ? state_.LabelCurrentTitle + QStringLiteral(" - ") +
                                       state_.LabelTimeRemaining1
                                 : state_.LabelCurrentTitle);
}

void Vexlo::timeIsUp(qint64 remaining)
{
    const QDateTime due = engine_.moment();
    // Read again: another Vexlo may have chosen a new sound or message since this one started.
    state_.LabelSound1 = platform_.store.get(timerkeys::kSound);
    ShowTimeRemaining(remaining);
    state_.LabelTotalTimeRemaining1 = tr("Time Is Up!");
    platform_.sound.play(state_.LabelSound1);

    Timer1->stop();
    engine_.setDuration(0);
    HScroll1->setValue(0);
    HScroll2->setValue(0);

    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    setWindowTitle(optionsTitle());
    showMessage(storedMessage());
    FrameLabel6->show();
    FrameVexlo1->hide();
    FrameVexlo2->show();
    // Over the options or About panel, should one be open.
    FrameVexlo2->raise();
    Timer2->start();
    ButVexloAcknowlegde->setFocus();
    DigitDisplay->alert();
    if (isVisible()) {
        raise();
        activateWindow();
    }
    timeupnotice::tell(platform_, this, storedMessage(), due, true);
}

QString Vexlo::ShowTimeRemaining(qint64 seconds)
{
    if (!intervaltimer::fitsTimeTexts(seconds))
        return tr("Way too much!");
    const durations::Parts parts = durations::split(seconds);
    DigitDisplay->setTime(parts);
    state_.LabelTimeRemaining1 = durations::clockText(parts);
    state_.LabelRemainingMinutes = QString::number(parts.hours * 60 + parts.minutes);
    state_.LabelRemainingSeconds = QString::number(parts.seconds);
    return intervaltimer::remainingSentence(parts);
}

void Vexlo::Timer2Tick()
{
    if (!FrameLabel6->isHidden()) {
        FrameLabel6->hide();
        Timer2->setInterval(kMessageHiddenInterval);
    } else {
        FrameLabel6->show();
        Timer2->setInterval(kMessageShownInterval);
    }
    showMessage(storedMessage());
}

void Vexlo::ButVexloAcknowlegdeClick()
{
    FrameVexlo1->show();
    showScrollBars(true);
    FrameVexlo2->hide();
    Timer2->stop();
    FrameLabel3->show();
    shell_->hideNotepad();
    ButVexloStop->hide();
    // The alarm ended a run: the time items come back as they do when the timer is stopped.
    showTimeItems(true);
    // A panel opened before the alarm is in front again: the keyboard goes to it, not to the
    // scroll bars behind it, where arrow keys would set a time unseen.
    if (!FrameOptions->isHidden())
        FrameOptionsTitle->setFocus();
    else if (!FrameAbout->isHidden())
        FrameAbout->findChild<QPushButton*>(QStringLiteral("ButAboutOKr"))->setFocus();
    else
        HScroll1->setFocus();
    enableRetrieve();
}

void Vexlo::showScrollBars(bool shown)
{
    HScroll1->setVisible(shown);
    HScroll2->setVisible(shown);
    FrameLabel1->setVisible(shown);
    FrameLabel2->setVisible(shown);
    // The status line stands where the bars are; it would show through between them.
    if (shown)
        FrameLabel4->hide();
}

void Vexlo::showTimeItems(bool shown)
{
    for (QAction* item : {sep0, menuRetrieve, menuClear, menuSave})
        item->setVisible(shown);
}

void Vexlo::enableRetrieve()
{
    menuRetrieve->setEnabled(!platform_.store.get(timerkeys::kSavedMinutes).isEmpty());
}

void Vexlo::menuSaveClick()
{
    const bool saved =
        platform_.store.saveAll({{timerkeys::kSavedMinutes, state_.LabelRemainingMinutes},
                                 {timerkeys::kSavedSeconds, state_.LabelRemainingSeconds}});
    if (!saved)
        showStoreRefused(tr("This time"));
    enableRetrieve();
}

void Vexlo::clearTime()
{
    HScroll1->setValue(0);
    HScroll2->setValue(0);
    engine_.setDuration(0);
    engine_.clear();
    drawEmptyDisplay();
    showScrollBars(true);
    shell_->hideNotepad();
}

void Vexlo::menuClearClick()
{
    clearTime();
    HScroll1->setFocus();
}

void Vexlo::menuRetrieveClick()
{
    clearTime();
    const SettingsStore& store = platform_.store;
    HScroll1->setValue(
        durations::storedWholeNumber(store.get(timerkeys::kSavedMinutes), 0, kMaxMinutes));
    HScroll2->setValue(
        durations::storedWholeNumber(store.get(timerkeys::kSavedSeconds), 0, kMaxSeconds));
    ButVexloStart->setFocus();
}

void Vexlo::menuMode1Click()
{
    selectMode(true);
}

void Vexlo::menuMode2Click()
{
    selectMode(false);
}

void Vexlo::selectMode(bool normal)
{
    if (markModeItems(*menuMode1, *menuMode2, normalMode_, normal) &&
        !platform_.store.save(timerkeys::kMode,
                              normal ? timerkeys::kNormalMode : timerkeys::kStopWatchMode))
        showStoreRefused(tr("The timing mode"));
    engine_.setMode(normalMode_ ? TimerEngine::Mode::Normal : TimerEngine::Mode::StopWatch);
}

void Vexlo::menuExitClick()
{
    close();
}

void Vexlo::closeEvent(QCloseEvent* event)
{
    storePosition();
    Timer1->stop();
    Timer2->stop();
    event->accept();
}

void Vexlo::storePosition()
{
    // Only a window in its normal state has a place of its own worth keeping.
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    // Best effort: the window is going, and a place not kept only opens the next Vexlo where
    // the last kept place was.
    (void)platform_.store.saveAll(shell_->positionValues());
}

void Vexlo::showStoreRefused(const QString& what)
{
    platform_.dialogs.message(this, tr("Vexlo"), platform_.store.refusalMessage(what));
}

void Vexlo::showMessage(const QString& message)
{
    if (FrameLabel6->text() == message)
        return;
    FrameLabel6->setText(message);
    accessibility::captionChanged(FrameLabel6);
    // Large for a glance from across the room; smaller when that is what it takes to show a long
    // message whole.
    QFont font = FrameLabel6->font();
    for (int size = kMessagePointSize; size >= kSmallestMessagePointSize; --size) {
        font.setPointSize(size);
        const QRect needed = QFontMetrics(font).boundingRect(
            FrameLabel6->contentsRect(), Qt::AlignCenter | Qt::TextWordWrap, message);
        if (needed.height() <= FrameLabel6->contentsRect().height())
            break;
    }
    FrameLabel6->setFont(font);
}

QString Vexlo::storedMessage() const
{
    const QString message = platform_.store.get(timerkeys::kMessage);
    return message.isEmpty() ? tr(timerkeys::kDefaultMessage) : message;
}

QString Vexlo::optionsTitle() const
{
    // The title the user last typed, saved or not.
    return FrameOptionsTitle->text();
}
