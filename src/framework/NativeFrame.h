// The frame a native field draws round itself, for controls that paint their own in the non-client
// area.
#pragma once

class TWinControl;

// Shows or hides the native widget's own border (an edit's frame, a text area's frame shape).
void SetNativeFrameVisible(TWinControl* Control, bool Visible);
