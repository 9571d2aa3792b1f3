#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "platform/core/Exception.h"
#include "platform/core/Sync.h"
#include "platform/core/Thread.h"

namespace {

class TBodyThread : public TThread {
public:
    explicit TBodyThread(std::function<void()> body) : FBody(std::move(body)) { Start(); }
    ~TBodyThread() override { WaitFor(); }

protected:
    void Execute() override { FBody(); }

private:
    std::function<void()> FBody;
};

int64_t ElapsedMs(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

TEST(Event, TimesOutWhenNotSignalled) {
    TEvent event(true, false);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(event.WaitFor(30), wrTimeout);
    EXPECT_GE(ElapsedMs(start), 29);
    EXPECT_EQ(event.WaitFor(0), wrTimeout);
}

TEST(Event, ManualResetStaysSetForEveryWaiter) {
    TEvent event(true, true);  // created set
    EXPECT_EQ(event.WaitFor(0), wrSignaled);
    EXPECT_EQ(event.WaitFor(0), wrSignaled);
    event.ResetEvent();
    EXPECT_EQ(event.WaitFor(0), wrTimeout);

    std::atomic<int> released{0};
    {
        TBodyThread a([&] { released += event.WaitFor(5000) == wrSignaled; });
        TBodyThread b([&] { released += event.WaitFor(5000) == wrSignaled; });
        event.SetEvent();
    }
    EXPECT_EQ(released, 2);
}

TEST(Event, AutoResetReleasesOneWaiter) {
    TEvent event(false, false);
    std::atomic<int> signaled{0}, timedOut{0};
    {
        auto wait = [&] { (event.WaitFor(300) == wrSignaled ? signaled : timedOut)++; };
        TBodyThread a(wait);
        TBodyThread b(wait);
        event.SetEvent();
    }
    EXPECT_EQ(signaled, 1);
    EXPECT_EQ(timedOut, 1);
    EXPECT_FALSE(event.IsSet());
}

TEST(CriticalSection, IsReentrantAndExcludesOthers) {
    TCriticalSection cs;
    cs.Enter();
    {
        TCriticalSectionGuard again(cs);  // the owner enters again
        std::atomic<bool> otherGot{true};
        {
            TBodyThread other([&] { otherGot = cs.TryEnter(); });
        }
        EXPECT_FALSE(otherGot);
    }
    cs.Leave();
    std::atomic<bool> otherGot{false};
    {
        TBodyThread other([&] {
            otherGot = cs.TryEnter();
            if (otherGot)
                cs.Leave();
        });
    }
    EXPECT_TRUE(otherGot);
}

TEST(Mutex, TimedWaitGivesUpWhileHeld) {
    TMutex mutex;
    TEvent held(true, false), release(true, false);
    TBodyThread owner([&] {
        mutex.Acquire();
        held.SetEvent();
        release.WaitFor();
        mutex.Release();
    });
    held.WaitFor();
    EXPECT_EQ(mutex.WaitFor(20), wrTimeout);
    release.SetEvent();
    EXPECT_EQ(mutex.WaitFor(5000), wrSignaled);
    EXPECT_EQ(mutex.WaitFor(0), wrSignaled);  // the owner may take it again
    mutex.Release();
    mutex.Release();
    EXPECT_THROW(mutex.Release(), EInvalidOperation);
}
