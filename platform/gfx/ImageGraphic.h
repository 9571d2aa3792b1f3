#pragma once
#include "platform/gfx/Bitmap.h"

// A picture of a compressed format, held decoded as a bitmap: 24-bit, or
// 32-bit with straight alpha (AlphaFormat afDefined) when the picture has
// transparency. Drawing blends by that alpha, or leaves out the transparent
// colour when Transparent is set on a picture without alpha.
class TImageGraphic : public TGraphic {
public:
    int Width() const override { return FBitmap.Width(); }
    int Height() const override { return FBitmap.Height(); }
    bool Empty() const override { return FBitmap.Empty(); }

    const TBitmap& Bitmap() const { return FBitmap; }
    TBitmap& Bitmap() { return FBitmap; }
    bool HasAlpha() const { return FBitmap.PixelFormat() == pf32bit && FBitmap.AlphaFormat() != afIgnored; }

    // Takes the pixels of any picture; monochrome becomes 24-bit.
    void Assign(const TGraphic& source) override;
    using TGraphic::Assign;
    void AssignTo(TBitmap& target) const override;
    void Draw(TCanvas& canvas, const TRect& dest) const override;

protected:
    void SetPixels(const TBitmap& bitmap);
    TBitmap FBitmap;
};
