#pragma once
#include "platform/gfx/Geometry.h"
#include "platform/ui/WinTypes.h"

// Screen and monitor rectangles as the window back end reports them.

// More than one monitor is attached.
bool MultiMonitorAvailable();
// The primary screen's work area, or its whole rectangle.
void GetPrimaryScreenRect(bool WorkArea, TRect& R);
// The work area or whole rectangle of the monitor nearest to the window; R
// is left as it was when the monitor cannot be asked.
void GetWindowMonitorRect(HWND Handle, bool WorkArea, TRect& R);
// Where a drop-down list Width by Height opens from the screen point Below
// (under a control OwnerHeight tall): above the control when it would pass
// the bottom of the work area of Owner's monitor, and moved sideways to stay
// inside it, its left edge first.
TPoint PlaceDropDown(HWND Owner, TPoint Below, int OwnerHeight, int Width, int Height);
