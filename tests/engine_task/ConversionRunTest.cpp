#include <map>
#include <set>

#include "tests/engine_task/ConverterTestSupport.h"

using namespace tasktest;

// Runs that really convert: every task's output must open and decode again.

namespace {


// The end events of one run in order: one per task, then exactly one final.
void ExpectOrderedEnds(TTerminateLog& AEnds, int ATasks) {
    std::lock_guard lock(AEnds.Lock);
    ASSERT_EQ(AEnds.Events.size(), size_t(ATasks + 1));
    std::vector<int> seen(size_t(ATasks), 0);
    for (int i = 0; i < ATasks; ++i) {
        const int index = AEnds.Events[size_t(i)].TaskIndex;
        ASSERT_GE(index, 0) << "event " << i;
        ASSERT_LT(index, ATasks) << "event " << i;
        ++seen[size_t(index)];
    }
    EXPECT_EQ(seen, std::vector<int>(size_t(ATasks), 1));
    EXPECT_EQ(AEnds.Events.back().TaskIndex, -1);
    EXPECT_TRUE(AEnds.Events.back().Finished);
    for (bool inMain : AEnds.InMainThread)
        EXPECT_TRUE(inMain);
}

} // namespace

TEST_F(ConverterTest, ConvertsEveryTaskWithAnyThreadCount) {
    Converter->SetProgressInterval(100);
    std::map<int, TProgressInfo> lastReports;
    bool reportsInMain = true;
    Converter->OnProgress = [&](TObject*, PProgressInfo AInfo) {
        reportsInMain = reportsInMain && IsMainThread();
        lastReports[AInfo->TaskIndex] = *AInfo;
    };
    for (int threads : {0, 1, 4, 19}) {
        SCOPED_TRACE("threads " + std::to_string(threads));
        Converter->ClearTasks();
        ForgetEnds();
        Outputs.clear();
        lastReports.clear();
        // More tasks than threads, so that finishing tasks start the pending ones.
        const int tasks = threads >= 19 ? 20 : 5;
        AddConversions(tasks);
        Converter->Start(threads);
        if (threads == 0) {
            EXPECT_EQ(Ends.Finals(), 1) << "the final event comes before Start returns";
        }
        ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() == 1; }, 60000ms));
        ProcessMessages();

        ExpectOrderedEnds(Ends, tasks);
        {
            std::lock_guard lock(Ends.Lock);
            for (int i = 0; i < tasks; ++i) {
                EXPECT_TRUE(Ends.Events[size_t(i)].Finished) << Ends.Events[size_t(i)].TaskIndex;
                EXPECT_FALSE(Ends.Events[size_t(i)].Exception) << Ends.Events[size_t(i)].ExceptionMsg;
            }
        }
        EXPECT_TRUE(reportsInMain);
        ASSERT_EQ(lastReports.size(), size_t(tasks));
        for (const auto& [index, report] : lastReports) {
            // The report after the end: file index -1 and the whole input.
            EXPECT_EQ(report.FileIndex, -1) << index;
            EXPECT_EQ(report.FrameNumber, InputFrames) << index;
            EXPECT_GT(report.CurrentSize, 0) << index;
            EXPECT_NEAR(double(report.TotalDuration), 400000.0, 50000.0) << index;
        }
        for (const std::string& output : Outputs) {
            const TOutputCheck check = ReopenOutput(output);
            ASSERT_TRUE(check.Opened) << output << ": " << check.Error;
            EXPECT_EQ(check.VideoStreams, 1) << output;
            EXPECT_EQ(check.AudioStreams, 1) << output;
            EXPECT_EQ(check.VideoFrames, InputFrames) << output;
        }
        EXPECT_TRUE(Converter->Working());
        EXPECT_TRUE(Converter->Terminated());
    }
}

// A stop while two of four tasks convert: the running ones end their files
// properly and are reported unfinished; the others leave nothing behind.
TEST_F(ConverterTest, AStopMidRunLeavesCompleteShorterFiles) {
    AddConversions(4);
    // The first picture of each running task holds the run: every task that
    // runs is then surely in the middle of its file when the stop comes.
    std::set<int> seen;
    Converter->SetPreviewBitmap(true);
    Converter->OnPreviewBitmap = [&](TObject*, const TPreviewInfo& AInfo) {
        seen.insert(AInfo.TaskIndex);
        Converter->Task(AInfo.TaskIndex)->Pause();  // this task only: the other may not have begun
    };
    Converter->Start(2);
    ASSERT_TRUE(WaitUntil([&] { return seen.size() == 2; }));
    Converter->Stop(true);
    ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() == 1; }));
    ProcessMessages();

    ExpectOrderedEnds(Ends, 4);
    {
        std::lock_guard lock(Ends.Lock);
        for (int i = 0; i < 4; ++i) {
            const TTerminateInfo& e = Ends.Events[size_t(i)];
            EXPECT_FALSE(e.Finished) << e.TaskIndex;
            EXPECT_FALSE(e.Exception) << e.TaskIndex << ": " << e.ExceptionMsg;
        }
    }
    EXPECT_EQ(seen, (std::set<int>{0, 1}));
    for (int i = 0; i < 2; ++i) {
        const TOutputCheck check = ReopenOutput(Outputs[size_t(i)]);
        ASSERT_TRUE(check.Opened) << i << ": " << check.Error;
        EXPECT_EQ(check.VideoStreams, 1) << i;
        EXPECT_LT(check.VideoFrames, InputFrames) << i;
    }
    for (int i = 2; i < 4; ++i)
        EXPECT_LT(GetFileSizeByName(Outputs[size_t(i)]), 0) << "a task that never ran left " << Outputs[size_t(i)];
}

// Paused in the middle, the tasks stop taking pictures; resumed, they finish
// their files as if nothing had happened.
TEST_F(ConverterTest, PausesAndResumesMidRun) {
    AddConversions(3);
    for (int i = 0; i < 3; ++i)
        Converter->Task(i)->PreviewInterval = 0;  // every picture reaches the handler
    std::atomic<int> pictures{0};
    Converter->SetPreviewBitmap(true);
    Converter->OnPreviewBitmap = [&](TObject*, const TPreviewInfo&) {
        if (++pictures == 1)
            Converter->Pause();
    };
    Converter->Start(3);
    ASSERT_TRUE(WaitUntil([&] { return pictures >= 1; }));
    // Each worker may finish the pass it is in; then all three rest at their gates.
    ASSERT_TRUE(WaitUntil([&] { return HeldTasks(3) == 3; }));
    ProcessMessages();
    const int settled = pictures;
    std::this_thread::sleep_for(100ms);
    ProcessMessages();
    EXPECT_EQ(pictures, settled) << "paused tasks went on converting";
    EXPECT_LT(pictures, 3 * InputFrames);
    EXPECT_EQ(Ends.Count(), 0u);

    Converter->Resume();
    ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() == 1; }));
    ProcessMessages();
    ExpectOrderedEnds(Ends, 3);
    {
        std::lock_guard lock(Ends.Lock);
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(Ends.Events[size_t(i)].Finished) << Ends.Events[size_t(i)].ExceptionMsg;
    }
    EXPECT_EQ(pictures, 3 * InputFrames);
    for (const std::string& output : Outputs) {
        const TOutputCheck check = ReopenOutput(output);
        ASSERT_TRUE(check.Opened) << output << ": " << check.Error;
        EXPECT_EQ(check.VideoFrames, InputFrames) << output;
    }
}

// Without threads a handler may stop the run: the end of every task, also of
// those that never started, still comes in the thread that called Start, and
// the final one before Start returns.
TEST_F(ConverterTest, AStopInsideARunWithoutThreadsReportsInTheCallingThread) {
    AddConversions(3);
    Converter->SetPreviewBitmap(true);
    Converter->OnPreviewBitmap = [&](TObject*, const TPreviewInfo&) { Converter->Stop(true); };
    Converter->Start(0);
    EXPECT_EQ(Ends.Finals(), 1);
    ExpectOrderedEnds(Ends, 3);
    std::lock_guard lock(Ends.Lock);
    for (int i = 0; i < 3; ++i) {
        const TTerminateInfo& e = Ends.Events[size_t(i)];
        EXPECT_EQ(e.TaskIndex, i);
        EXPECT_FALSE(e.Finished) << i;
        EXPECT_FALSE(e.Exception) << i << ": " << e.ExceptionMsg;
    }
    EXPECT_TRUE(ReopenOutput(Outputs[0]).Opened);
    EXPECT_LT(GetFileSizeByName(Outputs[1]), 0);
    EXPECT_LT(GetFileSizeByName(Outputs[2]), 0);
}

// A handler of a worker's event may stop the run with waiting: the worker
// waits for that very handler, so the stop cannot wait for it, but the run
// still ends with every event.
TEST_F(ConverterTest, AHandlerOfAWorkersEventMayStopTheRun) {
    AddConversions(3);
    Converter->SetPreviewBitmap(true);
    int calls = 0;
    Converter->OnPreviewBitmap = [&](TObject*, const TPreviewInfo&) {
        if (++calls == 1)
            Converter->Stop(true);
    };
    Converter->Start(3);
    ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() == 1; }));
    ProcessMessages();
    ExpectOrderedEnds(Ends, 3);
    std::lock_guard lock(Ends.Lock);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(Ends.Events[size_t(i)].Finished) << Ends.Events[size_t(i)].TaskIndex;
        EXPECT_FALSE(Ends.Events[size_t(i)].Exception) << Ends.Events[size_t(i)].ExceptionMsg;
    }
}
