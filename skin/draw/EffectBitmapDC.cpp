#include <cstring>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Blit.h"
#include "skin/draw/EffectBitmap.h"

// Both rasters pad 24-bit rows to 4 bytes and store them top-down, so rows
// move between them unchanged.

TbsEffectBmp::TbsEffectBmp(const TBitmap& Source) : TbsEffectBmp(Source.Width(), Source.Height()) {
    if (Source.Empty())
        return;
    const TBitmap* from = &Source;
    TBitmap converted;
    if (Source.PixelFormat() != pf24bit) {
        converted = Source;
        converted.SetPixelFormat(pf24bit);
        from = &converted;
    }
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(ScanLine(y), from->ScanLine(y), static_cast<std::size_t>(3) * FWidth);
}

void TbsEffectBmp::AssignTo(TBitmap& Dest) const {
    Dest.SetPixelFormat(pf24bit);
    Dest.SetSize(FWidth, FHeight, false);
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(Dest.ScanLine(y), ScanLine(y), static_cast<std::size_t>(3) * FWidth);
}

void TbsEffectBmp::Draw(TDeviceContext& DC, int x, int y) const {
    DrawRect(DC, x, y, 0, 0, FWidth, FHeight);
}

void TbsEffectBmp::Stretch(TDeviceContext& DC, int x, int y, int cx, int cy) const {
    if (FWidth == 0 || FHeight == 0)
        return;
    TBitmap picture;
    AssignTo(picture);
    StretchBlt(DC, TRect{x, y, x + cx, y + cy}, picture, TRect{0, 0, FWidth, FHeight});
}

void TbsEffectBmp::DrawRect(TDeviceContext& DC, int hx, int hy, int x, int y, int cx, int cy) const {
    if (FWidth == 0 || FHeight == 0 || cx <= 0 || cy <= 0)
        return;
    TBitmap picture;
    AssignTo(picture);
    BitBlt(DC, hx, hy, cx, cy, picture, x, y);
}
