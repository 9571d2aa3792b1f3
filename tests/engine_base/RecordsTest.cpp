#include <gtest/gtest.h>

#include "engine/util/Records.h"

TEST(Records, OutputOptionsTakeTheirDefaults) {
    TOutputOptions o;
    o.FileName = "x.avi";
    o.MuxDelay = 3.0f;
    o.AudioSyncMethod = 5;
    o.CropTop = 8;
    o.Info.TimeStamp = 0.0;
    o.Info.Title = "t";
    o.NormDefault = ntNTSC;
    o.TimeLength = 5;
    o.Join = true;
    o.Tag = 3;
    InitOutputOptions(o);

    EXPECT_EQ(o.FileName, "");
    EXPECT_EQ(o.MuxDelay, -1.0f);
    EXPECT_EQ(o.MuxPreload, -1.0f);
    EXPECT_EQ(o.AudioSyncMethod, 0);
    EXPECT_EQ(o.VideoSyncMethod, -1);
    EXPECT_EQ(o.Info.TimeStamp, -1.0);
    EXPECT_EQ(o.Info.Year, -1);
    EXPECT_EQ(o.Info.Track, -1);
    EXPECT_EQ(o.Info.Title, "");
    EXPECT_EQ(o.TargetType, ttIgnore);
    EXPECT_EQ(o.NormType, ntAuto);
    EXPECT_EQ(o.NormDefault, ntPAL);
    EXPECT_EQ(o.TimeStart, INT64_MIN);
    EXPECT_EQ(o.TimeLength, INT64_MIN);
    EXPECT_FALSE(o.Join);
    EXPECT_FALSE(o.CustomHook);
    EXPECT_EQ(o.Tag, 0);
    EXPECT_EQ(o.Data, nullptr);
    const int32_t minusOne[] = {o.CropTop,        o.CropBottom,   o.CropLeft,       o.CropRight,
                                o.GroupPictureSize, o.VideoBitrate, o.VideoMaxRate,  o.VideoMinRate,
                                o.VideoBitRateTolerance, o.VideoBufSize, o.VideoSyncMethod,
                                o.AudioVolume,    o.AudioChannels, o.AudioSampleRate, o.AudioBitrate,
                                o.AudioBitRateTolerance, o.PacketSize, o.MuxRate};
    for (size_t i = 0; i < std::size(minusOne); ++i)
        EXPECT_EQ(minusOne[i], -1) << "field " << i;
}

TEST(Records, InputOptionsTakeTheirDefaults) {
    TInputOptions i;
    i.FileName = "a";
    i.ProgramID = 4;
    i.TimeStart = 0;
    i.ExtOptions = "x=y";
    InitInputOptions(i);
    EXPECT_EQ(i.FileName, "");
    EXPECT_EQ(i.ProgramID, -1);
    EXPECT_EQ(i.TimeStart, INT64_MIN);
    EXPECT_EQ(i.ExtOptions, "");
    EXPECT_EQ(i.Tag, 0);
}

TEST(Records, PostHooksAreOneBitPerHook) {
    EXPECT_EQ((TPostHooks{phPreview}).Bits(), 1u);
    EXPECT_EQ((TPostHooks{phBitmap, phHBITMAP}).Bits(), 6u);
    EXPECT_EQ(int(ntPAL), 1);
    EXPECT_EQ(int(ttDVD), 3);
}
