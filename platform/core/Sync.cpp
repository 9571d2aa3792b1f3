#include "platform/core/Sync.h"

#include <chrono>

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
    if (timeoutMs == INFINITE) {
        FLock.lock();
        return wrSignaled;
    }
    return FLock.try_lock_for(std::chrono::milliseconds(timeoutMs)) ? wrSignaled : wrTimeout;
}
