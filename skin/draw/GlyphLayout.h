#pragma once
#include "platform/gfx/Geometry.h"

// Where a button's glyph sits relative to its caption.
enum TbsButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Positions of the glyph and of the text block inside R. With Margin -1 the
// pair is centred as one block; otherwise the glyph keeps Margin from its
// edge and the text follows after Spacing. A glyph of width 0 drops Spacing.
void CalcGlyphTextLayout(TbsButtonLayout Layout, const TRect& R, int GlyphWidth, int GlyphHeight, int TextWidth,
                         int TextHeight, int Spacing, int Margin, int& TextX, int& TextY, int& GlyphX, int& GlyphY);
