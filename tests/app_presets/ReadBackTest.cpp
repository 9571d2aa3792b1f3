// Reading the option entries back into the current preset, and the two codes a job row
// keeps of its choices.
#include <gtest/gtest.h>

#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <locale>

#include "app/presets/JobRowCodes.h"
#include "app/presets/OptionReadBack.h"
#include "platform/core/Exception.h"

namespace {

struct TDecodeCase {
    TOptionKind Kind;
    const char* Text;
    const char* Field;  // the value as the row column shows it
};

const TDecodeCase DecodeCases[] = {
    {TOptionKind::AudioBitrate, "5.15 kbps", "5150"},
    {TOptionKind::AudioBitrate, "7.95 kbps", "7950"},
    {TOptionKind::AudioBitrate, "4.75 kbps", "4750"},
    {TOptionKind::AudioBitrate, "2.01 kbps", "2010"},
    {TOptionKind::AudioBitrate, "12.2 kbps", "12200"},
    {TOptionKind::AudioBitrate, "7.4 kbps", "7400"},
    {TOptionKind::AudioBitrate, "116 kbps", "116000"},
    {TOptionKind::VideoBitrate, "816 kbps", "816000"},
    {TOptionKind::VideoBitrate, "无视频", "-1000"},
    {TOptionKind::FrameSize, "保持原分辨率", ""},
    {TOptionKind::FrameSize, "该格式无视频", ""},
    {TOptionKind::FrameSize, "640*353", "640*353"},
    {TOptionKind::FrameRate, "1", "1"},
    {TOptionKind::FrameRate, "23.97", "23.97"},
    {TOptionKind::FrameRate, "保持原帧速率", ""},
    {TOptionKind::FrameRate, "无视频", ""},
    {TOptionKind::SampleRate, "44100", "44100"},
    {TOptionKind::Aspect, "保持原视频模式", ""},
    {TOptionKind::Aspect, "普通视频4:3模式", "4:3"},
    {TOptionKind::Aspect, "宽屏视频16:9模式", "16:9"},
    {TOptionKind::Aspect, "宽屏视频37:20模式", "37:20"},
    {TOptionKind::Aspect, "宽屏视频47:20模式", "47:20"},
    {TOptionKind::Aspect, "无视频", ""},
    {TOptionKind::Aspect, "宽屏视频4:3模式", "kept"},  // unknown: the aspect stays
};

void CheckDecoding()
{
    for (const auto& c : DecodeCases) {
        SCOPED_TRACE(c.Text);
        TCurrentPreset preset;
        preset.Video_FrameAspectRatio = "kept";
        ASSERT_TRUE(ReadOptionInto(c.Kind, c.Text, preset));
        EXPECT_EQ(OptionFieldText(c.Kind, preset), c.Field);
    }
}

TEST(OptionReadBack, DecodesEveryKindOfEntry)
{
    CheckDecoding();
}

// A C locale whose decimal separator is a comma: an installed one, else one compiled
// into a temporary folder. Empty when neither is possible.
std::string UseCommaLocale(const std::string& folder)
{
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
        if (std::setlocale(LC_ALL, name) && std::string(std::localeconv()->decimal_point) == ",")
            return name;
    std::string command = "localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) == -1)
        return {};
    setenv("LOCPATH", folder.c_str(), 1);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") && std::string(std::localeconv()->decimal_point) == ",")
        return "de_DE.UTF-8";
    return {};
}

struct TCommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(OptionReadBack, DecimalsDoNotDependOnTheLocale)
{
    std::string folder = std::filesystem::temp_directory_path() / ("zarvo_locale_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::string old = std::setlocale(LC_ALL, nullptr);
    std::string name = UseCommaLocale(folder);
    std::locale::global(std::locale(std::locale::classic(), new TCommaPoint));
    CheckDecoding();
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, old.c_str());
    unsetenv("LOCPATH");
    std::filesystem::remove_all(folder);
    if (name.empty())
        GTEST_SKIP() << "no C locale with a decimal comma could be made; checked under a C++ one only";
}

TEST(OptionReadBack, RefusesTextsItCannotRead)
{
    const std::pair<TOptionKind, const char*> cases[] = {
        {TOptionKind::AudioBitrate, ""},           {TOptionKind::AudioBitrate, "kbps"},
        {TOptionKind::AudioBitrate, "1.2345 kbps"}, {TOptionKind::AudioBitrate, "7,95 kbps"},
        {TOptionKind::AudioBitrate, "-5 kbps"},    {TOptionKind::VideoBitrate, "99999999 kbps"},
        {TOptionKind::VideoBitrate, "无视频 kbps"}, {TOptionKind::FrameSize, "无视频"},
        {TOptionKind::FrameSize, "1280x720"},      {TOptionKind::FrameRate, "25,00"},
        {TOptionKind::SampleRate, ""},             {TOptionKind::SampleRate, "44.1k"},
    };
    for (const auto& [kind, text] : cases) {
        TCurrentPreset preset;
        preset.Video_FrameSize = "640*480";
        preset.Video_FrameRate = "30.00";
        preset.Video_AudioSampleRate = "48000";
        TCurrentPreset before = preset;
        EXPECT_FALSE(ReadOptionInto(kind, text, preset)) << text;
        EXPECT_EQ(OptionFieldText(kind, preset), OptionFieldText(kind, before)) << text;
    }
}

TEST(OptionReadBack, AllSixOrNone)
{
    TCurrentPreset preset;
    preset.Video_FrameSize = "640*480";
    preset.Video_VideoBitrate = 528000;
    std::array<std::optional<std::string>, OptionKindCount> entries = {
        std::string("1280*720"), std::string("1000 kbps"), std::string("25.00"),
        std::string("abc kbps"), std::string("44100"),     std::string("宽屏视频16:9模式")};
    EXPECT_FALSE(ReadOptionsInto(entries, preset));
    EXPECT_EQ(preset.Video_FrameSize, "640*480");
    EXPECT_EQ(preset.Video_VideoBitrate, 528000);
    EXPECT_EQ(preset.Video_FrameRate, "");

    entries[OptionSlot(TOptionKind::AudioBitrate)] = std::string("7.95 kbps");
    entries[OptionSlot(TOptionKind::SampleRate)].reset();  // nothing shown: left alone
    preset.Video_AudioSampleRate = "22050";
    EXPECT_TRUE(ReadOptionsInto(entries, preset));
    EXPECT_EQ(preset.Video_FrameSize, "1280*720");
    EXPECT_EQ(preset.Video_VideoBitrate, 1000000);
    EXPECT_EQ(preset.Video_FrameRate, "25.00");
    EXPECT_EQ(preset.Video_AudioBitrate, 7950);
    EXPECT_EQ(preset.Video_AudioSampleRate, "22050");
    EXPECT_EQ(preset.Video_FrameAspectRatio, "16:9");
    EXPECT_EQ(preset.Video_AudioVolume, "256");  // other fields untouched
}

TEST(JobRowCodes, OptionCodeKeepsTwoDigitsPerCombo)
{
    // Fill order: frame size, video bit rate, frame rate, audio bit rate, sample rate, aspect.
    std::string code = OptionCode({4, 9, 10, 27, 3, 1});
    // Code order: frame size, video bit rate, audio bit rate, aspect, frame rate, sample rate.
    EXPECT_EQ(code, "040927011003");
    auto indexes = ParseOptionCode(code);
    ASSERT_TRUE(indexes);
    EXPECT_EQ(*indexes, (std::array<int, 6>{4, 9, 10, 27, 3, 1}));
    // The frame rate is digits 9-10: only they change.
    EXPECT_EQ(SpliceOptionCode(code, TOptionKind::FrameRate, 4), "040927010403");
    EXPECT_EQ(SpliceOptionCode("", TOptionKind::SampleRate, 12), "000000000012");
    EXPECT_THROW(OptionCode({100, 0, 0, 0, 0, 0}), EConvertError);
    EXPECT_THROW(OptionCode({-1, 0, 0, 0, 0, 0}), EConvertError);
    for (const char* bad : {"", "04092701100", "0409270110033", "04092701100x", "-40927011003"})
        EXPECT_FALSE(ParseOptionCode(bad)) << bad;
    EXPECT_EQ(OptionValueColumn(TOptionKind::FrameSize), 16);
    EXPECT_EQ(OptionValueColumn(TOptionKind::Aspect), 21);
}

TEST(JobRowCodes, SelectionCodeUsesListPositions)
{
    EXPECT_EQ(SelectionCode(0, 3), "103");  // item 0 is code 13, yet the code says 103
    auto last = ParseSelectionCode("1512");
    ASSERT_TRUE(last);
    EXPECT_EQ(last->CategoryItem, 14);
    EXPECT_EQ(last->FormatItem, 12);
    for (const char* bad : {"", "99", "abc", "1o3", "-103", "12345678"})
        EXPECT_FALSE(ParseSelectionCode(bad)) << bad;
}

} // namespace
