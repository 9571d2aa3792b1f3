#include <gtest/gtest.h>
#include "skin/controls/SkinScrollBar.h"
#include "platform/ui/Keys.h"
#include "skin/draw/RectUtils.h"
#include "tests/skin_controls/ControlsFixture.h"

namespace {

class ScrollBarTest : public TControlsTest {
protected:
    TbsSkinScrollBar* NewBar(TbsSkinData* Skin = nullptr, TScrollBarKind Kind = sbHorizontal)
    {
        auto* b = new TbsSkinScrollBar(Form);
        b->SetParent(Form);
        if (Kind == sbVertical) {
            b->SetKind(sbVertical);
            b->SetSkinDataName("vscrollbar");
            b->SetBounds(10, 10, 19, 200);
        } else {
            b->SetBounds(10, 10, 200, 19);
        }
        if (Skin)
            b->SetSkinData(Skin);
        Pump();
        b->OnChange = [this](TObject*) { ++Changes; };
        return b;
    }
    int Changes = 0;
};

struct TClampCase {
    int Page, Value, Expected;
};

TEST_F(ScrollBarTest, PositionStaysInsideRangeAndPage)
{
    const TClampCase cases[] = {{13, 95, 88}, {0, 150, 100}, {0, -5, 0}, {13, 88, 88}, {0, 40, 40}};
    for (const auto& c : cases) {
        auto* b = NewBar();
        b->SetPageSize(c.Page);
        b->SetPosition(c.Value);
        EXPECT_EQ(b->Position(), c.Expected) << "page " << c.Page << " value " << c.Value;
        EXPECT_EQ(Changes, c.Expected != 0 ? 1 : 0);
        b->SetPosition(c.Value);   // the same value again changes nothing
        EXPECT_EQ(Changes, c.Expected != 0 ? 1 : 0);
        delete b;
        Changes = 0;
    }
}

TEST_F(ScrollBarTest, SetRangeClampsWithoutEventAndMaxKeepsPageInside)
{
    auto* b = NewBar();
    b->SetRange(0, 529, 0, 515);
    EXPECT_EQ(b->Position(), 0);
    EXPECT_EQ(Changes, 0);
    b->SetPosition(20);
    EXPECT_EQ(b->Position(), 15);
    EXPECT_EQ(Changes, 1);

    // Positions count from Min: the last position with a page of 5 below 22 is 18.
    b->SetRange(10, 100, 20, 5);
    b->SetMax(22);
    EXPECT_EQ(b->Position(), 18);
    // A page longer than the range never puts the position below Min.
    b->SetRange(10, 20, 15, 50);
    EXPECT_EQ(b->Position(), 10);
    b->SetPosition(30);
    EXPECT_EQ(b->Position(), 10);
}

TEST_F(ScrollBarTest, PlainGeometryCentresTheThumb)
{
    auto* b = NewBar();
    b->SetPosition(50);
    const TRect track = b->TrackRectNow();
    EXPECT_EQ(track.Left, 17);
    EXPECT_EQ(track.Right, 183);
    const TRect thumb = b->ThumbRectNow();
    EXPECT_EQ(thumb.Left, 92);
    EXPECT_EQ(thumb.Right, 108);
    // The plain faces: the thumb's middle is the button face, its frame the shadow.
    EXPECT_EQ(PixelOf(b, 100, 9), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelOf(b, 92, 9), ColorToRGB(clBtnShadow));
}

TEST_F(ScrollBarTest, HeldButtonStepsAtOnceThenAfter550ThenEvery50)
{
    auto* b = NewBar();
    const TRect inc = b->PartRect(1);
    const int x = inc.Left + 8, y = 9;
    Press(b, x, y);
    EXPECT_EQ(b->Position(), 1);
    Wait(545);
    EXPECT_EQ(b->Position(), 1);
    Wait(10);
    EXPECT_EQ(b->Position(), 2);
    Wait(50);
    EXPECT_EQ(b->Position(), 3);
    // Leaving the button pauses the repeat, coming back resumes it at 50 ms.
    MoveTo(b, 100, 9);
    Wait(200);
    EXPECT_EQ(b->Position(), 3);
    MoveTo(b, x, y);
    Wait(52);
    EXPECT_EQ(b->Position(), 4);
    Release(b, x, y);
    Wait(200);
    EXPECT_EQ(b->Position(), 4);
    EXPECT_FALSE(b->Repeating());
}

TEST_F(ScrollBarTest, TrackPressPagesUntilTheThumbPassesThePointer)
{
    auto* b = NewBar();
    b->SetLargeChange(10);
    int pageDowns = 0;
    b->OnPageDown = [&](TObject*) { ++pageDowns; };
    Press(b, 120, 9);   // right of the thumb at 0
    EXPECT_EQ(b->Position(), 10);
    Wait(3000);
    Release(b, 120, 9);
    // The thumb now covers or lies beyond x 120, and the steps stopped there.
    const TRect thumb = b->ThumbRectNow();
    EXPECT_GE(thumb.Right, 120);
    EXPECT_LT(thumb.Left - 16, 120);
    EXPECT_EQ(pageDowns, b->Position() / 10);
    EXPECT_FALSE(b->Repeating());

    // A page step that moves nothing still reports itself.
    b->SetRange(0, 0, 0, 0);
    const int before = pageDowns;
    Press(b, 100, 9);
    Release(b, 100, 9);
    EXPECT_EQ(b->Position(), 0);
    EXPECT_EQ(pageDowns, before + 1);
}

TEST_F(ScrollBarTest, ButtonEventsReplaceStepsAndRightButtonOnlyReports)
{
    auto* b = NewBar();
    int ups = 0, downs = 0, mouseDowns = 0;
    b->OnUpButtonClick = [&](TObject*) { ++ups; };
    b->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++mouseDowns; };
    const TRect inc = b->PartRect(1);
    Click(b, inc.Left + 5, 9);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(b->Position(), 0);
    b->OnDownButtonClick = [&](TObject*) { ++downs; };
    Click(b, 5, 9);
    EXPECT_EQ(downs, 1);

    const TPoint p = At(b, inc.Left + 5, 9);
    Backend->MouseDown(p.X, p.Y, 1);
    Pump();
    Backend->MouseUp(p.X, p.Y, 1);
    Pump();
    EXPECT_EQ(mouseDowns, 3);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(b->Position(), 0);
}

TEST_F(ScrollBarTest, DraggingTheThumbFollowsThePointer)
{
    auto* b = NewBar();
    int last = 0;
    b->OnLastChange = [&](TObject*) { ++last; };
    Press(b, 25, 9);   // on the thumb at position 0; its centre travels 25..175
    MoveTo(b, 25 + 75, 9);
    EXPECT_EQ(b->Position(), 50);
    MoveTo(b, 400, 9);
    EXPECT_EQ(b->Position(), 100);
    Release(b, 400, 9);
    EXPECT_EQ(last, 1);

    // With a page the thumb moves over the positions the page leaves.
    b->SetRange(0, 99, 0, 50);
    const TRect t = b->ThumbRectNow();
    Press(b, t.Left + 5, 9);
    MoveTo(b, t.Left + 5 + (183 - 17 - RectWidth(t)), 9);
    EXPECT_EQ(b->Position(), 50);
    Release(b, t.Left + 5, 9);
}

TEST_F(ScrollBarTest, SkinnedBarFollowsItsElement)
{
    auto* b = NewBar(TestSkinData());
    ASSERT_NE(b->SkinIndex(), -1);
    EXPECT_EQ(b->Height(), 19);
    // The increment button keeps its place at the right end, the track stretches.
    EXPECT_EQ(b->PartRect(1).Left, 183);
    EXPECT_EQ(b->TrackRectNow().Right, 183);
    EXPECT_EQ(PixelOf(b, 100, 9), TestSkin::BarTrack);
    EXPECT_EQ(PixelOf(b, 27, 9), TestSkin::Focused);   // the thumb at rest
    MoveTo(b, 190, 9);
    EXPECT_EQ(PixelOf(b, 190, 9), TestSkin::Active);
    Press(b, 190, 9);
    EXPECT_EQ(PixelOf(b, 190, 9), TestSkin::Down);
    Release(b, 190, 9);

    auto* v = NewBar(TestSkinData(), sbVertical);
    ASSERT_NE(v->SkinIndex(), -1);
    EXPECT_EQ(v->PartRect(1).Top, 183);
    v->SetPosition(100);
    EXPECT_EQ(PixelOf(v, 9, 175), TestSkin::Focused);

    // Both: the bar switches to the element with the corner square.
    b->SetBoth(true);
    EXPECT_EQ(b->SkinDataName(), "bothhscrollbar");
    EXPECT_EQ(PixelOf(b, 195, 9), TestSkin::Disabled);
    b->SetBoth(false);
    EXPECT_EQ(b->SkinDataName(), "hscrollbar");
}

TEST_F(ScrollBarTest, LeavingTheBarEndsAPageRepeatInEitherDirection)
{
    for (bool up : {true, false}) {
        auto* b = NewBar();
        b->SetLargeChange(5);
        b->SetPosition(up ? 100 : 0);
        const int x = up ? 40 : 160;
        Press(b, x, 9);
        const int after = b->Position();
        EXPECT_EQ(after, up ? 95 : 5);
        MoveTo(b, x, 60);   // out of the bar, the button still held
        Wait(1000);
        EXPECT_EQ(b->Position(), after) << (up ? "page up" : "page down");
        EXPECT_FALSE(b->Repeating());
        Release(b, x, 60);
        delete b;
    }
}

TEST_F(ScrollBarTest, KeysAndWheelStepOnlyWhenTheBarTakesFocus)
{
    auto* b = NewBar();
    b->SetFocus();
    Pump();
    Backend->KeyDown(VK_RIGHT);
    Pump();
    EXPECT_EQ(b->Position(), 0);
    b->SetCanFocused(true);
    EXPECT_TRUE(b->TabStop());
    Click(b, 100, 9);   // a click gives the focus first
    EXPECT_TRUE(b->Focused());
    const int p = b->Position();
    Backend->KeyDown(VK_RIGHT);
    Pump();
    EXPECT_EQ(b->Position(), p + 1);
    Backend->KeyDown(VK_UP);
    Pump();
    EXPECT_EQ(b->Position(), p);
    const TPoint at = At(b, 100, 9);
    Backend->Wheel(-120, at.X, at.Y);
    Pump();
    EXPECT_EQ(b->Position(), p + 1);
    Backend->Wheel(120, at.X, at.Y);
    Pump();
    EXPECT_EQ(b->Position(), p);
}

// Our base skin: the bar takes the element's thickness, its buttons stay at
// the ends, and a page thumb is never shorter than the skin's minimum.
TEST_F(ScrollBarTest, BaseSkinBarKeepsItsEndsAndThumbMinimum)
{
    auto* b = NewBar(BaseSkinData());
    ASSERT_NE(b->SkinIndex(), -1);
    const int thick = b->Height();
    EXPECT_GT(thick, 0);
    EXPECT_EQ(b->PartRect(1).Right, 200);
    EXPECT_EQ(b->PartRect(2).Left, 0);
    EXPECT_EQ(b->TrackRectNow().Right, 200 - thick);
    b->SetRange(0, 10000, 0, 1);
    EXPECT_GE(RectWidth(b->ThumbRectNow()), 20);
    b->SetPosition(10000);
    EXPECT_EQ(b->ThumbRectNow().Right, 200 - thick);

    auto* v = NewBar(BaseSkinData(), sbVertical);
    ASSERT_NE(v->SkinIndex(), -1);
    EXPECT_EQ(v->PartRect(1).Bottom, 200);
    EXPECT_EQ(v->TrackRectNow().Bottom, 200 - v->Width());
}

}  // namespace
