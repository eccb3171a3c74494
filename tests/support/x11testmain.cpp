#include "desktoplook.h"
#include "testenvironment.h"
#include "x11session.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>

// The main of the test programs that need a real X desktop: a private Xvfb with openbox for
// the length of the run, and Qt on it through xcb.
int main(int argc, char** argv)
{
    pinTestEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();

    X11Session session;
    if (!session.running()) {
        std::fprintf(stderr, "no X session: %s\n", qPrintable(session.error()));
        return 1;
    }
    qputenv("DISPLAY", session.display().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result = 0;
    {
        QApplication app(argc, argv);
        applyDesktopLook(app);
        result = RUN_ALL_TESTS();
    }
    return result;
}
