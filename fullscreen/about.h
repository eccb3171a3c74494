#pragma once

#include <QDialog>

class HelpViewer;

// The help file's topic of the timer and its About window.
inline constexpr int kHelpTopic = 204;

// FullScreenVexlo's About window, shown beside the timer without stopping it.
class About : public QDialog {
    Q_OBJECT

public:
    About(HelpViewer& help, QWidget* parent);

    void cmdOKClick();
    void cmdHelpClick();

private:
    HelpViewer& help_;
};
