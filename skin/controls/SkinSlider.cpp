#include "skin/controls/SkinSlider.h"
#include <algorithm>
#include <cmath>
#include "platform/gfx/Canvas.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Timers.h"
#include "platform/ui/Window.h"
#include "skin/data/SkinData.h"
#include "skin/draw/Marks.h"
#include "skin/draw/ParentImage.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "platform/core/SysUtils.h"

namespace {

constexpr UINT_PTR JumpTimerId = 1;
constexpr int JumpInterval = 400;
constexpr int Margin = 6;

TbsSliderPictureLoader& Loader()
{
    static TbsSliderPictureLoader loader;
    return loader;
}

const char* const DefaultNames[] = {"BS_HTB", "BS_HRL", "BS_VTB", "BS_VRL"};

// Plain stand-ins of the default sizes when no picture library is installed:
// a framed thumb per state on the key colour, a sunken groove.
void DrawFallback(TbsSliderImage Index, TBitmap& B)
{
    const TSize sizes[] = {{18, 17}, {10, 8}, {38, 9}, {8, 10}};
    B.SetSize(sizes[Index].cx, sizes[Index].cy, false);
    TCanvas& c = *B.Canvas();
    c.Brush().SetStyle(bsSolid);
    if (Index == siHThumb || Index == siVThumb) {
        B.Fill(RGB(255, 0, 255));
        const int w = B.Width() / 2;
        for (int s = 0; s < 2; ++s) {
            TRect r{s * w + 1, 0, s * w + w - 1, B.Height()};
            c.Brush().SetColor(s ? RGB(160, 160, 160) : clBtnFace);
            c.FillRect(r);
            c.Frame3D(r, clBtnHighlight, clBtnShadow, 1);
        }
    } else {
        B.Fill(clBtnFace);
        TRect r{0, 0, B.Width(), B.Height()};
        if (Index == siHRuler)
            r = TRect{0, 2, B.Width(), B.Height() - 2};
        else
            r = TRect{2, 0, B.Width() - 2, B.Height()};
        c.Frame3D(r, clBtnShadow, clBtnHighlight, 1);
        c.Brush().SetColor(clWindow);
        c.FillRect(r);
    }
}

}  // namespace

void SetSliderPictureLoader(TbsSliderPictureLoader L) { Loader() = std::move(L); }

TbsSkinCustomSlider::TbsSkinCustomSlider(TComponent* AOwner) : TbsSkinControl(AOwner)
{
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks});
    SetTabStop(true);
    SetBounds(Left(), Top(), 150, 40);
    for (TbsSliderImage i : {siHThumb, siHRuler, siVThumb, siVRuler})
        LoadDefaultImage(i);
    FSkinDataName = "slider";
    FCreating = false;
    AdjustElements();
}

TbsSkinCustomSlider::~TbsSkinCustomSlider()
{
    OnChange = nullptr;
    OnChanged = nullptr;
    OnDrawPoints = nullptr;
    if (HandleAllocated())
        KillTimer(Handle(), JumpTimerId);
}

void TbsSkinCustomSlider::LoadDefaultImage(TbsSliderImage Index)
{
    TBitmap b;
    if (Loader() && Loader()(DefaultNames[Index], b) && !b.Empty())
        FImages[Index] = b;
    else
        DrawFallback(Index, FImages[Index]);
}

void TbsSkinCustomSlider::AssignImageByIndex(TbsSliderImage Index, const TBitmap* Bitmap)
{
    if (Bitmap) {
        FImages[Index] = *Bitmap;
        FUserImages.Include(Index);
    } else {
        LoadDefaultImage(Index);
        FUserImages.Exclude(Index);
        if (Index == siHThumb || Index == siVThumb)
            FOptions.Exclude(soThumbOpaque);
        else
            FOptions.Exclude(soRulerOpaque);
        Invalidate();
    }
    if (!FCreating)
        AdjustElements();
}

// ------------------------------------------------------------ skin

void TbsSkinCustomSlider::ReleaseSkinElement()
{
    TbsSkinControl::ReleaseSkinElement();
    Picture = nullptr;
}

void TbsSkinCustomSlider::GetSkinData()
{
    TbsSkinControl::GetSkinData();
    Picture = nullptr;
    if (FIndex == -1)
        return;
    const auto* e = dynamic_cast<const TbsDataSkinSlider*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!e)
        return;
    Picture = FSD->ActivePicture(e->PictureIndex);
    HRulerRect = e->HRulerRect;
    HThumbRect = e->HThumbRect;
    VRulerRect = e->VRulerRect;
    VThumbRect = e->VThumbRect;
    SkinEdgeSize = e->EdgeSize;
    BGColor = e->BGColor;
    PointsColor = e->PointsColor;
}

void TbsSkinCustomSlider::ChangeSkinData()
{
    TbsSkinControl::ChangeSkinData();
    AdjustElements();
}

// ------------------------------------------------------------ values

int TbsSkinCustomSlider::HThumbWidth() const
{
    return SkinThumb() ? RectWidth(HThumbRect) / 2 : FImages[siHThumb].Width() / FNumThumbStates;
}
int TbsSkinCustomSlider::HThumbHeight() const
{
    return SkinThumb() ? RectHeight(HThumbRect) : FImages[siHThumb].Height();
}
int TbsSkinCustomSlider::VThumbWidth() const
{
    return SkinThumb() ? RectWidth(VThumbRect) / 2 : FImages[siVThumb].Width() / FNumThumbStates;
}
int TbsSkinCustomSlider::VThumbHeight() const
{
    return SkinThumb() ? RectHeight(VThumbRect) : FImages[siVThumb].Height();
}

int TbsSkinCustomSlider::RulerLength() const
{
    return FOrientation == soHorizontal ? FRuler.Width() - HThumbWidth() : FRuler.Height() - VThumbHeight();
}

int TbsSkinCustomSlider::Base() const
{
    const TRect r = const_cast<TbsSkinCustomSlider*>(this)->GetSliderRect();
    return (FOrientation == soHorizontal ? r.Left : r.Top) + Margin;
}

// A slider without ruler length or without a range puts the thumb at the
// base and reads MinValue: nothing divides by zero.
int TbsSkinCustomSlider::GetOffsetByValue(int V) const
{
    const TRect r = const_cast<TbsSkinCustomSlider*>(this)->GetSliderRect();
    const int base = Base(), len = RulerLength(), range = FMaxValue - FMinValue;
    int p = base;
    if (len > 0 && range > 0)
        p = base + RoundToInt(double(len) * (V - FMinValue) / range);
    if (FOrientation == soVertical)
        p = r.Top + r.Bottom - p - VThumbHeight();
    return std::max(p, base);
}

int TbsSkinCustomSlider::GetValueByOffset(int P) const
{
    const TRect r = const_cast<TbsSkinCustomSlider*>(this)->GetSliderRect();
    const int len = RulerLength(), range = FMaxValue - FMinValue;
    if (len <= 0 || range <= 0)
        return FMinValue;
    if (FOrientation == soVertical)
        P = r.Top + r.Bottom - P - VThumbHeight();
    const int start = (FOrientation == soHorizontal ? r.Left : r.Top) + Margin;
    int v = RoundToInt(double(P - start) * range / len);
    if (!FOptions.Contains(soSmooth) && FIncrement > 0)
        v = RoundToInt(double(v) / FIncrement) * FIncrement;
    return std::min(std::max(v, 0) + FMinValue, FMaxValue);
}

void TbsSkinCustomSlider::AdjustOffset(int& P, TPoint& TopLeft) const
{
    const int base = Base(), len = std::max(RulerLength(), 0);
    P = std::clamp(P, base, base + len);
    P = GetOffsetByValue(GetValueByOffset(P));
    P = std::min(P, base + len);
    TopLeft = FOrientation == soHorizontal ? TPoint{P, FThumbRect.Top} : TPoint{FThumbRect.Left, P};
}

void TbsSkinCustomSlider::SetThumbOffset(int P)
{
    const int kept = FValue;
    TPoint tl;
    AdjustOffset(P, tl);
    const int w = RectWidth(FThumbRect), h = RectHeight(FThumbRect);
    FThumbRect = TRect{tl.X, tl.Y, tl.X + w, tl.Y + h};
    Invalidate();
    if (FSliding) {
        FValue = GetValueByOffset(P);
        if (FValue != kept)
            Change();
    }
}

void TbsSkinCustomSlider::SetValue(int V)
{
    if (V > FMaxValue)
        V = FMaxValue;
    if (V < FMinValue)
        V = FMinValue;
    const int old = FValue;
    FValue = V;
    SetThumbOffset(GetOffsetByValue(V));
    if (V != old)
        Change();
}

void TbsSkinCustomSlider::SetMinMax(int AMin, int AMax)
{
    const bool reading = ComponentState().Contains(csReading);
    if (!reading && AMin >= AMax)
        return;
    FMinValue = AMin;
    FMaxValue = AMax;
    if (!reading && AMax < AMin + FIncrement)
        FIncrement = AMax - AMin;
    if (FOptions.Contains(soShowPoints))
        Invalidate();
    SetValue(FValue);
    RangeChanged();
}

void TbsSkinCustomSlider::SetMinValue(int V)
{
    if (V != FMinValue)
        SetMinMax(V, FMaxValue);
}

void TbsSkinCustomSlider::SetMaxValue(int V)
{
    if (V != FMaxValue)
        SetMinMax(FMinValue, V);
}

void TbsSkinCustomSlider::SetIncrement(int V)
{
    if (V <= 0 || V == FIncrement)
        return;
    FIncrement = V;
    SetValue(FValue);
    Invalidate();
}

void TbsSkinCustomSlider::SetOrientation(TbsSliderOrientation V)
{
    if (V == FOrientation)
        return;
    FOrientation = V;
    AdjustElements();
    if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csUpdating))
        SetBounds(Left(), Top(), Height(), Width());
}

void TbsSkinCustomSlider::SetOptions(TbsSliderOptions V)
{
    if (V == FOptions)
        return;
    FOptions = V;
    Invalidate();
}

void TbsSkinCustomSlider::SetEdgeSize(int V)
{
    const int len = FOrientation == soHorizontal ? FImages[siHRuler].Width() : FImages[siVRuler].Height();
    if (2 * V >= len || V == FEdgeSize)
        return;
    FEdgeSize = V;
    AdjustElements();
}

void TbsSkinCustomSlider::SetNumThumbStates(int V)
{
    if (V < 1 || V > 2 || V == FNumThumbStates)
        return;
    FNumThumbStates = V;
    AdjustElements();
}

void TbsSkinCustomSlider::SetTransparent(bool V)
{
    FTransparent = V;
    Invalidate();
}

// ------------------------------------------------------------ layout

void TbsSkinCustomSlider::BuildSkinRuler(const TRect& R)
{
    if (FOrientation == soHorizontal)
        CreateHSkinImage(SkinEdgeSize, SkinEdgeSize, FRuler, *Picture, HRulerRect, std::max(RectWidth(R) - 12, 0),
                         RectHeight(HRulerRect), false);
    else
        CreateVSkinImage(SkinEdgeSize, SkinEdgeSize, FRuler, *Picture, VRulerRect, RectWidth(VRulerRect),
                         std::max(RectHeight(R) - 12, 0), false);
}

// The ruler image's caps kept, its middle repeated along the bar.
void TbsSkinCustomSlider::BuildRuler(const TRect& R)
{
    const bool horz = FOrientation == soHorizontal;
    const TBitmap& img = FImages[horz ? siHRuler : siVRuler];
    const int E = FEdgeSize;
    const int rulerLen = std::max(horz ? RectWidth(R) - 12 : RectHeight(R) - 12, 0);
    if (horz)
        FRuler.SetSize(rulerLen, img.Height(), false);
    else
        FRuler.SetSize(img.Width(), rulerLen, false);
    const int imgLen = horz ? img.Width() : img.Height();
    const int L = rulerLen - 2 * E, piece = imgLen - 2 * E;
    if (rulerLen <= 0 || piece <= 0 || L < 0)
        return;
    TCanvas& c = *FRuler.Canvas();
    auto copy = [&](int Dst, int Src, int Len) {
        if (Len <= 0)
            return;
        if (horz)
            c.CopyRect(TRect{Dst, 0, Dst + Len, img.Height()}, *const_cast<TBitmap&>(img).Canvas(),
                       TRect{Src, 0, Src + Len, img.Height()});
        else
            c.CopyRect(TRect{0, Dst, img.Width(), Dst + Len}, *const_cast<TBitmap&>(img).Canvas(),
                       TRect{0, Src, img.Width(), Src + Len});
    };
    const int n = L / piece, rest = L % piece;
    copy(0, 0, std::min(imgLen - E, rulerLen));
    for (int i = 1; i < n; ++i)
        copy(E + i * piece, E, piece);
    copy(E + n * piece, E + piece - rest, E + rest);
}

void TbsSkinCustomSlider::AdjustElements()
{
    if (FCreating)
        return;
    GetSkinData();
    const int kept = FValue;
    const TRect R = GetSliderRect();
    if (Skinned())
        BuildSkinRuler(R);
    else
        BuildRuler(R);
    if (FOrientation == soHorizontal) {
        const int th = HThumbHeight(), tw = HThumbWidth(), rh = FRuler.Height();
        if (th > rh) {
            FThumbRect = TRect{R.Left + Margin, R.Top + Margin, R.Left + Margin + tw, R.Top + Margin + th};
            FRulerOrg = TPoint{R.Left + Margin, R.Top + Margin + (th - rh) / 2};
            FPointsRect = TRect{FRulerOrg.X, R.Top + th + 7, FRulerOrg.X + FRuler.Width(), R.Bottom - R.Top - 1};
        } else {
            const int top = R.Top + Margin + (rh - th) / 2;
            FThumbRect = TRect{R.Left + Margin, top, R.Left + Margin + tw, top + th};
            FRulerOrg = TPoint{R.Left + Margin, R.Top + Margin};
            FPointsRect = TRect{FRulerOrg.X, R.Top + rh + 7, FRulerOrg.X + FRuler.Width(), R.Bottom - R.Top - 1};
        }
    } else {
        const int tw = VThumbWidth(), vth = VThumbHeight(), rw = FRuler.Width();
        if (tw > rw) {
            FThumbRect = TRect{R.Left + Margin, R.Top + Margin, R.Left + Margin + tw, R.Top + Margin + vth};
            FRulerOrg = TPoint{R.Left + Margin + (tw - rw) / 2, R.Top + Margin};
            FPointsRect = TRect{R.Left + tw + 7, FRulerOrg.Y, R.Right - R.Left - 1, FRulerOrg.Y + FRuler.Height()};
        } else {
            const int left = R.Left + Margin + (rw - tw) / 2;
            FThumbRect = TRect{left, R.Top + Margin, left + tw, R.Top + Margin + vth};
            FRulerOrg = TPoint{R.Left + Margin, R.Top + Margin};
            FPointsRect = TRect{R.Left + rw + 7, FRulerOrg.Y, R.Right - R.Left - 1, FRulerOrg.Y + FRuler.Height()};
        }
    }
    SetValue(kept);
    Invalidate();
}

void TbsSkinCustomSlider::Resize()
{
    TbsSkinControl::Resize();
    if (!ComponentState().Contains(csReading))
        AdjustElements();
}

// ------------------------------------------------------------ painting

void TbsSkinCustomSlider::DrawPoints(TCanvas& C, int Step, int NormalHeight, int ExtremeHeight)
{
    const int range = FMaxValue - FMinValue, len = RulerLength();
    if (Step <= 0 || range <= 0 || len <= 0)
        return;
    C.Pen().SetColor(Skinned() ? PointsColor : clWindowText);
    int h = 1, m = 0;
    for (;; ++h) {
        m = RoundToInt(double(range) / (double(Step) * h));
        const int spacing = m >= 1 ? len / m : len;
        if (spacing >= 4 || spacing >= len)
            break;
    }
    const bool horz = FOrientation == soHorizontal;
    const int tw = HThumbWidth(), vth = VThumbHeight();
    for (int i = 0; i <= m; ++i) {
        const int v = i == m ? FMaxValue : FMinValue + Step * h * i;
        if (v > FMaxValue)
            break;
        const int size = (v == FMinValue || v == FMaxValue) ? ExtremeHeight : NormalHeight;
        if (horz) {
            const int x = GetOffsetByValue(v) + tw / 2;
            C.MoveTo(x, FPointsRect.Top);
            C.LineTo(x, FPointsRect.Top + size);
        } else {
            const int y = GetOffsetByValue(v) + vth / 2;
            C.MoveTo(FPointsRect.Left, y);
            C.LineTo(FPointsRect.Left + size, y);
        }
    }
}

void TbsSkinCustomSlider::DefaultDrawPoints(int PointsStep, int PointsHeight, int ExtremePointsHeight)
{
    DrawPoints(Canvas(), PointsStep, PointsHeight, ExtremePointsHeight);
}

void TbsSkinCustomSlider::DrawThumb(TCanvas& C, const TPoint& Org, bool Pressed)
{
    const bool horz = FOrientation == soHorizontal;
    if (SkinThumb()) {
        const TRect src = horz ? HThumbRect : VThumbRect;
        const int w = RectWidth(src) / 2;
        TBitmap b(w, RectHeight(src));
        CopyPiece(b, TRect{0, 0, w, b.Height()}, *Picture,
                  TRect{src.Left + (Pressed ? w : 0), src.Top, src.Left + (Pressed ? 2 * w : w), src.Bottom});
        b.SetTransparent(true);
        C.Draw(Org.X, Org.Y, b);
        return;
    }
    const TBitmap& img = FImages[horz ? siHThumb : siVThumb];
    const int w = img.Width() / FNumThumbStates;
    if (w <= 0 || img.Height() <= 0)
        return;
    TBitmap b(w, img.Height());
    const int sx = FNumThumbStates == 2 && Pressed ? w : 0;
    b.Canvas()->CopyRect(TRect{0, 0, w, img.Height()}, *const_cast<TBitmap&>(img).Canvas(),
                         TRect{sx, 0, sx + w, img.Height()});
    b.SetTransparent(!FOptions.Contains(soThumbOpaque));
    C.Draw(Org.X, Org.Y, b);
}

void TbsSkinCustomSlider::Paint()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    GetSkinData();
    const bool paintCopy = ControlState().Contains(csPaintCopy);
    TPoint org{FThumbRect.Left, FThumbRect.Top};
    if (paintCopy) {
        int p = GetOffsetByValue(GetSliderValue());
        AdjustOffset(p, org);
    }
    TBitmap b(Width(), Height());
    TCanvas& c = *b.Canvas();
    if (FTransparent) {
        DrawParentImage(this, c);
    } else {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(Skinned() ? BGColor : Color());
        c.FillRect(TRect{0, 0, Width(), Height()});
    }
    if (FRuler.Width() > 0 && FRuler.Height() > 0) {
        TBitmap ruler(FRuler);
        ruler.SetTransparent(Skinned() || !FOptions.Contains(soRulerOpaque));
        c.Draw(FRulerOrg.X, FRulerOrg.Y, ruler);
    }
    if (FOptions.Contains(soShowFocus) && FFocused && !Designing()) {
        TRect r = GetSliderRect();
        r = TRect{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
        c.Font().SetColor(Skinned() ? FSD->SkinColors()->cBtnText() : clBtnText);
        DrawDottedFocusRect(c, r);
    }
    if (FOptions.Contains(soShowPoints)) {
        if (OnDrawPoints)
            OnDrawPoints(this);
        else
            DrawPoints(c, FIncrement, 3, 5);
    }
    DrawThumb(c, org, paintCopy ? !Enabled() : (FThumbDown || !Enabled()));
    Canvas().Draw(0, 0, b);
}

// ------------------------------------------------------------ input

TbsJumpMode TbsSkinCustomSlider::JumpModeAt(int X, int Y) const
{
    if (FOrientation == soHorizontal) {
        if (X < FThumbRect.Left)
            return jmPrior;
        if (X >= FThumbRect.Right)
            return jmNext;
    } else {
        if (Y < FThumbRect.Top)
            return jmNext;
        if (Y >= FThumbRect.Bottom)
            return jmPrior;
    }
    return jmNone;
}

void TbsSkinCustomSlider::JumpTo(TbsJumpMode Mode)
{
    int v = FValue;
    const int inc = std::max(FIncrement, 1);
    switch (Mode) {
    case jmHome: v = FMinValue; break;
    case jmEnd: v = FMaxValue; break;
    case jmNext: v = inc * RoundToInt(double(FValue) / inc) + inc; break;
    case jmPrior: v = inc * RoundToInt(double(FValue) / inc) - inc; break;
    default: return;
    }
    v = std::clamp(v, FMinValue, std::max(FMinValue, FMaxValue));
    if (v != FValue)
        SetValue(v);
}

void TbsSkinCustomSlider::TimerTrack()
{
    if (JumpModeAt(FMousePos.X, FMousePos.Y) != FStartJump)
        return;
    JumpTo(FStartJump);
    if (!FTimerActive && HandleAllocated()) {
        SetTimer(Handle(), JumpTimerId, JumpInterval);
        FTimerActive = true;
    }
}

void TbsSkinCustomSlider::StopTracking()
{
    if (!FTracking)
        return;
    if (FTimerActive && HandleAllocated())
        KillTimer(Handle(), JumpTimerId);
    FTimerActive = false;
    FTracking = false;
    if (GetCaptureControl() == this)
        SetCaptureControl(nullptr);
    Changed();
}

void TbsSkinCustomSlider::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsSkinControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || Shift.Contains(ssDouble))
        return;
    if (CanFocus())
        SetFocus();
    const TPoint pt{X, Y};
    if (PtInRect(FThumbRect, pt)) {
        ThumbMouseDown(Button, Shift, X, Y);
        return;
    }
    TRect ruler{FRulerOrg.X, FRulerOrg.Y, FRulerOrg.X + FRuler.Width(), FRulerOrg.Y + FRuler.Height()};
    if (FOrientation == soHorizontal) {
        ruler.Top -= 3;
        ruler.Bottom += 3;
    } else {
        ruler.Left -= 3;
        ruler.Right += 3;
    }
    if (PtInRect(ruler, pt) && ValueChangeAllowed() && !FReadOnly) {
        SetCaptureControl(this);
        FTracking = true;
        FMousePos = pt;
        FStartJump = JumpModeAt(X, Y);
        TimerTrack();
    }
}

void TbsSkinCustomSlider::ThumbMouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (CanFocus())
        SetFocus();
    if (Button != mbLeft || !ValueChangeAllowed() || FReadOnly)
        return;
    FSliding = true;
    FThumbDown = true;
    FHit = FOrientation == soHorizontal ? X - FThumbRect.Left : Y - FThumbRect.Top;
    Invalidate();
    Update();
}

void TbsSkinCustomSlider::ThumbMouseMove(TShiftState, int X, int Y)
{
    if (ValueChangeAllowed() && !FReadOnly)
        SetThumbOffset((FOrientation == soHorizontal ? X : Y) - FHit);
}

void TbsSkinCustomSlider::ThumbMouseUp(TMouseButton Button, TShiftState, int, int)
{
    if (Button != mbLeft)
        return;
    FSliding = false;
    FThumbDown = false;
    Invalidate();
    Update();
    if (ValueChangeAllowed() && !FReadOnly)
        Changed();
}

void TbsSkinCustomSlider::MouseMove(TShiftState Shift, int X, int Y)
{
    if (Shift.Contains(ssLeft) && FSliding)
        ThumbMouseMove(Shift, X, Y);
    else if (FTracking)
        FMousePos = TPoint{X, Y};
    TbsSkinControl::MouseMove(Shift, X, Y);
}

void TbsSkinCustomSlider::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    StopTracking();
    if (FSliding)
        ThumbMouseUp(Button, Shift, X, Y);
    TbsSkinControl::MouseUp(Button, Shift, X, Y);
}

void TbsSkinCustomSlider::KeyDown(WORD& Key, TShiftState Shift)
{
    TbsJumpMode mode = jmNone;
    if (Shift == TShiftState{}) {
        if (Key == VK_HOME)
            mode = jmHome;
        else if (Key == VK_END)
            mode = jmEnd;
        else if (FOrientation == soHorizontal)
            mode = Key == VK_LEFT ? jmPrior : Key == VK_RIGHT ? jmNext : jmNone;
        else
            mode = Key == VK_UP ? jmNext : Key == VK_DOWN ? jmPrior : jmNone;
    }
    if (mode != jmNone && ValueChangeAllowed() && !FReadOnly) {
        Key = 0;
        JumpTo(mode);
        Changed();
    }
    TbsSkinControl::KeyDown(Key, Shift);
}

void TbsSkinCustomSlider::Change()
{
    if (OnChange)
        OnChange(this);
}

void TbsSkinCustomSlider::Changed()
{
    if (OnChanged)
        OnChanged(this);
}

void TbsSkinCustomSlider::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER:
        if (Message.WParam == JumpTimerId) {
            TimerTrack();
            return;
        }
        break;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        TbsSkinControl::WndProc(Message);
        const bool focused = Message.Msg == WM_SETFOCUS;
        if (focused != FFocused) {
            FFocused = focused;
            if (FOptions.Contains(soShowFocus))
                Invalidate();
        }
        return;
    }
    case CM_ENABLEDCHANGED:
        TbsSkinControl::WndProc(Message);
        Invalidate();
        return;
    case WM_MOVE:
        TbsSkinControl::WndProc(Message);
        if (FTransparent)
            Invalidate();
        return;
    case WM_CHECKPARENTBG:
        if (FTransparent)
            Repaint();
        return;
    default: break;
    }
    TbsSkinControl::WndProc(Message);
}
