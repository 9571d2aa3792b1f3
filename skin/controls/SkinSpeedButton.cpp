#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinButtonBaseImpl.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/ControlHost.h"
#include "skin/controls/ControlPaint.h"
#include "skin/controls/MenuLinks.h"
#include "skin/data/SkinData.h"
#include "skin/draw/ImageText.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

template class TbsSkinButtonBase<TbsGraphicSkinCustomControl>;

TbsSkinSpeedButton::TbsSkinSpeedButton(TComponent* AOwner) : TbsSkinButtonBase(AOwner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
    FSkinDataName = "toolbutton";
    FImageIndex = 0;   // the first image of the bar's list unless told otherwise
    SetBounds(Left(), Top(), 25, 25);
}

TbsSkinControlHost* TbsSkinSpeedButton::Host() const { return dynamic_cast<TbsSkinControlHost*>(Parent()); }

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
    ApplyAnimationFrame();
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
    if (FGlyph.Empty() && valid(FImageList)) {
        DrawImageAndText(C, R, FMargin, FSpacing, FLayout, caption, FImageIndex, FImageList, ADown, Enabled(),
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

void TbsSkinSpeedButton::DrawStateImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn)
{
    const TRect textArea = ComposeFace(B, R);
    TCanvas& c = *B.Canvas();
    ApplyControlFont(c, FSD, UseSkinFont(), FontName, FontHeight, FontStyle, DefaultFont());
    c.Font().SetColor(FaceFontColor(ADown, AMouseIn));
    if (DrawsDefault(c, NewClRect, ADown, AMouseIn))
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
    ApplyPlainFont(c);
    if (DrawsDefault(c, r, FDown, FMouseIn))
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
            ApplyPlainFont(canvas);
            if (DrawsDefault(canvas, ClientRect(), FDown, FMouseIn))
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
        if (DrawsDefault(canvas, NewClRect, FDown, FMouseIn))
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
    if (Button == mbLeft && Enabled())
        Press();
}

void TbsSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsGraphicSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && FMouseDown)
        ReleaseAt(X, Y);
}

void TbsSkinSpeedButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: CMMouseEnterLeave(m); return;
    case CM_DIALOGCHAR:
        if (CMDialogChar(m))
            return;
        break;
    case CM_TEXTCHANGED:
        TbsGraphicSkinCustomControl::WndProc(m);
        Repaint();
        return;
    case CM_ENABLEDCHANGED:
        TbsGraphicSkinCustomControl::WndProc(m);
        EnabledChanged();
        return;
    default: break;
    }
    TbsGraphicSkinCustomControl::WndProc(m);
}

void TbsSkinSpeedButton::CMMouseEnterLeave(TMessage& m)
{
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
}

bool TbsSkinSpeedButton::CMDialogChar(TMessage& m)
{
    if (!IsAccel(char32_t(m.WParam), Caption()) || !Enabled() || !Visible() || !Parent() || !Parent()->Showing())
        return false;
    ButtonClick();
    m.Result = 1;
    return true;
}
