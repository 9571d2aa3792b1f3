#include "tests/engine_player/PlayerTestSupport.h"

using namespace testmedia;

TEST_F(PlayerTest, OpenReportsTheFileInTheMainThread) {
    Host.Width = 320;
    Host.Height = 200;
    ASSERT_TRUE(Open(TSampleKind::VideoTwoAudio, true)) << Player->LastErrMsg();
    EXPECT_EQ(OpenDuration, Sample(TSampleKind::VideoTwoAudio).Plan.DurationUS());
    EXPECT_EQ(FrameWidth, 160);
    EXPECT_EQ(FrameHeight, 120);
    EXPECT_EQ(OpenScreenWidth, 0) << "no size of its own yet";
    EXPECT_EQ(Player->ScreenWidth(), 320) << "the host's client size";
    EXPECT_EQ(Player->ScreenHeight(), 200);
    EXPECT_EQ(Player->VideoStreamIndex(), 0);
    EXPECT_GE(Player->AudioStreamIndex(), 1);
    EXPECT_EQ(Player->SubtitleStreamIndex(), -1);
    EXPECT_FALSE(OffMainThread);
    Player->Stop(true);
    EXPECT_EQ(Player->VideoStreamIndex(), -1);
    EXPECT_TRUE(Player->Paused());
}

TEST_F(PlayerTest, OpenFailuresLeaveTheirReason) {
    const std::string missing = TPlayerSamples::Folder() + "/missing.mp4";
    EXPECT_FALSE(Player->Open(missing, &Host, false));
    EXPECT_EQ(Player->LastErrMsg(), missing + ": No such file or directory");
    EXPECT_FALSE(Player->Open(Sample(TSampleKind::TextNamedAvi).Path, &Host, false));
    EXPECT_FALSE(Player->LastErrMsg().empty());
    EXPECT_FALSE(Player->FileOpened());
    int64_t pts = 0;
    EXPECT_TRUE(Player->CurrentFrame(pts)->Empty());
    EXPECT_EQ(pts, -1);
    Player->Stop(true);  // without a file it returns at once
}

TEST_F(PlayerTest, PlaysToTheEndWithPositionsThatNeverPassTheDuration) {
    for (TSampleKind kind : {TSampleKind::VideoTwoAudio, TSampleKind::WavAudio}) {
        SCOPED_TRACE(SampleKindName(kind));
        States.clear();
        Positions.clear();
        ASSERT_TRUE(Open(kind)) << Player->LastErrMsg();
        const int64_t duration = Player->Duration();
        ASSERT_TRUE(WaitForState(psEnd));
        // An audio-only file reports its end once, not at every refresh: a
        // number of refreshes run past the end, and the stop delivers every
        // event they raised before the count.
        const uint64_t passes = Player->RefreshPasses();
        ASSERT_TRUE(WaitFor([&] { return Player->RefreshPasses() >= passes + 20; }));
        ASSERT_FALSE(Positions.empty());
        for (size_t i = 0; i < Positions.size(); ++i) {
            EXPECT_LE(Positions[i], duration);
            EXPECT_GE(Positions[i], 0);
        }
        EXPECT_TRUE(WaitFor([&] { return Positions.back() == duration; }, 2000)) << Positions.back();
        EXPECT_LE(Player->CurrentPTS(), duration);
        Player->Stop(true);
        EXPECT_EQ(CountStates(psEnd), 1);
        EXPECT_EQ(States.front(), psPlay);
        EXPECT_EQ(States.back(), psStop);
        EXPECT_FALSE(OffMainThread);
    }
}

TEST_F(PlayerTest, StatesFollowTheOperationsInOrder) {
    ASSERT_TRUE(Open(TSampleKind::AllIntra)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitForState(psPlay));
    Player->Pause();
    ASSERT_TRUE(WaitForState(psPause));
    EXPECT_TRUE(Player->Paused());
    Player->Resume();
    ASSERT_TRUE(WaitForState(psResume));
    EXPECT_FALSE(Player->Paused());
    Player->StepToNextFrame();
    ASSERT_TRUE(WaitForState(psStep));
    Player->Stop(true);
    EXPECT_EQ(States, (std::vector<TPlayState>{psPlay, psPause, psResume, psStep, psStop}));
    EXPECT_GT(Host.Clears, 0) << "the host repaints empty after a stop";
}

TEST_F(PlayerTest, StepShowsOneFurtherPictureAndPausesAgain) {
    ASSERT_TRUE(Open(TSampleKind::AllIntra, true)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitForState(psPause)) << "opened paused: psPlay, then psPause";
    EXPECT_EQ(States, (std::vector<TPlayState>{psPlay, psPause}));
    ASSERT_TRUE(WaitFor([&] { return ShownFrame() >= 0; }));
    ASSERT_TRUE(WaitFor([&] { return Player->DisplayAtRest(); })) << "the first pictures shown, then at rest";
    const int before = ShownFrame();
    EXPECT_LE(before, 1) << "a file opened paused does not advance";
    Player->StepToNextFrame();
    ASSERT_TRUE(WaitFor([&] { return ShownFrame() > before; }));
    ASSERT_TRUE(WaitFor([&] { return Player->Paused(); }));
    ASSERT_TRUE(WaitFor([&] { return Player->DisplayAtRest(); })) << "the stepped picture shown, then at rest";
    EXPECT_LE(ShownFrame(), before + 2) << "the player pauses again after the step";
}

TEST_F(PlayerTest, AFileOpenedPausedAndResumedAtOncePlaysOn) {
    // Resumed before its first picture is on show: the clock has nothing to
    // go by yet and must not be moved by the time of day.
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(Open(TSampleKind::AllIntra, true)) << Player->LastErrMsg();
        Player->Resume();
        EXPECT_TRUE(WaitFor([&] { return ShownFrame() >= 10; }, 5000)) << "round " << round << ": " << ShownFrame();
        Player->Stop(true);
    }
}

TEST_F(PlayerTest, VideoOnlyAndAudioOnlyFilesPlay) {
    Player->SetDisableAudio(true);
    ASSERT_TRUE(Open(TSampleKind::VideoTwoAudio)) << Player->LastErrMsg();
    EXPECT_EQ(Player->AudioStreamIndex(), -1);
    ASSERT_TRUE(WaitForState(psEnd));
    Player->Stop(true);

    Player->SetDisableAudio(false);
    ASSERT_TRUE(Open(TSampleKind::WavAudio)) << Player->LastErrMsg();
    EXPECT_EQ(Player->VideoStreamIndex(), -1);
    EXPECT_TRUE(WaitFor([&] { return Player->CurrentPTS() > 200000; }));
    int64_t pts = 0;
    EXPECT_TRUE(Player->CurrentFrame(pts)->Empty());
    EXPECT_EQ(pts, -1);
}

TEST_F(PlayerTest, MutedAndSilentPlaybackStillAdvances) {
    Player->SetMute(true);
    Player->SetAudioVolume(300);
    EXPECT_EQ(Player->AudioVolume(), 128);
    Player->SetAudioVolume(0);
    ASSERT_TRUE(Open(TSampleKind::WavAudio)) << Player->LastErrMsg();
    EXPECT_TRUE(WaitFor([&] { return Player->CurrentPTS() > 300000; }));
    Player->SetMute(false);
    EXPECT_TRUE(WaitForState(psEnd));
}

TEST_F(PlayerTest, WantedAudioStreamAndStreamSwitching) {
    Player->set_wanted_audio_stream(1);
    ASSERT_TRUE(Open(TSampleKind::VideoTwoAudio, true)) << Player->LastErrMsg();
    EXPECT_EQ(Player->AudioStreamIndex(), 2) << "the second audio stream";
    Player->SetAudioStreamIndex(0);
    EXPECT_EQ(Player->LastErrMsg(), "the stream type is not matched.");
    Player->SetAudioStreamIndex(7);
    EXPECT_EQ(Player->LastErrMsg(), "the stream index is not valid.");
    Player->SetAudioStreamIndex(1);
    EXPECT_EQ(Player->AudioStreamIndex(), 1);
    Player->Resume();
    EXPECT_TRUE(WaitForState(psEnd)) << States.size() << " " << States.back() << " " << Player->CurrentPTS();
    Player->Stop(true);
    EXPECT_EQ(Player->wanted_audio_stream(), -1) << "the close resets the per-file settings";
    EXPECT_EQ(Player->RepeatType(), rtStop);
}

TEST_F(PlayerTest, PictureGeometryFollowsTheAspectRatio) {
    struct Case {
        float Aspect;
        int Top, Left;  // first picture row and column on the 240 × 145 surface
    } cases[] = {
        {-1.0f, 0, 0},     // stretched over the whole output
        {16.0f / 9, 5, 0}, // 240 × 134 at y = 5
        {2.0f, 12, 0},     // 240 × 120: letterboxed
        {0.0f, 0, 24},     // the picture's own 4:3: 192 × 145
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Aspect);
        Player->SetAspectRatio(c.Aspect);
        ASSERT_TRUE(Open(TSampleKind::AllIntra, true)) << Player->LastErrMsg();
        ASSERT_TRUE(WaitFor([&] { return Host.Changes > 0 && ShownFrame() >= 0; }));
        {
            std::lock_guard<std::mutex> lock(Player->SurfaceLock());
            const TBitmap& surface = Player->Surface();
            ASSERT_EQ(surface.Width(), 240);
            ASSERT_EQ(surface.Height(), 145);
            auto lit = [&](int x, int y) { return (surface.GetPixel(x, y) & 0xFFFFFF) != 0; };
            auto rowLit = [&](int y) {
                for (int x = 0; x < 240; ++x)
                    if (lit(x, y))
                        return true;
                return false;
            };
            auto columnLit = [&](int x) {
                for (int y = 0; y < 145; ++y)
                    if (lit(x, y))
                        return true;
                return false;
            };
            if (c.Top > 0) {
                EXPECT_FALSE(rowLit(c.Top - 1));
            }
            EXPECT_TRUE(rowLit(c.Top + 1));
            if (c.Left > 0) {
                EXPECT_FALSE(columnLit(c.Left - 1));
            }
            EXPECT_TRUE(columnLit(c.Left + 1));
        }
        Player->Stop(true);
        Host.Changes = 0;
    }
}

// The benchmarks' mode: no audio stream is opened and every picture is shown
// once (none is late, so none is dropped); bench/player measures its speed.
TEST_F(PlayerTest, UnpacedPlaybackShowsEveryPictureWithoutAudio) {
    Player->SetUnpaced(true);
    ASSERT_TRUE(Open(TSampleKind::VideoTwoAudio)) << Player->LastErrMsg();
    EXPECT_EQ(Player->AudioStreamIndex(), -1);
    ASSERT_TRUE(WaitForState(psEnd));
    EXPECT_EQ(Host.Changes, Sample(TSampleKind::VideoTwoAudio).Plan.Video[0].Frames);
    Player->Stop(true);
}
