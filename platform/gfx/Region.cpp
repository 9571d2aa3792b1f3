#include "platform/gfx/Region.h"

#include <algorithm>
#include "platform/gfx/Bitmap.h"

namespace {

using TSpans = std::vector<std::pair<int, int>>;

struct TBand {
    int Top, Bottom;
    TSpans Spans;
};

std::vector<TBand> ToBands(const std::vector<TRect>& rects)
{
    std::vector<TBand> bands;
    for (const TRect& r : rects) {
        if (bands.empty() || bands.back().Top != r.Top)
            bands.push_back({r.Top, r.Bottom, {}});
        bands.back().Spans.push_back({r.Left, r.Right});
    }
    return bands;
}

// Appends one band, merging it into the previous band when that touches it
// and holds the same spans; keeps the result canonical.
void AppendBand(std::vector<TRect>& out, size_t& lastBandStart, int top, int bottom, const TSpans& spans)
{
    if (spans.empty() || top >= bottom)
        return;
    if (lastBandStart < out.size() && out[lastBandStart].Bottom == top && out.size() - lastBandStart == spans.size()) {
        bool same = true;
        for (size_t i = 0; i < spans.size() && same; ++i)
            same = out[lastBandStart + i].Left == spans[i].first && out[lastBandStart + i].Right == spans[i].second;
        if (same) {
            for (size_t i = lastBandStart; i < out.size(); ++i)
                out[i].Bottom = bottom;
            return;
        }
    }
    lastBandStart = out.size();
    for (const auto& s : spans)
        out.push_back({s.first, top, s.second, bottom});
}

template <typename Op>
TSpans CombineSpans(const TSpans& a, const TSpans& b, Op op)
{
    std::vector<int> xs;
    xs.reserve((a.size() + b.size()) * 2);
    for (const auto& s : a) { xs.push_back(s.first); xs.push_back(s.second); }
    for (const auto& s : b) { xs.push_back(s.first); xs.push_back(s.second); }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    TSpans out;
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        int x0 = xs[i], x1 = xs[i + 1];
        while (ia < a.size() && a[ia].second <= x0) ++ia;
        while (ib < b.size() && b[ib].second <= x0) ++ib;
        bool inA = ia < a.size() && a[ia].first <= x0;
        bool inB = ib < b.size() && b[ib].first <= x0;
        if (!op(inA, inB))
            continue;
        if (!out.empty() && out.back().second == x0)
            out.back().second = x1;
        else
            out.push_back({x0, x1});
    }
    return out;
}

template <typename Op>
std::vector<TRect> Combine(const std::vector<TRect>& ra, const std::vector<TRect>& rb, Op op)
{
    std::vector<TBand> a = ToBands(ra), b = ToBands(rb);
    std::vector<int> ys;
    for (const auto& band : a) { ys.push_back(band.Top); ys.push_back(band.Bottom); }
    for (const auto& band : b) { ys.push_back(band.Top); ys.push_back(band.Bottom); }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    static const TSpans none;
    std::vector<TRect> out;
    size_t lastBand = SIZE_MAX;
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        int y0 = ys[i], y1 = ys[i + 1];
        while (ia < a.size() && a[ia].Bottom <= y0) ++ia;
        while (ib < b.size() && b[ib].Bottom <= y0) ++ib;
        const TSpans& sa = (ia < a.size() && a[ia].Top <= y0) ? a[ia].Spans : none;
        const TSpans& sb = (ib < b.size() && b[ib].Top <= y0) ? b[ib].Spans : none;
        if (sa.empty() && sb.empty())
            continue;
        AppendBand(out, lastBand, y0, y1, CombineSpans(sa, sb, op));
    }
    return out;
}

}  // namespace

TRegion::TRegion(const TRect& r)
{
    if (!r.IsEmpty())
        FRects.push_back(r);
}

TRegion TRegion::FromCanonicalRects(std::vector<TRect> rects)
{
    TRegion r;
    r.FRects = std::move(rects);
    return r;
}

TRegion TRegion::FromRects(const std::vector<TRect>& rects)
{
    std::vector<int> ys;
    for (const TRect& r : rects)
        if (!r.IsEmpty()) { ys.push_back(r.Top); ys.push_back(r.Bottom); }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::vector<TRect> out;
    size_t lastBand = SIZE_MAX;
    TSpans spans;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        int y0 = ys[i], y1 = ys[i + 1];
        spans.clear();
        for (const TRect& r : rects)
            if (!r.IsEmpty() && r.Top <= y0 && r.Bottom >= y1)
                spans.push_back({r.Left, r.Right});
        std::sort(spans.begin(), spans.end());
        TSpans merged;
        for (const auto& s : spans) {
            if (!merged.empty() && s.first <= merged.back().second)
                merged.back().second = std::max(merged.back().second, s.second);
            else
                merged.push_back(s);
        }
        AppendBand(out, lastBand, y0, y1, merged);
    }
    return FromCanonicalRects(std::move(out));
}

TRect TRegion::Bounds() const
{
    if (FRects.empty())
        return {};
    TRect b{FRects.front().Left, FRects.front().Top, FRects.front().Right, FRects.back().Bottom};
    for (const TRect& r : FRects) {
        b.Left = std::min(b.Left, r.Left);
        b.Right = std::max(b.Right, r.Right);
    }
    return b;
}

int TRegion::BandStart(int y) const
{
    auto it = std::upper_bound(FRects.begin(), FRects.end(), y, [](int v, const TRect& r) { return v < r.Bottom; });
    if (it == FRects.end() || it->Top > y)
        return -1;
    return int(it - FRects.begin());
}

bool TRegion::Contains(TPoint p) const
{
    int i = BandStart(p.Y);
    if (i < 0)
        return false;
    for (size_t k = size_t(i); k < FRects.size() && FRects[k].Top == FRects[size_t(i)].Top; ++k) {
        if (p.X < FRects[k].Left)
            return false;
        if (p.X < FRects[k].Right)
            return true;
    }
    return false;
}

bool TRegion::Intersects(const TRect& r) const
{
    if (r.IsEmpty())
        return false;
    for (const TRect& x : FRects) {
        if (x.Top >= r.Bottom)
            break;
        if (!IntersectRect(x, r).IsEmpty())
            return true;
    }
    return false;
}

TRegion TRegion::Union(const TRegion& other) const
{
    return FromCanonicalRects(Combine(FRects, other.FRects, [](bool a, bool b) { return a || b; }));
}

TRegion TRegion::Intersect(const TRegion& other) const
{
    return FromCanonicalRects(Combine(FRects, other.FRects, [](bool a, bool b) { return a && b; }));
}

TRegion TRegion::Subtract(const TRegion& other) const
{
    return FromCanonicalRects(Combine(FRects, other.FRects, [](bool a, bool b) { return a && !b; }));
}

TRegion TRegion::Xor(const TRegion& other) const
{
    return FromCanonicalRects(Combine(FRects, other.FRects, [](bool a, bool b) { return a != b; }));
}

void TRegion::Offset(int dx, int dy)
{
    for (TRect& r : FRects)
        r.Offset(dx, dy);
}

TRegion TRegion::Offsetted(int dx, int dy) const
{
    TRegion r = *this;
    r.Offset(dx, dy);
    return r;
}

TRegionKind RegionKind(const TRegion& r)
{
    if (r.IsEmpty())
        return rkNull;
    return r.Rects().size() == 1 ? rkSimple : rkComplex;
}

TRegion RegionFromMask(const TBitmap& mask, TColor transparent)
{
    std::vector<TRect> out;
    size_t lastBand = SIZE_MAX;
    const int w = mask.Width(), h = mask.Height();
    TSpans spans;
    const bool mono = mask.PixelFormat() == pf1bit;
    const TColor key = ColorToRGB(transparent);
    const int keyBit = key == clWhite ? 1 : (key == clBlack ? 0 : -1);
    for (int y = 0; y < h; ++y) {
        spans.clear();
        const uint8_t* row = mask.ScanLine(y);
        int runStart = -1;
        for (int x = 0; x <= w; ++x) {
            bool keep = false;
            if (x < w) {
                if (mono) {
                    int bit = (row[x >> 3] >> (7 - (x & 7))) & 1;
                    keep = bit != keyBit;
                } else {
                    keep = mask.GetPixel(x, y) != key;
                }
            }
            if (keep && runStart < 0)
                runStart = x;
            else if (!keep && runStart >= 0) {
                spans.push_back({runStart, x});
                runStart = -1;
            }
        }
        AppendBand(out, lastBand, y, y + 1, spans);
    }
    return TRegion::FromCanonicalRects(std::move(out));
}
