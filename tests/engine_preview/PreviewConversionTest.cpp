#include "tests/engine_preview/PreviewTestSupport.h"
#include "tests/engine_task/ConverterTestSupport.h"

using namespace previewtest;
using namespace tasktest;

// Real conversions showing their frames in real preview windows.

namespace {

class PreviewConversionTest : public ConverterTest {
protected:
    void SetUp() override {
        Backend = &UseHeadlessBackend();
        Application->Initialize();
        ConverterTest::SetUp();
        InstallPreviewWindows();
        FormsBefore = Screen->FormCount();
    }
    void TearDown() override {
        ConverterTest::TearDown();
        SetPreviewerFactory(nullptr);
        UseHeadlessBackend();
    }
    // Every picture of every task reaches the preview.
    void EveryPicture() {
        for (int i = 0; i < Converter->TasksCount(); ++i)
            Converter->Task(i)->PreviewInterval = 0;
    }
    void WaitForTheEnd() {
        while (Ends.Finals() == 0) {
            ProcessMessages();
            std::this_thread::sleep_for(1ms);
        }
        ProcessMessages();
    }
    int PreviewForms() const { return Screen->FormCount() - FormsBefore; }

    THeadlessBackend* Backend = nullptr;
    int FormsBefore = 0;
};

} // namespace

// The main thread switches the preview on and off over and over while two
// workers paint into their windows: nothing waits for anything for good, and
// no window outlives its job.
TEST_F(PreviewConversionTest, TogglingThePreviewWhileWorkersPaintNeverDeadlocks) {
    AddConversions(2);
    EveryPicture();
    Converter->SetPreview(true);
    int maxWindows = 0;
    {
        TDeadlockWatch watch("toggling the preview during paints");
        Converter->Start(2);
        // The toggling starts once a window is up, so that however the
        // machine schedules the workers, paints meet the toggles.
        bool on = true;
        while (Ends.Finals() == 0) {
            ProcessMessages();
            maxWindows = std::max(maxWindows, PreviewForms());
            if (maxWindows > 0) {
                on = !on;
                Converter->SetPreview(on);
            }
            std::this_thread::sleep_for(1ms);
        }
        ProcessMessages();
    }
    EXPECT_GE(maxWindows, 1);
    EXPECT_EQ(PreviewForms(), 0);
    for (const std::string& output : Outputs)
        EXPECT_EQ(ReopenOutput(output).VideoFrames, 10) << output;
}

// A handler that runs inside a preview paint (here: the main window losing
// the activation to the new preview window) stops the conversion with
// waiting: the stop does not wait for the worker that waits for the paint.
TEST_F(PreviewConversionTest, AStopFromInsideAPreviewPaintDoesNotWaitForItsWorker) {
    AddConversions(1);
    EveryPicture();
    Converter->SetPreview(true);
    TForm* mainWindow = NewForm<TForm>(nullptr, TFormCreation::New);
    mainWindow->Show();
    ProcessMessages();
    ASSERT_TRUE(mainWindow->Active());
    int stops = 0;
    mainWindow->OnDeactivate = [&](TObject*) {
        ++stops;
        Converter->Stop(true);
    };
    {
        TDeadlockWatch watch("a stop inside a preview paint");
        Converter->Start(1);
        WaitForTheEnd();
    }
    EXPECT_EQ(stops, 1);
    {
        std::lock_guard lock(Ends.Lock);
        ASSERT_FALSE(Ends.Events.empty());
        EXPECT_FALSE(Ends.Events.front().Finished) << "stopped";
    }
    EXPECT_EQ(PreviewForms(), 1) << "only the main window is left";
    delete mainWindow;
}

namespace {

// A preview window that, once it has shown its first frame, holds its job
// until the other job's window has shown one too (or that job has ended):
// both windows are then up at once however the machine schedules the jobs.
class TMeetingPreviewer : public TPreviewer {
public:
    TMeetingPreviewer(std::atomic<int>& AShown, const std::atomic<int>& AEnded)
        : FShown(AShown), FEnded(AEnded) {}
    bool PaintFrame(TBitmap* ABitmap, int32_t AFrameNumber, int64_t APTS) override {
        const bool shown = TPreviewer::PaintFrame(ABitmap, AFrameNumber, APTS);
        if (!FCounted) {
            FCounted = true;
            ++FShown;
            while (FShown < 2 && FEnded == 0)
                std::this_thread::sleep_for(1ms);  // a worker thread: the main thread goes on serving
        }
        return shown;
    }

private:
    std::atomic<int>& FShown;
    const std::atomic<int>& FEnded;
    bool FCounted = false;
};

} // namespace

// With the preview on, each job's window shows the job's frames while it
// runs, and it goes with the job.
TEST_F(PreviewConversionTest, EachJobShowsItsFramesInAWindowOfItsOwn) {
    std::atomic<int> shown{0}, ended{0};
    SetPreviewerFactory([&] { return std::make_unique<TMeetingPreviewer>(shown, ended); });
    Converter->OnTerminate = [&, previous = Converter->OnTerminate](TObject* ASender, const TTerminateInfo& AInfo) {
        if (AInfo.TaskIndex >= 0)
            ++ended;
        if (previous)
            previous(ASender, AInfo);
    };
    AddConversions(2);
    EveryPicture();
    Converter->SetPreview(true);
    int maxWindows = 0;
    std::string caption;
    Converter->Start(2);
    while (Ends.Finals() == 0) {
        ProcessMessages();
        if (PreviewForms() == 2 && maxWindows < 2)
            Backend->SaveScreenPicture(::testing::TempDir() + "preview_conversion.png");
        maxWindows = std::max(maxWindows, PreviewForms());
        for (int i = FormsBefore; i < Screen->FormCount(); ++i) {
            TCustomForm* form = Screen->Forms(i);
            if (form->HandleAllocated() && IsWindowVisible(form->Handle()))
                caption = GetWindowText(form->Handle());
        }
        std::this_thread::sleep_for(1ms);
    }
    ProcessMessages();
    EXPECT_EQ(maxWindows, 2);
    EXPECT_EQ(caption.size(), 12u) << caption;  // "hh:nn:ss.zzz"
    EXPECT_EQ(PreviewForms(), 0);
}
