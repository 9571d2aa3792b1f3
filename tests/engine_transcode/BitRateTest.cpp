#include <iostream>
#include <string>

#include "engine/options/OptionRecords.h"
#include "tests/engine_transcode/TranscodeTestSupport.h"

namespace {

// Bytes of the packets of each media type in a file.
struct TStreamBytes {
    int64_t Video = -1, Audio = -1;
};

TStreamBytes ReadStreamBytes(const std::string& path) {
    TStreamBytes bytes;
    AVFormatContext* ctx = nullptr;
    if (avformat_open_input(&ctx, path.c_str(), nullptr, nullptr) != 0)
        return bytes;
    bytes = {0, 0};
    AVPacket* pkt = av_packet_alloc();
    while (av_read_frame(ctx, pkt) >= 0) {
        const AVMediaType type = ctx->streams[pkt->stream_index]->codecpar->codec_type;
        (type == AVMEDIA_TYPE_VIDEO ? bytes.Video : bytes.Audio) += type == AVMEDIA_TYPE_SUBTITLE ? 0 : pkt->size;
        av_packet_unref(pkt);
    }
    av_packet_free(&pkt);
    avformat_close_input(&ctx);
    return bytes;
}

enum TForm { fmParse, fmText };  // ParseOption, or an output's option text as SetOutputFile takes it

// A bit rate given one way into a container; the video and audio streams are
// compared with a conversion without it.
struct TRateCase {
    const char* Output;
    const char* AudioCodec;  // as the probe names the decoder
    TForm Form;
    const char* Name;
    const char* Value;
    bool VideoChanges, AudioChanges;
};

const TRateCase RateCases[] = {
    {"b.mkv", "vorbis", fmParse, "b", "300000", true, false},
    {"vb.mkv", "vorbis", fmParse, "vb", "300000", true, false},
    {"b_text.mkv", "vorbis", fmText, "b", "300000", true, false},
    {"vb_text.mkv", "vorbis", fmText, "vb", "300000", true, false},
    {"ab.mkv", "vorbis", fmParse, "ab", "32000", false, true},
    {"b.mp4", "aac", fmParse, "b", "300000", true, false},
    {"vb.mp4", "aac", fmParse, "vb", "300000", true, false},
    {"b_text.mp4", "aac", fmText, "b", "300000", true, false},
    {"vb_text.mp4", "aac", fmText, "vb", "300000", true, false},
    {"ab.mp4", "aac", fmParse, "ab", "32000", false, true},
};

bool Near(int64_t a, int64_t b) {
    return std::abs(double(a - b)) <= 0.01 * double(b);
}

// "b" and "vb" are the video encoder's bit rate and "ab" the audio encoder's:
// neither reaches the other stream (libvorbis would refuse a video rate, the
// AAC encoder would silently take it).
TEST_F(TranscodeTest, BitRatesReachOnlyTheirOwnStream) {
    for (const TRateCase& c : RateCases) {
        const std::string name = std::string(c.Output) + " " + c.Name + (c.Form == fmText ? " (text)" : "");
        const std::string extension = std::string(c.Output).substr(std::string(c.Output).rfind('.'));
        const std::string reference = Scratch("reference" + extension);
        ASSERT_TRUE(Convert(Media("va"), reference)) << name << ": " << Job->LastErrMsg();
        ASSERT_TRUE(Job->Finished()) << name << ": " << Job->FatalMessage();

        const std::string output = Scratch(c.Output);
        ASSERT_TRUE(Convert(Media("va"), output, [&](TCustomFFmpeg& j) {
            if (c.Form == fmParse) {
                j.ParseOption(c.Name, c.Value);
            } else {
                TOutputOptions options;
                OutputOptionsFromText(std::string(c.Name) + "=" + c.Value, options);
                TStreamDefaults defaults;
                ApplyOutputOptions(j, options, defaults);
            }
        })) << name << ": " << Job->LastErrMsg();
        EXPECT_TRUE(Job->Finished()) << name << ": " << Job->FatalMessage();
        EXPECT_FALSE(Job->FatalException()) << name << ": " << Job->FatalMessage();

        const TOutputFacts facts = ReadOutput(output);
        ASSERT_TRUE(facts.Opened) << name;
        EXPECT_EQ(facts.AudioCodec, c.AudioCodec) << name;
        EXPECT_EQ(facts.SampleRate, 22050) << name;
        const TStreamBytes got = ReadStreamBytes(output), base = ReadStreamBytes(reference);
        std::cout << "[ RATES    ] " << name << ": video " << got.Video << " (" << base.Video << ") bytes, audio "
                  << got.Audio << " (" << base.Audio << ") bytes\n";
        ASSERT_GT(got.Video, 0) << name;
        ASSERT_GT(got.Audio, 0) << name;
        EXPECT_EQ(!Near(got.Video, base.Video), c.VideoChanges)
            << name << ": video " << got.Video << " bytes, without the option " << base.Video;
        EXPECT_EQ(!Near(got.Audio, base.Audio), c.AudioChanges)
            << name << ": audio " << got.Audio << " bytes, without the option " << base.Audio;
    }
}

} // namespace
