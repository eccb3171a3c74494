#include "accessibility.h"
#include "accessibilitychecks.h"
#include "digitrow.h"
#include "imagelist.h"
#include "qtprinters.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace accessibility;

TEST(Accessibility, CaptionsReadWithoutTheirAccessKeyMarks)
{
    const struct {
        QString caption;
        QString read;
    } cases[] = {
        {"&Save", "Save"},
        {"E&xit", "Exit"},
        {"Salt && Pepper", "Salt & Pepper"},
        {"&&&File", "&File"},
        {"Save&", "Save&"},
        {"No marks", "No marks"},
        {"", ""},
        {"&", "&"},
        {"a&&b&c", "a&bc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withoutMnemonic(c.caption), c.read) << c.caption.toStdString();
}

// A small window with one control of each kind, named the way the programs name theirs.
class NamingTest : public ::testing::Test {
protected:
    NamingTest()
    {
        window.setWindowTitle("Window title");
        save = new QPushButton("&Save", &window);
        save->setToolTip("Save the time");
        minutesCaption = new QLabel("&Minutes", &window);
        minutes = new QScrollBar(Qt::Horizontal, &window);
        minutesCaption->setBuddy(minutes);
        plain = new QLabel("Fish & Chips", &window);
        group = new QGroupBox("&Options", &window);
        menu = new QMenu("&File", &window);
        menu->addAction("E&xit");
        unlabelled = new QLineEdit(&window);
        title = new QLineEdit(&window);
        title->setAccessibleName("Title");
        empty = new QLabel(&window);
        empty->setAccessibleDescription("Message 3");
        list = new QListWidget(&window);
        list->setAccessibleName("Events");
    }

    QWidget window;
    QPushButton* save;
    QLabel* minutesCaption;
    QScrollBar* minutes;
    QLabel* plain;
    QGroupBox* group;
    QMenu* menu;
    QLineEdit* unlabelled;
    QLineEdit* title;
    QLabel* empty;
    QListWidget* list;
};

TEST_F(NamingTest, EveryControlIsNamedAfterItsCaptionAndDescribedByItsToolTip)
{
    nameControls(&window);
    const struct {
        QWidget* control;
        QString name;
    } cases[] = {
        {save, "Save"},
        {minutesCaption, "Minutes"},
        {minutes, "Minutes"},    // by the label that is its buddy
        {plain, "Fish & Chips"}, // without a buddy, "&" is shown as it is
        {group, "Options"},
        {menu, "File"},
        {unlabelled, ""},
        {title, "Title"},
        {empty, "Message 3"},
        {list, "Events"},
        {&window, "Window title"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control->metaObject()->className());
        EXPECT_EQ(accessibleName(c.control), c.name);
        // Named widgets carry the name, for tests and tools; the window keeps its title.
        if (c.control != &window) {
            EXPECT_EQ(c.control->accessibleName(), c.name);
        }
    }
    EXPECT_EQ(accessibleName(&window), "Window title");
    EXPECT_EQ(accessibleDescription(save), "Save the time");
    EXPECT_EQ(menuItemNames(menu), QStringList{"Exit"});

    // Qt's own parts of a control are left to Qt.
    for (QWidget* part : list->findChildren<QWidget*>())
        EXPECT_TRUE(part->accessibleName().isEmpty()) << part->objectName().toStdString();
}

TEST_F(NamingTest, NamesFollowTheirCaptionsUntilNamedByHand)
{
    nameControls(&window);
    save->setText("S&top");
    plain->setText("Chips only");
    group->setTitle("&Choices");
    empty->setText("Dentist");
    for (QWidget* control : {static_cast<QWidget*>(save), static_cast<QWidget*>(plain),
                             static_cast<QWidget*>(group), static_cast<QWidget*>(empty)})
        captionChanged(control);
    EXPECT_EQ(accessibleName(save), "Stop");
    EXPECT_EQ(accessibleName(plain), "Chips only");
    EXPECT_EQ(accessibleName(group), "Choices");
    EXPECT_EQ(accessibleName(empty), "Dentist");

    // Emptied, a cell reads as what it is.
    empty->clear();
    captionChanged(empty);
    EXPECT_EQ(accessibleName(empty), "Message 3");

    // A name given by hand stays; so does one that never followed a caption.
    save->setAccessibleName("Stop the timer");
    save->setText("&Go");
    captionChanged(save);
    EXPECT_EQ(accessibleName(save), "Stop the timer");
    captionChanged(title);
    EXPECT_EQ(accessibleName(title), "Title");

    // Tool tips are read as they are now.
    save->setToolTip("Start the timer");
    EXPECT_EQ(accessibleDescription(save), "Start the timer");

    // A control that only gets its caption later follows it all the same.
    QLabel late(&window);
    followCaption(&late);
    late.setText("Later");
    captionChanged(&late);
    EXPECT_EQ(accessibleName(&late), "Later");
}

TEST(Accessibility, FocusGoesToTheFirstControlThatCanTakeIt)
{
    QWidget window;
    auto* hidden = new QPushButton("Hidden", &window);
    hidden->hide();
    auto* disabled = new QPushButton("Disabled", &window);
    disabled->setEnabled(false);
    auto* unfocusable = new QLabel("Label", &window);
    auto* insideHiddenPanel = new QPushButton("Inside", new QWidget(&window));
    insideHiddenPanel->parentWidget()->hide();
    auto* first = new QPushButton("First", &window);
    auto* second = new QPushButton("Second", &window);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    EXPECT_EQ(focusFirstAvailable(
                  {nullptr, hidden, disabled, unfocusable, insideHiddenPanel, first, second}),
              first);
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(focusFirstAvailable({hidden, disabled}), nullptr);
    EXPECT_TRUE(first->hasFocus()) << "nothing available leaves the focus where it was";
}

namespace {

class Counter : public QObject {
public:
    void count() { ++presses; }
    int presses = 0;
};

} // namespace

TEST(Accessibility, EscapeCancelsOnlyThePanelWithTheFocus)
{
    QWidget window;
    auto* panel = new QWidget(&window);
    panel->setObjectName("Panel");
    auto* inside = new QLineEdit(panel);
    auto* outside = new QLineEdit(&window);
    outside->move(0, 100);
    Counter cancel;
    escapeKey(panel, &cancel, &Counter::count);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    outside->setFocus();
    QTest::keyClick(outside, Qt::Key_Escape);
    EXPECT_EQ(cancel.presses, 0);
    inside->setFocus();
    QTest::keyClick(inside, Qt::Key_Escape);
    EXPECT_EQ(cancel.presses, 1);
    panel->hide();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(cancel.presses, 1);
}

// A row of digit pictures as the timers build theirs: hours, separator, minutes, separator,
// seconds, and a picture of its own at the end.
class DigitRowTest : public ::testing::Test {
protected:
    DigitRowTest()
    {
        row = new DigitRow(&window);
        row->setAccessibleName("Time remaining");
        // Made out of order: the row reads its pictures from left to right.
        const int lefts[] = {0, 20, 60, 80, 120, 140, 40, 100, 160};
        for (int i = 0; i < 9; ++i) {
            boxes[i] = new PictureBox(row);
            boxes[i]->setGeometry(lefts[i], 0, 20, 40);
        }
        boxes[6]->setPicture(list, digits::kSeparator);
        boxes[7]->setPicture(list, digits::kSeparator);
        boxes[8]->setPicture([](QPainter&, const QRectF&) {});
    }

    void show(qint64 hours, qint64 minutes, qint64 seconds)
    {
        showPair(*boxes[0], *boxes[1], list, digits::hoursPair(hours));
        showPair(*boxes[2], *boxes[3], list, digits::paddedPair(minutes));
        showPair(*boxes[4], *boxes[5], list, digits::paddedPair(seconds));
    }

    const ImageList list{digitlooks::imageList1()};
    QWidget window;
    DigitRow* row;
    std::array<PictureBox*, 9> boxes{};
};

TEST_F(DigitRowTest, ReadsAsTheTimeItShows)
{
    const struct {
        qint64 hours;
        qint64 minutes;
        qint64 seconds;
        QString read;
    } cases[] = {
        {0, 4, 59, "0:04:59"},   {0, 0, 0, "0:00:00"},     {1, 15, 0, "1:15:00"},
        {24, 0, 59, "24:00:59"}, {10, 59, 58, "10:59:58"},
    };
    for (const auto& c : cases) {
        show(c.hours, c.minutes, c.seconds);
        EXPECT_EQ(row->shownTime(), c.read);
        EXPECT_EQ(accessibleName(row), c.read);
        // Any one of its pictures reads as the whole time.
        EXPECT_EQ(accessibleName(boxes[4]), c.read);
    }
    // A blank place is not read at all.
    boxes[0]->setPicture(list, digits::kBlank);
    EXPECT_EQ(row->shownTime(), "0:59:58");

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(row);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::StaticText);
    EXPECT_EQ(iface->childCount(), 0) << "one element, not a row of pictures";
    EXPECT_EQ(iface->text(QAccessible::Description), "Time remaining");
    row->setAccessibleDescription("Time elapsed");
    EXPECT_EQ(iface->text(QAccessible::Description), "Time elapsed");
}

TEST_F(DigitRowTest, TellsTheMinuteAndTheAlertButNotEverySecond)
{
    AccessibilityRecorder recorder;
    show(0, 2, 1);
    EXPECT_EQ(recorder.told(row), QStringList{"NameChanged 0:02:01"});

    // A second a time, as the tick draws it; the whole time changes picture by picture.
    const struct {
        qint64 minutes;
        qint64 seconds;
        QStringList told;
    } steps[] = {
        {2, 0, {}},
        {1, 59, {"NameChanged 0:01:59"}},
        {1, 58, {}},
        {1, 58, {}},
        {0, 0, {"NameChanged 0:00:00"}},
        {10, 0, {"NameChanged 0:10:00"}},
        {9, 59, {"NameChanged 0:09:59"}}, // both minute pictures change: told once
    };
    for (const auto& step : steps) {
        show(0, step.minutes, step.seconds);
        EXPECT_EQ(recorder.told(row), step.told) << step.minutes << ":" << step.seconds;
    }

    // Time is up: the last time first, then the alert.
    show(0, 0, 0);
    row->alert();
    EXPECT_EQ(recorder.told(row), (QStringList{"NameChanged 0:00:00", "Alert 0:00:00"}));
    row->alert();
    EXPECT_EQ(recorder.told(row), QStringList{"Alert 0:00:00"});
}
