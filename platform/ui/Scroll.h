#pragma once
#include "platform/ui/WinTypes.h"

// Window scroll bars (SB_HORZ, SB_VERT). The range, page and position are
// kept per window and bar even while the WS_HSCROLL / WS_VSCROLL styles are
// off, so a control can hide the bars and still drive their state.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw);
bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO& info);
int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw);
int GetScrollPos(HWND hwnd, int bar);
bool SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw);
bool GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
bool ShowScrollBar(HWND hwnd, int bar, bool show);
