// The window of FullScreenVexlo: building it, start-up, the two screen sizes, the clicks that open
// the command menu, options, help, About and exit. The counting is in countdown.cpp.

#include "fullscreenvexlo.h"

#include "about.h"
#include "accessibility.h"
#include "countdowntexts.h"
#include "dialogs.h"
#include "digitdisplay.h"
#include "fullscreenkeys.h"
#include "helpviewer.h"
#include "notimeselected.h"
#include "options.h"
#include "programstart.h"
#include "settingsstore.h"
#include "widgets.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

using fullscreen::ScreenSize;

namespace {

constexpr int kSmallestPointSize = 6;
constexpr int kTickInterval = 450;
constexpr int kBlinkInterval = 400;
constexpr int kCaptionPointSize = 14;

// Light on black: the digits glow, and everything reads from across a room.
const QColor kBackground(0, 0, 0);
const QColor kText(240, 240, 228);
const QColor kTimeIsUpText(255, 214, 64);

// Image1 to Image8 in the order of their names; their places come with the layout. Hours and
// minutes are drawn in the first look, the seconds in the second.
using Shows = DigitDisplay::Shows;
constexpr DigitDisplay::Box kDigitBoxes[] = {
    {"Image1", Shows::HoursTens, 0, {}},   {"Image2", Shows::HoursOnes, 0, {}},
    {"Image3", Shows::MinutesTens, 0, {}}, {"Image4", Shows::MinutesOnes, 0, {}},
    {"Image5", Shows::SecondsTens, 1, {}}, {"Image6", Shows::SecondsOnes, 1, {}},
    {"Image7", Shows::Separator, 0, {}},   {"Image8", Shows::Separator, 1, {}},
};

// A scroll bar that shows when it has the keyboard: the arrow keys set the time on the one that
// has it, and the style draws no sign of that on a bar.
class FocusedScrollBar final : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QScrollBar::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

QScrollBar* scrollBar(QWidget* panel, const QString& name, int maximum, int largeStep,
                      const QString& accessibleName)
{
    auto* bar = named(new FocusedScrollBar(Qt::Horizontal, panel), name);
    // The window's command menu, not the bar's own ("Scroll here"...), by right click or the
    // Menu key.
    bar->setContextMenuPolicy(Qt::NoContextMenu);
    bar->setRange(0, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(largeStep);
    // The arrow keys move the bar with the focus; right and up mean more time.
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setInvertedControls(false);
    bar->setAccessibleName(accessibleName);
    return bar;
}

// The largest font, `pointSize` at the most, that shows all of `label`'s wrapped text.
void fitFont(QLabel* label, int pointSize)
{
    QFont font = label->font();
    const QRect area = label->contentsRect();
    for (int size = pointSize; size >= kSmallestPointSize; --size) {
        font.setPointSize(size);
        const QRect needed = QFontMetrics(font).boundingRect(
            area, int(label->alignment()) | Qt::TextWordWrap, label->text());
        if (needed.height() <= area.height() && needed.width() <= area.width())
            break;
    }
    label->setFont(font);
}

QLabel* caption(QWidget* panel, const QString& name, const QString& text)
{
    return boldFont(panelLabel(panel, name, text, QRect()), kCaptionPointSize);
}

} // namespace

FullScreenVexlo::FullScreenVexlo(const Platform& platform, const QRect& screen, QWidget* parent)
    : QWidget(parent), platform_(platform), screen_(screen)
{
    // The frame of a whole screen is made ready while the controls are built.
    setGeometry(screen_);
    const std::jthread frameWarmed = warmFrame(*this);
    setObjectName(QStringLiteral("FullScreenVexlo"));
    setWindowTitle(tr("Full Screen Vexlo 8.0"));
    setAccessibleName(tr("Full Screen Vexlo"));
    // With no control in reach of the keyboard, the window itself takes the keys that open the
    // menu; a click, which opens the menu, leaves the keyboard on the bar being set.
    setFocusPolicy(Qt::TabFocus);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, kBackground);
    dark.setColor(QPalette::WindowText, kText);
    setPalette(dark);
    setAutoFillBackground(true);

    LabelMessage = panelLabel(this, QStringLiteral("LabelMessage"), QString(), QRect());
    // Read as its message; while it shows none, as what it is for.
    LabelMessage->setAccessibleDescription(tr("Message"));
    accessibility::captionChanged(LabelMessage);
    LabelMessage->setAlignment(Qt::AlignCenter);
    buildTimerPanel();
    buildTimeIsUpPanel();
    buildMenu();
    accessibility::nameControls(this);

    noTimeSelected_ = new NoTimeSelected(this);
    // The options and About windows are made once the timer is on the screen.
    afterFirstDrawing(this, [this] { buildDialogs(); });

    Timer1 = named(new QTimer(this), QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer2 = named(new QTimer(this), QStringLiteral("Timer2"));
    Timer2->setInterval(kBlinkInterval);
    connect(Timer1, &QTimer::timeout, this, &FullScreenVexlo::Timer1Tick);
    connect(Timer2, &QTimer::timeout, this, &FullScreenVexlo::Timer2Tick);

    startUp();
}

void FullScreenVexlo::buildTimerPanel()
{
    Frame1 = named(new QFrame(this), QStringLiteral("Frame1"));
    Frame1->setAccessibleName(tr("Time remaining"));
    // The pictures stand on a strip of their own, which a screen reader reads as the time they
    // show, with this name as its description.
    DigitDisplay = named(new ::DigitDisplay(Frame1, kDigitBoxes,
                                            {digitlooks::imageList2(), digitlooks::imageList3()}),
                         QStringLiteral("DigitDisplay"));
    DigitDisplay->setAccessibleName(tr("Time remaining"));

    LabelUseScrollBar1 =
        caption(Frame1, QStringLiteral("LabelUseScrollBar1"), tr("Set the hours and minutes!"));
    LabelUseScrollBar2 =
        caption(Frame1, QStringLiteral("LabelUseScrollBar2"), tr("Set the seconds!"));
    HScroll1 = scrollBar(Frame1, QStringLiteral("HScroll1"), fullscreen::kMaxMinutes, 15,
                         LabelUseScrollBar1->text());
    HScroll2 = scrollBar(Frame1, QStringLiteral("HScroll2"), fullscreen::kMaxSeconds, 10,
                         LabelUseScrollBar2->text());
    LabelUseScrollBar1->setBuddy(HScroll1);
    LabelUseScrollBar2->setBuddy(HScroll2);
    connect(HScroll1, &QScrollBar::valueChanged, this, &FullScreenVexlo::HScroll1Change);
    connect(HScroll2, &QScrollBar::valueChanged, this, &FullScreenVexlo::HScroll2Change);
    setTabOrder(HScroll1, HScroll2);

    LabelStartClear = caption(Frame1, QStringLiteral("LabelStartClear"),
                              tr("Start the Vexlo or Clear this time!"));
    LabelStartClear->hide();
}

void FullScreenVexlo::buildTimeIsUpPanel()
{
    Frame2 = named(new QFrame(this), QStringLiteral("Frame2"));
    Frame2->setAccessibleName(tr("Time Is Up!!!"));
    Frame2->hide();
    Frame3 = named(new QFrame(Frame2), QStringLiteral("Frame3"));
    Frame3->setAccessibleName(tr("Time Is Up!!!"));

    LabelTimeIsUp =
        panelLabel(Frame3, QStringLiteral("LabelTimeIsUp"), tr("Time Is Up!!!"), QRect());
    LabelTimeIsUp->setAlignment(Qt::AlignCenter);
    QPalette bright = LabelTimeIsUp->palette();
    bright.setColor(QPalette::WindowText, kTimeIsUpText);
    LabelTimeIsUp->setPalette(bright);

    butAcknowledge = boldFont(panelButton(Frame2, QStringLiteral("butAcknowledge"),
                                          tr("&Acknowledge"), QString(), QRect()),
                              kCaptionPointSize);
    connect(butAcknowledge, &QPushButton::clicked, this, &FullScreenVexlo::butAcknowledgeClick);
}

void FullScreenVexlo::buildMenu()
{
    using F = FullScreenVexlo;
    // clang-format off
    static constexpr MenuRow<F> kCommands[] = {
        {"menustart", QT_TR_NOOP("Start Full Screen Vexlo"), &F::menustartClick, &F::menustart},
        {"menuAcknowledge", QT_TR_NOOP("Acknowledge Time Is Up"), &F::menuAcknowledgeClick,
         &F::menuAcknowledge},
        {"sep1", nullptr, nullptr, &F::sep1},
        {"menuRetrieve", QT_TR_NOOP("Retrieve the saved time"), &F::menuRetrieveClick,
         &F::menuRetrieve},
        {"menuClear", QT_TR_NOOP("Clear this time"), &F::menuClearClick, &F::menuClear},
        {"menuSave", QT_TR_NOOP("Save this time"), &F::menuSaveClick, &F::menuSave},
        {"sep2", nullptr, nullptr, &F::sep2},
    };
    // clang-format on
    // Choosing Close Action Menu only closes the menu, as any choice does.
    // clang-format off
    static constexpr MenuRow<F> kMore[] = {
        {"menuOptions", QT_TR_NOOP("Set Options"), &F::menuOptionsClick},
        {"sep4", nullptr},
        {"menuHelp", QT_TR_NOOP("Help using Full Screen Vexlo"), &F::menuHelpClick, &F::menuHelp},
        {"menuhelpabout", QT_TR_NOOP("About Full Screen Vexlo"), &F::menuhelpaboutClick},
        {"sep5", nullptr},
        {"menuCloseActionBox", QT_TR_NOOP("Close Action Menu")},
        {"sep6", nullptr},
        {"menuExit", QT_TR_NOOP("EXIT Full Screen Vexlo"), &F::menuExitClick},
    };
    // clang-format on
    menufile = named(new QMenu(tr("&File"), this), QStringLiteral("menufile"));
    menufile->setAccessibleName(tr("Full Screen Vexlo commands"));
    menuItems<F>(*menufile, this, kCommands);
    menuAcknowledge->setVisible(false);
    buildModeMenus();
    menuItems<F>(*menufile, this, kMore);

    // F1 opens help without the menu, as everywhere on the desktop.
    menuHelp->setShortcut(QKeySequence::HelpContents);
    addAction(menuHelp);
}

// The two choices of two: the timing mode and the screen size.
void FullScreenVexlo::buildModeMenus()
{
    using F = FullScreenVexlo;
    // clang-format off
    static constexpr MenuRow<F> kTimingModes[] = {
        {"menuTimingMode1", QT_TR_NOOP("Normal"), &F::menuTimingMode1Click, &F::menuTimingMode1},
        {"menuTimingMode2", QT_TR_NOOP("Stopwatch"), &F::menuTimingMode2Click, &F::menuTimingMode2},
    };
    // clang-format on
    // clang-format off
    static constexpr MenuRow<F> kScreenSizes[] = {
        {"menuScreenSize1", QT_TR_NOOP("Smaller Screen"), &F::menuScreenSize1Click,
         &F::menuScreenSize1},
        {"menuScreenSize2", QT_TR_NOOP("Larger Screen"), &F::menuScreenSize2Click,
         &F::menuScreenSize2},
    };
    // clang-format on
    menuItems<F>(*subMenu(*menufile, QStringLiteral("menuTimingMode"), tr("Timing Mode")), this,
                 kTimingModes);
    menuItems<F>(*subMenu(*menufile, QStringLiteral("menuScreenSize"), tr("Screen Size")), this,
                 kScreenSizes);
    for (QAction* choice : {menuTimingMode1, menuTimingMode2, menuScreenSize1, menuScreenSize2})
        choice->setCheckable(true);
}

void FullScreenVexlo::startUp()
{
    using namespace fullscreenkeys;
    SettingsStore& store = platform_.store;

    // Empty keys take their first values in one write. A store that refuses it still gives this
    // run the first values: a full disk must not start the timer in Stopwatch mode.
    const FirstRun setting = writeFirstRunDefaults(store, firstRunKeys(platform_.programFolder));
    if (!setting.refused.isEmpty())
        reportUnsaved(setting.refused);

    state_.LabelPath = setting.value(kPath);
    markTimingMode(setting.value(kTimingMode) == kNormalMode);
    const QString message = store.get(kMessage);
    showMessage(message.isEmpty() ? tr(kDefaultMessage) : message);
    state_.LabelSound3 = setting.value(kSound);
    menuRetrieve->setEnabled(!store.get(kMinutes).isEmpty());
    selectScreenSize(setting.value(kLargeDisplay) == kTrue ? ScreenSize::Larger
                                                           : ScreenSize::Smaller);

    Timer1->setInterval(kTickInterval);
    Timer1->stop();
    HScroll1->setValue(0);
    HScroll2->setValue(0);
    DigitDisplay->setTime({});
    HScroll1->setFocus();
}

int FullScreenVexlo::screenWidth() const
{
    return screen_.width() * kTwipsPerPixel;
}

void FullScreenVexlo::applyLayout(ScreenSize size)
{
    layout_ =
        fullscreen::screenLayout(size, QSize(screenWidth(), screen_.height() * kTwipsPerPixel));
    // The captions and the button grow and shrink with the layout.
    for (QWidget* text : std::initializer_list<QWidget*>{LabelUseScrollBar1, LabelUseScrollBar2,
                                                         LabelStartClear, butAcknowledge}) {
        QFont font = text->font();
        font.setPointSizeF(kCaptionPointSize * layout_.scale);
        text->setFont(font);
    }
    // clang-format off
    const std::pair<QWidget*, QRect> places[] = {
        {LabelMessage, layout_.LabelMessage},     {Frame1, layout_.Frame1},
        {LabelStartClear, layout_.LabelStartClear}, {HScroll1, layout_.HScroll1},
        {LabelUseScrollBar1, layout_.LabelUseScrollBar1}, {HScroll2, layout_.HScroll2},
        {LabelUseScrollBar2, layout_.LabelUseScrollBar2}, {Frame2, layout_.Frame2},
        {Frame3, layout_.Frame3}, {LabelTimeIsUp, layout_.LabelTimeIsUp},
        {butAcknowledge, layout_.butAcknowledge},
    };
    // clang-format on
    for (const auto& [control, p] : places)
        control->setGeometry(twipsRect(p.left(), p.top(), p.width(), p.height()));
    fitFont(LabelMessage, layout_.messagePointSize);
    // The pictures stay as they are: a time of ten hours or more keeps its first digit, since
    // nothing else would draw it again while the timer is being set or stands.
    DigitDisplay->place(layout_.images);
    // As tall as the panel allows: the loudest thing on the screen.
    QFont loud = LabelTimeIsUp->font();
    loud.setBold(true);
    loud.setPixelSize(LabelTimeIsUp->height() * 7 / 10);
    LabelTimeIsUp->setFont(loud);
}

void FullScreenVexlo::selectScreenSize(ScreenSize size)
{
    menuScreenSize1->setChecked(size == ScreenSize::Smaller);
    menuScreenSize2->setChecked(size == ScreenSize::Larger);
    applyLayout(size);
}

void FullScreenVexlo::menuScreenSize1Click()
{
    if (!platform_.store.save(fullscreenkeys::kLargeDisplay, fullscreenkeys::kFalse))
        reportUnsaved(tr("The screen size"));
    selectScreenSize(ScreenSize::Smaller);
}

void FullScreenVexlo::menuScreenSize2Click()
{
    if (!platform_.store.save(fullscreenkeys::kLargeDisplay, fullscreenkeys::kTrue))
        reportUnsaved(tr("The screen size"));
    selectScreenSize(ScreenSize::Larger);
}

void FullScreenVexlo::showMessage(const QString& message)
{
    LabelMessage->setText(message);
    accessibility::captionChanged(LabelMessage);
    if (layout_.messagePointSize > 0)
        fitFont(LabelMessage, layout_.messagePointSize);
}

void FullScreenVexlo::reportUnsaved(const QString& what)
{
    platform_.dialogs.message(this, tr("Full Screen Vexlo"), platform_.store.refusalMessage(what));
}

// ---- Opening the menu ----

void FullScreenVexlo::FormClick()
{
    menufile->popup(QCursor::pos());
}

void FullScreenVexlo::mouseReleaseEvent(QMouseEvent* event)
{
    // The panels, pictures and labels pass their clicks on to here.
    if (event->button() == Qt::LeftButton)
        FormClick();
    else
        QWidget::mouseReleaseEvent(event);
}

void FullScreenVexlo::contextMenuEvent(QContextMenuEvent* event)
{
    menufile->popup(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                : mapToGlobal(rect().center()));
}

void FullScreenVexlo::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Menu:
        menufile->popup(mapToGlobal(rect().center()));
        event->accept();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

// ---- Options, help, About and exit ----

void FullScreenVexlo::buildDialogs()
{
    if (options_)
        return;
    options_ = new Options(platform_, this);
    connect(options_, &Options::saved, this, &FullScreenVexlo::applyOptions);
    about_ = new About(platform_.help, this);
}

void FullScreenVexlo::menuOptionsClick()
{
    buildDialogs();
    // Already open, it keeps what the user has typed so far.
    if (options_->isHidden())
        options_->OptionsLoad(state_.LabelPath);
    options_->show();
    options_->raise();
    options_->activateWindow();
}

void FullScreenVexlo::applyOptions(const QString& message, const QString& sound)
{
    showMessage(message);
    state_.LabelSound3 = sound;
}

void FullScreenVexlo::menuHelpClick()
{
    platform_.help.open(kHelpTopic);
}

void FullScreenVexlo::menuhelpaboutClick()
{
    buildDialogs();
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void FullScreenVexlo::menuExitClick()
{
    close();
}

void FullScreenVexlo::closeEvent(QCloseEvent* event)
{
    Timer1->stop();
    Timer2->stop();
    HScroll1->setValue(0);
    // The options and About windows may not have been made yet.
    for (QWidget* beside : std::initializer_list<QWidget*>{options_, about_, noTimeSelected_}) {
        if (beside)
            beside->hide();
    }
    event->accept();
    // The program ends here, even with the help window still open beside it.
    QCoreApplication::quit();
}
