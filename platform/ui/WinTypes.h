#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include "platform/gfx/Geometry.h"

class TBitmap;
class TDeviceContext;
class TRegion;

// The classic desktop's scalar types, kept so that message parameters pack
// and unpack exactly as the callers expect.
using UINT = uint32_t;
using DWORD = uint32_t;
using WORD = uint16_t;
using BYTE = uint8_t;
using BOOL = int;
using LONG = int32_t;
using UINT_PTR = uintptr_t;
using LONG_PTR = intptr_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using ATOM = uint16_t;

// A window handle: an opaque number, never a pointer to the record, so a
// stale handle is simply not found (IsWindow gives false) instead of crashing.
struct HWND__;
using HWND = HWND__*;
struct HMONITOR__;
using HMONITOR = HMONITOR__*;
using HCURSOR = int;        // one of the IDC_* numbers
using HICON = const TBitmap*;  // a picture, 32-bit with straight alpha or 24-bit
using HDC = TDeviceContext*;
using HRGN = TRegion*;

inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline HWND const HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
inline HWND const HWND_MESSAGE = reinterpret_cast<HWND>(-3);

// Window procedures are function objects, so a class library can bind a
// method of its control object without a thunk. Subclassing replaces the
// procedure and keeps the previous one to call as the default.
using TWndProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
using TTimerProc = std::function<void(HWND, UINT, UINT_PTR, DWORD)>;

// Parameter packing.
constexpr WORD LOWORD(uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(uintptr_t v) { return BYTE(v & 0xFF); }
constexpr int GET_X_LPARAM(LPARAM l) { return int16_t(l & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM l) { return int16_t((l >> 16) & 0xFFFF); }
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM w) { return int16_t((w >> 16) & 0xFFFF); }
constexpr WORD GET_KEYSTATE_WPARAM(WPARAM w) { return LOWORD(w); }
constexpr LPARAM MAKELPARAM(int lo, int hi) { return LPARAM(int32_t(uint32_t(WORD(lo)) | (uint32_t(WORD(hi)) << 16))); }
constexpr WPARAM MAKEWPARAM(int lo, int hi) { return WPARAM(uint32_t(WORD(lo)) | (uint32_t(WORD(hi)) << 16)); }
constexpr LRESULT MAKELRESULT(int lo, int hi) { return LRESULT(MAKELPARAM(lo, hi)); }
constexpr LPARAM PointToLParam(TPoint p) { return MAKELPARAM(p.X, p.Y); }
constexpr TPoint LParamToPoint(LPARAM l) { return TPoint{GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }

// A queued message as the loop hands it out.
struct TMsg {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    TPoint pt{0, 0};
};

struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0, y = 0, cx = 0, cy = 0;
    UINT flags = 0;
};

struct NCCALCSIZE_PARAMS {
    TRect rgrc[3];              // [0] new window rect in, client rect out
    WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
    TPoint ptReserved{0, 0};
    TPoint ptMaxSize{0, 0};
    TPoint ptMaxPosition{0, 0};
    TPoint ptMinTrackSize{0, 0};
    TPoint ptMaxTrackSize{0, 0};
};

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HWND hwndParent = nullptr;
    UINT_PTR hMenu = 0;         // the child id for child windows
    int cy = 0, cx = 0, y = 0, x = 0;
    DWORD style = 0;
    const char* lpszName = "";
    const char* lpszClass = "";
    DWORD dwExStyle = 0;
};

struct STYLESTRUCT {
    DWORD styleOld = 0;
    DWORD styleNew = 0;
};

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = 0;
    TRect rcPaint{0, 0, 0, 0};
};

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

struct MONITORINFO {
    DWORD cbSize = sizeof(MONITORINFO);
    TRect rcMonitor{0, 0, 0, 0};
    TRect rcWork{0, 0, 0, 0};
    DWORD dwFlags = 0;          // MONITORINFOF_PRIMARY
};

struct BLENDFUNCTION {
    BYTE BlendOp = 0;           // AC_SRC_OVER
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0;       // AC_SRC_ALPHA for per-pixel alpha
};

struct TRACKMOUSEEVENT {
    DWORD cbSize = sizeof(TRACKMOUSEEVENT);
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = 0;
};

// A window class: its name, class styles (CS_DBLCLKS decides who gets
// double clicks), the default procedure, the cursor for the client area and
// the background colour the default erase fills with (clNone: no fill).
struct WNDCLASS {
    UINT style = 0;
    TWndProc lpfnWndProc;
    HCURSOR hCursor = 0;
    uint32_t hbrBackground = 0x1FFFFFFF;    // a TColor; clNone leaves the erase to the window
    std::string lpszClassName;
};
