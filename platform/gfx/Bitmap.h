#pragma once
#include <memory>
#include "platform/gfx/Color.h"
#include "platform/gfx/Graphic.h"

class TDeviceContext;

enum TPixelFormat { pf1bit, pf24bit, pf32bit };
enum TTransparentMode { tmAuto, tmFixed };
// How Draw treats the alpha byte of a 32-bit bitmap: ignored (a plain copy),
// straight alpha, or premultiplied alpha.
enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };

// A device-independent bitmap: 1-bit (MSB first, 0 = black, 1 = white),
// 24-bit (B, G, R) or 32-bit (B, G, R, A) pixels. Rows are padded to 4 bytes
// and stored top-down; ScanLine(row) points at a row.
class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap() override;

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    void SetWidth(int width) { SetSize(width, FHeight); }
    void SetHeight(int height) { SetSize(FWidth, height); }
    // Keeps the overlapping content (or clears it); new pixels are white
    // with alpha 0, as a fresh classic bitmap was.
    void SetSize(int width, int height, bool keepContent = true);

    TPixelFormat PixelFormat() const { return FFormat; }
    void SetPixelFormat(TPixelFormat format);  // converts the pixels
    int BitsPerPixel() const;
    int Stride() const { return FStride; }
    bool Monochrome() const { return FFormat == pf1bit; }
    void SetMonochrome(bool value);

    uint8_t* ScanLine(int row);
    const uint8_t* ScanLine(int row) const;
    uint8_t* Bits() { return FBits.data(); }
    const uint8_t* Bits() const { return FBits.data(); }

    // Pixel access without a device context (no clipping, alpha left as is
    // on GetPixel; SetPixel writes alpha 0 like every classic drawing call).
    TColor GetPixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    // Fills every pixel; 32-bit bitmaps get the given alpha.
    void Fill(TColor color, uint8_t alpha = 0);

    TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
    void SetAlphaFormat(TAlphaFormat value) { FAlphaFormat = value; }

    // The colour Draw leaves out when Transparent: the bottom-left pixel in
    // tmAuto mode, else the fixed colour.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode mode) { FTransparentMode = mode; }

    TCanvas* Canvas();

    void Assign(const TGraphic& source) override;
    using TGraphic::Assign;
    void AssignTo(TBitmap& target) const override;
    void Draw(TCanvas& canvas, const TRect& dest) const override;
    void LoadFromBuffer(const uint8_t* data, size_t size) override;
    std::vector<uint8_t> SaveToBuffer() const override;
    using TGraphic::LoadFromBuffer;

    // Frees the pixels; the bitmap becomes empty.
    void FreeImage() { SetSize(0, 0, false); }

private:
    static int StrideFor(int width, TPixelFormat format);
    void ConvertColours(TPixelFormat format);  // pf24bit <-> pf32bit

    int FWidth = 0;
    int FHeight = 0;
    int FStride = 0;
    TPixelFormat FFormat = pf24bit;
    TAlphaFormat FAlphaFormat = afIgnored;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    std::vector<uint8_t> FBits;
    std::unique_ptr<TDeviceContext> FDC;
    std::unique_ptr<TCanvas> FCanvas;
};
