#include "platform/ui/Screen.h"
#include <algorithm>
#include <climits>
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

namespace {

std::vector<TMonitor> AllMonitors()
{
    std::vector<TMonitor> list = WM().Backend().Monitors();
    if (list.empty())
        list.push_back(TMonitor{Bounds(0, 0, 1024, 768), Bounds(0, 0, 1024, 768), true});
    return list;
}

const TMonitor& Primary(const std::vector<TMonitor>& list)
{
    for (const TMonitor& m : list)
        if (m.Primary)
            return m;
    return list.front();
}

// Monitors are numbered from 1 so that a null handle means "none".
HMONITOR HandleOf(size_t index)
{
    return reinterpret_cast<HMONITOR>(index + 1);
}

int64_t DistanceSquared(const TRect& r, TPoint p)
{
    int64_t dx = p.X < r.Left ? r.Left - p.X : p.X >= r.Right ? p.X - r.Right + 1 : 0;
    int64_t dy = p.Y < r.Top ? r.Top - p.Y : p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0;
    return dx * dx + dy * dy;
}

HMONITOR ByRect(const TRect& rect, DWORD flags)
{
    std::vector<TMonitor> list = AllMonitors();
    int64_t bestArea = 0;
    size_t best = SIZE_MAX;
    for (size_t i = 0; i < list.size(); ++i) {
        TRect common = IntersectRect(list[i].Bounds, rect);
        int64_t area = int64_t(common.Width()) * common.Height();
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    if (best != SIZE_MAX)
        return HandleOf(best);
    if (flags == MONITOR_DEFAULTTONULL)
        return nullptr;
    if (flags == MONITOR_DEFAULTTOPRIMARY)
        return HandleOf(size_t(&Primary(list) - list.data()));
    TPoint centre{(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
    int64_t bestDistance = INT64_MAX;
    for (size_t i = 0; i < list.size(); ++i) {
        int64_t d = DistanceSquared(list[i].Bounds, centre);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return HandleOf(best);
}

} // namespace

int GetSystemMetrics(int index)
{
    std::vector<TMonitor> list = AllMonitors();
    const TMonitor& primary = Primary(list);
    TRect virtualScreen;
    for (const TMonitor& m : list)
        virtualScreen = UnionRect(virtualScreen, m.Bounds);
    switch (index) {
    case SM_CXSCREEN: return primary.Bounds.Width();
    case SM_CYSCREEN: return primary.Bounds.Height();
    case SM_CXFULLSCREEN: return primary.WorkArea.Width();
    case SM_CYFULLSCREEN: return primary.WorkArea.Height() - 20;
    case SM_CXMAXIMIZED: return primary.WorkArea.Width() + 8;
    case SM_CYMAXIMIZED: return primary.WorkArea.Height() + 8;
    case SM_XVIRTUALSCREEN: return virtualScreen.Left;
    case SM_YVIRTUALSCREEN: return virtualScreen.Top;
    case SM_CXVIRTUALSCREEN: return virtualScreen.Width();
    case SM_CYVIRTUALSCREEN: return virtualScreen.Height();
    case SM_CXMAXTRACK: return virtualScreen.Width() + 12;
    case SM_CYMAXTRACK: return virtualScreen.Height() + 12;
    case SM_CMONITORS: return int(list.size());
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 17;
    case SM_CYCAPTION: return 20;
    case SM_CYSMCAPTION: return 16;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXSIZE:
    case SM_CYSIZE: return 16;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE: return 12;
    case SM_CYMENU: return 19;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_MOUSEWHEELPRESENT: return 1;
    case SM_SWAPBUTTON: return 0;
    default: return 0;
    }
}

bool SystemParametersInfo(UINT action, UINT /*uiParam*/, void* pvParam, UINT /*winIni*/)
{
    switch (action) {
    case SPI_GETWORKAREA: {
        std::vector<TMonitor> list = AllMonitors();
        if (pvParam)
            *static_cast<TRect*>(pvParam) = Primary(list).WorkArea;
        return true;
    }
    case SPI_GETDRAGFULLWINDOWS:
        if (pvParam)
            *static_cast<BOOL*>(pvParam) = 1;
        return true;
    case SPI_GETWHEELSCROLLLINES:
        if (pvParam)
            *static_cast<UINT*>(pvParam) = 3;
        return true;
    default:
        return false;
    }
}

HMONITOR MonitorFromRect(const TRect& rect, DWORD flags)
{
    return ByRect(rect.IsEmpty() ? Bounds(rect.Left, rect.Top, 1, 1) : rect, flags);
}

HMONITOR MonitorFromPoint(TPoint point, DWORD flags)
{
    return ByRect(Bounds(point.X, point.Y, 1, 1), flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags)
{
    TRect r;
    if (!GetWindowRect(hwnd, r))
        return flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorFromPoint(TPoint{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    return MonitorFromRect(r, flags);
}

bool GetMonitorInfo(HMONITOR monitor, MONITORINFO* info)
{
    std::vector<TMonitor> list = AllMonitors();
    size_t index = reinterpret_cast<size_t>(monitor);
    if (!info || index == 0 || index > list.size())
        return false;
    const TMonitor& m = list[index - 1];
    info->rcMonitor = m.Bounds;
    info->rcWork = m.WorkArea;
    info->dwFlags = m.Primary ? MONITORINFOF_PRIMARY : 0;
    return true;
}

void BroadcastDisplayChange()
{
    auto& m = WM();
    LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    for (HWND h : std::vector<HWND>(m.TopLevels))
        m.Send(h, WM_DISPLAYCHANGE, 32, size);
}

void BroadcastCapsChange()
{
    auto& m = WM();
    for (HWND h : std::vector<HWND>(m.TopLevels))
        if (m.Alive(h))
            m.Send(h, WM_DWMCOMPOSITIONCHANGED, 0, 0);
}

void BroadcastTaskbarCreated()
{
    const UINT taskbarCreated = RegisterWindowMessage("TaskbarCreated");
    auto& m = WM();
    for (HWND h : std::vector<HWND>(m.TopLevels))
        if (m.Alive(h))
            m.Send(h, taskbarCreated, 0, 0);
}

bool MessageBeep(UINT type)
{
    WM().Backend().Beep(type);
    return true;
}

std::string GetClipboardText()
{
    return WM().Backend().ClipboardText();
}

bool SetClipboardText(const std::string& text)
{
    WM().Backend().SetClipboardText(text);
    return true;
}

const TPlatformCaps& PlatformCaps()
{
    return WM().Backend().Caps();
}
