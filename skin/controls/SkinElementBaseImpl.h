#pragma once
// The members of the skinned control base templates; included only where a
// base is instantiated (SkinControl.cpp, GraphicSkinControl.cpp).
#include "skin/controls/SkinElementBase.h"
#include "platform/gfx/Bitmap.h"
#include "skin/controls/ControlHost.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"

// -------------------------------------------------------- TbsSkinElementBase

template <class Base>
void TbsSkinElementBase<Base>::SetSkinData(TbsSkinData* Value)
{
    FSD.Set(Value);
    ReleaseSkinElement();
    if (FSD && !FSD->Empty && !Designing())
        ChangeSkinData();
}

template <class Base>
void TbsSkinElementBase<Base>::GetSkinData()
{
    if (!FSD || FSD->Empty)
        FIndex = -1;
    else
        FIndex = FSD->GetControlIndex(FSkinDataName);
}

template <class Base>
void TbsSkinElementBase<Base>::ChangeSkinData()
{
    GetSkinData();
    this->Repaint();
}

template <class Base>
void TbsSkinElementBase<Base>::BeforeChangeSkinData()
{
    ReleaseSkinElement();
}

template <class Base>
void TbsSkinElementBase<Base>::Notification(TComponent* AComponent, TOperation Operation)
{
    Base::Notification(AComponent, Operation);
    if (FSD.Drop(AComponent, Operation))
        ReleaseSkinElement();
}

template <class Base>
void TbsSkinElementBase<Base>::PrepareFaceBitmap(TBitmap& B, int Width, int Height)
{
    B.SetSize(Width, Height, false);
    B.Fill(clBtnFace);
}

template <class Base>
void TbsSkinElementBase<Base>::Paint()
{
    if (this->Width() <= 0 || this->Height() <= 0)
        return;
    GetSkinData();
    TBitmap b;
    PrepareFaceBitmap(b, this->Width(), this->Height());
    if (FIndex == -1)
        CreateControlDefaultImage(b);
    else
        CreateControlSkinImage(b);
    this->Canvas().Draw(0, 0, b);
}

// ---------------------------------------------------------- TbsSkinSizedBase

template <class Base>
TbsSkinSizedBase<Base>::TbsSkinSizedBase(TComponent* AOwner) : Base(AOwner)
{
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetStyle(0);
    FDefaultFont.SetHeight(14);
    FDefaultFont.OnChange = [this](TObject*) {
        DefaultFontChanged();
        if (this->FIndex == -1)
            this->Repaint();
    };
}

template <class Base>
TbsSkinSizedBase<Base>::~TbsSkinSizedBase()
{
    FDefaultFont.OnChange = nullptr;
}

template <class Base>
void TbsSkinSizedBase<Base>::SetDefaultFont(const TFont& Value)
{
    FDefaultFont.Assign(Value);
    DefaultFontChanged();
}

template <class Base>
void TbsSkinSizedBase<Base>::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (this->FIndex == -1 && Value > 0)
        this->SetWidth(Value);
}

template <class Base>
void TbsSkinSizedBase<Base>::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (this->FIndex == -1 && Value > 0)
        this->SetHeight(Value);
}

template <class Base>
void TbsSkinSizedBase<Base>::ReleaseSkinElement()
{
    Base::ReleaseSkinElement();
    DropElementPictures();
}

template <class Base>
void TbsSkinSizedBase<Base>::ReadElement(const TbsDataSkinCustomControl& E)
{
    CopyElement(E, *this->FSD);
}

template <class Base>
void TbsSkinSizedBase<Base>::GetSkinData()
{
    Base::GetSkinData();
    if (this->FIndex == -1) {
        DropElementPictures();
        return;
    }
    const auto* e = dynamic_cast<const TbsDataSkinCustomControl*>(this->FSD->CtrlList[size_t(this->FIndex)].get());
    if (!e) {
        ResizeMode = 0;
        DropElementPictures();
        return;
    }
    ReadElement(*e);
}

template <class Base>
void TbsSkinSizedBase<Base>::FitSizeToSkin(int& AWidth, int& AHeight)
{
    FitSize(AWidth, AHeight, this->FIndex != -1);
}

template <class Base>
void TbsSkinSizedBase<Base>::CreateSkinImageByMode(TBitmap& B, const TBitmap* SkinPicture, const TRect& R)
{
    TbsElementGeometry::CreateSkinImageByMode(B, SkinPicture, R, this->Width(), this->Height(), ForcesBackground());
}

template <class Base>
void TbsSkinSizedBase<Base>::CreateControlDefaultImage(TBitmap& B)
{
    B.Canvas()->Brush().SetStyle(bsSolid);
    B.Canvas()->Brush().SetColor(clBtnFace);
    B.Canvas()->FillRect(TRect{0, 0, this->Width(), this->Height()});
}

template <class Base>
void TbsSkinSizedBase<Base>::CreateControlSkinImage(TBitmap& B)
{
    CreateSkinImageByMode(B, Picture, SkinRect);
}

template <class Base>
void TbsSkinSizedBase<Base>::ChangeSkinData()
{
    GetSkinData();
    bool resized = false;
    if (this->FIndex == -1) {
        if (FDefaultWidth > 0)
            this->SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0)
            this->SetHeight(FDefaultHeight);
    } else {
        int w = this->Width(), h = this->Height();
        FitSizeToSkin(w, h);
        if (w != this->Width()) {
            this->SetWidth(w);
            resized = true;
        }
        if (h != this->Height()) {
            this->SetHeight(h);
            resized = true;
        }
    }
    if (!resized || this->FIndex == -1 || RepaintsAfterSkinResize()) {
        UpdateSkinRegion();
        this->Repaint();
    }
}

template <class Base>
void TbsSkinSizedBase<Base>::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    const bool changed = (AWidth != this->Width() || AHeight != this->Height()) && this->FIndex != -1;
    if (changed) {
        FitSizeToSkin(AWidth, AHeight);
        if (ResizeMode == 0)
            NewClRect = ClRect;
    }
    if (auto* host = dynamic_cast<TbsSkinControlHost*>(this->Parent()); host && host->AdjustControls()) {
        const TRect r = host->GetSkinClientRect();
        ATop = RectHeight(r) / 2 + r.Top - AHeight / 2;
    }
    Base::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (changed) {
        UpdateSkinRegion();
        this->Repaint();
    }
}
