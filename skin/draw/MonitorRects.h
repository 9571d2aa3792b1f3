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
