#pragma once

#include "storedkeys.h"

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QString>

#include <array>
#include <future>
#include <optional>
#include <utility>

class Dialogs;
class QAction;
class QMenu;
class SettingsStore;

// One background skin: a picture in the program folder and the two label colours that read
// well on it. Colours are 0x00BBGGRR numbers, as they are stored.
struct SkinItem {
    const char* item;    // "menuBackgroundWood4"
    const char* group;   // the submenu: "Granite", "Marble", "Travertino", "Wood"
    const char* caption; // "Ash"
    const char* file;    // "Wood4.gif"
    int foreColor1;
    int foreColor2;
};

inline constexpr int kSkinCount = 19;
// Every skin, in menu order.
const std::array<SkinItem, kSkinCount>& skinTable();
// The row of the "Corrugated" skin, whose file name the programs spell differently.
inline constexpr int kCorrugatedRow = 13;

// A stored colour text ("16711680") as a colour; nothing when it is no colour number.
std::optional<QColor> storedColour(const QString& text);
// A 0x00BBGGRR number as a colour.
QColor colourOf(int bbggrr);

// A panel that can carry a skin picture, drawn at its top left corner at its natural size,
// under its controls.
class SkinPanel : public QFrame {
    Q_OBJECT

public:
    explicit SkinPanel(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    void clearPicture() { setPicture(QPixmap()); }
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

// The skin as the window's hidden fields held it: what is shown, and where its files are.
struct SkinFields {
    QString LabelPath;     // the program folder
    QString LabelPicture1; // the picture file, relative to LabelPath
    QString LabelColor1;
    QString LabelColor2;
};

// The picture a start will show, read and decoded on a thread of its own while the window is
// built: decoding a skin takes longer than building all the window's controls.
struct PicturePrefetch {
    QString file;
    std::future<QImage> image;
};
// Starts reading the picture of the skin stored under `keys`; nothing when there is none to
// show (a first start, or the Default look).
PicturePrefetch prefetchStoredPicture(const SettingsStore& store, const TimerWindowKeys& keys);

// What a program's window looks like to its skins.
struct SkinLook {
    TimerWindowKeys keys; // those of the skin
    // The file of "Corrugated", as this program spells it.
    QString corrugatedFile;
    // The panels that carry the picture.
    QList<SkinPanel*> panels;
    // Those of them that lose the picture under the Default look.
    QList<SkinPanel*> plainUnderDefault;
    // The labels drawn in ForeColor 1 and in ForeColor 2.
    QList<QWidget*> colour1;
    QList<QWidget*> colour2;
    // The Default look's label colours; labels not listed keep theirs.
    QList<std::pair<QWidget*, QColor>> defaultColours;
    // The message box shown when the picture or a colour cannot be used.
    QString errorTitle;
    QString errorText;
};

// The background skins of a timer window: the Background menu, choosing a skin or the Default
// look, applying it to the panels and labels and keeping it in the store.
class Skins final : public QObject {
    Q_OBJECT

public:
    Skins(SettingsStore& store, Dialogs& dialogs, SkinLook look, QWidget* window);

    const SkinFields& fields() const { return fields_; }
    void setFields(SkinFields fields) { fields_ = std::move(fields); }
    // At start: checks the stored skin in the menu, then shows it, or the Default look. The
    // picture comes from `prefetched` when that is the one to show.
    void showStored(PicturePrefetch prefetched = {});

    // Panels and labels built after the start: they take the look as it stands, as if they had
    // been there all along.
    void extend(const SkinLook& part);

    // Adds "Background" to `menu`: "Default", then a submenu per group of skins. The program
    // adds what follows it.
    QMenu* addBackgroundMenu(QMenu& menu);

    // The picture file of row `row` as this program spells it.
    QString fileOf(int row) const;

    void menuBackgroundDefaultClick();
    void skinItemClick(int row);

    QAction* defaultItem() const { return menuBackgroundDefault_; }
    QAction* skinItem(int row) const { return items_.at(row); }

signals:
    // `what` ("The background") could not be kept: the store refused it.
    void saveRefused(const QString& what);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the look does to one kind of part: the picture to the panels, no picture on those
    // plain under the Default look, a colour to the labels of colour 1 or 2, the Default look's
    // colours. The last of each kind is kept, in order, for the parts built later.
    enum class Part { Panels, PlainPanels, Colour1, Colour2, Defaults };
    struct Step {
        Part part;
        QPixmap picture;
        QColor colour;
    };
    void apply(Step step);
    static void applyTo(const Step& step, const SkinLook& parts);

    // Removes every check mark of the Background menu.
    void markBackground();
    // Checks the skin whose file is LabelPicture1, in any letter case; no match checks nothing.
    void checkMarkedBackground();
    // Shows the skin of the fields and stores it; false when the store refused it.
    bool showSkin();
    // The picture of `file`: the prefetched one when it is that file, else read now.
    QImage takePicture(const QString& file);
    void reportMissingPicture();
    void showDefaultLook();
    void reportUnsaved(bool saved);
    static void setColour(const QList<QWidget*>& labels, const QColor& colour);

    SettingsStore& store_;
    Dialogs& dialogs_;
    SkinFields fields_;
    SkinLook look_;
    PicturePrefetch prefetched_;
    QWidget* window_;
    bool errorWaiting_ = false; // the missing-picture message, until the window shows
    QAction* menuBackgroundDefault_ = nullptr;
    std::array<QAction*, kSkinCount> items_{};
    QList<Step> steps_;
};
