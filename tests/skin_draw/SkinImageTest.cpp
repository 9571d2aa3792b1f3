#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/SkinImage.h"

namespace {

// A 24-bit picture whose pixel (x, y) is RGB(x, y, 7).
TBitmap Coded(int w, int h) {
    TBitmap b(w, h, pf24bit);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, RGB(x, y, 7));
    return b;
}

// The picture column and row a composed pixel came from.
TPoint Source(const TBitmap& b, int x, int y) {
    const TColor c = b.GetPixel(x, y);
    return TPoint{GetRValue(c), GetGValue(c)};
}

std::vector<int> SourceColumns(const TBitmap& b, int y) {
    std::vector<int> columns;
    for (int x = 0; x < b.Width(); ++x)
        columns.push_back(Source(b, x, y).X);
    return columns;
}

TbsSkinGeometry NineSlice(const TRect& cl, const TRect& newCl) {
    TbsSkinGeometry g;
    g.ClRect = cl;
    g.LTPt = {cl.Left, cl.Top};
    g.RTPt = {cl.Right, cl.Top};
    g.LBPt = {cl.Left, cl.Bottom};
    g.RBPt = {cl.Right, cl.Bottom};
    g.NewClRect = newCl;
    g.NewLTPt = {newCl.Left, newCl.Top};
    g.NewRTPt = {newCl.Right, newCl.Top};
    g.NewLBPt = {newCl.Left, newCl.Bottom};
    g.NewRBPt = {newCl.Right, newCl.Bottom};
    return g;
}

std::vector<int> Range(int from, int to) {
    std::vector<int> v;
    for (int i = from; i < to; ++i)
        v.push_back(i);
    return v;
}

std::vector<int> Concat(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

}  // namespace

TEST(SkinImage, ThreeSliceKeepsCapsAndTilesOrStretchesTheMiddle) {
    const TBitmap picture = Coded(40, 6);
    const TRect skin{5, 1, 35, 5};  // 30 pixels wide
    TBitmap dest;
    CreateHSkinImage(10, 10, dest, picture, skin, 45, 99, false);
    ASSERT_EQ(dest.Width(), 45);
    ASSERT_EQ(dest.Height(), 4);
    EXPECT_EQ(SourceColumns(dest, 0),
              Concat({Range(5, 15), Range(15, 25), Range(15, 25), Range(15, 20), Range(25, 35)}));
    EXPECT_EQ(Source(dest, 0, 3).Y, 4);

    CreateHSkinImage(10, 10, dest, picture, skin, 20, 0, true);
    EXPECT_EQ(SourceColumns(dest, 0), Concat({Range(5, 15), Range(25, 35)})) << "no room for the middle";

    CreateHSkinImageNoRight(10, 10, dest, picture, skin, 35, 0, false);
    EXPECT_EQ(SourceColumns(dest, 0), Concat({Range(5, 15), Range(15, 25), Range(15, 25), Range(15, 20)}));

    CreateHSkinImageNoCaps(10, 10, dest, picture, skin, 15, 0, false);
    EXPECT_EQ(SourceColumns(dest, 0), Concat({Range(15, 25), Range(15, 20)}));

    const TBitmap tall = Coded(4, 30);
    CreateVSkinImage(5, 5, dest, tall, TRect{0, 0, 4, 30}, 0, 12, false);
    ASSERT_EQ(dest.Width(), 4);
    std::vector<int> rows;
    for (int y = 0; y < 12; ++y)
        rows.push_back(Source(dest, 0, y).Y);
    EXPECT_EQ(rows, Concat({Range(0, 5), Range(5, 7), Range(25, 30)}));
}

TEST(SkinImage, NineSliceKeepsCornersAndTilesTheBands) {
    const TBitmap picture = Coded(30, 30);
    const TbsSkinGeometry g = NineSlice(TRect{10, 10, 20, 20}, TRect{10, 10, 40, 30});
    TBitmap dest;
    CreateSkinImage(g, dest, picture, TRect{0, 0, 30, 30}, 50, 40, true, false, false, false, false, false, bsstFull);
    ASSERT_EQ(dest.Width(), 50);
    ASSERT_EQ(dest.Height(), 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x) {
            const int sx = x < 10 ? x : x >= 40 ? x - 20 : 10 + (x - 10) % 10;
            const int sy = y < 10 ? y : y >= 30 ? y - 10 : 10 + (y - 10) % 10;
            ASSERT_EQ(Source(dest, x, y), (TPoint{sx, sy})) << x << "," << y;
        }
}

TEST(SkinImage, CornersReachingAlongTheEdgesStayWhole) {
    const TBitmap picture = Coded(30, 30);
    TbsSkinGeometry g;
    g.ClRect = {5, 5, 25, 25};
    g.LTPt = {10, 8};
    g.RTPt = {20, 8};
    g.LBPt = {10, 22};
    g.RBPt = {20, 22};
    g.NewClRect = {5, 5, 35, 35};
    g.NewLTPt = {10, 8};
    g.NewRTPt = {30, 8};
    g.NewLBPt = {10, 32};
    g.NewRBPt = {30, 32};
    TBitmap dest;
    CreateSkinImage(g, dest, picture, TRect{0, 0, 30, 30}, 40, 40, false, false, false, false, false, false, bsstFull);
    struct Case { TPoint at, from; const char* piece; };
    const Case cases[] = {
        {{9, 4}, {9, 4}, "top-left along the top"},
        {{4, 7}, {4, 7}, "top-left along the left"},
        {{25, 2}, {15, 2}, "top band, second tile"},
        {{30, 0}, {20, 0}, "top-right along the top"},
        {{36, 7}, {26, 7}, "top-right along the right"},
        {{37, 23}, {27, 9}, "right band, second tile"},
        {{4, 39}, {4, 29}, "bottom-left along the left"},
        {{9, 35}, {9, 25}, "bottom-left along the bottom"},
        {{21, 36}, {11, 26}, "bottom band, second tile"},
        {{39, 39}, {29, 29}, "bottom-right along the bottom"},
        {{35, 32}, {25, 22}, "bottom-right along the right"},
        {{2, 30}, {2, 16}, "left band, cut second tile"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Source(dest, c.at.X, c.at.Y), c.from) << c.piece;
}

TEST(SkinImage, NineSliceStretchesBandsAndClientByItsType) {
    const TBitmap picture = Coded(30, 30);
    const TbsSkinGeometry g = NineSlice(TRect{10, 10, 20, 20}, TRect{10, 10, 40, 30});
    TBitmap dest;
    CreateSkinImage(g, dest, picture, TRect{0, 0, 30, 30}, 50, 40, true, true, true, true, true, true, bsstHorz);
    EXPECT_EQ(Source(dest, 10, 0), (TPoint{10, 0}));
    EXPECT_EQ(Source(dest, 39, 0), (TPoint{19, 0})) << "the top band is stretched end to end";
    EXPECT_EQ(Source(dest, 0, 29), (TPoint{0, 19}));
    EXPECT_EQ(Source(dest, 20, 10), (TPoint{10, 10})) << "horizontal client: repeated across";
    EXPECT_EQ(Source(dest, 20, 29), (TPoint{10, 19})) << "and stretched to the height";

    TBitmap own(30, 30, pf24bit);
    CreateStretchImage(own, picture, TRect{0, 0, 30, 30}, TRect{10, 10, 20, 20}, true);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(Source(own, x, y), (TPoint{x, y})) << "own size reproduces the skin at " << x << "," << y;
}

TEST(SkinImage, BadGeometryNeverReadsOutsideThePicture) {
    const TBitmap picture = Coded(10, 10);
    TbsSkinGeometry zero = NineSlice(TRect{3, 3, 7, 7}, TRect{3, 3, 17, 17});
    zero.RTPt.X = zero.LTPt.X;  // a top band of zero length, tiled
    zero.LBPt.Y = zero.LTPt.Y;
    TBitmap dest;
    CreateSkinImage(zero, dest, picture, TRect{0, 0, 10, 10}, 20, 20, true, false, false, false, false, false,
                    bsstFull);
    CreateSkinImageNoRight(zero, dest, picture, TRect{0, 0, 10, 10}, 20, 20, true, false, false, false, false, false,
                           bsstVert);
    TbsSkinGeometry outside = NineSlice(TRect{3, 3, 7, 7}, TRect{3, 3, 17, 17});
    CreateSkinImage(outside, dest, picture, TRect{-50, 5, 60, 80}, 20, 20, true, true, false, true, false, false,
                    bsstFull);
    CreateHSkinImage(40, 40, dest, picture, TRect{0, 0, 10, 10}, 30, 0, false);
    CreateHSkinImage(0, 0, dest, picture, TRect{4, 0, 4, 10}, 30, 0, false);
    CreateVSkinImage(0, 0, dest, picture, TRect{0, 4, 10, 4}, 0, 30, false);
    dest.SetSize(20, 20);
    CopyPiece(dest, TRect{0, 0, 20, 20}, picture, TRect{-10, -10, 10, 10});
    EXPECT_EQ(Source(dest, 10, 10), (TPoint{0, 0})) << "the existing part lands where it belongs";
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(outside, left, top, right, bottom, picture, TRect{0, 0, 10, 10}, 20, 20, false, false,
                           false, false);
    EXPECT_EQ(top.Width(), 20);
    EXPECT_EQ(top.Height(), 3);
    EXPECT_EQ(left.Height(), 14);
    EXPECT_EQ(right.Width(), 3);
    EXPECT_EQ(Source(top, 19, 2), (TPoint{9, 2}));
}

TEST(SkinImage, BorderStripsOfAFrame) {
    const TBitmap picture = Coded(30, 30);
    const TbsSkinGeometry g = NineSlice(TRect{5, 4, 25, 24}, TRect{5, 4, 45, 34});
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(g, left, top, right, bottom, picture, TRect{0, 0, 30, 30}, 50, 40, false, false, false,
                           false);
    EXPECT_EQ((std::vector<int>{top.Width(), top.Height(), bottom.Width(), bottom.Height()}),
              (std::vector<int>{50, 4, 50, 6}));
    EXPECT_EQ((std::vector<int>{left.Width(), left.Height(), right.Width(), right.Height()}),
              (std::vector<int>{5, 30, 5, 30}));
    struct Case { const TBitmap* strip; TPoint at, from; const char* name; };
    const Case cases[] = {
        {&top, {0, 0}, {0, 0}, "top-left corner"},
        {&top, {49, 3}, {29, 3}, "top-right corner"},
        {&top, {5, 0}, {10, 0}, "the top band is tiled from the strip's left edge"},
        {&bottom, {0, 0}, {0, 24}, "bottom strip from the picture's last rows"},
        {&bottom, {49, 5}, {29, 29}, "bottom-right corner"},
        {&left, {0, 0}, {0, 4}, "left band"},
        {&left, {4, 29}, {4, 13}, "left band, second tile"},
        {&right, {0, 0}, {25, 4}, "right band"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Source(*c.strip, c.at.X, c.at.Y), c.from) << c.name;
}

TEST(SkinImage, GlyphFrameWithItsBottomLeftColourAsHole) {
    TBitmap strip = Coded(64, 4);
    strip.SetPixel(16, 3, clFuchsia);
    strip.SetPixel(20, 1, clFuchsia);
    TBitmap canvas(20, 10, pf24bit);
    canvas.Fill(clBlack);
    DrawGlyph(*canvas.Canvas(), 2, 3, strip, 4, 2);
    EXPECT_EQ(canvas.GetPixel(3, 3), RGB(17, 0, 7));
    EXPECT_EQ(canvas.GetPixel(17, 6), RGB(31, 3, 7));
    EXPECT_EQ(canvas.GetPixel(6, 4), clBlack) << "the transparent colour is left out";
    EXPECT_EQ(canvas.GetPixel(18, 3), clBlack) << "columns 16 to 31 only";
    DrawGlyph(*canvas.Canvas(), 0, 0, strip, 0, 1);
    DrawGlyph(*canvas.Canvas(), 0, 0, strip, 4, 9);
}

TEST(MaskRegion, BlackRunsBecomeRectangles) {
    TBitmap mask(4, 2, pf24bit);
    mask.Fill(clWhite);
    for (int x : {0, 1, 3})
        mask.SetPixel(x, 1, clBlack);
    const std::vector<TRect> runs = MaskToRects(mask, 0, 0);
    EXPECT_EQ(runs, (std::vector<TRect>{{0, 1, 2, 2}, {3, 1, 4, 2}}));

    std::vector<std::uint8_t> data;
    ASSERT_EQ(MaskToRegionData(mask, 5, 6, data), 32 + 2 * 16);
    auto at = [&](int i) {
        return static_cast<std::int32_t>(data[i] | data[i + 1] << 8 | data[i + 2] << 16 | data[i + 3] << 24);
    };
    EXPECT_EQ((std::vector<int>{at(0), at(4), at(8), at(12), at(16), at(20), at(24), at(28)}),
              (std::vector<int>{32, 1, 2, 0, 5, 6, 9, 8}));
    EXPECT_EQ((std::vector<int>{at(48), at(52), at(56), at(60)}), (std::vector<int>{8, 7, 9, 8}));

    TBitmap empty;
    EXPECT_EQ(MaskToRegionData(empty, 0, 0, data), 0);
}

TEST(MaskRegion, ManyRunsHaveNoFixedLimit) {
    TBitmap mask(300, 100, pf24bit);
    mask.Fill(clWhite);
    for (int y = 0; y < 100; ++y)
        for (int x = y % 2; x < 300; x += 2)
            mask.SetPixel(x, y, clBlack);
    std::vector<std::uint8_t> data;
    EXPECT_EQ(MaskToRegionData(mask, 0, 0, data), 32 + 15000 * 16);
    TRegion rgn;
    MaskToRegion(rgn, mask);
    EXPECT_TRUE(rgn.Contains(0, 0));
    EXPECT_FALSE(rgn.Contains(1, 0));
    EXPECT_TRUE(rgn.Contains(299, 99));
    EXPECT_FALSE(rgn.Contains(298, 99));
}

TEST(MaskRegion, SkinRegionJoinsClientAndBorderStrips) {
    // A 20 x 20 frame mask: black everywhere except the top-left corner pixel.
    TBitmap mask(20, 20, pf24bit);
    mask.Fill(clBlack);
    mask.SetPixel(0, 0, clWhite);
    const TbsSkinGeometry g = NineSlice(TRect{4, 4, 16, 16}, TRect{4, 4, 36, 26});
    std::optional<TRegion> rgn;
    CreateSkinRegion(rgn, g, mask, 40, 30);
    ASSERT_TRUE(rgn.has_value());
    EXPECT_FALSE(rgn->Contains(0, 0));
    EXPECT_TRUE(rgn->Contains(1, 0));
    EXPECT_TRUE(rgn->Contains(39, 29));
    EXPECT_TRUE(rgn->Contains(20, 15));
    EXPECT_EQ(rgn->Bounds(), (TRect{0, 0, 40, 30}));

    TbsSkinGeometry crossed = g;
    crossed.NewRTPt.X = crossed.NewLTPt.X - 1;
    CreateSkinRegion(rgn, crossed, mask, 40, 30);
    EXPECT_FALSE(rgn.has_value());

    TbsSkinGeometry nullClient = g;
    nullClient.NewClRect = TRect{4, 4, 4, 26};
    CreateSkinRegion(rgn, nullClient, mask, 40, 30);
    EXPECT_FALSE(rgn.has_value());

    TbsSkinGeometry noLeft = NineSlice(TRect{0, 4, 16, 16}, TRect{0, 4, 36, 26});
    CreateSkinRegion(rgn, noLeft, mask, 40, 30);
    ASSERT_TRUE(rgn.has_value());
    EXPECT_EQ(*rgn, TRegion(TRect{0, 4, 36, 26})) << "without a left strip only the client rectangle";
}
