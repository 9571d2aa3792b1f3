// A row switched to another preset after its add converts with that preset:
// its codecs, its container, nothing left of the preset it was added under.
#include "engine/probe/AVProbe.h"
#include "tests/app_jobs/JobTestSupport.h"

namespace {

using namespace jobtest;

class RowPresetTest : public JobControlTest {
protected:
    // Picks a preset for the selected row as the user does: its category, then its format.
    void SwitchRow(int ARow, int AKey)
    {
        Control->SelectRow(ARow);
        Categories.SetItemIndex(CategoryItemOfCode(CategoryCodeOfKey(AKey)));
        Formats.SetItemIndex(FormatIndexOfKey(AKey));
        ASSERT_EQ(Cascade->CurrentKey(), AKey);
    }
};

TEST_F(RowPresetTest, ARowSwitchedFromMpgConvertsWithTheNewPresetsCodecs)
{
    struct TCase {
        int Key;
        const char* Ext;
        const char* Video;  // decoder the probe names
        const char* Audio;
    };
    const TCase cases[] = {
        {1200, ".flv", "flv", "mp3float"},   // "FLV在线网络视频(*.flv)": names no video codec
        {307, ".vob", "mpeg2video", "ac3"},  // "高清DVD视频格式(*.vob)": names no video codec
    };
    std::vector<std::string> files;
    for (int i = 0; i < 2; ++i) {
        files.push_back(In("clip" + std::to_string(i) + ".mp4"));
        WriteClip(files.back(), 5);
    }
    Dialogs.Answers.push_back(files);
    Control->AddFiles();
    ASSERT_EQ(Rows(), 2);
    ASSERT_EQ(Cell(0, JobColumnVideoCodec), "mpeg1video");  // added under the MPG preset
    for (int i = 0; i < 2; ++i)
        SwitchRow(i, cases[i].Key);
    ASSERT_TRUE(Control->Start());
    ASSERT_TRUE(WaitDone());
    EXPECT_TRUE(Messages.Shown.empty()) << (Messages.Shown.empty() ? "" : Messages.Shown[0].Text);
    for (int i = 0; i < 2; ++i) {
        const std::string name = std::to_string(cases[i].Key);
        EXPECT_EQ(Cell(i, 4), "100%") << name;
        EXPECT_EQ(ExtractFileExt(Cell(i, 3)), cases[i].Ext) << name;
        TAVProbe probe(nullptr);
        ASSERT_TRUE(probe.LoadAVLib(GetExePath() + "LibAV"));
        ASSERT_TRUE(probe.LoadFile(OutFolder.File(Cell(i, 3)))) << name << ": " << probe.LastErrMsg();
        const std::string video = probe.FirstVideoStreamInfo().CodecName;
        const std::string audio = probe.FirstAudioStreamInfo().CodecName;
        EXPECT_EQ(video.substr(0, video.find('(')), cases[i].Video) << name;
        EXPECT_EQ(audio.substr(0, audio.find('(')), cases[i].Audio) << name;
    }
}

// What the chosen preset cannot make from a file is refused at the add, with
// a message that names the file and says why; the other files are added.
TEST_F(RowPresetTest, RefusesAtTheAddWhatThePresetCannotMakeFromTheFile)
{
    const std::string silent = In("silent.mp4");
    WriteClip(silent, 5, 64, 48, false);
    testmedia::TMediaPlan tone;
    tone.Audio.push_back({});
    tone.Audio[0].Codec = "pcm_s16le";
    const std::string sound = In("tone.wav");
    testmedia::WriteMediaFile(sound, tone);
    const std::string both = In("both.mp4");
    WriteClip(both, 5);

    struct TCase {
        int Key;
        std::string Refused, Added;
    };
    const TCase cases[] = {
        {200, silent, both},  // MP3, audio only: a file without sound
        {1400, sound, both},  // MPEG-1 video: a file without a picture
    };
    for (const TCase& c : cases) {
        Control->Clear();
        Messages.Shown.clear();
        Choose(c.Key);
        Dialogs.Answers.push_back({c.Refused});
        Control->AddFiles();
        EXPECT_EQ(Rows(), 0) << c.Key;
        ASSERT_EQ(Messages.Shown.size(), 1u) << c.Key;
        const std::string text = Messages.Shown[0].Text;
        EXPECT_NE(text.find(c.Refused), std::string::npos) << text;
        EXPECT_NE(text.find(c.Key == 200 ? "没有音频" : "没有视频"), std::string::npos) << text;
        EXPECT_EQ(Messages.Shown[0].Kind, TMessageKind::Warning);
        Dialogs.Answers.push_back({c.Added});
        Control->AddFiles();
        EXPECT_EQ(Rows(), 1) << c.Key;
    }
}

// A row switched to a preset its file cannot make is refused at the start
// with the reason, not converted into a job that fails.
TEST_F(RowPresetTest, RefusesAtTheStartARowSwitchedToAPresetItsFileCannotMake)
{
    const std::string silent = In("silent.mp4");
    WriteClip(silent, 5, 64, 48, false);
    Dialogs.Answers.push_back({silent});
    Control->AddFiles();
    ASSERT_EQ(Rows(), 1);
    Control->SelectRow(0);
    Categories.SetItemIndex(CategoryItemOfCode(CategoryCodeOfKey(200)));  // MP3: audio only
    ASSERT_EQ(Cell(0, JobColumnDisableVideo), "True");
    EXPECT_FALSE(Control->Start());
    ASSERT_GE(Messages.Shown.size(), 1u);
    const std::string text = Messages.Shown[0].Text;
    EXPECT_NE(text.find(silent), std::string::npos) << text;
    EXPECT_NE(text.find("没有音频"), std::string::npos) << text;
    EXPECT_EQ(Cell(0, 4), "失败");
}

// An encoder that refuses its parameters: the warning names the input file
// and carries the library's own reason besides the engine's text.
TEST_F(RowPresetTest, TheFailureTextNamesTheFileAndTheLibrarysReason)
{
    const std::string clip = In("refused.mp4");
    WriteClip(clip, 5);
    Dialogs.Answers.push_back({clip});
    Control->AddFiles();
    ASSERT_EQ(Rows(), 1);
    Control->List().Row(0).SetSubItem(JobColumnAudioCodec, "libopencore_amrnb");
    Control->List().Row(0).SetSubItem(JobColumnAudioChannels, "1");
    Control->List().Row(0).SetSubItem(JobColumnSampleRate, "44100");
    ASSERT_TRUE(Control->Start());
    ASSERT_TRUE(WaitDone());
    ASSERT_EQ(Messages.Shown.size(), 1u);
    const std::string text = Messages.Shown[0].Text;
    EXPECT_NE(text.find(clip), std::string::npos) << text;
    EXPECT_NE(text.find("Error while opening encoder for output stream #0.1 (Audio)"), std::string::npos) << text;
    EXPECT_NE(text.find("libopencore_amrnb: Only 8000Hz sample rate supported"), std::string::npos) << text;
}

}  // namespace
