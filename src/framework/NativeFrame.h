// The frame a native field draws round itself, for controls that paint their own in the non-client
// area.
#pragma once

class TWinControl;

// Shows or hides the native widget's own border (an edit's frame, a text area's frame shape).
void SetNativeFrameVisible(TWinControl* Control, bool Visible);

// Puts a scroll area's own border out of sight under the control's non-client band of `Band` pixels on
// every side (0 shows the border again). The area lays out its viewport and scroll bars within its own
// border: a border as wide as the band keeps them where the client area lies.
void SetNativeFrameBand(TWinControl* Control, int Band);
