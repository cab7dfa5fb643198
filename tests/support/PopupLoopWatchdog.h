// A watchdog over the drop-down loop: when a loop runs longer than the limit (a key or click that
// should have closed the drop-down did not), it fails the running test and ends the loop, so the test
// goes on to its other checks and the suite to its other tests instead of waiting for ever. Once it has
// ended a loop in a test, it ends that test's later loops at once: the same fault would hold each one.
#pragma once

#include <QObject>
#include <QTimer>

class TPopupLoopWatchdog : public QObject {
public:
    // Every test program runs one with this limit; a loop in a test ends within milliseconds.
    static constexpr int DefaultLimitMilliseconds = 3000;

    explicit TPopupLoopWatchdog(int LimitMilliseconds = DefaultLimitMilliseconds);

    int LimitMilliseconds() const { return FLimit; }
    void SetLimitMilliseconds(int Value) { FLimit = Value; }
    // How many loops it has ended.
    int Ended() const { return FEnded; }

private:
    void Check();

    QTimer FTimer;
    int FLimit;
    int FEnded = 0;
    const void* FFailedTest = nullptr;  // the test in which it last ended a loop
};

// The watchdog of this test program (nullptr before main starts it).
TPopupLoopWatchdog* PopupLoopWatchdog();
void SetPopupLoopWatchdog(TPopupLoopWatchdog* Watchdog);
