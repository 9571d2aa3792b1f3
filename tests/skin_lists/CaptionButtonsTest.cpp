#include <gtest/gtest.h>
#include "skin/boxes/SkinListBox.h"
#include "skin/controls/ControlPaint.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/draw/RectUtils.h"
#include "tests/skin_controls/ControlsFixture.h"

namespace {

// A plain list box with a caption and its three buttons (up rightmost,
// then down, then check), ten items and the fifth selected.
class TCaptionButtonsTest : public TControlsTest {
protected:
    void SetUp() override
    {
        TControlsTest::SetUp();
        List = new TbsSkinListBox(Form);
        List->SetParent(Form);
        List->SetBounds(10, 10, 200, 180);
        List->SetCaptionMode(true);
        List->SetCaption("Skins");
        for (int i = 0; i < 10; ++i)
            List->Items().Add("item " + std::to_string(i));
        List->SetItemIndex(4);
        List->OnListBoxClick = [this](TObject*) { ++ListClicks; };
        Pump();
    }
    TPoint Centre(int I)
    {
        const TRect r = List->CaptionButtonRect(I);
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void PressButton(int I) { Press(List, Centre(I).X, Centre(I).Y); }
    void ReleaseButton(int I) { Release(List, Centre(I).X, Centre(I).Y); }

    TbsSkinListBox* List = nullptr;
    int ListClicks = 0;
};

TEST_F(TCaptionButtonsTest, PlainButtonsSitRightToLeftInTheCaption)
{
    const int a = 17, w = List->Width();
    EXPECT_EQ(List->CaptionButtonRect(0), (TRect{w - a - 2, 2, w - 2, a + 1}));
    EXPECT_EQ(List->CaptionButtonRect(1), (TRect{w - 2 * a - 2, 2, w - a - 2, a + 1}));
    EXPECT_EQ(List->CaptionButtonRect(2), (TRect{w - 3 * a - 2, 2, w - 2 * a - 2, a + 1}));
    EXPECT_EQ(List->ListRectNow().Top, 21) << "below the 20-pixel caption";
    MoveTo(List, Centre(1).X, Centre(1).Y);
    EXPECT_EQ(PixelOf(List, List->CaptionButtonRect(1).Left + 1, 4), PlainHotFill);
    PressButton(1);
    EXPECT_EQ(PixelOf(List, List->CaptionButtonRect(1).Left + 1, 4), PlainDownFill);
    ReleaseButton(1);
}

// Holding down: nothing on the press, the first step after 600 ms, then one
// every 100 ms; the release steps once more.
TEST_F(TCaptionButtonsTest, HoldingDownRepeatsAfterTheFirstDelay)
{
    PressButton(1);
    EXPECT_EQ(List->ItemIndex(), 4);
    Wait(550);
    EXPECT_EQ(List->ItemIndex(), 4);
    Wait(80);
    EXPECT_EQ(List->ItemIndex(), 5);
    Wait(100);
    EXPECT_EQ(List->ItemIndex(), 6);
    ReleaseButton(1);
    EXPECT_EQ(List->ItemIndex(), 7);
    Wait(300);
    EXPECT_EQ(List->ItemIndex(), 7) << "the repeat stopped";
    EXPECT_EQ(ListClicks, 0) << "moves from code raise no click";
}

TEST_F(TCaptionButtonsTest, RepeatStopsAtTheEndsAndResumesFasterOnReEntry)
{
    PressButton(0);
    Wait(620);
    EXPECT_EQ(List->ItemIndex(), 3);
    MoveTo(List, 20, 100);   // off the button: the repeat pauses
    Wait(300);
    EXPECT_EQ(List->ItemIndex(), 3);
    MoveTo(List, Centre(0).X, Centre(0).Y);
    Wait(60);
    EXPECT_EQ(List->ItemIndex(), 2) << "50 ms after coming back";
    Wait(400);
    EXPECT_EQ(List->ItemIndex(), 0) << "stops at the first item";
    ReleaseButton(0);
    EXPECT_EQ(List->ItemIndex(), 0);
}

// Released away from itself a button does nothing: no event, no move.
TEST_F(TCaptionButtonsTest, ReleasedAwayDoesNothing)
{
    int upClicks = 0;
    List->OnUpButtonClick = [&](TObject* Sender) {
        EXPECT_EQ(Sender, List);
        ++upClicks;
    };
    PressButton(0);
    Release(List, 20, 100);
    EXPECT_EQ(upClicks, 0);
    EXPECT_EQ(List->ItemIndex(), 4);
    PressButton(0);
    Wait(700);
    EXPECT_EQ(List->ItemIndex(), 4) << "an assigned event means no repeat";
    ReleaseButton(0);
    EXPECT_EQ(upClicks, 1);
    EXPECT_EQ(List->ItemIndex(), 4) << "the event replaces the move";

    PressButton(1);
    Release(List, 20, 100);
    EXPECT_EQ(List->ItemIndex(), 4);
}

TEST_F(TCaptionButtonsTest, CheckButtonClicksTheList)
{
    PressButton(2);
    ReleaseButton(2);
    EXPECT_EQ(ListClicks, 1);
    int checks = 0;
    List->OnCheckButtonClick = [&](TObject*) { ++checks; };
    PressButton(2);
    ReleaseButton(2);
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(ListClicks, 1);
}

TEST_F(TCaptionButtonsTest, HiddenButtonsTakeNoPresses)
{
    List->SetShowCaptionButtons(false);
    Pump();
    Press(List, List->Width() - 10, 10);
    Wait(700);
    Release(List, List->Width() - 10, 10);
    EXPECT_EQ(List->ItemIndex(), 4);
}

}  // namespace

namespace {

using namespace TestSkin;

// A list element with a 14-pixel caption strip and up and down buttons right
// of the top corner, added to the test skin: the buttons follow the right
// edge and show the element's pictures.
class TSkinnedCaptionTest : public TControlsTest {
protected:
    void SetUp() override
    {
        TControlsTest::SetUp();
        Skin = TestSkinData();
        auto e = std::make_unique<TbsDataSkinListBox>("captionlist");
        e->PictureIndex = 0;
        e->SkinRect = TRect{0, 0, 40, 20};
        e->LTPoint = TPoint{2, 14};
        e->RTPoint = TPoint{20, 14};
        e->LBPoint = TPoint{2, 18};
        e->RBPoint = TPoint{20, 18};
        e->ClRect = TRect{2, 14, 38, 18};
        e->SItemRect = Cell(0, 0, 40, 20);
        e->ItemTextRect = TRect{4, 2, 36, 18};
        e->CaptionRect = TRect{2, 0, 20, 14};
        e->UpButtonRect = TRect{24, 2, 30, 12};
        e->DownButtonRect = TRect{30, 2, 36, 12};
        e->ActiveUpButtonRect = TRect{48, 4, 54, 14};     // inside the hot face
        e->ActiveDownButtonRect = TRect{48, 4, 54, 14};
        Skin->CtrlList.push_back(std::move(e));
        List = new TbsSkinListBox(Form);
        List->SetParent(Form);
        List->SetSkinDataName("captionlist");
        List->SetBounds(10, 10, 200, 120);
        List->SetSkinData(Skin);
        List->SetCaptionMode(true);
        List->SetCaption("Skins");
        for (int i = 0; i < 5; ++i)
            List->Items().Add("item " + std::to_string(i));
        List->SetItemIndex(2);
        Pump();
    }
    void TearDown() override
    {
        delete List;
        Skin->CtrlList.pop_back();
        TControlsTest::TearDown();
    }

    TbsSkinData* Skin = nullptr;
    TbsSkinListBox* List = nullptr;
};

TEST_F(TSkinnedCaptionTest, ButtonsFollowTheRightEdgeAndShowTheSkinsPictures)
{
    ASSERT_NE(List->SkinIndex(), -1);
    const int dw = List->Width() - 40;
    EXPECT_EQ(List->CaptionButtonRect(0), (TRect{24 + dw, 2, 30 + dw, 12}));
    EXPECT_EQ(List->CaptionButtonRect(1), (TRect{30 + dw, 2, 36 + dw, 12}));
    EXPECT_TRUE(IsNullRect(List->CaptionButtonRect(2))) << "no check button in this skin";
    const TRect up = List->CaptionButtonRect(0);
    EXPECT_EQ(PixelOf(List, up.Left + 2, up.Top + 4), Normal);
    MoveTo(List, up.Left + 2, up.Top + 4);
    EXPECT_EQ(PixelOf(List, up.Left + 2, up.Top + 4), Active);
    Click(List, up.Left + 2, up.Top + 4);
    EXPECT_EQ(List->ItemIndex(), 1) << "the default move of the up button";
}

}  // namespace
