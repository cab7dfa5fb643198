// The desktop's fixed measures the controls lay themselves out by (classic metrics at 96 dots per inch).
#pragma once

enum : int { SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CXEDGE = 45, SM_CYEDGE = 46 };

int GetSystemMetrics(int Index);
// How many lines a notch of the mouse wheel scrolls.
int WheelScrollLines();
