// Keys a control hands on to its window later, as if typed: Enter that moves on like Tab.
#pragma once

class TControl;

// Queues a press of the Tab key (Shift+Tab when Backward) on the control's widget; the window
// moves the focus when the event loop delivers it.
void PostTabKey(TControl* Control, bool Backward = false);
