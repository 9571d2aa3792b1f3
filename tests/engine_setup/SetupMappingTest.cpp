#include "tests/engine_setup/SetupTestSupport.h"

// Which input stream feeds each output stream, and how the mapping is logged.

TEST_F(SetupTest, StreamMappingChoosesSourcesAndLogsThem) {
    using Lines = std::vector<std::string>;
    struct TCase {
        const char* Name;
        std::vector<std::string> Inputs;
        std::function<void(TCustomFFmpeg&)> Options;   // before the output opens
        std::function<void(TCustomFFmpeg&)> After;     // after it opened
        bool Join;
        std::vector<int> Sources;                      // source_index per output stream
        Lines Mapping;
    };
    auto codecs = [](TCustomFFmpeg& j) {
        j.SetVideoCodec("mpeg4");
        j.SetAudioCodec("mp2");
    };
    const TCase cases[] = {
        {"default", {"va"}, codecs, nullptr, false, {0, 1},
         Lines{"  Stream #0.0 -> #0.0 (Video)", "  Stream #0.1 -> #0.1 (Audio)"}},
        {"explicit maps pick the second audio stream", {"two_audio"},
         [&](TCustomFFmpeg& j) { codecs(j); j.AddStreamMap("0.0"); j.AddStreamMap("0.1"); }, nullptr, false,
         {0, 1}, Lines{"  Stream #0.0 -> #0.0 (Video)", "  Stream #0.1 -> #0.1 (Audio)"}},
        {"explicit map with a sync stream", {"two_audio"},
         [&](TCustomFFmpeg& j) { codecs(j); j.AddStreamMap("0.0"); j.AddStreamMap("0.2:0.0"); }, nullptr, false,
         {0, 2},
         Lines{"  Stream #0.0 -> #0.0 (Video)", "  Stream #0.2 -> #0.1 (Audio)", " [sync #0.0 (Audio)]"}},
        {"maps across two inputs", {"video", "va"},
         [&](TCustomFFmpeg& j) { codecs(j); j.AddStreamMap("1.0"); j.AddStreamMap("1.1"); }, nullptr, false,
         {1, 2}, Lines{"  Stream #1.0 -> #0.0 (Video)", "  Stream #1.1 -> #0.1 (Audio)"}},
        // Default mapping takes the library's best stream of the type before the
        // table order: of two default streams the first, else the default one.
        {"default takes the library's best stream", {"two_audio"}, codecs, nullptr, false, {0, 1},
         Lines{"  Stream #0.0 -> #0.0 (Video)", "  Stream #0.1 -> #0.1 (Audio)"}},
        {"default takes the library's best stream, not the first", {"two_audio"},
         [&](TCustomFFmpeg& j) {
             codecs(j);
             j.InputFile(0).ctx->streams[1]->disposition &= ~AV_DISPOSITION_DEFAULT;
             j.InputFile(0).ctx->streams[2]->disposition |= AV_DISPOSITION_DEFAULT;
         },
         nullptr, false, {0, 2}, Lines{"  Stream #0.0 -> #0.0 (Video)", "  Stream #0.2 -> #0.1 (Audio)"}},
        {"one input audio stream feeds two output audio streams", {"va"}, codecs,
         [](TCustomFFmpeg& j) { j.SetAudioCodec("mp2"); j.NewAudioStreamOption(); }, false, {0, 1, 1},
         Lines{"  Stream #0.0 -> #0.0 (Video)", "  Stream #0.1 -> #0.1 (Audio)", "  Stream #0.1 -> #0.2 (Audio)"}},
        {"default over two inputs takes the first input's streams", {"va", "va"}, codecs, nullptr, false, {0, 1},
         Lines{"  Stream #0.0 -> #0.0 (Video)", "  Stream #0.1 -> #0.1 (Audio)"}},
        {"join: each group from its own input, shown as output 0", {"va", "va"}, codecs, nullptr, true,
         {0, 1, 2, 3},
         Lines{"  Stream #0.0 -> #0.0 (Video)", "  Stream #0.1 -> #0.1 (Audio)", "  Stream #1.0 -> #0.0 (Video)",
               "  Stream #1.1 -> #0.1 (Audio)"}},
    };
    int n = 0;
    for (const TCase& c : cases) {
        Transcode.reset();
        Job->Reset();
        Open(c.Inputs);
        if (c.Options)
            c.Options(*Job);
        OpenOutput("map" + std::to_string(n++) + ".mkv", c.Join);
        if (c.After)
            c.After(*Job);
        ASSERT_EQ(RunSetUp(), "") << c.Name;
        std::vector<int> sources;
        for (const auto& ost : Transcode->ost_table)
            sources.push_back(ost->source_index);
        EXPECT_EQ(sources, c.Sources) << c.Name;
        EXPECT_EQ(MappingLines(), c.Mapping) << c.Name;
        // Streams that no output takes stay discarded for the loop.
        for (size_t j = 0; j < Transcode->ist_table.size(); ++j) {
            const bool taken = std::find(sources.begin(), sources.end(), int(j)) != sources.end();
            EXPECT_EQ(Transcode->ist_table[j]->discard, taken ? 0 : 1) << c.Name << " input stream " << j;
        }
    }
}

TEST_F(SetupTest, TablesFollowTheInputsAndOutputs) {
    Open({"video", "va"});
    Job->SetVideoCodec("mpeg4");
    Job->SetAudioCodec("mp2");
    OpenOutput("tables.mkv");
    Job->Options().Frate_emu = true;
    ASSERT_EQ(RunSetUp(), "");
    ASSERT_EQ(Transcode->file_table.size(), 2u);
    EXPECT_EQ(Transcode->file_table[0].ist_index, 0);
    EXPECT_EQ(Transcode->file_table[0].nb_streams, 1);
    EXPECT_EQ(Transcode->file_table[1].ist_index, 1);
    EXPECT_EQ(Transcode->file_table[1].nb_streams, 2);
    ASSERT_EQ(Transcode->ist_table.size(), 3u);
    const TAVInputStream& last = *Transcode->ist_table[2];
    EXPECT_EQ(last.file_index, 1);
    EXPECT_EQ(last.index, 1);
    EXPECT_GT(last.start, 0) << "wall clock with frame-rate emulation";
    EXPECT_EQ(Transcode->G, 2);
    EXPECT_EQ(Transcode->no_packet.size(), size_t(Job->MaxFiles()));
    for (const auto& ost : Transcode->ost_table) {
        EXPECT_EQ(ost->show_fps, 1);
        EXPECT_EQ(ost->sync_ist, Transcode->ist_table[size_t(ost->source_index)].get());
    }
}

TEST_F(SetupTest, JoinOpensOneEncoderPerStreamAndWritesOneHeader) {
    Open({"va", "va"});
    Job->SetVideoCodec("mpeg4");
    Job->SetAudioCodec("mp2");
    OpenOutput("join.mkv", true);
    ASSERT_EQ(RunSetUp(), "");
    EXPECT_EQ(Transcode->ost_table.size(), 4u);
    EXPECT_EQ(Job->FEncoderList.size(), 2u) << "group 0's encoders serve every group";
    EXPECT_EQ(Job->FDecoderList.size(), 4u) << "every input's decoders open at set-up";
    EXPECT_EQ(Transcode->headers_written.size(), 1u);
    EXPECT_EQ(Transcode->ost_table[0]->codec_id, AV_CODEC_ID_MPEG4);
    EXPECT_EQ(Transcode->ost_table[2]->st, Transcode->ost_table[0]->st) << "groups share the library streams";
    EXPECT_EQ(Transcode->ost_table[2]->file_index, 1);
}
