#include <random>

#include "tests/engine_task/ConverterTestSupport.h"

using namespace tasktest;

// Runs of several tasks started, paused, resumed and stopped at random: every
// run ends with exactly one final event after one event per task, and no
// call deadlocks. Bounded by a number of runs, not by time.
TEST_F(ConverterTest, SurvivesRandomStartsPausesAndStops) {
    std::mt19937 random(20261210);
    Converter->Control = &Gate;
    constexpr int Runs = 24;
    for (int run = 0; run < Runs; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        Converter->ClearTasks();
        {
            std::lock_guard lock(Ends.Lock);
            Ends.Events.clear();
        }
        const int tasks = 1 + int(random() % 5);
        const int threads = int(random() % 4);  // 0: in this thread
        Gate.Hold = threads > 0 && random() % 2;
        AddTasks(tasks);
        if (random() % 3 == 0)
            Converter->Pause();
        Converter->Start(threads);
        for (int step = int(random() % 4); step > 0 && !Converter->Terminated(); --step) {
            std::this_thread::sleep_for(std::chrono::milliseconds(random() % 5));
            ProcessMessages();
            switch (random() % 3) {
            case 0: Converter->Pause(); break;
            case 1: Converter->Resume(); break;
            default: Converter->Stop(random() % 2 == 0); break;
            }
        }
        if (Gate.Hold && random() % 2)
            Converter->Stop(true);
        else
            Converter->Resume();
        Gate.Hold = false;
        ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() >= 1; }));
        std::this_thread::sleep_for(5ms);
        ProcessMessages();
        std::lock_guard lock(Ends.Lock);
        ASSERT_EQ(Ends.Events.size(), size_t(tasks + 1));
        std::vector<int> seen(tasks, 0);
        for (int i = 0; i < tasks; ++i)
            ++seen[Ends.Events[i].TaskIndex];
        EXPECT_EQ(seen, std::vector<int>(tasks, 1));
        EXPECT_EQ(Ends.Events.back().TaskIndex, -1);
    }
    Converter->ClearTasks();
    EXPECT_EQ(Gate.Running, 0);
}

// The same with tasks that really convert, while the pictures of the run go
// to a bitmap handler that is switched on and off at random: every run ends
// with one event per task and one final event, and every file that a task
// finished opens again.
TEST_F(ConverterTest, SurvivesRandomControlOfRealConversions) {
    std::mt19937 random(20261211);
    std::atomic<int> pictures{0};
    Converter->OnPreviewBitmap = [&](TObject*, const TPreviewInfo&) { ++pictures; };
    constexpr int Runs = 8;
    for (int run = 0; run < Runs; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        Converter->ClearTasks();
        ForgetEnds();
        Outputs.clear();
        const int tasks = 1 + int(random() % 4);
        const int threads = int(random() % 4);
        AddConversions(tasks);
        for (int i = 0; i < tasks; ++i)
            Converter->Task(i)->PreviewInterval = 0;
        Converter->SetPreviewBitmap(random() % 2 == 0);
        if (random() % 3 == 0)
            Converter->Pause();
        Converter->Start(threads);
        for (int step = int(random() % 5); step > 0 && !Converter->Terminated(); --step) {
            std::this_thread::sleep_for(std::chrono::milliseconds(random() % 4));
            ProcessMessages();
            switch (random() % 4) {
            case 0: Converter->Pause(); break;
            case 1: Converter->Resume(); break;
            case 2: Converter->SetPreviewBitmap(!Converter->PreviewBitmap()); break;
            default: Converter->Stop(random() % 2 == 0); break;
            }
        }
        Converter->Resume();
        ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() >= 1; }));
        std::this_thread::sleep_for(5ms);
        ProcessMessages();
        std::lock_guard lock(Ends.Lock);
        ASSERT_EQ(Ends.Events.size(), size_t(tasks + 1));
        std::vector<int> seen(size_t(tasks), 0);
        for (int i = 0; i < tasks; ++i) {
            const TTerminateInfo& e = Ends.Events[size_t(i)];
            ++seen[size_t(e.TaskIndex)];
            EXPECT_FALSE(e.Exception) << e.ExceptionMsg;
            if (e.Finished) {
                EXPECT_EQ(ReopenOutput(Outputs[size_t(e.TaskIndex)]).VideoFrames, 10) << e.TaskIndex;
            }
        }
        EXPECT_EQ(seen, std::vector<int>(size_t(tasks), 1));
        EXPECT_EQ(Ends.Events.back().TaskIndex, -1);
    }
    Converter->ClearTasks();
}
