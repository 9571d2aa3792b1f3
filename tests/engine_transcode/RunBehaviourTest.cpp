#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
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
        {"frames", [](TCustomFFmpeg& j) { j.Options().Fmax_frames[flVideo] = 10; }, 10, 600000},
        {"time", [](TCustomFFmpeg& j) { j.SetRecordingTime(400000); }, 12, 600000},
        {"size", [](TCustomFFmpeg& j) { j.ParseOption("fs", "20000"); }, 15, 700000},
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
        Job->Options().Fvideo_disable = audioOnly;
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

TEST_F(TranscodeTest, ResamplingKeepsTheWholeLengthOfTheSound) {
    // The resampler holds the last samples back for its filter: drained at the
    // end, one second stays one second at every rate.
    testmedia::TMediaPlan plan;
    testmedia::TAudioTrack tone;
    tone.Codec = "pcm_s16le";
    tone.SampleRate = 22050;
    tone.Samples = 22050;
    plan.Audio.push_back(tone);
    const std::string input = Scratch("one_second.wav");
    testmedia::WriteMediaFile(input, plan);
    for (const int rate : {48000, 44100, 8000}) {
        const std::string output = Scratch("resampled_" + std::to_string(rate) + ".wav");
        ASSERT_TRUE(Convert(input, output, [&](TCustomFFmpeg& j) { j.ParseOption("ar", std::to_string(rate)); }));
        EXPECT_TRUE(Job->Finished()) << Job->FatalMessage();
        const TOutputFacts facts = ReadOutput(output);
        EXPECT_EQ(facts.SampleRate, rate);
        EXPECT_NEAR(double(facts.AudioSamples), rate, 1) << rate;
    }
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
            j.Options().Fvideo_sync_method = c.Method;
            j.Options().Faudio_disable = true;
        })) << c.Name;
        EXPECT_TRUE(Job->Finished()) << c.Name << ": " << Job->FatalMessage();
        EXPECT_NEAR(ReadOutput(output).VideoPackets, c.Packets, 2) << c.Name;  // the last picture is not stretched
    }
}

TEST_F(TranscodeTest, JoinAppendsTheInputsIntoOneOutput) {
    // A second input of 0.6 s after the 1 s one.
    testmedia::TMediaPlan plan = TJobMedia::Instance().Plan("va");
    plan.Video[0].Frames = 15;
    plan.Audio[0].Samples = plan.Audio[0].SampleRate * 6 / 10;
    const std::string second = Scratch("join_second.mp4");
    testmedia::WriteMediaFile(second, plan);

    struct TCase { const char* Output; const char* VideoCodec; const char* AudioCodec; };
    // Encoders that hold frames back (B-frames, look-ahead, audio priming) must
    // run on through the switch and be drained once at the end.
    const TCase cases[] = {
        {"join.mpg", "mpeg1video", "mp2"},
        {"join.mp4", "libx264", "aac"},
        {"join.avi", "mpeg4", "libmp3lame"},
        {"join_copy.mkv", "copy", "copy"},
    };
    for (const TCase& c : cases) {
        Job->Reset();
        ASSERT_TRUE(Job->OpenInputFile(Media("va")));
        ASSERT_TRUE(Job->OpenInputFile(second));
        Job->SetVideoCodec(c.VideoCodec);
        if (std::string(c.VideoCodec) == "libx264")
            Job->ApplyPreset("vpre", "default");
        Job->SetAudioCodec(c.AudioCodec);
        const std::string output = Scratch(c.Output);
        ASSERT_EQ(Job->OpenOutputFile(output, true), 2) << Job->LastErrMsg();
        Job->ReportInterval = 0;
        std::vector<int32_t> files;
        Job->OnProgress = [&](TObject*, int32_t file, int32_t, int32_t, float, float, int64_t, int64_t, int64_t) {
            if (files.empty() || files.back() != file)
                files.push_back(file);
        };
        Job->StartConvert(false);
        EXPECT_TRUE(Job->Finished()) << c.Output << ": " << Job->FatalMessage();
        EXPECT_FALSE(Job->FatalException()) << c.Output << ": " << Job->FatalMessage();
        EXPECT_EQ(files, (std::vector<int32_t>{0, 1, -1})) << c.Output;

        const TOutputFacts facts = ReadOutput(output);
        ASSERT_TRUE(facts.Opened) << c.Output;
        EXPECT_NEAR(facts.VideoPackets, 40, 2) << c.Output;
        EXPECT_NEAR(double(facts.Duration), 1600000.0, 150000.0) << c.Output;
        EXPECT_NEAR(double(facts.AudioSamples) / facts.SampleRate, 1.6, 0.1) << c.Output;
        // The second input continues where the first ended: no gap, no overlap.
        const std::vector<int64_t>& pts = facts.PictureTimes;
        EXPECT_EQ(pts.size(), 40u) << c.Output;
        for (size_t i = 1; i < pts.size(); ++i) {
            EXPECT_GT(pts[i] - pts[i - 1], 20000) << c.Output << " picture " << i;
            EXPECT_LT(pts[i] - pts[i - 1], 60000) << c.Output << " picture " << i;
        }
    }
}

TEST_F(TranscodeTest, AMuxerRefusingACodecFailsWithItsReason) {
    // MPEG program streams carry no AAC today; the muxer says why in its log only.
    const std::string reason =
        "Unsupported audio codec. Must be one of mp1, mp2, mp3, 16-bit pcm_dvd, pcm_s16be, ac3 or dts.";
    const std::string output = Scratch("refused.mpg");
    ASSERT_TRUE(Convert(Media("va"), output, [](TCustomFFmpeg& j) { j.SetAudioCodec("aac"); }));
    EXPECT_FALSE(Job->Finished());
    EXPECT_TRUE(Job->FatalException());
    EXPECT_EQ(Job->FatalMessage(), "Could not write header for output file #0 (incorrect codec parameters ?): " + reason);
    EXPECT_FALSE(std::filesystem::exists(output)) << "nothing of a file without its header is kept";
    bool logged = false;  // the muxer's own line still reaches the log
    for (auto& [level, text] : Log.Lines())
        logged = logged || (level == llError && text.starts_with("[mpeg @ ") && text.ends_with("]" + reason));
    EXPECT_TRUE(logged);
}

TEST_F(TranscodeTest, VideoStatisticsGetALinePerPicture) {
    const std::regex line(R"(frame= +(\d+) q= *\d+\.\d (PSNR= +(?:\d+\.\d\d|inf) )?f_size= +[1-9]\d* s_size= +\d+kB )"
                          R"(time= \d+\.\d{3} br= +\d+\.\dkbits/s avg_br= +\d+\.\dkbits/s type= [IP])");
    for (const bool psnr : {false, true}) {
        const std::string stats = Scratch(psnr ? "vstats_psnr.log" : "vstats.log");
        ASSERT_TRUE(Convert(Media("va"), Scratch("vstats.avi"), [&](TCustomFFmpeg& j) {
            j.ParseOption("vcodec", "mpeg4");
            j.ParseOption("vstats_file", stats);
            if (psnr)
                j.ParseOption("psnr", "");
        }));
        EXPECT_TRUE(Job->Finished()) << Job->FatalMessage();
        std::ifstream file(stats);
        std::string text;
        int frames = 0;
        while (std::getline(file, text)) {
            std::smatch match;
            ASSERT_TRUE(std::regex_match(text, match, line)) << text;
            EXPECT_EQ(std::stoi(match[1]), ++frames) << text;
            EXPECT_EQ(match[2].matched, psnr) << text;
        }
        EXPECT_EQ(frames, 25);
    }

    const std::string unopenable = Scratch("no_such_folder/vstats.log");
    ASSERT_TRUE(Convert(Media("va"), Scratch("vstats_failed.avi"),
                        [&](TCustomFFmpeg& j) { j.ParseOption("vstats_file", unopenable); }));
    EXPECT_FALSE(Job->Finished());
    EXPECT_EQ(Job->FatalMessage(), "fopen fail: " + unopenable);
}

TEST_F(TranscodeTest, StatusLinesGoToTheLogWithoutAProgressHandler) {
    const std::regex status(R"(frame= +(\d+) fps= +\d+ q=\d+\.\d (L?)size= +\d+kB time=\d+\.\d\d )"
                            R"(bitrate= *\d+\.\dkbits/s( dup=(\d+) drop=0)?)");
    const std::regex summary(R"(video:\d+kB audio:\d+kB global headers:\d+kB muxing overhead -?\d+\.\d{6}%\r\n)");
    ASSERT_TRUE(Convert(Media("va"), Scratch("status.avi"), [](TCustomFFmpeg& j) {
        j.ParseOption("vcodec", "mpeg4");
        j.ParseOption("r", "50");  // every picture twice: the counts join the line
        j.ReportInterval = 0;
    }));
    EXPECT_TRUE(Job->Finished()) << Job->FatalMessage();
    std::vector<std::string> lines;
    bool summarised = false;
    for (auto& [level, text] : Log.Lines()) {
        if (level == llVerbose && text.starts_with("frame="))
            lines.push_back(text);
        summarised = summarised || (level == llVerbose && std::regex_match(text, summary));
    }
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, status)) << line;
        EXPECT_EQ(match[2].matched && match[2].length() == 1, &line == &lines.back()) << line;
    }
    std::smatch last;
    ASSERT_TRUE(std::regex_match(lines.back(), last, status));
    EXPECT_NEAR(std::stoi(last[1]), 50, 2) << lines.back();
    EXPECT_NEAR(std::stoi(last[4]), 25, 2) << lines.back();
    EXPECT_TRUE(summarised);
}

TEST_F(TranscodeTest, TwoInputsAreReadInStep) {
    // Pictures of 0.4 s from one input, the tone of 1 s from the other. The video
    // encoder looks ahead and writes nothing for a while: the reading must still
    // follow what each encoder was given, so that "shortest" ends with both.
    struct TCase { bool Shortest; double AudioSeconds; };
    for (const TCase c : {TCase{true, 0.4}, TCase{false, 1.0}}) {
        Job->Reset();
        ASSERT_TRUE(Job->OpenInputFile(Media("video")));
        ASSERT_TRUE(Job->OpenInputFile(Media("va")));
        Job->ParseOption("map", "0:0");
        Job->ParseOption("map", "1:1");
        Job->ParseOption("vcodec", "libx264");
        Job->ParseOption("vpre", "default");
        if (c.Shortest)
            Job->ParseOption("shortest", "");
        const std::string output = Scratch(c.Shortest ? "shortest.mkv" : "two_inputs.mkv");
        ASSERT_EQ(Job->OpenOutputFile(output, false), 1) << Job->LastErrMsg();
        Job->StartConvert(false);
        EXPECT_TRUE(Job->Finished()) << Job->FatalMessage();
        const TOutputFacts facts = ReadOutput(output);
        EXPECT_EQ(facts.VideoPackets, 10) << "shortest " << c.Shortest;
        EXPECT_NEAR(double(facts.AudioSamples) / facts.SampleRate, c.AudioSeconds, 0.1) << "shortest " << c.Shortest;
    }
}

TEST_F(TranscodeTest, AudioSyncFillsALateStartWithSilence) {
    // The tone starts 0.5 s after the pictures: with a sync method the gap becomes
    // silence in the audio itself; without, the audio just starts later.
    struct TCase { const char* Method; double AudioSeconds; };
    for (const TCase c : {TCase{"1", 1.5}, TCase{"0", 1.0}}) {
        Job->Reset();
        ASSERT_TRUE(Job->OpenInputFile(Media("video")));
        Job->ParseOption("itsoffset", "0.5");
        ASSERT_TRUE(Job->OpenInputFile(Media("va")));
        Job->ParseOption("map", "0:0");
        Job->ParseOption("map", "1:1");
        Job->ParseOption("acodec", "pcm_s16le");
        Job->ParseOption("async", c.Method);
        const std::string output = Scratch(std::string("late_audio_") + c.Method + ".mkv");
        ASSERT_EQ(Job->OpenOutputFile(output, false), 1) << Job->LastErrMsg();
        Job->StartConvert(false);
        EXPECT_TRUE(Job->Finished()) << Job->FatalMessage();
        const TOutputFacts facts = ReadOutput(output);
        EXPECT_NEAR(double(facts.AudioSamples) / facts.SampleRate, c.AudioSeconds, 0.05) << "async " << c.Method;
    }
}

TEST_F(TranscodeTest, APictureSizeChangeMidStreamIsScaled) {
    // Two raw MPEG-4 streams one after the other: the pictures change size halfway.
    std::string stream;
    for (const int width : {160, 96}) {
        testmedia::TMediaPlan plan;
        plan.Format = "m4v";
        testmedia::TVideoTrack video;
        video.Width = width;
        video.Height = width * 3 / 4;
        video.Frames = 10;
        plan.Video.push_back(video);
        const std::string part = Scratch("part" + std::to_string(width) + ".m4v");
        testmedia::WriteMediaFile(part, plan);
        std::ifstream in(part, std::ios::binary);
        stream += std::string(std::istreambuf_iterator<char>(in), {});
    }
    const std::string input = Scratch("sizes.m4v");
    std::ofstream(input, std::ios::binary) << stream;

    for (const char* margins : {"0", "8"}) {
        const std::string output = Scratch(std::string("sizes_") + margins + ".avi");
        ASSERT_TRUE(Convert(input, output, [&](TCustomFFmpeg& j) {
            j.ParseOption("croptop", margins);
            j.ParseOption("cropbottom", margins);
            j.ParseOption("s", "160x120");
        }));
        EXPECT_TRUE(Job->Finished()) << margins << ": " << Job->FatalMessage();
        EXPECT_TRUE(Log.Has(llQuiet, "Input Stream #0.0 frame size changed to 96x72, yuv420p")) << margins;
        const TOutputFacts facts = ReadOutput(output);
        EXPECT_EQ(facts.Width, 160) << margins;
        EXPECT_EQ(facts.Height, 120) << margins;
        EXPECT_EQ(facts.PictureTimes.size(), 20u) << margins;
    }
}

TEST_F(TranscodeTest, ATimeStampJumpIsCorrectedUnlessTimesAreCopied) {
    // Two transport streams one after the other, the second stamped 20 s later.
    std::string stream;
    for (const char* offset : {"0", "20.4"}) {
        testmedia::TMediaPlan plan;
        plan.Format = "mpegts";
        plan.Video.push_back({});
        plan.Video[0].Codec = "mpeg2video";
        plan.Video[0].Frames = 10;
        plan.MuxerOptions.push_back({"output_ts_offset", offset});
        const std::string part = Scratch(std::string("jump_part") + offset + ".ts");
        testmedia::WriteMediaFile(part, plan);
        std::ifstream in(part, std::ios::binary);
        stream += std::string(std::istreambuf_iterator<char>(in), {});
    }
    const std::string input = Scratch("jump.ts");
    std::ofstream(input, std::ios::binary) << stream;

    // The pictures keep their times (no duplicating): the output's length shows the gap.
    struct TCase { bool CopyTs; double Seconds; };
    for (const TCase c : {TCase{false, 0.8}, TCase{true, 20.8}}) {
        const std::string output = Scratch(c.CopyTs ? "jump_copyts.mkv" : "jump.mkv");
        ASSERT_TRUE(Convert(input, output, [&](TCustomFFmpeg& j) {
            j.ParseOption("vcodec", "mpeg4");
            j.ParseOption("vsync", "0");
            if (c.CopyTs)
                j.ParseOption("copyts", "");
        }));
        EXPECT_TRUE(Job->Finished()) << Job->FatalMessage();
        const TOutputFacts facts = ReadOutput(output);
        EXPECT_EQ(facts.VideoPackets, 20) << "copyts " << c.CopyTs;
        EXPECT_NEAR(double(facts.Duration) / 1000000.0, c.Seconds, 0.2) << "copyts " << c.CopyTs;
    }
}

TEST_F(TranscodeTest, CopiesFromAStartTimeBeginAtAKeyPicture) {
    // Key pictures at 0, 0.48 and 0.96 s; the copy starts at 0.5 s, stamped 0.5 s earlier.
    struct TCase { bool KeepLeading; int Packets; int64_t FirstTime; };
    for (const TCase c : {TCase{false, 1, 460000}, TCase{true, 12, 0}}) {
        const std::string output = Scratch(c.KeepLeading ? "from_half_inkf.mkv" : "from_half.mkv");
        ASSERT_TRUE(Convert(Media("va"), output, [&](TCustomFFmpeg& j) {
            j.ParseOption("ss", "0.5");
            j.ParseOption("vcodec", "copy");
            j.ParseOption("an", "");
            if (c.KeepLeading)
                j.ParseOption("copyinkf", "1");
        }));
        EXPECT_TRUE(Job->Finished()) << Job->FatalMessage();
        const TOutputFacts facts = ReadOutput(output);
        EXPECT_EQ(facts.VideoPackets, c.Packets) << "copyinkf " << c.KeepLeading;
        if (!c.KeepLeading) {
            ASSERT_FALSE(facts.PictureTimes.empty());
            EXPECT_EQ(facts.PictureTimes.front(), c.FirstTime);
        }
    }
}

} // namespace
