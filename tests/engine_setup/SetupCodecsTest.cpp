#include <sys/stat.h>
#include <unistd.h>

#include "tests/engine_setup/SetupTestSupport.h"

// Stream copy and encoder preparation, start times, metadata, chapters and headers.

namespace {

bool FileExists(const std::string& AName) {
    struct stat info {};
    return stat(AName.c_str(), &info) == 0;
}


} // namespace

TEST_F(SetupTest, StreamCopyTakesTheInputsParameters) {
    struct TCase {
        const char* Name;
        std::string Input, Output;
        uint32_t Tag;  // the copied stream's tag before the muxer looks at it
    };
    const uint32_t fmp4 = MKTAG('F', 'M', 'P', '4');
    const TCase cases[] = {
        // The output format maps the input's tag back to the same codec: kept.
        {"avi to avi keeps the tag", "video", "copy.avi", fmp4},
        // It knows another tag for the codec: left to the muxer.
        {"avi to mp4 leaves the tag to the muxer", "video", "copy.mp4", 0},
    };
    for (const TCase& c : cases) {
        Transcode.reset();
        Job->Reset();
        Open({c.Input});
        Job->SetVideoCodec("copy");
        OpenOutput(c.Output);
        ASSERT_EQ(Job->InputFile(0).streams[0]->st->codecpar->codec_tag, fmp4) << c.Name;
        Transcode = std::make_unique<TTranscode>(*Job);
        Transcode->BuildInputTables();
        Transcode->BuildOutputTable();
        const TAVOutputStream& ost = *Transcode->ost_table[0];
        EXPECT_EQ(ost.encoding_needed, 0) << c.Name;
        EXPECT_EQ(Transcode->ist_table[0]->decoding_needed, 0) << c.Name;
        EXPECT_EQ(ost.st->codecpar->codec_id, AV_CODEC_ID_MPEG4) << c.Name;
        EXPECT_EQ(ost.st->codecpar->width, 160) << c.Name;
        EXPECT_EQ(ost.st->codecpar->codec_tag, c.Tag) << c.Name;
        EXPECT_EQ(ost.enc->width, 160) << c.Name << ": the context mirrors the copy";
        EXPECT_EQ(av_cmp_q(ost.enc->time_base, Transcode->ist_table[0]->st->time_base), 0) << c.Name;
        Transcode->OpenEncoders();
        Transcode->OpenDecoders();
        EXPECT_TRUE(Job->FEncoderList.empty() && Job->FDecoderList.empty()) << c.Name;
        Transcode->WriteHeaders();
        EXPECT_EQ(Transcode->headers_written.size(), 1u) << c.Name;
    }
}

TEST_F(SetupTest, AudioCopyBlockAlignAndVolume) {
    struct TCase {
        const char* Name;
        AVCodecID Codec;
        int BlockAlign, Volume;
        int Expected;  // -1: refused
    };
    const TCase cases[] = {
        {"volume 256 copies", AV_CODEC_ID_AAC, 7, 256, 7},
        {"MP3 block_align 1 becomes 0", AV_CODEC_ID_MP3, 1, 256, 0},
        {"MP3 block_align 2 stays", AV_CODEC_ID_MP3, 2, 256, 2},
        {"AC-3 block_align always 0", AV_CODEC_ID_AC3, 5, 256, 0},
        {"another volume is refused", AV_CODEC_ID_AAC, 0, 300, -1},
    };
    for (const TCase& c : cases) {
        Transcode.reset();
        Job->Reset();
        Open({"va"});
        Job->Options().Fvideo_disable = true;
        Job->SetAudioCodec("copy");
        Job->SetAudioVolume(c.Volume);
        OpenOutput("acopy.mkv");
        // The parameters stand for an input of that codec; only the copy reads them.
        AVCodecParameters* par = Job->InputFile(0).streams[1]->st->codecpar;
        par->codec_id = c.Codec;
        par->block_align = c.BlockAlign;
        Transcode = std::make_unique<TTranscode>(*Job);
        Transcode->BuildInputTables();
        const std::string raised = RaisedText([&] { Transcode->BuildOutputTable(); });
        if (c.Expected < 0) {
            EXPECT_EQ(raised, "-acodec copy and -vol are incompatible (frames are not decoded)") << c.Name;
            continue;
        }
        ASSERT_EQ(raised, "") << c.Name;
        EXPECT_EQ(Transcode->ost_table[0]->st->codecpar->block_align, c.Expected) << c.Name;
    }
}

TEST_F(SetupTest, EncodingPreparesScalerCropAndAudioBuffers) {
    struct TCase {
        const char* Name;
        std::function<void(TCustomFFmpeg&)> Options;
        int VideoResample, VideoCrop, ResampleWidth, ResampleHeight, AudioResample;
    };
    const TCase cases[] = {
        {"same size and format", nullptr, 0, 0, 160, 120, 0},
        {"another size", [](auto& j) { j.SetFrameSize("320x240"); }, 1, 0, 160, 120, 0},
        // Cropping also takes the margins off the output size: nothing to scale.
        {"crop", [](auto& j) { j.SetCropTop(16); j.SetCropLeft(8); }, 0, 1, 152, 104, 0},
        {"another pixel format", [](auto& j) { j.SetVideoCodec("mpeg2video"); j.SetPixelFormat("yuv422p"); }, 1, 0, 160, 120, 0},
        {"another sample rate", [](auto& j) { j.SetAudioRate(44100); }, 0, 0, 160, 120, 1},
        {"sync method 2", [](auto& j) { j.SetAudioSyncMethod(2); }, 0, 0, 160, 120, 1},
    };
    for (const TCase& c : cases) {
        Transcode.reset();
        Job->Reset();
        Open({"va"});
        Job->SetVideoCodec("mpeg4");
        Job->SetAudioCodec("mp2");
        Job->SetAudioRate(22050);
        if (c.Options)
            c.Options(*Job);
        OpenOutput("enc.mkv");
        ASSERT_EQ(RunSetUp(), "") << c.Name;
        const TAVOutputStream& video = *Transcode->ost_table[0];
        const TAVOutputStream& audio = *Transcode->ost_table[1];
        EXPECT_EQ(video.encoding_needed, 1) << c.Name;
        EXPECT_EQ(video.video_resample, c.VideoResample) << c.Name;
        EXPECT_EQ(video.video_crop, c.VideoCrop) << c.Name;
        EXPECT_EQ(video.resample_width, c.ResampleWidth) << c.Name;
        EXPECT_EQ(video.resample_height, c.ResampleHeight) << c.Name;
        EXPECT_EQ(video.img_resample_ctx != nullptr, c.VideoResample == 1) << c.Name;
        if (c.VideoResample) {
            ASSERT_NE(video.pict_tmp, nullptr) << c.Name;
            EXPECT_EQ(video.pict_tmp->width, video.enc->width) << c.Name;
            EXPECT_EQ(video.pict_tmp->format, video.enc->pix_fmt) << c.Name;
            EXPECT_EQ(video.original_width, 160) << c.Name;
        }
        if (c.VideoCrop) {
            EXPECT_EQ(video.topBand, 16) << c.Name;
            EXPECT_EQ(video.original_leftBand, 8) << c.Name;
        }
        EXPECT_EQ(audio.audio_resample, c.AudioResample) << c.Name;
        EXPECT_NE(audio.fifo, nullptr) << c.Name;
        for (const auto& ist : Transcode->ist_table)
            EXPECT_EQ(ist->decoding_needed, 1) << c.Name;
        EXPECT_EQ(Job->FEncoderList.size(), 2u) << c.Name;
        EXPECT_EQ(Job->FDecoderList.size(), 2u) << c.Name;
        // The muxer learnt the opened encoders' parameters.
        EXPECT_EQ(video.st->codecpar->codec_id, video.enc->codec_id) << c.Name;
        EXPECT_EQ(audio.st->codecpar->sample_rate, audio.enc->sample_rate) << c.Name;
    }
}

TEST_F(SetupTest, PassLogFiles) {
    const std::string folder = TSetupMedia::Instance().Folder();
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(folder.c_str()), 0);
    struct TCase {
        const char* Name;
        std::string Prefix;
        int Pass;
        std::string Raised;
        std::string Created;
    };
    const TCase cases[] = {
        {"pass 1 without prefix", "", 1, "", folder + "/ffmpeg2pass-0.log"},
        {"pass 1 with a prefix", folder + "/mine", 1, "", folder + "/mine-0.log"},
        {"pass 1 in a missing folder", folder + "/nosuch/x", 1,
         "Cannot write log file " + folder + "/nosuch/x-0.log for pass-1 encoding", ""},
        {"pass 2 without its log", folder + "/absent", 2,
         "Cannot read file: Error reading log file \"" + folder + "/absent-0.log\" for pass-2 encoding", ""},
    };
    for (const TCase& c : cases) {
        Transcode.reset();
        Job->Reset();
        Open({"video"});
        Job->SetVideoCodec("mpeg4");
        Job->Options().Fpass_logfilename_prefix = c.Prefix;
        Job->SetPass(c.Pass);
        OpenOutput("pass.avi");
        EXPECT_EQ(RunSetUp(), c.Raised) << c.Name;
        if (!c.Created.empty()) {
            EXPECT_TRUE(FileExists(c.Created)) << c.Name;
            EXPECT_NE(Transcode->ost_table[0]->logfile, nullptr) << c.Name;
        }
    }
    ASSERT_EQ(chdir(previous), 0);
}

TEST_F(SetupTest, InitialTimestampsAllowForReorderDelay) {
    struct TCase {
        int HasBFrames;
        AVRational Rate;
        int64_t Pts;
    };
    const TCase cases[] = {{2, {25, 1}, -80000}, {1, {30000, 1001}, -33367}, {0, {25, 1}, 0}, {2, {0, 1}, 0}};
    Open({"video"});
    for (const TCase& c : cases) {
        Job->InputFile(0).streams[0]->dec->has_b_frames = c.HasBFrames;
        Job->InputFile(0).streams[0]->st->avg_frame_rate = c.Rate;
        TTranscode transcode(*Job);
        transcode.BuildInputTables();
        transcode.InitInputTimestamps();
        const TAVInputStream& ist = *transcode.ist_table[0];
        EXPECT_EQ(ist.pts, c.Pts) << c.HasBFrames << " at " << c.Rate.num << "/" << c.Rate.den;
        EXPECT_EQ(ist.next_pts, AV_NOPTS_VALUE);
        EXPECT_EQ(ist.is_start, 1);
    }
}

TEST_F(SetupTest, MetadataOfStreamsAndContainers) {
    struct TCase {
        const char* Name;
        std::function<void(TCustomFFmpeg&)> Options;
        std::string Title, Artist;
    };
    const TCase cases[] = {
        {"no map: no container metadata", nullptr, "", ""},
        {"map 0:0 copies the input's", [](auto& j) { j.AddMetaDataMap("0:0"); }, "Source title", "Source artist"},
        {"metadata given for the output wins",
         [](auto& j) { j.AddMetadataOption("title=Mine"); j.AddMetaDataMap("0:0"); }, "Mine", "Source artist"},
    };
    for (const TCase& c : cases) {
        Transcode.reset();
        Job->Reset();
        Open({"va"});
        Job->SetVideoCodec("mpeg4");
        Job->SetAudioCodec("mp2");
        if (c.Options)
            c.Options(*Job);
        OpenOutput("meta.mkv");
        ASSERT_EQ(RunSetUp(), "") << c.Name;
        const AVFormatContext* out = Job->OutputFile(0).ctx;
        EXPECT_EQ(DictValue(out->metadata, "title"), c.Title) << c.Name;
        EXPECT_EQ(DictValue(out->metadata, "artist"), c.Artist) << c.Name;
        // Stream metadata always follows its source.
        EXPECT_EQ(DictValue(out->streams[1]->metadata, "language"), "eng") << c.Name;
    }
}

TEST_F(SetupTest, ChaptersAreShiftedAndClippedToTheRecording) {
    struct TChapter {
        int64_t Start, End;
    };
    struct TCase {
        const char* Name;
        int64_t StartTime, RecordingTime;
        std::vector<TChapter> Expected;  // in 1/1000
    };
    const TCase cases[] = {
        {"no limits", 0, INT64_MAX, {{0, 1000}, {1000, 2000}, {2000, 3000}}},
        {"start 1.5 s, 1 s long", 1500000, 1000000, {{0, 500}, {500, 1000}}},
        {"1.2 s long: later chapters skipped", 0, 1200000, {{0, 1000}, {1000, 1200}}},
    };
    for (const TCase& c : cases) {
        Transcode.reset();
        Job->Reset();
        Open({"va"});
        // Three chapters of one second each on the opened input.
        AVFormatContext* in = Job->InputFile(0).ctx;
        for (int k = 0; k < 3; ++k) {
            auto* chapter = static_cast<AVChapter*>(AVLib.av_mallocz(sizeof(AVChapter)));
            chapter->id = k + 1;
            chapter->time_base = AVRational{1, 1000};
            chapter->start = k * 1000;
            chapter->end = (k + 1) * 1000;
            AVLib.av_dict_set(&chapter->metadata, "title", ("Chapter " + std::to_string(k + 1)).c_str(), 0);
            in->chapters = static_cast<AVChapter**>(AVLib.av_realloc(in->chapters, sizeof(AVChapter*) * (k + 1)));
            in->chapters[in->nb_chapters++] = chapter;
        }
        Job->SetVideoCodec("mpeg4");
        Job->SetAudioCodec("mp2");
        OpenOutput("chapters.mkv");
        Job->Options().Fstart_time = c.StartTime;
        Job->Options().Frecording_time = c.RecordingTime;
        Transcode = std::make_unique<TTranscode>(*Job);
        Transcode->CopyAllChapters();
        const AVFormatContext* out = Job->OutputFile(0).ctx;
        ASSERT_EQ(out->nb_chapters, c.Expected.size()) << c.Name;
        for (size_t k = 0; k < c.Expected.size(); ++k) {
            EXPECT_EQ(out->chapters[k]->start, c.Expected[k].Start) << c.Name << " chapter " << k;
            EXPECT_EQ(out->chapters[k]->end, c.Expected[k].End) << c.Name << " chapter " << k;
        }
        if (!c.Expected.empty()) {
            EXPECT_FALSE(DictValue(out->chapters[0]->metadata, "title").empty()) << c.Name;
        }
    }
}

TEST_F(SetupTest, ARunWritesHeadersAndTrailersOfReadableFiles) {
    Open({"va"});
    // MP4 keeps its index in the trailer: without one the file cannot be opened.
    const std::string mp4 = Out("run.mp4"), avi = Out("run.avi");
    for (const std::string& name : {mp4, avi}) {
        Job->SetVideoCodec("mpeg4");
        Job->SetAudioCodec("mp2");
        ASSERT_GT(Job->OpenOutputFile(name, false), 0) << Job->LastErrMsg();
    }
    Job->StartConvert(false);
    EXPECT_EQ(Job->FatalMessage(), "");
    EXPECT_TRUE(Job->Finished());
    for (const std::string& name : {mp4, avi}) {
        AVFormatContext* ctx = nullptr;
        ASSERT_EQ(AVLib.avformat_open_input(&ctx, name.c_str(), nullptr, nullptr), 0) << name;
        if (name == avi) {
            ASSERT_EQ(ctx->nb_streams, 2u);
            EXPECT_EQ(ctx->streams[0]->codecpar->codec_id, AV_CODEC_ID_MPEG4);
            EXPECT_EQ(ctx->streams[1]->codecpar->codec_id, AV_CODEC_ID_MP2);
        }
        AVLib.avformat_close_input(&ctx);
    }
}

// The output file is made only as its header is written: a set-up that fails
// before leaves no file, and an existing file of that name untouched.
TEST_F(SetupTest, AFailedSetUpLeavesNoOutputAndTouchesNoExistingFile) {
    for (bool existing : {false, true}) {
        Transcode.reset();
        Job->Reset();
        Open({"va"});
        Job->SetAudioCodec("copy");
        Job->SetAudioVolume(512);
        const std::string name = Out("broken.mkv");
        if (existing) {
            FILE* f = fopen(name.c_str(), "wb");
            ASSERT_NE(f, nullptr);
            fputs("the user's own file", f);
            fclose(f);
        }
        OpenOutput("broken.mkv");
        EXPECT_EQ(FileExists(name), existing) << "building the job touches no file";
        Job->StartConvert(false);
        EXPECT_EQ(Job->FatalMessage(), "-acodec copy and -vol are incompatible (frames are not decoded)");
        EXPECT_EQ(FileExists(name), existing);
        if (existing) {
            FILE* f = fopen(name.c_str(), "rb");
            char text[64] = {};
            ASSERT_NE(f, nullptr);
            fgets(text, sizeof text, f);
            fclose(f);
            EXPECT_STREQ(text, "the user's own file");
            std::remove(name.c_str());
        }
    }
}

TEST_F(SetupTest, AllRtpOutputsLogTheirSessionDescription) {
    Open({"video"});
    Job->SetVideoCodec("mpeg4");
    Job->SetFormat("rtp");
    ASSERT_GT(Job->OpenOutputFile("rtp://127.0.0.1:45678", false), 0) << Job->LastErrMsg();
    ASSERT_EQ(RunSetUp(), "");
    bool found = false;
    for (const auto& [level, text] : Log.Lines())
        found = found || (level == llInfo && text.rfind("SDP:\r\nv=0", 0) == 0);
    EXPECT_TRUE(found);
}
