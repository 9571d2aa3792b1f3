#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "engine/probe/AVProbe.h"
#include "tests/engine_job/JobTestSupport.h"

extern "C" {
#include <libavformat/avformat.h>
}

// What a converted file holds, as the probe and a plain read of it tell.
struct TOutputFacts {
    bool Opened = false;
    std::string Format;
    std::string VideoCodec, AudioCodec;  // empty without such a stream
    int Width = -1, Height = -1;
    int SampleRate = -1, Channels = -1;
    int64_t Duration = -1;               // µs, -1 unknown
    int VideoPackets = 0, AudioPackets = 0;
};

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
