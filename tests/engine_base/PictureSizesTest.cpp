#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/util/Picture.h"
#include "tests/engine_base/EngineTestSupport.h"
#include "tests/engine_base/PictureSizes.h"

namespace {

// Bytes of the context's buffer after the last row of the picture it holds.
std::pair<const uint8_t*, const uint8_t*> BytesAfterPicture(const TRGBConvertContext& c, int height) {
    const uint8_t* end = c.RGBPicture.data[0] + ptrdiff_t(c.RGBPicture.linesize[0]) * height;
    return {end, c.RGBBuf + c.RGBBufSize};
}

}  // namespace

// Decoded pictures of the sizes and formats that real files have, turned into
// the bitmap. The scaler writes whole blocks of pixels, so a buffer laid out
// tightly gets bytes written after its last row (past its end, when it is
// exactly as large as the picture): the context's buffer is grown once by the
// largest picture and marked before each case, and must come back unmarked
// after the picture's rows. The pixels show that every row arrived, up to its
// last pixel.
TEST(PictureSizesTest, EveryWidthAndFormatConvertsInsideItsRows) {
    BindMediaLibraries();
    const std::vector<TPictureSizeCase> cases = PictureSizeCases();
    TRGBConvertContext context;
    TPictureSizeCase largest{0, 0, AV_PIX_FMT_YUV420P};
    for (const TPictureSizeCase& c : cases)
        largest = {std::max(largest.Width, c.Width + 64), std::max(largest.Height, c.Height), largest.Format};
    std::map<std::pair<AVPixelFormat, int>, AVFrame*> frames;  // wide enough for every case of that format and height
    AVFrame* grow = MakeGreyFrame(largest);
    ASSERT_TRUE(grow && PictureToBitmap(context, PictureOf(grow), largest.Format, largest.Width, largest.Height));
    av_frame_free(&grow);

    for (const TPictureSizeCase& c : cases) {
        AVFrame*& frame = frames[{c.Format, c.Height}];
        if (!frame)
            frame = MakeGreyFrame({largest.Width, c.Height, c.Format});
        ASSERT_NE(frame, nullptr) << c.Name();
        std::memset(context.RGBBuf, 0xAB, size_t(context.RGBBufSize));
        ASSERT_TRUE(PictureToBitmap(context, PictureOf(frame), c.Format, c.Width, c.Height)) << c.Name();
        const auto [after, end] = BytesAfterPicture(context, c.Height);
        const std::vector<uint8_t> marks(size_t(end - after), 0xAB);
        EXPECT_EQ(std::memcmp(after, marks.data(), marks.size()), 0) << c.Name() << ": written after the last row";

        const TBitmap& bitmap = *context.Bitmap;
        ASSERT_EQ(bitmap.Width(), c.Width) << c.Name();
        ASSERT_EQ(bitmap.Height(), c.Height) << c.Name();
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{c.Width - 1, c.Height - 1}})
            EXPECT_NEAR(GetGValue(bitmap.GetPixel(x, y)), 128, 6) << c.Name() << " at " << x << "," << y;
    }
    FreeRGBConvertContext(context);
    for (auto& [key, frame] : frames)
        av_frame_free(&frame);
}
