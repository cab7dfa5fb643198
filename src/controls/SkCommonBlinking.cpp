#include "SkCommonBlinking.h"

#include "ExtCtrls.h"

#include <algorithm>

TSkBlinkingControlsList* BlinkingControlsList = nullptr;

TSkBlinkingControlsList::TSkBlinkingControlsList() : FTimer(std::make_unique<TTimer>(nullptr)) {
    FTimer->OnTimer = [this](TObject*) { TimerExpired(); };
    FTimer->SetInterval(500);
    FTimer->SetEnabled(true);
}

TSkBlinkingControlsList::~TSkBlinkingControlsList() {
    *FAlive = false;
}

void TSkBlinkingControlsList::AddControl(TControl* Control) {
    if (Control && std::find(FControls.begin(), FControls.end(), Control) == FControls.end())
        FControls.push_back(Control);
}

void TSkBlinkingControlsList::RemoveControl(TControl* Control) {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), Control), FControls.end());
}

void TSkBlinkingControlsList::SetOffInterval(std::uint16_t Value) {
    FOffInterval = Value;
    RestartIfStopped();
}

void TSkBlinkingControlsList::SetOnInterval(std::uint16_t Value) {
    FOnInterval = Value;
    RestartIfStopped();
}

// A phase of length 0 stopped the timer; once it has a length again the timer runs on.
void TSkBlinkingControlsList::RestartIfStopped() {
    const std::uint16_t phase = FBlinkState ? FOnInterval : FOffInterval;
    if (FTimer->Interval() == 0 && phase > 0) FTimer->SetInterval(phase);
}

void TSkBlinkingControlsList::TimerExpired() {
    FBlinkState = !FBlinkState;
    FTimer->SetInterval(FBlinkState ? FOnInterval : FOffInterval);
    // A control may leave while it is told, even free the service: walk a copy, skipping those gone.
    const std::vector<TControl*> controls = FControls;
    const std::shared_ptr<bool> alive = FAlive;
    for (TControl* control : controls) {
        if (!*alive) return;
        if (std::find(FControls.begin(), FControls.end(), control) == FControls.end()) continue;
        if (control->Perform(SK_BLINKQUERY) == 1) control->Perform(SK_BLINKSTATE, FBlinkState ? 1 : 0);
    }
}

TSkBlinkingControlsList* RequireBlinkingControlsList() {
    if (!BlinkingControlsList) BlinkingControlsList = new TSkBlinkingControlsList;
    return BlinkingControlsList;
}

void ReleaseBlinkingControlsList() {
    if (BlinkingControlsList && BlinkingControlsList->Count() == 0) {
        delete BlinkingControlsList;
        BlinkingControlsList = nullptr;
    }
}
