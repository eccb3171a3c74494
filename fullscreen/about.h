#pragma once

#include <QDialog>

class HelpViewer;

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
