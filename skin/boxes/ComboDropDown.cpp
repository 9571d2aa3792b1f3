#include "skin/boxes/ComboDropDown.h"
#include <algorithm>
#include "platform/gfx/Canvas.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Timers.h"
#include "platform/ui/Window.h"
#include "skin/boxes/InnerEdit.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/draw/LayerWindow.h"
#include "skin/draw/MonitorRects.h"

namespace {
constexpr UINT_PTR ScrollTimer = 1;
}  // namespace

// ------------------------------------------------------------ the popup window

TbsPopupListBox::TbsPopupListBox(TbsSkinCustomComboBox* AOwner) : TbsSkinListBox(AOwner), FCombo(AOwner)
{
    TControlStyle style = ControlStyle();
    style.Include(csAcceptsControls);
    style.Include(csNoDesignVisible);
    style.Include(csReplicatable);
    SetControlStyle(style);
    FVisible = false;
}

TbsPopupListBox::~TbsPopupListBox()
{
    if (HandleAllocated())
        FFade.Stop(Handle());
}

void TbsPopupListBox::CreateParams(TCreateParams& Params)
{
    TbsSkinListBox::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPCHILDREN;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    Params.WindowClassStyle |= CS_SAVEBITS | CS_DROPSHADOW;
}

void TbsPopupListBox::SetItemIndex(int Value)
{
    TbsSkinListBox::SetItemIndex(Value);
    const int rows = std::max(1, RowCount());
    if (Value >= 0 && Value < Items().Count()) {
        if (Value < TopIndex())
            SetTopIndex(Value);
        else if (Value >= TopIndex() + rows)
            SetTopIndex(Value - rows + 1);
    }
}

void TbsPopupListBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
    case WM_TIMER:
        if (FFade.HandleTimer(Handle(), UINT_PTR(Message.WParam)))
            return;
        break;
    default: break;
    }
    TbsSkinListBox::WndProc(Message);
}

void TbsPopupListBox::Show(TPoint Origin)
{
    bool fade = false;
    if (TbsPopupFade::Available() && FCombo) {
        HWND h = Handle();
        const bool blend = FCombo->AlphaBlend();
        const DWORD ex = DWORD(GetWindowLong(h, GWL_EXSTYLE));
        bool fresh = false;
        if (blend && !FOldAlphaBlend) {
            SetWindowLong(h, GWL_EXSTYLE, LONG_PTR(ex | WS_EX_LAYERED));
            fresh = true;  // a freshly layered window needs its alpha set again
        } else if (!blend && FOldAlphaBlend) {
            SetWindowLong(h, GWL_EXSTYLE, LONG_PTR(ex & ~DWORD(WS_EX_LAYERED)));
        }
        FOldAlphaBlend = blend;
        if (blend) {
            if (FCombo->AlphaBlendAnimation()) {
                SetLayeredWindowAlpha(h, 0);
                FOldAlphaBlendValue = 0;
                fade = true;
            } else if (fresh || FOldAlphaBlendValue != FCombo->AlphaBlendValue()) {
                SetLayeredWindowAlpha(h, FCombo->AlphaBlendValue());
                FOldAlphaBlendValue = FCombo->AlphaBlendValue();
            }
        }
    }
    SetWindowPos(Handle(), HWND_TOP, Origin.X, Origin.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    FFade.Stop(Handle());
    if (fade)
        FFade.Start(Handle(), FCombo->AlphaBlendValue());
}

void TbsPopupListBox::Hide()
{
    if (HandleAllocated()) {
        FFade.Stop(Handle());
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
    SetVisible(false);
}

// ------------------------------------------------------------ the combo's drop-down and close-up

void TbsSkinCustomComboBox::DropDown()
{
    if (Items().Count() == 0)
        return;
    WasInLB = false;
    StopTimer();
    if (OnDropDown)
        OnDropDown(this);
    if (!FListBox || ComponentState().Contains(csDestroying))
        return;
    FListBox->SetWidth(FListBoxWidth > 0 ? FListBoxWidth : Width());
    FListBox->SetRowCount(std::min(Items().Count(), FDropDownCount));
    const TPoint below =
        Parent() ? Parent()->ClientToScreen(TPoint{Left(), Top() + Height()}) : ClientToScreen(TPoint{0, Height()});
    const TPoint origin = PlaceDropDown(Handle(), below, Height(), FListBox->Width(), FListBox->Height());
    if (FEdit)
        FEdit->SetFocus();
    FOldItemIndex = FListBox->ItemIndex();
    FDropDown = true;
    if (FToolButtonStyle)
        Repaint();
    if (FListBox->ItemIndex() >= 0)
        FListBox->SetTopIndex(FListBox->ItemIndex());
    FListBox->SetSkinData(FSD);
    FListBox->OnDrawItem = OnListBoxDrawItem;
    FListBox->Show(origin);
}

void TbsSkinCustomComboBox::CloseUp(bool AcceptValue)
{
    StopTimer();
    if (!FListBox || !FListBox->Visible())
        return;
    FListBox->Hide();
    const int index = FListBox->ItemIndex();
    if (index < 0) {
        FListBox->SetItemIndex(FOldItemIndex);
    } else if (index < Items().Count() && AcceptValue) {
        if (FEdit) {
            FEdit->SetText(Items()[index]);
            FEdit->SelectAll();
        } else {
            SetText(Items()[index]);
            Repaint();
        }
        if (OnClick)
            OnClick(this);
        Change();
    } else {
        FListBox->SetItemIndex(FOldItemIndex);
    }
    FDropDown = false;
    Repaint();
    if (AcceptValue && OnCloseUp)
        OnCloseUp(this);
}

void TbsSkinCustomComboBox::CancelFrom(TControl* Sender)
{
    // Presses on the list's own parts keep it open.
    const TControl* own[] = {this, FListBox, FListBox->ListBox, FListBox->ScrollBar(), FListBox->HScrollBar()};
    if (Sender && std::find(std::begin(own), std::end(own), Sender) != std::end(own))
        return;
    CloseUp(false);
}

void TbsSkinCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!FEdit && !Focused() && CanFocus())
        SetFocus();
    if (Button != mbLeft)
        return;
    const TPoint p{X, Y};
    if (FButton.MouseIn || (FCBItem.R.Contains(p) && !FEdit) || FToolButtonStyle)
        PressDropButton();
    else if (IsPopupVisible())
        CloseUp(false);
}

void TbsSkinCustomComboBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TbsSkinCustomControl::MouseMove(Shift, X, Y);
    if (FLBDown) {
        TrackListBox();
        return;
    }
    HoverDropButton(TPoint{X, Y});
}

void TbsSkinCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    EndListPress();
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
    ReleaseDropButton();
}

HWND TbsSkinCustomComboBox::DropListWindow() const
{
    return FListBox->ListBox->HandleAllocated() ? FListBox->ListBox->Handle() : nullptr;
}

void TbsSkinCustomComboBox::ListBoxWindowProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        FLBDown = true;
        WasInLB = true;
        SetCapture(Handle());
        SetCaptureControl(this);
        return;
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return;
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        FListBoxWindowProc(Message);
        return;
    default: FListBoxWindowProc(Message);
    }
}

void TbsSkinCustomComboBox::ListBoxMouseMove(TShiftState, int X, int Y)
{
    if (!IsPopupVisible())
        return;
    const int index = FListBox->ItemAtPos(TPoint{X, Y}, true);
    if (index >= 0 && index < Items().Count() && index != FListBox->ItemIndex())
        FListBox->SetItemIndex(index);
}

void TbsSkinCustomComboBox::TrackListBox()
{
    if (!IsPopupVisible())
        return;
    TListBox* inner = FListBox->ListBox;
    TPoint cursor;
    GetCursorPos(cursor);
    const TPoint p = inner->ScreenToClient(cursor);
    const bool scrolls = FListBox->HasScrollBar();
    if (p.Y < 0 && scrolls && WasInLB) {
        if (TimerMode != 1) {
            TimerMode = 1;
            StartTimer();
        }
    } else if (p.Y > inner->Height() && scrolls && WasInLB) {
        if (TimerMode != 2) {
            TimerMode = 2;
            StartTimer();
        }
    } else if (p.Y >= 0 && p.Y <= inner->Height()) {
        StopTimer();
        ListBoxMouseMove(TShiftState{}, 1, p.Y);
        WasInLB = true;
    }
}

void TbsSkinCustomComboBox::StartTimer()
{
    KillTimer(Handle(), ScrollTimer);
    SetTimer(Handle(), ScrollTimer, 25);
}

void TbsSkinCustomComboBox::StopTimer()
{
    if (HandleAllocated())
        KillTimer(Handle(), ScrollTimer);
    TimerMode = 0;
}
