#include <gtest/gtest.h>

#include <set>

#include "app/presets/PresetParameterTable.h"
#include "app/presets/PresetParameters.h"
#include "tests/app_presets/PresetTestSupport.h"

namespace {

using namespace presettest;

const std::set<std::string> VideoCodecs = {"",      "mpeg4",     "libxvid", "libx264", "mpeg1video", "mpeg2video",
                                           "msmpeg4", "msmpeg4v1", "msmpeg4v2", "wmv2", "h263", "rv20"};
const std::set<std::string> AudioCodecs = {"",    "libmp3lame", "libfaac", "wmav2",
                                           "ac3", "libvorbis",  "flac",    "libopencore_amrnb"};
const std::set<std::string> SampleRates = {"", "8000", "11025", "16000", "22050", "24000", "32000", "44100", "48000"};

// Every row of the table keeps to the catalogue's forms, and applying a key
// writes exactly its row.
TEST(PresetParameters, EveryRowIsWellFormedAndAppliesAsWritten) {
    std::set<int> keys;
    for (const TPresetParameterRow& row : PresetParameterRows()) {
        const TPresetParameters& p = row.Set;
        const std::string name = std::to_string(row.Keys[0]);
        EXPECT_GT(row.Keys[0], 0) << name;
        for (int key : row.Keys)
            if (key > 0) {
                EXPECT_TRUE(keys.insert(key).second) << key << " has two rows";
                EXPECT_EQ(FindPresetParameters(key), &p) << key;
                const int code = key / 100 - 1, format = key % 100;
                EXPECT_TRUE(code >= 0 && code <= 34 && format <= 15) << key;
            }
        EXPECT_EQ(p.NameExt[0], '.') << name;
        EXPECT_TRUE(p.FileExt[0] == 0 || p.FileExt[0] == '.') << name;
        EXPECT_TRUE(VideoCodecs.count(p.VideoCodec)) << name << ": " << p.VideoCodec;
        EXPECT_TRUE(AudioCodecs.count(p.AudioCodec)) << name << ": " << p.AudioCodec;
        EXPECT_TRUE(SampleRates.count(p.AudioSampleRate)) << name;
        EXPECT_TRUE(std::set<std::string>({"", "XVID", "DX50"}).count(p.VideoTag)) << name;
        EXPECT_TRUE(std::set<std::string>({"", "1", "2"}).count(p.AudioChannels)) << name;
        EXPECT_TRUE(std::set<std::string>({"", "4:3", "16:9"}).count(p.FrameAspectRatio)) << name;
        EXPECT_TRUE(std::string(p.VideoTag).empty() || std::string(p.VideoCodec) == "mpeg4") << name;
        // A disc target leaves everything else to the engine.
        const bool target = *p.TargetType != 0;
        EXPECT_EQ(target, *p.NormType != 0) << name;
        if (target) {
            EXPECT_STREQ(p.FileExt, "") << name;
            EXPECT_EQ(p.VideoBitrate, AutoBitrate) << name;
            EXPECT_EQ(p.AudioBitrate, AutoBitrate) << name;
            EXPECT_STREQ(p.AudioChannels, "") << name;
        }
        // An audio-only set names no video value.
        if (p.AudioOnly) {
            EXPECT_STREQ(p.VideoCodec, "") << name;
            EXPECT_STREQ(p.FrameSize, "") << name;
            EXPECT_STREQ(p.FrameRate, "") << name;
            EXPECT_EQ(p.VideoBitrate, UnsetBitrate) << name;
        }

        TCurrentPreset preset;
        preset.Video_AddFileName = "/in/a.mkv";
        preset.Video_VideoFilters = "stale";
        preset.Video_OutPutFileName = "stale";
        ASSERT_TRUE(ApplyPresetParameters(row.Keys[0], preset)) << name;
        EXPECT_EQ(preset.Video_FileExt, p.FileExt) << name;
        EXPECT_EQ(preset.Video_VideoCodec, p.VideoCodec) << name;
        EXPECT_EQ(preset.Video_VideoTag, p.VideoTag) << name;
        EXPECT_EQ(preset.Video_FrameSize, p.FrameSize) << name;
        EXPECT_EQ(preset.Video_FrameRate, p.FrameRate) << name;
        EXPECT_EQ(preset.Video_VideoBitrate, p.VideoBitrate) << name;
        EXPECT_EQ(preset.Video_FrameAspectRatio, p.FrameAspectRatio) << name;
        EXPECT_EQ(preset.Video_AudioCodec, p.AudioCodec) << name;
        EXPECT_EQ(preset.Video_AudioChannels, p.AudioChannels) << name;
        EXPECT_EQ(preset.Video_AudioSampleRate, p.AudioSampleRate) << name;
        EXPECT_EQ(preset.Video_AudioBitrate, p.AudioBitrate) << name;
        EXPECT_EQ(preset.Video_TargetType, p.TargetType) << name;
        EXPECT_EQ(preset.Video_NormType, p.NormType) << name;
        EXPECT_EQ(preset.Video_DisableVideo, p.AudioOnly) << name;
        // What the set does not name keeps its reset value.
        EXPECT_EQ(preset.Video_AudioVolume, "256") << name;
        EXPECT_EQ(preset.Video_VideoFilters, "") << name;
        EXPECT_EQ(preset.Video_FileFormat, "") << name;
        EXPECT_EQ(preset.Video_CopyTimestamp, "") << name;
        EXPECT_EQ(preset.Video_OutPutFileName, "") << name;
        EXPECT_EQ(preset.Video_AddFileName, "/in/a.mkv") << name;
    }
    EXPECT_EQ(PresetParameterKeys(), std::vector<int>(keys.begin(), keys.end()));
}

// Every preset the main window offers has a set, its name extension is its
// title's, and it is audio only exactly when its option lists offer no video.
TEST(PresetParameters, EveryOfferedPresetHasASetThatMatchesItsTitleAndLists) {
    for (const TOptionRow& row : OptionRows()) {
        const TPresetParameters* p = FindPresetParameters(row.Key);
        ASSERT_NE(p, nullptr) << row.Key;
        EXPECT_EQ(p->NameExt, TitleExt(row.Title)) << row.Key << " " << row.Title;
        EXPECT_EQ(p->AudioOnly, row.AudioOnly) << row.Key;
        EXPECT_EQ(IsAudioOnlyPreset(row.Key), p->AudioOnly) << row.Key;
    }
    const int audioOnly[] = {200,  201,  202,  203,  204,  205,  206,  207,  208,  209,  210,
                             211,  212,  708,  1202, 1203, 1505, 1506, 2900, 2901, 2902, 2903,
                             3000, 3001, 3002, 3003, 3100, 3101, 3102, 3103, 3215, 3312};
    for (int key : audioOnly)
        EXPECT_TRUE(IsAudioOnlyPreset(key)) << key;
}

struct TTellingRow {
    int Key;
    const char* NameExt;
    const char* FileExt;
    const char* VideoCodec;
    const char* FrameSize;
    int VideoBitrate;
    const char* AudioCodec;
    const char* AudioChannels;
    int AudioBitrate;
    const char* Target;
};

TEST(PresetParameters, KeepsTheCataloguesOddRows) {
    const TTellingRow rows[] = {
        {100, ".avi", ".avi", "mpeg4", "", 816000, "libmp3lame", "2", 128000, ""},
        {109, ".3gp", ".3gp", "mpeg4", "176*144", 128000, "libfaac", "1", 12000, ""},
        {111, ".mpg", "", "", "", AutoBitrate, "", "", AutoBitrate, "dvd"},
        {114, ".rm", "", "rv20", "320*240", UnsetBitrate, "", "", UnsetBitrate, ""},
        {206, ".ra", ".rm", "", "", UnsetBitrate, "", "2", 128000, ""},
        {211, ".m4a", ".m4a", "", "", UnsetBitrate, "", "2", 128000, ""},
        {212, ".amr", ".amr", "", "", UnsetBitrate, "libopencore_amrnb", "1", 7400, ""},
        {306, ".wmv", ".asf", "wmv2", "1280*720", 1600000, "wmav2", "2", 128000, ""},
        {1202, ".flv", "", "", "", UnsetBitrate, "libmp3lame", "2", 128000, ""},
        // The output name follows the title; the catalogue's container stays as data.
        {3200, ".mp4", ".avi", "libx264", "", 1000000, "libmp3lame", "2", 128000, ""},
        {2506, ".vob", "", "", "", AutoBitrate, "", "", AutoBitrate, "dvd"},
        {2411, ".vob", ".vob", "", "1280*720", 1600000, "libfaac", "2", 128000, ""},
        {909, ".avi", ".mp4", "msmpeg4v1", "1280*720", 1200000, "libmp3lame", "2", 128000, ""},
    };
    for (const TTellingRow& r : rows) {
        const TPresetParameters* p = FindPresetParameters(r.Key);
        ASSERT_NE(p, nullptr) << r.Key;
        EXPECT_STREQ(p->NameExt, r.NameExt) << r.Key;
        EXPECT_STREQ(p->FileExt, r.FileExt) << r.Key;
        EXPECT_STREQ(p->VideoCodec, r.VideoCodec) << r.Key;
        EXPECT_STREQ(p->FrameSize, r.FrameSize) << r.Key;
        EXPECT_EQ(p->VideoBitrate, r.VideoBitrate) << r.Key;
        EXPECT_STREQ(p->AudioCodec, r.AudioCodec) << r.Key;
        EXPECT_STREQ(p->AudioChannels, r.AudioChannels) << r.Key;
        EXPECT_EQ(p->AudioBitrate, r.AudioBitrate) << r.Key;
        EXPECT_STREQ(p->TargetType, r.Target) << r.Key;
    }
}

TEST(PresetParameters, AKeyWithoutASetOnlyResets) {
    for (int key : {-1, 0, 99, 115, 213, 1411, 3216, 3600}) {
        TCurrentPreset preset;
        preset.Video_AddFileName = "/in/a.mkv";
        preset.Video_VideoCodec = "mpeg4";
        preset.Video_AudioBitrate = 5;
        EXPECT_FALSE(ApplyPresetParameters(key, preset)) << key;
        EXPECT_EQ(FindPresetParameters(key), nullptr) << key;
        EXPECT_EQ(preset.Video_VideoCodec, "") << key;
        EXPECT_EQ(preset.Video_AudioBitrate, UnsetBitrate) << key;
        EXPECT_EQ(preset.Video_AddFileName, "/in/a.mkv") << key;
    }
}

TEST(PresetParameters, RowColumnsCarryThePresetInColumnOrder) {
    TCurrentPreset audio;
    ApplyPresetParameters(200, audio);
    EXPECT_EQ(PresetRowColumns(audio),
              (std::array<std::string, 14>{"", "libmp3lame", "2", "", ".mp3", "", "-1", "", "128000", "48000", "",
                                           "True", "", ""}));
    TCurrentPreset disc;
    ApplyPresetParameters(113, disc);
    EXPECT_EQ(PresetRowColumns(disc), (std::array<std::string, 14>{"", "", "", "", "", "", "-1000", "", "-1000", "",
                                                                   "", "False", "vcd", "PAL"}));
    TCurrentPreset divx;
    ApplyPresetParameters(1310, divx);
    EXPECT_EQ(PresetRowColumns(divx),
              (std::array<std::string, 14>{"mpeg4", "libfaac", "2", "DX50", ".avi", "1280*720", "1200000", "29.97",
                                           "128000", "44100", "", "False", "", ""}));
}

} // namespace
