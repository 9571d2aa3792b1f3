#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/Deinterlace.h"
#include "platform/core/DynLib.h"
#include "tests/engine_task/ConverterTestSupport.h"
#include "tests/engine_task/TestFrameHook.h"

using namespace tasktest;

// The deinterlacer: the top field kept, each bottom-field line rebuilt from
// the five lines around it.

namespace {

// A picture of one plane over a vector, a line of width bytes per row.
struct TPlane {
    int Width, Height;
    std::vector<uint8_t> Bytes;
    TAVPicture Picture() {
        TAVPicture p;
        p.data[0] = Bytes.data();
        p.linesize[0] = Width;
        return p;
    }
};

// One column: a line's value is the same across the row.
TPlane Column(const std::vector<int>& ALines, int AWidth = 2) {
    TPlane plane{AWidth, int(ALines.size()), {}};
    for (int v : ALines)
        for (int x = 0; x < AWidth; ++x)
            plane.Bytes.push_back(uint8_t(v));
    return plane;
}

std::vector<int> LinesOf(const TPlane& APlane) {
    std::vector<int> lines;
    for (int y = 0; y < APlane.Height; ++y)
        lines.push_back(APlane.Bytes[size_t(y) * APlane.Width]);
    return lines;
}

class DeinterlaceTest : public ConverterTest {};

} // namespace

TEST_F(DeinterlaceTest, BottomFieldLinesComeFromTheFilter) {
    const struct {
        std::vector<int> Lines, Expected;
    } cases[] = {
        // A comb: 200 on the top field, 40 on the bottom one.
        {{200, 40, 200, 40, 200, 40}, {200, 180, 200, 200, 200, 120}},
        // A ramp keeps its inside; the edge lines repeat past the ends.
        {{10, 20, 30, 40, 50, 60, 70, 80}, {10, 19, 30, 40, 50, 60, 70, 78}},
        // Sums past the byte range are clipped to it.
        {{0, 255, 0, 0, 0, 255, 0}, {0, 64, 0, 0, 0, 64, 0}},
        {{255, 255, 255, 0}, {255, 255, 255, 96}},
        // A single line, and an odd count.
        {{77}, {77}},
        {{10, 90, 10}, {10, 30, 10}},
    };
    for (const auto& c : cases) {
        TPlane source = Column(c.Lines), dest = Column(std::vector<int>(c.Lines.size(), 1));
        ASSERT_TRUE(DeinterlacePicture(dest.Picture(), source.Picture(), AV_PIX_FMT_GRAY8, source.Width,
                                       source.Height));
        EXPECT_EQ(LinesOf(dest), c.Expected) << ::testing::PrintToString(c.Lines);
    }
}

TEST_F(DeinterlaceTest, OnlyPlanarEightBitFormatsAreTaken) {
    const struct {
        AVPixelFormat Format;
        bool Taken;
    } cases[] = {
        {AV_PIX_FMT_YUV420P, true}, {AV_PIX_FMT_YUVJ422P, true}, {AV_PIX_FMT_YUV444P, true},
        {AV_PIX_FMT_YUV411P, true}, {AV_PIX_FMT_YUVA420P, true}, {AV_PIX_FMT_GRAY8, true},
        {AV_PIX_FMT_RGB24, false},  {AV_PIX_FMT_BGR24, false},   {AV_PIX_FMT_NV12, false},
        {AV_PIX_FMT_YUYV422, false}, {AV_PIX_FMT_YUV420P10LE, false}, {AV_PIX_FMT_PAL8, false},
    };
    for (const auto& c : cases) {
        AVFrame* source = AVLib.av_frame_alloc();
        AVFrame* dest = AVLib.av_frame_alloc();
        for (AVFrame* f : {source, dest}) {
            f->format = c.Format;
            f->width = 18;  // chroma planes of 9, 5 and 4.5 -> 5 samples
            f->height = 10;
            ASSERT_GE(AVLib.av_frame_get_buffer(f, 0), 0);
        }
        EXPECT_EQ(DeinterlacePicture(PictureOf(dest), PictureOf(source), c.Format, 18, 10), c.Taken)
            << AVLib.av_get_pix_fmt_name(c.Format);
        AVLib.av_frame_free(&source);
        AVLib.av_frame_free(&dest);
    }
}

// "deinterlace" on a job: the hooks see the deinterlaced picture; a format
// the deinterlacer cannot take is logged and passes as it came.
TEST_F(DeinterlaceTest, TheHooksSeeTheDeinterlacedPicture) {
    const std::string plugin = std::string(TEST_HOOK_DIR) + "/libtesthook.so";
    HMODULE library = LoadLibrary(plugin);
    ASSERT_NE(library, nullptr) << LastLibraryError();
    TTestHookState& state = *reinterpret_cast<TTestHookStateProc>(GetProcAddress(library, "TestHookState"))();
    state.Reset();

    // An RGB input: png pictures decode to rgb24.
    testmedia::TMediaPlan plan;
    plan.Video.push_back({});
    plan.Video[0].Codec = "png";
    plan.Video[0].Frames = 3;
    const std::string rgbInput = Folder.File("rgb.mkv");
    testmedia::WriteMediaFile(rgbInput, plan);

    const struct {
        std::string Input, Tag, Options;
    } jobs[] = {
        {InputFile(), "plain", ""},
        {InputFile(), "deinterlaced", "deinterlace=1"},
        {rgbInput, "rgb plain", ""},
        {rgbInput, "rgb deinterlaced", "deinterlace=1"},
    };
    for (const auto& job : jobs) {
        const int index = Converter->AddTask(job.Input, nullptr);
        ASSERT_GE(index, 0) << Converter->LastErrMsg();
        TOutputOptions options;
        InitOutputOptions(options);
        options.ExtOptions = "vhook=" + plugin + "|record|" + job.Tag;
        if (!job.Options.empty())
            options.ExtOptions += "\n" + job.Options;
        ASSERT_TRUE(Converter->SetOutputFile(index, Folder.File("d" + std::to_string(index) + ".mpg"), &options))
            << Converter->LastErrMsg();
    }
    std::vector<std::string> errors;
    std::mutex errorLock;
    TFFLogger* logger = GetFFLogger();
    logger->SetTriggerEventInMainThread(false);
    logger->OnLog = [&](TObject*, TLogThreadID, TLogLevel level, const std::string& text) {
        if (level == llError) {
            std::lock_guard lock(errorLock);
            errors.push_back(text);
        }
    };
    Converter->Start(1);
    const bool ended = WaitUntil([&] { return Ends.Finals() == 1; });
    logger->OnLog = nullptr;
    logger->SetTriggerEventInMainThread(true);
    ASSERT_TRUE(ended);

    std::lock_guard lock(state.Lock);
    ASSERT_EQ(state.Recorded.size(), 4u);
    // yuv420p at 160 x 120: the luma plane filtered, the top field untouched.
    const std::vector<uint8_t>& plain = state.Recorded["plain"];
    const std::vector<uint8_t>& deinterlaced = state.Recorded["deinterlaced"];
    ASSERT_EQ(plain.size(), 160u * 120u);
    std::vector<uint8_t> expected(plain.size());
    TAVPicture from, to;
    from.data[0] = const_cast<uint8_t*>(plain.data());
    to.data[0] = expected.data();
    from.linesize[0] = to.linesize[0] = 160;
    ASSERT_TRUE(DeinterlacePicture(to, from, AV_PIX_FMT_GRAY8, 160, 120));
    EXPECT_EQ(deinterlaced, expected);
    EXPECT_NE(deinterlaced, plain);
    // rgb24: passed on as it came, with the failure logged once per picture.
    EXPECT_EQ(state.Recorded["rgb deinterlaced"], state.Recorded["rgb plain"]);
    EXPECT_EQ(std::count(errors.begin(), errors.end(), "Deinterlacing failed."), 3);
}
