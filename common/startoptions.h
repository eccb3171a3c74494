#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

// Who a program of the family is to the desktop and on the command line.
struct ProgramIdentity {
    QString name;        // "DateVexlo": the program file and the window class
    QString desktopId;   // "org.orvane.datevexlo": its menu entry, icon and AppStream id
    QString versionText; // "Date Vexlo 8.01", as its About shows
    QString description; // one line for --help
};

// What the command line asks of a start: to run, or to answer and end with `status`.
struct CommandLineAnswer {
    bool run = true;
    int status = 0;
    QString out; // for standard output
    QString err; // for standard error
};

// Answers --help and --version, and refuses unknown options and arguments with status 2.
// Qt's own options (-platform, -display, -style ...) are let through for the application.
CommandLineAnswer answerCommandLine(const QStringList& arguments, const ProgramIdentity& program);

// The Qt platform to ask for, or "" for Qt's own choice. The programs keep windows on top,
// place them and read display modes through X11, which Wayland does not allow a program; on a
// Wayland session with XWayland they ask for X11, unless the user chose a platform.
QByteArray preferredPlatform(const QProcessEnvironment& environment, const QStringList& arguments);

// Whether no session bus can be reached: none is named, the user's bus socket is not in
// XDG_RUNTIME_DIR, and there is no dbus-launch (in /usr/bin or on PATH) to find or start one.
// D-Bus would then still fork a child to look for dbus-launch, only to fail; `exists` tells
// whether there is a file at a path.
bool sessionBusOutOfReach(const QProcessEnvironment& environment,
                          const std::function<bool(const QString& path)>& exists);

// A session bus address that is named but not there: D-Bus gives up on it at once.
inline constexpr char kNoSessionBus[] = "unix:path=/dev/null/no-session-bus";
