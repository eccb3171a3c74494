#include "digitdisplay.h"

#include "accessibility.h"
#include "digitpairs.h"
#include "named.h"
#include "timerengine.h"
#include "twips.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>

namespace {

// "0:04:59" up to its minutes, "0:04".
QString minuteOf(const QString& time)
{
    const qsizetype lastSeparator = time.lastIndexOf(u':');
    return lastSeparator < 0 ? time : time.left(lastSeparator);
}

// The row as one element: its pictures are not offered one by one.
class RowInterface final : public QAccessibleWidget {
public:
    explicit RowInterface(DigitDisplay* row) : QAccessibleWidget(row, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* row = static_cast<const DigitDisplay*>(widget());
        if (t == QAccessible::Name)
            return row->shownTime();
        if (t == QAccessible::Description) {
            if (!row->accessibleDescription().isEmpty())
                return row->accessibleDescription();
            if (!row->accessibleName().isEmpty())
                return row->accessibleName();
        }
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
};

// A picture of the row, should anything ask for it alone, reads as the whole time.
class PictureInterface final : public QAccessibleWidget {
public:
    explicit PictureInterface(QWidget* picture) : QAccessibleWidget(picture, QAccessible::Graphic)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const DigitDisplay*>(widget()->parentWidget())->shownTime();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* digitRowInterfaces(const QString& className, QObject* object)
{
    if (className == QLatin1String("DigitDisplay"))
        return new RowInterface(static_cast<DigitDisplay*>(object));
    if (className == QLatin1String("PictureBox")) {
        auto* picture = static_cast<QWidget*>(object);
        if (qobject_cast<DigitDisplay*>(picture->parentWidget()))
            return new PictureInterface(picture);
    }
    return nullptr;
}

} // namespace

std::array<DigitDisplay::Box, 9> DigitDisplay::smallRow(const SmallRow& row)
{
    constexpr int kHeight = 750;
    const auto box = [&row](const char* name, Shows shows, int look, int left) {
        const int width = shows == Shows::Separator ? row.separatorWidth : row.digitWidth;
        return Box{name, shows, look, QRect(left, 0, width, kHeight)};
    };
    return {box("Image1", Shows::HoursTens, 0, 0),
            box("Image2", Shows::HoursOnes, 0, 480),
            box("Image7", Shows::Separator, 0, 830),
            box("Image3", Shows::MinutesTens, 0, 1160),
            box("Image4", Shows::MinutesOnes, 0, 1640),
            box("Image8", Shows::Separator, 1, 2000),
            box("Image5", Shows::SecondsTens, 1, 2330),
            box("Image6", Shows::SecondsOnes, 1, 2810),
            Box{"Image9", row.image9, 0,
                QRect(row.image9Left, 0, row.rowWidth - row.image9Left, kHeight)}};
}

DigitDisplay::DigitDisplay(QWidget* parent, std::span<const Box> boxes,
                           std::initializer_list<DigitLook> looks)
    : QFrame(parent), looks_(looks.begin(), looks.end())
{
    // Qt keeps one list of factories for the process and adds each one once.
    QAccessible::installFactory(digitRowInterfaces);
    for (const Box& b : boxes) {
        const QString name = QString::fromLatin1(b.name);
        auto* box = named(new PictureBox(this), name);
        box->setAccessibleName(name);
        box->setGeometry(twipsRect(b.place.x(), b.place.y(), b.place.width(), b.place.height()));
        const bool ownPicture = b.shows == Shows::Hourglass;
        boxes_.push_back({box, b.shows, ownPicture ? nullptr : &looks_.at(b.look)});
        if (ownPicture)
            box->setPicture(paintImage9);
        else if (b.shows == Shows::Separator || b.shows == Shows::Blank)
            box->setPicture(*boxes_.back().list,
                            b.shows == Shows::Separator ? digits::kSeparator : digits::kBlank);
    }
    fitBoxes();
    setTime({});
}

void DigitDisplay::setTime(const durations::Parts& time)
{
    time_ = time;
    const digits::Pair pairs[] = {digits::hoursPair(time.hours), digits::paddedPair(time.minutes),
                                  digits::paddedPair(time.seconds)};
    bool changed = false;
    for (const Shown& shown : boxes_) {
        const auto place = static_cast<size_t>(shown.shows);
        if (place > static_cast<size_t>(Shows::SecondsOnes))
            continue;
        const digits::Pair& pair = pairs[place / 2];
        const int picture = place % 2 == 0 ? pair.tens : pair.ones;
        // A box that keeps its picture is not painted again.
        changed |= shown.box->index() != picture;
        shown.box->setPicture(*shown.list, picture);
    }
    if (changed)
        pictureChanged();
}

void DigitDisplay::place(std::span<const QRect> places)
{
    for (size_t i = 0; i < boxes_.size() && i < places.size(); ++i) {
        const QRect& p = places[i];
        boxes_[i].box->setGeometry(twipsRect(p.x(), p.y(), p.width(), p.height()));
    }
    fitBoxes();
}

void DigitDisplay::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    // Once the first frame is on the screen, every digit a box may show is drawn and kept while
    // the program is idle, rather than each in the tick that first shows it.
    if (!picturesKept_) {
        picturesKept_ = true;
        QTimer::singleShot(0, this, &DigitDisplay::keepEveryPicture);
    }
}

void DigitDisplay::keepEveryPicture()
{
    for (const Shown& shown : boxes_) {
        if (static_cast<size_t>(shown.shows) > static_cast<size_t>(Shows::SecondsOnes))
            continue;
        for (int picture = 1; picture <= digits::kPictureCount; ++picture) {
            if (picture != digits::kSeparator && ImageList::drawsAnything(picture))
                shown.list->keptPicture(picture, shown.box->size(), devicePixelRatioF());
        }
    }
}

void DigitDisplay::fitBoxes()
{
    // From the display's corner, so that the boxes keep their places in the display's parent.
    QRect all;
    for (const Shown& shown : boxes_)
        all |= shown.box->geometry();
    resize(all.right() + 1, all.bottom() + 1);
}

void DigitDisplay::alert()
{
    alertPending_ = true;
    pictureChanged();
}

void DigitDisplay::pictureChanged()
{
    // Changes made in one event (both scroll bars set back) are told once, after it.
    if (settling_)
        return;
    settling_ = true;
    QMetaObject::invokeMethod(this, &DigitDisplay::settle, Qt::QueuedConnection);
}

void DigitDisplay::settle()
{
    settling_ = false;
    const QString minute = minuteOf(shownTime());
    if (minute != toldMinute_) {
        toldMinute_ = minute;
        QAccessibleEvent event(this, QAccessible::NameChanged);
        accessibility::send(event);
    }
    if (alertPending_) {
        alertPending_ = false;
        QAccessibleEvent event(this, QAccessible::Alert);
        accessibility::send(event);
    }
}

bool setTimeFromScrollBars(TimerEngine& engine, DigitDisplay& digits, ScrollTimeFields fields,
                           int minutes, int seconds, ScrollBarMoved moved)
{
    engine.setDuration(minutes * 60 + seconds);
    fields.scrollMinutes = fields.remainingMinutes = QString::number(minutes);
    fields.remainingSeconds = QString::number(seconds);
    const durations::Parts shown = digits.time();
    if (moved == ScrollBarMoved::Minutes)
        digits.setTime({engine.duration() / 3600, minutes % 60, shown.seconds});
    else
        digits.setTime({shown.hours, shown.minutes, seconds});
    return minutes != 0 || seconds != 0;
}
