#pragma once
#include <array>
#include <span>

#include "app/presets/PresetParameterSet.h"

// One row of the parameter table: the keys that share one set (unused
// places are 0).
struct TPresetParameterRow {
    std::array<int, 4> Keys;
    TPresetParameters Set;
};

std::span<const TPresetParameterRow> PresetParameterRows();
