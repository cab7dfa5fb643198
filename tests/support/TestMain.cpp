// Every test program starts one headless application, so windows and message boxes can be driven, and
// a watchdog that ends a drop-down loop a fault keeps running. Each case starts with the mouse as a
// fresh process has it, so the cases pass in any order in one process.
#include "Forms.h"
#include "Platform.h"
#include "PopupLoopWatchdog.h"
#include "WidgetApplication.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
// Before each case: the pointer back where the platform first put it, and no button held. A case
// that moved the pointer would have the next case's window open under it, and get an enter the
// next case does not expect; a double click whose window closed before its last release (which then
// reaches no window) leaves a button held, and the next case's moves arrive as drags.
class TMouseAtStart : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override {
        // A release that no window of a case sees: given to a widget of its own.
        struct TReleaseSink : QWidget {
            void mouseReleaseEvent(QMouseEvent* e) override { e->accept(); }
        };
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            if ((QGuiApplication::mouseButtons() | QTestPrivate::qtestMouseButtons) & button) {
                TReleaseSink sink;
                QTest::mouseRelease(&sink, button);
            }
        // By way of another point: Qt takes a move to where it last saw the mouse for no move at all.
        QCursor::setPos(FStart + QPoint(1, 1));
        QCursor::setPos(FStart);
        QApplication::processEvents();
    }

private:
    const QPoint FStart = QCursor::pos();
};
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    TWidgetApplication app(argc, argv);
    ApplyClassicPalette();  // as the program does at start-up
    TPopupLoopWatchdog watchdog;
    SetPopupLoopWatchdog(&watchdog);
    testing::UnitTest::GetInstance()->listeners().Append(new TMouseAtStart);
    const int result = RUN_ALL_TESTS();
    SetPopupLoopWatchdog(nullptr);
    // Windows the tests left to the application object go while Qt is still there.
    Application->DestroyComponents();
    return result;
}
