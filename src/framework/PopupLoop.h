// Drop-down windows: a control shown as a top-level window that never takes the activation or the
// keyboard focus, and the nested loop that runs while one is open. The loop sorts the application's
// events before they are handled: a press outside the drop-down ends it (the press is swallowed, and
// with it the focus it would give), a wheel turn outside goes nowhere, keys go where the drop-down says
// whatever they were aimed at, and a focus change, the application losing activation or a release
// message ends it; everything else is handled as usual, so timers and painting go on. Also posted messages, which a control receives through its WindowProc later.
#pragma once

#include "Controls.h"
#include "FocusWithin.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

// Makes the control's widget a drop-down window (frameless, not activated when shown or clicked,
// never focused) kept above the window of `Owner` (nullptr: above nothing in particular).
void MakeDropDownWindow(TWinControl* Control, TWinControl* Owner);
// Shows the drop-down at its bounds (screen coordinates), in front, without activating it.
void ShowDropDownWindow(TWinControl* Control);
void HideDropDownWindow(TWinControl* Control);

// Takes the keyboard focus from the focused control; its window keeps the activation and gets the
// keys itself.
void ClearKeyboardFocus();
// Whether one of the application's windows is the active one.
bool ApplicationActive();

// Sends the message to the control's WindowProc once the events waiting now have been handled;
// dropped when the control is freed first.
void PostMessage(TControl* Control, unsigned Msg, std::intptr_t WParam = 0, std::intptr_t LParam = 0);

// How a drop-down loop ended.
enum TDropDownLoopEnd {
    dleRunning,
    dleEnded,         // End was called
    dleOutsideClick,  // a press outside the drop-down (swallowed)
    dleFocusLost,     // a control outside the drop-down took the focus
    dleRelease,       // the release message reached the drop-down; it is posted again afterwards
    dleDeactivated,   // the application lost the activation
    dleTerminated     // the application is ending
};

class TDropDownLoop {
public:
    // `ReleaseMessage`: the message number that, posted to Host, ends the loop.
    TDropDownLoop(TWinControl* Host, unsigned ReleaseMessage);
    ~TDropDownLoop();

    // Chooses where a key goes while the loop runs (Press: key down, else key up); the key goes to
    // the control returned, or nowhere for nullptr.
    std::function<TWinControl*(unsigned short Key, bool Press)> OnKey;

    // Runs until the loop ends; gives how. A release message that ended it is posted again to the
    // host (when that still exists) before Run returns.
    TDropDownLoopEnd Run();
    // Ends the running loop (nothing when it is not running or has ended already).
    void End(TDropDownLoopEnd How = dleEnded);
    bool Running() const;

    // The innermost loop running now (nullptr when none runs) and how long it has run: what a
    // watchdog needs to end a loop that a fault keeps from ending.
    static TDropDownLoop* Innermost();
    // Ends the innermost running loop with an error that its Run raises once the loop is over (the
    // first error, when there are several); false when no loop runs.
    static bool EndInnermostWith(std::exception_ptr Error);
    std::int64_t RunningMilliseconds() const;

private:
    class TFilter;
    std::unique_ptr<TFilter> FFilter;
};
