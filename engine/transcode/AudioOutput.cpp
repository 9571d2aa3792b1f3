#include "engine/transcode/AudioOutput.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/transcode/TranscodeRun.h"
#include "platform/core/SysUtils.h"

// The audio output path: one resampler brings each decoded block to the
// encoder's rate, layout and sample format; the FIFO cuts the result into
// encoder frames. The sync works in samples, whatever their size.

namespace {

template <typename T, int64_t Lo, int64_t Hi>
void ScaleInts(uint8_t* data, int count, int volume, int64_t zero = 0) {
    T* p = reinterpret_cast<T*>(data);
    for (int i = 0; i < count; ++i) {
        const int64_t v = (int64_t(p[i]) - zero) * volume + 128;
        p[i] = T(std::clamp<int64_t>(v >> 8, Lo - zero, Hi - zero) + zero);
    }
}

template <typename T>
void ScaleFloats(uint8_t* data, int count, int volume) {
    T* p = reinterpret_cast<T*>(data);
    const T factor = T(volume) / T(256);
    for (int i = 0; i < count; ++i)
        p[i] = std::clamp<T>(p[i] * factor, T(-1), T(1));
}

} // namespace

void ApplyVolume(uint8_t* const* data, int nb_samples, int channels, AVSampleFormat format, int volume) {
    if (volume == 256 || nb_samples <= 0 || channels <= 0)
        return;
    const bool planar = AVLib.av_sample_fmt_is_planar(format);
    const int planes = planar ? channels : 1;
    const int count = planar ? nb_samples : nb_samples * channels;
    for (int p = 0; p < planes; ++p) {
        switch (AVLib.av_get_packed_sample_fmt(format)) {
        case AV_SAMPLE_FMT_U8: ScaleInts<uint8_t, 0, 255>(data[p], count, volume, 128); break;
        case AV_SAMPLE_FMT_S16: ScaleInts<int16_t, INT16_MIN, INT16_MAX>(data[p], count, volume); break;
        case AV_SAMPLE_FMT_S32: ScaleInts<int32_t, INT32_MIN, INT32_MAX>(data[p], count, volume); break;
        case AV_SAMPLE_FMT_S64: {
            // Too wide for the integer product: the same factor in floating point.
            int64_t* s = reinterpret_cast<int64_t*>(data[p]);
            for (int i = 0; i < count; ++i) {
                const long double v = std::floor((static_cast<long double>(s[i]) * volume + 128) / 256);
                s[i] = v >= 9.2233720368547758e18L ? INT64_MAX : v <= -9.2233720368547758e18L ? INT64_MIN : int64_t(v);
            }
            break;
        }
        case AV_SAMPLE_FMT_FLT: ScaleFloats<float>(data[p], count, volume); break;
        case AV_SAMPLE_FMT_DBL: ScaleFloats<double>(data[p], count, volume); break;
        default: break;
        }
    }
}

TAudioSyncAction AudioSyncAction(double delta, bool is_start, float drift_threshold, int sample_rate, int method) {
    if (method == 0 || std::fabs(delta) <= 50)
        return asNone;
    if (is_start || std::fabs(delta) > double(drift_threshold) * sample_rate)
        return asHardCorrection;
    return method > 1 ? asCompensation : asNone;
}

int AudioCompensation(double delta, int method) {
    return int(std::clamp<double>(std::trunc(delta), -method, method));
}

void TTranscodeRun::EnsureResampler(TAVOutputStream& ost, AVFrame* decoded) {
    AVCodecContext* enc = ost.enc;
    if (ost.swr)
        return;
    // A source that names no layout has the usual one of its channel count.
    AVChannelLayout input{};
    if (decoded->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        AVLib.av_channel_layout_default(&input, decoded->ch_layout.nb_channels);
    else
        AVLib.av_channel_layout_copy(&input, &decoded->ch_layout);
    const int made = AVLib.swr_alloc_set_opts2(&ost.swr, &enc->ch_layout, enc->sample_fmt, enc->sample_rate, &input,
                                               AVSampleFormat(decoded->format), decoded->sample_rate, 0, nullptr);
    AVLib.av_channel_layout_uninit(&input);
    if (made >= 0) {
        AVLib.av_opt_set_int(ost.swr, "filter_size", 16, 0);
        AVLib.av_opt_set_int(ost.swr, "phase_shift", 10, 0);
        AVLib.av_opt_set_int(ost.swr, "linear_interp", 0, 0);
        AVLib.av_opt_set_double(ost.swr, "cutoff", 0.8, 0);
        if (AVLib.swr_init(ost.swr) >= 0)
            return;
    }
    AVLib.swr_free(&ost.swr);
    throw FFmpegException(Format("Can not resample %d channels @ %d Hz to %d channels @ %d Hz",
                                 decoded->ch_layout.nb_channels, decoded->sample_rate, enc->ch_layout.nb_channels,
                                 enc->sample_rate));
}

void TTranscodeRun::DoAudioOut(TAVOutputStream& ost, TAVInputStream& ist, AVFrame* decoded) {
    AVCodecContext* enc = ost.enc;
    TFFLogger* logger = GetFFLogger();
    EnsureResampler(ost, decoded);
    if (!ost.fifo) {
        ost.fifo = AVLib.av_audio_fifo_alloc(enc->sample_fmt, enc->ch_layout.nb_channels, 1024);
        if (!ost.fifo)
            throw FFmpegException("av_fifo_alloc fail");
    }
    const int isize = AVLib.av_get_bytes_per_sample(AVSampleFormat(decoded->format));
    const bool planar = AVLib.av_sample_fmt_is_planar(AVSampleFormat(decoded->format));
    const int channels = decoded->ch_layout.nb_channels;
    const uint8_t* in[64] = {};
    const int planes = planar ? std::min(channels, 64) : 1;
    for (int p = 0; p < planes; ++p)
        in[p] = decoded->extended_data[p];
    int in_samples = decoded->nb_samples;

    const double ipts = double(ost.sync_ist->pts - FJob.Options().Fstart_time) / 1000000.0;
    const int fifo_samples = AVLib.av_audio_fifo_size(ost.fifo);
    if (FJob.Options().Faudio_sync_method != 0) {
        const double delta = ipts * enc->sample_rate - double(ost.sync_opts) - fifo_samples;
        switch (AudioSyncAction(delta, ist.is_start != 0, FJob.Options().Faudio_drift_threshold, enc->sample_rate,
                                FJob.Options().Faudio_sync_method)) {
        case asHardCorrection: {
            const int64_t sample_delta = int64_t(delta * decoded->sample_rate / enc->sample_rate);
            if (sample_delta < 0) {
                const int drop = int(std::min<int64_t>(-sample_delta, in_samples));
                const int step = planar ? isize : isize * channels;
                for (int p = 0; p < planes; ++p)
                    in[p] += ptrdiff_t(drop) * step;
                in_samples -= drop;
                if (FJob.Options().Fverbose > 2)
                    logger->Log(&FJob, llVerbose, "discarding %d audio samples", int(-delta));
                if (in_samples == 0)
                    return;
                ist.is_start = 0;
            } else {
                ist.is_start = 0;
                if (AVLib.swr_inject_silence(ost.swr, int(std::min<int64_t>(sample_delta, INT32_MAX))) < 0)
                    throw FFmpegException("Out of memory in do_audio_out");
                if (FJob.Options().Fverbose > 2)
                    logger->Log(&FJob, llVerbose, "adding %d audio samples of silence", int(delta));
            }
            break;
        }
        case asCompensation: {
            const int comp = AudioCompensation(delta, FJob.Options().Faudio_sync_method);
            if (FJob.Options().Fverbose > 2)
                logger->Log(&FJob, llVerbose, "compensating audio timestamp drift:%f compensation:%d in:%d", delta,
                            comp, enc->sample_rate);
            AVLib.swr_set_compensation(ost.swr, comp, enc->sample_rate);
            break;
        }
        case asNone: break;
        }
    } else {
        ost.sync_opts = std::llrint(ipts * enc->sample_rate) - fifo_samples;
    }

    const int converted = Resample(ost, in, in_samples);
    if (converted < 0) {
        if (FJob.Options().Fexit_on_error)
            throw FFmpegException("av_audio_convert() failed");
        logger->Log(&FJob, llError, "av_audio_convert() failed");
        return;
    }
    WriteAudioFrames(ost, false);
}

// Converts a block (or, with no input, what the resampler still holds) into the
// stream's FIFO; answers the samples converted or a negative library error.
int TTranscodeRun::Resample(TAVOutputStream& ost, const uint8_t** in, int in_samples) {
    AVCodecContext* enc = ost.enc;
    const int capacity = AVLib.swr_get_out_samples(ost.swr, in_samples);
    if (capacity < 0)
        throw FFmpegException("Buffer sizes too large in do_audio_out");
    // One buffer serves every output stream: it is rebuilt when it does not fit this one.
    if (!FAudioOut.Converted->data[0] || FAudioOut.Converted->nb_samples < capacity || FAudioOut.Converted->format != enc->sample_fmt ||
        AVLib.av_channel_layout_compare(&FAudioOut.Converted->ch_layout, &enc->ch_layout) != 0) {
        AVLib.av_frame_unref(FAudioOut.Converted);
        FAudioOut.Converted->format = enc->sample_fmt;
        FAudioOut.Converted->nb_samples = std::max(capacity, 1024);
        FAudioOut.Converted->sample_rate = enc->sample_rate;
        if (AVLib.av_channel_layout_copy(&FAudioOut.Converted->ch_layout, &enc->ch_layout) < 0 ||
            AVLib.av_frame_get_buffer(FAudioOut.Converted, 0) < 0)
            throw FFmpegException("Out of memory in do_audio_out");
    }
    const int converted = LibraryCall(
        [&] { return AVLib.swr_convert(ost.swr, FAudioOut.Converted->extended_data, FAudioOut.Converted->nb_samples, in, in_samples); });
    if (converted > 0 &&
        AVLib.av_audio_fifo_write(ost.fifo, reinterpret_cast<void**>(FAudioOut.Converted->extended_data), converted) < converted)
        throw FFmpegException("av_fifo_realloc2() failed");
    return converted;
}

// The resampler keeps the last few samples of the input for its filter; at the
// end they belong to the output too.
void TTranscodeRun::DrainResampler(TAVOutputStream& ost) {
    if (!ost.swr || !ost.fifo)
        return;
    while (Resample(ost, nullptr, 0) > 0) {
    }
}

void TTranscodeRun::WriteAudioFrames(TAVOutputStream& ost, bool AFlush) {
    AVCodecContext* enc = ost.enc;
    if (!ost.fifo)
        return;
    const int frame_size = enc->frame_size;
    const bool anySize = frame_size <= 1 || (enc->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
    const bool shortLast = enc->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME;
    TOutputClock& clock = Clock(ost);
    for (;;) {
        const int avail = AVLib.av_audio_fifo_size(ost.fifo);
        int take = 0, samples = 0;
        if (anySize) {
            take = samples = avail;
        } else if (avail >= frame_size) {
            take = samples = frame_size;
        } else if (AFlush && avail > 0) {
            take = avail;
            samples = shortLast ? avail : frame_size;  // else padded with silence to one frame
        }
        if (take == 0)
            return;
        AVLib.av_frame_unref(FAudioOut.EncoderFrame);
        FAudioOut.EncoderFrame->format = enc->sample_fmt;
        FAudioOut.EncoderFrame->nb_samples = samples;
        FAudioOut.EncoderFrame->sample_rate = enc->sample_rate;
        if (AVLib.av_channel_layout_copy(&FAudioOut.EncoderFrame->ch_layout, &enc->ch_layout) < 0 ||
            AVLib.av_frame_get_buffer(FAudioOut.EncoderFrame, 0) < 0)
            throw FFmpegException("Out of memory in do_audio_out");
        if (AVLib.av_audio_fifo_read(ost.fifo, reinterpret_cast<void**>(FAudioOut.EncoderFrame->extended_data), take) < take)
            throw FFmpegException("Audio encoding failed");
        if (samples > take)
            AVLib.av_samples_set_silence(FAudioOut.EncoderFrame->extended_data, take, samples - take,
                                         enc->ch_layout.nb_channels, enc->sample_fmt);
        // Time stamps only grow, whatever the input clock does.
        int64_t pts = AVLib.av_rescale_q(ost.sync_opts, AVRational{1, enc->sample_rate}, enc->time_base);
        if (clock.next_pts != AV_NOPTS_VALUE && pts < clock.next_pts)
            pts = clock.next_pts;
        FAudioOut.EncoderFrame->pts = pts;
        clock.next_pts = pts + AVLib.av_rescale_q(samples, AVRational{1, enc->sample_rate}, enc->time_base);
        ost.sync_opts += samples;
        EncodeFrame(ost, FAudioOut.EncoderFrame);
        if (anySize)
            return;
    }
}

void TTranscodeRun::FlushEncoder(TAVOutputStream& ost) {
    TOutputClock& clock = Clock(ost);
    if (clock.drained || !ost.encoding_needed)
        return;
    clock.drained = true;
    if (ost.enc->codec_type == AVMEDIA_TYPE_AUDIO) {
        DrainResampler(ost);
        WriteAudioFrames(ost, true);
    }
    else if (ost.enc->codec_type != AVMEDIA_TYPE_VIDEO)
        return;
    EncodeFrame(ost, nullptr);
}
