#pragma once
#include "platform/gfx/Geometry.h"
#include "skin/draw/SkinImage.h"

class TBitmap;
class TbsDataSkinPopupWindow;

// The corners and items rectangle of a skin's popup-window picture fitted to
// a window of another size: each keeps its distance to its own edges. Shared
// by the popup menus and the images menu.
struct TbsPopupPictureFit {
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewItemsRect;

    void FitPicture(const TbsDataSkinPopupWindow& PW, const TBitmap& Picture, int Width, int Height);
    // The nine-slice geometry from the picture's points to the fitted ones.
    TbsSkinGeometry FittedGeometry(const TbsDataSkinPopupWindow& PW) const;
};
