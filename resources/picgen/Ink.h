#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Geometry.h"

// An RGB colour of the pictures (not the $00BBGGRR TColor).
struct TInkColor {
    std::uint8_t R = 0, G = 0, B = 0;
    bool operator==(const TInkColor&) const = default;
};

constexpr TInkColor Rgb(std::uint32_t rrggbb)
{
    return TInkColor{std::uint8_t(rrggbb >> 16), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb)};
}
// a mixed toward b by t (0 = a, 1 = b).
TInkColor Mix(TInkColor a, TInkColor b, double t);
// The same hue lighter (t > 0, toward white) or darker (t < 0, toward black).
TInkColor Shade(TInkColor c, double t);
// The disabled twin of a colour: its grey, lightened.
TInkColor Faded(TInkColor c);

struct TPt {
    double X = 0, Y = 0;
};

// A region of the plane: a bounding box and an inside test at a sample point.
struct TShape {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    std::function<bool(double, double)> Inside;
};

TShape RoundRect(double l, double t, double r, double b, double radius);
TShape Box(double l, double t, double r, double b);
TShape Circle(double cx, double cy, double radius);
TShape Ellipse(double cx, double cy, double rx, double ry);
TShape Ring(double cx, double cy, double radius, double width);
TShape Polygon(std::vector<TPt> points);
// A line of the given width through the points, with round ends and joins.
TShape Stroke(std::vector<TPt> points, double width);
// A line with square-cut ends (no caps), for crisp strokes on pixel edges.
TShape Bar(TPt a, TPt b, double width);
TShape Minus(TShape a, TShape b);
TShape Intersect(TShape a, TShape b);
TShape Union(TShape a, TShape b);
// Text set in a bold sans font, its box centred on (cx, cy), cap height about
// Height pixels; rendered at four times the size and sampled like any shape.
TShape Text(const std::string& text, double cx, double cy, double height, bool bold = true);

// Colour at a sample point, for gradients.
using TPaint = std::function<TInkColor(double, double)>;
TPaint Solid(TInkColor c);
TPaint VGradient(double top, double bottom, TInkColor a, TInkColor b);

// A picture being drawn: straight-alpha RGBA, transparent at first. Every
// shape is sampled 4 x 4 per pixel and composed over what is there; pixel
// (x, y) covers the square from x to x + 1, so a shape from 0 to 10 covers
// pixels 0..9 exactly.
class TInk {
public:
    TInk(int Width, int Height);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    void Fill(const TShape& s, TInkColor c, double alpha = 1) { Fill(s, Solid(c), alpha); }
    void Fill(const TShape& s, const TPaint& paint, double alpha = 1);
    // Sets pixels exactly (no sampling), for hand-placed pixel detail.
    void Pixel(int x, int y, TInkColor c, double alpha = 1);
    // Removes what lies under a shape (makes it transparent again).
    void Erase(const TShape& s);
    // Draws another picture over this one at (x, y).
    void Draw(const TInk& other, int x, int y, double alpha = 1);

    double AlphaAt(int x, int y) const { return FPixels[size_t(y) * FWidth + x].A; }

    // 32-bit bitmap with straight alpha (afDefined).
    TBitmap ToAlpha() const;
    // 24-bit bitmap: a pixel under half covered becomes Key, the others are
    // laid over Face; the bottom-left pixel is left as the key colour.
    TBitmap ToKeyed(TInkColor Face, TInkColor Key) const;

private:
    struct TPixel {
        double R = 0, G = 0, B = 0, A = 0;   // straight colour, 0..255
    };
    void Over(int x, int y, TInkColor c, double a);

    int FWidth, FHeight;
    std::vector<TPixel> FPixels;
};

// The key colour of the keyed pictures (bottom-left pixel transparent).
constexpr TInkColor KeyColor = Rgb(0xFF00FF);
// The face keyed glyphs are laid over: the light face of the program's buttons.
constexpr TInkColor GlyphFace = Rgb(0xF2F4F7);
