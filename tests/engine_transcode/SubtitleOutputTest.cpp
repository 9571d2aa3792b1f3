#include <thread>

#include "engine/transcode/SubtitleOutput.h"
#include "tests/engine_transcode/TranscodeTestSupport.h"

namespace {

// One subtitle packet of a converted file as a player reads it.
struct TSubtitleEvent {
    int64_t Start = 0;      // in the stream's time base
    int64_t Duration = 0;
    int Rects = 0;          // of the decoded subtitle
    std::string Text;       // the first rectangle's text, for text subtitles
};

struct TSubtitleFacts {
    AVCodecID Codec = AV_CODEC_ID_NONE;
    AVRational TimeBase{0, 1};
    std::vector<TSubtitleEvent> Events;
};

TSubtitleFacts ReadSubtitles(const std::string& path) {
    TSubtitleFacts facts;
    AVFormatContext* ctx = nullptr;
    if (avformat_open_input(&ctx, path.c_str(), nullptr, nullptr) < 0)
        return facts;
    avformat_find_stream_info(ctx, nullptr);
    const int index = av_find_best_stream(ctx, AVMEDIA_TYPE_SUBTITLE, -1, -1, nullptr, 0);
    if (index < 0) {
        avformat_close_input(&ctx);
        return facts;
    }
    const AVStream* st = ctx->streams[index];
    facts.Codec = st->codecpar->codec_id;
    facts.TimeBase = st->time_base;
    const AVCodec* codec = avcodec_find_decoder(facts.Codec);
    AVCodecContext* dec = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(dec, st->codecpar);
    dec->pkt_timebase = st->time_base;
    const bool open = avcodec_open2(dec, codec, nullptr) >= 0;
    AVPacket* pkt = av_packet_alloc();
    while (av_read_frame(ctx, pkt) >= 0) {
        if (pkt->stream_index == index) {
            TSubtitleEvent event;
            event.Start = pkt->pts;
            event.Duration = pkt->duration;
            AVSubtitle sub{};
            int got = 0;
            if (open && avcodec_decode_subtitle2(dec, &sub, &got, pkt) >= 0 && got) {
                event.Rects = int(sub.num_rects);
                if (sub.num_rects > 0 && sub.rects[0]->ass)
                    event.Text = sub.rects[0]->ass;
                avsubtitle_free(&sub);
            }
            // Players skip the empty samples some muxers put into the gaps.
            if (facts.Codec == AV_CODEC_ID_DVB_SUBTITLE || !event.Text.empty())
                facts.Events.push_back(event);
        }
        av_packet_unref(pkt);
    }
    av_packet_free(&pkt);
    avcodec_free_context(&dec);
    avformat_close_input(&ctx);
    return facts;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A DVB subtitle stream in a transport stream: one bitmap shown at 10 s for 2 s.
void WriteDvbFile(const std::string& path) {
    AVFormatContext* oc = nullptr;
    ASSERT_GE(avformat_alloc_output_context2(&oc, nullptr, "mpegts", path.c_str()), 0);
    AVStream* st = avformat_new_stream(oc, nullptr);
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_DVB_SUBTITLE);
    ASSERT_TRUE(st && codec);
    AVCodecContext* enc = avcodec_alloc_context3(codec);
    enc->time_base = AV_TIME_BASE_Q;
    enc->width = 720;
    enc->height = 576;
    ASSERT_GE(avcodec_open2(enc, codec, nullptr), 0);
    avcodec_parameters_from_context(st->codecpar, enc);
    st->time_base = {1, 90000};
    ASSERT_GE(avio_open(&oc->pb, path.c_str(), AVIO_FLAG_WRITE), 0);
    ASSERT_GE(avformat_write_header(oc, nullptr), 0);

    std::vector<uint8_t> pixels(32 * 8);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint8_t((i / 4) % 4);
    uint32_t palette[4] = {0x00000000, 0xffffffff, 0xff000000, 0xffff0000};
    AVSubtitleRect rect{};
    rect.type = SUBTITLE_BITMAP;
    rect.x = 100;
    rect.y = 500;
    rect.w = 32;
    rect.h = 8;
    rect.nb_colors = 4;
    rect.data[0] = pixels.data();
    rect.linesize[0] = 32;
    rect.data[1] = reinterpret_cast<uint8_t*>(palette);
    rect.linesize[1] = 4 * 4;
    AVSubtitleRect* rects[] = {&rect};
    AVSubtitle sub{};
    sub.num_rects = 1;
    sub.rects = rects;
    sub.end_display_time = 2000;
    sub.pts = 10 * int64_t(AV_TIME_BASE);
    std::vector<uint8_t> buffer(65536);
    const int size = avcodec_encode_subtitle(enc, buffer.data(), int(buffer.size()), &sub);
    ASSERT_GT(size, 0);
    // The encoder writes a fixed page time-out; the page says 2 s instead, which
    // the decoder then reports as the display's end.
    bool patched = false;
    for (int i = 0; i + 6 < size && !patched; ++i)
        if (buffer[size_t(i)] == 0x0f && buffer[size_t(i) + 1] == 0x10) {
            buffer[size_t(i) + 6] = 2;
            patched = true;
        }
    ASSERT_TRUE(patched);
    AVPacket* pkt = av_packet_alloc();
    ASSERT_GE(av_new_packet(pkt, size), 0);
    std::copy(buffer.begin(), buffer.begin() + size, pkt->data);
    pkt->pts = pkt->dts = 10 * 90000;
    pkt->stream_index = 0;
    ASSERT_GE(av_interleaved_write_frame(oc, pkt), 0);
    av_packet_free(&pkt);
    av_write_trailer(oc);
    avio_closep(&oc->pb);
    avformat_free_context(oc);
    avcodec_free_context(&enc);
}

// The generated subtitle inputs, made once per test program.
const std::string& TextInput() {
    static const std::string path = [] {
        testmedia::TMediaPlan plan;
        testmedia::TSubtitleTrack track;
        track.Cues = {{200, 700, "one"}, {1000, 1500, "two"}};
        plan.Subtitles.push_back(track);
        const std::string file = TJobMedia::Instance().Scratch("text_subtitles.mkv");
        testmedia::WriteMediaFile(file, plan);
        return file;
    }();
    return path;
}

const std::string& DvbInput() {
    static const std::string path = [] {
        const std::string file = TJobMedia::Instance().Scratch("dvb_subtitles.ts");
        WriteDvbFile(file);
        return file;
    }();
    return path;
}

TEST(SubtitleDisplayTimes, BecomeRelativeToTheSubtitlesOwnTime) {
    const struct {
        int64_t Packet;
        uint32_t Start, End;
        int64_t Pts;
        uint32_t Length;
    } cases[] = {
        {10000000, 500, 2500, 10500000, 2000},
        {0, 0, 1500, 0, 1500},
        {2000000, 3000, 1000, 5000000, 0},   // an end before the start never wraps
        {0, 4000000000u, 4000000000u, 4000000000000, 0},
    };
    for (const auto& c : cases) {
        const TSubtitleDisplayTimes t = SubtitleDisplayTimes(c.Packet, c.Start, c.End);
        EXPECT_EQ(t.pts, c.Pts) << c.Packet << " " << c.Start << " " << c.End;
        EXPECT_EQ(t.end_display_time, c.Length) << c.Packet << " " << c.Start << " " << c.End;
    }
}

class SubtitleOutputTest : public TranscodeTest {};

// Text cues at 200–700 ms and 1000–1500 ms, converted into each container's
// subtitle codec; the events keep their times and text.
TEST_F(SubtitleOutputTest, ConvertsTextSubtitles) {
    const struct {
        const char* Name;
        const char* Output;
        const char* Codec;     // "" for the container's own
        AVCodecID Expected;
        int64_t StartTime;     // µs, the job's start time
        std::vector<std::pair<int64_t, const char*>> Cues;  // start ms, text
    } cases[] = {
        {"matroska", "text.mkv", "", AV_CODEC_ID_ASS, 0, {{200, "one"}, {1000, "two"}}},
        {"subrip file", "text.srt", "", AV_CODEC_ID_SUBRIP, 0, {{200, "one"}, {1000, "two"}}},
        {"mp4 text", "text.mp4", "mov_text", AV_CODEC_ID_MOV_TEXT, 0, {{200, "one"}, {1000, "two"}}},
        {"from a start time", "late.mkv", "", AV_CODEC_ID_ASS, 500000, {{500, "two"}}},
    };
    for (const auto& c : cases) {
        const std::string output = Scratch(c.Output);
        ASSERT_TRUE(Convert(TextInput(), output, [&](TCustomFFmpeg& j) {
            if (*c.Codec)
                j.SetSubtitleCodec(c.Codec);
            if (c.StartTime)
                j.SetStartTime(c.StartTime);
        })) << c.Name << ": " << Job->LastErrMsg();
        EXPECT_TRUE(Job->Finished()) << c.Name << ": " << Job->FatalMessage();
        EXPECT_FALSE(Job->FatalException()) << c.Name << ": " << Job->FatalMessage();
        const TSubtitleFacts facts = ReadSubtitles(output);
        EXPECT_EQ(facts.Codec, c.Expected) << c.Name;
        ASSERT_EQ(facts.Events.size(), c.Cues.size()) << c.Name;
        for (size_t i = 0; i < c.Cues.size(); ++i) {
            const TSubtitleEvent& e = facts.Events[i];
            EXPECT_EQ(av_rescale_q(e.Start, facts.TimeBase, {1, 1000}), c.Cues[i].first) << c.Name << " " << i;
            EXPECT_EQ(av_rescale_q(e.Duration, facts.TimeBase, {1, 1000}), 500) << c.Name << " " << i;
            EXPECT_TRUE(EndsWith(e.Text, c.Cues[i].second)) << c.Name << " " << i << ": " << e.Text;
        }
    }
}

// A DVB subtitle is followed by an empty one that clears it when its display ends.
TEST_F(SubtitleOutputTest, ConvertsDvbSubtitlesWithAClearingPacket) {
    const std::string output = Scratch("dvb_out.ts");
    ASSERT_TRUE(Convert(DvbInput(), output, [](TCustomFFmpeg& j) { j.SetSubtitleCodec("dvbsub"); }))
        << Job->LastErrMsg();
    EXPECT_TRUE(Job->Finished()) << Job->FatalMessage();
    EXPECT_FALSE(Job->FatalException()) << Job->FatalMessage();
    const TSubtitleFacts facts = ReadSubtitles(output);
    EXPECT_EQ(facts.Codec, AV_CODEC_ID_DVB_SUBTITLE);
    EXPECT_EQ(facts.TimeBase.den, 90000);
    ASSERT_EQ(facts.Events.size(), 2u);
    EXPECT_EQ(facts.Events[1].Start - facts.Events[0].Start, 180000);
    EXPECT_EQ(facts.Events[0].Rects, 1);
    EXPECT_EQ(facts.Events[1].Rects, 0);
}

// Two jobs converting subtitles at the same time each use buffers of their own.
TEST_F(SubtitleOutputTest, ConcurrentJobsKeepTheirOwnBuffers) {
    const std::string& input = TextInput();
    std::vector<std::unique_ptr<TCustomFFmpeg>> jobs;
    std::vector<std::string> outputs;
    for (int i = 0; i < 2; ++i) {
        auto job = std::make_unique<TCustomFFmpeg>(20);
        job->Reset();
        ASSERT_TRUE(job->OpenInputFile(input)) << job->LastErrMsg();
        outputs.push_back(Scratch("concurrent_" + std::to_string(i) + ".mkv"));
        ASSERT_GE(job->OpenOutputFile(outputs.back(), false), 0) << job->LastErrMsg();
        jobs.push_back(std::move(job));
    }
    std::vector<std::thread> threads;
    for (auto& job : jobs)
        threads.emplace_back([&job] { job->StartConvert(false); });
    for (auto& t : threads)
        t.join();
    for (size_t i = 0; i < jobs.size(); ++i) {
        EXPECT_TRUE(jobs[i]->Finished()) << i << ": " << jobs[i]->FatalMessage();
        const TSubtitleFacts facts = ReadSubtitles(outputs[i]);
        ASSERT_EQ(facts.Events.size(), 2u) << i;
        EXPECT_TRUE(EndsWith(facts.Events[0].Text, "one")) << i;
        EXPECT_TRUE(EndsWith(facts.Events[1].Text, "two")) << i;
    }
}

TEST_F(SubtitleOutputTest, FeedsFailCleanly) {
    ASSERT_TRUE(Job->OpenInputFile(TextInput()));
    Job->SetFormat("ffm");
    EXPECT_LT(Job->OpenOutputFile("http://localhost:8090/feed1.ffm", false), 0);
    EXPECT_EQ(Job->LastErrMsg(), "Requested output format 'ffm' is not a suitable output format");
    EXPECT_EQ(Job->nb_output_files(), 0);

    AVFormatContext* ctx = avformat_alloc_context();
    EXPECT_EQ(Job->ReadFeedStreams(ctx, "http://localhost:8090/feed1.ffm"), AVERROR(ENOSYS));
    EXPECT_EQ(ctx->nb_streams, 0u);
    avformat_free_context(ctx);
}

} // namespace
