#include "platform/core/Sync.h"

#include <chrono>

#include "platform/core/Exception.h"

void TEvent::SetEvent() {
    {
        std::lock_guard lock(FLock);
        FSignaled = true;
    }
    if (FManualReset)
        FCond.notify_all();
    else
        FCond.notify_one();
}

void TEvent::ResetEvent() {
    std::lock_guard lock(FLock);
    FSignaled = false;
}

bool TEvent::IsSet() const {
    std::lock_guard lock(FLock);
    return FSignaled;
}

TWaitResult TEvent::WaitFor(uint32_t timeoutMs) {
    std::unique_lock lock(FLock);
    auto signaled = [this] { return FSignaled; };
    if (timeoutMs == INFINITE)
        FCond.wait(lock, signaled);
    else if (!FCond.wait_for(lock, std::chrono::milliseconds(timeoutMs), signaled))
        return wrTimeout;
    if (!FManualReset)
        FSignaled = false;
    return wrSignaled;
}

TWaitResult TMutex::WaitFor(uint32_t timeoutMs) {
    const auto me = std::this_thread::get_id();
    std::unique_lock lock(FLock);
    if (FCount > 0 && FOwner == me) {
        ++FCount;
        return wrSignaled;
    }
    auto free = [this] { return FCount == 0; };
    if (timeoutMs == INFINITE)
        FFree.wait(lock, free);
    else if (!FFree.wait_for(lock, std::chrono::milliseconds(timeoutMs), free))
        return wrTimeout;
    FOwner = me;
    FCount = 1;
    return wrSignaled;
}

void TMutex::Release() {
    {
        std::lock_guard lock(FLock);
        if (FCount == 0 || FOwner != std::this_thread::get_id())
            throw EInvalidOperation("Mutex released by a thread that does not hold it");
        if (--FCount > 0)
            return;
        FOwner = {};
    }
    FFree.notify_one();
}
