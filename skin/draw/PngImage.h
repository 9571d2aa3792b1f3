#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/gfx/Png.h"

class TCanvas;

// The colour types of a PNG file's header.
constexpr int COLOR_GRAYSCALE = 0;
constexpr int COLOR_RGB = 2;
constexpr int COLOR_PALETTE = 3;
constexpr int COLOR_GRAYSCALEALPHA = 4;
constexpr int COLOR_RGBALPHA = 6;

// The skin layer's PNG picture. Besides the decoded pixels it remembers the
// colour type and depth the file was written with, which decide how a
// picture is made translucent (ScalePngAlpha).
class TbsPngImage : public TPngImage {
public:
    void LoadFromBuffer(const uint8_t* data, size_t size) override;
    using TPngImage::LoadFromBuffer;
    // Another PNG picture passes its colour type on; any other picture
    // becomes RGB, or RGB with alpha when it has an alpha channel.
    void Assign(const TGraphic& source) override;
    using TPngImage::Assign;

    int ColorType() const { return FColorType; }
    int BitDepth() const { return FBitDepth; }
    // After the pixels were given an alpha channel.
    void SetColorType(int Value, int Depth);

private:
    int FColorType = COLOR_RGB;
    int FBitDepth = 8;
};

// Makes Png translucent for a disabled look. Greyscale and palette pictures
// get alpha Value (scaled by each pixel's own alpha, so transparent pixels
// stay so); pictures with colour or alpha channels get their alpha scaled
// by (Value + 1) / 256, rounded half to even.
void ScalePngAlpha(TbsPngImage& Png, std::uint8_t Value);
// Turns a greyscale or palette picture into RGB with alpha, Value at opaque
// pixels.
void AddPngAlphaChannel(TbsPngImage& Png, std::uint8_t Value);
// Draws Png into R; a disabled picture is drawn through a copy with alpha 127.
void DrawPngImage(const TbsPngImage& Png, TCanvas& Canvas, const TRect& R, bool Enabled);
