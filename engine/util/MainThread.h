#pragma once
#include <atomic>
#include <functional>

// True from the start: CallInMainThread hands calls from workers to the main thread.
extern std::atomic<bool> UseMainThreadCalls;

// From a worker: runs the method in the main thread and returns once it has
// run there. In the main thread (or with UseMainThreadCalls off): runs it at once.
void CallInMainThread(const std::function<void()>& AMethod);

// The engine's waits in the main thread serve pending calls and window
// messages through the core's ProcessMessages (platform/core/Thread.h).
