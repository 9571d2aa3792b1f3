// How the main window's buttons look in their states, checked by their pixels.
#include "MainFixture.h"

#include <set>

#include "skin/controls/SkinButton.h"

namespace maintest {
namespace {

class LooksTest : public MainWindowTest, public ::testing::WithParamInterface<int> {
protected:
    // The pixels of AControl as the window shows them, row by row.
    std::vector<TColor> Face(TControl* AControl)
    {
        Pump();
        auto picture = Backend->CaptureWindow(Form1->Handle());
        const TPoint origin = AControl->ClientToScreen(TPoint{0, 0});
        std::vector<TColor> out;
        for (int y = 0; y < AControl->Height(); ++y)
            for (int x = 0; x < AControl->Width(); ++x)
                out.push_back(picture->GetPixel(origin.X - Form1->Left() + x, origin.Y - Form1->Top() + y) & 0xFFFFFF);
        return out;
    }
    static size_t Differing(const std::vector<TColor>& A, const std::vector<TColor>& B)
    {
        size_t n = 0;
        for (size_t i = 0; i < std::min(A.size(), B.size()); ++i)
            n += A[i] != B[i];
        return n;
    }
};

// The mute button shows the sound's state: the sound-on face while sound is
// on, the muted face after a click, and back again.
TEST_P(LooksTest, MuteButtonShowsItsState)
{
    WriteIni("Skin", "SetSkin", std::to_string(GetParam()));
    Start();
    TbsSkinButton* on = Form1->bsSkinButton16;
    TbsSkinButton* muted = Form1->bsSkinButton20;
    ASSERT_TRUE(on->Visible());
    ASSERT_FALSE(muted->Visible());
    EXPECT_EQ(on->BoundsRect(), muted->BoundsRect());
    const std::vector<TColor> soundFace = Face(on);
    ClickOn(on);
    EXPECT_FALSE(on->Visible());
    ASSERT_TRUE(muted->Visible());
    Backend->MouseMove(0, 0);   // away, so that no hover face is compared
    Pump();
    const std::vector<TColor> mutedFace = Face(muted);
    // The glyphs differ in a good part of the face, not in a pixel or two.
    EXPECT_GT(Differing(soundFace, mutedFace), 20u);
    ClickOn(muted);
    EXPECT_TRUE(on->Visible());
    EXPECT_FALSE(muted->Visible());
    Backend->MouseMove(0, 0);
    EXPECT_EQ(Differing(Face(on), soundFace), 0u) << "back with its resting face";
}

INSTANTIATE_TEST_SUITE_P(Skins, LooksTest, ::testing::Values(0, 2, 6));

} // namespace
} // namespace maintest
