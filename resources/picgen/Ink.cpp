#include "resources/picgen/Ink.h"
#include <algorithm>
#include <cmath>
#include <memory>
#include "platform/gfx/Canvas.h"

namespace {

constexpr int Samples = 4;

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

std::uint8_t Channel(double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0))); }

double SegmentDistance(TPt p, TPt a, TPt b)
{
    const double vx = b.X - a.X, vy = b.Y - a.Y;
    const double len2 = vx * vx + vy * vy;
    const double t = len2 > 0 ? Clamp01(((p.X - a.X) * vx + (p.Y - a.Y) * vy) / len2) : 0;
    const double dx = p.X - (a.X + t * vx), dy = p.Y - (a.Y + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}

TShape Bounded(const std::vector<TPt>& pts, double pad, std::function<bool(double, double)> inside)
{
    TShape s{1e9, 1e9, -1e9, -1e9, std::move(inside)};
    for (const TPt& p : pts) {
        s.Left = std::min(s.Left, p.X - pad);
        s.Top = std::min(s.Top, p.Y - pad);
        s.Right = std::max(s.Right, p.X + pad);
        s.Bottom = std::max(s.Bottom, p.Y + pad);
    }
    return s;
}

}  // namespace

TInkColor Mix(TInkColor a, TInkColor b, double t)
{
    t = Clamp01(t);
    return TInkColor{Channel(a.R + (b.R - a.R) * t), Channel(a.G + (b.G - a.G) * t), Channel(a.B + (b.B - a.B) * t)};
}

TInkColor Shade(TInkColor c, double t) { return t >= 0 ? Mix(c, Rgb(0xFFFFFF), t) : Mix(c, Rgb(0x000000), -t); }

TInkColor Faded(TInkColor c)
{
    // The grey squeezed into the light end of the scale, keeping its order,
    // so white marks stay readable on a faded colour.
    const std::uint8_t g = Channel(100 + 0.6 * (0.30 * c.R + 0.59 * c.G + 0.11 * c.B));
    return TInkColor{g, g, g};
}

TShape RoundRect(double l, double t, double r, double b, double radius)
{
    return {l, t, r, b, [=](double x, double y) {
                if (x < l || x >= r || y < t || y >= b)
                    return false;
                const double cx = std::clamp(x, l + radius, r - radius);
                const double cy = std::clamp(y, t + radius, b - radius);
                return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
            }};
}

TShape Box(double l, double t, double r, double b)
{
    return {l, t, r, b, [=](double x, double y) { return x >= l && x < r && y >= t && y < b; }};
}

TShape Circle(double cx, double cy, double radius) { return Ellipse(cx, cy, radius, radius); }

TShape Ellipse(double cx, double cy, double rx, double ry)
{
    return {cx - rx, cy - ry, cx + rx, cy + ry, [=](double x, double y) {
                const double dx = (x - cx) / rx, dy = (y - cy) / ry;
                return dx * dx + dy * dy <= 1;
            }};
}

TShape Ring(double cx, double cy, double radius, double width)
{
    const double ro = radius + width / 2, ri = radius - width / 2;
    return {cx - ro, cy - ro, cx + ro, cy + ro, [=](double x, double y) {
                const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                return d2 <= ro * ro && d2 >= ri * ri;
            }};
}

TShape Polygon(std::vector<TPt> points)
{
    auto pts = std::make_shared<std::vector<TPt>>(std::move(points));
    return Bounded(*pts, 0, [pts](double x, double y) {
        bool in = false;   // even-odd crossing test
        const auto& P = *pts;
        for (size_t i = 0, j = P.size() - 1; i < P.size(); j = i++) {
            const TPt& a = P[i];
            const TPt& b = P[j];
            if ((a.Y > y) != (b.Y > y) && x < (b.X - a.X) * (y - a.Y) / (b.Y - a.Y) + a.X)
                in = !in;
        }
        return in;
    });
}

TShape Stroke(std::vector<TPt> points, double width)
{
    auto pts = std::make_shared<std::vector<TPt>>(std::move(points));
    const double half = width / 2;
    return Bounded(*pts, half, [pts, half](double x, double y) {
        const auto& P = *pts;
        if (P.size() == 1)
            return SegmentDistance({x, y}, P[0], P[0]) <= half;
        for (size_t i = 1; i < P.size(); ++i)
            if (SegmentDistance({x, y}, P[i - 1], P[i]) <= half)
                return true;
        return false;
    });
}

TShape Bar(TPt a, TPt b, double width)
{
    const double len = std::hypot(b.X - a.X, b.Y - a.Y);
    if (len == 0)
        return Box(0, 0, 0, 0);
    const double nx = -(b.Y - a.Y) / len * width / 2, ny = (b.X - a.X) / len * width / 2;
    return Polygon({{a.X + nx, a.Y + ny}, {b.X + nx, b.Y + ny}, {b.X - nx, b.Y - ny}, {a.X - nx, a.Y - ny}});
}

TShape Minus(TShape a, TShape b)
{
    TShape s = a;
    s.Inside = [ai = a.Inside, bi = b.Inside](double x, double y) { return ai(x, y) && !bi(x, y); };
    return s;
}

TShape Intersect(TShape a, TShape b)
{
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom),
            [ai = a.Inside, bi = b.Inside](double x, double y) { return ai(x, y) && bi(x, y); }};
}

TShape Union(TShape a, TShape b)
{
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom),
            [ai = a.Inside, bi = b.Inside](double x, double y) { return ai(x, y) || bi(x, y); }};
}

TShape Text(const std::string& text, double cx, double cy, double height, bool bold)
{
    // Cap height is about 0.72 of the em size in the sans faces we get.
    const int em = std::max(4, int(std::lround(height / 0.72 * Samples)));
    TBitmap probe(1, 1);
    TCanvas* c = probe.Canvas();
    c->Font().SetName("Arial");
    c->Font().SetHeight(-em);
    c->Font().SetStyle(bold ? fsBold : 0);
    const TSize size = c->TextExtent(text);
    auto mask = std::make_shared<TBitmap>(size.cx + 4, size.cy + 4);
    mask->Fill(RGB(0, 0, 0));
    TCanvas* mc = mask->Canvas();
    mc->Font().Assign(&c->Font());
    mc->Font().SetColor(RGB(255, 255, 255));
    mc->Brush().SetStyle(bsClear);
    mc->TextOut(2, 2, text);
    // The ink's box: the lit pixels of the mask, so the text centres on its
    // letters and not on its line cell.
    int l = mask->Width(), t = mask->Height(), r = -1, b = -1;
    for (int y = 0; y < mask->Height(); ++y)
        for (int x = 0; x < mask->Width(); ++x)
            if (GetRValue(mask->GetPixel(x, y)) > 127) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    if (r < 0)
        return Box(0, 0, 0, 0);
    const double w = double(r - l + 1) / Samples, h = double(b - t + 1) / Samples;
    const double ox = cx - w / 2, oy = cy - h / 2;
    return {ox, oy, ox + w, oy + h, [=](double x, double y) {
                const int mx = l + int(std::floor((x - ox) * Samples));
                const int my = t + int(std::floor((y - oy) * Samples));
                if (mx < l || my < t || mx > r || my > b)
                    return false;
                return GetRValue(mask->GetPixel(mx, my)) > 127;
            }};
}

TPaint Solid(TInkColor c)
{
    return [c](double, double) { return c; };
}

TPaint VGradient(double top, double bottom, TInkColor a, TInkColor b)
{
    return [=](double, double y) { return Mix(a, b, bottom > top ? (y - top) / (bottom - top) : 0); };
}

TInk::TInk(int Width, int Height) : FWidth(Width), FHeight(Height), FPixels(size_t(Width) * Height) {}

void TInk::Over(int x, int y, TInkColor c, double a)
{
    if (a <= 0 || x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return;
    TPixel& p = FPixels[size_t(y) * FWidth + x];
    const double outA = a + p.A / 255 * (1 - a);
    if (outA <= 0)
        return;
    const double keep = p.A / 255 * (1 - a);
    p.R = (c.R * a + p.R * keep) / outA;
    p.G = (c.G * a + p.G * keep) / outA;
    p.B = (c.B * a + p.B * keep) / outA;
    p.A = outA * 255;
}

void TInk::Fill(const TShape& s, const TPaint& paint, double alpha)
{
    const int x0 = std::max(0, int(std::floor(s.Left)) - 1), y0 = std::max(0, int(std::floor(s.Top)) - 1);
    const int x1 = std::min(FWidth, int(std::ceil(s.Right)) + 1), y1 = std::min(FHeight, int(std::ceil(s.Bottom)) + 1);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < Samples; ++sy)
                for (int sx = 0; sx < Samples; ++sx)
                    hits += s.Inside(x + (sx + 0.5) / Samples, y + (sy + 0.5) / Samples) ? 1 : 0;
            if (hits > 0)
                Over(x, y, paint(x + 0.5, y + 0.5), alpha * hits / (Samples * Samples));
        }
}

void TInk::Pixel(int x, int y, TInkColor c, double alpha) { Over(x, y, c, alpha); }

void TInk::Erase(const TShape& s)
{
    const int x0 = std::max(0, int(std::floor(s.Left)) - 1), y0 = std::max(0, int(std::floor(s.Top)) - 1);
    const int x1 = std::min(FWidth, int(std::ceil(s.Right)) + 1), y1 = std::min(FHeight, int(std::ceil(s.Bottom)) + 1);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < Samples; ++sy)
                for (int sx = 0; sx < Samples; ++sx)
                    hits += s.Inside(x + (sx + 0.5) / Samples, y + (sy + 0.5) / Samples) ? 1 : 0;
            FPixels[size_t(y) * FWidth + x].A *= 1 - double(hits) / (Samples * Samples);
        }
}

void TInk::Draw(const TInk& other, int x, int y, double alpha)
{
    for (int sy = 0; sy < other.FHeight; ++sy)
        for (int sx = 0; sx < other.FWidth; ++sx) {
            const TPixel& p = other.FPixels[size_t(sy) * other.FWidth + sx];
            Over(x + sx, y + sy, TInkColor{Channel(p.R), Channel(p.G), Channel(p.B)}, alpha * p.A / 255);
        }
}

TBitmap TInk::ToAlpha() const
{
    TBitmap out(FWidth, FHeight, pf32bit);
    out.SetAlphaFormat(afDefined);
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* row = out.ScanLine(y);
        for (int x = 0; x < FWidth; ++x) {
            const TPixel& p = FPixels[size_t(y) * FWidth + x];
            const std::uint8_t a = Channel(p.A);
            row[x * 4 + 0] = a ? Channel(p.B) : 0;
            row[x * 4 + 1] = a ? Channel(p.G) : 0;
            row[x * 4 + 2] = a ? Channel(p.R) : 0;
            row[x * 4 + 3] = a;
        }
    }
    return out;
}

TBitmap TInk::ToKeyed(TInkColor Face, TInkColor Key) const
{
    TBitmap out(FWidth, FHeight, pf24bit);
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const TPixel& p = FPixels[size_t(y) * FWidth + x];
            TInkColor c = Key;
            if (p.A >= 128 && !(x == 0 && y == FHeight - 1)) {
                const double a = p.A / 255;
                c = TInkColor{Channel(p.R * a + Face.R * (1 - a)), Channel(p.G * a + Face.G * (1 - a)),
                              Channel(p.B * a + Face.B * (1 - a))};
                if (c == Key)
                    c.G = 1;   // a drawn pixel never turns into a hole
            }
            out.SetPixel(x, y, RGB(c.R, c.G, c.B));
        }
    return out;
}
