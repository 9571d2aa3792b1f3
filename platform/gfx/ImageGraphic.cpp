#include "platform/gfx/ImageGraphic.h"

#include "platform/gfx/Canvas.h"

void TImageGraphic::SetPixels(const TBitmap& bitmap)
{
    FBitmap = bitmap;
    if (FBitmap.PixelFormat() == pf1bit)
        FBitmap.SetPixelFormat(pf24bit);
    Changed();
}

void TImageGraphic::Assign(const TGraphic& source)
{
    if (&source == this)
        return;
    TBitmap pixels;
    source.AssignTo(pixels);
    FTransparent = source.Transparent();
    SetPixels(pixels);
}

void TImageGraphic::AssignTo(TBitmap& target) const
{
    target = FBitmap;
    target.SetTransparent(FTransparent);
}

void TImageGraphic::Draw(TCanvas& canvas, const TRect& dest) const
{
    TBitmap& pixels = const_cast<TBitmap&>(FBitmap);
    const bool saved = pixels.Transparent();
    pixels.SetTransparent(FTransparent && !HasAlpha());
    pixels.Draw(canvas, dest);
    pixels.SetTransparent(saved);
}
