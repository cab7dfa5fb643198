// The order in which Tab visits a window's controls: the controls a user can see and use, in reading
// order (rows from top to bottom, each row from left to right), container by container.
#pragma once

#include <vector>

class QWidget;
class TControl;

// The controls sorted as they are read: by rows, a row holding every control that starts above the
// middle of the row's first (topmost) control, each row from left to right.
std::vector<TControl*> InReadingOrder(std::vector<TControl*> Controls);

// The Tab stop that Tab (Forward) or Shift+Tab reaches next in the window from the one that has the
// focus, or nullptr when the window has none. A stop is a control that takes the focus by Tab, is
// shown and enabled, and is not wholly covered by a panel or window in front of it; the parts of a
// control (a grid's in-place editor) are no stops of their own.
QWidget* NextTabStop(QWidget* Window, bool Forward);

// The first Tab stop inside `Within` in reading order, or nullptr. With WindowControlsOnly, speed
// buttons and other controls without a window of their own in the classic framework are passed over:
// a window opens, and a panel is entered, on its first real field or button, not on a title button.
QWidget* FirstTabStop(QWidget* Within, bool WindowControlsOnly);

// Whether a shown widget is wholly covered by window controls lying in front of it or of a container
// around it, or clipped away by its containers: nothing of it can be seen.
bool CoveredInWindow(const QWidget* Widget);
