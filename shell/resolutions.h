#pragma once

#include "displaymodes.h"

#include <QLabel>
#include <QList>
#include <QWidget>

class Dialogs;
class QListWidget;

// The colour-display dialog: every mode the display offers, the current one highlighted, and a
// switch to another. Loaded at its first opening; later openings show the same list.
class Resolutions final : public QWidget {
    Q_OBJECT

public:
    Resolutions(DisplayModes& modes, Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows the dialog, loading it first if it was not loaded yet.
    void open();

    void butbResolutionsChangeClick();
    void butResolutionsCancelClick();

private:
    void load();

    DisplayModes& displayModes_;
    Dialogs& dialogs_;
    bool loaded_ = false;
    // The modes listed, entry i of List1 describing mode i.
    QList<DisplayMode> modes_;
    QListWidget* List1 = nullptr;
};

// A label whose text holds cells parted by runs of blanks, drawn as a table of two columns so
// the cells line up in any font.
class LegendLabel final : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList cells() const;
};
