#include "app/presets/OptionRows.h"

#include <algorithm>
#include <map>

#include "app/presets/ComboModels.h"
#include "app/presets/PresetData.h"
#include "platform/core/Exception.h"

namespace {

[[noreturn]] void Fault(std::string_view table, const std::string& what)
{
    throw Exception("The preset table " + std::string(table) + " " + what);
}

std::vector<TOptionRow> LoadRows()
{
    std::vector<TOptionRow> rows;
    for (const auto& table : PresetTableNames("option_rows_")) {
        for (const auto& fields : ReadPresetTable(table)) {
            if (fields.size() != 3 + OptionKindCount)
                Fault(table, "holds a row without key, title, six cells and video state");
            TOptionRow row;
            row.Key = PresetTableInt(table, fields[0]);
            row.Title = fields[1];
            for (int slot = 0; slot < OptionKindCount; ++slot)
                row.Cells[slot] =
                    ParseOptionCell(table, fields[2 + slot], static_cast<TOptionKind>(slot), FindOptionList, Fault);
            const std::string& video = fields.back();
            if (video != "enabled" && video != "disabled")
                Fault(table, "holds \"" + video + "\" where enabled or disabled belongs");
            row.AudioOnly = video == "disabled";
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

const std::map<int, const TOptionRow*>& RowsByKey()
{
    static const std::map<int, const TOptionRow*> byKey = [] {
        std::map<int, const TOptionRow*> map;
        for (const auto& row : OptionRows())
            if (!map.emplace(row.Key, &row).second)
                throw Exception("Two option rows share the key " + std::to_string(row.Key));
        return map;
    }();
    return byKey;
}

} // namespace

void FillOptionCombos(const TOptionRow& row, const std::array<TOptionComboModel*, OptionKindCount>& combos)
{
    for (TOptionKind kind : OptionFillOrder) {
        const TOptionCell& cell = row.Cell(kind);
        TOptionComboModel& combo = *combos[OptionSlot(kind)];
        for (const auto& entry : cell.List->Entries)
            combo.AddItem(entry);
        combo.SetItemIndex(cell.DefaultIndex);
    }
}

TOptionCell ParseOptionCell(std::string_view table, const std::string& text, TOptionKind kind,
                            TOptionListFinder findList, TOptionTableFault fault)
{
    size_t first = text.find(' ');
    size_t second = first == std::string::npos ? std::string::npos : text.find(' ', first + 1);
    if (second == std::string::npos)
        fault(table, "holds the cell \"" + text + "\" without list, index and entry");
    TOptionCell cell;
    std::string name = text.substr(0, first);
    cell.List = findList(name);
    if (!cell.List || cell.List->Kind != kind)
        fault(table, "names the option list " + name + " where none of its kind exists");
    cell.DefaultIndex = PresetTableInt(table, text.substr(first + 1, second - first - 1));
    cell.DefaultText = text.substr(second + 1);
    return cell;
}

const std::vector<TOptionRow>& OptionRows()
{
    static const std::vector<TOptionRow> rows = LoadRows();
    return rows;
}

const TOptionRow* FindOptionRow(int key)
{
    auto it = RowsByKey().find(key);
    return it == RowsByKey().end() ? nullptr : it->second;
}

bool IsDiscTargetPreset(int key)
{
    static constexpr int keys[] = {111, 112, 113, 1408, 1409, 1410, 2210, 2211, 2212, 2310, 2311, 2312};
    return std::find(std::begin(keys), std::end(keys), key) != std::end(keys);
}

bool IsOptionFixed(const TOptionRow& row, TOptionKind kind)
{
    switch (kind) {
    case TOptionKind::FrameSize:
    case TOptionKind::VideoBitrate:
    case TOptionKind::FrameRate:
        return row.AudioOnly || IsDiscTargetPreset(row.Key);
    case TOptionKind::Aspect:
        return row.AudioOnly;
    case TOptionKind::SampleRate:
        return IsDiscTargetPreset(row.Key);
    case TOptionKind::AudioBitrate:
        return false;
    }
    return false;
}

bool IsOptionReadBack(const TOptionRow& row, TOptionKind kind)
{
    if (!IsDiscTargetPreset(row.Key))
        return true;
    return kind == TOptionKind::AudioBitrate || kind == TOptionKind::Aspect;
}
