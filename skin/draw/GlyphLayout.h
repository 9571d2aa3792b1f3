#pragma once
#include <string>
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

// Where a button's glyph sits relative to its caption.
enum TbsButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Positions of the glyph and of the text block inside R. With Margin -1 the
// pair is centred as one block; otherwise the glyph keeps Margin from its
// edge and the text follows after Spacing. A glyph of width 0 drops Spacing.
void CalcGlyphTextLayout(TbsButtonLayout Layout, const TRect& R, int GlyphWidth, int GlyphHeight, int TextWidth,
                         int TextHeight, int Spacing, int Margin, int& TextX, int& TextY, int& GlyphX, int& GlyphY);

class TCanvas;
class TBitmap;

// Measures the word-wrapped caption beside a glyph of the given size, lays
// both out by CalcGlyphTextLayout (Down moves them by one pixel) and draws the
// caption with AlignFlags; returns where the caption went and where the glyph
// goes. Shared by every glyph-or-image-and-caption painter.
struct TGlyphTextPlace {
    TRect Text;
    TPoint Glyph;
};
TGlyphTextPlace DrawCaptionBesideGlyph(TCanvas& Canvas, const TRect& R, int Margin, int Spacing,
                                       TbsButtonLayout Layout, const std::string& Caption, int GlyphWidth,
                                       int GlyphHeight, bool Down, unsigned AlignFlags);

// A glyph frame from a strip (drawn with DrawGlyph) and a centred,
// word-wrapped caption laid out by CalcGlyphTextLayout; Down moves both by
// one pixel. DrawMarker underlines the glyph, or the caption, or fills a
// marker box when there is neither.
void DrawGlyphAndText(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TbsButtonLayout Layout,
                      const std::string& Caption, const TBitmap& Glyph, int NumGlyphs, int GlyphNum, bool Down,
                      bool DrawMarker, TColor MarkerColor);
