// The frame a native field draws round itself, for controls that paint their own in the non-client
// area; and keys posted to a control as if typed.
#pragma once

class TWinControl;

// Shows or hides the native widget's own border (an edit's frame, a text area's frame shape).
void SetNativeFrameVisible(TWinControl* Control, bool Visible);
// Posts a key press of the virtual key (VK_TAB, VK_RETURN, VK_ESCAPE, the arrows) to the control's
// widget: it arrives after the current event as if typed, dialog key handling included.
void PostKeyDown(TWinControl* Control, unsigned short VirtualKey);
