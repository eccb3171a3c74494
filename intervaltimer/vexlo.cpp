#include "vexlo.h"

#include "accessibility.h"
#include "desktopshell.h"
#include "digitdisplay.h"
#include "settingsstore.h"
#include "skins.h"
#include "soundplayer.h"
#include "timerkeys.h"
#include "timertexts.h"
#include "timeupnotice.h"
#include "twips.h"
#include "widgets.h"

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using intervaltimer::kMaxMinutes;
using intervaltimer::kMaxSeconds;

namespace {

// The digit display. A glyph takes less than the distance to the next picture box, so the
// boxes are only as wide as the glyphs and never overlap; the last one ends at the panel's edge.
constexpr DigitDisplay::SmallRow kDigitRow{300, 330, 3100, 3430 - kBorderAllowanceTwips,
                                           DigitDisplay::Shows::Hourglass};

constexpr int kMessagePointSize = 11;
constexpr int kSmallestMessagePointSize = 6;

constexpr std::chrono::milliseconds kTickInterval(950);
constexpr int kFirstFlashInterval = 750;
constexpr int kMessageShownInterval = 1500;
constexpr int kMessageHiddenInterval = 300;

TimerProgram vexloProgram()
{
    using namespace timerkeys;
    return {
        .name = QStringLiteral("Vexlo"),
        .version = Vexlo::tr("Vexlo 8.02"),
        .timerPanel = QStringLiteral("FrameVexlo1"),
        .aboutText = Vexlo::tr(
            "The interval timer: set a time, start it, and Vexlo calls you when it is up."),
        .digitsName = Vexlo::tr("Time remaining"),
        .digitRow = kDigitRow,
        .tick = kTickInterval,
        .newTimerCaption = Vexlo::tr("Open a New Timer"),
        .pathError = Vexlo::tr("Vexlo Error #10. There was a problem running the program's path. "
                               "Vexlo can still run, but some of the program's files are either "
                               "missing or have been moved. Exit Vexlo and then re-install the "
                               "program to correct this error!"),
        .newTimerError =
            Vexlo::tr("There was a problem. Vexlo Error #13. Notify Orvane about this error!"),
        .notepad = twipsRect(50, 1400, 3230, 1000),
        .titleCaption = twipsRect(120, 130, 700, 255),
        .titleBox = twipsRect(850, 90, 2330, 330),
        .resolutionInBackground = true,
        .plainOptionsUnderDefault = true,
        .programHelpTopic = 201,
        .optionsHelpTopic = 200,
        .aboutHelpTopic = 201,
        .corrugatedFile = kCorrugatedFile,
        .firstPosition = kFirstPosition,
    };
}

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
    : TimerWindow(platform, shell, vexloProgram(), TimerEngine::Direction::Down, parent)
{
    buildTimerPanel();
    buildAlarmPanel();
    buildLook();
    startUp();
}

void Vexlo::buildTimerPanel()
{
    // Start shows once a time is set.
    startButton_->hide();
    connect(startButton_, &QPushButton::clicked, this, &Vexlo::StartStopTimer);
    connect(stopButton_, &QPushButton::clicked, this, &Vexlo::StartStopTimer);

    FrameLabel3 = panelLabel(timerPanel_, QStringLiteral("FrameLabel3"), tr("Set The Time Below!"),
                             twipsRect(240, 1020, 1695, 225));
    FrameLabel1 = panelLabel(timerPanel_, QStringLiteral("FrameLabel1"), tr("Hours + Minutes"),
                             twipsRect(125, 1500, 645, 405));
    HScroll1 = scrollBar(timerPanel_, QStringLiteral("HScroll1"), kMaxMinutes, 15, FrameLabel1,
                         twipsRect(825, 1605, 2400, 200));
    FrameLabel2 = panelLabel(timerPanel_, QStringLiteral("FrameLabel2"), tr("Seconds"),
                             twipsRect(125, 2070, 630, 195));
    HScroll2 = scrollBar(timerPanel_, QStringLiteral("HScroll2"), kMaxSeconds, 5, FrameLabel2,
                         twipsRect(825, 2070, 2400, 200));
    connect(HScroll1, &QScrollBar::valueChanged, this, &Vexlo::HScroll1Change);
    connect(HScroll2, &QScrollBar::valueChanged, this, &Vexlo::HScroll2Change);

    FrameLabel4 = panelLabel(timerPanel_, QStringLiteral("FrameLabel4"),
                             tr("Stop the Vexlo timer or use the Action button!"),
                             twipsRect(600, 1600, 2450, 500));
    FrameLabel4->hide();

    tabOrder({HScroll1, HScroll2, startButton_});
}

void Vexlo::buildAlarmPanel()
{
    FrameVexlo2 = named(new SkinPanel(this), QStringLiteral("FrameVexlo2"));
    FrameVexlo2->setGeometry(rect());
    FrameVexlo2->setAccessibleName(tr("Time Is Up!"));
    FrameVexlo2->hide();

    FrameLabel6 = panelLabel(FrameVexlo2, QStringLiteral("FrameLabel6"), QString(),
                             twipsRect(105, 105, 3195, 1650));
    FrameLabel6->setAlignment(Qt::AlignCenter);
    boldFont(FrameLabel6, kMessagePointSize);

    ButVexloAcknowlegde = panelButton(FrameVexlo2, QStringLiteral("ButVexloAcknowlegde"), tr("OK"),
                                      tr("Continue"), twipsRect(1250, 1850, 1000, 500));
    connect(ButVexloAcknowlegde, &QPushButton::clicked, this, &Vexlo::ButVexloAcknowlegdeClick);

    Timer2 = named(new QTimer(this), QStringLiteral("Timer2"));
    Timer2->setInterval(kFirstFlashInterval);
    connect(Timer2, &QTimer::timeout, this, &Vexlo::Timer2Tick);
}

void Vexlo::buildLook()
{
    // The Default look: red captions and message, black hints.
    SkinLook look;
    look.panels = {FrameVexlo2};
    look.plainUnderDefault = {FrameVexlo2};
    look.colour1 = {FrameLabel1, FrameLabel2};
    look.colour2 = {FrameLabel3, FrameLabel4, FrameLabel6};
    for (QWidget* caption : {FrameLabel1, FrameLabel2, FrameLabel6})
        look.defaultColours.append({caption, colourOf(255)});
    for (QWidget* hint : {FrameLabel3, FrameLabel4})
        look.defaultColours.append({hint, colourOf(0)});

    menuRetrieve = menuEntry(QStringLiteral("menuRetrieve"), tr("Retrieve the saved time"),
                             &Vexlo::menuRetrieveClick);
    menuClear =
        menuEntry(QStringLiteral("menuClear"), tr("Clear this time"), &Vexlo::menuClearClick);
    menuSave = menuEntry(QStringLiteral("menuSave"), tr("Save this time"), &Vexlo::menuSaveClick);
    finishBuilding(look, {menuRetrieve, menuClear, menuSave});
}

void Vexlo::startUp()
{
    using namespace timerkeys;
    const FirstRun start = startFromStore(firstRunKeys(platform_.programFolder));
    state_.LabelSound1 = start.value(kSound);
    const QString message = start.value(kMessage);
    showMessage(message.isEmpty() ? tr(kDefaultMessage) : message);
    DigitDisplay->setTime({});
    enableRetrieve();
    // Ready for the keyboard: the arrow keys set the minutes at once.
    HScroll1->setFocus();
}

void Vexlo::setTimeChanged(ScrollBarMoved moved)
{
    const bool noTime = !setTimeFromScrollBars(
        engine_, *DigitDisplay,
        {state_.LabelScrollMinutes1, state_.LabelRemainingMinutes, state_.LabelRemainingSeconds},
        HScroll1->value(), HScroll2->value(), moved);
    startButton_->setVisible(!noTime);
    FrameLabel3->setVisible(noTime);
}

void Vexlo::HScroll1Change()
{
    setTimeChanged(ScrollBarMoved::Minutes);
    state_.LabelCheckMinutes = QString::number(HScroll1->value() % 60);
    state_.LabelCheckHours = QString::number(engine_.duration() / 3600);
}

void Vexlo::HScroll2Change()
{
    setTimeChanged(ScrollBarMoved::Seconds);
    state_.LabelCheckSeconds = QString::number(HScroll2->value());
}

void Vexlo::StartStopTimer()
{
    if (HScroll1->value() == 0 && HScroll2->value() == 0)
        return;

    const bool starting = !startButton_->isHidden();
    setRunning(starting, FrameLabel4);
    FrameLabel4->show();
    showTimeItems(!starting);
    if (starting)
        showScrollBars(false);
    else
        enableRetrieve();
}

void Vexlo::Timer1Tick()
{
    const std::optional<TimerEngine::Tick> tick = takeTick();
    if (!tick)
        return;
    if (tick->timeUp) {
        timeIsUp(tick->count);
        return;
    }
    if (tick->count > 0 && tick->count <= SoundPlayer::kPrepareAheadSeconds)
        platform_.sound.prepare(platform_.store.get(timerkeys::kSound));
    state_.LabelTotalTimeRemaining1 = showTimeRemaining(tick->count);
    showCountInTitle(state_.LabelTimeRemaining1);
}

void Vexlo::timeIsUp(qint64 remaining)
{
    const QDateTime due = engine_.moment();
    // Read again: another Vexlo may have chosen a new sound or message since this one started.
    state_.LabelSound1 = platform_.store.get(timerkeys::kSound);
    showTimeRemaining(remaining);
    state_.LabelTotalTimeRemaining1 = tr("Time Is Up!");
    platform_.sound.play(state_.LabelSound1);

    Timer1->stop();
    engine_.setDuration(0);
    HScroll1->setValue(0);
    HScroll2->setValue(0);

    // The title the user last typed, saved or not.
    setWindowTitle(typedTitle());
    FrameLabel6->show();
    timerPanel_->hide();
    FrameVexlo2->show();
    showMessage(storedMessage());
    // Over the options or About panel, should one be open.
    FrameVexlo2->raise();
    Timer2->start();
    ButVexloAcknowlegde->setFocus();
    DigitDisplay->alert();
    timeupnotice::bringUp(platform_, this, storedMessage(), due);
}

QString Vexlo::showTimeRemaining(qint64 seconds)
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
    const bool wasShown = !FrameLabel6->isHidden();
    FrameLabel6->setVisible(!wasShown);
    Timer2->setInterval(wasShown ? kMessageHiddenInterval : kMessageShownInterval);
    showMessage(storedMessage());
}

void Vexlo::ButVexloAcknowlegdeClick()
{
    timerPanel_->show();
    showScrollBars(true);
    FrameVexlo2->hide();
    Timer2->stop();
    FrameLabel3->show();
    desktopShell().hideNotepad();
    stopButton_->hide();
    // The alarm ended a run: the time items come back as they do when the timer is stopped.
    showTimeItems(true);
    // A panel opened before the alarm is in front again: the keyboard goes to it, not to the
    // scroll bars behind it, where arrow keys would set a time unseen.
    if (FrameOptions && !FrameOptions->isHidden())
        FrameOptionsTitle->setFocus();
    else if (FrameAbout && !FrameAbout->isHidden())
        FrameAbout->findChild<QPushButton*>(QStringLiteral("ButAboutOKr"))->setFocus();
    else
        HScroll1->setFocus();
    enableRetrieve();
}

void Vexlo::showScrollBars(bool shown)
{
    for (QWidget* part : QWidgetList{HScroll1, HScroll2, FrameLabel1, FrameLabel2})
        part->setVisible(shown);
    // The status line stands where the bars are; it would show through between them.
    if (shown)
        FrameLabel4->hide();
}

void Vexlo::showTimeItems(bool shown)
{
    for (QAction* item : {separators_[0], menuRetrieve, menuClear, menuSave})
        item->setVisible(shown);
}

void Vexlo::enableRetrieve()
{
    menuRetrieve->setEnabled(!platform_.store.get(timerkeys::kSavedMinutes).isEmpty());
}

void Vexlo::menuSaveClick()
{
    if (!platform_.store.saveAll({{timerkeys::kSavedMinutes, state_.LabelRemainingMinutes},
                                  {timerkeys::kSavedSeconds, state_.LabelRemainingSeconds}}))
        showStoreRefused(tr("This time"));
    enableRetrieve();
}

void Vexlo::clearTime()
{
    HScroll1->setValue(0);
    HScroll2->setValue(0);
    engine_.setDuration(0);
    engine_.clear();
    DigitDisplay->setTime({});
    showScrollBars(true);
    desktopShell().hideNotepad();
}

void Vexlo::menuClearClick()
{
    clearTime();
    HScroll1->setFocus();
}

void Vexlo::menuRetrieveClick()
{
    clearTime();
    HScroll1->setValue(durations::storedWholeNumber(platform_.store.get(timerkeys::kSavedMinutes),
                                                    0, kMaxMinutes));
    HScroll2->setValue(durations::storedWholeNumber(platform_.store.get(timerkeys::kSavedSeconds),
                                                    0, kMaxSeconds));
    startButton_->setFocus();
}

void Vexlo::showMessage(const QString& message)
{
    if (FrameLabel6->text() != message) {
        FrameLabel6->setText(message);
        accessibility::captionChanged(FrameLabel6);
        messageFitted_ = false;
    }
    // Fitted once it is seen: loading the large bold font took a start longer than building the
    // rest of its window.
    if (messageFitted_ || FrameVexlo2->isHidden())
        return;
    messageFitted_ = true;
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
