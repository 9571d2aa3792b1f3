#pragma once
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <utility>

#include <pthread.h>

#include "platform/core/Object.h"

// Thread priorities, lowest first. Each maps to a nice value of the thread:
// tpIdle is 19, the others step around the nice the program started with.
enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

using TThreadMethod = std::function<void()>;

// A worker thread running Execute. The constructor never starts it, because
// the derived object is not complete yet: a thread created running is started
// by AfterConstruction(), which TThread::Create<T>(...) calls for you.
class TThread : public TObject {
public:
    explicit TThread(bool CreateSuspended = true);
    // Terminates and waits for a thread still running. Derived classes whose
    // Execute uses their own members call Terminate() and WaitFor() first.
    ~TThread() override;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    template <class T, class... Args>
    static T* Create(Args&&... args) {
        T* thread = new T(std::forward<Args>(args)...);
        thread->AfterConstruction();
        return thread;
    }
    // Starts the thread unless it was created suspended.
    void AfterConstruction();

    // Starts the thread at its priority. When the system refuses that priority
    // the thread does not run and EThreadError gives the reason; the object
    // stays unstarted, so it can be started again at another priority.
    void Start();
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    // Waits until Execute has returned and gives ReturnValue. Called from the
    // main thread it keeps running synchronized calls meanwhile.
    int WaitFor();
    bool Started() const { return FStarted; }
    bool Suspended() const { return !FStarted; }
    bool Finished() const { return FFinished; }

    bool FreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }
    TThreadPriority Priority() const { return FPriority; }
    // Applied at once to a running thread; EThreadError when the system refuses.
    void SetPriority(TThreadPriority value);
    uint32_t ThreadID() const { return FThreadId; }
    int ReturnValue() const { return FReturnValue; }
    // The exception that ended Execute, if any.
    std::exception_ptr FatalException() const { return FFatalException; }

    // Raised in the main thread after Execute has returned.
    std::function<void(TObject* Sender)> OnTerminate;

    // Runs method in the main thread; from a worker it blocks until the main
    // thread has run it and rethrows what it raised. From the main thread it
    // runs at once.
    void Synchronize(const TThreadMethod& method) { Synchronize(this, method); }
    static void Synchronize(TThread* AThread, const TThreadMethod& method);
    // Hands method to the main thread without waiting (from the main thread it
    // runs at once; ForceQueue always defers it).
    void Queue(const TThreadMethod& method) { Queue(this, method); }
    static void Queue(TThread* AThread, const TThreadMethod& method);
    static void ForceQueue(TThread* AThread, const TThreadMethod& method);
    // Drops calls queued for AThread that have not run yet.
    static void RemoveQueuedEvents(TThread* AThread);
    // The program is ending and its main thread serves calls no more: calls
    // still queued and every later one are dropped, and a thread waiting in
    // Synchronize goes on (without the call having run).
    static void EndMainThreadCalls();
    // Main thread only: waits up to timeoutMs for a pending call, then runs the
    // calls pending at that moment, in order. True when any ran.
    static bool CheckSynchronize(uint32_t timeoutMs = 0);

    // The nice value a priority maps to in this process.
    static int NiceValue(TThreadPriority priority);

protected:
    virtual void Execute() = 0;
    // Runs OnTerminate in the main thread.
    virtual void DoTerminate();
    void SetReturnValue(int value) { FReturnValue = value; }

private:
    static void* ThreadProc(void* arg);
    void WaitUntilFinished();
    void Join();

    std::mutex FStateLock;
    pthread_t FHandle{};
    bool FJoinable = false;
    bool FCreateSuspended;
    std::atomic<bool> FStarted{false};
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FFreeOnTerminate{false};
    std::atomic<TThreadPriority> FPriority{tpNormal};
    std::atomic<uint32_t> FThreadId{0};
    std::atomic<int> FReturnValue{0};
    std::exception_ptr FFatalException;
};

// The window layer installs a hook that wakes its event loop; it is called from
// any thread whenever a call is queued for the main thread.
void SetMainThreadWakeHook(std::function<void()> hook);
// The window layer installs its message pump here; ProcessMessages runs it, or
// only the pending synchronized calls when no window layer is present.
void SetProcessMessagesHook(std::function<void()> hook);
void ProcessMessages();
// Runs the calls queued for the main thread (main thread only).
void ProcessPendingCalls();

bool IsMainThread();
uint32_t CurrentThreadId();
uint32_t MainThreadId();
