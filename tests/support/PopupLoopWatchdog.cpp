#include "PopupLoopWatchdog.h"

#include "PopupLoop.h"

#include <gtest/gtest.h>

namespace {
TPopupLoopWatchdog* TheWatchdog = nullptr;
// Often enough that a loop ends soon after its limit, seldom enough to cost nothing.
constexpr int CheckIntervalMilliseconds = 100;
}  // namespace

TPopupLoopWatchdog::TPopupLoopWatchdog(int LimitMilliseconds) : FLimit(LimitMilliseconds) {
    // The timer fires inside the loop it watches: the loop handles timers like any other event.
    connect(&FTimer, &QTimer::timeout, this, [this] { Check(); });
    FTimer.start(CheckIntervalMilliseconds);
}

void TPopupLoopWatchdog::Check() {
    TDropDownLoop* loop = TDropDownLoop::Innermost();
    if (!loop) return;
    const void* test = testing::UnitTest::GetInstance()->current_test_info();
    const bool failedBefore = test && test == FFailedTest;
    if (!failedBefore && loop->RunningMilliseconds() <= FLimit) return;
    ++FEnded;
    FFailedTest = test;
    if (failedBefore)
        ADD_FAILURE() << "another drop-down loop in this test: the watchdog ended it at once";
    else
        ADD_FAILURE() << "a drop-down loop still ran after " << FLimit
                      << " ms: the key or click that should end it did not; the watchdog ended it";
    loop->End(dleTerminated);
}

TPopupLoopWatchdog* PopupLoopWatchdog() {
    return TheWatchdog;
}

void SetPopupLoopWatchdog(TPopupLoopWatchdog* Watchdog) {
    TheWatchdog = Watchdog;
}
