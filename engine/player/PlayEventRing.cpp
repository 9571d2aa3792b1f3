#include "engine/player/PlayEventRing.h"

namespace {
int Next(int AIndex) { return (AIndex + 1) % TPlayEventRing::Slots; }
int Previous(int AIndex) { return (AIndex + TPlayEventRing::Slots - 1) % TPlayEventRing::Slots; }
} // namespace

void TPlayEventRing::Push(TKind AKind, int64_t AValue) {
    {
        std::lock_guard<std::mutex> lock(FLock);
        // Only a waiting position gives way to a newer one: a state is never lost.
        if (FHeader == FTailer || AKind != ekPosition || FEvents[Previous(FTailer)].Kind != AKind) {
            FTailer = Next(FTailer);
            if (FTailer == FHeader)
                FHeader = Next(FHeader);
        }
        FEvents[Previous(FTailer)] = TEntry{AKind, AValue};
    }
    FEvent.SetEvent();
}

TPlayEventRing::TEntry TPlayEventRing::Pop() {
    std::lock_guard<std::mutex> lock(FLock);
    if (FHeader == FTailer)
        return {};
    TEntry entry = FEvents[FHeader];
    FHeader = Next(FHeader);
    if (FHeader == FTailer)
        FEvent.ResetEvent();
    return entry;
}

void TPlayEventRing::Clear() {
    std::lock_guard<std::mutex> lock(FLock);
    FHeader = FTailer = 0;
    FEvent.ResetEvent();
}
