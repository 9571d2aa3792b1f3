#include "app/output/OutputOptionTables.h"

#include <algorithm>
#include <map>
#include <string>

#include "app/output/OutputData.h"
#include "app/output/OutputFormats.h"
#include "app/presets/PresetCategories.h"

namespace {

constexpr const char* ListTable = "option_lists.tsv";
constexpr const char* RowTable = "option_rows.tsv";
constexpr const char* SharedRowTable = "option_rows_shared.tsv";

// The kind of a list by its name's prefix; the longest prefixes first, since "DR" begins "DR1".
bool KindOfName(const std::string& name, TOptionKind& kind)
{
    static const std::pair<const char*, TOptionKind> prefixes[] = {
        {"DVB", TOptionKind::VideoBitrate}, {"DFR", TOptionKind::FrameRate}, {"DAB", TOptionKind::AudioBitrate},
        {"DSR", TOptionKind::SampleRate},   {"DAM", TOptionKind::Aspect},    {"DR", TOptionKind::FrameSize}};
    for (const auto& [prefix, k] : prefixes) {
        std::string_view p = prefix;
        if (name.size() > p.size() && name.compare(0, p.size(), p) == 0 &&
            std::all_of(name.begin() + p.size(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            kind = k;
            return true;
        }
    }
    return false;
}

struct TListTables {
    std::vector<TOptionList> Lists;
    std::map<std::string, std::string, std::less<>> SharedName;  // dialog list -> catalogue list
};

const TListTables& Lists()
{
    static const TListTables tables = [] {
        TListTables t;
        for (const auto& fields : ReadOutputTable(ListTable)) {
            TOptionList list;
            if (fields.size() < 2 || !KindOfName(fields[0], list.Kind))
                OutputTableFault(ListTable, "holds a record that is no named list of entries");
            list.Name = fields[0];
            if (fields.size() == 2 && fields[1].size() > 1 && fields[1][0] == '=') {
                std::string shared = fields[1].substr(1);
                const TOptionList* source = FindOptionList(shared);
                if (!source || source->Kind != list.Kind)
                    OutputTableFault(ListTable, "shares the list " + shared +
                                                    ", which the preset catalogue holds for no such combo");
                list.Entries = source->Entries;
                t.SharedName[list.Name] = shared;
            } else {
                list.Entries.assign(fields.begin() + 1, fields.end());
            }
            if (list.Entries.size() > 100)
                OutputTableFault(ListTable, "holds more than 100 entries in " + list.Name);
            t.Lists.push_back(std::move(list));
        }
        std::stable_sort(t.Lists.begin(), t.Lists.end(), [](const TOptionList& a, const TOptionList& b) {
            return OptionSlot(a.Kind) < OptionSlot(b.Kind);
        });
        return t;
    }();
    return tables;
}

// The dialog's list that takes its entries from a catalogue list of the same kind.
const TOptionList* DialogListOfShared(const TOptionList& catalogueList)
{
    for (const auto& [dialogName, sharedName] : Lists().SharedName)
        if (sharedName == catalogueList.Name) {
            const TOptionList* list = FindOutputOptionList(dialogName);
            if (list && list->Kind == catalogueList.Kind)
                return list;
        }
    return nullptr;
}

std::vector<TOptionRow> LoadOptionRows()
{
    std::vector<TOptionRow> rows;
    for (const auto& fields : ReadOutputTable(RowTable)) {
        if (fields.size() != 2 + OptionKindCount)
            OutputTableFault(RowTable, "holds a row without key, six cells and video state");
        TOptionRow row;
        row.Key = PresetTableInt(RowTable, fields[0]);
        for (int slot = 0; slot < OptionKindCount; ++slot)
            row.Cells[slot] = ParseOptionCell(RowTable, fields[1 + slot], static_cast<TOptionKind>(slot),
                                              FindOutputOptionList, OutputTableFault);
        const std::string& video = fields.back();
        if (video != "enabled" && video != "disabled")
            OutputTableFault(RowTable, "holds \"" + video + "\" where enabled or disabled belongs");
        row.AudioOnly = video == "disabled";
        rows.push_back(std::move(row));
    }
    // The shared categories take the catalogue's rows of the same keys, cell for cell.
    for (const auto& fields : ReadOutputTable(SharedRowTable)) {
        if (fields.empty())
            OutputTableFault(SharedRowTable, "holds an empty record");
        int code = PresetTableInt(SharedRowTable, fields[0]);
        for (const auto& catalogueRow : OptionRows()) {
            if (CategoryCodeOfKey(catalogueRow.Key) != code)
                continue;
            TOptionRow row = catalogueRow;
            for (auto& cell : row.Cells) {
                cell.List = DialogListOfShared(*cell.List);
                if (!cell.List)
                    OutputTableFault(SharedRowTable, "shares the row " + std::to_string(row.Key) +
                                              ", whose lists the dialog's lists do not share");
            }
            rows.push_back(std::move(row));
        }
    }
    std::sort(rows.begin(), rows.end(), [](const TOptionRow& a, const TOptionRow& b) { return a.Key < b.Key; });
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0 && rows[i].Key == rows[i - 1].Key)
            OutputTableFault(RowTable, "holds two rows of the key " + std::to_string(rows[i].Key));
        const TOutputFormat* format = FindOutputFormat(rows[i].Key);
        if (!format)
            OutputTableFault(RowTable, "holds a row of the key " + std::to_string(rows[i].Key) +
                                           ", which names no format of the dialog");
        rows[i].Title = format->Item.Title;
    }
    return rows;
}

} // namespace

const std::vector<TOptionList>& OutputOptionLists()
{
    return Lists().Lists;
}

const TOptionList* FindOutputOptionList(std::string_view name)
{
    for (const auto& list : OutputOptionLists())
        if (list.Name == name)
            return &list;
    return nullptr;
}

std::string_view SharedOptionListName(const TOptionList& list)
{
    auto it = Lists().SharedName.find(list.Name);
    return it == Lists().SharedName.end() ? std::string_view() : std::string_view(it->second);
}

const std::vector<TOptionRow>& OutputOptionRows()
{
    static const std::vector<TOptionRow> rows = LoadOptionRows();
    return rows;
}

const TOptionRow* FindOutputOptionRow(int key)
{
    const auto& rows = OutputOptionRows();
    auto it = std::lower_bound(rows.begin(), rows.end(), key, [](const TOptionRow& row, int k) { return row.Key < k; });
    return it != rows.end() && it->Key == key ? &*it : nullptr;
}
