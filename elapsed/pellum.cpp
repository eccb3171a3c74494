#include "pellum.h"

#include "pellumkeys.h"
#include "settingsstore.h"
#include "twips.h"
#include "widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The digit row. Each glyph is narrower than the distance to the next picture box, so the boxes
// never overlap; the blank Image9 ends at the panel's edge.
constexpr DigitDisplay::SmallRow kDigitRow{330, 330, 3250, 3430 - kBorderAllowanceTwips,
                                           DigitDisplay::Shows::Blank};

TimerProgram pellumProgram()
{
    using namespace pellumkeys;
    return {
        .name = QStringLiteral("Pellum"),
        .version = Pellum::tr("Pellum 8.01"),
        .timerPanel = QStringLiteral("FramePellumFrame1"),
        .aboutText =
            Pellum::tr("The timer that counts up, in hours, minutes and seconds since Start."),
        .digitsName = Pellum::tr("Time elapsed"),
        .digitRow = kDigitRow,
        .tick = std::chrono::milliseconds(450),
        .newTimerCaption = Pellum::tr("Open A New Timer"),
        .pathError = Pellum::tr("There was a problem running the program's path. Pellum Error # "
                                "10. Notify Orvane to correct this error!"),
        .newTimerError =
            Pellum::tr("There was a problem. Error Handler 13. Notify Orvane about this error!"),
        .notepad = twipsRect(100, 1400, 3100, 1000),
        .titleCaption = twipsRect(150, 420, 2900, 255),
        .titleBox = twipsRect(150, 720, 3000, 330),
        .reportsUnkeptPlace = true,
        // Topics of the help file; About shares the topic of the options and About.
        .programHelpTopic = 202,
        .optionsHelpTopic = 213,
        .aboutHelpTopic = 200,
        .corrugatedFile = kCorrugatedFile,
        .firstPosition = kFirstPosition,
    };
}

} // namespace

Pellum::Pellum(const Platform& platform, const ShellPlatform& shell, QWidget* parent)
    : TimerWindow(platform, shell, pellumProgram(), TimerEngine::Direction::Up, parent)
{
    buildTimerPanel();
    menuclear =
        menuEntry(QStringLiteral("menuclear"), tr("Clear this time"), &Pellum::menuclearClick);
    // The Default look leaves the options panel its picture, so the title caption keeps the
    // colour it reads in there.
    finishBuilding(SkinLook{}, {menuclear});
    startUp();
}

SkinLook Pellum::buildOptionsParts()
{
    // Enter in the title box saves, as the Save button would.
    connect(FrameOptionsTitle, &QLineEdit::returnPressed, this, &Pellum::butOptionsSaveClick);
    return {};
}

void Pellum::buildTimerPanel()
{
    connect(startButton_, &QPushButton::clicked, this, &Pellum::ButPellumStartClick);
    connect(stopButton_, &QPushButton::clicked, this, &Pellum::ButPellumStopClick);
    FrameLabel1 = panelLabel(timerPanel_, QStringLiteral("FrameLabel1"),
                             tr("Start the Pellum timer or use the Action button!"),
                             twipsRect(750, 1700, 2100, 500));
    FrameLabel1->setAlignment(Qt::AlignCenter);
    darkGround(FrameLabel1);
}

void Pellum::startUp()
{
    (void)startFromStore(pellumkeys::firstRunKeys(platform_.programFolder));
    drawCleared();
    // Ready for the keyboard: Space starts the count.
    startButton_->setFocus();
}

SkinFields Pellum::mended(SkinFields fields)
{
    // Old installations stored their white with a comment after it.
    if (fields.LabelColor1 == pellumkeys::kCommentedWhite) {
        fields.LabelColor1 = pellumkeys::kWhite;
        if (!platform_.store.save(pellumkeys::kWindow.foreColor1, pellumkeys::kWhite))
            showStoreRefused(tr("The repaired colour"));
    }
    return fields;
}

// ---- The count ----

void Pellum::displayTimeElapsed(qint64 seconds)
{
    const durations::Parts parts = elapsed::shownParts(seconds);
    DigitDisplay->setTime(parts);
    state_.LabelTotalTimeRemaining1 = durations::clockText(parts);
}

void Pellum::drawCleared()
{
    // Only the digits: the text of the last count stays for the title until the next tick.
    DigitDisplay->setTime({});
}

void Pellum::Timer1Tick()
{
    if (const std::optional<TimerEngine::Tick> tick = takeTick()) {
        displayTimeElapsed(tick->count);
        showCountInTitle(state_.LabelTotalTimeRemaining1);
    }
}

void Pellum::ButPellumStartClick()
{
    setRunning(true, FrameLabel1);
    showClear(false);
}

void Pellum::ButPellumStopClick()
{
    setRunning(false, FrameLabel1);
    showClear(true);
}

void Pellum::showClear(bool shown)
{
    // Clear is for a stopped count only.
    menuclear->setVisible(shown);
    separators_[1]->setVisible(shown);
}

void Pellum::menuclearClick()
{
    engine_.clear();
    drawCleared();
}

void Pellum::focusAfterPanel()
{
    // Ready for the keyboard where the count is started and stopped.
    (startButton_->isHidden() ? stopButton_ : startButton_)->setFocus();
}
