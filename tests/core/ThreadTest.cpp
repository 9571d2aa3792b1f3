#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/core/Clock.h"
#include "platform/core/Thread.h"

namespace {

// A thread running a function object.
class TFuncThread : public TThread {
public:
    explicit TFuncThread(std::function<void(TFuncThread&)> body, bool suspended = true)
        : TThread(suspended), FBody(std::move(body)) {}
    ~TFuncThread() override {
        Terminate();
        if (Started() && !FreeOnTerminate())
            WaitFor();
    }
    using TThread::SetReturnValue;

protected:
    void Execute() override { FBody(*this); }

private:
    std::function<void(TFuncThread&)> FBody;
};

// The main thread's loop while it waits: runs pending calls until done() holds.
template <typename Pred>
void PumpUntil(Pred done) {
    while (!done())
        TThread::CheckSynchronize(10);
}

}  // namespace

TEST(Synchronize, SeveralWorkersWhileTheMainThreadPumps) {
    constexpr int workers = 4, callsEach = 50;
    std::vector<std::pair<int, int>> calls;  // touched only in the main thread
    std::atomic<int> offMain{0}, finished{0};
    std::vector<std::unique_ptr<TFuncThread>> threads;
    for (int w = 0; w < workers; ++w) {
        threads.push_back(std::make_unique<TFuncThread>([&, w](TFuncThread& self) {
            for (int i = 0; i < callsEach; ++i)
                self.Synchronize([&, w, i] {
                    if (!IsMainThread())
                        ++offMain;
                    calls.emplace_back(w, i);
                });
            ++finished;
        }));
    }
    for (auto& t : threads)
        t->Start();
    PumpUntil([&] { return finished == workers; });
    for (auto& t : threads)
        t->WaitFor();
    EXPECT_EQ(offMain, 0);
    ASSERT_EQ(calls.size(), size_t(workers * callsEach));
    std::vector<int> next(workers, 0);
    for (const auto& [w, i] : calls)
        EXPECT_EQ(i, next[w]++) << "worker " << w << " out of order";
}

TEST(Synchronize, QueuedCallsRunInOrderWithoutBlocking) {
    std::vector<int> seen;
    std::atomic<bool> queued{false};
    TFuncThread worker([&](TFuncThread& self) {
        for (int i = 0; i < 100; ++i)
            self.Queue([&, i] { seen.push_back(i); });
        queued = true;  // reached without the main thread running anything
    });
    worker.Start();
    while (!queued)
        Sleep(1);
    worker.WaitFor();
    while (TThread::CheckSynchronize()) {
    }
    ASSERT_EQ(seen.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(seen[i], i);
}

TEST(Synchronize, FromTheMainThreadRunsAtOnce) {
    bool ran = false;
    TThread::Synchronize(nullptr, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(IsMainThread());
    EXPECT_EQ(CurrentThreadId(), MainThreadId());
}

TEST(Synchronize, ErrorOfTheCallReachesTheWorker) {
    std::string caught;
    TFuncThread worker([&](TFuncThread& self) {
        try {
            self.Synchronize([] { throw EConvertError("bad value"); });
        } catch (const EConvertError& e) {
            caught = e.Message();
        }
    });
    worker.Start();
    worker.WaitFor();  // serves the call meanwhile
    EXPECT_EQ(caught, "bad value");
}

TEST(Synchronize, WakeHookFiresForEveryQueuedCall) {
    std::atomic<int> wakes{0};
    SetMainThreadWakeHook([&] { ++wakes; });
    TFuncThread worker([](TFuncThread& self) {
        self.Queue([] {});
        self.Queue([] {});
    });
    worker.Start();
    worker.WaitFor();
    SetMainThreadWakeHook(nullptr);
    EXPECT_GE(wakes, 2);
    while (TThread::CheckSynchronize()) {
    }
}

TEST(Synchronize, AFailingQueuedCallLeavesTheRestQueued) {
    std::vector<int> seen;
    TThread::ForceQueue(nullptr, [&] { seen.push_back(1); });
    TThread::ForceQueue(nullptr, [] { throw EInvalidOperation("queued failure"); });
    TThread::ForceQueue(nullptr, [&] { seen.push_back(3); });
    EXPECT_THROW(TThread::CheckSynchronize(), EInvalidOperation);
    EXPECT_EQ(seen, std::vector<int>{1});
    EXPECT_TRUE(TThread::CheckSynchronize());
    EXPECT_EQ(seen, (std::vector<int>{1, 3}));
}

TEST(Synchronize, ProcessMessagesRunsTheInstalledPumpOrThePendingCalls) {
    bool ran = false;
    TThread::ForceQueue(nullptr, [&] { ran = true; });
    int pumped = 0;
    SetProcessMessagesHook([&] { ++pumped; });
    ProcessMessages();
    EXPECT_EQ(pumped, 1);
    EXPECT_FALSE(ran);  // the window layer's pump decides when calls run
    SetProcessMessagesHook(nullptr);
    ProcessMessages();
    EXPECT_TRUE(ran);
}

TEST(Synchronize, RemovedQueuedEventsNeverRun) {
    bool ran = false;
    std::atomic<bool> queued{false};
    TFuncThread worker([&](TFuncThread& self) {
        self.Queue([&] { ran = true; });
        queued = true;
    });
    worker.Start();
    while (!queued)
        Sleep(1);
    TThread::RemoveQueuedEvents(&worker);
    worker.WaitFor();
    while (TThread::CheckSynchronize()) {
    }
    EXPECT_FALSE(ran);
}

TEST(Synchronize, CheckSynchronizeBelongsToTheMainThread) {
    std::atomic<bool> raised{false};
    TFuncThread worker([&](TFuncThread&) {
        try {
            TThread::CheckSynchronize();
        } catch (const EThreadError&) {
            raised = true;
        }
    });
    worker.Start();
    worker.WaitFor();
    EXPECT_TRUE(raised);
}

TEST(Thread, LifecycleReturnValueAndOnTerminateInTheMainThread) {
    bool terminateInMain = false;
    std::atomic<bool> running{false};
    TFuncThread worker([&](TFuncThread& self) {
        running = true;
        while (!self.Terminated())
            Sleep(1);
        self.SetReturnValue(7);
    });
    worker.OnTerminate = [&](TObject* sender) { terminateInMain = IsMainThread() && sender == &worker; };
    EXPECT_TRUE(worker.Suspended());
    EXPECT_THROW(worker.WaitFor(), EThreadError);
    worker.Start();
    EXPECT_THROW(worker.Start(), EThreadError);
    while (!running)
        Sleep(1);
    worker.Terminate();
    EXPECT_EQ(worker.WaitFor(), 7);
    EXPECT_TRUE(worker.Finished());
    EXPECT_TRUE(terminateInMain);
}

TEST(Thread, CreatedRunningAndFreedOnTerminate) {
    static std::atomic<bool> destroyed{false};
    class TSelfFreeing : public TThread {
    public:
        TSelfFreeing() : TThread(false) { SetFreeOnTerminate(true); }
        ~TSelfFreeing() override { destroyed = true; }

    protected:
        void Execute() override {}
    };
    TThread* t = TThread::Create<TSelfFreeing>();
    (void)t;
    PumpUntil([] { return destroyed.load(); });
    EXPECT_TRUE(destroyed);
}

TEST(Thread, ExceptionFromExecuteIsKept) {
    TFuncThread worker([](TFuncThread&) { throw std::runtime_error("boom"); });
    worker.Start();
    worker.WaitFor();
    ASSERT_TRUE(worker.FatalException());
    EXPECT_THROW(std::rethrow_exception(worker.FatalException()), std::runtime_error);
}

TEST(ThreadPriority, NiceValueIsAppliedWhenTheThreadStarts) {
    const TThreadPriority lowering[] = {tpNormal, tpLower, tpLowest, tpIdle};
    int previous = -100;
    for (TThreadPriority p : lowering) {
        std::atomic<int> seen{-100};
        TFuncThread worker([&](TFuncThread&) { seen = getpriority(PRIO_PROCESS, gettid()); });
        worker.SetPriority(p);
        worker.Start();
        worker.WaitFor();
        EXPECT_EQ(seen, TThread::NiceValue(p)) << "priority " << p;
        EXPECT_GE(seen, previous) << "priority " << p << " is not lower than the one before";
        previous = seen;
    }
    EXPECT_EQ(TThread::NiceValue(tpIdle), 19);
}

TEST(ThreadPriority, ChangedWhileRunning) {
    std::atomic<bool> changed{false};
    std::atomic<int> seen{-100};
    TFuncThread worker([&](TFuncThread&) {
        while (!changed)
            Sleep(1);
        seen = getpriority(PRIO_PROCESS, gettid());
    });
    worker.Start();
    worker.SetPriority(tpLowest);
    changed = true;
    worker.WaitFor();
    EXPECT_EQ(seen, TThread::NiceValue(tpLowest));
}

// Without the right to raise priorities (dropped in a child process), a
// higher priority is refused with the reason, and nothing runs at the wrong one.
TEST(ThreadPriorityDeathTest, RefusalIsReported) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            if (getuid() == 0 && setuid(65534) != 0)
                std::exit(2);
            std::atomic<bool> ran{false};
            TFuncThread high([&](TFuncThread&) { ran = true; });
            high.SetPriority(tpHigher);
            try {
                high.Start();
                std::exit(3);
            } catch (const EThreadError& e) {
                if (e.Message().find("tpHigher") == std::string::npos)
                    std::exit(4);
            }
            if (ran || high.Started())
                std::exit(5);
            std::atomic<bool> lowered{false};
            TFuncThread idle([&](TFuncThread& self) {
                while (!lowered && !self.Terminated())
                    Sleep(1);
            });
            idle.SetPriority(tpIdle);
            idle.Start();
            try {
                idle.SetPriority(tpNormal);  // raising again is not allowed
                std::exit(6);
            } catch (const EThreadError&) {
            }
            if (idle.Priority() != tpIdle)
                std::exit(7);
            lowered = true;
            idle.WaitFor();
            high.SetPriority(tpLower);  // a lower one is fine
            high.Start();
            high.WaitFor();
            std::exit(ran ? 0 : 8);
        },
        ::testing::ExitedWithCode(0), "");
}
