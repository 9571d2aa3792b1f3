#include <atomic>
#include <vector>

#include "tests/engine_transcode/TranscodeTestSupport.h"
#include "tests/media/SampleMedia.h"

namespace {

TEST_F(TranscodeTest, LimitsEndTheOutputEarly) {
    struct TCase {
        const char* Name;
        std::function<void(TCustomFFmpeg&)> Options;
        int MaxVideoPackets;
        int64_t MaxDuration;
    };
    const TCase cases[] = {
        {"frames", [](TCustomFFmpeg& j) { j.Fmax_frames[flVideo] = 10; }, 10, 600000},
        {"time", [](TCustomFFmpeg& j) { j.SetRecordingTime(400000); }, 12, 600000},
    };
    for (const TCase& c : cases) {
        const std::string output = Scratch(std::string("limit_") + c.Name + ".avi");
        ASSERT_TRUE(Convert(Media("va"), output, [&](TCustomFFmpeg& j) {
            c.Options(j);
            j.SetVideoCodec("mpeg4");
            j.SetAudioCodec("mp2");
        })) << c.Name;
        EXPECT_TRUE(Job->Finished()) << c.Name << ": " << Job->FatalMessage();
        const TOutputFacts facts = ReadOutput(output);
        EXPECT_GT(facts.VideoPackets, 0) << c.Name;
        EXPECT_LE(facts.VideoPackets, c.MaxVideoPackets) << c.Name;
        EXPECT_LE(facts.Duration, c.MaxDuration) << c.Name;
    }
}

TEST_F(TranscodeTest, StopWritesAValidTrailerAndDoesNotFinish) {
    Job->Reset();
    ASSERT_TRUE(Job->OpenInputFile(Media("va")));
    const std::string output = Scratch("stopped.mp4");
    Job->SetVideoCodec("libx264");
    Job->ApplyPreset("vpre", "default");
    ASSERT_EQ(Job->OpenOutputFile(output, false), 1) << Job->LastErrMsg();
    Job->ReportInterval = 0;
    TCustomFFmpeg* job = Job.get();
    Job->OnProgress = [job](TObject*, int32_t, int32_t frames, int32_t, float, float, int64_t, int64_t, int64_t) {
        if (frames >= 5)
            job->Stop(false);
    };
    Job->StartConvert(false);
    EXPECT_FALSE(Job->Finished());
    EXPECT_FALSE(Job->FatalException()) << Job->FatalMessage();
    for (auto& [level, text] : Log.Lines())
        EXPECT_GT(level, llError) << text;
    const TOutputFacts facts = ReadOutput(output);
    ASSERT_TRUE(facts.Opened);  // the index was written: the file plays
    EXPECT_GT(facts.VideoPackets, 0);
    EXPECT_LT(facts.VideoPackets, 25);
}

TEST_F(TranscodeTest, ProgressKeepsItsFiguresInRange) {
    struct TReport { int32_t File, Frames, FPS; float Quality; int64_t Current, Total; };
    for (const char* name : {"progress.mp3", "progress.mpg"}) {
        Job->Reset();
        ASSERT_TRUE(Job->OpenInputFile(Media("va")));
        const bool audioOnly = std::string(name).ends_with(".mp3");
        Job->Fvideo_disable = audioOnly;
        ASSERT_EQ(Job->OpenOutputFile(Scratch(name), false), 1) << Job->LastErrMsg();
        Job->ReportInterval = 0;
        std::vector<TReport> reports;
        Job->OnProgress = [&](TObject*, int32_t file, int32_t frames, int32_t fps, float quality, float, int64_t,
                              int64_t current, int64_t total) {
            reports.push_back({file, frames, fps, quality, current, total});
        };
        Job->StartConvert(false);
        EXPECT_TRUE(Job->Finished()) << name << ": " << Job->FatalMessage();
        ASSERT_FALSE(reports.empty()) << name;
        for (const TReport& r : reports) {
            EXPECT_GT(r.Total, 0) << name;
            EXPECT_GE(r.Current, 0) << name;
            EXPECT_LE(r.Current, r.Total) << name;
            if (audioOnly) {
                EXPECT_EQ(r.Frames, -1) << name;
                EXPECT_EQ(r.FPS, -1) << name;
                EXPECT_EQ(r.Quality, -1.0f) << name;
            } else {
                EXPECT_GE(r.Frames, 1) << name << ": no report before the first picture";
            }
        }
        EXPECT_EQ(reports.back().File, -1) << name;
        if (!audioOnly) {
            EXPECT_GT(reports.back().Quality, 0.0f) << name;
        }
        EXPECT_GT(reports.back().Current, 800000) << name;
    }
}

TEST_F(TranscodeTest, VolumeChangesTheLoudness) {
    // A louder copy of the tone holds larger samples than the plain one.
    auto peak = [](const std::string& path) {
        AVFormatContext* ctx = nullptr;
        int result = 0;
        if (avformat_open_input(&ctx, path.c_str(), nullptr, nullptr) != 0)
            return -1;
        AVPacket* pkt = av_packet_alloc();
        while (av_read_frame(ctx, pkt) >= 0) {
            const int16_t* s = reinterpret_cast<const int16_t*>(pkt->data);
            for (int i = 0; i < pkt->size / 2; ++i)
                result = std::max(result, std::abs(int(s[i])));
            av_packet_unref(pkt);
        }
        av_packet_free(&pkt);
        avformat_close_input(&ctx);
        return result;
    };
    ASSERT_TRUE(Convert(Media("va"), Scratch("plain.wav")));
    ASSERT_TRUE(Convert(Media("va"), Scratch("loud.wav"), [](TCustomFFmpeg& j) { j.SetAudioVolume(512); }));
    ASSERT_TRUE(Convert(Media("va"), Scratch("quiet.wav"), [](TCustomFFmpeg& j) { j.SetAudioVolume(128); }));
    const int plain = peak(Scratch("plain.wav"));
    ASSERT_GT(plain, 1000);
    EXPECT_NEAR(peak(Scratch("loud.wav")), std::min(2 * plain, 32767), 0.02 * plain);
    EXPECT_NEAR(peak(Scratch("quiet.wav")), plain / 2, 0.02 * plain);
}

TEST_F(TranscodeTest, ATruncatedInputEndsAsFailed) {
    // The index first, then the media: cut in the middle, the reader meets a partial file.
    testmedia::TMediaPlan plan = TJobMedia::Instance().Plan("va");
    plan.MuxerOptions.push_back({"movflags", "+faststart"});
    const std::string input = Scratch("cut_input.mp4");
    testmedia::WriteMediaFile(input, plan);
    testmedia::TruncateFile(input, testmedia::FileSize(input) / 2);
    const std::string output = Scratch("from_cut.avi");
    ASSERT_TRUE(Convert(input, output, [](TCustomFFmpeg& j) { j.SetVideoCodec("mpeg4"); j.SetAudioCodec("mp2"); }));
    EXPECT_FALSE(Job->Finished());
    EXPECT_TRUE(Job->FatalException());
    EXPECT_EQ(Job->FatalMessage(), input + ": Input is truncated");
    const TOutputFacts facts = ReadOutput(output);
    EXPECT_TRUE(facts.Opened) << "what was converted is ended properly";
    EXPECT_GT(facts.VideoPackets, 0);
}

TEST_F(TranscodeTest, VideoSyncDuplicatesToAFasterRate) {
    struct TCase { const char* Name; int Method; const char* Rate; int Packets; };
    const TCase cases[] = {
        {"duplicated to 50", 1, "50", 50},
        {"dropped to 10", 1, "10", 10},
        {"sync off", 0, "50", 25},
    };
    for (const TCase& c : cases) {
        const std::string output = Scratch(std::string("vsync_") + c.Rate + "_" + std::to_string(c.Method) + ".avi");
        ASSERT_TRUE(Convert(Media("va"), output, [&](TCustomFFmpeg& j) {
            j.SetVideoCodec("mpeg4");
            j.SetFrameRate(c.Rate);
            j.Fvideo_sync_method = c.Method;
            j.Faudio_disable = true;
        })) << c.Name;
        EXPECT_TRUE(Job->Finished()) << c.Name << ": " << Job->FatalMessage();
        EXPECT_NEAR(ReadOutput(output).VideoPackets, c.Packets, 2) << c.Name;  // the last picture is not stretched
    }
}

} // namespace
