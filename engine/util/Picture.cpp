#include "engine/util/Picture.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "engine/loader/EntryPoints.h"
#include "engine/util/PictureLayout.h"
#include "platform/gfx/Canvas.h"

void FreeRGBConvertContext(TRGBConvertContext& AContext) {
    AContext.Bitmap.reset();
    if (AContext.RGBBuf)
        AVLib.av_free(AContext.RGBBuf);
    if (AContext.toRGB_convert_ctx)
        AVLib.sws_freeContext(AContext.toRGB_convert_ctx);
    if (AContext.fromRGB_convert_ctx)
        AVLib.sws_freeContext(AContext.fromRGB_convert_ctx);
    AContext = TRGBConvertContext{};
}

std::unique_ptr<TBitmap> CreateFrameBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat) {
    auto bitmap = std::make_unique<TBitmap>(AWidth, AHeight, APixelFormat);
    bitmap->Canvas()->Brush().SetStyle(bsClear);
    return bitmap;
}

namespace {

// The conversion buffer for one picture, laid out as the libraries lay out
// their own frames (the scaler writes whole pixel blocks past the width), grown
// only when too small.
bool PrepareRGBPicture(TRGBConvertContext& c, int width, int height) {
    TPictureLayout layout;
    if (!LibraryPictureLayout(c.RGBPixFmt, width, height, layout) || layout.Size > size_t(INT_MAX))
        return false;
    const int size = int(layout.Size);
    if (!c.RGBBuf || c.RGBBufSize < size) {
        AVLib.av_free(c.RGBBuf);
        c.RGBBuf = static_cast<uint8_t*>(AVLib.av_malloc(size_t(size)));
        c.RGBBufSize = c.RGBBuf ? size : 0;
        if (!c.RGBBuf)
            return false;
    }
    FillPicture(layout, c.RGBBuf, c.RGBPicture);
    return true;
}

}  // namespace

bool PictureToBitmap(TRGBConvertContext& AContext, const TAVPicture& APicture, AVPixelFormat APixFmt, int AWidth,
                     int AHeight) {
    if (AWidth <= 0 || AHeight <= 0 || !APicture.data[0])
        return false;
    TRGBConvertContext& c = AContext;
    if (!c.Bitmap)
        c.Bitmap = CreateFrameBitmap(AWidth, AHeight, c.BMPPixFmt);
    if (c.Bitmap->Width() != AWidth || c.Bitmap->Height() != AHeight)
        c.Bitmap->SetSize(AWidth, AHeight, false);

    const bool sameLayout = APixFmt == c.RGBPixFmt && AWidth % 2 == 0 && AHeight % 2 == 0 &&
                            APicture.linesize[0] == c.Bitmap->Stride();
    if (sameLayout) {
        c.RGBPictureRef = &APicture;
    } else {
        if (!PrepareRGBPicture(c, AWidth, AHeight))
            return false;
        c.toRGB_convert_ctx = AVLib.sws_getCachedContext(c.toRGB_convert_ctx, AWidth, AHeight, APixFmt, AWidth,
                                                         AHeight, c.RGBPixFmt, SWS_BICUBIC, nullptr, nullptr, nullptr);
        if (!c.toRGB_convert_ctx)
            return false;
        AVLib.sws_scale(c.toRGB_convert_ctx, APicture.data, APicture.linesize, 0, AHeight, c.RGBPicture.data,
                        c.RGBPicture.linesize);
        c.RGBPictureRef = &c.RGBPicture;
    }

    const TAVPicture& rows = *c.RGBPictureRef;
    const size_t rowBytes = size_t(std::min(rows.linesize[0], c.Bitmap->Stride()));
    for (int y = 0; y < AHeight; ++y)
        std::memcpy(c.Bitmap->ScanLine(y), rows.data[0] + ptrdiff_t(y) * rows.linesize[0], rowBytes);
    return true;
}
