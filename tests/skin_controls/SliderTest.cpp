#include <gtest/gtest.h>
#include <cmath>
#include "platform/ui/Keys.h"
#include "resources/pictures/ResourcePictures.h"
#include "skin/controls/SkinSlider.h"
#include "skin/draw/RectUtils.h"
#include "tests/skin_controls/ControlsFixture.h"

namespace {

class SliderTest : public TControlsTest {
protected:
    void SetUp() override
    {
        TControlsTest::SetUp();
        SetSliderPictureLoader([](const std::string& Name, TBitmap& B) { return FindResBitmap(Name, B); });
    }
    void TearDown() override
    {
        SetSliderPictureLoader(nullptr);
        TControlsTest::TearDown();
    }
    TbsSkinSlider* NewSlider(TbsSkinData* Skin = nullptr, int W = 150, int H = 40)
    {
        auto* s = new TbsSkinSlider(Form);
        s->SetParent(Form);
        s->SetBounds(10, 10, W, H);
        if (Skin)
            s->SetSkinData(Skin);
        Pump();
        s->OnChange = [this](TObject*) { Log += "change "; ++Changes; };
        s->OnChanged = [this](TObject*) { Log += "changed "; };
        return s;
    }
    int Changes = 0;
    std::string Log;
};

TEST_F(SliderTest, DefaultPicturesComeFromTheLoader)
{
    auto* s = NewSlider();
    EXPECT_EQ(s->Image(siHThumb).Width(), 18);
    EXPECT_EQ(s->Image(siHThumb).Height(), 17);
    EXPECT_EQ(s->Image(siVRuler).Height(), 10);
    // The ruler spans the slider less the margins; the thumb is half the picture.
    EXPECT_EQ(s->Ruler().Width(), 138);
    EXPECT_EQ(s->RulerLength(), 138 - 9);
    TBitmap user(20, 20);
    s->AssignImageByIndex(siHThumb, &user);
    EXPECT_TRUE(s->UserImages().Contains(siHThumb));
    EXPECT_EQ(s->RulerLength(), 138 - 10);
    s->AssignImageByIndex(siHThumb, nullptr);
    EXPECT_FALSE(s->UserImages().Contains(siHThumb));
    EXPECT_EQ(s->RulerLength(), 138 - 9);
}

TEST_F(SliderTest, ValueRangeAndIncrementRules)
{
    auto* s = NewSlider();
    s->SetValue(150);
    EXPECT_EQ(s->Value(), 100);
    EXPECT_EQ(Changes, 1);
    s->SetValue(100);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(s->ThumbRect().Left, 6 + s->RulerLength());

    s->SetMinValue(0);
    s->SetMaxValue(0);   // an empty range is refused
    EXPECT_EQ(s->MaxValue(), 100);
    s->SetMaxValue(5);
    EXPECT_EQ(s->MaxValue(), 5);
    EXPECT_EQ(s->Increment(), 5);
    EXPECT_EQ(s->Value(), 5);
    for (int bad : {0, -3}) {
        s->SetIncrement(bad);
        EXPECT_EQ(s->Increment(), 5);
    }
}

TEST_F(SliderTest, OffsetsRoundToIncrementUnlessSmooth)
{
    auto* s = NewSlider();
    const int len = s->RulerLength();
    // The offset worth 37 of 0..100.
    const int p = 6 + int(std::nearbyint(len * 0.37));
    EXPECT_EQ(s->GetValueByOffset(p), 37);
    s->SetOptions(TbsSliderOptions{soShowPoints});
    EXPECT_EQ(s->GetValueByOffset(p), 40);
}

TEST_F(SliderTest, JumpsAndKeys)
{
    auto* s = NewSlider();
    s->SetValue(37);
    s->JumpTo(jmNext);
    EXPECT_EQ(s->Value(), 50);
    s->SetValue(37);
    s->JumpTo(jmPrior);
    EXPECT_EQ(s->Value(), 30);

    s->SetValue(0);
    s->SetFocus();
    Pump();
    Changes = 0;
    Log.clear();
    Backend->KeyDown(VK_HOME);
    Pump();
    EXPECT_EQ(Log, "changed ");
    Backend->KeyDown(VK_RIGHT);
    Pump();
    EXPECT_EQ(s->Value(), 10);
    Backend->KeyDown(VK_END);
    Pump();
    EXPECT_EQ(s->Value(), 100);
}

TEST_F(SliderTest, VerticalSliderHasItsMinimumAtTheBottom)
{
    auto* s = NewSlider(nullptr, 40, 150);
    s->SetOrientation(soVertical);
    EXPECT_EQ(s->Width(), 150);   // the orientation exchanges the sides
    s->SetBounds(10, 10, 40, 150);
    Pump();
    s->SetValue(0);
    const int bottom = s->ThumbRect().Top;
    s->SetValue(100);
    EXPECT_LT(s->ThumbRect().Top, bottom);
    EXPECT_EQ(s->ThumbRect().Top, 6);
    s->SetValue(0);
    EXPECT_EQ(s->ThumbRect().Bottom, 150 - 6);
    s->SetFocus();
    Pump();
    Backend->KeyDown(VK_UP);
    Pump();
    EXPECT_EQ(s->Value(), 10);
}

TEST_F(SliderTest, NarrowSliderNeverDividesByZero)
{
    auto* s = NewSlider(nullptr, 20, 40);
    EXPECT_LE(s->RulerLength(), 0);
    s->SetValue(50);
    EXPECT_EQ(s->ThumbRect().Left, 6);
    EXPECT_EQ(s->GetValueByOffset(10), 0);
    s->SetBounds(10, 10, 0, 40);
    Pump();
    s->SetValue(70);
    EXPECT_EQ(s->GetValueByOffset(3), 0);
}

TEST_F(SliderTest, RulerPressStepsEvery400UntilTheThumbPassesThePointer)
{
    auto* s = NewSlider();
    s->SetValue(100);
    Changes = 0;
    Log.clear();
    const int y = s->RulerOrg().Y + 2;
    const int x = s->GetOffsetByValue(55);
    Press(s, x, y);
    EXPECT_EQ(s->Value(), 90);
    Wait(395);
    EXPECT_EQ(s->Value(), 90);
    Wait(10);
    EXPECT_EQ(s->Value(), 80);
    Wait(2000);
    // The thumb now covers the pointer or lies left of it, and the jumps stopped.
    EXPECT_LE(s->ThumbRect().Left, x);
    EXPECT_EQ(s->Value(), 50);
    Release(s, x, y);
    EXPECT_EQ(Log, "change change change change change changed ");
    EXPECT_FALSE(s->Tracking());
}

// The seek bar: transparent, smooth, the skin's thumb, MaxValue its width.
TEST_F(SliderTest, SeekBarDragReportsInOrder)
{
    auto* s = NewSlider(TestSkinData(), 300, 30);
    ASSERT_NE(s->SkinIndex(), -1);
    s->SetOptions(TbsSliderOptions{soShowFocus, soSmooth});
    s->SetTransparent(true);
    s->SetIncrement(5);
    s->SetMaxValue(s->Width());
    s->SetValue(0);
    s->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { Log += "down "; };
    s->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { Log += "up "; };
    Log.clear();
    // The skin thumb is 15 wide: half of its two-state rectangle.
    EXPECT_EQ(RectWidth(s->ThumbRect()), 15);
    const TRect t = s->ThumbRect();
    EXPECT_EQ(PixelOf(s, t.Left + 5, t.Top + 5), TestSkin::Normal);
    Press(s, t.Left + 5, t.Top + 5);
    EXPECT_EQ(PixelOf(s, t.Left + 5, t.Top + 5), TestSkin::Down);
    MoveTo(s, t.Left + 60, t.Top + 5);
    MoveTo(s, t.Left + 120, t.Top + 5);
    Release(s, t.Left + 120, t.Top + 5);
    EXPECT_EQ(Log, "down change change changed up ");
    EXPECT_EQ(s->Value(), s->GetValueByOffset(t.Left + 115));
    // Transparent: the form's colour around the ruler, no skin background.
    EXPECT_EQ(PixelOf(s, 2, 28), RGB(240, 240, 240));
}

// Our base skin: the skin's thumb (half of its two-state picture) and a
// ruler built to the slider's length; without the skin thumb the program's.
TEST_F(SliderTest, BaseSkinThumbAndRuler)
{
    auto* s = NewSlider(BaseSkinData(), 200, 40);
    ASSERT_NE(s->SkinIndex(), -1);
    EXPECT_EQ(RectWidth(s->ThumbRect()), 16);
    EXPECT_EQ(s->Ruler().Width(), 188);
    s->SetValue(100);
    EXPECT_EQ(s->ThumbRect().Right, 6 + 188);
    s->SetUseSkinThumb(false);
    s->ChangeSkinData();
    EXPECT_EQ(RectWidth(s->ThumbRect()), 9);
}

}  // namespace
