#include "skin/controls/SkinOfficeComboBox.h"
#include <algorithm>
#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Caps.h"
#include "platform/ui/Input.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Timers.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinData.h"
#include "skin/data/WindowDescriptions.h"
#include "skin/draw/ButtonFace.h"
#include "skin/draw/ImageText.h"
#include "skin/draw/LayerWindow.h"
#include "skin/draw/Marks.h"
#include "skin/draw/MonitorRects.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/TextUtils.h"
#include "skin/controls/ControlPaint.h"

namespace {

constexpr UINT_PTR AutoScrollTimerId = 1;
constexpr int AutoScrollInterval = 25;
constexpr int PlainButtonWidth = 19;
constexpr int ArrowDown = 4;

void FramedFill(TCanvas& C, TRect R, TColor Frame, TColor Fill)
{
    C.Frame3D(R, Frame, Frame, 1);
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(Fill);
    C.FillRect(R);
}

}  // namespace

// ------------------------------------------------------------ popup list

TbsPopupOfficeListBox::TbsPopupOfficeListBox(TComponent* AOwner) : TbsSkinOfficeListBox(AOwner)
{
    FControlStyle.Include(csNoDesignVisible);
    FVisible = false;
    SetTabStop(false);
}

TbsPopupOfficeListBox::~TbsPopupOfficeListBox()
{
    FFade.Stop(HandleAllocated() ? Handle() : nullptr);
    WindowProcHook = nullptr;
}

void TbsPopupOfficeListBox::CreateParams(TCreateParams& Params)
{
    TbsSkinOfficeListBox::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPCHILDREN;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    Params.WindowClassStyle |= CS_SAVEBITS | CS_DROPSHADOW;
}

void TbsPopupOfficeListBox::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_TIMER && HandleAllocated() && FFade.HandleTimer(Handle(), Message.WParam))
        return;
    if (Message.Msg == WM_MOUSEACTIVATE && !WindowProcHook) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    if (WindowProcHook)
        WindowProcHook(Message);
    else
        DefaultWndProc(Message);
}

void TbsPopupOfficeListBox::Show(TPoint Origin)
{
    auto* combo = dynamic_cast<TbsSkinCustomOfficeComboBox*>(Owner());
    const bool canAlpha = TbsPopupFade::Available() && combo;
    bool fading = false;
    SetBounds(Origin.X, Origin.Y, Width(), Height());
    HandleNeeded();
    if (canAlpha) {
        const LONG_PTR ex = GetWindowLong(Handle(), GWL_EXSTYLE);
        if (combo->AlphaBlend() && !FOldAlphaBlend)
            SetWindowLong(Handle(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
        else if (!combo->AlphaBlend() && FOldAlphaBlend)
            SetWindowLong(Handle(), GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
        FOldAlphaBlend = combo->AlphaBlend();
        if (combo->AlphaBlend()) {
            const auto value = std::uint8_t(std::clamp(combo->AlphaBlendValue(), 0, 255));
            if (combo->AlphaBlendAnimation()) {
                // Restarted on every drop: the fade runs from 0 each time.
                fading = true;
                FOldAlphaBlendValue = 0;
            } else if (FOldAlphaBlendValue != value) {
                SetLayeredWindowAlpha(Handle(), value);
                FOldAlphaBlendValue = value;
            }
        }
    }
    if (fading)
        SetLayeredWindowAlpha(Handle(), 0);
    ResetMouseActive();
    SetVisible(true);
    SetWindowPos(Handle(), HWND_TOPMOST, Origin.X, Origin.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (fading) {
        FFade.Start(Handle(), std::uint8_t(std::clamp(combo->AlphaBlendValue(), 0, 255)));
        FOldAlphaBlendValue = std::clamp(combo->AlphaBlendValue(), 0, 255);
    }
}

void TbsPopupOfficeListBox::Hide()
{
    FFade.Stop(HandleAllocated() ? Handle() : nullptr);
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    SetVisible(false);
}

// ------------------------------------------------------------ combo box

TbsSkinCustomOfficeComboBox::TbsSkinCustomOfficeComboBox(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csOpaque, csDoubleClicks, csReplicatable};
    FListBox = new TbsPopupOfficeListBox(this);
    SetTabStop(true);
    Font().SetName("Arial");
    Font().SetColor(clWindowText);
    Font().SetStyle(0);
    Font().SetHeight(14);
    SetBounds(Left(), Top(), 120, 41);
    FListBox->WindowProcHook = [this](TMessage& m) { ListBoxWindowProcHook(m); };
    FListBox->SetMouseMoveChangeIndex(true);
    if (!Designing())
        FListBox->SetParent(this);
    CalcRects();
    FSkinDataName = "combobox";
}

TbsSkinCustomOfficeComboBox::~TbsSkinCustomOfficeComboBox()
{
    if (HandleAllocated())
        KillTimer(Handle(), AutoScrollTimerId);
    FListBox->WindowProcHook = nullptr;
    delete FListBox;
    FListBox = nullptr;
}

void TbsSkinCustomOfficeComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FListBox)
        FListBox = nullptr;
}

void TbsSkinCustomOfficeComboBox::RePaint()
{
    if (HandleAllocated())
        Repaint();
}

void TbsSkinCustomOfficeComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TbsSkinCustomOfficeComboBox::SetItemIndex(int Value)
{
    FListBox->SetItemIndex(Value);   // refuses an index past the rows before anything changes
    FOldItemIndex = FListBox->ItemIndex();
    RePaint();
    if (ComponentState().Contains(csLoading) || Designing())
        return;
    if (OnClick)
        OnClick(this);
    Change();
}

void TbsSkinCustomOfficeComboBox::SetToolButtonStyle(bool Value)
{
    if (Value == FToolButtonStyle)
        return;
    FToolButtonStyle = Value;
    if (Value)
        FUseSkinSize = false;
    RePaint();
}

void TbsSkinCustomOfficeComboBox::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (FIndex == -1)
        Invalidate();
}

void TbsSkinCustomOfficeComboBox::SetShowItemTitle(bool Value)
{
    if (Value != FShowItemTitle) {
        FShowItemTitle = Value;
        RePaint();
    }
}

void TbsSkinCustomOfficeComboBox::SetShowItemImage(bool Value)
{
    if (Value != FShowItemImage) {
        FShowItemImage = Value;
        RePaint();
    }
}

void TbsSkinCustomOfficeComboBox::SetShowItemText(bool Value)
{
    if (Value != FShowItemText) {
        FShowItemText = Value;
        RePaint();
    }
}

void TbsSkinCustomOfficeComboBox::SetListBoxSkinDataName(const std::string& Value)
{
    FListBoxSkinDataName = Value;
    FListBox->SetSkinDataName(Value);
}

bool TbsSkinCustomOfficeComboBox::IsPopupVisible() const { return FListBox && FListBox->Visible(); }

bool TbsSkinCustomOfficeComboBox::CanCancelDropDown() const { return IsPopupVisible() && !FMouseIn; }

// ------------------------------------------------------------ skin and layout

void TbsSkinCustomOfficeComboBox::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    if (FIndex == -1)
        return;
    if (const auto* e = dynamic_cast<const TbsDataSkinComboBox*>(FSD->CtrlList[size_t(FIndex)].get()))
        ReadComboLook(*e);
}

void TbsSkinCustomOfficeComboBox::CalcRects()
{
    const int W = Width(), H = Height();
    if (FIndex == -1 || FToolButtonStyle) {
        FButton.R = TRect{W - PlainButtonWidth, 2, W - 2, H - 2};
        FCBItem = TRect{2, 2, FButton.R.Left - 1, H - 2};
        return;
    }
    const int dw = W - RectWidth(SkinRect), dh = H - RectHeight(SkinRect);
    FButton.R = BtnRect;
    if (BtnRect.Left >= RectWidth(SkinRect) - RTPt.X)
        FButton.R.Offset(dw, 0);
    FCBItem = ClRect;
    FCBItem.Right += dw;
    if (!FUseSkinSize) {
        FCBItem.Bottom += dh;
        FButton.R.Bottom += dh;
    }
}

void TbsSkinCustomOfficeComboBox::FitSizeToSkin(int& AWidth, int& AHeight)
{
    if (FUseSkinSize) {
        TbsSkinCustomControl::FitSizeToSkin(AWidth, AHeight);
        return;
    }
    NewLTPoint = LTPt;
    NewRTPoint = TPoint{AWidth + RTPt.X - RectWidth(SkinRect), RTPt.Y};
    NewClRect = ClRect;
    NewClRect.Right = AWidth + ClRect.Right - RectWidth(SkinRect);
}

void TbsSkinCustomOfficeComboBox::UpdateSkinRegion()
{
    if (FUseSkinSize)
        TbsSkinCustomControl::UpdateSkinRegion();
}

void TbsSkinCustomOfficeComboBox::DefaultFontChanged() { Font().Assign(DefaultFont()); }

void TbsSkinCustomOfficeComboBox::ChangeSkinData()
{
    TbsSkinCustomControl::ChangeSkinData();
    CalcRects();
    RePaint();
    // The popup keeps its own name; a skin without the combo's element only
    // leaves it unused for now.
    FListBox->SetSkinDataName(FIndex == -1 ? std::string() : FListBoxSkinDataName);
    FListBox->SetSkinData(FSD);
    CalcRects();
}

// ------------------------------------------------------------ drop-down

void TbsSkinCustomOfficeComboBox::DropDown()
{
    if (Items().Count() == 0)
        return;
    WasInLB = false;
    if (TimerMode != 0)
        StopAutoScroll();
    if (OnDropDown)
        OnDropDown(this);
    const int w = FListBoxWidth != 0 ? FListBoxWidth : Width();
    FListBox->OnDrawItem = OnDrawItem;
    FOldItemIndex = FListBox->ItemIndex();
    if (FOldItemIndex == 0 && Items().Count() >= 2) {
        FListBox->SetItemIndex(1);   // brings the list to its top
        FListBox->SetItemIndex(0);
    }
    FDropDown = true;
    if (FToolButtonStyle)
        RePaint();
    FListBox->SetSkinData(FSD);
    int h = FListBox->Height();
    if (FListBoxHeight > 0)
        h = FListBoxHeight;
    else if (FDropDownCount > 0)
        h = FListBox->CalcHeight(FDropDownCount);
    FListBox->SetBounds(FListBox->Left(), FListBox->Top(), w, h);
    h = FListBox->Height();
    // A wide list opens leftwards, its right edge under the control's.
    const TPoint below = Parent() ? Parent()->ClientToScreen(TPoint{Left() + Width() - w, Top() + Height()})
                                  : TPoint{Left() + Width() - w, Top() + Height()};
    FListBox->Show(PlaceDropDown(Handle(), below, Height(), w, h));
}

void TbsSkinCustomOfficeComboBox::CloseUp(bool AcceptValue)
{
    if (TimerMode != 0)
        StopAutoScroll();
    if (!IsPopupVisible())
        return;
    FListBox->Hide();
    const int index = FListBox->ItemIndex();
    if (index >= 0 && index < Items().Count() && AcceptValue) {
        RePaint();
        if (OnClick)
            OnClick(this);
        Change();
    } else if (FOldItemIndex < Items().Count()) {
        FListBox->SetItemIndex(FOldItemIndex);
    }
    FDropDown = false;
    RePaint();
    if (AcceptValue && OnCloseUp)
        OnCloseUp(this);
}

void TbsSkinCustomOfficeComboBox::StartAutoScroll()
{
    if (!HandleAllocated())
        return;
    KillTimer(Handle(), AutoScrollTimerId);
    SetTimer(Handle(), AutoScrollTimerId, AutoScrollInterval);
}

void TbsSkinCustomOfficeComboBox::StopAutoScroll()
{
    if (HandleAllocated())
        KillTimer(Handle(), AutoScrollTimerId);
    TimerMode = 0;
}

void TbsSkinCustomOfficeComboBox::TrackListBoxMouse()
{
    TPoint cursor;
    GetCursorPos(cursor);
    const TPoint p = FListBox->ScreenToClient(cursor);
    const int h = FListBox->Height();
    const bool bar = FListBox->ScrollBar() != nullptr;
    int mode = 0;
    if (p.Y < 0 && bar && WasInLB)
        mode = 1;
    else if (p.Y > h && bar && WasInLB)
        mode = 2;
    if (mode != 0) {
        if (mode != TimerMode) {
            TimerMode = mode;
            StartAutoScroll();
        }
        return;
    }
    if (p.Y < 0 || p.Y > h)
        return;
    if (TimerMode != 0)
        StopAutoScroll();
    FListBox->ListMouseMove(p.X, p.Y);
    WasInLB = true;
    if (!FLBDown) {
        FLBDown = true;
        WasInLB = false;
    }
}

void TbsSkinCustomOfficeComboBox::ListBoxWindowProcHook(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        FLBDown = true;
        WasInLB = true;
        if (HandleAllocated())
            SetCapture(Handle());
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return;
    case WM_MOUSEACTIVATE:
        FListBox->DefaultWndProc(Message);
        Message.Result = MA_NOACTIVATE;
        return;
    default:
        FListBox->DefaultWndProc(Message);
    }
}

// ------------------------------------------------------------ mouse and keys

void TbsSkinCustomOfficeComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!Focused() && CanFocus())
        SetFocus();
    if (Button != mbLeft)
        return;
    CalcRects();
    const TPoint p{X, Y};
    if (PtInRect(FButton.R, p) || PtInRect(FCBItem, p) || FToolButtonStyle)
        PressDropButton();
    else if (IsPopupVisible())
        CloseUp(false);
}

void TbsSkinCustomOfficeComboBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TbsSkinCustomControl::MouseMove(Shift, X, Y);
    if (IsPopupVisible())
        TrackListBoxMouse();
    HoverDropButton(TPoint{X, Y});
}

void TbsSkinCustomOfficeComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    EndListPress();
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
    ReleaseDropButton();
}

HWND TbsSkinCustomOfficeComboBox::DropListWindow() const
{
    return FListBox->HandleAllocated() ? FListBox->Handle() : nullptr;
}

// Moves the list's choice by one of its walks and takes it as the combo's.
void TbsSkinCustomOfficeComboBox::SelectBy(void (TbsSkinOfficeListBox::*AWalk)())
{
    (FListBox->*AWalk)();
    SetItemIndex(FListBox->ItemIndex());
}

void TbsSkinCustomOfficeComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TbsSkinCustomControl::KeyDown(Key, Shift);
    const bool alt = Shift.Contains(ssAlt);
    switch (Key) {
    case VK_RETURN:
        if (IsPopupVisible())
            CloseUp(true);
        break;
    case VK_ESCAPE:
        if (IsPopupVisible())
            CloseUp(false);
        break;
    case VK_PRIOR: SelectBy(&TbsSkinOfficeListBox::FindPageUp); break;
    case VK_NEXT: SelectBy(&TbsSkinOfficeListBox::FindPageDown); break;
    case VK_UP:
    case VK_LEFT:
        if (alt) {
            if (IsPopupVisible())
                CloseUp(false);
        } else {
            SelectBy(&TbsSkinOfficeListBox::FindUp);
        }
        break;
    case VK_DOWN:
    case VK_RIGHT:
        if (alt) {
            if (!IsPopupVisible())
                DropDown();
        } else {
            SelectBy(&TbsSkinOfficeListBox::FindDown);
        }
        break;
    default: break;
    }
}

void TbsSkinCustomOfficeComboBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER: WMTimer(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_SETFOCUS: DefaultThenRePaint(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case CM_ENABLEDCHANGED: DefaultThenRePaint(Message); break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: CMMouseEnterLeave(Message); break;
    case CM_CANCELMODE: CMCancelMode(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    default: TbsSkinCustomControl::WndProc(Message);
    }
}

// While the mouse holds the list open past its edge, each tick walks one row
// up (TimerMode 1) or down (2).
void TbsSkinCustomOfficeComboBox::WMTimer(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    if (TimerMode == 1)
        FListBox->FindUp();
    else if (TimerMode == 2)
        FListBox->FindDown();
}

void TbsSkinCustomOfficeComboBox::WMSize(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    CalcRects();
}

void TbsSkinCustomOfficeComboBox::CMWantSpecialKey(TMessage& Message)
{
    if (Message.WParam == VK_UP || Message.WParam == VK_DOWN || Message.WParam == VK_LEFT ||
        Message.WParam == VK_RIGHT)
        Message.Result = 1;
    else
        TbsSkinCustomControl::WndProc(Message);
}

void TbsSkinCustomOfficeComboBox::WMGetDlgCode(TMessage& Message)
{
    // Enter and Esc close an open list instead of reaching the dialog's buttons.
    Message.Result = DLGC_WANTARROWS | (IsPopupVisible() ? DLGC_WANTALLKEYS : 0);
}

void TbsSkinCustomOfficeComboBox::WMMouseWheel(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    if (GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0) {
        if (IsPopupVisible())
            FListBox->FindUp();
        else
            SelectBy(&TbsSkinOfficeListBox::FindUp);
    } else {
        if (IsPopupVisible())
            FListBox->FindDown();
        else
            SelectBy(&TbsSkinOfficeListBox::FindDown);
    }
    Message.Result = 1;
}

void TbsSkinCustomOfficeComboBox::DefaultThenRePaint(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    RePaint();
}

void TbsSkinCustomOfficeComboBox::WMKillFocus(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    if (IsPopupVisible())
        CloseUp(false);
    RePaint();
}

void TbsSkinCustomOfficeComboBox::CMMouseEnterLeave(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    if (Message.LParam != 0)
        return;
    FMouseIn = Message.Msg == CM_MOUSEENTER;
    if (!FMouseIn && FButton.MouseIn) {
        FButton.MouseIn = false;
        RePaint();
    }
    if ((FIndex != -1 && !IsNullRect(ActiveSkinRect)) || FToolButtonStyle)
        Invalidate();
}

// A cancel from anywhere but the combo, its list or the list's bar closes the list.
void TbsSkinCustomOfficeComboBox::CMCancelMode(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    auto* sender = reinterpret_cast<TControl*>(Message.LParam);
    const bool own =
        sender && (sender == this || sender == FListBox || sender == static_cast<TControl*>(FListBox->ScrollBar()));
    if (!own)
        CloseUp(false);
}

void TbsSkinCustomOfficeComboBox::WMEraseBkgnd(TMessage& Message)
{
    if (!FromWMPaint && Message.WParam)
        PaintFaceTo(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

// ------------------------------------------------------------ painting

int TbsSkinCustomOfficeComboBox::ShownIndex() const
{
    const int i = IsPopupVisible() ? FOldItemIndex : FListBox->ItemIndex();
    return i >= 0 && i < FListBox->Count() ? i : -1;
}

bool TbsSkinCustomOfficeComboBox::Hot() const { return FMouseIn || Focused(); }

TColor TbsSkinCustomOfficeComboBox::DisabledTextColor() const
{
    if (!FSD || FSD->Empty)
        return clGrayText;
    const int i = FSD->GetControlIndex("edit");
    const auto* e = i == -1 ? nullptr : dynamic_cast<const TbsDataSkinEditControl*>(FSD->CtrlList[size_t(i)].get());
    return e ? e->DisabledFontColor : clGrayText;
}

// The current item on the face inside R.
void TbsSkinCustomOfficeComboBox::DrawFaceItem(TCanvas& C, TRect R, bool FixedSkin)
{
    const int index = ShownIndex();
    if (index == -1)
        return;
    TbsSkinOfficeItem* item = FListBox->Item(index);
    C.Brush().SetStyle(bsClear);
    if (OnDrawItem) {
        OnDrawItem(C, index, R);
        return;
    }
    const std::string& caption = FPaintingText ? FPaintText : item->Caption();
    if (!FixedSkin && FShowItemText && FShowItemTitle && !item->Title().empty()) {
        const TFontStyles style = C.Font().Style();
        C.Font().SetStyle(style | fsBold);
        TRect t{R.Left, R.Top, R.Right, R.Top + C.TextHeight("Wg")};
        C.DrawText(item->Title(), t, 0);
        C.Font().SetStyle(style);
        R.Top = t.Bottom - 2;
    }
    if (FShowItemText && !FShowItemImage)
        TextRectVCenter(C, caption, R);
    if (FShowItemImage)
        DrawImageAndTextLeft(C, R, 0, 2, blGlyphLeft, FShowItemText ? caption : std::string(), item->ImageIndex(),
                             Images(), false, Enabled(), false, 0);
}

void TbsSkinCustomOfficeComboBox::DrawButton(TCanvas& C)
{
    const bool pressed = FButton.Down && FButton.MouseIn, hot = FButton.MouseIn;
    if (FIndex == -1) {
        FramedFill(C, FButton.R, pressed || hot ? PlainHotFrame : clBtnShadow,
                   pressed ? PlainDownFill : hot ? PlainHotFill : clBtnFace);
        DrawArrow(C, FButton.R, Enabled() ? clBlack : clBtnShadow, ArrowDown);
        return;
    }
    const TRect src = ButtonSource(Enabled(), pressed, hot);
    if (IsNullRect(src) || !Picture || IsNullRect(FButton.R))
        return;
    TBitmap b(RectWidth(FButton.R), RectHeight(FButton.R));
    CopyPiece(b, TRect{0, 0, b.Width(), b.Height()}, *Picture, src);
    C.Draw(FButton.R.Left, FButton.R.Top, b);
}

void TbsSkinCustomOfficeComboBox::DrawSkinButton(TCanvas& C)
{
    const TbsDataSkinButtonControl* e = FindButtonElement(*FSD, {"combobutton", "editbutton", "resizebutton"});
    if (!e || IsNullRect(FButton.R))
        return;
    const bool pressed = FButton.Down && FButton.MouseIn, hot = FButton.MouseIn;
    const int w = RectWidth(FButton.R), h = RectHeight(FButton.R);
    TBitmap b(w, h);
    if (!DrawButtonFace(*b.Canvas(), TRect{0, 0, w, h}, *FSD, *e, pressed, hot))
        return;
    const TColor color = pressed ? e->DownFontColor : hot ? e->ActiveFontColor : e->FontColor;
    if (IsNullRect(e->MenuMarkerRect)) {
        if (Enabled())
            DrawArrow(*b.Canvas(), pressed ? TRect{0, 2, w, h} : TRect{0, 0, w, h}, color, ArrowDown);
    } else if (Picture) {
        TBitmap m = CopyOut(*Picture, ComboMenuMarker(*e, pressed, hot));
        m.SetTransparentMode(tmFixed);
        m.SetTransparentColor(e->MenuMarkerTransparentColor);
        m.SetTransparent(true);
        b.Canvas()->Draw(w / 2 - m.Width() / 2, h / 2 - m.Height() / 2 + (pressed ? 1 : 0), m);
    }
    C.Draw(FButton.R.Left, FButton.R.Top, b);
}

void TbsSkinCustomOfficeComboBox::DrawDefaultItem(TCanvas& C)
{
    const int w = RectWidth(FCBItem), h = RectHeight(FCBItem);
    if (w <= 0 || h <= 0)
        return;
    TBitmap b(w, h);
    TCanvas& bc = *b.Canvas();
    bc.Font().SetName(Font().Name());
    bc.Font().SetStyle(Font().Style());
    bc.Font().SetHeight(Font().Height());
    const bool focused = Focused() && !IsPopupVisible();
    bc.Brush().SetStyle(bsSolid);
    bc.Brush().SetColor(focused ? clHighlight : FDefaultColor);
    bc.FillRect(TRect{0, 0, w, h});
    bc.Font().SetColor(focused ? clHighlightText : DefaultFont().Color());
    DrawFaceItem(bc, TRect{2, 0, w - 2, h}, false);
    if (focused) {
        bc.Brush().SetStyle(bsSolid);
        bc.DrawFocusRect(TRect{0, 0, w, h});
    }
    C.Draw(FCBItem.Left, FCBItem.Top, b);
}

void TbsSkinCustomOfficeComboBox::DrawSkinItem(TBitmap& Face, bool Fixed)
{
    const int w = RectWidth(FCBItem), h = RectHeight(FCBItem);
    if (w < 1 || h < 1 || !Picture)
        return;
    // The face under the item stays where the skin has no item picture.
    TBitmap b = CopyOut(Face, FCBItem);
    const bool focused = Focused() && !IsPopupVisible();
    const bool hot = !focused && !IsNullRect(ActiveItemRect) && !IsNullRect(ActiveSkinRect) && FMouseIn;
    TRect src = focused ? FocusItemRect : hot ? ActiveItemRect : SItemRect;
    if (!IsNullRect(src)) {
        if (Fixed) {
            CreateHSkinImage(ItemLeftOffset, ItemRightOffset, b, *Picture, src, w, h,
                             focused ? FocusItemStretchEffect : ItemStretchEffect);
        } else {
            TRect corners = ItemTextRect;
            if (focused)
                corners = TRect{corners.Left + 1, corners.Top + 1, corners.Right - 1, corners.Bottom - 1};
            corners.Right -= std::max(0, RectWidth(SItemRect) - RectWidth(src));
            corners.Bottom -= std::max(0, RectHeight(SItemRect) - RectHeight(src));
            CreateStretchImage(b, *Picture, src, corners, true);
        }
    }
    TCanvas& bc = *b.Canvas();
    if (UseSkinFont()) {
        bc.Font().SetName(FontName);
        bc.Font().SetStyle(FontStyle);
        bc.Font().SetHeight(FontHeight);
    } else {
        bc.Font().Assign(DefaultFont());
    }
    TColor color = focused ? FocusFontColor : FMouseIn && !IsNullRect(ActiveSkinRect) ? ActiveFontColor : FontColor;
    if (Fixed && !Enabled())
        color = DisabledTextColor();
    bc.Font().SetColor(color);
    const int baseW = IsNullRect(SItemRect) ? RectWidth(ClRect) : RectWidth(SItemRect);
    TRect tr = ItemTextRect;
    tr.Right += w - baseW;
    if (!Fixed)
        tr.Bottom += Height() - RectHeight(SkinRect);
    tr.Left += 1;
    if (!Fixed && focused && ShowFocus) {
        bc.Brush().SetColor(FSD->SkinColors()->cBtnFace());
        bc.DrawFocusRect(TRect{0, 0, w, h});
    }
    DrawFaceItem(bc, tr, Fixed);
    Face.Canvas()->Draw(FCBItem.Left, FCBItem.Top, b);
}

void TbsSkinCustomOfficeComboBox::DrawDefaultToolButton(TCanvas& C, const std::string* Text)
{
    const int W = Width(), H = Height();
    TColor frame = clBtnShadow, fill = clBtnFace;
    if (FDropDown)
        frame = PlainHotFrame, fill = PlainDownFill;
    else if (FMouseIn || Focused())
        frame = PlainHotFrame, fill = PlainHotFill;
    FramedFill(C, TRect{0, 0, W, H}, frame, fill);
    C.Font().Assign(DefaultFont());
    const int shift = FDropDown ? 2 : 0;
    TRect tr{2 + shift, 2 + shift, W - 17, H - 2};
    if (Text) {
        C.Brush().SetStyle(bsClear);
        TextRectVCenter(C, *Text, tr);
    } else {
        DrawFaceItem(C, tr, false);
    }
    DrawDownArrowMark(C, TRect{W - 15 + shift, shift, W, H}, C.Font().Color());
}

void TbsSkinCustomOfficeComboBox::DrawSkinToolButton(TCanvas& C, const std::string* Text)
{
    const TbsDataSkinButtonControl* e = FindButtonElement(*FSD, {"resizetoolbutton", "resizebutton"});
    if (!e)
        return;
    const int W = Width(), H = Height();
    DrawButtonFace(C, TRect{0, 0, W, H}, *FSD, *e, FDropDown, FDropDown || FMouseIn || Focused());
    if (UseSkinFont()) {
        C.Font().SetName(e->FontName);
        C.Font().SetStyle(e->FontStyle);
        C.Font().SetHeight(e->FontHeight);
    } else {
        C.Font().Assign(DefaultFont());
    }
    C.Font().SetColor(FDropDown                ? e->DownFontColor
                      : FMouseIn || Focused() ? e->ActiveFontColor
                      : Enabled()              ? e->FontColor
                                               : e->DisabledFontColor);
    const int shift = FDropDown ? 2 : 0;
    TRect tr{2 + shift, 2 + shift, W - 17, H - 2};
    if (Text) {
        C.Brush().SetStyle(bsClear);
        TextRectVCenter(C, *Text, tr);
    } else {
        DrawFaceItem(C, tr, false);
    }
    DrawDownArrowMark(C, TRect{W - 15 + shift, shift, W, H}, FDropDown ? e->DownFontColor : C.Font().Color());
}

// The skinned face without the item: NormalOnly keeps the normal look.
void TbsSkinCustomOfficeComboBox::DrawSkinFace(TBitmap& B, bool NormalOnly)
{
    if (!Picture)
        return;
    const bool hot = !NormalOnly && !IsNullRect(ActiveSkinRect) && Hot();
    if (!FUseSkinSize) {
        B.SetSize(Width(), Height(), false);
        CreateStretchImage(B, *Picture, hot ? ActiveSkinRect : SkinRect, ClRect, true);
        DrawSkinButton(*B.Canvas());
    } else {
        if (hot)
            CreateHSkinImage(LTPt.X, RectWidth(ActiveSkinRect) - RTPt.X, B, *Picture, ActiveSkinRect, Width(),
                             Height(), StretchEffect);
        else
            TbsSkinCustomControl::CreateControlSkinImage(B);
        DrawButton(*B.Canvas());
    }
}

void TbsSkinCustomOfficeComboBox::CreateControlDefaultImage(TBitmap& B)
{
    CalcRects();
    TCanvas& c = *B.Canvas();
    if (FToolButtonStyle) {
        DrawDefaultToolButton(c, nullptr);
        return;
    }
    FramedFill(c, TRect{0, 0, Width(), Height()}, clBtnShadow, clBtnFace);
    c.Brush().SetColor(FDefaultColor);
    c.FillRect(TRect{2, 2, Width() - 2, Height() - 2});
    DrawButton(c);
    DrawDefaultItem(c);
}

void TbsSkinCustomOfficeComboBox::CreateControlSkinImage(TBitmap& B)
{
    CalcRects();
    if (FToolButtonStyle) {
        DrawSkinToolButton(*B.Canvas(), nullptr);
        return;
    }
    DrawSkinFace(B, false);
    DrawSkinItem(B, FUseSkinSize);
}

void TbsSkinCustomOfficeComboBox::PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText)
{
    const int W = Width(), H = Height();
    if (W <= 0 || H <= 0)
        return;
    GetSkinData();
    CalcRects();
    TBitmap b(W, H);
    b.Fill(clBtnFace);
    TCanvas& bc = *b.Canvas();
    if (FToolButtonStyle) {
        if (FIndex == -1)
            DrawDefaultToolButton(bc, &AText);
        else
            DrawSkinToolButton(bc, &AText);
    } else {
        if (FIndex == -1) {
            FramedFill(bc, TRect{0, 0, W, H}, clBtnShadow, clBtnFace);
            bc.Brush().SetColor(FDefaultColor);
            bc.FillRect(TRect{2, 2, W - 2, H - 2});
            DrawButton(bc);
            bc.Font().Assign(DefaultFont());
        } else {
            DrawSkinFace(b, true);
            bc.Font().SetName(FontName);
            bc.Font().SetStyle(FontStyle);
            bc.Font().SetHeight(FontHeight);
            bc.Font().SetColor(FontColor);
        }
        bc.Brush().SetStyle(bsClear);
        TextRectVCenter(bc, AText, FCBItem);
    }
    C.Draw(X, Y, b);
}
