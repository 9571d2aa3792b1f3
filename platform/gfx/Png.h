#pragma once
#include "platform/gfx/ImageGraphic.h"

// How a PNG picture is transparent: not at all, by whole pixels (alpha only
// 0 or 255: a transparent colour or palette entries), or partly.
enum TPngTransparencyMode { ptmNone, ptmBit, ptmPartial };

// PNG through libpng: reads every colour type and depth (grey, grey with
// alpha, palette, RGB, RGBA; 1 to 16 bits; interlaced); writes 8-bit RGB or
// RGBA, as the pixels have alpha or not.
class TPngImage : public TImageGraphic {
public:
    void LoadFromBuffer(const uint8_t* data, size_t size) override;
    std::vector<uint8_t> SaveToBuffer() const override;
    using TGraphic::LoadFromBuffer;

    TPngTransparencyMode TransparencyMode() const;
    // The colour of the first fully transparent pixel, clNone without one.
    TColor TransparentColor() const;
    // Gives the picture an alpha channel (all opaque) if it has none.
    void CreateAlpha();
    // The alpha of a pixel (255 without an alpha channel).
    uint8_t AlphaAt(int x, int y) const;
    void SetAlphaAt(int x, int y, uint8_t alpha);
};
