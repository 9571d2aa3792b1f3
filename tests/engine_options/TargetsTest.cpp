#include "engine/transcode/FFmpegException.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "tests/engine_job/JobTestSupport.h"

namespace {

// A short video-only input at the given rate.
std::string VideoAt(int ANum, int ADen) {
    const std::string name = TJobMedia::Instance().Scratch(Format("rate_%d_%d.mkv", ANum, ADen));
    if (!FileExists(name)) {
        testmedia::TMediaPlan plan;
        plan.Video.push_back({});
        plan.Video[0].RateNum = ANum;
        plan.Video[0].RateDen = ADen;
        plan.Video[0].Frames = 4;
        testmedia::WriteMediaFile(name, plan);
    }
    return name;
}

struct TTargetCase {
    const char* Target;
    int Width, Height;
    AVRational Rate;
    const char* Format;
    const char* VideoCodec;
    const char* AudioCodec;
    AVPixelFormat PixFmt;
    int Gop;  // 0: not set by the target
    int SampleRate;
    float Aspect;  // 0: not set by the target
};

} // namespace

TEST_F(JobTest, TargetsForEveryNorm) {
    const float a43 = 4.0f / 3.0f, a169 = 16.0f / 9.0f;
    const AVRational pal{25, 1}, ntsc{30000, 1001}, film{24000, 1001};
    const AVPixelFormat none = AV_PIX_FMT_NONE;
    const TTargetCase cases[] = {
        {"pal-vcd", 352, 288, pal, "vcd", "mpeg1video", "mp2", none, 15, 44100, a43},
        {"ntsc-vcd", 352, 240, ntsc, "vcd", "mpeg1video", "mp2", none, 18, 44100, a43},
        {"film-vcd", 352, 240, film, "vcd", "mpeg1video", "mp2", none, 18, 44100, a43},
        {"pal-svcd", 480, 576, pal, "svcd", "mpeg2video", "mp2", none, 15, 44100, a43},
        {"ntsc-svcd", 480, 480, ntsc, "svcd", "mpeg2video", "mp2", none, 18, 44100, a43},
        {"film-svcd", 480, 480, film, "svcd", "mpeg2video", "mp2", none, 18, 44100, a43},
        {"pal-dvd", 720, 576, pal, "dvd", "mpeg2video", "ac3", none, 15, 48000, a169},
        {"ntsc-dvd", 720, 480, ntsc, "dvd", "mpeg2video", "ac3", none, 18, 48000, a169},
        {"film-dvd", 720, 480, film, "dvd", "mpeg2video", "ac3", none, 18, 48000, a169},
        {"pal-dv", 720, 576, pal, "dv", "", "", AV_PIX_FMT_YUV420P, 0, 48000, 0},
        {"ntsc-dv", 720, 480, ntsc, "dv", "", "", AV_PIX_FMT_YUV411P, 0, 48000, 0},
        {"film-dv", 720, 480, film, "dv", "", "", AV_PIX_FMT_YUV411P, 0, 48000, 0},
        {"pal-dv50", 720, 576, pal, "dv", "", "", AV_PIX_FMT_YUV422P, 0, 48000, 0},
        {"ntsc-dv50", 720, 480, ntsc, "dv", "", "", AV_PIX_FMT_YUV422P, 0, 48000, 0},
        {"film-dv50", 720, 480, film, "dv", "", "", AV_PIX_FMT_YUV422P, 0, 48000, 0},
    };
    for (const TTargetCase& c : cases) {
        TCustomFFmpeg job(2);
        job.Reset();
        job.SetAudioChannels(1);
        ASSERT_EQ(RaisedText([&] { job.ParseOption("target", c.Target); }), "") << c.Target;
        EXPECT_EQ(job.Options().Fframe_width, c.Width) << c.Target;
        EXPECT_EQ(job.Options().Fframe_height, c.Height) << c.Target;
        EXPECT_EQ(job.Options().Fframe_rate.num * c.Rate.den, c.Rate.num * job.Options().Fframe_rate.den) << c.Target;
        EXPECT_EQ(job.Options().Flast_asked_format, c.Format) << c.Target;
        EXPECT_EQ(job.Options().Fvideo_codec_name, c.VideoCodec) << c.Target;
        EXPECT_EQ(job.Options().Faudio_codec_name, c.AudioCodec) << c.Target;
        EXPECT_EQ(job.Options().Fframe_pix_fmt, c.PixFmt) << c.Target;
        if (c.Gop) {
            EXPECT_EQ(CodecInt(job, AVMEDIA_TYPE_VIDEO, "g"), c.Gop) << c.Target;
        }
        EXPECT_EQ(job.Options().Faudio_sample_rate, c.SampleRate) << c.Target;
        EXPECT_EQ(job.Options().Faudio_channels, 2) << c.Target;  // 1 becomes 2 for every target
        EXPECT_FLOAT_EQ(job.Options().Fframe_aspect_ratio, c.Aspect) << c.Target;
    }
}

TEST_F(JobTest, TargetRatesBuffersAndMuxerSettings) {
    struct TCase {
        const char* Target;
        int64_t Bitrate, MaxRate, MinRate, BufSize, AudioBitrate, PacketSize;
        const char* MuxRate;  // in the muxer options; "" for none
        bool ScanOffset;
        float Preload;
    };
    const TCase cases[] = {
        {"pal-vcd", 1150000, 1150000, 1150000, 327680, 224000, 2324, "1411200", false, 0.44f},
        {"pal-svcd", 2040000, 2516000, 0, 1835008, 224000, 2324, "", true, 0.5f},
        {"pal-dvd", 6000000, 9000000, 0, 1835008, 448000, 2048, "10080000", false, 0.5f},
    };
    for (const TCase& c : cases) {
        TCustomFFmpeg job(2);
        job.Reset();
        job.ParseOption("target", c.Target);
        EXPECT_EQ(CodecInt(job, AVMEDIA_TYPE_VIDEO, "b"), c.Bitrate) << c.Target;
        EXPECT_EQ(CodecInt(job, AVMEDIA_TYPE_VIDEO, "maxrate"), c.MaxRate) << c.Target;
        EXPECT_EQ(CodecInt(job, AVMEDIA_TYPE_VIDEO, "minrate"), c.MinRate) << c.Target;
        EXPECT_EQ(CodecInt(job, AVMEDIA_TYPE_VIDEO, "bufsize"), c.BufSize) << c.Target;
        EXPECT_EQ(CodecInt(job, AVMEDIA_TYPE_AUDIO, "b"), c.AudioBitrate) << c.Target;
        EXPECT_EQ(FormatInt(job, "packetsize"), c.PacketSize) << c.Target;
        EXPECT_FLOAT_EQ(job.Options().Fmux_preload, c.Preload) << c.Target;

        // What only the MPEG muxer and the MPEG-2 encoder know reaches them.
        ASSERT_EQ(job.OpenOutputFile(Scratch(std::string(c.Target) + ".mpg"), false), 1) << job.LastErrMsg();
        const TJobOutputFile& output = job.OutputFile(0);
        EXPECT_EQ(output.ctx->packet_size, unsigned(c.PacketSize)) << c.Target;
        EXPECT_EQ(DictValue(output.muxer_opts, "muxrate"), c.MuxRate) << c.Target;
        EXPECT_EQ(DictValue(output.muxer_opts, "preload"), IntToStr(int64_t(c.Preload * 1000000))) << c.Target;
        const TJobOutputStream& video = *output.streams.at(0);
        EXPECT_EQ(DictValue(video.codec_opts, "scan_offset"), c.ScanOffset ? "1" : "") << c.Target;
        const TJobOutputStream& audio = *output.streams.at(1);
        EXPECT_EQ(audio.enc->sample_rate, job.Options().Faudio_sample_rate) << c.Target;
        job.Reset();
    }
}

TEST_F(JobTest, TargetTextsAndNormRules) {
    // A new job knows no frame rate: the check comes before the target name.
    EXPECT_EQ(RaisedText([&] { Job->ParseOption("target", "dvd"); }), "frame_rate is invalid.");
    EXPECT_EQ(RaisedText([&] { Job->ParseOption("target", "nosuch"); }), "frame_rate is invalid.");

    // After a 25 fps input: PAL; a capitalised prefix is not split, so the
    // whole text is the target, which fails, and nothing is set.
    ASSERT_TRUE(Job->OpenInputFile(Media("video"))) << Job->LastErrMsg();
    const int width = Job->Options().Fframe_width;
    EXPECT_EQ(RaisedText([&] { Job->ParseOption("target", "PAL-dvd"); }), "Unknown target type");
    EXPECT_EQ(Job->Options().Fframe_width, width);
    EXPECT_TRUE(Job->Options().Fvideo_codec_name.empty());
    EXPECT_EQ(Job->FOptions.format_dict, nullptr);

    EXPECT_EQ(RaisedText([&] { Job->ParseOption("target", " dvd "); }), "");
    EXPECT_EQ(Job->Options().Fframe_width, 720);
    EXPECT_EQ(Job->Options().Fframe_height, 576);
    EXPECT_EQ(Job->Options().Faudio_codec_name, "ac3");
    EXPECT_EQ(Job->Options().Faudio_sample_rate, 48000);
    ASSERT_EQ(Job->OpenOutputFile(Scratch("auto.vob"), false), 1) << Job->LastErrMsg();
    EXPECT_EQ(DictValue(Job->OutputFile(0).muxer_opts, "muxrate"), "10080000");
}

TEST_F(JobTest, AutomaticNormComesFromTheRateThenTheInputsThenTheDefault) {
    struct TCase {
        const char* Name;
        AVRational InputRate;   // {0, 0}: no input
        const char* ForcedRate; // "r" after the input: "" for none
        const char* DefaultNorm;
        int Height;             // of "vcd": 288 PAL, 240 NTSC and film
        AVRational Rate;
    };
    const TCase cases[] = {
        {"25 fps input", {25, 1}, "", "ntsc", 288, {25, 1}},
        {"29.97 fps input", {30000, 1001}, "", "pal", 240, {30000, 1001}},
        {"23.976 fps input", {24000, 1001}, "", "pal", 240, {30000, 1001}},
        // The job's rate decides nothing, the input's stream does.
        {"29.97 fps stream, r 15", {30000, 1001}, "15", "pal", 240, {30000, 1001}},
        {"15 fps, default ntsc", {15, 1}, "", "ntsc", 240, {30000, 1001}},
        {"15 fps, default film", {15, 1}, "", "film", 240, {24000, 1001}},
        {"15 fps, default pal", {15, 1}, "", "other", 288, {25, 1}},
    };
    for (const TCase& c : cases) {
        TCustomFFmpeg job(2);
        job.Reset();
        ASSERT_TRUE(job.OpenInputFile(VideoAt(c.InputRate.num, c.InputRate.den))) << c.Name;
        job.ParseOption("r", c.ForcedRate);
        ASSERT_EQ(RaisedText([&] { job.SetTarget("vcd", "auto", c.DefaultNorm); }), "") << c.Name;
        EXPECT_EQ(job.Options().Fframe_height, c.Height) << c.Name;
        EXPECT_EQ(job.Options().Fframe_rate.num * c.Rate.den, c.Rate.num * job.Options().Fframe_rate.den) << c.Name;
    }
    EXPECT_TRUE(Log.Has(llVerbose, "Assuming NTSC for target."));
    EXPECT_TRUE(Log.Has(llVerbose, "Assuming PAL for target."));
}

TEST_F(JobTest, SvcdKeepsSixChannelsAndAspectWhenSet) {
    Job->SetAudioChannels(6);
    Job->SetAspectRatio("2.35");
    Job->ParseOption("target", "ntsc-svcd");
    EXPECT_EQ(Job->Options().Faudio_channels, 6);
    EXPECT_FLOAT_EQ(Job->Options().Fframe_aspect_ratio, 2.35f);
    EXPECT_FALSE(Log.Has(llInfo, "Assuming 4:3 for aspect ratio"));
    Job->Reset();
    Job->ParseOption("target", "pal-dvd");
    EXPECT_TRUE(Log.Has(llInfo, "Assuming 16:9 for aspect ratio"));
}
