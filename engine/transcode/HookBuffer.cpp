#include "engine/transcode/HookBuffer.h"

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/Deinterlace.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/util/Picture.h"

AVFrame* THookBuffer::Fill(TObject* ASender, const AVFrame* ASource, bool ADeinterlace) {
    if (!FFrame)
        FFrame = AVLib.av_frame_alloc();
    const bool reusable = FFrame && FFrame->buf[0] && FFrame->format == ASource->format &&
                          FFrame->width == ASource->width && FFrame->height == ASource->height &&
                          AVLib.av_frame_is_writable(FFrame);
    if (FFrame && !reusable) {
        // Another size, or an encoder still holds the last one: a new buffer.
        AVLib.av_frame_unref(FFrame);
        FFrame->format = ASource->format;
        FFrame->width = ASource->width;
        FFrame->height = ASource->height;
        if (AVLib.av_frame_get_buffer(FFrame, 0) < 0)
            AVLib.av_frame_unref(FFrame);
    }
    if (!FFrame || !FFrame->buf[0]) {
        GetFFLogger()->Log(ASender, llError, "hook buf malloc error.");
        return nullptr;
    }
    const AVPixelFormat format = AVPixelFormat(ASource->format);
    if (!ADeinterlace ||
        !DeinterlacePicture(PictureOf(FFrame), PictureOf(ASource), format, ASource->width, ASource->height)) {
        if (ADeinterlace)
            GetFFLogger()->Log(ASender, llError, "Deinterlacing failed.");
        AVLib.av_image_copy(FFrame->data, FFrame->linesize, const_cast<const uint8_t**>(ASource->data),
                            ASource->linesize, format, ASource->width, ASource->height);
    }
    AVLib.av_frame_copy_props(FFrame, ASource);
    return FFrame;
}

void THookBuffer::HandTo(AVFrame* APicture) {
    AVLib.av_frame_unref(APicture);
    if (AVLib.av_frame_ref(APicture, FFrame) < 0)
        throw FFmpegException("Out of memory for a hooked picture");
}

void THookBuffer::Free() {
    if (FFrame && AVLib.av_frame_free)
        AVLib.av_frame_free(&FFrame);
    FFrame = nullptr;
}
