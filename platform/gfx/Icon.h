#pragma once
#include "platform/gfx/ImageGraphic.h"

// Icon files of our own: reads the best image of the file (the largest, then
// the deepest), stored as a bitmap with an AND mask (1 to 32 bits) or as PNG;
// writes one 32-bit image with its AND mask. Loaded icons are 32-bit with
// straight alpha.
class TIcon : public TImageGraphic {
public:
    void LoadFromBuffer(const uint8_t* data, size_t size) override;
    std::vector<uint8_t> SaveToBuffer() const override;
    using TGraphic::LoadFromBuffer;
};
