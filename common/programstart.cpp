#include "programstart.h"

#include "programfolder.h"
#include "widgets.h"

#include <QApplication>
#include <QBackingStore>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QThreadPool>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <latch>
#include <memory>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

QStringList argumentList(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// Qt's messages while the application connects to its display are held back: without a
// display Qt ends in an abort with a page of advice, where one line says what is wrong.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> heldMessages;
QString startingProgram;

void holdWhileConnecting(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, context.category, text});
        return;
    }
    // The platform's first word is the cause ("could not connect to display :1"); the plugin
    // loader's that follows is only its consequence.
    const auto platform = std::ranges::find_if(
        heldMessages, [](const HeldMessage& held) { return held.category.startsWith("qt.qpa"); });
    const QString reason = platform == heldMessages.end() ? QString() : platform->text.trimmed();
    const QString line =
        QApplication::translate("ProgramStart", "%1: no display to open its window on (%2).\n")
            .arg(startingProgram, reason.isEmpty() ? QStringLiteral("no platform") : reason);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    _exit(1);
}

void giveBackHeldMessages()
{
    for (const HeldMessage& held : heldMessages)
        qt_message_output(held.type,
                          QMessageLogContext(nullptr, 0, nullptr, held.category.constData()),
                          held.text);
    heldMessages.clear();
}

// The icon installed with the program (share/icons beside share/vexlo), or the one the build
// made beside the programs, in the sizes a window manager draws a window's icon at. The window
// carries its pixels to the X server, so the theme's scalable picture and its largest size,
// which cost milliseconds to render and send at every start, are left to the desktop entry.
QIcon programIcon(const QString& desktopId)
{
    QIcon icon;
    const QString folder = programFolder();
    for (const QString& themeFolder :
         {folder + QStringLiteral("icons/hicolor"), folder + QStringLiteral("../icons/hicolor")}) {
        const QDir theme(themeFolder);
        if (!theme.exists())
            continue;
        for (const int size : {16, 32, 48, 64}) {
            const QString png = theme.filePath(QStringLiteral("%1x%1/apps/").arg(size) + desktopId +
                                               QStringLiteral(".png"));
            if (QFileInfo::exists(png))
                icon.addFile(png, QSize(size, size));
        }
        break;
    }
    return icon;
}

// Qt fills the large areas of a frame (a gradient, a translucent colour) on its pool of drawing
// threads, and made the pool and its threads while the first frame waited for them: 2 ms of
// FullScreenVexlo's start. They are made beforehand, and wait idle for that frame. Each task holds
// its thread until all have one, so that the pool makes as many threads as it will use; the
// tasks share the latch, which lasts until the last of them has left its wait.
void startDrawingThreads(QThreadPool& pool)
{
    const int count = std::clamp(pool.maxThreadCount(), 1, 4);
    const auto everyOneStarted = std::make_shared<std::latch>(count);
    for (int i = 0; i < count; ++i)
        pool.start([everyOneStarted] { everyOneStarted->arrive_and_wait(); });
    everyOneStarted->wait();
}

void writeTo(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int runProgram(int argc, char** argv, const ProgramIdentity& program, FirstFrame firstFrame,
               const std::function<int(QApplication&)>& run)
{
    const QStringList arguments = argumentList(argc, argv);
    if (argc > 1) {
        // Answered before there is a display, so that --help works without one.
        CommandLineAnswer answer;
        {
            QCoreApplication parsing(argc, argv);
            answer = answerCommandLine(arguments, program);
        }
        if (!answer.run) {
            writeTo(stdout, answer.out);
            writeTo(stderr, answer.err);
            return answer.status;
        }
    }

    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The first control with an accessible name connects Qt to the session bus. With no bus to be
    // found, D-Bus forked the whole program to look for dbus-launch, and the first frame waited
    // 8 ms for a child that could only fail; a bus named but not there fails at once, as none
    // does. The programs started from this one inherit the answer, which holds for them too.
    if (sessionBusOutOfReach(environment,
                             [](const QString& path) { return QFileInfo::exists(path); }))
        qputenv("DBUS_SESSION_BUS_ADDRESS", kNoSessionBus);

    std::vector<char*> qtArguments(argv, argv + argc);
    char platformOption[] = "-platform";
    QByteArray platform = preferredPlatform(environment, arguments);
    if (!platform.isEmpty()) {
        qtArguments.push_back(platformOption);
        qtArguments.push_back(platform.data());
    }
    qtArguments.push_back(nullptr);
    int qtArgumentCount = int(qtArguments.size()) - 1;

    // Fontconfig reads its configuration and font caches when the first text is measured, which
    // took a start some 4 ms; on a thread of its own that is done while Qt connects to the display.
    // Once the application stands, the same thread has Qt list the fonts, which the first text
    // otherwise waited for (a millisecond of Vexlo's start), then loads Qt's picture plugins where
    // the first frame reads a picture: Qt loads every one of them (SVG and JPEG with their
    // libraries) to learn which reads a named format, even one of its own, and that took the
    // window's own thread some 3 ms. Where the first frame reads none, loading them beside it
    // only slowed it.
    std::latch applicationMade(1);
    std::jthread setUp([&applicationMade, firstFrame] {
        FcInit();
        applicationMade.wait();
        QFontDatabase::families();
        if (firstFrame == FirstFrame::DrawsOnly)
            return;
        QBuffer nothing;
        nothing.open(QIODevice::ReadOnly);
        QImageReader(&nothing, "png").canRead();
    });

    QCoreApplication::setApplicationName(program.name);
    startingProgram = program.name;
    const QtMessageHandler previous = qInstallMessageHandler(holdWhileConnecting);
    QApplication app(qtArgumentCount, qtArguments.data());
    applicationMade.count_down();
    qInstallMessageHandler(previous);
    giveBackHeldMessages();

    QGuiApplication::setDesktopFileName(program.desktopId);
    // For the window manager, which draws it once the window is up: set after the first
    // drawing, reading it costs the start nothing.
    afterFirstDrawing(&app, [desktopId = program.desktopId] {
        QApplication::setWindowIcon(programIcon(desktopId));
    });
    const int status = run(app);
    setUp.join(); // it works on the application's font list and plugins: done before it goes
    return status;
}

std::jthread warmFrame(QWidget& window)
{
    window.winId();
    QBackingStore* store = window.backingStore();
    if (!store)
        return {};
    store->resize(window.size());
    QPaintDevice* device = store->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return {};
    const auto* frame = static_cast<const QImage*>(device);
    auto* bits = const_cast<uchar*>(frame->constBits());
    const auto bytes = size_t(frame->sizeInBytes());
    if (!bits || bytes == 0)
        return {};
    // The pool is made here, so that it belongs to the program's own thread.
    QThreadPool* drawingThreads = QThreadPool::globalInstance();
    return std::jthread([bits, bytes, drawingThreads] {
        // The kernel makes the pages in one call, at half the cost of a fault each; the write
        // then maps them for this process as the drawing will use them.
        const auto page = uintptr_t(sysconf(_SC_PAGESIZE));
        const uintptr_t first = (uintptr_t(bits) + page - 1) & ~(page - 1);
        const uintptr_t end = (uintptr_t(bits) + bytes) & ~(page - 1);
        if (end > first)
            madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
        std::memset(bits, 0, bytes);
        startDrawingThreads(*drawingThreads);
    });
}
