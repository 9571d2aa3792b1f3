// The prompt sound that the after-done action plays: a valid PCM WAV of the
// promised shape, which the core's asynchronous sound call plays on a null
// audio device next to the headless window back end.
#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "platform/core/Sound.h"
#include "platform/ui/HeadlessBackend.h"

namespace {

struct TWav {
    int Format = 0, Channels = 0, Rate = 0, ByteRate = 0, BlockAlign = 0, Bits = 0;
    std::vector<int16_t> Samples;
};

uint32_t U32(const std::vector<uint8_t>& d, size_t at)
{
    return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (uint32_t(d[at + 3]) << 24);
}
uint16_t U16(const std::vector<uint8_t>& d, size_t at) { return uint16_t(d[at] | (d[at + 1] << 8)); }

// Reads the chunks of a RIFF WAVE file; fails the test on a malformed one.
TWav ReadWav(const std::string& FileName)
{
    std::ifstream in(FileName, std::ios::binary);
    const std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TWav w;
    EXPECT_GE(d.size(), 44u) << FileName;
    if (d.size() < 44)
        return w;
    EXPECT_EQ(std::string(d.begin(), d.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(d.begin() + 8, d.begin() + 12), "WAVE");
    EXPECT_EQ(U32(d, 4), d.size() - 8) << "RIFF size";
    bool haveFormat = false, haveData = false;
    for (size_t at = 12; at + 8 <= d.size();) {
        const std::string id(d.begin() + at, d.begin() + at + 4);
        const uint32_t size = U32(d, at + 4);
        EXPECT_LE(at + 8 + size, d.size()) << "chunk " << id << " runs past the end";
        if (at + 8 + size > d.size())
            break;
        if (id == "fmt ") {
            haveFormat = true;
            w.Format = U16(d, at + 8);
            w.Channels = U16(d, at + 10);
            w.Rate = int(U32(d, at + 12));
            w.ByteRate = int(U32(d, at + 16));
            w.BlockAlign = U16(d, at + 20);
            w.Bits = U16(d, at + 22);
        } else if (id == "data") {
            haveData = true;
            for (size_t i = 0; i + 1 < size; i += 2)
                w.Samples.push_back(int16_t(U16(d, at + 8 + i)));
        }
        at += 8 + size + (size & 1);
    }
    EXPECT_TRUE(haveFormat && haveData);
    return w;
}

}  // namespace

TEST(PromptSound, IsSixteenBitPcmAtCdRateUnderTwoSeconds)
{
    const TWav w = ReadWav(PROMPT_SOUND);
    EXPECT_EQ(w.Format, 1) << "PCM";
    EXPECT_EQ(w.Rate, 44100);
    EXPECT_EQ(w.Bits, 16);
    ASSERT_GE(w.Channels, 1);
    EXPECT_EQ(w.BlockAlign, w.Channels * 2);
    EXPECT_EQ(w.ByteRate, w.Rate * w.BlockAlign);
    const double seconds = double(w.Samples.size()) / w.Channels / w.Rate;
    EXPECT_DOUBLE_EQ(seconds, 1.5) << "the chime is drawn 1.5 s long";
    EXPECT_LT(seconds, 2.0);

    int peak = 0;
    for (int16_t s : w.Samples)
        peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 8000) << "too quiet to hear";
    EXPECT_LT(peak, 32767) << "clipped";
    // It fades in and out: no click at either end.
    EXPECT_LT(std::abs(int(w.Samples.front())), 200);
    EXPECT_LT(std::abs(int(w.Samples.back())), 200);
}

TEST(PromptSound, PlaysThroughTheAsynchronousSoundCall)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);   // a null device wherever the test runs
    UseHeadlessBackend();
    ASSERT_NO_THROW(PlaySoundAsync(PROMPT_SOUND));
    EXPECT_TRUE(IsSoundPlaying());
    // A second call replaces the first, as a repeated after-done action does.
    ASSERT_NO_THROW(PlaySoundAsync(PROMPT_SOUND));
    StopSound();
    EXPECT_FALSE(IsSoundPlaying());
}
