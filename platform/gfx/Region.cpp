#include "platform/gfx/Region.h"

#include <algorithm>
#include <cstdint>
#include "platform/gfx/Bitmap.h"

namespace {

using TSpans = std::vector<std::pair<int, int>>;

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

// One band of a canonical rectangle list: the rectangles [Begin, End) share
// Top and Bottom.
struct TBandRange {
    int Top, Bottom;
    size_t Begin, End;
};

void BandRanges(const std::vector<TRect>& rects, std::vector<TBandRange>& out)
{
    out.clear();
    for (size_t i = 0; i < rects.size(); ++i) {
        if (out.empty() || out.back().Top != rects[i].Top)
            out.push_back({rects[i].Top, rects[i].Bottom, i, i});
        out.back().End = i + 1;
    }
}

// Scratch buffers reused by every combination on a thread: combining regions
// happens at every paint and must not allocate each time.
struct TCombineScratch {
    std::vector<TBandRange> A, B;
    std::vector<int> Xs, Ys;
    TSpans Spans;
};

TCombineScratch& Scratch()
{
    thread_local TCombineScratch scratch;
    return scratch;
}

// The edges of two sorted lists of disjoint spans, merged and sorted.
void SpanEdges(const TRect* a, size_t na, const TRect* b, size_t nb, std::vector<int>& xs)
{
    xs.clear();
    size_t ia = 0, ib = 0;
    auto push = [&xs](int x) {
        if (xs.empty() || xs.back() != x)
            xs.push_back(x);
    };
    // Each list's edges are already ascending (L0 < R0 <= L1 < R1 ...).
    while (ia < na * 2 || ib < nb * 2) {
        int va = ia < na * 2 ? ((ia & 1) ? a[ia / 2].Right : a[ia / 2].Left) : INT32_MAX;
        int vb = ib < nb * 2 ? ((ib & 1) ? b[ib / 2].Right : b[ib / 2].Left) : INT32_MAX;
        if (va <= vb) {
            push(va);
            ++ia;
        } else {
            push(vb);
            ++ib;
        }
    }
}

template <typename Op>
void CombineSpans(const TRect* a, size_t na, const TRect* b, size_t nb, Op op, TCombineScratch& s)
{
    SpanEdges(a, na, b, nb, s.Xs);
    s.Spans.clear();
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < s.Xs.size(); ++i) {
        int x0 = s.Xs[i], x1 = s.Xs[i + 1];
        while (ia < na && a[ia].Right <= x0) ++ia;
        while (ib < nb && b[ib].Right <= x0) ++ib;
        bool inA = ia < na && a[ia].Left <= x0;
        bool inB = ib < nb && b[ib].Left <= x0;
        if (!op(inA, inB))
            continue;
        if (!s.Spans.empty() && s.Spans.back().second == x0)
            s.Spans.back().second = x1;
        else
            s.Spans.push_back({x0, x1});
    }
}

template <typename Op>
std::vector<TRect> Combine(const std::vector<TRect>& ra, const std::vector<TRect>& rb, Op op)
{
    TCombineScratch& s = Scratch();
    BandRanges(ra, s.A);
    BandRanges(rb, s.B);
    const std::vector<TBandRange>& a = s.A;
    const std::vector<TBandRange>& b = s.B;
    s.Ys.clear();
    for (const auto& band : a) { s.Ys.push_back(band.Top); s.Ys.push_back(band.Bottom); }
    for (const auto& band : b) { s.Ys.push_back(band.Top); s.Ys.push_back(band.Bottom); }
    std::sort(s.Ys.begin(), s.Ys.end());
    s.Ys.erase(std::unique(s.Ys.begin(), s.Ys.end()), s.Ys.end());
    std::vector<TRect> out;
    out.reserve(ra.size() + rb.size());
    size_t lastBand = SIZE_MAX;
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < s.Ys.size(); ++i) {
        int y0 = s.Ys[i], y1 = s.Ys[i + 1];
        while (ia < a.size() && a[ia].Bottom <= y0) ++ia;
        while (ib < b.size() && b[ib].Bottom <= y0) ++ib;
        const bool hasA = ia < a.size() && a[ia].Top <= y0;
        const bool hasB = ib < b.size() && b[ib].Top <= y0;
        if (!hasA && !hasB)
            continue;
        const TRect* pa = hasA ? ra.data() + a[ia].Begin : nullptr;
        const TRect* pb = hasB ? rb.data() + b[ib].Begin : nullptr;
        CombineSpans(pa, hasA ? a[ia].End - a[ia].Begin : 0, pb, hasB ? b[ib].End - b[ib].Begin : 0, op, s);
        AppendBand(out, lastBand, y0, y1, s.Spans);
    }
    return out;
}

bool BoundsMeet(const TRegion& a, const TRegion& b)
{
    return !IntersectRect(a.Bounds(), b.Bounds()).IsEmpty();
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
    if (other.IsEmpty())
        return *this;
    if (IsEmpty())
        return other;
    return FromCanonicalRects(Combine(FRects, other.FRects, [](bool a, bool b) { return a || b; }));
}

TRegion TRegion::Intersect(const TRegion& other) const
{
    if (IsEmpty() || other.IsEmpty() || !BoundsMeet(*this, other))
        return TRegion();
    // Cut by one rectangle that holds all of it: unchanged.
    if (other.FRects.size() == 1) {
        const TRect& r = other.FRects.front();
        const TRect b = Bounds();
        if (r.Left <= b.Left && r.Top <= b.Top && r.Right >= b.Right && r.Bottom >= b.Bottom)
            return *this;
    }
    return FromCanonicalRects(Combine(FRects, other.FRects, [](bool a, bool b) { return a && b; }));
}

TRegion TRegion::Subtract(const TRegion& other) const
{
    if (IsEmpty() || other.IsEmpty() || !BoundsMeet(*this, other))
        return *this;
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
