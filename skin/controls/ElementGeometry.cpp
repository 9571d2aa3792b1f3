#include "skin/controls/ElementGeometry.h"
#include "platform/gfx/Bitmap.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"

void TbsElementGeometry::CopyElement(const TbsDataSkinCustomControl& E, const TbsSkinData& Skin)
{
    LTPt = E.LTPoint;
    RTPt = E.RTPoint;
    LBPt = E.LBPoint;
    RBPt = E.RBPoint;
    SkinRect = E.SkinRect;
    StretchEffect = E.StretchEffect;
    StretchType = E.StretchType;
    LeftStretch = E.LeftStretch;
    TopStretch = E.TopStretch;
    RightStretch = E.RightStretch;
    BottomStretch = E.BottomStretch;
    ClRect = E.ClRect;
    // ActivePicture answers nullptr for any index outside the list, -1 and below included.
    Picture = Skin.ActivePicture(E.PictureIndex);
    ComputeResizeMode();
}

void TbsElementGeometry::ComputeResizeMode()
{
    if (RectWidth(SkinRect) <= 0 || RectHeight(SkinRect) <= 0)
        ResizeMode = -1;
    else if (RBPt.X != 0 && RBPt.Y != 0)
        ResizeMode = 1;
    else if (RTPt.X != 0 || RTPt.Y != 0)
        ResizeMode = 2;
    else if (LBPt.X != 0 || LBPt.Y != 0)
        ResizeMode = 3;
    else
        ResizeMode = 0;
}

void TbsElementGeometry::FitSize(int& AWidth, int& AHeight, bool Skinned)
{
    const int dx = AWidth - RectWidth(SkinRect);
    const int dy = AHeight - RectHeight(SkinRect);
    switch (ResizeMode) {
    case 0:
        if (Skinned) {
            AWidth = RectWidth(SkinRect);
            AHeight = RectHeight(SkinRect);
            NewClRect = ClRect;
        }
        break;
    case 1:
        NewLTPoint = LTPt;
        NewRTPoint = TPoint{RTPt.X + dx, RTPt.Y};
        NewLBPoint = TPoint{LBPt.X, LBPt.Y + dy};
        NewRBPoint = TPoint{RBPt.X + dx, RBPt.Y + dy};
        NewClRect = TRect{ClRect.Left, ClRect.Top, ClRect.Right + dx, ClRect.Bottom + dy};
        break;
    case 2:
        AHeight = RectHeight(SkinRect);
        NewLTPoint = LTPt;
        NewRTPoint = TPoint{RTPt.X + dx, RTPt.Y};
        NewClRect = TRect{ClRect.Left, ClRect.Top, ClRect.Right + dx, ClRect.Bottom};
        break;
    case 3:
        AWidth = RectWidth(SkinRect);
        NewLTPoint = LTPt;
        NewLBPoint = TPoint{LBPt.X, LBPt.Y + dy};
        NewClRect = TRect{ClRect.Left, ClRect.Top, ClRect.Right, ClRect.Bottom + dy};
        break;
    default:
        break;
    }
}

TbsSkinGeometry TbsElementGeometry::Geometry() const
{
    TbsSkinGeometry g;
    g.LTPt = LTPt;
    g.RTPt = RTPt;
    g.LBPt = LBPt;
    g.RBPt = RBPt;
    g.ClRect = ClRect;
    g.NewLTPt = NewLTPoint;
    g.NewRTPt = NewRTPoint;
    g.NewLBPt = NewLBPoint;
    g.NewRBPt = NewRBPoint;
    g.NewClRect = NewClRect;
    return g;
}

void TbsElementGeometry::CreateSkinImageByMode(TBitmap& B, const TBitmap* SkinPicture, const TRect& R, int Width,
                                               int Height, bool ForceBackground) const
{
    if (!SkinPicture)
        return;
    switch (ResizeMode) {
    case 0:
        B.SetSize(RectWidth(R), RectHeight(R));
        CopyPiece(B, TRect{0, 0, RectWidth(R), RectHeight(R)}, *SkinPicture, R);
        break;
    case 1:
        if (!ForceBackground)
            CreateSkinImage(Geometry(), B, *SkinPicture, R, Width, Height, true, LeftStretch, TopStretch,
                            RightStretch, BottomStretch, StretchEffect, StretchType);
        break;
    case 2:
        CreateHSkinImage(LTPt.X, RectWidth(SkinRect) - RTPt.X, B, *SkinPicture, R, Width, Height, StretchEffect);
        break;
    case 3:
        CreateVSkinImage(LTPt.Y, RectHeight(SkinRect) - LBPt.Y, B, *SkinPicture, R, Width, Height, StretchEffect);
        break;
    default:
        break;
    }
}

TRect TbsElementGeometry::MapSkinRect(const TRect& R, int Width, int Height) const
{
    const int w = RectWidth(SkinRect), h = RectHeight(SkinRect);
    const int dx = Width - w, dy = Height - h;
    TRect out = R;
    auto move = [&](int x, int y) { out.Offset(x, y); };
    switch (ResizeMode) {
    case 1: {
        const TRect lt{0, 0, LTPt.X, LTPt.Y};
        const TRect lb{0, LBPt.Y, LBPt.X, h};
        const TRect rt{RTPt.X, 0, w, RTPt.Y};
        const TRect rb{RBPt.X, RBPt.Y, w, h};
        if (RectInRect(R, lt))
            break;
        if (RectInRect(R, rt)) {
            move(dx, 0);
            break;
        }
        if (RectInRect(R, lb)) {
            move(0, dy);
            break;
        }
        if (RectInRect(R, rb)) {
            move(dx, dy);
            break;
        }
        const TPoint p{R.Left, R.Top}, q{R.Right, R.Bottom};
        if (PointInsideRect(lt, p) && PointInsideRect(rb, q)) {
            out.Right += dx;
            out.Bottom += dy;
        } else if (PointInsideRect(lt, p) && PointInsideRect(rt, q)) {
            out.Right += dx;
        } else if (PointInsideRect(lb, p) && PointInsideRect(rb, q)) {
            out.Right += dx;
            move(0, dy);
        } else if (PointInsideRect(lt, p) && PointInsideRect(lb, q)) {
            out.Bottom += dy;
        } else if (PointInsideRect(rt, p) && PointInsideRect(rb, q)) {
            move(dx, 0);
            out.Bottom += dy;
        }
        break;
    }
    case 2:
        if (R.Left <= LTPt.X && R.Right >= RTPt.X)
            out.Right += dx;
        else if (R.Left >= RTPt.X && R.Right > RTPt.X)
            move(dx, 0);
        break;
    case 3:
        if (R.Top <= LTPt.Y && R.Bottom >= LBPt.Y)
            out.Bottom += dy;
        else if (R.Top >= LBPt.Y && R.Bottom > LBPt.Y)
            move(0, dy);
        break;
    default:
        break;
    }
    return out;
}
