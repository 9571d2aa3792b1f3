#include "platform/ui/Input.h"
#include <cstdlib>
#include "platform/ui/Keys.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

namespace {

constexpr UINT DoubleClickTime = 500;

const int ButtonVk[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
const UINT DownMsg[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};

WPARAM MouseKeys(const TWindowManager& m)
{
    WPARAM k = 0;
    if (m.KeyState[VK_LBUTTON] & 0x80) k |= MK_LBUTTON;
    if (m.KeyState[VK_RBUTTON] & 0x80) k |= MK_RBUTTON;
    if (m.KeyState[VK_MBUTTON] & 0x80) k |= MK_MBUTTON;
    if (m.KeyState[VK_SHIFT] & 0x80) k |= MK_SHIFT;
    if (m.KeyState[VK_CONTROL] & 0x80) k |= MK_CONTROL;
    return k;
}

// Client messages carry client coordinates, non-client ones screen
// coordinates and the hit code.
TMsg MouseMessage(TWindowManager& m, HWND target, int hit, UINT clientMsg, TPoint screen, DWORD time)
{
    TMsg msg;
    msg.hwnd = target;
    msg.time = time;
    msg.pt = screen;
    if (hit == HTCLIENT) {
        TPoint p = screen;
        ScreenToClient(target, p);
        msg.message = clientMsg;
        msg.wParam = MouseKeys(m);
        msg.lParam = MAKELPARAM(p.X, p.Y);
    } else {
        msg.message = clientMsg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        msg.wParam = WPARAM(hit);
        msg.lParam = MAKELPARAM(screen.X, screen.Y);
    }
    return msg;
}

HWND Descend(TWindowManager& m, TWindowRecord* w, TPoint screen, int& hit)
{
    HWND h = w->Handle;
    TPoint origin = m.ScreenOrigin(w);
    TPoint local{screen.X - origin.X, screen.Y - origin.Y};
    if (w->Client.Contains(local)) {
        TPoint clientPt{local.X - w->Client.Left, local.Y - w->Client.Top};
        std::vector<HWND> children = w->Children;
        for (HWND ch : children) {
            TWindowRecord* c = m.Find(ch);
            if (!c || !c->Visible() || !c->Rect.Contains(clientPt))
                continue;
            if (c->Shape && !c->Shape->Contains(TPoint{clientPt.X - c->Rect.Left, clientPt.Y - c->Rect.Top}))
                continue;
            if (!c->Enabled())
                break;          // a press on a disabled child belongs to its parent
            if (HWND found = Descend(m, c, screen, hit))
                return found;
        }
    }
    LRESULT r = m.Send(h, WM_NCHITTEST, 0, MAKELPARAM(screen.X, screen.Y));
    if (r == HTTRANSPARENT || !m.Alive(h))
        return nullptr;
    hit = int(r);
    return h;
}

// A window takes the mouse only while it and every parent up to its
// top-level window are enabled: a modal dialog disables the other top-level
// windows, and with them everything on them (menu bar, tool bar, lists).
bool TakesMouse(TWindowManager& m, TWindowRecord* w)
{
    for (; w; w = w->IsChild() ? m.Find(w->Parent) : nullptr)
        if (!w->Enabled())
            return false;
    return true;
}

void CookMove(TWindowManager& m, const TInputEvent& ev)
{
    m.CursorPos = ev.Pt;
    int hit = HTNOWHERE;
    HWND under = m.HitWindow(ev.Pt, hit);
    if (!m.CaptureWnd && under && !TakesMouse(m, m.Find(under)))
        under = nullptr;
    m.SetHover(under);
    HWND target = m.CaptureWnd ? m.CaptureWnd : under;
    if (m.CaptureWnd)
        hit = HTCLIENT;
    if (!target || !m.Alive(target))
        return;
    if (!m.CaptureWnd)
        m.Send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(hit, WM_MOUSEMOVE));
    if (m.Alive(target))
        m.Cooked.push_back(MouseMessage(m, target, hit, WM_MOUSEMOVE, ev.Pt, ev.Time));
}

void CookButton(TWindowManager& m, const TInputEvent& ev)
{
    int b = std::clamp(ev.Button, 0, 2);
    m.CursorPos = ev.Pt;
    if (ev.Kind == TInputEvent::ieButtonDown) {
        m.KeyState[ButtonVk[b]] |= 0x80;
        m.AltAlone = false;
    } else {
        m.KeyState[ButtonVk[b]] &= BYTE(~0x80);
    }
    int hit = HTNOWHERE;
    HWND under = m.HitWindow(ev.Pt, hit);
    m.SetHover(under);
    HWND target = m.CaptureWnd ? m.CaptureWnd : under;
    if (m.CaptureWnd)
        hit = HTCLIENT;
    TWindowRecord* t = m.Alive(target);
    if (!t)
        return;
    if (!(m.CaptureWnd ? t->Enabled() : TakesMouse(m, t))) {
        if (ev.Kind == TInputEvent::ieButtonDown)
            m.Backend().Beep(MB_OK);
        return;
    }
    UINT downMsg = DownMsg[b];
    if (ev.Kind == TInputEvent::ieButtonUp) {
        m.Cooked.push_back(MouseMessage(m, target, hit, downMsg + 1, ev.Pt, ev.Time));
        return;
    }

    // Two presses of one button on one window, close in time and place, make
    // a double click: always in the frame, in the client only with CS_DBLCLKS.
    bool nonClient = hit != HTCLIENT;
    const auto& last = m.LastClick;
    bool isDouble = false;
    if (last.Wnd == target && last.Button == b && last.NonClient == nonClient && !last.WasDouble &&
        ev.Time - last.Time <= DoubleClickTime &&
        std::abs(ev.Pt.X - last.Pt.X) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
        std::abs(ev.Pt.Y - last.Pt.Y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2)
        isDouble = nonClient || (t->Class->Style & CS_DBLCLKS);
    m.LastClick = TWindowManager::TLastClick{target, b, nonClient, ev.Time, ev.Pt, isDouble};

    TWindowRecord* top = m.TopLevelOf(t);
    bool eat = false;
    if (top && top->Handle != m.ActiveWnd) {
        LRESULT r = m.Send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->Handle), MAKELPARAM(hit, int(downMsg)));
        if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT || r == 0) && m.Alive(top->Handle) &&
            !(top->ExStyle & WS_EX_NOACTIVATE) && top->Enabled())
            m.Activate(top->Handle, WA_CLICKACTIVE);
        eat = r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
        if (!m.Alive(target))
            return;
    }
    if (!m.CaptureWnd)
        m.Send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(hit, int(downMsg)));
    if (eat || !m.Alive(target))
        return;
    NotifyParents(target, downMsg, 0, MAKELPARAM(ev.Pt.X, ev.Pt.Y), true);
    if (!m.Alive(target))
        return;
    m.Cooked.push_back(MouseMessage(m, target, hit, isDouble ? downMsg + 2 : downMsg, ev.Pt, ev.Time));
}

void CookWheel(TWindowManager& m, const TInputEvent& ev)
{
    HWND target = m.FocusWnd ? m.FocusWnd : m.ActiveWnd;
    if (!m.Alive(target))
        return;
    TMsg msg;
    msg.hwnd = target;
    msg.message = WM_MOUSEWHEEL;
    msg.wParam = MAKEWPARAM(int(MouseKeys(m)), ev.Delta);
    msg.lParam = MAKELPARAM(ev.Pt.X, ev.Pt.Y);
    msg.time = ev.Time;
    msg.pt = ev.Pt;
    m.Cooked.push_back(msg);
}

void SetKey(TWindowManager& m, int vk, bool down)
{
    auto set = [&m, down](int k) {
        if (down) {
            if (!(m.KeyState[k] & 0x80))
                m.KeyState[k] ^= 1;              // toggle state, as for Caps Lock
            m.KeyState[k] |= 0x80;
        } else {
            m.KeyState[k] &= BYTE(~0x80);
        }
    };
    set(vk & 0xFF);
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) set(VK_SHIFT);
    if (vk == VK_LCONTROL || vk == VK_RCONTROL) set(VK_CONTROL);
    if (vk == VK_LMENU || vk == VK_RMENU) set(VK_MENU);
}

void CookKey(TWindowManager& m, const TInputEvent& ev)
{
    bool down = ev.Kind == TInputEvent::ieKeyDown;
    int vk = ev.Vk & 0xFF;
    bool wasDown = (m.KeyState[vk] & 0x80) != 0;
    bool isAlt = vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU;
    bool altWasDown = (m.KeyState[VK_MENU] & 0x80) != 0;
    bool alone = false;
    if (down) {
        if (isAlt && !altWasDown)
            m.AltAlone = true;
        else if (!isAlt)
            m.AltAlone = false;
    } else if (isAlt) {
        alone = m.AltAlone;
        m.AltAlone = false;
    }
    SetKey(m, vk, down);
    bool alt = isAlt ? true : (m.KeyState[VK_MENU] & 0x80) != 0;
    bool ctrl = (m.KeyState[VK_CONTROL] & 0x80) != 0;
    bool sys = (alt && !ctrl) || vk == VK_F10;
    HWND target = m.FocusWnd;
    if (!m.Alive(target)) {
        target = m.ActiveWnd;
        sys = true;             // with no focus the active window gets system keys
    }
    if (!m.Alive(target))
        return;
    LPARAM lp = 1;
    if (down && !ev.Text.empty()) {
        int ticket = m.NextKeyTicket;
        m.NextKeyTicket = m.NextKeyTicket % 255 + 1;
        m.KeyTexts[ticket] = ev.Text;
        lp |= LPARAM(ticket) << 16;
    }
    if (alt && !(isAlt && down && !altWasDown))
        lp |= KF_ALTDOWN_BIT;
    if (isAlt && down)
        lp |= KF_ALTDOWN_BIT;
    if (down ? wasDown : true)
        lp |= KF_REPEAT_BIT;
    if (!down)
        lp |= KF_UP_BIT;
    if (alone)
        lp |= KF_ALONE_BIT;
    TMsg msg;
    msg.hwnd = target;
    msg.message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    msg.wParam = WPARAM(vk);
    msg.lParam = lp;
    msg.time = ev.Time;
    msg.pt = m.CursorPos;
    m.Cooked.push_back(msg);
}

bool InRange(UINT msg, UINT first, UINT last)
{
    return (first == 0 && last == 0) || (msg >= first && msg <= last);
}

} // namespace

// ---------------------------------------------------------------- manager

void TWindowManager::PushInput(TInputEvent ev)
{
    ev.Time = Now();
    {
        std::lock_guard<std::mutex> lock(QueueLock);
        InputQueue.push_back(std::move(ev));
    }
    Wake();
}

bool TWindowManager::TakeInput(TMsg& msg, HWND filter, UINT first, UINT last, bool remove)
{
    for (;;) {
        if (!Cooked.empty()) {
            const TMsg& front = Cooked.front();
            if ((filter && front.hwnd != filter) || !InRange(front.message, first, last))
                return false;
            msg = front;
            if (remove)
                Cooked.pop_front();
            return true;
        }
        TInputEvent ev;
        {
            std::lock_guard<std::mutex> lock(QueueLock);
            if (InputQueue.empty())
                return false;
            ev = std::move(InputQueue.front());
            InputQueue.pop_front();
        }
        switch (ev.Kind) {
        case TInputEvent::ieMove: CookMove(*this, ev); break;
        case TInputEvent::ieButtonDown:
        case TInputEvent::ieButtonUp: CookButton(*this, ev); break;
        case TInputEvent::ieWheel: CookWheel(*this, ev); break;
        case TInputEvent::ieKeyDown:
        case TInputEvent::ieKeyUp: CookKey(*this, ev); break;
        }
    }
}

HWND TWindowManager::HitWindow(TPoint screen, int& hit)
{
    hit = HTNOWHERE;
    std::vector<HWND> tops = TopLevels;
    for (HWND h : tops) {
        TWindowRecord* w = Alive(h);
        if (!w || !IsShown(w))
            continue;
        if ((w->ExStyle & WS_EX_LAYERED) && (w->ExStyle & WS_EX_TRANSPARENT))
            continue;           // click-through layers (glow, shadows)
        if (!w->Rect.Contains(screen))
            continue;
        if (w->Shape && !w->Shape->Contains(TPoint{screen.X - w->Rect.Left, screen.Y - w->Rect.Top}))
            continue;
        if (HWND found = Descend(*this, w, screen, hit))
            return found;
    }
    hit = HTNOWHERE;
    return nullptr;
}

void TWindowManager::SetHover(HWND h)
{
    if (h == HoverWnd)
        return;
    HWND old = HoverWnd;
    HoverWnd = h;
    if (Alive(old)) {
        Send(old, CM_MOUSELEAVE);
        if (TrackLeaveWnd == old) {
            TrackLeaveWnd = nullptr;
            Send(old, WM_MOUSELEAVE);
        }
    }
    if (h && HoverWnd == h && Alive(h))
        Send(h, CM_MOUSEENTER);
}

// --------------------------------------------------------------- injection

void InjectMouseMove(TPoint screen)
{
    TInputEvent ev;
    ev.Kind = TInputEvent::ieMove;
    ev.Pt = screen;
    WM().PushInput(std::move(ev));
}

void InjectMouseButton(int button, bool down, TPoint screen)
{
    TInputEvent ev;
    ev.Kind = down ? TInputEvent::ieButtonDown : TInputEvent::ieButtonUp;
    ev.Pt = screen;
    ev.Button = button;
    WM().PushInput(std::move(ev));
}

void InjectMouseWheel(int delta, TPoint screen)
{
    TInputEvent ev;
    ev.Kind = TInputEvent::ieWheel;
    ev.Pt = screen;
    ev.Delta = delta;
    WM().PushInput(std::move(ev));
}

void InjectKey(int vk, bool down, const std::string& text)
{
    TInputEvent ev;
    ev.Kind = down ? TInputEvent::ieKeyDown : TInputEvent::ieKeyUp;
    ev.Vk = vk;
    ev.Text = text;
    WM().PushInput(std::move(ev));
}

// ----------------------------------------------------------------- capture

HWND SetCapture(HWND hwnd)
{
    auto& m = WM();
    if (!m.Alive(hwnd))
        return nullptr;
    HWND old = m.CaptureWnd;
    m.CaptureWnd = hwnd;
    m.Backend().CaptureChanged(true);
    if (old && old != hwnd && m.Alive(old))
        m.Send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

bool ReleaseCapture()
{
    auto& m = WM();
    HWND old = m.CaptureWnd;
    if (!old)
        return true;
    m.CaptureWnd = nullptr;
    m.Backend().CaptureChanged(false);
    if (m.Alive(old))
        m.Send(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture()
{
    return WM().CaptureWnd;
}

// --------------------------------------------------------- cursor and keys

bool GetCursorPos(TPoint& point)
{
    point = WM().CursorPos;
    return true;
}

bool SetCursorPos(int x, int y)
{
    WM().CursorPos = TPoint{x, y};
    InjectMouseMove(TPoint{x, y});
    return true;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    auto& m = WM();
    HCURSOR old = m.CursorShape;
    m.CursorShape = cursor;
    if (old != cursor)
        m.Backend().SetCursorShape(cursor);
    return old;
}

HCURSOR GetCursor()
{
    return WM().CursorShape;
}

short GetAsyncKeyState(int vk)
{
    return (WM().KeyState[vk & 0xFF] & 0x80) ? short(0x8000) : short(0);
}

short GetKeyState(int vk)
{
    BYTE s = WM().KeyState[vk & 0xFF];
    return short(((s & 0x80) ? 0x8000 : 0) | (s & 1));
}

UINT GetDoubleClickTime()
{
    return DoubleClickTime;
}

bool TrackMouseEvent(TRACKMOUSEEVENT& tme)
{
    auto& m = WM();
    if (tme.dwFlags & TME_CANCEL) {
        if (m.TrackLeaveWnd == tme.hwndTrack)
            m.TrackLeaveWnd = nullptr;
        return true;
    }
    if (!(tme.dwFlags & TME_LEAVE) || !m.Alive(tme.hwndTrack))
        return false;
    if (m.HoverWnd != tme.hwndTrack)
        m.Post(tme.hwndTrack, WM_MOUSELEAVE, 0, 0);
    else
        m.TrackLeaveWnd = tme.hwndTrack;
    return true;
}
