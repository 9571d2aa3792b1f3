#pragma once
#include "skin/draw/PixelRoutines.h"

// Hue, saturation and lightness of a pixel, each in 0..1, single precision
// as the skin colour adjustments expect.
void BsColorToHSL(TbsColor Color, float& H, float& S, float& L);
// An opaque pixel from hue, saturation and lightness.
TbsColor HSLToBsColor(float H, float S, float L);

// Colour adjustments of an alpha raster; each touches only pixels whose alpha
// is not 0 and keeps their alpha.
void ChangePixelsBrightness(TbsPixelView Pixels, int DeltaBrightness);
// Hue := Hue/255 with Hue limited to 0..255.
void SetPixelsHue(TbsPixelView Pixels, int Hue);
// Saturation moved by DeltaSat/255 and limited to 0..1.
void ChangePixelsSat(TbsPixelView Pixels, int DeltaSat);
// Hue moved by DeltaHue/255 around the colour circle.
void ChangePixelsHue(TbsPixelView Pixels, int DeltaHue);
