// The inactive client panel: an inactive form's client area covered by a
// dimmed or blurred snapshot of itself, gone again when it is active.
#include <filesystem>
#include "FrameFixture.h"
#include "skin/controls/SkinPanel.h"
#include "skin/frame/ClientInActivePanel.h"

namespace {

class TInActivePanelTest : public TFrameTest {
protected:
    // A form whose client shows a black square on white at (40, 40, 80, 80).
    void MakeDrawnForm()
    {
        MakeForm(300, 200);
        auto* panel = new TbsSkinPaintPanel(Form);
        panel->SetParent(Form);
        panel->SetBorderStyle(TbsSkinBorderStyle::bvNone);
        panel->SetBounds(0, 0, Form->ClientWidth(), Form->ClientHeight());
        panel->OnPanelPaint = [](TCanvas& c, const TRect& r) {
            c.Brush().SetStyle(bsSolid);
            c.Brush().SetColor(clWhite);
            c.FillRect(r);
            c.Brush().SetColor(clBlack);
            c.FillRect(TRect{40, 40, 80, 80});
        };
        panel->Repaint();
        Frame->ClientInActiveEffect = true;
        SetForegroundWindow(Form->Handle());
        Pump();
    }
    // The client pixel as the screen shows it.
    TColor ClientPixel(int x, int y)
    {
        TPoint p{x, y};
        ClientToScreen(Form->Handle(), p);
        return Backend->CaptureScreen()->GetPixel(p.X, p.Y);
    }
};

// Blurred: the square's edge runs into grey while the form is inactive; the
// panel goes when the form is active again.
TEST_F(TInActivePanelTest, BlurredWhileInactive)
{
    MakeDrawnForm();
    Frame->ClientInActiveEffectType = bsieBlur;
    EXPECT_EQ(ClientPixel(40, 60), clBlack);
    EXPECT_EQ(ClientPixel(39, 60), clWhite);
    Backend->ActivateOtherProgram();
    Pump();
    ASSERT_NE(Frame->InActivePanel(), nullptr);
    EXPECT_TRUE(Frame->InActivePanel()->Visible());
    EXPECT_EQ(Frame->InActivePanel()->BoundsRect(), Form->ClientRect());
    const TColor edge = ClientPixel(39, 60);
    EXPECT_NE(edge, clWhite);
    EXPECT_NE(edge, clBlack);
    EXPECT_EQ(ClientPixel(10, 10), clWhite);   // far from the square
    std::filesystem::create_directories(FRAME_RENDER_DIR);
    Backend->SaveWindowPicture(Form->Handle(), std::string(FRAME_RENDER_DIR) + "/inactive_blur.png");

    Backend->ReturnFromOtherProgram();
    Pump();
    EXPECT_EQ(Frame->InActivePanel(), nullptr);
    EXPECT_EQ(ClientPixel(39, 60), clWhite);
}

// Semi-transparent: the form's background laid over the snapshot at alpha
// 170 of 255, so black becomes two thirds of the background.
TEST_F(TInActivePanelTest, DimmedWhileInactive)
{
    MakeDrawnForm();
    Backend->ActivateOtherProgram();
    Pump();
    ASSERT_NE(Frame->InActivePanel(), nullptr);
    const TColor face = ColorToRGB(clBtnFace);
    const TColor dimmed = ClientPixel(60, 60);
    auto channel = [](TColor c, int shift) { return int((c >> shift) & 0xFF); };
    for (int shift : {0, 8, 16})
        EXPECT_NEAR(channel(dimmed, shift), (channel(face, shift) * 170 + 127) / 255, 1);
    std::filesystem::create_directories(FRAME_RENDER_DIR);
    Backend->SaveWindowPicture(Form->Handle(), std::string(FRAME_RENDER_DIR) + "/inactive_dimmed.png");

    // Off: nothing covers the client.
    Backend->ReturnFromOtherProgram();
    Pump();
    Frame->ClientInActiveEffect = false;
    Backend->ActivateOtherProgram();
    Pump();
    EXPECT_EQ(Frame->InActivePanel(), nullptr);
    EXPECT_EQ(ClientPixel(60, 60), clBlack);
}

}  // namespace
