#include "engine/task/TerminateDelivery.h"

#include <exception>

#include "engine/log/Logger.h"
#include "platform/core/Thread.h"

class TDeliveryThread : public TThread {
public:
    explicit TDeliveryThread(TTerminateDelivery* AOwner) : TThread(true), FOwner(AOwner) {}

protected:
    void Execute() override { FOwner->Serve(); }

private:
    TTerminateDelivery* FOwner;
};

TTerminateDelivery::TTerminateDelivery(TDeliver ADeliver) : FDeliver(std::move(ADeliver)) {
    FThread = std::make_unique<TDeliveryThread>(this);
    FThread->Start();
}

TTerminateDelivery::~TTerminateDelivery() {
    {
        std::lock_guard lock(FLock);
        FEnding = true;
    }
    FWake.notify_all();
    FThread->WaitFor();
    FThread.reset();
}

void TTerminateDelivery::Push(const TTerminateInfo& AInfo) {
    {
        std::lock_guard lock(FLock);
        FQueue.push_back(AInfo);
    }
    FWake.notify_all();
}

bool TTerminateDelivery::Busy() const {
    std::lock_guard lock(FLock);
    return FDelivering || !FQueue.empty();
}

void TTerminateDelivery::Serve() {
    std::unique_lock lock(FLock);
    for (;;) {
        FWake.wait(lock, [this] { return FEnding || !FQueue.empty(); });
        if (FQueue.empty())
            return;  // ending, and nothing left to deliver
        TTerminateInfo info = std::move(FQueue.front());
        FQueue.pop_front();
        FDelivering = true;
        lock.unlock();
        try {
            FDeliver(info);
        } catch (const std::exception& e) {
            // A failing handler must not end the delivery of the others.
            GetFFLogger()->Log(nullptr, llError, e.what());
        } catch (...) {
            GetFFLogger()->Log(nullptr, llError, "Unknown error in an end event handler");
        }
        lock.lock();
        FDelivering = false;
    }
}
