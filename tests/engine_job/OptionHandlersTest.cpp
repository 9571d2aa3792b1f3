#include <cmath>
#include <functional>

#include "engine/transcode/FFmpegException.h"
#include "tests/engine_job/JobTestSupport.h"

using Handler = std::function<void(TCustomFFmpeg&)>;

TEST(JobCreate, AcceptsOneTo512Files) {
    for (int files : {0, -1, 513})
        EXPECT_EQ(RaisedText([&] { TCustomFFmpeg job(files); }), "Assertion failure") << files;
    TCustomFFmpeg job(20);
    EXPECT_EQ(job.MaxFiles(), 20);
    EXPECT_EQ(job.nb_input_files(), 0);
    EXPECT_EQ(job.nb_output_files(), 0);
    EXPECT_FALSE(job.Converting());
    EXPECT_FALSE(job.Terminated());
}

TEST_F(JobTest, ResetGivesTheDefaults) {
    Job->SetAudioRate(8000);
    Job->SetPass(2);
    Job->AddStreamMap("0:1");
    Job->Reset();
    const TCustomFFmpeg& j = *Job;
    EXPECT_EQ(j.Options().Faudio_sample_rate, 44100);
    EXPECT_EQ(j.Options().Faudio_channels, 2);
    EXPECT_EQ(j.Options().Faudio_volume, 256);
    EXPECT_EQ(j.Options().Fintra_dc_precision, 8);
    EXPECT_EQ(j.Options().Floop_output, -1);
    EXPECT_FLOAT_EQ(j.Options().Faudio_qscale, -99999.0f);
    EXPECT_FLOAT_EQ(j.Options().Fmux_preload, 0.5f);
    EXPECT_FLOAT_EQ(j.Options().Fmux_max_delay, 0.7f);
    EXPECT_EQ(j.Options().Frecording_time, INT64_MAX);
    EXPECT_EQ(j.Options().Fvideo_sync_method, -1);
    EXPECT_EQ(j.Options().Faudio_sync_method, 0);
    EXPECT_FLOAT_EQ(j.Options().Faudio_drift_threshold, 0.1f);
    EXPECT_FLOAT_EQ(j.Options().Fdts_delta_threshold, 10.0f);
    EXPECT_EQ(j.Options().Fsws_flags, 4);
    EXPECT_EQ(j.Options().Fthread_count, 1);
    EXPECT_EQ(j.Options().Ftop_field_first, -1);
    EXPECT_EQ(j.Options().Fverbose, 1);
    EXPECT_EQ(j.Options().Fframe_pix_fmt, AV_PIX_FMT_NONE);
    EXPECT_EQ(j.Options().Faudio_sample_fmt, AV_SAMPLE_FMT_NONE);
    for (int limit : j.Options().Fmax_frames)
        EXPECT_EQ(limit, 2147483647);
    EXPECT_EQ(j.Options().FTotalOutputDuration, -1);
    EXPECT_EQ(j.Options().Fdo_pass, 0);
    EXPECT_TRUE(j.Options().Fstream_maps.empty());
    EXPECT_NE(j.FOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO], nullptr);
}

struct THandlerCase {
    const char* Name;
    Handler Call;
    std::string Raised;                       // "" when the call succeeds
    std::function<bool(const TCustomFFmpeg&)> Check;  // the state afterwards
};

TEST_F(JobTest, HandlersStoreOrRefuseWithTheirTexts) {
    const THandlerCase cases[] = {
        {"aspect 16:9", [](auto& j) { j.SetAspectRatio("16:9"); }, "",
         [](auto& j) { return j.Options().Fframe_aspect_ratio == 1.7777778f; }},
        {"aspect 1.5", [](auto& j) { j.SetAspectRatio("1.5"); }, "",
         [](auto& j) { return j.Options().Fframe_aspect_ratio == 1.5f; }},
        {"aspect 4:0", [](auto& j) { j.SetAspectRatio("4:0"); }, "Incorrect aspect ratio specification.",
         [](auto& j) { return j.Options().Fframe_aspect_ratio == 0.0f; }},
        {"aspect 0", [](auto& j) { j.SetAspectRatio("0"); }, "Incorrect aspect ratio specification.", nullptr},
        {"aspect abc", [](auto& j) { j.SetAspectRatio("abc"); }, "Incorrect aspect ratio specification.", nullptr},
        // A negative ratio would become a negative sample aspect ratio.
        {"aspect -4:3", [](auto& j) { j.SetAspectRatio("-4:3"); }, "Incorrect aspect ratio specification.",
         [](auto& j) { return j.Options().Fframe_aspect_ratio == 0.0f; }},
        {"aspect empty", [](auto& j) { j.SetAspectRatio(""); }, "", nullptr},
        {"vtag DX50", [](auto& j) { j.SetVideoTag("DX50"); }, "",
         [](auto& j) { return j.Options().Fvideo_codec_tag == 0x30355844u; }},
        {"vtag DX5", [](auto& j) { j.SetVideoTag("DX5"); }, "video tag parameter must be 4 chars",
         [](auto& j) { return j.Options().Fvideo_codec_tag == 0u; }},
        {"atag mp4a0", [](auto& j) { j.SetAudioTag("mp4a0"); }, "audio tag parameter must be 4 chars", nullptr},
        {"stag x", [](auto& j) { j.SetSubtitleTag("x"); }, "subtitle tag parameter must be 4 chars", nullptr},
        {"qscale 0", [](auto& j) { j.SetVideoQScale(0); }, "qscale must be > 0.0 and <= 255", nullptr},
        {"qscale 256", [](auto& j) { j.SetVideoQScale(256); }, "qscale must be > 0.0 and <= 255", nullptr},
        {"qscale 3", [](auto& j) { j.SetVideoQScale(3); }, "", [](auto& j) { return j.Options().Fvideo_qscale == 3.0f; }},
        {"r abc", [](auto& j) { j.SetFrameRate("abc"); }, "Incorrect frame rate", nullptr},
        {"r ntsc", [](auto& j) { j.SetFrameRate("ntsc"); }, "",
         [](auto& j) { return j.Options().Fframe_rate.num == 30000 && j.Options().Fframe_rate.den == 1001; }},
        {"s vga", [](auto& j) { j.SetFrameSize("vga"); }, "",
         [](auto& j) { return j.Options().Fframe_width == 640 && j.Options().Fframe_height == 480; }},
        {"s 12x", [](auto& j) { j.SetFrameSize("12x"); }, "Incorrect frame size", nullptr},
        {"pix_fmt nosuch", [](auto& j) { j.SetPixelFormat("nosuch"); }, "Unknown pixel format requested: nosuch",
         nullptr},
        {"pix_fmt yuv422p", [](auto& j) { j.SetPixelFormat("yuv422p"); }, "",
         [](auto& j) { return j.Options().Fframe_pix_fmt == AV_PIX_FMT_YUV422P; }},
        {"sample_fmt s16", [](auto& j) { j.SetSampleFormat("s16"); }, "",
         [](auto& j) { return j.Options().Faudio_sample_fmt == AV_SAMPLE_FMT_S16; }},
        {"map 1", [](auto& j) { j.AddStreamMap("1"); }, "",
         [](auto& j) {
             const TAVStreamMap& m = j.Options().Fstream_maps.back();
             return m.file_index == 1 && m.stream_index == 0 && m.sync_file_index == 1 && m.sync_stream_index == 0;
         }},
        {"map 0.1:0.0", [](auto& j) { j.AddStreamMap("0.1:0.0"); }, "",
         [](auto& j) {
             const TAVStreamMap& m = j.Options().Fstream_maps.back();
             return m.file_index == 0 && m.stream_index == 1 && m.sync_file_index == 0 && m.sync_stream_index == 0;
         }},
        {"map 0x1:010", [](auto& j) { j.AddStreamMap("0x1:010"); }, "",
         [](auto& j) { return j.Options().Fstream_maps.back().file_index == 1 && j.Options().Fstream_maps.back().stream_index == 8; }},
        {"map_meta_data 1:0", [](auto& j) { j.AddMetaDataMap("1:0"); }, "",
         [](auto& j) { return j.Options().Fmeta_data_maps.back().out_file == 1 && j.Options().Fmeta_data_maps.back().in_file == 0; }},
        {"itsscale 3:0.5", [](auto& j) { j.SetInputTsScale("3:0.5"); }, "",
         [](auto& j) { return j.Options().Finput_files_ts_scale.at(0).at(3) == 0.5; }},
        {"itsscale -1:2", [](auto& j) { j.SetInputTsScale("-1:2"); }, "stream index over MAX_STREAMS(1024)",
         nullptr},
        {"t 90", [](auto& j) { j.SetRecordingTimeOption("t", "90"); }, "",
         [](auto& j) { return j.Options().Frecording_time == 90000000 && j.Options().FTotalOutputDuration == 90000000; }},
        {"t abc", [](auto& j) { j.SetRecordingTimeOption("t", "abc"); }, "Invalid duration specification for t: abc",
         [](auto& j) { return j.Options().Frecording_time == INT64_MAX; }},
        {"ss 1:02.5", [](auto& j) { j.SetStartTimeOption("ss", "1:02.5"); }, "",
         [](auto& j) { return j.Options().Fstart_time == 62500000; }},
        {"itsoffset -2", [](auto& j) { j.SetInputTsOffset("itsoffset", "-2"); }, "",
         [](auto& j) { return j.Options().Finput_ts_offset == -2000000; }},
        {"timestamp", [](auto& j) { j.SetRecordingTimestamp("timestamp", "2020-01-02T03:04:05.6Z"); }, "",
         [](auto& j) { return j.Options().Frecording_timestamp == 1577934246; }},
        {"timestamp bad", [](auto& j) { j.SetRecordingTimestamp("timestamp", "yesterday"); },
         "Invalid date specification for timestamp: yesterday", nullptr},
        {"metadata title=a=b", [](auto& j) { j.AddMetadataOption("title=a=b"); }, "",
         [](auto& j) { return j.Options().Fmetadata.back() == std::make_pair(std::string("title"), std::string("a=b")); }},
        {"metadata x", [](auto& j) { j.AddMetadataOption("x"); }, "Missing =",
         [](auto& j) { return j.Options().Fmetadata.empty(); }},
        {"pass 3", [](auto& j) { j.SetPass(2); j.SetPass(3); }, "pass number can be only 1 or 2",
         [](auto& j) { return j.Options().Fdo_pass == 2; }},
        {"streamid 0:", [](auto& j) { j.SetStreamId("streamid", "0:"); },
         "Invalid value \"0:\" for option \"streamid\", required syntax is \"index:value\"", nullptr},
        {"streamid :5", [](auto& j) { j.SetStreamId("streamid", ":5"); },
         "Invalid value \":5\" for option \"streamid\", required syntax is \"index:value\"", nullptr},
        {"streamid 1:33", [](auto& j) { j.SetStreamId("streamid", "1:33"); }, "",
         [](auto& j) { return j.Options().Fstreamid_map.size() == 1 && j.Options().Fstreamid_map[0] == std::make_pair(1, 33); }},
        {"acodec then copy", [](auto& j) { j.SetAudioCodec("libmp3lame"); j.SetAudioCodec("copy"); }, "",
         [](auto& j) { return j.Options().Faudio_codec_name.empty() && j.Options().Faudio_stream_copy == 1; }},
        {"copy then vcodec", [](auto& j) { j.SetVideoCodec("copy"); j.SetVideoCodec("mpeg4"); }, "",
         [](auto& j) { return j.Options().Fvideo_codec_name == "mpeg4" && j.Options().Fvideo_stream_copy == 1; }},
        {"vbsf", [](auto& j) { j.AddBitstreamFilter("vbsf", "h264_mp4toannexb"); }, "",
         [](auto& j) { return j.Options().Fvideo_bitstream_filters.size() == 1; }},
        {"absf with =", [](auto& j) { j.AddBitstreamFilter("absf", "aac_adtstoasc=x"); }, "",
         [](auto& j) { return j.Options().Faudio_bitstream_filters.size() == 1; }},
        {"sbsf nosuch", [](auto& j) { j.AddBitstreamFilter("sbsf", "nosuch "); }, "Unknown bitstream filter nosuch",
         [](auto& j) { return j.Options().Fsubtitle_bitstream_filters.empty(); }},
        {"vbsf =x", [](auto& j) { j.AddBitstreamFilter("vbsf", "=x"); }, "",
         [](auto& j) { return j.Options().Fvideo_bitstream_filters.empty(); }},
        {"ar 0 and ac -1 keep", [](auto& j) { j.SetAudioRate(0); j.SetAudioChannels(-1); }, "",
         [](auto& j) { return j.Options().Faudio_sample_rate == 44100 && j.Options().Faudio_channels == 2; }},
        {"ss no-time keeps", [](auto& j) { j.SetStartTime(NoTime); j.SetRecordingTime(NoTime); }, "",
         [](auto& j) { return j.Options().Fstart_time == 0 && j.Options().Frecording_time == INT64_MAX; }},
        {"vhook without plug-ins", [](auto& j) { j.AddVideoHook("hook.so -a"); },
         "Failed to add video hook function: hook.so -a", [](auto& j) { return !j.Options().Fusing_vhook; }},
    };
    for (const THandlerCase& c : cases) {
        TCustomFFmpeg job(2);
        job.Reset();
        EXPECT_EQ(RaisedText([&] { c.Call(job); }), c.Raised) << c.Name;
        if (c.Check) {
            EXPECT_TRUE(c.Check(job)) << c.Name;
        }
    }
}

TEST_F(JobTest, CropsWorkOnTheFrameSizeOfTheMoment) {
    struct TCase {
        const char* Name;
        void (TCustomFFmpeg::*Setter)(int);
        int Value;
        std::string Raised;
        int Width, Height, Band;
    };
    const TCase cases[] = {
        {"top 0", &TCustomFFmpeg::SetCropTop, 0, "", 720, 576, 0},
        {"top -5", &TCustomFFmpeg::SetCropTop, -5, "", 720, 576, 0},
        {"top 576", &TCustomFFmpeg::SetCropTop, 576,
         "Vertical crop dimensions are outside the range of the original image.\n"
         "Remember to crop first and scale second.",
         720, 576, 0},
        {"top 16", &TCustomFFmpeg::SetCropTop, 16, "", 720, 560, 16},
        {"bottom 8", &TCustomFFmpeg::SetCropBottom, 8, "", 720, 568, 8},
        {"left 720", &TCustomFFmpeg::SetCropLeft, 720,
         "Horizontal crop dimensions are outside the range of the original image.\n"
         "Remember to crop first and scale second.",
         720, 576, 0},
        {"right 20", &TCustomFFmpeg::SetCropRight, 20, "", 700, 576, 20},
    };
    for (const TCase& c : cases) {
        TCustomFFmpeg job(1);
        job.Reset();
        job.SetFrameSize("720x576");
        EXPECT_EQ(RaisedText([&] { (job.*c.Setter)(c.Value); }), c.Raised) << c.Name;
        EXPECT_EQ(job.Options().Fframe_width, c.Width) << c.Name;
        EXPECT_EQ(job.Options().Fframe_height, c.Height) << c.Name;
        EXPECT_EQ(job.Options().Fframe_topBand + job.Options().Fframe_bottomBand + job.Options().Fframe_leftBand + job.Options().Fframe_rightBand, c.Band)
            << c.Name;
    }
    EXPECT_TRUE(Log.Has(llWarning, "CropXXX is deprecated in favor of the crop avfilter"));
}

namespace {
std::string Matrix(int count, int value = 16) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? "," : "") + std::to_string(value);
    return text;
}
} // namespace

TEST_F(JobTest, QuantiserMatricesNeedSixtyFourEntriesOfOneTo255) {
    const std::string short63 = Matrix(63);
    EXPECT_EQ(RaisedText([&] { Job->SetIntraMatrix(short63); }),
              "Syntax error in matrix \"" + short63 + "\" at coeff 62");
    EXPECT_FALSE(Job->Options().Fintra_matrix.has_value());

    Job->SetIntraMatrix(Matrix(65, 17));  // the 65th is ignored
    ASSERT_TRUE(Job->Options().Fintra_matrix.has_value());
    EXPECT_EQ((*Job->Options().Fintra_matrix)[63], 17);

    // A 0 reaches a division in the encoder; the refused text leaves the matrix as it was.
    std::string zero = Matrix(64);
    zero.replace(0, 2, "0");
    EXPECT_EQ(RaisedText([&] { Job->SetIntraMatrix(zero); }),
              "Matrix value out of range (1..255) in matrix \"" + zero + "\" at coeff 0");
    EXPECT_EQ((*Job->Options().Fintra_matrix)[0], 17);
    const std::string big = Matrix(64, 256);
    EXPECT_EQ(RaisedText([&] { Job->SetInterMatrix(big); }),
              "Matrix value out of range (1..255) in matrix \"" + big + "\" at coeff 0");
    EXPECT_FALSE(Job->Options().Finter_matrix.has_value());
}

TEST_F(JobTest, LogsOfHandlers) {
    EXPECT_TRUE(Job->SetBitrate("b", "500"));
    EXPECT_TRUE(Log.Has(llWarning,
                        "WARNING: The bitrate parameter is set too low. It takes bits/s as argument, not kbits/s"));
    EXPECT_TRUE(Job->SetBitrate("ab", "64000"));
    EXPECT_EQ(Log.Count(llWarning), 1u);
    EXPECT_FALSE(Job->SetBitrate("b", ""));

    Job->SetFormat("pgmyuv");
    EXPECT_EQ(Job->Options().Flast_asked_format, "image2");
    EXPECT_EQ(Job->Options().Fpgmyuv_compatibility_hack, 1);
    EXPECT_TRUE(Log.Has(llInfo, "pgmyuv format is deprecated, use image2"));

    Job->SetPixelFormat("list");
    Job->SetSampleFormat("list");
    EXPECT_TRUE(Log.Has(llInfo, "name       nb_components nb_bits"));
    EXPECT_TRUE(Log.Has(llInfo, "yuv420p           3         12"));
    EXPECT_TRUE(Log.Has(llInfo, "name   depth"));
    EXPECT_TRUE(Log.Has(llInfo, "fltp     32"));
    EXPECT_EQ(Job->Options().Fframe_pix_fmt, AV_PIX_FMT_NONE);

    Job->SetVStats(true);
    EXPECT_NE(Job->Options().Fvstats_filename.find("vstats_"), std::string::npos);
    EXPECT_EQ(Job->Options().Fvstats_filename.rfind(".log"), Job->Options().Fvstats_filename.size() - 4);
    Job->SetVStats(false);
    EXPECT_TRUE(Job->Options().Fvstats_filename.empty());
}

// A plug-in loader that records what it was given.
class THookRecordingJob : public TCustomFFmpeg {
public:
    using TCustomFFmpeg::TCustomFFmpeg;
    std::vector<std::string> Arguments;

protected:
    int AddFrameHook(const std::vector<std::string>& AArguments) override {
        Arguments = AArguments;
        return 0;
    }
};

TEST_F(JobTest, HookCommandLinesSplitAtBarsElseAtBlanks) {
    const struct {
        std::string Line;
        std::vector<std::string> Arguments;
    } cases[] = {
        {"hook.so|-t|a b", {"hook.so", "-t", "a b"}},
        {"hook.so  -t a", {"hook.so", "-t", "a"}},
    };
    for (const auto& c : cases) {
        THookRecordingJob job(1);
        job.Reset();
        job.AddVideoHook(c.Line);
        EXPECT_EQ(job.Arguments, c.Arguments) << c.Line;
        EXPECT_TRUE(job.Options().Fusing_vhook);
    }
    THookRecordingJob job(1);
    job.Reset();
    std::string many = "p.so";
    for (int i = 0; i < 64; ++i)
        many += " a";
    EXPECT_EQ(RaisedText([&] { job.AddVideoHook(many); }), "Failed to add video hook function: " + many)
        << "more arguments than the vector holds";
}

TEST_F(JobTest, FindCodecNamesWhatItRefuses) {
    const struct {
        std::string Name;
        AVMediaType Type;
        bool Encoder;
        bool Result;
        std::string Text;
        AVCodecID Id;
    } cases[] = {
        {"", AVMEDIA_TYPE_VIDEO, true, true, "", AV_CODEC_ID_NONE},
        {"nosuch", AVMEDIA_TYPE_AUDIO, true, false, "Unknown encoder 'nosuch'", AV_CODEC_ID_NONE},
        {"nosuch", AVMEDIA_TYPE_AUDIO, false, false, "Unknown decoder 'nosuch'", AV_CODEC_ID_NONE},
        {"mp2", AVMEDIA_TYPE_VIDEO, true, false, "Invalid encoder type 'mp2'", AV_CODEC_ID_NONE},
        {"mpeg4", AVMEDIA_TYPE_VIDEO, true, true, "", AV_CODEC_ID_MPEG4},
        {"aac", AVMEDIA_TYPE_AUDIO, false, true, "", AV_CODEC_ID_AAC},
    };
    for (const auto& c : cases) {
        Job->Reset();
        AVCodecID id = AV_CODEC_ID_PROBE;
        EXPECT_EQ(Job->FindCodec(c.Name, c.Type, c.Encoder, 0, id), c.Result) << c.Name;
        EXPECT_EQ(Job->LastErrMsg(), c.Text) << c.Name;
        if (c.Result) {
            EXPECT_EQ(id, c.Id) << c.Name;
        }
    }
}

TEST_F(JobTest, ExperimentalEncodersNeedStrictExperimental) {
    const AVCodec* vorbis = AVLib.avcodec_find_encoder_by_name("vorbis");
    if (!vorbis || !(vorbis->capabilities & AV_CODEC_CAP_EXPERIMENTAL))
        GTEST_SKIP() << "no experimental encoder in this build";
    AVCodecID id = AV_CODEC_ID_NONE;
    EXPECT_FALSE(Job->FindCodec("vorbis", AVMEDIA_TYPE_AUDIO, true, 0, id));
    std::string expected =
        "encoder 'vorbis' is experimental and might produce bad results.\r\n"
        "Add '-strict experimental' if you want to use it.";
    const AVCodec* other = AVLib.avcodec_find_encoder(AV_CODEC_ID_VORBIS);
    if (other && !(other->capabilities & AV_CODEC_CAP_EXPERIMENTAL))
        expected += std::string("\r\nOr use the non experimental encoder '") + other->name + "'.";
    EXPECT_EQ(Job->LastErrMsg(), expected);
    EXPECT_TRUE(Job->FindCodec("vorbis", AVMEDIA_TYPE_AUDIO, true, FF_COMPLIANCE_EXPERIMENTAL, id));
    EXPECT_EQ(id, AV_CODEC_ID_VORBIS);
}
