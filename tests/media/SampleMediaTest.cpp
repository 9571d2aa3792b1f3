#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include "tests/media/FramePattern.h"
#include "tests/media/SampleMedia.h"
#include "tests/media/TempFolder.h"

using namespace testmedia;

namespace {

// An input opened the way every player of media opens one.
class TInput {
public:
    explicit TInput(const std::string& path) {
        Result = avformat_open_input(&FContext, path.c_str(), nullptr, nullptr);
        if (Result >= 0)
            Result = avformat_find_stream_info(FContext, nullptr);
    }
    ~TInput() { avformat_close_input(&FContext); }
    AVFormatContext* operator->() const { return FContext; }
    AVFormatContext* Get() const { return FContext; }
    int Result = 0;

private:
    AVFormatContext* FContext = nullptr;
};

int CountStreams(const TInput& in, AVMediaType type) {
    int count = 0;
    for (unsigned i = 0; i < in->nb_streams; ++i)
        count += in->streams[i]->codecpar->codec_type == type;
    return count;
}

std::string Meta(AVDictionary* dict, const char* key) {
    const AVDictionaryEntry* e = av_dict_get(dict, key, nullptr, 0);
    return e ? e->value : "";
}

struct TDecoded {
    std::vector<int> Numbers;           // frame index shown by each picture, in display order
    std::vector<AVPictureType> Types;
    std::vector<int64_t> PacketPts;     // presentation times of the packets, in reading order
    int KeyPackets = 0;
};

// The index that a picture of any pixel format shows.
int ReadNumber(const AVFrame* frame) {
    SwsContext* toGrey = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                                        frame->height, AV_PIX_FMT_GRAY8, SWS_POINT, nullptr, nullptr, nullptr);
    std::vector<uint8_t> grey(size_t(frame->width) * frame->height);
    uint8_t* planes[4] = {grey.data()};
    int lineSizes[4] = {frame->width};
    sws_scale(toGrey, frame->data, frame->linesize, 0, frame->height, planes, lineSizes);
    sws_freeContext(toGrey);
    return ReadFrameNumberFromLuma(frame->width, frame->height,
                                   [&](int row) { return grey.data() + size_t(row) * frame->width; });
}

// Decodes every picture of the first video stream.
TDecoded DecodeVideo(const std::string& path) {
    TDecoded out;
    TInput in(path);
    EXPECT_GE(in.Result, 0) << path;
    if (in.Result < 0)
        return out;
    const int index = av_find_best_stream(in.Get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    EXPECT_GE(index, 0);
    if (index < 0)
        return out;
    const AVCodecParameters* par = in->streams[index]->codecpar;
    AVCodecContext* codec = avcodec_alloc_context3(avcodec_find_decoder(par->codec_id));
    avcodec_parameters_to_context(codec, par);
    codec->thread_count = 1;
    EXPECT_EQ(avcodec_open2(codec, codec->codec, nullptr), 0);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto take = [&] {
        while (avcodec_receive_frame(codec, frame) == 0) {
            out.Numbers.push_back(ReadNumber(frame));
            out.Types.push_back(frame->pict_type);
            av_frame_unref(frame);
        }
    };
    while (av_read_frame(in.Get(), packet) >= 0) {
        if (packet->stream_index == index) {
            out.PacketPts.push_back(packet->pts);
            out.KeyPackets += (packet->flags & AV_PKT_FLAG_KEY) != 0;
            avcodec_send_packet(codec, packet);
            take();
        }
        av_packet_unref(packet);
    }
    avcodec_send_packet(codec, nullptr);
    take();
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    return out;
}

std::vector<int> Range(int count) {
    std::vector<int> numbers(count);
    for (int i = 0; i < count; ++i)
        numbers[i] = i;
    return numbers;
}

// Bytes on disk; the image sequence counts all its pictures.
int64_t SampleBytes(const TSample& sample) {
    if (sample.Kind != TSampleKind::ImageSequence)
        return FileSize(sample.Path);
    int64_t total = 0;
    for (int i = 0; i < 1000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame%03d.png", i);
        const int64_t size = FileSize(std::filesystem::path(sample.Path).parent_path().string() + name);
        if (size > 0)
            total += size;
    }
    return total;
}

class SampleMedia : public ::testing::Test {
protected:
    TTempFolder Folder;
};

} // namespace

TEST_F(SampleMedia, EveryKindIsSmallAndOpensAsWritten) {
    for (TSampleKind kind : AllSampleKinds()) {
        SCOPED_TRACE(SampleKindName(kind));
        const TSample sample = MakeSample(Folder.Path(), kind);
        EXPECT_GT(SampleBytes(sample), 0 - int(kind == TSampleKind::ZeroBytes));
        EXPECT_LT(SampleBytes(sample), 200 * 1024);
        TInput in(sample.Path);
        if (sample.Broken) {
            EXPECT_LT(in.Result, 0);
            continue;
        }
        ASSERT_GE(in.Result, 0);
        EXPECT_EQ(int(in->nb_streams), sample.Plan.StreamCount());
        EXPECT_EQ(CountStreams(in, AVMEDIA_TYPE_VIDEO), int(sample.Plan.Video.size()));
        EXPECT_EQ(CountStreams(in, AVMEDIA_TYPE_AUDIO), int(sample.Plan.Audio.size()));
        EXPECT_EQ(CountStreams(in, AVMEDIA_TYPE_SUBTITLE), int(sample.Plan.Subtitles.size()));
    }
}

TEST_F(SampleMedia, DurationsMatchWhatWasEncoded) {
    // Audio-only files carry the coder's delay and padding; video sets the length elsewhere.
    const struct {
        TSampleKind Kind;
        int64_t ToleranceUS;        // -1: the container knows no duration
    } cases[] = {
        {TSampleKind::VideoTwoAudio, 40000}, {TSampleKind::TaggedMatroska, 40000},
        {TSampleKind::H264BFrames, 40000},   {TSampleKind::AllIntra, 40000},
        {TSampleKind::NonAsciiName, 40000},  {TSampleKind::ImageSequence, 40000},
        {TSampleKind::WavAudio, 1000},       {TSampleKind::Mp3Audio, 100000},
        {TSampleKind::RawElementary, -1},    {TSampleKind::SrtSubtitle, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(SampleKindName(c.Kind));
        const TSample sample = MakeSample(Folder.Path(), c.Kind);
        TInput in(sample.Path);
        ASSERT_GE(in.Result, 0);
        if (c.ToleranceUS < 0)
            EXPECT_EQ(in->duration, AV_NOPTS_VALUE);
        else
            EXPECT_NEAR(double(in->duration), double(sample.Plan.DurationUS()), double(c.ToleranceUS));
    }
}

TEST_F(SampleMedia, EveryVideoFrameShowsItsIndexInDisplayOrder) {
    const TSampleKind kinds[] = {TSampleKind::VideoTwoAudio, TSampleKind::TaggedMatroska, TSampleKind::H264BFrames,
                                 TSampleKind::RawElementary, TSampleKind::ImageSequence,  TSampleKind::AllIntra,
                                 TSampleKind::NonAsciiName};
    for (TSampleKind kind : kinds) {
        SCOPED_TRACE(SampleKindName(kind));
        const TSample sample = MakeSample(Folder.Path(), kind);
        const TDecoded decoded = DecodeVideo(sample.Path);
        EXPECT_EQ(decoded.Numbers, Range(sample.Plan.Video[0].Frames));
    }
}

TEST_F(SampleMedia, FrameStructureSuitsSeekingTests) {
    const TDecoded intra = DecodeVideo(MakeSample(Folder.Path(), TSampleKind::AllIntra).Path);
    EXPECT_EQ(intra.KeyPackets, int(intra.Numbers.size()));

    const TDecoded gop = DecodeVideo(MakeSample(Folder.Path(), TSampleKind::VideoTwoAudio).Path);
    EXPECT_EQ(gop.KeyPackets, 3); // 25 frames, a key frame every 12

    // With B-frames the packets come in decoding order, so their times are not sorted.
    const TDecoded bframes = DecodeVideo(MakeSample(Folder.Path(), TSampleKind::H264BFrames).Path);
    EXPECT_NE(std::count(bframes.Types.begin(), bframes.Types.end(), AV_PICTURE_TYPE_B), 0);
    EXPECT_FALSE(std::is_sorted(bframes.PacketPts.begin(), bframes.PacketPts.end()));
}

TEST_F(SampleMedia, MetadataAndLanguagesAreStored) {
    const TSample two = MakeSample(Folder.Path(), TSampleKind::VideoTwoAudio);
    TInput in(two.Path);
    ASSERT_GE(in.Result, 0);
    for (const auto& [key, value] : two.Plan.Metadata)
        EXPECT_EQ(Meta(in->metadata, key.c_str()), value) << key;
    EXPECT_EQ(Meta(in->streams[1]->metadata, "language"), "eng");
    EXPECT_EQ(Meta(in->streams[2]->metadata, "language"), "chi");

    // Matroska keeps tag names as they were written.
    TInput tagged(MakeSample(Folder.Path(), TSampleKind::TaggedMatroska).Path);
    ASSERT_GE(tagged.Result, 0);
    EXPECT_EQ(Meta(tagged->metadata, "title"), "Tagged clip");
    EXPECT_EQ(Meta(tagged->metadata, "TPE1"), "Someone");
    EXPECT_EQ(Meta(tagged->streams[2]->metadata, "language"), "chi");

    TInput mp3(MakeSample(Folder.Path(), TSampleKind::Mp3Audio).Path);
    ASSERT_GE(mp3.Result, 0);
    EXPECT_EQ(Meta(mp3->metadata, "title"), "Tone");
    EXPECT_EQ(Meta(mp3->metadata, "artist"), "Test Maker");
}

TEST_F(SampleMedia, NegativeStartIsKept) {
    TInput in(MakeSample(Folder.Path(), TSampleKind::NegativeStart).Path);
    ASSERT_GE(in.Result, 0);
    EXPECT_LT(in->start_time, 0);
    EXPECT_EQ(in->streams[0]->start_time, 0);
    EXPECT_LT(in->streams[1]->start_time, 0);
}

TEST_F(SampleMedia, SubtitleFileHoldsItsCues) {
    const TSample srt = MakeSample(Folder.Path(), TSampleKind::SrtSubtitle);
    TInput in(srt.Path);
    ASSERT_GE(in.Result, 0);
    EXPECT_EQ(in->streams[0]->codecpar->codec_id, AV_CODEC_ID_SUBRIP);
    std::vector<std::string> texts;
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(in.Get(), packet) >= 0) {
        texts.emplace_back(reinterpret_cast<const char*>(packet->data), packet->size);
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    EXPECT_EQ(texts, (std::vector<std::string>{"One", "Two", "Three"}));
}

TEST_F(SampleMedia, BrokenKindsFailWithTheirReason) {
    const struct {
        TSampleKind Kind;
        int Error;
    } cases[] = {
        {TSampleKind::ZeroBytes, AVERROR_INVALIDDATA},
        {TSampleKind::TextNamedAvi, AVERROR_INVALIDDATA},
        {TSampleKind::Mp4CutBeforeIndex, AVERROR_INVALIDDATA},
    };
    for (const auto& c : cases) {
        const TSample sample = MakeSample(Folder.Path(), c.Kind);
        EXPECT_TRUE(sample.Broken);
        EXPECT_EQ(TInput(sample.Path).Result, c.Error) << SampleKindName(c.Kind);
    }
    // The cut file still holds its media data: only the index is missing.
    const std::string cut = MakeSample(Folder.Path(), TSampleKind::Mp4CutBeforeIndex).Path;
    EXPECT_EQ(FindMp4Box(cut, "moov"), -1);
    EXPECT_GE(FindMp4Box(cut, "mdat"), 0);
    EXPECT_GT(FileSize(cut), 10000);
}

TEST_F(SampleMedia, NonAsciiNameIsKeptByteExact) {
    const TSample sample = MakeSample(Folder.Path(), TSampleKind::NonAsciiName);
    EXPECT_EQ(std::filesystem::path(sample.Path).filename().string(), "测试 视频.avi");
    EXPECT_GT(FileSize(Folder.File("测试 视频.avi")), 0);
}
