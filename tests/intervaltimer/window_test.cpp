#include "vexlofixture.h"

#include "resolutions.h"
#include "twips.h"

#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>

namespace {

const QString kAbsent = QStringLiteral("<absent>");

} // namespace

TEST_F(VexloTest, AlwaysOnTopFollowsTheStoreAndTheItem)
{
    struct Case {
        QString stored;
        bool onTop;
        QString storedAfter;
    };
    const Case cases[] = {
        {kAbsent, true, "1"}, {"1", true, "1"},      {"1.0", true, "1.0"}, {"0", false, "0"},
        {"2", false, "2"},    {"yes", false, "yes"}, {" 1 ", true, " 1 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        TempStore fresh;
        EXPECT_TRUE(fresh.store.save(timerkeys::kWindow.path, "/opt/vexlo/"));
        EXPECT_TRUE(c.stored == kAbsent ||
                    fresh.store.save(timerkeys::kWindow.alwaysOnTop, c.stored));
        stacking.calls.clear();
        auto w = make(fresh.store);
        QAction* onTop = w->findChild<QAction*>("menuAlwaysOnTop");
        EXPECT_EQ(onTop->text(), "Always On Top");
        EXPECT_EQ(onTop->isChecked(), c.onTop);
        EXPECT_EQ(stacking.calls, QStringList{c.onTop ? "top" : "normal"});
        EXPECT_EQ(fresh.store.get(timerkeys::kWindow.alwaysOnTop), c.storedAfter);

        onTop->trigger();
        EXPECT_EQ(onTop->isChecked(), !c.onTop);
        EXPECT_EQ(fresh.store.get(timerkeys::kWindow.alwaysOnTop), c.onTop ? "0" : "1");
        onTop->trigger();
        EXPECT_EQ(onTop->isChecked(), c.onTop);
        EXPECT_EQ(fresh.store.get(timerkeys::kWindow.alwaysOnTop), c.onTop ? "1" : "0");
        EXPECT_EQ(stacking.calls, (c.onTop ? QStringList{"top", "normal", "top"}
                                           : QStringList{"normal", "top", "normal"}));
    }
}

TEST_F(VexloTest, OnlyAnUnexpectedFailureToOpenANewTimerIsReported)
{
    struct Case {
        InstanceLauncher::Result result;
        bool storeRefuses;
        int starts;
        bool reported;
    };
    const Case cases[] = {
        {InstanceLauncher::Result::Started, false, 1, false},
        {InstanceLauncher::Result::Refused, false, 1, false},
        {InstanceLauncher::Result::Failed, false, 1, true},
        // Without its place stored the new timer would open anywhere.
        {InstanceLauncher::Result::Started, true, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.result) * 10 + c.storeRefuses);
        TempStore fresh;
        RefusingStore store(fresh.store);
        auto w = make(store);
        store.refuseWrites = c.storeRefuses;
        dialogs.shown.clear();
        launcher.starts = 0;
        launcher.result = c.result;
        w->findChild<QAction*>("menuNewTimer")->trigger();
        EXPECT_EQ(launcher.starts, c.starts);
        if (c.reported) {
            ASSERT_EQ(dialogs.shown.size(), 1);
            EXPECT_EQ(dialogs.shown[0].title, "Vexlo");
            EXPECT_EQ(dialogs.shown[0].text,
                      "There was a problem. Vexlo Error #13. Notify Orvane about this error!");
        } else {
            EXPECT_TRUE(dialogs.shown.isEmpty());
        }
    }
}

TEST_F(VexloTest, TheNotepadComesAndGoesWithItsItemClearAndOk)
{
    Vexlo& w = open();
    auto* notes = child<QPlainTextEdit>("txtNotes");
    QAction* notepad = item("menuNotepad");
    EXPECT_EQ(notes->geometry(), twipsRect(50, 1400, 3230, 1000));
    EXPECT_EQ(notes->toolTip(), "Jot down notes for this timer here");
    EXPECT_FALSE(shown("txtNotes"));
    EXPECT_EQ(notepad->text(), "Show The Notepad");

    notepad->trigger();
    EXPECT_TRUE(shown("txtNotes"));
    EXPECT_EQ(notepad->text(), "Hide The Notepad");
    notes->setPlainText("Steep for four minutes");
    notepad->trigger();
    EXPECT_FALSE(shown("txtNotes"));
    EXPECT_EQ(notepad->text(), "Show The Notepad");

    const std::function<void()> closers[] = {
        [&] { item("menuClear")->trigger(); },
        [&] {
            runOut(0, 2);
            child<QPushButton>("ButVexloAcknowlegde")->click();
        },
    };
    for (const auto& close : closers) {
        notepad->trigger();
        ASSERT_TRUE(shown("txtNotes"));
        close();
        EXPECT_FALSE(shown("txtNotes"));
        EXPECT_EQ(notepad->text(), "Show The Notepad");
        // What was jotted down stays for as long as the window does.
        EXPECT_EQ(notes->toPlainText(), "Steep for four minutes");
    }

    // It is the window's alone: a new window starts with an empty notepad.
    w.close();
    EXPECT_TRUE(make(t.store)->findChild<QPlainTextEdit*>("txtNotes")->toPlainText().isEmpty());
}

TEST_F(VexloTest, ChangeColorDisplayEndsTheBackgroundMenuAndOpensTheDialogOnce)
{
    displayModes.modes = {{1024, 768, 32}, {1280, 800, 32}};
    displayModes.now = DisplayMode{1280, 800, 32};
    Vexlo& w = open();
    const QList<QAction*> background = child<QMenu>("menuBackground")->actions();
    ASSERT_GE(background.size(), 3);
    EXPECT_EQ(background.last()->objectName(), "menuResolution");
    EXPECT_EQ(background.last()->text(), "Change Color Display");
    EXPECT_TRUE(background[background.size() - 2]->isSeparator());
    QStringList heads;
    for (QAction* action : background.mid(0, background.size() - 2))
        heads << action->text();
    EXPECT_EQ(heads, (QStringList{"Default", "Granite", "Marble", "Travertino", "Wood"}));

    item("menuResolution")->trigger();
    auto* dialog = w.findChild<Resolutions*>("Resolutions");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isWindow());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), "Change Color Display");
    dialog->butResolutionsCancelClick();
    EXPECT_FALSE(dialog->isVisible());

    // Opened again, it is the same dialog with the list of its first opening.
    displayModes.modes.append({800, 600, 16});
    item("menuResolution")->trigger();
    EXPECT_EQ(w.findChildren<Resolutions*>().size(), 1);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(displayModes.listed, 1);
    EXPECT_EQ(dialog->findChild<QListWidget*>("List1")->count(), 2);
}
