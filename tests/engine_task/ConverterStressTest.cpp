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
