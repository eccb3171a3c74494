// Draws each window of the family in its typical states into PNG files, for the README and for
// looking at a change the way a user will see it:
//     QT_QPA_PLATFORM=offscreen <build>/tools/screenshots <output folder>
#include "almanor.h"
#include "clock.h"
#include "displaymodes.h"
#include "fullscreenvexlo.h"
#include "instancelauncher.h"
#include "pellum.h"
#include "shellplatform.h"
#include "skins.h"
#include "vexlo.h"
#include "windowstacking.h"
#include "desktoplook.h"
#include "dialogs.h"
#include "helpwindow.h"
#include "notifier.h"
#include "settingsstore.h"
#include "soundplayer.h"
#include "timetext.h"
#include "trackerkeys.h"

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>

namespace {

// The moment every picture starts from, so that the pictures only change when the windows do.
class FixedClock final : public Clock {
public:
    QDateTime now() const override { return now_; }
    void set(const QDateTime& moment) { now_ = moment; }

private:
    QDateTime now_{QDate(2026, 12, 8), QTime(9, 41, 20)};
};

class SilentPlayer final : public SoundPlayer {
public:
    void play(const QString&) override {}
};

class NoNotifier final : public Notifier {
public:
    void tell(const QString&, const QString&, Sound, QWidget*) override {}
    void attention(QWidget*) override {}
};

class NoDialogs final : public Dialogs {
public:
    void message(QWidget*, const QString&, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
    QString openFile(QWidget*, const QString&, const QString&, const QString&) override
    {
        return {};
    }
};

void save(QWidget& widget, const QDir& out, const QString& name)
{
    QApplication::processEvents();
    widget.grab().save(out.filePath(name + QStringLiteral(".png")));
}

// False when the store refused them: a picture of empty rows is no picture of the window.
bool seedEvents(SettingsStore& store, const QDateTime& now)
{
    using trackerkeys::SlotField;
    struct Event {
        const char* message;
        qint64 secondsAhead;
    };
    const Event events[] = {
        {"Dentist appointment", 2 * 86400 + 9 * 3600 + 977},
        {"Mum's birthday party", 1000000},
        {"Project deadline", 3 * 3600 + 3000},
        {"New Year's Eve", 23 * 86400 + 51520},
        {"Car service", -86400},
        {"Flight to Lisbon", 100000000},
    };
    int n = 1;
    bool seeded = true;
    for (const Event& e : events) {
        const QDateTime at = now.addSecs(e.secondsAhead);
        seeded = seeded &&
                 store.saveAll(
                     {{trackerkeys::slotKey(n, SlotField::Message), QString::fromUtf8(e.message)},
                      {trackerkeys::slotKey(n, SlotField::Date), timetext::dateText(at.date())},
                      {trackerkeys::slotKey(n, SlotField::Time), timetext::timeText(at.time())}});
        ++n;
    }
    return seeded && store.save(trackerkeys::slotKey(2, SlotField::Notes),
                                QStringLiteral("Order the cake.\n"));
}

void dateVexlo(const QDir& out, const QString& folder)
{
    QTemporaryDir settings;
    IniSettingsStore store(settings.path());
    FixedClock clock;
    SilentPlayer sound;
    NoDialogs dialogs;
    NoNotifier notifier;
    HelpWindow help(folder + QStringLiteral("Vexlo.hlp"));
    if (!seedEvents(store, clock.now()))
        qFatal("The settings store refused the events to draw");

    Almanor window(Platform{store, clock, sound, dialogs, help, notifier, folder});
    window.show();
    window.Timer1Tick();
    save(window, out, QStringLiteral("datevexlo-list"));

    window.MessageEditClick(1);
    save(window, out, QStringLiteral("datevexlo-editor-full"));
    window.butEditCancelClick();
    window.MessageEditClick(9);
    save(window, out, QStringLiteral("datevexlo-editor-empty"));
    window.butEditCancelClick();

    window.MessageNotesClick(2);
    save(window, out, QStringLiteral("datevexlo-notes"));
    window.butNotesCancelClick();

    window.menuViewOptionsClick();
    save(window, out, QStringLiteral("datevexlo-options"));
    window.butOptionsCancelClick();

    window.menuViewGridClick();
    save(window, out, QStringLiteral("datevexlo-grid"));
    window.menuhelpaboutClick();
    save(window, out, QStringLiteral("datevexlo-about"));
    window.butAboutOKContinueClick();
    window.menuViewNormalClick();

    window.menuhelpusingClick();
    save(*help.window(), out, QStringLiteral("help-203"));
}

// The shell's seams, doing nothing: pictures are taken, not timers opened or displays changed.
class StillStacking final : public WindowStacking {
public:
    void makeTopMost(QWidget&) override {}
    void makeNormal(QWidget&) override {}
};

class NoLauncher final : public InstanceLauncher {
public:
    Result startAnother() override { return Result::Refused; }
};

class OneDisplayMode final : public DisplayModes {
public:
    QList<DisplayMode> list() override { return {{1280, 800, 32}}; }
    std::optional<DisplayMode> current() override { return DisplayMode{1280, 800, 32}; }
    int change(int) override { return Changed; }
};

struct Fakes {
    QTemporaryDir settings;
    IniSettingsStore store{settings.path()};
    FixedClock clock;
    SilentPlayer sound;
    NoDialogs dialogs;
    NoNotifier notifier;
    StillStacking stacking;
    NoLauncher launcher;
    OneDisplayMode displayModes;
};

void setTime(QWidget& window, int minutes, int seconds)
{
    window.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(minutes);
    window.findChild<QScrollBar*>(QStringLiteral("HScroll2"))->setValue(seconds);
}

void vexlo(const QDir& out, const QString& folder)
{
    Fakes f;
    HelpWindow help(folder + QStringLiteral("Vexlo.hlp"));
    Vexlo window(Platform{f.store, f.clock, f.sound, f.dialogs, help, f.notifier, folder},
                 ShellPlatform{f.stacking, f.launcher, f.displayModes});
    window.show();
    save(window, out, QStringLiteral("vexlo-no-time"));
    setTime(window, 75, 30);
    save(window, out, QStringLiteral("vexlo-ready"));
    window.StartStopTimer();
    f.clock.set(f.clock.now().addSecs(95));
    window.Timer1Tick();
    save(window, out, QStringLiteral("vexlo-running"));
    window.StartStopTimer();
    save(window, out, QStringLiteral("vexlo-stopped"));
    window.menuOptionsClick();
    save(window, out, QStringLiteral("vexlo-options"));
    window.ButOptionsCancelClick();
    window.menuAboutClick();
    save(window, out, QStringLiteral("vexlo-about"));
    window.ButAboutOKrClick();

    // Every look, the Default one last.
    for (int row = 0; row < kSkinCount; ++row) {
        window.skins().skinItemClick(row);
        save(window, out, QStringLiteral("vexlo-skin-%1").arg(row, 2, 10, QChar(u'0')));
    }
    window.skins().menuBackgroundDefaultClick();
    save(window, out, QStringLiteral("vexlo-skin-default"));
}

// One layout on a screen of `screen`, counting and at time-up.
void fullScreenOn(const QDir& out, const QString& folder, QSize screen, bool larger,
                  const QString& name)
{
    Fakes f;
    HelpWindow help(folder + QStringLiteral("Vexlo.hlp"));
    FullScreenVexlo window(Platform{f.store, f.clock, f.sound, f.dialogs, help, f.notifier, folder},
                           QRect(QPoint(), screen));
    window.resize(screen);
    window.show();
    larger ? window.menuScreenSize2Click() : window.menuScreenSize1Click();
    setTime(window, 61, 5);
    window.menustartClick();
    f.clock.set(f.clock.now().addSecs(2));
    window.Timer1Tick();
    save(window, out, name);
    f.clock.set(f.clock.now().addSecs(61 * 60 + 5));
    window.Timer1Tick();
    save(window, out, name + QStringLiteral("-timeup"));
}

void fullScreenVexlo(const QDir& out, const QString& folder)
{
    fullScreenOn(out, folder, {1280, 800}, false, QStringLiteral("fullscreen-smaller"));
    fullScreenOn(out, folder, {1280, 800}, true, QStringLiteral("fullscreen-larger"));
    // Other screens; 640 x 400 is 1280 x 800 at a scale factor of 2.
    for (const QSize screen : {QSize(800, 600), QSize(1024, 768), QSize(1280, 1024),
                               QSize(1920, 1080), QSize(3840, 2160), QSize(640, 400)}) {
        for (const bool larger : {false, true}) {
            fullScreenOn(out, folder, screen, larger,
                         QStringLiteral("fullscreen-%1x%2-%3")
                             .arg(screen.width())
                             .arg(screen.height())
                             .arg(larger ? QStringLiteral("larger") : QStringLiteral("smaller")));
        }
    }
}

void pellum(const QDir& out, const QString& folder)
{
    Fakes f;
    HelpWindow help(folder + QStringLiteral("Vexlo.hlp"));
    Pellum window(Platform{f.store, f.clock, f.sound, f.dialogs, help, f.notifier, folder},
                  ShellPlatform{f.stacking, f.launcher, f.displayModes});
    window.show();
    window.ButPellumStartClick();
    f.clock.set(f.clock.now().addSecs(3723));
    window.Timer1Tick();
    save(window, out, QStringLiteral("pellum-running"));
    window.ButPellumStopClick();
    save(window, out, QStringLiteral("pellum-stopped"));
    window.menuOptionsClick();
    save(window, out, QStringLiteral("pellum-options"));
    window.ButOptionsCancelClick();
    window.menuAboutClick();
    save(window, out, QStringLiteral("pellum-about"));
    window.ButAboutOKrClick();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    applyDesktopLook(app);
    if (argc != 2) {
        qWarning("usage: screenshots <output folder>");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    const QString folder = QStringLiteral(VEXLO_PROGRAM_DIR "/");
    dateVexlo(out, folder);
    vexlo(out, folder);
    fullScreenVexlo(out, folder);
    pellum(out, folder);
    return 0;
}
