// Vexlo and Pellum share their window: each case here runs once for each of them.
#include "accessibilitychecks.h"
#include "controlnamed.h"
#include "digitsshown.h"
#include "fakedesktop.h"
#include "keyboarddriver.h"
#include "pellum.h"
#include "qtprinters.h"
#include "skins.h"
#include "twips.h"
#include "vexlo.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A control: where it stands (an empty place: anywhere on its panel), what it reads and its tool
// tip.
struct Control {
    QString name;
    QRect place;
    QString text;
    QString tip;
};

// What tells the two programs apart in these cases.
struct Program {
    const char* name; // names the buttons ("ButVexloStart") and the stored keys ("Vexlo Mode")
    QString version;
    const char* timerPanel;
    QString firstBackground;
    int tick; // ms
    // Shown when a skin's picture cannot be read.
    QString pathError;
    std::function<std::unique_ptr<TimerWindow>(const Platform&, const ShellPlatform&)> make;
    // What has to be done before Start counts: Vexlo counts down from a time set, two seconds.
    std::function<void(TimerWindow&)> readyToStart;
    bool alarm; // rings when the count reaches nought
    // The action box in its order: "objectName=text", or a separator's name.
    QStringList actionBox;
    QList<int> helpTopics; // of the options, About and the program
    // Cancel leaves a typed title in its box, rather than putting back the one in use.
    bool cancelKeepsTitle;
    // Where a panel closed from the keyboard gives the keyboard back, having been opened by Action.
    const char* backFromPanel;
    QStringList optionsTabRound;
    QList<Control> ownControls;
    const char* hint; // what comes next, under the buttons
    // Named for what they do, not by their caption ("..." opens the file browser).
    QStringList namedByHand;
};

void PrintTo(const Program& program, std::ostream* out)
{
    *out << program.name;
}

template <typename Window>
std::unique_ptr<TimerWindow> makeWindow(const Platform& platform, const ShellPlatform& shell)
{
    return std::make_unique<Window>(platform, shell);
}

const Program kPrograms[] = {
    {"Vexlo", "Vexlo 8.02", "FrameVexlo1", "Wood5.gif", 950,
     "Vexlo Error #10. There was a problem running the program's path. Vexlo can still run, but "
     "some of the program's files are either missing or have been moved. Exit Vexlo and then "
     "re-install the program to correct this error!",
     &makeWindow<Vexlo>, [](TimerWindow& w) { w.findChild<QScrollBar*>("HScroll2")->setValue(2); },
     true,
     {"menuNewTimer=Open a New Timer", "sep0", "menuRetrieve=Retrieve the saved time",
      "menuClear=Clear this time", "menuSave=Save this time", "sep1",
      "menuNotepad=Show The Notepad", "menuMode=Timing Mode", "menuBackground=Background", "sep2",
      "menuAlwaysOnTop=Always On Top", "menuOptions=Set Options", "sep3",
      "menuHelp=Help Using Vexlo", "menuAbout=About Vexlo", "sep4",
      "menuCloseActionBox=Close Action Box", "sep5", "menuExit=EXIT Vexlo"},
     {200, 201, 201},
     true,
     "ButVexloAction",
     // The sound box is passed by.
     {"FrameOptionsTitle", "FrameOptionsText", "ButOptionsBrowse", "butOptionsSave",
      "ButOptionsCancel", "butOptionsHelp", "FrameOptionsTitle"},
     {{"ButVexloAcknowlegde", twipsRect(1250, 1850, 1000, 500), "OK", "Continue"},
      {"FrameLabel1", twipsRect(125, 1500, 645, 405), "Hours + Minutes", ""},
      {"FrameLabel2", twipsRect(125, 2070, 630, 195), "Seconds", ""},
      {"FrameLabel3", twipsRect(240, 1020, 1695, 225), "Set The Time Below!", ""},
      {"FrameLabel4", twipsRect(600, 1600, 2450, 500),
       "Stop the Vexlo timer or use the Action button!", ""},
      {"FrameLabel6", twipsRect(105, 105, 3195, 1650),
       "Click on the ACTION button, then SET OPTIONS to change this message!", ""},
      {"HScroll1", twipsRect(825, 1605, 2400, 200), "", ""},
      {"HScroll2", twipsRect(825, 2070, 2400, 200), "", ""}},
     "FrameLabel4",
     {"ButOptionsBrowse"}},
    {"Pellum", "Pellum 8.01", "FramePellumFrame1", "wood5.gif", 450,
     "There was a problem running the program's path. Pellum Error # 10. Notify Orvane to correct "
     "this error!",
     &makeWindow<Pellum>, [](TimerWindow&) {}, false,
     {"menuNewTimer=Open A New Timer", "sep0", "menuclear=Clear this time", "sep1",
      "menuNotepad=Show The Notepad", "menuMode=Timing Mode", "menuBackground=Background", "sep2",
      "menuResolution=Change Color Display", "sep3", "menuAlwaysOnTop=Always On Top",
      "menuOptions=Set Options", "sep4", "menuHelp=Help Using Pellum", "menuAbout=About Pellum",
      "sep5", "menuCloseActionBox=Close Action Box", "sep6", "menuExit=EXIT Pellum"},
     {213, 200, 202},
     false,
     "ButPellumStart",
     {"FrameOptionsTitle", "butOptionsSave", "ButOptionsCancel", "butOptionsHelp",
      "FrameOptionsTitle"},
     {{"FrameLabel1", twipsRect(750, 1700, 2100, 500),
       "Start the Pellum timer or use the Action button!", ""},
      {"txtNotes", twipsRect(100, 1400, 3100, 1000), "", "Jot down notes for this timer here"}},
     "FrameLabel1",
     {}},
};

} // namespace

class TimerWindowTest : public ::testing::TestWithParam<Program>, protected FakeDesktop {
protected:
    const Program& program() const { return GetParam(); }
    QString name() const { return QString::fromLatin1(program().name); }
    // The program's stored key: "Vexlo Mode".
    QString key(const char* what) const { return name() + u' ' + QLatin1String(what); }
    QString button(const char* what) const { return "But" + name() + QLatin1String(what); }

    // Its panels built at once, unless a test follows them being built after the first drawing.
    std::unique_ptr<TimerWindow> make(SettingsStore& store, bool panelsBuilt = true)
    {
        auto made = program().make(platform(store), shell());
        if (panelsBuilt)
            made->buildPanels();
        return made;
    }

    TimerWindow& open(bool panelsBuilt = true)
    {
        window = make(t.store, panelsBuilt);
        window->show();
        // What the start has to say comes once the window is up.
        QCoreApplication::processEvents();
        return *window;
    }

    template <typename W = QWidget> W* the(const QString& name) const
    {
        return controlNamed<W>(*window, name);
    }
    bool shown(const QString& name) const { return !the(name)->isHidden(); }

    void start()
    {
        program().readyToStart(*window);
        the<QPushButton>(button("Start"))->click();
    }

    std::unique_ptr<TimerWindow> window;
};

class TimerWindowKeyboardTest : public keyboard::Fixture<TimerWindowTest> {};

namespace {

std::string programName(const ::testing::TestParamInfo<Program>& info)
{
    return info.param.name;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Programs, TimerWindowTest, ::testing::ValuesIn(kPrograms), programName);
INSTANTIATE_TEST_SUITE_P(Programs, TimerWindowKeyboardTest, ::testing::ValuesIn(kPrograms),
                         programName);

TEST_P(TimerWindowTest, FirstStartStoresItsKeysAndStartsStoppedOnTopInIndianLaurel)
{
    TimerWindow& w = open();
    const QString absent = "<absent>";
    // Spelt out: other programs and older installations read these very keys.
    const std::pair<const char*, QString> keys[] = {
        {"Path", VEXLO_PROGRAM_DIR},         {"Background", program().firstBackground},
        {"ForeColor 1", "65535"},            {"ForeColor 2", "16777215"},
        {"Position Left", "200"},            {"Position Top", "200"},
        {"Mode", "True"},                    {"Run Default Colors", "False"},
        {"Always On Top", "1"},              {"Current Title", absent},
    };
    for (const auto& [stored, value] : keys)
        EXPECT_EQ(t.store.get(key(stored), absent), value) << stored;

    EXPECT_EQ(w.windowTitle(), program().version);
    EXPECT_EQ(w.size(), clientSizeForOuter(3430, 3000));
    // No window has opened a new timer yet: 500 twips right of and below the stored place.
    EXPECT_EQ(w.pos(), QPoint(twips(700), twips(700)));
    EXPECT_EQ(w.skins().fields().LabelPath, VEXLO_PROGRAM_DIR);
    EXPECT_EQ(w.skins().fields().LabelPicture1, program().firstBackground);
    EXPECT_EQ(w.skins().fields().LabelColor1, "65535");
    EXPECT_EQ(w.skins().fields().LabelColor2, "16777215");
    EXPECT_EQ(w.currentTitle(), name());
    EXPECT_TRUE(the<QAction>("menuBackgroundWood5")->isChecked());
    EXPECT_FALSE(the<SkinPanel>(program().timerPanel)->picture().isNull());
    EXPECT_TRUE(w.normalMode());
    EXPECT_TRUE(the<QAction>("menuMode1")->isChecked());
    EXPECT_FALSE(the<QAction>("menuMode2")->isChecked());
    EXPECT_TRUE(the<QAction>("menuAlwaysOnTop")->isChecked());
    EXPECT_EQ(stacking.calls, QStringList{"top"});

    EXPECT_EQ(digitsShown(w), " 0:00:00");
    EXPECT_FALSE(the<QTimer>("Timer1")->isActive());
    EXPECT_EQ(the<QTimer>("Timer1")->interval(), program().tick);
    EXPECT_TRUE(shown(program().timerPanel));
    for (const QString& hidden : {QString("FrameAbout"), QString("FrameOptions"), button("Stop"),
                                  QString("txtNotes")})
        EXPECT_FALSE(shown(hidden)) << hidden.toStdString();
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_P(TimerWindowTest, AStoredSkinDressesThePanelsBuiltAfterTheFirstDrawing)
{
    ASSERT_TRUE(t.store.saveAll({{key("Path"), VEXLO_PROGRAM_DIR},
                                 {key("Background"), "Granite3.gif"},
                                 {key("ForeColor 1"), "0"},
                                 {key("ForeColor 2"), "255"},
                                 {key("Run Default Colors"), "False"}}));
    TimerWindow& w = open(false);
    EXPECT_EQ(w.findChild<SkinPanel*>("FrameOptions"), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.findChild<SkinPanel*>("FrameOptions"); }));

    EXPECT_TRUE(the<QAction>("menuBackgroundGranite3")->isChecked());
    const QPixmap& picture = the<SkinPanel>(program().timerPanel)->picture();
    EXPECT_EQ(picture.size(), QSize(512, 448));
    for (const char* panel : {"FrameOptions", "FrameAbout", "FrameAboutFrame2"})
        EXPECT_EQ(the<SkinPanel>(panel)->picture().cacheKey(), picture.cacheKey()) << panel;
    EXPECT_EQ(the<QLabel>("FrameOptionsLabel0")->palette().color(QPalette::WindowText),
              QColor(255, 0, 0));
    EXPECT_EQ(the<QLabel>("LabelAbout1")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_P(TimerWindowTest, AnyStoredModeButExactlyTrueStartsInStopWatchAndIsNotRewritten)
{
    struct Case {
        QString stored;
        bool normal;
    };
    const Case cases[] = {{"True", true}, {"true", false},  {"TRUE", false}, {" True", false},
                          {"", false},    {"False", false}, {"1", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        TempStore fresh;
        EXPECT_TRUE(fresh.store.saveAll({{key("Path"), "/opt/vexlo/"}, {key("Mode"), c.stored}}));
        window = make(fresh.store);
        EXPECT_EQ(window->normalMode(), c.normal);
        EXPECT_EQ(the<QAction>("menuMode1")->isChecked(), c.normal);
        EXPECT_EQ(the<QAction>("menuMode2")->isChecked(), !c.normal);
        EXPECT_EQ(fresh.store.get(key("Mode")), c.stored);
        window.reset(); // before its store goes
    }
}

TEST_P(TimerWindowTest, ControlsSitWhereTheyBelongNamedForScreenReaders)
{
    TimerWindow& w = open();
    EXPECT_EQ(w.windowTitle(), program().version);
    QList<Control> controls = {
        {button("Start"), twipsRect(400, 830, 900, 500), "Start", "Start the timer"},
        {button("Stop"), twipsRect(400, 830, 900, 500), "Stop", "Stop the timer"},
        {button("Action"), twipsRect(2100, 830, 900, 500), "Action", "Choose an action"},
        {"butOptionsSave", {}, "Save", "Save these options"},
        {"ButOptionsCancel", {}, "Cancel", "Cancel these options"},
        {"butOptionsHelp", {}, "Help", "Help"},
        {"ButAboutOKr", {}, "OK", "Continue"},
        {"butAboutHelpR", {}, "Help", "Help"},
        {"FrameOptionsLabel0", {}, "Title", ""},
    };
    for (const Control& c : controls + program().ownControls) {
        SCOPED_TRACE(c.name.toStdString());
        QWidget* control = the(c.name);
        EXPECT_TRUE(c.place.isNull() || control->geometry() == c.place);
        EXPECT_EQ(control->toolTip(), c.tip);
        const auto* button = qobject_cast<QPushButton*>(control);
        const auto* label = qobject_cast<QLabel*>(control);
        EXPECT_EQ(button ? button->text() : label ? label->text() : QString(), c.text);
        // Nothing is cut off: a caption fits its button, a label's wrapped text fits it whole.
        EXPECT_TRUE(!button || button->fontMetrics().horizontalAdvance(c.text) <= button->width());
        EXPECT_TRUE(!label || label->heightForWidth(label->width()) <= label->height());
    }
    // Every control can be found by its name, by tests and screen readers alike, and lies
    // wholly inside its window. The parts Qt builds a text box from are the box's own.
    for (QWidget* widget : w.findChildren<QWidget*>()) {
        if (widget->objectName().startsWith("qt_") ||
            widget->parentWidget()->objectName().startsWith("qt_"))
            continue;
        const std::string name = widget->objectName().toStdString();
        EXPECT_FALSE(widget->objectName().isEmpty()) << widget->metaObject()->className();
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << name;
        if (const auto* label = qobject_cast<QLabel*>(widget); label && label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
        }
        if (!widget->isWindow()) {
            EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry())) << name;
        }
    }
}

TEST_P(TimerWindowTest, EveryShownControlReadsAsItsCaptionInEveryState)
{
    const struct {
        const char* state;
        std::function<void(TimerWindow&)> reach;
    } states[] = {
        {"stopped at start", [](TimerWindow&) {}},
        // The hint under the buttons changes with each of them.
        {"running", [this](TimerWindow&) { start(); }},
        {"stopped", [this](TimerWindow&) { the<QPushButton>(button("Stop"))->click(); }},
        {"with the notepad", [this](TimerWindow&) { the<QAction>("menuNotepad")->trigger(); }},
        {"options", [](TimerWindow& w) { w.menuOptionsClick(); }},
        {"about, after a new title was saved",
         [this](TimerWindow& w) {
             the<QLineEdit>("FrameOptionsTitle")->setText("Kettle");
             w.butOptionsSaveClick();
             w.menuAboutClick();
         }},
        {"back on the timer", [](TimerWindow& w) { w.ButAboutOKrClick(); }},
    };
    TimerWindow& w = open();
    for (const auto& s : states) {
        SCOPED_TRACE(s.state);
        s.reach(w);
        EXPECT_EQ(unreadableControls(&w, program().namedByHand), QStringList());
    }
    // The hint reads as it now stands, not as it first read.
    start();
    EXPECT_EQ(accessibleName(the(program().hint)),
              "Stop the " + name() + " timer or use the Action button!");
}

TEST_P(TimerWindowTest, AMissingPictureIsReportedOnceAndNothingIsRemovedAndTheWindowGoesOn)
{
    QTemporaryDir folder;
    for (const SkinItem& skin : skinTable())
        QFile::copy(VEXLO_PROGRAM_DIR + QString(skin.file), folder.filePath(skin.file));
    ASSERT_TRUE(QFile::remove(folder.filePath("Marble2.gif")));
    EXPECT_TRUE(t.store.saveAll({{key("Path"), folder.path() + '/'},
                                 {key("Background"), program().firstBackground},
                                 {key("ForeColor 1"), "65535"},
                                 {key("ForeColor 2"), "16777215"},
                                 {"Date Vexlo 1 Message", "Dentist"}}));
    TimerWindow& w = open();
    ASSERT_TRUE(dialogs.shown.isEmpty());
    const auto picture = [](const SkinPanel* panel) {
        return panel->picture().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage before = picture(the<SkinPanel>(program().timerPanel));
    ASSERT_FALSE(before.isNull());
    const QColor colour1 = the("LabelAbout1")->palette().color(QPalette::WindowText);

    the<QAction>("menuBackgroundMarble2")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, "message");
    EXPECT_EQ(dialogs.shown[0].title, name());
    EXPECT_EQ(dialogs.shown[0].text, program().pathError);
    // The look stays as it was; the choice stays stored and nothing is removed.
    for (const SkinPanel* panel : w.findChildren<SkinPanel*>())
        EXPECT_TRUE(picture(panel) == before) << panel->objectName().toStdString();
    EXPECT_EQ(the("LabelAbout1")->palette().color(QPalette::WindowText), colour1);
    EXPECT_EQ(t.store.get(key("Background")), "Marble2.gif");
    EXPECT_EQ(t.store.get(key("Path")), folder.path() + '/');
    EXPECT_EQ(t.store.get("Date Vexlo 1 Message"), "Dentist");
    QStringList checked;
    for (QAction* item : w.findChildren<QAction*>()) {
        if (item->objectName().startsWith("menuBackground") && item->isChecked())
            checked << item->objectName();
    }
    EXPECT_EQ(checked, QStringList{"menuBackgroundMarble2"});

    // The window goes on: the count runs and another skin applies.
    start();
    const QString shownBefore = digitsShown(w);
    for (int i = 0; i < 2; ++i) {
        clock.advance(1);
        w.Timer1Tick();
    }
    EXPECT_NE(digitsShown(w), shownBefore);
    EXPECT_EQ(sound.requests.size(), program().alarm ? 1 : 0);
    the<QAction>("menuBackgroundWood2")->trigger();
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(picture(the<SkinPanel>(program().timerPanel)) ==
                QImage(folder.filePath("Wood2.gif")).convertToFormat(QImage::Format_RGB32));
}

TEST_P(TimerWindowTest, TimingModeIsAPairOfExclusiveItemsStoredOnChange)
{
    TimerWindow& w = open();
    QAction* normal = the<QAction>("menuMode1");
    QAction* stopWatch = the<QAction>("menuMode2");
    EXPECT_EQ(normal->text(), "Normal");
    EXPECT_EQ(stopWatch->text(), "StopWatch");
    EXPECT_TRUE(normal->isChecked());
    struct Step {
        QAction* clicked;
        bool normal;
        QString stored;
    };
    // Choosing the checked item again changes and stores nothing.
    const Step steps[] = {{stopWatch, false, "False"},
                          {stopWatch, false, "untouched"},
                          {normal, true, "True"},
                          {normal, true, "untouched"}};
    for (const Step& s : steps) {
        EXPECT_TRUE(t.store.save(key("Mode"), "untouched"));
        s.clicked->trigger();
        EXPECT_EQ(w.normalMode(), s.normal);
        EXPECT_EQ(normal->isChecked(), s.normal);
        EXPECT_EQ(stopWatch->isChecked(), !s.normal);
        EXPECT_EQ(t.store.get(key("Mode")), s.stored);
    }
}

TEST_P(TimerWindowTest, ActionOpensTheMenuInItsOrderByMouseOrKeyboard)
{
    open();
    auto* menu = the<QMenu>("menufile");
    QStringList entries;
    for (QAction* action : menu->actions())
        entries << (action->isSeparator() ? action->objectName()
                                          : action->objectName() + u'=' + action->text());
    EXPECT_EQ(entries, program().actionBox);

    the<QPushButton>(button("Action"))->click();
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    for (const int key : {int(Qt::Key_Space), int(Qt::Key_Return)}) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(the(button("Action")), &down);
        QApplication::sendEvent(the(button("Action")), &up);
        EXPECT_TRUE(menu->isVisible()) << key;
        menu->hide();
    }
}

TEST_P(TimerWindowTest, OptionsSetTheTitleAndAboutAndHelpOpenTheirPanelsAndTopics)
{
    TimerWindow& w = open();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* title = the<QLineEdit>("FrameOptionsTitle");
    the<QAction>("menuOptions")->trigger();
    EXPECT_EQ(w.windowTitle(), name() + " Options");
    EXPECT_TRUE(shown("FrameOptions"));
    EXPECT_FALSE(shown(program().timerPanel));
    the<QPushButton>("butOptionsHelp")->click();
    // Focus selects the first 150 characters, so typing replaces a title.
    title->setText(QString("0123456789").repeated(20));
    the("butOptionsSave")->setFocus();
    title->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(title->selectedText(), title->text().left(150));

    title->setText("Meeting");
    the<QPushButton>("ButOptionsCancel")->click();
    EXPECT_EQ(title->text(), program().cancelKeepsTitle ? "Meeting" : name());
    EXPECT_EQ(w.windowTitle(), name());
    EXPECT_TRUE(shown(program().timerPanel));
    EXPECT_FALSE(shown("FrameOptions"));

    w.menuOptionsClick();
    title->setText("Meeting");
    the<QPushButton>("butOptionsSave")->click();
    EXPECT_EQ(w.windowTitle(), "Meeting");
    EXPECT_FALSE(shown("FrameOptions"));

    the<QAction>("menuAbout")->trigger();
    EXPECT_EQ(w.windowTitle(), "About " + name());
    EXPECT_TRUE(shown("FrameAbout"));
    EXPECT_FALSE(shown(program().timerPanel));
    EXPECT_EQ(the<QLabel>("LabelAbout1")->text(), program().version);
    EXPECT_EQ(the<QPushButton>("ButAboutOKr")->toolTip(), "Continue");
    the<QPushButton>("butAboutHelpR")->click();
    the<QPushButton>("ButAboutOKr")->click();
    EXPECT_EQ(w.windowTitle(), "Meeting");
    EXPECT_FALSE(shown("FrameAbout"));
    EXPECT_TRUE(shown(program().timerPanel));

    the<QAction>("menuHelp")->trigger();
    EXPECT_EQ(help.topics, program().helpTopics);
}

TEST_P(TimerWindowTest, ExitAndCloseKeepThePlaceOfANormalWindowOnly)
{
    struct Case {
        bool exit;
        Qt::WindowState state;
        QPoint place;
        QString left;
        QString top;
    };
    const Case cases[] = {
        {true, Qt::WindowNoState, {100, 50}, "1500", "750"},
        {false, Qt::WindowNoState, {100, 50}, "1500", "750"},
        // A monitor left of the primary one.
        {true, Qt::WindowNoState, {-300, 40}, "-4500", "600"},
        {true, Qt::WindowMinimized, {100, 50}, "200", "200"},
        {false, Qt::WindowMinimized, {100, 50}, "200", "200"},
        {true, Qt::WindowMaximized, {100, 50}, "200", "200"},
        {false, Qt::WindowMaximized, {100, 50}, "200", "200"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.exit ? "exit " : "close ") + std::to_string(c.state) + " at " +
                     std::to_string(c.place.x()));
        TempStore fresh;
        window = make(fresh.store);
        window->show();
        window->move(c.place);
        start();
        window->setWindowState(c.state);
        c.exit ? the<QAction>("menuExit")->trigger() : void(window->close());
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(the<QTimer>("Timer1")->isActive());
        EXPECT_EQ(fresh.store.get(key("Position Left")), c.left);
        EXPECT_EQ(fresh.store.get(key("Position Top")), c.top);
    }
}

TEST_P(TimerWindowTest, ANewTimerOpensWhereTheOpenerStoodOrBesideItWhenRenamed)
{
    struct Case {
        const char* why;
        QString title;
        QPoint opens;
    };
    const Case cases[] = {
        {"default title", name(), QPoint(100, 50)},
        {"renamed", "Meeting", QPoint(100 + twips(500), 50 + twips(500))},
        // A name that differs only in case is another name.
        {"renamed in lower case", name().toLower(), QPoint(100 + twips(500), 50 + twips(500))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TimerWindow& w = open();
        w.move(100, 50);
        w.menuOptionsClick();
        the<QLineEdit>("FrameOptionsTitle")->setText(c.title);
        w.butOptionsSaveClick();

        std::unique_ptr<TimerWindow> opened;
        launcher.onStart = [&] { opened = make(t.store); };
        launcher.starts = 0;
        the<QAction>("menuNewTimer")->trigger();
        ASSERT_EQ(launcher.starts, 1);
        ASSERT_TRUE(opened);
        EXPECT_EQ(t.store.get(key("Position Left")), "1500");
        EXPECT_EQ(t.store.get(key("Position Top")), "750");
        EXPECT_EQ(t.store.get(key("Current Title")), c.title);
        EXPECT_EQ(opened->pos(), c.opens);
        // The new window has a name of its own again.
        EXPECT_EQ(opened->windowTitle(), program().version);
        EXPECT_EQ(opened->currentTitle(), name());
        EXPECT_TRUE(dialogs.shown.isEmpty());
    }

    // Before any window opened a new timer every start goes 500 twips on, and keeps that place.
    TempStore fresh;
    EXPECT_TRUE(fresh.store.saveAll({{key("Path"), VEXLO_PROGRAM_DIR},
                                     {key("Background"), program().firstBackground},
                                     {key("ForeColor 1"), "65535"},
                                     {key("ForeColor 2"), "16777215"},
                                     {key("Position Left"), "1500"},
                                     {key("Position Top"), "750"}}));
    struct Start {
        QPoint opens;
        QString left;
        QString top;
    };
    const Start starts[] = {{{twips(2000), twips(1250)}, "2000", "1250"},
                            {{twips(2500), twips(1750)}, "2500", "1750"}};
    for (const Start& s : starts) {
        window = make(fresh.store);
        window->show();
        EXPECT_EQ(window->pos(), s.opens);
        window->close();
        EXPECT_EQ(fresh.store.get(key("Position Left")), s.left);
        EXPECT_EQ(fresh.store.get(key("Position Top")), s.top);
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_P(TimerWindowKeyboardTest, EveryCommandOfTheWindowTakesTheKeyboardAlone)
{
    TimerWindow& w = openActive();
    const QString action = button("Action");
    const QString back = program().backFromPanel;
    // Back from a panel, Tab goes on to Action where the keyboard did not come back to it.
    const QString toAction = back == action ? "" : "Tab ";
    the(action)->setFocus();
    const struct {
        QString keys;
        QString focus; // where the focus is afterwards
        std::function<void()> check;
    } steps[] = {
        {"Space @menuOptions \"Kettle\" Esc", back,
         [&] {
             EXPECT_FALSE(shown("FrameOptions"));
             EXPECT_EQ(w.currentTitle(), name());
             EXPECT_EQ(w.windowTitle(), name());
         }},
        {toAction + "Space @menuAbout Return", back, [&] { EXPECT_FALSE(shown("FrameAbout")); }},
        {toAction + "Space @menuAbout Esc", back, [&] { EXPECT_FALSE(shown("FrameAbout")); }},
        {toAction + "Space @menuHelp", action,
         [&] { EXPECT_EQ(help.topics, QList<int>{program().helpTopics.last()}); }},
        {"Space @menuAlwaysOnTop", action,
         [&] { EXPECT_EQ(stacking.calls.value(stacking.calls.size() - 1), "normal"); }},
        {"Space @menuNewTimer", action, [&] { EXPECT_EQ(launcher.starts, 1); }},
        {"Space @menuMode> @menuMode2", action, [&] { EXPECT_FALSE(w.normalMode()); }},
        {"Space @menuNotepad \"Call back\"", "txtNotes",
         [&] { EXPECT_EQ(the<QPlainTextEdit>("txtNotes")->toPlainText(), "Call back"); }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.keys.toStdString());
        play(s.keys);
        EXPECT_EQ(keyboard::focused(), s.focus);
        s.check();
    }
    play("Shift+Tab Space @menuExit");
    EXPECT_FALSE(w.isVisible());
}

TEST_P(TimerWindowKeyboardTest, TabFollowsTheLayoutOnEveryPanel)
{
    TimerWindow& w = openActive();
    const struct {
        const char* panel;
        std::function<void()> open;
        QStringList round;
    } panels[] = {
        {"running, with the notepad below the buttons",
         [&] {
             the<QAction>("menuNotepad")->trigger();
             start();
         },
         {button("Stop"), button("Action"), "txtNotes", button("Stop")}},
        {"the options", [&] { w.menuOptionsClick(); }, program().optionsTabRound},
        {"About",
         [&] {
             w.ButOptionsCancelClick();
             w.menuAboutClick();
         },
         {"ButAboutOKr", "butAboutHelpR", "ButAboutOKr"}},
    };
    for (const auto& p : panels) {
        SCOPED_TRACE(p.panel);
        p.open();
        keyboard::expectTabRound(&w, p.round);
    }
}
