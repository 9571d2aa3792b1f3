#include <map>

#include "tests/app_presets/DecodedOutput.h"
#include "tests/app_presets/PresetTestSupport.h"

// Real-world-like inputs through the presets: what each output must hold for
// the players its preset names.

namespace {

using namespace presettest;

// Tiny clips made once per program, each by its plan.
const std::string& Clip(const std::string& AName, const testmedia::TMediaPlan& APlan)
{
    static testmedia::TTempFolder folder;
    static std::map<std::string, std::string> made;
    auto found = made.find(AName);
    if (found != made.end())
        return found->second;
    const std::string path = folder.File(AName);
    testmedia::WriteMediaFile(path, APlan);
    return made[AName] = path;
}

testmedia::TMediaPlan VideoPlan(const std::string& APixelFormat, int ARotation = 0)
{
    testmedia::TMediaPlan plan;
    plan.Video.push_back({});
    plan.Video[0].Codec = "libx264";
    plan.Video[0].Quality = 30;
    plan.Video[0].Frames = 4;
    plan.Video[0].PixelFormat = APixelFormat;
    plan.Video[0].Rotation = ARotation;
    plan.Audio.push_back({});
    plan.Audio[0].SampleRate = 44100;
    plan.Audio[0].Channels = 2;
    plan.Audio[0].Samples = 7056;
    return plan;
}

// The keys of the offered presets, with the encoder each writes its video with.
std::vector<std::pair<int, std::string>> VideoKeys()
{
    std::vector<std::pair<int, std::string>> keys;
    for (const TOptionRow& row : OptionRows()) {
        TPresetJob job = MakeJob(row.Key, "/源/a.avi", TOutputNameRule{}, DefaultTexts(row));
        const std::string video = EffectiveVideoCodec(job.Preset.Video_OutPutFileName, job.Options);
        if (!video.empty())
            keys.emplace_back(row.Key, video);
    }
    return keys;
}

std::vector<TPresetJob> JobsFor(const std::vector<int>& AKeys, const std::string& ATag,
                                const testmedia::TTempFolder& AFolder)
{
    TOutputNameRule rule;
    rule.Folder = AFolder.Path();
    std::vector<TPresetJob> jobs;
    for (int key : AKeys)
        jobs.push_back(
            MakeJob(key, "/源/" + ATag + "_" + std::to_string(key) + ".mkv", rule, DefaultTexts(*FindOptionRow(key))));
    return jobs;
}

// 10-bit and 4:2:2 sources through every H.264 preset and one preset of each
// other video encoder: all give 8-bit 4:2:0, as players expect of them.
TEST(OutputMatrix, DeepAndWideSourcesGiveEightBitFourTwoZero)
{
    std::vector<int> keys;
    std::map<std::string, int> oneEach;
    for (const auto& [key, video] : VideoKeys())
        if (video == "libx264")
            keys.push_back(key);
        else if (oneEach.emplace(video, key).second)
            keys.push_back(key);
    ASSERT_GE(keys.size(), 20u);
    testmedia::TTempFolder folder;
    // One run of every job of both sources, so that all of them share the threads.
    std::vector<TPresetJob> jobs;
    std::vector<std::string> sources, formats;
    for (const std::string format : {"yuv420p10le", "yuv422p"}) {
        const std::string& source = Clip(format + ".mkv", VideoPlan(format));
        for (TPresetJob& job : JobsFor(keys, format, folder)) {
            jobs.push_back(std::move(job));
            sources.push_back(source);
            formats.push_back(format);
        }
    }
    const std::vector<TRunResult> runs = ConvertAll(sources, jobs);
    for (size_t i = 0; i < jobs.size(); ++i) {
        const std::string name = formats[i] + " through " + std::to_string(jobs[i].Key) + " (" +
                                 EffectiveVideoCodec(jobs[i].Preset.Video_OutPutFileName, jobs[i].Options) + ")";
        ASSERT_TRUE(runs[i].Finished) << name << ": " << runs[i].Error;
        const TDecodedOutput out = DecodeOutput(jobs[i].Preset.Video_OutPutFileName);
        EXPECT_EQ(out.PixelFormat, AV_PIX_FMT_YUV420P)
            << name << ": " << (av_get_pix_fmt_name(out.PixelFormat) ? av_get_pix_fmt_name(out.PixelFormat) : "none");
        EXPECT_EQ(out.DecodeError, "") << name;
        EXPECT_GT(out.Pictures, 0) << name;
    }
}

// The six texts of a key's defaults, with the source's own frame size kept.
std::array<std::string, 6> KeptSizeTexts(int AKey)
{
    std::array<std::string, 6> texts = DefaultTexts(*FindOptionRow(AKey));
    texts[0] = "保持原分辨率";
    return texts;
}

// A landscape clip stored with a display matrix of 90 or 270 degrees shows
// upright; the outputs hold the upright picture and no matrix.
TEST(OutputMatrix, TurnedSourcesComeOutUpright)
{
    const int keys[] = {1101, 100, 1400};  // an MP4, an AVI and an MPG preset
    testmedia::TTempFolder folder;
    TOutputNameRule rule;
    rule.Folder = folder.Path();
    std::vector<TPresetJob> jobs;
    std::vector<std::string> sources;
    std::vector<int> rotations;
    for (int rotation : {90, 270}) {
        const std::string& source = Clip(Format("turned_%d.mp4", rotation), VideoPlan("", rotation));
        for (int key : keys)
            jobs.push_back(MakeJob(key, Format("/源/turned_%d_%d.mp4", rotation, key), rule, KeptSizeTexts(key)));
        // A preset size applies to the upright picture.
        jobs.push_back(
            MakeJob(1101, Format("/源/turned_%d_sized.mp4", rotation), rule, DefaultTexts(*FindOptionRow(1101))));
        jobs.back().Options.FrameSize = "96*128";
        sources.resize(jobs.size(), source);
        rotations.resize(jobs.size(), rotation);
    }
    const std::vector<TRunResult> runs = ConvertAll(sources, jobs);
    for (size_t i = 0; i < jobs.size(); ++i) {
        const std::string name = Format("%d° through %d", rotations[i], jobs[i].Key);
        ASSERT_TRUE(runs[i].Finished) << name << ": " << runs[i].Error;
        const TDecodedOutput out = DecodeOutput(jobs[i].Preset.Video_OutPutFileName);
        if (i % (std::size(keys) + 1) < std::size(keys)) {
            EXPECT_EQ(out.Width, 120) << name;
            EXPECT_EQ(out.Height, 160) << name;
        } else {
            EXPECT_EQ(out.Width, 96) << name;
            EXPECT_EQ(out.Height, 128) << name;
        }
        EXPECT_FALSE(out.Rotated) << name;
        EXPECT_EQ(out.DecodeError, "") << name;
        EXPECT_GT(out.Pictures, 0) << name;
    }
}

testmedia::TMediaPlan SurroundPlan()
{
    testmedia::TMediaPlan plan;
    plan.Video.push_back({});
    plan.Video[0].Frames = 4;
    plan.Audio.push_back({});
    plan.Audio[0].Codec = "ac3";
    plan.Audio[0].SampleRate = 48000;
    plan.Audio[0].Channels = 6;
    plan.Audio[0].Samples = 7680;
    plan.Audio[0].BitRate = 384000;
    return plan;
}

// A plain PCM file of one channel: the container names no layout.
testmedia::TMediaPlan MonoWithoutLayoutPlan()
{
    testmedia::TMediaPlan plan;
    plan.Audio.push_back({});
    plan.Audio[0].Codec = "pcm_s16le";
    plan.Audio[0].SampleRate = 44100;
    plan.Audio[0].Channels = 1;
    plan.Audio[0].Samples = 4410;
    return plan;
}

struct TChannelCase {
    int Key;
    int Channels;  // asked of the preset; 0: its own
    int Expected;  // channels of the output
};

void ConvertChannelCases(const std::string& ASource, const std::vector<TChannelCase>& ACases)
{
    testmedia::TTempFolder folder;
    TOutputNameRule rule;
    rule.Folder = folder.Path();
    std::vector<TPresetJob> jobs;
    for (const TChannelCase& c : ACases) {
        jobs.push_back(MakeJob(c.Key, Format("/源/channels_%d_%d.mkv", c.Key, c.Channels), rule,
                               DefaultTexts(*FindOptionRow(c.Key))));
        if (c.Channels > 0)
            jobs.back().Options.AudioChannels = c.Channels;
    }
    const std::vector<TRunResult> runs = ConvertAll(ASource, jobs);
    for (size_t i = 0; i < jobs.size(); ++i) {
        const std::string name = Format("%s through %d", ExtractFileName(ASource), ACases[i].Key);
        ASSERT_TRUE(runs[i].Finished) << name << ": " << runs[i].Error;
        const TDecodedOutput out = DecodeOutput(jobs[i].Preset.Video_OutPutFileName);
        EXPECT_EQ(out.Channels, ACases[i].Expected) << name;
        EXPECT_GT(out.AudioFrames, 0) << name;
        EXPECT_EQ(out.DecodeError, "") << name;
    }
}

// 5.1 (side) through the SVCD and VCD presets, whose MPEG audio codes one or
// two channels: the nearest layout the encoder takes is stereo.
TEST(OutputMatrix, SurroundSoundThroughDiscPresetsBecomesStereo)
{
    ConvertChannelCases(Clip("surround.mkv", SurroundPlan()), {{112, 0, 2}, {113, 0, 2}, {1409, 0, 2}, {1410, 0, 2}});
}

// One channel that the file names no layout for keeps its one channel through
// the AAC, AC-3, MP3 and AMR presets.
TEST(OutputMatrix, MonoWithoutLayoutKeepsOneChannel)
{
    ConvertChannelCases(Clip("mono.wav", MonoWithoutLayoutPlan()),
                        {{212, 0, 1}, {203, 1, 1}, {207, 1, 1}, {200, 1, 1}});
}

// A source size kept by the preset is fitted like an asked one: RealVideo 2
// codes multiples of 4, H.263 only its five sizes.
TEST(OutputMatrix, KeptSourceSizesAreFittedToTheEncoder)
{
    testmedia::TMediaPlan plan = VideoPlan("");
    plan.Video[0].Codec = "mpeg4";
    plan.Video[0].Width = 166;
    plan.Video[0].Height = 126;
    struct TCase {
        int Key;
        int Width, Height;
    };
    const TCase cases[] = {{114, 164, 124}, {3209, 176, 144}};
    testmedia::TTempFolder folder;
    TOutputNameRule rule;
    rule.Folder = folder.Path();
    std::vector<TPresetJob> jobs;
    for (const TCase& c : cases)
        jobs.push_back(MakeJob(c.Key, Format("/源/kept_%d.mp4", c.Key), rule, KeptSizeTexts(c.Key)));
    const std::vector<TRunResult> runs = ConvertAll(Clip("odd_size.mp4", plan), jobs);
    for (size_t i = 0; i < jobs.size(); ++i) {
        const std::string name = std::to_string(cases[i].Key);
        EXPECT_EQ(jobs[i].Options.FrameSize, "") << name;
        ASSERT_TRUE(runs[i].Finished) << name << ": " << runs[i].Error;
        const TDecodedOutput out = DecodeOutput(jobs[i].Preset.Video_OutPutFileName);
        EXPECT_EQ(out.Width, cases[i].Width) << name;
        EXPECT_EQ(out.Height, cases[i].Height) << name;
        EXPECT_EQ(out.DecodeError, "") << name;
    }
}

}  // namespace
