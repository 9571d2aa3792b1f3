#pragma once
#include <cstdint>
#include <vector>
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

class TBitmap;
class TDeviceContext;

// Constant alpha applied to the whole source, and whether the source's own
// alpha byte (premultiplied, 32-bit sources only) takes part.
struct TBlendFunction {
    uint8_t ConstantAlpha = 255;
    bool SourceAlpha = false;
};

// Copies a block (SRCCOPY). Source coordinates are logical coordinates of the
// source context; parts that fall outside the source surface are left alone.
// Between 32-bit surfaces the alpha byte is copied; from 24-bit sources it
// becomes 0. Monochrome sources paint 0 in the target's text colour and 1 in
// its background colour; colour to monochrome turns the source's background
// colour into 1 and all else into 0.
void BitBlt(TDeviceContext& dst, int x, int y, int width, int height, const TDeviceContext& src, int sx, int sy);
void BitBlt(TDeviceContext& dst, int x, int y, int width, int height, const TBitmap& src, int sx, int sy);

// Stretches nearest neighbour with an exact integer mapping: target column i
// of w takes source column floor((2i + 1) * sw / (2w)). A negative width or
// height on one side mirrors.
void StretchBlt(TDeviceContext& dst, const TRect& dstRect, const TDeviceContext& src, const TRect& srcRect);
void StretchBlt(TDeviceContext& dst, const TRect& dstRect, const TBitmap& src, const TRect& srcRect);

// Blends (stretching like StretchBlt) with constant and optionally per-pixel
// alpha: dst = src * k + dst * (1 - srcAlpha * k), k = ConstantAlpha / 255,
// on all four channels of a 32-bit target. With SourceAlpha the source must
// be 32-bit and premultiplied, unless straightAlpha says its colours are not.
void AlphaBlend(TDeviceContext& dst, const TRect& dstRect, const TBitmap& src, const TRect& srcRect,
                TBlendFunction blend, bool straightAlpha = false);
void AlphaBlend(TDeviceContext& dst, const TRect& dstRect, const TDeviceContext& src, const TRect& srcRect,
                TBlendFunction blend);

// Copies (stretching like StretchBlt) every pixel whose colour is not the key.
void TransparentBlt(TDeviceContext& dst, const TRect& dstRect, const TBitmap& src, const TRect& srcRect, TColor key);
void TransparentBlt(TDeviceContext& dst, const TRect& dstRect, const TDeviceContext& src, const TRect& srcRect, TColor key);

// The source column of every target column when stretching from -> to.
std::vector<int> StretchColumns(int from, int to);

// Turns straight alpha into premultiplied alpha in place (32-bit only).
void PremultiplyAlpha(TBitmap& bitmap);
