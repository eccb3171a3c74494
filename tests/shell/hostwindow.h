#pragma once

#include "desktopshell.h"
#include "scripteddialogs.h"
#include "skins.h"
#include "tempstore.h"

#include <QLabel>
#include <QWidget>

// A timer window of another program of the family, as the shell sees one: its own key prefix,
// texts and panels, a timer panel, an options panel and an About panel with an inner frame.
struct HostWindow {
    explicit HostWindow(const QString& path = VEXLO_PROGRAM_DIR) : LabelPath(path)
    {
        window.resize(221, 170);
        for (SkinPanel* panel : {timerPanel, optionsPanel, aboutPanel}) {
            panel->setParent(&window);
            panel->setGeometry(window.rect());
        }
        aboutInner->setParent(aboutPanel);
        aboutText->setParent(aboutInner);
        titleCaption->setParent(optionsPanel);
        hint->setParent(timerPanel);
    }

    SkinLook look()
    {
        return SkinLook{
            SkinKeys{"Pellum Background", "Pellum ForeColor 1", "Pellum ForeColor 2",
                     "Pellum Run Default Colors"},
            "wood0.gif",
            {timerPanel, aboutPanel, aboutInner, optionsPanel},
            {timerPanel, aboutPanel, aboutInner},
            {aboutText},
            {titleCaption},
            {{aboutText, QColor(255, 0, 0)}},
            "Pellum",
            "There was a problem running the program's path. Pellum Error # 10. Notify Orvane to "
            "correct this error!",
            [this](const QString& what) { refusedSaves.append(what); },
        };
    }

    Skins& skins()
    {
        if (!skins_)
            skins_ = new Skins(t.store, dialogs,
                               SkinFields{LabelPath, LabelPicture1, LabelColor1, LabelColor2},
                               look(), &window);
        return *skins_;
    }

    ShellWindow shellWindow()
    {
        return ShellWindow{window,
                           LabelCurrentTitle,
                           {"Pellum Always On Top", "Pellum Position Left", "Pellum Position Top",
                            "Pellum Current Title"},
                           200,
                           "Open A New Timer",
                           "Pellum",
                           "There was a problem. Error Handler 13. Notify Orvane about this "
                           "error!",
                           [this](const QString& what) { refusedSaves.append(what); }};
    }

    TempStore t;
    ScriptedDialogs dialogs;
    QWidget window;
    SkinPanel* timerPanel = new SkinPanel;
    SkinPanel* optionsPanel = new SkinPanel;
    SkinPanel* aboutPanel = new SkinPanel;
    SkinPanel* aboutInner = new SkinPanel;
    QLabel* aboutText = new QLabel("Pellum 8.01");
    QLabel* titleCaption = new QLabel("Title");
    QLabel* hint = new QLabel("Start the timer");

    QString LabelCurrentTitle = "Pellum";
    QString LabelPath;
    QString LabelPicture1 = "Default.gif";
    QString LabelColor1 = "65535";
    QString LabelColor2 = "16777215";
    // What the shell said could not be kept, in order.
    QStringList refusedSaves;

private:
    Skins* skins_ = nullptr;
};
