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
    const int64_t audioDefault = Codec(AVMEDIA_TYPE_AUDIO)->bit_rate;
    EXPECT_TRUE(SetFFOption(Options, "b", "1000"));  // the video encoder's bit rate only
    EXPECT_EQ(Codec(AVMEDIA_TYPE_VIDEO)->bit_rate, 1000);
    EXPECT_EQ(Codec(AVMEDIA_TYPE_AUDIO)->bit_rate, audioDefault);
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
    audio->bit_rate = 96000;
    ApplyFFOptions(Options, video, Codec(AVMEDIA_TYPE_VIDEO), AV_OPT_FLAG_VIDEO_PARAM | AV_OPT_FLAG_ENCODING_PARAM);
    ApplyFFOptions(Options, audio, Codec(AVMEDIA_TYPE_AUDIO), AV_OPT_FLAG_AUDIO_PARAM | AV_OPT_FLAG_ENCODING_PARAM);
    EXPECT_EQ(video->bit_rate, 1000);
    EXPECT_EQ(video->gop_size, 50);
    EXPECT_EQ(audio->bit_rate, 96000);  // "b" was set for video only
    EXPECT_EQ(audio->gop_size, 12);  // "g" is a video option: left at its default
    AVLib.avcodec_free_context(&video);
    AVLib.avcodec_free_context(&audio);
}

// Rate-control names the libraries flag for video and audio alike: bare (or
// with "v") they are the video encoder's, with "a" the audio encoder's, and
// the copy onto an encoder never carries one over to the other media type.
TEST_F(FFOptionsTest, RateControlNamesReachOnlyTheirOwnMediaType) {
    struct TCase {
        const char* Name;
        const char* Field;  // the codec context option that holds it
        AVMediaType Type;   // the media type that must get it
    };
    const TCase cases[] = {
        {"b", "b", AVMEDIA_TYPE_VIDEO},           {"vb", "b", AVMEDIA_TYPE_VIDEO},
        {"maxrate", "maxrate", AVMEDIA_TYPE_VIDEO}, {"minrate", "minrate", AVMEDIA_TYPE_VIDEO},
        {"bufsize", "bufsize", AVMEDIA_TYPE_VIDEO}, {"trellis", "trellis", AVMEDIA_TYPE_VIDEO},
        {"ab", "b", AVMEDIA_TYPE_AUDIO},          {"amaxrate", "maxrate", AVMEDIA_TYPE_AUDIO},
        {"abufsize", "bufsize", AVMEDIA_TYPE_AUDIO}, {"atrellis", "trellis", AVMEDIA_TYPE_AUDIO},
    };
    for (const TCase& c : cases) {
        FreeFFOptions(Options);
        AllocFFOptions(Options, SWS_BICUBIC);
        ASSERT_TRUE(SetFFOption(Options, c.Name, "2")) << c.Name;
        for (AVMediaType type : {AVMEDIA_TYPE_VIDEO, AVMEDIA_TYPE_AUDIO}) {
            AVCodecContext* enc = AVLib.avcodec_alloc_context3(nullptr);
            int64_t before = 0, after = 0;
            ASSERT_GE(av_opt_get_int(enc, c.Field, 0, &before), 0) << c.Name;
            const int flags = type == AVMEDIA_TYPE_VIDEO ? AV_OPT_FLAG_VIDEO_PARAM : AV_OPT_FLAG_AUDIO_PARAM;
            ApplyFFOptions(Options, enc, Codec(type), flags | AV_OPT_FLAG_ENCODING_PARAM);
            ASSERT_GE(av_opt_get_int(enc, c.Field, 0, &after), 0) << c.Name;
            EXPECT_EQ(after, type == c.Type ? 2 : before) << c.Name << " on " << (type ? "audio" : "video");
            AVLib.avcodec_free_context(&enc);
        }
    }
}
