#pragma once
#include <string>
#include <vector>

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

// The add path's output options of the current preset, fitted to today's
// libraries for its output name (LibraryFit.h); returns the fit's warnings.
std::vector<std::string> PresetOutputOptions(const TCurrentPreset& APreset, TOutputOptions& AOptions);
