#include "tests/engine_player/PlayerTestSupport.h"

using namespace testmedia;

namespace {
constexpr int64_t FrameUS = 40000;  // the generated clips run at 25 frames per second
}

TEST_F(PlayerTest, PausedSeekShowsTheKeyFrameAtOrBeforeTheTarget) {
    struct Case {
        TSampleKind Kind;
        int Target, Shown;
    } cases[] = {
        {TSampleKind::AllIntra, 17, 17},     // every frame a key frame: exactly the target
        {TSampleKind::AllIntra, 3, 3},       // backwards
        {TSampleKind::AllIntra, 49, 49},     // the last frame
        {TSampleKind::AllIntra, 0, 0},
        {TSampleKind::H264BFrames, 30, 24},  // a key frame every 12 frames
        {TSampleKind::H264BFrames, 11, 0},
    };
    for (TSampleKind kind : {TSampleKind::AllIntra, TSampleKind::H264BFrames}) {
        ASSERT_TRUE(Open(kind, true)) << Player->LastErrMsg();
        ASSERT_TRUE(WaitForState(psPause));
        for (const Case& c : cases) {
            if (c.Kind != kind)
                continue;
            SCOPED_TRACE(std::string(SampleKindName(kind)) + " to " + std::to_string(c.Target));
            Player->Seek(c.Target * FrameUS, {}, true);
            int64_t pts = -1;
            EXPECT_TRUE(WaitFor([&] { return ShownFrame(&pts) == c.Shown; }, 5000)) << "shows " << ShownFrame();
            EXPECT_EQ(pts, c.Shown * FrameUS);
            EXPECT_TRUE(Player->Paused()) << "a paused player stays paused after a seek";
        }
        Player->Stop(true);
    }
}

TEST_F(PlayerTest, TheEndIsReportedAgainAfterASeekToTheStart) {
    for (TSampleKind kind : {TSampleKind::AllIntra, TSampleKind::WavAudio}) {
        SCOPED_TRACE(SampleKindName(kind));
        States.clear();
        ASSERT_TRUE(Open(kind)) << Player->LastErrMsg();
        Player->Seek(Player->Duration() - 200000, {}, true);  // near the end
        ASSERT_TRUE(WaitForState(psEnd));
        // As the host does at the end: back to the start, paused, then play.
        Player->Seek(int64_t(0), {sfAny}, true);
        Player->Pause();
        ASSERT_TRUE(WaitForState(psPause));
        Player->Resume();
        ASSERT_TRUE(WaitForState(psResume));
        ASSERT_TRUE(WaitForState(psEnd));
        EXPECT_EQ(CountStates(psEnd), 2);
        Player->Stop(true);
    }
}

TEST_F(PlayerTest, ASeekPastTheEndStopsAtTheDuration) {
    ASSERT_TRUE(Open(TSampleKind::AllIntra)) << Player->LastErrMsg();
    Player->Seek(Player->Duration() * 3, {}, true);
    ASSERT_TRUE(WaitForState(psEnd));
    EXPECT_TRUE(WaitFor([&] { return Player->CurrentPTS() == Player->Duration(); }, 2000));
    for (int64_t pts : Positions)
        EXPECT_LE(pts, Player->Duration());
}

TEST_F(PlayerTest, PlayTimeLoopsOrStops) {
    Player->SetPlayTime(300000);
    Player->SetRepeatType(rtStop);
    ASSERT_TRUE(Open(TSampleKind::AllIntra)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitForState(psStop));
    EXPECT_LT(Player->CurrentPTS(), 600000);
    Player->Stop(true);

    Positions.clear();
    ASSERT_TRUE(Open(TSampleKind::AllIntra)) << Player->LastErrMsg();
    Player->SetPlayTime(300000);
    Player->SetRepeatType(rtLoop);
    // Back to the start at least once: a position after one past the limit is small again.
    EXPECT_TRUE(WaitFor([&] {
        bool passed = false;
        for (int64_t pts : Positions) {
            passed |= pts >= 300000;
            if (passed && pts < 150000)
                return true;
        }
        return false;
    }));
    EXPECT_EQ(CountStates(psEnd), 0);
}
