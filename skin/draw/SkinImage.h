#pragma once
#include "platform/gfx/Geometry.h"
#include "skin/data/SkinTypes.h"

class TBitmap;

// Images of any size composed from an element's rectangle in a skin picture.
// All geometry is relative to SkinRect's top-left corner: ClRect is the
// client part (its Left and Top are the left and top border thicknesses),
// LTPt, RTPt, LBPt and RBPt are the inner ends of the four corners, and the
// New... values are the same geometry in the image to be built. Edge bands
// are stretched or tiled; a band of zero length tiles nothing, and no piece
// reads outside Picture. Dest is resized to the requested size.

// Three-slice images growing across (Height ignored) or downwards (Width ignored).
void CreateHSkinImage(int LOffset, int ROffset, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                      int Width, int Height, bool Stretch);
void CreateHSkinImageNoRight(int LOffset, int ROffset, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                             int Width, int Height, bool Stretch);
void CreateHSkinImageNoCaps(int LOffset, int ROffset, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                            int Width, int Height, bool Stretch);
void CreateVSkinImage(int TOffset, int BOffset, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                      int Width, int Height, bool Stretch);

// The geometry shared by the nine-slice routines.
struct TbsSkinGeometry {
    TPoint LTPt, RTPt, LBPt, RBPt;
    TRect ClRect;
    TPoint NewLTPt, NewRTPt, NewLBPt, NewRBPt;
    TRect NewClRect;
};

// The geometry of a picture part grown by Dw x Dh: the corners keep their
// size, the right and bottom edges move out and the client part grows.
TbsSkinGeometry GrownGeometry(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& ClRect, int Dw, int Dh);

// Nine-slice image of Width x Height: corners as drawn, edges and client
// tiled or stretched by the flags.
void CreateSkinImage(const TbsSkinGeometry& G, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                     int Width, int Height, bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
                     bool BottomStretch, bool ClientStretch, TbsStretchType StretchType);
// The same composition, for popup, images-menu and hint windows.
void CreateWindowSkinImage(const TbsSkinGeometry& G, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                           int Width, int Height, bool DrawClient, bool LeftStretch, bool TopStretch,
                           bool RightStretch, bool BottomStretch, bool ClientStretch, TbsStretchType StretchType);
// Without right corners and right edge; the top, bottom and client run to Width.
void CreateSkinImageNoRight(const TbsSkinGeometry& G, TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect,
                            int Width, int Height, bool DrawClient, bool LeftStretch, bool TopStretch,
                            bool RightStretch, bool BottomStretch, bool ClientStretch, TbsStretchType StretchType);
// Nine-slice to Dest's current size with everything stretched; the borders
// keep their thickness.
void CreateStretchImage(TBitmap& Dest, const TBitmap& Picture, const TRect& SkinRect, const TRect& ClRect,
                        bool DrawClient);

// The four border strips of a frame of NewWidth x NewHeight. A strip whose
// conditions do not hold is left as it was.
void CreateSkinBorderImages(const TbsSkinGeometry& G, TBitmap& LeftBmp, TBitmap& TopBmp, TBitmap& RightBmp,
                            TBitmap& BottomBmp, const TBitmap& Picture, const TRect& SkinRect, int NewWidth,
                            int NewHeight, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch);

// Frame GlyphNum (from 1) of a strip of NumGlyphs equal frames, drawn with
// the frame's bottom-left pixel as its transparent colour.
void DrawGlyph(class TCanvas& Canvas, int X, int Y, const TBitmap& Glyph, int NumGlyphs, int GlyphNum);

// Copies Src of Picture into Dst of Dest, stretching when the sizes differ;
// a source reaching outside Picture is cut to it, the target in proportion.
void CopyPiece(TBitmap& Dest, const TRect& Dst, const TBitmap& Picture, const TRect& Src);
// Src of Picture as a bitmap of its own.
TBitmap CopyOut(const TBitmap& Picture, const TRect& Src);
