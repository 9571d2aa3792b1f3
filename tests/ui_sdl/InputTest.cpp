#include "SdlFixture.h"

namespace {

std::u32string CharsFor(const std::vector<TLogged>& log, HWND h)
{
    std::u32string chars;
    for (const TLogged& l : log)
        if (l.Wnd == h && l.Msg == WM_CHAR)
            chars.push_back(char32_t(l.W));
    return chars;
}

// Keys reach the focused window as keys and characters, once each, whether
// text input is off (a list) or on (an edit with its caret).
TEST_F(SdlDesktop, KeysAndTextReachTheFocusedWindowOnce)
{
    HWND f = Form("Keys", Bounds(120, 120, 300, 200));
    WaitShown(f);
    ASSERT_TRUE(PumpUntil([&] { return X.FocusWindow() == Backend->NativeWindow(f); }));
    ASSERT_EQ(GetFocus(), f);
    EXPECT_FALSE(Backend->TextInputOn());
    Log.clear();
    X.Type("a");
    X.Type("Return");
    ASSERT_TRUE(PumpUntil([&] { return CharsFor(Log, f).size() >= 2; }));
    EXPECT_TRUE(Got(f, WM_KEYDOWN, 'A'));
    EXPECT_TRUE(Got(f, WM_KEYUP, VK_RETURN));

    // An edit's caret turns text input on, at the caret.
    CreateCaret(f, 1, 14);
    SetCaretPos(10, 10);
    ShowCaret(f);
    ASSERT_TRUE(PumpUntil([&] { return Backend->TextInputOn(); }));
    Log.clear();
    X.Key("Shift_L", true);
    X.Type("b");
    X.Key("Shift_L", false);
    X.Type("c");
    ASSERT_TRUE(PumpUntil([&] { return Got(f, WM_KEYUP, 'C'); }));
    PumpUntil([] { return false; }, 50ms);
    EXPECT_EQ(CharsFor(Log, f), U"Bc");
    DestroyCaret();
    EXPECT_TRUE(PumpUntil([&] { return !Backend->TextInputOn(); }));
}

// A window region cuts the desktop window, and the capabilities say what
// this desktop offers (Xvfb: shapes, no compositor).
TEST_F(SdlDesktop, WindowRegionShapesTheDesktopWindow)
{
    const TPlatformCaps& caps = PlatformCaps();
    EXPECT_TRUE(caps.WindowShapes);
    EXPECT_FALSE(caps.ConstantAlpha);
    EXPECT_FALSE(caps.PerPixelAlpha);
    EXPECT_FALSE(caps.TrayIcon);

    HWND f = Form("Shaped", Bounds(200, 200, 200, 100));
    WaitShown(f);
    unsigned long xw = Backend->NativeWindow(f);
    auto* rgn = new TRegion(Bounds(0, 0, 200, 50));
    *rgn = rgn->Union(TRegion(Bounds(0, 50, 100, 50)));
    SetWindowRgn(f, rgn, true);
    std::vector<TRect> want = {Bounds(0, 0, 200, 50), Bounds(0, 50, 100, 50)};
    EXPECT_TRUE(PumpUntil([&] { return X.Shape(xw) == want; }));
    // Nothing of the window shows outside the region.
    EXPECT_TRUE(PumpUntil([&] { return X.Pixel(200 + 150, 200 + 80) != 0x00FF00 && X.Pixel(250, 280) == 0x00FF00; }));

    SetWindowRgn(f, nullptr, true);
    std::vector<TRect> whole = {Bounds(0, 0, 200, 100)};
    EXPECT_TRUE(PumpUntil([&] { return X.Shape(xw) == whole; }));
}

// With a compositor on the desktop a layered window's constant alpha
// becomes the desktop window's opacity.
TEST_F(SdlDesktop, ConstantAlphaOnlyWithACompositor)
{
    HWND plain = CreateWindowEx(WS_EX_LAYERED, "SdlProbe", "", FormStyle, 100, 100, 200, 100, nullptr);
    EXPECT_FALSE(SetLayeredWindowAttributes(plain, clNone, 128, LWA_ALPHA));
    DestroyWindow(plain);

    TXDesktop compositor;
    compositor.ActAsCompositor();
    Backend = &UseSdlBackend();             // a back end asks the desktop when it starts
    RegisterClass([] {
        WNDCLASS wc;
        wc.lpszClassName = "SdlProbe";
        wc.lpfnWndProc = &SdlDesktop::Proc;
        wc.hbrBackground = FormColor;
        return wc;
    }());
    ASSERT_TRUE(PlatformCaps().ConstantAlpha);
    HWND f = CreateWindowEx(WS_EX_LAYERED, "SdlProbe", "Faded", FormStyle, 100, 100, 200, 100, nullptr);
    ShowWindow(f, SW_SHOW);
    WaitShown(f);
    EXPECT_TRUE(SetLayeredWindowAttributes(f, clNone, 128, LWA_ALPHA));
    unsigned long xw = Backend->NativeWindow(f);
    EXPECT_TRUE(PumpUntil([&] { return X.CardinalProperty(xw, "_NET_WM_WINDOW_OPACITY") > 0; }));
    double opacity = double(X.CardinalProperty(xw, "_NET_WM_WINDOW_OPACITY")) / 0xFFFFFFFF;
    EXPECT_NEAR(opacity, 128.0 / 255.0, 0.01);
}

struct TKindCase {
    DWORD Style;
    DWORD ExStyle;
    const char* Class;
    TSdlBackend::TWindowKind Kind;
};

TEST(SdlWindowKinds, StylesChooseTheDesktopWindowKind)
{
    const TKindCase cases[] = {
        {WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, "TForm", TSdlBackend::wkForm},
        {WS_POPUP, 0, "TForm", TSdlBackend::wkForm},                      // a caption-less form
        {WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, "TForm", TSdlBackend::wkUtility},
        {WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW, "TPopupList", TSdlBackend::wkPopupMenu},
        {WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "TMenuWindow", TSdlBackend::wkPopupMenu},
        {WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "THintWindow", TSdlBackend::wkTooltip},
    };
    for (const TKindCase& c : cases)
        EXPECT_EQ(TSdlBackend::KindOf(c.Style, c.ExStyle, c.Class), c.Kind) << c.Class << " " << std::hex << c.Style;
}

} // namespace
