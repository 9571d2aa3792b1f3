#include "skin/menus/PopupPictureFit.h"

#include "platform/gfx/Bitmap.h"
#include "skin/data/WindowDescriptions.h"

void TbsPopupPictureFit::FitPicture(const TbsDataSkinPopupWindow& PW, const TBitmap& Picture, int Width, int Height)
{
    const int picW = Picture.Width(), picH = Picture.Height();
    NewLTPoint = PW.LTPoint;
    NewRTPoint = TPoint{Width - (picW - PW.RTPoint.X), PW.RTPoint.Y};
    NewLBPoint = TPoint{PW.LBPoint.X, Height - (picH - PW.LBPoint.Y)};
    NewRBPoint = TPoint{Width - (picW - PW.RBPoint.X), Height - (picH - PW.RBPoint.Y)};
    NewItemsRect = TRect{PW.ItemsRect.Left, PW.ItemsRect.Top, Width - (picW - PW.ItemsRect.Right),
                         Height - (picH - PW.ItemsRect.Bottom)};
}

TbsSkinGeometry TbsPopupPictureFit::FittedGeometry(const TbsDataSkinPopupWindow& PW) const
{
    return TbsSkinGeometry{PW.LTPoint,  PW.RTPoint,  PW.LBPoint,  PW.RBPoint,  PW.ItemsRect,
                           NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewItemsRect};
}
