#include "skins.h"

#include "dialogs.h"
#include "programfolder.h"
#include "regularfile.h"
#include "settingsstore.h"
#include "widgets.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>

namespace {

constexpr int kRed = 255;
constexpr int kGreen = 65280;
constexpr int kBlue = 16711680;
constexpr int kYellow = 65535;
constexpr int kWhite = 16777215;
constexpr int kBlack = 0;
constexpr int kPurple = 12583104;   // red 192, blue 192
constexpr int kPaleCyan = 16777088; // red 128, green 255, blue 255

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

// The skins are about 100 KB each; a "picture" much larger than that is something else.
constexpr qint64 kMaxPictureBytes = 4 * 1024 * 1024;

// The pictures were named on desktops that ignore letter case, and stored names differ in case
// ("wood5.gif"): the file is found as such a desktop would find it.
QString pictureFile(const QString& folder, const QString& name)
{
    const QString path = resolveInFolder(folder, name);
    const QFileInfo file(path);
    if (file.exists())
        return path;
    const QDir dir = file.dir();
    for (const QString& entry : dir.entryList(QDir::Files)) {
        if (entry.compare(file.fileName(), Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return path;
}

// Only a regular file is read: a FIFO under the picture's name would hold the window for ever.
QImage readPicture(const QString& file)
{
    const auto bytes = readRegularFile(file, kMaxPictureBytes);
    return bytes ? QImage::fromData(*bytes) : QImage();
}

} // namespace

PicturePrefetch prefetchStoredPicture(const SettingsStore& store, const TimerWindowKeys& keys)
{
    const QString folder = store.get(keys.path);
    const QString name = store.get(keys.background);
    if (folder.isEmpty() || name.isEmpty() || store.get(keys.runDefaultColors) == kTrue)
        return {};
    const QString file = pictureFile(folder, name);
    return {file, std::async(std::launch::async, readPicture, file)};
}

const std::array<SkinItem, kSkinCount>& skinTable()
{
    static const std::array<SkinItem, kSkinCount> table = {{
        {"menuBackgroundGranite1", QT_TRANSLATE_NOOP("Skins", "Granite"),
         QT_TRANSLATE_NOOP("Skins", "Granite 1"), "Granite1.gif", kYellow, kGreen},
        {"menuBackgroundGranite2", "Granite", QT_TRANSLATE_NOOP("Skins", "Granite 2"),
         "Granite2.gif", kWhite, kYellow},
        {"menuBackgroundGranite3", "Granite", QT_TRANSLATE_NOOP("Skins", "Granite 3"),
         "Granite3.gif", kBlack, kRed},
        {"menuBackgroundMarble1", QT_TRANSLATE_NOOP("Skins", "Marble"),
         QT_TRANSLATE_NOOP("Skins", "Marble1"), "Marble1.gif", kRed, kBlack},
        {"menuBackgroundMarble2", "Marble", QT_TRANSLATE_NOOP("Skins", "Marble 2"), "Marble2.gif",
         kYellow, kWhite},
        {"menuBackgroundMarble3", "Marble", QT_TRANSLATE_NOOP("Skins", "Marble 3"), "Marble3.gif",
         kRed, kPurple},
        {"menuBackgroundMarble4", "Marble", QT_TRANSLATE_NOOP("Skins", "Marble 4"), "Marble4.gif",
         kRed, kYellow},
        {"menuBackgroundMarble5", "Marble", QT_TRANSLATE_NOOP("Skins", "Marble 5"), "Marble5.gif",
         kWhite, kGreen},
        {"menuBackgroundTravertino1", QT_TRANSLATE_NOOP("Skins", "Travertino"),
         QT_TRANSLATE_NOOP("Skins", "Travertino 1"), "Travert1.gif", kRed, kPurple},
        {"menuBackgroundTravertino2", "Travertino", QT_TRANSLATE_NOOP("Skins", "Travertino 2"),
         "Travert2.gif", kWhite, kYellow},
        {"menuBackgroundTravertino3", "Travertino", QT_TRANSLATE_NOOP("Skins", "Travertino 3"),
         "Travert3.gif", kRed, kPurple},
        {"menuBackgroundTravertino4", "Travertino", QT_TRANSLATE_NOOP("Skins", "Travertino 4"),
         "Travert4.gif", kRed, kPurple},
        {"menuBackgroundTravertino5", "Travertino", QT_TRANSLATE_NOOP("Skins", "Travertino 5"),
         "Travert5.gif", kWhite, kYellow},
        {"menuBackgroundWood0", QT_TRANSLATE_NOOP("Skins", "Wood"),
         QT_TRANSLATE_NOOP("Skins", "Corrugated"), "Wood0.gif", kYellow, kWhite},
        {"menuBackgroundWood1", "Wood", QT_TRANSLATE_NOOP("Skins", "Red Oak"), "Wood1.gif", kYellow,
         kPaleCyan},
        {"menuBackgroundWood2", "Wood", QT_TRANSLATE_NOOP("Skins", "Maple"), "Wood2.gif", kRed,
         kPurple},
        {"menuBackgroundWood3", "Wood", QT_TRANSLATE_NOOP("Skins", "Walnut"), "Wood3.gif", kWhite,
         kYellow},
        {"menuBackgroundWood4", "Wood", QT_TRANSLATE_NOOP("Skins", "Ash"), "Wood4.gif", kRed,
         kBlue},
        {"menuBackgroundWood5", "Wood", QT_TRANSLATE_NOOP("Skins", "Indian Laurel"), "Wood5.gif",
         kYellow, kWhite},
    }};
    return table;
}

QColor colourOf(int bbggrr)
{
    return QColor(bbggrr & 0xff, (bbggrr >> 8) & 0xff, (bbggrr >> 16) & 0xff);
}

std::optional<QColor> storedColour(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0 || value > 0xffffff)
        return std::nullopt;
    return colourOf(int(value));
}

SkinPanel::SkinPanel(QWidget* parent) : QFrame(parent)
{
    // The plain look shows the window's own colour.
    setAutoFillBackground(true);
}

void SkinPanel::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

void SkinPanel::paintEvent(QPaintEvent* event)
{
    if (!picture_.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, picture_);
    }
    QFrame::paintEvent(event);
}

Skins::Skins(SettingsStore& store, Dialogs& dialogs, SkinLook look, QWidget* window)
    : QObject(window), store_(store), dialogs_(dialogs), look_(std::move(look)), window_(window)
{
    menuBackgroundDefault_ =
        named(new QAction(tr("Default"), window), QStringLiteral("menuBackgroundDefault"));
    menuBackgroundDefault_->setCheckable(true);
    connect(menuBackgroundDefault_, &QAction::triggered, this, &Skins::menuBackgroundDefaultClick);
    for (int row = 0; row < kSkinCount; ++row) {
        const SkinItem& skin = skinTable()[size_t(row)];
        QAction* item =
            named(new QAction(tr(skin.caption), window), QString::fromLatin1(skin.item));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, row] { skinItemClick(row); });
        items_[size_t(row)] = item;
    }
}

QMenu* Skins::addBackgroundMenu(QMenu& menu)
{
    QMenu* background = subMenu(menu, QStringLiteral("menuBackground"), tr("Background"));
    background->addAction(menuBackgroundDefault_);
    QMenu* group = nullptr;
    QString groupName;
    for (int row = 0; row < kSkinCount; ++row) {
        const QString name = QString::fromLatin1(skinTable()[size_t(row)].group);
        if (name != groupName) {
            groupName = name;
            group = subMenu(*background, QStringLiteral("menu") + name, tr(qPrintable(name)));
        }
        group->addAction(items_[size_t(row)]);
    }
    return background;
}

QString Skins::fileOf(int row) const
{
    return row == kCorrugatedRow ? look_.corrugatedFile
                                 : QString::fromLatin1(skinTable()[size_t(row)].file);
}

void Skins::skinItemClick(int row)
{
    const SkinItem& skin = skinTable()[size_t(row)];
    fields_.LabelPicture1 = fileOf(row);
    const bool leftDefault = store_.save(look_.keys.runDefaultColors, kFalse);
    fields_.LabelColor1 = QString::number(skin.foreColor1);
    fields_.LabelColor2 = QString::number(skin.foreColor2);
    markBackground();
    items_[size_t(row)]->setChecked(true);
    // The skin shows even when the store refused to leave the Default look: the user chose it.
    reportUnsaved(showSkin() && leftDefault);
}

void Skins::showStored(PicturePrefetch prefetched)
{
    prefetched_ = std::move(prefetched);
    checkMarkedBackground();
    if (store_.get(look_.keys.runDefaultColors) == kTrue)
        showDefaultLook();
    else
        showSkin();
}

bool Skins::showSkin()
{
    const QString file = pictureFile(fields_.LabelPath, fields_.LabelPicture1);
    const bool saved = store_.saveAll({{look_.keys.background, fields_.LabelPicture1},
                                       {look_.keys.foreColor1, fields_.LabelColor1},
                                       {look_.keys.foreColor2, fields_.LabelColor2}});

    // Each step that fails leaves the look as far as it got.
    bool applied = false;
    const QImage image = fields_.LabelPicture1.isEmpty() ? QImage() : takePicture(file);
    if (!image.isNull()) {
        apply({Part::Panels, QPixmap::fromImage(image), {}});
        if (const auto colour1 = storedColour(fields_.LabelColor1)) {
            apply({Part::Colour1, {}, *colour1});
            if (const auto colour2 = storedColour(fields_.LabelColor2)) {
                apply({Part::Colour2, {}, *colour2});
                applied = true;
            }
        }
    }
    if (!applied)
        reportMissingPicture();
    return saved;
}

QImage Skins::takePicture(const QString& file)
{
    // Taken once: a later choice of the same skin reads the file again, which may have changed.
    PicturePrefetch prefetched = std::exchange(prefetched_, {});
    if (prefetched.image.valid() && prefetched.file == file)
        return prefetched.image.get();
    return readPicture(file);
}

void Skins::reportMissingPicture()
{
    if (window_->isVisible()) {
        dialogs_.message(window_, look_.errorTitle, look_.errorText);
        return;
    }
    // At start the window is not up yet: a box shown now would stand alone in a corner of the
    // screen. It comes over the window once that shows.
    window_->installEventFilter(this);
    errorWaiting_ = true;
}

bool Skins::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::Show && errorWaiting_) {
        errorWaiting_ = false;
        window_->removeEventFilter(this);
        QMetaObject::invokeMethod(
            this, [this] { dialogs_.message(window_, look_.errorTitle, look_.errorText); },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void Skins::menuBackgroundDefaultClick()
{
    const bool saved = store_.save(look_.keys.runDefaultColors, kTrue);
    showDefaultLook();
    reportUnsaved(saved);
}

void Skins::reportUnsaved(bool saved)
{
    if (!saved)
        emit saveRefused(tr("The background"));
}

void Skins::showDefaultLook()
{
    apply({Part::PlainPanels, {}, {}});
    apply({Part::Defaults, {}, {}});
    markBackground();
    menuBackgroundDefault_->setChecked(true);
}

void Skins::markBackground()
{
    menuBackgroundDefault_->setChecked(false);
    for (QAction* item : items_)
        item->setChecked(false);
}

void Skins::checkMarkedBackground()
{
    for (int row = 0; row < kSkinCount; ++row) {
        if (fields_.LabelPicture1.compare(fileOf(row), Qt::CaseInsensitive) == 0) {
            items_[size_t(row)]->setChecked(true);
            return;
        }
    }
}

void Skins::extend(const SkinLook& part)
{
    for (const Step& step : steps_)
        applyTo(step, part);
    look_.panels << part.panels;
    look_.plainUnderDefault << part.plainUnderDefault;
    look_.colour1 << part.colour1;
    look_.colour2 << part.colour2;
    look_.defaultColours << part.defaultColours;
}

void Skins::apply(Step step)
{
    applyTo(step, look_);
    // A step replaces the last of its kind entirely: it reaches the same parts.
    steps_.removeIf([&step](const Step& earlier) { return earlier.part == step.part; });
    steps_.append(std::move(step));
}

void Skins::applyTo(const Step& step, const SkinLook& parts)
{
    switch (step.part) {
    case Part::Panels:
        for (SkinPanel* panel : parts.panels)
            panel->setPicture(step.picture);
        break;
    case Part::PlainPanels:
        for (SkinPanel* panel : parts.plainUnderDefault)
            panel->clearPicture();
        break;
    case Part::Colour1:
        setColour(parts.colour1, step.colour);
        break;
    case Part::Colour2:
        setColour(parts.colour2, step.colour);
        break;
    case Part::Defaults:
        for (const auto& [label, colour] : parts.defaultColours)
            setColour({label}, colour);
        break;
    }
}

void Skins::setColour(const QList<QWidget*>& labels, const QColor& colour)
{
    for (QWidget* label : labels) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
}
