#pragma once
#include <vector>
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Color.h"

class TBitmap;

// A set of pixels stored as non-overlapping rectangles, kept in canonical
// y-x bands: rectangles of one band share Top and Bottom, are sorted by Left
// and never touch; touching bands with the same spans are merged. Two equal
// sets of pixels therefore have equal rectangle lists, and combining two
// regions is a single sweep over their bands.
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& r);
    static TRegion FromRects(const std::vector<TRect>& rects);

    bool IsEmpty() const { return FRects.empty(); }
    TRect Bounds() const;
    bool Contains(TPoint p) const;
    bool Contains(int x, int y) const { return Contains(TPoint{x, y}); }
    // True when some pixel of r lies in the region.
    bool Intersects(const TRect& r) const;

    TRegion Union(const TRegion& other) const;
    TRegion Intersect(const TRegion& other) const;
    TRegion Subtract(const TRegion& other) const;
    TRegion Xor(const TRegion& other) const;
    TRegion Intersect(const TRect& r) const { return Intersect(TRegion(r)); }
    void Offset(int dx, int dy);
    TRegion Offsetted(int dx, int dy) const;

    const std::vector<TRect>& Rects() const { return FRects; }
    bool operator==(const TRegion&) const = default;

    // Only for builders that already produce canonical bands.
    static TRegion FromCanonicalRects(std::vector<TRect> rects);

    // Index of the first rectangle of the band holding row y, or -1.
    int BandStart(int y) const;

private:
    std::vector<TRect> FRects;
};

// Kinds of a region, as the clip calls report them.
enum TRegionKind { rkError = 0, rkNull = 1, rkSimple = 2, rkComplex = 3 };
TRegionKind RegionKind(const TRegion& r);

// The pixels of a mask bitmap that are not of the transparent colour; for a
// monochrome mask white (bit 1) is transparent by default, so black is kept.
TRegion RegionFromMask(const TBitmap& mask, TColor transparent = clWhite);
