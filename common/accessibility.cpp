#include "accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTextDocument>

#include <algorithm>

namespace accessibility {

namespace {

// The name last given to a control after its caption. A control named anything else since was
// named by hand, and keeps that name.
constexpr char kNameFromCaption[] = "vexloNameFromCaption";
// The same for a description taken from the tool tip.
constexpr char kDescriptionFromToolTip[] = "vexloDescriptionFromToolTip";
constexpr char kAnnouncement[] = "vexloAnnouncement";

// What a screen reader sees of an announcement: a notification, which screen readers read out
// as it appears (browsers present a web page's alerts to them the same way).
QAccessibleInterface* announcementInterface(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType() || object->objectName() != QLatin1String(kAnnouncement))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
}

// Keeps the descriptions of a window's controls in step with their tool tips.
class ToolTipFollower final : public QObject {
public:
    explicit ToolTipFollower(QWidget* window) : QObject(window)
    {
        setObjectName(QStringLiteral("vexloToolTipFollower"));
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ToolTipChange && watched->isWidgetType())
            toolTipChanged(static_cast<QWidget*>(watched));
        return false;
    }

    static void toolTipChanged(QWidget* control)
    {
        const QVariant given = control->property(kDescriptionFromToolTip);
        if (!given.isValid() || given.toString() != control->accessibleDescription())
            return;
        if (control->toolTip() != control->accessibleDescription())
            control->setAccessibleDescription(control->toolTip());
        control->setProperty(kDescriptionFromToolTip, control->toolTip());
    }
};

const QLabel* buddyLabelOf(const QWidget* control)
{
    const QList<QLabel*> labels = control->window()->findChildren<QLabel*>();
    const auto buddy = std::ranges::find(labels, control, &QLabel::buddy);
    return buddy == labels.end() ? nullptr : *buddy;
}

// Qt builds scroll areas, calendars and spin boxes from parts of its own, named "qt_...".
bool insideQtPart(const QWidget* widget, const QWidget* window)
{
    for (; widget && widget != window; widget = widget->parentWidget()) {
        if (widget->objectName().startsWith(QLatin1String("qt_")))
            return true;
    }
    return false;
}

QString labelText(const QLabel& label)
{
    QString text = label.text();
    if (label.textFormat() == Qt::RichText ||
        (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    // Only a label with a buddy treats "&" as the mark of its access key; others show it.
    return label.buddy() ? withoutMnemonic(text) : text;
}

} // namespace

QString withoutMnemonic(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // "&" marks the character after it, itself included in "&&"; a last "&" marks nothing
        // and shows as it is.
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

QString captionOf(const QWidget* control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return withoutMnemonic(button->text());
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return labelText(*label);
    if (const auto* group = qobject_cast<const QGroupBox*>(control))
        return withoutMnemonic(group->title());
    if (const auto* menu = qobject_cast<const QMenu*>(control))
        return withoutMnemonic(menu->title());
    if (const QLabel* label = buddyLabelOf(control))
        return labelText(*label);
    return {};
}

void nameControls(QWidget* window)
{
    auto* follower = window->findChild<ToolTipFollower*>(QStringLiteral("vexloToolTipFollower"),
                                                         Qt::FindDirectChildrenOnly);
    if (!follower)
        follower = new ToolTipFollower(window);
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (insideQtPart(control, window))
            continue;
        // A window is named by its title, which Qt reads as it changes; a menu is a window of
        // its own but is named by its title, which Qt does not read.
        if (control->isWindow() && !qobject_cast<QMenu*>(control))
            continue;
        if (control->accessibleName().isEmpty())
            followCaption(control);
        // Qt reads most tool tips as descriptions by itself, but not a list's.
        if (control->accessibleDescription().isEmpty()) {
            control->setProperty(kDescriptionFromToolTip, QString());
            ToolTipFollower::toolTipChanged(control);
            control->installEventFilter(follower);
        }
    }
}

void followCaption(QWidget* control)
{
    control->setProperty(kNameFromCaption, control->accessibleName());
    captionChanged(control);
}

void captionChanged(QWidget* control)
{
    const QVariant given = control->property(kNameFromCaption);
    if (!given.isValid() || given.toString() != control->accessibleName())
        return;
    QString name = captionOf(control);
    if (name.isEmpty())
        name = control->accessibleDescription();
    if (name.isEmpty())
        return;
    // Qt tells a screen reader of every name set, changed or not; and captions are set again
    // and again by the ticks, mostly to the text they had.
    if (name == control->accessibleName())
        return;
    control->setAccessibleName(name);
    control->setProperty(kNameFromCaption, name);
}

void send(QAccessibleEvent& event)
{
    if (QAccessible::isActive()) {
        QAccessible::updateAccessibility(&event);
        return;
    }
    // Qt only hands events on while a screen reader is attached, even to an installed handler;
    // the handler is read by putting it straight back.
    const QAccessible::UpdateHandler handler = QAccessible::installUpdateHandler(nullptr);
    QAccessible::installUpdateHandler(handler);
    if (handler)
        handler(&event);
}

void announce(QWidget* window, const QString& text)
{
    // Qt keeps one list of factories for the process and adds each one once.
    QAccessible::installFactory(announcementInterface);

    QWidget* element = announcement(window);
    if (!element) {
        // A pixel under everything else, which neither the pointer nor the keyboard reaches.
        element = new QWidget(window);
        element->setObjectName(QLatin1String(kAnnouncement));
        element->setAttribute(Qt::WA_TransparentForMouseEvents);
        element->setFocusPolicy(Qt::NoFocus);
        element->setGeometry(0, 0, 1, 1);
    }
    // It is read as it appears; shown again, it is read again.
    element->hide();
    element->setAccessibleName(text);
    element->show();
    element->lower();
}

QWidget* announcement(const QWidget* window)
{
    return window->findChild<QWidget*>(QLatin1String(kAnnouncement), Qt::FindDirectChildrenOnly);
}

QWidget* focusFirstAvailable(std::initializer_list<QWidget*> candidates)
{
    for (QWidget* candidate : candidates) {
        if (candidate && candidate->isVisibleTo(candidate->window()) && candidate->isEnabled() &&
            candidate->focusPolicy() != Qt::NoFocus) {
            candidate->setFocus(Qt::OtherFocusReason);
            return candidate;
        }
    }
    return nullptr;
}

} // namespace accessibility
