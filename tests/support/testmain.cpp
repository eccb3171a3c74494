#include "desktoplook.h"

#include <QApplication>

#include <gtest/gtest.h>

// One QApplication for the whole test program, on the offscreen platform unless the test run
// chose another.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyDesktopLook(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
