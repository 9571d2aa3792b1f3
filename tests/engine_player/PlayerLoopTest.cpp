#include "tests/engine_player/PlayerTestSupport.h"

using namespace testmedia;

// Opening and closing in a row must neither leak nor hang; the sanitizer
// passes run this too.
TEST_F(PlayerTest, OpensAndClosesAHundredTimes) {
    const auto start = std::chrono::steady_clock::now();
    const TSampleKind kinds[] = {TSampleKind::VideoTwoAudio, TSampleKind::WavAudio, TSampleKind::AllIntra};
    for (int i = 0; i < 100; ++i) {
        const bool paused = i % 2 == 1;
        ASSERT_TRUE(Open(kinds[i % 3], paused)) << i << ": " << Player->LastErrMsg();
        if (i % 5 == 0)
            WaitFor([&] { return Player->CurrentPTS() > 0; }, 2000);
        if (i % 7 == 0)
            Player->Seek(int64_t(400000), {}, false);
        Player->Stop(true);
        ASSERT_FALSE(Player->FileOpened());
        ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(120)) << "after " << i;
    }
}

TEST_F(PlayerTest, DestroyingAPlayingPlayerStopsIt) {
    ASSERT_TRUE(Open(TSampleKind::VideoTwoAudio)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return Player->CurrentPTS() > 0; }));
    Player.reset();
}
