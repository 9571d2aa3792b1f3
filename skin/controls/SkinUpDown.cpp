#include "skin/controls/SkinUpDown.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/Timers.h"
#include "platform/ui/Window.h"
#include "skin/data/SkinData.h"
#include "skin/draw/ButtonFace.h"
#include "skin/draw/Marks.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "skin/controls/ControlPaint.h"

namespace {

constexpr UINT_PTR SpinRepeatTimer = 1;
constexpr int SpinFirstDelay = 500;
constexpr int SpinInterval = 100;
constexpr int SpinReturnInterval = 50;
constexpr int ArrowLeft = 1, ArrowRight = 2, ArrowUp = 3, ArrowDown = 4;

}  // namespace

TbsSkinUpDown::TbsSkinUpDown(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    FSkinDataName = "hupdown";
    SetBounds(Left(), Top(), 50, 25);
}

TbsSkinUpDown::~TbsSkinUpDown()
{
    if (HandleAllocated())
        KillTimer(Handle(), SpinRepeatTimer);
}

// ------------------------------------------------------------ values

void TbsSkinUpDown::SetOrientation(TUDOrientation Value)
{
    FOrientation = Value;
    if (Designing() && !ComponentState().Contains(csLoading))
        FSkinDataName = Value == udVertical ? "vupdown" : "hupdown";
    RePaint();
}

void TbsSkinUpDown::SetPosition(int Value)
{
    if (Value > FMax || Value < FMin)
        return;
    FPosition = Value;
    if (!Designing() && OnChange)
        OnChange(this);
}

void TbsSkinUpDown::SetMin(int Value)
{
    FMin = Value;
    if (FPosition < FMin)
        FPosition = FMin;
}

void TbsSkinUpDown::SetMax(int Value)
{
    FMax = Value;
    if (FPosition > FMax)
        FPosition = FMax;
}

void TbsSkinUpDown::RePaint()
{
    if (HandleAllocated())
        Repaint();
}

// ------------------------------------------------------------ skin and layout

void TbsSkinUpDown::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    if (FIndex != -1) {
        if (const auto* e = dynamic_cast<const TbsDataSkinUpDownControl*>(FSD->CtrlList[size_t(FIndex)].get())) {
            UpButtonRect = e->UpButtonRect;
            ActiveUpButtonRect = e->ActiveUpButtonRect;
            DownUpButtonRect = IsNullRect(e->DownUpButtonRect) ? ActiveUpButtonRect : e->DownUpButtonRect;
            DownButtonRect = e->DownButtonRect;
            ActiveDownButtonRect = e->ActiveDownButtonRect;
            DownDownButtonRect = IsNullRect(e->DownDownButtonRect) ? ActiveDownButtonRect : e->DownDownButtonRect;
            LTPt = RTPt = LBPt = RBPt = TPoint{0, 0};
            NullRect(ClRect);
        }
    }
    CalcRects();
}

void TbsSkinUpDown::CalcRects()
{
    const int W = Width(), H = Height();
    if (FIndex != -1 && FUseSkinSize) {
        Buttons[0].R = UpButtonRect;
        Buttons[1].R = DownButtonRect;
    } else if (FOrientation == udVertical) {
        Buttons[0].R = TRect{0, 0, W, H / 2};
        Buttons[1].R = TRect{0, H / 2, W, H};
    } else {
        Buttons[1].R = TRect{0, 0, W / 2, H};
        Buttons[0].R = TRect{W / 2, 0, W, H};
    }
}

// Without UseSkinSize the control keeps the size it is given.
void TbsSkinUpDown::FitSizeToSkin(int& AWidth, int& AHeight)
{
    if (FUseSkinSize)
        TbsSkinCustomControl::FitSizeToSkin(AWidth, AHeight);
}

void TbsSkinUpDown::UpdateSkinRegion()
{
    if (FUseSkinSize)
        TbsSkinCustomControl::UpdateSkinRegion();
}

// ------------------------------------------------------------ painting

int TbsSkinUpDown::ArrowDirection(int I) const
{
    if (FOrientation == udVertical)
        return I == 0 ? ArrowUp : ArrowDown;
    return I == 0 ? ArrowRight : ArrowLeft;
}

void TbsSkinUpDown::CreateControlDefaultImage(TBitmap& B)
{
    CalcRects();
    DrawButton(*B.Canvas(), 0);
    DrawButton(*B.Canvas(), 1);
}

void TbsSkinUpDown::CreateControlSkinImage(TBitmap& B)
{
    if (FUseSkinSize) {
        TbsSkinCustomControl::CreateControlSkinImage(B);
        DrawButton(*B.Canvas(), 0);
        DrawButton(*B.Canvas(), 1);
    } else {
        DrawResizeButton(*B.Canvas(), 0);
        DrawResizeButton(*B.Canvas(), 1);
    }
}

void TbsSkinUpDown::DrawButton(TCanvas& C, int I)
{
    const TSpinButton& b = Buttons[I];
    const bool pressed = b.Down && b.MouseIn;
    const bool hot = b.MouseIn;
    if (FIndex == -1) {
        TColor frame = clBtnShadow, face = clBtnFace;
        if (pressed) {
            frame = PlainHotFrame;
            face = PlainDownFill;
        } else if (hot) {
            frame = PlainHotFrame;
            face = PlainHotFill;
        }
        TRect r = b.R;
        C.Frame3D(r, frame, frame, 1);
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(face);
        C.FillRect(r);
        DrawArrow(C, b.R, clBlack, ArrowDirection(I));
        return;
    }
    if (!Picture || !(pressed || hot))
        return;   // the normal state is part of the element's face
    const TRect src = I == 0 ? (pressed ? DownUpButtonRect : ActiveUpButtonRect)
                             : (pressed ? DownDownButtonRect : ActiveDownButtonRect);
    if (IsNullRect(src) || IsNullRect(b.R))
        return;
    TBitmap face(RectWidth(b.R), RectHeight(b.R));
    CopyPiece(face, TRect{0, 0, face.Width(), face.Height()}, *Picture, src);
    C.Draw(b.R.Left, b.R.Top, face);
}

void TbsSkinUpDown::DrawResizeButton(TCanvas& C, int I)
{
    const TSpinButton& b = Buttons[I];
    if (IsNullRect(b.R))
        return;
    const bool pressed = b.Down && b.MouseIn;
    const bool hot = b.MouseIn;
    const TbsDataSkinButtonControl* e = FSD ? FindButtonElement(*FSD, {"resizebutton"}) : nullptr;
    if (!e || !DrawButtonFace(C, b.R, *FSD, *e, pressed, hot)) {
        TBitmap blank(RectWidth(b.R), RectHeight(b.R));
        C.Draw(b.R.Left, b.R.Top, blank);
        return;
    }
    const TColor color = pressed ? e->DownFontColor : hot ? e->ActiveFontColor : e->FontColor;
    TRect r = b.R;
    if (pressed) {
        r.Left += 2;
        r.Top += 2;
    }
    DrawArrow(C, r, color, ArrowDirection(I));
}

// ------------------------------------------------------------ mouse and repeat

void TbsSkinUpDown::StartTimer(int Ms)
{
    if (!HandleAllocated())
        return;
    KillTimer(Handle(), SpinRepeatTimer);
    SetTimer(Handle(), SpinRepeatTimer, UINT(Ms));
}

void TbsSkinUpDown::StopTimer()
{
    if (HandleAllocated())
        KillTimer(Handle(), SpinRepeatTimer);
    TimerMode = 0;
}

void TbsSkinUpDown::TestActive(int X, int Y)
{
    OldActiveButton = ActiveButton;
    ActiveButton = -1;
    for (int i = 0; i < 2; ++i)
        if (PointInsideRect(Buttons[i].R, TPoint{X, Y})) {
            ActiveButton = i;
            break;
        }
    // While a button is held the other one cannot become hot.
    if (CaptureButton != -1 && ActiveButton != CaptureButton)
        ActiveButton = -1;
    if (ActiveButton == OldActiveButton)
        return;
    if (OldActiveButton != -1)
        ButtonLeave(OldActiveButton);
    if (ActiveButton != -1)
        ButtonEnter(ActiveButton);
}

void TbsSkinUpDown::ButtonDown(int I)
{
    Buttons[I].MouseIn = true;
    Buttons[I].Down = true;
    RePaint();
    if (FIncrement != 0) {
        TimerMode = I == 0 ? 2 : 1;
        WaitMode = true;
        StartTimer(SpinFirstDelay);
    }
}

void TbsSkinUpDown::ButtonUp(int I)
{
    if (FIncrement != 0)
        StopTimer();
    Buttons[I].Down = false;
    if (ActiveButton != I)
        Buttons[I].MouseIn = false;
    RePaint();
    if (!Buttons[I].MouseIn)
        return;   // released away from the button: no step, no click
    if (I == 0) {
        if (FIncrement != 0)
            SetPosition(FPosition + FIncrement);
        if (OnUpButtonClick)
            OnUpButtonClick(this);
    } else {
        if (FIncrement != 0)
            SetPosition(FPosition - FIncrement);
        if (OnDownButtonClick)
            OnDownButtonClick(this);
    }
}

void TbsSkinUpDown::ButtonEnter(int I)
{
    Buttons[1 - I].MouseIn = false;
    Buttons[I].MouseIn = true;
    RePaint();
    if (FIncrement != 0 && Buttons[I].Down)
        StartTimer(SpinReturnInterval);
}

void TbsSkinUpDown::ButtonLeave(int I)
{
    Buttons[I].MouseIn = false;
    RePaint();
    if (FIncrement != 0 && Buttons[I].Down && HandleAllocated())
        KillTimer(Handle(), SpinRepeatTimer);
}

void TbsSkinUpDown::OnTimer()
{
    if (WaitMode) {
        WaitMode = false;
        StartTimer(SpinInterval);
        return;
    }
    if (TimerMode == 1)
        SetPosition(FPosition - FIncrement);
    else if (TimerMode == 2)
        SetPosition(FPosition + FIncrement);
}

void TbsSkinUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    CalcRects();
    TestActive(X, Y);
    Buttons[ActiveButton == 0 ? 1 : 0].MouseIn = false;
    if (ActiveButton != -1) {
        CaptureButton = ActiveButton;
        ButtonDown(ActiveButton);
    }
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TbsSkinUpDown::MouseMove(TShiftState Shift, int X, int Y)
{
    CalcRects();
    TestActive(X, Y);
    TbsSkinCustomControl::MouseMove(Shift, X, Y);
}

void TbsSkinUpDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (CaptureButton != -1)
        ButtonUp(CaptureButton);
    CaptureButton = -1;
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TbsSkinUpDown::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER:
        TbsSkinCustomControl::WndProc(Message);
        OnTimer();
        return;
    case WM_SIZE:
        TbsSkinCustomControl::WndProc(Message);
        CalcRects();
        return;
    case CM_MOUSEENTER:
        ActiveButton = OldActiveButton = -1;
        TbsSkinCustomControl::WndProc(Message);
        return;
    case CM_MOUSELEAVE:
        ActiveButton = OldActiveButton = -1;
        TbsSkinCustomControl::WndProc(Message);
        // Leaving with a button held pauses its repeat as moving off it does.
        for (int i = 0; i < 2; ++i)
            if (Buttons[i].MouseIn)
                ButtonLeave(i);
        return;
    case WM_ERASEBKGND:
        if (!FromWMPaint && Message.WParam)
            PaintFaceTo(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
    default: break;
    }
    TbsSkinCustomControl::WndProc(Message);
}
