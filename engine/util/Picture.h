#pragma once
#include <cstdint>
#include <memory>

#include "engine/loader/LibraryHeaders.h"
#include "platform/gfx/Bitmap.h"

// A picture as four plane pointers and four line sizes.
struct TAVPicture {
    uint8_t* data[4] = {};
    int linesize[4] = {};
};

inline TAVPicture PictureOf(const AVFrame* frame) {
    TAVPicture p;
    for (int i = 0; i < 4; ++i) {
        p.data[i] = frame->data[i];
        p.linesize[i] = frame->linesize[i];
    }
    return p;
}

// Turns decoded pictures into a 24-bit bitmap, keeping its bitmap, its
// conversion buffer (grown, never shrunk) and its cached scaler contexts
// between calls. Belongs to one task, probe or player at a time.
struct TRGBConvertContext {
    AVPixelFormat RGBPixFmt = AV_PIX_FMT_BGR24;  // the bitmap's rows as a library format
    TPixelFormat BMPPixFmt = pf24bit;
    std::unique_ptr<TBitmap> Bitmap;
    uint8_t* RGBBuf = nullptr;  // library allocator
    int RGBBufSize = 0;
    TAVPicture RGBPicture;                      // describes RGBBuf
    const TAVPicture* RGBPictureRef = nullptr;  // the rows last copied: RGBPicture or the caller's
    SwsContext* toRGB_convert_ctx = nullptr;
    SwsContext* fromRGB_convert_ctx = nullptr;
};

// Frees the bitmap, the buffer and both scaler contexts, and resets the context.
void FreeRGBConvertContext(TRGBConvertContext& AContext);

// A bitmap of that size and format whose canvas brush is clear.
std::unique_ptr<TBitmap> CreateFrameBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat);

// Puts the picture into the context's bitmap: rows are copied as they are when
// they already have the bitmap's layout, else converted through the scaler.
// False when the size is not positive or no scaler context can be had.
bool PictureToBitmap(TRGBConvertContext& AContext, const TAVPicture& APicture, AVPixelFormat APixFmt, int AWidth,
                     int AHeight);
