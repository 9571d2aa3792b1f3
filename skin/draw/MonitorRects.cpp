#include "skin/draw/MonitorRects.h"

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
