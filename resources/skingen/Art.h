#pragma once
#include <cstdint>
#include <functional>
#include <vector>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

// An RGB colour of the generator's drawing code (not the $00BBGGRR TColor).
struct TRgb {
    std::uint8_t R = 0, G = 0, B = 0;
    bool operator==(const TRgb&) const = default;
};

constexpr TRgb Hex(std::uint32_t rrggbb)
{
    return TRgb{std::uint8_t(rrggbb >> 16), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb)};
}
// a mixed toward b by t (0 = a, 1 = b).
TRgb Mix(TRgb a, TRgb b, double t);
// Contrast ratio of two colours by their relative luminance (1 to 21).
double ContrastRatio(TRgb a, TRgb b);
// The colour as the skin files store it ($00BBGGRR).
constexpr TColor ToColor(TRgb c) { return RGB(c.R, c.G, c.B); }

// The colour of the holes of colour-keyed images ($7F007F).
constexpr TRgb KeyRgb = Hex(0x7F007F);

struct TPointF {
    double X = 0, Y = 0;
};

// Drawing on a 24-bit picture with anti-aliased shapes: every shape is
// sampled 4 x 4 per pixel and its coverage blends the colour in. Pixel
// coordinates run through pixel centres at +0.5, so a shape from 0 to 10
// covers pixels 0..9 exactly.
class TArt {
public:
    explicit TArt(TBitmap& Target);

    TBitmap& Target() { return FTarget; }
    TRgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, TRgb c);
    void Blend(int x, int y, TRgb c, double alpha);

    void Fill(const TRect& r, TRgb c);
    void VGradient(const TRect& r, TRgb top, TRgb bottom);
    void HLine(int x0, int x1, int y, TRgb c, double alpha = 1);   // x1 exclusive
    void VLine(int x, int y0, int y1, TRgb c, double alpha = 1);   // y1 exclusive
    void Frame(const TRect& r, TRgb c);

    // Coverage of Inside over Bounds, each covered pixel blended with ColorAt(y).
    void Cover(const TRect& Bounds, const std::function<bool(double, double)>& Inside,
               const std::function<TRgb(int, int)>& ColorAt, double Alpha = 1);

    // Rounded rectangles in pixel-edge coordinates (r.Right/Bottom exclusive).
    void FillRoundRect(const TRect& r, double Radius, TRgb c, double Alpha = 1);
    void FillRoundRectV(const TRect& r, double Radius, TRgb top, TRgb bottom);
    // A 1-pixel-wide rounded outline lying on the edge pixels of r.
    void StrokeRoundRect(const TRect& r, double Radius, TRgb c, double Alpha = 1);
    // Outline in Border and inside a vertical gradient, the usual face of a control.
    void RoundBox(const TRect& r, double Radius, TRgb Border, TRgb Top, TRgb Bottom);

    void FillCircle(double cx, double cy, double Radius, TRgb c, double Alpha = 1);
    void StrokeCircle(double cx, double cy, double Radius, double Width, TRgb c, double Alpha = 1);
    // A stroke of the given width with round ends through the points.
    void Stroke(const std::vector<TPointF>& Points, double Width, TRgb c, double Alpha = 1);
    void FillPolygon(const std::vector<TPointF>& Points, TRgb c, double Alpha = 1);

    // Pixels of r equal to Background become the key colour.
    void KeyOut(const TRect& r, TRgb Background);

private:
    TBitmap& FTarget;
};
