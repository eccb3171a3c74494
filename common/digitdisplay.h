#pragma once

#include "durationtext.h"
#include "imagelist.h"

#include <QFrame>
#include <QRect>
#include <QString>

#include <array>
#include <initializer_list>
#include <span>
#include <vector>

class TimerEngine;

// A timer's digits: the picture boxes that show hours, minutes and seconds, where each stands,
// and the look of each group of them. setTime() shows a time in one call and repaints only the
// pictures that change.
//
// To a screen reader it is one element, not a row of pictures: its name is the time the pictures
// show, and what it was named ("Time remaining") is read as its description. It tells assistive
// technology when the minute shown changes, not at every second, and alert() tells it that the time
// is up.
class DigitDisplay final : public QFrame {
    Q_OBJECT

public:
    // What a picture box shows; the hourglass is Vexlo's fixed picture, no glyph of a list.
    enum class Shows {
        HoursTens,
        HoursOnes,
        MinutesTens,
        MinutesOnes,
        SecondsTens,
        SecondsOnes,
        Separator,
        Blank,
        Hourglass
    };

    // One picture box: its control name ("Image1"), what it shows, the look it is drawn in (a
    // number into the display's looks) and its place in the display, in twips.
    struct Box {
        const char* name;
        Shows shows;
        int look;
        QRect place;
    };

    // The row of the small windows, Vexlo's and Pellum's: hours, colon, minutes, colon and seconds
    // at the same places, 750 twips high, and Image9 from `image9Left` to the row's end. Hours and
    // minutes take the first look, the seconds and the colon before them the second.
    struct SmallRow {
        int digitWidth, separatorWidth, image9Left, rowWidth;
        Shows image9;
    };
    static std::array<Box, 9> smallRow(const SmallRow& row);

    DigitDisplay(QWidget* parent, std::span<const Box> boxes,
                 std::initializer_list<DigitLook> looks);

    // Shows `time`: hours without a leading zero, minutes and seconds with one.
    void setTime(const durations::Parts& time);
    const durations::Parts& time() const { return time_; }

    // New places for the boxes, in twips and in the order they were given. The display grows or
    // shrinks to hold them, as it does when it is made.
    void place(std::span<const QRect> places);

    // The time the pictures show, as it reads: "0:04:59", a blank place read as nothing.
    QString shownTime() const { return durations::clockText(time_); }

    // The time is up: said once the digits have settled.
    void alert();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Shown {
        PictureBox* box;
        Shows shows;
        const ImageList* list;
    };

    void fitBoxes();
    void pictureChanged();
    void settle();
    void keepEveryPicture();

    std::vector<ImageList> looks_; // never resized: the boxes hold their list by address
    std::vector<Shown> boxes_;
    durations::Parts time_;
    QString toldMinute_; // the time shown up to its minutes, when last told
    bool settling_ = false;
    bool alertPending_ = false;
    bool picturesKept_ = false;
};

// The hidden fields a countdown keeps the time of its two scroll bars in, as decimal text.
struct ScrollTimeFields {
    QString& scrollMinutes;    // the minutes bar's value
    QString& remainingMinutes; // what "Save this time" stores
    QString& remainingSeconds;
};

enum class ScrollBarMoved { Minutes, Seconds };

// The time set on the minutes and seconds bars (HScroll1, HScroll2) of Vexlo and FullScreenVexlo:
// the engine's duration, the fields' texts, and the part of the digits the moved bar changes. The
// minutes bar sets the hours and minutes and keeps the seconds shown; the seconds bar sets only the
// seconds. Returns whether any time is set, which is when a count can start.
bool setTimeFromScrollBars(TimerEngine& engine, DigitDisplay& digits, ScrollTimeFields fields,
                           int minutes, int seconds, ScrollBarMoved moved);
