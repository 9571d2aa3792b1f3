#pragma once
#include <functional>
#include "resources/picgen/Ink.h"

// Drawings shared by several picture sets. Each draws into a square of Size
// pixels at (X, Y), designed on a 32-unit grid; Tone maps every colour (the
// identity, or Faded for the disabled twin of a glyph).
using TTone = std::function<TInkColor(TInkColor)>;
TInkColor Plain(TInkColor c);

struct TFrame {
    double X = 0, Y = 0, Size = 32;
    // A design-grid point in pixels.
    TPt P(double x, double y) const { return {X + x * Size / 32, Y + y * Size / 32}; }
    double L(double v) const { return v * Size / 32; }
    // A stroke width: scaled, but never under one pixel.
    double W(double v) const { return v * Size / 32 < 1 ? 1 : v * Size / 32; }
    TShape RoundRect(double l, double t, double r, double b, double radius) const;
    TShape Box(double l, double t, double r, double b) const;
    TShape Circle(double cx, double cy, double radius) const;
    TShape Polygon(std::initializer_list<TPt> designPoints) const;
    TShape Stroke(std::initializer_list<TPt> designPoints, double width) const;
};

void DrawFolder(TInk& k, const TFrame& f, bool open, const TTone& tone = Plain);
void DrawDocument(TInk& k, const TFrame& f, const TTone& tone = Plain);
void DrawHardDisk(TInk& k, const TFrame& f, const TTone& tone = Plain);
void DrawDisc(TInk& k, const TFrame& f, const TTone& tone = Plain);
void DrawUsbStick(TInk& k, const TFrame& f, const TTone& tone = Plain);
void DrawGlobe(TInk& k, const TFrame& f, const TTone& tone = Plain);
void DrawMonitor(TInk& k, const TFrame& f, const TTone& tone = Plain);
void DrawHouse(TInk& k, const TFrame& f, const TTone& tone = Plain);
void DrawFloppy(TInk& k, const TFrame& f, const TTone& tone = Plain);
// Pictograms in one colour, for marks on documents and tiles.
void DrawFilmMark(TInk& k, const TFrame& f, TInkColor c, TInkColor hole);
void DrawNoteMark(TInk& k, const TFrame& f, TInkColor c);
void DrawPlayMark(TInk& k, const TFrame& f, TInkColor c);
void DrawArrow(TInk& k, const TFrame& f, double angleDegrees, TInkColor c);
