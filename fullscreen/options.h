#pragma once

#include "platform.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class SoundChoice;

// The help file's topic of the options.
inline constexpr int kOptionsHelpTopic = 210;

// FullScreenVexlo's options: the message at the top of the screen and the sound at time-up.
// It stays open beside the timer; Save stores both and hands them to the timer.
class Options : public QDialog {
    Q_OBJECT

public:
    Options(const Platform& platform, QWidget* parent);

    // The window's load event: the stored choices, and the folder the sound browser opens in.
    void OptionsLoad(const QString& soundFolder);
    void butbrowse1Click();
    void cmdSaveClick();
    void cmdCancelClick();
    void cmdHelpClick();

signals:
    void saved(const QString& message, const QString& sound);

protected:
    // Esc cancels, as the Cancel button does.
    void reject() override;

private:
    Platform platform_;
    QString soundFolder_;
    QLineEdit* TextMessage3 = nullptr;
    QLineEdit* TextWave3 = nullptr;
    QPushButton* butbrowse1 = nullptr;
    SoundChoice* soundChoice_ = nullptr;
};
