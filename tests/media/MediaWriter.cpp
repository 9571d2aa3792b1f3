#include "tests/media/MediaWriter.h"

#include <algorithm>
#include <cmath>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include "platform/core/Exception.h"
#include "tests/media/FramePattern.h"

namespace testmedia {
namespace {

std::string ErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

void Check(int code, const std::string& what) {
    if (code < 0)
        throw Exception(what + ": " + ErrorText(code));
}

struct TCodecContextDeleter {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct TFrameDeleter {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct TPacketDeleter {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct TScalerDeleter {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
using TCodecContextPtr = std::unique_ptr<AVCodecContext, TCodecContextDeleter>;
using TFramePtr = std::unique_ptr<AVFrame, TFrameDeleter>;
using TPacketPtr = std::unique_ptr<AVPacket, TPacketDeleter>;
using TScalerPtr = std::unique_ptr<SwsContext, TScalerDeleter>;

// Owns the output context and closes what it opened, also when writing throws.
class TOutput {
public:
    TOutput(const std::string& path, const std::string& format) {
        Check(avformat_alloc_output_context2(&FContext, nullptr, format.empty() ? nullptr : format.c_str(),
                                             path.c_str()),
              "no muxer for " + path);
    }
    ~TOutput() {
        if (FOpened)
            avio_closep(&FContext->pb);
        avformat_free_context(FContext);
    }
    AVFormatContext* Context() const { return FContext; }
    void Open(const std::string& path) {
        if (!(FContext->oformat->flags & AVFMT_NOFILE)) {
            Check(avio_open(&FContext->pb, path.c_str(), AVIO_FLAG_WRITE), "cannot create " + path);
            FOpened = true;
        }
    }

private:
    AVFormatContext* FContext = nullptr;
    bool FOpened = false;
};

const AVCodec* FindEncoder(const std::string& name) {
    const AVCodec* codec = avcodec_find_encoder_by_name(name.c_str());
    if (!codec)
        throw Exception("no encoder " + name);
    return codec;
}

// One stream being written: its encoder and the time of its next unit.
class TTrackWriter {
public:
    TTrackWriter(AVFormatContext* output, const AVCodec* codec) : FOutput(output) {
        FCodec.reset(avcodec_alloc_context3(codec));
        FStream = avformat_new_stream(output, nullptr);
        FPacket.reset(av_packet_alloc());
        if (!FCodec || !FStream || !FPacket)
            throw Exception("out of memory");
        FCodec->thread_count = 1;
        // Keeps the encoders' statistics out of the test output; errors still show.
        FCodec->log_level_offset = 16;
        if (output->oformat->flags & AVFMT_GLOBALHEADER)
            FCodec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    virtual ~TTrackWriter() = default;

    virtual bool Done() const = 0;
    // Time of the next unit, in the encoder's time base.
    virtual int64_t NextTime() const = 0;
    virtual void WriteNext() = 0;
    virtual void Flush() { Send(nullptr); }

    AVRational TimeBase() const { return FCodec->time_base; }

protected:
    void OpenCodec(const std::string& language, AVDictionary* options) {
        const std::string name = FCodec->codec->name;
        const int opened = avcodec_open2(FCodec.get(), FCodec->codec, &options);
        av_dict_free(&options);
        Check(opened, "cannot open encoder " + name);
        Check(avcodec_parameters_from_context(FStream->codecpar, FCodec.get()), "cannot copy codec parameters");
        FStream->time_base = FCodec->time_base;
        if (!language.empty())
            av_dict_set(&FStream->metadata, "language", language.c_str(), 0);
    }

    void Send(const AVFrame* frame) {
        Check(avcodec_send_frame(FCodec.get(), frame), "cannot encode");
        for (;;) {
            const int got = avcodec_receive_packet(FCodec.get(), FPacket.get());
            if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
                return;
            Check(got, "cannot encode");
            WritePacket(FPacket.get());
        }
    }

    void WritePacket(AVPacket* packet) {
        av_packet_rescale_ts(packet, FCodec->time_base, FStream->time_base);
        packet->stream_index = FStream->index;
        Check(av_interleaved_write_frame(FOutput, packet), "cannot write packet");
    }

    AVFormatContext* FOutput;
    TCodecContextPtr FCodec;
    AVStream* FStream = nullptr;
    TPacketPtr FPacket;
};

class TVideoWriter : public TTrackWriter {
public:
    TVideoWriter(AVFormatContext* output, const TVideoTrack& track)
        : TTrackWriter(output, FindEncoder(track.Codec)), FTrack(track) {
        if (track.Frames > FramePatternMaxIndex + 1)
            throw Exception("too many frames for the frame pattern");
        const AVCodec* codec = FCodec->codec;
        AVCodecContext* c = FCodec.get();
        c->width = track.Width;
        c->height = track.Height;
        c->time_base = AVRational{track.RateDen, track.RateNum};
        c->framerate = AVRational{track.RateNum, track.RateDen};
        c->gop_size = track.GopSize;
        c->max_b_frames = track.MaxBFrames;
        c->pix_fmt = AV_PIX_FMT_YUV420P;
        if (!track.PixelFormat.empty()) {
            c->pix_fmt = av_get_pix_fmt(track.PixelFormat.c_str());
            if (c->pix_fmt == AV_PIX_FMT_NONE)
                throw Exception("no pixel format " + track.PixelFormat);
        } else if (codec->pix_fmts) {
            const AVPixelFormat* f = codec->pix_fmts;
            while (*f != AV_PIX_FMT_NONE && *f != AV_PIX_FMT_YUV420P)
                ++f;
            if (*f == AV_PIX_FMT_NONE)
                c->pix_fmt = codec->pix_fmts[0];
        }
        AVDictionary* options = nullptr;
        if (track.Codec == "libx264") {
            av_dict_set(&options, "preset", "veryfast", 0);
            av_dict_set_int(&options, "crf", track.Quality, 0);
        } else {
            c->flags |= AV_CODEC_FLAG_QSCALE;
            c->global_quality = FF_QP2LAMBDA * track.Quality;
        }
        for (const auto& [name, value] : track.CodecOptions)
            av_dict_set(&options, name.c_str(), value.c_str(), 0);
        OpenCodec(track.Language, options);
        FStream->avg_frame_rate = c->framerate;
        if (track.Rotation != 0) {
            auto* matrix = reinterpret_cast<int32_t*>(
                av_stream_new_side_data(FStream, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(int32_t)));
            if (!matrix)
                throw Exception("out of memory");
            av_display_rotation_set(matrix, double(track.Rotation));
        }

        FPattern = MakeFrame(AV_PIX_FMT_YUV420P);
        if (c->pix_fmt != AV_PIX_FMT_YUV420P) {
            FEncoded = MakeFrame(c->pix_fmt);
            FScaler.reset(sws_getContext(c->width, c->height, AV_PIX_FMT_YUV420P, c->width, c->height, c->pix_fmt,
                                         SWS_POINT, nullptr, nullptr, nullptr));
            if (!FScaler)
                throw Exception("no scaler to the encoder's pixel format");
        }
    }

    bool Done() const override { return FNext >= FTrack.Frames; }
    int64_t NextTime() const override { return FNext; }

    void WriteNext() override {
        Check(av_frame_make_writable(FPattern.get()), "frame not writable");
        DrawFramePattern(FPattern->data, FPattern->linesize, FTrack.Width, FTrack.Height, int(FNext));
        AVFrame* frame = FPattern.get();
        if (FScaler) {
            Check(av_frame_make_writable(FEncoded.get()), "frame not writable");
            sws_scale(FScaler.get(), FPattern->data, FPattern->linesize, 0, FTrack.Height, FEncoded->data,
                      FEncoded->linesize);
            frame = FEncoded.get();
        }
        frame->pts = FNext++;
        Send(frame);
    }

private:
    TFramePtr MakeFrame(AVPixelFormat format) const {
        TFramePtr frame(av_frame_alloc());
        if (!frame)
            throw Exception("out of memory");
        frame->format = format;
        frame->width = FTrack.Width;
        frame->height = FTrack.Height;
        Check(av_frame_get_buffer(frame.get(), 0), "cannot allocate a picture");
        return frame;
    }

    TVideoTrack FTrack;
    int64_t FNext = 0;
    TFramePtr FPattern, FEncoded;
    TScalerPtr FScaler;
};

class TAudioWriter : public TTrackWriter {
public:
    TAudioWriter(AVFormatContext* output, const TAudioTrack& track)
        : TTrackWriter(output, FindEncoder(track.Codec)), FTrack(track) {
        const AVCodec* codec = FCodec->codec;
        AVCodecContext* c = FCodec.get();
        c->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
        c->sample_rate = track.SampleRate;
        av_channel_layout_default(&c->ch_layout, track.Channels);
        c->bit_rate = track.BitRate;
        c->time_base = AVRational{1, track.SampleRate};
        OpenCodec(track.Language, nullptr);

        FFrameSize = c->frame_size > 0 ? c->frame_size : 1024;
        FShortLastFrame = codec->capabilities & (AV_CODEC_CAP_VARIABLE_FRAME_SIZE | AV_CODEC_CAP_SMALL_LAST_FRAME);
        FFrame.reset(av_frame_alloc());
        if (!FFrame)
            throw Exception("out of memory");
        FFrame->format = c->sample_fmt;
        FFrame->sample_rate = c->sample_rate;
        Check(av_channel_layout_copy(&FFrame->ch_layout, &c->ch_layout), "cannot copy the channel layout");
        FFrame->nb_samples = FFrameSize;
        Check(av_frame_get_buffer(FFrame.get(), 0), "cannot allocate samples");
    }

    bool Done() const override { return FNext >= FTrack.Samples; }
    int64_t NextTime() const override { return FNext; }

    void WriteNext() override {
        Check(av_frame_make_writable(FFrame.get()), "frame not writable");
        const int left = int(FTrack.Samples - FNext);
        const int count = std::min(left, FFrameSize);
        FFrame->nb_samples = FShortLastFrame ? count : FFrameSize;
        for (int n = 0; n < FFrame->nb_samples; ++n) {
            const double value =
                n < count ? 0.3 * std::sin(2.0 * M_PI * FTrack.ToneHz * double(FNext + n) / FTrack.SampleRate) : 0.0;
            for (int ch = 0; ch < FTrack.Channels; ++ch)
                PutSample(n, ch, value);
        }
        FFrame->pts = FNext;
        FNext += count;
        Send(FFrame.get());
    }

private:
    void PutSample(int n, int channel, double value) {
        const auto format = AVSampleFormat(FFrame->format);
        const bool planar = av_sample_fmt_is_planar(format);
        uint8_t* base = FFrame->extended_data[planar ? channel : 0];
        const int at = planar ? n : n * FTrack.Channels + channel;
        switch (av_get_packed_sample_fmt(format)) {
        case AV_SAMPLE_FMT_S16: reinterpret_cast<int16_t*>(base)[at] = int16_t(value * 32767); break;
        case AV_SAMPLE_FMT_S32: reinterpret_cast<int32_t*>(base)[at] = int32_t(value * 2147483647.0); break;
        case AV_SAMPLE_FMT_FLT: reinterpret_cast<float*>(base)[at] = float(value); break;
        case AV_SAMPLE_FMT_DBL: reinterpret_cast<double*>(base)[at] = value; break;
        case AV_SAMPLE_FMT_U8: base[at] = uint8_t(128 + value * 127); break;
        default: throw Exception("unsupported sample format of encoder " + FTrack.Codec);
        }
    }

    TAudioTrack FTrack;
    int64_t FNext = 0;
    int FFrameSize = 0;
    bool FShortLastFrame = false;
    TFramePtr FFrame;
};

class TSubtitleWriter : public TTrackWriter {
public:
    TSubtitleWriter(AVFormatContext* output, const TSubtitleTrack& track)
        : TTrackWriter(output, FindEncoder(track.Codec)), FTrack(track) {
        FCodec->time_base = AVRational{1, 1000};
        // The text encoders read their styles from a header of the styled-text form;
        // with the usual default style they add no markup to the text.
        static const char header[] = "[Script Info]\r\nScriptType: v4.00+\r\n\r\n[V4+ Styles]\r\n"
                                     "Format: Name, Fontname, Fontsize, PrimaryColour, Alignment\r\n"
                                     "Style: Default,Arial,16,&Hffffff,2\r\n\r\n"
                                     "[Events]\r\nFormat: Layer, Start, End, Style, Text\r\n";
        FCodec->subtitle_header = static_cast<uint8_t*>(av_malloc(sizeof header));
        if (!FCodec->subtitle_header)
            throw Exception("out of memory");
        std::copy(header, header + sizeof header, FCodec->subtitle_header);
        FCodec->subtitle_header_size = sizeof header - 1;
        OpenCodec(track.Language, nullptr);
    }

    bool Done() const override { return FNext >= FTrack.Cues.size(); }
    int64_t NextTime() const override { return FTrack.Cues[FNext].StartMS; }

    void WriteNext() override {
        const TSubtitleCue& cue = FTrack.Cues[FNext++];
        // The text encoders take each cue as one dialogue line of the styled-text form.
        std::string dialogue = "0,0,Default,,0,0,0,," + cue.Text;
        AVSubtitleRect rect{};
        rect.type = SUBTITLE_ASS;
        rect.ass = dialogue.data();
        AVSubtitleRect* rects[] = {&rect};
        AVSubtitle subtitle{};
        subtitle.num_rects = 1;
        subtitle.rects = rects;
        subtitle.end_display_time = uint32_t(cue.EndMS - cue.StartMS);
        subtitle.pts = cue.StartMS * 1000;
        uint8_t buffer[4096];
        const int size = avcodec_encode_subtitle(FCodec.get(), buffer, sizeof buffer, &subtitle);
        Check(size, "cannot encode subtitle");
        Check(av_new_packet(FPacket.get(), size), "out of memory");
        std::copy(buffer, buffer + size, FPacket->data);
        FPacket->pts = FPacket->dts = cue.StartMS;
        FPacket->duration = cue.EndMS - cue.StartMS;
        WritePacket(FPacket.get());
    }

    void Flush() override {}

private:
    TSubtitleTrack FTrack;
    size_t FNext = 0;
};

} // namespace

int64_t TMediaPlan::DurationUS() const {
    int64_t longest = 0;
    for (const auto& t : Video)
        longest = std::max(longest, t.DurationUS());
    for (const auto& t : Audio)
        longest = std::max(longest, t.DurationUS());
    for (const auto& t : Subtitles)
        longest = std::max(longest, t.DurationUS());
    return longest;
}

void WriteMediaFile(const std::string& path, const TMediaPlan& plan) {
    TOutput output(path, plan.Format);
    AVFormatContext* oc = output.Context();
    std::vector<std::unique_ptr<TTrackWriter>> tracks;
    for (const auto& t : plan.Video)
        tracks.push_back(std::make_unique<TVideoWriter>(oc, t));
    for (const auto& t : plan.Audio)
        tracks.push_back(std::make_unique<TAudioWriter>(oc, t));
    for (const auto& t : plan.Subtitles)
        tracks.push_back(std::make_unique<TSubtitleWriter>(oc, t));
    for (const auto& [key, value] : plan.Metadata)
        av_dict_set(&oc->metadata, key.c_str(), value.c_str(), 0);

    output.Open(path);
    AVDictionary* options = nullptr;
    for (const auto& [name, value] : plan.MuxerOptions)
        av_dict_set(&options, name.c_str(), value.c_str(), 0);
    const int header = avformat_write_header(oc, &options);
    av_dict_free(&options);
    Check(header, "cannot write the header of " + path);

    // Interleave by time: always advance the track that is furthest behind.
    for (;;) {
        TTrackWriter* next = nullptr;
        for (auto& t : tracks)
            if (!t->Done() &&
                (!next || av_compare_ts(t->NextTime(), t->TimeBase(), next->NextTime(), next->TimeBase()) < 0))
                next = t.get();
        if (!next)
            break;
        next->WriteNext();
    }
    for (auto& t : tracks)
        t->Flush();
    Check(av_write_trailer(oc), "cannot finish " + path);
}

} // namespace testmedia
