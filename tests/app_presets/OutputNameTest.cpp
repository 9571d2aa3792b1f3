#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "app/presets/OutputName.h"
#include "app/presets/PresetParameters.h"
#include "platform/core/Path.h"
#include "tests/media/TempFolder.h"

namespace {

struct TNameCase {
    const char* Source;
    const char* Ext;
    const char* Folder;
    bool Overwrite;
    std::set<std::string> Existing;
    std::set<std::string> Reserved;
    const char* Expected;
};

TEST(OutputName, FollowsTheNamingRule) {
    const TNameCase cases[] = {
        {"/v/clip.mkv", ".avi", "/out", false, {}, {}, "/out/clip.avi"},
        {"/v/clip.mkv", ".avi", "/out", false, {"/out/clip.avi"}, {}, "/out/clip_1.avi"},
        {"/v/clip.mkv", ".avi", "/out", false, {"/out/clip.avi", "/out/clip_1.avi"}, {}, "/out/clip_2.avi"},
        {"/v/clip.mkv", ".avi", "/out", false, {"/out/clip_1.avi"}, {}, "/out/clip.avi"},
        {"/v/clip.mkv", ".avi", "/out", true, {"/out/clip.avi", "/out/clip_1.avi"}, {}, "/out/clip.avi"},
        // Only the last extension goes; a name without one gets it appended.
        {"/v/clip.final.mov", ".avi", "/out", false, {}, {}, "/out/clip.final.avi"},
        {"/v/a.b.mkv", ".avi", "/out", false, {}, {}, "/out/a.b.avi"},
        {"/v/clip", ".avi", "/out", false, {}, {}, "/out/clip.avi"},
        {"/v.d/clip", ".mp4", "/out", false, {}, {}, "/out/clip.mp4"},
        {"/v/clip.", ".avi", "/out", false, {}, {}, "/out/clip.avi"},
        {"/v/.hidden", ".mp3", "/out", false, {}, {}, "/out/.hidden.mp3"},
        {"/v/.hidden.wav", ".mp3", "/out", false, {}, {}, "/out/.hidden.mp3"},
        // The folder with or without its delimiter, or none at all.
        {"/v/clip.mkv", ".avi", "/out/", false, {}, {}, "/out/clip.avi"},
        {"/v/clip.mkv", ".avi", "", false, {}, {}, "clip.avi"},
        {"clip.mkv", ".ra", "/", false, {}, {}, "/clip.ra"},
        // Names and folders in Chinese, with blanks.
        {"/视频/测试 视频.mkv", ".avi", "/输出", false, {}, {}, "/输出/测试 视频.avi"},
        {"/视频/测试 视频.mkv", ".avi", "/输出", false, {"/输出/测试 视频.avi"}, {}, "/输出/测试 视频_1.avi"},
        // A name a job in the list will write is taken even when overwriting.
        {"/v/clip.mkv", ".avi", "/out", true, {}, {"/out/clip.avi"}, "/out/clip_1.avi"},
        {"/v/clip.mkv", ".avi", "/out", false, {"/out/clip.avi"}, {"/out/clip_1.avi"}, "/out/clip_2.avi"},
    };
    for (const TNameCase& c : cases) {
        TOutputNameRule rule;
        rule.Folder = c.Folder;
        rule.Overwrite = c.Overwrite;
        rule.FileExists = [&](const std::string& name) { return c.Existing.count(name) > 0; };
        rule.Reserved = [&](const std::string& name) { return c.Reserved.count(name) > 0; };
        EXPECT_EQ(BuildOutputName(c.Source, c.Ext, rule), c.Expected) << c.Source << " in " << c.Folder;
    }
}

TEST(OutputName, CountsFilesThatExistInTheFolder) {
    testmedia::TTempFolder folder;
    TOutputNameRule rule;
    rule.Folder = folder.Path();
    for (const char* name : {"片段.avi", "片段_1.avi", "片段_3.avi", "other.avi", "片段_2"})
        std::ofstream(folder.File(name)) << "x";
    ForceDirectories(folder.File("目录.avi"));
    EXPECT_EQ(BuildOutputName("/源/片段.mkv", ".avi", rule), folder.File("片段_2.avi"));
    EXPECT_EQ(BuildOutputName("/源/目录.mkv", ".avi", rule), folder.File("目录_1.avi"));
    rule.Overwrite = true;
    EXPECT_EQ(BuildOutputName("/源/片段.mkv", ".avi", rule), folder.File("片段.avi"));
    // A folder of that name cannot be written over.
    EXPECT_EQ(BuildOutputName("/源/目录.mkv", ".avi", rule), folder.File("目录_1.avi"));
}

TEST(OutputName, RefusesASourceWithoutAFileName) {
    TOutputNameRule rule;
    rule.Folder = "/out";
    for (const char* source : {"", "/", "/v/"})
        EXPECT_THROW(BuildOutputName(source, ".avi", rule), EOutputNameError) << source;
}

// Applying a preset for the file being added names its output.
TEST(OutputName, IsMadeWhenAPresetIsApplied) {
    TOutputNameRule rule;
    rule.Folder = "/out";
    rule.FileExists = [](const std::string& name) { return name == "/out/clip.avi"; };
    TCurrentPreset preset;
    preset.Video_AddFileName = "/v/clip.mkv";
    ASSERT_TRUE(ApplyPresetForFile(100, rule, preset));
    EXPECT_EQ(preset.Video_OutPutFileName, "/out/clip_1.avi");
    ASSERT_TRUE(ApplyPresetForFile(3200, rule, preset));
    EXPECT_EQ(preset.Video_OutPutFileName, "/out/clip.mp4");
    EXPECT_EQ(preset.Video_FileExt, ".avi");
    ASSERT_TRUE(ApplyPresetForFile(206, rule, preset));
    EXPECT_EQ(preset.Video_OutPutFileName, "/out/clip.ra");
    // No file being added: no name.
    TCurrentPreset empty;
    ASSERT_TRUE(ApplyPresetForFile(100, rule, empty));
    EXPECT_EQ(empty.Video_OutPutFileName, "");
    // A key without a set resets and names nothing.
    EXPECT_FALSE(ApplyPresetForFile(115, rule, preset));
    EXPECT_EQ(preset.Video_OutPutFileName, "");
    EXPECT_EQ(preset.Video_AddFileName, "/v/clip.mkv");
}

} // namespace

TEST(OutputName, ExtensionIsFromTheLastDotOfTheFileName) {
    const std::pair<const char*, const char*> cases[] = {
        {"out/a.b.avi", ".avi"}, {"out/noext", ""}, {"out/.avi", ""}, {"out.dir/clip", ""}, {"", ""}};
    for (const auto& [name, extension] : cases)
        EXPECT_EQ(NameExtensionOf(name), extension) << name;
}
