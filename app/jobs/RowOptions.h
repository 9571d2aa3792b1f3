#pragma once
#include "app/presets/PresetJobRow.h"
#include "engine/util/Records.h"

// A job's output options as the start takes them: the row's columns 11 to 24
// written over the options the job got when it was added. A column left empty
// (or automatic) keeps the added value; the target and the norm always follow
// the row, so a row moved off a disc preset converts without a target.
void ApplyRowColumns(const TPresetJobRow& ARow, TOutputOptions& AOptions);
