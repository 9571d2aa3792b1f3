#include "skin/controls/SkinScrollBar.h"
#include <algorithm>
#include <cmath>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/Timers.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Window.h"
#include "skin/data/SkinData.h"
#include "skin/draw/Marks.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "skin/controls/ControlPaint.h"
#include "platform/core/SysUtils.h"

namespace {

constexpr UINT_PTR ScrollRepeatTimer = 1;
constexpr int FirstRepeatDelay = 500;
constexpr int RepeatInterval = 50;
constexpr int PlainButtonSize = 17;
constexpr int PlainThumbSize = 16;

// Halves go to the even neighbour.
TRect OffsetRect(TRect R, int DX, int DY) { return TRect{R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }

}  // namespace

TbsSkinScrollBar::TbsSkinScrollBar(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    SetTabStop(false);
    SetBounds(Left(), Top(), 200, 19);
    SetDefaultHeight(19);
    FSkinDataName = "hscrollbar";
}

TbsSkinScrollBar::~TbsSkinScrollBar()
{
    if (HandleAllocated())
        KillTimer(Handle(), ScrollRepeatTimer);
}

// ------------------------------------------------------------ range

int TbsSkinScrollBar::Clamp(int Value) const
{
    const int hi = FPageSize > 0 ? FMax - FPageSize + 1 : FMax;
    // A page longer than the range still never leaves the position below Min.
    return std::clamp(Value, FMin, std::max(FMin, hi));
}

void TbsSkinScrollBar::RePaint()
{
    if (HandleAllocated())
        Repaint();
}

void TbsSkinScrollBar::SetPosition(int Value)
{
    const int v = Clamp(Value);
    if (v == FPosition)
        return;
    FPosition = v;
    RePaint();
    if (OnChange)
        OnChange(this);
}

void TbsSkinScrollBar::SimplySetPosition(int AValue)
{
    const int v = Clamp(AValue);
    if (v == FPosition)
        return;
    FPosition = v;
    RePaint();
}

void TbsSkinScrollBar::SetMin(int Value)
{
    FMin = Value;
    if (FPosition < FMin)
        FPosition = FMin;
    RePaint();
}

void TbsSkinScrollBar::SetMax(int Value)
{
    FMax = Value;
    FPosition = Clamp(FPosition);
    RePaint();
}

void TbsSkinScrollBar::SetPageSize(int Value)
{
    if (FMax - FMin + 1 >= Value + (FPosition - FMin))
        FPageSize = Value;
    RePaint();
}

void TbsSkinScrollBar::SetRange(int AMin, int AMax, int APosition, int APageSize)
{
    FMin = AMin;
    FMax = AMax;
    FPageSize = APageSize;
    FPosition = Clamp(APosition);
    RePaint();
}

void TbsSkinScrollBar::SetKind(TScrollBarKind Value)
{
    if (FKind == Value)
        return;
    FKind = Value;
    if (Designing() && !ComponentState().Contains(csLoading)) {
        if (FKind == sbVertical) {
            SetSkinDataName("vscrollbar");
            if (Width() > Height())
                SetBounds(Left(), Top(), Height(), Width());
            SetDefaultWidth(DefaultHeight());
            SetDefaultHeight(0);
        } else {
            SetSkinDataName("hscrollbar");
            if (Height() > Width())
                SetBounds(Left(), Top(), Height(), Width());
            SetDefaultHeight(DefaultWidth());
            SetDefaultWidth(0);
        }
    }
    RePaint();
}

void TbsSkinScrollBar::SetBoth(bool Value)
{
    if (FBoth == Value)
        return;
    FBoth = Value;
    if (!Designing()) {
        if (FBoth) {
            FNormalSkinDataName = FSkinDataName;
            SetSkinDataName(FBothSkinDataName);
        } else if (!FNormalSkinDataName.empty()) {
            SetSkinDataName(FNormalSkinDataName);
        }
    }
    GetSkinData();
    if (FIndex == -1)
        RePaint();
    else
        ChangeSkinData();
}

void TbsSkinScrollBar::SetBothMarkerWidth(int Value)
{
    if (Value < 0)
        return;
    FBothMarkerWidth = Value;
    if (FIndex == -1)
        RePaint();
}

void TbsSkinScrollBar::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

// ------------------------------------------------------------ skin

void TbsSkinScrollBar::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    if (FIndex == -1)
        return;
    const auto* e = dynamic_cast<const TbsDataSkinScrollBarControl*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!e)
        return;
    TrackArea = e->TrackArea;
    UpButtonRect = e->UpButtonRect;
    ActiveUpButtonRect = e->ActiveUpButtonRect;
    DownUpButtonRect = IsNullRect(e->DownUpButtonRect) ? ActiveUpButtonRect : e->DownUpButtonRect;
    DownButtonRect = e->DownButtonRect;
    ActiveDownButtonRect = e->ActiveDownButtonRect;
    DownDownButtonRect = IsNullRect(e->DownDownButtonRect) ? ActiveDownButtonRect : e->DownDownButtonRect;
    ThumbRect = e->ThumbRect;
    ActiveThumbRect = IsNullRect(e->ActiveThumbRect) ? ThumbRect : e->ActiveThumbRect;
    DownThumbRect = IsNullRect(e->DownThumbRect) ? ActiveThumbRect : e->DownThumbRect;
    ThumbOffset1 = e->ThumbOffset1;
    ThumbOffset2 = e->ThumbOffset2;
    ThumbTransparent = e->ThumbTransparent;
    ThumbTransparentColor = e->ThumbTransparentColor;
    ThumbStretchEffect = e->ThumbStretchEffect;
    ThumbMinSize = e->ThumbMinSize;
    ThumbMinPageSize = e->ThumbMinPageSize;
    GlyphRect = e->GlyphRect;
    ActiveGlyphRect = IsNullRect(e->ActiveGlyphRect) ? GlyphRect : e->ActiveGlyphRect;
    DownGlyphRect = IsNullRect(e->DownGlyphRect) ? ActiveGlyphRect : e->DownGlyphRect;
    GlyphTransparent = e->GlyphTransparent;
    GlyphTransparentColor = e->GlyphTransparentColor;
}

void TbsSkinScrollBar::FitSizeToSkin(int& AWidth, int& AHeight)
{
    TbsSkinCustomControl::FitSizeToSkin(AWidth, AHeight);
    CalcRects();
}

// ------------------------------------------------------------ geometry

// Places the thumb of length ThumbLen along [TrackStart, TrackEnd]; the
// position share k falls back to 1 (horizontal) or 0 (vertical) when the
// page leaves no room to move.
void TbsSkinScrollBar::LayoutThumb(int TrackStart, int TrackEnd, int ThumbLen, bool Vertical, bool DegenerateIsOne)
{
    (void)Vertical;
    if (FPageSize == 0) {
        const double k0 = FMax == FMin ? 0.0 : double(FPosition - FMin) / double(FMax - FMin);
        Offset1 = TrackStart + ThumbLen / 2;
        Offset2 = TrackEnd - ThumbLen / 2;
        BOffset = RoundToInt((Offset2 - Offset1) * k0);
    } else {
        const int room = FMax - FPageSize + 1 - FMin;
        const double k = room > 0 ? double(FPosition - FMin) / double(room) : (DegenerateIsOne ? 1.0 : 0.0);
        Offset1 = TrackStart + ThumbLen / 2;
        Offset2 = TrackEnd - ThumbLen / 2;
        BOffset = RoundToInt((Offset2 - Offset1) * k);
    }
}

void TbsSkinScrollBar::CalcRects()
{
    const bool vertical = FKind == sbVertical;
    const int count = FMax - FMin + 1;
    if (FIndex == -1) {
        const int W = Width(), H = Height();
        if (!vertical) {
            const int w = FBoth ? W - FBothMarkerWidth : W;
            Buttons[2].R = TRect{1, 1, PlainButtonSize, H - 1};
            Buttons[1].R = TRect{w - PlainButtonSize, 1, w - 1, H - 1};
            NewTrackArea = TRect{PlainButtonSize, 1, w - PlainButtonSize, H - 1};
        } else {
            Buttons[2].R = TRect{1, 1, W - 1, PlainButtonSize};
            Buttons[1].R = TRect{1, H - PlainButtonSize, W - 1, H - 1};
            NewTrackArea = TRect{1, PlainButtonSize, W - 1, H - PlainButtonSize};
        }
        const int L = vertical ? RectHeight(NewTrackArea) : RectWidth(NewTrackArea);
        int t = PlainThumbSize;
        if (FPageSize != 0)
            t = std::max(PlainThumbSize, count > 0 ? RoundToInt(double(L) * FPageSize / count) : 0);
        const int start = vertical ? NewTrackArea.Top : NewTrackArea.Left;
        const int end = vertical ? NewTrackArea.Bottom : NewTrackArea.Right;
        LayoutThumb(start, end, t, vertical, !vertical);
        const int c = Offset1 + BOffset;
        if (!vertical)
            Buttons[0].R = TRect{c - t / 2, NewTrackArea.Top, c + t / 2, NewTrackArea.Bottom};
        else
            Buttons[0].R = TRect{NewTrackArea.Left, c - t / 2, NewTrackArea.Right, c + t / 2};
        return;
    }
    int tw = RectWidth(ThumbRect), th = RectHeight(ThumbRect);
    if (!vertical) {
        if (ThumbMinSize != 0)
            tw = ThumbMinSize;
        const int dW = Width() - RectWidth(SkinRect);
        NewTrackArea = TrackArea;
        NewTrackArea.Right += dW;
        Buttons[1].R = UpButtonRect.Left > RTPt.X ? OffsetRect(UpButtonRect, dW, 0) : UpButtonRect;
        Buttons[2].R = DownButtonRect.Left > RTPt.X ? OffsetRect(DownButtonRect, dW, 0) : DownButtonRect;
        int t;
        if (FPageSize == 0) {
            if (ThumbMinPageSize != 0)
                tw = ThumbMinPageSize;
            t = tw;
        } else {
            t = std::max(tw, count > 0 ? RoundToInt(double(RectWidth(NewTrackArea)) * FPageSize / count) : 0);
        }
        LayoutThumb(NewTrackArea.Left, NewTrackArea.Right, t, false, true);
        const int c = Offset1 + BOffset;
        const int top = NewTrackArea.Top + RectHeight(NewTrackArea) / 2 - th / 2;
        Buttons[0].R = TRect{c - t / 2, top, c + t / 2, top + th};
    } else {
        if (ThumbMinSize != 0)
            th = ThumbMinSize;
        const int dH = Height() - RectHeight(SkinRect);
        NewTrackArea = TrackArea;
        NewTrackArea.Bottom += dH;
        Buttons[1].R = UpButtonRect.Top > LBPt.Y ? OffsetRect(UpButtonRect, 0, dH) : UpButtonRect;
        Buttons[2].R = DownButtonRect.Top > LBPt.Y ? OffsetRect(DownButtonRect, 0, dH) : DownButtonRect;
        int t;
        if (FPageSize == 0) {
            if (ThumbMinPageSize != 0)
                th = ThumbMinPageSize;
            t = th;
        } else {
            t = std::max(th, count > 0 ? RoundToInt(double(RectHeight(NewTrackArea)) * FPageSize / count) : 0);
        }
        LayoutThumb(NewTrackArea.Top, NewTrackArea.Bottom, t, true, false);
        const int c = Offset1 + BOffset;
        const int left = NewTrackArea.Left + RectWidth(NewTrackArea) / 2 - tw / 2;
        Buttons[0].R = TRect{left, c - t / 2, left + tw, c + t / 2};
    }
}

int TbsSkinScrollBar::CalcPosition(int Offset)
{
    const bool vertical = FKind == sbVertical;
    double s;
    if (FPageSize > 0) {
        const int len = vertical ? RectHeight(Buttons[0].R) : RectWidth(Buttons[0].R);
        const int start = vertical ? NewTrackArea.Top : NewTrackArea.Left;
        const int end = vertical ? NewTrackArea.Bottom : NewTrackArea.Right;
        Offset1 = start + len / 2;
        Offset2 = end - len / 2;
        s = Offset2 - Offset1 > 0 ? double(Offset + OldBOffset) / (Offset2 - Offset1) : 0.0;
        s = std::clamp(s, 0.0, 1.0);
        return FMin + RoundToInt((FMax - FMin - FPageSize + 1) * s);
    }
    s = Offset2 - Offset1 > 0 ? double(Offset) / (Offset2 - Offset1) : 0.0;
    s = std::clamp(s, 0.0, 1.0);
    return FMin + RoundToInt((FMax - FMin) * s);
}

// ------------------------------------------------------------ painting

void TbsSkinScrollBar::CreateControlDefaultImage(TBitmap& B)
{
    CalcRects();
    TCanvas& c = *B.Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBtnFace);
    c.FillRect(TRect{0, 0, Width(), Height()});
    if (Enabled())
        DrawButton(c, 0);
    DrawButton(c, 1);
    DrawButton(c, 2);
}

void TbsSkinScrollBar::CreateControlSkinImage(TBitmap& B)
{
    TbsSkinCustomControl::CreateControlSkinImage(B);
    CalcRects();
    TCanvas& c = *B.Canvas();
    DrawButton(c, 1);
    DrawButton(c, 2);
    if (Enabled())
        DrawButton(c, 0);
}

void TbsSkinScrollBar::DrawButton(TCanvas& C, int Part)
{
    const TPart& p = Buttons[Part];
    const TRect r = p.R;
    if (IsNullRect(r))
        return;
    const bool vertical = FKind == sbVertical;
    if (FIndex == -1) {
        const bool pressed = (p.Down && p.MouseIn) || (Part == 0 && (p.Down || FocusLook()));
        TColor frame = clBtnShadow, face = clBtnFace;
        if (pressed) {
            frame = PlainHotFrame;
            face = PlainDownFill;
        } else if (p.MouseIn) {
            frame = PlainHotFrame;
            face = PlainHotFill;
        }
        TRect fr = r;
        C.Frame3D(fr, frame, frame, 1);
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(face);
        C.FillRect(fr);
        if (Part == 1)
            DrawArrow(C, r, clBlack, vertical ? 4 : 2);
        else if (Part == 2)
            DrawArrow(C, r, clBlack, vertical ? 3 : 1);
        return;
    }
    if (!Picture)
        return;
    if (Part != 0) {
        TRect src;
        if (Part == 1)
            src = p.Down && p.MouseIn ? DownUpButtonRect : p.MouseIn ? ActiveUpButtonRect : TRect{};
        else
            src = p.Down && p.MouseIn ? DownDownButtonRect : p.MouseIn ? ActiveDownButtonRect : TRect{};
        if (IsNullRect(src))
            return;   // the normal state is part of the element's face
        TBitmap b(RectWidth(r), RectHeight(r));
        CopyPiece(b, TRect{0, 0, b.Width(), b.Height()}, *Picture, src);
        C.Draw(r.Left, r.Top, b);
        return;
    }
    const bool down = p.Down || FocusLook();
    const TRect state = down ? DownThumbRect : p.MouseIn ? ActiveThumbRect : ThumbRect;
    if (IsNullRect(state))
        return;
    const int w = RectWidth(r), h = RectHeight(r);
    TBitmap b;
    if (FPageSize != 0 || ThumbMinPageSize != 0) {
        if (!vertical)
            CreateHSkinImage(ThumbOffset1, ThumbOffset2, b, *Picture, state, w, h, ThumbStretchEffect);
        else
            CreateVSkinImage(ThumbOffset1, ThumbOffset2, b, *Picture, state, w, h, ThumbStretchEffect);
    } else {
        b.SetSize(w, h, false);
        CopyPiece(b, TRect{0, 0, w, h}, *Picture, state);
    }
    const TRect glyph = down ? DownGlyphRect : p.MouseIn ? ActiveGlyphRect : GlyphRect;
    const bool glyphFits = vertical ? RectHeight(glyph) < h : RectWidth(glyph) < w;
    if (!IsNullRect(glyph) && glyphFits) {
        TBitmap g(RectWidth(glyph), RectHeight(glyph));
        CopyPiece(g, TRect{0, 0, g.Width(), g.Height()}, *Picture, glyph);
        if (GlyphTransparent) {
            g.SetTransparentMode(tmFixed);
            g.SetTransparentColor(GlyphTransparentColor);
            g.SetTransparent(true);
        }
        b.Canvas()->Draw(w / 2 - g.Width() / 2, h / 2 - g.Height() / 2, g);
    }
    if (ThumbTransparent) {
        b.SetTransparentMode(tmFixed);
        b.SetTransparentColor(ThumbTransparentColor);
        b.SetTransparent(true);
    }
    C.Draw(r.Left, r.Top, b);
}

// ------------------------------------------------------------ mouse

void TbsSkinScrollBar::StartTimer(int Ms)
{
    if (HandleAllocated())
        SetTimer(Handle(), ScrollRepeatTimer, UINT(Ms));
}

void TbsSkinScrollBar::StopTimer()
{
    if (HandleAllocated())
        KillTimer(Handle(), ScrollRepeatTimer);
    TimerMode = 0;
}

void TbsSkinScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    MouseD = true;
    MX = X;
    MY = Y;
    CalcRects();
    TimerMode = 0;
    WaitMode = true;
    const TPoint pt{X, Y};
    for (int i = 0; i < 3; ++i)
        if (PtInRect(Buttons[i].R, pt)) {
            CaptureButton = i;
            ButtonDown(i);
            return;
        }
    if (!PtInRect(NewTrackArea, pt))
        return;
    const bool before = FKind == sbHorizontal ? X < Buttons[0].R.Left : Y < Buttons[0].R.Top;
    if (before) {
        SetPosition(FPosition - FLargeChange);
        TimerMode = 3;
        StartTimer(FirstRepeatDelay);
        if (OnPageUp)
            OnPageUp(this);
    } else {
        SetPosition(FPosition + FLargeChange);
        TimerMode = 4;
        StartTimer(FirstRepeatDelay);
        if (OnPageDown)
            OnPageDown(this);
    }
}

void TbsSkinScrollBar::ButtonDown(int Part)
{
    Buttons[Part].Down = true;
    RePaint();
    switch (Part) {
    case 1:
        if (OnUpButtonClick)
            OnUpButtonClick(this);
        else
            SetPosition(FPosition + FSmallChange);
        TimerMode = 2;
        StartTimer(FirstRepeatDelay);
        break;
    case 2:
        if (OnDownButtonClick)
            OnDownButtonClick(this);
        else
            SetPosition(FPosition - FSmallChange);
        TimerMode = 1;
        StartTimer(FirstRepeatDelay);
        break;
    default: {
        const TRect& t = Buttons[0].R;
        OMPos = FKind == sbHorizontal ? MX : MY;
        OldBOffset = BOffset;
        OldPosition = FPosition;
        if (FKind == sbHorizontal) {
            FScrollWidth = NewTrackArea.Right - t.Right;
            if (FScrollWidth <= 0)
                FScrollWidth = t.Left - NewTrackArea.Left;
        } else {
            FScrollWidth = NewTrackArea.Bottom - t.Bottom;
            if (FScrollWidth <= 0)
                FScrollWidth = t.Top - NewTrackArea.Top;
        }
        FDown = true;
        RePaint();
        break;
    }
    }
}

void TbsSkinScrollBar::ButtonUp(int Part)
{
    Buttons[Part].Down = false;
    if (ActiveButton != Part)
        Buttons[Part].MouseIn = false;
    RePaint();
    if (Part == 0)
        FDown = false;
    else
        StopTimer();
}

void TbsSkinScrollBar::ButtonEnter(int Part)
{
    Buttons[Part].MouseIn = true;
    RePaint();
    if (Part != 0 && Buttons[Part].Down)
        StartTimer(RepeatInterval);
}

void TbsSkinScrollBar::ButtonLeave(int Part)
{
    Buttons[Part].MouseIn = false;
    RePaint();
    if (Part != 0 && Buttons[Part].Down && HandleAllocated())
        KillTimer(Handle(), ScrollRepeatTimer);
}

void TbsSkinScrollBar::TestActive(int X, int Y)
{
    OldActiveButton = ActiveButton;
    ActiveButton = -1;
    for (int i = 0; i < 3; ++i)
        if (PtInRect(Buttons[i].R, TPoint{X, Y})) {
            ActiveButton = i;
            break;
        }
    if (CaptureButton != -1 && ActiveButton != CaptureButton && ActiveButton != -1)
        ActiveButton = -1;
    if (ActiveButton == OldActiveButton)
        return;
    if (OldActiveButton != -1)
        ButtonLeave(OldActiveButton);
    if (ActiveButton != -1)
        ButtonEnter(ActiveButton);
}

void TbsSkinScrollBar::MouseMove(TShiftState Shift, int X, int Y)
{
    MX = X;
    MY = Y;
    CalcRects();
    TestActive(X, Y);
    if (FDown) {
        const int coord = FKind == sbHorizontal ? X : Y;
        const int a = FPageSize > 0 ? coord - OMPos : coord + OldBOffset - OMPos;
        SetPosition(CalcPosition(a));
    }
    TbsSkinCustomControl::MouseMove(Shift, X, Y);
}

void TbsSkinScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    MouseD = false;
    if (TimerMode == 3 || TimerMode == 4)
        StopTimer();
    const int captured = CaptureButton;
    if (captured != -1)
        ButtonUp(captured);
    if (captured == 0 && OnLastChange)
        OnLastChange(this);
    CaptureButton = -1;
}

void TbsSkinScrollBar::OnTimer()
{
    if (WaitMode) {
        WaitMode = false;
        StartTimer(RepeatInterval);
        return;
    }
    switch (TimerMode) {
    case 1:
        if (OnDownButtonClick)
            OnDownButtonClick(this);
        else
            SetPosition(FPosition - FSmallChange);
        break;
    case 2:
        if (OnUpButtonClick)
            OnUpButtonClick(this);
        else
            SetPosition(FPosition + FSmallChange);
        break;
    case 3:
        CalcRects();
        TestActive(MX, MY);
        if (FKind == sbHorizontal ? MX < Buttons[0].R.Left : MY < Buttons[0].R.Top) {
            SetPosition(FPosition - FLargeChange);
            if (OnPageUp)
                OnPageUp(this);
        } else {
            StopTimer();
        }
        break;
    case 4:
        CalcRects();
        TestActive(MX, MY);
        if (FKind == sbHorizontal ? MX > Buttons[0].R.Right : MY > Buttons[0].R.Bottom) {
            SetPosition(FPosition + FLargeChange);
            if (OnPageDown)
                OnPageDown(this);
        } else {
            StopTimer();
        }
        break;
    default: break;
    }
}

void TbsSkinScrollBar::KeyDown(WORD& Key, TShiftState Shift)
{
    TbsSkinCustomControl::KeyDown(Key, Shift);
    if (!FCanFocused)
        return;
    if (Key == VK_LEFT || Key == VK_UP)
        SetPosition(FPosition - FSmallChange);
    else if (Key == VK_RIGHT || Key == VK_DOWN)
        SetPosition(FPosition + FSmallChange);
}

void TbsSkinScrollBar::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER:
        TbsSkinCustomControl::WndProc(Message);
        if (Message.WParam == ScrollRepeatTimer)
            OnTimer();
        return;
    case WM_MOUSEWHEEL:
        if (FCanFocused && Focused()) {
            if (GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0)
                SetPosition(FPosition - FSmallChange);
            else
                SetPosition(FPosition + FSmallChange);
            return;
        }
        break;
    case CM_WANTSPECIALKEY:
        if (FCanFocused && (Message.WParam == VK_LEFT || Message.WParam == VK_RIGHT || Message.WParam == VK_UP ||
                            Message.WParam == VK_DOWN)) {
            Message.Result = 1;
            return;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FCanFocused && !Designing() && !Focused()) {
            FClicksDisabled = true;
            if (CanFocus())
                SetFocus();
            FClicksDisabled = false;
            if (!Focused())
                return;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TbsSkinCustomControl::WndProc(Message);
        if (FCanFocused)
            RePaint();
        return;
    case CM_ENABLEDCHANGED:
        TbsSkinCustomControl::WndProc(Message);
        RePaint();
        return;
    case CM_MOUSELEAVE:
        TbsSkinCustomControl::WndProc(Message);
        if (Designing() || Message.LParam != 0)
            return;
        if (ActiveButton != -1 && CaptureButton == -1 && !FDown) {
            Buttons[ActiveButton].MouseIn = false;
            ActiveButton = -1;
            RePaint();
        }
        // Leaving the bar with the button held ends a page repeat in either
        // direction, as leaving a held step button pauses its repeat.
        if (MouseD && (TimerMode == 3 || TimerMode == 4))
            StopTimer();
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
