#pragma once
#include <string>
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "skin/data/SkinTypes.h"

class TBitmap;
class TCanvas;
class TbsSkinData;
class TWinControl;

// Sets Canvas's font by the skinned controls' convention: the element's
// name, height and style when UseElementFont, else a copy of DefaultFont;
// the charset of the skin's text table when it has one.
void ApplyControlFont(TCanvas& Canvas, const TbsSkinData* Skin, bool UseElementFont, const std::string& FontName,
                      int FontHeight, TFontStyles FontStyle, const TFont& DefaultFont);
// The charset a skinned control's text uses.
int ControlCharset(const TbsSkinData* Skin, const TFont& DefaultFont);

// Normal blended towards Active by Kf (0..1) with the transition of Kind;
// Result takes the blend. Both pictures must have the same size.
void MorphFaces(const TBitmap& Normal, const TBitmap& Active, double Kf, TbsMorphKind Kind, TBitmap& Result);

// A plain pressable face: a one-pixel Frame around a Fill.
void DrawPlainFace(TCanvas& Canvas, const TRect& R, TColor Frame, TColor Fill);

// Plain-look colours of pressable parts.
constexpr TColor PlainHotFrame = 0x00800000;
constexpr TColor PlainHotFill = 0x00D2BDB6;
constexpr TColor PlainDownFill = 0x00B59385;
