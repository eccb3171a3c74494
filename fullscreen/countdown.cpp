// FullScreenVexlo's counting: setting the time, start and stop, the tick, the time-is-up panel,
// the timing modes, and saving, retrieving and clearing a time.

#include "fullscreenvexlo.h"

#include "clock.h"
#include "countdowntexts.h"
#include "digitdisplay.h"
#include "fullscreenkeys.h"
#include "notimeselected.h"
#include "settingsstore.h"
#include "soundplayer.h"
#include "timeupnotice.h"
#include "twips.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

// ---- Setting the time ----

void FullScreenVexlo::setTimeChanged(ScrollBarMoved moved)
{
    const bool timeSet = setTimeFromScrollBars(
        engine_, *DigitDisplay,
        {state_.LabelScrollMinutes, state_.LabelRemainingMinutes, state_.LabelRemainingSeconds},
        HScroll1->value(), HScroll2->value(), moved);
    // Start is offered, with its separator, only once there is a time to count.
    for (QAction* item : {menustart, sep1})
        item->setVisible(timeSet);
}

void FullScreenVexlo::HScroll1Change()
{
    setTimeChanged(ScrollBarMoved::Minutes);
}

void FullScreenVexlo::HScroll2Change()
{
    setTimeChanged(ScrollBarMoved::Seconds);
}

void FullScreenVexlo::displayTimeRemaining(qint64 seconds)
{
    const durations::Parts parts = durations::split(seconds);
    DigitDisplay->setTime(parts);
    state_.LabelTimeRemaining = durations::clockText(parts);
    state_.LabelRemainingMinutes = QString::number(fullscreen::totalMinutes(parts));
    state_.LabelRemainingSeconds = QString::number(parts.seconds);
}

// ---- Start and stop ----

void FullScreenVexlo::menustartClick()
{
    if (engine_.duration() == 0 || state_.LabelTimeRemaining == u"0:00:00") {
        noTimeSelected_->open();
        return;
    }

    if (!Timer1->isActive()) {
        engine_.start(platform_.clock.now());
        Timer1->start();
        showScrollBars(false);
        showTimeItems(false);
        menustart->setText(tr("Stop Full Screen Vexlo"));
        LabelStartClear->hide();
        // The keys that open the menu still reach the window with the scroll bars gone.
        setFocus();
    } else {
        engine_.stop();
        Timer1->stop();
        showTimeItems(true);
        menustart->setText(tr("Start Full Screen Vexlo"));
        LabelStartClear->show();
    }
}

void FullScreenVexlo::showScrollBars(bool shown)
{
    for (QWidget* control :
         {static_cast<QWidget*>(HScroll1), static_cast<QWidget*>(HScroll2),
          static_cast<QWidget*>(LabelUseScrollBar1), static_cast<QWidget*>(LabelUseScrollBar2)})
        control->setVisible(shown);
}

void FullScreenVexlo::showTimeItems(bool shown)
{
    for (QAction* action : {menuClear, menuSave, menuRetrieve, sep2})
        action->setVisible(shown);
}

// ---- The tick ----

void FullScreenVexlo::Timer1Tick()
{
    if (!engine_.moment().isValid()) {
        Timer1->stop();
        return;
    }
    const QDateTime now = platform_.clock.utcNow();
    // Next just after the count changes, rather than every 450 ms: each second's digits change
    // in one pass, and the window sleeps in between.
    if (Timer1->isActive())
        Timer1->start(platform_.clock.msecsToNextSecond());
    const TimerEngine::Tick tick = engine_.tick(now);
    if (tick.count > 0 && tick.count <= SoundPlayer::kPrepareAheadSeconds)
        platform_.sound.prepare(platform_.store.get(fullscreenkeys::kSound));
    if (tick.timeUp)
        timeIsUp(tick.count);
    else
        displayTimeRemaining(tick.count);
    recentre();
}

void FullScreenVexlo::timeIsUp(qint64 remaining)
{
    const QDateTime due = engine_.moment();
    // Read again: a sound chosen since the start, here or in another copy, is the one to play.
    state_.LabelSound3 = platform_.store.get(fullscreenkeys::kSound);
    displayTimeRemaining(remaining);
    platform_.sound.play(state_.LabelSound3);
    Timer1->stop();
    menuAcknowledge->setVisible(true);
    sep1->setVisible(true);
    menustart->setText(tr("Start Full Screen Vexlo"));
    menustart->setVisible(false);
    engine_.setDuration(0);
    state_.LabelTimeRemaining = fullscreen::kNothingShown;
    HScroll1->setValue(0);
    HScroll2->setValue(0);

    // The blink starts lit, whatever the last alarm left it at.
    Frame3->show();
    Frame2->show();
    butAcknowledge->setFocus();
    DigitDisplay->alert();
    Timer2->start();
    timeupnotice::bringUp(platform_, this, LabelMessage->text(), due);
}

void FullScreenVexlo::recentre()
{
    // Below ten hours the tens of hours show the blank.
    const bool blank = DigitDisplay->time().hours < 10;
    Frame1->move(twips(fullscreen::frame1Left(layout_, screenWidth(), blank)), Frame1->y());
    LabelStartClear->move(twips(fullscreen::startClearLeft(layout_, blank)), LabelStartClear->y());
}

void FullScreenVexlo::Timer2Tick()
{
    Frame3->setVisible(Frame3->isHidden());
}

void FullScreenVexlo::menuAcknowledgeClick()
{
    menustart->setVisible(true);
    sep1->setVisible(true);
    showTimeItems(true);
    showScrollBars(true);
    menuAcknowledge->setVisible(false);
    Frame2->hide();
    Timer2->stop();
    HScroll1->setFocus();
}

void FullScreenVexlo::butAcknowledgeClick()
{
    menuAcknowledgeClick();
}

// ---- Saving, retrieving and clearing a time ----

void FullScreenVexlo::menuSaveClick()
{
    const bool saved = platform_.store.saveAll(
        {{fullscreenkeys::kMinutes, fullscreen::numberOrZero(state_.LabelRemainingMinutes)},
         {fullscreenkeys::kSeconds, fullscreen::numberOrZero(state_.LabelRemainingSeconds)}});
    if (saved)
        menuRetrieve->setEnabled(true);
    else
        reportUnsaved(tr("This time"));
}

void FullScreenVexlo::menuRetrieveClick()
{
    HScroll1->setValue(0);
    HScroll2->setValue(0);
    engine_.setDuration(0);
    // The next Start is a fresh run of the time retrieved.
    engine_.clear(0);
    DigitDisplay->setTime({});
    const SettingsStore& store = platform_.store;
    HScroll1->setValue(durations::storedWholeNumber(store.get(fullscreenkeys::kMinutes), 0,
                                                    fullscreen::kMaxMinutes));
    HScroll2->setValue(durations::storedWholeNumber(store.get(fullscreenkeys::kSeconds), 0,
                                                    fullscreen::kMaxSeconds));
}

void FullScreenVexlo::menuClearClick()
{
    HScroll1->setValue(0);
    HScroll2->setValue(0);
    engine_.setDuration(0);
    engine_.clear();
    DigitDisplay->setTime({});
    state_.LabelTimeRemaining = fullscreen::kNothingShown;
    Frame1->move(twips(fullscreen::centredLeft(screenWidth(), layout_.Frame1.width())),
                 Frame1->y());
    LabelStartClear->hide();
    showScrollBars(true);
    HScroll1->setFocus();
}

// ---- Timing modes ----

void FullScreenVexlo::markTimingMode(bool normal)
{
    engine_.setMode(normal ? TimerEngine::Mode::Normal : TimerEngine::Mode::StopWatch);
    menuTimingMode1->setChecked(normal);
    menuTimingMode2->setChecked(!normal);
}

void FullScreenVexlo::selectTimingMode(bool normal)
{
    if (normal != normalMode() &&
        !platform_.store.save(fullscreenkeys::kTimingMode, normal ? fullscreenkeys::kNormalMode
                                                                  : fullscreenkeys::kStopwatchMode))
        reportUnsaved(tr("The timing mode"));
    // A click on the checked item has unchecked it; it stays checked.
    markTimingMode(normal);
}

void FullScreenVexlo::menuTimingMode1Click()
{
    selectTimingMode(true);
}

void FullScreenVexlo::menuTimingMode2Click()
{
    selectTimingMode(false);
}
