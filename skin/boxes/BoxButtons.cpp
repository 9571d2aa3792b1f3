#include "skin/boxes/BoxButtons.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

const TbsDataSkinButtonControl* FindButtonElement(const TbsSkinData* SkinData, std::initializer_list<const char*> Names)
{
    if (!SkinData || SkinData->Empty)
        return nullptr;
    for (const char* name : Names) {
        int i = SkinData->GetControlIndex(name);
        if (i == -1)
            continue;
        if (auto* e = dynamic_cast<const TbsDataSkinButtonControl*>(SkinData->CtrlList[size_t(i)].get()))
            return e;
    }
    return nullptr;
}

TRect ButtonStateRect(const TbsDataSkinButtonControl& E, bool Pressed, bool Hot)
{
    TRect active = IsNullRect(E.ActiveSkinRect) ? E.SkinRect : E.ActiveSkinRect;
    TRect down = IsNullRect(E.DownSkinRect) ? active : E.DownSkinRect;
    if (Pressed && Hot)
        return down;
    if (Hot)
        return active;
    return E.SkinRect;
}

void DrawNinePartButton(TCanvas& Canvas, const TRect& R, const TbsSkinData& SkinData,
                        const TbsDataSkinButtonControl& E, bool Pressed, bool Hot)
{
    const TBitmap* picture = SkinData.ActivePicture(E.PictureIndex);
    if (!picture || RectWidth(R) <= 0 || RectHeight(R) <= 0)
        return;
    const int dw = RectWidth(R) - RectWidth(E.SkinRect);
    const int dh = RectHeight(R) - RectHeight(E.SkinRect);
    TbsSkinGeometry g;
    g.LTPt = E.LTPoint;
    g.RTPt = E.RTPoint;
    g.LBPt = E.LBPoint;
    g.RBPt = E.RBPoint;
    g.ClRect = E.ClRect;
    g.NewLTPt = E.LTPoint;
    g.NewRTPt = TPoint{E.RTPoint.X + dw, E.RTPoint.Y};
    g.NewLBPt = TPoint{E.LBPoint.X, E.LBPoint.Y + dh};
    g.NewRBPt = TPoint{E.RBPoint.X + dw, E.RBPoint.Y + dh};
    g.NewClRect = TRect{E.ClRect.Left, E.ClRect.Top, E.ClRect.Right + dw, E.ClRect.Bottom + dh};
    TBitmap b;
    CreateSkinImage(g, b, *picture, ButtonStateRect(E, Pressed, Hot), RectWidth(R), RectHeight(R), true,
                    E.LeftStretch, E.TopStretch, E.RightStretch, E.BottomStretch, E.StretchEffect, E.StretchType);
    Canvas.Draw(R.Left, R.Top, b);
}
