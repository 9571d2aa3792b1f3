#pragma once
// The members of the skinned button base template; included only where it
// is instantiated (SkinButton.cpp, SkinSpeedButton.cpp).
#include "skin/controls/SkinButtonBase.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/ControlPaint.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

template <class Base>
TbsSkinButtonBase<Base>::TbsSkinButtonBase(TComponent* AOwner) : Base(AOwner)
{
    FMorph.CanMorph = [this] { return this->FIndex != -1 && CanMorph(); };
    FMorph.Target = [this] { return Hot() ? 1.0 : 0.0; };
    FMorph.Repaint = [this] { this->Repaint(); };
    FRepeat.OnRepeat = [this] { ButtonClick(); };
    FAnimation.Repaint = [this] { this->Repaint(); };
}

template <class Base>
TbsSkinButtonBase<Base>::~TbsSkinButtonBase()
{
    FMorph.Stop();
    FRepeat.Stop();
    FAnimation.Stop();
}

template <class Base>
bool TbsSkinButtonBase<Base>::EffectsOn() const
{
    return this->FSD && !this->FSD->Empty && this->FSD->EnableSkinEffects();
}

template <class Base>
bool TbsSkinButtonBase<Base>::CanMorph() const
{
    return Morphing && EffectsOn();
}

template <class Base>
void TbsSkinButtonBase<Base>::MorphOrRepaint()
{
    if (CanMorph() && this->FIndex != -1 && MorphShows())
        FMorph.Start();
    else
        this->Repaint();
}

// ------------------------------------------------------------- properties

template <class Base>
void TbsSkinButtonBase<Base>::SetDown(bool Value)
{
    FDown = Value;
    if (CanMorph()) {
        FMorph.Kf = 1;
        if (Value)
            FMorph.Stop();
        else if (this->FIndex != -1 && MorphShows())
            FMorph.Start();
    }
    this->Repaint();
    TWinControl* parent = this->Parent();
    if (FDown && FGroupIndex != 0 && !FAllowAllUp && parent)
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TbsSkinButtonBase*>(parent->Controls(i));
                b && b != this && b->FGroupIndex == FGroupIndex && b->FDown)
                b->SetDown(false);
}

template <class Base>
void TbsSkinButtonBase<Base>::SetImageList(TImageList* Value)
{
    if (FImageList)
        FImageList->RemoveFreeNotification(this);
    FImageList = Value;
    if (FImageList)
        FImageList->FreeNotification(this);
    this->Repaint();
}

template <class Base>
void TbsSkinButtonBase<Base>::Notification(TComponent* AComponent, TOperation Operation)
{
    Base::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImageList)
        FImageList = nullptr;
}

template <class Base>
void TbsSkinButtonBase<Base>::RefreshButton()
{
    FMouseIn = false;
    FDown = false;
    if (CanMorph())
        FMorph.Kf = 0;
    if (EffectsOn())
        FAnimation.Stop();
    this->Repaint();
}

template <class Base>
void TbsSkinButtonBase<Base>::ButtonClick()
{
    // The button's own handler wins over a linked action; else the action runs.
    if (this->OnClick && this->Action())
        this->OnClick(this);
    else if (!this->ExecuteAction() && this->OnClick)
        this->OnClick(this);
}

// ------------------------------------------------------------- skin data

template <class Base>
void TbsSkinButtonBase<Base>::ApplyAnimationFrame()
{
    const int n = FAnimation.CurrentFrame;
    if (EffectsOn() && FAnimation.Running() && n > 0 && n <= FrameCount) {
        if (FAnimation.Forward)
            ActiveSkinRect = AnimationFrame(n, this->SkinRect);
        else
            this->SkinRect = AnimationFrame(n, this->SkinRect);
    }
}

template <class Base>
void TbsSkinButtonBase<Base>::ChangeSkinData()
{
    FAnimation.Stop();
    FMorph.Stop();
    FMorph.Kf = 0;
    Base::ChangeSkinData();
    if (CanMorph() && this->FIndex != -1 && MorphShows() && Hot())
        FMorph.Kf = 1;
}

template <class Base>
void TbsSkinButtonBase<Base>::FitSizeToSkin(int& AWidth, int& AHeight)
{
    if (FUseSkinSize || this->ResizeMode == 1) {
        Base::FitSizeToSkin(AWidth, AHeight);
        return;
    }
    const TRect& cl = this->ClRect;
    this->NewClRect = TRect{cl.Left, cl.Top, cl.Right + AWidth - RectWidth(this->SkinRect),
                            cl.Bottom + AHeight - RectHeight(this->SkinRect)};
}

// ------------------------------------------------------------- painting

template <class Base>
TRect TbsSkinButtonBase<Base>::ComposeFace(TBitmap& B, const TRect& R)
{
    if (FUseSkinSize || this->ResizeMode == 1) {
        this->CreateSkinImageByMode(B, this->Picture, R);
        return this->NewClRect;
    }
    const int w = this->Width(), h = this->Height();
    if (this->Picture) {
        B.SetSize(w, h);
        if (this->ResizeMode == 0)
            CopyPiece(B, TRect{0, 0, w, h}, *this->Picture, R);
        else
            CreateStretchImage(B, *this->Picture, R, this->ClRect, true);
    }
    const TRect& cl = this->ClRect;
    return TRect{cl.Left, cl.Top, cl.Right + B.Width() - RectWidth(R), cl.Bottom + B.Height() - RectHeight(R)};
}

template <class Base>
TColor TbsSkinButtonBase<Base>::FaceFontColor(bool ADown, bool AMouseIn) const
{
    return TbsButtonElement::FaceFontColor(this->Enabled(), FUseSkinFontColor, this->DefaultFont().Color(), ADown,
                                           AMouseIn);
}

template <class Base>
void TbsSkinButtonBase<Base>::ApplyPlainFont(TCanvas& C)
{
    C.Font().Assign(this->DefaultFont());
    C.Font().SetCharset(ControlCharset(this->FSD, this->DefaultFont()));
    if (!this->Enabled())
        C.Font().SetColor(clBtnShadow);
}

template <class Base>
bool TbsSkinButtonBase<Base>::DrawsDefault(TCanvas& C, const TRect& R, bool ADown, bool AMouseIn)
{
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, C, R, ADown, AMouseIn, drawDefault);
    return drawDefault;
}

// ------------------------------------------------------------- input

template <class Base>
void TbsSkinButtonBase<Base>::Press()
{
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

template <class Base>
void TbsSkinButtonBase<Base>::ReleaseAt(int X, int Y)
{
    FMouseDown = false;
    const bool wasDown = FDown;
    const bool over = X >= 0 && Y >= 0 && X < this->Width() && Y < this->Height();
    if (FGroupIndex == 0) {
        if (FMouseIn && over) {
            SetDown(false);
            FRepeat.Stop();
            if (wasDown)
                ButtonClick();
        } else {
            // Released away from the button: up again, and drawn up again.
            FDown = false;
            FRepeat.Stop();
            this->Repaint();
        }
    } else if (wasDown && FAllowAllUp && FAllowAllUpCheck && over) {
        SetDown(false);
        ButtonClick();
    }
}

template <class Base>
void TbsSkinButtonBase<Base>::EnabledChanged()
{
    if (CanMorph()) {
        FMorph.Stop();
        FMorph.Kf = 0;
    }
    // A transient press ends with the button disabled; a toggle keeps its state.
    if (!this->Enabled() && FGroupIndex == 0 && FDown) {
        FDown = false;
        FMouseDown = false;
        FRepeat.Stop();
    }
    FMouseIn = false;
    this->Repaint();
}
