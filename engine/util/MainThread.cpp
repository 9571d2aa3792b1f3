#include "engine/util/MainThread.h"

#include "platform/core/Thread.h"

std::atomic<bool> UseMainThreadCalls{true};

void CallInMainThread(const std::function<void()>& AMethod) {
    if (UseMainThreadCalls && !IsMainThread())
        TThread::Synchronize(nullptr, AMethod);
    else
        AMethod();
}
