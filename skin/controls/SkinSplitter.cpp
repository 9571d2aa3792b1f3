#include "skin/controls/SkinSplitter.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

TbsSkinSplitter::TbsSkinSplitter(TComponent* AOwner) : TSplitter(AOwner) { FControlStyle.Include(csOpaque); }

void TbsSkinSplitter::SetSkinData(TbsSkinData* Value)
{
    FSD.Set(Value);
    ChangeSkinData();
}

void TbsSkinSplitter::Notification(TComponent* AComponent, TOperation Operation)
{
    TSplitter::Notification(AComponent, Operation);
    if (FSD.Drop(AComponent, Operation)) {
        FIndex = -1;
        FSkinPicture = nullptr;
    }
}

void TbsSkinSplitter::GetSkinData()
{
    FIndex = (FSD && !FSD->Empty) ? FSD->GetControlIndex(FSkinDataName) : -1;
    FSkinPicture = nullptr;
    if (FIndex == -1)
        return;
    if (const auto* e = dynamic_cast<const TbsDataSkinSplitterControl*>(FSD->CtrlList[size_t(FIndex)].get())) {
        LTPt = e->LTPoint;
        RTPt = e->RTPoint;
        LBPt = e->LBPoint;
        SkinRect = e->SkinRect;
        StretchEffect = e->StretchEffect;
        FSkinPicture = FSD->ActivePicture(e->PictureIndex);
        GripperRect = e->GripperRect;
        GripperTransparent = e->GripperTransparent;
        GripperTransparentColor = e->GripperTransparentColor;
    }
}

void TbsSkinSplitter::ChangeSkinData()
{
    GetSkinData();
    const bool plain = FIndex == -1 || FTransparent;
    if (Align() == alTop || Align() == alBottom)
        SetHeight(plain ? FDefaultSize : RectHeight(SkinRect));
    else
        SetWidth(plain ? FDefaultSize : RectWidth(SkinRect));
    Repaint();
}

void TbsSkinSplitter::SetTransparent(bool Value)
{
    if (FTransparent == Value)
        return;
    FTransparent = Value;
    if (Value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    Repaint();
}

void TbsSkinSplitter::RequestAlign()
{
    TSplitter::RequestAlign();
    if (ComponentState().Contains(csDesigning))
        FSkinDataName = (Align() == alTop || Align() == alBottom) ? "hsplitter" : "vsplitter";
}

void TbsSkinSplitter::Paint()
{
    if (FTransparent || Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    if (FIndex == -1 || !FSkinPicture || Align() == alNone || Align() == alClient) {
        TSplitter::Paint();
        return;
    }
    TBitmap b;
    if (Align() == alTop || Align() == alBottom)
        CreateHSkinImage(LTPt.X, RectWidth(SkinRect) - RTPt.X, b, *FSkinPicture, SkinRect, Width(),
                         RectHeight(SkinRect), StretchEffect);
    else
        CreateVSkinImage(LTPt.Y, RectHeight(SkinRect) - LBPt.Y, b, *FSkinPicture, SkinRect, RectWidth(SkinRect),
                         Height(), StretchEffect);
    if (!IsNullRect(GripperRect)) {
        TBitmap grip(RectWidth(GripperRect), RectHeight(GripperRect));
        CopyPiece(grip, TRect{0, 0, grip.Width(), grip.Height()}, *FSkinPicture, GripperRect);
        if (GripperTransparent) {
            grip.SetTransparentMode(tmFixed);
            grip.SetTransparentColor(GripperTransparentColor);
            grip.SetTransparent(true);
        }
        b.Canvas()->Draw(b.Width() / 2 - grip.Width() / 2, b.Height() / 2 - grip.Height() / 2, grip);
    }
    Canvas().Draw(0, 0, b);
}
