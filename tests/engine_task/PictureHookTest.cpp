#include <climits>
#include <cstring>
#include <stdexcept>

#include "engine/loader/EntryPoints.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/PictureHooks.h"
#include "engine/util/MainThread.h"
#include "platform/gfx/Canvas.h"
#include "tests/engine_task/ConverterTestSupport.h"

using namespace tasktest;

// The pictures a conversion shows on its way: to the application's bitmap
// handler, to a preview window and to the custom hook.

namespace {

// One picture as a handler or a window saw it.
struct TSeenPicture {
    int Owner = -1;  // task index, or the number of the preview window
    int FrameNumber = 0;
    int64_t PTS = 0;
    int Width = 0, Height = 0;
    int Shown = -2;  // the number the picture itself shows
    bool InMainThread = false;
};

TSeenPicture Seen(int AOwner, const TBitmap* ABitmap, int AFrameNumber, int64_t APTS) {
    return {AOwner, AFrameNumber, APTS, ABitmap->Width(), ABitmap->Height(), ShownFrameNumber(*ABitmap),
            IsMainThread()};
}

// Each owner's pictures: numbered 1, 2, ... in order, showing the input
// picture of that number at the input's size, 40 ms apart, in the main thread.
void ExpectTruePictures(const std::vector<TSeenPicture>& APictures, int AOwner, int ACount) {
    int number = 0;
    int64_t firstPTS = 0;
    for (const TSeenPicture& p : APictures) {
        if (p.Owner != AOwner)
            continue;
        ++number;
        if (number == 1)
            firstPTS = p.PTS;
        EXPECT_EQ(p.FrameNumber, number) << AOwner;
        EXPECT_EQ(p.Shown, p.FrameNumber - 1) << AOwner;
        EXPECT_EQ(p.PTS - firstPTS, int64_t(number - 1) * 40000) << AOwner;
        EXPECT_EQ(p.Width, 160) << AOwner;
        EXPECT_EQ(p.Height, 120) << AOwner;
        EXPECT_TRUE(p.InMainThread) << AOwner;
    }
    EXPECT_EQ(number, ACount) << AOwner;
}

// Stands in for the preview window: paints nothing, records in the main
// thread what it was asked to paint, and can be "closed by the user".
struct TPreviewLog {
    std::vector<TSeenPicture> Paints;  // main thread only
    std::atomic<int> Made{0};
    std::atomic<int> Live{0};
    // Called in the main thread after a paint with the window's number and its
    // count of paints; answers whether the user closes the window now.
    std::function<bool(int AWindow, int APaints)> OnPaint;
};

class TRecordingPreviewer : public TCustomPreviewer {
public:
    TRecordingPreviewer(TPreviewLog& ALog, int AWindow) : FLog(ALog), FWindow(AWindow) { ++FLog.Live; }
    ~TRecordingPreviewer() override {
        CallInMainThread([this] { --FLog.Live; });
    }
    bool PaintFrame(TBitmap* ABitmap, int32_t AFrameNumber, int64_t APTS) override {
        bool open = false;
        CallInMainThread([&] {
            if (FClosed)
                return;
            FLog.Paints.push_back(Seen(FWindow, ABitmap, AFrameNumber, APTS));
            ++FPaints;
            if (FLog.OnPaint && FLog.OnPaint(FWindow, FPaints))
                FClosed = true;
            open = !FClosed;
        });
        return open;
    }

private:
    TPreviewLog& FLog;
    const int FWindow;
    int FPaints = 0;
    bool FClosed = false;
};

class PictureHookTest : public ConverterTest {
protected:
    void SetUp() override {
        ConverterTest::SetUp();
        SetPreviewerFactory(
            [this]() -> std::unique_ptr<TCustomPreviewer> { return std::make_unique<TRecordingPreviewer>(Windows, Windows.Made++); });
    }
    void TearDown() override {
        ConverterTest::TearDown();
        SetPreviewerFactory(nullptr);
    }
    // Every picture of every task reaches the hooks.
    void EveryPicture() {
        for (int i = 0; i < Converter->TasksCount(); ++i)
            Converter->Task(i)->PreviewInterval = 0;
    }
    void RunToTheEnd(int AThreads) {
        Converter->Start(AThreads);
        ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() == 1; }));
        ProcessMessages();
        std::lock_guard lock(Ends.Lock);
        for (const TTerminateInfo& e : Ends.Events)
            EXPECT_TRUE(e.Finished) << e.TaskIndex << ": " << e.ExceptionMsg;
    }

    TPreviewLog Windows;
};

} // namespace

// The bitmap handler gets every picture in the main thread, as the encoder
// takes it; the preview window is not served meanwhile.
TEST_F(PictureHookTest, PreviewBitmapsArriveInTheMainThreadWithThePicture) {
    AddConversions(2);
    EveryPicture();
    Converter->SetPreview(true);
    Converter->SetPreviewBitmap(true);
    std::vector<TSeenPicture> pictures;
    Converter->OnPreviewBitmap = [&](TObject* Sender, const TPreviewInfo& AInfo) {
        EXPECT_EQ(Sender, Converter.get());
        pictures.push_back(Seen(AInfo.TaskIndex, AInfo.Bitmap, AInfo.FrameNumber, AInfo.PTS));
    };
    RunToTheEnd(2);
    ExpectTruePictures(pictures, 0, InputFrames);
    ExpectTruePictures(pictures, 1, InputFrames);
    EXPECT_EQ(Windows.Made, 0);
}

// Without a shorter interval a task hands over at most one picture per 100 ms.
TEST_F(PictureHookTest, PreviewBitmapsKeepTheirInterval) {
    AddConversions(1);
    int pictures = 0;
    Converter->SetPreviewBitmap(true);
    Converter->OnPreviewBitmap = [&](TObject*, const TPreviewInfo&) { ++pictures; };
    RunToTheEnd(1);
    EXPECT_GE(pictures, 1);
    EXPECT_LT(pictures, InputFrames);
}

TEST_F(PictureHookTest, SwitchingPreviewBitmapOffStopsTheCalls) {
    AddConversions(1);
    EveryPicture();
    Converter->SetPreviewBitmap(true);
    int pictures = 0;
    Converter->OnPreviewBitmap = [&](TObject*, const TPreviewInfo&) {
        if (++pictures == 3)
            Converter->SetPreviewBitmap(false);
    };
    RunToTheEnd(1);
    EXPECT_EQ(pictures, 3);
    EXPECT_EQ(ReopenOutput(Outputs[0]).VideoFrames, InputFrames);
}

// Each task paints into a window of its own; a window the user closed ends
// the preview of its task only, and every window is gone when its task ends.
TEST_F(PictureHookTest, ClosingAPreviewWindowEndsThePreviewOfThatTaskOnly) {
    AddConversions(2);
    EveryPicture();
    Converter->SetPreview(true);
    Windows.OnPaint = [](int AWindow, int APaints) { return AWindow == 0 && APaints == 2; };
    int liveAtTheEnd = -1;
    Converter->OnTerminate = [&](TObject*, const TTerminateInfo& AInfo) {
        std::lock_guard lock(Ends.Lock);
        Ends.Events.push_back(AInfo);
        if (AInfo.TaskIndex == -1)
            liveAtTheEnd = Windows.Live;
    };
    RunToTheEnd(1);  // one after the other: window 0 is task 0's
    EXPECT_EQ(Windows.Made, 2);
    ExpectTruePictures(Windows.Paints, 0, 2);
    ExpectTruePictures(Windows.Paints, 1, InputFrames);
    EXPECT_EQ(liveAtTheEnd, 0);
    EXPECT_FALSE(Converter->Task(0)->Options().FPostHooks.Contains(phPreview));
    EXPECT_TRUE(Converter->Task(1)->Options().FPostHooks.Contains(phPreview));
    for (const std::string& output : Outputs)
        EXPECT_EQ(ReopenOutput(output).VideoFrames, InputFrames) << output;
}

// The main thread switches the preview off while a worker waits for it to
// paint: no deadlock, the window closes and no picture follows.
TEST_F(PictureHookTest, SwitchingPreviewOffDuringAPaintClosesTheWindow) {
    AddConversions(1);
    EveryPicture();
    Converter->SetPreview(true);
    Windows.OnPaint = [&](int, int APaints) {
        if (APaints == 3)
            Converter->SetPreview(false);
        return false;
    };
    RunToTheEnd(1);
    EXPECT_EQ(Windows.Paints.size(), 3u);
    EXPECT_EQ(Windows.Made, 1);
    EXPECT_EQ(Windows.Live, 0);
}

// The custom hook sees every decoded picture on the worker with the bitmap's
// canvas locked; what it draws reaches the output unless it fails or declines
// the update; after StopHook it is not called again.
TEST_F(PictureHookTest, TheCustomHookChangesPicturesUntilItStops) {
    ASSERT_EQ(Converter->AddTask(InputFile(), nullptr), 0) << Converter->LastErrMsg();
    TOutputOptions options;
    InitOutputOptions(options);
    options.CustomHook = true;
    const std::string output = Folder.File("hooked.mpg");
    ASSERT_TRUE(Converter->SetOutputFile(0, output, &options)) << Converter->LastErrMsg();

    std::vector<int> frameNumbers;
    bool onWorker = true, canvasLocked = true, rightTask = true;
    Converter->OnCustomHook = [&](TObject*, PHookInfo AInfo) {
        frameNumbers.push_back(AInfo->FrameNumber);
        onWorker = onWorker && !IsMainThread();
        canvasLocked = canvasLocked && AInfo->Bitmap->Canvas()->LockCount() > 0;
        rightTask = rightTask && AInfo->TaskIndex == 0;
        EXPECT_TRUE(AInfo->Update);
        EXPECT_FALSE(AInfo->StopHook);
        TBitmap& bitmap = *AInfo->Bitmap;
        for (int y = 0; y < bitmap.Height(); ++y)
            std::memset(bitmap.ScanLine(y), 0, size_t(bitmap.Width()) * 3);
        switch (AInfo->FrameNumber) {
        case 1: throw std::runtime_error("no paint today");  // the picture stays
        case 2: AInfo->Update = false; break;                 // likewise
        case 4: AInfo->StopHook = true; break;                // the last black one
        default: break;
        }
    };
    RunToTheEnd(1);
    EXPECT_EQ(frameNumbers, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(onWorker);
    EXPECT_TRUE(canvasLocked);
    EXPECT_TRUE(rightTask);

    const TOutputCheck check = ReopenOutput(output);
    ASSERT_EQ(check.VideoFrames, InputFrames) << check.Error;
    for (int i = 0; i < InputFrames; ++i) {
        const bool black = i == 2 || i == 3;
        if (black) {
            EXPECT_LT(check.Levels[size_t(i)], 20) << "picture " << i;
        } else {
            EXPECT_GT(check.Levels[size_t(i)], 40) << "picture " << i;
            EXPECT_EQ(check.FrameNumbers[size_t(i)], i) << "picture " << i;
        }
    }
}


// Runs the post hooks of one picture as the encoder would.
struct TJobTestAccess {
    static void RunPostHooks(TCustomFFmpeg& job, const AVFrame* picture, const AVCodecContext* enc)
    {
        job.RunPostHooks(picture, enc);
    }
};
// Two pictures closer together than the interval (50 ms with the default
// 100 ms): only the first reaches the bitmap handler; farther apart, both do.
TEST_F(PictureHookTest, PicturesCloserThanTheIntervalAreDeliveredOnlyOnce) {
    AVFrame* picture = AVLib.av_frame_alloc();
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = 16;
    picture->height = 16;
    ASSERT_GE(AVLib.av_frame_get_buffer(picture, 0), 0);
    AVCodecContext* enc = AVLib.avcodec_alloc_context3(nullptr);
    enc->time_base = AVRational{1, 1000};
    for (const int gapMs : {50, 150}) {
        TCustomFFmpeg job(1);
        job.Reset();
        ASSERT_EQ(job.PreviewInterval, 100000);
        job.SetPostHooks(TPostHooks{phBitmap});
        std::vector<int64_t> delivered;
        job.OnPreviewBitmap = [&](TObject*, TBitmap*, int32_t, int64_t APTS) { delivered.push_back(APTS); };
        picture->pts = 0;
        const int64_t firstFrom = AVLib.av_gettime();
        TJobTestAccess::RunPostHooks(job, picture, enc);
        const int64_t firstTo = AVLib.av_gettime();
        std::this_thread::sleep_for(std::chrono::milliseconds(gapMs));
        picture->pts = gapMs;
        const int64_t secondFrom = AVLib.av_gettime();
        TJobTestAccess::RunPostHooks(job, picture, enc);
        const int64_t secondTo = AVLib.av_gettime();
        // What the job's own clock saw between the two lies in these bounds;
        // a machine that stalls the test may push a 50 ms gap past them.
        const int64_t shortest = secondFrom - firstTo, longest = secondTo - firstFrom;
        if (longest <= job.PreviewInterval) {
            EXPECT_EQ(delivered, (std::vector<int64_t>{0})) << gapMs;
        } else if (shortest > job.PreviewInterval) {
            EXPECT_EQ(delivered, (std::vector<int64_t>{0, gapMs * 1000})) << gapMs;
        }
        EXPECT_EQ(delivered.front(), 0) << gapMs;
    }
    AVLib.avcodec_free_context(&enc);
    AVLib.av_frame_free(&picture);
}
