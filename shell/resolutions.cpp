#include "resolutions.h"

#include "accessibility.h"
#include "dialogs.h"
#include "widgets.h"
#include "twips.h"

#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>

namespace {

constexpr int kWidth = 5400;
constexpr int kHeight = 5250;
constexpr int kColumns = 2;

} // namespace

Resolutions::Resolutions(DisplayModes& modes, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Dialog), displayModes_(modes), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Resolutions"));
    setWindowTitle(tr("Change Color Display"));
    setAccessibleName(windowTitle());
    setFixedSize(twipsSize(kWidth, kHeight));

    panelLabel(
        this, QStringLiteral("LabelResolutions1"),
        tr("The highlighted resolution is your current screen size and color setting. To use "
           "background color schemes, you must be running 16 or 32 bit color. If you are not, "
           "scroll down the list to find your current screen width and height and choose a "
           "higher color bit setting. Click on the Change button to save the new setting or "
           "on the Cancel button to keep your current setting."),
        twipsRect(150, 120, 5100, 1500));
    panelLabel(this, QStringLiteral("LabelResolutions4"),
               tr("Screen Width x Screen Height x Color Bits"), twipsRect(150, 1700, 5100, 255));

    List1 = named(new QListWidget(this), QStringLiteral("List1"));
    List1->setGeometry(twipsRect(150, 1980, 3300, 2000));
    List1->setToolTip(tr("These are your Available Screen Sizes and Color Resolutions."));
    List1->setAccessibleName(tr("Screen sizes and color resolutions"));
    // Unsorted, one size chosen at a time: the list's own defaults.

    auto* change = panelButton(this, QStringLiteral("butbResolutionsChange"), tr("Change"),
                               tr("Save changes"), twipsRect(3750, 1980, 1500, 450));
    auto* cancel = panelButton(this, QStringLiteral("butResolutionsCancel"), tr("Cancel"),
                               tr("Cancel changes"), twipsRect(3750, 2550, 1500, 450));
    connect(change, &QPushButton::clicked, this, &Resolutions::butbResolutionsChangeClick);
    connect(cancel, &QPushButton::clicked, this, &Resolutions::butResolutionsCancelClick);
    connect(List1, &QListWidget::itemDoubleClicked, this, &Resolutions::butbResolutionsChangeClick);

    panelLabel(this, QStringLiteral("LabelResolutions2"), tr("Color Bit Legend"),
               twipsRect(150, 4100, 5100, 255));
    auto* legend = named(
        new LegendLabel(tr("4 bits = 16 colors            8 bits = 256 colors        16 bits = "
                           "16,000 colors   32 bits = 16 million colors"),
                        this),
        QStringLiteral("LabelResolutions3"));
    legend->setGeometry(twipsRect(150, 4380, 5100, 600));
    legend->setAccessibleName(tr("Color Bit Legend"));

    accessibility::escapeKey(this, this, &Resolutions::butResolutionsCancelClick);
    accessibility::nameControls(this);
}

void Resolutions::open()
{
    if (!loaded_)
        load();
    show();
    raise();
    activateWindow();
    List1->setFocus();
}

void Resolutions::load()
{
    loaded_ = true;
    const std::optional<DisplayMode> current = displayModes_.current();
    modes_ = displayModes_.list();
    int highlighted = -1;
    for (int i = 0; i < modes_.size(); ++i) {
        List1->addItem(modes_[i].text());
        // Of several matches (other refresh rates) the last one stays highlighted.
        if (current && modes_[i] == *current)
            highlighted = i;
    }
    // With no match, no row is current and none is chosen.
    List1->setCurrentRow(highlighted);
    if (highlighted >= 0)
        List1->scrollToItem(List1->item(highlighted));
    else
        List1->clearSelection();
}

void Resolutions::butbResolutionsChangeClick()
{
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    const int index = selected.isEmpty() ? -1 : List1->row(selected.first());
    if (index >= 0) {
        const int result = displayModes_.change(index);
        // A restart would not bring another depth either, as nothing keeps the choice for the
        // next session: the user is told so instead of being offered one.
        if (result == DisplayModes::NeedsRestart) {
            dialogs_.message(this, windowTitle(),
                             tr("This desktop cannot change to %1 color bits while it runs: its "
                                "display would have to start again with them. Nothing was "
                                "changed.")
                                 .arg(modes_[index].bits));
        } else if (result != DisplayModes::Changed) {
            dialogs_.message(this, windowTitle(),
                             tr("Error changing resolution! Returned: ") + QString::number(result));
        }
    }
    hide();
}

void Resolutions::butResolutionsCancelClick()
{
    hide();
}

QStringList LegendLabel::cells() const
{
    return text().split(QRegularExpression(QStringLiteral("\\s{2,}")), Qt::SkipEmptyParts);
}

QSize LegendLabel::sizeHint() const
{
    const QStringList parts = cells();
    int widest = 0;
    for (const QString& cell : parts)
        widest = std::max(widest, fontMetrics().horizontalAdvance(cell));
    const int rows = int((parts.size() + kColumns - 1) / kColumns);
    return {kColumns * (widest + fontMetrics().averageCharWidth() * 2),
            rows * fontMetrics().lineSpacing()};
}

void LegendLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QStringList parts = cells();
    const int columnWidth = contentsRect().width() / kColumns;
    const int line = fontMetrics().lineSpacing();
    for (int i = 0; i < parts.size(); ++i) {
        const QRect cell(contentsRect().left() + (i % kColumns) * columnWidth,
                         contentsRect().top() + (i / kColumns) * line, columnWidth, line);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, parts[i]);
    }
}
