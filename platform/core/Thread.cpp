#include "platform/core/Thread.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <utility>

#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"

namespace {

struct TSyncRequest {
    TThread* Thread = nullptr;
    TThreadMethod Method;
    bool Synchronous = false;
    bool Done = false;
    std::exception_ptr Error;
};

// Never destroyed: a thread may still wait on them while the process exits.
std::mutex& GSyncLock = *new std::mutex;
std::condition_variable& GSyncDone = *new std::condition_variable;  // a synchronous call has run
std::condition_variable& GMainWake = *new std::condition_variable;  // a call was queued or a thread finished
auto& GSyncQueue = *new std::deque<std::shared_ptr<TSyncRequest>>;
bool GMainCallsEnded = false;  // under GSyncLock: nothing serves calls into the main thread any more

thread_local TThread* GCurrentThread = nullptr;

std::mutex GHookLock;
std::function<void()> GWakeHook;
std::function<void()> GProcessMessagesHook;

// The nice value of the program when it started; the priorities step around it.
const int GBaseNice = [] {
    errno = 0;
    const int n = getpriority(PRIO_PROCESS, 0);
    return errno == 0 ? n : 0;
}();

const char* PriorityName(TThreadPriority p) {
    static const char* const names[] = {"tpIdle", "tpLowest", "tpLower", "tpNormal", "tpHigher", "tpHighest", "tpTimeCritical"};
    return names[p];
}

void WakeMainThread() {
    {
        std::lock_guard lock(GSyncLock);
    }
    GMainWake.notify_all();
    std::function<void()> hook;
    {
        std::lock_guard lock(GHookLock);
        hook = GWakeHook;
    }
    if (hook)
        hook();
}

// False when the main thread serves calls no more: the call is dropped.
bool Enqueue(std::shared_ptr<TSyncRequest> request) {
    {
        std::lock_guard lock(GSyncLock);
        if (GMainCallsEnded)
            return false;
        GSyncQueue.push_back(std::move(request));
    }
    WakeMainThread();
    return true;
}

// 0 or the errno of a refused change.
int ApplyNice(uint32_t tid, TThreadPriority priority) {
    const int nice = TThread::NiceValue(priority);
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, tid);
    if (errno == 0 && current == nice)
        return 0;
    return setpriority(PRIO_PROCESS, tid, nice) == 0 ? 0 : errno;
}

}  // namespace

bool IsMainThread() {
    return gettid() == getpid();
}

uint32_t CurrentThreadId() {
    return static_cast<uint32_t>(gettid());
}

uint32_t MainThreadId() {
    return static_cast<uint32_t>(getpid());
}

void SetMainThreadWakeHook(std::function<void()> hook) {
    std::lock_guard lock(GHookLock);
    GWakeHook = std::move(hook);
}

void SetProcessMessagesHook(std::function<void()> hook) {
    std::lock_guard lock(GHookLock);
    GProcessMessagesHook = std::move(hook);
}

void ProcessMessages() {
    std::function<void()> hook;
    {
        std::lock_guard lock(GHookLock);
        hook = GProcessMessagesHook;
    }
    if (hook)
        hook();
    else
        TThread::CheckSynchronize();
}

void ProcessPendingCalls() {
    TThread::CheckSynchronize();
}

int TThread::NiceValue(TThreadPriority priority) {
    static const int offsets[] = {0, 10, 5, 0, -5, -10, -20};
    const int nice = priority == tpIdle ? 19 : GBaseNice + offsets[priority];
    return std::clamp(nice, -20, 19);
}

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended) {}

TThread::~TThread() {
    const bool ownThread = GCurrentThread == this;
    if (FStarted && !FFinished && !ownThread) {
        Terminate();
        WaitUntilFinished();
    }
    RemoveQueuedEvents(this);
    std::lock_guard lock(FStateLock);
    if (FJoinable) {
        // A thread freeing itself on termination cannot join itself.
        if (ownThread)
            pthread_detach(FHandle);
        else
            pthread_join(FHandle, nullptr);
        FJoinable = false;
    }
}

void TThread::AfterConstruction() {
    if (!FCreateSuspended && !FStarted)
        Start();
}

namespace {

// Start waits here until the new thread has settled its priority. The thread
// signals while holding the lock, so it never touches this after Start returns.
struct TStartHandshake {
    std::mutex Lock;
    std::condition_variable Cond;
    bool Done = false;
    int Error = 0;
};

struct TStartArgs {
    TThread* Thread;
    TStartHandshake* Handshake;
};

}  // namespace

void TThread::Start() {
    std::lock_guard lock(FStateLock);
    if (FStarted)
        throw EThreadError("Cannot call Start on a running or terminated thread");
    TStartHandshake handshake;
    FStarted = true;
    auto* args = new TStartArgs{this, &handshake};
    const int rc = pthread_create(&FHandle, nullptr, [](void* p) -> void* {
        const TStartArgs a = *static_cast<TStartArgs*>(p);
        delete static_cast<TStartArgs*>(p);
        TThread* self = a.Thread;
        self->FThreadId = static_cast<uint32_t>(gettid());
        const int error = ApplyNice(self->FThreadId, self->FPriority);
        {
            std::lock_guard signal(a.Handshake->Lock);
            a.Handshake->Error = error;
            a.Handshake->Done = true;
            a.Handshake->Cond.notify_one();
        }
        return error == 0 ? ThreadProc(self) : nullptr;
    }, args);
    if (rc != 0) {
        delete args;
        FStarted = false;
        throw EThreadError(Format("Thread creation error: %s", SysErrorMessage(rc)));
    }
    FJoinable = true;
    int error = 0;
    {
        std::unique_lock wait(handshake.Lock);
        handshake.Cond.wait(wait, [&] { return handshake.Done; });
        error = handshake.Error;
    }
    if (error != 0) {
        pthread_join(FHandle, nullptr);
        FJoinable = false;
        FStarted = false;
        FThreadId = 0;
        throw EThreadError(Format("Cannot set the thread priority to %s (nice %d): %s", PriorityName(FPriority),
                                  NiceValue(FPriority), SysErrorMessage(error)));
    }
}

void* TThread::ThreadProc(void* arg) {
    auto* self = static_cast<TThread*>(arg);
    GCurrentThread = self;
    if (!self->FTerminated) {
        try {
            self->Execute();
        } catch (...) {
            self->FFatalException = std::current_exception();
        }
    }
    const bool freeOnTerminate = self->FFreeOnTerminate;
    try {
        self->DoTerminate();
    } catch (...) {
        if (!self->FFatalException)
            self->FFatalException = std::current_exception();
    }
    // Past this point a waiter may delete the object, unless it frees itself.
    self->FFinished = true;
    if (freeOnTerminate)
        delete self;
    WakeMainThread();
    return nullptr;
}

void TThread::DoTerminate() {
    if (OnTerminate)
        Synchronize([this] { OnTerminate(this); });
}

void TThread::SetPriority(TThreadPriority value) {
    std::lock_guard lock(FStateLock);
    if (FStarted && !FFinished) {
        const int error = ApplyNice(FThreadId, value);
        if (error != 0)
            throw EThreadError(Format("Cannot set the thread priority to %s (nice %d): %s", PriorityName(value),
                                      NiceValue(value), SysErrorMessage(error)));
    }
    FPriority = value;
}

int TThread::WaitFor() {
    if (FFreeOnTerminate)
        throw EThreadError("Cannot wait for a thread that frees itself on termination");
    if (!FStarted)
        throw EThreadError("Cannot wait for a thread that was not started");
    if (GCurrentThread == this)
        throw EThreadError("A thread cannot wait for itself");
    WaitUntilFinished();
    return FReturnValue;
}

void TThread::WaitUntilFinished() {
    if (IsMainThread()) {
        // Keep serving the worker's synchronized calls, or it could never finish.
        while (!FFinished) {
            CheckSynchronize();
            std::unique_lock lock(GSyncLock);
            GMainWake.wait_for(lock, std::chrono::milliseconds(100), [this] { return FFinished || !GSyncQueue.empty(); });
        }
    }
    Join();
}

void TThread::Join() {
    std::lock_guard lock(FStateLock);
    if (FJoinable) {
        pthread_join(FHandle, nullptr);
        FJoinable = false;
    }
}

void TThread::Synchronize(TThread* AThread, const TThreadMethod& method) {
    if (IsMainThread()) {
        method();
        return;
    }
    auto request = std::make_shared<TSyncRequest>();
    request->Thread = AThread;
    request->Method = method;
    request->Synchronous = true;
    if (!Enqueue(request))
        return;
    std::exception_ptr error;
    {
        std::unique_lock lock(GSyncLock);
        GSyncDone.wait(lock, [&] { return request->Done || GMainCallsEnded; });
        // Taken out of the request, so that the error is freed by this thread
        // and never by the main thread while this one still reads it.
        error = std::exchange(request->Error, nullptr);
    }
    if (error)
        std::rethrow_exception(error);
}

void TThread::Queue(TThread* AThread, const TThreadMethod& method) {
    if (IsMainThread()) {
        method();
        return;
    }
    ForceQueue(AThread, method);
}

void TThread::ForceQueue(TThread* AThread, const TThreadMethod& method) {
    auto request = std::make_shared<TSyncRequest>();
    request->Thread = AThread;
    request->Method = method;
    Enqueue(std::move(request));
}

void TThread::EndMainThreadCalls() {
    {
        std::lock_guard lock(GSyncLock);
        GMainCallsEnded = true;
        GSyncQueue.clear();
    }
    GSyncDone.notify_all();
}

void TThread::RemoveQueuedEvents(TThread* AThread) {
    if (!AThread)
        return;
    std::lock_guard lock(GSyncLock);
    // Synchronous calls stay: their worker is waiting for them.
    std::erase_if(GSyncQueue, [&](const auto& r) { return r->Thread == AThread && !r->Synchronous; });
}

bool TThread::CheckSynchronize(uint32_t timeoutMs) {
    if (!IsMainThread())
        throw EThreadError("CheckSynchronize called from a thread other than the main thread");
    size_t pending = 0;
    {
        std::unique_lock lock(GSyncLock);
        if (GSyncQueue.empty() && timeoutMs > 0)
            GMainWake.wait_for(lock, std::chrono::milliseconds(timeoutMs), [] { return !GSyncQueue.empty(); });
        pending = GSyncQueue.size();
    }
    bool ran = false;
    // One at a time, so that a call may itself run pending calls (a nested
    // message loop) without disturbing the order.
    for (size_t i = 0; i < pending; ++i) {
        std::shared_ptr<TSyncRequest> request;
        {
            std::lock_guard lock(GSyncLock);
            if (GSyncQueue.empty())
                break;
            request = std::move(GSyncQueue.front());
            GSyncQueue.pop_front();
        }
        ran = true;
        if (!request->Synchronous) {
            request->Method();  // what it raises reaches the main loop
            continue;
        }
        try {
            request->Method();
        } catch (...) {
            request->Error = std::current_exception();
        }
        {
            std::lock_guard lock(GSyncLock);
            request->Done = true;
        }
        GSyncDone.notify_all();
    }
    return ran;
}
