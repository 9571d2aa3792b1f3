#include <fstream>

#include "engine/options/Presets.h"
#include "engine/transcode/FFmpegException.h"
#include "platform/core/SysUtils.h"
#include "tests/engine_job/JobTestSupport.h"

namespace {

void WriteText(const std::string& AFile, const std::string& AText) {
    std::ofstream(AFile, std::ios::binary) << AText;
}

bool LoggedInvalidValue(const TLogCollector& ALog) {
    for (const auto& [level, text] : ALog.Lines())
        if (text.find("Invalid value") != std::string::npos)
            return true;
    return false;
}

std::string JoinedLog(const TLogCollector& ALog) {
    std::string text;
    for (const auto& [level, line] : ALog.Lines())
        text += line + "\n";
    return text;
}

} // namespace

TEST(BuiltInPresets, NamesInSearchOrderAndTexts) {
    const auto& presets = BuiltInPresets();
    ASSERT_EQ(presets.size(), 36u);
    EXPECT_EQ(presets.front().Name, "libx264-baseline");
    EXPECT_EQ(presets[1].Name, "libx264-default");
    EXPECT_EQ(presets[6].Name, "libx264-fastfirstpass");
    EXPECT_EQ(presets[23].Name, "libx264-slow");
    EXPECT_EQ(presets[24].Name, "libx264-slow_firstpass");
    EXPECT_EQ(presets.back().Name, "libx264-veryslow_firstpass");
    EXPECT_EQ(FindBuiltInPreset("LIBX264-Default"),
              "coder=1\nflags=+loop\ncmp=+chroma\npartitions=+parti8x8+parti4x4+partp8x8+partb8x8\n"
              "me_method=hex\nsubq=7\nme_range=16\ng=250\nkeyint_min=25\nsc_threshold=40\ni_qfactor=0.71\n"
              "b_strategy=1\nqcomp=0.6\nqmin=10\nqmax=51\nqdiff=4\nbf=3\nrefs=3\ndirectpred=1\ntrellis=1\n"
              "flags2=+mixed_refs+wpred+dct8x8+fastpskip\nwpredp=2\n");
    EXPECT_EQ(FindBuiltInPreset("libx264-ipod640"),
              "coder=0\nbf=0\nrefs=1\nflags2=-wpred-dct8x8\nlevel=30\nmaxrate=10000000\nbufsize=10000000\n"
              "wpredp=0\n");
    const std::string lossless = FindBuiltInPreset("libx264-lossless_ultrafast");
    EXPECT_NE(lossless.find("directpred=1\nflags2=+fastpskip\ncqp=0\n"), std::string::npos);
    EXPECT_EQ(lossless.find("wpredp"), std::string::npos);
    EXPECT_EQ(FindBuiltInPreset("libx264-fastfirstpass").back(), '\x01');
    EXPECT_EQ(FindBuiltInPreset("libx264-medium_firstpass"), FindBuiltInPreset("libx264-fast_firstpass"));
    EXPECT_EQ(FindBuiltInPreset("x264-default"), "");
}

TEST(BuiltInPresets, OldWordsBecomeTodaysWords) {
    using TLines = std::vector<std::pair<std::string, std::string>>;
    struct TCase {
        const char* Key;
        const char* Value;
        TLines Today;
    };
    const TCase cases[] = {
        {"me_method", "umh", {{"motion-est", "umh"}}},
        {"directpred", "3", {{"direct-pred", "3"}}},
        {"wpredp", "2", {{"weightp", "2"}}},
        {"cqp", "0", {{"qp", "0"}}},
        {"flags", "+loop", {}},
        {"flags", "-loop", {{"x264-params", "no-deblock=1"}}},
        {"partitions", "+parti8x8+parti4x4+partp8x8+partb8x8", {{"partitions", "i8x8,i4x4,p8x8,b8x8"}}},
        {"partitions", "-parti8x8+parti4x4+partp8x8-partp4x4-partb8x8", {{"partitions", "i4x4,p8x8"}}},
        {"partitions", "-parti8x8-parti4x4-partp8x8-partb8x8", {{"partitions", "none"}}},
        {"flags2", "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip-mbtree",
         {{"b-pyramid", "normal"}, {"mixed-refs", "0"}, {"weightb", "1"}, {"8x8dct", "0"}, {"fast-pskip", "1"},
          {"mbtree", "0"}}},
        {"flags2", "-bpyramid+local_header", {{"b-pyramid", "none"}, {"flags2", "+local_header"}}},
        {"subq", "7", {{"subq", "7"}}},
        {"coder", "0", {{"coder", "0"}}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TranslatePresetOption(c.Key, c.Value), c.Today) << c.Key << "=" << c.Value;
}

// Every built-in preset, through the option parser and the option
// dictionaries, opens the H.264 encoder and leaves no option over.
TEST_F(JobTest, EveryBuiltInPresetOpensTheEncoder) {
    for (const TOptionsPreset& preset : BuiltInPresets()) {
        TCustomFFmpeg job(2);
        job.Reset();
        job.ParseOption("s", "320x240");
        job.ParseOption("vcodec", "libx264");
        ASSERT_EQ(RaisedText([&] { job.ParseOption("vpre", preset.Name.substr(8)); }), "") << preset.Name;
        ASSERT_EQ(job.OpenOutputFile(Scratch("preset.mp4"), false), 1) << preset.Name << ": " << job.LastErrMsg();
        TJobOutputStream& stream = *job.OutputFile(0).streams.at(0);
        ASSERT_STREQ(stream.codec->name, "libx264");
        EXPECT_GT(AVLib.av_dict_count(stream.codec_opts), 0) << preset.Name;
        EXPECT_EQ(AVLib.avcodec_open2(stream.enc, stream.codec, &stream.codec_opts), 0)
            << preset.Name << ": " << JoinedLog(Log);
        EXPECT_EQ(AVLib.av_dict_count(stream.codec_opts), 0) << preset.Name;
        job.ReportUnusedOptions();
        job.Reset();
    }
    EXPECT_FALSE(LoggedInvalidValue(Log));
    EXPECT_EQ(JoinedLog(Log).find("was not used"), std::string::npos) << JoinedLog(Log);
}

TEST_F(JobTest, PresetTakesItsIntentToTheEncoder) {
    Job->ParseOption("s", "320x240");
    Job->ParseOption("vcodec", "libx264");
    Job->ParseOption("vpre", "libx264-lossless_ultrafast");
    ASSERT_EQ(Job->OpenOutputFile(Scratch("lossless.mp4"), false), 1) << Job->LastErrMsg();
    TJobOutputStream& stream = *Job->OutputFile(0).streams.at(0);
    EXPECT_EQ(DictValue(stream.codec_opts, "qp"), "0");
    EXPECT_EQ(DictValue(stream.codec_opts, "partitions"), "none");
    EXPECT_EQ(DictValue(stream.codec_opts, "motion-est"), "dia");
    EXPECT_EQ(stream.enc->me_subpel_quality, 0);
    EXPECT_EQ(stream.enc->gop_size, 250);
}

TEST_F(JobTest, PresetLookupByCodecNameAndFile) {
    // Built-in names match without regard to letter case, also after the
    // codec name was put in front.
    Job->SetVideoCodec("libx264");
    Job->ApplyPreset("vpre", "DEFAULT");
    EXPECT_EQ(DictValue(Job->FOptions.codec_dict[AVMEDIA_TYPE_VIDEO], "motion-est"), "hex");

    // The subtitle codec's name stands in whatever the option's letter.
    Job->Reset();
    const std::string file = Scratch("my.ffpreset");
    WriteText(file, "  g=33\r\nvcodec=mpeg4\r\rqmax=20  \n\n");
    EXPECT_EQ(RaisedText([&] { Job->ApplyPreset("fpre", file); }), "");
    int64_t gop = 0, qmax = 0;
    AVLib.av_opt_get_int(Job->FOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO], "g", 0, &gop);
    AVLib.av_opt_get_int(Job->FOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO], "qmax", 0, &qmax);
    EXPECT_EQ(gop, 33);
    EXPECT_EQ(qmax, 20);
    EXPECT_EQ(Job->Options().Fvideo_codec_name, "mpeg4");

    struct TCase {
        const char* Option;
        std::string Value;
        std::string Text;  // written to the file first when not empty
        std::string Raised;
    };
    const TCase cases[] = {
        {"vpre", "nosuch", "", "Preset \"nosuch\" not found"},
        {"fpre", file, "bf\n", file + ": Invalid syntax: \"bf\""},
        {"fpre", file, "g=5\nbf=\n", file + ": Invalid syntax: \"bf=\""},
        {"fpre", file, "=3\n", file + ": Invalid syntax: \"=3\""},
        {"fpre", file, "nosuchkey=1\n",
         file + ": Invalid option or argument: \"nosuchkey=1\", parsed as \"nosuchkey\" = \"1\""},
        {"fpre", file, "g=lots\n", file + ": Invalid option or argument: \"g=lots\", parsed as \"g\" = \"lots\""},
        // Private to another encoder than the chosen one.
        {"fpre", file, "scan_offset=1\n",
         file + ": Invalid option or argument: \"scan_offset=1\", parsed as \"scan_offset\" = \"1\""},
        {"apre", "", "", ""},
    };
    for (const TCase& c : cases) {
        Job->Reset();
        Job->SetVideoCodec("libx264");
        if (!c.Text.empty())
            WriteText(file, c.Text);
        EXPECT_EQ(RaisedText([&] { Job->ApplyPreset(c.Option, c.Value); }), c.Raised) << c.Text;
    }
    // The lines before a failing one stay applied.
    int64_t five = 0;
    Job->Reset();
    WriteText(file, "g=5\nbf=\n");
    RaisedText([&] { Job->ApplyPreset("fpre", file); });
    AVLib.av_opt_get_int(Job->FOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO], "g", 0, &five);
    EXPECT_EQ(five, 5);
}

// Options only some encoder or muxer knows are checked against the chosen
// one; what nobody took is reported once, and nothing fails.
TEST_F(JobTest, PrivateOptionsAreCheckedAndLeftoversReportedOnce) {
    Job->ParseOption("s", "320x240");
    Job->ParseOption("vcodec", "mpeg4");
    Job->ParseOption("crf", "20");        // only H.264 and others know it
    Job->ParseOption("scan_offset", "1");  // an MPEG-2 option
    Job->ParseOption("mpeg_quant", "1");   // an MPEG-4 option, kept
    ASSERT_EQ(Job->OpenOutputFile(Scratch("private.mp4"), false), 1) << Job->LastErrMsg();
    TJobOutputStream& stream = *Job->OutputFile(0).streams.at(0);
    EXPECT_EQ(AVLib.av_dict_count(stream.codec_opts), 1);
    EXPECT_EQ(DictValue(stream.codec_opts, "mpeg_quant"), "1");
    Job->ReportUnusedOptions();
    Job->ReportUnusedOptions();
    size_t crf = 0, scan = 0, quant = 0;
    for (const auto& [level, text] : Log.Lines()) {
        crf += text == "Option \"crf\" was not used by any encoder or muxer";
        scan += text == "Option \"scan_offset\" was not used by any encoder or muxer";
        quant += text.find("\"mpeg_quant\"") != std::string::npos;
    }
    EXPECT_EQ(crf, 1u);
    EXPECT_EQ(scan, 1u);
    EXPECT_EQ(quant, 0u);
}

TEST_F(JobTest, RefusedPrivateValueIsDroppedWhenCollected) {
    Job->ParseOption("s", "320x240");
    Job->ParseOption("vcodec", "libx264");
    Job->ParseOption("coder", "sometimes");
    ASSERT_EQ(Job->OpenOutputFile(Scratch("refused.mp4"), false), 1) << Job->LastErrMsg();
    EXPECT_EQ(DictValue(Job->OutputFile(0).streams.at(0)->codec_opts, "coder"), "");
    EXPECT_TRUE(LoggedInvalidValue(Log));
}

TEST_F(JobTest, OptionsTakenByADemuxerOrMuxerAreNotReported) {
    Job->ParseOption("ignore_editlist", "1");  // the MP4 demuxer's
    ASSERT_TRUE(Job->OpenInputFile(Media("va"))) << Job->LastErrMsg();
    Job->ParseOption("target", "dvd");
    ASSERT_EQ(Job->OpenOutputFile(Scratch("taken.vob"), false), 1) << Job->LastErrMsg();
    Job->ReportUnusedOptions();
    EXPECT_EQ(JoinedLog(Log).find("was not used"), std::string::npos) << JoinedLog(Log);
}
