#include "tests/engine_player/PlayerTestSupport.h"

using namespace testmedia;

// The 440 Hz tone of the WAV sample (22050 Hz, mono) drawn on the 240 × 145 host.
class PlayerAudioDisplayTest : public PlayerTest {
protected:
    TBitmap SurfaceCopy() {
        std::lock_guard<std::mutex> lock(Player->SurfaceLock());
        return Player->Surface();
    }
    static bool Lit(const TBitmap& b, int x, int y) { return (b.GetPixel(x, y) & 0xFFFFFF) != 0; }
    static int LitColumns(const TBitmap& b) {
        int n = 0;
        for (int x = 0; x < b.Width(); ++x)
            for (int y = 0; y < b.Height(); ++y)
                if (Lit(b, x, y)) {
                    ++n;
                    break;
                }
        return n;
    }
};

TEST_F(PlayerAudioDisplayTest, TheWaveformSwingsAroundTheCentreAndFreezesWhenPaused) {
    ASSERT_EQ(Player->ShowAudio(), saWave) << "the waveform by default";
    ASSERT_TRUE(Open(TSampleKind::WavAudio)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return LitColumns(SurfaceCopy()) > 200; }));
    const TBitmap wave = SurfaceCopy();
    ASSERT_EQ(wave.Width(), 240);
    ASSERT_EQ(wave.Height(), 145);
    const int centre = 145 / 2, reach = 145 * 9 / 20;
    int above = 0, below = 0, beyond = 0;
    for (int x = 0; x < 240; ++x)
        for (int y = 0; y < 145; ++y)
            if (Lit(wave, x, y)) {
                above += y < centre - 5;
                below += y > centre + 5;
                beyond += y < centre - reach || y > centre + reach;
            }
    EXPECT_GT(above, 500);
    EXPECT_GT(below, 500);
    EXPECT_EQ(beyond, 0) << "a full swing reaches nine twentieths of the height";

    Player->Pause();
    ASSERT_TRUE(WaitForState(psPause));
    // A drawing begun before the pause has landed; the ones after it redraw
    // the same samples.
    ASSERT_TRUE(WaitFor([&] { return Player->DisplayAtRest(); }));
    const TBitmap paused = SurfaceCopy();
    const int drawn = Host.Changes;
    ASSERT_TRUE(WaitFor([&] { return Host.Changes >= drawn + 3; })) << "the paused display is still redrawn";
    EXPECT_TRUE(SurfaceCopy().SaveToBuffer() == paused.SaveToBuffer()) << "frozen while paused";
}

TEST_F(PlayerAudioDisplayTest, TheSpectrumPeaksInTheTonesBin) {
    Player->SetShowAudio(saRDFT);
    ASSERT_TRUE(Open(TSampleKind::WavAudio)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return LitColumns(SurfaceCopy()) >= 8; }));
    const TBitmap spectrum = SurfaceCopy();
    // 145 rows: a 512-point transform, bins of 22050 / 512 Hz, 440 Hz in bin 10
    // and the lowest bin in the bottom row.
    const int expectedRow = 144 - int(std::lround(440.0 * 512 / 22050));
    std::vector<int> peaks;
    for (int x = 0; x < spectrum.Width(); ++x) {
        int bestRow = -1, best = 0;
        for (int y = 0; y < spectrum.Height(); ++y) {
            const int red = spectrum.GetPixel(x, y) & 0xFF;
            if (red > best) {
                best = red;
                bestRow = y;
            }
        }
        if (best > 40)
            peaks.push_back(bestRow);
    }
    ASSERT_GE(peaks.size(), 4u);
    std::sort(peaks.begin(), peaks.end());
    EXPECT_NEAR(peaks[peaks.size() / 2], expectedRow, 1);
    // Mono: green, the second channel's level, repeats the first one's red.
    for (int x = 0; x < spectrum.Width(); ++x) {
        const TColor c = spectrum.GetPixel(x, expectedRow);
        EXPECT_EQ(c & 0xFF, (c >> 8) & 0xFF) << x;
    }

    Player->ToggleAudioDisplay();  // spectrum → none
    EXPECT_EQ(LitColumns(SurfaceCopy()), 0) << "the area is cleared";
}
