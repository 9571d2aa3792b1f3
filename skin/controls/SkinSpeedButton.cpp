#include "skin/controls/SkinSpeedButton.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/ControlHost.h"
#include "skin/controls/ControlPaint.h"
#include "skin/controls/MenuLinks.h"
#include "skin/data/SkinData.h"
#include "skin/draw/ImageText.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

TbsSkinSpeedButton::TbsSkinSpeedButton(TComponent* AOwner) : TbsGraphicSkinCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
    FSkinDataName = "toolbutton";
    FMorph.CanMorph = [this] { return FIndex != -1 && CanMorph(); };
    FMorph.Target = [this] { return FMouseIn ? 1.0 : 0.0; };
    FMorph.Repaint = [this] { Repaint(); };
    FRepeat.OnRepeat = [this] { ButtonClick(); };
    FAnimation.Repaint = [this] { Repaint(); };
    SetBounds(Left(), Top(), 25, 25);
}

TbsSkinSpeedButton::~TbsSkinSpeedButton()
{
    FRepeat.Stop();
    FAnimation.Stop();
    FMorph.Stop();
}

bool TbsSkinSpeedButton::EffectsOn() const { return FSD && !FSD->Empty && FSD->EnableSkinEffects(); }
bool TbsSkinSpeedButton::CanMorph() const { return Morphing && EffectsOn(); }

TbsSkinControlHost* TbsSkinSpeedButton::Host() const { return dynamic_cast<TbsSkinControlHost*>(Parent()); }

void TbsSkinSpeedButton::MorphOrRepaint()
{
    if (CanMorph() && FIndex != -1 && !Transparent())
        FMorph.Start();
    else
        Repaint();
}

// ------------------------------------------------------------- properties

void TbsSkinSpeedButton::SetDown(bool Value)
{
    FDown = Value;
    if (CanMorph()) {
        FMorph.Kf = 1;
        if (Value)
            FMorph.Stop();
        else if (FIndex != -1 && !Transparent())
            FMorph.Start();
    }
    Repaint();
    if (FDown && FGroupIndex != 0 && !FAllowAllUp && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TbsSkinSpeedButton*>(Parent()->Controls(i));
                b && b != this && b->FGroupIndex == FGroupIndex && b->FDown)
                b->SetDown(false);
}

void TbsSkinSpeedButton::SetFlat(bool Value)
{
    FFlat = Value;
    SetTransparent(Value);
}

void TbsSkinSpeedButton::SetTransparent(bool Value)
{
    if (Value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    Repaint();
}

void TbsSkinSpeedButton::SetImageList(TImageList* Value)
{
    if (FButtonImages)
        FButtonImages->RemoveFreeNotification(this);
    FButtonImages = Value;
    if (FButtonImages)
        FButtonImages->FreeNotification(this);
    Repaint();
}

void TbsSkinSpeedButton::SetImageIndex(int Value)
{
    FImageIndex = Value;
    // A changed image shows at once, in a tool bar or not.
    Repaint();
}

void TbsSkinSpeedButton::SetShowCaption(bool Value)
{
    if (Value == FShowCaption)
        return;
    FShowCaption = Value;
    if (FWidthWithCaption > 0 && FWidthWithoutCaption > 0) {
        const int w = Value ? FWidthWithCaption : FWidthWithoutCaption;
        const bool same = w == Width();
        SetWidth(w);
        if (same)
            Repaint();   // an unchanged width would not repaint the caption
    } else {
        Repaint();
    }
}

void TbsSkinSpeedButton::SetSkinImagesMenu(TbsButtonImagesMenu* Value)
{
    FSkinImagesMenu = Value;
    if (FSkinImagesMenu)
        FSkinImagesMenu->OnInternalChange = [this] { Repaint(); };
    Repaint();
}

void TbsSkinSpeedButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsGraphicSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FButtonImages)
        FButtonImages = nullptr;
}

void TbsSkinSpeedButton::RefreshButton()
{
    FMouseIn = false;
    FDown = false;
    if (CanMorph())
        FMorph.Kf = 0;
    if (EffectsOn())
        FAnimation.Stop();
    Repaint();
}

void TbsSkinSpeedButton::ButtonClick()
{
    // The button's own handler wins over a linked action; else the action runs.
    if (OnClick && Action())
        OnClick(this);
    else if (!ExecuteAction() && OnClick)
        OnClick(this);
}

void TbsSkinSpeedButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TbsGraphicSkinCustomControl::ActionChange(Sender, CheckDefaults);
    TakeActionImage(Sender);
}

// ------------------------------------------------------------- skin data

void TbsSkinSpeedButton::GetSkinData()
{
    TbsGraphicSkinCustomControl::GetSkinData();
    if (FIndex != -1)
        if (const auto* e = dynamic_cast<const TbsDataSkinButtonControl*>(FSD->CtrlList[size_t(FIndex)].get())) {
            CopyButtonElement(*e, SkinRect);
            if (Transparent())
                Morphing = false;
        }
    const int n = FAnimation.CurrentFrame;
    if (EffectsOn() && FAnimation.Running() && n > 0 && n <= FrameCount) {
        if (FAnimation.Forward)
            ActiveSkinRect = AnimationFrame(n, SkinRect);
        else
            SkinRect = AnimationFrame(n, SkinRect);
    }
}

void TbsSkinSpeedButton::ChangeSkinData()
{
    FAnimation.Stop();
    FMorph.Stop();
    FMorph.Kf = 0;
    TbsGraphicSkinCustomControl::ChangeSkinData();
    if (CanMorph() && FIndex != -1 && FMouseIn && !Transparent())
        FMorph.Kf = 1;
}

void TbsSkinSpeedButton::FitSizeToSkin(int& AWidth, int& AHeight)
{
    if (FUseSkinSize || ResizeMode == 1) {
        TbsGraphicSkinCustomControl::FitSizeToSkin(AWidth, AHeight);
        return;
    }
    NewClRect = TRect{ClRect.Left, ClRect.Top, ClRect.Right + AWidth - RectWidth(SkinRect),
                      ClRect.Bottom + AHeight - RectHeight(SkinRect)};
}

// ------------------------------------------------------------- painting

void TbsSkinSpeedButton::DrawContent(TCanvas& C, const TRect& R, bool ADown, bool GlyphDown, bool AtRest)
{
    C.Brush().SetStyle(bsClear);
    const std::string caption = ShownCaption();
    auto valid = [this](TImageList* l) { return l && FImageIndex >= 0 && FImageIndex < l->Count(); };
    if (FSkinImagesMenu && FSkinImagesMenu->HasSelectedItem() && FUseImagesMenuImage) {
        DrawImageAndText(C, R, FMargin, FSpacing, FLayout,
                         FUseImagesMenuCaption ? FSkinImagesMenu->SelectedCaption() : caption,
                         FSkinImagesMenu->SelectedImageIndex(), FSkinImagesMenu->Images(), ADown, Enabled(),
                         FDrawColorMarker, FColorMarkerValue);
        return;
    }
    if (FGlyph.Empty())
        if (TbsSkinControlHost* host = Host()) {
            TImageList* list = host->Images();
            bool enabled = Enabled();
            if (!AtRest && (FMouseIn || FDown) && host->HotImages())
                list = host->HotImages();
            if (!Enabled() && host->DisabledImages()) {
                list = host->DisabledImages();
                enabled = true;   // the disabled list's picture is drawn as it is
            }
            if (valid(list)) {
                DrawImageAndText(C, R, FMargin, FSpacing, FLayout, caption, FImageIndex, list, ADown, enabled,
                                 FDrawColorMarker, FColorMarkerValue);
                return;
            }
        }
    if (FGlyph.Empty() && valid(FButtonImages)) {
        DrawImageAndText(C, R, FMargin, FSpacing, FLayout, caption, FImageIndex, FButtonImages, ADown, Enabled(),
                         FDrawColorMarker, FColorMarkerValue);
        return;
    }
    DrawGlyphAndText(C, R, FMargin, FSpacing, FLayout, caption, FGlyph, FNumGlyphs,
                     ButtonGlyphNumber(FDown, FMouseIn, Enabled(), FNumGlyphs), GlyphDown, FDrawColorMarker,
                     FColorMarkerValue);
}

void TbsSkinSpeedButton::DrawMenuMarker(TCanvas& C, const TRect& R, bool AActive, bool ADown, bool AFlat)
{
    const TRect src = ADown ? MenuMarkerDownRect
                            : (AActive ? MenuMarkerActiveRect : (AFlat ? MenuMarkerFlatRect : MenuMarkerRect));
    if (!Picture || IsNullRect(src))
        return;
    TBitmap b(RectWidth(src), RectHeight(src));
    CopyPiece(b, TRect{0, 0, b.Width(), b.Height()}, *Picture, src);
    b.SetTransparentMode(tmFixed);
    b.SetTransparentColor(MenuMarkerTransparentColor);
    b.SetTransparent(true);
    C.Draw(R.Left + RectWidth(R) / 2 - b.Width() / 2, R.Top + RectHeight(R) / 2 - b.Height() / 2, b);
}

TColor TbsSkinSpeedButton::FaceFontColor(bool ADown, bool AMouseIn) const
{
    return TbsButtonElement::FaceFontColor(Enabled(), FUseSkinFontColor, DefaultFont().Color(), ADown, AMouseIn);
}

TRect TbsSkinSpeedButton::ComposeFace(TBitmap& B, const TRect& R)
{
    if (FUseSkinSize || ResizeMode == 1) {
        CreateSkinImageByMode(B, Picture, R);
        return NewClRect;
    }
    if (Picture) {
        B.SetSize(Width(), Height());
        if (ResizeMode == 0)
            CopyPiece(B, TRect{0, 0, Width(), Height()}, *Picture, R);
        else
            CreateStretchImage(B, *Picture, R, ClRect, true);
    }
    return TRect{ClRect.Left, ClRect.Top, ClRect.Right + B.Width() - RectWidth(R),
                 ClRect.Bottom + B.Height() - RectHeight(R)};
}

void TbsSkinSpeedButton::DrawStateImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn)
{
    const TRect textArea = ComposeFace(B, R);
    TCanvas& c = *B.Canvas();
    ApplyControlFont(c, FSD, UseSkinFont(), FontName, FontHeight, FontStyle, DefaultFont());
    c.Font().SetColor(FaceFontColor(ADown, AMouseIn));
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, c, NewClRect, ADown, AMouseIn, drawDefault);
    if (drawDefault)
        DrawContent(c, textArea, ADown && AMouseIn, ADown && AMouseIn, false);
}

void TbsSkinSpeedButton::CreateControlDefaultImage(TBitmap& B)
{
    TCanvas& c = *B.Canvas();
    const TRect r{0, 0, Width(), Height()};
    if (DownLook())
        DrawPlainFace(c, r, PlainHotFrame, PlainDownFill);
    else if (FMouseIn)
        DrawPlainFace(c, r, PlainHotFrame, PlainHotFill);
    else if (Designing() || !FFlat)
        DrawPlainFace(c, r, clBtnShadow, clBtnFace);
    else if (!Transparent()) {
        c.Brush().SetColor(clBtnFace);
        c.FillRect(r);
    }
    c.Font().Assign(DefaultFont());
    c.Font().SetCharset(ControlCharset(FSD, DefaultFont()));
    if (!Enabled())
        c.Font().SetColor(clBtnShadow);
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, c, r, FDown, FMouseIn, drawDefault);
    if (drawDefault)
        DrawContent(c, r, FDown && FMouseIn, DownLook(), false);
}

void TbsSkinSpeedButton::Paint()
{
    GetSkinData();
    if (Width() < 1 || Height() < 1)
        return;
    TCanvas& canvas = Canvas();
    if (FIndex == -1) {
        if (!DownLook() && !FMouseIn && Transparent()) {
            canvas.Font().Assign(DefaultFont());
            canvas.Font().SetCharset(ControlCharset(FSD, DefaultFont()));
            if (!Enabled())
                canvas.Font().SetColor(clBtnShadow);
            bool drawDefault = true;
            if (OnPaint)
                OnPaint(this, canvas, ClientRect(), FDown, FMouseIn, drawDefault);
            if (drawDefault)
                DrawContent(canvas, ClientRect(), false, false, true);
            return;
        }
        TbsGraphicSkinCustomControl::Paint();
        return;
    }
    int w = Width(), h = Height();
    FitSizeToSkin(w, h);
    TBitmap b(Width(), Height());
    b.Fill(clBtnFace);
    const double kf = FMorph.Kf;
    if (CanMorph() && kf != 0 && kf != 1 && !Transparent()) {
        TBitmap a(Width(), Height());
        DrawStateImage(b, SkinRect, false, false);
        DrawStateImage(a, ActiveSkinRect, false, true);
        TBitmap blend;
        MorphFaces(b, a, kf, MorphKind, blend);
        canvas.Draw(0, 0, blend);
        return;
    }
    if (DownLook())
        DrawStateImage(b, DownSkinRect, true, true);
    else if (FMouseIn || (CanMorph() && kf == 1))
        DrawStateImage(b, ActiveSkinRect, false, true);
    else if (Transparent()) {
        ApplyControlFont(canvas, FSD, UseSkinFont(), FontName, FontHeight, FontStyle, DefaultFont());
        TColor color = !Enabled() ? FSD->SkinColors()->cBtnShadow()
                                  : (FUseSkinFontColor ? FSD->SkinColors()->cBtnText() : DefaultFont().Color());
        canvas.Font().SetColor(color);
        bool drawDefault = true;
        if (OnPaint)
            OnPaint(this, canvas, NewClRect, FDown, FMouseIn, drawDefault);
        if (drawDefault)
            DrawContent(canvas, NewClRect, false, false, true);
        return;
    } else if (!Enabled() && !IsNullRect(DisabledSkinRect))
        DrawStateImage(b, DisabledSkinRect, false, false);
    else
        DrawStateImage(b, SkinRect, false, false);
    canvas.Draw(0, 0, b);
}

// ------------------------------------------------------------- input

void TbsSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsGraphicSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    FAnimation.Stop();
    FMouseDown = true;
    if (!FDown) {
        FMouseIn = true;
        SetDown(true);
        if (FRepeatMode && FGroupIndex == 0)
            FRepeat.Start();
        else if (FGroupIndex != 0)
            ButtonClick();
        FAllowAllUpCheck = false;
    } else if (FGroupIndex != 0) {
        FAllowAllUpCheck = true;
    }
}

void TbsSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsGraphicSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FMouseDown)
        return;
    FMouseDown = false;
    const bool wasDown = FDown;
    const bool over = X >= 0 && Y >= 0 && X < Width() && Y < Height();
    if (FGroupIndex == 0) {
        if (FMouseIn && over) {
            SetDown(false);
            FRepeat.Stop();
            if (wasDown)
                ButtonClick();
        } else {
            FDown = false;
            FRepeat.Stop();
            Repaint();   // not left drawn pressed
        }
    } else if (wasDown && FAllowAllUp && FAllowAllUpCheck && over) {
        SetDown(false);
        ButtonClick();
    }
}

void TbsSkinSpeedButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
        TbsGraphicSkinCustomControl::WndProc(m);
        if (m.LParam != 0 || !Enabled() || Designing())
            return;
        const bool enter = m.Msg == CM_MOUSEENTER;
        FMouseIn = enter;
        if (!(FDown && FGroupIndex != 0)) {
            if (FDown && enter) {
                if (CanMorph())
                    FMorph.Kf = 1;
                Repaint();
            } else {
                GetSkinData();
                if (FIndex != -1 && EffectsOn() && !IsNullRect(AnimateSkinRect) && !FFlat)
                    FAnimation.Start(enter, FrameCount, AnimateInterval);
                MorphOrRepaint();
            }
        }
        if (FDown && FRepeatMode && FGroupIndex == 0) {
            if (enter)
                FRepeat.Start();
            else
                FRepeat.Stop();
        }
        return;
    }
    case CM_DIALOGCHAR:
        if (IsAccel(char32_t(m.WParam), Caption()) && Enabled() && Visible() && Parent() && Parent()->Showing()) {
            ButtonClick();
            m.Result = 1;
            return;
        }
        break;
    case CM_TEXTCHANGED:
        TbsGraphicSkinCustomControl::WndProc(m);
        Repaint();
        return;
    case CM_ENABLEDCHANGED:
        TbsGraphicSkinCustomControl::WndProc(m);
        if (CanMorph()) {
            FMorph.Stop();
            FMorph.Kf = 0;
        }
        // A transient press ends with the button disabled; a toggle keeps its state.
        if (!Enabled() && FGroupIndex == 0 && FDown) {
            FDown = false;
            FMouseDown = false;
            FRepeat.Stop();
        }
        FMouseIn = false;
        Repaint();
        return;
    default:
        break;
    }
    TbsGraphicSkinCustomControl::WndProc(m);
}
