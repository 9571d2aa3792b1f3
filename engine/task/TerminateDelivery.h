#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "engine/util/Records.h"

class TDeliveryThread;

// The one path by which the conversion component's end events reach their
// handler: a first-in first-out queue served by a thread of its own, so that
// a worker that pushes an event never waits for a handler, and the events
// arrive in the order they were pushed (every task's end before the final one).
class TTerminateDelivery {
public:
    using TDeliver = std::function<void(const TTerminateInfo&)>;

    // ADeliver runs on the delivery thread, once per pushed record, in order.
    explicit TTerminateDelivery(TDeliver ADeliver);
    // Delivers what is still queued, then ends the thread; in the main thread
    // the wait serves main-thread calls, so a delivery waiting for it ends.
    ~TTerminateDelivery();
    TTerminateDelivery(const TTerminateDelivery&) = delete;
    TTerminateDelivery& operator=(const TTerminateDelivery&) = delete;

    void Push(const TTerminateInfo& AInfo);
    // True while a pushed record has not been delivered yet.
    bool Busy() const;

private:
    friend class TDeliveryThread;
    void Serve();

    TDeliver FDeliver;
    mutable std::mutex FLock;
    std::condition_variable FWake;
    std::deque<TTerminateInfo> FQueue;
    bool FDelivering = false;
    bool FEnding = false;
    std::unique_ptr<TDeliveryThread> FThread;
};
