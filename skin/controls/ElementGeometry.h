#pragma once
#include "platform/gfx/Geometry.h"
#include "skin/data/SkinTypes.h"
#include "skin/draw/SkinImage.h"

class TBitmap;
class TbsSkinData;
class TbsDataSkinCustomControl;

// The resizable geometry of a control element as a control copies it from
// its description, and the rules by which it follows the control's size.
// Shared by the windowed and the windowless control bases.
struct TbsElementGeometry {
    TPoint LTPt, RTPt, LBPt, RBPt;             // element coordinates
    TRect SkinRect;                            // normal face in the skin picture
    TRect ClRect;                              // element coordinates
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;                           // client part at the current size
    TBitmap* Picture = nullptr;                // the skin's picture, never owned
    int ResizeMode = 0;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;

    // Copies the element's geometry and picture, then computes ResizeMode.
    void CopyElement(const TbsDataSkinCustomControl& Element, const TbsSkinData& Skin);
    // -1 without a drawable SkinRect, 1 nine-slice, 2 across, 3 downwards, 0 fixed.
    void ComputeResizeMode();
    // The base fitting rule for a requested size; Skinned is FIndex <> -1.
    void FitSize(int& AWidth, int& AHeight, bool Skinned);
    // The nine-slice geometry for the current fitted points.
    TbsSkinGeometry Geometry() const;
    // Rectangle R of SkinPicture composed for Width x Height by ResizeMode.
    // ForceBackground leaves mode 1 to the caller, which draws pieces itself.
    void CreateSkinImageByMode(TBitmap& B, const TBitmap* SkinPicture, const TRect& R, int Width, int Height,
                               bool ForceBackground = false) const;
    // An element-coordinate rectangle mapped to the control size Width x Height.
    TRect MapSkinRect(const TRect& R, int Width, int Height) const;
};
