#include "skin/draw/ButtonFace.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

TRect ButtonFaceRect(const TbsDataSkinButtonControl& E, bool Pressed, bool Hot)
{
    const TRect active = IsNullRect(E.ActiveSkinRect) ? E.SkinRect : E.ActiveSkinRect;
    const TRect down = IsNullRect(E.DownSkinRect) ? active : E.DownSkinRect;
    if (Pressed && Hot)
        return down;
    if (Hot)
        return active;
    return E.SkinRect;
}

void CreateButtonFaceImage(TBitmap& Dest, const TbsDataSkinButtonControl& E, const TBitmap& Picture, int Width,
                           int Height, bool Pressed, bool Hot)
{
    if (Width <= 0 || Height <= 0) {
        Dest.SetSize(0, 0, false);
        return;
    }
    const int dw = Width - RectWidth(E.SkinRect);
    const int dh = Height - RectHeight(E.SkinRect);
    const TbsSkinGeometry g = GrownGeometry(E.LTPoint, E.RTPoint, E.LBPoint, E.RBPoint, E.ClRect, dw, dh);
    CreateSkinImage(g, Dest, Picture, ButtonFaceRect(E, Pressed, Hot), Width, Height, true, E.LeftStretch,
                    E.TopStretch, E.RightStretch, E.BottomStretch, E.StretchEffect, E.StretchType);
}

const TbsDataSkinButtonControl* FindButtonElement(const TbsSkinData& Skin, std::initializer_list<const char*> Names)
{
    for (const char* name : Names) {
        const int i = Skin.GetControlIndex(name);
        if (i < 0)
            continue;
        if (auto* e = dynamic_cast<const TbsDataSkinButtonControl*>(Skin.CtrlList[static_cast<size_t>(i)].get()))
            return e;
    }
    return nullptr;
}

bool DrawButtonFace(TCanvas& Canvas, const TRect& R, const TbsSkinData& Skin, const TbsDataSkinButtonControl& E,
                    bool Pressed, bool Hot)
{
    const TBitmap* picture = Skin.ActivePicture(E.PictureIndex);
    if (!picture || IsNullRect(R))
        return false;
    TBitmap face;
    CreateButtonFaceImage(face, E, *picture, RectWidth(R), RectHeight(R), Pressed, Hot);
    Canvas.Draw(R.Left, R.Top, face);
    return true;
}
