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
    explicit HostWindow(const QString& path = VEXLO_PROGRAM_DIR)
        : fields{path, "Default.gif", "65535", "16777215"}
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
            TimerWindowKeys("Pellum"),
            "wood0.gif",
            {timerPanel, aboutPanel, aboutInner, optionsPanel},
            {timerPanel, aboutPanel, aboutInner},
            {aboutText},
            {titleCaption},
            {{aboutText, QColor(255, 0, 0)}},
            "Pellum",
            "There was a problem running the program's path. Pellum Error # 10. Notify Orvane to "
            "correct this error!",
        };
    }

    Skins& skins()
    {
        if (!skins_) {
            skins_ = new Skins(t.store, dialogs, look(), &window);
            skins_->setFields(fields);
        }
        return *skins_;
    }

    ShellWindow shellWindow()
    {
        return ShellWindow{window,
                           "Pellum",
                           TimerWindowKeys("Pellum"),
                           200,
                           "Open A New Timer",
                           "Pellum",
                           "There was a problem. Error Handler 13. Notify Orvane about this "
                           "error!"};
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

    SkinFields fields;

private:
    Skins* skins_ = nullptr;
};
