#include "fullscreenfixture.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFontMetrics>
#include <QtTest/QTest>

namespace {

// One control's place in twips, inside its panel.
struct Place {
    const char* name;
    QRect twips;
};

QRect pixels(const QRect& t)
{
    return twipsRect(t.left(), t.top(), t.width(), t.height());
}

} // namespace

TEST_F(FullScreenTest, BothScreenSizesStandAsLaidOut)
{
    // The screen is 19200 twips wide; centred controls stand at (19200 - width) / 2.
    const Place smaller[] = {
        {"LabelMessage", {5100, 150, 9000, 1800}},
        {"Frame1", {3800, 2000, 11600, 4300}},
        {"Image1", {0, 100, 1900, 3100}},
        {"Image2", {1800, 100, 1900, 3100}},
        {"Image7", {3500, 100, 800, 3100}},
        {"Image3", {4050, 100, 1900, 3100}},
        {"Image4", {5850, 100, 1900, 3100}},
        {"Image8", {7500, 100, 800, 3100}},
        {"Image5", {8100, 100, 1900, 3100}},
        {"Image6", {9800, 100, 1900, 3100}},
        {"HScroll1", {1900, 3400, 5800, 250}},
        {"HScroll2", {8200, 3400, 3400, 250}},
        {"LabelUseScrollBar1", {1900, 3800, 5800, 450}},
        {"LabelUseScrollBar2", {8200, 3800, 3400, 450}},
        {"Frame2", {5100, 6000, 9000, 2150}},
        {"Frame3", {0, 0, 9000, 1200}},
        {"LabelTimeIsUp", {0, 0, 9000, 1200}},
        {"butAcknowledge", {3300, 1400, 2400, 600}},
    };
    const Place larger[] = {
        {"LabelMessage", {2120, 200, 14960, 3400}},
        {"Frame1", {1100, 3800, 17000, 5700}},
        {"Image1", {0, 100, 2500, 4500}},
        {"Image2", {2400, 100, 2500, 4500}},
        {"Image7", {4800, 100, 1200, 4500}},
        {"Image3", {5900, 100, 2500, 4500}},
        {"Image4", {8300, 100, 2500, 4500}},
        {"Image8", {10700, 100, 1200, 4500}},
        {"Image5", {11800, 100, 2500, 4500}},
        {"Image6", {14200, 100, 2500, 4500}},
        {"HScroll1", {2500, 4700, 8200, 350}},
        {"HScroll2", {11900, 4700, 4700, 350}},
        {"LabelUseScrollBar1", {2500, 5200, 8200, 450}},
        {"LabelUseScrollBar2", {11900, 5200, 4700, 450}},
        {"LabelStartClear", {5900, 5200, 6000, 450}},
        {"Frame2", {2120, 9800, 14960, 2150}},
        {"Frame3", {0, 0, 14960, 1300}},
        {"LabelTimeIsUp", {0, 0, 14960, 1300}},
        {"butAcknowledge", {6280, 1400, 2400, 600}},
    };

    FullScreenVexlo& w = open();
    EXPECT_EQ(w.size(), kScreen.size());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first start" : "chosen again");
        EXPECT_TRUE(item("menuScreenSize1")->isChecked());
        EXPECT_FALSE(item("menuScreenSize2")->isChecked());
        for (const Place& p : smaller)
            EXPECT_EQ(child(p.name)->geometry(), pixels(p.twips)) << p.name;
        // The hint stays inside the smaller frame, over the scroll bars it stands in for.
        auto* hint = child<QLabel>("LabelStartClear");
        EXPECT_EQ(hint->x(), twips(4050));
        EXPECT_TRUE(child("Frame1")->rect().contains(hint->geometry()));

        item("menuScreenSize2")->trigger();
        EXPECT_EQ(t.store.get(fullscreenkeys::kLargeDisplay), "True");
        EXPECT_FALSE(item("menuScreenSize1")->isChecked());
        EXPECT_TRUE(item("menuScreenSize2")->isChecked());
        for (const Place& p : larger)
            EXPECT_EQ(child(p.name)->geometry(), pixels(p.twips)) << p.name;

        item("menuScreenSize1")->trigger();
        EXPECT_EQ(t.store.get(fullscreenkeys::kLargeDisplay), "False");
    }

    // The message and every caption show whole in either size.
    for (const char* size : {"menuScreenSize1", "menuScreenSize2"}) {
        item(size)->trigger();
        for (const char* name : {"LabelMessage", "LabelUseScrollBar1", "LabelUseScrollBar2",
                                 "LabelStartClear", "LabelTimeIsUp"}) {
            auto* label = child<QLabel>(name);
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << size << name;
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text().section(u' ', 0, 0)),
                      label->width());
        }
        auto* button = child<QPushButton>("butAcknowledge");
        EXPECT_LE(button->sizeHint().width(), button->width()) << size;
    }
}

TEST_F(FullScreenTest, TheMessageTakesItsSizeOrJustLessToShowWhole)
{
    struct Case {
        QString message;
        bool fitsAtFullSize;
    };
    const Case cases[] = {
        {"Exam ends at noon", true},
        // Three lines at 24 points, four at 48 where the label holds three.
        {QString::fromUtf8(fullscreenkeys::kDefaultMessage), false},
        {QStringLiteral("Quiet please: the examination is in progress. ").repeated(6), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.left(20).toStdString());
        EXPECT_TRUE(t.store.save(fullscreenkeys::kMessage, c.message));
        open();
        auto* message = child<QLabel>("LabelMessage");
        EXPECT_EQ(message->text(), c.message);
        for (const auto& [size, points] :
             {std::pair{"menuScreenSize1", 24}, {"menuScreenSize2", 48}}) {
            item(size)->trigger();
            const QFont font = message->font();
            if (c.fitsAtFullSize)
                EXPECT_EQ(font.pointSize(), points) << size;
            else
                EXPECT_LE(font.pointSize(), points) << size;
            EXPECT_LE(message->heightForWidth(message->width()), message->height()) << size;
            // One size larger would not have shown it whole.
            if (font.pointSize() < points) {
                QFont larger = font;
                larger.setPointSize(font.pointSize() + 1);
                EXPECT_GT(QFontMetrics(larger)
                              .boundingRect(message->contentsRect(),
                                            Qt::AlignCenter | Qt::TextWordWrap, c.message)
                              .height(),
                          message->height())
                    << size;
            }
        }
        // Shown as typed, never as markup.
        EXPECT_EQ(message->textFormat(), Qt::PlainText);
    }
}

TEST_F(FullScreenTest, TheTickCentresTheDigitsThatShow)
{
    struct Case {
        const char* size;
        int minutes;
        int frame1Left;     // twips
        int startClearLeft; // twips, inside Frame1
    };
    // One hour digit: the blank tens place moves off to the left; two: centred.
    const Case cases[] = {
        {"menuScreenSize1", 61, 3800 - 900, 4050},
        {"menuScreenSize1", 600, 3800, 3500},
        {"menuScreenSize2", 61, 1100 - 1000, 5900},
        {"menuScreenSize2", 600, 1100, 4800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.size) + " " + std::to_string(c.minutes));
        FullScreenVexlo& w = open();
        item(c.size)->trigger();
        setTime(c.minutes, 5);
        w.menustartClick();
        w.Timer1Tick();
        w.menustartClick();
        EXPECT_EQ(child("Frame1")->x(), twips(c.frame1Left));
        EXPECT_EQ(child("LabelStartClear")->x(), twips(c.startClearLeft));
        EXPECT_TRUE(shown("LabelStartClear"));
    }

    // Switching to the larger size mid-run keeps the tens of hours.
    open();
    setTime(660, 0);
    window->menustartClick();
    tickEverySecond(1);
    EXPECT_EQ(display(), "10:59:59");
    item("menuScreenSize2")->trigger();
    EXPECT_EQ(display(), "10:59:59");
    tickEverySecond(1);
    EXPECT_EQ(display(), "10:59:58");
    EXPECT_EQ(child("Frame1")->x(), twips(1100));
}

TEST_F(FullScreenTest, AClickAnywhereOrAKeyOpensTheMenu)
{
    FullScreenVexlo& w = open();
    QApplication::setActiveWindow(&w);
    QMenu* commands = menu();
    for (const char* name : {"LabelMessage", "Frame1", "Image1", "Image4", "Image7", "Image8",
                             "LabelUseScrollBar1", "LabelUseScrollBar2"}) {
        QTest::mouseClick(child(name), Qt::LeftButton);
        EXPECT_TRUE(commands->isVisible()) << name;
        QTest::keyClick(commands, Qt::Key_Escape);
        EXPECT_FALSE(commands->isVisible()) << name;
    }
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(20, 780));
    EXPECT_TRUE(commands->isVisible());
    commands->hide();

    // The scroll bars take the arrow keys and set the time instead.
    bar(1)->setFocus();
    QTest::keyClick(bar(1), Qt::Key_Right);
    QTest::keyClick(bar(1), Qt::Key_PageUp);
    EXPECT_EQ(bar(1)->value(), 16);
    EXPECT_FALSE(commands->isVisible());
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Menu}) {
        QTest::keyClick(bar(1), key);
        EXPECT_TRUE(commands->isVisible()) << key;
        commands->hide();
    }

    // Running, with the scroll bars gone, the window itself takes the keys.
    w.menustartClick();
    EXPECT_EQ(w.focusWidget(), &w);
    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_TRUE(commands->isVisible());
    commands->hide();

    // The same at time-up, over the time-is-up panel.
    runOut(0, 1);
    for (const char* name : {"Frame2", "LabelTimeIsUp"}) {
        QTest::mouseClick(child(name), Qt::LeftButton);
        EXPECT_TRUE(commands->isVisible()) << name;
        commands->hide();
    }
}

TEST_F(FullScreenTest, TheMenuOffersEveryCommandInOrder)
{
    open();
    const std::pair<const char*, QString> entries[] = {
        {"menustart", "Start Full Screen Vexlo"},
        {"menuAcknowledge", "Acknowledge Time Is Up"},
        {"sep1", ""},
        {"menuRetrieve", "Retrieve the saved time"},
        {"menuClear", "Clear this time"},
        {"menuSave", "Save this time"},
        {"sep2", ""},
        {"menuTimingMode", "Timing Mode"},
        {"menuScreenSize", "Screen Size"},
        {"menuOptions", "Set Options"},
        {"sep4", ""},
        {"menuHelp", "Help using Full Screen Vexlo"},
        {"menuhelpabout", "About Full Screen Vexlo"},
        {"sep5", ""},
        {"menuCloseActionBox", "Close Action Menu"},
        {"sep6", ""},
        {"menuExit", "EXIT Full Screen Vexlo"},
    };
    const QList<QAction*> actions = menu()->actions();
    ASSERT_EQ(actions.size(), std::size(entries));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(actions[i]->objectName(), entries[i].first);
        EXPECT_EQ(actions[i]->text(), entries[i].second) << entries[i].first;
    }
    EXPECT_FALSE(item("menuAcknowledge")->isVisible());
    const auto submenu = [&](const char* name) {
        QStringList texts;
        for (QAction* a : child<QMenu>(name)->actions())
            texts << a->objectName() + u'=' + a->text();
        return texts;
    };
    EXPECT_EQ(submenu("menuTimingMode"),
              (QStringList{"menuTimingMode1=Normal", "menuTimingMode2=Stopwatch"}));
    EXPECT_EQ(submenu("menuScreenSize"),
              (QStringList{"menuScreenSize1=Smaller Screen", "menuScreenSize2=Larger Screen"}));
}

TEST_F(FullScreenTest, EveryControlHasANameAndAnAccessibleName)
{
    FullScreenVexlo& w = open();
    EXPECT_EQ(w.windowTitle(), "Full Screen Vexlo 8.0");
    for (QWidget* widget : w.findChildren<QWidget*>()) {
        EXPECT_FALSE(widget->objectName().isEmpty()) << widget->metaObject()->className();
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
    }
    // Inside a dialog, every control lies wholly inside its window.
    for (const char* name : {"Options", "NoTimeSelected", "frmAbout"}) {
        auto* dialog = child<QDialog>(name);
        for (QWidget* control : dialog->findChildren<QWidget*>())
            EXPECT_TRUE(dialog->rect().contains(control->geometry()))
                << name << " " << control->objectName().toStdString();
    }
}

TEST_F(FullScreenTest, HelpAndAboutOpenBesideTheTimer)
{
    FullScreenVexlo& w = open();
    item("menuHelp")->trigger();
    EXPECT_EQ(help.topics, QList<int>{204});

    item("menuhelpabout")->trigger();
    auto* about = child<QDialog>("frmAbout");
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(child<QLabel>("lblTitle")->text(), "Full Screen Vexlo");
    EXPECT_EQ(child<QLabel>("lblVersion")->text(), "Version 8.01");
    // The timer goes on counting behind it.
    setTime(0, 5);
    w.menustartClick();
    tickEverySecond(1);
    EXPECT_EQ(display(), " 0:00:04");

    about->findChild<QPushButton*>("cmdHelp")->click();
    EXPECT_EQ(help.topics, (QList<int>{204, 204}));
    auto* ok = about->findChild<QPushButton*>("cmdOK");
    EXPECT_EQ(ok->text(), "&OK");
    ok->click();
    EXPECT_FALSE(about->isVisible());
    EXPECT_TRUE(w.isVisible());
}

TEST_F(FullScreenTest, ExitStopsEverythingAndStoresNothing)
{
    FullScreenVexlo& w = open();
    setTime(3, 0);
    w.menustartClick();
    tickEverySecond(2);
    item("menuhelpabout")->trigger();
    QFile file(t.store.fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    item("menuExit")->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(child("frmAbout")->isVisible());
    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
    EXPECT_EQ(bar(1)->value(), 0);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

// Ten hours or more keep their first digit through a change of layout, whether the time is
// being set or stands stopped: no tick comes to draw it again.
TEST_F(FullScreenTest, ALayoutChangeKeepsEveryDigitShown)
{
    FullScreenVexlo& w = open();
    setTime(1440, 0);
    const std::pair<const char*, std::function<void()>> states[] = {
        {"being set", [] {}},
        {"stopped", [&w] {
             w.menustartClick();
             w.menustartClick();
         }},
    };
    for (const auto& [state, reach] : states) {
        SCOPED_TRACE(state);
        reach();
        w.menuScreenSize2Click();
        EXPECT_EQ(display(), "24:00:00");
        w.menuScreenSize1Click();
        EXPECT_EQ(display(), "24:00:00");
    }
}

// Both layouts on screens from 800 x 600 to 3840 x 2160, and on 1280 x 800 at twice the scale:
// every control inside the screen, the digits in order, the message clear of the digits and of
// the time-up panel, every caption whole, and the smaller layout the smaller.
TEST_F(FullScreenTest, EveryScreenHoldsBothLayoutsWhole)
{
    const QSize screens[] = {{800, 600},   {1024, 768},  {1280, 1024},
                             {1920, 1080}, {3840, 2160}, {640, 400}};
    const char* inOrder[] = {"Image1", "Image2", "Image7", "Image3",
                             "Image4", "Image8", "Image5", "Image6"};
    for (const QSize screen : screens) {
        int digitWidths[2] = {};
        for (const int larger : {0, 1}) {
            SCOPED_TRACE(std::to_string(screen.width()) + "x" + std::to_string(screen.height()) +
                         (larger ? " larger" : " smaller"));
            window = std::make_unique<FullScreenVexlo>(platform(), QRect(QPoint(), screen));
            window->show();
            item(larger ? "menuScreenSize2" : "menuScreenSize1")->trigger();
            const auto onScreen = [&](const char* name) {
                QWidget* w = child(name);
                return QRect(w->mapTo(window.get(), QPoint()), w->size());
            };
            for (const char* name : {"LabelMessage", "Frame1", "Image1", "Image6", "HScroll1",
                                     "HScroll2", "LabelUseScrollBar1", "LabelUseScrollBar2",
                                     "LabelStartClear", "Frame2", "butAcknowledge"})
                EXPECT_TRUE(QRect(QPoint(), screen).contains(onScreen(name))) << name;
            for (size_t i = 1; i < std::size(inOrder); ++i)
                EXPECT_LT(onScreen(inOrder[i - 1]).center().x(), onScreen(inOrder[i]).center().x());
            EXPECT_LT(onScreen("LabelMessage").bottom(), onScreen("Frame1").top());
            EXPECT_LT(onScreen("LabelMessage").bottom(), onScreen("Frame2").top());
            EXPECT_TRUE(onScreen("Frame2").contains(onScreen("butAcknowledge")));
            for (const char* name : {"LabelUseScrollBar1", "LabelUseScrollBar2", "LabelStartClear"}) {
                auto* label = child<QLabel>(name);
                EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text().section(u' ', 0, 0)),
                          label->width())
                    << name;
            }
            auto* button = child<QPushButton>("butAcknowledge");
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width());
            digitWidths[larger] = child("Image1")->width();
        }
        EXPECT_LT(digitWidths[0], digitWidths[1]);
    }
}
