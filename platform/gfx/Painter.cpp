#include "platform/gfx/Painter.h"

#include <algorithm>

namespace gfx_detail {

uint32_t PenPixel(TColor color)
{
    return ColorToPixel(ColorToRGB(color));
}

TPainter::TPainter(TDeviceContext& dc) : FSurface(dc.Surface()), FOffset(dc.SurfaceOffset()), FClip(dc.Clip())
{
    if (FSurface && FSurface->Empty())
        FSurface = nullptr;
}

template <typename F>
void TPainter::ForEachSpanPart(int sy, int sx0, int sx1, F fn)
{
    int i = FClip.BandStart(sy);
    if (i < 0)
        return;
    const auto& rects = FClip.Rects();
    const int top = rects[size_t(i)].Top;
    for (size_t k = size_t(i); k < rects.size() && rects[k].Top == top; ++k) {
        if (rects[k].Left >= sx1)
            break;
        int a = std::max(sx0, rects[k].Left), b = std::min(sx1, rects[k].Right);
        if (a < b)
            fn(a, b);
    }
}

void TPainter::FillSpan(int y, int x0, int x1, uint32_t pixel)
{
    if (!FSurface || x0 >= x1)
        return;
    const int sy = y + FOffset.Y;
    ForEachSpanPart(sy, x0 + FOffset.X, x1 + FOffset.X, [&](int a, int b) {
        uint8_t* row = FSurface->ScanLine(sy);
        const TPixelFormat f = FSurface->PixelFormat();
        if (f == pf32bit) {
            uint32_t p = pixel & 0xFFFFFF;
            for (int x = a; x < b; ++x)
                std::memcpy(row + x * 4, &p, 4);
        } else {
            for (int x = a; x < b; ++x)
                WritePixel(f, row, x, pixel);
        }
    });
}

void TPainter::RopSpan(int y, int x0, int x1, TPenMode mode, uint32_t pen)
{
    if (!FSurface || x0 >= x1)
        return;
    if (mode == pmCopy) {
        FillSpan(y, x0, x1, pen);
        return;
    }
    if (mode == pmNop)
        return;
    const int sy = y + FOffset.Y;
    ForEachSpanPart(sy, x0 + FOffset.X, x1 + FOffset.X, [&](int a, int b) {
        uint8_t* row = FSurface->ScanLine(sy);
        const TPixelFormat f = FSurface->PixelFormat();
        for (int x = a; x < b; ++x) {
            if (f == pf1bit) {
                // Raster operations on monochrome work on the bit itself.
                uint32_t d = MonoBit(row, x) ? 0xFFFFFF : 0;
                uint32_t p = PixelLuminance(pen) >= 128 ? 0xFFFFFF : 0;
                SetMonoBit(row, x, ApplyPenMode(mode, p, d) != 0);
            } else {
                WritePixel(f, row, x, ApplyPenMode(mode, pen, ReadPixel(f, row, x)));
            }
        }
    });
}

void TPainter::RopPixel(int x, int y, TPenMode mode, uint32_t pen)
{
    RopSpan(y, x, x + 1, mode, pen);
}

void TPainter::FillRect(const TRect& r, uint32_t pixel)
{
    if (!FSurface || r.IsEmpty())
        return;
    TRect s = r.Offsetted(FOffset.X, FOffset.Y);
    ForEachPart(s, [&](const TRect& part) {
        const TPixelFormat f = FSurface->PixelFormat();
        for (int y = part.Top; y < part.Bottom; ++y) {
            uint8_t* row = FSurface->ScanLine(y);
            if (f == pf32bit) {
                uint32_t p = pixel & 0xFFFFFF;
                uint8_t* d = row + part.Left * 4;
                for (int x = part.Left; x < part.Right; ++x, d += 4)
                    std::memcpy(d, &p, 4);
            } else {
                for (int x = part.Left; x < part.Right; ++x)
                    WritePixel(f, row, x, pixel);
            }
        }
    });
}

}  // namespace gfx_detail
