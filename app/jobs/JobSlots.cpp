#include "app/jobs/JobSlots.h"

#include <algorithm>

#include "platform/core/Exception.h"

TJobSlots::TJobSlots()
    : FRecordStore(std::make_unique<std::array<TJobRecord, Capacity>>()), FRecords(*FRecordStore) {
    FreeAll();
}

int TJobSlots::Take(const TJobRecord& ARecord) {
    auto it = std::find(FStates.begin(), FStates.end(), TSlotState::Free);
    if (it == FStates.end())
        it = std::find(FStates.begin(), FStates.end(), TSlotState::Removed);
    if (it == FStates.end())
        return -1;
    const int slot = static_cast<int>(it - FStates.begin());
    FStates[slot] = TSlotState::InUse;
    FRecords[slot] = ARecord;
    return slot;
}

void TJobSlots::Release(int ASlot) {
    if (FStates.at(ASlot) == TSlotState::InUse)
        FStates[ASlot] = TSlotState::Removed;
}

void TJobSlots::FreeAll() {
    FStates.fill(TSlotState::Free);
}

int TJobSlots::InUseCount() const {
    return static_cast<int>(std::count(FStates.begin(), FStates.end(), TSlotState::InUse));
}
