// The output settings dialog's logic over the combo faces, with the main window and the
// options dialog replaced by recording fakes: what its creation does to the main window,
// the refills of every format, the read-back of the option texts, OK, Cancel and reset.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "ExpectedOutputFormats.h"
#include "app/output/OutputOptionTables.h"
#include "app/output/OutputSettingsLogic.h"
#include "app/presets/OptionReadBack.h"
#include "app/presets/PresetCategories.h"

namespace {

using TLog = std::vector<std::string>;

// The main window as the dialog sees it, recording every call.
class TRecordingHost : public TOutputSettingsHost {
public:
    TCurrentPreset& CurrentPreset() override
    {
        Log.push_back("CurrentPreset");
        return Preset;
    }
    void SetAllTrantNumber(int key) override
    {
        Log.push_back("SetAllTrantNumber " + std::to_string(key));
        AllTrantNumber = key;
    }
    void ClearClipTimes() override { Log.push_back("ClearClipTimes"); }
    std::string OutputFolder() const override
    {
        Log.push_back("OutputFolder");
        return Folder;
    }
    bool OutputNameTaken(const std::string& fileName) const override
    {
        Log.push_back("OutputNameTaken " + fileName);
        return JobNames.count(fileName) > 0;
    }

    TCurrentPreset Preset;
    int AllTrantNumber = -7;
    std::string Folder = "out";
    std::set<std::string> JobNames;
    mutable TLog Log;
};

class TFakeOverwrite : public TOverwriteChoice {
public:
    bool OverwriteOutputFiles() const override { return Overwrite; }
    bool Overwrite = false;
};

// An option combo that also records clearing and enabling, into one log shared by all six.
class TRecordingCombo : public TMemoryOptionCombo {
public:
    TRecordingCombo(const std::string& name, TLog& log) : TMemoryOptionCombo(name), FLog(log)
    {
        OnRaise = [this](const std::string& n) { FLog.push_back("change " + n); };
    }
    void ClearItems() override
    {
        FLog.push_back("clear " + Name());
        TMemoryOptionCombo::ClearItems();
    }
    void SetEnabled(bool enabled) override
    {
        FLog.push_back((enabled ? "enable " : "disable ") + Name());
        TMemoryOptionCombo::SetEnabled(enabled);
    }

private:
    TLog& FLog;
};

const char* const ComboNames[] = {"bsSkinComboBox1", "bsSkinComboBox2", "bsSkinComboBox9",
                                  "bsSkinComboBox3", "bsSkinComboBox10", "bsSkinComboBox4"};

// A preset whose every field says it was never written.
TCurrentPreset Untouched()
{
    TCurrentPreset p;
    for (std::string* field : {&p.Video_OutPutFileName, &p.Video_FileExt, &p.Video_FileFormat, &p.Video_VideoCodec,
                               &p.Video_VideoTag, &p.Video_FrameSize, &p.Video_FrameRate, &p.Video_FrameAspectRatio,
                               &p.Video_AudioCodec, &p.Video_AudioChannels, &p.Video_AudioSampleRate,
                               &p.Video_AudioVolume, &p.Video_TargetType, &p.Video_NormType, &p.Video_VideoFilters,
                               &p.Video_CopyTimestamp})
        *field = "old";
    p.Video_AddFileName = "/media/v/clip.mkv";
    p.Video_VideoBitrate = 4242;
    p.Video_AudioBitrate = 4343;
    p.Video_DisableVideo = true;
    return p;
}

bool operator==(const TCurrentPreset& a, const TCurrentPreset& b)
{
    return a.Video_OutPutFileName == b.Video_OutPutFileName && a.Video_AddFileName == b.Video_AddFileName &&
           a.Video_FileExt == b.Video_FileExt && a.Video_FileFormat == b.Video_FileFormat &&
           a.Video_VideoCodec == b.Video_VideoCodec && a.Video_VideoTag == b.Video_VideoTag &&
           a.Video_FrameSize == b.Video_FrameSize && a.Video_FrameRate == b.Video_FrameRate &&
           a.Video_FrameAspectRatio == b.Video_FrameAspectRatio && a.Video_AudioCodec == b.Video_AudioCodec &&
           a.Video_AudioChannels == b.Video_AudioChannels && a.Video_AudioSampleRate == b.Video_AudioSampleRate &&
           a.Video_AudioVolume == b.Video_AudioVolume && a.Video_TargetType == b.Video_TargetType &&
           a.Video_NormType == b.Video_NormType && a.Video_VideoFilters == b.Video_VideoFilters &&
           a.Video_CopyTimestamp == b.Video_CopyTimestamp && a.Video_VideoBitrate == b.Video_VideoBitrate &&
           a.Video_AudioBitrate == b.Video_AudioBitrate && a.Video_DisableVideo == b.Video_DisableVideo;
}

class OutputSettingsLogicTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (int slot = 0; slot < OptionKindCount; ++slot)
            Options[slot] = std::make_unique<TRecordingCombo>(ComboNames[slot], ComboLog);
        Host.Preset = Untouched();
        Logic = std::make_unique<TOutputSettingsLogic>(
            Categories, Formats,
            std::array<TOptionComboModel*, OptionKindCount>{Options[0].get(), Options[1].get(), Options[2].get(),
                                                             Options[3].get(), Options[4].get(), Options[5].get()},
            Host, Overwrite);
        Logic->OnClose = [this] { ++Closes; };
        Logic->FileExists = [this](const std::string& name) { return Files.count(name) > 0; };
    }

    TOptionComboModel& Combo(TOptionKind kind) { return *Options[OptionSlot(kind)]; }
    void Choose(int key)
    {
        Categories.SetItemIndex(CategoryCodeOfKey(key));
        Formats.SetItemIndex(FormatIndexOfKey(key));
    }
    // Puts a single entry into a combo and shows it.
    void Show(TOptionKind kind, const std::string& text)
    {
        Combo(kind).ClearItems();
        Combo(kind).AddItem(text);
        Combo(kind).SetItemIndex(0);
    }

    TMemoryPresetListCombo Categories, Formats;
    TLog ComboLog;
    std::array<std::unique_ptr<TRecordingCombo>, OptionKindCount> Options;
    TRecordingHost Host;
    TFakeOverwrite Overwrite;
    std::set<std::string> Files;
    std::unique_ptr<TOutputSettingsLogic> Logic;
    int Closes = 0;
};

TEST_F(OutputSettingsLogicTest, CreationSetsOnlyTheKeyAndTheVideoSwitchOfTheMainWindow)
{
    // Loading the form chooses category 0 and raises nothing.
    EXPECT_EQ(Categories.ItemCount(), 12);
    EXPECT_EQ(Categories.ItemIndex(), 0);
    EXPECT_EQ(Formats.ItemCount(), 0);
    EXPECT_TRUE(Host.Log.empty());
    EXPECT_TRUE(ComboLog.empty());

    Logic->Create();

    EXPECT_EQ(Host.Log, (TLog{"SetAllTrantNumber 100", "CurrentPreset"}));
    EXPECT_EQ(Host.AllTrantNumber, 100);
    TCurrentPreset expected = Untouched();
    expected.Video_DisableVideo = false;
    EXPECT_TRUE(Host.Preset == expected) << "only Video_DisableVideo changes";

    ASSERT_EQ(Formats.ItemCount(), 15);
    EXPECT_EQ(Formats.ItemIndex(), 0);
    EXPECT_EQ(Formats.Item(0).Title, "AVI - 音频视频交错格式(*.avi)");
    EXPECT_EQ(ComboLog, (TLog{"clear bsSkinComboBox1",   "clear bsSkinComboBox2",   "clear bsSkinComboBox3",
                              "clear bsSkinComboBox4",   "clear bsSkinComboBox9",   "clear bsSkinComboBox10",
                              "enable bsSkinComboBox1",  "enable bsSkinComboBox2",  "enable bsSkinComboBox3",
                              "enable bsSkinComboBox4",  "enable bsSkinComboBox9",  "enable bsSkinComboBox10",
                              "change bsSkinComboBox1",  "change bsSkinComboBox2",  "change bsSkinComboBox9",
                              "change bsSkinComboBox3",  "change bsSkinComboBox10", "change bsSkinComboBox4"}));
    const char* shown[] = {"保持原分辨率", "816 kbps", "25.00", "128 kbps", "44100", "保持原视频模式"};
    const int counts[] = {28, 8, 12, 17, 6, 5};
    for (int slot = 0; slot < OptionKindCount; ++slot) {
        EXPECT_EQ(Options[slot]->Text(), shown[slot]) << ComboNames[slot];
        EXPECT_EQ(Options[slot]->ItemCount(), counts[slot]) << ComboNames[slot];
        EXPECT_TRUE(Options[slot]->Enabled()) << ComboNames[slot];
    }
}

TEST_F(OutputSettingsLogicTest, EveryFormatFillsItsListsWritesItsParametersAndNamesItsFile)
{
    Logic->Create();
    for (const auto& e : expected_output::Formats()) {
        SCOPED_TRACE(e.Key);
        Choose(e.Key);
        EXPECT_EQ(Logic->CurrentKey(), e.Key);
        EXPECT_EQ(Host.AllTrantNumber, e.Key);
        EXPECT_EQ(Formats.Item(FormatIndexOfKey(e.Key)).Title, e.Title);
        for (int slot = 0; slot < OptionKindCount; ++slot) {
            const auto& combo = *Options[slot];
            EXPECT_EQ(combo.Items(), FindOutputOptionList(e.Cells[slot].List)->Entries) << ComboNames[slot];
            EXPECT_EQ(combo.ItemIndex(), e.Cells[slot].Index) << ComboNames[slot];
            EXPECT_EQ(combo.Text(), e.Cells[slot].Text) << ComboNames[slot];
            TOptionKind kind = static_cast<TOptionKind>(slot);
            bool video = kind != TOptionKind::AudioBitrate && kind != TOptionKind::SampleRate;
            EXPECT_EQ(combo.Enabled(), !(e.AudioOnly && video)) << ComboNames[slot];
        }

        Host.Preset = Untouched();
        Logic->ApplyParameters();
        const TCurrentPreset& p = Host.Preset;
        const auto& x = e.Parameters;
        auto text = [](const std::string& got, const expected_output::TText& want, const char* name) {
            EXPECT_EQ(got, want.Written ? want.Value : "old") << name;
        };
        text(p.Video_FileExt, x.FileExt, "Video_FileExt");
        text(p.Video_VideoCodec, x.VideoCodec, "Video_VideoCodec");
        text(p.Video_VideoTag, x.VideoTag, "Video_VideoTag");
        text(p.Video_FrameSize, x.FrameSize, "Video_FrameSize");
        text(p.Video_FrameRate, x.FrameRate, "Video_FrameRate");
        text(p.Video_FrameAspectRatio, x.FrameAspectRatio, "Video_FrameAspectRatio");
        EXPECT_EQ(p.Video_VideoBitrate, x.VideoBitrate.Written ? x.VideoBitrate.Value : 4242);
        text(p.Video_AudioCodec, x.AudioCodec, "Video_AudioCodec");
        text(p.Video_AudioChannels, x.AudioChannels, "Video_AudioChannels");
        text(p.Video_AudioSampleRate, x.AudioSampleRate, "Video_AudioSampleRate");
        EXPECT_EQ(p.Video_AudioBitrate, x.AudioBitrate.Written ? x.AudioBitrate.Value : 4343);
        text(p.Video_VideoFilters, x.VideoFilters, "Video_VideoFilters");
        text(p.Video_AudioVolume, x.AudioVolume, "Video_AudioVolume");
        text(p.Video_NormType, x.NormType, "Video_NormType");
        text(p.Video_CopyTimestamp, x.CopyTimestamp, "Video_CopyTimestamp");
        text(p.Video_FileFormat, x.FileFormat, "Video_FileFormat");
        text(p.Video_TargetType, x.TargetType, "Video_TargetType");
        EXPECT_EQ(p.Video_DisableVideo, x.AudioOnly);
        EXPECT_EQ(p.Video_OutPutFileName, std::string("out/clip") + x.NameExtension);
        EXPECT_EQ(p.Video_AddFileName, "/media/v/clip.mkv");
        EXPECT_EQ(Host.AllTrantNumber, e.Key);

        // OK: the combos' defaults win over the row for the six values they set.
        Host.Preset = Untouched();
        Logic->Ok();
        EXPECT_EQ(Host.Preset.Video_FrameSize, *DecodeFrameSize(e.Cells[0].Text));
        EXPECT_EQ(Host.Preset.Video_VideoBitrate, *DecodeVideoBitrate(e.Cells[1].Text));
        EXPECT_EQ(Host.Preset.Video_FrameRate, *DecodeFrameRate(e.Cells[2].Text));
        EXPECT_EQ(Host.Preset.Video_AudioBitrate, *DecodeAudioBitrate(e.Cells[3].Text));
        EXPECT_EQ(Host.Preset.Video_AudioSampleRate, e.Cells[4].Text);
        EXPECT_EQ(Host.Preset.Video_FrameAspectRatio, *DecodeAspect(e.Cells[5].Text));
    }
    EXPECT_EQ(Closes, static_cast<int>(expected_output::Formats().size()));
}

TEST_F(OutputSettingsLogicTest, EveryAssignmentOfTheFormatRefillsOnce)
{
    Logic->Create();
    Host.Log.clear();
    ComboLog.clear();
    Formats.SetItemIndex(0);
    Formats.SetItemIndex(0);
    EXPECT_EQ(std::count(Host.Log.begin(), Host.Log.end(), "SetAllTrantNumber 100"), 2);
    EXPECT_EQ(Combo(TOptionKind::FrameSize).ItemCount(), 28) << "one copy of the list";
    EXPECT_EQ(std::count(ComboLog.begin(), ComboLog.end(), "change bsSkinComboBox1"), 0)
        << "the same entries again change no text";

    // A category pick refills the formats and chooses format 0 again.
    Categories.SetItemIndex(11);
    EXPECT_EQ(Formats.ItemCount(), 4);
    EXPECT_EQ(Host.AllTrantNumber, 1200);
}

TEST_F(OutputSettingsLogicTest, KeysWithoutARowEmptyAndEnableTheCombos)
{
    Logic->Create();
    Choose(212);  // disables the video combos first
    struct TCase {
        int Category, Format, Key;
    };
    const TCase cases[] = {{0, -1, 99}, {1, -1, 199}, {-1, 3, 3}, {3, 14, 414}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Key);
        Categories.SetItemIndex(c.Category);
        Host.Preset.Video_DisableVideo = true;
        Formats.SetItemIndex(c.Format);
        EXPECT_EQ(Host.AllTrantNumber, c.Key);
        EXPECT_FALSE(Host.Preset.Video_DisableVideo);
        for (const auto& combo : Options) {
            EXPECT_EQ(combo->ItemCount(), 0);
            EXPECT_EQ(combo->ItemIndex(), -1);
            EXPECT_TRUE(combo->Enabled());
        }
    }
    Categories.SetItemIndex(-1);
    EXPECT_EQ(Formats.ItemCount(), 0) << "no category, no formats";
    EXPECT_EQ(Formats.ItemIndex(), 0) << "format 0 is chosen all the same";
    EXPECT_EQ(Host.AllTrantNumber, 0);
}

TEST_F(OutputSettingsLogicTest, AudioOnlyPresetsDisableTheFourVideoCombosInOrder)
{
    Logic->Create();
    for (int key : {212, 708}) {
        Categories.SetItemIndex(CategoryCodeOfKey(key));
        ComboLog.clear();
        Formats.SetItemIndex(FormatIndexOfKey(key));
        EXPECT_EQ(Combo(TOptionKind::AudioBitrate).Text(), "7.4 kbps");
        EXPECT_EQ(Combo(TOptionKind::AudioBitrate).ItemCount(), 8);
        EXPECT_EQ(Options[OptionSlot(TOptionKind::SampleRate)]->Items(), std::vector<std::string>{"8000"});
        TLog disables;
        for (const auto& line : ComboLog)
            if (line.rfind("disable ", 0) == 0)
                disables.push_back(line);
        EXPECT_EQ(disables, (TLog{"disable bsSkinComboBox1", "disable bsSkinComboBox2", "disable bsSkinComboBox4",
                                  "disable bsSkinComboBox9"}));
    }
    Choose(100);
    for (const auto& combo : Options)
        EXPECT_TRUE(combo->Enabled());
}

TEST_F(OutputSettingsLogicTest, OptionTextsReadBackIntoTheCurrentPreset)
{
    Logic->Create();
    struct TCase {
        TOptionKind Kind;
        const char* Text;
        std::string TCurrentPreset::*Field;
        const char* Value;
    };
    const TCase texts[] = {
        {TOptionKind::FrameSize, "该格式无视频", &TCurrentPreset::Video_FrameSize, ""},
        {TOptionKind::FrameSize, "1280*720", &TCurrentPreset::Video_FrameSize, "1280*720"},
        {TOptionKind::FrameRate, "无视频", &TCurrentPreset::Video_FrameRate, ""},
        {TOptionKind::FrameRate, "29.97", &TCurrentPreset::Video_FrameRate, "29.97"},
        {TOptionKind::SampleRate, "8000", &TCurrentPreset::Video_AudioSampleRate, "8000"},
        {TOptionKind::SampleRate, "自动音频采样率", &TCurrentPreset::Video_AudioSampleRate, "AUTO"},
        {TOptionKind::Aspect, "宽屏视频47:20模式", &TCurrentPreset::Video_FrameAspectRatio, "47:20"},
        {TOptionKind::Aspect, "拉伸", &TCurrentPreset::Video_FrameAspectRatio, "old"},  // unknown: left alone
    };
    for (const auto& c : texts) {
        SCOPED_TRACE(c.Text);
        Host.Preset = Untouched();
        Show(c.Kind, c.Text);
        EXPECT_TRUE(Logic->ReadOptions());
        EXPECT_EQ(Host.Preset.*c.Field, c.Value);
    }
    struct TRate {
        TOptionKind Kind;
        const char* Text;
        int TCurrentPreset::*Field;
        int Value;
    };
    const TRate rates[] = {
        {TOptionKind::VideoBitrate, "无视频", &TCurrentPreset::Video_VideoBitrate, -1000},
        {TOptionKind::VideoBitrate, "2000 kbps", &TCurrentPreset::Video_VideoBitrate, 2000000},
        {TOptionKind::AudioBitrate, "5.15 kbps", &TCurrentPreset::Video_AudioBitrate, 5150},
        {TOptionKind::AudioBitrate, "7.95 kbps", &TCurrentPreset::Video_AudioBitrate, 7950},
        {TOptionKind::AudioBitrate, "10.2 kbps", &TCurrentPreset::Video_AudioBitrate, 10200},
        {TOptionKind::AudioBitrate, "8 kbps", &TCurrentPreset::Video_AudioBitrate, 8000},
        {TOptionKind::AudioBitrate, "自动音频比特率", &TCurrentPreset::Video_AudioBitrate, -1000},
    };
    for (const auto& c : rates) {
        SCOPED_TRACE(c.Text);
        Host.Preset = Untouched();
        Show(c.Kind, c.Text);
        EXPECT_TRUE(Logic->ReadOptions());
        EXPECT_EQ(Host.Preset.*c.Field, c.Value);
    }
}

TEST_F(OutputSettingsLogicTest, AnUnreadableBitRateChangesNothing)
{
    Logic->Create();
    Host.Preset = Untouched();
    Show(TOptionKind::FrameSize, "640*480");  // read before the bit rate
    Show(TOptionKind::VideoBitrate, "kbps");
    EXPECT_FALSE(Logic->ReadOptions());
    EXPECT_TRUE(Host.Preset == Untouched()) << "no field half written";

    // A combo without a chosen entry leaves its field alone, whatever text it kept.
    Show(TOptionKind::VideoBitrate, "816 kbps");
    Combo(TOptionKind::Aspect).ClearItems();
    EXPECT_TRUE(Logic->ReadOptions());
    EXPECT_EQ(Host.Preset.Video_FrameAspectRatio, "old");
    EXPECT_EQ(Host.Preset.Video_FrameSize, "640*480");
}

TEST_F(OutputSettingsLogicTest, OkWritesTheRowThenTheCombosAndCancelChangesNothing)
{
    Logic->Create();
    Choose(400);  // the row writes 512000 bit/s, the combo offers "1000 kbps"
    Combo(TOptionKind::FrameRate).SetItemIndex(8);  // "29.97" over the row's "25"
    Logic->Ok();
    EXPECT_EQ(Host.Preset.Video_VideoBitrate, 1000000);
    EXPECT_EQ(Host.Preset.Video_FrameRate, "29.97");
    EXPECT_EQ(Host.Preset.Video_VideoCodec, "libx264") << "fields the combos do not set come from the row";
    EXPECT_EQ(Host.Preset.Video_AddFileName, "/media/v/clip.mkv");
    EXPECT_EQ(Closes, 1);

    TCurrentPreset before = Host.Preset;
    int key = Host.AllTrantNumber;
    Host.Log.clear();
    Logic->Cancel();
    EXPECT_EQ(Closes, 2);
    EXPECT_TRUE(Host.Preset == before);
    EXPECT_EQ(Host.AllTrantNumber, key);
    EXPECT_TRUE(Host.Log.empty());
}

TEST_F(OutputSettingsLogicTest, ResetKeepsTheFileBeingAddedAndClearsTheClipTimes)
{
    Logic->Create();
    Host.Log.clear();
    Logic->Reset();
    const TCurrentPreset& p = Host.Preset;
    EXPECT_EQ(p.Video_AddFileName, "/media/v/clip.mkv");
    EXPECT_EQ(p.Video_AudioVolume, "256");
    EXPECT_EQ(p.Video_VideoBitrate, -1);
    EXPECT_EQ(p.Video_AudioBitrate, -1);
    EXPECT_FALSE(p.Video_DisableVideo);
    EXPECT_EQ(p.Video_OutPutFileName, "");
    EXPECT_EQ(p.Video_FrameSize, "");
    EXPECT_EQ(p.Video_TargetType, "");
    EXPECT_EQ(std::count(Host.Log.begin(), Host.Log.end(), "ClearClipTimes"), 1);
    EXPECT_EQ(Closes, 0);
}

TEST_F(OutputSettingsLogicTest, OutputNamesAreNumberedWhileTaken)
{
    Logic->Create();
    Choose(100);
    struct TCase {
        std::set<std::string> Files;
        std::set<std::string> Jobs;
        bool Overwrite;
        const char* Name;
    };
    const TCase cases[] = {
        {{}, {}, false, "out/clip.avi"},
        {{"out/clip.avi"}, {}, false, "out/clip_1.avi"},
        {{"out/clip.avi", "out/clip_1.avi"}, {}, false, "out/clip_2.avi"},
        {{"out/clip.avi", "out/clip_1.avi"}, {}, true, "out/clip.avi"},
        // A name another job writes is taken even when files may be overwritten.
        {{"out/clip.avi"}, {"out/clip.avi"}, true, "out/clip_1.avi"},
        {{}, {"out/clip.avi", "out/clip_1.avi"}, false, "out/clip_2.avi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Files = c.Files;
        Host.JobNames = c.Jobs;
        Overwrite.Overwrite = c.Overwrite;
        Host.Preset = Untouched();
        Logic->ApplyParameters();
        EXPECT_EQ(Host.Preset.Video_OutPutFileName, c.Name);
    }
    Files.clear();
    Host.JobNames.clear();
    Overwrite.Overwrite = false;

    Choose(206);
    Host.Preset = Untouched();
    Host.Folder = "/home/u/输出/";
    Logic->ApplyParameters();
    EXPECT_EQ(Host.Preset.Video_OutPutFileName, "/home/u/输出/clip.ra") << "no doubled separator";
    EXPECT_EQ(Host.Preset.Video_FileExt, ".rm");

    // Without a source there is no output name, rather than the folder itself.
    Choose(100);
    Host.Preset = Untouched();
    Host.Preset.Video_AddFileName = "";
    Logic->ApplyParameters();
    EXPECT_EQ(Host.Preset.Video_OutPutFileName, "");
}

TEST_F(OutputSettingsLogicTest, AKeyWithoutParametersMovesTheEarlierNameIntoTheFolder)
{
    Logic->Create();
    Categories.SetItemIndex(3);
    Formats.SetItemIndex(20);  // key 420: no row
    Host.Preset = Untouched();
    Host.Preset.Video_OutPutFileName = "/old/place/clip.mp4";
    Files = {"out/clip.mp4"};
    Logic->ApplyParameters();
    EXPECT_EQ(Host.AllTrantNumber, 420);
    EXPECT_EQ(Host.Preset.Video_OutPutFileName, "out/clip_1.mp4");
    EXPECT_EQ(Host.Preset.Video_VideoCodec, "old");
    EXPECT_FALSE(Host.Preset.Video_DisableVideo);
}

} // namespace
