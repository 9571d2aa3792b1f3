#include "tests/engine_player/PlayerTestSupport.h"

#include <cstdlib>
#include <string>

#include "tests/media/MediaWriter.h"

using namespace testmedia;

// Widths whose rows the scaler's block-wise conversion overruns or leaves
// short, from 4:2:0, 4:2:2 and 10-bit files, shown paused: the player's copy
// of the picture, its display surface and CurrentFrame all get every pixel,
// up to the last column.
TEST_F(PlayerTest, PicturesOfEveryWidthAndFormatAreShownWhole) {
    struct TSize { int Width, Height; };
    const TSize sizes[] = {{642, 360}, {700, 360}, {712, 404}, {718, 576}, {1922, 1080}};
    const char* formats[] = {"yuv420p", "yuv422p", "yuv420p10le"};
    for (const char* format : formats) {
        for (const TSize& size : sizes) {
            const std::string name = std::to_string(size.Width) + "x" + std::to_string(size.Height) + " " + format;
            const std::string path = TPlayerSamples::Folder() + "/sizes_" + std::to_string(size.Width) + "_" + format + ".mkv";
            TMediaPlan plan;
            TVideoTrack video;
            video.Codec = "ffv1";
            video.Width = size.Width;
            video.Height = size.Height;
            video.Frames = 2;
            video.PixelFormat = format;
            plan.Video.push_back(video);
            WriteMediaFile(path, plan);

            Host.Width = size.Width;
            Host.Height = size.Height;
            ASSERT_TRUE(Player->Open(path, &Host, true)) << name << ": " << Player->LastErrMsg();
            ASSERT_TRUE(WaitFor([&] { return !Player->CurrentFrame()->Empty(); })) << name;
            const TBitmap& shown = *Player->CurrentFrame();
            ASSERT_EQ(shown.Width(), size.Width) << name;
            // The pattern's gradient changes slowly across the picture: the last
            // column looks like the columns just before it, never black.
            for (int y : {0, size.Height / 2, size.Height - 1}) {
                const uint8_t* row = shown.ScanLine(y);
                for (int ch = 0; ch < 3; ++ch)
                    EXPECT_NEAR(row[3 * (size.Width - 1) + ch], row[3 * (size.Width - 12) + ch], 24)
                        << name << " row " << y << " channel " << ch;
            }
            Player->Stop(true);
        }
    }
}
