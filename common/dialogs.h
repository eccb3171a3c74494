#pragma once

#include <QString>

class QWidget;

// The message boxes and the open-file dialog the programs show. Each call waits for the user.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message with an OK button.
    virtual void message(QWidget* parent, const QString& title, const QString& text) = 0;
    // True when the user answers Yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
    // The full path of the chosen file, or "" when the user cancels. `filter` is in Qt's form,
    // "Wave files (*.wav)".
    virtual QString openFile(QWidget* parent, const QString& title, const QString& folder,
                             const QString& filter) = 0;
};

// QMessageBox and QFileDialog.
class QtDialogs final : public Dialogs {
public:
    void message(QWidget* parent, const QString& title, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    QString openFile(QWidget* parent, const QString& title, const QString& folder,
                     const QString& filter) override;
};
