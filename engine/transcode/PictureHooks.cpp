#include "engine/transcode/PictureHooks.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <mutex>
#include <utility>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "platform/gfx/Bitmap.h"

// Outside code seeing a job's pictures: the custom hook on every decoded
// picture (it may change it), and the post hooks on pictures going to an
// encoder (a bitmap for the application, or the preview window).
//
// The post hooks hand their picture to the main thread and wait for it. The
// main thread changes the hooks (Preview, PreviewBitmap) under the post-hook
// lock, so a worker never holds that lock while it waits for the main thread:
// it paints outside the lock, marked by Painting, and a preview window that
// the main thread switched off meanwhile is closed by the worker afterwards.

namespace {

std::mutex FactoryLock;
TPreviewerFactory PreviewerFactory;

std::unique_ptr<TCustomPreviewer> MakePreviewer() {
    std::lock_guard lock(FactoryLock);
    return PreviewerFactory ? PreviewerFactory() : nullptr;
}

// Puts the (possibly changed) bitmap back into the picture. False when the
// picture's format cannot be reached from the bitmap's rows.
bool BitmapToPicture(TRGBConvertContext& c, AVFrame* picture) {
    const int width = picture->width, height = picture->height;
    const TBitmap& bitmap = *c.Bitmap;
    if (bitmap.Width() != width || bitmap.Height() != height)
        return true;  // the handler changed the size: the picture stays as it was
    if (AVLib.av_frame_make_writable(picture) < 0)
        return false;
    const AVPixelFormat format = AVPixelFormat(picture->format);
    const size_t rowBytes = size_t(width) * 3;
    if (format == c.RGBPixFmt) {
        for (int y = 0; y < height; ++y)
            std::memcpy(picture->data[0] + ptrdiff_t(y) * picture->linesize[0], bitmap.ScanLine(y), rowBytes);
        return true;
    }
    // PictureToBitmap went through the context's RGB picture for this format.
    for (int y = 0; y < height; ++y)
        std::memcpy(c.RGBPicture.data[0] + ptrdiff_t(y) * c.RGBPicture.linesize[0], bitmap.ScanLine(y), rowBytes);
    c.fromRGB_convert_ctx = AVLib.sws_getCachedContext(c.fromRGB_convert_ctx, width, height, c.RGBPixFmt, width,
                                                       height, format, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!c.fromRGB_convert_ctx)
        return false;
    AVLib.sws_scale(c.fromRGB_convert_ctx, c.RGBPicture.data, c.RGBPicture.linesize, 0, height, picture->data,
                    picture->linesize);
    return true;
}

} // namespace

void SetPreviewerFactory(TPreviewerFactory AFactory) {
    std::lock_guard lock(FactoryLock);
    PreviewerFactory = std::move(AFactory);
}

void TCustomFFmpeg::PreProcessVideoFrame(AVFrame* picture, int64_t pts) {
    ++FHookFrameNumber;
    if (!FOptionState.Fdo_deinterlace && !OnCustomHook && !FOptionState.Fusing_vhook)
        return;  // the decoded picture goes on as it came, not copied
    // The hooks work on a copy of the job's own (deinterlaced when asked):
    // the decoder may still use the picture it handed out.
    AVFrame* hooked = FHookBuffer.Fill(this, picture, FOptionState.Fdo_deinterlace);
    if (!hooked)
        return;
    // The custom hook wins over the plug-ins.
    if (OnCustomHook)
        RunCustomHook(hooked, pts);
    else if (FOptionState.Fusing_vhook)
        FFrameHooks.ProcessFrameHooks(hooked, pts);
    FHookBuffer.HandTo(picture);
}

void TCustomFFmpeg::RunCustomHook(AVFrame* picture, int64_t pts) {
    TRGBConvertContext& c = FHookContext->Context;
    TFFLogger* logger = GetFFLogger();
    bool update = true;
    bool stop = false;
    if (!PictureToBitmap(c, PictureOf(picture), AVPixelFormat(picture->format), picture->width, picture->height)) {
        logger->Log(this, llError, "Cannot initialize the toRGB conversion context");
        stop = true;
    } else {
        try {
            OnCustomHook(this, c.Bitmap.get(), FHookFrameNumber, pts, update, stop);
        } catch (const std::exception& e) {
            logger->Log(this, llError, std::string("Error occurs OnCustomHook: ") + e.what());
            update = false;
        }
        if (update && !BitmapToPicture(c, picture)) {
            logger->Log(this, llError, "Cannot initialize the fromRGB conversion context");
            stop = true;
        }
    }
    if (stop) {
        OnCustomHook = nullptr;
        FOptionState.Fusing_vhook = false;
    }
}

void TCustomFFmpeg::RunPostHooks(const AVFrame* picture, const AVCodecContext* enc) {
    TPostHooks hooks;
    {
        TCriticalSectionGuard lock(GlobalPostHookLock);
        hooks = FOptionState.FPostHooks;
    }
    const bool toBitmap = hooks.Contains(phBitmap) && OnPreviewBitmap;
    if (!toBitmap && !hooks.Contains(phPreview))
        return;
    TPostHookContext& c = *FPostContext;
    c.preview_cur_time = AVLib.av_gettime();
    if (c.preview_cur_time - c.preview_last_time <= PreviewInterval)
        return;
    c.preview_last_time = c.preview_cur_time;
    if (!PictureToBitmap(c.Context, PictureOf(picture), AVPixelFormat(picture->format), picture->width,
                         picture->height)) {
        GetFFLogger()->Log(this, llError, "Cannot initialize the toRGB conversion context");
        ChangePostHook(toBitmap ? phBitmap : phPreview, false);
        return;
    }
    const int64_t pts =
        picture->pts == AV_NOPTS_VALUE ? NoTime : AVLib.av_rescale_q(picture->pts, enc->time_base, AV_TIME_BASE_Q);
    TBitmap* bitmap = c.Context.Bitmap.get();
    if (toBitmap) {
        // The bitmap handler wins; the preview window gets nothing meanwhile.
        OnPreviewBitmap(this, bitmap, FHookFrameNumber, pts);
        return;
    }
    TCustomPreviewer* previewer;
    {
        TCriticalSectionGuard lock(GlobalPostHookLock);
        if (!c.Previewer)
            c.Previewer = MakePreviewer();
        previewer = c.Previewer.get();
        c.Painting = previewer != nullptr;
    }
    if (!previewer)
        return;
    const bool open = previewer->PaintFrame(bitmap, FHookFrameNumber, pts);
    std::unique_ptr<TCustomPreviewer> closed;
    {
        TCriticalSectionGuard lock(GlobalPostHookLock);
        c.Painting = false;
        if (!open) {
            TPostHooks now = FOptionState.FPostHooks;
            now.Exclude(phPreview);
            StorePostHooks(now);
        }
        closed = TakeIdlePreviewer();
    }
}

void TCustomFFmpeg::ChangePostHook(TPostHook AHook, bool AOn) {
    std::unique_ptr<TCustomPreviewer> closed;  // goes after the lock is left
    TCriticalSectionGuard lock(GlobalPostHookLock);
    TPostHooks hooks = FOptionState.FPostHooks;
    if (AOn)
        hooks.Include(AHook);
    else
        hooks.Exclude(AHook);
    StorePostHooks(hooks);
    closed = TakeIdlePreviewer();
}

std::unique_ptr<TCustomPreviewer> TCustomFFmpeg::TakeIdlePreviewer() {
    TCriticalSectionGuard lock(GlobalPostHookLock);
    if (FOptionState.FPostHooks.Contains(phPreview) || FPostContext->Painting)
        return nullptr;
    return std::move(FPostContext->Previewer);
}

void TCustomFFmpeg::ResetPostHookContext() {
    std::unique_ptr<TCustomPreviewer> closed;
    {
        TCriticalSectionGuard lock(GlobalPostHookLock);
        closed = std::move(FPostContext->Previewer);
    }
    closed.reset();  // outside the lock: the window goes in the main thread
    FreeRGBConvertContext(FPostContext->Context);
    FPostContext->preview_last_time = 0;
    FPostContext->preview_cur_time = 0;
}

void TCustomFFmpeg::ResetCustomHookContext() {
    FreeRGBConvertContext(FHookContext->Context);
    FHookBuffer.Free();
}
