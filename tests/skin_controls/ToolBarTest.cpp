#include "tests/skin_controls/ControlsFixture.h"
#include "platform/ui/Messages.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/StdCtrls.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinToolBar.h"

namespace {

class TToolBarTest : public TControlsTest {
protected:
    // The main window's bar: aligned top, scrolling by hover 30 pixels every
    // 50 ms, captions shown, menu speed buttons 80 wide side by side.
    TbsSkinToolBar* MainBar(int Buttons, TbsSkinData* Skin = nullptr)
    {
        auto* bar = new TbsSkinToolBar(Form);
        bar->SetSkinDataName("resizetoolpanel");
        bar->SetCanScroll(true);
        bar->SetHotScroll(true);
        bar->SetScrollOffset(30);
        bar->SetScrollTimerInterval(50);
        bar->SetShowCaptions(true);
        bar->SetParent(Form);
        if (Skin)
            bar->SetSkinData(Skin);
        for (int i = 0; i < Buttons; ++i) {
            auto* b = new TbsSkinMenuSpeedButton(Form);
            b->SetParent(bar);
            b->SetSkinDataName("resizetoolbutton");
            b->SetCaption("Item " + std::to_string(i));
            b->SetBounds(i * 80, 0, 80, 25);
            FButtons.push_back(b);
        }
        bar->SetAlign(alTop);
        Pump();
        return bar;
    }

    // Screen points over the arrows (in the bar's frame, outside its client part).
    TPoint LeftArrow(TbsSkinToolBar* Bar) { return At(Bar, -6, 10); }
    TPoint RightArrow(TbsSkinToolBar* Bar) { return At(Bar, Bar->ClientWidth() + 6, 10); }

    std::vector<TbsSkinSpeedButton*> FButtons;
};

TEST_F(TToolBarTest, CentresPlainChildrenSkinnedChildrenAndBevels)
{
    auto* bar = new TbsSkinToolBar(Form);
    bar->SetParent(Form);
    bar->SetSkinData(TestSkinData());
    bar->SetBounds(0, 0, 300, 34);
    // The element's client part is 30 high from 2.
    EXPECT_EQ(bar->Height(), 34);
    ASSERT_EQ(bar->GetSkinClientRect().Top, 2);
    auto* plain = new TLabel(Form);
    plain->SetAutoSize(false);
    plain->SetParent(bar);
    plain->SetBounds(5, 0, 40, 21);
    bar->CenterControls();
    EXPECT_EQ(plain->Top(), 7);

    auto* button = new TbsSkinSpeedButton(Form);
    button->SetParent(bar);
    button->SetBounds(60, 0, 25, 21);
    EXPECT_EQ(button->Top(), 7);

    auto* windowed = new TbsSkinButton(Form);
    windowed->SetParent(bar);
    windowed->SetBounds(200, 0, 60, 21);
    EXPECT_EQ(windowed->Top(), 7);

    auto* bevel = new TbsSkinBevel(Form);
    bevel->SetParent(bar);
    bevel->SetBounds(100, 0, 2, 21);
    EXPECT_EQ(bevel->Top(), 7);

    // Without AdjustControls nothing moves.
    bar->SetAdjustControls(false);
    bevel->SetBounds(100, 0, 2, 21);
    EXPECT_EQ(bevel->Top(), 0);
}

class TToolBarSkinTest : public TToolBarTest, public ::testing::WithParamInterface<bool> {};

TEST_P(TToolBarSkinTest, ArrowsAppearWhenTheContentOverflowsAndHoverScrolls)
{
    auto* bar = MainBar(6, GetParam() ? BaseSkinData() : nullptr);
    ASSERT_EQ(bar->Width(), 400);
    EXPECT_TRUE(bar->ArrowVisible(0));
    EXPECT_TRUE(bar->ArrowVisible(1));
    EXPECT_EQ(bar->ClientWidth(), 400 - 2 * TbsSkinToolBar::ArrowWidth);
    EXPECT_EQ(bar->ScrollMax(), 479);
    EXPECT_EQ(bar->ScrollPage(), bar->ClientWidth());
    const int last = bar->ScrollMax() - bar->ScrollPage() + 1;   // 104

    // Hovering the right arrow scrolls 30 pixels every 50 ms until the end.
    Backend->MouseMove(RightArrow(bar).X, RightArrow(bar).Y);
    Pump();
    EXPECT_TRUE(bar->ScrollTimerActive());
    EXPECT_EQ(bar->ScrollPosition(), 0);
    Wait(55);
    EXPECT_EQ(bar->ScrollPosition(), 30);
    EXPECT_EQ(FButtons[0]->Left(), -30);
    Wait(50);
    EXPECT_EQ(bar->ScrollPosition(), 60);
    Wait(50);
    EXPECT_EQ(bar->ScrollPosition(), 90);
    Wait(50);
    EXPECT_EQ(bar->ScrollPosition(), last);
    EXPECT_EQ(FButtons[0]->Left(), -last);
    // The step that changes nothing stops the timer.
    Wait(50);
    EXPECT_FALSE(bar->ScrollTimerActive());

    // Back into the client part: the hover ends; the left arrow scrolls back.
    MoveTo(bar, 100, 10);
    Backend->MouseMove(LeftArrow(bar).X, LeftArrow(bar).Y);
    Pump();
    Wait(55);
    EXPECT_EQ(bar->ScrollPosition(), last - 30);
    MoveTo(bar, 100, 10);
    Wait(200);
    EXPECT_EQ(bar->ScrollPosition(), last - 30) << "leaving the arrow stops the timer";
}

INSTANTIATE_TEST_SUITE_P(PlainAndBaseSkin, TToolBarSkinTest, ::testing::Bool());

TEST_F(TToolBarTest, ReleaseOnAnArrowScrollsOneMoreStep)
{
    auto* bar = MainBar(6);
    bar->SetHotScroll(false);
    const TPoint p = RightArrow(bar);
    Backend->MouseMove(p.X, p.Y);
    Pump();
    Wait(100);
    EXPECT_EQ(bar->ScrollPosition(), 0) << "without hot scrolling a hover does nothing";
    Backend->MouseDown(p.X, p.Y);
    Pump();
    Wait(50);
    EXPECT_EQ(bar->ScrollPosition(), 30);
    Backend->MouseUp(p.X, p.Y);
    Pump();
    EXPECT_EQ(bar->ScrollPosition(), 60);
    EXPECT_FALSE(bar->ScrollTimerActive());
}

TEST_F(TToolBarTest, GrowingScrollsBackAndHidesTheArrowsWhenAllFits)
{
    auto* bar = MainBar(6);
    for (int i = 0; i < 3; ++i)
        bar->ScrollStep(1);
    ASSERT_EQ(bar->ScrollPosition(), 90);
    ASSERT_EQ(FButtons[0]->Left(), -90);
    // 40 more pixels: the content's right edge (390) is now inside the
    // client part (416), so the content comes back by the growth.
    Form->SetWidth(440);
    Pump();
    EXPECT_TRUE(bar->ArrowVisible(0));
    EXPECT_EQ(bar->ScrollPosition(), 50);
    EXPECT_EQ(FButtons[0]->Left(), -50);
    // Wide enough for everything: back to 0 and no arrows.
    Form->SetWidth(600);
    Pump();
    EXPECT_FALSE(bar->ArrowVisible(0));
    EXPECT_EQ(bar->ScrollPosition(), 0);
    EXPECT_EQ(FButtons[0]->Left(), 0);
    EXPECT_EQ(bar->ClientWidth(), 600);
    // And narrower again: the arrows come back.
    Form->SetWidth(300);
    Pump();
    EXPECT_TRUE(bar->ArrowVisible(1));
}

TEST_F(TToolBarTest, StepSizesAndIntervals)
{
    auto* bar = MainBar(12);
    bar->SetScrollOffset(0);
    bar->ScrollStep(1);
    EXPECT_EQ(bar->ScrollPosition(), bar->ClientWidth()) << "offset 0 steps by the client width";
    bar->SetScrollOffset(-4);
    EXPECT_EQ(bar->ScrollOffset(), 0);
    for (int bad : {0, -5}) {
        bar->SetScrollTimerInterval(bad);
        EXPECT_EQ(bar->ScrollTimerInterval(), 50);
    }
}

TEST_F(TToolBarTest, HandsImagesSkinAndCaptionsToItsButtons)
{
    auto* bar = MainBar(2);
    TImageList images(nullptr);
    images.SetWidth(16);
    images.SetHeight(16);
    TBitmap red(16, 16);
    red.Fill(RGB(250, 0, 0));
    images.Add(red);
    bar->SetImages(&images);
    FButtons[0]->SetImageIndex(0);
    FButtons[0]->SetShowCaption(false);
    Pump();
    auto shows = [&](TColor C) {
        const TBitmap shot = Snapshot(FButtons[0]);
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x)
                if (shot.GetPixel(x, y) == C)
                    return true;
        return false;
    };
    EXPECT_TRUE(shows(RGB(250, 0, 0))) << "the button draws from the bar's image list";
    // Hot and disabled images come from the bar's other lists.
    TImageList hot(nullptr), disabled(nullptr);
    for (auto [list, color] : {std::pair{&hot, RGB(0, 250, 0)}, std::pair{&disabled, RGB(0, 0, 250)}}) {
        list->SetWidth(16);
        list->SetHeight(16);
        TBitmap b(16, 16);
        b.Fill(color);
        list->Add(b);
    }
    bar->SetHotImages(&hot);
    bar->SetDisabledImages(&disabled);
    MoveTo(FButtons[0], 5, 5);
    EXPECT_TRUE(shows(RGB(0, 250, 0)));
    MoveAway();
    FButtons[0]->SetEnabled(false);
    Pump();
    EXPECT_TRUE(shows(RGB(0, 0, 250)));
    FButtons[0]->SetEnabled(true);
    bar->SetHotImages(nullptr);
    bar->SetDisabledImages(nullptr);

    bar->SetSkinData(TestSkinData());
    EXPECT_EQ(FButtons[1]->SkinData(), TestSkinData());
    bar->SetFlat(true);
    EXPECT_TRUE(FButtons[1]->Flat());
    bar->SetAutoShowHideCaptions(true);
    bar->SetWidthWithCaptions(300);
    bar->SetWidthWithoutCaptions(100);
    bar->SetShowCaptions(false);
    EXPECT_FALSE(FButtons[1]->ShowCaption());
}

TEST_F(TToolBarTest, StatusBarAnswersTheGripOnlyOverIt)
{
    auto* bar = new TbsSkinStatusBar(Form);
    bar->SetParent(Form);
    bar->SetSizeGrip(true);
    Pump();
    EXPECT_EQ(bar->Height(), 21);
    EXPECT_EQ(bar->Top(), Form->ClientHeight() - 21);
    const TRect grip = bar->GetGripRect();
    EXPECT_EQ(grip, (TRect{381, 0, 400, 19}));
    auto hit = [&](int x, int y) {
        const TPoint p = At(bar, x, y);
        return bar->Perform(WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y));
    };
    EXPECT_EQ(hit(390, 10), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(381, 0), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(370, 10), HTCLIENT);
    bar->SetShowGrip(false);
    EXPECT_NE(hit(390, 10), HTBOTTOMRIGHT);

    // Skinned: the grip picture sits at the client part's bottom-right.
    bar->SetShowGrip(true);
    bar->SetSkinData(TestSkinData());
    Pump();
    EXPECT_EQ(bar->GetGripRect(), (TRect{386, 9, 398, 21}));
    EXPECT_EQ(PixelOf(bar, 396, 19), TestSkin::Grip);
    EXPECT_EQ(PixelOf(bar, 387, 10), TestSkin::StatusFace) << "the key colour lets the face through";
}

}  // namespace
