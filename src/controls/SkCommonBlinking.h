// The common unit's blinking service: one timer for the whole process that switches every registered
// control between its on and off look, so that all blinking controls keep one rhythm.
#pragma once

#include "Controls.h"

#include <cstdint>
#include <memory>
#include <vector>

class TTimer;

// The service's messages: a control answers the query with 1 while it blinks; the state message
// carries the new state in WParam (1 on, 0 off).
enum : unsigned { SK_BLINKQUERY = 46056, SK_BLINKSTATE = 46057 };

class TSkBlinkingControlsList : public TObject {
public:
    // The timer starts at once (500 ms) on the current timer clock.
    TSkBlinkingControlsList();
    ~TSkBlinkingControlsList() override;

    void AddControl(TControl* Control);
    void RemoveControl(TControl* Control);
    int Count() const { return int(FControls.size()); }

    bool BlinkState() const { return FBlinkState; }
    // Lengths of the two phases in milliseconds; a phase of 0 stops the timer when it begins, until
    // that phase's length is set again.
    std::uint16_t OffInterval() const { return FOffInterval; }
    void SetOffInterval(std::uint16_t Value);
    std::uint16_t OnInterval() const { return FOnInterval; }
    void SetOnInterval(std::uint16_t Value);
    TTimer* Timer() const { return FTimer.get(); }

    // The phase changes: the timer takes the new phase's length and every blinking control hears it.
    void TimerExpired();

private:
    void RestartIfStopped();
    bool FBlinkState = true;
    std::vector<TControl*> FControls;
    std::unique_ptr<TTimer> FTimer;
    std::uint16_t FOffInterval = 500;
    std::uint16_t FOnInterval = 500;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// The one service, made by the first control that needs it.
extern TSkBlinkingControlsList* BlinkingControlsList;
TSkBlinkingControlsList* RequireBlinkingControlsList();
// Frees the service once no control is registered.
void ReleaseBlinkingControlsList();
