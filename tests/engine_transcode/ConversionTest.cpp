#include <cstdlib>

#include "tests/engine_transcode/TranscodeTestSupport.h"

namespace {

// One conversion of a generated input, checked by opening the output again.
struct TConversion {
    const char* Name;
    const char* Input;    // a kind of TJobMedia
    const char* Output;   // the file name decides the container
    std::function<void(TCustomFFmpeg&)> Options;
    const char* Format;
    const char* VideoCodec;  // "" when no video stream is expected
    const char* AudioCodec;
    int Width, Height;
    int64_t Tolerance;       // µs around the input's 1 s
};

TEST_F(TranscodeTest, ConvertsIntoEveryCommonContainer) {
    const TConversion cases[] = {
        {"mpeg program stream", "va", "ps.mpg", nullptr, "mpeg", "mpeg1video", "mp2", 160, 120, 150000},
        {"avi with mpeg4 and mp3", "va", "xvid.avi",
         [](TCustomFFmpeg& j) { j.SetVideoCodec("mpeg4"); j.SetVideoTag("XVID"); j.SetAudioCodec("libmp3lame"); },
         "avi", "mpeg4", "mp3float", 160, 120, 150000},
        {"mp4 with h264 and aac", "va", "x264.mp4", [](TCustomFFmpeg& j) { j.SetVideoCodec("libx264"); j.ApplyPreset("vpre", "default"); }, "mov,mp4,m4a,3gp,3g2,mj2", "h264", "aac", 160, 120,
         150000},
        {"matroska scaled", "va", "small.mkv",
         [](TCustomFFmpeg& j) { j.SetFrameSize("96x64"); j.SetVideoCodec("libx264"); j.ApplyPreset("vpre", "default"); }, "matroska,webm",
         "h264", "vorbis", 96, 64, 150000},
        {"mp3 audio only", "va", "tone.mp3", [](TCustomFFmpeg& j) { j.Fvideo_disable = true; }, "mp3", "", "mp3float", -1, -1, 150000},
        {"wav audio only", "va", "tone.wav", nullptr, "wav", "", "pcm_s16le", -1, -1, 50000},
        {"stream copy", "va", "copy.mkv",
         [](TCustomFFmpeg& j) { j.SetVideoCodec("copy"); j.SetAudioCodec("copy"); }, "matroska,webm", "mpeg4",
         "aac", 160, 120, 100000},
    };
    for (const TConversion& c : cases) {
        const std::string output = Scratch(c.Output);
        ASSERT_TRUE(Convert(Media(c.Input), output, c.Options)) << c.Name << ": " << Job->LastErrMsg();
        EXPECT_TRUE(Job->Finished()) << c.Name << ": " << Job->FatalMessage();
        EXPECT_FALSE(Job->FatalException()) << c.Name << ": " << Job->FatalMessage();
        const TOutputFacts facts = ReadOutput(output);
        ASSERT_TRUE(facts.Opened) << c.Name;
        EXPECT_EQ(facts.Format, c.Format) << c.Name;
        EXPECT_EQ(facts.VideoCodec, c.VideoCodec) << c.Name;
        EXPECT_EQ(facts.AudioCodec, c.AudioCodec) << c.Name;
        if (c.Width > 0) {
            EXPECT_EQ(facts.Width, c.Width) << c.Name;
            EXPECT_EQ(facts.Height, c.Height) << c.Name;
            EXPECT_GE(facts.VideoPackets, 24) << c.Name;
            EXPECT_LE(facts.VideoPackets, 26) << c.Name;
        }
        EXPECT_GT(facts.AudioPackets, 0) << c.Name;
        EXPECT_NEAR(double(facts.Duration), 1000000.0, double(c.Tolerance)) << c.Name;
    }
}

} // namespace
