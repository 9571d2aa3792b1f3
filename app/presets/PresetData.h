#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The preset tables are data files (app/presets/data/*.tsv) that the build embeds
// in the program: one table per file, one record per line, fields split by tabs,
// lines beginning with "#" and empty lines ignored.
struct TPresetDataFile {
    const char* Name;
    const char* Text;
};

extern const TPresetDataFile PresetDataFiles[];
extern const size_t PresetDataFileCount;

using TPresetTable = std::vector<std::vector<std::string>>;

// The text of an embedded table; throws Exception when the build holds none by that name.
std::string_view PresetDataText(std::string_view name);

// The records of an embedded table; throws Exception when it is absent.
TPresetTable ReadPresetTable(std::string_view name);

// The records of a table text.
TPresetTable ParsePresetTable(std::string_view text);

// Names of the embedded tables that begin with the prefix, in name order.
std::vector<std::string> PresetTableNames(std::string_view prefix);

// A whole decimal number of a table field; throws Exception naming the table otherwise.
int PresetTableInt(std::string_view table, const std::string& field);
