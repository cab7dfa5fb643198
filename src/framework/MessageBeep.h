// The desktop's warning sound for a refused key, through a service tests replace to count beeps.
#pragma once

#include <functional>

using TBeepService = std::function<void(unsigned Type)>;

// Sounds the warning (Type as the classic call takes it; 0 is the default sound).
void MessageBeep(unsigned Type);
// Tests: every beep goes to Service instead; an empty one gives the desktop's sound back.
void SetBeepService(TBeepService Service);
