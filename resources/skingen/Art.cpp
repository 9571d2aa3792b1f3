#include "resources/skingen/Art.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr int Samples = 4;

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

std::uint8_t MixChannel(std::uint8_t a, std::uint8_t b, double t)
{
    return static_cast<std::uint8_t>(std::lround(a + (b - a) * Clamp01(t)));
}

bool InRoundRect(double x, double y, double l, double t, double r, double b, double radius)
{
    if (x < l || x >= r || y < t || y >= b)
        return false;
    const double cx = std::clamp(x, l + radius, r - radius);
    const double cy = std::clamp(y, t + radius, b - radius);
    const double dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
}

double SegmentDistance(TPointF p, TPointF a, TPointF b)
{
    const double vx = b.X - a.X, vy = b.Y - a.Y;
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? ((p.X - a.X) * vx + (p.Y - a.Y) * vy) / len2 : 0;
    t = Clamp01(t);
    const double dx = p.X - (a.X + t * vx), dy = p.Y - (a.Y + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}

TRect BoundsOf(const std::vector<TPointF>& pts, double pad)
{
    double l = 1e9, t = 1e9, r = -1e9, b = -1e9;
    for (const TPointF& p : pts) {
        l = std::min(l, p.X);
        t = std::min(t, p.Y);
        r = std::max(r, p.X);
        b = std::max(b, p.Y);
    }
    return Rect(int(std::floor(l - pad)), int(std::floor(t - pad)), int(std::ceil(r + pad)) + 1,
                int(std::ceil(b + pad)) + 1);
}

}  // namespace

TRgb Mix(TRgb a, TRgb b, double t)
{
    return TRgb{MixChannel(a.R, b.R, t), MixChannel(a.G, b.G, t), MixChannel(a.B, b.B, t)};
}

double ContrastRatio(TRgb a, TRgb b)
{
    auto luminance = [](TRgb c) {
        auto channel = [](int v) {
            const double x = v / 255.0;
            return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.R) + 0.7152 * channel(c.G) + 0.0722 * channel(c.B);
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TArt::TArt(TBitmap& Target) : FTarget(Target) {}

TRgb TArt::Pixel(int x, int y) const
{
    const TColor c = FTarget.GetPixel(x, y);
    return TRgb{std::uint8_t(GetRValue(c)), std::uint8_t(GetGValue(c)), std::uint8_t(GetBValue(c))};
}

void TArt::SetPixel(int x, int y, TRgb c)
{
    if (x < 0 || y < 0 || x >= FTarget.Width() || y >= FTarget.Height())
        return;
    FTarget.SetPixel(x, y, ToColor(c));
}

void TArt::Blend(int x, int y, TRgb c, double alpha)
{
    if (alpha <= 0 || x < 0 || y < 0 || x >= FTarget.Width() || y >= FTarget.Height())
        return;
    SetPixel(x, y, alpha >= 1 ? c : Mix(Pixel(x, y), c, alpha));
}

void TArt::Fill(const TRect& r, TRgb c)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            SetPixel(x, y, c);
}

void TArt::VGradient(const TRect& r, TRgb top, TRgb bottom)
{
    const int h = r.Height();
    for (int y = r.Top; y < r.Bottom; ++y) {
        const TRgb c = h > 1 ? Mix(top, bottom, double(y - r.Top) / (h - 1)) : top;
        HLine(r.Left, r.Right, y, c);
    }
}

void TArt::HLine(int x0, int x1, int y, TRgb c, double alpha)
{
    for (int x = x0; x < x1; ++x)
        Blend(x, y, c, alpha);
}

void TArt::VLine(int x, int y0, int y1, TRgb c, double alpha)
{
    for (int y = y0; y < y1; ++y)
        Blend(x, y, c, alpha);
}

void TArt::Frame(const TRect& r, TRgb c)
{
    HLine(r.Left, r.Right, r.Top, c);
    HLine(r.Left, r.Right, r.Bottom - 1, c);
    VLine(r.Left, r.Top + 1, r.Bottom - 1, c);
    VLine(r.Right - 1, r.Top + 1, r.Bottom - 1, c);
}

void TArt::Cover(const TRect& Bounds, const std::function<bool(double, double)>& Inside,
                 const std::function<TRgb(int, int)>& ColorAt, double Alpha)
{
    const TRect clip = IntersectRect(Bounds, Rect(0, 0, FTarget.Width(), FTarget.Height()));
    for (int y = clip.Top; y < clip.Bottom; ++y)
        for (int x = clip.Left; x < clip.Right; ++x) {
            int hits = 0;
            for (int sy = 0; sy < Samples; ++sy)
                for (int sx = 0; sx < Samples; ++sx)
                    hits += Inside(x + (sx + 0.5) / Samples, y + (sy + 0.5) / Samples) ? 1 : 0;
            if (hits > 0)
                Blend(x, y, ColorAt(x, y), Alpha * hits / (Samples * Samples));
        }
}

void TArt::FillRoundRect(const TRect& r, double Radius, TRgb c, double Alpha)
{
    Cover(r, [&](double x, double y) { return InRoundRect(x, y, r.Left, r.Top, r.Right, r.Bottom, Radius); },
          [&](int, int) { return c; }, Alpha);
}

void TArt::FillRoundRectV(const TRect& r, double Radius, TRgb top, TRgb bottom)
{
    const int h = r.Height();
    Cover(r, [&](double x, double y) { return InRoundRect(x, y, r.Left, r.Top, r.Right, r.Bottom, Radius); },
          [&](int, int y) { return h > 1 ? Mix(top, bottom, double(y - r.Top) / (h - 1)) : top; });
}

void TArt::StrokeRoundRect(const TRect& r, double Radius, TRgb c, double Alpha)
{
    const double ir = std::max(0.0, Radius - 1);
    Cover(r,
          [&](double x, double y) {
              return InRoundRect(x, y, r.Left, r.Top, r.Right, r.Bottom, Radius) &&
                     !InRoundRect(x, y, r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1, ir);
          },
          [&](int, int) { return c; }, Alpha);
}

void TArt::RoundBox(const TRect& r, double Radius, TRgb Border, TRgb Top, TRgb Bottom)
{
    FillRoundRect(r, Radius, Border);
    FillRoundRectV(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), std::max(0.0, Radius - 1), Top, Bottom);
}

void TArt::FillCircle(double cx, double cy, double Radius, TRgb c, double Alpha)
{
    const TRect b = Rect(int(std::floor(cx - Radius)) - 1, int(std::floor(cy - Radius)) - 1,
                         int(std::ceil(cx + Radius)) + 1, int(std::ceil(cy + Radius)) + 1);
    Cover(b, [&](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= Radius * Radius; },
          [&](int, int) { return c; }, Alpha);
}

void TArt::StrokeCircle(double cx, double cy, double Radius, double Width, TRgb c, double Alpha)
{
    const double ro = Radius + Width / 2, ri = Radius - Width / 2;
    const TRect b = Rect(int(std::floor(cx - ro)) - 1, int(std::floor(cy - ro)) - 1, int(std::ceil(cx + ro)) + 1,
                         int(std::ceil(cy + ro)) + 1);
    Cover(b,
          [&](double x, double y) {
              const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
              return d2 <= ro * ro && d2 >= ri * ri;
          },
          [&](int, int) { return c; }, Alpha);
}

void TArt::Stroke(const std::vector<TPointF>& Points, double Width, TRgb c, double Alpha)
{
    if (Points.empty())
        return;
    const double half = Width / 2;
    Cover(BoundsOf(Points, half + 1),
          [&](double x, double y) {
              const TPointF p{x, y};
              if (Points.size() == 1)
                  return SegmentDistance(p, Points[0], Points[0]) <= half;
              for (size_t i = 1; i < Points.size(); ++i)
                  if (SegmentDistance(p, Points[i - 1], Points[i]) <= half)
                      return true;
              return false;
          },
          [&](int, int) { return c; }, Alpha);
}

void TArt::FillPolygon(const std::vector<TPointF>& Points, TRgb c, double Alpha)
{
    if (Points.size() < 3)
        return;
    Cover(BoundsOf(Points, 1),
          [&](double x, double y) {
              bool in = false;   // even-odd crossing test
              for (size_t i = 0, j = Points.size() - 1; i < Points.size(); j = i++) {
                  const TPointF& a = Points[i];
                  const TPointF& b = Points[j];
                  if ((a.Y > y) != (b.Y > y) && x < (b.X - a.X) * (y - a.Y) / (b.Y - a.Y) + a.X)
                      in = !in;
              }
              return in;
          },
          [&](int, int) { return c; }, Alpha);
}

void TArt::KeyOut(const TRect& r, TRgb Background)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (Pixel(x, y) == Background)
                SetPixel(x, y, KeyRgb);
}
