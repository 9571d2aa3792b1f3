#pragma once
#include <string>
#include <vector>

// One item of an office-style list: the category list and the format list both show
// a title, a description under it, and a picture chosen by index.
struct TPresetListItem {
    std::string Title;
    std::string Caption;
    int ImageIndex = -1;  // the category code: category and format pictures are drawn per code
};

// The title of a preset's format, such as "MPG标准视频(*.mpg)"; empty for a key the
// catalogue does not hold.
std::string FormatTitle(int key);

// The one-line description of a preset's format; empty where none is written.
std::string FormatDescription(int key);

// The number of formats of a category code (0 for a code outside the catalogue).
int FormatCount(int categoryCode);

// The format list of a category code in format order, as the format list shows it.
std::vector<TPresetListItem> FormatItemsOfCategory(int categoryCode);

// The category list's items in item order, as the category list shows them.
std::vector<TPresetListItem> CategoryListItems();

// The output extension a format title ends with: "(*.avi)" gives ".avi", "(*.flac)" ".flac".
// Empty when the title carries none.
std::string ExtensionOfTitle(const std::string& title);

// A file name with its extension replaced (or appended when it has none).
std::string ReplaceExtension(const std::string& fileName, const std::string& extension);
