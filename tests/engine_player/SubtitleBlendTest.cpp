#include <gtest/gtest.h>

#include <vector>

#include "engine/player/SubtitleBlend.h"

namespace {

uint32_t Argb(int a, int r, int g, int b) { return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// An 8 × 8 picture: Y 100, U and V 50, with a 4 × 4 chroma grid.
struct TestPicture {
    std::vector<uint8_t> Y = std::vector<uint8_t>(64, 100), U = std::vector<uint8_t>(16, 50), V = std::vector<uint8_t>(16, 50);
    TYUVPicture Picture() { return TYUVPicture{{Y.data(), U.data(), V.data()}, {8, 4, 4}}; }
};

} // namespace

TEST(SubtitleBlend, ColoursBecomeLimitedRangeYUV) {
    struct Case {
        uint32_t Rgba;
        int Y, U, V;
    } cases[] = {
        {Argb(255, 255, 255, 255), 235, 128, 128},
        {Argb(255, 0, 0, 0), 16, 128, 128},
        {Argb(255, 255, 0, 0), 81, 90, 240},  // U rounds toward minus infinity: 90, not 91
        {Argb(255, 0, 0, 255), 41, 240, 110},
        {Argb(255, 0, 255, 0), 145, 54, 34},
    };
    for (const Case& c : cases) {
        const uint32_t yuva = RGBAToYUVA(c.Rgba);
        EXPECT_EQ(int(yuva >> 24), 255);
        EXPECT_EQ(int((yuva >> 16) & 0xFF), c.Y) << std::hex << c.Rgba;
        EXPECT_EQ(int((yuva >> 8) & 0xFF), c.U) << std::hex << c.Rgba;
        EXPECT_EQ(int(yuva & 0xFF), c.V) << std::hex << c.Rgba;
    }
    EXPECT_EQ(RGBAToYUVA(Argb(7, 255, 255, 255)) >> 24, 7u) << "alpha is kept";
}

TEST(SubtitleBlend, FullAndPartialChromaBlocksUseTheirDivisors) {
    // One opaque palette entry Y 200, U 250, V 10: luma is replaced; chroma
    // takes alpha sum >> 2 over 4, 2 or 1 pixels.
    const uint32_t palette[1] = {0xFFC8FA0Au};
    std::vector<uint8_t> pixels(64, 0);
    struct Case {
        int X, Y, W, H;
        int ChromaX, ChromaY, WantU;
    } cases[] = {
        {0, 0, 2, 2, 0, 0, (50 * 4 * 0 + 1000 * 255) / 1020},  // full block: a = 1020 >> 2 = 255
        {1, 0, 1, 2, 0, 0, (50 * 2 * (255 - 127) + 500 * 127) / 510},  // two pixels: a = 510 >> 2
        {1, 1, 1, 1, 0, 0, (50 * (255 - 63) + 250 * 63) / 255},  // one pixel: a = 255 >> 2
    };
    for (const Case& c : cases) {
        TestPicture picture;
        BlendSubtitleRect(picture.Picture(), TSubtitleBitmap{c.X, c.Y, c.W, c.H, pixels.data(), 8, palette}, 8, 8);
        EXPECT_EQ(picture.Y[size_t(c.Y * 8 + c.X)], 200);
        EXPECT_EQ(picture.U[size_t(c.ChromaY * 4 + c.ChromaX)], c.WantU) << c.X << "," << c.Y << " " << c.W << "x" << c.H;
        EXPECT_EQ(picture.U[15], 50) << "blocks outside stay";
    }
}

TEST(SubtitleBlend, ClipsToThePicture) {
    const uint32_t palette[1] = {0xFFC8FA0Au};
    std::vector<uint8_t> pixels(400, 0);
    struct Case {
        int X, Y, W, H;
        int Changed;  // luma samples that change
    } cases[] = {
        {-2, -2, 4, 4, 16},   // negative positions become 0, the size stays
        {6, 6, 10, 10, 4},    // oversize sizes stop at the edge
        {8, 8, 2, 2, 0},      // entirely outside
        {0, 0, 20, 20, 64},
    };
    for (const Case& c : cases) {
        TestPicture picture;
        BlendSubtitleRect(picture.Picture(), TSubtitleBitmap{c.X, c.Y, c.W, c.H, pixels.data(), 20, palette}, 8, 8);
        int changed = 0;
        for (uint8_t y : picture.Y)
            changed += y != 100;
        EXPECT_EQ(changed, c.Changed) << c.X << "," << c.Y;
    }
}
