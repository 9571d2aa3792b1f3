#include <functional>

#include "engine/transcode/FFmpegException.h"
#include "tests/engine_job/JobTestSupport.h"

namespace {

using TCheck = std::function<bool(const TCustomFFmpeg&)>;

struct TOptionCase {
    const char* Name;
    const char* Value;
    std::string Raised;  // "" when the option is taken
    TCheck Check;        // the state afterwards
};

const std::string NotAnInteger = "'x1' is not a valid integer value";

} // namespace

// Every name of the option language reaches its setter with its value read as
// the right kind: a flag, an integer (a malformed one raises the conversion
// error), a number, a duration or date, or text.
TEST_F(JobTest, EveryOptionNameReachesItsHandler) {
    const TOptionCase cases[] = {
        // General.
        {"v", "3", "", [](auto& j) { return j.Options().Fverbose == 3; }},
        {"v", "x1", NotAnInteger, [](auto& j) { return j.Options().Fverbose == 1; }},
        {"threads", "2", "TODO: option - threads", nullptr},
        {"threads", "", "TODO: option - threads", nullptr},
        {"f", "pgmyuv", "", [](auto& j) { return j.Options().Flast_asked_format == "image2" && j.Options().Fpgmyuv_compatibility_hack; }},
        {"target", "pal-vcd", "", [](auto& j) { return j.Options().Fframe_width == 352 && j.Options().Fframe_height == 288; }},
        {"apre", "nosuch", "Preset \"nosuch\" not found", nullptr},
        {"vpre", "libx264-main", "", [](auto& j) { return DictValue(j.FOptions.codec_dict[AVMEDIA_TYPE_VIDEO], "8x8dct") == "0"; }},
        {"spre", "nosuch", "Preset \"nosuch\" not found", nullptr},
        {"fpre", "libx264-main", "Preset \"libx264-main\" not found", nullptr},  // always a file
        // Timing, limits and file-level settings.
        {"t", "90", "", [](auto& j) { return j.Options().Frecording_time == 90000000; }},
        {"t", "abc", "Invalid duration specification for t: abc", nullptr},
        {"ss", "1.5", "", [](auto& j) { return j.Options().Fstart_time == 1500000; }},
        {"itsoffset", "2", "", [](auto& j) { return j.Options().Finput_ts_offset == 2000000; }},
        {"itsscale", "3:0.5", "", [](auto& j) { return j.Options().Finput_files_ts_scale.at(0).at(3) == 0.5; }},
        {"timestamp", "1970-01-02T00:00:00Z", "", [](auto& j) { return j.Options().Frecording_timestamp == 86400; }},
        {"timestamp", "never", "Invalid date specification for timestamp: never", nullptr},
        {"fs", "5000000000", "", [](auto& j) { return j.Options().Flimit_filesize == 5000000000; }},
        {"fs", "x1", NotAnInteger, nullptr},
        {"metadata", "title=a=b", "", [](auto& j) { return j.Options().Fmetadata.at(0).second == "a=b"; }},
        {"metadata", "x", "Missing =", nullptr},
        {"map", "1", "", [](auto& j) { return j.Options().Fstream_maps.at(0).sync_file_index == 1; }},
        {"map_meta_data", "1:0", "", [](auto& j) { return j.Options().Fmeta_data_maps.at(0).out_file == 1; }},
        {"programid", "-7", "", [](auto& j) { return j.Options().Fopt_programid == -7; }},  // no range check here
        {"loop_input", "", "", [](auto& j) { return j.Options().Floop_input; }},
        {"loop_output", "3", "", [](auto& j) { return j.Options().Floop_output == 3; }},
        {"re", "1", "", [](auto& j) { return j.Options().Frate_emu; }},
        {"dump", "yes", "", [](auto& j) { return j.Options().Fdo_pkt_dump; }},
        {"hex", "0", "", [](auto& j) { return !j.Options().Fdo_hex_dump; }},
        {"copyts", "0", "", [](auto& j) { return j.Options().Fcopy_ts; }},  // any value turns it on
        {"shortest", "", "", [](auto& j) { return j.Options().Fopt_shortest; }},
        {"xerror", "0", "", [](auto& j) { return j.Options().Fexit_on_error; }},
        {"vsync", "2", "", [](auto& j) { return j.Options().Fvideo_sync_method == 2; }},
        {"async", "x1", NotAnInteger, [](auto& j) { return j.Options().Faudio_sync_method == 0; }},
        {"async", "1", "", [](auto& j) { return j.Options().Faudio_sync_method == 1; }},
        {"adrift_threshold", "0.25", "", [](auto& j) { return j.Options().Faudio_drift_threshold == 0.25f; }},
        {"adrift_threshold", "abc", "'abc' is not a valid floating point value", nullptr},
        {"dts_delta_threshold", "3", "", [](auto& j) { return j.Options().Fdts_delta_threshold == 3.0f; }},
        {"isync", "", "", [](auto& j) { return j.Options().Finput_sync; }},
        {"muxdelay", "-1", "", [](auto& j) { return j.Options().Fmux_max_delay == -1.0f; }},  // no range check here
        {"muxpreload", "0.25", "", [](auto& j) { return j.Options().Fmux_preload == 0.25f; }},
        {"streamid", "0:", "Invalid value \"0:\" for option \"streamid\", required syntax is \"index:value\"", nullptr},
        {"streamid", "1:33", "", [](auto& j) { return j.Options().Fstreamid_map.at(0) == std::make_pair(1, 33); }},
        {"copyinkf", "1", "", [](auto& j) { return j.Options().Fcopy_initial_nonkeyframes == 1; }},
        {"dframes", "7", "", [](auto& j) { return j.Options().Fmax_frames[flData] == 7; }},
        {"b", "800000", "", [](auto& j) { return CodecInt(j, AVMEDIA_TYPE_VIDEO, "b") == 800000; }},
        {"vb", "700000", "", [](auto& j) { return CodecInt(j, AVMEDIA_TYPE_VIDEO, "b") == 700000; }},
        {"ab", "96000", "", [](auto& j) { return CodecInt(j, AVMEDIA_TYPE_AUDIO, "b") == 96000; }},
        // Video.
        {"vn", "", "", [](auto& j) { return j.Options().Fvideo_disable; }},
        {"vcodec", "copy", "", [](auto& j) { return j.Options().Fvideo_stream_copy == 1; }},
        {"vframes", "100", "", [](auto& j) { return j.Options().Fmax_frames[flVideo] == 100; }},
        {"r", "30000/1001", "", [](auto& j) { return j.Options().Fframe_rate.num == 30000 && j.Options().Fframe_rate.den == 1001; }},
        {"r", "fast", "Incorrect frame rate", nullptr},
        {"s", "cif", "", [](auto& j) { return j.Options().Fframe_width == 352 && j.Options().Fframe_height == 288; }},
        {"s", "12x", "Incorrect frame size", nullptr},
        {"aspect", "16:9", "", [](auto& j) { return j.Options().Fframe_aspect_ratio == 1.7777778f; }},
        {"aspect", "4:0", "Incorrect aspect ratio specification.", nullptr},
        {"pix_fmt", "yuv422p", "", [](auto& j) { return j.Options().Fframe_pix_fmt == AV_PIX_FMT_YUV422P; }},
        {"pix_fmt", "nosuch", "Unknown pixel format requested: nosuch", nullptr},
        {"croptop", "x1", NotAnInteger, nullptr},
        {"croptop", "-5", "", [](auto& j) { return j.Options().Fframe_topBand == 0; }},
        {"cropbottom", "0", "", [](auto& j) { return j.Options().Fframe_bottomBand == 0; }},
        {"cropleft", "1", "Horizontal crop dimensions are outside the range of the original image.\n"
                          "Remember to crop first and scale second.", nullptr},
        {"cropright", "0", "", nullptr},
        {"padtop", "8", "Please use vfilters=pad", nullptr},
        {"padbottom", "", "Please use vfilters=pad", nullptr},
        {"padleft", "8", "Please use vfilters=pad", nullptr},
        {"padright", "8", "Please use vfilters=pad", nullptr},
        {"padcolor", "000000", "Please use vfilters=pad", nullptr},
        {"vfilters", "hflip", "", [](auto& j) { return j.Options().Fvfilters == "hflip"; }},
        {"vf", "vflip", "", [](auto& j) { return j.Options().Fvfilters == "vflip"; }},
        {"vhook", "hook.so -a", "Failed to add video hook function: hook.so -a", nullptr},
        {"intra", "", "", [](auto& j) { return j.Options().Fintra_only; }},
        {"vdt", "8", "", [](auto& j) { return j.Options().Fvideo_discard == 8; }},
        {"qscale", "2.5", "", [](auto& j) { return j.Options().Fvideo_qscale == 2.5f; }},
        {"qscale", "300", "qscale must be > 0.0 and <= 255", nullptr},
        {"sameq", "", "", [](auto& j) { return j.Options().Fsame_quality; }},
        {"rc_override", "0,10,2", "", [](auto& j) { return j.Options().Fvideo_rc_override_string == "0,10,2"; }},
        {"me_threshold", "4", "", [](auto& j) { return j.Options().Fme_threshold == 4; }},
        {"pass", "2", "", [](auto& j) { return j.Options().Fdo_pass == 2; }},
        {"pass", "3", "pass number can be only 1 or 2", nullptr},
        {"passlogfile", "stats", "", [](auto& j) { return j.Options().Fpass_logfilename_prefix == "stats"; }},
        {"deinterlace", "", "", [](auto& j) { return j.Options().Fdo_deinterlace; }},
        {"psnr", "1", "", [](auto& j) { return j.Options().Fdo_psnr; }},
        {"vstats", "0", "", [](auto& j) { const std::string& f = j.Options().Fvstats_filename; return f.size() > 4 && f.compare(f.size() - 4, 4, ".log") == 0; }},
        {"vstats_file", "v.log", "", [](auto& j) { return j.Options().Fvstats_filename == "v.log"; }},
        {"intra_matrix", "1,2", "Syntax error in matrix \"1,2\" at coeff 1", nullptr},
        {"inter_matrix", "1,2", "Syntax error in matrix \"1,2\" at coeff 1", nullptr},
        {"top", "1", "", [](auto& j) { return j.Options().Ftop_field_first == 1; }},
        {"dc", "10", "", [](auto& j) { return j.Options().Fintra_dc_precision == 10; }},
        {"vtag", "DX50", "", [](auto& j) { return j.Options().Fvideo_codec_tag == 0x30355844u; }},
        {"vtag", "DX5", "video tag parameter must be 4 chars", nullptr},
        {"vlang", "deu", "", [](auto& j) { return j.Options().Fvideo_language == "deu"; }},
        {"qphist", "", "", [](auto& j) { return j.Options().Fqp_hist; }},
        {"force_fps", "", "", [](auto& j) { return j.Options().Fforce_fps; }},
        {"vglobal", "2", "", [](auto& j) { return j.Options().Fvideo_global_header == 2; }},
        {"vc", "4", "", [](auto& j) { return j.Options().Fvideo_channel == 4; }},
        {"tvstd", "pal", "", [](auto& j) { return j.Options().Fvideo_standard == "pal"; }},
        {"newvideo", "", "At least one output file must be specified", nullptr},
        {"vbsf", "h264_mp4toannexb", "", [](auto& j) { return j.Options().Fvideo_bitstream_filters.size() == 1; }},
        // Audio.
        {"an", "", "", [](auto& j) { return j.Options().Faudio_disable; }},
        {"an", "0", "", [](auto& j) { return !j.Options().Faudio_disable; }},
        {"acodec", "mp2", "", [](auto& j) { return j.Options().Faudio_codec_name == "mp2"; }},
        {"aframes", "9", "", [](auto& j) { return j.Options().Fmax_frames[flAudio] == 9; }},
        {"aq", "4", "", [](auto& j) { return j.Options().Faudio_qscale == 4.0f; }},
        {"ar", "22050", "", [](auto& j) { return j.Options().Faudio_sample_rate == 22050; }},
        {"ac", "6", "", [](auto& j) { return j.Options().Faudio_channels == 6; }},
        {"atag", "mp4a", "", [](auto& j) { return j.Options().Faudio_codec_tag == 0x6134706du; }},
        {"vol", "-3", "", [](auto& j) { return j.Options().Faudio_volume == -3; }},  // no range check here
        {"alang", "eng", "", [](auto& j) { return j.Options().Faudio_language == "eng"; }},
        {"sample_fmt", "s16", "", [](auto& j) { return j.Options().Faudio_sample_fmt == AV_SAMPLE_FMT_S16; }},
        {"newaudio", "", "At least one output file must be specified", nullptr},
        {"absf", "aac_adtstoasc", "", [](auto& j) { return j.Options().Faudio_bitstream_filters.size() == 1; }},
        // Subtitles.
        {"sn", "", "", [](auto& j) { return j.Options().Fsubtitle_disable; }},
        {"scodec", "mov_text", "", [](auto& j) { return j.Options().Fsubtitle_codec_name == "mov_text"; }},
        {"stag", "tx3g", "", [](auto& j) { return j.Options().Fsubtitle_codec_tag == 0x67337874u; }},
        {"slang", "fra", "", [](auto& j) { return j.Options().Fsubtitle_language == "fra"; }},
        {"newsubtitle", "", "At least one output file must be specified", nullptr},
        {"sbsf", "nosuch", "Unknown bitstream filter nosuch", nullptr},
        // The libraries' own options.
        {"g", "18", "", [](auto& j) { return CodecInt(j, AVMEDIA_TYPE_VIDEO, "g") == 18; }},
        {"g", "many", "", [](auto& j) { return CodecInt(j, AVMEDIA_TYPE_VIDEO, "g") == 12; }},  // refused: dropped
        {"muxrate", "1411200",  "", [](auto& j) { return DictValue(j.FOptions.format_dict, "muxrate") == "1411200"; }},
    };
    for (const TOptionCase& c : cases) {
        const std::string label = std::string(c.Name) + "=" + c.Value;
        TCustomFFmpeg job(2);
        job.Reset();
        EXPECT_EQ(RaisedText([&] { job.ParseOption(c.Name, c.Value); }), c.Raised) << label;
        if (c.Check) {
            EXPECT_TRUE(c.Check(job)) << label;
        }
    }
}

TEST_F(JobTest, IgnoredAndLoggedNames) {
    for (const char* name : {"L", "h", "version", "formats", "codecs", "bsfs", "protocols", "filters", "benchmark",
                             "i", "y"}) {
        Job->ParseOption(name, "x");
        EXPECT_TRUE(Log.Has(llInfo, std::string("Do nothing: option - ") + name)) << name;
    }
    Job->ParseOption("timelimit", "10");
    EXPECT_TRUE(Log.Has(llWarning, "Warning: -timelimit not implemented on Windows"));

    TFFLogger* logger = GetFFLogger();
    const TLogLevel before = logger->LogLevel();
    Job->ParseOption("loglevel", "debug");
    EXPECT_EQ(logger->LogLevel(), llDebug);
    logger->SetLogLevel(before);
}

// Names match as a whole with their letter case; what neither the option
// language nor the libraries know changes nothing and raises nothing.
TEST_F(JobTest, UnknownNamesChangeNothing) {
    TCustomFFmpeg fresh(2);
    fresh.Reset();
    const char* names[] = {"Vn", "AN", "Acodec", " acodec", "", "nosuchoption", "b ", "TARGET"};
    for (const char* name : names) {
        EXPECT_EQ(RaisedText([&] { Job->ParseOption(name, "dvd"); }), "") << name;
        EXPECT_EQ(RaisedText([&] { Job->ParseOption(name, ""); }), "") << name;
    }
    EXPECT_FALSE(Job->Options().Fvideo_disable);
    EXPECT_FALSE(Job->Options().Faudio_disable);
    EXPECT_TRUE(Job->Options().Faudio_codec_name.empty());
    EXPECT_EQ(Job->Options().Fframe_width, 0);
    EXPECT_TRUE(Job->FOptions.opt_names.empty());
    for (int type = 0; type < AVMEDIA_TYPE_NB; ++type)
        EXPECT_EQ(Job->FOptions.codec_dict[type], nullptr) << type;
    EXPECT_EQ(Job->FOptions.format_dict, nullptr);
    EXPECT_EQ(CodecInt(*Job, AVMEDIA_TYPE_VIDEO, "b"), CodecInt(fresh, AVMEDIA_TYPE_VIDEO, "b"));
}

TEST_F(JobTest, LowBitrateIsSetWithAWarning) {
    Job->ParseOption("b", "500");
    EXPECT_EQ(CodecInt(*Job, AVMEDIA_TYPE_VIDEO, "b"), 500);
    EXPECT_TRUE(Log.Has(llWarning,
                        "WARNING: The bitrate parameter is set too low. It takes bits/s as argument, not kbits/s"));
}

TEST_F(JobTest, RefusedLibraryValueIsLoggedAndDropped) {
    Job->ParseOption("g", "many");
    bool logged = false;
    for (const auto& [level, text] : Log.Lines())
        logged = logged || text.find("Invalid value \"many\" for option \"g\"") != std::string::npos;
    EXPECT_TRUE(logged);
}
