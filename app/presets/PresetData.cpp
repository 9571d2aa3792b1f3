#include "app/presets/PresetData.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"

std::string_view PresetDataText(std::string_view name)
{
    for (size_t i = 0; i < PresetDataFileCount; ++i)
        if (name == PresetDataFiles[i].Name)
            return PresetDataFiles[i].Text;
    throw Exception("The preset table " + std::string(name) + " is missing from the build");
}

TPresetTable ReadPresetTable(std::string_view name)
{
    return ParsePresetTable(PresetDataText(name));
}

TPresetTable ParsePresetTable(std::string_view text)
{
    TPresetTable table;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        std::vector<std::string> fields;
        size_t from = 0;
        for (;;) {
            size_t tab = line.find('\t', from);
            fields.emplace_back(line.substr(from, tab == std::string_view::npos ? line.npos : tab - from));
            if (tab == std::string_view::npos)
                break;
            from = tab + 1;
        }
        table.push_back(std::move(fields));
    }
    return table;
}

std::vector<std::string> PresetTableNames(std::string_view prefix)
{
    std::vector<std::string> names;
    for (size_t i = 0; i < PresetDataFileCount; ++i) {
        std::string_view name = PresetDataFiles[i].Name;
        if (name.substr(0, prefix.size()) == prefix)
            names.emplace_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

int PresetTableInt(std::string_view table, const std::string& field)
{
    int value = 0;
    bool digits = !field.empty() && std::all_of(field.begin(), field.end(), [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
    if (!digits || !TryStrToInt(field, value))
        throw Exception("The preset table " + std::string(table) + " holds \"" + field + "\" where a number belongs");
    return value;
}
