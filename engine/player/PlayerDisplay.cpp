#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/player/Player.h"
#include "engine/player/VideoState.h"
#include "platform/gfx/Color.h"

namespace {

constexpr double LateDropMargin = 0.5;
constexpr double LateSkipFactor = 1.05;

void FreeSubtitle(TSubtitleSlot& ASlot) {
    AVLib.avsubtitle_free(&ASlot.Sub);
    ASlot.Sub = AVSubtitle{};
    ASlot.Text.Clear();
}

} // namespace

double TCustomPlayer::GetAudioClock(TVideoState* is) const {
    double pts = is->audio_clock;
    if (is->audio_stream >= 0 && is->audio_freq > 0 && !is->audio_buf_silent) {
        const int waiting = is->audio_buf_size - is->audio_buf_index;
        pts -= double(std::max(waiting, 0)) / (double(is->audio_freq) * 2 * is->audio_channels);
    }
    return pts;
}

double TCustomPlayer::GetVideoClock(TVideoState* is) const {
    if (is->paused)
        return is->video_current_pts;
    const double drift = is->video_current_pts_drift;
    if (drift != 0)
        return WallClock() + drift;
    return double(is->StartTime) / 1000000.0;
}

double TCustomPlayer::GetExternalClock() const { return WallClock(); }

double TCustomPlayer::GetMasterClock(TVideoState* is) const {
    switch (is->av_sync_type) {
    case AV_SYNC_VIDEO_MASTER:
        return is->video_stream >= 0 ? GetVideoClock(is) : GetAudioClock(is);
    case AV_SYNC_AUDIO_MASTER:
        return is->audio_stream >= 0 ? GetAudioClock(is) : GetVideoClock(is);
    default:
        return GetExternalClock();
    }
}

bool TCustomPlayer::RefreshVideo(TVideoState* is, bool AAdvance) {
    if (is->video_stream < 0) {
        if (is->audio_stream >= 0) {
            // The audio display is drawn every rdftspeed milliseconds.
            const double now = WallClock();
            if (is->show_audio && now - is->last_audio_display >= Frdftspeed / 1000.0) {
                is->last_audio_display = now;
                DisplayCurrent(is);
            }
            CheckPosition(is);
        }
        return false;
    }
    bool checkPosition = true;
    for (;;) {
        std::unique_lock<std::mutex> lock(is->pictq_mutex);
        if (is->pictq_size == 0) {
            lock.unlock();
            if (!AAdvance)
                DisplayCurrent(is);
            if (checkPosition)
                CheckPosition(is);
            return false;
        }
        // Read under the lock: a picture counted in after the seek was
        // counted after the video thread cleared the flag.
        const bool seekDone = is->seek_done;
        const double now = WallClock();
        TPictureSlot& slot = is->pictq[is->pictq_rindex];
        if (now < slot.TargetClock && !FUnpaced)
            return false;
        is->video_current_pts = slot.Pts;
        is->video_current_pts_drift = slot.Pts - now;
        is->video_current_pos = slot.Pos;
        is->video_current_set = true;
        if (FUnpaced)
            break;  // every picture is shown, none is late
        bool outOfOrder = false;
        double next;
        if (is->pictq_size > 1) {
            next = is->pictq[(is->pictq_rindex + 1) % TVideoState::PictureSlots].TargetClock;
            outOfOrder = next < slot.TargetClock;  // dropped instead of closing the file
        } else {
            next = slot.TargetClock + is->video_clock - slot.Pts;
        }
        bool drop = outOfOrder;
        if ((Fframedrop && now > next && !is->IsDevice) || seekDone) {
            is->skip_frames = is->skip_frames * LateSkipFactor;
            drop = drop || is->pictq_size > 1 || now > next + LateDropMargin || seekDone;
        }
        if (!drop)
            break;
        is->pictq_rindex = (is->pictq_rindex + 1) % TVideoState::PictureSlots;
        --is->pictq_size;
        is->pictq_cond.notify_all();
        checkPosition = false;
    }
    ExpireSubtitles(is);
    DisplayCurrent(is);
    if (AAdvance) {
        std::lock_guard<std::mutex> lock(is->pictq_mutex);
        is->pictq_rindex = (is->pictq_rindex + 1) % TVideoState::PictureSlots;
        --is->pictq_size;
        is->pictq_cond.notify_all();
    }
    if (checkPosition)
        CheckPosition(is);
    return true;
}

void TCustomPlayer::ExpireSubtitles(TVideoState* is) {
    if (is->subtitle_stream < 0)
        return;
    std::lock_guard<std::mutex> lock(is->subpq_mutex);
    if (is->subtitle_stream_changed) {
        while (is->subpq_size > 0) {
            FreeSubtitle(is->subpq[is->subpq_rindex]);
            is->subpq_rindex = (is->subpq_rindex + 1) % TVideoState::SubtitleSlots;
            --is->subpq_size;
        }
        is->subtitle_stream_changed = false;
        is->subpq_cond.notify_all();
        return;
    }
    while (is->subpq_size > 0) {
        TSubtitleSlot& sp = is->subpq[is->subpq_rindex];
        TSubtitleSlot* sp2 = is->subpq_size > 1 ? &is->subpq[(is->subpq_rindex + 1) % TVideoState::SubtitleSlots] : nullptr;
        const double shown = is->video_current_pts;
        if (!(shown > sp.Pts + sp.Sub.end_display_time / 1000.0 ||
              (sp2 && shown > sp2->Pts + sp2->Sub.start_display_time / 1000.0)))
            break;
        FreeSubtitle(sp);
        is->subpq_rindex = (is->subpq_rindex + 1) % TVideoState::SubtitleSlots;
        --is->subpq_size;
        is->subpq_cond.notify_all();
    }
}

void TCustomPlayer::DisplayCurrent(TVideoState* is) {
    if (is->audio_stream >= 0 && is->show_audio)
        DisplayAudio(is);
    else if (is->video_stream >= 0)
        DisplayVideoImage(is);
}

void TCustomPlayer::DisplayVideoImage(TVideoState* is) {
    TPictureSlot* slot;
    {
        std::lock_guard<std::mutex> lock(is->pictq_mutex);
        if (is->pictq_size == 0 && !FHasShown)
            return;
        slot = is->pictq_size > 0 ? &is->pictq[is->pictq_rindex] : nullptr;
    }
    std::lock_guard<std::mutex> lock(FSurfaceLock);
    if (slot) {
        if (is->subtitle_stream >= 0 && !slot->SubtitleBlended) {
            std::lock_guard<std::mutex> subLock(is->subpq_mutex);
            if (is->subpq_size > 0) {
                TSubtitleSlot& sp = is->subpq[is->subpq_rindex];
                if (slot->Pts >= sp.Pts + sp.Sub.start_display_time / 1000.0) {
                    slot->SubtitleBlended = true;
                    if (sp.Sub.format == 0) {
                        for (unsigned i = 0; i < sp.Sub.num_rects; ++i) {
                            const AVSubtitleRect* rect = sp.Sub.rects[i];
                            TSubtitleBitmap bitmap{rect->x,        rect->y,           rect->w, rect->h,
                                                   rect->data[0], rect->linesize[0],
                                                   reinterpret_cast<const uint32_t*>(rect->data[1])};
                            BlendSubtitleRect(slot->Picture, bitmap, slot->Width, slot->Height);
                        }
                    } else {
                        sp.Text.Render(slot->Width, slot->Height);
                        BlendSubtitleRect(slot->Picture, sp.Text.Bitmap(), slot->Width, slot->Height);
                    }
                }
            }
        }
        if (FShown.Width != slot->Width || FShown.Height != slot->Height)
            FShown.Allocate(slot->Width, slot->Height);
        AVLib.av_image_copy(FShown.Picture.Plane, FShown.Picture.Pitch, const_cast<const uint8_t**>(slot->Picture.Plane),
                            slot->Picture.Pitch, AV_PIX_FMT_YUV420P, slot->Width, slot->Height);
        FShown.Pts = slot->Pts;
        FShown.Pos = slot->Pos;
        FShown.SampleAspect = slot->SampleAspect;
        FHasShown = true;
    }
    int outW = 0, outH = 0;
    OutputSize(Fis_full_screen, FShown.Width, FShown.Height, outW, outH);
    is->width = outW;
    is->height = outH;
    // Geometry: an aspect below 0 fills the output, 0 takes the picture's own.
    const float wanted = FAspectRatio;
    double aspect;
    if (wanted >= 0 || outW == 0 || outH == 0) {
        aspect = wanted;
        if (aspect <= 0) {
            const double sar = FShown.SampleAspect.num > 0 && FShown.SampleAspect.den > 0 ? av_q2d(FShown.SampleAspect) : 1.0;
            aspect = sar * FShown.Width / FShown.Height;
        }
    } else {
        aspect = double(outW) / outH;
    }
    int height = outH;
    int width = int(std::lround(height * aspect)) & ~1;
    if (width > outW) {
        width = outW;
        height = int(std::lround(width / aspect)) & ~1;
    }
    const int x = (outW - width) / 2, y = (outH - height) / 2;
    if (FSurface.Width() != outW || FSurface.Height() != outH || FSurface.PixelFormat() != pf24bit) {
        FSurface.SetPixelFormat(pf24bit);
        FSurface.SetSize(outW, outH, false);
    }
    FSurface.Fill(clBlack);
    if (width > 0 && height > 0) {
        FDisplaySws = AVLib.sws_getCachedContext(FDisplaySws, FShown.Width, FShown.Height, AV_PIX_FMT_YUV420P, width,
                                                 height, AV_PIX_FMT_BGR24, Fsws_flags, nullptr, nullptr, nullptr);
        // The scaler writes whole pixel blocks past the width: it gets rows of
        // its own layout, which then go into the surface.
        if (FDisplaySws && FDisplayRows.Layout(AV_PIX_FMT_BGR24, width, height)) {
            const TAVPicture& rows = FDisplayRows.Picture();
            AVLib.sws_scale(FDisplaySws, FShown.Picture.Plane, FShown.Picture.Pitch, 0, FShown.Height, rows.data,
                            rows.linesize);
            for (int row = 0; row < height; ++row)
                std::memcpy(FSurface.ScanLine(y + row) + x * 3, rows.data[0] + ptrdiff_t(row) * rows.linesize[0],
                            size_t(width) * 3);
        }
    }
    if (FHost)
        FHost->SurfaceChanged();
}

void TCustomPlayer::ClearSurface() {
    {
        std::lock_guard<std::mutex> lock(FSurfaceLock);
        FHasShown = false;
        FSurface.SetSize(0, 0, false);
    }
    if (FHost)
        FHost->SurfaceCleared();
}

void TCustomPlayer::SubtitleThread(TVideoState* is) {
    AVPacket* packet = AVLib.av_packet_alloc();
    while (packet) {
        const auto held = [is] { return is->paused && !is->subtitleq.Aborted() && !is->seek_paused; };
        while (held())
            is->PauseChanged.WaitWhile(held);
        TPacketQueue::TKind kind;
        if (is->subtitleq.Get(packet, kind, true) < 0)
            break;
        if (kind == TPacketQueue::pkFlush) {
            AVLib.avcodec_flush_buffers(is->subtitle_dec);
            continue;
        }
        if (kind == TPacketQueue::pkEnd)
            continue;
        {
            std::unique_lock<std::mutex> lock(is->subpq_mutex);
            is->subpq_cond.wait(lock, [is] {
                return is->subpq_size < TVideoState::SubtitleSlots || is->subtitleq.Aborted();
            });
        }
        if (is->subtitleq.Aborted()) {
            AVLib.av_packet_unref(packet);
            break;
        }
        const double pts = packet->pts != AV_NOPTS_VALUE ? double(packet->pts) * av_q2d(is->subtitle_st->time_base) : 0;
        TSubtitleSlot& slot = is->subpq[is->subpq_windex];
        int got = 0;
        if (AVLib.avcodec_decode_subtitle2(is->subtitle_dec, &slot.Sub, &got, packet) >= 0 && got) {
            slot.Pts = pts;
            if (slot.Sub.format == 0) {
                for (unsigned i = 0; i < slot.Sub.num_rects; ++i) {
                    AVSubtitleRect* rect = slot.Sub.rects[i];
                    auto* palette = reinterpret_cast<uint32_t*>(rect->data[1]);
                    for (int c = 0; palette && c < rect->nb_colors; ++c)
                        palette[c] = RGBAToYUVA(palette[c]);
                }
            } else {
                // Text is drawn on the play thread once the picture size is known.
                std::string text;
                for (unsigned i = 0; i < slot.Sub.num_rects; ++i) {
                    const std::string line = SubtitleRectText(slot.Sub.rects[i]);
                    if (!line.empty())
                        text += (text.empty() ? "" : "\n") + line;
                }
                slot.Text.SetText(text);
            }
            is->subpq_windex = (is->subpq_windex + 1) % TVideoState::SubtitleSlots;
            std::lock_guard<std::mutex> lock(is->subpq_mutex);
            ++is->subpq_size;
        }
        AVLib.av_packet_unref(packet);
    }
    AVLib.av_packet_free(&packet);
}
