#include <algorithm>
#include <memory>

#include "engine/transcode/VideoFilterGraph.h"
#include "tests/engine_transcode/DecodedPictures.h"
#include "tests/engine_transcode/TranscodeTestSupport.h"
#include "tests/media/FramePattern.h"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace {

// An MPEG-2 stream whose pictures change size after the first ten: two
// encoder sessions written one after the other into one stream.
void WriteSizeChangingFile(const std::string& path) {
    AVFormatContext* oc = nullptr;
    ASSERT_GE(avformat_alloc_output_context2(&oc, nullptr, "mpegts", path.c_str()), 0);
    AVStream* st = avformat_new_stream(oc, nullptr);
    const AVCodec* codec = avcodec_find_encoder_by_name("mpeg2video");
    ASSERT_TRUE(st && codec);
    const struct {
        int Width, Height, First, Count;
    } parts[] = {{160, 120, 0, 10}, {96, 72, 10, 10}};
    AVPacket* pkt = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    bool headerWritten = false;
    for (const auto& part : parts) {
        AVCodecContext* enc = avcodec_alloc_context3(codec);
        enc->width = part.Width;
        enc->height = part.Height;
        enc->pix_fmt = AV_PIX_FMT_YUV420P;
        enc->time_base = {1, 25};
        enc->framerate = {25, 1};
        enc->gop_size = 5;
        enc->max_b_frames = 0;
        enc->flags |= AV_CODEC_FLAG_QSCALE;
        enc->global_quality = FF_QP2LAMBDA * 3;
        enc->thread_count = 1;
        ASSERT_GE(avcodec_open2(enc, codec, nullptr), 0);
        if (!headerWritten) {
            avcodec_parameters_from_context(st->codecpar, enc);
            st->time_base = {1, 90000};
            ASSERT_GE(avio_open(&oc->pb, path.c_str(), AVIO_FLAG_WRITE), 0);
            ASSERT_GE(avformat_write_header(oc, nullptr), 0);
            headerWritten = true;
        }
        auto drain = [&] {
            while (avcodec_receive_packet(enc, pkt) >= 0) {
                av_packet_rescale_ts(pkt, enc->time_base, st->time_base);
                pkt->stream_index = 0;
                av_interleaved_write_frame(oc, pkt);
            }
        };
        for (int i = 0; i < part.Count; ++i) {
            frame->format = AV_PIX_FMT_YUV420P;
            frame->width = part.Width;
            frame->height = part.Height;
            ASSERT_GE(av_frame_get_buffer(frame, 0), 0);
            testmedia::DrawFramePattern(frame->data, frame->linesize, part.Width, part.Height, part.First + i);
            frame->pts = part.First + i;
            ASSERT_GE(avcodec_send_frame(enc, frame), 0);
            av_frame_unref(frame);
            drain();
        }
        avcodec_send_frame(enc, nullptr);
        drain();
        avcodec_free_context(&enc);
    }
    av_write_trailer(oc);
    avio_closep(&oc->pb);
    avformat_free_context(oc);
    av_frame_free(&frame);
    av_packet_free(&pkt);
}

int ReadNumber(const TLumaPicture& p, bool mirrored) {
    std::vector<uint8_t> row(size_t(p.Width));
    return testmedia::ReadFrameNumberFromLuma(p.Width, p.Height, [&](int y) {
        if (!mirrored)
            return p.Row(y);
        std::reverse_copy(p.Row(y), p.Row(y) + p.Width, row.begin());
        return static_cast<const uint8_t*>(row.data());
    });
}

int ReversedBits(int n) {
    int r = 0;
    for (int bit = 0; bit < testmedia::FramePatternBits; ++bit)
        r = r << 1 | (n >> bit & 1);
    return r;
}

// A graph built directly, fed one picture of the given kind.
struct TGraphCase {
    const char* Name;
    TVideoFilterSetup Setup;
    std::vector<std::string> Chain;
    int Width, Height;            // of the filtered picture
    AVPixelFormat Format;
};

class FilterGraphTest : public TranscodeTest {};

TEST_F(FilterGraphTest, BuildsTheChainFromMarginsSizeAndUserText) {
    auto setup = [](int w, int h, AVPixelFormat f, int top, int bottom, int sw, int sh, const char* user,
                   int fitW = 0, int fitH = 0) {
        TVideoFilterSetup s;
        s.width = w;
        s.height = h;
        s.format = f;
        s.topBand = top;
        s.bottomBand = bottom;
        s.scale_width = sw;
        s.scale_height = sh;
        s.user_chain = user;
        s.output_format = AV_PIX_FMT_YUV420P;
        s.fit_width = fitW;
        s.fit_height = fitH;
        return s;
    };
    const TGraphCase cases[] = {
        {"margins and a resize", setup(160, 120, AV_PIX_FMT_YUV420P, 8, 32, 80, 40, "hflip"),
         {"buffer", "crop", "scale", "user", "buffersink"}, 80, 40, AV_PIX_FMT_YUV420P},
        {"equal sizes make no scale", setup(160, 120, AV_PIX_FMT_YUV420P, 0, 0, 160, 120, "null"),
         {"buffer", "user", "buffersink"}, 160, 120, AV_PIX_FMT_YUV420P},
        {"no user text", setup(160, 120, AV_PIX_FMT_YUV420P, 0, 40, 160, 80, ""),
         {"buffer", "crop", "buffersink"}, 160, 80, AV_PIX_FMT_YUV420P},
        {"another format reaches the encoder's", setup(160, 120, AV_PIX_FMT_YUV422P, 0, 0, 160, 120, "null"),
         {"buffer", "user", "buffersink"}, 160, 120, AV_PIX_FMT_YUV420P},
        {"the user's chain sets the size", setup(160, 120, AV_PIX_FMT_YUV420P, 0, 0, 160, 120, "scale=64:48"),
         {"buffer", "user", "buffersink"}, 64, 48, AV_PIX_FMT_YUV420P},
        {"a fixed output size wins over the chain",
         setup(96, 72, AV_PIX_FMT_YUV420P, 0, 0, 160, 120, "scale=64:48", 64, 48),
         {"buffer", "scale", "user", "scale", "buffersink"}, 64, 48, AV_PIX_FMT_YUV420P},
    };
    for (const TGraphCase& c : cases) {
        TVideoFilterGraph graph;
        std::string error;
        ASSERT_TRUE(graph.Build(c.Setup, error)) << c.Name << ": " << error;
        EXPECT_EQ(graph.Chain(), c.Chain) << c.Name;
        EXPECT_EQ(graph.OutputWidth(), c.Width) << c.Name;
        EXPECT_EQ(graph.OutputHeight(), c.Height) << c.Name;

        AVFrame* in = av_frame_alloc();
        in->width = c.Setup.width;
        in->height = c.Setup.height;
        in->format = c.Setup.format;
        in->pts = 0;
        ASSERT_GE(av_frame_get_buffer(in, 0), 0);
        const ptrdiff_t lines[4] = {in->linesize[0], in->linesize[1], in->linesize[2], in->linesize[3]};
        av_image_fill_black(in->data, lines, AVPixelFormat(in->format), AVCOL_RANGE_MPEG, in->width, in->height);
        EXPECT_TRUE(graph.Accepts(in)) << c.Name;
        ASSERT_EQ(graph.Push(in), 0) << c.Name;
        ASSERT_EQ(graph.Push(nullptr), 0) << c.Name;
        AVFrame* out = av_frame_alloc();
        ASSERT_EQ(graph.Pull(out), 0) << c.Name;
        EXPECT_EQ(out->width, c.Width) << c.Name;
        EXPECT_EQ(out->height, c.Height) << c.Name;
        EXPECT_EQ(out->format, c.Format) << c.Name;
        av_frame_free(&out);
        av_frame_free(&in);
    }
}

TEST_F(FilterGraphTest, RefusesChainsItCannotBuild) {
    const struct {
        const char* Name;
        const char* User;
        int Top, Bottom;
    } cases[] = {
        {"unknown filter", "nosuchfilter", 0, 0},
        {"broken syntax", "scale=[", 0, 0},
        {"margins leave nothing", "null", 60, 60},
    };
    for (const auto& c : cases) {
        TVideoFilterSetup s;
        s.width = 160;
        s.height = 120;
        s.format = AV_PIX_FMT_YUV420P;
        s.topBand = c.Top;
        s.bottomBand = c.Bottom;
        s.scale_width = 160;
        s.scale_height = 120;
        s.user_chain = c.User;
        s.output_format = AV_PIX_FMT_YUV420P;
        TVideoFilterGraph graph;
        std::string error;
        EXPECT_FALSE(graph.Build(s, error)) << c.Name;
        EXPECT_FALSE(error.empty()) << c.Name;
    }
}

// Conversions of the 10-frame video input (160×120, each frame showing its
// number) through the graph, checked on the output's decoded pictures.
struct TFilteredConversion {
    const char* Name;
    std::function<void(TCustomFFmpeg&)> Options;
    int Width, Height;
    bool Mirrored;          // the numbers read back from mirrored rows
    int DarkRowsAtBottom;   // rows a drawn box blackened, 0 for none
};

TEST_F(FilterGraphTest, ConvertsThroughTheGraph) {
    const TFilteredConversion cases[] = {
        {"scale by frame size", [](TCustomFFmpeg& j) { j.SetFrameSize("80x60"); j.SetVideoFilters("null"); }, 80, 60,
         false, 0},
        {"crop with margins, then scale",
         [](TCustomFFmpeg& j) {
             j.SetCropTop(8);
             j.SetCropBottom(32);
             j.SetFrameSize("80x40");
             j.SetVideoFilters("null");
         },
         80, 40, false, 0},
        {"user chain sets the size", [](TCustomFFmpeg& j) { j.SetVideoFilters("scale=96:64"); }, 96, 64, false, 0},
        {"user chain mirrors", [](TCustomFFmpeg& j) { j.SetVideoFilters("hflip"); }, 160, 120, true, 0},
        {"user chain draws",
         [](TCustomFFmpeg& j) { j.SetVideoFilters("drawbox=x=0:y=ih-24:w=iw:h=24:color=black:t=fill"); }, 160, 120,
         false, 24},
    };
    for (const TFilteredConversion& c : cases) {
        const std::string output = Scratch(std::string("filtered_") + std::to_string(&c - cases) + ".avi");
        ASSERT_TRUE(Convert(Media("video"), output, [&](TCustomFFmpeg& j) {
            c.Options(j);
            j.SetVideoQScale(2);
        })) << c.Name << ": " << Job->LastErrMsg();
        EXPECT_TRUE(Job->Finished()) << c.Name << ": " << Job->FatalMessage();
        const std::vector<TLumaPicture> pictures = DecodeLuma(output);
        ASSERT_EQ(pictures.size(), 10u) << c.Name;
        for (size_t i = 0; i < pictures.size(); ++i) {
            const TLumaPicture& p = pictures[i];
            ASSERT_EQ(p.Width, c.Width) << c.Name;
            ASSERT_EQ(p.Height, c.Height) << c.Name;
            EXPECT_EQ(ReadNumber(p, c.Mirrored), int(i)) << c.Name << " picture " << i;
            if (c.Mirrored && ReversedBits(int(i)) != int(i)) {
                EXPECT_NE(ReadNumber(p, false), int(i)) << c.Name << " picture " << i;
            }
            for (int y = p.Height - c.DarkRowsAtBottom + 2; y < p.Height - 2; ++y)
                for (int x = 2; x < p.Width - 2; x += 7)
                    ASSERT_LE(p.Row(y)[x], 40) << c.Name << " picture " << i << " at " << x << "," << y;
        }
    }
}

TEST_F(FilterGraphTest, ConvertsAcrossAChangeOfPictureSize) {
    const std::string input = Scratch("size_change.ts");
    WriteSizeChangingFile(input);
    // The decoder itself may drop the picture pending at the switch: the
    // output must hold exactly what it decodes, at the encoder's size.
    std::vector<int> decoded;
    for (const TLumaPicture& p : DecodeLuma(input))
        decoded.push_back(ReadNumber(p, false));
    ASSERT_GE(decoded.size(), 19u);
    ASSERT_EQ(decoded.back(), 19);
    const std::string output = Scratch("size_change.avi");
    ASSERT_TRUE(Convert(input, output, [](TCustomFFmpeg& j) {
        j.SetVideoFilters("hflip");
        j.SetVideoCodec("mpeg4");
        j.SetVideoQScale(2);
    })) << Job->LastErrMsg();
    EXPECT_TRUE(Job->Finished()) << Job->FatalMessage();
    EXPECT_FALSE(Job->FatalException()) << Job->FatalMessage();
    EXPECT_TRUE(Log.Has(llQuiet, "Input Stream #0.0 frame size changed to 96x72, yuv420p"));
    const std::vector<TLumaPicture> pictures = DecodeLuma(output);
    ASSERT_EQ(pictures.size(), decoded.size());
    for (size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_EQ(pictures[i].Width, 160) << i;
        EXPECT_EQ(pictures[i].Height, 120) << i;
        EXPECT_EQ(ReadNumber(pictures[i], true), decoded[i]) << i;
    }
}

// Joined inputs share one encoder: every input's graph ends at the size the
// first one gave it, even with a chain that halves whatever it gets.
TEST_F(FilterGraphTest, JoinedInputsKeepTheFirstGraphsSize) {
    Job->Reset();
    ASSERT_TRUE(Job->OpenInputFile(Media("video")));
    ASSERT_TRUE(Job->OpenInputFile(Media("video")));
    Job->SetVideoFilters("crop=iw/2:ih/2:0:0");
    Job->SetVideoQScale(2);
    const std::string output = Scratch("joined_filtered.avi");
    ASSERT_GE(Job->OpenOutputFile(output, true), 0) << Job->LastErrMsg();
    Job->StartConvert(false);
    EXPECT_TRUE(Job->Finished()) << Job->FatalMessage();
    const std::vector<TLumaPicture> pictures = DecodeLuma(output);
    ASSERT_EQ(pictures.size(), 20u);
    for (const TLumaPicture& p : pictures) {
        EXPECT_EQ(p.Width, 80);
        EXPECT_EQ(p.Height, 60);
    }
}

TEST_F(FilterGraphTest, AFilterTextThatCannotBeBuiltEndsTheJob) {
    ASSERT_TRUE(Convert(Media("video"), Scratch("bad_filter.avi"),
                        [](TCustomFFmpeg& j) { j.SetVideoFilters("nosuchfilter"); }));
    EXPECT_TRUE(Job->FatalException());
    EXPECT_EQ(Job->FatalMessage(), "Error opening filters!");
    // The library's reason goes to the log.
    bool logged = false;
    for (const auto& [level, text] : Log.Lines())
        logged = logged || (level == llError && text.rfind("nosuchfilter: ", 0) == 0);
    EXPECT_TRUE(logged);
}

} // namespace
