// Posting a key to a control: it arrives later from the event queue, as if typed.
#pragma once

class TControl;

// Queues a press and release of the virtual key (VK_TAB, VK_RETURN, VK_ESCAPE, the arrows) for the
// control's widget; Shift (ssShift) is held with it when given.
void PostKeyDown(TControl* Control, unsigned short Key, unsigned Shift = 0);
