// The output settings dialog's tables: every format, option row, option list and
// parameter row against the dialog's formats written out in full, and the tables'
// own rules (defaults inside their lists, audio-only rows, texts shared with the
// preset catalogue).
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "ExpectedOutputFormats.h"
#include "app/output/OutputFormats.h"
#include "app/output/OutputOptionTables.h"
#include "app/output/OutputParameters.h"
#include "app/presets/OptionRows.h"
#include "app/presets/PresetCategories.h"

namespace {

using expected_output::Formats;

TEST(OutputTables, CategoriesAreTwelveWithTheirFormatCounts)
{
    const std::pair<const char*, int> expected[] = {
        {"常用视频", 15}, {"常用音频", 13}, {"HD视频", 10}, {"iPod视频", 14}, {"iPhone视频", 6}, {"PSP视频", 5},
        {"3GP视频", 14}, {"APPLE视频", 5}, {"XboX视频", 10}, {"PMP视频", 8},  {"MP4视频", 5},     {"Flash视频", 4}};
    ASSERT_EQ(OutputCategories().size(), std::size(expected));
    auto items = OutputCategoryItems();
    for (int code = 0; code < OutputCategoryCount; ++code) {
        EXPECT_EQ(OutputCategories()[code].ItemIndex, code);
        EXPECT_EQ(OutputCategories()[code].Caption, expected[code].first);
        EXPECT_EQ(OutputCategories()[code].ImageIndex, code);
        EXPECT_EQ(items[code].Title, "") << "the category list shows no titles";
        EXPECT_EQ(items[code].Caption, expected[code].first);
        EXPECT_EQ(static_cast<int>(OutputFormatItems(code).size()), expected[code].second) << code;
    }
    EXPECT_TRUE(OutputFormatItems(-1).empty());
    EXPECT_TRUE(OutputFormatItems(12).empty());
    EXPECT_EQ(OutputFormats().size(), 109u);
}

TEST(OutputTables, EveryFormatHasItsItemOptionRowAndParameters)
{
    ASSERT_EQ(Formats().size(), OutputFormats().size());
    ASSERT_EQ(OutputOptionRows().size(), Formats().size()) << "one option row per format and no other";
    ASSERT_EQ(OutputParameterRows().size(), Formats().size()) << "one parameter row per format and no other";
    for (const auto& e : Formats()) {
        SCOPED_TRACE(e.Key);
        const TOutputFormat* format = FindOutputFormat(e.Key);
        ASSERT_NE(format, nullptr);
        EXPECT_EQ(format->Item.Title, e.Title);
        EXPECT_EQ(format->Item.Caption, e.Caption);
        EXPECT_EQ(format->Item.ImageIndex, e.ImageIndex);
        // The position in the category's list is the key's format index.
        auto items = OutputFormatItems(CategoryCodeOfKey(e.Key));
        ASSERT_LT(FormatIndexOfKey(e.Key), static_cast<int>(items.size()));
        EXPECT_EQ(items[FormatIndexOfKey(e.Key)].Title, e.Title);

        const TOptionRow* row = FindOutputOptionRow(e.Key);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->Title, e.Title);
        EXPECT_EQ(row->AudioOnly, e.AudioOnly);
        for (int slot = 0; slot < OptionKindCount; ++slot) {
            const TOptionCell& cell = row->Cells[slot];
            EXPECT_EQ(cell.List->Name, e.Cells[slot].List) << "slot " << slot;
            EXPECT_EQ(cell.DefaultIndex, e.Cells[slot].Index) << "slot " << slot;
            ASSERT_LT(cell.DefaultIndex, static_cast<int>(cell.List->Entries.size()));
            EXPECT_EQ(cell.List->Entries[cell.DefaultIndex], e.Cells[slot].Text) << "slot " << slot;
            EXPECT_EQ(cell.DefaultText, e.Cells[slot].Text) << "slot " << slot;
        }

        const TOutputParameters* p = FindOutputParameters(e.Key);
        ASSERT_NE(p, nullptr);
        const auto& x = e.Parameters;
        EXPECT_EQ(p->NameExtension, x.NameExtension);
        auto text = [](const std::optional<std::string>& got, const expected_output::TText& want, const char* name) {
            EXPECT_EQ(got.has_value(), want.Written) << name;
            if (got && want.Written) {
                EXPECT_EQ(*got, want.Value) << name;
            }
        };
        auto number = [](const std::optional<int>& got, const expected_output::TNumber& want, const char* name) {
            EXPECT_EQ(got.has_value(), want.Written) << name;
            if (got && want.Written) {
                EXPECT_EQ(*got, want.Value) << name;
            }
        };
        text(p->FileExt, x.FileExt, "FileExt");
        text(p->VideoCodec, x.VideoCodec, "VideoCodec");
        text(p->VideoTag, x.VideoTag, "VideoTag");
        text(p->FrameSize, x.FrameSize, "FrameSize");
        text(p->FrameRate, x.FrameRate, "FrameRate");
        text(p->FrameAspectRatio, x.FrameAspectRatio, "FrameAspectRatio");
        number(p->VideoBitrate, x.VideoBitrate, "VideoBitrate");
        text(p->AudioCodec, x.AudioCodec, "AudioCodec");
        text(p->AudioChannels, x.AudioChannels, "AudioChannels");
        text(p->AudioSampleRate, x.AudioSampleRate, "AudioSampleRate");
        number(p->AudioBitrate, x.AudioBitrate, "AudioBitrate");
        text(p->VideoFilters, x.VideoFilters, "VideoFilters");
        text(p->AudioVolume, x.AudioVolume, "AudioVolume");
        text(p->NormType, x.NormType, "NormType");
        text(p->CopyTimestamp, x.CopyTimestamp, "CopyTimestamp");
        text(p->FileFormat, x.FileFormat, "FileFormat");
        text(p->TargetType, x.TargetType, "TargetType");
        EXPECT_EQ(p->DisableVideo.has_value(), x.AudioOnly);
        if (p->DisableVideo) {
            EXPECT_TRUE(*p->DisableVideo);
        }
        EXPECT_EQ(x.AudioOnly, e.AudioOnly) << "parameters and option row agree on the video";
    }
}

TEST(OutputTables, TextsAreKeptAsTheDialogShowsThem)
{
    EXPECT_EQ(FindOutputFormat(202)->Item.Title, "WAV - 波形音频格式(*.wav) ");
    EXPECT_EQ(FindOutputFormat(211)->Item.Title, "ALAC-Apple Lossless无损音频格式(*.alac) ");
    EXPECT_EQ(FindOutputFormat(702)->Item.Title, "3GPP2 -  第三代合作项目2-3G2视频+AMR音频(*.3g2))");
    EXPECT_EQ(FindOutputFormat(300)->Item.ImageIndex, 20);
    EXPECT_EQ(FindOutputFormat(301)->Item.ImageIndex, 21);
    EXPECT_EQ(FindOutputFormat(901)->Item.Title, FindOutputFormat(902)->Item.Title);
    EXPECT_EQ(FindOutputFormat(901)->Item.Caption, FindOutputFormat(902)->Item.Caption);
    EXPECT_NE(FindOutputFormat(907)->Item.Caption, FindOutputFormat(909)->Item.Caption);
    // Values no encoder takes stay as the dialog writes them.
    EXPECT_EQ(*FindOutputParameters(408)->VideoBitrate, 7680000);
    EXPECT_EQ(*FindOutputParameters(700)->AudioCodec, "libamr_nb");
    EXPECT_EQ(*FindOutputParameters(909)->VideoCodec, "msmpeg4v1");
    EXPECT_EQ(*FindOutputParameters(211)->FileExt, ".alac");
    // The iPod rows in format order: 411 is the wide one, 413 the 480*320 one.
    EXPECT_EQ(*FindOutputParameters(411)->FrameAspectRatio, "16:9");
    EXPECT_EQ(*FindOutputParameters(412)->FrameSize, "320*240");
    EXPECT_EQ(*FindOutputParameters(413)->FrameSize, "480*320");
}

TEST(OutputTables, OptionListsFollowTheirRules)
{
    const auto& lists = OutputOptionLists();
    EXPECT_EQ(lists.size(), 50u);
    std::map<TOptionKind, int> perKind;
    std::set<std::string> distinct;
    size_t entries = 0;
    std::set<std::string> used;
    for (const auto& row : OutputOptionRows())
        for (const auto& cell : row.Cells)
            used.insert(cell.List->Name);
    for (const auto& list : lists) {
        SCOPED_TRACE(list.Name);
        ++perKind[list.Kind];
        entries += list.Entries.size();
        distinct.insert(list.Entries.begin(), list.Entries.end());
        EXPECT_EQ(std::set<std::string>(list.Entries.begin(), list.Entries.end()).size(), list.Entries.size())
            << "no list holds an entry twice";
        EXPECT_TRUE(used.count(list.Name)) << "every list is used";
        std::string_view shared = SharedOptionListName(list);
        if (!shared.empty()) {
            const TOptionList* source = FindOptionList(shared);
            ASSERT_NE(source, nullptr);
            EXPECT_EQ(source->Kind, list.Kind);
            EXPECT_EQ(source->Entries, list.Entries);
        }
    }
    EXPECT_EQ(entries, 409u);
    EXPECT_EQ(distinct.size(), 131u);
    EXPECT_EQ(perKind[TOptionKind::FrameSize], 19);
    EXPECT_EQ(perKind[TOptionKind::VideoBitrate], 10);
    EXPECT_EQ(perKind[TOptionKind::FrameRate], 7);
    EXPECT_EQ(perKind[TOptionKind::AudioBitrate], 6);
    EXPECT_EQ(perKind[TOptionKind::SampleRate], 5);
    EXPECT_EQ(perKind[TOptionKind::Aspect], 3);
    // Lists the dialog alone has, and a shared one.
    EXPECT_TRUE(SharedOptionListName(*FindOutputOptionList("DR12")).empty());
    EXPECT_EQ(FindOutputOptionList("DR12")->Entries[1], "1440*1080");
    EXPECT_EQ(SharedOptionListName(*FindOutputOptionList("DR19")), "SIZE5");
    EXPECT_EQ(FindOutputOptionList("DR19")->Entries.back(), "1024*768");
}

TEST(OutputTables, RowsFollowTheirRules)
{
    int previous = 0;
    for (const auto& row : OutputOptionRows()) {
        SCOPED_TRACE(row.Key);
        EXPECT_GT(row.Key, previous) << "rows in key order";
        previous = row.Key;
        bool noVideoLists = row.Cell(TOptionKind::FrameSize).List->Name == "DR3" &&
                            row.Cell(TOptionKind::VideoBitrate).List->Name == "DVB6" &&
                            row.Cell(TOptionKind::FrameRate).List->Name == "DFR3" &&
                            row.Cell(TOptionKind::Aspect).List->Name == "DAM3";
        EXPECT_EQ(row.AudioOnly, noVideoLists);
        // The rows the dialog shares with the main window equal the catalogue's cell for cell.
        if (const TOptionRow* main = FindOptionRow(row.Key)) {
            for (int slot = 0; slot < OptionKindCount; ++slot) {
                EXPECT_EQ(main->Cells[slot].List->Entries, row.Cells[slot].List->Entries);
                EXPECT_EQ(main->Cells[slot].DefaultIndex, row.Cells[slot].DefaultIndex);
            }
            EXPECT_EQ(main->AudioOnly, row.AudioOnly);
        }
    }
    EXPECT_EQ(FindOutputOptionRow(115), nullptr);
    EXPECT_EQ(FindOutputOptionRow(1300), nullptr);
    EXPECT_EQ(FindOutputOptionRow(99), nullptr);
}

} // namespace
