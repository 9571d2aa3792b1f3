#include <cstdlib>
#include <iostream>
#include <utility>
#include <vector>

#include "tests/engine_transcode/TranscodeTestSupport.h"

namespace {

using TOptionList = std::vector<std::pair<std::string, std::string>>;

// One conversion of the generated "va" input (MPEG-4 160×120 at 25 fps and
// a 22050 Hz mono tone, both 1 s), given through the option language and
// checked by opening the output again.
struct TConversion {
    const char* Output;      // the file name decides the container unless an option does
    TOptionList Options;
    const char* Format;      // as the probe names it
    const char* VideoCodec;  // decoder names as the probe gives them; "" when no video stream is expected
    const char* VideoTag;    // nullptr: not checked
    int Width, Height;
    AVRational Rate;         // {0, 0}: not fixed by the case
    int Frames;              // video packets expected, ±2 (the last picture is not stretched)
    const char* AudioCodec;
    int SampleRate, Channels;
    int64_t Tolerance;       // µs around 1 s, for the container's duration and the decoded audio;
                             // Untimed: the container keeps no duration, only the decoded audio is checked
    const char* Warning;     // a warning the job must log, nullptr for none
};

const char* const SampleRateFallback = "Requested sampling rate unsupported using closest supported (32000)";
constexpr AVRational Ntsc{30000, 1001};
constexpr AVRational Pal{25, 1};
constexpr AVRational Free{0, 0};
constexpr int64_t Untimed = -1;

// Every muxer the presets use, with the codecs they put in it.
const TConversion Conversions[] = {
    // MPEG program streams and the disc targets.
    {"ps1.mpg", {}, "mpeg", "mpeg1video", nullptr, 160, 120, Pal, 25, "mp2", 22050, 1, 150000, nullptr},
    {"ps2.mpg", {{"vcodec", "mpeg2video"}, {"acodec", "ac3"}}, "mpeg", "mpeg2video", nullptr, 160, 120, Pal, 25,
     "ac3", 32000, 1, 150000, SampleRateFallback},
    {"ac3.vob", {{"vcodec", "mpeg2video"}, {"acodec", "ac3"}, {"ar", "48000"}}, "mpeg", "mpeg2video", nullptr, 160,
     120, Pal, 25, "ac3", 48000, 1, 150000, nullptr},
    {"mp2.vob", {}, "mpeg", "mpeg2video", nullptr, 160, 120, Pal, 25, "mp2", 22050, 1, 150000, nullptr},
    {"pal_vcd.mpg", {{"target", "pal-vcd"}}, "mpeg", "mpeg1video", nullptr, 352, 288, Pal, 25, "mp2", 44100, 2,
     150000, nullptr},
    {"ntsc_vcd.mpg", {{"target", "ntsc-vcd"}}, "mpeg", "mpeg1video", nullptr, 352, 240, Ntsc, 30, "mp2", 44100, 2,
     150000, nullptr},
    {"pal_svcd.mpg", {{"target", "pal-svcd"}}, "mpeg", "mpeg2video", nullptr, 480, 576, Pal, 25, "mp2", 44100, 2,
     150000, nullptr},
    {"ntsc_svcd.mpg", {{"target", "ntsc-svcd"}}, "mpeg", "mpeg2video", nullptr, 480, 480, Ntsc, 30, "mp2", 44100, 2,
     150000, nullptr},
    {"pal_dvd.mpg", {{"target", "pal-dvd"}}, "mpeg", "mpeg2video", nullptr, 720, 576, Pal, 25, "ac3", 48000, 2,
     150000, nullptr},
    {"ntsc_dvd.mpg", {{"target", "ntsc-dvd"}}, "mpeg", "mpeg2video", nullptr, 720, 480, Ntsc, 30, "ac3", 48000, 2,
     150000, nullptr},

    // AVI.
    {"xvid.avi", {{"vcodec", "mpeg4"}, {"vtag", "XVID"}, {"acodec", "libmp3lame"}}, "avi", "mpeg4", "XVID", 160, 120,
     Pal, 25, "mp3float", 22050, 1, 150000, nullptr},
    {"dx50.avi", {{"vcodec", "mpeg4"}, {"vtag", "DX50"}, {"acodec", "libmp3lame"}}, "avi", "mpeg4", "DX50", 160, 120,
     Pal, 25, "mp3float", 22050, 1, 150000, nullptr},
    {"libxvid.avi", {{"vcodec", "libxvid"}, {"acodec", "libmp3lame"}}, "avi", "mpeg4", nullptr, 160, 120, Pal, 25,
     "mp3float", 22050, 1, 150000, nullptr},
    {"x264.avi", {{"vcodec", "libx264"}, {"vpre", "default"}, {"acodec", "libmp3lame"}}, "avi", "h264", nullptr, 160,
     120, Pal, 25, "mp3float", 22050, 1, 150000, nullptr},
    {"aac.avi", {{"vcodec", "mpeg4"}, {"acodec", "aac"}}, "avi", "mpeg4", nullptr, 160, 120, Pal, 25, "aac", 22050, 1,
     150000, nullptr},

    // The MP4 family.
    {"x264.mp4", {{"vcodec", "libx264"}, {"vpre", "default"}}, "mov,mp4,m4a,3gp,3g2,mj2", "h264", nullptr, 160, 120,
     Pal, 25, "aac", 22050, 1, 150000, nullptr},
    {"mpeg4.mp4", {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}}, "mov,mp4,m4a,3gp,3g2,mj2", "mpeg4", nullptr, 160,
     120, Pal, 25, "mp3float", 22050, 1, 150000, nullptr},
    {"tone.m4a", {{"vn", ""}, {"acodec", "aac"}}, "mov,mp4,m4a,3gp,3g2,mj2", "", nullptr, -1, -1, Free, 0, "aac",
     22050, 1, 150000, nullptr},
    {"clip.mov", {{"vcodec", "mpeg4"}, {"acodec", "aac"}}, "mov,mp4,m4a,3gp,3g2,mj2", "mpeg4", nullptr, 160, 120, Pal,
     25, "aac", 22050, 1, 150000, nullptr},
    {"h263.3gp", {{"vcodec", "h263"}, {"s", "176x144"}, {"acodec", "aac"}, {"ar", "8000"}, {"ac", "1"}},
     "mov,mp4,m4a,3gp,3g2,mj2", "h263", nullptr, 176, 144, Pal, 25, "aac", 8000, 1, 150000, nullptr},
    {"mpeg4.3gp", {{"vcodec", "mpeg4"}, {"acodec", "aac"}, {"ar", "8000"}, {"ac", "1"}}, "mov,mp4,m4a,3gp,3g2,mj2",
     "mpeg4", nullptr, 160, 120, Pal, 25, "aac", 8000, 1, 150000, nullptr},

    // Windows Media, Flash, RealMedia and Matroska.
    {"v3.wmv", {{"vcodec", "msmpeg4"}, {"acodec", "wmav2"}}, "asf", "msmpeg4", nullptr, 160, 120, Free, 25, "wmav2",
     22050, 1, 150000, nullptr},
    {"v8.wmv", {{"vcodec", "wmv2"}, {"acodec", "wmav2"}}, "asf", "wmv2", nullptr, 160, 120, Free, 25, "wmav2", 22050,
     1, 150000, nullptr},
    {"clip.flv", {{"vcodec", "flv"}, {"acodec", "libmp3lame"}, {"ar", "22050"}}, "flv", "flv", nullptr, 160, 120, Free,
     25, "mp3float", 22050, 1, 150000, nullptr},
    {"clip.swf", {{"vcodec", "flv"}, {"acodec", "libmp3lame"}, {"ar", "22050"}}, "swf", "flv", nullptr, 160, 120, Free,
     25, "mp3float", 22050, 1, Untimed, nullptr},
    {"clip.rm", {{"vcodec", "rv20"}, {"acodec", "ac3"}}, "rm", "rv20", nullptr, 160, 120, Free, 25, "ac3", 32000, 1,
     150000, SampleRateFallback},
    {"small.mkv", {{"s", "96x64"}, {"vcodec", "libx264"}, {"vpre", "default"}}, "matroska,webm", "h264", nullptr, 96,
     64, Pal, 25, "vorbis", 22050, 1, 150000, nullptr},
    {"aac.mkv", {{"vcodec", "libx264"}, {"vpre", "default"}, {"acodec", "aac"}}, "matroska,webm", "h264", nullptr,
     160, 120, Pal, 25, "aac", 22050, 1, 150000, nullptr},

    // Audio only.
    {"tone.mp3", {{"vn", ""}}, "mp3", "", nullptr, -1, -1, Free, 0, "mp3float", 22050, 1, 150000, nullptr},
    {"tone.wav", {}, "wav", "", nullptr, -1, -1, Free, 0, "pcm_s16le", 22050, 1, 50000, nullptr},
    {"tone.aac", {{"vn", ""}}, "aac", "", nullptr, -1, -1, Free, 0, "aac", 22050, 1, 200000, nullptr},
    {"tone.ac3", {{"vn", ""}}, "ac3", "", nullptr, -1, -1, Free, 0, "ac3", 32000, 1, 150000, SampleRateFallback},
    {"tone.mp2", {{"vn", ""}}, "mp3", "", nullptr, -1, -1, Free, 0, "mp2", 22050, 1, 150000, nullptr},
    {"tone.ogg", {{"vn", ""}}, "ogg", "", nullptr, -1, -1, Free, 0, "vorbis", 22050, 1, 150000, nullptr},
    {"tone.flac", {{"vn", ""}}, "flac", "", nullptr, -1, -1, Free, 0, "flac", 22050, 1, 50000, nullptr},
    {"tone.aiff", {{"vn", ""}}, "aiff", "", nullptr, -1, -1, Free, 0, "pcm_s16be", 22050, 1, 50000, nullptr},
    {"tone.amr", {{"vn", ""}, {"acodec", "libopencore_amrnb"}, {"ar", "8000"}, {"ac", "1"}}, "amr", "", nullptr, -1,
     -1, Free, 0, "amrnb", 8000, 1, 150000, nullptr},
    {"tone.wma", {{"vn", ""}}, "asf", "", nullptr, -1, -1, Free, 0, "wmav2", 22050, 1, 150000, nullptr},

    // Stream copy.
    {"copy.mkv", {{"vcodec", "copy"}, {"acodec", "copy"}}, "matroska,webm", "mpeg4", nullptr, 160, 120, Pal, 25, "aac",
     22050, 1, 100000, nullptr},
};

// The encoders a case names that this build of the libraries lacks.
std::string MissingEncoders(const TOptionList& AOptions) {
    std::string missing;
    for (const auto& [name, value] : AOptions)
        if ((name == "vcodec" || name == "acodec") && value != "copy" && !avcodec_find_encoder_by_name(value.c_str()))
            missing += (missing.empty() ? "" : ", ") + value;
    return missing;
}

TEST_F(TranscodeTest, ConvertsIntoEveryContainerThePresetsUse) {
    for (const TConversion& c : Conversions) {
        const std::string name = c.Output;
        const std::string missing = MissingEncoders(c.Options);
        if (!missing.empty()) {
            std::cout << "[ SKIPPED  ] " << name << ": the libraries have no encoder " << missing << "\n";
            continue;
        }
        const std::string output = Scratch(c.Output);
        ASSERT_TRUE(Convert(Media("va"), output, [&](TCustomFFmpeg& j) {
            for (const auto& [option, value] : c.Options)
                j.ParseOption(option, value);
        })) << name << ": " << Job->LastErrMsg();
        EXPECT_TRUE(Job->Finished()) << name << ": " << Job->FatalMessage();
        EXPECT_FALSE(Job->FatalException()) << name << ": " << Job->FatalMessage();
        EXPECT_GT(Job->RunTimes().InLibraries, 0) << name;
        EXPECT_LE(Job->RunTimes().InLibraries, Job->RunTimes().Total) << name;
        if (c.Warning) {
            EXPECT_TRUE(Log.Has(llWarning, c.Warning)) << name;
        }

        const TOutputFacts facts = ReadOutput(output);
        ASSERT_TRUE(facts.Opened) << name;
        EXPECT_EQ(facts.Format, c.Format) << name;
        EXPECT_EQ(facts.VideoCodec, c.VideoCodec) << name;
        if (c.VideoTag) {
            EXPECT_EQ(facts.VideoTag, c.VideoTag) << name;
        }
        if (c.Width > 0) {
            EXPECT_EQ(facts.Width, c.Width) << name;
            EXPECT_EQ(facts.Height, c.Height) << name;
            EXPECT_NEAR(facts.VideoPackets, c.Frames, 2) << name;
        }
        if (c.Rate.num > 0) {
            EXPECT_EQ(av_cmp_q(facts.FrameRate, c.Rate), 0)
                << name << ": " << facts.FrameRate.num << "/" << facts.FrameRate.den;
        }
        EXPECT_EQ(facts.AudioCodec, c.AudioCodec) << name;
        EXPECT_EQ(facts.SampleRate, c.SampleRate) << name;
        EXPECT_EQ(facts.Channels, c.Channels) << name;
        EXPECT_GT(facts.AudioPackets, 0) << name;
        const int64_t tolerance = c.Tolerance == Untimed ? 150000 : c.Tolerance;
        if (c.Tolerance == Untimed) {
            EXPECT_EQ(facts.Duration, -1) << name;
        } else {
            EXPECT_NEAR(double(facts.Duration), 1000000.0, double(tolerance)) << name;
        }
        if (facts.SampleRate > 0) {
            EXPECT_NEAR(double(facts.AudioSamples) * 1000000.0 / facts.SampleRate, 1000000.0, double(tolerance))
                << name << ": decoded audio";
        }
    }
}

} // namespace
