#pragma once
// Clipped pixel writing on a device context, shared by the drawing and text
// code of this library. Every classic write leaves alpha 0 in 32-bit pixels.
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/PixelOps.h"

namespace gfx_detail {

class TPainter {
public:
    explicit TPainter(TDeviceContext& dc);

    bool Valid() const { return FSurface != nullptr; }
    TBitmap& Surface() { return *FSurface; }
    TPoint Offset() const { return FOffset; }
    const TRegion& Clip() const { return FClip; }

    // Logical coordinates; x1 exclusive. Pixels are 0x00RRGGBB.
    void FillSpan(int y, int x0, int x1, uint32_t pixel);
    void RopSpan(int y, int x0, int x1, TPenMode mode, uint32_t pen);
    void RopPixel(int x, int y, TPenMode mode, uint32_t pen);
    void FillRect(const TRect& r, uint32_t pixel);

    // Calls fn(part) for every clipped part of a rectangle in surface coordinates.
    template <typename F>
    void ForEachPart(const TRect& surfaceRect, F fn) const
    {
        for (const TRect& cr : FClip.Rects()) {
            if (cr.Top >= surfaceRect.Bottom)
                break;
            TRect part = IntersectRect(cr, surfaceRect);
            if (!part.IsEmpty())
                fn(part);
        }
    }

private:
    template <typename F>
    void ForEachSpanPart(int sy, int sx0, int sx1, F fn);

    TBitmap* FSurface = nullptr;
    TPoint FOffset;
    const TRegion& FClip;
};

uint32_t PenPixel(TColor color);

}  // namespace gfx_detail
