#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "tests/engine_probe/ProbeTestSupport.h"

using namespace testmedia;

namespace {

constexpr int64_t FrameUS = 40000;  // every generated clip runs at 25 frames per second

} // namespace

TEST_F(ProbeTest, ConsecutiveDecodesGiveConsecutiveFrames) {
    for (TSampleKind kind : {TSampleKind::VideoTwoAudio, TSampleKind::H264BFrames, TSampleKind::TaggedMatroska,
                             TSampleKind::NonAsciiName, TSampleKind::RawElementary}) {
        SCOPED_TRACE(SampleKindName(kind));
        ASSERT_TRUE(Load(kind));
        const int frames = Sample(kind).Plan.Video[0].Frames;
        int64_t previousPTS = AV_NOPTS_VALUE;
        for (int i = 0; i < frames; ++i) {
            ASSERT_TRUE(Probe->Decode()) << "frame " << i << ": " << Probe->LastErrMsg();
            ASSERT_EQ(ShownIndex(), i);
            const TFrameInfo& f = Probe->FrameInfo();
            EXPECT_EQ(f.StreamIndex, 0);
            EXPECT_EQ(f.Width, 160);
            EXPECT_EQ(f.PixFmt, AV_PIX_FMT_YUV420P);
            if (kind != TSampleKind::RawElementary) {
                EXPECT_EQ(f.PTS, i * FrameUS);  // display order, also with B-frames
                EXPECT_EQ(Probe->LastPTS(), previousPTS);
            }
            previousPTS = f.PTS;
        }
        // The last frames came out of the drained decoder; only now is the end reported.
        EXPECT_FALSE(Probe->EndOfFile());
        EXPECT_FALSE(Probe->Decode());
        EXPECT_TRUE(Probe->EndOfFile());
        EXPECT_EQ(Probe->LastErrMsg(), "stream eof reached.");
        EXPECT_FALSE(Probe->Decode());
    }
}

TEST_F(ProbeTest, FramesCarryTheirTypesAndPacketValues) {
    ASSERT_TRUE(Load(TSampleKind::H264BFrames));
    int bFrames = 0, keyFrames = 0;
    while (Probe->Decode()) {
        const TFrameInfo& f = Probe->FrameInfo();
        bFrames += f.PictureType == ptB;
        keyFrames += f.IsKeyFrame;
        EXPECT_NE(f.OriginalPTS, AV_NOPTS_VALUE);
        EXPECT_GT(f.Position, 0);
        EXPECT_GE(f.Size, 160 * 120 * 3 / 2);
    }
    EXPECT_GT(bFrames, 0);
    EXPECT_GE(keyFrames, 5);  // a key frame every 12 of 50
}

TEST_F(ProbeTest, SeekingAnAllIntraClipLandsOnTheExactFrame) {
    ASSERT_TRUE(Load(TSampleKind::AllIntra));
    for (int index : {17, 3, 49, 0, 1, 48, 25}) {
        ASSERT_TRUE(Probe->Seek(index * FrameUS, {sfBackward})) << index << ": " << Probe->LastErrMsg();
        EXPECT_FALSE(Probe->FrameInfo().Ready);
        EXPECT_FALSE(Probe->EndOfFile());
        EXPECT_EQ(Probe->LastErrMsg().rfind("seek to position ", 0), 0u);
        ASSERT_TRUE(Probe->Decode());
        EXPECT_EQ(ShownIndex(), index);
        EXPECT_EQ(Probe->FrameInfo().PTS, index * FrameUS);
    }
}

TEST_F(ProbeTest, SeekingToTheStartAndPastTheEnd) {
    ASSERT_TRUE(Load(TSampleKind::VideoTwoAudio));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(Probe->Decode());
    for (int64_t start : {int64_t(0), int64_t(-5000000)}) {
        ASSERT_TRUE(Probe->Seek(start));
        ASSERT_TRUE(Probe->Decode());
        EXPECT_EQ(ShownIndex(), 0);
    }
    // Forward past the last key frame there is nothing to land on.
    EXPECT_FALSE(Probe->Seek(5 * 1000000));
    EXPECT_EQ(Probe->LastErrMsg().rfind("seek to position ", 0), 0u);
    // Decoding runs to the end, and a seek makes the file readable again.
    while (Probe->Decode())
        ;
    EXPECT_TRUE(Probe->EndOfFile());
    ASSERT_TRUE(Probe->Seek(12 * FrameUS, {sfBackward}));
    EXPECT_FALSE(Probe->EndOfFile());
    ASSERT_TRUE(Probe->Decode());
    EXPECT_EQ(ShownIndex(), 12);
}

TEST_F(ProbeTest, ByteSeeksAreNotRescaled) {
    ASSERT_TRUE(Load(TSampleKind::RawElementary));
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(Probe->Decode());
    ASSERT_TRUE(Probe->Seek(0, {sfByte}));
    ASSERT_TRUE(Probe->Decode());
    EXPECT_EQ(ShownIndex(), 0);

    // This container cannot seek by bytes at all.
    ASSERT_TRUE(Load(TSampleKind::AllIntra));
    EXPECT_FALSE(Probe->Seek(1234, {sfByte}));
    EXPECT_TRUE(WasLogged(llError, "could not seek to position 1234 bytes"));
}

TEST_F(ProbeTest, NextKeyFrameSkipsToTheFollowingGroup) {
    ASSERT_TRUE(Load(TSampleKind::VideoTwoAudio));  // key frames 0, 12 and 24
    ASSERT_TRUE(Probe->Decode());
    ASSERT_TRUE(Probe->DecodeNextKeyFrame());
    EXPECT_EQ(ShownIndex(), 12);
    EXPECT_TRUE(Probe->FrameInfo().IsKeyFrame);
    ASSERT_TRUE(Probe->DecodeNextKeyFrame());
    EXPECT_EQ(ShownIndex(), 24);
    EXPECT_FALSE(Probe->DecodeNextKeyFrame());
}

TEST_F(ProbeTest, PreviousKeyFrameSearchesBackwardAndEnds) {
    ASSERT_TRUE(Load(TSampleKind::VideoTwoAudio));
    // Right after opening the search starts from the end: the last key frame.
    ASSERT_TRUE(Probe->DecodePreviousKeyFrame());
    EXPECT_EQ(ShownIndex(), 24);
    ASSERT_TRUE(Probe->DecodePreviousKeyFrame());
    EXPECT_EQ(ShownIndex(), 12);

    // From inside a group: its own key frame.
    ASSERT_TRUE(Probe->Seek(12 * FrameUS, {sfBackward}));
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(Probe->Decode());
    ASSERT_EQ(ShownIndex(), 19);
    ASSERT_TRUE(Probe->DecodePreviousKeyFrame());
    EXPECT_EQ(ShownIndex(), 12);

    // The first frame has nothing before it: the search ends there.
    ASSERT_TRUE(Probe->Seek(0));
    ASSERT_TRUE(Probe->Decode());
    ASSERT_TRUE(Probe->DecodePreviousKeyFrame());
    EXPECT_EQ(ShownIndex(), 0);

    ASSERT_TRUE(Load(TSampleKind::AllIntra));
    ASSERT_TRUE(Probe->DecodePreviousKeyFrame());
    EXPECT_EQ(ShownIndex(), 49);
}

TEST_F(ProbeTest, PreviousFrameStepsBackOneFrame) {
    for (TSampleKind kind : {TSampleKind::VideoTwoAudio, TSampleKind::H264BFrames, TSampleKind::AllIntra}) {
        SCOPED_TRACE(SampleKindName(kind));
        ASSERT_TRUE(Load(kind));
        ASSERT_TRUE(Probe->Decode());
        ASSERT_TRUE(Probe->Decode());
        ASSERT_TRUE(Probe->DecodePreviousFrame());
        EXPECT_EQ(ShownIndex(), 0);

        const int last = Sample(kind).Plan.Video[0].Frames - 1;
        ASSERT_TRUE(Probe->Seek(0));
        while (Probe->Decode() && ShownIndex() < last)
            ;
        ASSERT_EQ(ShownIndex(), last);
        for (int expected = last - 1; expected >= last - 14; --expected) {
            ASSERT_TRUE(Probe->DecodePreviousFrame()) << Probe->LastErrMsg();
            ASSERT_EQ(ShownIndex(), expected);
        }
    }
}

TEST_F(ProbeTest, AnImageSequenceShowsItsOnePicture) {
    ASSERT_TRUE(Load(TSampleKind::ImageSequence));
    EXPECT_FALSE(Probe->Seek(0));
    EXPECT_EQ(Probe->LastErrMsg(), "\"image2\" format cannot to be seeked.");
    EXPECT_TRUE(WasLogged(llInfo, "\"image2\" format cannot to be seeked."));
    ASSERT_TRUE(Probe->Decode());
    EXPECT_EQ(ShownIndex(), 0);
    ASSERT_TRUE(Probe->Decode());
    EXPECT_EQ(ShownIndex(), 0);
}

TEST_F(ProbeTest, DecodingNeedsAVideoStream) {
    ASSERT_TRUE(Load(TSampleKind::VideoTwoAudio));
    const struct {
        int Index;
        const char* Text;
    } cases[] = {{1, "stream #1 is not video stream."}, {3, "stream index #3 is invalid."}};
    for (const auto& c : cases) {
        EXPECT_FALSE(Probe->Decode(c.Index));
        EXPECT_EQ(Probe->LastErrMsg(), c.Text);
    }
    ASSERT_TRUE(Load(TSampleKind::WavAudio));
    EXPECT_FALSE(Probe->Decode());
    EXPECT_EQ(Probe->LastErrMsg(), "no video stream.");
    Probe->CloseFile();
    EXPECT_FALSE(Probe->Decode());
    EXPECT_EQ(Probe->LastErrMsg(), "file not loaded.");
}

TEST_F(ProbeTest, ClosingForgetsTheDecodingState) {
    ASSERT_TRUE(Load(TSampleKind::AllIntra));
    ASSERT_TRUE(Probe->Decode());
    ASSERT_TRUE(Probe->Decode());
    Probe->CloseFile();
    EXPECT_FALSE(Probe->FrameInfo().Ready);
    EXPECT_EQ(Probe->LastPTS(), AV_NOPTS_VALUE);
    EXPECT_EQ(Probe->LastPos(), -1);
    EXPECT_FALSE(Probe->EndOfFile());
    // A new file decodes from its own start with the buffer kept.
    ASSERT_TRUE(Load(TSampleKind::VideoTwoAudio));
    ASSERT_TRUE(Probe->Decode());
    EXPECT_EQ(ShownIndex(), 0);
}

TEST_F(ProbeTest, CopiesTheCurrentPictureToA24BitBitmap) {
    TBitmap bitmap;
    ASSERT_TRUE(Load(TSampleKind::AllIntra));
    EXPECT_FALSE(Probe->CopyToBitmap(&bitmap));
    EXPECT_EQ(Probe->LastErrMsg(), "picture not ready, please decode first");

    for (auto [kind, index] : {std::pair{TSampleKind::AllIntra, 17}, std::pair{TSampleKind::H264BFrames, 30},
                               std::pair{TSampleKind::ImageSequence, 0}}) {
        SCOPED_TRACE(SampleKindName(kind));
        ASSERT_TRUE(Load(kind));
        if (index > 0) {
            ASSERT_TRUE(Probe->Seek(index * FrameUS, {sfBackward}));
        }
        while (Probe->Decode() && ShownIndex() < index)
            ;
        ASSERT_TRUE(Probe->CopyToBitmap(&bitmap));
        EXPECT_EQ(bitmap.Width(), 160);
        EXPECT_EQ(bitmap.Height(), 120);
        EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
        EXPECT_EQ(ReadFrameNumberFromBGR(bitmap.Width(), bitmap.Height(), [&](int row) { return bitmap.ScanLine(row); }),
                  index);
    }
}
