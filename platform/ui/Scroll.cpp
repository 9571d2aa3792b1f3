#include "platform/ui/Scroll.h"
#include <algorithm>
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

namespace {

SCROLLINFO* Bar(HWND hwnd, int bar, TWindowRecord** owner = nullptr)
{
    TWindowRecord* w = WM().Alive(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT))
        return nullptr;
    if (owner)
        *owner = w;
    return &w->Scroll[bar];
}

void Normalise(SCROLLINFO& si)
{
    if (si.nMax < si.nMin)
        si.nMax = si.nMin;
    UINT span = UINT(si.nMax - si.nMin + 1);
    si.nPage = std::min(si.nPage, span);
    int maxPos = si.nMax - std::max<int>(int(si.nPage) - 1, 0);
    si.nPos = std::clamp(si.nPos, si.nMin, std::max(si.nMin, maxPos));
}

void RedrawBar(TWindowRecord* w, int bar)
{
    DWORD style = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (w->Style & style) {
        w->NcPending = true;
        WM().PaintRequested();
    }
}

} // namespace

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw)
{
    TWindowRecord* w = nullptr;
    SCROLLINFO* si = Bar(hwnd, bar, &w);
    if (!si)
        return 0;
    if (info.fMask & SIF_RANGE) {
        si->nMin = info.nMin;
        si->nMax = info.nMax;
    }
    if (info.fMask & SIF_PAGE)
        si->nPage = info.nPage;
    if (info.fMask & SIF_POS)
        si->nPos = info.nPos;
    if (info.fMask & SIF_TRACKPOS)
        si->nTrackPos = info.nTrackPos;
    Normalise(*si);
    if (redraw)
        RedrawBar(w, bar);
    return si->nPos;
}

bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO& info)
{
    SCROLLINFO* si = Bar(hwnd, bar);
    if (!si)
        return false;
    if (info.fMask & SIF_RANGE) {
        info.nMin = si->nMin;
        info.nMax = si->nMax;
    }
    if (info.fMask & SIF_PAGE)
        info.nPage = si->nPage;
    if (info.fMask & SIF_POS)
        info.nPos = si->nPos;
    if (info.fMask & SIF_TRACKPOS)
        info.nTrackPos = si->nTrackPos;
    return true;
}

int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw)
{
    SCROLLINFO* si = Bar(hwnd, bar);
    if (!si)
        return 0;
    int old = si->nPos;
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = pos;
    SetScrollInfo(hwnd, bar, info, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar)
{
    SCROLLINFO* si = Bar(hwnd, bar);
    return si ? si->nPos : 0;
}

bool SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw)
{
    if (!Bar(hwnd, bar))
        return false;
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = minPos;
    info.nMax = maxPos;
    SetScrollInfo(hwnd, bar, info, redraw);
    return true;
}

bool GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos)
{
    SCROLLINFO* si = Bar(hwnd, bar);
    if (!si)
        return false;
    if (minPos)
        *minPos = si->nMin;
    if (maxPos)
        *maxPos = si->nMax;
    return true;
}

bool ShowScrollBar(HWND hwnd, int bar, bool show)
{
    TWindowRecord* w = WM().Alive(hwnd);
    if (!w)
        return false;
    DWORD bits = bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : bar == SB_BOTH ? (WS_VSCROLL | WS_HSCROLL) : 0;
    DWORD style = show ? (w->Style | bits) : (w->Style & ~bits);
    if (style == w->Style)
        return true;
    SetWindowLong(hwnd, GWL_STYLE, LONG_PTR(style));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}
