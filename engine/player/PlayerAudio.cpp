#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/player/Player.h"
#include "engine/player/VideoState.h"

namespace {

constexpr int DeviceSamples = 1024;
constexpr int SilenceBytes = 1024;
constexpr int AudioDiffAvgNb = 20;

} // namespace

bool TCustomPlayer::OpenAudioDevice(TVideoState* is) {
    const AVCodecParameters* par = is->audio_st->codecpar;
    SDL_AudioSpec wanted{}, obtained{};
    wanted.freq = par->sample_rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = Uint8(std::clamp(par->ch_layout.nb_channels, 1, 2));
    wanted.silence = 0;
    wanted.samples = DeviceSamples;
    wanted.callback = AudioCallback;
    wanted.userdata = is;
    if (wanted.freq <= 0) {
        ReportError("SDL_OpenAudio() failed: no sample rate", false);
        return false;
    }
    // The device converts rate and channels itself when it takes others.
    is->audio_dev = AVLib.SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (is->audio_dev == 0) {
        ReportError(std::string("SDL_OpenAudio() failed: ") + AVLib.SDL_GetError(), false);
        return false;
    }
    is->audio_freq = obtained.freq;
    is->audio_channels = obtained.channels;
    is->audio_hw_buf_size = int(obtained.size);
    is->audio_frame = AVLib.av_frame_alloc();
    is->audio_pkt = AVLib.av_packet_alloc();
    is->audio_eof_sent = false;
    return is->audio_frame && is->audio_pkt;
}

void TCustomPlayer::AudioCallback(void* AUserData, Uint8* AStream, int ALen) {
    auto* is = static_cast<TVideoState*>(AUserData);
    TCustomPlayer* player = is->Owner;
    player->Faudio_callback_time = WallClockUS();
    std::memset(AStream, 0, size_t(ALen));  // SDL2 hands the buffer over uncleared
    while (ALen > 0) {
        if (is->audio_buf_index >= is->audio_buf_size) {
            const int size = player->AudioDecodeFrame(is);
            if (is->audioq.Aborted())
                return;
            if (size < 0) {
                is->audio_buf_silent = true;
                is->audio_buf.assign(SilenceBytes, 0);
                is->audio_buf_size = SilenceBytes;
            } else {
                is->audio_buf_silent = false;
                if (is->show_audio)
                    UpdateSampleDisplay(is, is->audio_buf.data(), size);
                is->audio_buf_size = player->SynchronizeAudio(is, size);
            }
            is->audio_buf_index = 0;
        }
        const int index = is->audio_buf_index;
        const int n = std::min(is->audio_buf_size - index, ALen);
        if (!player->FMute)
            AVLib.SDL_MixAudioFormat(AStream, is->audio_buf.data() + index, AUDIO_S16SYS, Uint32(n),
                                     player->FAudioVolume);
        is->audio_buf_index = index + n;
        ALen -= n;
        AStream += n;
    }
}

// Decodes the next frame into audio_buf as 16-bit samples of the device's
// channels and rate; -1 when nothing can be played now.
int TCustomPlayer::AudioDecodeFrame(TVideoState* is) {
    AVCodecContext* decoder = is->audio_dec;
    for (;;) {
        const int received = AVLib.avcodec_receive_frame(decoder, is->audio_frame);
        if (received >= 0) {
            AVFrame* frame = is->audio_frame;
            if (!is->swr) {
                AVChannelLayout layout{};
                AVLib.av_channel_layout_default(&layout, is->audio_channels);
                const int err = AVLib.swr_alloc_set_opts2(&is->swr, &layout, AV_SAMPLE_FMT_S16, is->audio_freq,
                                                          &frame->ch_layout, AVSampleFormat(frame->format),
                                                          frame->sample_rate, 0, nullptr);
                AVLib.av_channel_layout_uninit(&layout);
                if (err < 0 || AVLib.swr_init(is->swr) < 0) {
                    AVLib.swr_free(&is->swr);
                    const char* from = AVLib.av_get_sample_fmt_name(AVSampleFormat(frame->format));
                    ReportError(std::string("Cannot convert ") + (from ? from : "?") + " sample format to s16 sample format",
                                false);
                    AVLib.av_frame_unref(frame);
                    continue;
                }
            }
            const int64_t outSamples = int64_t(frame->nb_samples) * is->audio_freq / std::max(frame->sample_rate, 1) + 256;
            is->audio_buf.resize(size_t(outSamples) * is->audio_channels * 2);
            uint8_t* out[1] = {is->audio_buf.data()};
            const int converted = AVLib.swr_convert(is->swr, out, int(outSamples),
                                                    const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
            if (frame->best_effort_timestamp != AV_NOPTS_VALUE)
                is->audio_clock = double(frame->best_effort_timestamp) * av_q2d(is->audio_st->time_base);
            AVLib.av_frame_unref(frame);
            if (converted < 0) {
                ReportError("av_audio_convert() failed", false);
                continue;
            }
            is->audio_clock = is->audio_clock + double(converted) / is->audio_freq;
            return converted * is->audio_channels * 2;
        }
        if (received != AVERROR(EAGAIN) && received != AVERROR_EOF) {
            GetFFLogger()->Log(this, llInfo, "avcodec_decode_audio2() failed");
        }
        if (is->paused || is->audioq.Aborted())
            return -1;
        TPacketQueue::TKind kind;
        if (is->audioq.Get(is->audio_pkt, kind, false) <= 0)
            return -1;
        if (kind == TPacketQueue::pkFlush) {
            AVLib.avcodec_flush_buffers(decoder);
            is->audio_eof_sent = false;
            continue;
        }
        if (kind == TPacketQueue::pkEnd) {
            if (!is->audio_eof_sent)
                AVLib.avcodec_send_packet(decoder, nullptr);
            is->audio_eof_sent = true;
            continue;
        }
        if (AVLib.avcodec_send_packet(decoder, is->audio_pkt) < 0)
            GetFFLogger()->Log(this, llInfo, "avcodec_decode_audio2() failed");
        AVLib.av_packet_unref(is->audio_pkt);
    }
}

// Stretches or shortens the frame toward the master clock when audio is not the master.
int TCustomPlayer::SynchronizeAudio(TVideoState* is, int ASize) {
    if (!((is->av_sync_type == AV_SYNC_VIDEO_MASTER && is->video_stream >= 0) ||
          is->av_sync_type == AV_SYNC_EXTERNAL_CLOCK))
        return ASize;
    const int n = 2 * is->audio_channels;
    const double diff = GetAudioClock(is) - GetMasterClock(is);
    if (std::fabs(diff) >= 10.0) {
        is->audio_diff_avg_count = 0;
        is->audio_diff_cum = 0;
        return ASize;
    }
    is->audio_diff_cum = diff + is->audio_diff_avg_coef * is->audio_diff_cum;
    if (is->audio_diff_avg_count < AudioDiffAvgNb) {
        ++is->audio_diff_avg_count;
        return ASize;
    }
    const double avg = is->audio_diff_cum * (1.0 - is->audio_diff_avg_coef);
    if (std::fabs(avg) < is->audio_diff_threshold)
        return ASize;
    int wanted = ASize + int(std::lround(diff * is->audio_freq)) * n;
    const int minSize = ((ASize / n) * 90 / 100) * n;
    const int maxSize = ((ASize / n) * 110 / 100) * n;
    wanted = std::clamp(wanted, minSize, maxSize);
    if (wanted > ASize) {
        is->audio_buf.resize(size_t(wanted));
        uint8_t* last = is->audio_buf.data() + ASize - n;
        for (int at = ASize; at < wanted; at += n)
            std::memcpy(is->audio_buf.data() + at, last, size_t(n));
    }
    return wanted;
}
