#pragma once
#include <array>
#include <memory>

#include "engine/util/Records.h"

// The records one added file converts with: its input options and the output
// options the preset gave it when it was added.
struct TJobRecord {
    TInputOptions Input;
    TOutputOptions Output;
};

// The state of a slot, kept beside its records and never in them, so nothing
// of the bookkeeping reaches a converted file.
enum class TSlotState { Free, InUse, Removed };

// The job slots: room for the records of at most 501 jobs. An add takes the
// first free slot; a slot whose row was removed is taken only when no free one
// is left, so the list always holds up to 501 rows.
class TJobSlots {
public:
    static constexpr int Capacity = 501;

    TJobSlots();

    // The slot the record went into, or -1 when every slot is in use.
    int Take(const TJobRecord& ARecord);
    // The slot's row was removed; its records stay until the slot is taken again.
    void Release(int ASlot);
    // Every slot free (start-up and a cleared list).
    void FreeAll();

    TSlotState State(int ASlot) const { return FStates.at(ASlot); }
    const TJobRecord& Record(int ASlot) const { return FRecords.at(ASlot); }
    int InUseCount() const;
    bool Full() const { return InUseCount() >= Capacity; }

private:
    std::array<TSlotState, Capacity> FStates;
    std::unique_ptr<std::array<TJobRecord, Capacity>> FRecordStore;  // large: kept off the stack
    std::array<TJobRecord, Capacity>& FRecords;
};
