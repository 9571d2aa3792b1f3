#include "skin/controls/SkinCheckRadioBox.h"
#include "platform/ui/controls/ActnList.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/ControlPaint.h"
#include "skin/data/SkinData.h"
#include "skin/draw/EffectBitmap.h"
#include "skin/draw/Marks.h"
#include "skin/draw/ParentImage.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

TbsSkinCheckRadioBox::TbsSkinCheckRadioBox(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csSetCaption};
    SetTabStop(false);
    FSkinDataName = "checkbox";
    FMorph.CanMorph = [this] { return FIndex != -1 && CanMorph(); };
    FMorph.Target = [this] { return FMouseIn || FocusedAndCan() ? 1.0 : 0.0; };
    FMorph.Repaint = [this] { Repaint(); };
    SetBounds(Left(), Top(), 150, 25);
}

TbsSkinCheckRadioBox::~TbsSkinCheckRadioBox() { FMorph.Stop(); }

bool TbsSkinCheckRadioBox::CanMorph() const
{
    return Morphing && FSD && !FSD->Empty && FSD->EnableSkinEffects();
}

void TbsSkinCheckRadioBox::MorphOrRepaint()
{
    if (CanMorph() && FIndex != -1)
        FMorph.Start();
    else
        Repaint();
}

// ------------------------------------------------------------- properties

void TbsSkinCheckRadioBox::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TbsSkinCustomControl::ActionChange(Sender, CheckDefaults);
    if (auto* a = dynamic_cast<TAction*>(Sender))
        if (!CheckDefaults || !FChecked)
            SetChecked(a->Checked());
}

void TbsSkinCheckRadioBox::SetChecked(bool Value)
{
    FChecked = Value;
    if (Value)
        FState = cbChecked;
    else if (FState == cbChecked)
        FState = cbUnchecked;
    Repaint();
    if (FChecked && FGroupIndex != 0 && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TbsSkinCheckRadioBox*>(Parent()->Controls(i));
                b && b != this && b->FGroupIndex == FGroupIndex && b->FChecked)
                b->SetChecked(false);
    if (OnClick && (!FRadio || FChecked))
        OnClick(this);
}

void TbsSkinCheckRadioBox::SetState(TCheckBoxState Value)
{
    FState = Value;
    FChecked = Value == cbChecked;
    Repaint();
    if (OnClick)
        OnClick(this);
}

void TbsSkinCheckRadioBox::SetRadio(bool Value)
{
    FRadio = Value;
    if (Designing() && !IsLoading()) {
        FSkinDataName = Value ? "radiobox" : "checkbox";
        FGroupIndex = Value ? 1 : 0;
    }
    Repaint();
}

void TbsSkinCheckRadioBox::SetAllowGrayed(bool Value)
{
    FAllowGrayed = Value;
    Repaint();
}

void TbsSkinCheckRadioBox::SetFlat(bool Value)
{
    FFlat = Value;
    Repaint();
}

void TbsSkinCheckRadioBox::SetWordWrap(bool Value)
{
    if (Value == FWordWrap)
        return;
    FWordWrap = Value;
    if (FFlat)
        Repaint();
}

void TbsSkinCheckRadioBox::SetImages(TImageList* Value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
    Repaint();
}

void TbsSkinCheckRadioBox::SetImageIndex(int Value)
{
    FImageIndex = Value;
    Repaint();
}

void TbsSkinCheckRadioBox::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

void TbsSkinCheckRadioBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        FImages = nullptr;
}

void TbsSkinCheckRadioBox::ToggleChecked()
{
    if (!FRadio)
        SetChecked(!FChecked);
    else if (!FChecked)
        SetChecked(true);
}

// ------------------------------------------------------------- skin data

void TbsSkinCheckRadioBox::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    if (FIndex == -1)
        return;
    const auto* e = dynamic_cast<const TbsDataSkinCheckRadioControl*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!e)
        return;
    FontName = e->FontName;
    FontColor = e->FontColor;
    ActiveFontColor = e->ActiveFontColor;
    FrameFontColor = e->FrameFontColor;
    UnEnabledFontColor = e->UnEnabledFontColor;
    FontStyle = e->FontStyle;
    FontHeight = e->FontHeight;
    ActiveSkinRect = IsNullRect(e->ActiveSkinRect) ? e->SkinRect : e->ActiveSkinRect;
    CheckImageArea = e->CheckImageArea;
    TextArea = e->TextArea;
    CheckImageRect = e->CheckImageRect;
    UnCheckImageRect = e->UnCheckImageRect;
    ActiveCheckImageRect = e->ActiveCheckImageRect;
    UnEnabledCheckImageRect = e->UnEnabledCheckImageRect;
    UnEnabledUnCheckImageRect = e->UnEnabledUnCheckImageRect;
    if (IsNullRect(UnEnabledCheckImageRect))
        UnEnabledCheckImageRect = CheckImageRect;
    if (IsNullRect(UnEnabledUnCheckImageRect))
        UnEnabledUnCheckImageRect = UnCheckImageRect;
    if (IsNullRect(ActiveCheckImageRect))
        ActiveCheckImageRect = CheckImageRect;
    ActiveUnCheckImageRect = IsNullRect(e->ActiveUnCheckImageRect) ? UnCheckImageRect : e->ActiveUnCheckImageRect;
    Morphing = e->Morphing;
    MorphKind = e->MorphKind;
    if (FFlat) {
        Morphing = false;
        MaskPicture = nullptr;
    }
    GrayedCheckImageRect = e->GrayedCheckImageRect;
    ActiveGrayedCheckImageRect = e->ActiveGrayedCheckImageRect;
}

void TbsSkinCheckRadioBox::FitSizeToSkin(int& AWidth, int& AHeight)
{
    if (FFlat)
        return;
    TbsSkinCustomControl::FitSizeToSkin(AWidth, AHeight);
    const int dx = AWidth - RectWidth(SkinRect);
    NewTextArea = TRect{TextArea.Left, TextArea.Top, TextArea.Right + dx, TextArea.Bottom};
    TRect area = CheckImageArea;
    if (TextArea.Right < CheckImageArea.Right)
        area.Offset(dx, 0);
    const int w = RectWidth(CheckImageRect), h = RectHeight(CheckImageRect);
    const int left = area.Left + RectWidth(area) / 2 - w / 2;
    const int top = area.Top + RectHeight(area) / 2 - h / 2;
    CIRect = TRect{left, top, left + w, top + h};
}

void TbsSkinCheckRadioBox::ChangeSkinData()
{
    if (FFlat) {
        GetSkinData();
        Repaint();
    } else {
        TbsSkinCustomControl::ChangeSkinData();
    }
}

void TbsSkinCheckRadioBox::CheckParentBackground()
{
    if (FFlat)
        Repaint();
}

// ------------------------------------------------------------- painting

TRect TbsSkinCheckRadioBox::CheckImageFor(bool AChecked, TCheckBoxState AState, bool Hot, bool& Grayed) const
{
    Grayed = AState == cbGrayed;
    if (!Enabled())
        return Grayed || AChecked ? UnEnabledCheckImageRect : UnEnabledUnCheckImageRect;
    if (Hot)
        return Grayed || AChecked ? ActiveCheckImageRect : ActiveUnCheckImageRect;
    return Grayed || AChecked ? CheckImageRect : UnCheckImageRect;
}

void TbsSkinCheckRadioBox::DrawCheckImage(TCanvas& C, int X, int Y, bool AChecked, TCheckBoxState AState, bool Hot)
{
    if (!Picture)
        return;
    bool grayed = false;
    TRect r = CheckImageFor(AChecked, AState, Hot, grayed);
    bool lighten = false;
    if (grayed) {
        if (!IsNullRect(GrayedCheckImageRect))
            r = Hot && Enabled() && !IsNullRect(ActiveGrayedCheckImageRect) ? ActiveGrayedCheckImageRect
                                                                             : GrayedCheckImageRect;
        else
            lighten = true;
    }
    if (IsNullRect(r))
        return;
    TBitmap b(RectWidth(r), RectHeight(r));
    CopyPiece(b, TRect{0, 0, b.Width(), b.Height()}, *Picture, r);
    if (lighten) {
        // Key colour kept: the half-way lightening must not touch it.
        const TColor key = b.GetPixel(0, b.Height() - 1);
        TbsEffectBmp e(b);
        e.ChangeBrightness(0.5);
        TBitmap light;
        e.AssignTo(light);
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                if (b.GetPixel(x, y) != key)
                    b.SetPixel(x, y, light.GetPixel(x, y));
    }
    b.SetTransparent(true);
    C.Draw(X, Y, b);
}

void TbsSkinCheckRadioBox::PaintFlat(TCanvas& C, bool AChecked, TCheckBoxState AState, bool Hot, bool FocusFrame)
{
    const int H = Height();
    const bool skinned = FIndex != -1;
    int textX = 22, gap = 5;
    if (skinned) {
        DrawCheckImage(C, 3, H / 2 - RectHeight(CheckImageRect) / 2, AChecked, AState, Hot);
        ApplyControlFont(C, FSD, UseSkinFont(), FontName, FontHeight, FontStyle, DefaultFont());
        TColor color = Enabled() ? FrameFontColor : UnEnabledFontColor;
        if (!FUseSkinFontColor)
            color = DefaultFont().Color();
        C.Font().SetColor(color);
        textX = RectWidth(CheckImageRect) + 7;
        gap = 8;
    } else {
        C.Font().Assign(DefaultFont());
        C.Font().SetCharset(ControlCharset(FSD, DefaultFont()));
        if (!Enabled())
            C.Font().SetColor(clBtnShadow);
    }
    C.Brush().SetStyle(bsClear);
    const bool hasImage = FImages && FImageIndex >= 0 && FImageIndex < FImages->Count();
    TRect textRect;
    TRect imageRect;
    if (!FWordWrap) {
        int x = textX;
        if (hasImage) {
            imageRect = TRect{x, H / 2 - FImages->Height() / 2, x + FImages->Width(), H / 2 - FImages->Height() / 2 + FImages->Height()};
            FImages->Draw(C, imageRect.Left, imageRect.Top, FImageIndex, Enabled());
            x += FImages->Width() + gap;
        }
        const int tw = C.TextWidth(Caption()), th = C.TextHeight(Caption().empty() ? "A" : Caption());
        textRect = TRect{x, H / 2 - th / 2, IntMin(x + tw, Width() - 2), H / 2 - th / 2 + th};
        TRect r = textRect;
        C.DrawText(Caption(), r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    } else {
        int x = textX;
        if (hasImage) {
            imageRect = TRect{x, H / 2 - FImages->Height() / 2, x + FImages->Width(), H / 2 - FImages->Height() / 2 + FImages->Height()};
            FImages->Draw(C, imageRect.Left, imageRect.Top, FImageIndex, Enabled());
            x += FImages->Width();
        }
        TRect r{x, 0, Width(), H};
        C.DrawText(Caption(), r, DT_CALCRECT | DT_WORDBREAK);
        const int th = RectHeight(r);
        const int top = IntMax(0, H / 2 - th / 2);
        textRect = TRect{x, top, Width(), top + th};
        TRect d = textRect;
        C.DrawText(Caption(), d, DT_WORDBREAK | DT_EXPANDTABS);
    }
    if (!skinned) {
        const TRect square{3, H / 2 - 7, 17, H / 2 + 7};
        C.Brush().SetStyle(bsSolid);
        // PaintSkinTo (no focus frame) always draws the shadow frame.
        C.Brush().SetColor(Hot && FocusFrame ? PlainHotFrame : clBtnShadow);
        C.FrameRect(square);
        if (AState == cbGrayed && !FRadio && FocusFrame)
            DrawCheckMark(C, 7, H / 2 - 4, clGrayText);
        else if (AChecked) {
            const TColor mark = Enabled() ? clBlack : clBtnShadow;
            if (FRadio)
                DrawRadioMark(C, 7, H / 2 - 3, mark);
            else
                DrawCheckMark(C, 7, H / 2 - 4, mark);
        }
    }
    if (FocusFrame && FocusedAndCan() && (!Caption().empty() || hasImage)) {
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(skinned ? FSD->SkinColors()->cBtnFace() : clBtnFace);
        TRect f;
        if (Caption().empty())
            f = TRect{imageRect.Left - 1, imageRect.Top - 1, imageRect.Right + 1, imageRect.Bottom + 1};
        else
            f = TRect{textRect.Left - 2, textRect.Top - 1, textRect.Right + 3, textRect.Bottom + 1};
        DrawDottedFocusRect(C, f);
    }
}

void TbsSkinCheckRadioBox::DrawFace(TBitmap& B, const TRect& FaceRect, bool Active, bool AChecked,
                                    TCheckBoxState AState, bool Hot)
{
    CreateSkinImageByMode(B, Picture, FaceRect);
    TCanvas& c = *B.Canvas();
    DrawCheckImage(c, CIRect.Left, CIRect.Top + RectHeight(CIRect) / 2 - RectHeight(CheckImageRect) / 2, AChecked,
                   AState, Hot);
    ApplyControlFont(c, FSD, UseSkinFont(), FontName, FontHeight, FontStyle, DefaultFont());
    c.Font().SetColor(!Enabled() ? UnEnabledFontColor : (Active ? ActiveFontColor : FontColor));
    c.Brush().SetStyle(bsClear);
    TRect r = NewTextArea;
    c.DrawText(Caption(), r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void TbsSkinCheckRadioBox::CreateControlDefaultImage(TBitmap& B)
{
    TCanvas& c = *B.Canvas();
    const int H = Height();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBtnFace);
    c.FillRect(TRect{0, 0, Width(), H});
    if (FocusedAndCan() || FMouseIn) {
        c.Brush().SetColor(clBtnShadow);
        c.FrameRect(TRect{0, 0, Width(), H});
    }
    c.Font().Assign(DefaultFont());
    c.Font().SetCharset(ControlCharset(FSD, DefaultFont()));
    if (!Enabled())
        c.Font().SetColor(clBtnShadow);
    c.Brush().SetStyle(bsClear);
    TRect r{19, 0, Width(), H};
    c.DrawText(Caption(), r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(FMouseIn ? PlainHotFrame : clBtnShadow);
    c.FrameRect(TRect{3, H / 2 - 7, 17, H / 2 + 7});
    if (FState == cbGrayed && !FRadio)
        DrawCheckMark(c, 7, H / 2 - 4, clGrayText);
    else if (FChecked) {
        const TColor mark = Enabled() ? clBlack : clBtnShadow;
        if (FRadio)
            DrawRadioMark(c, 7, H / 2 - 3, mark);
        else
            DrawCheckMark(c, 7, H / 2 - 4, mark);
    }
}

void TbsSkinCheckRadioBox::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    if (FFlat) {
        TBitmap b;
        PrepareFaceBitmap(b, Width(), Height());
        DrawParentImage(this, *b.Canvas());
        PaintFlat(*b.Canvas(), FChecked, FState, FMouseIn, true);
        Canvas().Draw(0, 0, b);
        return;
    }
    if (FIndex == -1) {
        TbsSkinCustomControl::Paint();
        return;
    }
    int w = Width(), h = Height();
    FitSizeToSkin(w, h);
    const bool active = FMouseIn || FocusedAndCan();
    const double kf = FMorph.Kf;
    TBitmap b;
    PrepareFaceBitmap(b, Width(), Height());
    if (CanMorph() && kf > 0 && kf < 1) {
        TBitmap a;
        PrepareFaceBitmap(a, Width(), Height());
        DrawFace(b, SkinRect, false, FChecked, FState, false);
        DrawFace(a, ActiveSkinRect, true, FChecked, FState, true);
        TBitmap blend;
        MorphFaces(b, a, kf, MorphKind, blend);
        Canvas().Draw(0, 0, blend);
        return;
    }
    DrawFace(b, active ? ActiveSkinRect : SkinRect, active, FChecked, FState, FMouseIn);
    Canvas().Draw(0, 0, b);
}

void TbsSkinCheckRadioBox::PaintSkinTo(TCanvas& C, int X, int Y, bool AChecked)
{
    GetSkinData();
    const TCheckBoxState state = AChecked ? cbChecked : (FState == cbGrayed ? cbGrayed : cbUnchecked);
    TBitmap b;
    PrepareFaceBitmap(b, Width(), Height());
    if (FFlat) {
        DrawParentImage(this, *b.Canvas());
        PaintFlat(*b.Canvas(), AChecked, state, false, false);
    } else if (FIndex != -1) {
        int w = Width(), h = Height();
        FitSizeToSkin(w, h);
        DrawFace(b, SkinRect, false, AChecked, state, false);
    } else {
        return;
    }
    C.Draw(X, Y, b);
}

// ------------------------------------------------------------- input

void TbsSkinCheckRadioBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!FMouseIn) {
        FMouseIn = true;
        MorphOrRepaint();
    }
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TbsSkinCheckRadioBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
    const bool over = X >= 0 && Y >= 0 && X < Width() && Y < Height();
    if (Button != mbLeft || !FMouseIn || !over)
        return;
    if (FRadio || !FAllowGrayed)
        ToggleChecked();
    else if (FState == cbUnchecked) {
        FState = cbGrayed;
        Repaint();
        if (OnClick)
            OnClick(this);
    } else {
        ToggleChecked();
    }
}

void TbsSkinCheckRadioBox::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TbsSkinCustomControl::WndProc(m);
        if (m.LParam == 0 && !Designing()) {
            FMouseIn = m.Msg == CM_MOUSEENTER;
            MorphOrRepaint();
        }
        return;
    case WM_ERASEBKGND:
        if (!FFlat && !FromWMPaint && m.WParam)
            PaintFaceTo(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    case WM_MOVE:
        TbsSkinCustomControl::WndProc(m);
        if (FFlat)
            Invalidate();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TbsSkinCustomControl::WndProc(m);
        if (FCanFocused) {
            if (FFlat)
                Invalidate();
            else
                MorphOrRepaint();
        }
        return;
    case WM_KEYUP:
        if (FCanFocused && m.WParam == VK_SPACE && Focused())
            ToggleChecked();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FCanFocused && !TakeFocusBeforePress(FClicksDisabled))
            return;
        break;
    case WM_COMMAND:
        if (FClicksDisabled)
            return;
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(char32_t(m.WParam), Caption()) && CanFocus() && FCanFocused) {
            SetFocus();
            ToggleChecked();
            m.Result = 1;
            return;
        }
        break;
    case CM_ENABLEDCHANGED:
        TbsSkinCustomControl::WndProc(m);
        if (CanMorph()) {
            FMorph.Stop();
            FMorph.Kf = 0;
        }
        FMouseIn = false;
        Repaint();
        return;
    case CM_TEXTCHANGED:
        TbsSkinCustomControl::WndProc(m);
        Repaint();
        return;
    default:
        break;
    }
    TbsSkinCustomControl::WndProc(m);
}
