#include "testenvironment.h"

#include "startoptions.h"

#include <QByteArray>
#include <QtGlobal>

#include <ctime>

// The sanitizer build's own reading of its options, before main: Qt's libraries and the desktop
// services they load keep some allocations for the life of the process, which is no fault of ours.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}

void pinTestEnvironment()
{
    qputenv("TZ", "America/New_York");
    tzset();
    qputenv("LANG", "C.UTF-8");
    qputenv("LC_ALL", "C.UTF-8");
    // Programs the tests start inherit these.
    qputenv("ASAN_OPTIONS", "detect_leaks=0");
    qputenv("UBSAN_OPTIONS", "print_stacktrace=1:halt_on_error=1");
    // With no session bus named, D-Bus forks a child to run `dbus-launch` and reads its answer
    // from a pipe. In the sanitizer build a program was seen waiting on that pipe for good, its
    // window never shown (once in CI, once in 26 runs here of the garbage test beside another
    // heavy test). Between fork and exec the child lists its open files with opendir, which
    // allocates; glibc's allocator takes its locks across a fork, this AddressSanitizer's does
    // not, so the child can wait for good on a lock another thread held at that moment. Release
    // builds are not exposed. A bus that is named but not there fails at once, as no bus at all
    // does on a desktop; the tests that want a bus start their own and name it.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", kNoSessionBus);
}
