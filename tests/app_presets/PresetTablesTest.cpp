// The preset tables as data: the category map, the format titles, and a walk over every
// option row and every option list.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/presets/OptionReadBack.h"
#include "app/presets/OptionRows.h"
#include "app/presets/PresetCategories.h"
#include "app/presets/PresetFormats.h"

namespace {

struct TCategoryCase {
    int Item;
    const char* Caption;
    int Code;
    int FirstKey;
    int Formats;
};

const TCategoryCase CategoryCases[] = {
    {0, "MPG视频", 13, 1400, 11},   {1, "常用视频", 0, 100, 15},    {2, "HD视频", 2, 300, 10},
    {3, "AVI视频", 15, 1600, 7},    {4, "VOB视频", 20, 2100, 6},    {5, "MTS视频", 21, 2200, 13},
    {6, "MOD视频", 22, 2300, 13},   {7, "MKV视频", 16, 1700, 7},    {8, "Flash视频", 11, 1200, 4},
    {9, "iPad视频", 12, 1300, 11},  {10, "WMV视频", 17, 1800, 7},   {11, "MP4视频", 10, 1100, 5},
    {12, "ASF视频", 18, 1900, 7},   {13, "智能手机", 31, 3200, 16}, {14, "常用音频", 1, 200, 13},
};

TEST(PresetCategories, MapItemsToCodesKeysAndFormatCounts)
{
    ASSERT_EQ(PresetCategories().size(), 15u);
    for (const auto& c : CategoryCases) {
        SCOPED_TRACE(c.Caption);
        EXPECT_EQ(PresetCategories()[c.Item].Caption, c.Caption);
        EXPECT_FALSE(PresetCategories()[c.Item].Description.empty());
        EXPECT_EQ(CategoryCodeOfItem(c.Item), c.Code);
        EXPECT_EQ(CategoryItemOfCode(c.Code), c.Item);
        EXPECT_EQ(PresetKey(c.Code, 0), c.FirstKey);
        EXPECT_EQ(FormatCount(c.Code), c.Formats);
        auto items = FormatItemsOfCategory(c.Code);
        ASSERT_EQ(static_cast<int>(items.size()), c.Formats);
        for (int i = 0; i < c.Formats; ++i) {
            EXPECT_EQ(items[i].ImageIndex, c.Code);  // the category's picture
            EXPECT_FALSE(items[i].Caption.empty()) << "no description for key " << c.FirstKey + i;
        }
    }
    EXPECT_EQ(CategoryCodeOfItem(-1), -1);
    EXPECT_EQ(CategoryCodeOfItem(15), -1);
    EXPECT_EQ(CategoryItemOfCode(3), -1);  // a code that no item offers
}

TEST(PresetFormats, TitlesCoverTheWholeCatalogue)
{
    int total = 0;
    for (int code = 0; code < PresetCategoryCodeCount; ++code) {
        EXPECT_GT(FormatCount(code), 0) << "code " << code;
        EXPECT_LE(FormatCount(code), 16) << "code " << code;
        total += FormatCount(code);
    }
    EXPECT_EQ(total, 320);
    EXPECT_EQ(FormatTitle(100), "AVI - 音频视频交错格式(*.avi)");
    EXPECT_EQ(FormatTitle(700), "3GPP -  第三代合作项目-3GP视频+AMR音频(*.3gp)");  // two blanks kept
    EXPECT_EQ(FormatTitle(300), FormatTitle(301));  // two presets, one title
    EXPECT_EQ(FormatTitle(3512), "高清晰MPG格式视频(*.mpg)");
    EXPECT_EQ(FormatTitle(115), "");
    EXPECT_EQ(FormatDescription(1202), FormatDescription(1200) + "(音频格式)");
}

TEST(PresetFormats, ExtensionComesFromTheTitle)
{
    const std::pair<int, const char*> cases[] = {
        {100, ".avi"}, {209, ".mp2"}, {210, ".flac"}, {208, ".aiff"}, {114, ".rm"},
        {206, ".ra"},  {109, ".3gp"}, {307, ".vob"},  {1302, ".mp4"}, {702, ".3g2"},
    };
    for (const auto& [key, extension] : cases)
        EXPECT_EQ(ExtensionOfTitle(FormatTitle(key)), extension) << key;
    // Every title of the catalogue names its extension.
    for (int code = 0; code < PresetCategoryCodeCount; ++code)
        for (int i = 0; i < FormatCount(code); ++i)
            EXPECT_FALSE(ExtensionOfTitle(FormatTitle(PresetKey(code, i))).empty()) << PresetKey(code, i);
    EXPECT_EQ(ExtensionOfTitle("no extension"), "");
    EXPECT_EQ(ReplaceExtension("clip.mkv", ".avi"), "clip.avi");
    EXPECT_EQ(ReplaceExtension("a.b.mkv", ".avi"), "a.b.avi");
    EXPECT_EQ(ReplaceExtension("clip", ".avi"), "clip.avi");
    EXPECT_EQ(ReplaceExtension(".hidden", ".avi"), ".hidden.avi");
}

bool IsNoVideoList(const TOptionList* list)
{
    return list->Name == "SIZE3" || list->Name == "VBR6" || list->Name == "FPS3" || list->Name == "ASPECT3";
}

TEST(OptionRows, EveryRowHoldsTogether)
{
    std::set<std::string> used;
    std::map<int, int> rowsPerCode;
    for (const auto& row : OptionRows()) {
        SCOPED_TRACE(row.Key);
        int code = CategoryCodeOfKey(row.Key);
        ASSERT_GE(CategoryItemOfCode(code), 0) << "a row outside the offered categories";
        EXPECT_EQ(FormatIndexOfKey(row.Key), rowsPerCode[code]++) << "keys run from format index 0 without a gap";
        EXPECT_EQ(row.Title, FormatTitle(row.Key));
        int noVideo = 0;
        for (int slot = 0; slot < OptionKindCount; ++slot) {
            const TOptionCell& cell = row.Cells[slot];
            ASSERT_NE(cell.List, nullptr);
            EXPECT_EQ(cell.List->Kind, static_cast<TOptionKind>(slot));
            ASSERT_GE(cell.DefaultIndex, 0);
            ASSERT_LT(cell.DefaultIndex, static_cast<int>(cell.List->Entries.size())) << cell.List->Name;
            EXPECT_EQ(cell.List->Entries[cell.DefaultIndex], cell.DefaultText) << cell.List->Name;
            noVideo += IsNoVideoList(cell.List);
            used.insert(cell.List->Name);
        }
        // Audio-only exactly when the four video combos get the no-video lists.
        EXPECT_EQ(noVideo, row.AudioOnly ? 4 : 0);
        if (row.AudioOnly) {
            EXPECT_EQ(row.Cell(TOptionKind::FrameSize).List->Name, "SIZE3");
            EXPECT_EQ(row.Cell(TOptionKind::VideoBitrate).List->Name, "VBR6");
            EXPECT_EQ(row.Cell(TOptionKind::FrameRate).List->Name, "FPS3");
            EXPECT_EQ(row.Cell(TOptionKind::Aspect).List->Name, "ASPECT3");
        }
    }
    EXPECT_EQ(OptionRows().size(), 145u);
    for (const auto& c : CategoryCases)
        EXPECT_EQ(rowsPerCode[c.Code], c.Formats) << c.Caption << ": one row per format";
    // Every list serves some row.
    for (const auto& list : OptionLists())
        EXPECT_TRUE(used.count(list.Name)) << list.Name << " is never used";
    EXPECT_EQ(FindOptionRow(115), nullptr);
    EXPECT_EQ(FindOptionRow(1399), nullptr);
    EXPECT_EQ(FindOptionRow(400), nullptr);  // formats of unoffered codes have no row
    ASSERT_NE(FindOptionRow(3215), nullptr);
    EXPECT_TRUE(FindOptionRow(3215)->AudioOnly);
}

TEST(OptionLists, EveryEntryIsReadBackAndUnique)
{
    const std::pair<const char*, int> kinds[] = {{"SIZE", 10}, {"VBR", 18}, {"FPS", 6},
                                                 {"ABR", 5},   {"HZ", 6},   {"ASPECT", 3}};
    for (int slot = 0; slot < OptionKindCount; ++slot) {
        int count = 0;
        for (const auto& list : OptionLists()) {
            if (list.Kind != static_cast<TOptionKind>(slot))
                continue;
            ++count;
            EXPECT_EQ(list.Name, kinds[slot].first + std::to_string(count)) << "lists of a kind are numbered in order";
            std::set<std::string> seen;
            for (const auto& entry : list.Entries) {
                EXPECT_TRUE(seen.insert(entry).second) << list.Name << " holds " << entry << " twice";
                EXPECT_TRUE(!entry.empty() && entry.front() != ' ' && entry.back() != ' ') << entry;
                TCurrentPreset preset;
                preset.Video_FrameAspectRatio = "unchanged";
                EXPECT_TRUE(ReadOptionInto(list.Kind, entry, preset)) << list.Name << ": " << entry;
                if (list.Kind == TOptionKind::Aspect) {
                    EXPECT_NE(preset.Video_FrameAspectRatio, "unchanged") << entry;
                }
            }
        }
        EXPECT_EQ(count, kinds[slot].second) << kinds[slot].first;
    }
}

TEST(OptionLists, EntriesSitWhereRowsAndCodesExpectThem)
{
    const struct {
        const char* List;
        int Index;
        const char* Entry;
        int Count;
    } cases[] = {
        {"SIZE1", 25, "1920*1440", 28}, {"SIZE1", 27, "2560*1600", 28}, {"SIZE9", 25, "2048*1536", 27},
        {"SIZE8", 2, "176*144", 27},    {"SIZE8", 3, "160*120", 27},    {"SIZE10", 24, "1920*1080", 25},
        {"ABR3", 4, "7.4 kbps", 8},     {"ABR5", 6, "116 kbps", 8},     {"FPS1", 7, "23.97", 12},
        {"FPS5", 1, "23.98", 6},        {"HZ2", 0, "8000", 1},          {"ASPECT2", 1, "普通视频4:3模式", 2},
    };
    for (const auto& c : cases) {
        const TOptionList* list = FindOptionList(c.List);
        ASSERT_NE(list, nullptr) << c.List;
        ASSERT_EQ(static_cast<int>(list->Entries.size()), c.Count) << c.List;
        EXPECT_EQ(list->Entries[c.Index], c.Entry) << c.List;
    }
    EXPECT_EQ(FindOptionList("SIZE11"), nullptr);
}

} // namespace
