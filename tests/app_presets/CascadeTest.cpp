// The preset cascade over the combo faces: the event rules of the two combo kinds, the
// fill of every offered preset, and what selecting and changing a job row does.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "ExpectedPresets.h"
#include "app/presets/JobRowCodes.h"
#include "app/presets/OptionReadBack.h"
#include "app/presets/PresetCascade.h"
#include "app/presets/PresetCategories.h"

namespace {

TEST(ComboModels, OptionComboRaisesOnlyWhenItsTextChanges)
{
    TMemoryOptionCombo combo;
    std::vector<std::pair<int, std::string>> seen;  // index and text as the handler sees them
    combo.OnChange = [&] { seen.emplace_back(combo.ItemIndex(), combo.Text()); };
    for (const char* entry : {"25.00", "29.97", "25.00"})
        combo.AddItem(entry);
    EXPECT_TRUE(seen.empty()) << "adding raises nothing";
    combo.SetItemIndex(0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], (std::pair<int, std::string>{0, "25.00"}));  // already the new entry
    combo.SetItemIndex(2);  // another index, the same text
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(combo.ItemIndex(), 2);
    combo.SetItemIndex(-1);
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(combo.Text(), "25.00");
    combo.SetEnabled(false);
    combo.SetEnabled(true);
    combo.SetItemIndex(1);
    EXPECT_EQ(seen.size(), 2u);
    combo.ClearItems();
    EXPECT_EQ(seen.size(), 2u) << "clearing raises nothing";
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), "29.97") << "clearing keeps the text";
    EXPECT_FALSE(combo.HasShownEntry());
    combo.SetItemIndex(0);  // nothing to select
    EXPECT_EQ(seen.size(), 2u);
}

TEST(ComboModels, PresetListRaisesOnEveryAssignment)
{
    TMemoryPresetListCombo combo;
    int changes = 0;
    combo.OnChange = [&] { ++changes; };
    combo.AddItem({"MPG视频", "", 13});
    combo.AddItem({"常用视频", "", 0});
    combo.SetItemIndex(1);
    combo.SetItemIndex(1);
    EXPECT_EQ(changes, 2) << "the same index again raises again";
    combo.ClearItems();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(combo.ItemIndex(), -1);
}

const char* const ComboNames[] = {"bsSkinComboBox1", "bsSkinComboBox2", "bsSkinComboBox9",
                                  "bsSkinComboBox3", "bsSkinComboBox10", "bsSkinComboBox4"};

using TEvents = std::vector<std::string>;

class PresetCascadeTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (int slot = 0; slot < OptionKindCount; ++slot) {
            Options[slot] = std::make_unique<TMemoryOptionCombo>(ComboNames[slot]);
            Options[slot]->OnRaise = [this](const std::string& name) { Events.push_back(name); };
        }
        TPresetCascade::FillCategoryList(Categories);
        Cascade = std::make_unique<TPresetCascade>(
            Categories, Formats,
            std::array<TOptionComboModel*, OptionKindCount>{Options[0].get(), Options[1].get(), Options[2].get(),
                                                             Options[3].get(), Options[4].get(), Options[5].get()},
            Preset);
        Cascade->SelectedRow = [this]() -> TPresetJobRow* { return Selected; };
        Cascade->ApplyPresetParameters = [this](int key, TCurrentPreset& preset, TPresetJobRow* row) {
            ApplyParameters(key, preset, row);
        };
        Cascade->Start();
    }

    // Stands in for the parameter table: values that differ in form and value from the
    // option defaults, as the table's do, written into the row's columns as well.
    void ApplyParameters(int key, TCurrentPreset& preset, TPresetJobRow* row)
    {
        ++ParameterRuns;
        preset.Reset();
        preset.Video_FrameRate = "25";
        preset.Video_VideoBitrate = 528000;
        preset.Video_AudioBitrate = 64000;
        preset.Video_AudioSampleRate = "32000";
        preset.Video_FrameSize = "320*240";
        if (IsDiscTargetPreset(key)) {
            preset.Video_TargetType = "dvd";
            preset.Video_FrameSize = "";
            preset.Video_FrameRate = "";
            preset.Video_AudioSampleRate = "";
            preset.Video_VideoBitrate = -1000;
            preset.Video_AudioBitrate = -1000;
        }
        if (row)
            for (TOptionKind kind : OptionFillOrder)
                row->SetSubItem(OptionValueColumn(kind), OptionFieldText(kind, preset));
    }

    TMemoryOptionCombo& Combo(TOptionKind kind) { return *Options[OptionSlot(kind)]; }

    // Selects a preset as the user does: the category (which applies its format 0), then the format.
    void Choose(int key)
    {
        int item = CategoryItemOfCode(CategoryCodeOfKey(key));
        ASSERT_GE(item, 0) << key;
        if (Categories.ItemIndex() != item)
            Categories.SetItemIndex(item);
        if (Formats.ItemIndex() != FormatIndexOfKey(key))
            Formats.SetItemIndex(FormatIndexOfKey(key));
        ASSERT_EQ(Cascade->CurrentKey(), key);
    }

    // A file added under the current preset, as the add path does it, then selected.
    std::unique_ptr<TMemoryJobRow> AddJob(const std::string& outputName)
    {
        auto row = std::make_unique<TMemoryJobRow>();
        row->SetSubItem(JobColumnOutputFile, outputName);
        ApplyParameters(Cascade->CurrentKey(), Preset, nullptr);
        EXPECT_TRUE(Cascade->ReadOptions());
        Cascade->WriteRow(*row);
        Select(row.get());
        return row;
    }

    void Select(TMemoryJobRow* row)
    {
        Selected = row;
        if (row)
            Cascade->SelectRow();
    }

    std::array<std::string, OptionKindCount> Texts()
    {
        std::array<std::string, OptionKindCount> texts;
        for (int slot = 0; slot < OptionKindCount; ++slot)
            texts[slot] = Options[slot]->Text();
        return texts;
    }

    TMemoryPresetListCombo Categories;
    TMemoryPresetListCombo Formats;
    std::array<std::unique_ptr<TMemoryOptionCombo>, OptionKindCount> Options;
    TCurrentPreset Preset;
    TEvents Events;
    TMemoryJobRow* Selected = nullptr;
    int ParameterRuns = 0;
    std::unique_ptr<TPresetCascade> Cascade;
};

TEST_F(PresetCascadeTest, StartUpFillsTheFirstPresetOfTheFirstCategory)
{
    EXPECT_EQ(Cascade->CurrentKey(), 1400);
    EXPECT_EQ(Formats.ItemCount(), 11);
    EXPECT_EQ(Formats.Item(0).Title, "MPG标准视频(*.mpg)");
    // Every text changes from empty, so each combo raises once, in fill order.
    EXPECT_EQ(Events, (TEvents{ComboNames, ComboNames + 6}));
    EXPECT_EQ(Texts(), (std::array<std::string, 6>{"保持原分辨率", "1000 kbps", "25.00", "128 kbps", "44100",
                                                    "保持原视频模式"}));
    for (const auto& combo : Options)
        EXPECT_TRUE(combo->Enabled()) << combo->Name();
    EXPECT_EQ(ParameterRuns, 0) << "no row, so no preset is applied";
}

bool VideoKind(TOptionKind kind)
{
    return kind != TOptionKind::AudioBitrate && kind != TOptionKind::SampleRate;
}

TEST_F(PresetCascadeTest, EveryOfferedPresetFillsItsListsAndReadsBack)
{
    std::map<int, const TExpectedPreset*> expected;
    for (const auto& preset : ExpectedPresets)
        expected[preset.Key] = &preset;
    int seen = 0;
    for (int item = 0; item < PresetCategoryCount; ++item) {
        Categories.SetItemIndex(item);
        for (int format = 0; format < Formats.ItemCount(); ++format) {
            Formats.SetItemIndex(format);
            int key = Cascade->CurrentKey();
            SCOPED_TRACE(key);
            ASSERT_EQ(key, PresetKey(CategoryCodeOfItem(item), format));
            ASSERT_TRUE(expected.count(key));
            const TExpectedPreset& e = *expected[key];
            ++seen;
            EXPECT_EQ(Formats.Item(format).ImageIndex, CategoryCodeOfItem(item));
            bool disc = IsDiscTargetPreset(key);
            for (TOptionKind kind : OptionFillOrder) {
                const TExpectedCell& cell = e.Cells[OptionSlot(kind)];
                TMemoryOptionCombo& combo = Combo(kind);
                EXPECT_EQ(combo.ItemCount(), cell.Count) << combo.Name();
                EXPECT_EQ(combo.ItemIndex(), cell.Index) << combo.Name();
                EXPECT_EQ(combo.Text(), cell.Text) << combo.Name();
                bool fixed = (e.AudioOnly && VideoKind(kind)) ||
                             (disc && kind != TOptionKind::AudioBitrate && kind != TOptionKind::Aspect);
                EXPECT_EQ(combo.Enabled(), !fixed) << combo.Name();
            }
            // Read back over a preset whose fields show what was not read.
            TCurrentPreset before;
            before.Video_FrameSize = before.Video_FrameRate = before.Video_AudioSampleRate = "before";
            before.Video_FrameAspectRatio = "before";
            before.Video_VideoBitrate = before.Video_AudioBitrate = 1;
            Preset = before;
            ASSERT_TRUE(Cascade->ReadOptions());
            for (TOptionKind kind : OptionFillOrder) {
                TCurrentPreset decoded;
                ASSERT_TRUE(ReadOptionInto(kind, e.Cells[OptionSlot(kind)].Text, decoded));
                bool read = !disc || kind == TOptionKind::AudioBitrate || kind == TOptionKind::Aspect;
                EXPECT_EQ(OptionFieldText(kind, Preset), OptionFieldText(kind, read ? decoded : before))
                    << ComboNames[OptionSlot(kind)];
            }
            if (e.AudioOnly) {
                EXPECT_EQ(Preset.Video_FrameSize, "");
                EXPECT_EQ(Preset.Video_VideoBitrate, -1000);
            }
        }
    }
    EXPECT_EQ(seen, 145);
}

TEST_F(PresetCascadeTest, KeyWithoutRowLeavesTheCombosEmptyAndEnabled)
{
    Choose(100);
    auto before = Texts();
    Events.clear();
    Formats.SetItemIndex(15);  // key 115: the category holds formats 0 to 14 only
    EXPECT_EQ(Cascade->CurrentKey(), 115);
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(Texts(), before) << "the texts stay";
    for (const auto& combo : Options) {
        EXPECT_EQ(combo->ItemCount(), 0);
        EXPECT_EQ(combo->ItemIndex(), -1);
        EXPECT_TRUE(combo->Enabled());
    }
    // Nothing is shown, so nothing is read back.
    Preset.Video_FrameSize = "640*480";
    EXPECT_TRUE(Cascade->ReadOptions());
    EXPECT_EQ(Preset.Video_FrameSize, "640*480");
}

TEST_F(PresetCascadeTest, ChangesRaiseOnlyForTextsThatDiffer)
{
    const struct {
        int From;
        int To;
        TEvents Raised;
    } cases[] = {
        {200, 100, {"bsSkinComboBox1", "bsSkinComboBox2", "bsSkinComboBox9", "bsSkinComboBox4"}},
        {100, 101, {"bsSkinComboBox2"}},
        {1400, 1400, {}},
        {1202, 1203, {}},
        {1309, 1307, {"bsSkinComboBox2"}},  // "25.00" at index 1 and at index 9: no event
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.From) + " to " + std::to_string(c.To));
        Choose(c.From);
        Events.clear();
        if (c.From == c.To)
            Formats.SetItemIndex(Formats.ItemIndex());
        else
            Choose(c.To);
        EXPECT_EQ(Events, c.Raised);
    }
    // The same format under MTS and MOD leaves the same lists and selections.
    Choose(2207);
    auto mts = Texts();
    auto mtsSizes = Combo(TOptionKind::FrameSize).Items();
    Choose(2307);
    EXPECT_EQ(Texts(), mts);
    EXPECT_EQ(Combo(TOptionKind::FrameSize).Items(), mtsSizes);
    // Refilled twice: one copy of each list; a user's pick goes back to the default.
    Choose(1400);
    Combo(TOptionKind::VideoBitrate).SetItemIndex(6);
    EXPECT_EQ(Combo(TOptionKind::VideoBitrate).Text(), "1600 kbps");
    Events.clear();
    Formats.SetItemIndex(0);
    EXPECT_EQ(Events, TEvents{"bsSkinComboBox2"});
    EXPECT_EQ(Combo(TOptionKind::FrameSize).ItemCount(), 28);
}

TEST_F(PresetCascadeTest, AudioOnlyPresetDisablesTheFourVideoCombos)
{
    Choose(212);
    EXPECT_FALSE(Combo(TOptionKind::FrameSize).Enabled());
    EXPECT_FALSE(Combo(TOptionKind::VideoBitrate).Enabled());
    EXPECT_FALSE(Combo(TOptionKind::FrameRate).Enabled());
    EXPECT_FALSE(Combo(TOptionKind::Aspect).Enabled());
    EXPECT_TRUE(Combo(TOptionKind::AudioBitrate).Enabled());
    EXPECT_TRUE(Combo(TOptionKind::SampleRate).Enabled());
    EXPECT_EQ(Combo(TOptionKind::AudioBitrate).Text(), "7.4 kbps");
    EXPECT_EQ(Combo(TOptionKind::SampleRate).Items(), std::vector<std::string>{"8000"});
    ASSERT_TRUE(Cascade->ReadOptions());
    EXPECT_EQ(Preset.Video_AudioBitrate, 7400);
}

TEST_F(PresetCascadeTest, ConversionLockHoldsThroughRowSelection)
{
    Choose(1202);
    auto first = AddJob("a.flv");
    Selected = nullptr;
    Choose(1400);
    auto second = AddJob("b.mpg");
    Cascade->SetLocked(true);
    Select(first.get());
    EXPECT_EQ(Cascade->CurrentKey(), 1202);
    for (const auto& combo : Options)
        EXPECT_FALSE(combo->Enabled()) << combo->Name() << " came free during a conversion";
    EXPECT_FALSE(Categories.Enabled());
    EXPECT_FALSE(Formats.Enabled());
    Cascade->SetLocked(false);
    // Unlocked under an audio-only preset: the video combos stay disabled.
    EXPECT_FALSE(Combo(TOptionKind::FrameSize).Enabled());
    EXPECT_FALSE(Combo(TOptionKind::Aspect).Enabled());
    EXPECT_TRUE(Combo(TOptionKind::AudioBitrate).Enabled());
    EXPECT_TRUE(Categories.Enabled());
    Select(second.get());
    for (const auto& combo : Options)
        EXPECT_TRUE(combo->Enabled()) << combo->Name();
}

TEST_F(PresetCascadeTest, RowKeepsTheFrameRateItShowsAcrossAFormatChange)
{
    Choose(1309);
    auto row = AddJob("clip.avi");
    EXPECT_EQ(row->SubItem(JobColumnOptionCode).substr(8, 2), "01");  // FPS4[1] = "25.00"
    Formats.SetItemIndex(7);  // 1307: FPS1, default index 9 is "25.00" too
    EXPECT_EQ(row->SubItem(JobColumnSelectionCode), "1007");
    EXPECT_EQ(row->SubItem(JobColumnOptionCode).substr(8, 2), "09");
    EXPECT_EQ(row->SubItem(JobColumnOutputFile), "clip.mov");
    Selected = nullptr;
    Choose(100);
    auto other = AddJob("other.avi");
    Select(row.get());
    EXPECT_EQ(Cascade->CurrentKey(), 1307);
    EXPECT_EQ(Combo(TOptionKind::FrameRate).Text(), "25.00");
    EXPECT_EQ(row->SubItem(OptionValueColumn(TOptionKind::FrameRate)), "25.00");
    EXPECT_EQ(Preset.Video_FrameRate, "25.00");
    EXPECT_EQ(row->SubItem(JobColumnOptionCode).substr(8, 2), "09");
}

TEST_F(PresetCascadeTest, RowConvertsWithWhatTheCombosShow)
{
    auto row = AddJob("clip.mpg");
    EXPECT_EQ(row->SubItem(JobColumnSelectionCode), "100");
    EXPECT_EQ(row->SubItem(JobColumnOptionCode), "000410000904");
    // The parameters said 528000, "25", "320*240", 64000 and "32000"; the combos win.
    const std::pair<TOptionKind, const char*> columns[] = {
        {TOptionKind::FrameSize, ""},          {TOptionKind::VideoBitrate, "1000000"},
        {TOptionKind::FrameRate, "25.00"},     {TOptionKind::AudioBitrate, "128000"},
        {TOptionKind::SampleRate, "44100"},    {TOptionKind::Aspect, ""},
    };
    for (const auto& [kind, value] : columns)
        EXPECT_EQ(row->SubItem(OptionValueColumn(kind)), value) << OptionValueColumn(kind);
    EXPECT_EQ(Preset.Video_VideoBitrate, 1000000);
    EXPECT_EQ(Preset.Video_FrameRate, "25.00");

    // A user pick touches one digit pair, one field and one column.
    std::string code = row->SubItem(JobColumnOptionCode);
    Combo(TOptionKind::FrameRate).SetItemIndex(4);
    EXPECT_EQ(row->SubItem(JobColumnOptionCode), code.substr(0, 8) + "04" + code.substr(10));
    EXPECT_EQ(row->SubItem(OptionValueColumn(TOptionKind::FrameRate)), "18.00");
    EXPECT_EQ(Preset.Video_FrameRate, "18.00");
    EXPECT_EQ(Preset.Video_VideoBitrate, 1000000);
}

TEST_F(PresetCascadeTest, UnreadableEntryChangesNothing)
{
    auto row = AddJob("clip.mpg");
    TCurrentPreset before = Preset;
    std::string code = row->SubItem(JobColumnOptionCode);
    TMemoryOptionCombo& audio = Combo(TOptionKind::AudioBitrate);
    audio.AddItem("abc kbps");
    audio.SetItemIndex(audio.ItemCount() - 1);
    EXPECT_EQ(row->SubItem(JobColumnOptionCode), code);
    EXPECT_EQ(row->SubItem(OptionValueColumn(TOptionKind::AudioBitrate)), "128000");
    EXPECT_EQ(Preset.Video_AudioBitrate, before.Video_AudioBitrate);
    Combo(TOptionKind::FrameSize).SetItemIndex(19);  // read back alone would succeed
    Preset.Video_FrameSize = "kept";
    EXPECT_FALSE(Cascade->ReadOptions());
    EXPECT_EQ(Preset.Video_FrameSize, "kept") << "no half-updated preset";
}

TEST_F(PresetCascadeTest, DiscTargetKeepsTheTargetsValues)
{
    for (int key : {111, 1408, 2211, 2312}) {
        SCOPED_TRACE(key);
        Choose(key);
        auto row = AddJob("clip.mpg");
        EXPECT_EQ(Preset.Video_TargetType, "dvd");
        EXPECT_EQ(Preset.Video_FrameSize, "");
        EXPECT_EQ(Preset.Video_FrameRate, "");
        EXPECT_EQ(Preset.Video_AudioSampleRate, "");
        EXPECT_EQ(Preset.Video_VideoBitrate, -1000);
        EXPECT_EQ(Preset.Video_AudioBitrate, 128000) << "the audio bit rate still applies";
        EXPECT_EQ(row->SubItem(OptionValueColumn(TOptionKind::FrameSize)), "");
        EXPECT_EQ(row->SubItem(OptionValueColumn(TOptionKind::VideoBitrate)), "-1000");
        EXPECT_EQ(row->SubItem(OptionValueColumn(TOptionKind::AudioBitrate)), "128000");
        EXPECT_FALSE(Combo(TOptionKind::FrameSize).Enabled());
        EXPECT_FALSE(Combo(TOptionKind::SampleRate).Enabled());
        EXPECT_TRUE(Combo(TOptionKind::Aspect).Enabled());
        Combo(TOptionKind::Aspect).SetItemIndex(2);
        EXPECT_EQ(Preset.Video_FrameAspectRatio, "16:9");
        Selected = nullptr;
    }
}

TEST_F(PresetCascadeTest, RowCodesTheCascadeNeverWritesAreRefused)
{
    Choose(100);
    auto row = AddJob("clip.avi");
    Selected = nullptr;
    Choose(1400);
    const std::pair<const char*, const char*> cases[] = {
        {"200", "990000000000"},  // index 99 in a list of 28
        {"1600", "000000000000"}, // category item 15
        {"116", "000000000000"},  // format 16 of a category of 11
        {"200", "0003"},          // too few digits
        {"abc", "000410000904"},
    };
    for (const auto& [selection, options] : cases) {
        SCOPED_TRACE(std::string(selection) + " " + options);
        row->SetSubItem(JobColumnSelectionCode, selection);
        row->SetSubItem(JobColumnOptionCode, options);
        Events.clear();
        int runs = ParameterRuns;
        Selected = row.get();
        EXPECT_FALSE(Cascade->SelectRow());
        EXPECT_TRUE(Events.empty());
        EXPECT_EQ(ParameterRuns, runs);
        EXPECT_EQ(Cascade->CurrentKey(), 1400);
        Selected = nullptr;
    }
}

TEST_F(PresetCascadeTest, LastCategoryRowRestores)
{
    Choose(212);
    auto row = AddJob("voice.amr");
    Combo(TOptionKind::AudioBitrate).SetItemIndex(7);  // "12.2 kbps"
    EXPECT_EQ(row->SubItem(JobColumnSelectionCode), "1512");
    Selected = nullptr;
    Choose(100);
    Select(row.get());
    EXPECT_EQ(Cascade->CurrentKey(), 212);
    EXPECT_EQ(Combo(TOptionKind::AudioBitrate).Text(), "12.2 kbps");
    EXPECT_EQ(Preset.Video_AudioBitrate, 12200);
    EXPECT_EQ(row->SubItem(OptionValueColumn(TOptionKind::AudioBitrate)), "12200");
    EXPECT_EQ(row->SubItem(JobColumnOutputFile), "voice.amr");
    // Picking the row's category again applies its format 0 to the row.
    Categories.SetItemIndex(Categories.ItemIndex());
    EXPECT_EQ(row->SubItem(JobColumnSelectionCode), "1500");
    EXPECT_EQ(row->SubItem(JobColumnOutputFile), "voice.mp3");
}

} // namespace
