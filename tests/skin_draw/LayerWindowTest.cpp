#include <gtest/gtest.h>

#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Input.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/Timer.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"
#include "skin/draw/AlphaBitmap.h"
#include "skin/draw/LayerWindow.h"
#include "skin/draw/PlatformCaps.h"

namespace {

// A windowed control that counts the presses it receives.
class TPressTarget : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Presses = 0;

protected:
    void MouseDown(TMouseButton, TShiftState, int, int) override { ++Presses; }
};

// A white glow whose mask is grey 128 on the left half and white on the right.
struct TGlow {
    TBitmap Image{20, 10, pf24bit};
    TBitmap Mask{20, 10, pf24bit};
    TGlow()
    {
        Image.Fill(clWhite);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                Mask.SetPixel(x, y, x < 10 ? RGB(128, 128, 128) : RGB(255, 255, 255));
    }
};

THeadlessConfig WithPerPixelAlpha(bool on)
{
    THeadlessConfig config;
    config.Caps.PerPixelAlpha = on;
    return config;
}

class TLayerTest : public ::testing::Test {
protected:
    void SetUp() override { Start(true); }
    void TearDown() override
    {
        delete Form;
        UseHeadlessBackend();
    }

    void Start(bool perPixelAlpha)
    {
        delete Form;
        Backend = &UseHeadlessBackend(WithPerPixelAlpha(perPixelAlpha));
        Application->Initialize();
        Form = NewForm<TForm>(nullptr, TFormCreation::New);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(100, 100, 300, 200);
        Form->SetColor(clBlack);
        Form->Show();
        Target = new TPressTarget(Form);
        Target->SetBounds(20, 20, 100, 60);
        Target->SetParent(Form);
        Target->SetColor(clBlack);
        Manager = new TbsLayerManager(Target);
        Application->ProcessMessages();
    }

    // One timer period of the fade.
    void Tick()
    {
        Backend->Advance(25);
        Application->ProcessMessages();
    }

    int LayerAlpha() const
    {
        BYTE alpha = 0;
        if (!Manager->LayerWindow() || !GetLayeredWindowAttributes(Manager->LayerWindow()->Handle(), nullptr, &alpha, nullptr))
            return -1;
        return alpha;
    }

    // The alphas the layer shows on each tick until its timer stops.
    std::vector<int> FadeAlphas()
    {
        std::vector<int> alphas;
        for (int i = 0; i < 40 && Manager->Timer()->Enabled(); ++i) {
            Tick();
            alphas.push_back(LayerAlpha());
        }
        return alphas;
    }

    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
    TPressTarget* Target = nullptr;
    TbsLayerManager* Manager = nullptr;   // owned by Target
    TGlow Glow;
};

} // namespace

TEST_F(TLayerTest, FadesInByTheTenthOfItsTargetAndNeverStalls)
{
    struct TFadeCase { int target; std::vector<int> alphas; };
    const TFadeCase cases[] = {
        {200, {20, 40, 60, 80, 100, 120, 140, 160, 180, 200}},
        {255, {25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255}},
        {5, {1, 2, 3, 4, 5}},
        {0, {0}},
        {300, {25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255}},
    };
    for (const TFadeCase& c : cases) {
        Manager->Show(150, 150, Glow.Image, Glow.Mask, c.target);
        EXPECT_EQ(LayerAlpha(), 0) << c.target;
        EXPECT_EQ(FadeAlphas(), c.alphas) << c.target;
        EXPECT_FALSE(Manager->Timer()->Enabled()) << c.target;
        Tick();
        EXPECT_EQ(LayerAlpha(), c.alphas.back()) << c.target;
    }
}

TEST_F(TLayerTest, ShowingAgainReplacesTheWindowAndRestartsAtZero)
{
    Manager->Show(150, 150, Glow.Image, Glow.Mask, 200);
    for (int i = 0; i < 3; ++i)
        Tick();
    EXPECT_EQ(LayerAlpha(), 60);
    HWND first = Manager->LayerWindow()->Handle();

    Manager->Show(160, 170, Glow.Image, Glow.Mask, 100);
    HWND second = Manager->LayerWindow()->Handle();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(LayerAlpha(), 0);
    EXPECT_EQ(Manager->BeginAlphaBlendValue(), 0);
    TRect r;
    GetWindowRect(second, r);
    EXPECT_EQ(r, (TRect{160, 170, 180, 180}));
    EXPECT_EQ(FadeAlphas(), (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
}

TEST_F(TLayerTest, HandsPremultipliedPixelsScaledByTheFade)
{
    // Over the black form: what shows is the premultiplied colour scaled by
    // the constant alpha (straight pixels would show 255 at the grey-128 half).
    Manager->Show(150, 150, Glow.Image, Glow.Mask, 200);
    FadeAlphas();
    auto screen = Backend->CaptureScreen();
    EXPECT_EQ(screen->GetPixel(152, 155) & 0xFFFFFF, RGB(100, 100, 100));
    EXPECT_EQ(screen->GetPixel(165, 155) & 0xFFFFFF, RGB(200, 200, 200));
    EXPECT_EQ(screen->GetPixel(149, 155) & 0xFFFFFF, RGB(0, 0, 0));
    EXPECT_EQ(screen->GetPixel(170, 155) & 0xFFFFFF, RGB(0, 0, 0));
    // The manager's own picture keeps straight alpha from the mask.
    ASSERT_NE(Manager->Bmp(), nullptr);
    EXPECT_EQ(*Manager->Bmp()->PixelPtr(2, 5), 0x80FFFFFFu);
    EXPECT_EQ(*Manager->Bmp()->PixelPtr(15, 5), 0xFFFFFFFFu);
}

TEST_F(TLayerTest, LayerPassesClicksThroughAndNeverTakesTheActivation)
{
    HWND active = GetActiveWindow();
    Manager->Show(130, 130, Glow.Image, Glow.Mask, 255);
    HWND layer = Manager->LayerWindow()->Handle();
    EXPECT_EQ(GetActiveWindow(), active);
    DWORD ex = DWORD(GetWindowLong(layer, GWL_EXSTYLE));
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(layer));

    // (135, 135) lies in the layer and in Target (form (100,100) + (20,20)).
    EXPECT_EQ(WindowFromPoint(TPoint{135, 135}), Target->Handle());
    Backend->Click(135, 135);
    Application->ProcessMessages();
    EXPECT_EQ(Target->Presses, 1);
    EXPECT_EQ(GetActiveWindow(), active);
    EXPECT_EQ(SendMessage(layer, WM_MOUSEACTIVATE, WPARAM(Form->Handle()), 0), MA_NOACTIVATE);
}

TEST_F(TLayerTest, TopMostModeDecidesTheLayerStacking)
{
    Manager->SetTopMostMode(false);
    Manager->Show(130, 130, Glow.Image, Glow.Mask, 255);
    EXPECT_FALSE(GetWindowLong(Manager->LayerWindow()->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(TopLevelWindows().front(), Manager->LayerWindow()->Handle());   // still above its form
    Manager->SetTopMostMode(true);
    Manager->Show(130, 130, Glow.Image, Glow.Mask, 255);
    EXPECT_TRUE(GetWindowLong(Manager->LayerWindow()->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(TLayerTest, HidingAndFreeingTheOwnerTakeTheLayerAway)
{
    Manager->Show(150, 150, Glow.Image, Glow.Mask, 200);
    Tick();
    HWND layer = Manager->LayerWindow()->Handle();
    Manager->Hide();
    EXPECT_FALSE(IsWindow(layer));
    EXPECT_EQ(Manager->LayerWindow(), nullptr);
    EXPECT_EQ(Manager->Bmp(), nullptr);
    EXPECT_FALSE(Manager->IsVisible());
    EXPECT_FALSE(Manager->Timer()->Enabled());

    Manager->Show(150, 150, Glow.Image, Glow.Mask, 200);
    layer = Manager->LayerWindow()->Handle();
    delete Target;                    // the manager goes with its owner
    Target = nullptr;
    EXPECT_FALSE(IsWindow(layer));
    Tick();                           // no timer of the freed manager fires
}

TEST_F(TLayerTest, WithoutPerPixelWindowsNothingIsShown)
{
    Start(false);
    EXPECT_FALSE(CanUseLayeredWindows());
    size_t windows = TopLevelWindows().size();
    Manager->Show(150, 150, Glow.Image, Glow.Mask, 200);
    EXPECT_EQ(Manager->LayerWindow(), nullptr);
    EXPECT_FALSE(Manager->IsVisible());
    EXPECT_FALSE(Manager->Timer()->Enabled());
    EXPECT_EQ(TopLevelWindows().size(), windows);
    Manager->Hide();
}

TEST_F(TLayerTest, SetLayeredWindowAlphaGivesAWholeWindowOneAlpha)
{
    HWND h = Form->Handle();
    SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAlpha(h, 77);
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 77);
}
