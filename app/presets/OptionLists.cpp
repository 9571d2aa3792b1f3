#include "app/presets/OptionLists.h"

#include "app/presets/PresetData.h"
#include "platform/core/Exception.h"

namespace {

// One table per kind, in fill order.
constexpr std::array<const char*, OptionKindCount> ListTables = {
    "option_lists_frame_size.tsv", "option_lists_video_bitrate.tsv", "option_lists_frame_rate.tsv",
    "option_lists_audio_bitrate.tsv", "option_lists_sample_rate.tsv", "option_lists_aspect.tsv"};

std::vector<TOptionList> LoadLists()
{
    std::vector<TOptionList> lists;
    for (int slot = 0; slot < OptionKindCount; ++slot) {
        for (auto& fields : ReadPresetTable(ListTables[slot])) {
            if (fields.size() < 2)
                throw Exception(std::string("The preset table ") + ListTables[slot] + " holds a list without entries");
            TOptionList list;
            list.Name = fields[0];
            list.Kind = static_cast<TOptionKind>(slot);
            list.Entries.assign(fields.begin() + 1, fields.end());
            // The option code keeps an entry's index in two digits.
            if (list.Entries.size() > 100)
                throw Exception("The option list " + list.Name + " holds more than 100 entries");
            lists.push_back(std::move(list));
        }
    }
    return lists;
}

} // namespace

const std::vector<TOptionList>& OptionLists()
{
    static const std::vector<TOptionList> lists = LoadLists();
    return lists;
}

const TOptionList* FindOptionList(std::string_view name)
{
    for (const auto& list : OptionLists())
        if (list.Name == name)
            return &list;
    return nullptr;
}
