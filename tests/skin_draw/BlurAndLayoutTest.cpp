#include <gtest/gtest.h>

#include <vector>

#include "skin/draw/ColorModel.h"
#include "skin/draw/GlyphLayout.h"
#include "skin/draw/RectText.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/StackBlur.h"
#include "tests/skin_draw/Raster.h"


TEST(StackBlur, RadiusOneSpreadsAWhitePixel) {
    TRaster r(5, 5, 0x00000000);
    r.At(2, 2) = 0x00FFFFFF;
    StackBlur(r.View(), 1);
    const int expected[5][5] = {
        {0, 0, 0, 0, 0}, {0, 15, 31, 15, 0}, {0, 31, 63, 31, 0}, {0, 15, 31, 15, 0}, {0, 0, 0, 0, 0}};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const int v = expected[y][x];
            EXPECT_EQ(r.At(x, y), bsRGBA(v, v, v, 255)) << x << "," << y;
        }
}

TEST(StackBlur, NoRadiusLeavesEverythingAndThinPicturesStayInBounds) {
    for (int radius : {0, -3}) {
        TRaster r(3, 2, 0x12345678);
        StackBlur(r.View(), radius);
        for (TbsColor p : r.Pixels)
            EXPECT_EQ(p, 0x12345678u) << radius;
    }
    const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {3, 2}};
    for (const auto& s : sizes)
        for (int radius : {1, 2, 6, 40}) {
            TRaster r(s[0], s[1], 0x00808080);
            StackBlur(r.View(), radius);
            for (TbsColor p : r.Pixels)
                ASSERT_EQ(p, 0xFF808080u) << s[0] << "x" << s[1] << " radius " << radius;
        }
}

TEST(AlphaFromMask, GreyGivesAlpha) {
    TRaster pixels(2, 2, 0xFF102030), mask(1, 1, 0x00808080);
    SetAlphaFromMask(pixels.View(), mask.View());
    EXPECT_EQ(pixels.At(0, 0), 0x80102030u);
    EXPECT_EQ(pixels.At(1, 1), 0xFF102030u) << "beyond a smaller mask nothing changes";
}

TEST(ColorModel, HslRoundTripAndAdjustments) {
    const TbsColor colors[] = {0xFF000000, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF336699, 0xFFC0A080};
    for (TbsColor c : colors) {
        float h, s, l;
        BsColorToHSL(c, h, s, l);
        EXPECT_EQ(HSLToBsColor(h, s, l), c) << std::hex << c;
    }
    TRaster r(2, 1);
    r.At(0, 0) = 0x80FA0505;  // nearly saturated red, half transparent
    r.At(1, 0) = 0x00FA0505;  // invisible: untouched
    ChangePixelsSat(r.View(), 10);
    float h, s, l;
    BsColorToHSL(r.At(0, 0), h, s, l);
    EXPECT_FLOAT_EQ(s, 1.0f) << "saturation stops at full";
    EXPECT_EQ(r.At(0, 0) >> 24, 0x80u);
    EXPECT_EQ(r.At(1, 0), 0x00FA0505u);
    ChangePixelsBrightness(r.View(), 10);
    EXPECT_EQ(r.At(0, 0), 0x80FF0A0Au);
}

TEST(GlyphLayout, CentredAndMarginLayouts) {
    struct Case { TbsButtonLayout layout; int gw, gh, tw, th, spacing, margin; int tx, ty, gx, gy; };
    const TRect r{0, 0, 100, 20};
    const Case cases[] = {
        {blGlyphLeft, 16, 16, 40, 13, 4, -1, 40, 4, 20, 2},
        {blGlyphLeft, 0, 0, 40, 13, 4, -1, 30, 4, 30, 10},   // no glyph: text centred alone
        {blGlyphRight, 16, 16, 40, 13, 4, -1, 20, 4, 64, 2},
        {blGlyphLeft, 16, 16, 40, 13, 4, 3, 23, 4, 3, 2},
        {blGlyphRight, 16, 16, 40, 13, 4, 3, 37, 4, 81, 2},
        {blGlyphTop, 16, 16, 40, 13, 4, 1, 30, 21, 42, 1},
        {blGlyphBottom, 16, 16, 40, 13, 4, -1, 30, -6, 42, 10},
    };
    for (const auto& c : cases) {
        int tx, ty, gx, gy;
        CalcGlyphTextLayout(c.layout, r, c.gw, c.gh, c.tw, c.th, c.spacing, c.margin, tx, ty, gx, gy);
        EXPECT_EQ((std::vector<int>{tx, ty, gx, gy}), (std::vector<int>{c.tx, c.ty, c.gx, c.gy}))
            << "layout " << c.layout << " margin " << c.margin << " glyph " << c.gw;
    }
}

TEST(RectUtils, EdgesAndNullTests) {
    const TRect r{1, 2, 5, 6};
    EXPECT_FALSE(RectInRect(r, r));
    EXPECT_TRUE(RectInRect(TRect{2, 3, 4, 5}, r));
    EXPECT_TRUE(PointInsideRect(r, TPoint{5, 6}));
    EXPECT_FALSE(PointInsideRect(r, TPoint{0, 6}));
    EXPECT_TRUE(IsNullPoint(TPoint{0, 5}));
    EXPECT_FALSE(IsNullPoint(TPoint{1, 5}));
    EXPECT_TRUE(IsNullRect(TRect{3, 3, 3, 9}));
    EXPECT_TRUE(RectTopOrBottomInRect(TRect{0, 3, 0, 99}, r));
    EXPECT_FALSE(RectTopOrBottomInRect(TRect{0, 0, 0, 99}, r));
}

TEST(RectText, TokensAndRectangles) {
    struct Case { const char* text; TRect expected; };
    const Case cases[] = {
        {"10, 20, 30, 40", {10, 20, 30, 40}},
        {"10 ,20 ,30 ,40", {0, 0, 0, 0}},  // the blank ends the token, the comma then yields an empty one
        {"a, b, c, d", {0, 0, 0, 0}},
        {"(1;2:3=4)", {0, 0, 0, 0}},       // "(" ends an empty first token
        {"1;2:3=4", {1, 2, 3, 4}},
        {"-3,4,5,6", {-3, 4, 5, 6}},
        {"1,2", {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        TRect r{9, 9, 9, 9};
        StrToRectDef(c.text, r);
        EXPECT_TRUE(RectsEqual(r, c.expected)) << c.text;
    }
    std::string s = "plain", token;
    CutToken(s, token);
    EXPECT_EQ(token, "plain");
    EXPECT_EQ(s, "");
}

