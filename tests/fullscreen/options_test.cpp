#include "fullscreenfixture.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QtTest/QTest>

class OptionsTest : public FullScreenTest {
protected:
    QDialog* openOptions()
    {
        item("menuOptions")->trigger();
        return child<QDialog>("Options");
    }
    QLineEdit* messageBox() const { return child<QLineEdit>("TextMessage3"); }
    QLineEdit* soundBox() const { return child<QLineEdit>("TextWave3"); }
    // A button of the dialog; the About window has a Help button too.
    QPushButton* button(const char* name) const
    {
        auto* found = child("Options")->findChild<QPushButton*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) const { button(name)->click(); }
    QString shownMessage() const { return child<QLabel>("LabelMessage")->text(); }
};

TEST_F(OptionsTest, OpenBesideTheTimerWithTheStoredChoices)
{
    EXPECT_TRUE(t.store.save(fullscreenkeys::kMessage, "Exam ends at noon"));
    open();
    QDialog* options = openOptions();
    EXPECT_TRUE(options->isVisible());
    EXPECT_FALSE(options->isModal());
    EXPECT_EQ(options->windowTitle(), "Options");
    // 2800 twips high with its title bar.
    EXPECT_EQ(options->height(), clientSizeForOuter(0, 2800).height());
    EXPECT_EQ(messageBox()->text(), "Exam ends at noon");
    EXPECT_EQ(soundBox()->text(), "Timer1.wav");
    EXPECT_EQ(options->findChild<QLabel*>("Label1")->text(), "Message for Full Screen Vexlo");
    EXPECT_EQ(options->findChild<QLabel*>("Label3")->text(), "Wave File for Full Screen Vexlo");
    const std::tuple<const char*, QString, QString> buttons[] = {
        {"butbrowse1", "...", ""},
        {"cmdSave", "&Save", "Save these options"},
        {"cmdCancel", "&Cancel", "Cancel changes to options"},
        {"cmdHelp", "&Help", "Help"},
    };
    for (const auto& [name, text, tip] : buttons) {
        EXPECT_EQ(button(name)->text(), text) << name;
        EXPECT_EQ(button(name)->toolTip(), tip) << name;
    }

    click("cmdHelp");
    EXPECT_EQ(help.topics, QList<int>{210});

    // Opened again while open, it keeps what was typed.
    messageBox()->setText("Half typed");
    openOptions();
    EXPECT_EQ(messageBox()->text(), "Half typed");
}

TEST_F(OptionsTest, SaveStoresBothAndShowsThemAtOnce)
{
    FullScreenVexlo& w = open();
    openOptions();
    messageBox()->setText("Tea is ready");
    dialogs.chosenFile = "/home/me/bell.wav";
    click("butbrowse1");
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, "open");
    EXPECT_EQ(dialogs.shown[0].title, "Open");
    EXPECT_EQ(dialogs.shown[0].text, QString(VEXLO_PROGRAM_DIR) + "|Wave files (*.wav)");
    EXPECT_EQ(soundBox()->text(), "/home/me/bell.wav");

    click("cmdSave");
    EXPECT_FALSE(child("Options")->isVisible());
    EXPECT_EQ(t.store.get(fullscreenkeys::kMessage), "Tea is ready");
    EXPECT_EQ(t.store.get(fullscreenkeys::kSound), "/home/me/bell.wav");
    EXPECT_EQ(shownMessage(), "Tea is ready");
    EXPECT_EQ(w.state().LabelSound3, "/home/me/bell.wav");

    // The next time-up plays it.
    runOut(0, 2);
    EXPECT_EQ(sound.requests, QStringList{"/home/me/bell.wav"});
}

TEST_F(OptionsTest, CancelKeepsWhatWasStored)
{
    FullScreenVexlo& w = open();
    const QString before = shownMessage();
    for (const char* how : {"cmdCancel", "Escape"}) {
        openOptions();
        messageBox()->setText("Never mind");
        dialogs.chosenFile = "/tmp/other.wav";
        click("butbrowse1");
        if (QByteArray(how) == "Escape")
            QTest::keyClick(messageBox(), Qt::Key_Escape);
        else
            click(how);
        EXPECT_FALSE(child("Options")->isVisible()) << how;
        EXPECT_EQ(t.store.get(fullscreenkeys::kMessage), before) << how;
        EXPECT_EQ(t.store.get(fullscreenkeys::kSound), "Timer1.wav") << how;
        EXPECT_EQ(shownMessage(), before) << how;
        EXPECT_EQ(w.state().LabelSound3, "Timer1.wav") << how;
    }
    openOptions();
    EXPECT_EQ(messageBox()->text(), before);
    EXPECT_EQ(soundBox()->text(), "Timer1.wav");
}

TEST_F(OptionsTest, ACancelledBrowseOrAnEmptyBoxMeansTheDefaultSound)
{
    EXPECT_TRUE(t.store.save(fullscreenkeys::kSound, "/home/me/bell.wav"));
    open();
    openOptions();
    dialogs.chosenFile.clear();
    click("butbrowse1");
    EXPECT_EQ(soundBox()->text(), "Timer1.wav");
    click("cmdSave");
    EXPECT_EQ(t.store.get(fullscreenkeys::kSound), "Timer1.wav");

    EXPECT_TRUE(t.store.remove(fullscreenkeys::kSound));
    openOptions();
    EXPECT_EQ(soundBox()->text(), "");
    click("cmdSave");
    EXPECT_EQ(t.store.get(fullscreenkeys::kSound), "Timer1.wav");
}

TEST_F(OptionsTest, AnEmptyMessageLastsUntilTheNextStart)
{
    open();
    openOptions();
    messageBox()->clear();
    click("cmdSave");
    EXPECT_EQ(t.store.get(fullscreenkeys::kMessage), "");
    EXPECT_EQ(shownMessage(), "");

    open();
    const QString first = QString::fromUtf8(fullscreenkeys::kDefaultMessage);
    EXPECT_EQ(shownMessage(), first);
    EXPECT_EQ(t.store.get(fullscreenkeys::kMessage), first);
}

TEST_F(OptionsTest, AFailedSaveSaysSoAndKeepsWhatWasTyped)
{
    open();
    const QString before = shownMessage();
    QDialog* options = openOptions();
    messageBox()->setText("Typed but not saved");
    store.refuseWrites = true;
    click("cmdSave");

    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, "message");
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("The options could not be saved"));
    EXPECT_TRUE(options->isVisible());
    EXPECT_EQ(messageBox()->text(), "Typed but not saved");
    EXPECT_EQ(shownMessage(), before);

    store.refuseWrites = false;
    click("cmdSave");
    EXPECT_EQ(shownMessage(), "Typed but not saved");
    EXPECT_FALSE(options->isVisible());
}

TEST_F(OptionsTest, TheMessageIsSelectedForTypingAndTheSoundOnlyBrowsed)
{
    EXPECT_TRUE(t.store.save(fullscreenkeys::kMessage, QString(200, u'm')));
    open();
    QDialog* options = openOptions();
    QApplication::setActiveWindow(options);
    messageBox()->clearFocus();
    messageBox()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(messageBox()->selectionStart(), 0);
    EXPECT_EQ(messageBox()->selectedText().size(), 150);

    soundBox()->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(child("butbrowse1")->hasFocus());
    EXPECT_TRUE(soundBox()->isReadOnly());
    QTest::keyClicks(soundBox(), "typed");
    EXPECT_EQ(soundBox()->text(), "Timer1.wav");
}
