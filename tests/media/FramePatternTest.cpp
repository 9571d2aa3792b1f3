#include <gtest/gtest.h>

#include <vector>

#include "tests/media/FramePattern.h"

using namespace testmedia;

namespace {

struct TPlanes {
    TPlanes(int w, int h) : Width(w), Height(h), Y(w * h), U(((w + 1) / 2) * ((h + 1) / 2)), V(U.size()) {}
    void Draw(int index) {
        uint8_t* planes[3] = {Y.data(), U.data(), V.data()};
        const int lineSizes[3] = {Width, (Width + 1) / 2, (Width + 1) / 2};
        DrawFramePattern(planes, lineSizes, Width, Height, index);
    }
    int Read() const {
        return ReadFrameNumberFromLuma(Width, Height, [&](int row) { return Y.data() + row * Width; });
    }
    int Width, Height;
    std::vector<uint8_t> Y, U, V;
};

} // namespace

TEST(FramePattern, EveryIndexReadsBackAtSeveralSizes) {
    const int sizes[][2] = {{160, 120}, {64, 48}, {321, 241}};
    for (const auto& size : sizes) {
        TPlanes picture(size[0], size[1]);
        for (int index = 0; index <= FramePatternMaxIndex; ++index) {
            picture.Draw(index);
            ASSERT_EQ(picture.Read(), index) << size[0] << "x" << size[1];
        }
    }
}

TEST(FramePattern, BGRRowsReadLikeLuma) {
    const int width = 96, height = 64;
    std::vector<uint8_t> bgr(width * height * 3);
    TPlanes picture(width, height);
    picture.Draw(0xA5);
    // Grey cells: the same value in all three channels, stretched to full range.
    for (int i = 0; i < width * height; ++i) {
        const int full = std::clamp((picture.Y[i] - 16) * 255 / 219, 0, 255);
        bgr[3 * i] = bgr[3 * i + 1] = bgr[3 * i + 2] = uint8_t(full);
    }
    EXPECT_EQ(ReadFrameNumberFromBGR(width, height, [&](int row) { return bgr.data() + row * width * 3; }), 0xA5);
}

TEST(FramePattern, AnUnmarkedPictureIsUnreadable) {
    const int width = 80, height = 60;
    std::vector<uint8_t> grey(width * height, 128);
    EXPECT_EQ(ReadFrameNumberFromLuma(width, height, [&](int row) { return grey.data() + row * width; }), -1);
}
