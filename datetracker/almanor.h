#pragma once

#include "platform.h"
#include "soundplayer.h"
#include "trackerkeys.h"

#include <QColor>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <array>
#include <optional>

class QAction;
class QCalendarWidget;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

// The working state of one event slot, one field per hidden control.
struct TrackerSlot {
    QString Message;
    QString LabelDate;      // "mm/dd/yyyy"; empty while the slot is not counted down
    QString LabelTime;      // "hh:mm:ss AM"
    QString LabelNewDate;   // the target: LabelDate, a blank, LabelTime
    QString LabelRemaining; // the long remaining text or "Time Is Up!"
    QString LabelDaysOnly;
    QString LabelTimeOnly;
    QString Wave;           // the sound to play one second before the event
    QColor LabelDateColour; // invalid: the desktop's text colour
};

struct AlmanorState {
    static constexpr int kSlots = trackerkeys::kSlots;
    std::array<TrackerSlot, kSlots> slot; // slot N is slot[N - 1]
    QString LabelGetDays;
    QString LabelGetTime;
    QString LabelCalendarDate;
    QString LabelPath;
    // What the editor's Save puts together.
    QString CalendarDate;
    QString CalendarTime;
    QString OptionsSetNewDate;
};

// DateVexlo's main window: fifteen dated events counting down.
class Almanor : public QMainWindow {
    Q_OBJECT

public:
    explicit Almanor(const Platform& platform, QWidget* parent = nullptr);

    const AlmanorState& state() const { return state_; }
    TrackerSlot& slot(int n) { return state_.slot.at(n - 1); }

    // Builds the panels that take the list's place: the editor, the notes, the options and
    // About. The window builds them once it is first drawn, or when one is first opened.
    void buildPanels();

    // Event handlers, public so that tests drive them as the event loop would.
    void Timer1Tick();
    void Timer2Tick();
    void Timer3Tick();
    void menuexitClick();

    void MessageEditClick(int n);
    void butEditBrowseClick();
    void butEditSaveClick();
    void butEditCancelClick();
    void butEditDeleteClick();
    void Calendar1Click();

    void MessageNotesClick(int n);
    void butNotesSaveClick();
    void butNotesCancelClick();

    void menuViewNormalClick();
    void menuViewGridClick();
    void menuViewOptionsClick();
    void butOptionsSaveClick();
    void butOptionsCancelClick();
    void menuhelpusingClick();
    void menuhelpaboutClick();
    void butAboutOKContinueClick();

    QString getTimeRemaining(double seconds);
    void fillListBox();
    void checkCalendarDate();

    static const QColor kDueColour;

private:
    struct Row {
        QPushButton* edit = nullptr;
        QLabel* message = nullptr;
        QPushButton* notes = nullptr;
        QLabel* date = nullptr;
        QLabel* remaining = nullptr;
    };

    void buildMenus();
    void buildListPanel(QWidget* central);
    void buildEditorPanel(QWidget* central);
    void buildDateAndTime();
    void buildEditorButtons();
    void buildNotesPanel(QWidget* central);
    void buildOptionsPanel(QWidget* central);
    void buildAboutPanel(QWidget* central);
    void startUp();
    void loadSlots();
    void takeSlot(int n, const trackerkeys::StoredSlot& stored);
    void replaceSlot(int n, const trackerkeys::StoredSlot& stored);
    bool followStore(int n, const trackerkeys::StoredSlot& stored);
    void showSlot(int n);
    void showRemaining(int n);
    void showGridLines(const QStringList& lines);
    std::optional<qint64> targetMsecs(int n);
    void showGridView(bool grid);
    void refreshDayDifference();
    QDate today() const;
    void markView(bool grid);
    struct Options {
        bool calendarToday; // the calendar re-sets to today, or keeps the last date chosen
        bool daysAndTime;   // the grid shows days and time, or days only
    };
    void selectOptions(Options options);
    void selectOptionsFromStore();
    void closeOptionsPanel();
    void selectTime(const QString& timeText);
    void placeEditorButtons(bool withDelete);
    void closeEditor();
    bool storeEditedSlot(int n, const trackerkeys::StoredSlot& saved, const QString& calendarDate);
    bool mayReplaceEditedSlot(const QString& question);
    void tellMovedTime(int n, QDate date, QTime chosen, const QDateTime& moved);
    void closeNotes();
    void showSaveFailure(const QString& what);
    // An event whose moment came at this tick, and whether its sound played a second before.
    struct FallenDue {
        int slot;
        qint64 msecsSinceEpoch;
        bool rang;
    };
    // The soonest pending event at this tick, its sound prepared ahead.
    struct NextAlarm {
        const TrackerSlot* slot = nullptr;
        qint64 seconds = SoundPlayer::kPrepareAheadSeconds + 1;
    };
    void countDown(int n, qint64 nowMsecs, QList<FallenDue>& fallen, NextAlarm& next);
    void tellFallenDue(const QList<FallenDue>& fallen, qint64 nowMsecs);
    void tellMissed(QList<FallenDue> missed);
    // Keeps the view for the next start ("1" rows, "2" grid), or says it could not.
    void saveView(const QString& view);
    bool eventFilter(QObject* watched, QEvent* event) override;

    Platform platform_;
    AlmanorState state_;

    // Each slot's target as read from its text, read again only when the text changes: the
    // tick then costs no date parsing and no time-zone lookups for unchanged events.
    struct Target {
        QString text;
        std::optional<qint64> msecsSinceEpoch;
    };
    std::array<Target, AlmanorState::kSlots> targets_;

    // Events due up to this moment (msecs since the epoch) have been told of: the kept moment at
    // start-up, the last tick from then on. An event due after it that falls due is news.
    qint64 alarmsGivenUntil_ = 0;
    // The options as the start found them, until the options panel is built.
    Options startOptions_{true, true};
    // The first tick tells of what fell due while the program was not running, in one notice.
    bool firstTickDone_ = false;

    // Each slot as this window last read or wrote it in the store: where the store holds
    // something else, another window (or program) saved the slot since.
    std::array<trackerkeys::StoredSlot, AlmanorState::kSlots> seen_;
    // The slot, and the notes, as stored when the editor or the notes opened: a save over
    // what another window stored since asks first.
    trackerkeys::StoredSlot editorBase_;
    QString notesBase_;

    QGroupBox* Frame1 = nullptr;
    std::array<Row, AlmanorState::kSlots> rows_;
    QListWidget* List1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* messageBox_ = nullptr; // "Text<N>" while open on slot N
    QLineEdit* soundBox_ = nullptr;   // "Wave<N>"
    QComboBox* OptionsSetHours = nullptr;
    QComboBox* OptionsSetMinutes = nullptr;
    QComboBox* OptionsSetSeconds = nullptr;
    QComboBox* OptionsSetAmPm = nullptr;
    QCalendarWidget* Calendar1 = nullptr;
    QLabel* LabelDateDiff = nullptr;
    QPushButton* butEditSave = nullptr;
    QPushButton* butEditCancel = nullptr;
    QPushButton* butEditDelete = nullptr;
    // The slot the editor is open on, 0 while it is closed.
    int editingSlot_ = 0;

    QGroupBox* Frame4 = nullptr;
    QPlainTextEdit* Notes1 = nullptr;
    int notesSlot_ = 0;

    QGroupBox* Frame5 = nullptr;
    QPushButton* butAboutOKContinue = nullptr;
    QGroupBox* Frame6 = nullptr;
    QRadioButton* OptionCalendarSetting1 = nullptr;
    QRadioButton* OptionCalendarSetting2 = nullptr;
    QRadioButton* OptionDateTime = nullptr;
    QRadioButton* OptionOnlyDate = nullptr;
    QMenu* menuView = nullptr;
    QAction* menuViewOptions = nullptr;
    QAction* menuViewNormal = nullptr;
    QAction* menuViewGrid = nullptr;
    bool gridView_ = false;
    // Where the focus goes back to when the options or About close, and what About disabled.
    QPointer<QWidget> focusBeforeOptions_;
    QPointer<QWidget> focusBeforeAbout_;
    QList<QWidget*> coveredByAbout_;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
};
