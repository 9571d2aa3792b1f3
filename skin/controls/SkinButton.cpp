#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinButtonBaseImpl.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/forms/Forms.h"
#include "skin/controls/ControlPaint.h"
#include "skin/controls/MenuLinks.h"
#include "skin/data/SkinData.h"
#include "skin/draw/ImageText.h"
#include "skin/draw/LayerWindow.h"
#include "skin/draw/Marks.h"
#include "skin/draw/PlatformCaps.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

template class TbsSkinButtonBase<TbsSkinCustomControl>;

TbsSkinButton::TbsSkinButton(TComponent* AOwner) : TbsSkinButtonBase(AOwner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csSetCaption};
    FLayerManager = new TbsLayerManager(this);
    SetTabStop(true);
    FSkinDataName = "button";
    SetBounds(Left(), Top(), 75, 25);
}

// ------------------------------------------------------------- properties

void TbsSkinButton::SetGroupIndex(int Value)
{
    FGroupIndex = Value;
    if (Value != 0)
        SetCanFocused(false);
}

void TbsSkinButton::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

void TbsSkinButton::SetDefault(bool Value)
{
    FDefault = Value;
    if (HandleAllocated() && FCanFocused)
        if (TCustomForm* form = GetParentForm())
            form->Perform(CM_FOCUSCHANGED, 0, LPARAM(static_cast<TControl*>(form->ActiveControl())));
}

void TbsSkinButton::SetImageIndex(int Value)
{
    if (Value != FImageIndex) {
        FImageIndex = Value;
        Repaint();
    }
}

void TbsSkinButton::SetSkinImagesMenu(TbsButtonImagesMenu* Value)
{
    FSkinImagesMenu = Value;
    Repaint();
}

// ------------------------------------------------------------- operations

void TbsSkinButton::ButtonClick()
{
    if (FCanFocused)
        if (TCustomForm* form = GetParentForm())
            form->SetModalResult(FModalResult);
    TbsSkinButtonBase::ButtonClick();
}

void TbsSkinButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TbsSkinCustomControl::ActionChange(Sender, CheckDefaults);
    TakeActionImage(Sender);
}

bool TbsSkinButton::GlowShown() const
{
    return FSD && !FSD->Empty && CanUseLayeredWindows() &&
           (FSD->ShowButtonGlowFrames() || FAlwaysShowGlowFrame) && GlowLayerPictureIndex != -1;
}

void TbsSkinButton::ShowLayer()
{
    // A glow without a mask has no alpha to fade with: it is not shown.
    if (FIndex == -1 || !GlowShown())
        return;
    const TBitmap* pic = FSD->ActivePicture(GlowLayerPictureIndex);
    const TBitmap* mask = FSD->ActivePicture(GlowLayerMaskPictureIndex);
    if (!pic || !mask)
        return;
    if (auto* form = dynamic_cast<TForm*>(GetParentForm()))
        FLayerManager->SetTopMostMode(form->FormStyle() == fsStayOnTop);
    TBitmap image, imageMask;
    const int dx = Width() - RectWidth(SkinRect), dy = Height() - RectHeight(SkinRect);
    if (ResizeMode == 0) {
        image = *pic;
        imageMask = *mask;
    } else if (ResizeMode == 2 && FUseSkinSize) {
        CreateHSkinImage(GlowLayerOffsetLeft, GlowLayerOffsetRight, image, *pic, TRect{0, 0, pic->Width(), pic->Height()},
                         pic->Width() + dx, pic->Height(), true);
        CreateHSkinImage(GlowLayerOffsetLeft, GlowLayerOffsetRight, imageMask, *mask,
                         TRect{0, 0, mask->Width(), mask->Height()}, mask->Width() + dx, mask->Height(), true);
    } else if (ResizeMode == 1) {
        auto grow = [&](const TBitmap& src, TBitmap& dst) {
            dst.SetSize(src.Width() + dx, src.Height() + dy, false);
            CreateStretchImage(dst, src, TRect{0, 0, src.Width(), src.Height()},
                               TRect{GlowLayerOffsetLeft, GlowLayerOffsetTop, src.Width() - GlowLayerOffsetRight,
                                     src.Height() - GlowLayerOffsetBottom},
                               true);
        };
        grow(*pic, image);
        grow(*mask, imageMask);
    } else {
        return;
    }
    const TPoint p = ClientToScreen(TPoint{0, 0});
    FLayerManager->Show(p.X - GlowLayerShowOffsetX, p.Y - GlowLayerShowOffsetY, image, imageMask,
                        GlowLayerAlphaBlendValue);
    FGlowVisible = true;
}

void TbsSkinButton::HideLayer()
{
    // Hidden whatever showed it, so a glow never stays behind the mouse.
    if (FGlowVisible || FLayerManager->IsVisible())
        FLayerManager->Hide();
    FGlowVisible = false;
}

// ------------------------------------------------------------- skin data

void TbsSkinButton::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    if (FIndex == -1) {
        AnimateSkinRect = TRect{};
    } else if (const auto* e = dynamic_cast<const TbsDataSkinButtonControl*>(FSD->CtrlList[size_t(FIndex)].get())) {
        if (!FUseSkinSize && MaskPicture)
            MaskPicture = nullptr;
        CopyButtonElement(*e, SkinRect);
    }
    ApplyAnimationFrame();
}

void TbsSkinButton::ChangeSkinData()
{
    TbsSkinButtonBase::ChangeSkinData();
    if (FMouseIn && HandleAllocated())
        PostMessage(Handle(), WM_SHOWLAYER);
}

void TbsSkinButton::BeforeChangeSkinData()
{
    TbsSkinCustomControl::BeforeChangeSkinData();
    HideLayer();
}

// ------------------------------------------------------------- painting

bool TbsSkinButton::DownLook() const
{
    return FDown && (FGroupIndex != 0 || FMouseIn || (FocusedAndCan() && !FMouseDown));
}

void TbsSkinButton::Paint()
{
    GetSkinData();
    if (FIndex == -1) {
        TbsSkinCustomControl::Paint();
        return;
    }
    if (Width() < 1 || Height() < 1)
        return;
    int w = Width(), h = Height();
    FitSizeToSkin(w, h);
    TBitmap b;
    PrepareFaceBitmap(b, Width(), Height());
    const double kf = FMorph.Kf;
    if (CanMorph() && kf > 0 && kf < 1 && Enabled()) {
        TBitmap active;
        PrepareFaceBitmap(active, Width(), Height());
        DrawStateImage(b, SkinRect, false, false);
        DrawStateImage(active, ActiveSkinRect, false, true);
        TBitmap blend;
        MorphFaces(b, active, kf, MorphKind, blend);
        Canvas().Draw(0, 0, blend);
        return;
    }
    if (!Enabled() && !IsNullRect(DisabledSkinRect))
        DrawStateImage(b, DisabledSkinRect, false, false);
    else if (DownLook())
        DrawStateImage(b, DownSkinRect, true, true);
    else if (FocusedAndCan() && !IsNullRect(FocusedSkinRect) && !FAnimation.Running())
        DrawStateImage(b, FocusedSkinRect, false, true);
    else if (FocusedAndCan() || FMouseIn)
        DrawStateImage(b, ActiveSkinRect, false, true);
    else if (CanMorph() && kf == 1)
        DrawStateImage(b, ActiveSkinRect, false, true);
    else
        DrawStateImage(b, SkinRect, false, false);
    Canvas().Draw(0, 0, b);
}

void TbsSkinButton::DrawContent(TCanvas& C, const TRect& R, bool ImageDown, bool GlyphDown, int GlyphNum)
{
    C.Brush().SetStyle(bsClear);
    if (FSkinImagesMenu && FSkinImagesMenu->HasSelectedItem() && FUseImagesMenuImage)
        DrawImageAndText(C, R, FMargin, FSpacing, FLayout,
                         FUseImagesMenuCaption ? FSkinImagesMenu->SelectedCaption() : Caption(),
                         FSkinImagesMenu->SelectedImageIndex(), FSkinImagesMenu->Images(), ImageDown, Enabled(), false,
                         0);
    else if (FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count())
        DrawImageAndText(C, R, FMargin, FSpacing, FLayout, Caption(), FImageIndex, FImageList, ImageDown, Enabled(),
                         false, 0);
    else
        DrawGlyphAndText(C, R, FMargin, FSpacing, FLayout, Caption(), FGlyph, FNumGlyphs, GlyphNum, GlyphDown, false,
                         0);
}

void TbsSkinButton::DrawStateImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn)
{
    // A freely sized face without a picture has no content area.
    const bool composed = FUseSkinSize || ResizeMode == 1 || Picture;
    const TRect textArea = composed ? ComposeFace(B, R) : TRect{};
    TCanvas& c = *B.Canvas();
    ApplyControlFont(c, FSD, UseSkinFont(), FontName, FontHeight, FontStyle, DefaultFont());
    c.Font().SetColor(FaceFontColor(ADown, AMouseIn));
    if (ShowFocus && Focused()) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(FSD->SkinColors()->cBtnFace());
        DrawDottedFocusRect(c, textArea);
        c.Brush().SetStyle(bsClear);
    }
    if (!DrawsDefault(c, NewClRect, ADown, AMouseIn))
        return;
    DrawContent(c, textArea, ADown && AMouseIn, ADown && AMouseIn,
                ButtonGlyphNumber(FDown, FMouseIn, Enabled(), FNumGlyphs));
}

void TbsSkinButton::CreateControlDefaultImage(TBitmap& B)
{
    TCanvas& c = *B.Canvas();
    const TRect r{0, 0, Width(), Height()};
    const bool downLook = DownLook();
    if (downLook)
        DrawPlainFace(c, r, PlainHotFrame, PlainDownFill);
    else if (FMouseIn || FocusedAndCan())
        DrawPlainFace(c, r, PlainHotFrame, PlainHotFill);
    else
        DrawPlainFace(c, r, clBtnShadow, clBtnFace);
    ApplyPlainFont(c);
    if (!DrawsDefault(c, r, FDown, FMouseIn))
        return;
    DrawContent(c, r, FDown && FMouseIn, downLook, ButtonGlyphNumber(FDown, FMouseIn, Enabled(), FNumGlyphs));
}

// ------------------------------------------------------------- effects

void TbsSkinButton::StartAnimation(bool Forward)
{
    GetSkinData();
    if (EffectsOn() && FIndex != -1 && !IsNullRect(AnimateSkinRect))
        FAnimation.Start(Forward, FrameCount, AnimateInterval);
}

bool TbsSkinButton::LookChanges() const
{
    return (FGroupIndex != 0 && !FDown) || (FGroupIndex == 0 && (FDown || !FocusedAndCan()));
}

// ------------------------------------------------------------- input

void TbsSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft)
        Press();
}

void TbsSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft)
        ReleaseAt(X, Y);
    if (HandleAllocated() && Visible())
        TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TbsSkinButton::CreateWnd()
{
    TbsSkinCustomControl::CreateWnd();
    FActive = FDefault;
}

void TbsSkinButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_SHOWLAYER: ShowLayer(); return;
    case WM_HIDELAYER: HideLayer(); return;
    case WM_ERASEBKGND: WMEraseBkgnd(m); return;
    case CM_MOUSEENTER: CMMouseEnter(m); return;
    case CM_MOUSELEAVE: CMMouseLeave(m); return;
    case WM_SETFOCUS: WMSetFocus(m); return;
    case WM_KILLFOCUS: WMKillFocus(m); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); return;
    case CM_TEXTCHANGED: CMTextChanged(m); return;
    case CM_DIALOGKEY:
        if (CMDialogKey(m))
            return;
        break;
    case CM_DIALOGCHAR:
        if (CMDialogChar(m))
            return;
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
    case CM_VISIBLECHANGED: CMVisibleChanged(m); break;
    case WM_KEYDOWN: WMKeyDown(m); break;
    case WM_KEYUP: WMKeyUp(m); break;
    case CM_FOCUSCHANGED: CMFocusChanged(m); break;
    default: break;
    }
    TbsSkinCustomControl::WndProc(m);
}

void TbsSkinButton::WMEraseBkgnd(TMessage& m)
{
    // Asked outside its own paint (printing into another surface): the face.
    if (!FromWMPaint && m.WParam)
        PaintFaceTo(reinterpret_cast<HDC>(m.WParam));
    m.Result = 1;
}

// Hidden under the pointer (a click that swaps two buttons), the button
// never hears the pointer leave: it forgets hover and press, so that it
// comes back with its resting face.
void TbsSkinButton::CMVisibleChanged(TMessage& m)
{
    if (m.WParam != 0 || FMouseDown)
        return;
    FMouseIn = false;
    if (FGroupIndex == 0)
        FDown = false;
    if (CanMorph())
        FMorph.Kf = 0;
    if (EffectsOn())
        FAnimation.Stop();
    if (HandleAllocated())
        PostMessage(Handle(), WM_HIDELAYER);
}

void TbsSkinButton::CMMouseEnter(TMessage& m)
{
    TbsSkinCustomControl::WndProc(m);
    if (m.LParam != 0 || Designing())
        return;
    FMouseIn = true;
    if (LookChanges()) {
        if (FDown) {
            if (CanMorph())
                FMorph.Kf = 1;
            Repaint();
        } else {
            StartAnimation(true);
            MorphOrRepaint();
        }
    }
    if (FDown && FRepeatMode && FGroupIndex == 0)
        FRepeat.Start();
    if (HandleAllocated())
        PostMessage(Handle(), WM_SHOWLAYER);
}

void TbsSkinButton::CMMouseLeave(TMessage& m)
{
    TbsSkinCustomControl::WndProc(m);
    if (m.LParam != 0 || Designing())
        return;
    if (!(FCanFocused && FDefault && FActive && !Focused()))
        FMouseIn = false;
    if (LookChanges()) {
        StartAnimation(false);
        MorphOrRepaint();
    }
    if (FDown && FRepeatMode && FGroupIndex == 0)
        FRepeat.Stop();
    if (HandleAllocated())
        PostMessage(Handle(), WM_HIDELAYER);
}

void TbsSkinButton::WMKeyDown(TMessage& m)
{
    if (!FCanFocused)
        return;
    if (m.WParam == VK_SPACE) {
        FAnimation.Stop();
        SetDown(true);
        if (FRepeatMode)
            ButtonClick();
    } else if (m.WParam == VK_RETURN) {
        ButtonClick();
    }
}

void TbsSkinButton::WMKeyUp(TMessage& m)
{
    if (FCanFocused && m.WParam == VK_SPACE) {
        SetDown(false);
        ButtonClick();
    }
}

// Return clicks the active (default or focused) button, Escape the cancel button.
bool TbsSkinButton::CMDialogKey(TMessage& m)
{
    const bool returnKey = m.WParam == VK_RETURN && FActive && Enabled();
    const bool escapeKey = m.WParam == VK_ESCAPE && FCancel && FCanFocused &&
                           KeyboardStateToShiftState().Empty() && CanFocus();
    if (!returnKey && !escapeKey)
        return false;
    ButtonClick();
    m.Result = 1;
    return true;
}

bool TbsSkinButton::CMDialogChar(TMessage& m)
{
    if (!IsAccel(char32_t(m.WParam), Caption()) || !CanFocus() || !FCanFocused)
        return false;
    SetFocus();
    ButtonClick();
    m.Result = 1;
    return true;
}

// The default button looks hot while the focus is on a control that is no
// button, and active while it or any other button is focused.
void TbsSkinButton::CMFocusChanged(TMessage& m)
{
    auto* sender = reinterpret_cast<TControl*>(m.LParam);
    auto* senderButton = dynamic_cast<TbsSkinButton*>(sender);
    FActive = senderButton ? senderButton == this : FDefault;
    if (!FDefault || !FCanFocused)
        return;
    if (senderButton && senderButton != this && FMouseIn) {
        FMouseIn = false;
        MorphOrRepaint();
    } else if (!senderButton && sender && !FMouseIn) {
        if (CanMorph())
            FMorph.Kf = 1;
        FMouseIn = true;
        MorphOrRepaint();
    }
}

void TbsSkinButton::WMSetFocus(TMessage& m)
{
    TbsSkinCustomControl::WndProc(m);
    if (FCanFocused) {
        StartAnimation(true);
        MorphOrRepaint();
    }
}

void TbsSkinButton::WMKillFocus(TMessage& m)
{
    FRepeat.Stop();
    if (FGroupIndex == 0 && FDown)
        FDown = false;
    TbsSkinCustomControl::WndProc(m);
    if (FCanFocused) {
        StartAnimation(false);
        if (CanMorph() && FIndex != -1)
            FMorph.Start();
        else
            Invalidate();
    }
}

void TbsSkinButton::CMEnabledChanged(TMessage& m)
{
    TbsSkinCustomControl::WndProc(m);
    EnabledChanged();
}

void TbsSkinButton::CMTextChanged(TMessage& m)
{
    TbsSkinCustomControl::WndProc(m);
    Repaint();
}
