#include "FrameFixture.h"

namespace {

THeadlessConfig WithPerPixelAlpha()
{
    THeadlessConfig config;
    config.Caps.PerPixelAlpha = true;
    return config;
}

bool Layered(HWND h) { return (GetWindowLong(h, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

BYTE Alpha(HWND h)
{
    BYTE alpha = 0;
    GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr);
    return alpha;
}

// Whole-window alpha needs layered windows; the fade runs on the form's
// timer 1 at its first show and ends at its target.
TEST_F(TFrameTest, AlphaBlendAndFadeIn)
{
    Backend = &UseHeadlessBackend(WithPerPixelAlpha());
    Application->Initialize();
    MakeForm(300, 200, bsSizeable, false);
    Frame->SetAlphaBlend(true);
    EXPECT_TRUE(Layered(Form->Handle()));
    EXPECT_EQ(Alpha(Form->Handle()), 200);
    Frame->SetAlphaBlend(false);
    EXPECT_FALSE(Layered(Form->Handle()));

    // Animated without a constant alpha: from 0 to opaque, then no layer.
    Frame->AlphaBlendAnimation = true;
    Form->Show();
    EXPECT_TRUE(Layered(Form->Handle()));
    EXPECT_EQ(Alpha(Form->Handle()), 0);
    Advance(5);
    EXPECT_FALSE(Layered(Form->Handle()));
    delete Form;

    // Animated to a constant 200: the layer stays at 200.
    MakeForm(300, 200, bsSizeable, false);
    Frame->AlphaBlendAnimation = true;
    Frame->SetAlphaBlend(true);
    Form->Show();
    Advance(5);
    EXPECT_TRUE(Layered(Form->Handle()));
    EXPECT_EQ(Alpha(Form->Handle()), 200);
}

// Without layered windows nothing fades and the form is never layered.
TEST_F(TFrameTest, NoFadeWithoutLayeredWindows)
{
    MakeForm(300, 200, bsSizeable, false);
    Frame->AlphaBlendAnimation = true;
    Frame->SetAlphaBlend(true);
    Form->Show();
    Advance(5);
    EXPECT_FALSE(Layered(Form->Handle()));
}

// A framed form embedded as a child window (a preview) works in its own
// window's coordinates, not in its parent's client coordinates.
TEST_F(TFrameTest, FrameOfAChildForm)
{
    auto* host = NewForm<TForm>(nullptr, TFormCreation::New);
    host->SetBorderStyle(bsSingle);
    host->SetBounds(100, 80, 500, 400);
    host->Show();
    MakeForm(300, 200, bsSingle, false);
    Frame->PreviewMode = true;
    Form->SetParent(host);
    Form->SetBounds(50, 60, 300, 200);
    Form->Show();
    Pump();
    TRect wr;
    ASSERT_TRUE(GetWindowRect(Form->Handle(), wr));
    EXPECT_EQ(Frame->ScreenToFrame(TPoint{wr.Left + 5, wr.Top + 7}), (TPoint{5, 7}));
    EXPECT_EQ(Send(WM_NCHITTEST, 0, MAKELPARAM(wr.Left + 150, wr.Top + 10)), HTCAPTION);
    EXPECT_EQ(Send(WM_NCHITTEST, 0, MAKELPARAM(wr.Left + 150, wr.Top + 100)), HTCLIENT);
    EXPECT_EQ(Form->ClientWidth(), 294);
    EXPECT_EQ(Form->ClientHeight(), 175);
    delete Form;
    Form = nullptr;
    delete host;
}

}  // namespace
