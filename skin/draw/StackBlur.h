#pragma once
#include "skin/draw/PixelRoutines.h"

// Separable blur with triangular weights (Radius + 1 - |k|), edge pixels
// repeated, each pass truncating; constant work per pixel whatever the
// radius. The colour channels are blurred, the input alpha is ignored and
// every output alpha is 255. Nothing happens when Radius <= 0.
void StackBlur(TbsPixelView Pixels, int Radius);

// Alpha of each pixel := round((red + green + blue) / 3) of the same pixel of
// Mask; colours stay. Pixels the mask does not cover keep their alpha.
void SetAlphaFromMask(TbsPixelView Pixels, TbsPixelView Mask);
