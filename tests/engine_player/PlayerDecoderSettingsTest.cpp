#include <algorithm>
#include <iostream>
#include <set>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include "tests/engine_player/PlayerTestSupport.h"

using namespace testmedia;

namespace {

// The highest reduced resolution the MPEG-4 decoder offers; 0 for none.
int Mpeg4MaxLowres() {
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_MPEG4);
    return codec ? codec->max_lowres : 0;
}

struct TDecoderCase {
    const char* Name;
    std::function<void(TCustomPlayer&)> Apply;
    TSampleKind Kind;
    int Width, Height;     // of every picture handed to the hook
    bool OnlyKeyPictures;  // else pictures between the key ones must show too
    bool ReadsFrames;      // the pictures are large enough to read their frame numbers
};

} // namespace

// Every case plays the first second of its clip and looks at each picture
// the decoder passes on. Key pictures of the H.264 clip are every twelfth frame.
TEST_F(PlayerTest, DecoderSettingsReachTheDecoder) {
    const int maxLowres = Mpeg4MaxLowres();
    const TDecoderCase cases[] = {
        {"defaults", [](TCustomPlayer&) {}, TSampleKind::H264BFrames, 160, 120, false, true},
        {"key pictures only", [](TCustomPlayer& p) { p.set_skip_frame(AVDISCARD_NONKEY); }, TSampleKind::H264BFrames,
         160, 120, true, true},
        {"other settings leave the pictures alone",
         [](TCustomPlayer& p) {
             p.set_fast(true);
             p.set_genpts(true);
             p.set_error_recognition(4);
             p.set_error_concealment(0);
             p.set_workaround_bugs(0);
             p.set_idct_algo(1);
             p.set_debug_mv(1);
         },
         TSampleKind::H264BFrames, 160, 120, false, true},
        {"half size", [](TCustomPlayer& p) { p.set_lowres(1); }, TSampleKind::AllIntra, 80, 60, false, false},
        {"beyond the decoder's reach: its smallest size", [](TCustomPlayer& p) { p.set_lowres(9); },
         TSampleKind::AllIntra, (160 >> maxLowres) & ~1, (120 >> maxLowres) & ~1, false, false},
    };
    for (const TDecoderCase& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Kind == TSampleKind::AllIntra && maxLowres == 0) {
            std::cout << "[ SKIPPED ] " << c.Name << ": the MPEG-4 decoder has no reduced resolution\n";
            continue;
        }
        Player = std::make_unique<TFFPlayer>(nullptr);
        c.Apply(*Player);
        std::mutex lock;
        std::set<int> frames;
        std::set<std::pair<int, int>> sizes;
        Player->SetHook(true);
        Player->OnHook = [&](TObject*, TBitmap* bitmap, int64_t) {
            const int frame = c.ReadsFrames ? ReadFrameNumberFromBGR(bitmap->Width(), bitmap->Height(),
                                                                     [&](int y) { return bitmap->ScanLine(y); })
                                            : 0;
            std::lock_guard<std::mutex> guard(lock);
            frames.insert(frame);
            sizes.insert({bitmap->Width(), bitmap->Height()});
        };
        Host.Width = Host.Height = 0;  // the output takes the picture's size
        ASSERT_TRUE(Player->Open(Sample(c.Kind).Path, &Host, false)) << Player->LastErrMsg();
        Player->SetPlayTime(1100000);  // frames 0 to 27
        ASSERT_TRUE(WaitFor([&] { return !Player->FileOpened(); }));
        Player->Stop(true);

        std::lock_guard<std::mutex> guard(lock);
        ASSERT_FALSE(frames.empty());
        EXPECT_EQ(sizes, (std::set<std::pair<int, int>>{{c.Width, c.Height}}));
        if (!c.ReadsFrames)
            continue;
        EXPECT_EQ(frames.count(-1), 0u) << "every picture is whole";
        const int keys = int(std::count_if(frames.begin(), frames.end(), [](int f) { return f % 12 == 0; }));
        EXPECT_GE(keys, c.OnlyKeyPictures ? 3 : 1) << "frames 0, 12 and 24";
        if (c.OnlyKeyPictures)
            EXPECT_EQ(keys, int(frames.size()));
        else
            EXPECT_GT(int(frames.size()) - keys, 10) << "the pictures between the key ones";
    }
}
