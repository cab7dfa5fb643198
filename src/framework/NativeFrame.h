// The frame a native field draws round itself, for controls that paint their own in the non-client
// area.
#pragma once

class TWinControl;

// Shows or hides the native widget's own border (an edit's frame, a text area's frame shape).
void SetNativeFrameVisible(TWinControl* Control, bool Visible);

// Makes a frame widget's own border (a scroll area's) as wide as the control's non-client band, so that
// Qt lays the widget out within the client area just as the framework does. A band equal on every side
// becomes a plain line of its width, out of sight under the band's painting; no band brings the widget's
// own border back. False when the widget has no such border or the band differs by side: its margins
// are then the framework's to set.
bool FitNativeFrameToBand(TWinControl* Control);
