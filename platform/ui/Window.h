#pragma once
#include <string>
#include <vector>
#include "platform/gfx/Color.h"
#include "platform/ui/WinTypes.h"

// Window classes and windows. A window is a handle with a class, a window
// procedure, styles, a parent (child windows, parent client coordinates) or
// an owner (top-level windows, screen coordinates). A WS_POPUP window
// created with a parent is a top-level window owned by that parent.

ATOM RegisterClass(const WNDCLASS& wc);
bool UnregisterClass(const std::string& className);
bool GetClassInfo(const std::string& className, WNDCLASS& wc);
std::string GetClassName(HWND hwnd);
LONG_PTR GetClassLong(HWND hwnd, int index);                 // GCL_STYLE
LONG_PTR SetClassLong(HWND hwnd, int index, LONG_PTR value);

// Sends WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE (and WM_PARENTNOTIFY to every
// ancestor of a child), then shows the window when WS_VISIBLE was given.
// A procedure passed here replaces the class procedure from the first
// message on. Returns null when the class is unknown or creation is refused.
HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName,
                    DWORD style, int x, int y, int width, int height, HWND parent,
                    UINT_PTR idOrMenu = 0, void* param = nullptr, TWndProc proc = {});
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);

// Procedures and subclassing: SetWindowProc returns the previous procedure,
// which the new one calls through CallWindowProc for what it does not handle.
TWndProc GetWindowProc(HWND hwnd);
TWndProc SetWindowProc(HWND hwnd, TWndProc proc);
LRESULT CallWindowProc(const TWndProc& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// GWL_STYLE, GWL_EXSTYLE (WM_STYLECHANGING / WM_STYLECHANGED are sent),
// GWL_ID, GWL_USERDATA, GWL_HWNDPARENT (the owner of a top-level window).
LONG_PTR GetWindowLong(HWND hwnd, int index);
LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value);

// Tree and z-order.
HWND GetParent(HWND hwnd);                 // the parent of a child, the owner of a top-level
HWND SetParent(HWND child, HWND newParent);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetTopWindow(HWND parent);            // null parent: the topmost top-level window
bool IsChild(HWND parent, HWND hwnd);
std::vector<HWND> ChildWindows(HWND parent);          // direct children, topmost first
std::vector<HWND> TopLevelWindows();                  // topmost first

// The desktop's taskbar. The window set here stands for the program there
// (the application's main form); while one is set, other top-level windows
// get an entry of their own only when they ask for it (WS_EX_APPWINDOW).
// Owned and tool windows never get one unless they ask.
void SetTaskbarWindow(HWND hwnd);
bool HasTaskbarEntry(HWND hwnd);
// The next child of parent (null: the next top-level window) after childAfter
// whose class and text match (empty: any), in z-order; null when none.
HWND FindWindowEx(HWND parent, HWND childAfter, const std::string& className, const std::string& windowName);
bool BringWindowToTop(HWND hwnd);

// Visibility and state.
bool ShowWindow(HWND hwnd, int cmd);       // returns whether it was visible
bool IsWindowVisible(HWND hwnd);           // visible with all its ancestors
bool EnableWindow(HWND hwnd, bool enable); // returns whether it was disabled
bool IsWindowEnabled(HWND hwnd);
bool IsIconic(HWND hwnd);
bool IsZoomed(HWND hwnd);

// Text (WM_SETTEXT / WM_GETTEXT with UTF-8 text).
bool SetWindowText(HWND hwnd, const std::string& text);
std::string GetWindowText(HWND hwnd);
int GetWindowTextLength(HWND hwnd);

// Geometry. Window rectangles are in screen coordinates, client rectangles
// start at (0, 0).
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint);
bool GetWindowRect(HWND hwnd, TRect& rect);
bool GetClientRect(HWND hwnd, TRect& rect);
bool ClientToScreen(HWND hwnd, TPoint& point);
bool ScreenToClient(HWND hwnd, TPoint& point);
int MapWindowPoints(HWND from, HWND to, TPoint* points, int count);
TRect WindowToClientOffset(HWND hwnd);     // the client rectangle in window coordinates

// The window whose area holds the screen point (regions and WM_NCHITTEST
// answers of HTTRANSPARENT included); hidden windows never.
HWND WindowFromPoint(TPoint screen);
HWND ChildWindowFromPoint(HWND parent, TPoint clientPoint);

// Window regions, in window coordinates. SetWindowRgn takes over the region
// (null removes it).
int SetWindowRgn(HWND hwnd, HRGN region, bool redraw);
int GetWindowRgn(HWND hwnd, TRegion& region);

// Layered windows (WS_EX_LAYERED). Both answer false when the back end
// cannot show that kind of translucency (see PlatformCaps()).
bool SetLayeredWindowAttributes(HWND hwnd, TColor key, BYTE alpha, DWORD flags);
bool GetLayeredWindowAttributes(HWND hwnd, TColor* key, BYTE* alpha, DWORD* flags);
// Sets a layered window's picture from a device context's bitmap: position
// and size (optional), source point, blend with per-pixel alpha (AC_SRC_ALPHA)
// and a constant alpha.
bool UpdateLayeredWindow(HWND hwnd, HDC dst, const TPoint* position, const TSize* size, HDC src,
                         const TPoint* srcPoint, TColor key, const BLENDFUNCTION* blend, DWORD flags);
