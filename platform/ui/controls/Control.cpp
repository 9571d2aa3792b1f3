#include <algorithm>
#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Text.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/Input.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ActnList.h"
#include "platform/ui/controls/ControlHooks.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/forms/Forms.h"

namespace {

TControl* GCaptureControl = nullptr;

}  // namespace

TControlHooks& ControlHooks()
{
    static TControlHooks hooks;
    return hooks;
}

HCURSOR CursorShape(TCursor cursor)
{
    switch (cursor) {
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS:
    case crVSplit: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE:
    case crHSplit: return IDC_SIZEWE;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass: return IDC_WAIT;
    case crNoDrop: return IDC_NO;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
    default: return IDC_ARROW;
    }
}

TShiftState KeyboardStateToShiftState()
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TShiftState KeysToShiftState(WORD keys)
{
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(ssShift);
    if (keys & MK_CONTROL) s.Include(ssCtrl);
    if (keys & MK_LBUTTON) s.Include(ssLeft);
    if (keys & MK_RBUTTON) s.Include(ssRight);
    if (keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

bool IsAccel(char32_t key, const std::string& caption)
{
    std::u32string text = DecodeUtf8(caption);
    auto lower = [](char32_t c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != U'&')
            continue;
        if (text[i + 1] == U'&') {
            ++i;
            continue;
        }
        return lower(text[i + 1]) == lower(key);
    }
    return false;
}

std::string GetShortHint(const std::string& hint)
{
    size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint)
{
    size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

TControl* GetCaptureControl()
{
    return GCaptureControl;
}

void SetCaptureControl(TControl* c)
{
    GCaptureControl = nullptr;
    if (!c) {
        ReleaseCapture();
        return;
    }
    auto* win = dynamic_cast<TWinControl*>(c);
    TWinControl* owner = win ? win : c->Parent();
    if (!owner)
        return;
    SetCapture(owner->Handle());
    if (!win)
        GCaptureControl = c;   // a windowless control: its parent holds the capture for it
}

TControl* FindDragTarget(TPoint screen, bool allowDisabled)
{
    HWND h = WindowFromPoint(screen);
    TWinControl* win = nullptr;
    while (h && !(win = TWinControl::FindControl(h)))
        h = GetParent(h);
    if (!win)
        return nullptr;
    TControl* c = win->ControlAtPos(win->ScreenToClient(screen), allowDisabled);
    return c ? c : win;
}

// ------------------------------------------------------------------ TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner)
{
    if (AOwner && AOwner->ComponentState().Contains(csLoading))
        Loading();
    WindowProc = [this](TMessage& m) { WndProc(m); };
    FFont.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    Destroying();
    FActionLink.reset();
    if (GCaptureControl == this)
        GCaptureControl = nullptr;
    ForgetDragControl(this);
    if (ControlHooks().ControlDestroyed)
        ControlHooks().ControlDestroyed(this);
    if (FParent)
        FParent->RemoveControl(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (FParent && FParentFont)
        ParentFontChanged();
    AdjustBounds();
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent)
        return;
    if (AParent == this)
        throw EInvalidOperation("A control cannot be its own parent");
    if (FParent)
        FParent->RemoveControl(this);
    if (AParent) {
        AParent->InsertControl(this);
        if (FParentFont)
            ParentFontChanged();
        if (FParentColor)
            ParentColorChanged();
        if (FParentBiDiMode)
            Perform(CM_PARENTBIDIMODECHANGED);
        if (FParentCtl3D)
            Perform(CM_PARENTCTL3DCHANGED);
    }
}

void TControl::SetBiDiMode(TBiDiMode value)
{
    FParentBiDiMode = false;
    if (value == FBiDiMode)
        return;
    FBiDiMode = value;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool value)
{
    FParentBiDiMode = value;
    if (value)
        Perform(CM_PARENTBIDIMODECHANGED);
}

unsigned TControl::DrawTextBiDiModeFlags(unsigned flags) const
{
    if (UseRightToLeftAlignment()) {
        if (flags & DT_RIGHT)
            flags &= ~unsigned(DT_RIGHT);
        else if (!(flags & DT_CENTER))
            flags |= DT_RIGHT;
    }
    if (UseRightToLeftReading())
        flags |= DT_RTLREADING;
    return flags;
}

void TControl::SetCtl3D(bool value)
{
    FParentCtl3D = false;
    if (value == FCtl3D)
        return;
    FCtl3D = value;
    Perform(CM_CTL3DCHANGED);
}

void TControl::SetParentCtl3D(bool value)
{
    FParentCtl3D = value;
    if (value)
        Perform(CM_PARENTCTL3DCHANGED);
}

void TControl::ApplyConstraints(int& w, int& h) const
{
    if (FConstraints.MaxWidth > 0) w = std::min(w, FConstraints.MaxWidth);
    if (FConstraints.MaxHeight > 0) h = std::min(h, FConstraints.MaxHeight);
    w = std::max(w, FConstraints.MinWidth);
    h = std::max(h, FConstraints.MinHeight);
}

void TControl::SetConstraints(const TSizeConstraints& c)
{
    FConstraints = c;
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    ApplyConstraints(AWidth, AHeight);
    if (!CanResize(AWidth, AHeight)) {
        AWidth = FWidth;
        AHeight = FHeight;
    }
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    bool resized = AWidth != FWidth || AHeight != FHeight;
    InvalidateControl(FVisible, false);
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    InvalidateControl(FVisible, false);
    RequestAlign();
    if (resized && !IsLoading())
        Resize();
}

void TControl::UpdateBoundsRect(const TRect& r)
{
    InvalidateControl(FVisible, false);
    bool resized = r.Width() != FWidth || r.Height() != FHeight;
    FLeft = r.Left;
    FTop = r.Top;
    FWidth = r.Width();
    FHeight = r.Height();
    InvalidateControl(FVisible, false);
    if (resized && !IsLoading())
        Resize();
}

void TControl::SetClientWidth(int v)
{
    SetWidth(v + (FWidth - ClientWidth()));
}

void TControl::SetClientHeight(int v)
{
    SetHeight(v + (FHeight - ClientHeight()));
}

void TControl::RequestAlign()
{
    if (FParent && !FParent->FAligning && FAlign != alNone)
        FParent->Realign();
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

TPoint TControl::ClientOrigin() const
{
    if (!FParent)
        return TPoint{FLeft, FTop};
    TPoint p = FParent->ClientOrigin();
    return TPoint{p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    TPoint o = ClientOrigin();
    return TPoint{p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    TPoint o = ClientOrigin();
    return TPoint{p.X - o.X, p.Y - o.Y};
}

void TControl::SetAlign(TAlign value)
{
    // The same value realigns the parent anyway: controls re-apply their
    // alignment after a skin change moved their neighbours.
    if (value != FAlign) {
        FAlign = value;
        if (value != alNone && value != alCustom)
            FAnchors = AnchorsTopLeft;
    }
    if (FParent)
        FParent->Realign();
}

void TControl::SetAnchors(TAnchors value)
{
    FAnchors = value;
}

void TControl::SetVisible(bool value)
{
    if (value == FVisible)
        return;
    VisibleChanging();
    if (!value)
        InvalidateControl(true, false);
    FVisible = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    if (value)
        InvalidateControl(true, false);
    if (FParent && FAlign != alNone)
        FParent->Realign();
}

bool TControl::Showing() const
{
    return FVisible && FParent && FParent->Showing();
}

void TControl::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& value)
{
    if (value == FText)
        return;
    FText = value;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetParentFont(bool value)
{
    FParentFont = value;
    if (value && FParent)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!FParent || !FParentFont)
        return;
    FSettingFont = true;
    FFont.Assign(FParent->Font());
    FSettingFont = false;
    FParentFont = true;
    FontChanged();
}

void TControl::FontChanged()
{
    if (!FSettingFont)
        FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetColor(TColor value)
{
    if (value == FColor && !FParentColor)
        return;
    FColor = value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value)
{
    FParentColor = value;
    if (value)
        ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!FParent || !FParentColor)
        return;
    FColor = FParent->Color();
    Perform(CM_COLORCHANGED);
    FParentColor = true;
}

void TControl::SetCursor(TCursor value)
{
    FCursor = value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool value)
{
    FShowHint = value;
    FParentShowHint = false;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value)
{
    FParentShowHint = value;
    if (value && FParent)
        FShowHint = FParent->ShowHint();
}

void TControl::SetPopupMenu(TPopupMenu* value)
{
    if (FPopupMenu)
        FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = value;
    if (value)
        value->FreeNotification(this);
}

TWinControl* TControl::ParentWithHandle() const
{
    TWinControl* p = FParent;
    while (p && !p->HandleAllocated())
        p = p->FParent;
    return p;
}

void TControl::InvalidateControl(bool isVisible, bool isOpaque)
{
    if (!isVisible || !FParent || !FParent->HandleAllocated())
        return;
    TRect r = BoundsRect();
    InvalidateRect(FParent->FHandle, &r, !isOpaque);
}

void TControl::Invalidate()
{
    InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::Update()
{
    if (FParent)
        FParent->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (FParent)
        FParent->SetZOrderOf(this, true);
}

void TControl::SendToBack()
{
    if (FParent)
        FParent->SetZOrderOf(this, false);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETTEXT: {
        if (Message.WParam == 0 || !Message.LParam)
            break;
        size_t n = std::min(FText.size(), size_t(Message.WParam) - 1);
        std::copy(FText.begin(), FText.begin() + long(n), reinterpret_cast<char*>(Message.LParam));
        reinterpret_cast<char*>(Message.LParam)[n] = '\0';
        Message.Result = LRESULT(n);
        break;
    }
    case WM_GETTEXTLENGTH:
        Message.Result = LRESULT(FText.size());
        break;
    case WM_SETTEXT:
        if (Message.LParam)
            SetText(reinterpret_cast<const char*>(Message.LParam));
        Message.Result = 1;
        break;
    default:
        break;
    }
}

TCustomForm* TControl::GetParentForm() const
{
    const TControl* c = this;
    while (c->FParent)
        c = c->FParent;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SendCancelMode(TControl* Sender)
{
    if (TCustomForm* form = GetParentForm())
        form->SendCancelMode(Sender);
}

void TControl::Click()
{
    // A handler of the control's own wins over the action it is linked to.
    if (OnClick)
        OnClick(this);
    else
        ExecuteAction();
}

bool TControl::ExecuteAction() { return FActionLink && FActionLink->Execute(); }

TAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TAction* value)
{
    TActionLink::Link(FActionLink, this, [this](TAction* Action, bool CheckDefaults) { ActionChange(Action, CheckDefaults); },
                      value);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* a = dynamic_cast<TAction*>(Sender);
    if (!a)
        return;
    if (!CheckDefaults || Caption().empty())
        SetCaption(a->Caption());
    if (!CheckDefaults || Enabled())
        SetEnabled(a->Enabled());
    if (!CheckDefaults || Hint().empty())
        SetHint(a->Hint());
    if (!CheckDefaults || Visible())
        SetVisible(a->Visible());
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

// Mouse messages in client coordinates: the click and capture rules.
void TControl::HandleMouse(TMessage& m)
{
    if (Dragging() && DragMouseMessage(m))
        return;
    TPoint p = LParamToPoint(m.LParam);
    TShiftState shift = KeysToShiftState(LOWORD(m.WParam));
    auto down = [&](TMouseButton button, bool dbl) {
        if (!FEnabled)
            return;
        if (button == mbLeft && FDragMode == dmAutomatic &&
            !ComponentState().Contains(csDesigning)) {
            BeginDrag(false);   // the press belongs to the drag
            return;
        }
        SendCancelMode(this);
        if (auto* win = dynamic_cast<TWinControl*>(this); win && button == mbLeft && win->TabStop() && win->CanFocus())
            win->SetFocus();
        if (FControlStyle.Contains(csCaptureMouse))
            SetCaptureControl(this);
        if (dbl)
            shift.Include(ssDouble);
        if (button == mbLeft && FControlStyle.Contains(csClickEvents)) {
            FControlState.Include(csLButtonDown);
            if (dbl)
                DblClick();
            else
                FControlState.Include(csClicked);
        }
        MouseDown(button, shift, p.X, p.Y);
    };
    auto up = [&](TMouseButton button) {
        if (button == mbLeft && FControlState.Contains(csLButtonDown)) {
            FControlState.Exclude(csLButtonDown);
            bool clicked = FControlState.Contains(csClicked);
            FControlState.Exclude(csClicked);
            if (clicked && ClientRect().Contains(p))
                DoMouseClick();
        }
        if (GetCaptureControl() == this || (dynamic_cast<TWinControl*>(this) && GetCapture() == static_cast<TWinControl*>(this)->FHandle))
            if (!(LOWORD(m.WParam) & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
                SetCaptureControl(nullptr);
        MouseUp(button, shift, p.X, p.Y);
    };
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, p.X, p.Y);
        break;
    case WM_LBUTTONDOWN: down(mbLeft, false); break;
    case WM_LBUTTONDBLCLK: down(mbLeft, FControlStyle.Contains(csDoubleClicks)); break;
    case WM_RBUTTONDOWN: down(mbRight, false); break;
    case WM_RBUTTONDBLCLK: down(mbRight, true); break;
    case WM_MBUTTONDOWN: down(mbMiddle, false); break;
    case WM_MBUTTONDBLCLK: down(mbMiddle, true); break;
    case WM_LBUTTONUP: up(mbLeft); break;
    case WM_RBUTTONUP:
        up(mbRight);
        break;
    case WM_MBUTTONUP: up(mbMiddle); break;
    default: break;
    }
}

void TControl::HandleControlMessage(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
        // Our own enter or leave raises the event; either way the parent hears of it.
        if (m.LParam == 0) {
            const TNotifyEvent& e = m.Msg == CM_MOUSEENTER ? OnMouseEnter : OnMouseLeave;
            if (e)
                e(this);
            if (ControlHooks().MouseEnterLeave)
                ControlHooks().MouseEnterLeave(this, m.Msg == CM_MOUSEENTER);
        }
        if (FParent)
            FParent->Perform(m.Msg, 0, m.LParam ? m.LParam : LPARAM(this));
        break;
    }
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
    case CM_COLORCHANGED:
        Invalidate();
        break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        AdjustBounds();
        Invalidate();
        break;
    case CM_PARENTFONTCHANGED:
        ParentFontChanged();
        break;
    case CM_PARENTCOLORCHANGED:
        ParentColorChanged();
        break;
    case CM_PARENTSHOWHINTCHANGED:
        if (FParentShowHint && FParent)
            FShowHint = FParent->ShowHint();
        break;
    case CM_PARENTBIDIMODECHANGED:
        if (FParentBiDiMode && FParent && FParent->FBiDiMode != FBiDiMode) {
            FBiDiMode = FParent->FBiDiMode;
            Perform(CM_BIDIMODECHANGED);
        }
        break;
    case CM_PARENTCTL3DCHANGED:
        if (FParentCtl3D && FParent && FParent->FCtl3D != FCtl3D) {
            FCtl3D = FParent->FCtl3D;
            Perform(CM_CTL3DCHANGED);
        }
        break;
    case CM_BIDIMODECHANGED:
    case CM_CTL3DCHANGED:
        Invalidate();
        // A parent passes its new value on to the children that follow it.
        if (auto* w = dynamic_cast<TWinControl*>(this))
            for (TControl* c : std::vector<TControl*>(w->FControls))
                c->Perform(m.Msg == CM_BIDIMODECHANGED ? CM_PARENTBIDIMODECHANGED : CM_PARENTCTL3DCHANGED);
        break;
    case CM_HITTEST:
        m.Result = HTCLIENT;
        break;
    default:
        break;
    }
}

void TControl::WndProc(TMessage& m)
{
    if ((m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK)) {
        HandleMouse(m);
        return;
    }
    if (m.Msg == WM_CONTEXTMENU && FPopupMenu) {
        TPoint p = LParamToPoint(m.LParam);
        bool handled = false;
        if (p.X == -1 && p.Y == -1)
            p = ClientToScreen(TPoint{0, 0});
        if (OnContextPopup)
            OnContextPopup(this, ScreenToClient(p), handled);
        if (!handled && FPopupMenu->AutoPopup()) {
            FPopupMenu->SetPopupComponent(this);
            FPopupMenu->Popup(p.X, p.Y);
        }
        m.Result = 1;
        return;
    }
    if (m.Msg >= CM_BASE && m.Msg < CN_BASE) {
        HandleControlMessage(m);
        return;
    }
    DefaultHandler(m);
}

// ------------------------------------------------------------ TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(std::make_unique<TCanvas>())
{
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& m)
{
    if (m.Msg == WM_PAINT) {
        auto dc = reinterpret_cast<HDC>(m.WParam);
        FCanvas->SetHandle(dc);
        FCanvas->Font().Assign(FFont);
        FCanvas->Brush().SetColor(FColor);
        Paint();
        FCanvas->SetHandle(nullptr);
        return;
    }
    TControl::WndProc(m);
}
