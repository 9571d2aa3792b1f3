#include <algorithm>
#include <optional>
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

// What one position change did, for the repaint and the notices after it.
struct TPosChange {
    UINT Flags = 0;
    bool WasVisible = false;
    bool NowVisible = false;
    bool Sized = false;
    bool Moved = false;
    bool Restacked = false;
    TRegion OldArea;   // where the window was, in its parent's client coordinates
};

// Showing a shown window or hiding a hidden one is no change.
UINT DropNoOpShowHide(UINT flags, bool visible)
{
    if ((flags & SWP_SHOWWINDOW) && visible)
        flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !visible)
        flags &= ~SWP_HIDEWINDOW;
    return flags;
}

// The position asked for, with the current place and size where the flags keep them.
WINDOWPOS ProposedPos(const TWindowRecord* w, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    WINDOWPOS wp;
    wp.hwnd = w->Handle;
    wp.hwndInsertAfter = insertAfter;
    wp.x = (flags & SWP_NOMOVE) ? w->Rect.Left : x;
    wp.y = (flags & SWP_NOMOVE) ? w->Rect.Top : y;
    wp.cx = (flags & SWP_NOSIZE) ? w->Width() : cx;
    wp.cy = (flags & SWP_NOSIZE) ? w->Height() : cy;
    wp.flags = flags;
    return wp;
}

// The rectangle the window takes once its WM_WINDOWPOSCHANGING had its say.
TRect AcceptedRect(const WINDOWPOS& wp, const TRect& oldRect)
{
    const UINT flags = wp.flags;
    return Bounds((flags & SWP_NOMOVE) ? oldRect.Left : wp.x, (flags & SWP_NOMOVE) ? oldRect.Top : wp.y,
                  std::max(0, (flags & SWP_NOSIZE) ? oldRect.Width() : wp.cx),
                  std::max(0, (flags & SWP_NOSIZE) ? oldRect.Height() : wp.cy));
}

// Asks the window for its client area within the new rectangle; nullptr when
// the window went away meanwhile.
TWindowRecord* RecalcClient(TWindowManager& m, TWindowRecord* w, WINDOWPOS& wp, const TRect& oldRect,
                            const TRect& newRect)
{
    const HWND hwnd = w->Handle;
    NCCALCSIZE_PARAMS p;
    p.rgrc[0] = newRect;
    p.rgrc[1] = oldRect;
    p.rgrc[2] = w->Client.Offsetted(oldRect.Left, oldRect.Top);
    p.lppos = &wp;
    m.Send(hwnd, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&p));
    if (!(w = m.Alive(hwnd)))
        return nullptr;
    TRect c = p.rgrc[0];
    c.Right = std::max(c.Right, c.Left);
    c.Bottom = std::max(c.Bottom, c.Top);
    w->Client = c.Offsetted(-newRect.Left, -newRect.Top);
    return w;
}

// The new place, stacking and visibility take effect.
void ApplyPos(TWindowManager& m, TWindowRecord* w, const TRect& newRect, HWND insertAfter, TPosChange& c)
{
    w->Rect = newRect;
    if (!(c.Flags & SWP_NOZORDER))
        c.Restacked = Restack(m, w, insertAfter);
    if (c.Flags & SWP_SHOWWINDOW)
        w->Style |= WS_VISIBLE;
    if (c.Flags & SWP_HIDEWINDOW)
        w->Style &= ~WS_VISIBLE;
    m.LayoutChanged();
    c.NowVisible = w->Visible();
}

// The parent repaints what the window uncovered, the window what changed of it.
void RepaintAfterMove(TWindowManager& m, TWindowRecord* w, const TPosChange& c)
{
    // A top-level window keeps its own surface: restacking it repaints nothing.
    const bool restackShows = c.Restacked && w->IsChild();
    const bool changedLook =
        c.Sized || c.Moved || restackShows || (c.Flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED));
    if (!(c.Flags & SWP_NOREDRAW) && changedLook) {
        if (w->IsChild()) {
            if (TWindowRecord* p = m.Find(w->Parent); p && c.WasVisible) {
                TRegion exposed = c.NowVisible ? c.OldArea.Subtract(WindowArea(w)) : c.OldArea;
                if (restackShows && c.NowVisible)
                    exposed = exposed.Union(c.OldArea);
                m.InvalidateExposed(p, exposed);
            }
        }
        const bool repaintSelf = c.Sized || restackShows || (c.Flags & (SWP_SHOWWINDOW | SWP_FRAMECHANGED)) ||
                                 (c.Moved && w->IsChild());
        if (c.NowVisible && repaintSelf) {
            w->NcPending = true;
            RedrawWindow(w->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    } else if (c.Flags & SWP_FRAMECHANGED) {
        w->NcPending = true;
        m.PaintRequested();
    }
}

// A top-level window's surface follows it on the back end.
void TellBackend(TWindowManager& m, TWindowRecord* w, const TPosChange& c)
{
    TBackend& b = m.Backend();
    const HWND hwnd = w->Handle;
    if (c.NowVisible && !w->Minimized)
        m.EnsureStore(w);
    if (c.Flags & SWP_SHOWWINDOW)
        b.WindowShown(hwnd, w->Rect, !(c.Flags & SWP_NOACTIVATE) && !(w->ExStyle & WS_EX_NOACTIVATE) && w->Enabled());
    else if (c.Flags & SWP_HIDEWINDOW)
        b.WindowHidden(hwnd);
    else if (c.Sized || c.Moved)
        b.WindowMoved(hwnd, w->Rect);
    if (c.Restacked)
        b.ZOrderChanged(m.TopLevels);
}

// After the window heard of its change: focus leaves a hidden child, and a
// top-level window shown is activated, one hidden hands activation on.
void SettleFocusAndActivation(TWindowManager& m, HWND hwnd, const TPosChange& c)
{
    TWindowRecord* w = m.Alive(hwnd);
    if (!w)
        return;
    // Keys never go to a hidden window: the focus moves up to the parent.
    if ((c.Flags & SWP_HIDEWINDOW) && w->IsChild() && m.FocusWnd &&
        (m.FocusWnd == hwnd || IsChild(hwnd, m.FocusWnd))) {
        SetFocus(w->Parent);
        if (!(w = m.Alive(hwnd)))
            return;
    }
    if (!w->IsChild()) {
        if (c.NowVisible && !(c.Flags & SWP_NOACTIVATE) && !(w->ExStyle & WS_EX_NOACTIVATE) && w->Enabled())
            m.Activate(hwnd, WA_ACTIVE);
        else if ((c.Flags & SWP_HIDEWINDOW) && m.ActiveWnd == hwnd)
            m.ActivateNextAfter(hwnd);
    }
}

// ShowWindow's commands. Each answers whether the window was visible before.

UINT QuietFlags(bool child) { return child ? (SWP_NOACTIVATE | SWP_NOZORDER) : 0; }

bool HideCommand(TWindowManager& m, HWND hwnd, bool was)
{
    if (!was)
        return false;
    m.Send(hwnd, WM_SHOWWINDOW, 0, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return was;
}

bool MinimizeCommand(TWindowManager& m, TWindowRecord* w, bool was, bool child)
{
    const HWND hwnd = w->Handle;
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

// The rectangle of the maximised state: the parent's client area for a child;
// for a top-level window the monitor's work area, or what the window asks for
// in WM_GETMINMAXINFO. Empty when the window went away.
std::optional<TRect> MaximizedRect(TWindowManager& m, HWND hwnd, bool child)
{
    TWindowRecord* w = m.Alive(hwnd);
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
            return std::nullopt;
        r = Bounds(mmi.ptMaxPosition.X, mmi.ptMaxPosition.Y, mmi.ptMaxSize.X, mmi.ptMaxSize.Y);
    }
    if (child)
        if (TWindowRecord* p = m.Find(w->Parent))
            r = Bounds(0, 0, p->Client.Width(), p->Client.Height());
    return r;
}

bool MaximizeCommand(TWindowManager& m, HWND hwnd, bool was, bool child)
{
    if (!was)
        m.Send(hwnd, WM_SHOWWINDOW, 1, 0);
    TWindowRecord* w = m.Alive(hwnd);
    if (!w)
        return was;
    if (!w->Maximized && !w->Minimized)
        w->RestoreRect = w->Rect;
    w->Minimized = false;
    w->Maximized = true;
    w->Style = (w->Style & ~WS_MINIMIZE) | WS_MAXIMIZE;
    m.LayoutChanged();
    const std::optional<TRect> r = MaximizedRect(m, hwnd, child);
    if (!r)
        return was;
    SetWindowPos(hwnd, HWND_TOP, r->Left, r->Top, r->Width(), r->Height(),
                 SWP_SHOWWINDOW | SWP_FRAMECHANGED | QuietFlags(child));
    return was;
}

// From minimised back to normal or maximised (SW_SHOWNORMAL always to
// normal), from maximised to normal.
bool RestoreCommand(TWindowManager& m, HWND hwnd, int cmd, bool was, bool child)
{
    if (!was)
        m.Send(hwnd, WM_SHOWWINDOW, 1, 0);
    TWindowRecord* w = m.Alive(hwnd);
    if (!w)
        return was;
    bool fromMinimized = w->Minimized;
    w->Minimized = false;
    if (!fromMinimized || cmd == SW_SHOWNORMAL || !w->Maximized)
        w->Maximized = false;
    w->Style &= ~(WS_MINIMIZE | (w->Maximized ? 0 : WS_MAXIMIZE));
    TRect r = w->Maximized ? w->Rect : (w->RestoreRect.IsEmpty() ? w->Rect : w->RestoreRect);
    w->Style &= ~WS_VISIBLE;   // shown again by the position change below
    m.LayoutChanged();
    SetWindowPos(hwnd, HWND_TOP, r.Left, r.Top, r.Width(), r.Height(),
                 SWP_SHOWWINDOW | SWP_FRAMECHANGED | QuietFlags(child));
    if (fromMinimized && !child && m.Alive(hwnd))
        ShowOwned(m, hwnd);
    return was;
}

bool ShowCommand(TWindowManager& m, HWND hwnd, int cmd, bool was, bool child)
{
    if (was)
        return was;
    bool noActivate = child || cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE;
    m.Send(hwnd, WM_SHOWWINDOW, 1, 0);
    if (!m.Alive(hwnd))
        return was;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | QuietFlags(child) | (noActivate ? SWP_NOACTIVATE : 0u));
    return was;
}

} // namespace

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    if (!w)
        return false;
    TPosChange c;
    c.WasVisible = w->Visible();
    WINDOWPOS wp = ProposedPos(w, insertAfter, x, y, cx, cy, DropNoOpShowHide(flags, c.WasVisible));
    if (!(wp.flags & SWP_NOSENDCHANGING)) {
        m.Send(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        if (!(w = m.Alive(hwnd)))
            return false;
    }
    c.Flags = wp.flags;
    const TRect oldRect = w->Rect;
    const TRect newRect = AcceptedRect(wp, oldRect);
    c.Sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
    c.Moved = newRect.Left != oldRect.Left || newRect.Top != oldRect.Top;
    c.OldArea = WindowArea(w);
    if (c.Sized || (c.Flags & SWP_FRAMECHANGED))
        if (!(w = RecalcClient(m, w, wp, oldRect, newRect)))
            return false;
    ApplyPos(m, w, newRect, insertAfter, c);
    RepaintAfterMove(m, w, c);
    if (!w->IsChild())
        TellBackend(m, w, c);
    m.Send(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    SettleFocusAndActivation(m, hwnd, c);
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
    const bool was = w->Visible();
    const bool child = w->IsChild();
    switch (cmd) {
    case SW_HIDE: return HideCommand(m, hwnd, was);
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: return MinimizeCommand(m, w, was, child);
    case SW_MAXIMIZE: return MaximizeCommand(m, hwnd, was, child);
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        if (w->Minimized || w->Maximized)
            return RestoreCommand(m, hwnd, cmd, was, child);
        return ShowCommand(m, hwnd, cmd, was, child);
    default: return ShowCommand(m, hwnd, cmd, was, child);
    }
}
