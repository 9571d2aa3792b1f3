#pragma once
#include "app/presets/CurrentPreset.h"
#include "engine/util/Records.h"

// The current preset written into a job's output options, as the add path
// fills them: a field the preset leaves empty (or automatic) keeps the
// record's value. "libx264" also selects the built-in encoder preset
// "libx264-default". The container extension is not written: the engine
// takes the container from the output name.
void CurrentPresetToOutputOptions(const TCurrentPreset& APreset, TOutputOptions& AOptions);

// The texts of the target and norm fields.
TOptionTargetType TargetTypeOf(const std::string& AText);
TOptionNormType NormTypeOf(const std::string& AText);
