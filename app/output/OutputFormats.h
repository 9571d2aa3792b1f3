#pragma once
#include <string>
#include <vector>

#include "app/presets/PresetFormats.h"

// The output settings dialog's category list: twelve items whose index is itself the
// category code (no map between them, unlike the main window's list).
struct TOutputCategory {
    int ItemIndex = 0;
    std::string Caption;  // "常用视频"
    int ImageIndex = 0;
};

constexpr int OutputCategoryCount = 12;

const std::vector<TOutputCategory>& OutputCategories();

// The category items as the dialog's category list shows them (captions only, no titles).
std::vector<TPresetListItem> OutputCategoryItems();

// One format of the dialog: its preset key and the item its format list shows.
struct TOutputFormat {
    int Key = 0;
    TPresetListItem Item;
};

// The dialog's 109 formats in key order.
const std::vector<TOutputFormat>& OutputFormats();

// The format of a key, or nullptr.
const TOutputFormat* FindOutputFormat(int key);

// The format list of a category code in format order; empty for a code outside 0 to 11.
std::vector<TPresetListItem> OutputFormatItems(int categoryCode);
