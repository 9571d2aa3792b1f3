#include "skin/controls/SkinToolBar.h"
#include <algorithm>
#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Timers.h"
#include "platform/ui/WinConsts.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/ControlPaint.h"
#include "skin/controls/GraphicSkinControl.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/data/SkinData.h"
#include "skin/draw/Marks.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

namespace {
constexpr UINT_PTR ScrollTimerId = 1;
}

TbsSkinToolBar::TbsSkinToolBar(TComponent* AOwner) : TbsSkinPanel(AOwner)
{
    SetForcebackGround(false);
    FSkinDataName = "toolpanel";
    SetDefaultHeight(0);
    SetHeight(25);
    SetBorderStyle(TbsSkinBorderStyle::bvNone);
}

TbsSkinToolBar::~TbsSkinToolBar()
{
    if (HandleAllocated() && TimerMode != 0)
        KillTimer(Handle(), ScrollTimerId);
}

void TbsSkinToolBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinPanel::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FImages)
        FImages = nullptr;
    if (AComponent == FHotImages)
        FHotImages = nullptr;
    if (AComponent == FDisabledImages)
        FDisabledImages = nullptr;
}

void TbsSkinToolBar::SetSkinData(TbsSkinData* Value)
{
    TbsSkinPanel::SetSkinData(Value);
    for (int i = 0; i < ControlCount(); ++i) {
        if (auto* b = dynamic_cast<TbsSkinSpeedButton*>(Controls(i)))
            b->SetSkinData(Value);
        else if (auto* v = dynamic_cast<TbsSkinBevel*>(Controls(i)))
            v->SetSkinData(Value);
    }
}

void TbsSkinToolBar::SetSkinDataName(const std::string& Value)
{
    TbsSkinPanel::SetSkinDataName(Value);
    if (!Designing() || IsLoading())
        return;
    const bool big = Value == "bigtoolpanel";
    for (int i = 0; i < ControlCount(); ++i) {
        auto* b = dynamic_cast<TbsSkinSpeedButton*>(Controls(i));
        if (!b)
            continue;
        std::string name;
        if (Value == "resizetoolpanel")
            name = "resizetoolbutton";
        else if (Value == "panel")
            name = "resizebutton";
        else if (auto* m = dynamic_cast<TbsSkinMenuSpeedButton*>(b))
            name = m->TrackButtonMode() ? (big ? "bigtoolmenutrackbutton" : "toolmenutrackbutton")
                                        : (big ? "bigtoolmenubutton" : "toolmenubutton");
        else
            name = big ? "bigtoolbutton" : "toolbutton";
        b->SetSkinDataName(name);
    }
}

void TbsSkinToolBar::GetSkinData()
{
    TbsSkinPanel::GetSkinData();
    ButtonData = nullptr;
    if (FIndex == -1)
        return;
    const int i = FSD->GetControlIndex("resizebutton");
    if (i != -1)
        ButtonData = dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[size_t(i)].get());
}

void TbsSkinToolBar::SetScrollOffset(int Value)
{
    if (Value >= 0)
        FScrollOffset = Value;
}

void TbsSkinToolBar::SetScrollTimerInterval(int Value)
{
    if (Value > 0)
        FScrollTimerInterval = Value;
}

void TbsSkinToolBar::SetImages(TImageList* Value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (Value)
        Value->FreeNotification(this);
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TbsSkinSpeedButton*>(Controls(i)))
            b->Repaint();
}

void TbsSkinToolBar::SetHotImages(TImageList* Value)
{
    if (FHotImages)
        FHotImages->RemoveFreeNotification(this);
    FHotImages = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TbsSkinToolBar::SetDisabledImages(TImageList* Value)
{
    if (FDisabledImages)
        FDisabledImages->RemoveFreeNotification(this);
    FDisabledImages = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TbsSkinToolBar::SetFlat(bool Value)
{
    FFlat = Value;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TbsSkinSpeedButton*>(Controls(i)))
            b->SetFlat(Value);
}

void TbsSkinToolBar::SetShowCaptions(bool Value)
{
    if (FShowCaptions == Value)
        return;
    FShowCaptions = Value;
    if (FAutoShowHideCaptions)
        for (int i = 0; i < ControlCount(); ++i)
            if (auto* b = dynamic_cast<TbsSkinSpeedButton*>(Controls(i)))
                b->SetShowCaption(Value);
    if (FWidthWithCaptions != 0 && FWidthWithoutCaptions != 0)
        SetWidth(Value ? FWidthWithCaptions : FWidthWithoutCaptions);
}

// ------------------------------------------------------------------ layout

void TbsSkinToolBar::CenterControls()
{
    const TRect r = GetSkinClientRect();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (dynamic_cast<TbsSkinControl*>(c) || dynamic_cast<TbsGraphicSkinControl*>(c) || c->Align() != alNone)
            continue;
        const int top = r.Top + RectHeight(r) / 2 - c->Height() / 2;
        if (top != c->Top())
            c->SetTop(top);
    }
}

void TbsSkinToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = Width();
    TbsSkinPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FAdjustControls)
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            c->SetBounds(c->Left(), c->Top(), c->Width(), c->Height());
        }
    if (FCanScroll) {
        FHSizeOffset = (oldWidth != 0 && Width() > oldWidth) ? Width() - oldWidth : 0;
        // Aligned or not, the range follows the new size here: the position
        // change message comes before the size is known.
        UpdateScroll();
        CenterControls();
    }
}

void TbsSkinToolBar::AdjustClientRect(TRect& R)
{
    TbsSkinPanel::AdjustClientRect(R);
    if ((FCanScroll && Buttons[0].Visible) || Buttons[1].Visible) {
        const TRect inner = R;
        const int cw = ClientWidth(), ch = ClientHeight();
        R = TRect{-SPosition, 0, -SPosition + std::max(SMax, cw), ch};
        if (FIndex == -1 || Designing()) {
            R.Top = 1;
            R.Bottom = ch - 1;
        } else if (!(BorderStyle() == TbsSkinBorderStyle::bvNone && ResizeMode == 1)) {
            R.Top = inner.Top;
            R.Bottom = inner.Bottom;
        }
    }
}

void TbsSkinToolBar::UpdateScroll()
{
    if (!FCanScroll || Width() == 0 || FUpdatingScroll)
        return;
    FUpdatingScroll = true;
    int a = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible())
            a = std::max(a, c->Left() + c->Width());
    }
    if (a != 0 && ClientWidth() < a + SPosition) {
        if (!Buttons[0].Visible)
            SetScrollButtonsVisible(true);
        const int cw = ClientWidth();
        const int p = SPosition;
        const int m = SPosition + a - 1;
        if (p > 0 && a < cw && FHSizeOffset > 0) {
            // The bar grew while scrolled: give the growth back to the content.
            FHSizeOffset = std::min(FHSizeOffset, p);
            SMax = m;
            SPosition -= FHSizeOffset;
            SPage = cw;
            ScrollContent(-FHSizeOffset);
        } else {
            if (FHSizeOffset != 0 || m >= SMax || p <= 0 || a >= cw) {
                SMax = m;
                SPage = cw;
            } else {
                // The content shrank while scrolled.
                SMax = m;
                SPosition = p + a - cw;
                SPage = cw;
                ScrollContent(a - cw);
            }
            FHSizeOffset = 0;
        }
        SOldPosition = SPosition;
    } else if (a != 0) {
        if (SPosition != 0)
            ScrollContent(-SPosition);
        FHSizeOffset = SMax = SPosition = SPage = SOldPosition = 0;
        SetScrollButtonsVisible(false);
    } else {
        SetScrollButtonsVisible(false);
    }
    FUpdatingScroll = false;
}

void TbsSkinToolBar::ScrollContent(int Delta)
{
    if (Delta != 0)
        ScrollBy(-Delta, 0);
}

void TbsSkinToolBar::SetScrollButtonsVisible(bool Value)
{
    if (Buttons[0].Visible == Value && Buttons[1].Visible == Value)
        return;
    Buttons[0].Visible = Buttons[1].Visible = Value;
    if (!Value) {
        Buttons[0].MouseIn = Buttons[1].MouseIn = false;
        Buttons[0].Down = Buttons[1].Down = false;
        StopTimer();
    }
    // The frame changes in place: the window keeps its children.
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TbsSkinToolBar::ScrollStep(int Direction)
{
    const int step = FScrollOffset != 0 ? FScrollOffset : ClientWidth();
    if (Direction == 1)
        SPosition = std::max(0, std::min(SPosition + step, SMax - SPage + 1));
    else
        SPosition = std::max(SPosition - step, 0);
    if (SPosition == SOldPosition) {
        StopTimer();
        return;
    }
    ScrollContent(SPosition - SOldPosition);
    SOldPosition = SPosition;
}

void TbsSkinToolBar::StartTimer(int Mode)
{
    TimerMode = Mode;
    if (HandleAllocated())
        SetTimer(Handle(), ScrollTimerId, UINT(FScrollTimerInterval));
}

void TbsSkinToolBar::StopTimer()
{
    if (TimerMode != 0 && HandleAllocated())
        KillTimer(Handle(), ScrollTimerId);
    TimerMode = 0;
}

// ------------------------------------------------------------------ arrows

void TbsSkinToolBar::DrawScrollButton(TCanvas& C, int I)
{
    const TArrow& a = Buttons[I];
    const int w = RectWidth(a.R), h = RectHeight(a.R);
    if (w <= 0 || h <= 0)
        return;
    TBitmap b(w, h);
    const bool downLook = (a.Down && a.MouseIn) || (a.MouseIn && FHotScroll);
    TColor arrow = clBtnText;
    GetSkinData();
    TBitmap* picture = ButtonData ? FSD->ActivePicture(ButtonData->PictureIndex) : nullptr;
    if (ButtonData && picture) {
        TbsElementGeometry g;
        g.CopyElement(*ButtonData, *FSD);
        int fw = w, fh = h;
        g.FitSize(fw, fh, true);
        TRect src = ButtonData->SkinRect;
        arrow = ButtonData->FontColor;
        if (!IsNullRect(ButtonData->DownSkinRect) && downLook) {
            src = ButtonData->DownSkinRect;
            arrow = ButtonData->DownFontColor;
        } else if (a.MouseIn && !IsNullRect(ButtonData->ActiveSkinRect)) {
            src = ButtonData->ActiveSkinRect;
            arrow = ButtonData->ActiveFontColor;
        }
        if (g.ResizeMode == 1)
            CreateSkinImage(g.Geometry(), b, *picture, src, w, h, true, g.LeftStretch, g.TopStretch,
                            g.RightStretch, g.BottomStretch, g.StretchEffect, g.StretchType);
        else
            CopyPiece(b, TRect{0, 0, w, h}, *picture, src);
    } else if (downLook) {
        DrawPlainFace(*b.Canvas(), TRect{0, 0, w, h}, PlainHotFrame, PlainDownFill);
    } else if (!a.MouseIn) {
        DrawPlainFace(*b.Canvas(), TRect{0, 0, w, h}, clBtnShadow, clBtnFace);
    } else {
        DrawPlainFace(*b.Canvas(), TRect{0, 0, w, h}, PlainHotFrame, PlainHotFill);
    }
    DrawArrow(*b.Canvas(), TRect{0, 0, w, h}, arrow, I == 0 ? 1 : 2);
    C.Draw(a.R.Left, a.R.Top, b);
}

void TbsSkinToolBar::DrawScrollButtons()
{
    if (!HandleAllocated() || !(Buttons[0].Visible || Buttons[1].Visible))
        return;
    HDC dc = GetWindowDC(Handle());
    if (!dc)
        return;
    TCanvas c;
    c.SetHandle(dc);
    for (int i = 0; i < 2; ++i)
        if (Buttons[i].Visible)
            DrawScrollButton(c, i);
    c.SetHandle(nullptr);
    ReleaseDC(Handle(), dc);
}

int TbsSkinToolBar::ArrowAt(WPARAM Hit) const
{
    if (Hit == WPARAM(HTLEFTARROW) && Buttons[0].Visible)
        return 0;
    if (Hit == WPARAM(HTRIGHTARROW) && Buttons[1].Visible)
        return 1;
    return -1;
}

void TbsSkinToolBar::CreateControlSkinImage(TBitmap& B)
{
    if ((Buttons[0].Visible || Buttons[1].Visible) && ResizeMode == 2 && Picture) {
        // The caps would show beside the arrows: the middle part only.
        CreateHSkinImageNoCaps(LTPt.X, RectWidth(SkinRect) - RTPt.X, B, *Picture, SkinRect, Width(), Height(),
                               StretchEffect);
        return;
    }
    TbsSkinPanel::CreateControlSkinImage(B);
}

void TbsSkinToolBar::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(Message); break;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: WMBoundsChanged(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_NCHITTEST: WMNCHitTest(Message); break;
    case WM_SETCURSOR: WMSetCursor(Message); break;
    case WM_WINDOWPOSCHANGING: WMWindowPosChanging(Message); break;
    case WM_TIMER: WMTimer(Message); break;
    case WM_NCMOUSEMOVE: WMNCMouseMove(Message); break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDown(Message); break;
    case WM_NCLBUTTONUP: WMNCLButtonUp(Message); break;
    case WM_MOUSEMOVE: WMMouseMove(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    default: TbsSkinPanel::WndProc(Message); break;
    }
}

// The scroll arrows sit in the non-client area, one arrow width at each side.
void TbsSkinToolBar::WMNCCalcSize(TMessage& Message)
{
    TbsSkinPanel::WndProc(Message);
    if (!FCanScroll)
        return;
    GetSkinData();
    TRect* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                              : reinterpret_cast<TRect*>(Message.LParam);
    if (Buttons[0].Visible)
        r->Left += ArrowWidth;
    if (Buttons[1].Visible)
        r->Right -= ArrowWidth;
}

// Resized or moved: the arrows follow the edges.
void TbsSkinToolBar::WMBoundsChanged(TMessage& Message)
{
    TbsSkinPanel::WndProc(Message);
    if (Buttons[0].Visible || Buttons[1].Visible) {
        Buttons[0].R = TRect{0, 0, ArrowWidth, Height()};
        Buttons[1].R = TRect{Width() - ArrowWidth, 0, Width(), Height()};
        DrawScrollButtons();
    }
}

void TbsSkinToolBar::WMNCPaint(TMessage& Message)
{
    TbsSkinPanel::WndProc(Message);
    if (FCanScroll)
        DrawScrollButtons();
}

void TbsSkinToolBar::WMNCHitTest(TMessage& Message)
{
    if (!Designing() && FCanScroll) {
        const TPoint p = ScreenToClient(LParamToPoint(Message.LParam));
        if (p.X < 0 && Buttons[0].Visible) {
            Message.Result = HTLEFTARROW;
            return;
        }
        if (p.X >= ClientWidth() && Buttons[1].Visible) {
            Message.Result = HTRIGHTARROW;
            return;
        }
    }
    TbsSkinPanel::WndProc(Message);
}

// Over an arrow the cursor is the client area's.
void TbsSkinToolBar::WMSetCursor(TMessage& Message)
{
    if (LOWORD(Message.LParam) == HTLEFTARROW || LOWORD(Message.LParam) == HTRIGHTARROW)
        Message.LParam = MAKELPARAM(HTCLIENT, HIWORD(Message.LParam));
    TbsSkinPanel::WndProc(Message);
}

void TbsSkinToolBar::WMWindowPosChanging(TMessage& Message)
{
    TbsSkinPanel::WndProc(Message);
    if (HandleAllocated() && FAdjustControls)
        CenterControls();
}

void TbsSkinToolBar::WMTimer(TMessage& Message)
{
    if (Message.WParam != ScrollTimerId) {
        TbsSkinPanel::WndProc(Message);
        return;
    }
    if (TimerMode == 1)
        ScrollStep(0);
    else if (TimerMode == 2)
        ScrollStep(1);
}

// Hovering an arrow lights it, and with hot scrolling starts scrolling that way.
void TbsSkinToolBar::WMNCMouseMove(TMessage& Message)
{
    const int i = FCanScroll ? ArrowAt(Message.WParam) : -1;
    if (i != -1 && !Buttons[i].MouseIn) {
        Buttons[i].MouseIn = true;
        Buttons[1 - i].MouseIn = false;
        DrawScrollButtons();
        if (FHotScroll)
            StartTimer(i + 1);
    }
    TbsSkinPanel::WndProc(Message);
}

// Pressing an arrow scrolls repeatedly until it is released.
void TbsSkinToolBar::WMNCLButtonDown(TMessage& Message)
{
    const int i = FCanScroll ? ArrowAt(Message.WParam) : -1;
    if (i == -1) {
        TbsSkinPanel::WndProc(Message);
        return;
    }
    Buttons[i].Down = true;
    Buttons[i].MouseIn = true;
    DrawScrollButtons();
    StartTimer(i + 1);
}

// Releasing an arrow stops the repeat and scrolls one more step.
void TbsSkinToolBar::WMNCLButtonUp(TMessage& Message)
{
    const int i = FCanScroll ? ArrowAt(Message.WParam) : -1;
    if (i == -1) {
        TbsSkinPanel::WndProc(Message);
        return;
    }
    Buttons[i].Down = false;
    DrawScrollButtons();
    StopTimer();
    ScrollStep(i);
}

// The mouse moved into the client area: no arrow is hot or pressed any more.
void TbsSkinToolBar::WMMouseMove(TMessage& Message)
{
    if (FCanScroll)
        for (auto& a : Buttons)
            if (a.Visible && a.MouseIn) {
                a.MouseIn = false;
                a.Down = false;
                StopTimer();
                DrawScrollButtons();
            }
    TbsSkinPanel::WndProc(Message);
}

// The mouse left the bar (not for one of its own children): arrows go back to rest.
void TbsSkinToolBar::CMMouseLeave(TMessage& Message)
{
    if (FCanScroll && !Designing()) {
        TPoint p;
        GetCursorPos(p);
        if (!HandleAllocated() || WindowFromPoint(p) != Handle()) {
            for (auto& a : Buttons)
                if (a.MouseIn) {
                    a.MouseIn = false;
                    a.Down = false;
                    StopTimer();
                }
            DrawScrollButtons();
        }
    }
    TbsSkinPanel::WndProc(Message);
}
