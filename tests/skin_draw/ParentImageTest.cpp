#include <gtest/gtest.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"
#include "skin/draw/ParentImage.h"

namespace {

TColor Pattern(int x, int y) { return RGB((x * 7) & 255, (y * 11) & 255, ((x + y) * 3) & 255); }

// A windowed control whose face is a pattern over all its client area.
class TPatternPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override
    {
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                Canvas().SetPixels(x, y, Pattern(x, y));
    }
};

class TBlock : public TGraphicControl {
public:
    TBlock(TComponent* owner, TColor color) : TGraphicControl(owner), FFill(color) {}
    bool SawPaintCopy = false;

protected:
    void Paint() override
    {
        SawPaintCopy = ControlState().Contains(csPaintCopy);
        Canvas().Brush().SetColor(FFill);
        Canvas().FillRect(TRect{0, 0, Width(), Height()});
    }

private:
    TColor FFill;
};

// Controls that show only what lies under them.
class TSeeThrough : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TPoint OriginAfter{-1, -1};

protected:
    void Paint() override
    {
        TPoint before = Canvas().Handle()->ViewportOrg();
        DrawParentImage(this, Canvas());
        TPoint after = Canvas().Handle()->ViewportOrg();
        OriginAfter = TPoint{after.X - before.X, after.Y - before.Y};
    }
};

class TSeeThroughGraphic : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override { DrawParentImage(this, Canvas()); }
};

class TParentImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Backend = &UseHeadlessBackend();
        Application->Initialize();
        Form = NewForm<TForm>(nullptr, TFormCreation::New);
        Form->SetBounds(50, 50, 300, 260);
        Form->SetColor(clGray);
        Form->Show();
        Panel = new TPatternPanel(Form);
        Panel->SetBounds(10, 10, 240, 200);
        Panel->SetParent(Form);
        Below = new TBlock(Form, clRed);
        Below->SetBounds(30, 30, 40, 40);
        Below->SetParent(Panel);
        Outer = new TSeeThrough(Form);
        Outer->SetBounds(20, 20, 150, 120);
        Outer->SetParent(Panel);
        Above = new TBlock(Form, clBlue);    // above Outer in z-order: must not show through it
        Above->SetBounds(25, 25, 30, 30);
        Above->SetParent(Panel);
        Inner = new TSeeThrough(Form);
        Inner->SetBounds(5, 6, 100, 80);
        Inner->SetParent(Outer);
        Ghost = new TSeeThroughGraphic(Form);
        Ghost->SetBounds(120, 130, 60, 50);
        Ghost->SetParent(Panel);
        Application->ProcessMessages();
    }
    void TearDown() override
    {
        delete Form;
        UseHeadlessBackend();
    }

    // What the patterned panel and the red block show at a panel point.
    TColor Expected(int px, int py) const
    {
        if (Below->BoundsRect().Contains(TPoint{px, py}))
            return ColorToRGB(clRed);
        return Pattern(px, py);
    }

    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
    TPatternPanel* Panel = nullptr;
    TBlock* Below = nullptr;
    TBlock* Above = nullptr;
    TSeeThrough* Outer = nullptr;
    TSeeThrough* Inner = nullptr;
    TSeeThroughGraphic* Ghost = nullptr;
};

} // namespace

TEST_F(TParentImageTest, NestedTransparentControlsShowExactlyTheParentAndTheSiblingBelow)
{
    TBitmap shot(Inner->Width(), Inner->Height(), pf32bit);
    shot.Fill(clWhite);
    TDeviceContext dc(&shot);
    Inner->PaintTo(&dc, 0, 0);
    // Inner sits at Outer (20,20) + (5,6) in the panel.
    int mismatches = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if ((shot.GetPixel(x, y) & 0xFFFFFF) != Expected(x + 25, y + 26))
                ++mismatches;
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(Inner->OriginAfter, (TPoint{0, 0}));
    EXPECT_TRUE(Below->SawPaintCopy);
    EXPECT_FALSE(Below->ControlState().Contains(csPaintCopy));
    EXPECT_FALSE(Panel->ControlState().Contains(csPaintCopy));
    EXPECT_FALSE(Outer->ControlState().Contains(csPaintCopy));
}

TEST_F(TParentImageTest, OnScreenTheTransparentControlsAreInvisibleAndNoBlockAboveShowsThrough)
{
    auto screen = Backend->CaptureScreen();
    TPoint origin = Panel->ClientToScreen(TPoint{0, 0});
    int mismatches = 0;
    for (int y = 0; y < Panel->Height(); ++y)
        for (int x = 0; x < Panel->Width(); ++x) {
            // The windowed Outer covers the windowless block above it in z-order.
            if ((screen->GetPixel(origin.X + x, origin.Y + y) & 0xFFFFFF) != Expected(x, y))
                ++mismatches;
        }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(TParentImageTest, APartIsDrawnWithTheCanvasOriginAtItsTopLeft)
{
    TBitmap part(20, 10, pf32bit);
    part.Fill(clWhite);
    TDeviceContext dc(&part);
    TCanvas canvas;
    canvas.SetHandle(&dc);
    DrawParentImagePart(Ghost, TRect{7, 3, 27, 13}, canvas);
    int mismatches = 0;
    for (int y = 0; y < part.Height(); ++y)
        for (int x = 0; x < part.Width(); ++x)
            if ((part.GetPixel(x, y) & 0xFFFFFF) != Expected(120 + 7 + x, 130 + 3 + y))
                ++mismatches;
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(dc.ViewportOrg(), (TPoint{0, 0}));
}

TEST(ParentImage, AControlWithoutAParentDrawsNothing)
{
    UseHeadlessBackend();
    TSeeThroughGraphic lone(nullptr);
    TBitmap target(4, 4, pf32bit);
    target.Fill(clWhite);
    TDeviceContext dc(&target);
    TCanvas canvas;
    canvas.SetHandle(&dc);
    DrawParentImage(&lone, canvas);
    DrawParentImage(nullptr, canvas);
    EXPECT_EQ(target.GetPixel(1, 1) & 0xFFFFFF, ColorToRGB(clWhite));
}
