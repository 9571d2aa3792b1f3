// The layered border: four translucent windows around a skinned form, cut
// from the skin's layered-frame picture, following the form, fading in and
// resizing it by their drag zones. Needs per-pixel alpha; without it the
// frame never creates one.
#include <filesystem>
#include "SkinFrameFixture.h"
#include "skin/data/WindowDescriptions.h"
#include "skin/frame/LayerBorder.h"

namespace {

// A 40 x 40 layered-frame picture whose client (10, 10, 30, 30) stands for
// the form: 10 pixels all round, half-transparent by its grey mask.
void AddLayerFrame(TbsSkinData& S, bool borderRect = true, int maskIndex = 2)
{
    auto picture = std::make_unique<TBitmap>(40, 40);
    TestSkin::Fill(*picture, TRect{0, 0, 40, 40}, TColor(0x203040));
    auto mask = std::make_unique<TBitmap>(40, 40);
    TestSkin::Fill(*mask, TRect{0, 0, 40, 40}, TColor(0x808080));
    S.FActivePictures.push_back(std::move(picture));   // 1
    S.FActivePictures.push_back(std::move(mask));      // 2
    auto lf = std::make_unique<TbsDataSkinLayerFrame>();
    lf->PictureIndex = 1;
    lf->MaskPictureIndex = maskIndex;
    lf->LTPoint = TPoint{15, 10};
    lf->RTPoint = TPoint{25, 10};
    lf->LBPoint = TPoint{15, 30};
    lf->RBPoint = TPoint{25, 30};
    lf->ClRect = TRect{10, 10, 30, 30};
    lf->AlphaBlendValue = 200;
    lf->InActiveAlphaBlendValue = 100;
    lf->BorderRect = borderRect ? TRect{5, 5, 35, 35} : TRect{0, 0, 0, 0};
    lf->HitTestEnable = true;
    S.LayerFrame = std::move(lf);
}

THeadlessConfig WithPerPixelAlpha(bool on)
{
    THeadlessConfig config;
    config.Caps.PerPixelAlpha = on;
    return config;
}

TRect WindowRectOf(HWND h)
{
    TRect r;
    GetWindowRect(h, r);
    return r;
}

class TLayerBorderTest : public TFrameTest {
protected:
    void TearDown() override
    {
        delete Form;
        Form = nullptr;
        TFrameTest::TearDown();
    }
    void MakeLayered(bool perPixelAlpha, bool borderRect = true, int maskIndex = 2)
    {
        Backend = &UseHeadlessBackend(WithPerPixelAlpha(perPixelAlpha));
        Application->Initialize();
        TestSkin::Build(Small);
        AddLayerFrame(Small, borderRect, maskIndex);
        MakeForm(200, 150);
        Frame->OnCaptionPaint = nullptr;
        Frame->SetSkinData(&Small);
        SetForegroundWindow(Form->Handle());
        Pump();
        Border = dynamic_cast<TbsFormLayerBorder*>(Frame->BorderLayer());
        ASSERT_NE(Border, nullptr);
    }
    HWND Side(TbsFormLayerBorderType t) { return Border->Window(t) ? Border->Window(t)->Handle() : nullptr; }
    // The four windows' screen rectangles: top, bottom, left, right.
    void ExpectAround(const TRect& f)
    {
        EXPECT_EQ(WindowRectOf(Side(bsflTop)), (TRect{f.Left - 10, f.Top - 10, f.Right + 10, f.Top}));
        EXPECT_EQ(WindowRectOf(Side(bsflBottom)), (TRect{f.Left - 10, f.Bottom, f.Right + 10, f.Bottom + 10}));
        EXPECT_EQ(WindowRectOf(Side(bsflLeft)), (TRect{f.Left - 10, f.Top, f.Left, f.Bottom}));
        EXPECT_EQ(WindowRectOf(Side(bsflRight)), (TRect{f.Right, f.Top, f.Right + 10, f.Bottom}));
    }

    TbsSkinData Small{nullptr};
    TbsFormLayerBorder* Border = nullptr;
};

// Shown with the form, around it, and following its moves and sizes; the
// windows are layered and never take the activation.
TEST_F(TLayerBorderTest, FollowsItsForm)
{
    MakeLayered(true);
    ASSERT_TRUE(Border->Visible());
    for (auto t : {bsflLeft, bsflTop, bsflRight, bsflBottom}) {
        ASSERT_NE(Side(t), nullptr);
        EXPECT_TRUE(IsWindowVisible(Side(t)));
        EXPECT_NE(GetWindowLong(Side(t), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
        EXPECT_EQ(GetWindowLong(Side(t), GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
    }
    ExpectAround(Form->BoundsRect());
    EXPECT_TRUE(Form->Active());
    EXPECT_EQ(Border->BorderSizes(), (TRect{5, 5, 5, 5}));

    Form->SetBounds(100, 90, 200, 150);
    Pump();
    ExpectAround(Form->BoundsRect());
    Form->SetBounds(100, 90, 260, 180);
    Pump();
    ExpectAround(Form->BoundsRect());
    EXPECT_EQ(Border->Image(bsflLeft)->Height(), 180);

    // The screen shows the border's half-transparent pixels beside the form.
    auto screen = Backend->CaptureScreen();
    const TColor desk = screen->GetPixel(5, 700), beside = screen->GetPixel(95, 150);
    EXPECT_NE(beside, desk);
    std::filesystem::create_directories(FRAME_RENDER_DIR);
    Backend->SaveScreenPicture(std::string(FRAME_RENDER_DIR) + "/layered_border.png");

    Form->Hide();
    Pump();
    EXPECT_FALSE(Border->Visible());
    EXPECT_EQ(Side(bsflTop), nullptr);
}

// The desktop loses its translucent windows (its compositor stops) and gets
// them back: the border goes and comes with them, the form staying as it is.
TEST_F(TLayerBorderTest, ComesAndGoesWithTheDesktopsTranslucency)
{
    MakeLayered(true);
    ASSERT_TRUE(Border->Visible());
    TPlatformCaps caps = Backend->Caps();
    caps.PerPixelAlpha = false;
    Backend->SetCaps(caps);
    BroadcastCapsChange();
    Pump();
    EXPECT_FALSE(Border->Visible());
    EXPECT_EQ(Side(bsflTop), nullptr);
    EXPECT_TRUE(Form->Visible());

    caps.PerPixelAlpha = true;
    Backend->SetCaps(caps);
    BroadcastCapsChange();
    Pump();
    ASSERT_TRUE(Border->Visible());
    ExpectAround(Form->BoundsRect());
}

// The border's alpha is the form's share of the skin's: 200 * 128 / 255 =
// 100.4 gives 100. Deactivation takes the inactive alpha.
TEST_F(TLayerBorderTest, AlphaFollowsTheFormAndItsActivation)
{
    MakeLayered(true);
    Border->CheckFormAlpha(128, true);
    EXPECT_EQ(Border->CurrentAlphaBlendValue(), 100);
    EXPECT_EQ(Border->CurrentInActiveAlphaBlendValue(), 50);
    Border->CheckFormAlpha(255, true);
    EXPECT_EQ(Border->CurrentAlphaBlendValue(), 200);

    Backend->ActivateOtherProgram();
    Pump();
    EXPECT_FALSE(Border->Active());
    Backend->ReturnFromOtherProgram();
    Pump();
    EXPECT_TRUE(Border->Active());
}

// The fade-in rises by target div 15 every few milliseconds of the clock
// and ends exactly at its target.
TEST_F(TLayerBorderTest, FadeInSteps)
{
    MakeLayered(true);
    std::vector<int> steps;
    Border->OnFadeStep = [&](int a) { steps.push_back(a); };
    Border->Hide();
    Border->ShowWithFormAnimation();
    ASSERT_EQ(steps.size(), 16u);
    for (size_t i = 0; i + 1 < steps.size(); ++i)
        EXPECT_EQ(steps[i], 13 * int(i + 1));
    EXPECT_EQ(steps.back(), 200);
    EXPECT_EQ(Border->CurrentAlphaBlendValue(), 200);
}

// Without per-pixel alpha, with an empty border rectangle, or with a mask
// index that names no picture.
TEST_F(TLayerBorderTest, WhenThereIsNoBorder)
{
    MakeLayered(false);
    EXPECT_FALSE(Border->Visible());
    EXPECT_EQ(Side(bsflTop), nullptr);
    delete Form;
    Form = nullptr;
    Small.LayerFrame.reset();
    Small.FActivePictures.clear();
    Small.ObjectList.clear();

    MakeLayered(true, false);
    ASSERT_TRUE(Border->Visible());
    EXPECT_EQ(Border->BorderSizes(), (TRect{0, 0, 0, 0}));
    EXPECT_NE(GetWindowLong(Side(bsflTop), GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
    delete Form;
    Form = nullptr;
    Small.LayerFrame.reset();
    Small.FActivePictures.clear();
    Small.ObjectList.clear();

    MakeLayered(true, true, 9);
    EXPECT_EQ(Border->Data(), nullptr);
    EXPECT_FALSE(Border->Visible());
}

// Dragging the border resizes the form within its limits: the bottom-right
// corner by (+10, +5) grows it in place; the left edge dragged past the
// minimum width leaves it as it was.
TEST_F(TLayerBorderTest, DragResize)
{
    MakeLayered(true);
    const TRect f = Form->BoundsRect();
    // The bottom-right corner zone: just outside the form's corner.
    TPoint p{f.Right + 2, f.Bottom + 2};
    // The cursor takes the zone's shape from the next move on.
    Backend->MouseMove(p.X, p.Y - 1);
    Backend->MouseMove(p.X, p.Y);
    Pump();
    EXPECT_EQ(Backend->CursorShape(), IDC_SIZENWSE);
    Backend->MouseDown(p.X, p.Y);
    Backend->MouseMove(p.X + 10, p.Y + 5);
    Backend->MouseUp(p.X + 10, p.Y + 5);
    Pump();
    EXPECT_EQ(Form->BoundsRect(), (TRect{f.Left, f.Top, f.Right + 10, f.Bottom + 5}));
    ExpectAround(Form->BoundsRect());
    EXPECT_FALSE(Frame->FBorderLayerChangeSize);

    const TRect g = Form->BoundsRect();
    TPoint l{g.Left - 3, g.Top + 60};
    Backend->MouseMove(l.X, l.Y);
    Backend->MouseDown(l.X, l.Y);
    Backend->MouseMove(l.X + 200, l.Y);
    Backend->MouseUp(l.X + 200, l.Y);
    Pump();
    EXPECT_EQ(Form->BoundsRect(), g);

    // A form that may not be resized only shows the border.
    Form->SetBorderStyle(bsSingle);
    Pump();
    Backend->MouseMove(p.X + 10, p.Y + 5);
    Backend->MouseDown(p.X + 10, p.Y + 5);
    Backend->MouseMove(p.X + 30, p.Y + 25);
    Backend->MouseUp(p.X + 30, p.Y + 25);
    Pump();
    EXPECT_EQ(Form->BoundsRect().Right - Form->BoundsRect().Left, g.Right - g.Left);
}

}  // namespace
