#pragma once

#include <QDialog>

// Says that Start needs a time first. Modal: the timer behind it waits until it is closed.
class NoTimeSelected : public QDialog {
    Q_OBJECT

public:
    explicit NoTimeSelected(QWidget* parent);

    void butOKClick();
};
