#include <gtest/gtest.h>

#include <random>
#include <set>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"

namespace {

using TPixels = std::set<std::pair<int, int>>;

TPixels PixelsOf(const TRegion& r)
{
    TPixels p;
    for (const TRect& rc : r.Rects())
        for (int y = rc.Top; y < rc.Bottom; ++y)
            for (int x = rc.Left; x < rc.Right; ++x)
                p.insert({x, y});
    return p;
}

TPixels PixelsOf(const std::vector<TRect>& rects)
{
    TPixels p;
    for (const TRect& rc : rects)
        for (int y = rc.Top; y < rc.Bottom; ++y)
            for (int x = rc.Left; x < rc.Right; ++x)
                p.insert({x, y});
    return p;
}

// Rectangles of one band share Top and Bottom, never overlap or touch, and
// every rectangle is non-empty.
void ExpectCanonical(const TRegion& r)
{
    const auto& rects = r.Rects();
    for (size_t i = 0; i < rects.size(); ++i) {
        ASSERT_FALSE(rects[i].IsEmpty());
        if (i == 0)
            continue;
        const TRect& a = rects[i - 1];
        const TRect& b = rects[i];
        if (a.Top == b.Top) {
            ASSERT_EQ(a.Bottom, b.Bottom);
            ASSERT_LT(a.Right, b.Left);
        } else {
            ASSERT_LE(a.Bottom, b.Top);
        }
    }
}

std::vector<TRect> RandomRects(std::mt19937& rng, int count)
{
    std::uniform_int_distribution<int> pos(0, 20), size(1, 9);
    std::vector<TRect> rects;
    for (int i = 0; i < count; ++i)
        rects.push_back(Bounds(pos(rng), pos(rng), size(rng), size(rng)));
    return rects;
}

}  // namespace

TEST(Region, CombiningMatchesTheSetsOfPixels)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 60; ++round) {
        auto ra = RandomRects(rng, 1 + round % 5), rb = RandomRects(rng, 1 + round % 4);
        TRegion a = TRegion::FromRects(ra), b = TRegion::FromRects(rb);
        TPixels pa = PixelsOf(ra), pb = PixelsOf(rb);
        ASSERT_EQ(PixelsOf(a), pa);

        TPixels uni = pa, inter, diff, sym;
        uni.insert(pb.begin(), pb.end());
        for (auto p : pa) (pb.count(p) ? inter : diff).insert(p);
        for (auto p : uni) if (pa.count(p) != pb.count(p)) sym.insert(p);

        const struct { const char* name; TRegion result; const TPixels& expected; } cases[] = {
            {"union", a.Union(b), uni},
            {"intersect", a.Intersect(b), inter},
            {"subtract", a.Subtract(b), diff},
            {"xor", a.Xor(b), sym},
        };
        for (const auto& c : cases) {
            EXPECT_EQ(PixelsOf(c.result), c.expected) << c.name << " in round " << round;
            ExpectCanonical(c.result);
        }
    }
}

TEST(Region, EqualSetsCompareEqualHoweverBuilt)
{
    // An L shape built three ways.
    TRegion byUnion = TRegion(Rect(0, 0, 10, 5)).Union(TRegion(Rect(0, 5, 4, 10)));
    TRegion bySubtract = TRegion(Rect(0, 0, 10, 10)).Subtract(TRegion(Rect(4, 5, 10, 10)));
    TRegion byList = TRegion::FromRects({Rect(0, 0, 4, 10), Rect(4, 0, 10, 5), Rect(2, 2, 6, 4)});
    EXPECT_EQ(byUnion, bySubtract);
    EXPECT_EQ(byUnion, byList);
    EXPECT_NE(byUnion, TRegion(Rect(0, 0, 10, 10)));
    // Two touching halves merge into one rectangle.
    EXPECT_EQ(TRegion(Rect(0, 0, 5, 5)).Union(TRegion(Rect(5, 0, 10, 5))).Rects().size(), 1u);
    EXPECT_EQ(TRegion(Rect(0, 0, 5, 5)).Union(TRegion(Rect(0, 5, 5, 9))).Rects().size(), 1u);
}

TEST(Region, QueriesAndOffset)
{
    TRegion r = TRegion(Rect(0, 0, 10, 10)).Subtract(TRegion(Rect(3, 3, 6, 6)));
    EXPECT_TRUE(r.Contains(0, 0));
    EXPECT_TRUE(r.Contains(9, 9));
    EXPECT_FALSE(r.Contains(10, 9));
    EXPECT_FALSE(r.Contains(4, 4));
    EXPECT_TRUE(r.Contains(6, 4));
    EXPECT_EQ(r.Bounds(), Rect(0, 0, 10, 10));
    EXPECT_EQ(RegionKind(r), rkComplex);
    EXPECT_EQ(RegionKind(TRegion(Rect(1, 1, 2, 2))), rkSimple);
    EXPECT_EQ(RegionKind(TRegion(Rect(2, 2, 2, 5))), rkNull);

    r.Offset(-5, 20);
    EXPECT_TRUE(r.Contains(-5, 20));
    EXPECT_FALSE(r.Contains(-1, 24));
    EXPECT_EQ(r.Bounds(), Rect(-5, 20, 5, 30));
    EXPECT_TRUE(TRegion().Bounds().IsEmpty());
    EXPECT_TRUE(TRegion().Intersect(r).IsEmpty());
}

TEST(Region, FromMaskKeepsEveryPixelNotOfTheTransparentColour)
{
    // A ring of 6x6 with a hole of 2x2 and one stray pixel, in all three depths.
    auto inside = [](int x, int y) {
        bool ring = x >= 1 && x < 7 && y >= 1 && y < 7 && !(x >= 3 && x < 5 && y >= 3 && y < 5);
        return ring || (x == 9 && y == 0);
    };
    for (TPixelFormat format : {pf1bit, pf24bit, pf32bit}) {
        TBitmap mask(10, 8, format);
        mask.Fill(clWhite);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 10; ++x)
                if (inside(x, y))
                    mask.SetPixel(x, y, clBlack);
        TRegion r = RegionFromMask(mask);
        ExpectCanonical(r);
        for (int y = -1; y <= 8; ++y)
            for (int x = -1; x <= 10; ++x)
                EXPECT_EQ(r.Contains(x, y), x >= 0 && y >= 0 && x < 10 && y < 8 && inside(x, y))
                    << "format " << format << " at " << x << "," << y;
    }
    // A coloured key.
    TBitmap mask(4, 1, pf24bit);
    mask.Fill(clFuchsia);
    mask.SetPixel(2, 0, clRed);
    EXPECT_EQ(RegionFromMask(mask, clFuchsia), TRegion(Rect(2, 0, 3, 1)));
}
