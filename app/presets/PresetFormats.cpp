#include "app/presets/PresetFormats.h"

#include <map>

#include "app/presets/PresetCategories.h"
#include "app/presets/PresetData.h"
#include "platform/core/Exception.h"

namespace {

std::map<int, std::string> LoadKeyedTexts(const char* name)
{
    std::map<int, std::string> texts;
    for (const auto& fields : ReadPresetTable(name)) {
        if (fields.size() != 2)
            throw Exception(std::string("The preset table ") + name + " holds a line without two fields");
        int key = PresetTableInt(name, fields[0]);
        if (!texts.emplace(key, fields[1]).second)
            throw Exception(std::string("The preset table ") + name + " holds key " + fields[0] + " twice");
    }
    return texts;
}

const std::map<int, std::string>& Titles()
{
    static const std::map<int, std::string> titles = [] {
        auto texts = LoadKeyedTexts("format_titles.tsv");
        // Every category's keys run from its format index 0 without a gap.
        for (const auto& [key, title] : texts)
            if (FormatIndexOfKey(key) > 0 && !texts.count(key - 1))
                throw Exception("The format titles skip the key before " + std::to_string(key));
        return texts;
    }();
    return titles;
}

const std::map<int, std::string>& Descriptions()
{
    static const std::map<int, std::string> descriptions = LoadKeyedTexts("format_descriptions.tsv");
    return descriptions;
}

std::string Lookup(const std::map<int, std::string>& texts, int key)
{
    auto it = texts.find(key);
    return it == texts.end() ? std::string() : it->second;
}

} // namespace

std::string FormatTitle(int key)
{
    return Lookup(Titles(), key);
}

std::string FormatDescription(int key)
{
    return Lookup(Descriptions(), key);
}

int FormatCount(int categoryCode)
{
    if (categoryCode < 0 || categoryCode >= PresetCategoryCodeCount)
        return 0;
    int count = 0;
    while (Titles().count(PresetKey(categoryCode, count)))
        ++count;
    return count;
}

std::vector<TPresetListItem> FormatItemsOfCategory(int categoryCode)
{
    std::vector<TPresetListItem> items;
    for (int index = 0, count = FormatCount(categoryCode); index < count; ++index) {
        int key = PresetKey(categoryCode, index);
        items.push_back({FormatTitle(key), FormatDescription(key), categoryCode});
    }
    return items;
}

std::vector<TPresetListItem> CategoryListItems()
{
    std::vector<TPresetListItem> items;
    for (const auto& category : PresetCategories())
        items.push_back({category.Caption, category.Description, category.Code});
    return items;
}

std::string ExtensionOfTitle(const std::string& title)
{
    // Titles end in "(*.ext)"; the extension is what lies between "(*" and the closing ")".
    if (title.empty() || title.back() != ')')
        return {};
    size_t open = title.rfind("(*.");
    if (open == std::string::npos)
        return {};
    std::string extension = title.substr(open + 2, title.size() - open - 3);
    if (extension.size() < 2 || extension.find_first_of("()*/ ") != std::string::npos)
        return {};
    return extension;
}

std::string ReplaceExtension(const std::string& fileName, const std::string& extension)
{
    size_t slash = fileName.find_last_of('/');
    size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == 0 ||
        (slash != std::string::npos && dot == slash + 1))
        return fileName + extension;
    return fileName.substr(0, dot) + extension;
}
