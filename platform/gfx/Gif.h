#pragma once
#include "platform/gfx/ImageGraphic.h"

// GIF through giflib: reads the first frame (placed on its logical screen,
// interlaced or not, with its transparent index as alpha 0); writes one frame
// with a palette made by our colour quantiser and, for pictures with alpha or
// with Transparent set, a transparent index.
class TGIFImage : public TImageGraphic {
public:
    void LoadFromBuffer(const uint8_t* data, size_t size) override;
    std::vector<uint8_t> SaveToBuffer() const override;
    using TGraphic::LoadFromBuffer;

    // The colour written as transparent when Transparent is set on a picture
    // without alpha; clDefault takes the bottom-left pixel.
    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor value) { FTransparentColor = value; }

private:
    TColor FTransparentColor = clDefault;
};
