#include <thread>
#include "DesktopProgram.h"
#include "SdlFixture.h"
#include "platform/gfx/DeviceContext.h"

// Translucent windows on the desktop with a compositing manager (xcompmgr)
// on the private display: what the screen shows is read back from the root
// window. Without xcompmgr these tests are skipped.

namespace {

constexpr TColor Blue = 0xFF0000;          // TColor is 0x00BBGGRR

struct TRgb {
    int R, G, B;
};

TRgb RgbOf(uint32_t p)
{
    return TRgb{int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)};
}

class SdlComposited : public SdlDesktop {
protected:
    void SetUp() override
    {
        if (std::getenv("ZARVO_NO_XVFB"))
            GTEST_SKIP() << "Xvfb is missing";
        SdlDesktop::SetUp();
        if (!StartCompositor())
            GTEST_SKIP() << "xcompmgr is missing";
        ASSERT_TRUE(PumpUntil([] { return PlatformCaps().PerPixelAlpha; })) << "no per-pixel alpha";
    }

    void TearDown() override
    {
        SdlDesktop::TearDown();
        UnregisterClass("SdlBlue");
        Compositor.Stop();
    }

    bool StartCompositor()
    {
        TXDesktop probe;
        if (!Compositor.Start({"xcompmgr"}))
            return false;
        for (auto end = TClock::now() + 10s; TClock::now() < end; std::this_thread::sleep_for(10ms)) {
            if (probe.SelectionOwned("_NET_WM_CM_S0"))
                return true;
            if (Compositor.Ended())
                return false;
        }
        return false;
    }

    // An opaque green form under the translucent windows.
    HWND Background()
    {
        HWND back = Form("Under", Bounds(100, 100, 400, 300));
        WaitShown(back);
        EXPECT_TRUE(PumpUntil([&] { return X.Pixel(300, 250) == 0x00FF00; }));
        return back;
    }

    // A per-pixel layered popup showing premultiplied red at alpha 128, kept
    // above the form (which comes to the front when the desktop activates it).
    HWND HalfRedLayer(const TRect& r, BYTE constantAlpha)
    {
        HWND h = CreateWindowEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, "SdlProbe", "", WS_POPUP,
                                r.Left, r.Top, r.Width(), r.Height(), nullptr);
        Paint(h, constantAlpha);
        ShowWindow(h, SW_SHOWNOACTIVATE);
        return h;
    }

    bool Paint(HWND h, BYTE constantAlpha)
    {
        TRect r;
        GetWindowRect(h, r);
        TBitmap picture(r.Width(), r.Height(), pf32bit);
        for (int y = 0; y < picture.Height(); ++y) {
            uint8_t* row = picture.ScanLine(y);
            for (int x = 0; x < picture.Width(); ++x) {
                row[x * 4 + 0] = 0;
                row[x * 4 + 1] = 0;
                row[x * 4 + 2] = 128;
                row[x * 4 + 3] = 128;
            }
        }
        picture.SetAlphaFormat(afPremultiplied);
        TDeviceContext source(&picture);
        TPoint origin{0, 0};
        TSize size{r.Width(), r.Height()};
        BLENDFUNCTION blend;
        blend.BlendOp = AC_SRC_OVER;
        blend.SourceConstantAlpha = constantAlpha;
        blend.AlphaFormat = AC_SRC_ALPHA;
        return UpdateLayeredWindow(h, nullptr, nullptr, &size, &source, &origin, 0, &blend, ULW_ALPHA);
    }

    TDesktopProgram Compositor;
};

// Half-transparent red over green: the screen shows both mixed.
TEST_F(SdlComposited, PerPixelWindowBlendsWithWhatLiesBeneath)
{
    Background();
    HWND layer = HalfRedLayer(Bounds(200, 200, 120, 60), 255);
    unsigned long xw = Backend->NativeWindow(layer);
    ASSERT_NE(xw, 0u);
    ASSERT_TRUE(PumpUntil([&] { return RgbOf(X.Pixel(250, 230)).R > 100; })) << std::hex << X.Pixel(250, 230);
    TRgb mixed = RgbOf(X.Pixel(250, 230));
    EXPECT_NEAR(mixed.R, 128, 3);
    EXPECT_NEAR(mixed.G, 127, 3);          // the green beneath at half strength
    EXPECT_EQ(mixed.B, 0);
    EXPECT_EQ(X.Pixel(150, 150), 0x00FF00u);   // beside the layer: the form alone
    EXPECT_EQ(X.Shape(xw, true), std::vector<TRect>{Bounds(0, 0, 120, 60)});   // it takes the clicks
    X.SaveScreen(RenderPath("per-pixel-layer.png"));
}

// A layered window marked transparent lets the pointer through to what lies
// beneath on the desktop too (an empty input shape).
TEST_F(SdlComposited, TransparentLayerLetsClicksThrough)
{
    HWND back = Background();
    HWND layer = CreateWindowEx(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST,
                                "SdlProbe", "", WS_POPUP, 200, 200, 120, 60, nullptr);
    ASSERT_TRUE(Paint(layer, 255));
    ShowWindow(layer, SW_SHOWNOACTIVATE);
    unsigned long xw = Backend->NativeWindow(layer);
    ASSERT_TRUE(PumpUntil([&] { return X.Mapped(xw); }));
    EXPECT_TRUE(X.Shape(xw, true).empty());
    Log.clear();
    X.MoveTo(250, 230);
    X.Press(1);
    X.Release(1);
    EXPECT_TRUE(PumpUntil([&] { return Got(back, WM_LBUTTONUP); }));
    EXPECT_FALSE(Got(layer, WM_LBUTTONDOWN));
}

// A fade's steps reach the screen: the constant alpha of a per-pixel window
// and of a plain layered form (the window's opacity) pass through the
// values between.
TEST_F(SdlComposited, FadesPassThroughIntermediateAlphas)
{
    Background();
    HWND layer = HalfRedLayer(Bounds(200, 200, 120, 60), 0);
    WNDCLASS wc;
    wc.lpszClassName = "SdlBlue";
    wc.lpfnWndProc = &SdlDesktop::Proc;
    wc.hbrBackground = Blue;
    RegisterClass(wc);
    HWND faded = CreateWindowEx(WS_EX_LAYERED | WS_EX_TOPMOST, "SdlBlue", "Faded", FormStyle, 350, 200, 100, 60, nullptr);
    ASSERT_TRUE(SetLayeredWindowAttributes(faded, clNone, 0, LWA_ALPHA));
    ShowWindow(faded, SW_SHOWNOACTIVATE);
    std::vector<int> layerRed, formBlue;
    for (int alpha : {0, 64, 128, 192, 255}) {
        ASSERT_TRUE(Paint(layer, BYTE(alpha)));
        ASSERT_TRUE(SetLayeredWindowAttributes(faded, clNone, BYTE(alpha), LWA_ALPHA));
        int wantRed = 128 * alpha / 255, wantBlue = 255 * alpha / 255;
        EXPECT_TRUE(PumpUntil([&] {
            return std::abs(RgbOf(X.Pixel(250, 230)).R - wantRed) <= 3 && std::abs(RgbOf(X.Pixel(400, 230)).B - wantBlue) <= 3;
        })) << "alpha " << alpha << ": " << std::hex << X.Pixel(250, 230) << " " << X.Pixel(400, 230);
        layerRed.push_back(RgbOf(X.Pixel(250, 230)).R);
        formBlue.push_back(RgbOf(X.Pixel(400, 230)).B);
    }
    EXPECT_TRUE(std::is_sorted(layerRed.begin(), layerRed.end()));
    EXPECT_TRUE(std::is_sorted(formBlue.begin(), formBlue.end()));
}

// The compositor stops: translucency is gone from the capabilities, every
// window hears of it, and a per-pixel window leaves the screen (unblended it
// would show its raw colours); it comes back with a compositor.
TEST_F(SdlComposited, StoppingTheCompositorTakesThePlainPath)
{
    HWND back = Background();
    HWND layer = HalfRedLayer(Bounds(200, 200, 120, 60), 255);
    unsigned long xw = Backend->NativeWindow(layer);
    ASSERT_TRUE(PumpUntil([&] { return X.Mapped(xw); }));

    Compositor.Stop();
    ASSERT_TRUE(PumpUntil([] { return !PlatformCaps().PerPixelAlpha && !PlatformCaps().ConstantAlpha; }));
    EXPECT_TRUE(Got(back, WM_DWMCOMPOSITIONCHANGED));
    EXPECT_TRUE(PumpUntil([&] { return !X.Mapped(xw); }));
    EXPECT_FALSE(Paint(layer, 255));       // the caller's plain path
    EXPECT_TRUE(PumpUntil([&] { return X.Pixel(250, 230) == 0x00FF00; }));

    Log.clear();
    ASSERT_TRUE(StartCompositor());
    ASSERT_TRUE(PumpUntil([] { return PlatformCaps().PerPixelAlpha; }));
    EXPECT_TRUE(Got(back, WM_DWMCOMPOSITIONCHANGED));
    EXPECT_TRUE(PumpUntil([&] { return X.Mapped(xw); }));
    EXPECT_TRUE(Paint(layer, 255));
    EXPECT_TRUE(PumpUntil([&] { return std::abs(RgbOf(X.Pixel(250, 230)).R - 128) <= 3; }));
}

} // namespace
