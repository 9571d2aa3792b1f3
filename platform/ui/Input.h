#pragma once
#include <string>
#include "platform/ui/WinTypes.h"

// Mouse capture across windows. Losing the capture sends WM_CAPTURECHANGED;
// losing it because another window became active also sends WM_CANCELMODE.
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();

// Focus and activation (WM_NCACTIVATE then WM_ACTIVATE; focus loss gives
// WM_NCACTIVATE(0), WM_ACTIVATE(WA_INACTIVE), WM_KILLFOCUS). The program
// gaining or losing the desktop as a whole adds WM_ACTIVATEAPP (Messages.h).
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
bool SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();

// Cursor and keys.
bool GetCursorPos(TPoint& point);
bool SetCursorPos(int x, int y);           // moves the pointer as a real move would
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
short GetAsyncKeyState(int vk);            // high bit set while down
short GetKeyState(int vk);
UINT GetDoubleClickTime();
bool TrackMouseEvent(TRACKMOUSEEVENT& tme);

// Carets: one per thread, owned by a window.
bool CreateCaret(HWND hwnd, int width, int height);
bool DestroyCaret();
bool ShowCaret(HWND hwnd);
bool HideCaret(HWND hwnd);
bool SetCaretPos(int x, int y);
bool GetCaretPos(TPoint& point);
bool CaretVisible();

// Raw input from a back end (any thread): screen points, buttons 0 left,
// 1 right, 2 middle; the wheel in WHEEL_DELTA units; virtual keys, with the
// text an input method produced for a key-down.
void InjectMouseMove(TPoint screen);
void InjectMouseButton(int button, bool down, TPoint screen);
void InjectMouseWheel(int delta, TPoint screen);
void InjectKey(int vk, bool down, const std::string& text = {});
