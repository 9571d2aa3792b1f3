#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/probe/AVProbe.h"
#include "tests/engine_job/JobTestSupport.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

// What a converted file holds, as the probe and a plain read of it tell.
struct TOutputFacts {
    bool Opened = false;
    std::string Format;
    std::string VideoCodec, AudioCodec;  // empty without such a stream
    std::string VideoTag;                // the video codec tag as four characters, empty without one
    int Width = -1, Height = -1;
    AVRational FrameRate{-1, -1};
    int SampleRate = -1, Channels = -1;
    int64_t Duration = -1;               // µs, -1 unknown
    int VideoPackets = 0, AudioPackets = 0;
    int64_t AudioSamples = 0;            // decoded samples per channel of the first audio stream
    std::vector<int64_t> VideoPts;       // presentation times of the video packets, µs, in file order
};

// Decodes every packet of one stream and counts the samples per channel.
inline int64_t CountDecodedSamples(AVFormatContext* ctx, int stream) {
    const AVCodecParameters* par = ctx->streams[stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    AVCodecContext* dec = codec ? avcodec_alloc_context3(codec) : nullptr;
    int64_t samples = 0;
    if (!dec || avcodec_parameters_to_context(dec, par) < 0 || avcodec_open2(dec, codec, nullptr) < 0) {
        avcodec_free_context(&dec);
        return -1;
    }
    AVPacket* pkt = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto receive = [&] {
        while (avcodec_receive_frame(dec, frame) >= 0) {
            samples += frame->nb_samples;
            av_frame_unref(frame);
        }
    };
    while (av_read_frame(ctx, pkt) >= 0) {
        if (pkt->stream_index == stream && avcodec_send_packet(dec, pkt) >= 0)
            receive();
        av_packet_unref(pkt);
    }
    avcodec_send_packet(dec, nullptr);
    receive();
    av_frame_free(&frame);
    av_packet_free(&pkt);
    avcodec_free_context(&dec);
    return samples;
}

inline TOutputFacts ReadOutput(const std::string& path) {
    TOutputFacts facts;
    TAVProbe probe(nullptr);
    if (!probe.LoadAVLib(GetExePath() + "LibAV") || !probe.LoadFile(path))
        return facts;
    facts.Opened = true;
    facts.Format = probe.FormatName();
    facts.Duration = probe.FileStreamInfo().Duration;
    auto shortName = [](std::string s) { return s.substr(0, s.find('(')); };
    if (probe.VideoStreamCount() > 0) {
        const TVideoStreamInfo v = probe.FirstVideoStreamInfo();
        facts.VideoCodec = shortName(v.CodecName);
        facts.Width = v.Width;
        facts.Height = v.Height;
        facts.FrameRate = v.FrameRate;
    }
    if (probe.AudioStreamCount() > 0) {
        const TAudioStreamInfo a = probe.FirstAudioStreamInfo();
        facts.AudioCodec = shortName(a.CodecName);
        facts.SampleRate = a.SampleRate;
        facts.Channels = a.Channels;
    }
    // Packets as a player would read them.
    AVFormatContext* ctx = nullptr;
    if (avformat_open_input(&ctx, path.c_str(), nullptr, nullptr) == 0) {
        avformat_find_stream_info(ctx, nullptr);
        const int video = av_find_best_stream(ctx, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (video >= 0) {
            const uint32_t tag = ctx->streams[video]->codecpar->codec_tag;
            for (int i = 0; i < 4 && tag; ++i)
                facts.VideoTag += char((tag >> (8 * i)) & 0xFF);
        }
        AVPacket* pkt = av_packet_alloc();
        while (av_read_frame(ctx, pkt) >= 0) {
            const AVStream* st = ctx->streams[pkt->stream_index];
            const AVMediaType type = st->codecpar->codec_type;
            facts.VideoPackets += type == AVMEDIA_TYPE_VIDEO;
            facts.AudioPackets += type == AVMEDIA_TYPE_AUDIO;
            if (type == AVMEDIA_TYPE_VIDEO && pkt->pts != AV_NOPTS_VALUE)
                facts.VideoPts.push_back(av_rescale_q(pkt->pts, st->time_base, AV_TIME_BASE_Q));
            av_packet_unref(pkt);
        }
        av_packet_free(&pkt);
        avformat_close_input(&ctx);
    }
    // Once more from the start, decoding the audio.
    if (avformat_open_input(&ctx, path.c_str(), nullptr, nullptr) == 0) {
        avformat_find_stream_info(ctx, nullptr);
        const int audio = av_find_best_stream(ctx, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
        if (audio >= 0)
            facts.AudioSamples = CountDecodedSamples(ctx, audio);
        avformat_close_input(&ctx);
    }
    return facts;
}

// A job that converts in the calling thread.
class TranscodeTest : public JobTest {
protected:
    // Opens the input, applies the options, opens the output and runs the job.
    // False when the output could not be opened.
    bool Convert(const std::string& AInput, const std::string& AOutput,
                 const std::function<void(TCustomFFmpeg&)>& AOptions = nullptr, bool AJoin = false) {
        Job->Reset();
        if (!Job->OpenInputFile(AInput))
            return false;
        if (AOptions)
            AOptions(*Job);
        if (Job->OpenOutputFile(AOutput, AJoin) < 0)
            return false;
        Job->StartConvert(false);
        return true;
    }
};
