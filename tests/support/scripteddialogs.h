#pragma once

#include "dialogs.h"

#include <QStringList>

// Answers every dialog as the test scripted it and remembers what was shown.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString kind; // "message", "yesno" or "open"
        QString title;
        QString text; // the message, or for "open" the folder and filter joined by "|"
    };

    void message(QWidget*, const QString& title, const QString& text) override
    {
        shown.append({QStringLiteral("message"), title, text});
    }

    bool askYesNo(QWidget*, const QString& title, const QString& text) override
    {
        shown.append({QStringLiteral("yesno"), title, text});
        return yesAnswer;
    }

    QString openFile(QWidget*, const QString& title, const QString& folder,
                     const QString& filter) override
    {
        shown.append({QStringLiteral("open"), title, folder + u'|' + filter});
        return chosenFile;
    }

    bool yesAnswer = false;
    QString chosenFile; // "" answers like Cancel
    QList<Shown> shown;
};
