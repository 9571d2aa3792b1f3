#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/core/Object.h"

// A wait without limit.
constexpr uint32_t INFINITE = 0xFFFFFFFF;

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

// A lock the owning thread may enter again; each Enter needs its Leave.
// Also usable with std::lock_guard / std::scoped_lock.
class TCriticalSection : public TObject {
public:
    void Enter() { FLock.lock(); }
    void Leave() { FLock.unlock(); }
    bool TryEnter() { return FLock.try_lock(); }
    void Acquire() { Enter(); }
    void Release() { Leave(); }

    void lock() { Enter(); }
    void unlock() { Leave(); }
    bool try_lock() { return TryEnter(); }

private:
    std::recursive_mutex FLock;
};

// Holds a critical section for the lifetime of the guard.
class TCriticalSectionGuard {
public:
    explicit TCriticalSectionGuard(TCriticalSection& cs) : FCs(cs) { FCs.Enter(); }
    ~TCriticalSectionGuard() { FCs.Leave(); }
    TCriticalSectionGuard(const TCriticalSectionGuard&) = delete;
    TCriticalSectionGuard& operator=(const TCriticalSectionGuard&) = delete;

private:
    TCriticalSection& FCs;
};

// A signal threads wait for. A manual-reset event stays set until ResetEvent
// and releases every waiter; an auto-reset event releases one waiter and
// resets itself.
class TEvent : public TObject {
public:
    explicit TEvent(bool manualReset = true, bool initialState = false)
        : FManualReset(manualReset), FSignaled(initialState) {}

    void SetEvent();
    void ResetEvent();
    // Waits up to timeoutMs (INFINITE: without limit); 0 only tests the state.
    TWaitResult WaitFor(uint32_t timeoutMs = INFINITE);
    bool IsSet() const;

private:
    mutable std::mutex FLock;
    std::condition_variable FCond;
    const bool FManualReset;
    bool FSignaled;
};

// A mutual-exclusion lock with a timed wait; the owner may acquire it again
// (each acquisition needs its Release).
class TMutex : public TObject {
public:
    TWaitResult WaitFor(uint32_t timeoutMs = INFINITE);
    void Acquire() { WaitFor(INFINITE); }
    // Raises EInvalidOperation when the calling thread does not hold the mutex.
    void Release();

private:
    std::mutex FLock;
    std::condition_variable FFree;
    std::thread::id FOwner;
    int FCount = 0;
};
