#include <algorithm>
#include <unordered_map>
#include "platform/core/Exception.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/ControlHooks.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/Reflect.h"
#include "platform/ui/forms/Forms.h"

namespace {

std::unordered_map<HWND, TWinControl*>& HandleMap()
{
    static std::unordered_map<HWND, TWinControl*> map;
    return map;
}

void EnsureClass(const TCreateParams& p)
{
    WNDCLASS wc;
    if (GetClassInfo(p.WinClassName, wc) && wc.style == p.WindowClassStyle)
        return;
    UnregisterClass(p.WinClassName);
    wc = WNDCLASS{};
    wc.lpszClassName = p.WinClassName;
    wc.style = p.WindowClassStyle;
    wc.lpfnWndProc = &DefWindowProc;
    wc.hbrBackground = clNone;     // the control erases with its own colour
    RegisterClass(wc);
}

}  // namespace

TWinControl* TWinControl::FindControl(HWND h)
{
    auto it = HandleMap().find(h);
    return it == HandleMap().end() ? nullptr : it->second;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner)
{
}

TWinControl::~TWinControl()
{
    Destroying();
    if (TCustomForm* form = GetParentForm(); form && form != static_cast<TControl*>(this))
        form->DefocusControl(this, true);
    // Leave the parent's tab order now: by the time the base destructor
    // removes the control from its parent, it is no windowed control any more.
    if (FParent)
        std::erase(FParent->FTabList, this);
    // Children go first, while this control is still whole.
    while (!FControls.empty())
        delete FControls.back();
    DestroyHandle();
}

void TWinControl::CreateParams(TCreateParams& p)
{
    p.Caption = FText;
    p.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (FTabStop)
        p.Style |= WS_TABSTOP;
    if (!FEnabled)
        p.Style |= WS_DISABLED;
    p.X = FLeft;
    p.Y = FTop;
    p.Width = FWidth;
    p.Height = FHeight;
    p.WndParent = FParent ? FParent->Handle() : nullptr;
    p.WinClassName = ClassName();
}

HWND TWinControl::Handle()
{
    if (!FHandle)
        CreateHandle();
    if (!FHandle)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    return FHandle;
}

void TWinControl::CreateHandle()
{
    if (FHandle || ComponentState().Contains(csDestroying))
        return;
    CreateWnd();
    if (!FHandle)
        return;
    // Windowed children follow, stacked as the child list says.
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c))
            w->CreateHandle();
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->FHandle)
            SetWindowPos(w->FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FLastClient = TSize{-1, -1};
    if (!IsLoading())
        Realign();
}

void TWinControl::CreateWnd()
{
    TCreateParams p;
    CreateParams(p);
    // Asking for the parent's window can make this one as the parent's
    // child: a second window would be left without its control.
    if (FHandle)
        return;
    if ((p.Style & WS_CHILD) && !p.WndParent)
        return;
    if (FVisible && (p.Style & WS_CHILD))
        p.Style |= WS_VISIBLE;
    else
        p.Style &= ~WS_VISIBLE;
    EnsureClass(p);
    FDefWndProc = &DefWindowProc;
    TWndProc proc = [this](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (!FHandle) {
            FHandle = h;
            HandleMap()[h] = this;
        }
        if (ComponentState().Contains(csDestroying) && msg != WM_NCDESTROY)
            return DefWindowProc(h, msg, wp, lp);
        TMessage m{msg, wp, lp, 0};
        try {
            if (msg == WM_NCDESTROY)
                TWinControl::WndProc(m);
            else
                WindowProc(m);
        } catch (...) {
            // A handler's exception ends at its message: the application shows it.
            HandleEscapedException();
        }
        return m.Result;
    };
    CreateWindowEx(p.ExStyle, p.WinClassName, p.Caption, p.Style, p.X, p.Y, p.Width, p.Height, p.WndParent, 0,
                   nullptr, proc);
    if (FHandle)
        ReadBackBounds();
}

void TWinControl::DestroyWnd()
{
    if (FHandle)
        DestroyWindow(FHandle);
}

void TWinControl::DestroyHandle()
{
    if (!FHandle)
        return;
    FControlState.Include(csDestroyingHandle);
    DestroyWnd();
    FControlState.Exclude(csDestroyingHandle);
    if (FHandle) {
        HandleMap().erase(FHandle);
        FHandle = nullptr;
    }
}

void TWinControl::RecreateWnd()
{
    if (!FHandle)
        return;
    bool hadFocus = Focused();
    DestroyHandle();
    CreateHandle();
    if (hadFocus && FHandle)
        ::SetFocus(FHandle);
}

void TWinControl::UpdateStyle(DWORD add, DWORD remove)
{
    if (!FHandle)
        return;
    DWORD s = DWORD(GetWindowLong(FHandle, GWL_STYLE));
    SetWindowLong(FHandle, GWL_STYLE, LONG_PTR((s | add) & ~remove));
}

void TWinControl::ReadBackBounds()
{
    TRect r;
    GetWindowRect(FHandle, r);
    if (FParent && (GetWindowLong(FHandle, GWL_STYLE) & WS_CHILD)) {
        TPoint o{0, 0};
        ::ClientToScreen(FParent->FHandle, o);
        r.Offset(-o.X, -o.Y);
    }
    bool resized = r.Width() != FWidth || r.Height() != FHeight;
    FLeft = r.Left;
    FTop = r.Top;
    FWidth = r.Width();
    FHeight = r.Height();
    if (resized) {
        Realign();
        if (!IsLoading())
            Resize();
    }
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    ApplyConstraints(AWidth, AHeight);
    if (!CanResize(AWidth, AHeight)) {
        AWidth = FWidth;
        AHeight = FHeight;
    }
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    if (FHandle) {
        FInBoundsUpdate = true;
        SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        FInBoundsUpdate = false;
        ReadBackBounds();
    } else {
        bool resized = AWidth != FWidth || AHeight != FHeight;
        FLeft = ALeft;
        FTop = ATop;
        FWidth = AWidth;
        FHeight = AHeight;
        if (resized) {
            Realign();
            if (!IsLoading())
                Resize();
        }
    }
    RequestAlign();
}

TRect TWinControl::ClientRect() const
{
    if (FHandle) {
        TRect r;
        GetClientRect(FHandle, r);
        return r;
    }
    TCreateParams p;
    const_cast<TWinControl*>(this)->CreateParams(p);
    TRect window{0, 0, FWidth, FHeight};
    TWindowRecord rec;
    rec.Style = p.Style;
    rec.ExStyle = p.ExStyle;
    TRect r = DefaultClientRect(rec, window);
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return TRect{0, 0, r.Width(), r.Height()};
}

TPoint TWinControl::ClientOrigin() const
{
    if (FHandle) {
        TPoint p{0, 0};
        ::ClientToScreen(FHandle, p);
        return p;
    }
    return TControl::ClientOrigin();
}

bool TWinControl::Showing() const
{
    return FHandle && IsWindowVisible(FHandle);
}

void TWinControl::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    if (!value)
        if (TCustomForm* form = GetParentForm(); form && form != static_cast<TControl*>(this))
            form->DefocusControl(this, false);
    TControl::SetEnabled(value);
    if (FHandle)
        EnableWindow(FHandle, value);
}

// ------------------------------------------------------------- child list

void TWinControl::InsertControl(TControl* c)
{
    c->FParent = this;
    FControls.push_back(c);
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
        FTabList.push_back(w);
        if (FHandle)
            w->CreateHandle();
    } else {
        c->Invalidate();
    }
    if (c->Align() != alNone && !IsLoading())
        Realign();
    Perform(CM_CONTROLLISTCHANGE, WPARAM(c), 1);
}

void TWinControl::RemoveControl(TControl* c)
{
    Perform(CM_CONTROLLISTCHANGE, WPARAM(c), 0);
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
        if (TCustomForm* form = GetParentForm())
            form->DefocusControl(w, true);
        w->DestroyHandle();
    } else {
        c->Invalidate();
    }
    // Compared as controls: from ~TControl the windowed part is gone, so the cast
    // above no longer finds it, yet the tab list must not keep it.
    FTabList.erase(std::remove_if(FTabList.begin(), FTabList.end(),
                                  [c](TWinControl* w) { return static_cast<TControl*>(w) == c; }),
                   FTabList.end());
    if (FMouseControl == c)
        FMouseControl = nullptr;
    FControls.erase(std::remove(FControls.begin(), FControls.end(), c), FControls.end());
    c->FParent = nullptr;
    if (c->Align() != alNone && !ComponentState().Contains(csDestroying))
        Realign();
}

bool TWinControl::ContainsControl(const TControl* c) const
{
    while (c && c != this)
        c = c->Parent();
    return c == this;
}

void TWinControl::SetZOrderOf(TControl* c, bool top)
{
    auto it = std::find(FControls.begin(), FControls.end(), c);
    if (it == FControls.end())
        return;
    FControls.erase(it);
    if (top)
        FControls.push_back(c);
    else
        FControls.insert(FControls.begin(), c);
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->FHandle)
        SetWindowPos(w->FHandle, top ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    c->Invalidate();
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if (windowed && !allowWinControls)
            continue;
        if (!c->Visible() || (!c->Enabled() && !allowDisabled))
            continue;
        if (!c->BoundsRect().Contains(p))
            continue;
        TPoint local{p.X - c->Left(), p.Y - c->Top()};
        if (c->Perform(CM_HITTEST, 0, PointToLParam(local)) == 0)
            continue;
        return c;
    }
    return nullptr;
}

// --------------------------------------------------------------- alignment

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0 && --FAlignLevel == 0)
        Realign();
}

void TWinControl::Realign()
{
    if (FAlignLevel > 0 || IsLoading() || FAligning || ComponentState().Contains(csDestroying))
        return;
    TRect r = ClientRect();
    FAligning = true;
    AlignControls(nullptr, r);
    FAligning = false;
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    Realign();
}

void TWinControl::RequestAlign()
{
    TControl::RequestAlign();
}

void TWinControl::AdjustClientRect(TRect& r)
{
    r.Inflate(-FBorderWidth, -FBorderWidth);
}

void TWinControl::UpdateAnchorRules(TSize oldClient)
{
    TRect now = ClientRect();
    if (oldClient.cx < 0) {
        FLastClient = TSize{now.Width(), now.Height()};
        return;
    }
    int dx = now.Width() - oldClient.cx;
    int dy = now.Height() - oldClient.cy;
    FLastClient = TSize{now.Width(), now.Height()};
    if (dx == 0 && dy == 0)
        return;
    for (TControl* c : std::vector<TControl*>(FControls)) {
        if (c->Align() != alNone)
            continue;
        TAnchors a = c->Anchors();
        TRect b = c->BoundsRect();
        if (a.Contains(akRight)) {
            if (a.Contains(akLeft))
                b.Right += dx;
            else
                b.Offset(dx, 0);
        } else if (!a.Contains(akLeft)) {
            b.Offset(dx / 2, 0);      // anchored to neither side: keeps its place in the middle
        }
        if (a.Contains(akBottom)) {
            if (a.Contains(akTop))
                b.Bottom += dy;
            else
                b.Offset(0, dy);
        } else if (!a.Contains(akTop)) {
            b.Offset(0, dy / 2);
        }
        if (!(b == c->BoundsRect()))
            c->SetBounds(b.Left, b.Top, b.Width(), b.Height());
    }
}

void TWinControl::AlignControls(TControl* AControl, TRect& r)
{
    UpdateAnchorRules(FLastClient);
    AdjustClientRect(r);
    const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign align : order) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->Align() == align && c->Visible())
                list.push_back(c);
        // Stored position decides the order within one side; the control
        // being moved wins a tie.
        auto key = [align](TControl* c) {
            switch (align) {
            case alTop: return c->Top();
            case alBottom: return -(c->Top() + c->Height());
            case alLeft: return c->Left();
            case alRight: return -(c->Left() + c->Width());
            default: return 0;
            }
        };
        std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) {
            int ka = key(a), kb = key(b);
            if (ka != kb)
                return ka < kb;
            return a == AControl && b != AControl;
        });
        for (TControl* c : list) {
            int w = c->Width(), h = c->Height();
            TRect nb;
            switch (align) {
            case alTop:
                w = r.Width();
                c->ApplyConstraints(w, h);
                nb = Bounds(r.Left, r.Top, w, h);
                r.Top += h;
                break;
            case alBottom:
                w = r.Width();
                c->ApplyConstraints(w, h);
                nb = Bounds(r.Left, r.Bottom - h, w, h);
                r.Bottom -= h;
                break;
            case alLeft:
                h = r.Height();
                c->ApplyConstraints(w, h);
                nb = Bounds(r.Left, r.Top, w, h);
                r.Left += w;
                break;
            case alRight:
                h = r.Height();
                c->ApplyConstraints(w, h);
                nb = Bounds(r.Right - w, r.Top, w, h);
                r.Right -= w;
                break;
            default:
                w = std::max(0, r.Width());
                h = std::max(0, r.Height());
                c->ApplyConstraints(w, h);
                nb = Bounds(r.Left, r.Top, w, h);
                break;
            }
            c->SetBounds(nb.Left, nb.Top, nb.Width(), nb.Height());
        }
    }
}

void TWinControl::ChildAligned(TControl*)
{
    Realign();
}

void TWinControl::ScrollBy(int dx, int dy)
{
    DisableAlign();
    for (TControl* c : FControls) {
        TRect b = c->BoundsRect();
        b.Offset(dx, dy);
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->FHandle)
            w->SetBounds(b.Left, b.Top, b.Width(), b.Height());
        else
            c->UpdateBoundsRect(b);
    }
    --FAlignLevel;
    Invalidate();
}

// ------------------------------------------------------------ focus and tabs

void TWinControl::SetTabStop(bool value)
{
    if (value == FTabStop)
        return;
    FTabStop = value;
    if (value)
        UpdateStyle(WS_TABSTOP, 0);
    else
        UpdateStyle(0, WS_TABSTOP);
    Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const
{
    if (!FParent)
        return -1;
    const auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    if (!FParent)
        return;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    value = std::clamp(value, 0, int(list.size()));
    list.insert(list.begin() + value, this);
}

std::vector<TWinControl*> TWinControl::GetTabOrderList() const
{
    std::vector<TWinControl*> out;
    for (TWinControl* w : FTabList) {
        out.push_back(w);
        std::vector<TWinControl*> inner = w->GetTabOrderList();
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const
{
    std::vector<TWinControl*> list = GetTabOrderList();
    if (list.empty())
        return nullptr;
    int n = int(list.size());
    int start = int(std::find(list.begin(), list.end(), current) - list.begin());
    if (start >= n)
        start = goForward ? n - 1 : 0;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = goForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[size_t(i)];
        if (c == current)
            break;
        if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) && c->CanFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

bool TWinControl::CanFocus() const
{
    const TCustomForm* form = GetParentForm();
    if (!form)
        return FVisible && FEnabled;
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return c == form && c->Enabled();     // the form itself may still be hidden
    return true;
}

bool TWinControl::Focused() const
{
    return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus()
{
    TCustomForm* form = GetParentForm();
    if (form && form != static_cast<TControl*>(this)) {
        form->FocusControl(this);
        return;
    }
    ::SetFocus(Handle());
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

// ------------------------------------------------------------------- keys

void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char32_t& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

bool TWinControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled || WheelDelta == 0)
        return handled;
    return WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
}

bool TWinControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TWinControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

bool TWinControl::DoKeyDown(TMessage& m)
{
    WORD key = WORD(m.WParam);
    TShiftState shift = KeyboardStateToShiftState();
    TCustomForm* form = GetParentForm();
    if (form && form != static_cast<TControl*>(this) && form->KeyPreview()) {
        form->KeyDown(key, shift);
        if (key == 0)
            return true;
    }
    KeyDown(key, shift);
    return key == 0;
}

// ------------------------------------------------------------------ painting

void TWinControl::Invalidate()
{
    if (FHandle)
        InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update()
{
    if (FHandle)
        UpdateWindow(FHandle);
}

void TWinControl::PaintWindow(HDC)
{
}

void TWinControl::PaintControls(HDC dc, TControl* first)
{
    auto it = std::find(FControls.begin(), FControls.end(), first);
    if (!first)
        it = FControls.begin();
    for (; it != FControls.end(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->IsVisibleForPaint())
            continue;
        TRect b = c->BoundsRect();
        if (!dc->RectVisible(b))
            continue;
        TSavedDC saved(dc);
        dc->OffsetViewportOrg(b.Left, b.Top);
        dc->IntersectClipRect(TRect{0, 0, b.Width(), b.Height()});
        c->Perform(WM_PAINT, WPARAM(dc), 0);
    }
}

void TWinControl::PaintHandler(TMessage& m)
{
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PAINTSTRUCT ps;
    if (!dc)
        dc = BeginPaint(FHandle, ps);
    // The paint ends also when a paint handler throws.
    struct TPaintEnd {
        HWND Wnd;
        const PAINTSTRUCT* Ps;
        ~TPaintEnd()
        {
            if (Ps)
                EndPaint(Wnd, *Ps);
        }
    } end{FHandle, m.WParam ? nullptr : &ps};
    if (dc) {
        {
            TSavedDC saved(dc);
            PaintWindow(dc);
        }
        PaintControls(dc, nullptr);
    }
}

void TWinControl::PaintTo(HDC dc, int x, int y)
{
    FControlState.Include(csPaintCopy);
    try {
        TSavedDC saved(dc);
        dc->OffsetViewportOrg(x, y);
        dc->IntersectClipRect(TRect{0, 0, FWidth, FHeight});
        Perform(WM_ERASEBKGND, WPARAM(dc), 0);
        Perform(WM_PAINT, WPARAM(dc), 0);
        for (TControl* c : FControls)
            if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Visible())
                w->PaintTo(dc, w->Left(), w->Top());
    } catch (...) {
        FControlState.Exclude(csPaintCopy);
        throw;
    }
    FControlState.Exclude(csPaintCopy);
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    for (TControl* c : FControls)
        c->Perform(CM_PARENTFONTCHANGED);
}

// --------------------------------------------------------------- the mouse

void TWinControl::TrackMouseControl(TPoint clientPt)
{
    TControl* now = ControlAtPos(clientPt, false);
    if (now == FMouseControl)
        return;
    TControl* old = FMouseControl;
    FMouseControl = now;
    if (old)
        old->Perform(CM_MOUSELEAVE);
    if (now)
        now->Perform(CM_MOUSEENTER);
}

// Mouse messages go to the windowless child under the mouse (or holding the
// capture) in its own coordinates; the rest are ours.
void TWinControl::RouteMouse(TMessage& m)
{
    TPoint p = LParamToPoint(m.LParam);
    if (m.Msg == WM_MOUSEMOVE)
        TrackMouseControl(p);
    TControl* target = GetCaptureControl();
    if (target && target->Parent() != this)
        target = nullptr;
    if (!target && GetCapture() != FHandle)
        target = ControlAtPos(p, false);
    else if (!target && GetCapture() == FHandle && !(LOWORD(m.WParam) & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) &&
             m.Msg == WM_MOUSEMOVE)
        target = ControlAtPos(p, false);
    if (target) {
        TMessage fwd = m;
        if (fwd.Msg == WM_LBUTTONDBLCLK && !target->ControlStyle().Contains(csDoubleClicks))
            fwd.Msg = WM_LBUTTONDOWN;
        fwd.LParam = PointToLParam(TPoint{p.X - target->Left(), p.Y - target->Top()});
        target->WindowProc(fwd);
        m.Result = fwd.Result;
        return;
    }
    if (m.Msg == WM_LBUTTONDBLCLK && !FControlStyle.Contains(csDoubleClicks))
        m.Msg = WM_LBUTTONDOWN;
    HandleMouse(m);
    if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP)
        m.Result = 0;
}

// ------------------------------------------------------------- the procedure

void TWinControl::WndProc(TMessage& m)
{
    if (ReflectNotification(m))
        return;
    switch (m.Msg) {
    case WM_NCDESTROY: WMNCDestroy(m); return;
    case WM_PAINT: PaintHandler(m); return;
    case WM_ERASEBKGND: WMEraseBkgnd(m); return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); return;
    case WM_SIZE: WMSize(m); return;
    case WM_SETFOCUS: WMSetFocus(m); return;
    case WM_KILLFOCUS: DefaultHandler(m); return;
    case WM_SETCURSOR: WMSetCursor(m); return;
    case WM_MOUSEWHEEL: WMMouseWheel(m); return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: WMKeyDown(m); return;
    case WM_KEYUP:
    case WM_SYSKEYUP: WMKeyUp(m); return;
    case WM_CHAR: WMChar(m); return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: CNKeyDown(m); return;
    case CN_CHAR:
    case CN_SYSCHAR: CNChar(m); return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR: CMDialogKey(m); return;
    case CM_FOCUSCHANGED: CMFocusChanged(m); return;
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    case CM_COLORCHANGED: CMColorChanged(m); return;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(m); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); return;
    case WM_SETTEXT: WMSetText(m); return;
    case CM_TEXTCHANGED: CMTextChanged(m); return;
    case WM_CONTEXTMENU: WMContextMenu(m); return;
    case CM_MOUSELEAVE: CMMouseLeave(m); return;
    default: break;
    }
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK) {
        RouteMouse(m);
        if (m.Msg != WM_MOUSEMOVE)
            DefaultHandler(m);
        return;
    }
    TControl::WndProc(m);
}

// ------------------------------------------------------ the procedure's handlers

void TWinControl::WMNCDestroy(TMessage& m)
{
    DefaultHandler(m);
    HandleMap().erase(FHandle);
    FHandle = nullptr;
    FMouseControl = nullptr;
}

void TWinControl::WMEraseBkgnd(TMessage& m)
{
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (dc && !FControlStyle.Contains(csOpaque)) {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Brush().SetColor(FColor);
        canvas.FillRect(ClientRect());
    }
    m.Result = 1;
}

void TWinControl::WMWindowPosChanged(TMessage& m)
{
    DefaultHandler(m);
    if (!FInBoundsUpdate && FHandle)
        ReadBackBounds();
}

void TWinControl::WMSize(TMessage& m)
{
    DefaultHandler(m);
    if (FHandle && !FInBoundsUpdate) {
        TRect c = ClientRect();
        if (c.Width() != FLastClient.cx || c.Height() != FLastClient.cy)
            Realign();
    }
}

void TWinControl::WMSetFocus(TMessage& m)
{
    if (TCustomForm* form = GetParentForm(); form && form != static_cast<TControl*>(this))
        if (!form->SetFocusedControl(this))
            return;
    DefaultHandler(m);
}

void TWinControl::WMSetCursor(TMessage& m)
{
    if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == FHandle) {
        TCursor cur = ControlHooks().ScreenCursor ? ControlHooks().ScreenCursor() : crDefault;
        if (cur == crDefault) {
            TPoint p;
            GetCursorPos(p);
            TControl* c = ControlAtPos(ScreenToClient(p), false);
            cur = c ? c->Cursor() : FCursor;
        }
        if (cur != crDefault) {
            ::SetCursor(CursorShape(cur));
            m.Result = 1;
            return;
        }
    }
    DefaultHandler(m);
}

void TWinControl::WMMouseWheel(TMessage& m)
{
    TPoint p = LParamToPoint(m.LParam);
    if (DoMouseWheel(KeysToShiftState(LOWORD(m.WParam)), GET_WHEEL_DELTA_WPARAM(m.WParam), p)) {
        m.Result = 1;
        return;
    }
    DefaultHandler(m);
}

void TWinControl::WMKeyDown(TMessage& m)
{
    if (DoKeyDown(m))
        return;
    DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m)
{
    WORD key = WORD(m.WParam);
    KeyUp(key, KeyboardStateToShiftState());
    if (key)
        DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m)
{
    char32_t ch = char32_t(m.WParam);
    TCustomForm* form = GetParentForm();
    if (form && form != static_cast<TControl*>(this) && form->KeyPreview()) {
        form->KeyPress(ch);
        if (ch == 0)
            return;
    }
    KeyPress(ch);
    if (ch == 0)
        return;
    m.WParam = WPARAM(ch);
    DefaultHandler(m);
}

void TWinControl::CNKeyDown(TMessage& m)
{
    m.Result = 1;
    TCustomForm* form = GetParentForm();
    TMessage key{m.Msg == CN_KEYDOWN ? WM_KEYDOWN : WM_SYSKEYDOWN, m.WParam, m.LParam, 0};
    for (TControl* c = this; c; c = c->Parent())
        if (c->PopupMenu() && c->PopupMenu()->IsShortCut(key))
            return;
    if (form && form->IsShortCut(key))
        return;
    if (Perform(CM_CHILDKEY, m.WParam, LPARAM(this)))
        return;
    LRESULT mask = 0;
    switch (int(m.WParam)) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
    }
    if (mask && !Perform(CM_WANTSPECIALKEY, m.WParam) && !(Perform(WM_GETDLGCODE) & mask) && form &&
        form->Perform(CM_DIALOGKEY, m.WParam, m.LParam))
        return;
    m.Result = 0;
}

void TWinControl::CNChar(TMessage& m)
{
    // Accelerators: Alt+letter anywhere, a plain letter where the focused control takes no characters.
    m.Result = 0;
    TCustomForm* form = GetParentForm();
    bool alt = m.Msg == CN_SYSCHAR;
    if (form && (alt || !(Perform(WM_GETDLGCODE) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))))
        m.Result = form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
}

void TWinControl::CMDialogKey(TMessage& m)
{
    // Offered to every child until one takes it.
    for (TControl* c : std::vector<TControl*>(FControls)) {
        if (!c->Visible())
            continue;
        if (LRESULT r = c->Perform(m.Msg, m.WParam, m.LParam)) {
            m.Result = r;
            return;
        }
    }
}

void TWinControl::CMFocusChanged(TMessage& m)
{
    for (TControl* c : std::vector<TControl*>(FControls))
        c->Perform(m.Msg, m.WParam, m.LParam);
}

void TWinControl::CMColorChanged(TMessage&)
{
    Invalidate();
    for (TControl* c : FControls)
        c->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMShowHintChanged(TMessage&)
{
    for (TControl* c : FControls)
        c->Perform(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::CMEnabledChanged(TMessage&)
{
    if (FHandle)
        EnableWindow(FHandle, FEnabled);
    Invalidate();
}

void TWinControl::CMVisibleChanged(TMessage&)
{
    if (!FVisible)
        if (TCustomForm* form = GetParentForm(); form && form != static_cast<TControl*>(this))
            form->DefocusControl(this, false);
    if (FHandle)
        ShowWindow(FHandle, FVisible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::WMSetText(TMessage& m)
{
    // Text set on the window from outside becomes the control's text too.
    DefaultHandler(m);
    std::string text = m.LParam ? reinterpret_cast<const char*>(m.LParam) : "";
    if (text != FText) {
        FText = text;
        Perform(CM_TEXTCHANGED);
    }
}

void TWinControl::CMTextChanged(TMessage& m)
{
    if (FHandle && GetWindowText(FHandle) != FText)
        SetWindowText(FHandle, FText);
    TControl::WndProc(m);
}

void TWinControl::WMContextMenu(TMessage& m)
{
    // A windowless child with a menu of its own takes it first.
    TPoint p = LParamToPoint(m.LParam);
    if (!(p.X == -1 && p.Y == -1))
        if (TControl* c = ControlAtPos(ScreenToClient(p), false); c && c->PopupMenu()) {
            m.Result = c->Perform(m.Msg, m.WParam, m.LParam);
            return;
        }
    TControl::WndProc(m);
}

void TWinControl::CMMouseLeave(TMessage& m)
{
    if (m.LParam == 0 && FMouseControl) {
        TControl* old = FMouseControl;
        FMouseControl = nullptr;
        old->Perform(CM_MOUSELEAVE);
    }
    TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage& m)
{
    if (!FHandle) {
        TControl::DefaultHandler(m);
        return;
    }
    m.Result = CallWindowProc(FDefWndProc, FHandle, m.Msg, m.WParam, m.LParam);
}

// ------------------------------------------------------------ TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>())
{
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc)
{
    FCanvas->Lock();
    FCanvas->SetHandle(dc);
    FCanvas->Font().Assign(FFont);
    FCanvas->Brush().SetColor(FColor);
    Paint();
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
}
