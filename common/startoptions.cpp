#include "startoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>

namespace {

// The options QGuiApplication and its X11 platform take from the command line themselves.
const char* const kQtValueOptions[] = {"platform",      "platformpluginpath",
                                       "platformtheme", "plugin",
                                       "display",       "style",
                                       "stylesheet",    "qwindowgeometry",
                                       "geometry",      "qwindowtitle",
                                       "qwindowicon",   "name",
                                       "title",         "session",
                                       "visual"};
const char* const kQtFlagOptions[] = {"reverse", "nograb", "dograb", "widgetcount", "sync"};

QString tr(const char* text)
{
    return QCoreApplication::translate("CommandLine", text);
}

void addQtOptions(QCommandLineParser& parser)
{
    // An option without a value name is a flag.
    const auto addHidden = [&parser](const char* name, const QString& valueName) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), valueName);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    };
    for (const char* name : kQtValueOptions)
        addHidden(name, QStringLiteral("value"));
    for (const char* name : kQtFlagOptions)
        addHidden(name, QString());
}

CommandLineAnswer refusal(const ProgramIdentity& program, const QString& why)
{
    const QString text = QStringLiteral("%1: %2\n").arg(program.name, why) +
                         tr("Try '%1 --help' for more information.\n").arg(program.name);
    return {false, 2, {}, text};
}

bool choosesPlatform(const QString& argument)
{
    const QString option = argument.section(u'=', 0, 0);
    return option == QLatin1String("-platform") || option == QLatin1String("--platform");
}

} // namespace

CommandLineAnswer answerCommandLine(const QStringList& arguments, const ProgramIdentity& program)
{
    QCommandLineParser parser;
    // Qt's options are single-dash words: "-platform xcb", "-style=Fusion".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        program.description + u'\n' +
        tr("Qt's standard options (-platform, -display, -style ...) are accepted as well."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  tr("Displays help on the command line options."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     tr("Displays version information."));
    parser.addOption(help);
    parser.addOption(version);
    addQtOptions(parser);

    if (!parser.parse(arguments))
        return refusal(program, parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refusal(
            program,
            tr("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(help))
        return {false, 0, parser.helpText(), {}};
    const QString versionText =
        tr("%1 (Vexlo timers %2)\n").arg(program.versionText, QStringLiteral(VEXLO_VERSION));
    if (parser.isSet(version))
        return {false, 0, versionText, {}};
    return {};
}

QByteArray preferredPlatform(const QProcessEnvironment& environment, const QStringList& arguments)
{
    const bool chosen = !environment.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty() ||
                        std::any_of(arguments.begin(), arguments.end(), choosesPlatform);
    const bool wayland =
        environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland") ||
        !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    const bool xwayland = !environment.value(QStringLiteral("DISPLAY")).isEmpty();
    return !chosen && wayland && xwayland ? QByteArrayLiteral("xcb") : QByteArray();
}

bool sessionBusOutOfReach(const QProcessEnvironment& environment,
                          const std::function<bool(const QString& path)>& exists)
{
    if (!environment.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")).isEmpty())
        return false;
    const QString runtime = environment.value(QStringLiteral("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && exists(runtime + QStringLiteral("/bus")))
        return false;
    // D-Bus runs its own folder's dbus-launch first, then looks along PATH.
    QStringList folders{QStringLiteral("/usr/bin")};
    folders += environment.value(QStringLiteral("PATH")).split(u':', Qt::SkipEmptyParts);
    return std::none_of(folders.begin(), folders.end(), [&exists](const QString& folder) {
        return exists(folder + QStringLiteral("/dbus-launch"));
    });
}
