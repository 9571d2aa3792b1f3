#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "app/presets/PresetData.h"

// The output settings dialog keeps its own copy of the preset tables as data files
// (app/output/data/*.tsv), embedded by the build like the preset catalogue's and read
// with the same table reader. Where a table of the dialog equals one of the catalogue,
// the dialog's file names the catalogue's instead of repeating it.
extern const TPresetDataFile OutputDataFiles[];
extern const size_t OutputDataFileCount;

// The records of an embedded table of the dialog; throws Exception when it is absent.
TPresetTable ReadOutputTable(std::string_view name);

// Throws Exception saying what is wrong with a table of the dialog.
[[noreturn]] void OutputTableFault(std::string_view table, const std::string& what);
