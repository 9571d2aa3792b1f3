#include <gtest/gtest.h>

#include <vector>

#include "skin/draw/PixelRoutines.h"
#include "tests/skin_draw/Raster.h"


TEST(PixelBlend, PlainFormulaAndItsEnds) {
    struct Case { TbsColor f, b, expected; const char* name; };
    const Case cases[] = {
        {0x80000000, 0xFFFFFFFF, 0xFF7E7E7E, "black a=128 over white gives 126"},
        {0x00123456, 0x40ABCDEF, 0x40ABCDEF, "a=0 keeps the background, alpha included"},
        {0xFF123456, 0x00ABCDEF, 0xFF123456, "a=255 gives the foreground"},
        {0x80FFFFFF, 0xFFFFFFFF, 0xFFFEFEFE, "white over white darkens by the shift"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BlendPixel(c.f, c.b), c.expected) << c.name;
        TbsColor dst = c.b;
        BlendLine(&c.f, &dst, 1);
        EXPECT_EQ(dst, c.expected) << c.name << " (line)";
    }
}

TEST(PixelLines, KeyedCopyAndAlphaRoutines) {
    const TbsColor src[] = {0x00FF00FF, 0x007F007F, 0xFF7F007F, 0x12345678};
    TbsColor dst[] = {1, 2, 3, 4};
    CopyKeyedLine(src, dst, 4);
    EXPECT_EQ(dst[0], 0xFFFF00FFu) << "magenta of alpha 0 lands opaque";
    EXPECT_EQ(dst[1], 2u) << "key colour writes nothing";
    EXPECT_EQ(dst[2], 3u) << "key colour writes nothing whatever its alpha";
    EXPECT_EQ(dst[3], 0xFF345678u);

    TbsColor line[] = {0xFF7F007F, 0x80010203, 0x007F007F};
    ClearColorAlpha(line, 3, 0xAA7F007F);
    EXPECT_EQ(line[0], 0x007F007Fu);
    EXPECT_EQ(line[1], 0x80010203u);
    SetLineAlpha(line, 3, 0x40);
    EXPECT_EQ(line[1], 0x40010203u);
    FillLine(line, -1, 0);  // a negative count does nothing
    EXPECT_EQ(line[0], 0x407F007Fu);
}

TEST(PixelRects, InclusiveRectanglesStayInsideTheRaster) {
    TRaster r(4, 3);
    FillPixelRect(r.View(), 1, 1, 2, 1, 0xFF0000FF);
    EXPECT_EQ(r.At(1, 1), 0xFF0000FFu);
    EXPECT_EQ(r.At(2, 1), 0xFF0000FFu);
    EXPECT_EQ(r.At(3, 1), 0u);
    EXPECT_EQ(r.At(1, 0), 0u);
    FillPixelRect(r.View(), -5, -5, 10, 10, 0x11111111);  // clipped, no write outside
    for (TbsColor p : r.Pixels)
        EXPECT_EQ(p, 0x11111111u);
    SetRectAlpha(r.View(), 3, 2, 100, 100, 0xFF);
    EXPECT_EQ(r.At(3, 2), 0xFF111111u);
    EXPECT_EQ(r.At(2, 2), 0x11111111u);
}

TEST(PixelStretch, SourceColumnMap) {
    struct Case { int srcLen, dstLen; std::vector<int> expected; };
    const Case cases[] = {
        {3, 5, {0, 0, 1, 2, 2}},
        {5, 3, {0, 2, 4}},
        {1, 4, {0, 0, 0, 0}},
        {4, 1, {1}},  // a one-pixel destination takes the middle column
        {5, 1, {2}},
    };
    for (const auto& c : cases) {
        std::vector<int> got;
        for (int x = 0; x < c.dstLen; ++x)
            got.push_back(StretchSourceIndex(x, 0, c.dstLen, 0, c.srcLen));
        EXPECT_EQ(got, c.expected) << c.srcLen << "->" << c.dstLen;
    }
}

TEST(PixelStretch, CopyBlendAndKeyThroughTheScaler) {
    TRaster src(3, 1);
    src.At(0, 0) = 0xFF000001;
    src.At(1, 0) = 0x80000000;
    src.At(2, 0) = 0x007F007F;
    for (auto mode : {TbsPixelMode::Copy, TbsPixelMode::Blend, TbsPixelMode::Key}) {
        TRaster dst(5, 2, 0xFFFFFFFF);
        const TRect all{0, 0, 5, 2};
        StretchPixelRect(mode, dst.View(), all, all, src.View(), TRect{0, 0, 3, 1});
        for (int y = 0; y < 2; ++y) {
            EXPECT_EQ(dst.At(0, y), 0xFF000001u);
            EXPECT_EQ(dst.At(1, y), 0xFF000001u);
            switch (mode) {
            case TbsPixelMode::Copy:
                EXPECT_EQ(dst.At(2, y), 0x80000000u);
                EXPECT_EQ(dst.At(4, y), 0x007F007Fu);
                break;
            case TbsPixelMode::Blend:
                EXPECT_EQ(dst.At(2, y), 0xFF7E7E7Eu);
                EXPECT_EQ(dst.At(4, y), 0xFFFFFFFFu);
                break;
            case TbsPixelMode::Key:
                EXPECT_EQ(dst.At(2, y), 0xFF000000u);
                EXPECT_EQ(dst.At(4, y), 0xFFFFFFFFu);
                break;
            }
        }
    }
}

TEST(PixelStretch, BadRectanglesDrawNothing) {
    TRaster src(4, 4, 0xFF00FF00);
    struct Case { TRect dst, clip, srcRect; const char* name; };
    const Case cases[] = {
        {{0, 0, 4, 4}, {0, 0, 4, 4}, {1, 1, 5, 4}, "source rectangle past the right edge"},
        {{0, 0, 4, 4}, {0, 0, 4, 4}, {-1, 0, 2, 2}, "source rectangle left of the picture"},
        {{0, 0, 4, 4}, {0, 0, 4, 4}, {2, 2, 2, 3}, "empty source rectangle"},
        {{10, 10, 20, 20}, {0, 0, 40, 40}, {0, 0, 4, 4}, "destination outside"},
        {{0, 0, 4, 4}, {5, 5, 8, 8}, {0, 0, 4, 4}, "clip outside"},
    };
    for (const auto& c : cases) {
        TRaster dst(4, 4);
        for (auto mode : {TbsPixelMode::Copy, TbsPixelMode::Blend, TbsPixelMode::Key})
            StretchPixelRect(mode, dst.View(), c.dst, c.clip, src.View(), c.srcRect);
        for (TbsColor p : dst.Pixels)
            ASSERT_EQ(p, 0u) << c.name;
    }
}

TEST(PixelStretch, NegativeOffsetsAreClippedOnBothSides) {
    TRaster src(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.At(x, y) = 0xFF000000u | static_cast<TbsColor>(y * 16 + x);
    TRaster dst(3, 3);
    // Same size: the block path; the part left of and above the raster is dropped.
    StretchPixelRect(TbsPixelMode::Copy, dst.View(), TRect{-2, -1, 2, 3}, TRect{-100, -100, 100, 100}, src.View(),
                     TRect{0, 0, 4, 4});
    EXPECT_EQ(dst.At(0, 0), 0xFF000012u);
    EXPECT_EQ(dst.At(1, 1), 0xFF000023u);
    EXPECT_EQ(dst.At(2, 0), 0u);
    // Blocks with a source offset outside the source leave out that part.
    TRaster small(2, 2, 0xFF0000FF);
    CopyBlock(dst.View(), TRect{0, 0, 3, 3}, small.View(), -1, -1);
    EXPECT_EQ(dst.At(1, 1), 0xFF0000FFu);
    EXPECT_EQ(dst.At(2, 2), 0xFF0000FFu);
    EXPECT_EQ(dst.At(0, 0), 0xFF000012u);
}
