#pragma once
#include <cstdint>
#include <mutex>

#include "platform/core/Sync.h"

// The ring of position and state events waiting for the event thread. It holds
// at most nine entries: a new position replaces a position that is the newest
// waiting entry, and a full ring drops its oldest entry. States always queue,
// so quick changes (play, then pause of a file opened paused) all arrive.
class TPlayEventRing {
public:
    enum TKind { ekNone, ekPosition, ekState, ekEnd };
    struct TEntry {
        int32_t Kind = ekNone;
        int64_t Value = 0;
    };
    static constexpr int Slots = 10;

    void Push(TKind AKind, int64_t AValue);
    TEntry Pop();  // kind ekNone when empty
    // Set while entries wait; reset only by the Pop that empties the ring.
    TEvent& Signal() { return FEvent; }
    void Clear();

private:
    std::mutex FLock;
    TEvent FEvent{true, false};
    int FHeader = 0;  // oldest entry
    int FTailer = 0;  // after the newest entry
    TEntry FEvents[Slots];
};
