#include "vexlofixture.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

class VexloOptionsTest : public VexloTest {
protected:
    QLineEdit* titleBox() const { return child<QLineEdit>("FrameOptionsTitle"); }
    QPlainTextEdit* messageBox() const { return child<QPlainTextEdit>("FrameOptionsText"); }
    QLineEdit* soundBox() const { return child<QLineEdit>("FrameOptionsWaveFile"); }
};

TEST_F(VexloOptionsTest, SavedTitleMessageAndSoundTakeEffectAtOnce)
{
    EXPECT_TRUE(t.store.saveAll({{timerkeys::kWindow.path, "/opt/vexlo/"},
                                 {timerkeys::kMessage, "Tea is ready"},
                                 {timerkeys::kSound, "/sounds/bell.wav"}}));
    Vexlo& w = open();
    item("menuOptions")->trigger();
    EXPECT_EQ(w.windowTitle(), "Vexlo Options");
    EXPECT_TRUE(shown("FrameOptions"));
    EXPECT_FALSE(shown("FrameVexlo1"));
    EXPECT_EQ(titleBox()->text(), "Vexlo");
    EXPECT_EQ(messageBox()->toPlainText(), "Tea is ready");
    EXPECT_EQ(soundBox()->text(), "/sounds/bell.wav");
    EXPECT_TRUE(soundBox()->isReadOnly());

    titleBox()->setText("Tea");
    messageBox()->setPlainText("The tea is ready");
    soundBox()->clear();
    child<QPushButton>("butOptionsSave")->click();
    EXPECT_EQ(w.windowTitle(), "Tea");
    EXPECT_EQ(w.currentTitle(), "Tea");
    EXPECT_FALSE(shown("FrameOptions"));
    EXPECT_TRUE(shown("FrameVexlo1"));
    EXPECT_EQ(t.store.get(timerkeys::kMessage), "The tea is ready");
    // No sound chosen is the default sound.
    EXPECT_EQ(t.store.get(timerkeys::kSound), "Timer1.wav");
    EXPECT_EQ(w.state().LabelSound1, "Timer1.wav");
    EXPECT_EQ(text("FrameLabel6"), "The tea is ready");

    // The new title is in the minimised title while the timer runs and on the alarm.
    setTime(5, 0);
    w.StartStopTimer();
    w.setWindowState(Qt::WindowMinimized);
    tickEverySecond(1);
    EXPECT_EQ(w.windowTitle(), "Tea - 0:04:59");
    tickEverySecond(299);
    EXPECT_EQ(w.windowTitle(), "Tea");

    // An emptied message is stored empty; the alarm then shows the default one.
    w.ButVexloAcknowlegdeClick();
    w.menuOptionsClick();
    messageBox()->clear();
    w.butOptionsSaveClick();
    EXPECT_EQ(t.store.get(timerkeys::kMessage, "<absent>"), "");
    runOut(0, 3);
    w.Timer2Tick();
    w.Timer2Tick();
    EXPECT_EQ(text("FrameLabel6"),
              "Click on the ACTION button, then SET OPTIONS to change this message!");
    EXPECT_TRUE(shown("FrameLabel6"));
}

TEST_F(VexloOptionsTest, CancelPutsBackWhatIsStoredButNotTheTitleBox)
{
    struct Case {
        QString storedSound;
        QString shownSound;
    };
    const Case cases[] = {{"/sounds/bell.wav", "/sounds/bell.wav"}, {"", "Timer1.wav"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.storedSound.toStdString());
        Vexlo& w = open();
        EXPECT_TRUE(t.store.saveAll(
            {{timerkeys::kMessage, "Tea is ready"}, {timerkeys::kSound, c.storedSound}}));
        w.menuOptionsClick();
        titleBox()->setText("Coffee");
        messageBox()->setPlainText("Coffee is ready");
        child<QPushButton>("ButOptionsCancel")->click();

        EXPECT_EQ(messageBox()->toPlainText(), "Tea is ready");
        EXPECT_EQ(soundBox()->text(), c.shownSound);
        EXPECT_EQ(t.store.get(timerkeys::kMessage), "Tea is ready");
        EXPECT_EQ(t.store.get(timerkeys::kSound), c.storedSound);
        EXPECT_EQ(w.windowTitle(), "Vexlo");
        EXPECT_EQ(w.currentTitle(), "Vexlo");
        EXPECT_TRUE(shown("FrameVexlo1"));
        EXPECT_FALSE(shown("FrameOptions"));
        // The cancelled title stays in its box, and that is the title when the time is up.
        EXPECT_EQ(titleBox()->text(), "Coffee");
        runOut(0, 1);
        EXPECT_EQ(w.windowTitle(), "Coffee");
    }
}

TEST_F(VexloOptionsTest, BrowseStartsInTheProgramFolderAndACancelMeansTheDefaultSound)
{
    Vexlo& w = open();
    w.menuOptionsClick();
    const QString chosen[] = {"/sounds/gong.wav", ""};
    const QString shown[] = {"/sounds/gong.wav", "Timer1.wav"};
    for (int i = 0; i < 2; ++i) {
        dialogs.chosenFile = chosen[i];
        child<QPushButton>("ButOptionsBrowse")->click();
        EXPECT_EQ(soundBox()->text(), shown[i]);
    }
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_EQ(dialogs.shown[0].kind, "open");
    EXPECT_EQ(dialogs.shown[0].title, "Open");
    EXPECT_EQ(dialogs.shown[0].text, QString(VEXLO_PROGRAM_DIR) + "|Wave files (*.wav)");
    // Nothing is stored before Save.
    EXPECT_EQ(t.store.get(timerkeys::kSound), "Timer1.wav");
    EXPECT_EQ(child<QPushButton>("ButOptionsBrowse")->toolTip(), "Browse for a new Wave file");
}

TEST_F(VexloOptionsTest, FocusSelectsTheFirst150CharactersAndSkipsTheSoundBox)
{
    Vexlo& w = open();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.menuOptionsClick();
    const QString longText = QString("0123456789").repeated(20);
    struct Case {
        QString text;
        int selected;
    };
    const Case cases[] = {{longText, 150}, {"Tea", 3}, {"", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.size());
        titleBox()->setText(c.text);
        messageBox()->setPlainText(c.text);
        for (QWidget* box :
             {static_cast<QWidget*>(titleBox()), static_cast<QWidget*>(messageBox())}) {
            child("ButOptionsBrowse")->setFocus(Qt::OtherFocusReason);
            box->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            EXPECT_EQ(QApplication::focusWidget(), box);
            const QString selected = box == titleBox() ? titleBox()->selectedText()
                                                       : messageBox()->textCursor().selectedText();
            EXPECT_EQ(selected, c.text.left(c.selected)) << box->objectName().toStdString();
        }
    }

    soundBox()->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(QApplication::focusWidget(), child("ButOptionsBrowse"));
}

TEST_F(VexloOptionsTest, ATickPutsTheUsersTitleBackOverThePanelTitles)
{
    Vexlo& w = open();
    setTime(2, 0);
    w.StartStopTimer();
    const struct {
        const char* open;
        const char* close;
        QString title;
    } panels[] = {{"menuOptions", "ButOptionsCancel", "Vexlo Options"},
                  {"menuAbout", "ButAboutOKr", "About Vexlo"}};
    for (const auto& panel : panels) {
        item(panel.open)->trigger();
        EXPECT_EQ(w.windowTitle(), panel.title);
        tickEverySecond(1);
        EXPECT_EQ(w.windowTitle(), "Vexlo");
        // The timer went on behind the panel.
        EXPECT_TRUE(child<QTimer>("Timer1")->isActive());
        child<QPushButton>(panel.close)->click();
        EXPECT_TRUE(shown("FrameVexlo1"));
    }
    // The alarm comes up over an open panel; acknowledged, it gives the keyboard back to that
    // panel, not to the scroll bars behind it, where arrow keys would set a time unseen.
    const std::pair<const char*, const char*> open[] = {{"menuAbout", "ButAboutOKr"},
                                                        {"menuOptions", "FrameOptionsTitle"}};
    for (const auto& [panel, focus] : open) {
        SCOPED_TRACE(panel);
        setTime(2, 0);
        w.StartStopTimer();
        item(panel)->trigger();
        tickEverySecond(120);
        EXPECT_TRUE(shown("FrameVexlo2"));
        EXPECT_EQ(w.childAt(child("ButVexloAcknowlegde")->geometry().center() +
                            child("FrameVexlo2")->pos()),
                  child("ButVexloAcknowlegde"));
        w.ButVexloAcknowlegdeClick();
        EXPECT_EQ(w.focusWidget(), child(focus));
    }
}

TEST_F(VexloOptionsTest, OptionsTheStoreRefusesStayOnThePanel)
{
    RefusingStore store(t.store);
    window = make(store);
    // The window keeps its place in the store as it goes: it goes first.
    const auto closeFirst = qScopeGuard([&] { window.reset(); });
    Vexlo& w = *window;
    w.show();
    w.menuOptionsClick();
    titleBox()->setText("Tea");
    messageBox()->setPlainText("Tea is ready");
    store.refuseWrites = true;
    w.butOptionsSaveClick();

    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("These options could not be saved"));
    EXPECT_TRUE(shown("FrameOptions"));
    EXPECT_EQ(messageBox()->toPlainText(), "Tea is ready");
    EXPECT_EQ(w.windowTitle(), "Vexlo Options");
    EXPECT_EQ(t.store.get(timerkeys::kMessage),
              "Click on the ACTION button, then SET OPTIONS to change this message!");

    store.refuseWrites = false;
    w.butOptionsSaveClick();
    EXPECT_EQ(t.store.get(timerkeys::kMessage), "Tea is ready");
    EXPECT_EQ(w.windowTitle(), "Tea");
}
