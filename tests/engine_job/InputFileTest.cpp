#include "engine/transcode/FFmpegException.h"
#include "tests/engine_job/JobTestSupport.h"

TEST_F(JobTest, InputsGiveTheirStreamsAndParameters) {
    const testmedia::TMediaPlan& plan = TJobMedia::Instance().Plan("two_audio");
    ASSERT_TRUE(Job->OpenInputFile(Media("two_audio"))) << Job->LastErrMsg();
    ASSERT_EQ(Job->nb_input_files(), 1);
    const TJobInputFile& input = Job->InputFile(0);
    ASSERT_EQ(input.streams.size(), 3u);
    const AVMediaType kinds[] = {AVMEDIA_TYPE_VIDEO, AVMEDIA_TYPE_AUDIO, AVMEDIA_TYPE_AUDIO};
    for (size_t i = 0; i < 3; ++i) {
        ASSERT_NE(input.streams[i]->dec, nullptr);
        EXPECT_EQ(input.streams[i]->dec->codec_type, kinds[i]) << i;
        EXPECT_EQ(input.streams[i]->st, input.ctx->streams[i]);
        EXPECT_EQ(input.streams[i]->codec, nullptr);
    }
    // The frame parameters of the video, the audio parameters of the last audio stream.
    EXPECT_EQ(Job->Options().Fframe_width, plan.Video[0].Width);
    EXPECT_EQ(Job->Options().Fframe_height, plan.Video[0].Height);
    EXPECT_FLOAT_EQ(Job->Options().Fframe_aspect_ratio, 4.0f / 3.0f);
    EXPECT_EQ(Job->Options().Fframe_rate.num, 25);
    EXPECT_EQ(Job->Options().Fframe_rate.den, 1);
    EXPECT_EQ(Job->Options().Fframe_pix_fmt, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(Job->Options().Faudio_sample_rate, 16000);
    EXPECT_EQ(Job->Options().Faudio_channels, 2);
    EXPECT_EQ(Job->Options().Fchannel_layout.nb_channels, 2);
    EXPECT_EQ(Job->Options().Faudio_sample_fmt, AV_SAMPLE_FMT_FLTP);
    EXPECT_NEAR(double(Job->Options().FTotalOutputDuration), double(plan.DurationUS()), 100000.0);

    int video, audio, subtitle;
    Job->CheckInputStreamTypes(video, audio, subtitle, false);
    EXPECT_EQ(video + audio * 2 + subtitle * 4, 3);
}

TEST_F(JobTest, ASecondInputReplacesTheFrameParameters) {
    Job->SetFrameSize("640x480");
    ASSERT_TRUE(Job->OpenInputFile(Media("va")));
    ASSERT_TRUE(Job->OpenInputFile(Media("video")));
    EXPECT_EQ(Job->nb_input_files(), 2);
    EXPECT_EQ(Job->Options().Fframe_width, 160);
    int video, audio, subtitle;
    Job->CheckInputStreamTypes(video, audio, subtitle, true);
    EXPECT_EQ(audio, 1);
}

TEST_F(JobTest, InputsWithMoreStreamsThanTheOldTablesHeld) {
    ASSERT_TRUE(Job->OpenInputFile(Media("many"))) << Job->LastErrMsg();
    EXPECT_EQ(Job->InputFile(0).streams.size(), 25u);
    Job->SetInputTsScale("24:2");
    ASSERT_TRUE(Job->OpenInputFile(Media("many")));
    EXPECT_EQ(Job->InputFile(1).ts_scale.at(24), 2.0);
    EXPECT_TRUE(Job->InputFile(0).ts_scale.empty());
}

TEST_F(JobTest, StartTimeAndOffsets) {
    struct TCase {
        const char* Name;
        std::string Start;
        bool CopyTs;
        int64_t Offset;
    };
    const TCase cases[] = {
        {"no start", "", false, 0},
        {"start 0.4", "0.4", false, -400000},
        {"start 0.4 with copyts", "0.4", true, 0},
    };
    for (const TCase& c : cases) {
        Job->Reset();
        if (!c.Start.empty())
            Job->SetStartTimeOption("ss", c.Start);
        Job->Options().Fcopy_ts = c.CopyTs;
        ASSERT_TRUE(Job->OpenInputFile(Media("va"))) << c.Name;
        const int64_t start = Job->InputFile(0).ctx->start_time == AV_NOPTS_VALUE ? 0 : Job->InputFile(0).ctx->start_time;
        EXPECT_EQ(Job->InputFile(0).ts_offset, c.CopyTs ? 0 : c.Offset - start) << c.Name;
        EXPECT_EQ(Job->Options().Fstart_time, 0) << c.Name << ": the start time belongs to one input";
    }
    Job->Reset();
    Job->SetInputTsOffset("itsoffset", "2");
    Job->Options().Fcopy_ts = true;
    ASSERT_TRUE(Job->OpenInputFile(Media("va")));
    EXPECT_EQ(Job->InputFile(0).ts_offset, 2000000);
}

TEST_F(JobTest, InputFailuresNameTheirReason) {
    struct TCase {
        const char* Name;
        std::function<void(TCustomFFmpeg&)> Prepare;
        std::string File;
        std::string Text;
    };
    const std::string missing = Scratch("missing.mp4");
    const TCase cases[] = {
        {"missing file", nullptr, missing, missing + ": No such file or directory"},
        {"unknown decoder", [](auto& j) { j.SetVideoCodec("nosuch"); }, Media("va"), "Unknown decoder 'nosuch'"},
        {"encoder-only name", [](auto& j) { j.SetAudioCodec("mp2"); j.SetVideoCodec("mp2"); }, Media("va"),
         "Invalid decoder type 'mp2'"},
        {"program", [](auto& j) { j.SetProgramID(7); }, Media("va"), "Specified program id not found"},
        {"not media", nullptr, TJobMedia::Instance().Scratch(""), ""},
    };
    for (const TCase& c : cases) {
        Job->Reset();
        if (c.Prepare)
            c.Prepare(*Job);
        EXPECT_FALSE(Job->OpenInputFile(c.File)) << c.Name;
        if (!c.Text.empty()) {
            EXPECT_EQ(Job->LastErrMsg(), c.Text) << c.Name;
        }
        EXPECT_EQ(Job->nb_input_files(), 0) << c.Name;
        EXPECT_TRUE(Job->Options().Fvideo_codec_name.empty() && Job->Options().Faudio_codec_name.empty()) << c.Name;
    }
    Job->Reset();
    Job->SetFormat("nosuch");
    EXPECT_EQ(RaisedText([&] { Job->OpenInputFile(Media("va")); }), "Unknown input format: \"nosuch\"");
    EXPECT_EQ(Job->nb_input_files(), 0);
}

TEST_F(JobTest, PerInputOptionsEndWithTheInput) {
    Job->SetVideoCodec("mpeg4");
    Job->SetVideoChannel(3);
    Job->SetFormat("mp4");
    ASSERT_TRUE(Job->OpenInputFile(Media("va"))) << Job->LastErrMsg();
    EXPECT_EQ(Job->InputFile(0).streams[0]->codec, AVLib.avcodec_find_decoder_by_name("mpeg4"));
    EXPECT_EQ(Job->InputFile(0).streams[1]->codec, nullptr);
    EXPECT_TRUE(Job->Options().Fvideo_codec_name.empty());
    EXPECT_TRUE(Job->Options().Flast_asked_format.empty());
    EXPECT_EQ(Job->Options().Fvideo_channel, 0);

    Job->Options().Fvideo_disable = true;
    ASSERT_TRUE(Job->OpenInputFile(Media("va")));
    EXPECT_EQ(Job->InputFile(1).ctx->streams[0]->discard, AVDISCARD_ALL);
    EXPECT_NE(Job->InputFile(1).ctx->streams[1]->discard, AVDISCARD_ALL);
}
