#include "app/output/OutputFormats.h"

#include <algorithm>

#include "app/output/OutputData.h"
#include "app/presets/PresetCategories.h"

namespace {

constexpr const char* CategoryTable = "categories.tsv";
constexpr const char* FormatTable = "formats.tsv";

std::vector<TOutputCategory> LoadCategories()
{
    std::vector<TOutputCategory> categories;
    for (const auto& fields : ReadOutputTable(CategoryTable)) {
        if (fields.size() != 3)
            OutputTableFault(CategoryTable, "holds a record without item, caption and picture");
        TOutputCategory category;
        category.ItemIndex = PresetTableInt(CategoryTable, fields[0]);
        category.Caption = fields[1];
        category.ImageIndex = PresetTableInt(CategoryTable, fields[2]);
        if (category.ItemIndex != static_cast<int>(categories.size()))
            OutputTableFault(CategoryTable, "lists its items out of order");
        categories.push_back(std::move(category));
    }
    if (categories.size() != OutputCategoryCount)
        OutputTableFault(CategoryTable, "holds no twelve categories");
    return categories;
}

// "=" stands for the catalogue's text of the same key, which must exist.
std::string SharedText(const std::string& field, int key, std::string (*catalogue)(int), const char* what)
{
    if (field != "=")
        return field;
    std::string text = catalogue(key);
    if (text.empty())
        OutputTableFault(FormatTable, std::string("shares the ") + what + " of " + std::to_string(key) +
                                          ", which the preset catalogue does not hold");
    return text;
}

std::vector<TOutputFormat> LoadFormats()
{
    std::vector<TOutputFormat> formats;
    for (const auto& fields : ReadOutputTable(FormatTable)) {
        if (fields.size() != 4)
            OutputTableFault(FormatTable, "holds a record without key, title, description and picture");
        TOutputFormat format;
        format.Key = PresetTableInt(FormatTable, fields[0]);
        format.Item.Title = SharedText(fields[1], format.Key, FormatTitle, "title");
        format.Item.Caption = SharedText(fields[2], format.Key, FormatDescription, "description");
        format.Item.ImageIndex = PresetTableInt(FormatTable, fields[3]);
        // Keys of a category run from its first key without a gap: the position in the
        // format list is the format index of the key.
        int expected = formats.empty() || CategoryCodeOfKey(formats.back().Key) != CategoryCodeOfKey(format.Key)
                           ? PresetKey(CategoryCodeOfKey(format.Key), 0)
                           : formats.back().Key + 1;
        int code = CategoryCodeOfKey(format.Key);
        if (format.Key != expected || code < 0 || code >= OutputCategoryCount ||
            (!formats.empty() && format.Key <= formats.back().Key))
            OutputTableFault(FormatTable, "holds the key " + std::to_string(format.Key) + " out of order");
        formats.push_back(std::move(format));
    }
    return formats;
}

} // namespace

const std::vector<TOutputCategory>& OutputCategories()
{
    static const std::vector<TOutputCategory> categories = LoadCategories();
    return categories;
}

std::vector<TPresetListItem> OutputCategoryItems()
{
    std::vector<TPresetListItem> items;
    for (const auto& category : OutputCategories())
        items.push_back({"", category.Caption, category.ImageIndex});
    return items;
}

const std::vector<TOutputFormat>& OutputFormats()
{
    static const std::vector<TOutputFormat> formats = LoadFormats();
    return formats;
}

const TOutputFormat* FindOutputFormat(int key)
{
    const auto& formats = OutputFormats();
    auto it = std::lower_bound(formats.begin(), formats.end(), key,
                               [](const TOutputFormat& format, int k) { return format.Key < k; });
    return it != formats.end() && it->Key == key ? &*it : nullptr;
}

std::vector<TPresetListItem> OutputFormatItems(int categoryCode)
{
    std::vector<TPresetListItem> items;
    if (categoryCode < 0 || categoryCode >= OutputCategoryCount)
        return items;
    for (int index = 0;; ++index) {
        const TOutputFormat* format = FindOutputFormat(PresetKey(categoryCode, index));
        if (!format)
            break;
        items.push_back(format->Item);
    }
    return items;
}
