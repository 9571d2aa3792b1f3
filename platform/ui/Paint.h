#pragma once
#include "platform/ui/WinTypes.h"

class TBitmap;

// Invalidation. Without RDW_ALLCHILDREN / RDW_NOCHILDREN, children share
// their parent's invalidation unless the parent has WS_CLIPCHILDREN.
bool InvalidateRect(HWND hwnd, const TRect* rect, bool erase);       // client coordinates; null: all
bool InvalidateRgn(HWND hwnd, const TRegion* region, bool erase);
bool ValidateRect(HWND hwnd, const TRect* rect);
bool ValidateRgn(HWND hwnd, const TRegion* region);
bool RedrawWindow(HWND hwnd, const TRect* rect, const TRegion* region, UINT flags);
bool UpdateWindow(HWND hwnd);              // paints now what is invalid, children included
bool GetUpdateRect(HWND hwnd, TRect* rect, bool erase);
int GetUpdateRgn(HWND hwnd, TRegion& region, bool erase);

// Moves the pixels of the client area (or of scrollRect, client
// coordinates) by dx, dy and invalidates, with erasing, what they do not
// cover: the strip uncovered, and what was itself waiting to be painted or
// hidden. A pending update inside the area moves along. Children stay put.
bool ScrollWindow(HWND hwnd, int dx, int dy, const TRect* scrollRect);

// Painting inside WM_PAINT: a client context clipped to the update region.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT& ps);
bool EndPaint(HWND hwnd, const PAINTSTRUCT& ps);

// Contexts on the window's part of its top-level backing store, clipped to
// what is visible of it: the client area (GetDC) or the whole window in
// frame coordinates (GetWindowDC). Every context taken must be released.
// GetDC(nullptr) gives a screen context for measuring text and asking
// formats; what is drawn on it is not shown.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);

// Prints a window into any device context at the context's origin
// (WM_PRINT: PRF_NONCLIENT, PRF_ERASEBKGND, PRF_CLIENT, PRF_CHILDREN).
bool PrintWindow(HWND hwnd, HDC dc, LPARAM prfFlags);

// Hands every changed part of the top-level backing stores to the back end.
void FlushWindows();
// The composed surface of a top-level window (painting pending first).
const TBitmap* WindowSurface(HWND topLevel);
