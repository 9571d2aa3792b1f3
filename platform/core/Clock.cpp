#include "platform/core/Clock.h"

#include <time.h>

#include <cerrno>
#include <memory>
#include <mutex>

namespace {

struct TClockHook {
    std::function<uint64_t()> Now;
    std::function<void(uint32_t)> Sleep;
};

std::mutex GHookLock;
std::shared_ptr<const TClockHook> GHook;

std::shared_ptr<const TClockHook> CurrentHook() {
    std::lock_guard lock(GHookLock);
    return GHook;
}

}  // namespace

uint64_t GetTickCount64() {
    if (const auto hook = CurrentHook())
        return hook->Now();
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000 + static_cast<uint64_t>(ts.tv_nsec) / 1000000;
}

uint32_t GetTickCount() {
    return static_cast<uint32_t>(GetTickCount64());
}

void Sleep(uint32_t ms) {
    if (const auto hook = CurrentHook(); hook && hook->Sleep) {
        hook->Sleep(ms);
        return;
    }
    timespec ts{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

void SetClockHook(std::function<uint64_t()> now, std::function<void(uint32_t)> sleep) {
    std::shared_ptr<const TClockHook> hook;
    if (now)
        hook = std::make_shared<const TClockHook>(TClockHook{std::move(now), std::move(sleep)});
    std::lock_guard lock(GHookLock);
    GHook = std::move(hook);
}
