#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
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
    std::vector<int64_t> PictureTimes;   // times of the decoded pictures, µs, in display order
};

// A decoder of one stream of an open input; null when none can be opened.
inline AVCodecContext* OpenStreamDecoder(AVFormatContext* ctx, int stream) {
    if (stream < 0)
        return nullptr;
    const AVCodecParameters* par = ctx->streams[stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    AVCodecContext* dec = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (dec) {
        dec->pkt_timebase = ctx->streams[stream]->time_base;
        if (avcodec_parameters_to_context(dec, par) < 0 || avcodec_open2(dec, codec, nullptr) < 0)
            avcodec_free_context(&dec);
    }
    return dec;
}

// Decodes the first video and audio stream: the pictures' times (µs, in
// display order) and the audio samples per channel.
inline void DecodeStreams(AVFormatContext* ctx, std::vector<int64_t>& APictureTimes, int64_t& ASamples) {
    const int video = av_find_best_stream(ctx, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int audio = av_find_best_stream(ctx, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    AVCodecContext* vdec = OpenStreamDecoder(ctx, video);
    AVCodecContext* adec = OpenStreamDecoder(ctx, audio);
    AVPacket* pkt = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto receive = [&](AVCodecContext* dec, int stream) {
        while (dec && avcodec_receive_frame(dec, frame) >= 0) {
            if (dec == adec)
                ASamples += frame->nb_samples;
            else if (frame->best_effort_timestamp != AV_NOPTS_VALUE)
                APictureTimes.push_back(
                    av_rescale_q(frame->best_effort_timestamp, ctx->streams[stream]->time_base, AV_TIME_BASE_Q));
            av_frame_unref(frame);
        }
    };
    while (av_read_frame(ctx, pkt) >= 0) {
        AVCodecContext* dec = pkt->stream_index == video ? vdec : pkt->stream_index == audio ? adec : nullptr;
        if (dec && avcodec_send_packet(dec, pkt) >= 0)
            receive(dec, pkt->stream_index);
        av_packet_unref(pkt);
    }
    for (auto [dec, stream] : {std::pair{vdec, video}, std::pair{adec, audio}})
        if (dec && avcodec_send_packet(dec, nullptr) >= 0)
            receive(dec, stream);
    av_frame_free(&frame);
    av_packet_free(&pkt);
    avcodec_free_context(&vdec);
    avcodec_free_context(&adec);
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
            const AVMediaType type = ctx->streams[pkt->stream_index]->codecpar->codec_type;
            facts.VideoPackets += type == AVMEDIA_TYPE_VIDEO;
            facts.AudioPackets += type == AVMEDIA_TYPE_AUDIO;
            av_packet_unref(pkt);
        }
        av_packet_free(&pkt);
        avformat_close_input(&ctx);
    }
    // Once more from the start, decoding.
    if (avformat_open_input(&ctx, path.c_str(), nullptr, nullptr) == 0) {
        avformat_find_stream_info(ctx, nullptr);
        DecodeStreams(ctx, facts.PictureTimes, facts.AudioSamples);
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
