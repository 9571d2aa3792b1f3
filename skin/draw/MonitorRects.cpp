#include "skin/draw/MonitorRects.h"

#include <algorithm>

#include "platform/ui/Screen.h"
#include "platform/ui/WinConsts.h"

bool MultiMonitorAvailable() {
    return GetSystemMetrics(SM_CMONITORS) > 1;
}

void GetPrimaryScreenRect(bool WorkArea, TRect& R) {
    if (WorkArea && SystemParametersInfo(SPI_GETWORKAREA, 0, &R, 0))
        return;
    R = TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void GetWindowMonitorRect(HWND Handle, bool WorkArea, TRect& R) {
    if (!MultiMonitorAvailable()) {
        GetPrimaryScreenRect(WorkArea, R);
        return;
    }
    MONITORINFO info;
    const HMONITOR monitor = MonitorFromWindow(Handle, MONITOR_DEFAULTTONEAREST);
    if (monitor != nullptr && GetMonitorInfo(monitor, &info))
        R = WorkArea ? info.rcWork : info.rcMonitor;
}

TPoint PlaceDropDown(HWND Owner, TPoint Below, int OwnerHeight, int Width, int Height) {
    TRect work;
    GetWindowMonitorRect(Owner, true, work);
    if (Below.Y + Height > work.Bottom)
        Below.Y = Below.Y - OwnerHeight - Height;
    Below.X = std::max(work.Left, std::min(Below.X, work.Right - Width));
    return Below;
}
