#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "engine/util/FileNames.h"
#include "tests/engine_base/EngineTestSupport.h"
#include "tests/media/SampleMedia.h"
#include "tests/media/TempFolder.h"

TEST(FileNames, PassNamesByteExactUnlessTheyLookLikeAProtocol) {
    const std::pair<const char*, const char*> cases[] = {
        {"/tmp/a:b.avi", "/tmp/a:b.avi"},
        {"dir/a:b.avi", "dir/a:b.avi"},
        {"a:b.avi", "file:a:b.avi"},
        {"C:x.avi", "file:C:x.avi"},
        {"file:x.avi", "file:file:x.avi"},
        {"测试 视频.avi", "测试 视频.avi"},
        {"视频:1.avi", "视频:1.avi"},
        {"my clip:1.avi", "my clip:1.avi"},
        {"\xff\xfe:odd.avi", "\xff\xfe:odd.avi"},
        {"http://host/a:b", "http://host/a:b"},
        {"https://host/x", "https://host/x"},
        {"stream:1234:data", "stream:1234:data"},
        {"unicode:utf8:名字.avi", "unicode:utf8:名字.avi"},
        {"plain.avi", "plain.avi"},
    };
    for (const auto& [name, av] : cases) {
        EXPECT_EQ(FileNameToAV(name), av) << name;
        if (std::string(name).rfind("unicode:", 0) != 0) {
            EXPECT_EQ(AVToFileName(FileNameToAV(name)), name) << name;
        }
    }
    EXPECT_EQ(AVToFileName("unicode:utf8:名字.avi"), "名字.avi");
    EXPECT_EQ(AVToFileName("file:/abs/x.avi"), "file:/abs/x.avi");
}

TEST(FileNames, RecogniseTheUnicodeFormOnlyWithAName) {
    EXPECT_FALSE(IsUnicodeName("unicode:utf8:"));
    EXPECT_TRUE(IsUnicodeName("unicode:utf8:a"));
    EXPECT_FALSE(IsUnicodeName("unicode:utf16:a"));
    EXPECT_EQ(AVToFileName("unicode:utf8:"), "unicode:utf8:");
}

TEST(FileNames, OpenANameWithAColonInTheWorkingFolder) {
    BindMediaLibraries();
    testmedia::TTempFolder folder;
    const auto sample = testmedia::MakeSample(folder.Path(), testmedia::TSampleKind::WavAudio);
    std::filesystem::rename(sample.Path, folder.File("x:tone.wav"));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());

    AVFormatContext* ctx = nullptr;
    EXPECT_EQ(AVLib.avformat_open_input(&ctx, "x:tone.wav", nullptr, nullptr), AVERROR_PROTOCOL_NOT_FOUND);
    ASSERT_EQ(AVLib.avformat_open_input(&ctx, FileNameToAV("x:tone.wav").c_str(), nullptr, nullptr), 0);
    EXPECT_EQ(AVToFileName(ctx->url), "x:tone.wav");
    AVLib.avformat_close_input(&ctx);
    std::filesystem::current_path(previous);
}
