#include "skin/controls/GraphicSkinControl.h"
#include "platform/gfx/Bitmap.h"
#include "skin/controls/ControlHost.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"

TbsGraphicSkinControl::TbsGraphicSkinControl(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle.Include(csOpaque);
}

void TbsGraphicSkinControl::SetSkinData(TbsSkinData* Value)
{
    FSD.Set(Value);
    ReleaseSkinElement();
    if (FSD && !FSD->Empty && !Designing())
        ChangeSkinData();
}

void TbsGraphicSkinControl::GetSkinData()
{
    if (!FSD || FSD->Empty)
        FIndex = -1;
    else
        FIndex = FSD->GetControlIndex(FSkinDataName);
}

void TbsGraphicSkinControl::ChangeSkinData()
{
    GetSkinData();
    Repaint();
}

void TbsGraphicSkinControl::BeforeChangeSkinData() { ReleaseSkinElement(); }

void TbsGraphicSkinControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (FSD.Drop(AComponent, Operation))
        ReleaseSkinElement();
}

void TbsGraphicSkinControl::Paint()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    GetSkinData();
    TBitmap b(Width(), Height());
    b.Fill(clBtnFace);
    if (FIndex == -1)
        CreateControlDefaultImage(b);
    else
        CreateControlSkinImage(b);
    Canvas().Draw(0, 0, b);
}

TbsGraphicSkinCustomControl::TbsGraphicSkinCustomControl(TComponent* AOwner) : TbsGraphicSkinControl(AOwner)
{
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetStyle(0);
    FDefaultFont.SetHeight(14);
    FDefaultFont.OnChange = [this](TObject*) {
        DefaultFontChanged();
        if (FIndex == -1)
            Repaint();
    };
}

TbsGraphicSkinCustomControl::~TbsGraphicSkinCustomControl() { FDefaultFont.OnChange = nullptr; }

void TbsGraphicSkinCustomControl::SetDefaultFont(const TFont& Value)
{
    FDefaultFont.Assign(Value);
    DefaultFontChanged();
}

void TbsGraphicSkinCustomControl::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (FIndex == -1 && Value > 0)
        SetWidth(Value);
}

void TbsGraphicSkinCustomControl::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (FIndex == -1 && Value > 0)
        SetHeight(Value);
}

void TbsGraphicSkinCustomControl::ReleaseSkinElement()
{
    TbsGraphicSkinControl::ReleaseSkinElement();
    Picture = nullptr;
}

void TbsGraphicSkinCustomControl::GetSkinData()
{
    TbsGraphicSkinControl::GetSkinData();
    if (FIndex == -1) {
        Picture = nullptr;
        return;
    }
    const auto* e = dynamic_cast<const TbsDataSkinCustomControl*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!e) {
        ResizeMode = 0;
        Picture = nullptr;
        return;
    }
    CopyElement(*e, *FSD);
}

void TbsGraphicSkinCustomControl::FitSizeToSkin(int& AWidth, int& AHeight) { FitSize(AWidth, AHeight, FIndex != -1); }

void TbsGraphicSkinCustomControl::CreateSkinImageByMode(TBitmap& B, const TBitmap* SkinPicture, const TRect& R)
{
    TbsElementGeometry::CreateSkinImageByMode(B, SkinPicture, R, Width(), Height());
}

void TbsGraphicSkinCustomControl::CreateControlDefaultImage(TBitmap& B)
{
    B.Canvas()->Brush().SetStyle(bsSolid);
    B.Canvas()->Brush().SetColor(clBtnFace);
    B.Canvas()->FillRect(TRect{0, 0, Width(), Height()});
}

void TbsGraphicSkinCustomControl::CreateControlSkinImage(TBitmap& B) { CreateSkinImageByMode(B, Picture, SkinRect); }

void TbsGraphicSkinCustomControl::ChangeSkinData()
{
    GetSkinData();
    if (FIndex == -1) {
        if (FDefaultWidth > 0)
            SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0)
            SetHeight(FDefaultHeight);
    } else {
        int w = Width(), h = Height();
        FitSizeToSkin(w, h);
        if (w != Width())
            SetWidth(w);
        if (h != Height())
            SetHeight(h);
    }
    Repaint();
}

void TbsGraphicSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    const bool changed = (AWidth != Width() || AHeight != Height()) && FIndex != -1;
    if (changed) {
        FitSizeToSkin(AWidth, AHeight);
        if (ResizeMode == 0)
            NewClRect = ClRect;
    }
    if (auto* host = dynamic_cast<TbsSkinControlHost*>(Parent()); host && host->AdjustControls()) {
        const TRect r = host->GetSkinClientRect();
        ATop = RectHeight(r) / 2 + r.Top - AHeight / 2;
    }
    TbsGraphicSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (changed)
        Repaint();
}
