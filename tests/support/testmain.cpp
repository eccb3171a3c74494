#include "desktoplook.h"
#include "testenvironment.h"

#include <QApplication>

#include <gtest/gtest.h>

// One QApplication for the whole test program, on Qt's offscreen platform.
int main(int argc, char** argv)
{
    pinTestEnvironment();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyDesktopLook(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
