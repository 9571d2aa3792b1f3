#include <algorithm>
#include "platform/ui/Input.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

namespace {

// Keeps topmost top-level windows above the others and owned windows above
// their owner.
void NormaliseTopLevels(TWindowManager& m)
{
    std::stable_partition(m.TopLevels.begin(), m.TopLevels.end(), [&m](HWND h) {
        TWindowRecord* w = m.Find(h);
        return w && (w->ExStyle & WS_EX_TOPMOST);
    });
}

void RaiseOwned(TWindowManager& m, HWND owner)
{
    std::vector<HWND> owned;
    for (HWND h : m.TopLevels)
        if (TWindowRecord* w = m.Find(h); w && w->Owner == owner)
            owned.push_back(h);
    if (owned.empty())
        return;
    auto ownerPos = std::find(m.TopLevels.begin(), m.TopLevels.end(), owner);
    if (ownerPos == m.TopLevels.end())
        return;
    for (HWND o : owned) {
        auto pos = std::find(m.TopLevels.begin(), m.TopLevels.end(), o);
        ownerPos = std::find(m.TopLevels.begin(), m.TopLevels.end(), owner);
        if (pos > ownerPos) {
            m.TopLevels.erase(pos);
            ownerPos = std::find(m.TopLevels.begin(), m.TopLevels.end(), owner);
            m.TopLevels.insert(ownerPos, o);
        }
    }
    for (HWND o : owned)
        RaiseOwned(m, o);
}

bool Restack(TWindowManager& m, TWindowRecord* w, HWND after)
{
    auto& list = m.SiblingList(w);
    std::vector<HWND> before = list;
    HWND h = w->Handle;
    std::erase(list, h);
    if (after == HWND_TOPMOST) {
        w->ExStyle |= WS_EX_TOPMOST;
        list.insert(list.begin(), h);
    } else if (after == HWND_NOTOPMOST) {
        w->ExStyle &= ~WS_EX_TOPMOST;
        list.insert(list.begin(), h);
    } else if (after == HWND_TOP) {
        list.insert(list.begin(), h);
    } else if (after == HWND_BOTTOM) {
        list.push_back(h);
    } else {
        auto pos = std::find(list.begin(), list.end(), after);
        list.insert(pos == list.end() ? list.begin() : pos + 1, h);
    }
    if (!w->IsChild()) {
        if (after == HWND_NOTOPMOST || after == HWND_TOP) {
            // The top of its own group.
            std::erase(list, h);
            bool topmost = (w->ExStyle & WS_EX_TOPMOST) != 0;
            auto pos = list.begin();
            if (!topmost)
                while (pos != list.end() && m.Find(*pos) && (m.Find(*pos)->ExStyle & WS_EX_TOPMOST))
                    ++pos;
            list.insert(pos, h);
        }
        NormaliseTopLevels(m);
        RaiseOwned(m, h);
    }
    return before != list;
}

TRegion WindowArea(const TWindowRecord* w)
{
    TRegion r(Bounds(0, 0, w->Width(), w->Height()));
    if (w->Shape)
        r = r.Intersect(*w->Shape);
    r.Offset(w->Rect.Left, w->Rect.Top);
    return r;
}

// Owned windows go away with their owner when it is minimised and come back
// with it when it is restored.
void HideOwned(TWindowManager& m, HWND owner)
{
    for (HWND h : std::vector<HWND>(m.TopLevels)) {
        TWindowRecord* w = m.Alive(h);
        if (!w || w->Owner != owner || !w->Visible())
            continue;
        m.Send(h, WM_SHOWWINDOW, 0, SW_PARENTCLOSING);
        SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if ((w = m.Alive(h)))
            w->HiddenWithOwner = true;
    }
}

void ShowOwned(TWindowManager& m, HWND owner)
{
    for (HWND h : std::vector<HWND>(m.TopLevels)) {
        TWindowRecord* w = m.Alive(h);
        if (!w || w->Owner != owner || !w->HiddenWithOwner)
            continue;
        w->HiddenWithOwner = false;
        m.Send(h, WM_SHOWWINDOW, 1, SW_PARENTOPENING);
        SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    if (!w)
        return false;
    bool wasVisible = w->Visible();
    if ((flags & SWP_SHOWWINDOW) && wasVisible)
        flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !wasVisible)
        flags &= ~SWP_HIDEWINDOW;

    WINDOWPOS wp;
    wp.hwnd = hwnd;
    wp.hwndInsertAfter = insertAfter;
    wp.x = (flags & SWP_NOMOVE) ? w->Rect.Left : x;
    wp.y = (flags & SWP_NOMOVE) ? w->Rect.Top : y;
    wp.cx = (flags & SWP_NOSIZE) ? w->Width() : cx;
    wp.cy = (flags & SWP_NOSIZE) ? w->Height() : cy;
    wp.flags = flags;
    if (!(flags & SWP_NOSENDCHANGING)) {
        m.Send(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        if (!(w = m.Alive(hwnd)))
            return false;
    }
    flags = wp.flags;
    TRect oldRect = w->Rect;
    TRect newRect = Bounds((flags & SWP_NOMOVE) ? oldRect.Left : wp.x, (flags & SWP_NOMOVE) ? oldRect.Top : wp.y,
                           std::max(0, (flags & SWP_NOSIZE) ? oldRect.Width() : wp.cx),
                           std::max(0, (flags & SWP_NOSIZE) ? oldRect.Height() : wp.cy));
    bool sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
    bool moved = newRect.Left != oldRect.Left || newRect.Top != oldRect.Top;
    TRegion oldArea = WindowArea(w);
    TRect oldClient = w->Client;

    if (sized || (flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS p;
        p.rgrc[0] = newRect;
        p.rgrc[1] = oldRect;
        p.rgrc[2] = oldClient.Offsetted(oldRect.Left, oldRect.Top);
        p.lppos = &wp;
        m.Send(hwnd, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&p));
        if (!(w = m.Alive(hwnd)))
            return false;
        TRect c = p.rgrc[0];
        c.Right = std::max(c.Right, c.Left);
        c.Bottom = std::max(c.Bottom, c.Top);
        w->Client = c.Offsetted(-newRect.Left, -newRect.Top);
    }
    w->Rect = newRect;
    bool restacked = false;
    if (!(flags & SWP_NOZORDER))
        restacked = Restack(m, w, insertAfter);
    if (flags & SWP_SHOWWINDOW)
        w->Style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW)
        w->Style &= ~WS_VISIBLE;
    m.LayoutChanged();
    bool nowVisible = w->Visible();
    // A top-level window keeps its own surface: restacking it repaints nothing.
    bool restackShows = restacked && w->IsChild();
    bool changedLook = sized || moved || restackShows || (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED));

    if (!(flags & SWP_NOREDRAW) && changedLook) {
        if (w->IsChild()) {
            if (TWindowRecord* p = m.Find(w->Parent); p && wasVisible) {
                TRegion exposed = nowVisible ? oldArea.Subtract(WindowArea(w)) : oldArea;
                if (restackShows && nowVisible)
                    exposed = exposed.Union(oldArea);
                m.InvalidateExposed(p, exposed);
            }
        }
        bool repaintSelf = sized || restackShows || (flags & (SWP_SHOWWINDOW | SWP_FRAMECHANGED)) || (moved && w->IsChild());
        if (nowVisible && repaintSelf) {
            w->NcPending = true;
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    } else if (flags & SWP_FRAMECHANGED) {
        w->NcPending = true;
        m.PaintRequested();
    }
    if (!w->IsChild()) {
        TBackend& b = m.Backend();
        if (nowVisible && !w->Minimized)
            m.EnsureStore(w);
        if (flags & SWP_SHOWWINDOW)
            b.WindowShown(hwnd, w->Rect, !(flags & SWP_NOACTIVATE) && !(w->ExStyle & WS_EX_NOACTIVATE) && w->Enabled());
        else if (flags & SWP_HIDEWINDOW)
            b.WindowHidden(hwnd);
        else if (sized || moved)
            b.WindowMoved(hwnd, w->Rect);
        if (restacked)
            b.ZOrderChanged(m.TopLevels);
    }

    m.Send(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = m.Alive(hwnd)))
        return true;
    // Keys never go to a hidden window: the focus moves up to the parent.
    if ((flags & SWP_HIDEWINDOW) && w->IsChild() && m.FocusWnd && (m.FocusWnd == hwnd || IsChild(hwnd, m.FocusWnd))) {
        SetFocus(w->Parent);
        if (!(w = m.Alive(hwnd)))
            return true;
    }
    if (!w->IsChild()) {
        if (nowVisible && !(flags & SWP_NOACTIVATE) && !(w->ExStyle & WS_EX_NOACTIVATE) && w->Enabled())
            m.Activate(hwnd, WA_ACTIVE);
        else if ((flags & SWP_HIDEWINDOW) && m.ActiveWnd == hwnd)
            m.ActivateNextAfter(hwnd);
    }
    return true;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : SWP_NOREDRAW));
}

bool ShowWindow(HWND hwnd, int cmd)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    if (!w)
        return false;
    bool was = w->Visible();
    bool child = w->IsChild();
    UINT quiet = child ? (SWP_NOACTIVATE | SWP_NOZORDER) : 0;
    switch (cmd) {
    case SW_HIDE:
        if (!was)
            return false;
        m.Send(hwnd, WM_SHOWWINDOW, 0, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return was;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: {
        if (w->Minimized)
            return was;
        if (!was)
            m.Send(hwnd, WM_SHOWWINDOW, 1, 0);
        if (!(w = m.Alive(hwnd)))
            return was;
        w->Minimized = true;
        w->Style |= WS_VISIBLE | WS_MINIMIZE;
        m.LayoutChanged();
        if (!child) {
            m.Backend().WindowHidden(hwnd);
            HideOwned(m, hwnd);
        }
        m.Send(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
        if (m.ActiveWnd == hwnd)
            m.ActivateNextAfter(hwnd);
        return was;
    }
    case SW_MAXIMIZE: {
        if (!was)
            m.Send(hwnd, WM_SHOWWINDOW, 1, 0);
        if (!(w = m.Alive(hwnd)))
            return was;
        if (!w->Maximized && !w->Minimized)
            w->RestoreRect = w->Rect;
        w->Minimized = false;
        w->Maximized = true;
        w->Style = (w->Style & ~WS_MINIMIZE) | WS_MAXIMIZE;
        m.LayoutChanged();
        MONITORINFO mi;
        GetMonitorInfo(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &mi);
        TRect r = child ? w->Rect : mi.rcWork;
        if (!child) {
            // The window may place and size its maximised state itself.
            MINMAXINFO mmi;
            mmi.ptMaxSize = TPoint{r.Width(), r.Height()};
            mmi.ptMaxPosition = TPoint{r.Left, r.Top};
            mmi.ptMinTrackSize = TPoint{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
            mmi.ptMaxTrackSize = TPoint{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
            m.Send(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
            if (!(w = m.Alive(hwnd)))
                return was;
            r = Bounds(mmi.ptMaxPosition.X, mmi.ptMaxPosition.Y, mmi.ptMaxSize.X, mmi.ptMaxSize.Y);
        }
        if (child)
            if (TWindowRecord* p = m.Find(w->Parent))
                r = Bounds(0, 0, p->Client.Width(), p->Client.Height());
        SetWindowPos(hwnd, HWND_TOP, r.Left, r.Top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_FRAMECHANGED | quiet);
        return was;
    }
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        if (w->Minimized || w->Maximized) {
            if (!was)
                m.Send(hwnd, WM_SHOWWINDOW, 1, 0);
            if (!(w = m.Alive(hwnd)))
                return was;
            bool fromMinimized = w->Minimized;
            w->Minimized = false;
            if (!fromMinimized || cmd == SW_SHOWNORMAL || !w->Maximized)
                w->Maximized = false;
            w->Style &= ~(WS_MINIMIZE | (w->Maximized ? 0 : WS_MAXIMIZE));
            TRect r = w->Maximized ? w->Rect : (w->RestoreRect.IsEmpty() ? w->Rect : w->RestoreRect);
            w->Style &= ~WS_VISIBLE;   // shown again by the position change below
            m.LayoutChanged();
            SetWindowPos(hwnd, HWND_TOP, r.Left, r.Top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_FRAMECHANGED | quiet);
            if (fromMinimized && !child && m.Alive(hwnd))
                ShowOwned(m, hwnd);
            return was;
        }
        [[fallthrough]];
    default: {
        if (was)
            return was;
        bool noActivate = child || cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE;
        m.Send(hwnd, WM_SHOWWINDOW, 1, 0);
        if (!m.Alive(hwnd))
            return was;
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | quiet | (noActivate ? SWP_NOACTIVATE : 0u));
        return was;
    }
    }
}
