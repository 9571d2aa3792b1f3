#include "engine/util/WorkerCalls.h"

#include "platform/core/Thread.h"

namespace {

int Depth = 0;  // main thread only

} // namespace

TWorkerCallScope::TWorkerCallScope() : FCounted(IsMainThread()) {
    if (FCounted)
        ++Depth;
}

TWorkerCallScope::~TWorkerCallScope() {
    if (FCounted)
        --Depth;
}

int WorkerCallsInMainThread() { return IsMainThread() ? Depth : 0; }
