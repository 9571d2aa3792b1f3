#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "engine/loader/EntryPoints.h"
#include "engine/loader/Loader.h"
#include "engine/transcode/AudioOutput.h"
#include "engine/transcode/Progress.h"
#include "engine/transcode/VideoOutput.h"
#include "engine/util/MiscUtils.h"

namespace {

class BehaviourTables : public ::testing::Test {
protected:
    void SetUp() override {
        GlobalLoader().SetLibraryPath(GetExePath() + "LibAV");
        ASSERT_TRUE(GlobalLoader().Loaded(ConversionLibraries) || GlobalLoader().Load(ConversionLibraries))
            << GlobalLoader().LastErrMsg();
    }
};

TEST(VideoSync, DuplicatesAndDropsByTheDistanceOfTheClocks) {
    struct TCase { int Method; bool Vfr; double Ipts; int64_t Opts; int Frames; int64_t OptsAfter; };
    const TCase cases[] = {
        {1, false, 10.0 + 1.1, 10, 1, 10},   // 1.1 is not beyond the duplicating threshold
        {1, false, 10.0 + 1.5, 10, 2, 10},
        {1, false, 10.0 + 2.5, 10, 2, 10},   // ties to even
        {1, false, 10.0 + 3.0, 10, 3, 10},
        {1, false, 10.0 - 1.2, 10, 0, 10},   // ahead of the output: dropped
        {1, false, 10.0 - 1.0, 10, 1, 10},
        {2, false, 10.0 + 3.0, 10, 1, 13},   // variable rate: the clock jumps instead
        {2, false, 10.0 - 0.7, 10, 0, 10},
        {2, false, 10.0 + 0.5, 10, 1, 10},
        {-1, true, 10.0 + 3.0, 10, 1, 13},   // automatic: variable for such containers
        {-1, false, 10.0 + 3.0, 10, 3, 10},
        {0, false, 12.5, 10, 1, 12},         // off: the output follows the input, ties to even
    };
    for (const TCase& c : cases) {
        int64_t opts = c.Opts;
        EXPECT_EQ(VideoSyncFrames(c.Method, c.Vfr, c.Ipts, opts), c.Frames) << c.Method << " " << c.Ipts;
        EXPECT_EQ(opts, c.OptsAfter) << c.Method << " " << c.Ipts;
    }
}

TEST(VideoSync, MarginsFollowANewFrameSize) {
    EXPECT_EQ(RescaleMargin(10, 360, 720), 4);   // 5, rounded down to even
    EXPECT_EQ(RescaleMargin(16, 1440, 720), 32);
    EXPECT_EQ(RescaleMargin(10, 360, 0), 10);    // size unknown at set-up: no division by zero
}

TEST(VideoStats, LinesShowTheFiguresOfEachPicture) {
    TVStatsFigures plain;
    plain.FrameNumber = 25;
    plain.Quality = 2.0f;
    plain.FrameSize = 10000;
    plain.VideoSize = 250000;
    plain.SyncOpts = 25;
    plain.PictureType = 'I';
    TVStatsFigures early;  // the time floor and the error of the picture
    early.FrameNumber = 1;
    early.Quality = 31.0f;
    early.ShowPSNR = true;
    early.Width = 160;
    early.Height = 120;
    early.Error = int64_t(160) * 120 * 255 * 255 / 10000;
    early.FrameSize = 500;
    early.VideoSize = 500;
    early.PictureType = 'P';
    const std::pair<TVStatsFigures, const char*> cases[] = {
        {plain, "frame=    25 q= 2.0 f_size=  10000 s_size=      244kB time= 1.000 br=  2000.0kbits/s "
                "avg_br=  2000.0kbits/s type= I\n"},
        {early, "frame=     1 q= 31.0 PSNR=  40.00 f_size=    500 s_size=        0kB time= 0.010 br=   100.0kbits/s "
                "avg_br=   400.0kbits/s type= P\n"},
    };
    for (const auto& [figures, line] : cases)
        EXPECT_EQ(VStatsLine(figures), line);
}

TEST(AudioSync, ThresholdsOfTheCorrections) {
    struct TCase { double Delta; bool Start; int Method; TAudioSyncAction Action; };
    const float threshold = 0.1f;  // 4410 samples at 44100 Hz
    const TCase cases[] = {
        {50, true, 1, asNone},     {-50, true, 1, asNone},
        {51, true, 1, asHardCorrection},  {51, false, 1, asNone},
        {51, false, 2, asCompensation},   {4411, false, 1, asHardCorrection},
        {-4411, false, 2, asHardCorrection}, {1000, false, 0, asNone},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(AudioSyncAction(c.Delta, c.Start, threshold, 44100, c.Method), c.Action)
            << c.Delta << " start " << c.Start << " method " << c.Method;
    EXPECT_EQ(AudioCompensation(51.7, 2), 2);
    EXPECT_EQ(AudioCompensation(-51.7, 2), -2);
    EXPECT_EQ(AudioCompensation(1.9, 100), 1);
}

TEST_F(BehaviourTables, VolumeScalesEverySampleFormatAlike) {
    // 16-bit: 512 doubles and clamps, 128 halves with the classic rounding.
    std::vector<int16_t> s16 = {16384, -3, 1000, -20000};
    uint8_t* planes[1] = {reinterpret_cast<uint8_t*>(s16.data())};
    ApplyVolume(planes, 4, 1, AV_SAMPLE_FMT_S16, 512);
    EXPECT_EQ(s16, (std::vector<int16_t>{32767, -6, 2000, -32768}));
    s16 = {16384, -3, 1000, -20000};
    ApplyVolume(planes, 2, 2, AV_SAMPLE_FMT_S16, 128);
    EXPECT_EQ(s16, (std::vector<int16_t>{8192, -1, 500, -10000}));

    // Planar float, two channels: the same factors, clamped to full scale.
    std::vector<float> left = {0.5f, -0.25f}, right = {0.75f, -0.9f};
    uint8_t* fplanes[2] = {reinterpret_cast<uint8_t*>(left.data()), reinterpret_cast<uint8_t*>(right.data())};
    ApplyVolume(fplanes, 2, 2, AV_SAMPLE_FMT_FLTP, 512);
    EXPECT_FLOAT_EQ(left[0], 1.0f);
    EXPECT_FLOAT_EQ(left[1], -0.5f);
    EXPECT_FLOAT_EQ(right[0], 1.0f);
    EXPECT_FLOAT_EQ(right[1], -1.0f);
    ApplyVolume(fplanes, 2, 2, AV_SAMPLE_FMT_FLTP, 128);
    EXPECT_FLOAT_EQ(left[1], -0.25f);

    // 32-bit planar and unsigned 8-bit around their own zero.
    std::vector<int32_t> s32 = {1 << 30, -(1 << 30)};
    uint8_t* iplanes[1] = {reinterpret_cast<uint8_t*>(s32.data())};
    ApplyVolume(iplanes, 2, 1, AV_SAMPLE_FMT_S32P, 512);
    EXPECT_EQ(s32, (std::vector<int32_t>{std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()}));
    std::vector<uint8_t> u8 = {128, 192, 0};
    uint8_t* uplanes[1] = {u8.data()};
    ApplyVolume(uplanes, 3, 1, AV_SAMPLE_FMT_U8, 512);
    EXPECT_EQ(u8, (std::vector<uint8_t>{128, 255, 0}));
}

TEST(Progress, NeverReportsItsSentinels) {
    struct TCase { double Ti1; int64_t Total; int64_t Current, TotalOut; };
    const TCase cases[] = {
        {1e10, 5000000, 0, 5000000},        // no output time yet
        {0.005, 5000000, 5000, 5000000},    // the 0.01 s floor is the bit rate's only
        {11.5, 60000000, 11500000, 60000000},
        {11.5, -1, 11500000, -1},
        {11.5, 0, 11500000, -1},            // an input that says 0 is unknown
        {11.5, 10000000, 10000000, 10000000},  // never past the total
    };
    for (const TCase& c : cases) {
        const TProgressDurations d = ProgressDurations(c.Ti1, c.Total);
        EXPECT_EQ(d.Current, c.Current) << c.Ti1 << " of " << c.Total;
        EXPECT_EQ(d.Total, c.TotalOut) << c.Ti1 << " of " << c.Total;
    }
    EXPECT_EQ(ProgressFPS(75, 3.0), 25);
    EXPECT_EQ(ProgressFPS(75, 0.8), 0);
}

} // namespace
