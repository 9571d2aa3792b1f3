#include "engine/player/TextSubtitle.h"
#include "tests/engine_player/PlayerTestSupport.h"
#include "tests/media/MediaWriter.h"

using namespace testmedia;

namespace {

// Near-white pixels below the clip's moving box, where a subtitle is drawn.
int WhiteBelowTheBox(const TBitmap& b) {
    int n = 0;
    for (int y = b.Height() * 92 / 120; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const TColor c = b.GetPixel(x, y);
            n += (c & 0xFF) > 225 && ((c >> 8) & 0xFF) > 225 && ((c >> 16) & 0xFF) > 225;
        }
    return n;
}

} // namespace

TEST(TextSubtitleText, AssEventsLoseTheirFieldsAndOverrides) {
    struct Case {
        const char* Event;
        const char* Text;
    } cases[] = {
        {"0,0,Default,,0,0,0,,First line", "First line"},
        {"3,0,Default,Name,0,0,0,,{\\i1}two{\\i0}\\Nlines, with a comma", "two\nlines, with a comma"},
        {"1,0,Default,,0,0,0,,a\\hb", "a b"},
        {"no fields", "no fields"},
    };
    for (const Case& c : cases) {
        AVSubtitleRect rect{};
        rect.type = SUBTITLE_ASS;
        rect.ass = const_cast<char*>(c.Event);
        EXPECT_EQ(SubtitleRectText(&rect), c.Text) << c.Event;
    }
}

// A Matroska clip with a text subtitle stream: the cue is blended into the
// pictures of its time only.
TEST_F(PlayerTest, TextSubtitlesAreBlendedIntoThePicturesOfTheirTime) {
    TMediaPlan plan;
    TVideoTrack video;
    video.Frames = 30;
    video.GopSize = 1;
    plan.Video = {video};
    TSubtitleTrack subtitles;
    subtitles.Cues = {{400, 800, "Hello"}};
    plan.Subtitles = {subtitles};
    const std::string path = TPlayerSamples::Folder() + "/text_subtitle.mkv";
    WriteMediaFile(path, plan);

    ASSERT_TRUE(Player->Open(path, &Host, false)) << Player->LastErrMsg();
    EXPECT_EQ(Player->SubtitleStreamIndex(), 1);
    std::map<int, int> whiteByFrame;  // frame index → white pixels below the box
    ASSERT_TRUE(WaitFor([&] {
        int64_t pts = -1;
        TBitmap* picture = Player->CurrentFrame(pts);
        if (!picture->Empty() && pts >= 0)
            whiteByFrame[int(pts / 40000)] = WhiteBelowTheBox(*picture);
        return !States.empty() && States.back() == psEnd;
    }));
    int shown = 0, clear = 0;
    for (const auto& [frame, white] : whiteByFrame) {
        if (frame >= 11 && frame <= 19) {  // 440 .. 760 ms: inside the cue
            ++shown;
            EXPECT_GT(white, 20) << "frame " << frame;
        } else if (frame <= 8 || frame >= 22) {
            ++clear;
            EXPECT_EQ(white, 0) << "frame " << frame;
        }
    }
    EXPECT_GT(shown, 3);
    EXPECT_GT(clear, 3);
}
