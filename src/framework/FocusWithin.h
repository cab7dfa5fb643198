// Where the keyboard focus is, for controls that colour themselves while they have it.
#pragma once

class TControl;
class TWinControl;

// The window control that has the keyboard focus, or nullptr.
TWinControl* FocusedControl();

// Whether the focus is on the control's window or on a window inside it (an in-place editor).
bool FocusWithin(const TControl* control);
// Whether the focus is on a window inside the control, not on the control's own window.
bool FocusInsideChild(const TControl* control);

// The same for the focus of the control's window, also while that window is not active (a box is
// showing): where the keyboard goes when the window comes back.
bool WindowFocusWithin(const TControl* control);
bool WindowFocusInsideChild(const TControl* control);
