#pragma once

// Programs of the family started as real processes on the test program's private X desktop,
// and the desktop tools (xdotool, wmctrl) that find and drive their windows as a user would.

#include "qtprinters.h"

#include <QMenu>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <QTest>

#include <functional>

namespace desktopprograms {

// Runs a desktop tool to its end and gives what it printed; one that hangs is ended.
inline QString tool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(3000);
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// Every window of the process that is on the screen, menus included, as X window ids.
inline QStringList visibleWindows(qint64 pid)
{
    return tool(QStringLiteral("xdotool"),
                {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                 QString::number(pid)})
        .split(u'\n', Qt::SkipEmptyParts);
}

inline QString windowTitle(const QString& window)
{
    return tool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), window});
}

// The window of the process titled `title` that is on the screen; "" when there is none.
inline QString windowTitled(qint64 pid, const QString& title)
{
    for (const QString& window : visibleWindows(pid)) {
        if (windowTitle(window) == title)
            return window;
    }
    return {};
}

// Activates the window and clicks at `at`, in the window's own coordinates.
inline void click(const QString& window, QPoint at)
{
    tool(QStringLiteral("xdotool"),
         {QStringLiteral("windowactivate"), QStringLiteral("--sync"), window});
    tool(QStringLiteral("xdotool"),
         {QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(at.x()),
          QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
}

// `key` `times` times over, for xdotool's key command.
inline QStringList presses(const QString& key, int times)
{
    QStringList keys;
    for (int i = 0; i < times; ++i)
        keys.append(key);
    return keys;
}

// Polls `done` until it holds or `timeoutMs` passed; this program's events run meanwhile.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 15000)
{
    return QTest::qWaitFor(done, timeoutMs);
}

// How many Down presses take an opened menu from no choice to `target`: Qt's menus pass
// separators, hidden items and, unless the style lets them be chosen, disabled ones. The menu
// is one of a window built in this test program like the program's own.
inline int downPressesTo(const QMenu& menu, const QAction* target)
{
    const bool disabledToo =
        menu.style()->styleHint(QStyle::SH_Menu_AllowActiveAndDisabled, nullptr, &menu);
    int presses = 0;
    for (const QAction* action : menu.actions()) {
        if (!action->isVisible() || action->isSeparator() || !(action->isEnabled() || disabledToo))
            continue;
        ++presses;
        if (action == target)
            return presses;
    }
    return 0;
}

// A built program of the family, started with its settings under `configFolder` (the
// XDG_CONFIG_HOME it sees) on this test program's X display. Killed with the object, whatever
// the test did.
class DesktopProgram {
public:
    DesktopProgram(const QString& program, const QString& home, const QString& configFolder)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(home);
        process.setProgram(program);
    }

    ~DesktopProgram()
    {
        process.kill();
        process.waitForFinished(5000);
    }

    DesktopProgram(const DesktopProgram&) = delete;
    DesktopProgram& operator=(const DesktopProgram&) = delete;

    bool start()
    {
        process.start();
        return process.waitForStarted(10000);
    }

    qint64 pid() const { return process.processId(); }
    bool running() const { return process.state() == QProcess::Running; }

    // Waits for the program's window titled `title`; its X id, or "" when none came or the
    // program ended first.
    QString waitForWindow(const QString& title, int timeoutMs = 30000)
    {
        QString found;
        waitUntil([&] { return !running() || !(found = windowTitled(pid(), title)).isEmpty(); },
                  timeoutMs);
        return found;
    }

    // The titles of the program's windows on the screen, "Vexlo 8.02 | Vexlo" (menus have none):
    // what a user would see of it when it does not do what it was asked.
    QString windowsShown() const
    {
        QStringList titles;
        for (const QString& window : visibleWindows(pid()))
            titles.append(windowTitle(window));
        return titles.join(QStringLiteral(" | "));
    }

    // What the program wrote to its error output so far.
    QString errors()
    {
        errors_ += QString::fromLocal8Bit(process.readAllStandardError());
        return errors_;
    }

    // Whether the sanitizer build reported a fault.
    bool reportedAFault()
    {
        return errors().contains(QLatin1String("runtime error")) ||
               errors().contains(QLatin1String("Sanitizer"));
    }

    QProcess process;

private:
    QString errors_;
};

} // namespace desktopprograms
