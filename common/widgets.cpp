#include "widgets.h"

#include "accessibility.h"
#include "dialogs.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

class SelectOnFocus final : public QObject {
public:
    SelectOnFocus(QWidget* box, int count) : QObject(box), box_(box), count_(count)
    {
        box->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // After the box's own focus handling, which may select everything.
        if (watched == box_ && event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, this, [this] { select(); });
        return false;
    }

private:
    void select()
    {
        if (auto* line = qobject_cast<QLineEdit*>(box_)) {
            line->setSelection(0, std::min<int>(count_, int(line->text().size())));
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(box_)) {
            QTextCursor cursor(text->document());
            cursor.setPosition(0);
            cursor.setPosition(std::min(count_, text->document()->characterCount() - 1),
                               QTextCursor::KeepAnchor);
            text->setTextCursor(cursor);
        }
    }

    QWidget* box_;
    int count_;
};

class AfterFirstDrawing : public QObject {
public:
    AfterFirstDrawing(QObject* watched, std::function<void()> then)
        : QObject(watched), then_(std::move(then))
    {
        watched->installEventFilter(this);
    }

    bool eventFilter(QObject* /*receiver*/, QEvent* event) override
    {
        // Watching the application, the paint is any widget's: the filter comes off what it
        // was put on, once.
        if (event->type() == QEvent::Paint && waiting_) {
            waiting_ = false;
            parent()->removeEventFilter(this);
            // Once the program waits again, so that the drawing reaches the screen first.
            QTimer::singleShot(0, this, [this] {
                then_();
                deleteLater();
            });
        }
        return false;
    }

    std::function<void()> then_;
    bool waiting_ = true;
};

} // namespace

QLabel* panelLabel(QWidget* panel, const QString& name, const QString& text, QRect place)
{
    auto* label = named(new QLabel(text, panel), name);
    label->setGeometry(place);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    // Named after its text, and after that as its text changes; until it has one, by its name.
    label->setAccessibleName(name);
    accessibility::followCaption(label);
    return label;
}

QPushButton* panelButton(QWidget* panel, const QString& name, const QString& caption,
                         const QString& toolTip, QRect place)
{
    auto* button = named(new QPushButton(caption, panel), name);
    button->setGeometry(place);
    button->setToolTip(toolTip);
    accessibility::followCaption(button);
    button->setAutoDefault(true);
    return button;
}

QAction* menuItem(QMenu& menu, const QString& name, const QString& caption)
{
    return named(menu.addAction(caption), name);
}

QAction* menuSeparator(QMenu& menu, const QString& name)
{
    return named(menu.addSeparator(), name);
}

QMenu* subMenu(QMenu& menu, const QString& name, const QString& title)
{
    QMenu* sub = named(menu.addMenu(title), name);
    named(sub->menuAction(), name);
    sub->setAccessibleName(title);
    return sub;
}

void selectOnFocus(QWidget* box, int count)
{
    new SelectOnFocus(box, count);
}

void afterFirstDrawing(QObject* watched, std::function<void()> then)
{
    new AfterFirstDrawing(watched, std::move(then));
}

bool markModeItems(QAction& normalItem, QAction& otherItem, bool& normalMode, bool normal)
{
    const bool changed = normal != normalMode;
    normalMode = normal;
    normalItem.setChecked(normal);
    otherItem.setChecked(!normal);
    return changed;
}

void tabOrder(std::initializer_list<QWidget*> chain)
{
    for (auto control = chain.begin(); control + 1 < chain.end(); ++control)
        QWidget::setTabOrder(control[0], control[1]);
}

SoundChoice::SoundChoice(QLineEdit* box, QPushButton* browse, Dialogs& dialogs, QString firstSound)
    : QObject(box), box_(box), browse_(browse), dialogs_(dialogs),
      firstSound_(std::move(firstSound))
{
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    box->installEventFilter(this);
}

void SoundChoice::browse(const QString& folder)
{
    const QString file =
        dialogs_.openFile(browse_->window(), QCoreApplication::translate("SoundChoice", "Open"),
                          folder, QCoreApplication::translate("SoundChoice", "Wave files (*.wav)"));
    box_->setText(file.isEmpty() ? firstSound_ : file);
}

QString SoundChoice::chosen()
{
    if (box_->text().isEmpty())
        box_->setText(firstSound_);
    return box_->text();
}

bool SoundChoice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == box_ && event->type() == QEvent::FocusIn)
        browse_->setFocus();
    return false;
}
