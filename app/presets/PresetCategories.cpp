#include "app/presets/PresetCategories.h"

#include "app/presets/PresetData.h"
#include "platform/core/Exception.h"

namespace {

std::vector<TPresetCategory> LoadCategories()
{
    const char* name = "categories.tsv";
    std::vector<TPresetCategory> categories;
    for (const auto& fields : ReadPresetTable(name)) {
        if (fields.size() != 4)
            throw Exception(std::string("The preset table ") + name + " holds a line without four fields");
        TPresetCategory category;
        category.ItemIndex = PresetTableInt(name, fields[0]);
        category.Caption = fields[1];
        category.Code = PresetTableInt(name, fields[2]);
        category.Description = fields[3];
        if (category.ItemIndex != static_cast<int>(categories.size()) || category.Code < 0 ||
            category.Code >= PresetCategoryCodeCount)
            throw Exception(std::string("The preset table ") + name + " is out of order at \"" + fields[1] + "\"");
        categories.push_back(std::move(category));
    }
    if (categories.size() != PresetCategoryCount)
        throw Exception(std::string("The preset table ") + name + " does not hold fifteen categories");
    return categories;
}

} // namespace

const std::vector<TPresetCategory>& PresetCategories()
{
    static const std::vector<TPresetCategory> categories = LoadCategories();
    return categories;
}

int CategoryCodeOfItem(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= PresetCategoryCount)
        return -1;
    return PresetCategories()[itemIndex].Code;
}

int CategoryItemOfCode(int code)
{
    for (const auto& category : PresetCategories())
        if (category.Code == code)
            return category.ItemIndex;
    return -1;
}
