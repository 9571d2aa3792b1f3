#pragma once
#include "platform/gfx/Geometry.h"
#include "skin/draw/PixelRoutines.h"

class TbsBitmap;
class TDeviceContext;

// Alpha bitmaps onto other alpha bitmaps: Src's SrcRect stretched into DstRect
// of Dst (first and last pixels kept), drawn only inside ClipRect; nothing
// when SrcRect is empty or reaches outside Src.
void CopyBitmapRect(TbsBitmap& Dst, const TRect& DstRect, const TRect& ClipRect, const TbsBitmap& Src,
                    const TRect& SrcRect);
void BlendBitmapRect(TbsBitmap& Dst, const TRect& DstRect, const TRect& ClipRect, const TbsBitmap& Src,
                     const TRect& SrcRect);
void KeyBitmapRect(TbsBitmap& Dst, const TRect& DstRect, const TRect& ClipRect, const TbsBitmap& Src,
                   const TRect& SrcRect);

// Alpha bitmaps onto any device context, in the context's logical coordinates.
// StretchToDC copies with the classic nearest-neighbour stretch; BlendToDC
// and KeyToDC compose through a temporary alpha bitmap holding the target area.
void StretchToDC(TDeviceContext& DC, int X, int Y, int W, int H, const TbsBitmap& Src, int SX, int SY, int SW,
                 int SH);
void BlendToDC(TDeviceContext& DC, int X, int Y, int W, int H, const TbsBitmap& Src, int SX, int SY, int SW, int SH);
void KeyToDC(TDeviceContext& DC, int X, int Y, int W, int H, const TbsBitmap& Src, int SX, int SY, int SW, int SH);

// The pixels of the 32-bit memory surface selected into DC, or nullptr (and
// all three sizes 0) for anything else: window contexts, other depths and
// rows that are not top-down without gaps.
TbsColor* GetDCBits(const TDeviceContext& DC, int& Width, int& Height, int& BitCount);

// Src's SrcRect stretched into DstRect of a foreign 32-bit top-down surface,
// limited to ClipRect and to the surface.
void CopyToDIB(TbsColor* Bits, const TRect& DstRect, const TRect& ClipRect, int DIBWidth, int DIBHeight,
               const TbsBitmap& Src, const TRect& SrcRect);
void BlendToDIB(TbsColor* Bits, const TRect& DstRect, const TRect& ClipRect, int DIBWidth, int DIBHeight,
                const TbsBitmap& Src, const TRect& SrcRect);
void KeyToDIB(TbsColor* Bits, const TRect& DstRect, const TRect& ClipRect, int DIBWidth, int DIBHeight,
              const TbsBitmap& Src, const TRect& SrcRect);
