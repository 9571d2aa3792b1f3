#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/util/Picture.h"
#include "tests/engine_base/EngineTestSupport.h"

namespace {

// A BGR24 picture whose bytes count up, rows linesize bytes apart.
struct TBGRPicture {
    std::vector<uint8_t> Bytes;
    TAVPicture Picture;
    TBGRPicture(int height, int linesize) : Bytes(size_t(linesize) * height) {
        for (size_t i = 0; i < Bytes.size(); ++i)
            Bytes[i] = uint8_t(i * 7 + 1);
        Picture.data[0] = Bytes.data();
        Picture.linesize[0] = linesize;
    }
    uint8_t At(int x, int y, int channel) const { return Bytes[size_t(y) * Picture.linesize[0] + x * 3 + channel]; }
};

class PictureTest : public testing::Test {
protected:
    void SetUp() override { BindMediaLibraries(); }
    void TearDown() override { FreeRGBConvertContext(Context); }

    void ExpectSamePixels(const TBGRPicture& source, int width, int height) {
        const TBitmap& bitmap = *Context.Bitmap;
        ASSERT_EQ(bitmap.Width(), width);
        ASSERT_EQ(bitmap.Height(), height);
        ASSERT_EQ(bitmap.PixelFormat(), pf24bit);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int ch = 0; ch < 3; ++ch)
                    ASSERT_EQ(bitmap.ScanLine(y)[x * 3 + ch], source.At(x, y, ch)) << x << "," << y << "," << ch;
    }

    TRGBConvertContext Context;
};

}  // namespace

TEST_F(PictureTest, CopiesRowsThatAlreadyHaveTheBitmapLayout) {
    TBGRPicture source(2, 12);  // 4 pixels of 3 bytes: exactly the padded row
    ASSERT_TRUE(PictureToBitmap(Context, source.Picture, AV_PIX_FMT_BGR24, 4, 2));
    EXPECT_EQ(Context.RGBPictureRef, &source.Picture);
    EXPECT_EQ(Context.RGBBuf, nullptr);
    ExpectSamePixels(source, 4, 2);
}

TEST_F(PictureTest, ConvertsOtherLayoutsThroughTheScaler) {
    struct Case { int width, height, linesize; };
    const Case cases[] = {
        {5, 3, 15},  // odd width
        {5, 4, 16},  // odd width whose rows happen to be padded like the bitmap's
        {6, 2, 18},  // even size, rows not padded to 4 bytes
        {4, 3, 12},  // odd height
    };
    for (const Case& c : cases) {
        TBGRPicture source(c.height, c.linesize);
        ASSERT_TRUE(PictureToBitmap(Context, source.Picture, AV_PIX_FMT_BGR24, c.width, c.height)) << c.width;
        EXPECT_EQ(Context.RGBPictureRef, &Context.RGBPicture) << c.width << "x" << c.height;
        ExpectSamePixels(source, c.width, c.height);
    }
}

TEST_F(PictureTest, ConvertsDecodedPicturesAndNeverShrinksItsBuffer) {
    AVFrame* frame = av_frame_alloc();
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = 7;
    frame->height = 5;
    ASSERT_GE(av_frame_get_buffer(frame, 0), 0);
    for (int plane = 0; plane < 3; ++plane)
        for (int y = 0; y < (plane ? 3 : 5); ++y)
            std::memset(frame->data[plane] + y * frame->linesize[plane], plane ? 128 : 235, plane ? 4 : 7);
    ASSERT_TRUE(PictureToBitmap(Context, PictureOf(frame), AV_PIX_FMT_YUV420P, 7, 5));
    const TColor white = Context.Bitmap->GetPixel(6, 4);
    EXPECT_GE(GetRValue(white), 250);
    EXPECT_GE(GetGValue(white), 250);
    EXPECT_GE(GetBValue(white), 250);
    const int grown = Context.RGBBufSize;
    EXPECT_GE(grown, 7 * 5 * 3);

    TBGRPicture small(3, 9);
    ASSERT_TRUE(PictureToBitmap(Context, small.Picture, AV_PIX_FMT_BGR24, 3, 3));
    EXPECT_EQ(Context.RGBBufSize, grown);
    ExpectSamePixels(small, 3, 3);
    av_frame_free(&frame);
}

TEST_F(PictureTest, RefusesAnEmptyPicture) {
    TBGRPicture source(2, 8);
    EXPECT_FALSE(PictureToBitmap(Context, source.Picture, AV_PIX_FMT_BGR24, 0, 2));
    EXPECT_FALSE(PictureToBitmap(Context, TAVPicture{}, AV_PIX_FMT_BGR24, 2, 2));
}
