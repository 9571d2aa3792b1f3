#pragma once
#include <string>
#include "platform/ui/Caps.h"
#include "platform/ui/WinTypes.h"

// Screen, monitors and system values, as the active back end reports them.
int GetSystemMetrics(int index);
bool SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT winIni);
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
HMONITOR MonitorFromPoint(TPoint point, DWORD flags);
HMONITOR MonitorFromRect(const TRect& rect, DWORD flags);
bool GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);

// Tells every top-level window that the screen changed (WM_DISPLAYCHANGE
// with 32 bits per pixel and the primary screen's size); back ends call it.
void BroadcastDisplayChange();
// Tells every top-level window that the capabilities of the desktop changed
// (WM_DWMCOMPOSITIONCHANGED), and that a tray host appeared (the message
// registered as "TaskbarCreated"); back ends call them.
void BroadcastCapsChange();
void BroadcastTaskbarCreated();

bool MessageBeep(UINT type);
std::string GetClipboardText();
bool SetClipboardText(const std::string& text);
