#pragma once
#include "app/presets/PresetJobRow.h"
#include "engine/util/Records.h"

// A job's output options as the start takes them: every field a preset sets
// comes from the row's columns 11 to 24, which hold the row's own preset (the
// one it was last switched to). A column left empty (or automatic) leaves the
// field to the container or the target, never to the preset the row was added
// under; what is not a preset's (file name, volume, times) stays as added.
void ApplyRowColumns(const TPresetJobRow& ARow, TOutputOptions& AOptions);
