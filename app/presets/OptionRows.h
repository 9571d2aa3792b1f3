#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/presets/OptionLists.h"

// One cell of an option row: the list a combo is filled with and the entry it selects.
struct TOptionCell {
    const TOptionList* List = nullptr;
    int DefaultIndex = 0;
    std::string DefaultText;  // the entry at DefaultIndex, as the table states it
};

// The option row of one offered preset: a cell per combo in fill order and the
// audio-only flag (the four video combos are disabled).
struct TOptionRow {
    int Key = 0;
    std::string Title;
    std::array<TOptionCell, OptionKindCount> Cells;
    bool AudioOnly = false;

    const TOptionCell& Cell(TOptionKind kind) const { return Cells[OptionSlot(kind)]; }
};

// A cell of an option table reads "LIST index entry text"; the entry text may hold
// blanks ("128 kbps"). findList names the lists the table may use; fault throws
// with the table and what is wrong with it.
using TOptionListFinder = const TOptionList* (*)(std::string_view name);
using TOptionTableFault = void (*)(std::string_view table, const std::string& what);
TOptionCell ParseOptionCell(std::string_view table, const std::string& text, TOptionKind kind,
                            TOptionListFinder findList, TOptionTableFault fault);

class TOptionComboModel;

// Fills the option combos (by slot) in fill order, each with its cell's list, and
// selects the cell's default entry: each default selection may run that combo's
// change before the next combo is filled.
void FillOptionCombos(const TOptionRow& row, const std::array<TOptionComboModel*, OptionKindCount>& combos);

// All option rows, table by table (one table per category), in key order within a table.
const std::vector<TOptionRow>& OptionRows();

// The option row of a key, or nullptr: only the offered presets have one.
const TOptionRow* FindOptionRow(int key);

// Presets that write a DVD, SVCD or VCD: the target fixes frame size, frame rate,
// sample rate and the video bit rate, so those combos show their defaults locked.
bool IsDiscTargetPreset(int key);

// Whether the preset fixes that combo, which then stays disabled: audio-only presets fix
// the four video combos (their one entry reads back as "no video"), disc targets the
// four that the target sets.
bool IsOptionFixed(const TOptionRow& row, TOptionKind kind);

// Whether the combo's entry is read back into the current preset: all but the four
// that a disc target sets, which keep the target's values.
bool IsOptionReadBack(const TOptionRow& row, TOptionKind kind);
