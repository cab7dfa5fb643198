// Every test program starts one headless application, so windows and message boxes can be driven, and
// a watchdog that ends a drop-down loop a fault keeps running.
#include "Forms.h"
#include "Platform.h"
#include "PopupLoopWatchdog.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    ApplyClassicPalette();  // as the program does at start-up
    TPopupLoopWatchdog watchdog;
    SetPopupLoopWatchdog(&watchdog);
    const int result = RUN_ALL_TESTS();
    SetPopupLoopWatchdog(nullptr);
    // Windows the tests left to the application object go while Qt is still there.
    Application->DestroyComponents();
    return result;
}
