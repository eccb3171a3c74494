#include "accessibility.h"
#include "accessibilitychecks.h"
#include "qtprinters.h"
#include "widgets.h"

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

// What waits for the first drawing runs once, after it, whether it watches a window or the
// whole application, however many widgets are drawn then and later.
TEST(AfterFirstDrawing, RunsOnceWhateverIsDrawn)
{
    for (const bool application : {false, true}) {
        SCOPED_TRACE(application ? "the application" : "a window");
        QWidget window;
        window.resize(120, 80);
        QLabel first(QStringLiteral("first"), &window);
        QLabel second(QStringLiteral("second"), &window);
        second.move(0, 40);
        int calls = 0;
        afterFirstDrawing(application ? static_cast<QObject*>(qApp) : &window, [&] { ++calls; });
        EXPECT_EQ(calls, 0);
        window.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 0; }));
        window.repaint();
        QCoreApplication::processEvents();
        EXPECT_EQ(calls, 1);
    }
}
