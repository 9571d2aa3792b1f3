#pragma once
#include <cstdint>
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

// The 32-bit pixel of the skin layer's alpha rasters: $AARRGGBB, bytes B, G,
// R, A in memory, straight (not premultiplied) alpha, 255 opaque.
using TbsColor = std::uint32_t;

// Colour bits of a hole in a colour-keyed raster.
constexpr TbsColor bsKeyColor = 0x7F007F;

// A top-down raster of TbsColor rows without gaps; the routines below work on
// such views so that alpha bitmaps and foreign 32-bit surfaces share them.
struct TbsPixelView {
    TbsColor* Bits = nullptr;
    int Width = 0;
    int Height = 0;

    bool Empty() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
    TbsColor* Row(int y) const { return Bits + static_cast<std::ptrdiff_t>(y) * Width; }
};

constexpr std::uint8_t bsAlphaOf(TbsColor c) { return static_cast<std::uint8_t>(c >> 24); }
constexpr std::uint8_t bsRedOf(TbsColor c) { return static_cast<std::uint8_t>(c >> 16); }
constexpr std::uint8_t bsGreenOf(TbsColor c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t bsBlueOf(TbsColor c) { return static_cast<std::uint8_t>(c); }
constexpr TbsColor bsRGBA(int r, int g, int b, int a) {
    return (static_cast<TbsColor>(a & 0xFF) << 24) | (static_cast<TbsColor>(r & 0xFF) << 16) |
           (static_cast<TbsColor>(g & 0xFF) << 8) | static_cast<TbsColor>(b & 0xFF);
}

// A $00BBGGRR colour value (already resolved from any system colour) as an opaque pixel.
TbsColor RGBToBsColor(std::uint32_t rgb);
// Any colour, system colours resolved, as an opaque pixel.
TbsColor ColorToBsColor(TColor Color);
// Red, green and blue each limited to 0..255.
void ClampRGB(int& R, int& G, int& B);
// Channels limited to 0..255 and packed with alpha A.
TbsColor MakeBsColor(int R, int G, int B, std::uint8_t A);

// Rounding of the drawing arithmetic: to nearest, ties to even.
int RoundEven(double v);

// F painted over B: F's alpha 255 gives F, 0 gives B, otherwise each colour
// channel is (F*a + B*(255 - a)) shr 8 and the result is opaque.
TbsColor BlendPixel(TbsColor F, TbsColor B);

// The line routines take a pixel count; a count below 1 does nothing.
void BlendLine(const TbsColor* Src, TbsColor* Dst, int Count);
// Every source pixel whose colour bits are not the key colour lands opaque.
void CopyKeyedLine(const TbsColor* Src, TbsColor* Dst, int Count);
void MoveLine(const TbsColor* Src, TbsColor* Dst, int Count);
void FillLine(TbsColor* P, int Count, TbsColor Color);
void SetLineAlpha(TbsColor* P, int Count, std::uint8_t Alpha);
// Pixels whose colour bits equal Color's become fully transparent.
void ClearColorAlpha(TbsColor* P, int Count, TbsColor Color);

// Inclusive rectangles (X1, Y1)..(X2, Y2), limited to the raster.
void FillPixelRect(TbsPixelView Dst, int X1, int Y1, int X2, int Y2, TbsColor Color);
void SetRectAlpha(TbsPixelView Dst, int X1, int Y1, int X2, int Y2, std::uint8_t Alpha);

// Src's block at (SX, SY) of DstRect's size into DstRect of Dst, row by row;
// the parts of the block outside either raster are left out.
void CopyBlock(TbsPixelView Dst, const TRect& DstRect, TbsPixelView Src, int SX, int SY);
void BlendBlock(TbsPixelView Dst, const TRect& DstRect, TbsPixelView Src, int SX, int SY);
void KeyBlock(TbsPixelView Dst, const TRect& DstRect, TbsPixelView Src, int SX, int SY);

// Src's SrcRect stretched (nearest neighbour, first and last pixels kept)
// into DstRect of Dst, drawing only inside ClipRect. Nothing is drawn when
// SrcRect is empty or does not lie inside Src.
enum class TbsPixelMode { Copy, Blend, Key };
void StretchPixelRect(TbsPixelMode Mode, TbsPixelView Dst, const TRect& DstRect, const TRect& ClipRect,
                      TbsPixelView Src, const TRect& SrcRect);

// Source column (or row) used for each destination position P of a stretch
// from [SrcFirst, SrcFirst + SrcLen) to [DstFirst, DstFirst + DstLen).
int StretchSourceIndex(int P, int DstFirst, int DstLen, int SrcFirst, int SrcLen);
