#include <gtest/gtest.h>

#include <vector>

#include "engine/log/Logger.h"
#include "engine/util/FFOptions.h"
#include "tests/engine_base/EngineTestSupport.h"

namespace {

class FFOptionsTest : public testing::Test {
protected:
    void SetUp() override {
        BindMediaLibraries();
        AllocFFOptions(Options, SWS_BICUBIC);
        GetFFLogger()->OnLog = [this](TObject*, TLogThreadID, TLogLevel level, const std::string& text) {
            Logged.push_back({level, text});
        };
    }
    void TearDown() override {
        FreeFFOptions(Options);
        GetFFLogger()->OnLog = nullptr;
        GetFFLogger()->SetLogLevel(llInfo);
    }
    std::string Dict(AVDictionary* dict, const char* key) {
        const AVDictionaryEntry* e = AVLib.av_dict_get(dict, key, nullptr, 0);
        return e ? e->value : "";
    }
    AVCodecContext* Codec(AVMediaType type) { return Options.avcodec_opts[type]; }

    TFFOptions Options;
    std::vector<std::pair<TLogLevel, std::string>> Logged;
};

}  // namespace

TEST_F(FFOptionsTest, SetsGenericOptionsOnTheirContexts) {
    EXPECT_TRUE(SetFFOption(Options, "b", "1000"));
    EXPECT_EQ(Codec(AVMEDIA_TYPE_VIDEO)->bit_rate, 1000);
    EXPECT_EQ(Codec(AVMEDIA_TYPE_AUDIO)->bit_rate, 1000);
    EXPECT_TRUE(SetFFOption(Options, "g", "50"));
    EXPECT_EQ(Codec(AVMEDIA_TYPE_VIDEO)->gop_size, 50);
    EXPECT_TRUE(SetFFOption(Options, "vg", "30"));  // no such name: "g" of the video context
    EXPECT_EQ(Codec(AVMEDIA_TYPE_VIDEO)->gop_size, 30);
    EXPECT_TRUE(SetFFOption(Options, "ab", "64000"));  // the audio contexts' own bit rate
    EXPECT_EQ(Codec(AVMEDIA_TYPE_AUDIO)->bit_rate, 64000);
    EXPECT_EQ(Codec(AVMEDIA_TYPE_VIDEO)->bit_rate, 1000);
    EXPECT_TRUE(SetFFOption(Options, "packetsize", "2048"));
    EXPECT_EQ(Options.avformat_opts->packet_size, 2048u);
    EXPECT_TRUE(SetFFOption(Options, "sws_flags", "bilinear"));
    int64_t flags = 0;
    ASSERT_GE(av_opt_get_int(Options.sws_opts, "sws_flags", 0, &flags), 0);
    EXPECT_EQ(flags, SWS_BILINEAR);
    EXPECT_EQ(Options.opt_names, (std::vector<std::string>{"b", "g", "g", "ab", "packetsize", "sws_flags"}));
    EXPECT_TRUE(Logged.empty());
}

TEST_F(FFOptionsTest, KeepsOptionsOfParticularCodecsAndMuxersForTheirOpening) {
    EXPECT_TRUE(SetFFOption(Options, "crf", "23"));
    EXPECT_EQ(Dict(Options.codec_dict[AVMEDIA_TYPE_VIDEO], "crf"), "23");
    EXPECT_EQ(Dict(Options.codec_dict[AVMEDIA_TYPE_AUDIO], "crf"), "");
    EXPECT_TRUE(SetFFOption(Options, "muxrate", "10080000"));
    EXPECT_EQ(Dict(Options.format_dict, "muxrate"), "10080000");
    EXPECT_TRUE(Options.opt_names.empty());
}

TEST_F(FFOptionsTest, RefusesUnknownNamesSilentlyAndBadValuesWithALine) {
    const std::pair<const char*, const char*> refused[] = {
        {"zzzunknown", "1"}, {"azzzunknown", "1"}, {"b", ""}, {"b", "  "}, {" ", "1"},
    };
    for (const auto& [name, value] : refused)
        EXPECT_FALSE(SetFFOption(Options, name, value)) << name << "=" << value;
    EXPECT_TRUE(Logged.empty());

    EXPECT_FALSE(SetFFOption(Options, "b", "abc"));
    ASSERT_FALSE(Logged.empty());  // the library explains its refusal first
    EXPECT_EQ(Logged.back().first, llError);
    EXPECT_EQ(Logged.back().second, "Invalid value \"abc\" for option \"b\"");
    EXPECT_TRUE(Options.opt_names.empty());
}

TEST_F(FFOptionsTest, TurnsTheLoggerToDebugForADebugOption) {
    EXPECT_TRUE(SetFFOption(Options, "debug", "pict"));
    EXPECT_EQ(GetFFLogger()->LogLevel(), llDebug);
}

TEST_F(FFOptionsTest, CopiesTheOptionsSetSoFarByFlagMask) {
    ASSERT_TRUE(SetFFOption(Options, "b", "1000"));
    ASSERT_TRUE(SetFFOption(Options, "g", "50"));
    AVCodecContext* video = AVLib.avcodec_alloc_context3(nullptr);
    AVCodecContext* audio = AVLib.avcodec_alloc_context3(nullptr);
    ApplyFFOptions(Options, video, Codec(AVMEDIA_TYPE_VIDEO), AV_OPT_FLAG_VIDEO_PARAM | AV_OPT_FLAG_ENCODING_PARAM);
    ApplyFFOptions(Options, audio, Codec(AVMEDIA_TYPE_AUDIO), AV_OPT_FLAG_AUDIO_PARAM | AV_OPT_FLAG_ENCODING_PARAM);
    EXPECT_EQ(video->bit_rate, 1000);
    EXPECT_EQ(video->gop_size, 50);
    EXPECT_EQ(audio->bit_rate, 1000);
    EXPECT_EQ(audio->gop_size, 12);  // "g" is a video option: left at its default
    AVLib.avcodec_free_context(&video);
    AVLib.avcodec_free_context(&audio);
}
