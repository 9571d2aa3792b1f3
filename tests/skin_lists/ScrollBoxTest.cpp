#include <gtest/gtest.h>
#include "platform/ui/controls/ExtCtrls.h"
#include "skin/boxes/SkinScrollBox.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinMessages.h"
#include "tests/skin_controls/ControlsFixture.h"

namespace {

// A box with a vertical bar beside it; children are plain panels.
class TScrollBoxTest : public TControlsTest {
protected:
    void SetUp() override
    {
        TControlsTest::SetUp();
        Box = new TbsSkinScrollBox(Form);
        Box->SetParent(Form);
        Box->SetBounds(10, 10, 152, 152);   // client 150 x 150 inside the plain frame
        VBar = new TbsSkinScrollBar(Form);
        VBar->SetParent(Form);
        VBar->SetKind(sbVertical);
        VBar->SetBounds(170, 10, 19, 152);
        Pump();
    }
    TPanel* Child(int Top, int Height)
    {
        auto* p = new TPanel(Box);
        p->SetParent(Box);
        p->SetBounds(10, Top, 50, Height);
        return p;
    }

    TbsSkinScrollBox* Box = nullptr;
    TbsSkinScrollBar* VBar = nullptr;
};

TEST_F(TScrollBoxTest, NoChildrenLeaveTheBarHidden)
{
    Box->SetVScrollBar(VBar);
    EXPECT_EQ(Box->ClientHeight(), 150);
    EXPECT_FALSE(VBar->Visible());
    EXPECT_EQ(VBar->Max(), 0);
    EXPECT_EQ(VBar->PageSize(), 0);
    EXPECT_EQ(VBar->Position(), 0);
}

TEST_F(TScrollBoxTest, TallContentShowsTheBarAndTheBarMovesTheChildren)
{
    TPanel* p = Child(300, 100);
    Box->SetVScrollBar(VBar);
    EXPECT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->Min(), 0);
    EXPECT_EQ(VBar->Max(), 399);
    EXPECT_EQ(VBar->PageSize(), 150);
    VBar->SetPosition(120);
    EXPECT_EQ(p->Top(), 180);
    Box->VScroll(1000);
    EXPECT_EQ(VBar->Position(), 250) << "the last position shows the bottom";
    EXPECT_EQ(p->Top(), 50);
    // The box grows until everything fits: the children go back to their
    // unscrolled places and the bar hides.
    Box->SetBounds(Box->Left(), Box->Top(), 152, 402);
    Box->UpDateScrollRange();
    EXPECT_FALSE(VBar->Visible());
    EXPECT_EQ(p->Top(), 300);
    EXPECT_EQ(VBar->Max(), 0);
}

// An aligned box grows while scrolled: the children come down by the growth.
TEST_F(TScrollBoxTest, GrowingWhileScrolledMovesTheChildrenDown)
{
    auto* host = new TPanel(Form);
    host->SetParent(Form);
    host->SetBounds(200, 10, 180, 152);
    Box->SetParent(host);
    Box->SetAlign(alLeft);
    const int frame = 152 - Box->ClientHeight() - 2;   // the host's own border
    host->SetBounds(200, 10, 180, 152 + frame);
    ASSERT_EQ(Box->ClientHeight(), 150);
    TPanel* p = Child(200, 50);
    Box->SetVScrollBar(VBar);
    VBar->SetPosition(100);
    EXPECT_EQ(p->Top(), 100);   // ends at 150 in client coordinates
    host->SetBounds(200, 10, 180, 202 + frame);
    EXPECT_EQ(Box->ClientHeight(), 200);
    EXPECT_EQ(VBar->Position(), 50);
    EXPECT_EQ(p->Top(), 150);
}

TEST_F(TScrollBoxTest, FrameFollowsTheBorderStyle)
{
    EXPECT_EQ(Box->ClientWidth(), 150);
    EXPECT_EQ(PixelOf(Box, -1, -1), ColorToRGB(clBtnShadow)) << "one-pixel frame";
    TBitmap b(152, 152);
    b.Fill(RGB(1, 2, 3));
    HWND h = Box->Handle();
    EXPECT_EQ(SendMessage(h, WM_PRINTSKINFRAME, WPARAM(b.Canvas()->Handle()), 0), PRINTSKINFRAME_DONE);
    EXPECT_EQ(b.GetPixel(0, 70), ColorToRGB(clBtnShadow));
    EXPECT_EQ(SendMessage(h, WM_PRINTSKINFRAMEEX, WPARAM(b.Canvas()->Handle()), PRINTSKINFRAMEEX_KEY),
              PRINTSKINFRAMEEX_KEY);
    EXPECT_NE(SendMessage(h, WM_PRINTSKINFRAMEEX, 0, 0x1234), PRINTSKINFRAMEEX_KEY);
    Box->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    Pump();
    EXPECT_EQ(Box->ClientWidth(), 152);
    EXPECT_EQ(SendMessage(Box->Handle(), WM_PRINTSKINFRAME, WPARAM(b.Canvas()->Handle()), 0), 0);
    EXPECT_EQ(SendMessage(Box->Handle(), WM_PRINTSKINFRAMEEX, 0, PRINTSKINFRAMEEX_KEY), PRINTSKINFRAMEEX_KEY)
        << "answered even when nothing was drawn";
}

TEST_F(TScrollBoxTest, SkinnedBoxTakesTheElementsBorder)
{
    Box->SetSkinData(BaseSkinData());
    Pump();
    EXPECT_NE(Box->SkinIndex(), -1);
    EXPECT_LT(Box->ClientWidth(), Box->Width());
    TPanel* p = Child(300, 100);
    (void)p;
    Box->SetVScrollBar(VBar);
    EXPECT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->PageSize(), Box->ClientHeight());
}

TEST_F(TScrollBoxTest, WheelTurnsReachTheUpAndDownEventsUnlessTheWheelEventTakesThem)
{
    TPanel* p = Child(300, 100);
    Box->SetVScrollBar(VBar);
    std::vector<std::string> log;
    Box->OnMouseWheelDown = [&](TObject* Sender, TShiftState, TPoint MousePos, bool& Handled) {
        EXPECT_EQ(Sender, Box);
        log.push_back("down " + std::to_string(MousePos.X) + "," + std::to_string(MousePos.Y));
        Box->VScroll(VBar->Position() + 40);
        Handled = true;
    };
    Box->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        log.push_back("up");
        Box->VScroll(VBar->Position() - 40);
        Handled = true;
    };
    Box->SetFocus();   // the wheel goes to the focused window
    const TPoint at = At(Box, 100, 20);
    Backend->Wheel(-120, at.X, at.Y);
    Backend->Wheel(-120, at.X, at.Y);
    Backend->Wheel(120, at.X, at.Y);
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"down " + std::to_string(at.X) + "," + std::to_string(at.Y),
                                              "down " + std::to_string(at.X) + "," + std::to_string(at.Y), "up"}));
    EXPECT_EQ(VBar->Position(), 40);
    EXPECT_EQ(p->Top(), 260);

    // Taken by OnMouseWheel, the turn goes no further.
    Box->OnMouseWheel = [&](TObject*, TShiftState, int WheelDelta, TPoint, bool& Handled) {
        log.push_back("wheel " + std::to_string(WheelDelta));
        Handled = true;
    };
    log.clear();
    Backend->Wheel(-120, at.X, at.Y);
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"wheel -120"}));
}

}  // namespace
