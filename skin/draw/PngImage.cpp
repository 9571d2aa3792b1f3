#include "skin/draw/PngImage.h"

#include <cstring>

namespace {

// IHDR is the first chunk: eight signature bytes, length, type, width,
// height, then bit depth and colour type.
constexpr size_t HeaderEnd = 26;

// x / 256 rounded half to even.
std::uint8_t DivideBy256Even(unsigned x) {
    unsigned q = x >> 8, r = x & 255;
    if (r > 128 || (r == 128 && (q & 1)))
        ++q;
    return static_cast<std::uint8_t>(q);
}

// x / 255 rounded half to even (a tie never occurs for integers).
std::uint8_t DivideBy255(unsigned x) {
    return static_cast<std::uint8_t>((x + 127) / 255);
}

}  // namespace

void TbsPngImage::LoadFromBuffer(const uint8_t* data, size_t size) {
    TPngImage::LoadFromBuffer(data, size);   // rejects what is not a readable PNG
    if (size >= HeaderEnd && std::memcmp(data + 12, "IHDR", 4) == 0) {
        FBitDepth = data[24];
        FColorType = data[25];
    } else {
        SetColorType(HasAlpha() ? COLOR_RGBALPHA : COLOR_RGB, 8);
    }
}

void TbsPngImage::Assign(const TGraphic& source) {
    if (&source == this)
        return;
    TPngImage::Assign(source);
    if (const auto* png = dynamic_cast<const TbsPngImage*>(&source))
        SetColorType(png->FColorType, png->FBitDepth);
    else
        SetColorType(HasAlpha() ? COLOR_RGBALPHA : COLOR_RGB, 8);
}

void TbsPngImage::SetColorType(int Value, int Depth) {
    FColorType = Value;
    FBitDepth = Depth;
}

void AddPngAlphaChannel(TbsPngImage& Png, std::uint8_t Value) {
    if (Png.Empty())
        return;
    // A single transparent colour (alpha 0) stays transparent; a palette's
    // partly transparent entries keep their share of Value.
    TBitmap pixels(Png.Width(), Png.Height(), pf32bit);
    for (int y = 0; y < Png.Height(); ++y) {
        std::uint8_t* row = pixels.ScanLine(y);
        for (int x = 0; x < Png.Width(); ++x) {
            const TColor c = Png.Bitmap().GetPixel(x, y);
            row[x * 4 + 0] = static_cast<std::uint8_t>(GetBValue(c));
            row[x * 4 + 1] = static_cast<std::uint8_t>(GetGValue(c));
            row[x * 4 + 2] = static_cast<std::uint8_t>(GetRValue(c));
            row[x * 4 + 3] = DivideBy255(unsigned(Png.AlphaAt(x, y)) * Value);
        }
    }
    pixels.SetAlphaFormat(afDefined);
    Png.Bitmap() = pixels;
    Png.SetColorType(COLOR_RGBALPHA, 8);
}

void ScalePngAlpha(TbsPngImage& Png, std::uint8_t Value) {
    if (Png.Empty())
        return;
    switch (Png.ColorType()) {
    case COLOR_GRAYSCALE:
    case COLOR_PALETTE:
        AddPngAlphaChannel(Png, Value);
        return;
    case COLOR_RGB:
        Png.CreateAlpha();
        break;
    default:
        break;
    }
    // A transparent colour already reads as alpha 0 and scales to 0.
    for (int y = 0; y < Png.Height(); ++y) {
        std::uint8_t* row = Png.Bitmap().ScanLine(y);
        for (int x = 0; x < Png.Width(); ++x)
            row[x * 4 + 3] = DivideBy256Even(unsigned(row[x * 4 + 3]) * (Value + 1u));
    }
    Png.SetColorType(COLOR_RGBALPHA, 8);
}

void DrawPngImage(const TbsPngImage& Png, TCanvas& Canvas, const TRect& R, bool Enabled) {
    if (Enabled) {
        Png.Draw(Canvas, R);
        return;
    }
    TbsPngImage copy;
    copy.Assign(Png);
    ScalePngAlpha(copy, 127);
    copy.Draw(Canvas, R);
}
