#pragma once
#include <string>
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

class TCanvas;
class TbsBitmap;

// Captions with a blurred glow, a halo or a fading mirror image. Each renders
// the text in red into a work bitmap, blurs it, turns the red coverage into
// alpha in the glow colour, blends it onto Canvas and then draws the text
// itself with a clear brush. Flags are DrawText flags.

void DrawThickGlowText(TCanvas& Canvas, const TRect& R, const std::string& Text, unsigned Flags, int Offset,
                       TColor GlowColor, int GlowSize);
int DrawGlowText(TCanvas& Canvas, const TRect& R, const std::string& Text, unsigned Flags, int Offset,
                 TColor GlowColor, int GlowSize);
// A wide halo with a fixed margin of 12 pixels.
int DrawVistaGlowText(TCanvas& Canvas, const TRect& R, const std::string& Text, unsigned Flags, TColor GlowColor);
// The text and its mirror image below it, fading upwards from 0.7 alpha.
void DrawReflectionText(TCanvas& Canvas, const TRect& R, const std::string& Text, unsigned Flags, int Offset,
                        TColor Color);

void StackBlur(TbsBitmap& Bitmap, int Radius);
// Alpha of each pixel := the mean of red, green and blue of Mask's pixel.
void SetAlphaFromMask(TbsBitmap& Bitmap, const TbsBitmap& Mask);
