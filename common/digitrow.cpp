#include "digitrow.h"

#include "accessibility.h"
#include "digitpairs.h"
#include "imagelist.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <algorithm>

namespace {

// What one digit picture reads as; the blank and pictures of their own read as nothing.
QString spokenPicture(int index)
{
    if (index == digits::kZero)
        return QStringLiteral("0");
    if (index == digits::kSeparator)
        return QStringLiteral(":");
    if (index >= 1 && index <= 9)
        return QString::number(index);
    return {};
}

// "0:04:59" up to its minutes, "0:04".
QString minuteOf(const QString& time)
{
    const qsizetype lastSeparator = time.lastIndexOf(u':');
    return lastSeparator < 0 ? time : time.left(lastSeparator);
}

// The row as one element: its pictures are not offered one by one.
class DigitRowInterface final : public QAccessibleWidget {
public:
    explicit DigitRowInterface(DigitRow* row) : QAccessibleWidget(row, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* row = static_cast<const DigitRow*>(widget());
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
class RowPictureInterface final : public QAccessibleWidget {
public:
    explicit RowPictureInterface(QWidget* picture)
        : QAccessibleWidget(picture, QAccessible::Graphic)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const DigitRow*>(widget()->parentWidget())->shownTime();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* digitRowInterfaces(const QString& className, QObject* object)
{
    if (className == QLatin1String("DigitRow"))
        return new DigitRowInterface(static_cast<DigitRow*>(object));
    if (className == QLatin1String("PictureBox")) {
        auto* picture = static_cast<QWidget*>(object);
        if (qobject_cast<DigitRow*>(picture->parentWidget()))
            return new RowPictureInterface(picture);
    }
    return nullptr;
}

} // namespace

DigitRow::DigitRow(QWidget* parent) : QFrame(parent)
{
    // Qt keeps one list of factories for the process and adds each one once.
    QAccessible::installFactory(digitRowInterfaces);
}

QString DigitRow::shownTime() const
{
    QList<const PictureBox*> pictures;
    for (const QObject* child : children()) {
        const auto* picture = qobject_cast<const PictureBox*>(child);
        if (picture && picture->list())
            pictures.append(picture);
    }
    std::stable_sort(pictures.begin(), pictures.end(),
                     [](const PictureBox* a, const PictureBox* b) { return a->x() < b->x(); });
    QString time;
    for (const PictureBox* picture : pictures)
        time += spokenPicture(picture->index());
    return time;
}

void DigitRow::alert()
{
    alertPending_ = true;
    pictureChanged();
}

void DigitRow::pictureChanged()
{
    // A new time arrives a picture at a time; it is told once all of them are in.
    if (settling_)
        return;
    settling_ = true;
    QMetaObject::invokeMethod(this, &DigitRow::settle, Qt::QueuedConnection);
}

void DigitRow::settle()
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
