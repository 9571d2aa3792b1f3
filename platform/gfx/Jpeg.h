#pragma once
#include "platform/gfx/ImageGraphic.h"

// JPEG through libjpeg-turbo: reads baseline and progressive files in grey,
// colour and CMYK; writes colour (or grey) at the compression quality set.
class TJPEGImage : public TImageGraphic {
public:
    void LoadFromBuffer(const uint8_t* data, size_t size) override;
    std::vector<uint8_t> SaveToBuffer() const override;
    using TGraphic::LoadFromBuffer;

    // 1 (smallest) to 100 (best); 90 by default.
    int CompressionQuality() const { return FQuality; }
    void SetCompressionQuality(int value);
    bool Grayscale() const { return FGrayscale; }
    void SetGrayscale(bool value) { FGrayscale = value; }
    bool ProgressiveEncoding() const { return FProgressive; }
    void SetProgressiveEncoding(bool value) { FProgressive = value; }

private:
    int FQuality = 90;
    bool FGrayscale = false;
    bool FProgressive = false;
};
