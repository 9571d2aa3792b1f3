#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gfx/Region.h"
#include "skin/draw/SkinImage.h"

class TBitmap;

// The rectangles of the black pixels (red + green + blue = 0) of Mask: each
// maximal run of a row becomes one rectangle, moved by the offset; runs in
// row order, left to right. There is no limit on their number.
std::vector<TRect> MaskToRects(const TBitmap& Mask, int OffsetX, int OffsetY);

// The same as region data: a 32-byte header (size 32, type 1, count, 0, the
// bounding rectangle (OffsetX, OffsetY, OffsetX + width, OffsetY + height))
// followed by 16 bytes per rectangle, all little-endian Int32. Returns the
// size in bytes; 0 for an empty mask, Data then untouched.
int MaskToRegionData(const TBitmap& Mask, int OffsetX, int OffsetY, std::vector<std::uint8_t>& Data);

// The region of Mask's black pixels.
void MaskToRegion(TRegion& Rgn, const TBitmap& Mask);

// The four border strips of a frame mask for a frame of NewWidth; the whole
// mask is the skin rectangle and every edge is tiled. NewHeight is not used.
void CreateSkinBorderMasks(const TbsSkinGeometry& G, const TBitmap& Mask, TBitmap& TopBmp, TBitmap& LeftBmp,
                           TBitmap& RightBmp, TBitmap& BottomBmp, int NewWidth, int NewHeight);

// The window region of a frame of the new size: the client rectangle joined
// with the black pixels of the border strips. No region (a plain rectangular
// window) when the new corner points cross or the new client rectangle is null.
void CreateSkinRegion(std::optional<TRegion>& Rgn, const TbsSkinGeometry& G, const TBitmap& Mask, int NewWidth,
                      int NewHeight);
