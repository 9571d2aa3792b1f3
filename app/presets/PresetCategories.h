#pragma once
#include <string>
#include <vector>

// The category list of the main window: fifteen fixed items, each standing for one
// category code of the catalogue (codes 0 to 34; the other twenty are never offered).
struct TPresetCategory {
    int ItemIndex = 0;
    std::string Caption;      // "MPG视频"
    int Code = 0;             // also the index of the category's pictures
    std::string Description;  // the line shown under the caption
};

constexpr int PresetCategoryCount = 15;
constexpr int PresetCategoryCodeCount = 35;

// The fifteen items in item order.
const std::vector<TPresetCategory>& PresetCategories();

// The category map: the code of a category list item, or -1 for an index outside the list.
int CategoryCodeOfItem(int itemIndex);

// The category list item of a code, or -1 when no item offers the code.
int CategoryItemOfCode(int code);

// Preset key = 100 × (category code + 1) + format index.
inline int PresetKey(int categoryCode, int formatIndex) { return 100 * (categoryCode + 1) + formatIndex; }
inline int CategoryCodeOfKey(int key) { return key / 100 - 1; }
inline int FormatIndexOfKey(int key) { return key % 100; }
