#pragma once

#include <QFrame>
#include <QString>

// The strip that holds a timer's digit pictures (PictureBox children). To a screen reader it is
// one element, not a row of pictures: its name is the time the pictures show ("0:04:59", hours
// without a leading zero, a blank place read as nothing), and what it was named ("Time
// remaining") is read as its description. It tells assistive technology when the minute shown
// changes, not at every second, and alert() tells it that the time is up.
class DigitRow final : public QFrame {
    Q_OBJECT

public:
    explicit DigitRow(QWidget* parent = nullptr);

    // The time the pictures show, read from left to right.
    QString shownTime() const;

    // The time is up: said once the digits have settled.
    void alert();

    // A picture box of the row has a new picture.
    void pictureChanged();

private:
    void settle();

    QString toldMinute_; // the time shown up to its minutes, when last told
    bool settling_ = false;
    bool alertPending_ = false;
};
