#pragma once
#include <array>
#include <string>
#include <vector>

#include "app/presets/CurrentPreset.h"
#include "app/presets/OutputName.h"
#include "app/presets/PresetParameterSet.h"

// The encoding parameters of every preset, as a table of data: one parameter
// set per preset key, 100 × (category code + 1) + format index.
//
// The main window's "apply the chosen preset" command is, in order:
// ApplyPresetForFile with the key of the two preset lists and the output
// folder's rule, then, when a job row is selected, PresetRowColumns into the
// row's columns 11 to 24. The add path then reads the option combos back and
// makes the job's output options with PresetOutputOptions (PresetToOptions.h).

// The set of a key; null for a key without one.
const TPresetParameters* FindPresetParameters(int AKey);
// Every key that has a set, ascending.
std::vector<int> PresetParameterKeys();
bool IsAudioOnlyPreset(int AKey);

// Resets the current preset and writes the set's fields into it (every field
// the set does not name keeps its reset value). The output name is not
// touched. False, with the preset only reset, for a key without a set.
bool ApplyPresetParameters(int AKey, TCurrentPreset& APreset);

// Applying a preset for the file being added: the reset, the key's set, then
// the output name of Video_AddFileName made by the rule, with the set's name
// extension. With no file being added the output name stays empty; a key
// without a set leaves the preset reset and gives false. Raises
// EOutputNameError when the added file's name gives no output name.
bool ApplyPresetForFile(int AKey, const TOutputNameRule& ARule, TCurrentPreset& APreset);

// Columns 11 to 24 of a job row ("视频编码" ... "NormType") as the current
// preset gives them.
std::array<std::string, 14> PresetRowColumns(const TCurrentPreset& APreset);
