#include <gtest/gtest.h>
#include "skin/controls/SkinUpDown.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/draw/ButtonFace.h"
#include "skin/draw/RectUtils.h"
#include "tests/skin_controls/ControlsFixture.h"

namespace {

// ------------------------------------------------------------ button faces

// A picture of three 12 x 12 button faces side by side: a 3-pixel border
// and a centre, one colour pair per state.
struct TFacePicture {
    static constexpr TColor Borders[3] = {RGB(10, 10, 10), RGB(10, 120, 10), RGB(10, 10, 120)};
    static constexpr TColor Centres[3] = {RGB(240, 200, 200), RGB(200, 240, 200), RGB(200, 200, 240)};
    TBitmap Picture{36, 12};
    TbsDataSkinButtonControl E{"resizebutton"};

    TFacePicture()
    {
        for (int i = 0; i < 3; ++i) {
            TCanvas& c = *Picture.Canvas();
            c.Brush().SetColor(Borders[i]);
            c.FillRect(TRect{i * 12, 0, i * 12 + 12, 12});
            c.Brush().SetColor(Centres[i]);
            c.FillRect(TRect{i * 12 + 3, 3, i * 12 + 9, 9});
        }
        E.SkinRect = TRect{0, 0, 12, 12};
        E.ActiveSkinRect = TRect{12, 0, 24, 12};
        E.DownSkinRect = TRect{24, 0, 36, 12};
        E.LTPoint = TPoint{3, 3};
        E.RTPoint = TPoint{9, 3};
        E.LBPoint = TPoint{3, 9};
        E.RBPoint = TPoint{9, 9};
        E.ClRect = TRect{3, 3, 9, 9};
        E.LeftStretch = E.TopStretch = E.RightStretch = E.BottomStretch = E.StretchEffect = true;
    }
};

TEST(ButtonFace, NinePartsFollowTheSizeAndTheState)
{
    TFacePicture f;
    struct TCase {
        bool Pressed, Hot;
        int Face;
    } cases[] = {{false, false, 0}, {false, true, 1}, {true, true, 2}, {true, false, 0}};
    for (const auto& c : cases) {
        TBitmap b;
        CreateButtonFaceImage(b, f.E, f.Picture, 40, 20, c.Pressed, c.Hot);
        ASSERT_EQ(b.Width(), 40);
        ASSERT_EQ(b.Height(), 20);
        const TColor border = TFacePicture::Borders[c.Face], centre = TFacePicture::Centres[c.Face];
        // Corners and borders keep their 3 pixels; the centre fills the rest.
        for (TPoint p : {TPoint{0, 0}, TPoint{39, 0}, TPoint{0, 19}, TPoint{39, 19}, TPoint{2, 10}, TPoint{37, 10},
                         TPoint{20, 2}, TPoint{20, 17}})
            EXPECT_EQ(b.GetPixel(p.X, p.Y), border) << p.X << "," << p.Y << " face " << c.Face;
        for (TPoint p : {TPoint{3, 3}, TPoint{36, 16}, TPoint{20, 10}})
            EXPECT_EQ(b.GetPixel(p.X, p.Y), centre) << p.X << "," << p.Y << " face " << c.Face;
    }
}

TEST(ButtonFace, EmptyStateFacesFallBackInTurn)
{
    TFacePicture f;
    f.E.ActiveSkinRect = TRect{};
    EXPECT_EQ(ButtonFaceRect(f.E, false, true), f.E.SkinRect);
    EXPECT_EQ(ButtonFaceRect(f.E, true, true), f.E.DownSkinRect);
    f.E.DownSkinRect = TRect{};
    EXPECT_EQ(ButtonFaceRect(f.E, true, true), f.E.SkinRect);
    f.E.ActiveSkinRect = TRect{12, 0, 24, 12};
    EXPECT_EQ(ButtonFaceRect(f.E, true, true), f.E.ActiveSkinRect);
    // Nothing to build at no size.
    TBitmap b;
    CreateButtonFaceImage(b, f.E, f.Picture, 0, 20, false, false);
    EXPECT_TRUE(b.Empty());
}

// ------------------------------------------------------------ spin buttons

class SpinButtonTest : public TControlsTest {
protected:
    TbsSkinUpDown* NewUpDown(TbsSkinData* Skin = nullptr)
    {
        auto* u = new TbsSkinUpDown(Form);
        u->SetParent(Form);
        u->SetBounds(10, 10, 50, 25);
        if (Skin)
            u->SetSkinData(Skin);
        u->OnChange = [this](TObject*) { ++Changes; };
        u->OnUpButtonClick = [this](TObject*) { ++UpClicks; };
        u->OnDownButtonClick = [this](TObject*) { ++DownClicks; };
        Pump();
        return u;
    }
    int Changes = 0, UpClicks = 0, DownClicks = 0;
};

TEST_F(SpinButtonTest, DefaultsAndPlainLayout)
{
    auto* u = new TbsSkinUpDown(Form);
    EXPECT_EQ(u->Width(), 50);
    EXPECT_EQ(u->Height(), 25);
    EXPECT_EQ(u->Min(), 0);
    EXPECT_EQ(u->Max(), 100);
    EXPECT_EQ(u->Increment(), 1);
    EXPECT_EQ(u->SkinDataName(), "hupdown");
    delete u;

    u = NewUpDown();
    EXPECT_EQ(u->ButtonRect(1), (TRect{0, 0, 25, 25}));    // lowers, arrow to the left
    EXPECT_EQ(u->ButtonRect(0), (TRect{25, 0, 50, 25}));   // raises, arrow to the right
    EXPECT_EQ(PixelOf(u, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(u, 3, 3), ColorToRGB(clBtnFace));
    u->SetOrientation(udVertical);
    u->SetBounds(10, 10, 20, 30);
    EXPECT_EQ(u->ButtonRect(0), (TRect{0, 0, 20, 15}));
    EXPECT_EQ(u->ButtonRect(1), (TRect{0, 15, 20, 30}));
}

TEST_F(SpinButtonTest, PlainButtonsShowHotAndPressed)
{
    auto* u = NewUpDown();
    MoveTo(u, 40, 3);
    EXPECT_EQ(PixelOf(u, 25, 0), ColorToRGB(TColor(0x00800000)));
    EXPECT_EQ(PixelOf(u, 28, 3), ColorToRGB(TColor(0x00D2BDB6)));
    EXPECT_EQ(PixelOf(u, 3, 3), ColorToRGB(clBtnFace));   // the other button stays normal
    Press(u, 40, 3);
    EXPECT_EQ(PixelOf(u, 28, 3), ColorToRGB(TColor(0x00B59385)));
    Release(u, 40, 3);
    EXPECT_EQ(PixelOf(u, 28, 3), ColorToRGB(TColor(0x00D2BDB6)));
    MoveAway();
    EXPECT_EQ(PixelOf(u, 28, 3), ColorToRGB(clBtnFace));
}

TEST_F(SpinButtonTest, HoldingRepeatsAfter500ThenEvery100AndStepsOnRelease)
{
    auto* u = NewUpDown();
    Press(u, 40, 10);
    EXPECT_EQ(u->Position(), 0);
    Wait(500);
    EXPECT_EQ(u->Position(), 0);
    Wait(110);
    EXPECT_EQ(u->Position(), 1);
    Wait(300);
    EXPECT_EQ(u->Position(), 4);
    EXPECT_EQ(UpClicks, 0);   // repeat steps are no clicks
    Release(u, 40, 10);
    EXPECT_EQ(u->Position(), 5);
    EXPECT_EQ(UpClicks, 1);
    EXPECT_EQ(Changes, 5);
    Wait(300);
    EXPECT_EQ(u->Position(), 5);
    EXPECT_FALSE(u->Repeating());

    // A short click steps once, on release.
    Press(u, 10, 10);
    EXPECT_EQ(u->Position(), 5);
    Wait(200);
    Release(u, 10, 10);
    EXPECT_EQ(u->Position(), 4);
    EXPECT_EQ(DownClicks, 1);
}

TEST_F(SpinButtonTest, DraggingOffPausesAndComingBackRepeatsEvery50)
{
    auto* u = NewUpDown();
    Press(u, 40, 10);
    Wait(710);
    EXPECT_EQ(u->Position(), 2);
    MoveTo(u, 10, 10);   // over the other button, which cannot turn hot now
    Wait(300);
    EXPECT_EQ(u->Position(), 2);
    EXPECT_EQ(PixelOf(u, 3, 3), ColorToRGB(clBtnFace));
    MoveTo(u, 40, 10);
    Wait(160);
    EXPECT_EQ(u->Position(), 5);
    // Off the control altogether and released there: no click, no step.
    MoveTo(u, 80, 10);
    Wait(200);
    EXPECT_EQ(u->Position(), 5);
    Release(u, 80, 10);
    EXPECT_EQ(u->Position(), 5);
    EXPECT_EQ(UpClicks, 0);
    EXPECT_FALSE(u->Repeating());
}

TEST_F(SpinButtonTest, RangeRulesAndIncrementZero)
{
    auto* u = NewUpDown();
    u->SetPosition(100);
    Changes = 0;
    Click(u, 40, 10);   // at Max: the click is reported, the step refused
    EXPECT_EQ(UpClicks, 1);
    EXPECT_EQ(Changes, 0);
    u->SetPosition(100);   // the same value still reports a change
    EXPECT_EQ(Changes, 1);
    u->SetPosition(101);
    u->SetPosition(-1);
    EXPECT_EQ(Changes, 1);
    u->SetMax(60);
    EXPECT_EQ(u->Position(), 60);
    u->SetMin(70);
    EXPECT_EQ(u->Position(), 70);
    EXPECT_EQ(Changes, 1);
    u->SetPosition(65);   // with Min above Max every position is refused
    EXPECT_EQ(u->Position(), 70);

    u->SetMin(0);
    u->SetMax(100);
    u->SetPosition(10);
    Changes = 0;
    u->SetIncrement(0);
    Press(u, 10, 10);
    EXPECT_FALSE(u->Repeating());
    Wait(700);
    Release(u, 10, 10);
    EXPECT_EQ(u->Position(), 10);
    EXPECT_EQ(DownClicks, 1);
    EXPECT_EQ(Changes, 0);
}

TEST_F(SpinButtonTest, SkinSizeTakesTheElementAndItsStateFaces)
{
    TbsSkinData* skin = BaseSkinData();
    auto* u = NewUpDown(skin);
    const auto* e = dynamic_cast<const TbsDataSkinUpDownControl*>(
        skin->CtrlList[size_t(skin->GetControlIndex("hupdown"))].get());
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(u->Width(), RectWidth(e->SkinRect));
    EXPECT_EQ(u->Height(), RectHeight(e->SkinRect));
    EXPECT_EQ(u->ButtonRect(0), e->UpButtonRect);
    EXPECT_EQ(u->ButtonRect(1), e->DownButtonRect);
    const TBitmap* picture = skin->ActivePicture(e->PictureIndex);
    const TRect up = e->UpButtonRect;
    const int cx = up.Left + 2, cy = up.Top + 2;
    MoveTo(u, up.Left + up.Width() / 2, up.Top + up.Height() / 2);
    EXPECT_EQ(PixelOf(u, cx, cy), picture->GetPixel(e->ActiveUpButtonRect.Left + 2, e->ActiveUpButtonRect.Top + 2));
    Press(u, up.Left + up.Width() / 2, up.Top + up.Height() / 2);
    EXPECT_EQ(PixelOf(u, cx, cy), picture->GetPixel(e->DownUpButtonRect.Left + 2, e->DownUpButtonRect.Top + 2));
    Release(u, up.Left + up.Width() / 2, up.Top + up.Height() / 2);
    EXPECT_EQ(u->Position(), 1);
}

TEST_F(SpinButtonTest, FreeSizeDrawsTheResizeButtonFace)
{
    TbsSkinData* skin = BaseSkinData();
    auto* u = new TbsSkinUpDown(Form);
    u->SetUseSkinSize(false);
    u->SetParent(Form);
    u->SetSkinData(skin);
    u->SetBounds(10, 10, 40, 20);
    Pump();
    EXPECT_EQ(u->Width(), 40);
    EXPECT_EQ(u->ButtonRect(0), (TRect{20, 0, 40, 20}));
    const auto* e = FindButtonElement(*skin, {"resizebutton"});
    ASSERT_NE(e, nullptr);
    TBitmap face;
    CreateButtonFaceImage(face, *e, *skin->ActivePicture(e->PictureIndex), 20, 20, false, false);
    EXPECT_EQ(PixelOf(u, 21, 1), face.GetPixel(1, 1));
    EXPECT_EQ(PixelOf(u, 1, 18), face.GetPixel(1, 18));
    MoveTo(u, 30, 10);
    CreateButtonFaceImage(face, *e, *skin->ActivePicture(e->PictureIndex), 20, 20, false, true);
    EXPECT_EQ(PixelOf(u, 21, 1), face.GetPixel(1, 1));
}

TEST_F(SpinButtonTest, FindsButtonElementsByNameInOrder)
{
    TbsSkinData* skin = BaseSkinData();
    const TbsDataSkinButtonControl* e = FindButtonElement(*skin, {"nosuchbutton", "editbutton", "resizebutton"});
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->IDName, "editbutton");
    EXPECT_EQ(FindButtonElement(*skin, {"hupdown"}), nullptr);   // not a button element
    EXPECT_EQ(FindButtonElement(*skin, {}), nullptr);
}

}  // namespace
