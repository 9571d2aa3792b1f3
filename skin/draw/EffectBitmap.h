#pragma once
#include <cstdint>
#include <vector>
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

class TBitmap;
class TDeviceContext;

// A plain 24-bit raster (bytes blue, green, red; rows top-down, each padded
// to a multiple of 4 bytes) for the morph transitions between two pictures of
// a control and for the looks of inactive windows. No alpha, no canvas.
class TbsEffectBmp {
public:
    TbsEffectBmp(int cx, int cy);                // all zero
    // A snapshot of any bitmap (1, 24 or 32 bits), as 24-bit pixels.
    explicit TbsEffectBmp(const TBitmap& Source);
    TbsEffectBmp(const TbsEffectBmp&) = default;  // same size, pixels copied
    TbsEffectBmp& operator=(const TbsEffectBmp&) = default;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Stride() const { return FStride; }
    std::size_t Size() const { return FBits.size(); }
    std::uint8_t* Bits() { return FBits.data(); }
    const std::uint8_t* Bits() const { return FBits.data(); }
    std::uint8_t* ScanLine(int y) { return FBits.data() + static_cast<std::size_t>(y) * FStride; }
    const std::uint8_t* ScanLine(int y) const { return FBits.data() + static_cast<std::size_t>(y) * FStride; }

    // Output onto a device context: the whole raster at x, y; stretched into
    // (x, y, cx, cy); the cx x cy block at (x, y) of the raster at (hx, hy).
    void Draw(TDeviceContext& DC, int x, int y) const;
    void Stretch(TDeviceContext& DC, int x, int y, int cx, int cy) const;
    void DrawRect(TDeviceContext& DC, int hx, int hy, int x, int y, int cx, int cy) const;
    // The raster as a 24-bit bitmap of the graphics library.
    void AssignTo(TBitmap& Dest) const;

    // $00RRGGBB of pixel (x, y); the setter ignores positions outside.
    std::uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t rgb);
    // Row y (3 * Width bytes) out of and into the raster.
    void GetScanLine(int y, std::uint8_t* Line) const;
    void SetScanLine(int y, const std::uint8_t* Line);

    // Transitions: BMP is the other picture and must have this size, else
    // nothing happens. Kf runs from 0 (this picture) to 1 (BMP).
    void Morph(const TbsEffectBmp& BMP, double Kf);
    void MorphHGrad(const TbsEffectBmp& BMP, double Kf);
    void MorphVGrad(const TbsEffectBmp& BMP, double Kf);
    void MorphGrad(const TbsEffectBmp& BMP, double Kf);
    void MorphLeftGrad(const TbsEffectBmp& BMP, double Kf);
    void MorphRightGrad(const TbsEffectBmp& BMP, double Kf);
    void MorphPush(const TbsEffectBmp& BMP, double Kf);
    void MorphLeftSlide(const TbsEffectBmp& BMP, double Kf);
    void MorphRightSlide(const TbsEffectBmp& BMP, double Kf);
    // Part Rct of this picture against BMP from (StartX, StartY); both sides clipped.
    void MorphRect(const TbsEffectBmp& BMP, double Kf, const TRect& Rct, int StartX, int StartY);
    void CopyRect(const TbsEffectBmp& BMP, const TRect& Rct, int StartX, int StartY);

    // Filters, including the looks of inactive windows.
    void ChangeBrightness(double Kf);
    void ChangeDarkness(double Kf);
    void GrayScale();
    void Invert();
    void SplitBlur(int Amount);
    void Mosaic(int ASize);
    void AddMonoNoise(int Amount);
    void AddColorNoise(int Amount);
    void Wave(int XDIV, int YDIV, int RatioVal);
    void Resize(TbsEffectBmp& Dst) const;
    void Rotate90_1(TbsEffectBmp& Dst) const;   // Dst must be Height x Width
    void Rotate90_2(TbsEffectBmp& Dst) const;   // Dst must be Height x Width
    void FlipVert(TbsEffectBmp& Dst) const;     // Dst must be this size

    // Mask operations: a mask pixel is white when all three channels are 255;
    // Msk must be as wide as this raster and at least as high.
    void MaskAntialiasing(const TbsEffectBmp& Msk, int Amount);
    void MaskBlur(const TbsEffectBmp& Msk, int Amount);
    void MaskFillColor(const TbsEffectBmp& Msk, TColor C, double kf);

private:
    bool SameSize(const TbsEffectBmp& other) const { return other.FWidth == FWidth && other.FHeight == FHeight; }
    bool MaskFits(const TbsEffectBmp& Msk) const;
    bool MaskWhite(int x, int y) const;
    std::uint8_t* At(int x, int y) { return ScanLine(y) + 3 * x; }
    const std::uint8_t* At(int x, int y) const { return ScanLine(y) + 3 * x; }
    // The four diagonal neighbours at distance Amount, each coordinate falling
    // back to the pixel's own when it leaves the raster.
    void DiagonalNeighbours(int x, int y, int Amount, int xs[2], int ys[2]) const;
    void AverageDiagonals(int x, int y, int Amount);

    int FWidth = 0;
    int FHeight = 0;
    int FStride = 0;
    std::vector<std::uint8_t> FBits;
};
