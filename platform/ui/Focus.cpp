#include "platform/ui/Input.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

namespace {

bool Within(TWindowManager& m, HWND root, HWND h)
{
    return h && root && (h == root || IsChild(root, h)) && m.Find(h);
}

bool CanActivate(TWindowManager& m, HWND h)
{
    TWindowRecord* w = m.Alive(h);
    return w && !w->IsChild() && w->Visible() && !w->Minimized && w->Enabled() && !(w->ExStyle & WS_EX_NOACTIVATE);
}

// The window that had the capture inside a window losing activation is told
// to cancel its mode (its default then releases the capture).
void CancelCaptureIn(TWindowManager& m, HWND top)
{
    if (m.CaptureWnd && Within(m, top, m.CaptureWnd))
        m.Send(m.CaptureWnd, WM_CANCELMODE);
}

// appLeaves: no window of ours follows, the program loses the activation
// (told after WM_ACTIVATE, before the focus goes).
void Deactivate(TWindowManager& m, HWND old, HWND next, bool appLeaves = false)
{
    if (!m.Find(old)) {
        if (appLeaves)
            m.SetAppActive(false);
        return;
    }
    CancelCaptureIn(m, old);
    TWindowRecord* w = m.Find(old);
    bool minimized = w && w->Minimized;
    m.Send(old, WM_NCACTIVATE, 0, 0);
    m.Send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, minimized ? 1 : 0), reinterpret_cast<LPARAM>(next));
    if (appLeaves && !m.ActiveWnd)
        m.SetAppActive(false);
    if (Within(m, old, m.FocusWnd)) {
        HWND f = m.FocusWnd;
        m.FocusWnd = nullptr;
        m.Send(f, WM_KILLFOCUS, reinterpret_cast<WPARAM>(next), 0);
    }
}

} // namespace

void TWindowManager::Activate(HWND h, int how)
{
    TWindowRecord* w = Alive(h);
    if (!w || w->IsChild() || ActiveWnd == h)
        return;
    BringToTop(h);
    if (!(w = Alive(h)) || ActiveWnd == h)
        return;
    HWND old = ActiveWnd;
    ActiveWnd = h;
    Deactivate(*this, old, h);
    if (ActiveWnd != h || !(w = Alive(h)))
        return;
    // Coming back from another program (or starting): the program is told first.
    if (!AppActive) {
        SetAppActive(true);
        if (ActiveWnd != h || !(w = Alive(h)))
            return;
    }
    Send(h, WM_NCACTIVATE, 1, 0);
    if (!Alive(h) || ActiveWnd != h)
        return;
    Send(h, WM_ACTIVATE, MAKEWPARAM(how, w->Minimized ? 1 : 0), reinterpret_cast<LPARAM>(old));
}

void TWindowManager::ActivateNone()
{
    HWND target = CaptureWnd ? CaptureWnd : ActiveWnd;
    if (Alive(target))
        Send(target, WM_CANCELMODE);
    if (CaptureWnd)
        ReleaseCapture();
    HWND old = ActiveWnd;
    ActiveWnd = nullptr;
    Deactivate(*this, old, nullptr, true);
}

void TWindowManager::SetAppActive(bool active)
{
    if (AppActive == active)
        return;
    AppActive = active;
    std::vector<HWND> tops = TopLevels;
    for (HWND h : tops)
        if (Alive(h) && AppActive == active)
            Send(h, WM_ACTIVATEAPP, active ? 1 : 0, 0);
}

void TWindowManager::BringToTop(HWND h)
{
    TWindowRecord* w = Alive(h);
    if (!w)
        return;
    auto& list = SiblingList(w);
    auto pos = std::find(list.begin(), list.end(), h);
    bool atTop = true;
    for (auto it = list.begin(); it != pos; ++it) {
        TWindowRecord* o = Find(*it);
        if (o && o->Visible() && o->Owner != h && ((o->ExStyle & WS_EX_TOPMOST) == (w->ExStyle & WS_EX_TOPMOST)))
            atTop = false;
    }
    if (!atTop)
        SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWindowManager::ActivateNextAfter(HWND gone)
{
    HWND next = nullptr;
    if (TWindowRecord* w = Find(gone); w && w->Owner && CanActivate(*this, w->Owner))
        next = w->Owner;
    if (!next)
        for (HWND h : TopLevels)
            if (h != gone && CanActivate(*this, h) && !(Find(h)->ExStyle & WS_EX_TOOLWINDOW)) {
                next = h;
                break;
            }
    if (next) {
        Activate(next, WA_ACTIVE);
        return;
    }
    if (ActiveWnd == gone) {
        ActiveWnd = nullptr;
        Deactivate(*this, gone, nullptr, true);
    }
}

HWND SetActiveWindow(HWND hwnd)
{
    auto& m = WM();
    HWND old = m.ActiveWnd;
    TWindowRecord* w = m.TopLevelOf(m.Alive(hwnd));
    if (w)
        m.Activate(w->Handle, WA_ACTIVE);
    return old;
}

HWND GetActiveWindow()
{
    return WM().ActiveWnd;
}

bool SetForegroundWindow(HWND hwnd)
{
    SetActiveWindow(hwnd);
    return WM().Alive(hwnd) != nullptr;
}

HWND GetForegroundWindow()
{
    return WM().ActiveWnd;
}

HWND SetFocus(HWND hwnd)
{
    auto& m = WM();
    HWND old = m.FocusWnd;
    if (hwnd) {
        TWindowRecord* w = m.Alive(hwnd);
        if (!w || !w->Enabled())
            return nullptr;
        TWindowRecord* top = m.TopLevelOf(w);
        if (top && top->Handle != m.ActiveWnd && !(top->ExStyle & WS_EX_NOACTIVATE))
            m.Activate(top->Handle, WA_ACTIVE);
        if (!m.Alive(hwnd))
            return nullptr;
        old = m.FocusWnd;
    }
    if (old == hwnd)
        return old;
    m.FocusWnd = hwnd;
    if (old && m.Find(old))
        m.Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && m.FocusWnd == hwnd && m.Alive(hwnd))
        m.Send(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus()
{
    return WM().FocusWnd;
}
