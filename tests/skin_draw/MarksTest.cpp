#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/draw/GlyphLayout.h"
#include "skin/draw/Marks.h"

namespace {

using TPixels = std::set<std::pair<int, int>>;

// The pixels a drawing call set to black on a white 24-bit canvas.
template <typename TDraw>
TPixels Painted(int w, int h, TDraw&& draw) {
    TBitmap b(w, h, pf24bit);
    b.Fill(clWhite);
    draw(*b.Canvas());
    TPixels set;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (b.GetPixel(x, y) != clWhite)
                set.insert({x, y});
    return set;
}

}  // namespace

TEST(Marks, ArrowsAndGlyphShapes) {
    const TRect r{0, 0, 10, 10};  // centre (5, 5)
    EXPECT_EQ(Painted(12, 12, [&](TCanvas& c) { DrawDownArrowMark(c, r, clBlack); }),
              (TPixels{{3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}, {4, 6}, {5, 6}, {6, 6}, {5, 7}}));
    for (int direction : {0, 5, -1})
        EXPECT_TRUE(Painted(12, 12, [&](TCanvas& c) { DrawArrow(c, r, clBlack, direction); }).empty()) << direction;
    for (int direction = 1; direction <= 4; ++direction)
        EXPECT_EQ(Painted(12, 12, [&](TCanvas& c) { DrawArrow(c, r, clBlack, direction); }).size(), 16u)
            << "strokes of 1, 3, 5 and 7 pixels, direction " << direction;
    const TPixels rollUp = Painted(12, 12, [&](TCanvas& c) { DrawRollUpGlyph(c, 0, 0, clBlack); });
    EXPECT_EQ(rollUp.count({5, 2}), 0u) << "the apex is a zero-length line";
    EXPECT_EQ(rollUp.count({1, 6}), 1u);
    EXPECT_EQ(Painted(12, 12, [&](TCanvas& c) { DrawMinimizeGlyph(c, 0, 0, clBlack); }).size(), 16u);
}

TEST(Marks, DottedFocusFrameAlternatesAroundTheCorners) {
    const TPixels dots = Painted(8, 8, [](TCanvas& c) {
        c.Font().SetColor(clBlack);
        DrawDottedFocusRect(c, TRect{0, 0, 5, 5});
    });
    EXPECT_EQ(dots.count({0, 0}), 0u) << "both sides even: the first pixel is skipped";
    EXPECT_EQ(dots.count({1, 0}), 1u);
    EXPECT_EQ(dots.count({4, 1}), 1u);
    EXPECT_EQ(dots.count({4, 0}), 0u);
    EXPECT_EQ(dots.size(), 8u);
    const TPixels odd = Painted(8, 8, [](TCanvas& c) {
        c.Font().SetColor(clBlack);
        DrawDottedFocusRect(c, TRect{0, 0, 6, 5});
    });
    EXPECT_EQ(odd.count({0, 0}), 1u);
}

TEST(GlyphAndText, MarkerBoxWithoutGlyphOrCaption) {
    TBitmap none;
    const TPixels box = Painted(20, 20, [&](TCanvas& c) {
        DrawGlyphAndText(c, TRect{0, 0, 20, 20}, -1, 4, blGlyphLeft, "", none, 1, 1, false, true, clBlack);
    });
    EXPECT_EQ(box.size(), 14u * 12u);
    EXPECT_EQ(box.count({4, 4}), 1u);
    EXPECT_EQ(box.count({17, 15}), 1u);
}
