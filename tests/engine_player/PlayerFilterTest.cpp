#include "tests/engine_player/PlayerTestSupport.h"

using namespace testmedia;

namespace {

// Mean difference of the green channel between two pictures of one size,
// the second read mirrored left to right when asked.
double MeanDifference(const TBitmap& a, const TBitmap& b, bool mirrored) {
    long sum = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const int bx = mirrored ? b.Width() - 1 - x : x;
            sum += std::abs(int(a.ScanLine(y)[3 * x + 1]) - int(b.ScanLine(y)[3 * bx + 1]));
        }
    return double(sum) / (a.Width() * a.Height());
}

} // namespace

class PlayerFilterTest : public PlayerTest {
protected:
    // The first picture of the all-intra clip through the chain: opened
    // paused, then sought to time 0 and taken once the picture shown is the
    // one of time 0 (a loaded machine may show a later one before the pause).
    TBitmap FirstPicture(const std::string& filters) {
        Player->SetVideoFilters(filters);
        States.clear();
        EXPECT_TRUE(Open(TSampleKind::AllIntra, true)) << Player->LastErrMsg();
        EXPECT_TRUE(WaitForState(psPause));
        Player->Seek(int64_t(0), {}, true);
        int64_t pts = -1;
        EXPECT_TRUE(WaitFor([&] { return !Player->CurrentFrame(pts)->Empty() && pts == 0; })) << "shows " << pts;
        TBitmap picture(*Player->CurrentFrame());
        Player->Stop(true);
        return picture;
    }
};

TEST_F(PlayerFilterTest, PicturesPassTheChainBeforeTheyAreShown) {
    const TBitmap plain = FirstPicture("");
    ASSERT_EQ(plain.Width(), 160);

    const TBitmap flipped = FirstPicture("hflip");
    ASSERT_EQ(flipped.Width(), 160);
    ASSERT_EQ(flipped.Height(), 120);
    EXPECT_LT(MeanDifference(flipped, plain, true), 4.0) << "mirrored left to right";
    EXPECT_GT(MeanDifference(flipped, plain, false), 15.0) << "the clip's gradient is not symmetric";

    const TBitmap scaled = FirstPicture("scale=80:60,vflip");
    EXPECT_EQ(scaled.Width(), 80);
    EXPECT_EQ(scaled.Height(), 60);
    EXPECT_EQ(Player->VideoFilters(), "scale=80:60,vflip") << "the chain stays for the next file";
}

TEST_F(PlayerFilterTest, AChainTheLibraryRejectsLeavesTheSoundAlone) {
    Player->SetVideoFilters("no_such_filter=1");
    ASSERT_TRUE(Open(TSampleKind::VideoTwoAudio)) << Player->LastErrMsg();
    EXPECT_EQ(Player->VideoStreamIndex(), -1);
    EXPECT_GE(Player->AudioStreamIndex(), 1);
    EXPECT_TRUE(WaitFor([&] { return Player->CurrentPTS() > 200000; })) << "the sound plays on";
    EXPECT_TRUE(Player->CurrentFrame()->Empty());
}
