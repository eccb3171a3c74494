#include "qtprinters.h"
#include "startoptions.h"

#include <gtest/gtest.h>

namespace {

const ProgramIdentity kDateVexlo{"DateVexlo", "org.orvane.datevexlo", "Date Vexlo 8.01",
                                 "Counts down to dated events."};

} // namespace

TEST(CommandLine, AnswersOrRefusesBeforeAnyWindow)
{
    struct Case {
        QStringList arguments;
        bool run;
        int status;
        const char* out; // part of what is printed, "" for nothing
        const char* err;
    };
    const Case cases[] = {
        {{}, true, 0, "", ""},
        // Qt takes its own options itself, in either form.
        {{"-platform", "xcb", "-style=Fusion", "-reverse"}, true, 0, "", ""},
        {{"--help"}, false, 0, "--version", ""},
        {{"-h"}, false, 0, "Counts down to dated events.", ""},
        {{"--version"}, false, 0, "Date Vexlo 8.01 (Vexlo timers " VEXLO_VERSION ")\n", ""},
        {{"-v", "--help"}, false, 0, "Usage:", ""},
        {{"--bogus"}, false, 2, "", "DateVexlo: Unknown option 'bogus'.\nTry 'DateVexlo --help'"},
        {{"-hv"}, false, 2, "", "Unknown option 'hv'"},
        {{"notes.txt"}, false, 2, "", "DateVexlo: Unexpected argument 'notes.txt'."},
        {{"-platform"}, false, 2, "", "Missing value after '-platform'"},
    };
    for (const Case& c : cases) {
        const CommandLineAnswer answer =
            answerCommandLine(QStringList{"DateVexlo"} + c.arguments, kDateVexlo);
        const std::string what = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(answer.run, c.run) << what;
        EXPECT_EQ(answer.status, c.status) << what;
        EXPECT_TRUE(answer.out.contains(QString::fromUtf8(c.out)))
            << what << ": " << answer.out.toStdString();
        EXPECT_TRUE(answer.err.contains(QString::fromUtf8(c.err)))
            << what << ": " << answer.err.toStdString();
        EXPECT_EQ(answer.out.isEmpty(), !*c.out) << what;
        EXPECT_EQ(answer.err.isEmpty(), !*c.err) << what;
    }
}

// X11 where the session is Wayland and XWayland runs, unless the user chose a platform.
TEST(CommandLine, AsksForX11UnderWaylandUnlessTheUserChose)
{
    struct Case {
        const char* sessionType;
        const char* waylandDisplay;
        const char* display;
        const char* userChoice; // QT_QPA_PLATFORM
        QStringList arguments;
        const char* platform;
    };
    const Case cases[] = {
        {"wayland", "wayland-0", ":0", "", {}, "xcb"},
        {"", "wayland-0", ":0", "", {}, "xcb"}, // a session that does not say its type
        {"wayland", "", ":1", "", {}, "xcb"},
        {"wayland", "wayland-0", "", "", {}, ""}, // no XWayland: Wayland it is
        {"x11", "", ":0", "", {}, ""},
        {"tty", "", "", "", {}, ""},
        {"wayland", "wayland-0", ":0", "wayland", {}, ""},
        {"wayland", "wayland-0", ":0", "", {"-platform", "wayland"}, ""},
        {"wayland", "wayland-0", ":0", "", {"--platform=wayland"}, ""},
        {"wayland", "wayland-0", ":0", "", {"-platformtheme", "gtk3"}, "xcb"},
    };
    for (const Case& c : cases) {
        QProcessEnvironment environment;
        const std::pair<const char*, const char*> variables[] = {
            {"XDG_SESSION_TYPE", c.sessionType},
            {"WAYLAND_DISPLAY", c.waylandDisplay},
            {"DISPLAY", c.display},
            {"QT_QPA_PLATFORM", c.userChoice}};
        for (const auto& [name, value] : variables) {
            if (*value)
                environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
        }
        EXPECT_EQ(preferredPlatform(environment, c.arguments), QByteArray(c.platform))
            << c.sessionType << " " << c.waylandDisplay << " " << c.display << " " << c.userChoice
            << " " << c.arguments.join(u' ').toStdString();
    }
}

// D-Bus looks for a session bus by its name, then for the user's socket, then through
// dbus-launch: only where all three fail is the search given up before it starts.
TEST(CommandLine, GivesUpTheSessionBusOnlyWhereNoneCanBeFound)
{
    struct Case {
        const char* address; // DBUS_SESSION_BUS_ADDRESS
        const char* runtime; // XDG_RUNTIME_DIR
        const char* path;
        QStringList files;
        bool outOfReach;
    };
    const Case cases[] = {
        {"unix:path=/run/user/1000/bus", "/run/user/1000", "/usr/bin", {}, false},
        {"", "/run/user/1000", "/bin", {"/run/user/1000/bus"}, false},
        {"", "/run/user/1000", "/bin", {"/usr/bin/dbus-launch"}, false},
        {"", "", "/opt/x11/bin:/bin", {"/opt/x11/bin/dbus-launch"}, false},
        {"", "/run/user/1000", "/usr/local/bin:/bin", {}, true},
        {"", "", "", {"/tmp/bus"}, true},
    };
    for (const Case& c : cases) {
        QProcessEnvironment environment;
        environment.insert("DBUS_SESSION_BUS_ADDRESS", c.address);
        environment.insert("XDG_RUNTIME_DIR", c.runtime);
        environment.insert("PATH", c.path);
        const auto exists = [&c](const QString& path) { return c.files.contains(path); };
        EXPECT_EQ(sessionBusOutOfReach(environment, exists), c.outOfReach)
            << c.address << " " << c.runtime << " " << c.path;
    }
}
