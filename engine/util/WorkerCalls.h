#pragma once

// Marks, in the main thread, a call it runs for a conversion worker that waits
// for the call to return (a preview window's paint). A Stop that would wait
// for the workers must not wait while such a call is on the main thread's
// stack: that worker cannot end before the call returns.
class TWorkerCallScope {
public:
    TWorkerCallScope();
    ~TWorkerCallScope();
    TWorkerCallScope(const TWorkerCallScope&) = delete;
    TWorkerCallScope& operator=(const TWorkerCallScope&) = delete;

private:
    bool FCounted;
};

// Main thread: how many such calls are running now.
int WorkerCallsInMainThread();
