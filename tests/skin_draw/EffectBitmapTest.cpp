#include <gtest/gtest.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/draw/EffectBitmap.h"

namespace {

TbsEffectBmp Filled(int w, int h, std::uint32_t rgb) {
    TbsEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, rgb);
    return b;
}

int Red(const TbsEffectBmp& b, int x, int y) { return static_cast<int>(b.Pixel(x, y) >> 16); }

}  // namespace

TEST(EffectBitmap, RowsArePaddedToFourBytes) {
    const int expected[][2] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}};
    for (const auto& e : expected) {
        TbsEffectBmp b(e[0], 3);
        EXPECT_EQ(b.Stride(), e[1]) << "width " << e[0];
        EXPECT_EQ(b.Size(), static_cast<std::size_t>(e[1]) * 3);
    }
}

TEST(EffectBitmap, MorphClampsTheFactorAndNeedsEqualSizes) {
    TbsEffectBmp a = Filled(4, 2, 0x000000), target = Filled(4, 2, 0xFFFFFF);
    a.Morph(target, 1.5);
    EXPECT_EQ(a.Pixel(3, 1), 0xFFFFFFu) << "Kf 1.5 acts as 1";
    TbsEffectBmp b = Filled(4, 2, 0x000000);
    b.Morph(Filled(5, 2, 0xFFFFFF), 1);
    EXPECT_EQ(b.Pixel(0, 0), 0u) << "a partner of another size changes nothing";
    b.Morph(target, 0.5);
    EXPECT_EQ(Red(b, 0, 0), 128) << "127.5 rounds to even";
}

TEST(EffectBitmap, SlidesAndPushShowAtLeastOneNewColumn) {
    struct Case { const char* name; void (TbsEffectBmp::*morph)(const TbsEffectBmp&, double); int newColumn; };
    const Case cases[] = {
        {"left slide", &TbsEffectBmp::MorphLeftSlide, 0},
        {"right slide", &TbsEffectBmp::MorphRightSlide, 9},
        {"push", &TbsEffectBmp::MorphPush, 0},
    };
    for (const auto& c : cases) {
        TbsEffectBmp old = Filled(10, 1, 0x000000), next = Filled(10, 1, 0xFFFFFF);
        (old.*c.morph)(next, 0);
        int newColumns = 0;
        for (int x = 0; x < 10; ++x)
            newColumns += old.Pixel(x, 0) == 0xFFFFFF;
        EXPECT_EQ(newColumns, 1) << c.name;
        EXPECT_EQ(old.Pixel(c.newColumn, 0), 0xFFFFFFu) << c.name;
    }
}

TEST(EffectBitmap, GradientMorphs) {
    TbsEffectBmp h = Filled(100, 2, 0x000000);
    h.MorphHGrad(Filled(100, 2, 0xFFFFFF), 0.5);
    for (int x = 25; x <= 75; ++x)
        ASSERT_EQ(h.Pixel(x, 1), 0xFFFFFFu) << "column " << x;
    EXPECT_EQ(h.Pixel(0, 0), 0u);
    EXPECT_EQ(Red(h, 99, 0), 10) << "t = 0.96 on the last column";

    TbsEffectBmp v = Filled(3, 10, 0x000000);
    v.MorphVGrad(Filled(3, 10, 0xFFFFFF), 0.9);
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(v.Pixel(1, y), 0xFFFFFFu) << "row " << y;
}

TEST(EffectBitmap, InactiveLooks) {
    TbsEffectBmp b = Filled(2, 1, 0x000000);
    b.SetPixel(1, 0, 0xFFFFFF);
    b.ChangeBrightness(0.5);
    EXPECT_EQ(b.Pixel(0, 0), 0x808080u);
    EXPECT_EQ(b.Pixel(1, 0), 0xFFFFFFu);
    b.Invert();
    EXPECT_EQ(b.Pixel(0, 0), 0x7F7F7Fu);
    TbsEffectBmp g = Filled(1, 1, 0x0A141E);  // red 10, green 20, blue 30
    g.GrayScale();
    EXPECT_EQ(g.Pixel(0, 0), 0x121212u);  // 3 + 11.8 + 3.3 = 18.1
}

TEST(EffectBitmap, SplitBlurAveragesTheDiagonals) {
    TbsEffectBmp b(3, 3);
    const std::uint32_t values[3][3] = {{0, 40, 0}, {80, 160, 0}, {0, 0, 0}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            b.SetPixel(x, y, values[y][x] << 16);
    b.SplitBlur(1);
    EXPECT_EQ(Red(b, 0, 0), (0 + 40 + 80 + 160) / 4) << "top-left: the 2 x 2 block at the corner";
}

TEST(EffectBitmap, MosaicBlocks) {
    TbsEffectBmp b(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            b.SetPixel(x, y, static_cast<std::uint32_t>(y * 3 + x));
    b.Mosaic(2);
    const std::uint32_t expected[3][3] = {{0, 0, 2}, {0, 0, 2}, {6, 6, 8}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(b.Pixel(x, y), expected[y][x]) << x << "," << y;
}

// Thin and tiny pictures through every blur and mask routine: nothing may
// read outside (the address sanitizer pass checks it) and the bottom row is
// not mixed with rows near the top.
TEST(EffectBitmap, EdgePicturesStayInBounds) {
    const int sizes[][2] = {{1, 1}, {1, 7}, {7, 1}, {2, 2}, {5, 4}};
    for (const auto& s : sizes)
        for (int amount : {1, 2, 3, 10, -1}) {
            TbsEffectBmp b = Filled(s[0], s[1], 0x336699);
            TbsEffectBmp mask = Filled(s[0], s[1], 0x000000);
            mask.SetPixel(0, 0, 0xFFFFFF);
            b.SplitBlur(amount);
            b.MaskBlur(mask, amount);
            b.MaskAntialiasing(mask, amount);
            b.MaskFillColor(mask, 0x0000FF, 0.5);
            b.Wave(3, 3, amount);
            b.Mosaic(amount);
            TbsEffectBmp copy(b), other = Filled(s[0], s[1], 0xFFFFFF);
            copy.MorphRect(other, 0.5, TRect{-3, -3, 100, 100}, -5, 7);
            copy.CopyRect(other, TRect{-3, -3, 100, 100}, 2, -9);
            TbsEffectBmp rotated(s[1], s[0]);
            b.Rotate90_1(rotated);
            b.Rotate90_2(rotated);
            TbsEffectBmp bigger(s[0] * 2 + 1, s[1] * 3 + 1);
            b.Resize(bigger);
        }
    TbsEffectBmp bottom(3, 100);
    bottom.SetPixel(1, 1, 0xFFFFFF);  // only row 1 is bright
    bottom.SplitBlur(1);
    EXPECT_EQ(bottom.Pixel(1, 99), 0u) << "the bottom row is not averaged with row 1";
}

TEST(EffectBitmap, MasksNeedACoveringMask) {
    TbsEffectBmp b = Filled(4, 4, 0x000000);
    b.MaskFillColor(Filled(4, 3, 0x000000), 0x0000FF, 1);
    EXPECT_EQ(b.Pixel(0, 0), 0u) << "a lower mask changes nothing";
    TbsEffectBmp mask = Filled(4, 4, 0xFFFFFF);
    mask.SetPixel(2, 2, 0);
    b.MaskFillColor(mask, 0x0000FF, 1);  // $00BBGGRR red
    EXPECT_EQ(b.Pixel(2, 2), 0xFF0000u);
    EXPECT_EQ(b.Pixel(1, 1), 0u);
}

TEST(EffectBitmap, SnapshotAndOutput) {
    TBitmap source(5, 3, pf32bit);
    source.Fill(RGB(10, 20, 30), 128);
    source.SetPixel(4, 2, RGB(1, 2, 3));
    TbsEffectBmp snapshot(source);
    ASSERT_EQ(snapshot.Width(), 5);
    EXPECT_EQ(snapshot.Pixel(0, 0), 0x0A141Eu);
    EXPECT_EQ(snapshot.Pixel(4, 2), 0x010203u);

    TBitmap screen(8, 8, pf24bit);
    screen.Fill(clWhite);
    snapshot.Draw(*screen.Canvas()->Handle(), 2, 2);
    EXPECT_EQ(screen.GetPixel(6, 4), RGB(1, 2, 3));
    EXPECT_EQ(screen.GetPixel(1, 1), clWhite);
    snapshot.DrawRect(*screen.Canvas()->Handle(), 0, 0, 4, 2, 1, 1);
    EXPECT_EQ(screen.GetPixel(0, 0), RGB(1, 2, 3));
    snapshot.Stretch(*screen.Canvas()->Handle(), 0, 0, 8, 8);
    EXPECT_EQ(screen.GetPixel(7, 7), RGB(1, 2, 3));
}
