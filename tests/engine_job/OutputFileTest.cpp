#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "engine/transcode/FFmpegException.h"
#include "engine/transcode/FormatChoice.h"
#include "engine/util/MiscUtils.h"
#include "platform/core/Path.h"
#include "tests/engine_job/JobTestSupport.h"
#include "tests/media/SampleMedia.h"

namespace {

std::vector<AVMediaType> StreamKinds(const TJobOutputFile& AOutput) {
    std::vector<AVMediaType> kinds;
    for (const auto& s : AOutput.streams)
        kinds.push_back(s->enc->codec_type);
    return kinds;
}

const std::string* FoundDictValue(const AVDictionary* ADict, const char* AKey) {
    static std::string value;
    const AVDictionaryEntry* e = AVLib.av_dict_get(ADict, AKey, nullptr, 0);
    if (!e)
        return nullptr;
    value = e->value;
    return &value;
}

void WriteText(const std::string& AName, const std::string& AText) {
    std::ofstream(AName, std::ios::binary) << AText;
}

} // namespace

TEST_F(JobTest, OutputStreamsFollowTheContainerAndTheInputs) {
    using K = std::vector<AVMediaType>;
    const AVMediaType V = AVMEDIA_TYPE_VIDEO, A = AVMEDIA_TYPE_AUDIO;
    struct TCase {
        const char* Name;
        std::string Input;
        std::function<void(TCustomFFmpeg&)> Options;
        std::string Output;
        K Kinds;
        std::vector<AVCodecID> Codecs;
    };
    const TCase cases[] = {
        {"mp4", "va", nullptr, "a.mp4", K{V, A}, {AV_CODEC_ID_H264, AV_CODEC_ID_AAC}},
        {"mpeg", "va", nullptr, "a.mpg", K{V, A}, {AV_CODEC_ID_MPEG1VIDEO, AV_CODEC_ID_MP2}},
        {"wav has no video", "va", nullptr, "a.wav", K{A}, {AV_CODEC_ID_PCM_S16LE}},
        {"no audio in the input", "video", [](auto& j) { j.SetAudioCodec("mp2"); }, "b.mp4", K{V},
         {AV_CODEC_ID_H264}},
        {"vn", "va", [](auto& j) { j.Options().Fvideo_disable = true; }, "c.mp4", K{A}, {AV_CODEC_ID_AAC}},
        {"an", "va", [](auto& j) { j.Options().Faudio_disable = true; }, "d.mp4", K{V}, {AV_CODEC_ID_H264}},
        {"named codecs", "va", [](auto& j) { j.SetVideoCodec("mjpeg"); j.SetAudioCodec("mp2"); }, "e.avi", K{V, A},
         {AV_CODEC_ID_MJPEG, AV_CODEC_ID_MP2}},
        {"copies", "va", [](auto& j) { j.SetVideoCodec("copy"); j.SetAudioCodec("copy"); }, "f.mkv", K{V, A},
         {AV_CODEC_ID_NONE, AV_CODEC_ID_NONE}},
    };
    for (const TCase& c : cases) {
        Job->Reset();
        ASSERT_TRUE(Job->OpenInputFile(Media(c.Input))) << c.Name;
        if (c.Options)
            c.Options(*Job);
        const bool vn = Job->Options().Fvideo_disable;
        ASSERT_EQ(Job->OpenOutputFile(Scratch(c.Output), false), 1) << c.Name << ": " << Job->LastErrMsg();
        const TJobOutputFile& output = Job->OutputFile(0);
        EXPECT_EQ(StreamKinds(output), c.Kinds) << c.Name;
        for (size_t i = 0; i < output.streams.size() && i < c.Codecs.size(); ++i) {
            EXPECT_EQ(output.streams[i]->enc->codec_id, c.Codecs[i]) << c.Name << " stream " << i;
            EXPECT_EQ(output.streams[i]->stream_copy, c.Codecs[i] == AV_CODEC_ID_NONE) << c.Name;
            EXPECT_EQ(output.streams[i]->st->index, int(i));
        }
        EXPECT_EQ(Job->Options().Fvideo_disable, vn) << c.Name << ": only a made video stream clears vn";
        // Per-stream options are consumed by the stream that uses them.
        EXPECT_TRUE(Job->Options().Fvideo_codec_name.empty()) << c.Name;
        EXPECT_EQ(Job->Options().Fvideo_stream_copy + Job->Options().Faudio_stream_copy, 0) << c.Name;
    }
}

TEST_F(JobTest, VideoStreamSettings) {
    struct TCase {
        const char* Name;
        std::function<void(TCustomFFmpeg&)> Options;
        std::string Output;
        AVRational Sar, TimeBase;
        AVPixelFormat PixFmt;
    };
    const TCase cases[] = {
        {"16:9 at 720x576", [](auto& j) { j.SetFrameSize("720x576"); j.SetAspectRatio("16:9"); }, "s1.mp4",
         {64, 45}, {1, 25}, AV_PIX_FMT_YUV420P},
        {"no frame rate gives 25", [](auto& j) { j.SetFrameSize("320x240"); }, "s2.mp4", {0, 1}, {1, 25},
         AV_PIX_FMT_YUV420P},
        {"nearest supported rate", [](auto& j) { j.SetFrameSize("320x240"); j.SetFrameRate("26"); }, "s3.mpg",
         {0, 1}, {1, 25}, AV_PIX_FMT_YUV420P},
        {"forced rate", [](auto& j) { j.SetFrameSize("320x240"); j.SetFrameRate("26"); j.Options().Fforce_fps = true; },
         "s4.mpg", {0, 1}, {1, 26}, AV_PIX_FMT_YUV420P},
        {"unsupported pixel format", [](auto& j) { j.SetFrameSize("320x240"); j.SetPixelFormat("rgb24"); },
         "s5.mpg", {0, 1}, {1, 25}, AV_PIX_FMT_YUV420P},
        {"supported pixel format", [](auto& j) { j.SetFrameSize("320x240"); j.SetPixelFormat("yuv422p"); },
         "s6.mkv", {0, 1}, {1, 25}, AV_PIX_FMT_NONE},
    };
    for (const TCase& c : cases) {
        Job->Reset();
        c.Options(*Job);
        Job->Options().Faudio_disable = true;
        ASSERT_EQ(Job->OpenOutputFile(Scratch(c.Output), false), 1) << c.Name << ": " << Job->LastErrMsg();
        const TJobOutputStream& s = *Job->OutputFile(0).streams.at(0);
        if (c.Sar.num) {
            EXPECT_EQ(s.enc->sample_aspect_ratio.num, c.Sar.num) << c.Name;
            EXPECT_EQ(s.enc->sample_aspect_ratio.den, c.Sar.den) << c.Name;
            EXPECT_EQ(s.st->sample_aspect_ratio.num, c.Sar.num) << c.Name;
        }
        EXPECT_EQ(s.enc->time_base.num, c.TimeBase.num) << c.Name;
        EXPECT_EQ(s.enc->time_base.den, c.TimeBase.den) << c.Name;
        if (c.PixFmt != AV_PIX_FMT_NONE) {
            EXPECT_EQ(s.enc->pix_fmt, c.PixFmt) << c.Name;
        }
        else
            EXPECT_EQ(s.enc->pix_fmt, AV_PIX_FMT_YUV422P) << c.Name << ": kept when the encoder takes it";
        EXPECT_EQ(Job->Options().Fframe_pix_fmt, AV_PIX_FMT_NONE) << c.Name;
    }
}

TEST_F(JobTest, EncoderSettingsAreCopiedPerStream) {
    ASSERT_TRUE(Job->OpenInputFile(Media("va")));
    std::string matrix;
    for (int i = 0; i < 64; ++i)
        matrix += (i ? "," : "") + std::to_string(i + 1);
    Job->SetIntraMatrix(matrix);
    Job->SetRcOverride("0,10,5/20,30,-50");
    Job->SetVideoQScale(4);
    Job->SetPass(1);
    Job->AddBitstreamFilter("vbsf", "dump_extra");
    Job->SetGenericOption("g", "7");
    Job->SetGenericOption("b", "300000");
    Job->SetVideoTag("DX50");
    Job->Options().Fvideo_language = "eng";
    Job->SetStreamId("streamid", "0:33");
    ASSERT_EQ(Job->OpenOutputFile(Scratch("enc.avi"), false), 1) << Job->LastErrMsg();
    const TJobOutputStream& v = *Job->OutputFile(0).streams.at(0);
    AVCodecContext* enc = v.enc;
    ASSERT_NE(enc->intra_matrix, nullptr);
    EXPECT_EQ(enc->intra_matrix[63], 64);
    ASSERT_EQ(enc->rc_override_count, 2);
    EXPECT_EQ(enc->rc_override[0].qscale, 5);
    EXPECT_EQ(enc->rc_override[1].start_frame, 20);
    EXPECT_FLOAT_EQ(enc->rc_override[1].quality_factor, 0.5f);
    EXPECT_TRUE(enc->flags & AV_CODEC_FLAG_QSCALE);
    EXPECT_EQ(enc->global_quality, 4 * FF_QP2LAMBDA);
    EXPECT_TRUE(enc->flags & AV_CODEC_FLAG_PASS1);
    EXPECT_EQ(enc->gop_size, 7);
    EXPECT_EQ(enc->bit_rate, 300000);
    EXPECT_EQ(enc->codec_tag, 0x30355844u);
    ASSERT_EQ(v.bitstream_filters.size(), 1u);
    EXPECT_TRUE(Job->Options().Fvideo_bitstream_filters.empty());
    EXPECT_EQ(v.st->id, 33);
    EXPECT_TRUE(Job->Options().Fstreamid_map.empty());
    ASSERT_NE(FoundDictValue(v.st->metadata, "language"), nullptr);
    EXPECT_EQ(*FoundDictValue(v.st->metadata, "language"), "eng");
    EXPECT_TRUE(Job->Options().Fvideo_language.empty());
    // The audio stream's time base is its sample rate's.
    const TJobOutputStream& a = *Job->OutputFile(0).streams.at(1);
    EXPECT_EQ(a.enc->time_base.den, a.enc->sample_rate);
}

TEST_F(JobTest, AudioEncodersGetARateAndFormatTheyTake) {
    ASSERT_TRUE(Job->OpenInputFile(Media("va")));
    Job->SetAudioRate(40000);
    Job->SetAudioChannels(2);
    Job->Options().Fvideo_disable = true;
    ASSERT_EQ(Job->OpenOutputFile(Scratch("rate.mp2"), false), 1) << Job->LastErrMsg();
    const AVCodecContext* enc = Job->OutputFile(0).streams.at(0)->enc;
    EXPECT_EQ(enc->codec_id, AV_CODEC_ID_MP2);
    EXPECT_EQ(enc->sample_rate, 44100);
    EXPECT_EQ(enc->sample_fmt, AV_SAMPLE_FMT_S16);
    EXPECT_EQ(enc->ch_layout.nb_channels, 2) << "the usual layout when the input's has another count";
    EXPECT_TRUE(Log.Has(llWarning, "Requested sampling rate unsupported using closest supported (44100)"));
}

TEST_F(JobTest, OutputFailuresNameTheirReason) {
    struct TCase {
        const char* Name;
        std::function<void(TCustomFFmpeg&)> Options;
        std::string Output;
        std::string Text;
    };
    const std::string noFolder = Scratch("no/such/out.mp4");
    const TCase cases[] = {
        {"forced format", [](auto& j) { j.SetFormat("nosuch"); }, "x.mp4",
         "Requested output format 'nosuch' is not a suitable output format"},
        {"no format", nullptr, "x.nosuchext", "Unable to find a suitable output format for '" +
                                                  Scratch("x.nosuchext") + "'"},
        {"unknown audio encoder", [](auto& j) { j.SetAudioCodec("nosuch"); }, "x.mp4",
         "new_audio_stream fail: Unknown encoder 'nosuch'"},
        {"audio encoder for video", [](auto& j) { j.SetVideoCodec("mp2"); }, "x.mp4",
         "new_video_stream fail: Invalid encoder type 'mp2'"},
        {"rate-control text", [](auto& j) { j.SetRcOverride("1,2"); }, "x.mp4",
         "new_video_stream fail: error parsing rc_override"},
        {"subtitle encoder", [](auto& j) { j.SetSubtitleCodec("nosuch"); }, "x.mkv",
         "new_subtitle_stream fail: Unknown encoder 'nosuch'"},
        {"missing folder", nullptr, "no/such/out.mp4", noFolder + ": No such file or directory"},
        {"feed output", [](auto& j) { j.SetFormat("ffm"); }, "feed.ffm",
         "Requested output format 'ffm' is not a suitable output format"},
        {"name without a number", [](auto& j) { j.SetFormat("webm_chunk"); j.Options().Faudio_disable = true; }, "chunk.webm",
         Scratch("chunk.webm") + ": Number syntax expected in filename"},
        // The video builder checks the codec before it applies the generic options.
        {"experimental video encoder",
         [](auto& j) { j.SetGenericOption("strict", "experimental"); j.SetVideoCodec("avui"); }, "x.mov",
         "new_video_stream fail: encoder 'avui' is experimental and might produce bad results.\r\n"
         "Add '-strict experimental' if you want to use it."},
    };
    for (const TCase& c : cases) {
        Job->Reset();
        // Without inputs every kind the options ask for is made.
        if (c.Name != std::string("subtitle encoder")) {
            ASSERT_TRUE(Job->OpenInputFile(Media("va")));
        }
        if (c.Options)
            c.Options(*Job);
        EXPECT_EQ(Job->OpenOutputFile(Scratch(c.Output), false), -1) << c.Name;
        EXPECT_EQ(Job->LastErrMsg(), c.Text) << c.Name;
        EXPECT_EQ(Job->nb_output_files(), 0) << c.Name;
    }
    Job->Reset();
    EXPECT_EQ(RaisedText([&] { Job->NewAudioStreamOption(); }), "At least one output file must be specified");
}

TEST_F(JobTest, AStrictOptionLetsAnExperimentalAudioEncoderIn) {
    ASSERT_TRUE(Job->OpenInputFile(Media("va")));
    Job->SetAudioCodec("vorbis");
    Job->Options().Fvideo_disable = true;
    ASSERT_EQ(Job->OpenOutputFile(Scratch("x.ogg"), false), -1);
    EXPECT_EQ(Job->LastErrMsg().rfind("new_audio_stream fail: encoder 'vorbis' is experimental", 0), 0u)
        << Job->LastErrMsg();

    Job->SetGenericOption("strict", "experimental");
    Job->SetAudioCodec("vorbis");
    ASSERT_EQ(Job->OpenOutputFile(Scratch("x.ogg"), false), 1) << Job->LastErrMsg();
    EXPECT_EQ(Job->OutputFile(0).streams.at(0)->enc->codec_id, AV_CODEC_ID_VORBIS);
}

TEST(FormatChoice, KeepsWhatTheEncoderTakesElseItsFirst) {
    const AVPixelFormat jpegFormats[] = {AV_PIX_FMT_YUVJ420P, AV_PIX_FMT_YUVJ422P, AV_PIX_FMT_NONE};
    struct TCase {
        const char* Name;
        AVCodecID Id;
        int Strict;
        AVPixelFormat Wanted, Chosen;
    };
    const TCase cases[] = {
        {"supported", AV_CODEC_ID_MJPEG, 0, AV_PIX_FMT_YUVJ422P, AV_PIX_FMT_YUVJ422P},
        {"unsupported", AV_CODEC_ID_MJPEG, 0, AV_PIX_FMT_YUV420P, AV_PIX_FMT_YUVJ420P},
        {"unofficial 420", AV_CODEC_ID_MJPEG, FF_COMPLIANCE_UNOFFICIAL, AV_PIX_FMT_YUV420P, AV_PIX_FMT_YUV420P},
        {"unofficial 422", AV_CODEC_ID_MJPEG, FF_COMPLIANCE_EXPERIMENTAL, AV_PIX_FMT_YUV422P, AV_PIX_FMT_YUV422P},
        {"unofficial 444", AV_CODEC_ID_MJPEG, FF_COMPLIANCE_UNOFFICIAL, AV_PIX_FMT_YUV444P, AV_PIX_FMT_YUVJ420P},
        {"other codec", AV_CODEC_ID_LJPEG, FF_COMPLIANCE_UNOFFICIAL, AV_PIX_FMT_YUV420P, AV_PIX_FMT_YUVJ420P},
    };
    for (const TCase& c : cases) {
        AVCodec codec{};
        codec.id = c.Id;
        codec.pix_fmts = jpegFormats;
        AVCodecContext context{};
        context.codec_id = c.Id;
        context.strict_std_compliance = c.Strict;
        context.pix_fmt = c.Wanted;
        ChoosePixelFormat(&context, &codec);
        EXPECT_EQ(context.pix_fmt, c.Chosen) << c.Name;
    }
    const AVSampleFormat sampleFormats[] = {AV_SAMPLE_FMT_FLTP, AV_SAMPLE_FMT_S16, AV_SAMPLE_FMT_NONE};
    AVCodec codec{};
    codec.sample_fmts = sampleFormats;
    AVCodecContext context{};
    context.sample_fmt = AV_SAMPLE_FMT_S16;
    ChooseSampleFormat(&context, &codec);
    EXPECT_EQ(context.sample_fmt, AV_SAMPLE_FMT_S16);
    context.sample_fmt = AV_SAMPLE_FMT_U8;
    ChooseSampleFormat(&context, &codec);
    EXPECT_EQ(context.sample_fmt, AV_SAMPLE_FMT_FLTP);
}

TEST_F(JobTest, ChooseSampleRateTakesTheNearestEarlierOnATie) {
    const int rates[] = {48000, 32000, 0};
    AVCodec codec{};
    codec.supported_samplerates = rates;
    const struct {
        int Wanted, Chosen;
    } cases[] = {{40000, 48000}, {32000, 32000}, {36000, 32000}, {96000, 48000}};
    for (const auto& c : cases) {
        AVCodecContext context{};
        context.sample_rate = c.Wanted;
        Job->ChooseSampleRate(&context, &codec);
        EXPECT_EQ(context.sample_rate, c.Chosen) << c.Wanted;
    }
    EXPECT_TRUE(Log.Has(llWarning, "Requested sampling rate unsupported using closest supported (48000)"));
}

TEST_F(JobTest, StreamsAddedAfterTheOutputWasOpened) {
    ASSERT_TRUE(Job->OpenInputFile(Media("two_audio")));
    ASSERT_EQ(Job->OpenOutputFile(Scratch("more.mkv"), false), 1) << Job->LastErrMsg();
    Job->SetAudioCodec("mp2");
    Job->Options().Faudio_language = "deu";
    Job->NewAudioStreamOption();
    const TJobOutputFile& output = Job->OutputFile(0);
    ASSERT_EQ(output.streams.size(), 3u);
    EXPECT_EQ(output.streams[2]->enc->codec_id, AV_CODEC_ID_MP2);
    EXPECT_EQ(output.streams[2]->codec, AVLib.avcodec_find_encoder_by_name("mp2"));
    EXPECT_EQ(output.streams[2]->st->index, 2);
}

TEST_F(JobTest, MetadataAndMuxerSettings) {
    ASSERT_TRUE(Job->OpenInputFile(Media("va")));
    Job->AddMetadataOption("title=first");
    Job->AddMetadataOption("title=second");
    Job->AddMetadataOption("artist=me");
    Job->SetRecordingTimestamp("timestamp", "2020-01-02T03:04:05Z");
    Job->SetMuxPreload(0.25f);
    ASSERT_EQ(Job->OpenOutputFile(Scratch("meta.mpg"), false), 1) << Job->LastErrMsg();
    const TJobOutputFile& output = Job->OutputFile(0);
    EXPECT_EQ(*FoundDictValue(output.ctx->metadata, "title"), "first");
    EXPECT_EQ(*FoundDictValue(output.ctx->metadata, "artist"), "me");
    EXPECT_EQ(*FoundDictValue(output.ctx->metadata, "creation_time"), "2020-01-02T03:04:05.000000Z");
    EXPECT_TRUE(Job->Options().Fmetadata.empty());
    ASSERT_NE(FoundDictValue(output.muxer_opts, "preload"), nullptr);
    EXPECT_EQ(*FoundDictValue(output.muxer_opts, "preload"), "250000");
    EXPECT_EQ(output.ctx->max_delay, 700000);
    EXPECT_EQ(FoundDictValue(output.muxer_opts, "loop"), nullptr);

    Job->Reset();
    Job->Options().Floop_output = 3;
    Job->SetFrameSize("32x32");
    ASSERT_EQ(Job->OpenOutputFile(Scratch("loop.gif"), false), 1) << Job->LastErrMsg();
    ASSERT_NE(FoundDictValue(Job->OutputFile(0).muxer_opts, "loop"), nullptr);
    EXPECT_EQ(*FoundDictValue(Job->OutputFile(0).muxer_opts, "loop"), "3");
    EXPECT_EQ(FoundDictValue(Job->OutputFile(0).ctx->metadata, "creation_time"), nullptr);
}

TEST_F(JobTest, JoinGivesOneEntryPerInput) {
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(Job->OpenInputFile(Media("va")));
    int64_t sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += Job->InputFile(i).ctx->duration;
    ASSERT_EQ(Job->OpenOutputFile(Scratch("joined.mp4"), true), 3) << Job->LastErrMsg();
    EXPECT_TRUE(Job->JoinMode());
    EXPECT_EQ(&Job->OutputFile(0), &Job->OutputFile(2));
    EXPECT_EQ(Job->Options().FTotalOutputDuration, sum);
    EXPECT_EQ(Job->OpenOutputFile(Scratch("second.mp4"), false), -1);
    EXPECT_EQ(Job->LastErrMsg(), "Cannot join more than one output file.");
    EXPECT_EQ(Job->nb_output_files(), 3);

    Job->Reset();
    ASSERT_TRUE(Job->OpenInputFile(Media("va")));
    EXPECT_EQ(Job->OpenOutputFile(Scratch("single.mp4"), true), 1);
    EXPECT_FALSE(Job->JoinMode());
    EXPECT_EQ(Job->OpenOutputFile(Scratch("single2.mp4"), true), 2);
}

TEST_F(JobTest, CleanupDeletesOnlyEmptyOutputsItCreated) {
    ASSERT_TRUE(Job->OpenInputFile(Media("va")));
    const std::string empty = Scratch("left_empty.mp4");
    ASSERT_EQ(Job->OpenOutputFile(empty, false), 1);
    EXPECT_EQ(GetFileSizeByName(empty), -1) << "building an output creates no file";
    Job->OpenOutputTarget(Job->OutputFile(0));
    EXPECT_EQ(GetFileSizeByName(empty), 0);
    const std::string kept = Scratch("kept.mp4");
    ASSERT_EQ(Job->OpenOutputFile(kept, false), 2);
    Job->OpenOutputTarget(Job->OutputFile(1));
    avio_w8(Job->OutputFile(1).ctx->pb, 'x');
    // A file that was there before the job is replaced, but never deleted.
    const std::string replaced = Scratch("replaced.mp4");
    WriteText(replaced, "older");
    ASSERT_EQ(Job->OpenOutputFile(replaced, false), 3);
    EXPECT_EQ(GetFileSizeByName(replaced), 5) << "building an output leaves an existing file alone";
    Job->OpenOutputTarget(Job->OutputFile(2));
    Job->Cleanup();
    EXPECT_EQ(GetFileSizeByName(empty), -1);
    EXPECT_EQ(GetFileSizeByName(kept), 1);
    EXPECT_EQ(GetFileSizeByName(replaced), 0);
    EXPECT_EQ(Job->nb_output_files(), 0);
    EXPECT_EQ(Job->nb_input_files(), 0);
    std::remove(kept.c_str());
    std::remove(replaced.c_str());
}

// An output that names one of the job's inputs, by any path that reaches the
// same file, is refused when the job is built and again when the file would be
// opened; the input is never touched.
TEST_F(JobTest, AnOutputThatIsAnInputIsRefused) {
    const std::string input = Scratch("own_input.mpg");
    {
        std::ifstream from(Media("va"), std::ios::binary);
        std::ofstream to(input, std::ios::binary);
        to << from.rdbuf();
    }
    const int64_t size = GetFileSizeByName(input);
    ASSERT_GT(size, 0);
    const std::string link = Scratch("own_link.mpg");
    const std::string hard = Scratch("own_hard.mpg");
    std::remove(link.c_str());
    std::remove(hard.c_str());
    ASSERT_EQ(symlink(input.c_str(), link.c_str()), 0);
    ASSERT_EQ(::link(input.c_str(), hard.c_str()), 0);
    const std::string folder = ExtractFileDir(input);
    const std::string names[] = {input, link, hard, folder + "/../" + ExtractFileName(folder) + "/own_input.mpg",
                                 folder + "/./own_input.mpg"};
    for (const std::string& name : names) {
        Job->Reset();
        ASSERT_TRUE(Job->OpenInputFile(input));
        EXPECT_EQ(Job->OpenOutputFile(name, false), -1) << name;
        EXPECT_EQ(Job->LastErrMsg(), name + ": Output file is one of the input files; it is never written over");
        EXPECT_EQ(GetFileSizeByName(input), size) << name;
    }
    // Made the input after the job was built: refused as the file is opened.
    const std::string later = Scratch("later.mpg");
    std::remove(later.c_str());
    Job->Reset();
    ASSERT_TRUE(Job->OpenInputFile(input));
    ASSERT_EQ(Job->OpenOutputFile(later, false), 1);
    ASSERT_EQ(::link(input.c_str(), later.c_str()), 0);
    EXPECT_EQ(RaisedText([&] { Job->OpenOutputTarget(Job->OutputFile(0)); }),
              later + ": Output file is one of the input files; it is never written over");
    Job->Reset();
    EXPECT_EQ(GetFileSizeByName(input), size);
    EXPECT_EQ(GetFileSizeByName(later), size);
    for (const std::string& name : {link, hard, later, input})
        std::remove(name.c_str());
}

// Without leave to replace, a file that appeared under the output's name
// after the job was built fails the job as the file would be opened.
TEST_F(JobTest, AnExistingFileIsReplacedOnlyWithLeave) {
    const std::string name = Scratch("appeared.mp4");
    for (bool replace : {false, true}) {
        std::remove(name.c_str());
        Job->Reset();
        Job->SetReplaceExisting(replace);
        ASSERT_TRUE(Job->OpenInputFile(Media("va")));
        ASSERT_EQ(Job->OpenOutputFile(name, false), 1);
        WriteText(name, "made meanwhile");
        const std::string raised = RaisedText([&] { Job->OpenOutputTarget(Job->OutputFile(0)); });
        EXPECT_EQ(raised, replace ? "" : name + ": File exists") << replace;
        Job->Reset();
        EXPECT_EQ(GetFileSizeByName(name), replace ? 0 : 14) << replace;
    }
    Job->SetReplaceExisting(true);
    std::remove(name.c_str());
}

// The folder of an output is checked with a probe file of its own: a folder
// that takes no file is refused with the system's reason, and the check leaves
// nothing behind.
TEST_F(JobTest, AnOutputFolderIsCheckedWithoutTouchingIt) {
    const std::string notFolder = Scratch("plain_file");
    WriteText(notFolder, "x");
    Job->Reset();
    ASSERT_TRUE(Job->OpenInputFile(Media("va")));
    EXPECT_EQ(Job->OpenOutputFile(notFolder + "/out.mp4", false), -1);
    EXPECT_EQ(Job->LastErrMsg(), notFolder + "/out.mp4: Not a directory");
    EXPECT_EQ(Job->OpenOutputFile(Scratch(""), false), -1);
    const std::string folder = Scratch("checked");
    mkdir(folder.c_str(), 0755);
    EXPECT_EQ(Job->OpenOutputFile(folder + "/out.mp4", false), 1);
    Job->Reset();
    int entries = 0;
    for (const auto& entry : ListFolder(folder)) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 0) << "the probe file is gone";
    rmdir(folder.c_str());
    std::remove(notFolder.c_str());
}

TEST_F(JobTest, JoinTakesItsStreamKindsFromTheFirstInput) {
    for (bool join : {false, true}) {
        Job->Reset();
        ASSERT_TRUE(Job->OpenInputFile(Media("video")));
        ASSERT_TRUE(Job->OpenInputFile(Media("va")));
        ASSERT_EQ(Job->OpenOutputFile(Scratch("kinds.mp4"), join), join ? 2 : 1) << Job->LastErrMsg();
        EXPECT_EQ(Job->OutputFile(0).streams.size(), join ? 1u : 2u) << "join " << join;
    }
}

TEST_F(JobTest, AJoinOfInputsWithoutDurationHasNoTotal) {
    const testmedia::TSample raw =
        testmedia::MakeSample(TJobMedia::Instance().Scratch(""), testmedia::TSampleKind::RawElementary);
    ASSERT_TRUE(Job->OpenInputFile(raw.Path)) << Job->LastErrMsg();
    if (Job->InputFile(0).ctx->duration != AV_NOPTS_VALUE)
        GTEST_SKIP() << "the library estimates a duration for this input";
    ASSERT_TRUE(Job->OpenInputFile(raw.Path));
    ASSERT_EQ(Job->OpenOutputFile(Scratch("raw_join.mp4"), true), 2) << Job->LastErrMsg();
    EXPECT_EQ(Job->Options().FTotalOutputDuration, -1);
}
