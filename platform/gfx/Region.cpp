#include "platform/gfx/Region.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <pixman.h>
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

// Union, intersection and difference come from pixman, which keeps regions
// in the same canonical y-x bands as we do: its rectangle lists equal ours,
// and its sweep is faster. A rectangle is laid out as a pixman box.
static_assert(sizeof(TRect) == sizeof(pixman_box32_t) && offsetof(TRect, Left) == offsetof(pixman_box32_t, x1) &&
                  offsetof(TRect, Top) == offsetof(pixman_box32_t, y1) &&
                  offsetof(TRect, Right) == offsetof(pixman_box32_t, x2) &&
                  offsetof(TRect, Bottom) == offsetof(pixman_box32_t, y2),
              "a rectangle is a pixman box");

class TPixmanRegion {
public:
    TPixmanRegion() { pixman_region32_init(&FRegion); }
    explicit TPixmanRegion(const std::vector<TRect>& rects)
    {
        pixman_region32_init_rects(&FRegion, reinterpret_cast<const pixman_box32_t*>(rects.data()), int(rects.size()));
    }
    ~TPixmanRegion() { pixman_region32_fini(&FRegion); }
    TPixmanRegion(const TPixmanRegion&) = delete;
    TPixmanRegion& operator=(const TPixmanRegion&) = delete;

    pixman_region32_t* Get() { return &FRegion; }
    std::vector<TRect> Rects()
    {
        int n = 0;
        const pixman_box32_t* boxes = pixman_region32_rectangles(&FRegion, &n);
        const auto* first = reinterpret_cast<const TRect*>(boxes);
        return std::vector<TRect>(first, first + n);
    }

private:
    pixman_region32_t FRegion;
};

using TPixmanOp = pixman_bool_t (*)(pixman_region32_t*, const pixman_region32_t*, const pixman_region32_t*);

std::vector<TRect> Combine(const std::vector<TRect>& a, const std::vector<TRect>& b, TPixmanOp op)
{
    TPixmanRegion ra(a), rb(b), out;
    if (!op(out.Get(), ra.Get(), rb.Get()))
        throw std::bad_alloc();
    return out.Rects();
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
    return FromCanonicalRects(Combine(FRects, other.FRects, pixman_region32_union));
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
    return FromCanonicalRects(Combine(FRects, other.FRects, pixman_region32_intersect));
}

TRegion TRegion::Subtract(const TRegion& other) const
{
    if (IsEmpty() || other.IsEmpty() || !BoundsMeet(*this, other))
        return *this;
    return FromCanonicalRects(Combine(FRects, other.FRects, pixman_region32_subtract));
}

TRegion TRegion::Xor(const TRegion& other) const
{
    return Subtract(other).Union(other.Subtract(*this));
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
