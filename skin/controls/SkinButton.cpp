#include "skin/controls/SkinButton.h"
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

TbsSkinButton::TbsSkinButton(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csSetCaption};
    FLayerManager = new TbsLayerManager(this);
    SetTabStop(true);
    FSkinDataName = "button";
    FMorph.CanMorph = [this] { return FIndex != -1 && CanMorph(); };
    FMorph.Target = [this] { return FMouseIn || FocusedAndCan() ? 1.0 : 0.0; };
    FMorph.Repaint = [this] { Repaint(); };
    FRepeat.OnRepeat = [this] { ButtonClick(); };
    FAnimation.Repaint = [this] { Repaint(); };
    SetBounds(Left(), Top(), 75, 25);
}

TbsSkinButton::~TbsSkinButton()
{
    FMorph.Stop();
    FRepeat.Stop();
    FAnimation.Stop();
}

bool TbsSkinButton::EffectsOn() const { return FSD && !FSD->Empty && FSD->EnableSkinEffects(); }
bool TbsSkinButton::CanMorph() const { return Morphing && EffectsOn(); }

// ------------------------------------------------------------- properties

void TbsSkinButton::SetDown(bool Value)
{
    FDown = Value;
    if (CanMorph()) {
        FMorph.Kf = 1;
        if (Value)
            FMorph.Stop();
        else if (FIndex != -1)
            FMorph.Start();
    }
    Repaint();
    if (FDown && FGroupIndex != 0 && !FAllowAllUp && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TbsSkinButton*>(Parent()->Controls(i));
                b && b != this && b->FGroupIndex == FGroupIndex && b->FDown)
                b->SetDown(false);
}

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

void TbsSkinButton::SetImageList(TImageList* Value)
{
    if (FImageList)
        FImageList->RemoveFreeNotification(this);
    FImageList = Value;
    if (FImageList)
        FImageList->FreeNotification(this);
    Repaint();
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

void TbsSkinButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImageList)
        FImageList = nullptr;
}

// ------------------------------------------------------------- operations

void TbsSkinButton::RefreshButton()
{
    FMouseIn = false;
    FDown = false;
    if (CanMorph())
        FMorph.Kf = 0;
    if (EffectsOn())
        FAnimation.Stop();
    Repaint();
}

void TbsSkinButton::ButtonClick()
{
    if (FCanFocused)
        if (TCustomForm* form = GetParentForm())
            form->SetModalResult(FModalResult);
    // The button's own handler wins over a linked action; else the action runs.
    if (OnClick && Action())
        OnClick(this);
    else if (!ExecuteAction() && OnClick)
        OnClick(this);
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
    const int n = FAnimation.CurrentFrame;
    if (EffectsOn() && FAnimation.Running() && n > 0 && n <= FrameCount) {
        if (FAnimation.Forward)
            ActiveSkinRect = AnimationFrame(n, SkinRect);
        else
            SkinRect = AnimationFrame(n, SkinRect);
    }
}

void TbsSkinButton::ChangeSkinData()
{
    FAnimation.Stop();
    FMorph.Stop();
    FMorph.Kf = 0;
    TbsSkinCustomControl::ChangeSkinData();
    if (CanMorph() && FIndex != -1 && (FMouseIn || FocusedAndCan()))
        FMorph.Kf = 1;
    if (FMouseIn && HandleAllocated())
        PostMessage(Handle(), WM_SHOWLAYER);
}

void TbsSkinButton::BeforeChangeSkinData()
{
    TbsSkinCustomControl::BeforeChangeSkinData();
    HideLayer();
}

void TbsSkinButton::FitSizeToSkin(int& AWidth, int& AHeight)
{
    if (FUseSkinSize || ResizeMode == 1) {
        TbsSkinCustomControl::FitSizeToSkin(AWidth, AHeight);
        return;
    }
    NewClRect = TRect{ClRect.Left, ClRect.Top, ClRect.Right + AWidth - RectWidth(SkinRect),
                      ClRect.Bottom + AHeight - RectHeight(SkinRect)};
}

// ------------------------------------------------------------- painting

bool TbsSkinButton::DownLook()
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
    TRect textArea;
    if (FUseSkinSize || ResizeMode == 1) {
        CreateSkinImageByMode(B, Picture, R);
        textArea = NewClRect;
    } else if (Picture) {
        B.SetSize(Width(), Height());
        if (ResizeMode == 0)
            CopyPiece(B, TRect{0, 0, Width(), Height()}, *Picture, R);
        else
            CreateStretchImage(B, *Picture, R, ClRect, true);
        textArea = TRect{ClRect.Left, ClRect.Top, ClRect.Right + B.Width() - RectWidth(R),
                         ClRect.Bottom + B.Height() - RectHeight(R)};
    }
    TCanvas& c = *B.Canvas();
    ApplyControlFont(c, FSD, UseSkinFont(), FontName, FontHeight, FontStyle, DefaultFont());
    c.Font().SetColor(FaceFontColor(Enabled(), FUseSkinFontColor, DefaultFont().Color(), ADown, AMouseIn));
    if (ShowFocus && Focused()) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(FSD->SkinColors()->cBtnFace());
        DrawDottedFocusRect(c, textArea);
        c.Brush().SetStyle(bsClear);
    }
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, c, NewClRect, ADown, AMouseIn, drawDefault);
    if (!drawDefault)
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
    c.Font().Assign(DefaultFont());
    c.Font().SetCharset(ControlCharset(FSD, DefaultFont()));
    if (!Enabled())
        c.Font().SetColor(clBtnShadow);
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, c, r, FDown, FMouseIn, drawDefault);
    if (!drawDefault)
        return;
    DrawContent(c, r, FDown && FMouseIn, downLook, ButtonGlyphNumber(FDown, FMouseIn, Enabled(), FNumGlyphs));
}

// ------------------------------------------------------------- effects

void TbsSkinButton::MorphOrRepaint()
{
    if (CanMorph() && FIndex != -1)
        FMorph.Start();
    else
        Repaint();
}

void TbsSkinButton::StartAnimation(bool Forward)
{
    GetSkinData();
    if (EffectsOn() && FIndex != -1 && !IsNullRect(AnimateSkinRect))
        FAnimation.Start(Forward, FrameCount, AnimateInterval);
}

bool TbsSkinButton::LookChanges()
{
    return (FGroupIndex != 0 && !FDown) || (FGroupIndex == 0 && (FDown || !FocusedAndCan()));
}

// ------------------------------------------------------------- input

void TbsSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
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

void TbsSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        FMouseDown = false;
        const bool wasDown = FDown;
        const bool over = X >= 0 && Y >= 0 && X < Width() && Y < Height();
        if (FGroupIndex == 0) {
            if (FMouseIn && over) {
                SetDown(false);
                StopRepeat();
                if (wasDown)
                    ButtonClick();
            } else {
                // Released away from the button: up again, and drawn up again.
                FDown = false;
                StopRepeat();
                Repaint();
            }
        } else if (wasDown && FAllowAllUp && FAllowAllUpCheck && over) {
            SetDown(false);
            ButtonClick();
        }
    }
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
    case WM_SHOWLAYER:
        ShowLayer();
        return;
    case WM_ERASEBKGND:
        // Asked outside its own paint (printing into another surface): the face.
        if (!FromWMPaint && m.WParam)
            PaintFaceTo(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    case WM_HIDELAYER:
        HideLayer();
        return;
    case CM_VISIBLECHANGED:
        // Hidden under the pointer (a click that swaps two buttons), the
        // button never hears the pointer leave: it forgets hover and press, so
        // that it comes back with its resting face.
        if (m.WParam == 0 && !FMouseDown) {
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
        break;
    case CM_MOUSEENTER:
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
        return;
    case CM_MOUSELEAVE:
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
            StopRepeat();
        if (HandleAllocated())
            PostMessage(Handle(), WM_HIDELAYER);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FCanFocused && !Focused() && CanFocus() && !Designing()) {
            FClicksDisabled = true;
            SetFocus();
            FClicksDisabled = false;
            if (!Focused())
                return;
        }
        break;
    case WM_KEYDOWN:
        if (FCanFocused) {
            if (m.WParam == VK_SPACE) {
                FAnimation.Stop();
                SetDown(true);
                if (FRepeatMode)
                    ButtonClick();
            } else if (m.WParam == VK_RETURN) {
                ButtonClick();
            }
        }
        break;
    case WM_KEYUP:
        if (FCanFocused && m.WParam == VK_SPACE) {
            SetDown(false);
            ButtonClick();
        }
        break;
    case CM_DIALOGKEY:
        if (m.WParam == VK_RETURN && FActive && Enabled()) {
            ButtonClick();
            m.Result = 1;
            return;
        }
        if (m.WParam == VK_ESCAPE && FCancel && FCanFocused && KeyboardStateToShiftState().Empty() && CanFocus()) {
            ButtonClick();
            m.Result = 1;
            return;
        }
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(char32_t(m.WParam), Caption()) && CanFocus() && FCanFocused) {
            SetFocus();
            ButtonClick();
            m.Result = 1;
            return;
        }
        break;
    case CM_FOCUSCHANGED: {
        auto* sender = reinterpret_cast<TControl*>(m.LParam);
        auto* senderButton = dynamic_cast<TbsSkinButton*>(sender);
        FActive = senderButton ? senderButton == this : FDefault;
        if (FDefault && FCanFocused) {
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
        break;
    }
    case WM_SETFOCUS:
        TbsSkinCustomControl::WndProc(m);
        if (FCanFocused) {
            StartAnimation(true);
            MorphOrRepaint();
        }
        return;
    case WM_KILLFOCUS:
        StopRepeat();
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
        return;
    case CM_ENABLEDCHANGED:
        TbsSkinCustomControl::WndProc(m);
        if (CanMorph()) {
            FMorph.Stop();
            FMorph.Kf = 0;
        }
        // A transient press ends with the button disabled; a toggle keeps its state.
        if (!Enabled() && FGroupIndex == 0 && FDown) {
            FDown = false;
            FMouseDown = false;
            StopRepeat();
        }
        FMouseIn = false;
        Repaint();
        return;
    case CM_TEXTCHANGED:
        TbsSkinCustomControl::WndProc(m);
        Repaint();
        return;
    case WM_COMMAND:
        if (FClicksDisabled)
            return;
        break;
    default:
        break;
    }
    TbsSkinCustomControl::WndProc(m);
}
