// The panels that take the place of the list: the event editor, the notes, the options and About.

#include "almanor.h"

#include "accessibility.h"
#include "dialogs.h"
#include "familylogo.h"
#include "helpviewer.h"
#include "settingsstore.h"
#include "timetext.h"
#include "trackerkeys.h"
#include "trackertexts.h"
#include "widgets.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>

using trackerkeys::SlotField;
using trackerkeys::slotKey;

namespace {

constexpr int kHelpTopic = 203;
constexpr int kAboutHelpTopic = 200; // the About item's own
constexpr int kMessageLimit = 75;
// Focus selects this much of a message, so typing replaces a message of up to 70 characters.
constexpr int kFocusSelection = 70;

// Places of the editor's command buttons, with and without Delete.
constexpr int kButtonTop = 4080;
constexpr int kButtonWidth = 1100;
constexpr int kButtonHeight = 420;

QComboBox* timeList(QWidget* parent, const QString& name, const QString& toolTip,
                    const QStringList& items, int left)
{
    auto* list = named(new QComboBox(parent), name);
    list->addItems(items);
    list->setToolTip(toolTip);
    list->setAccessibleName(toolTip);
    list->setGeometry(twipsRect(left, 1950, 950, 330));
    return list;
}

QRadioButton* optionButton(QWidget* group, const QString& name, const QString& text,
                           const QString& toolTip, int top)
{
    auto* button = named(new QRadioButton(text, group), name);
    button->setToolTip(toolTip);
    button->setGeometry(twipsRect(200, top, 4900, 300));
    return button;
}

// "00", "01", ... for `count` numbers from `first`.
QStringList twoDigitItems(int first, int count)
{
    QStringList items;
    for (int i = first; i < first + count; ++i)
        items.append(QString::number(i).rightJustified(2, u'0'));
    return items;
}

} // namespace

// ---- Building ----

void Almanor::buildPanels()
{
    if (Frame2)
        return;
    QWidget* central = centralWidget();
    buildEditorPanel(central);
    buildNotesPanel(central);
    buildAboutPanel(central);
    buildOptionsPanel(central);
    accessibility::nameControls(this);
    selectOptions(startOptions_);
    Calendar1->setSelectedDate(timetext::parseDate(state_.LabelCalendarDate).value_or(today()));
}

void Almanor::buildEditorPanel(QWidget* central)
{
    // clang-format off
    static constexpr ButtonRow<Almanor> kBrowse[] = {
        {"butEditBrowse", QT_TR_NOOP("..."), QT_TR_NOOP("Click here to change the sound"),
         {1250, 780, 450, 330}, &Almanor::butEditBrowseClick},
    };
    // clang-format on
    Frame2 = named(new QGroupBox(tr("Edit"), central), QStringLiteral("Frame2"));
    Frame2->setGeometry(twipsRect(100, 50, 8700, 4700));
    Frame2->hide();
    panelLabel(Frame2, QStringLiteral("LabelText1"), tr("Message:"),
               twipsRect(200, 390, 1000, 255));
    messageBox_ = new QLineEdit(Frame2);
    messageBox_->setMaxLength(kMessageLimit);
    messageBox_->setGeometry(twipsRect(1250, 330, 3250, 330));
    selectOnFocus(messageBox_, kFocusSelection);
    panelLabel(Frame2, QStringLiteral("LabelText2"), tr("Sound:"), twipsRect(200, 840, 1000, 255));
    QPushButton* browse = panelButtons<Almanor>(Frame2, this, kBrowse).first();
    browse->setAccessibleName(tr("Choose a sound file"));
    soundBox_ = new QLineEdit(Frame2);
    soundBox_->setToolTip(tr("Current Wave File"));
    soundBox_->setGeometry(twipsRect(1750, 780, 2750, 330));
    panelLabel(Frame2, QStringLiteral("LabelText3"), tr("Time:"), twipsRect(200, 1350, 1000, 255));

    buildDateAndTime();
    buildEditorButtons();

    // Down the left column, then the calendar, then the buttons from left to right.
    tabOrder({messageBox_, browse, soundBox_, OptionsSetHours, OptionsSetMinutes, OptionsSetSeconds,
              OptionsSetAmPm, Calendar1, butEditSave, butEditCancel, butEditDelete});
    accessibility::escapeKey(Frame2, this, &Almanor::butEditCancelClick);
}

// The time lists, the calendar and the days between the chosen date and today.
void Almanor::buildDateAndTime()
{
    auto* headings = named(new QWidget(Frame2), QStringLiteral("LabelText4"));
    headings->setGeometry(twipsRect(200, 1650, 4100, 255));
    const QString headingTexts[] = {tr("Hours"), tr("Minutes"), tr("Seconds"), tr("AM/PM")};
    for (int i = 0; i < 4; ++i)
        panelLabel(headings, QString(), headingTexts[i], twipsRect(1050 * i, 0, 950, 255));

    OptionsSetHours = timeList(Frame2, QStringLiteral("OptionsSetHours"), tr("Set the hour"),
                               QStringList{QStringLiteral("12")} + twoDigitItems(1, 11), 200);
    OptionsSetMinutes = timeList(Frame2, QStringLiteral("OptionsSetMinutes"), tr("Set the minutes"),
                                 twoDigitItems(0, 60), 1250);
    OptionsSetSeconds = timeList(Frame2, QStringLiteral("OptionsSetSeconds"), tr("Set the seconds"),
                                 twoDigitItems(0, 60), 2300);
    OptionsSetAmPm = timeList(Frame2, QStringLiteral("OptionsSetAmPm"),
                              tr("Select AM or PM for the time"), {"AM", "PM"}, 3350);

    LabelDateDiff = named(new QLabel(Frame2), QStringLiteral("LabelDateDiff"));
    LabelDateDiff->setGeometry(twipsRect(200, 2700, 4300, 600));
    LabelDateDiff->setWordWrap(true);

    Calendar1 = named(new QCalendarWidget(Frame2), QStringLiteral("Calendar1"));
    Calendar1->setToolTip(tr("Click on the required date"));
    Calendar1->setAccessibleName(tr("Date"));
    Calendar1->setGeometry(twipsRect(4700, 300, 3850, 3650));
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar1->setFirstDayOfWeek(Qt::Sunday);
    connect(Calendar1, &QCalendarWidget::clicked, this, &Almanor::Calendar1Click);
    connect(Calendar1, &QCalendarWidget::selectionChanged, this, &Almanor::Calendar1Click);
}

void Almanor::buildEditorButtons()
{
    // Placed by placeEditorButtons, as Delete comes and goes.
    // clang-format off
    static constexpr ButtonRow<Almanor> kButtons[] = {
        {"butEditSave", QT_TR_NOOP("&Save"), QT_TR_NOOP("Save this message"), {},
         &Almanor::butEditSaveClick, &Almanor::butEditSave},
        {"butEditCancel", QT_TR_NOOP("&Cancel"), QT_TR_NOOP("Cancel this message or changes to it"),
         {}, &Almanor::butEditCancelClick, &Almanor::butEditCancel},
        {"butEditDelete", QT_TR_NOOP("&Delete"), QT_TR_NOOP("Delete this message"), {},
         &Almanor::butEditDeleteClick, &Almanor::butEditDelete},
    };
    // clang-format on
    for (QPushButton* button : panelButtons<Almanor>(Frame2, this, kButtons))
        button->installEventFilter(this);
    placeEditorButtons(false);
}

void Almanor::buildNotesPanel(QWidget* central)
{
    // clang-format off
    static constexpr ButtonRow<Almanor> kButtons[] = {
        {"butNotesSave", QT_TR_NOOP("&Save"), QT_TR_NOOP("Save this note"),
         {6025, kButtonTop, kButtonWidth, kButtonHeight}, &Almanor::butNotesSaveClick},
        {"butNotesCancel", QT_TR_NOOP("&Cancel"), QT_TR_NOOP("Cancel changes to this note"),
         {7250, kButtonTop, kButtonWidth, kButtonHeight}, &Almanor::butNotesCancelClick},
    };
    // clang-format on
    Frame4 = named(new QGroupBox(central), QStringLiteral("Frame4"));
    Frame4->setGeometry(twipsRect(100, 50, 8700, 4700));
    Frame4->hide();

    Notes1 = named(new QPlainTextEdit(Frame4), QStringLiteral("Notes1"));
    Notes1->setToolTip(tr("Enter notes for this message"));
    Notes1->setAccessibleName(tr("Notes"));
    Notes1->setGeometry(twipsRect(200, 330, 8300, 3600));
    Notes1->setTabChangesFocus(true);

    const QList<QPushButton*> buttons = panelButtons<Almanor>(Frame4, this, kButtons);
    tabOrder({Notes1, buttons[0], buttons[1]});
    accessibility::escapeKey(Frame4, this, &Almanor::butNotesCancelClick);
}

void Almanor::buildAboutPanel(QWidget* central)
{
    Frame5 = named(new QGroupBox(tr("About"), central), QStringLiteral("Frame5"));
    Frame5->setGeometry(twipsRect(100, 50, 8700, 4700));
    Frame5->setAutoFillBackground(true);
    Frame5->hide();

    auto* logo = named(new QLabel(Frame5), QStringLiteral("imgLogo"));
    logo->setPixmap(familyLogo(16, devicePixelRatioF()));
    logo->setGeometry(twipsRect(4230, 1000, 240, 240));
    logo->setAccessibleName(tr("Date Vexlo logo"));

    auto* name = panelLabel(Frame5, QStringLiteral("LabelAboutLabel0"), tr("Date Vexlo 8.01"),
                            twipsRect(600, 1450, 7500, 600));
    QFont arial(QStringLiteral("Arial"), 14, QFont::Bold);
    arial.setStyleHint(QFont::SansSerif);
    name->setFont(arial);
    name->setAlignment(Qt::AlignCenter);

    butAboutOKContinue =
        panelButton(Frame5, QStringLiteral("butAboutOKContinue"), tr("&OK"), tr("Continue"),
                    twipsRect(3800, 3100, kButtonWidth, kButtonHeight));
    butAboutOKContinue->setIcon(familyLogo(16, devicePixelRatioF()));
    connect(butAboutOKContinue, &QPushButton::clicked, this, &Almanor::butAboutOKContinueClick);
    // About has nothing to cancel: Esc closes it as OK does.
    accessibility::escapeKey(Frame5, this, &Almanor::butAboutOKContinueClick);
}

void Almanor::buildOptionsPanel(QWidget* central)
{
    // clang-format off
    static constexpr ButtonRow<Almanor> kButtons[] = {
        {"butOptionsSave", QT_TR_NOOP("&Save"), QT_TR_NOOP("Save the selected options above"),
         {1650, 2800, kButtonWidth, kButtonHeight}, &Almanor::butOptionsSaveClick},
        {"butOptionsCancel", QT_TR_NOOP("&Cancel"), QT_TR_NOOP("Cancel changes"),
         {2950, 2800, kButtonWidth, kButtonHeight}, &Almanor::butOptionsCancelClick},
    };
    // clang-format on
    Frame6 = named(new QGroupBox(tr("Options"), central), QStringLiteral("Frame6"));
    Frame6->setGeometry(twipsRect(1500, 600, 5700, 3500));
    Frame6->setAutoFillBackground(true);
    Frame6->hide();

    auto* frame6a = named(new QGroupBox(tr("Calendar"), Frame6), QStringLiteral("Frame6a"));
    frame6a->setGeometry(twipsRect(200, 300, 5300, 1050));
    OptionCalendarSetting1 = optionButton(
        frame6a, QStringLiteral("OptionCalendarSetting1"), tr("Calendar re-sets back to Today"),
        tr("When entering a new message, the calendar starts on today's date"), 300);
    OptionCalendarSetting2 = optionButton(
        frame6a, QStringLiteral("OptionCalendarSetting2"), tr("Calendar uses last date chosen"),
        tr("When entering a new message, the calendar starts on the last date used"), 650);

    auto* frame6b = named(new QGroupBox(tr("Date/Time"), Frame6), QStringLiteral("Frame6b"));
    frame6b->setGeometry(twipsRect(200, 1450, 5300, 1050));
    OptionDateTime = optionButton(frame6b, QStringLiteral("OptionDateTime"),
                                  tr("Show both Days and Time remaining"),
                                  tr("In Grid View, show both the days and time remaining"), 300);
    OptionOnlyDate =
        optionButton(frame6b, QStringLiteral("OptionOnlyDate"), tr("Show only Days remaining"),
                     tr("In Grid View, show only the days remaining"), 650);

    const QList<QPushButton*> buttons = panelButtons<Almanor>(Frame6, this, kButtons);
    tabOrder({OptionCalendarSetting1, OptionCalendarSetting2, OptionDateTime, OptionOnlyDate,
              buttons[0], buttons[1]});
    accessibility::escapeKey(Frame6, this, &Almanor::butOptionsCancelClick);
}

bool Almanor::eventFilter(QObject* watched, QEvent* event)
{
    // An open menu keeps the window's F1 from it: help on the highlighted item instead.
    if (auto* menu = qobject_cast<QMenu*>(watched);
        menu && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        const QAction* item = menu->activeAction();
        const bool about = item && item->objectName() == u"menuhelpabout";
        // Closed, and the menu bar left as Esc leaves it: the focus goes back where it was.
        menu->close();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(menuBar(), &escape);
        platform_.help.open(about ? kAboutHelpTopic : kHelpTopic);
        return true;
    }

    // Enter or Space then acts on the button under the pointer.
    if (event->type() == QEvent::Enter &&
        (watched == butEditSave || watched == butEditCancel || watched == butEditDelete))
        static_cast<QWidget*>(watched)->setFocus(Qt::MouseFocusReason);
    return QMainWindow::eventFilter(watched, event);
}

// ---- The editor ----

void Almanor::placeEditorButtons(bool withDelete)
{
    const int saveLeft = withDelete ? 4800 : 5200;
    const int cancelLeft = withDelete ? 6025 : 6700;
    butEditSave->setGeometry(twipsRect(saveLeft, kButtonTop, kButtonWidth, kButtonHeight));
    butEditCancel->setGeometry(twipsRect(cancelLeft, kButtonTop, kButtonWidth, kButtonHeight));
    butEditDelete->setGeometry(twipsRect(7250, kButtonTop, kButtonWidth, kButtonHeight));
    butEditDelete->setVisible(withDelete);
}

void Almanor::selectTime(const QString& timeText)
{
    // timeText is "hh:mm:ss AM"; each list holds exactly one matching item.
    OptionsSetHours->setCurrentText(timeText.mid(0, 2));
    OptionsSetMinutes->setCurrentText(timeText.mid(3, 2));
    OptionsSetSeconds->setCurrentText(timeText.mid(6, 2));
    OptionsSetAmPm->setCurrentText(timeText.right(2));
}

void Almanor::MessageEditClick(int n)
{
    buildPanels();
    // What another window saved in the slot since the last tick is what the user edits.
    followStore(n, trackerkeys::readSlots(platform_.store)[size_t(n - 1)]);
    editorBase_ = seen_[n - 1];
    TrackerSlot& s = slot(n);
    editingSlot_ = n;
    setWindowTitle(tr("Edit Message %1").arg(n));
    Frame1->hide();
    Frame2->show();
    menuView->menuAction()->setEnabled(false);

    messageBox_->setObjectName(QStringLiteral("Text%1").arg(n));
    messageBox_->setToolTip(tr("Enter message %1 here").arg(n));
    messageBox_->setAccessibleName(tr("Message %1").arg(n));
    messageBox_->setText(s.Message);
    soundBox_->setObjectName(QStringLiteral("Wave%1").arg(n));
    soundBox_->setAccessibleName(tr("Sound of message %1").arg(n));
    // An event without a sound of its own rings with the family's default.
    s.Wave = editorBase_.sound.isEmpty() ? QStringLiteral("Timer1.wav") : editorBase_.sound;
    soundBox_->setText(s.Wave);

    // The moment the event counts to: a time the clocks skip shows as the time they reach.
    if (const auto moment = timetext::parseDateTime(s.LabelNewDate)) {
        Calendar1->setSelectedDate(moment->date());
        selectTime(timetext::timeText(moment->time()));
    } else {
        // An empty slot, or one whose stored moment cannot be read: start from the calendar
        // option's date at noon.
        checkCalendarDate();
        selectTime(QStringLiteral("12:00:00 PM"));
    }
    placeEditorButtons(!s.LabelDate.isEmpty());
    refreshDayDifference();
    Timer3->start(200);
    messageBox_->setFocus();
}

void Almanor::butEditBrowseClick()
{
    if (editingSlot_ == 0)
        return;
    // A cancelled dialog empties the box; the next opening shows the default sound again.
    const QString chosen =
        platform_.dialogs.openFile(this, tr("Open"), state_.LabelPath, tr("Wave files (*.wav)"));
    soundBox_->setText(chosen);
    slot(editingSlot_).Wave = chosen;
}

void Almanor::butEditSaveClick()
{
    const QDate date = Calendar1->selectedDate();
    const QString chosenTime =
        OptionsSetHours->currentText() + u':' + OptionsSetMinutes->currentText() + u':' +
        OptionsSetSeconds->currentText() + u' ' + OptionsSetAmPm->currentText();
    const QTime time = timetext::parseTime(chosenTime).value_or(QTime(12, 0));
    // A time the clocks skip that night is kept as the time they reach, which it counts to.
    const QDateTime moment = timetext::localMoment(date, time).value_or(QDateTime(date, time));
    const bool moved = moment.date() != date || moment.time() != time;
    const QString calendarDate = timetext::shortDateText(date);
    state_.CalendarDate = timetext::dateText(moment.date());
    state_.CalendarTime = moved ? timetext::timeText(moment.time()) : chosenTime;
    state_.OptionsSetNewDate = state_.CalendarDate + u' ' + state_.CalendarTime;
    const int n = editingSlot_;
    if (n == 0) {
        closeEditor();
        return;
    }
    if (!mayReplaceEditedSlot(
            tr("Message %1 was changed in another window after you opened it here. Save your "
               "version over it?\n\nChoose No to go on editing; cancel and open the message "
               "again to see the other version.")
                .arg(n)))
        return;

    const trackerkeys::StoredSlot saved = {messageBox_->text(), state_.CalendarDate,
                                           state_.CalendarTime, soundBox_->text()};
    if (!storeEditedSlot(n, saved, calendarDate))
        return;

    state_.LabelCalendarDate = calendarDate;
    replaceSlot(n, saved);
    closeEditor();
    if (moved)
        tellMovedTime(n, date, time, moment);
}

// One write for the event and the calendar date, so that nothing is half stored; a refusal is
// told.
bool Almanor::storeEditedSlot(int n, const trackerkeys::StoredSlot& saved,
                              const QString& calendarDate)
{
    const bool stored = platform_.store.saveAll({
        {trackerkeys::kSavedDate, calendarDate},
        {slotKey(n, SlotField::Message), saved.message},
        {slotKey(n, SlotField::Date), saved.date},
        {slotKey(n, SlotField::Time), saved.time},
        {slotKey(n, SlotField::Sound), saved.sound},
    });
    if (!stored)
        showSaveFailure(tr("Message %1").arg(n));
    return stored;
}

void Almanor::tellMovedTime(int n, QDate date, QTime chosen, const QDateTime& moved)
{
    const QString movedText =
        moved.date() == date ? timetext::timeText(moved.time()) : timetext::dateTimeText(moved);
    platform_.dialogs.message(
        this, tr("Date Vexlo"),
        tr("There is no %1 on %2: the clocks go forward past it that night. Message %3 is set "
           "for %4, the moment the clocks reach it.")
            .arg(timetext::timeText(chosen), timetext::dateText(date))
            .arg(n)
            .arg(movedText));
}

// Another window may have saved the slot since the editor opened: its version is not written
// over, or deleted, without the user's word.
bool Almanor::mayReplaceEditedSlot(const QString& question)
{
    if (trackerkeys::readSlots(platform_.store)[size_t(editingSlot_ - 1)] == editorBase_)
        return true;
    return platform_.dialogs.askYesNo(this, tr("Date Vexlo"), question);
}

void Almanor::butEditCancelClick()
{
    // The alarm plays what is stored, not a sound chosen and then cancelled.
    if (editingSlot_ != 0)
        slot(editingSlot_).Wave = platform_.store.get(slotKey(editingSlot_, SlotField::Sound));
    closeEditor();
}

void Almanor::butEditDeleteClick()
{
    const int n = editingSlot_;
    if (n != 0 &&
        !mayReplaceEditedSlot(tr("Message %1 was changed in another window after you opened it "
                                 "here. Delete it all the same?")
                                  .arg(n)))
        return;
    if (n != 0) {
        QStringList keys = {slotKey(n, SlotField::Message), slotKey(n, SlotField::Date),
                            slotKey(n, SlotField::Time), slotKey(n, SlotField::Sound)};
        // Empty notes stay; notes with text go with their event.
        if (!platform_.store.get(slotKey(n, SlotField::Notes)).isEmpty())
            keys.append(slotKey(n, SlotField::Notes));
        if (!platform_.store.removeAll(keys)) {
            platform_.dialogs.message(
                this, tr("Date Vexlo"),
                platform_.store.removalRefusalMessage(tr("Message %1").arg(n)));
            return;
        }
        replaceSlot(n, {});
    }
    checkCalendarDate();
    closeEditor();
}

void Almanor::closeEditor()
{
    const int n = editingSlot_;
    editingSlot_ = 0;
    messageBox_->setObjectName(QString());
    soundBox_->setObjectName(QString());
    Timer3->stop();
    Frame2->hide();
    Frame1->show();
    setWindowTitle(tr("Date Vexlo 8.0"));
    menuView->menuAction()->setEnabled(true);
    // Back on the row the editor was opened from.
    if (n != 0)
        accessibility::focusFirstAvailable({rows_[n - 1].edit});
}

void Almanor::showSaveFailure(const QString& what)
{
    platform_.dialogs.message(this, tr("Date Vexlo"), platform_.store.refusalMessage(what));
}

void Almanor::saveView(const QString& view)
{
    if (platform_.store.save(trackerkeys::kView, view))
        return;
    platform_.dialogs.message(this, tr("Date Vexlo"),
                              platform_.store.refusalMessage(tr("The view")) + u' ' +
                                  tr("This window keeps it until it closes."));
}

// ---- Notes ----

void Almanor::MessageNotesClick(int n)
{
    buildPanels();
    notesSlot_ = n;
    Frame1->hide();
    menuView->menuAction()->setEnabled(false);
    Frame4->setTitle(tr("Message %1 Notes").arg(n));
    accessibility::captionChanged(Frame4);
    notesBase_ = platform_.store.get(slotKey(n, SlotField::Notes));
    Notes1->setPlainText(notesBase_);
    Frame4->show();
    Notes1->setFocus();
}

void Almanor::butNotesSaveClick()
{
    const int n = notesSlot_;
    if (n != 0 && platform_.store.get(slotKey(n, SlotField::Notes)) != notesBase_ &&
        !platform_.dialogs.askYesNo(
            this, tr("Date Vexlo"),
            tr("The notes of message %1 were changed in another window after you opened them "
               "here. Save your version over them?\n\nChoose No to go on editing.")
                .arg(n)))
        return;
    if (n != 0 && !platform_.store.save(slotKey(n, SlotField::Notes), Notes1->toPlainText())) {
        showSaveFailure(tr("The notes of message %1").arg(n));
        return;
    }
    closeNotes();
}

void Almanor::butNotesCancelClick()
{
    closeNotes();
}

void Almanor::closeNotes()
{
    const int n = notesSlot_;
    notesSlot_ = 0;
    Frame4->hide();
    menuView->menuAction()->setEnabled(true);
    Frame1->show();
    if (n != 0)
        accessibility::focusFirstAvailable({rows_[n - 1].notes});
}

// ---- Views ----

void Almanor::menuViewNormalClick()
{
    const bool wasGrid = gridView_;
    markView(false);
    if (!wasGrid)
        return;
    const bool focusInList = List1->hasFocus();
    Timer2->stop();
    Frame1->show();
    List1->hide();
    saveView(QStringLiteral("1"));
    // The focus moves on with the view it was in.
    if (focusInList)
        accessibility::focusFirstAvailable({rows_[0].edit});
}

void Almanor::menuViewGridClick()
{
    const bool wasGrid = gridView_;
    markView(true);
    if (wasGrid)
        return;
    const bool focusInRows = Frame1->isAncestorOf(focusWidget());
    Frame1->hide();
    saveView(QStringLiteral("2"));
    List1->show();
    fillListBox();
    Timer2->start(10);
    if (focusInRows)
        accessibility::focusFirstAvailable({List1});
}

// ---- Options ----

void Almanor::selectOptions(Options options)
{
    OptionCalendarSetting1->setChecked(options.calendarToday);
    OptionCalendarSetting2->setChecked(!options.calendarToday);
    OptionDateTime->setChecked(options.daysAndTime);
    OptionOnlyDate->setChecked(!options.daysAndTime);
}

void Almanor::selectOptionsFromStore()
{
    selectOptions({optionNumber(platform_.store.get(trackerkeys::kCalendarOption)) == 1,
                   optionNumber(platform_.store.get(trackerkeys::kDateTimeOption)) == 1});
}

void Almanor::menuViewOptionsClick()
{
    buildPanels();
    if (Frame6->isHidden())
        focusBeforeOptions_ = focusWidget();
    if (!Frame1->isHidden())
        Frame1->setEnabled(false);
    else if (!List1->isHidden())
        List1->setEnabled(false);
    Frame6->show();
    Frame6->raise();
    selectOptionsFromStore();
    (OptionCalendarSetting1->isChecked() ? OptionCalendarSetting1 : OptionCalendarSetting2)
        ->setFocus();
}

void Almanor::butOptionsSaveClick()
{
    const bool saved = platform_.store.saveAll({
        {trackerkeys::kCalendarOption,
         OptionCalendarSetting1->isChecked() ? QStringLiteral("1") : QStringLiteral("2")},
        {trackerkeys::kDateTimeOption,
         OptionDateTime->isChecked() ? QStringLiteral("1") : QStringLiteral("2")},
    });
    if (!saved) {
        showSaveFailure(tr("The options"));
        return;
    }
    closeOptionsPanel();
}

void Almanor::butOptionsCancelClick()
{
    selectOptionsFromStore();
    closeOptionsPanel();
}

void Almanor::closeOptionsPanel()
{
    Frame6->hide();
    if (!Frame1->isEnabled()) {
        Frame1->setEnabled(true);
    } else if (!List1->isEnabled()) {
        // Refilled within a second with the choice now stored.
        List1->clear();
        List1->setEnabled(true);
    }
    accessibility::focusFirstAvailable({focusBeforeOptions_, List1, rows_[0].edit});
}

// ---- Help and About ----

void Almanor::menuhelpusingClick()
{
    platform_.help.open(kHelpTopic);
}

void Almanor::menuhelpaboutClick()
{
    buildPanels();
    if (Frame5->isHidden()) {
        focusBeforeAbout_ = focusWidget();
        // What About covers stays out of the reach of Tab until OK.
        for (QWidget* panel : std::initializer_list<QWidget*>{List1, Frame2, Frame4, Frame6}) {
            if (!panel->isHidden() && panel->isEnabled()) {
                panel->setEnabled(false);
                coveredByAbout_.append(panel);
            }
        }
    }
    Frame1->hide();
    Frame5->show();
    Frame5->raise();
    butAboutOKContinue->setFocus();
}

void Almanor::butAboutOKContinueClick()
{
    // With the editor or the notes open, About was drawn over them and they stay.
    if (Frame2->isHidden() && Frame4->isHidden()) {
        const bool grid = optionNumber(platform_.store.get(trackerkeys::kView)) == 2;
        List1->setVisible(grid);
        Frame1->setVisible(!grid);
    }
    Frame5->hide();
    for (QWidget* panel : std::as_const(coveredByAbout_))
        panel->setEnabled(true);
    coveredByAbout_.clear();
    accessibility::focusFirstAvailable(
        {focusBeforeAbout_, messageBox_, Notes1, List1, rows_[0].edit});
}
