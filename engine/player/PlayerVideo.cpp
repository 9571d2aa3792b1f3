#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/player/Player.h"
#include "engine/player/VideoState.h"
#include "engine/util/Texts.h"

namespace {

constexpr double NoSyncThreshold = 10.0;
constexpr double MinSyncThreshold = 0.01;

void FlipRows(uint8_t* APlane, int APitch, int ARows) {
    std::vector<uint8_t> row(static_cast<size_t>(APitch));
    for (int top = 0, bottom = ARows - 1; top < bottom; ++top, --bottom) {
        std::memcpy(row.data(), APlane + size_t(top) * APitch, size_t(APitch));
        std::memcpy(APlane + size_t(top) * APitch, APlane + size_t(bottom) * APitch, size_t(APitch));
        std::memcpy(APlane + size_t(bottom) * APitch, row.data(), size_t(APitch));
    }
}

// Waits while paused, unless a file opened paused still wants its first
// pictures or a seek while paused still wants the picture of the new place.
void WaitWhilePaused(TVideoState* is) {
    const auto held = [is] { return is->paused && !is->videoq.Aborted() && !is->seek_paused && !is->open_paused; };
    while (held()) {
        is->video_held = true;
        is->PauseChanged.WaitWhile(held);
    }
    is->video_held = false;
}

} // namespace

void TCustomPlayer::VideoThread(TVideoState* is) {
    AVPacket* packet = AVLib.av_packet_alloc();
    AVFrame* frame = AVLib.av_frame_alloc();
    AVCodecContext* decoder = is->video_dec;
    bool stop = !packet || !frame;
    while (!stop) {
        WaitWhilePaused(is);
        TPacketQueue::TKind kind;
        if (is->videoq.Get(packet, kind, true) < 0)
            break;
        if (kind == TPacketQueue::pkFlush) {
            AVLib.avcodec_flush_buffers(decoder);
            {
                std::unique_lock<std::mutex> lock(is->pictq_mutex);
                for (TPictureSlot& slot : is->pictq)
                    slot.TargetClock = 0;
                is->pictq_cond.wait(lock, [is] { return is->pictq_size == 0 || is->videoq.Aborted(); });
                is->video_current_pos = -1;
            }
            is->frame_last_pts = double(AV_NOPTS_VALUE);
            is->frame_last_delay = 0;
            is->frame_timer = WallClock();
            is->skip_frames = 1;
            is->skip_frames_index = 0;
            is->video_filter.Reset();  // pictures held in the chain belong to the old place
            is->seek_flushed = 1;
            continue;
        }
        // The end marker is sent once as the empty packet that drains the decoder.
        int sent = AVLib.avcodec_send_packet(decoder, kind == TPacketQueue::pkEnd ? nullptr : packet);
        for (;;) {
            const int received = AVLib.avcodec_receive_frame(decoder, frame);
            if (received == AVERROR(EAGAIN)) {
                if (sent == AVERROR(EAGAIN)) {
                    sent = AVLib.avcodec_send_packet(decoder, packet);
                    continue;
                }
                break;
            }
            if (received == AVERROR_EOF) {
                AVLib.avcodec_flush_buffers(decoder);
                if (!is->EventEOF)
                    CheckPosition(is);
                break;
            }
            if (received < 0)
                break;
            const int handled = HandleVideoFrame(is, frame);
            AVLib.av_frame_unref(frame);
            if (handled < 0) {
                stop = true;
                break;
            }
        }
        AVLib.av_packet_unref(packet);
    }
    AVLib.av_frame_free(&frame);
    AVLib.av_packet_free(&packet);
}

int TCustomPlayer::HandleVideoFrame(TVideoState* is, AVFrame* AFrame) {
    const int64_t stamp = Fdecoder_reorder_pts == 0 ? AFrame->pkt_dts : AFrame->best_effort_timestamp;
    // Pictures pass at the ratio the display keeps up with.
    is->skip_frames_index += 1;
    if (is->skip_frames_index < is->skip_frames)
        return 0;
    is->skip_frames_index -= std::max(is->skip_frames.load(), 1.0);
    if (is->vfilters.empty())
        return OutputPicture(is, AFrame, stamp, is->video_st->time_base);

    TPlayerFilterGraph& graph = is->video_filter;
    if (!graph.Fits(AFrame)) {
        const int err = graph.Configure(is->vfilters, AFrame->width, AFrame->height, AVPixelFormat(AFrame->format),
                                        is->video_st->time_base, AFrame->sample_aspect_ratio, Fsws_flags);
        if (err < 0) {
            if (!is->filter_failed)
                ReportError(AVErrorText("video filters \"" + is->vfilters + "\"", err), false);
            is->filter_failed = true;
            return 0;  // the picture cannot be shown
        }
    }
    AFrame->pts = stamp;
    if (graph.Push(AFrame) < 0)
        return 0;
    AVFrame* filtered = AVLib.av_frame_alloc();
    int result = filtered ? 0 : -1;
    while (filtered && result >= 0 && graph.Pull(filtered) >= 0) {
        result = OutputPicture(is, filtered, filtered->pts, graph.OutputTimeBase());
        AVLib.av_frame_unref(filtered);
    }
    AVLib.av_frame_free(&filtered);
    return result;
}

int TCustomPlayer::OutputPicture(TVideoState* is, AVFrame* AFrame, int64_t AStamp, AVRational ATimeBase) {
    double pts = AStamp == AV_NOPTS_VALUE ? 0 : double(AStamp) * av_q2d(ATimeBase);
    WaitWhilePaused(is);
    if (is->videoq.Aborted())
        return -1;
    if (is->seek_done && is->seek_flushed) {
        is->seek_done = 0;  // the picture of the new place; a paused player stops again after it
        is->seek_paused = 0;
    }
    // A picture without a time follows the previous one; a real time of 0 is kept.
    if (AStamp != AV_NOPTS_VALUE)
        is->video_clock = pts;
    else
        pts = is->video_clock;
    AVRational rate = is->video_st->avg_frame_rate.num > 0 ? is->video_st->avg_frame_rate : is->video_st->r_frame_rate;
    double frameDelay = rate.num > 0 && rate.den > 0 ? av_q2d(av_inv_q(rate)) : 0.04;
    frameDelay += AFrame->repeat_pict * (frameDelay * 0.5);
    is->video_clock = is->video_clock + frameDelay;
    if (QueuePicture(is, AFrame, pts, AFrame->pkt_pos) < 0)
        return -1;
    FPictEvent.SetEvent();
    is->EventEOF = 0;
    if (FSeeking && !is->seek_req)
        FSeeking = false;
    if (is->open_paused == 1) {
        is->open_paused = 2;
    } else if (is->open_paused > 1) {
        // psPause follows the play thread's psPlay.
        while (!is->PlayStarted && !is->videoq.Aborted())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        is->open_paused = 0;
        if (is->paused)  // not resumed meanwhile
            SetPlayState(psPause);
    }
    if (Fstep && OpenedFile() && !is->paused)  // a picture decoded while still paused ends no step
        StreamPause();
    return 1;
}

bool TCustomPlayer::CopyFrameToSlot(TVideoState* is, AVFrame* AFrame, TPictureSlot& ASlot) {
    // Pictures are shown at the next lower even size.
    const int width = AFrame->width & ~1, height = AFrame->height & ~1;
    if (width <= 0 || height <= 0)
        return false;
    if (ASlot.Width != width || ASlot.Height != height || ASlot.Buffer.Empty())
        ASlot.Allocate(width, height);
    const AVPixelFormat format = AVPixelFormat(AFrame->format);
    if (format == AV_PIX_FMT_YUV420P || format == AV_PIX_FMT_YUVJ420P) {
        AVLib.av_image_copy(ASlot.Picture.Plane, ASlot.Picture.Pitch, const_cast<const uint8_t**>(AFrame->data),
                            AFrame->linesize, AV_PIX_FMT_YUV420P, width, height);
    } else {
        is->video_sws = AVLib.sws_getCachedContext(is->video_sws, AFrame->width, AFrame->height, format, width, height,
                                                   AV_PIX_FMT_YUV420P, Fsws_flags, nullptr, nullptr, nullptr);
        if (!is->video_sws)
            return false;
        AVLib.sws_scale(is->video_sws, AFrame->data, AFrame->linesize, 0, AFrame->height, ASlot.Picture.Plane,
                        ASlot.Picture.Pitch);
    }
    if (FVerticalFlip) {
        FlipRows(ASlot.Picture.Plane[0], ASlot.Picture.Pitch[0], height);
        FlipRows(ASlot.Picture.Plane[1], ASlot.Picture.Pitch[1], height / 2);
        FlipRows(ASlot.Picture.Plane[2], ASlot.Picture.Pitch[2], height / 2);
    }
    ASlot.SampleAspect = AFrame->sample_aspect_ratio.num > 0 ? AFrame->sample_aspect_ratio
                                                             : is->video_st->codecpar->sample_aspect_ratio;
    return true;
}

int TCustomPlayer::QueuePicture(TVideoState* is, AVFrame* AFrame, double APts, int64_t APos) {
    {
        std::unique_lock<std::mutex> lock(is->pictq_mutex);
        if (is->pictq_size >= TVideoState::PictureSlots)
            is->skip_frames = std::max(0.95, is->skip_frames.load() * 0.95);
        is->pictq_cond.wait(lock, [is] { return is->pictq_size < TVideoState::PictureSlots || is->videoq.Aborted(); });
    }
    if (is->videoq.Aborted())
        return -1;
    // The write slot is the video thread's alone until it is counted in.
    TPictureSlot& slot = is->pictq[is->pictq_windex];
    if (!CopyFrameToSlot(is, AFrame, slot))
        return 0;
    RunHook(slot, APts, is->StartTime);
    slot.Pts = APts;
    slot.Pos = APos;
    slot.SubtitleBlended = false;
    is->pictq_windex = (is->pictq_windex + 1) % TVideoState::PictureSlots;
    std::lock_guard<std::mutex> lock(is->pictq_mutex);
    slot.TargetClock = ComputeTargetTime(is, APts);
    ++is->pictq_size;
    if (FUnpaced || is->paused)
        WakePlayThread();
    return 0;
}

void TCustomPlayer::RunHook(TPictureSlot& ASlot, double APts, int64_t AStartTime) {
    if (!FHook || !OnHook)
        return;
    TAVPicture picture;
    for (int i = 0; i < 3; ++i) {
        picture.data[i] = ASlot.Picture.Plane[i];
        picture.linesize[i] = ASlot.Picture.Pitch[i];
    }
    if (!PictureToBitmap(FHookContext, picture, AV_PIX_FMT_YUV420P, ASlot.Width, ASlot.Height)) {
        GetFFLogger()->Log(this, llError, "Cannot initialize the toRGB conversion context");
        return;
    }
    TBitmap* bitmap = FHookContext.Bitmap.get();
    try {
        OnHook(this, bitmap, std::llround(APts * 1000000.0) - AStartTime);
    } catch (const std::exception& e) {
        GetFFLogger()->Log(this, llError, std::string("Error occurs OnHook: ") + e.what());
        return;
    }
    FHookContext.fromRGB_convert_ctx =
        AVLib.sws_getCachedContext(FHookContext.fromRGB_convert_ctx, ASlot.Width, ASlot.Height, FHookContext.RGBPixFmt,
                                   ASlot.Width, ASlot.Height, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!FHookContext.fromRGB_convert_ctx) {
        GetFFLogger()->Log(this, llError, "Cannot initialize the fromRGB conversion context");
        return;
    }
    if (bitmap->Width() != ASlot.Width || bitmap->Height() != ASlot.Height || bitmap->PixelFormat() != pf24bit)
        return;  // the handler changed the bitmap: the picture stays as it was
    // The scaler reads whole pixel blocks past the width: it reads the rows
    // back from the context's own picture, laid out for it.
    const TAVPicture& rows = FHookContext.RGBPicture;
    for (int y = 0; y < ASlot.Height; ++y)
        std::memcpy(rows.data[0] + ptrdiff_t(y) * rows.linesize[0], bitmap->ScanLine(y), size_t(ASlot.Width) * 3);
    AVLib.sws_scale(FHookContext.fromRGB_convert_ctx, rows.data, rows.linesize, 0, ASlot.Height, ASlot.Picture.Plane,
                    ASlot.Picture.Pitch);
}

double TCustomPlayer::ComputeTargetTime(TVideoState* is, double APts) {
    double delay = APts - is->frame_last_pts;
    if (delay <= 0 || delay >= NoSyncThreshold)
        delay = is->frame_last_delay;  // a jump in time: keep the last step
    else
        is->frame_last_delay = delay;
    is->frame_last_pts = APts;
    if ((is->av_sync_type == AV_SYNC_AUDIO_MASTER && is->audio_stream >= 0) ||
        is->av_sync_type == AV_SYNC_EXTERNAL_CLOCK) {
        const double diff = GetVideoClock(is) - GetMasterClock(is);
        const double threshold = std::max(MinSyncThreshold, delay);
        if (std::fabs(diff) < NoSyncThreshold) {
            if (diff <= -threshold)
                delay = 0;
            else if (diff >= threshold)
                delay = 2 * delay;
        }
    }
    is->frame_timer = is->frame_timer + delay;
    return is->frame_timer;
}
