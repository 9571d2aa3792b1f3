#include <climits>

#include "tests/engine_setup/SetupTestSupport.h"

// Every refusal of the set-up, with the text it raises. Some cannot be met
// with real files: the test then puts the job in the state that causes them.
//
// Not reachable, so not in the table:
//   "av_mallocz fail", "av_realloc fail", "av_fifo_alloc fail" and
//   "Could not allocate file buffer: Error reading log file ..." need the
//   allocator to fail;
//   "invalid codec_type of output stream": the option layer makes only video,
//   audio and subtitle streams;
//   "Cannot allocate %d bytes output buffer": today's encoders hand out their
//   own packets, so there is no shared output buffer.

TEST_F(SetupTest, EveryRefusalRaisesItsText) {
    using TJob = TCustomFFmpeg;
    struct TCase {
        std::string Text;
        std::vector<std::string> Inputs;
        std::function<void(TJob&)> Before;  // before the output opens
        std::function<void(TJob&)> After;   // after it opened
        bool MappingLogged;                 // the mapping is logged, then the text at llError
    };
    auto codecs = [](TJob& j) {
        j.SetVideoCodec("mpeg4");
        j.SetAudioCodec("mp2");
    };
    auto video = [](TJob& j) -> TJobOutputStream& { return *j.OutputFile(0).streams[0]; };
    const TCase cases[] = {
        {"Output file #0 does not contain any stream", {"va"},
         [](TJob& j) { j.Options().Fvideo_disable = j.Options().Faudio_disable = true; }, nullptr, false},
        {"Number of stream maps must match number of output streams", {"va"},
         [&](TJob& j) { codecs(j); j.AddStreamMap("0.0"); }, nullptr, false},
        {"Could not find input stream #1.0", {"va"},
         [&](TJob& j) { codecs(j); j.AddStreamMap("1.0"); j.AddStreamMap("0.1"); }, nullptr, false},
        {"Could not find sync stream #0.5", {"va"},
         [&](TJob& j) { codecs(j); j.AddStreamMap("0.0:0.5"); j.AddStreamMap("0.1"); }, nullptr, false},
        {"Codec type mismatch for mapping #0.1 (Audio) -> #0.0 (Video)", {"va"},
         [&](TJob& j) { codecs(j); j.AddStreamMap("0.1"); j.AddStreamMap("0.0"); }, nullptr, false},
        {"Could not find input stream matching output stream #0.1 (Audio)", {"video"}, codecs,
         [](TJob& j) { j.SetAudioCodec("mp2"); j.NewAudioStreamOption(); }, false},
        {"Could not find input stream matching output stream #0.0 (Video)", {"va"},
         [&](TJob& j) { codecs(j); j.SetProgramID(7); }, nullptr, false},
        {"icodec.extradata_size is invalid (too large)", {"video"}, [](TJob& j) { j.SetVideoCodec("copy"); },
         [](TJob& j) { j.InputFile(0).streams[0]->st->codecpar->extradata_size = INT_MAX - 8; }, false},
        {"-acodec copy and -vol are incompatible (frames are not decoded)", {"va"},
         [](TJob& j) { j.SetVideoCodec("mpeg4"); j.SetAudioCodec("copy"); j.SetAudioVolume(100); }, nullptr,
         false},
        {"-vcodec copy and CustomHook are incompatible (frames are not decoded)", {"video"},
         [](TJob& j) {
             j.SetVideoCodec("copy");
             j.OnCustomHook = [](TObject*, TBitmap*, int32_t, int64_t, bool&, bool&) {};
             j.Options().Fusing_vhook = true;
         },
         nullptr, false},
        {"-vcodec copy and -vhook are incompatible (frames are not decoded)", {"video"},
         [](TJob& j) { j.SetVideoCodec("copy"); j.Options().Fusing_vhook = true; j.Options().FPostHooks = TPostHooks{phPreview}; },
         nullptr, false},
        {"-vcodec copy and PostHooks are incompatible (frames are not decoded)", {"video"},
         [](TJob& j) { j.SetVideoCodec("copy"); j.Options().FPostHooks = TPostHooks{phBitmap}; }, nullptr, false},
        {"Video pixel format is unknown, stream cannot be encoded", {"video"}, codecs,
         [&](TJob& j) { video(j).enc->pix_fmt = AV_PIX_FMT_NONE; }, false},
        {"Cannot allocate temp picture, check pix fmt", {"video"}, codecs,
         [&](TJob& j) { video(j).enc->width = 0; }, false},
        {"Cannot get resampling context", {"video"}, codecs, [](TJob& j) { j.Options().Fframe_leftBand = 400; }, false},
        {"Error opening filters!", {"video"}, [&](TJob& j) { codecs(j); j.SetVideoFilters("nosuchfilter"); }, nullptr,
         false},
        {Format("Encoder (codec id %d) not found for output stream #0.0 (Video)", int(AV_CODEC_ID_VP6)), {"video"}, codecs,
         [&](TJob& j) { video(j).codec = nullptr; video(j).enc->codec_id = AV_CODEC_ID_VP6; }, true},
        {"Error while opening encoder for output stream #0.0 (Video) - maybe incorrect parameters such as "
         "bit_rate, rate, width or height. Please check error log message to find out more detail information.",
         {"video"}, [](TJob& j) { j.SetVideoCodec("mpeg1video"); j.SetFrameRate("7"); j.Options().Fforce_fps = true; },
         nullptr, true},
        {"Decoder (codec id 0) not found for input stream #0.0 (Video)", {"video"}, codecs,
         [](TJob& j) { j.InputFile(0).streams[0]->dec->codec_id = AV_CODEC_ID_NONE; }, true},
        {"Error while opening decoder for input stream #0.0 (Video)", {"video"}, codecs,
         [](TJob& j) { j.InputFile(0).streams[0]->codec = AVLib.avcodec_find_decoder(AV_CODEC_ID_MP2); }, true},
        {"Invalid output file index 1 map_meta_data(1,0)", {"va"}, [&](TJob& j) { codecs(j); j.AddMetaDataMap("1:0"); },
         nullptr, true},
        {"Invalid input file index 2 map_meta_data(0,2)", {"va"}, [&](TJob& j) { codecs(j); j.AddMetaDataMap("0:2"); },
         nullptr, true},
        {"Could not write header for output file #0 (incorrect codec parameters ?): Error setting option "
         "cluster_size_limit to value nonsense.",
         {"va"}, codecs,
         [](TJob& j) { AVLib.av_dict_set(&j.OutputFile(0).muxer_opts, "cluster_size_limit", "nonsense", 0); },
         true},
    };
    int n = 0;
    for (const TCase& c : cases) {
        Transcode.reset();
        Job->Reset();
        Job->OnCustomHook = nullptr;
        Open(c.Inputs);
        const int extradata = Job->InputFile(0).streams[0]->st->codecpar->extradata_size;
        if (c.Before)
            c.Before(*Job);
        OpenOutput("err" + std::to_string(n++) + ".mkv");
        if (c.After)
            c.After(*Job);
        const size_t before = Log.Lines().size();
        EXPECT_EQ(RunSetUp(), c.Text);
        Job->InputFile(0).streams[0]->st->codecpar->extradata_size = extradata;
        // The mapping, then the text at llError, then the raise.
        const auto lines = Log.Lines();
        bool mapping = false, error = false, errorAfterMapping = false;
        for (size_t k = before; k < lines.size(); ++k) {
            if (lines[k].first == llVerbose && lines[k].second == "Stream mapping:")
                mapping = true;
            if (lines[k].first == llError && lines[k].second == c.Text) {
                error = true;
                errorAfterMapping = mapping;
            }
        }
        EXPECT_EQ(error, c.MappingLogged) << c.Text;
        EXPECT_EQ(errorAfterMapping, c.MappingLogged) << c.Text;
    }
}
