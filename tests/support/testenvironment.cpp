#include "testenvironment.h"

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
}
