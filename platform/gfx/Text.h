#pragma once
#include <string>
#include <vector>
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"

class TDeviceContext;

// DrawText flags, with their classic values.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_TABSTOP = 0x80;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_INTERNAL = 0x1000;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_RTLREADING = 0x20000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;
constexpr unsigned DT_PREFIXONLY = 0x200000;

// ExtTextOut options.
constexpr unsigned ETO_OPAQUE = 0x2;
constexpr unsigned ETO_CLIPPED = 0x4;

// Text is UTF-8. Drawing uses the selected font, the text colour and, in
// opaque background mode, fills the text cell with the background colour.
// Glyphs are anti-aliased: coverage blends the text colour into the colour
// channels; the alpha byte of 32-bit pixels is set to 0 like every classic call.
void TextOut(TDeviceContext& dc, int x, int y, const std::string& text);
// Draws at (x, y), optionally filling r with the background colour
// (ETO_OPAQUE) and clipping to it (ETO_CLIPPED).
void ExtTextOut(TDeviceContext& dc, int x, int y, unsigned options, const TRect* r, const std::string& text);
TSize GetTextExtent(TDeviceContext& dc, const std::string& text);
TTextMetric GetTextMetrics(TDeviceContext& dc);

// Tabs jump to the next stop: stops are positions from tabOrigin; with no
// stops every 8 average character widths, with one stop every multiple of it.
// Returns the extent of the drawn text.
TSize TabbedTextOut(TDeviceContext& dc, int x, int y, const std::string& text, const std::vector<int>& tabStops, int tabOrigin);
TSize GetTabbedTextExtent(TDeviceContext& dc, const std::string& text, const std::vector<int>& tabStops);

// Lays text out in r by the DT_ flags and draws it (or with DT_CALCRECT
// only measures it, widening or heightening r). Returns the text height.
int DrawText(TDeviceContext& dc, const std::string& text, TRect& r, unsigned flags);
