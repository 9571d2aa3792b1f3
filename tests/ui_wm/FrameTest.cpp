#include "WmFixture.h"

using Strings = std::vector<std::string>;

// An unskinned sizable form at (50, 50), 300 x 200: border 4, caption 20.
class FrameTest : public TWmTest {
protected:
    void SetUp() override
    {
        TWmTest::SetUp();
        Form = Make("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(50, 50, 300, 200));
        Pump();
    }

    void Release(int x, int y) { InjectMouseButton(0, false, TPoint{x, y}); }

    HWND Form = nullptr;
};

TEST_F(FrameTest, HitTestingGivesTheStandardCodes)
{
    HWND fixed = Make("fixed", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, Bounds(400, 50, 200, 100));
    struct TCase {
        HWND Wnd;
        TPoint Local;
        int Expected;
    };
    const TCase cases[] = {
        {Form, {100, 10}, HTCAPTION},  {Form, {285, 12}, HTCLOSE},     {Form, {268, 12}, HTMAXBUTTON},
        {Form, {250, 12}, HTMINBUTTON}, {Form, {10, 12}, HTSYSMENU},   {Form, {1, 100}, HTLEFT},
        {Form, {298, 100}, HTRIGHT},   {Form, {150, 1}, HTTOP},        {Form, {150, 198}, HTBOTTOM},
        {Form, {1, 1}, HTTOPLEFT},     {Form, {298, 198}, HTBOTTOMRIGHT}, {Form, {298, 2}, HTTOPRIGHT},
        {Form, {150, 100}, HTCLIENT},  {fixed, {1, 50}, HTBORDER},     {fixed, {100, 10}, HTCAPTION},
        {fixed, {185, 12}, HTCLOSE},
    };
    for (const TCase& c : cases) {
        TRect r;
        GetWindowRect(c.Wnd, r);
        LRESULT hit = SendMessage(c.Wnd, WM_NCHITTEST, 0, MAKELPARAM(r.Left + c.Local.X, r.Top + c.Local.Y));
        EXPECT_EQ(hit, c.Expected) << c.Local.X << "," << c.Local.Y;
    }
}

TEST_F(FrameTest, ThePlainFrameIsDrawnByActivationState)
{
    HWND other = Make("other", WS_POPUP | WS_VISIBLE, Bounds(600, 400, 50, 50));
    SetActiveWindow(Form);
    Pump();
    auto shot = Screen->CaptureWindow(Form);
    EXPECT_EQ(PixelAt(*shot, 100, 10), ColorToRGB(clActiveCaption));
    EXPECT_EQ(PixelAt(*shot, 150, 100), ColorToRGB(clWhite));            // the client, erased by the class
    EXPECT_EQ(PixelAt(*shot, 2, 100), ColorToRGB(clBtnFace));            // inside the sizing border
    EXPECT_EQ(PixelAt(*shot, 280, 6), ColorToRGB(clBtnHighlight));       // the close button's raised edge
    SetActiveWindow(other);
    Pump();
    shot = Screen->CaptureWindow(Form);
    EXPECT_EQ(PixelAt(*shot, 100, 10), ColorToRGB(clInactiveCaption));
}

TEST_F(FrameTest, CaptionButtonsRunTheirSystemCommandsAndTheRestDoesNothing)
{
    Watch({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY, WM_CONTEXTMENU, WM_SIZE});
    Screen->Click(50 + 250, 50 + 12);               // minimise
    Pump();
    EXPECT_TRUE(IsIconic(Form));
    SendMessage(Form, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(Form));
    Screen->Click(50 + 100, 50 + 10, 1);            // caption right click
    SendMessage(Form, WM_SYSCOMMAND, SC_KEYMENU, 0);
    Pump();
    EXPECT_EQ(Take(), (Strings{"form SYSCOMMAND(61472,0)", "form SIZE(0,0)", "form SYSCOMMAND(61728,0)",
                               "form SIZE(292,172)", "form SYSCOMMAND(61696,0)"}));
    Screen->MouseDown(50 + 285, 50 + 12);           // close: pressed, moved off, released: nothing
    Screen->MouseMove(50 + 150, 50 + 100);
    Release(50 + 150, 50 + 100);
    Pump();
    EXPECT_TRUE(IsWindow(Form));
    Screen->Click(50 + 285, 50 + 12);
    Pump();
    EXPECT_EQ(Take(), (Strings{"form SYSCOMMAND(61536,0)", "form CLOSE", "form DESTROY"}));
    EXPECT_FALSE(IsWindow(Form));
}

TEST_F(FrameTest, ThePressOnTheCaptionRunsTheMoveLoop)
{
    Watch({WM_NCLBUTTONDOWN, WM_ENTERSIZEMOVE, WM_MOVING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE,
           WM_CAPTURECHANGED, WM_EXITSIZEMOVE});
    Screen->MouseDown(150, 60);
    Screen->MouseMove(180, 80);
    Screen->MouseMove(200, 90);
    Release(200, 90);
    Pump();
    EXPECT_EQ(Take(), (Strings{"form NCLBUTTONDOWN(2)", "form ENTERSIZEMOVE", "form MOVING", "form WINDOWPOSCHANGED",
                               "form MOVE(84,94)", "form MOVING", "form WINDOWPOSCHANGED", "form MOVE(104,104)",
                               "form CAPTURECHANGED", "form EXITSIZEMOVE"}));
    TRect r;
    GetWindowRect(Form, r);
    EXPECT_EQ(r, Bounds(100, 80, 300, 200));
    EXPECT_EQ(GetCapture(), nullptr);

    // Escape puts the window back where the loop started.
    Screen->MouseDown(150 + 50, 60 + 40);
    Screen->MouseMove(400, 400);
    Screen->KeyDown(VK_ESCAPE);
    Pump();
    GetWindowRect(Form, r);
    EXPECT_EQ(r, Bounds(100, 80, 300, 200));
}

TEST_F(FrameTest, TheSizeLoopClampsToTheMinMaxAnswer)
{
    On(Form, WM_GETMINMAXINFO, [](HWND, WPARAM, LPARAM lp) {
        auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
        mmi->ptMinTrackSize = TPoint{200, 150};
        mmi->ptMaxTrackSize = TPoint{400, 300};
        return std::optional<LRESULT>(0);
    });
    struct TCase {
        const char* Name;
        TPoint Press, To;
        TRect Expected;
    };
    const TCase cases[] = {
        {"right edge, too narrow", {50 + 298, 150}, {100, 150}, Bounds(50, 50, 200, 200)},
        {"left edge, too narrow", {50 + 1, 150}, {300, 150}, Bounds(150, 50, 200, 200)},
        {"bottom-right, too large", {50 + 298, 50 + 198}, {900, 700}, Bounds(50, 50, 400, 300)},
    };
    for (const TCase& c : cases) {
        MoveWindow(Form, 50, 50, 300, 200, true);
        Screen->Advance(1000);      // no double click between the cases
        Watch({WM_ENTERSIZEMOVE, WM_SIZING, WM_GETMINMAXINFO, WM_SIZE, WM_EXITSIZEMOVE});
        Screen->MouseDown(c.Press.X, c.Press.Y);
        Screen->MouseMove(c.To.X, c.To.Y);
        Release(c.To.X, c.To.Y);
        Pump();
        TRect r;
        GetWindowRect(Form, r);
        EXPECT_EQ(r, c.Expected) << c.Name;
        Strings t = Take();
        ASSERT_GE(t.size(), 4u) << c.Name;
        EXPECT_EQ(t[0], "form ENTERSIZEMOVE") << c.Name;
        EXPECT_EQ(t[1].substr(0, 11), "form SIZING") << c.Name;
        EXPECT_EQ(t[2], "form GETMINMAXINFO") << c.Name;
        EXPECT_EQ(t.back(), "form EXITSIZEMOVE") << c.Name;
    }
}

TEST_F(FrameTest, ScrollStateIsKeptWithoutTheStylesAndTheBarSendsThumbPositions)
{
    HWND list = Make("list", WS_POPUP | WS_VSCROLL | WS_VISIBLE, Bounds(400, 300, 200, 200));
    Pump();
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 95;
    EXPECT_EQ(SetScrollInfo(list, SB_VERT, si, true), 90);      // the last page starts at 90
    ShowScrollBar(list, SB_VERT, false);
    TRect client;
    GetClientRect(list, client);
    EXPECT_EQ(client.Width(), 200);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 90);
    int lo = -1, hi = -1;
    GetScrollRange(list, SB_VERT, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 99);

    ShowScrollBar(list, SB_VERT, true);
    SetScrollPos(list, SB_VERT, 0, true);
    Pump();
    Watch({WM_VSCROLL});
    Screen->Click(400 + 191, 300 + 190);            // the down arrow
    Pump();
    EXPECT_EQ(Take(), (Strings{"list VSCROLL(1,0)", "list VSCROLL(8,0)"}));
    Screen->MouseDown(400 + 191, 300 + 25);         // the thumb (17 .. 33)
    Screen->MouseMove(400 + 191, 300 + 100);
    Release(400 + 191, 300 + 100);
    Pump();
    EXPECT_EQ(Take(), (Strings{"list VSCROLL(5,45)", "list VSCROLL(4,45)", "list VSCROLL(8,0)"}));

    // A held arrow repeats (first after 400 ms, then every 50 ms) until released.
    int steps = 0;
    On(list, WM_VSCROLL, [&](HWND, WPARAM wp, LPARAM) {
        if (LOWORD(wp) == SB_LINEDOWN && ++steps == 3)
            InjectMouseButton(0, false, TPoint{400 + 191, 300 + 190});
        return std::optional<LRESULT>(0);
    });
    uint64_t start = Screen->Now();
    Screen->MouseDown(400 + 191, 300 + 190);
    Pump();
    EXPECT_EQ(Take(), (Strings{"list VSCROLL(1,0)", "list VSCROLL(1,0)", "list VSCROLL(1,0)", "list VSCROLL(8,0)"}));
    EXPECT_GE(Screen->Now() - start, 450u);
    EXPECT_LT(Screen->Now() - start, 500u);
}

TEST_F(FrameTest, MonitorsAndWorkAreasComeFromTheBackEnd)
{
    LPARAM announced = 0;
    On(Form, WM_DISPLAYCHANGE, [&](HWND, WPARAM, LPARAM lp) {
        announced = lp;
        return std::optional<LRESULT>(0);
    });
    Screen->SetMonitors({TMonitor{Bounds(0, 0, 1024, 768), Bounds(0, 0, 1024, 738), true},
                         TMonitor{Bounds(1024, 0, 800, 600), Bounds(1024, 30, 800, 570), false}});
    HWND right = Make("right", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(1500, 100, 200, 100));
    EXPECT_EQ(announced, MAKELPARAM(1024, 768));
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 1824);
    MONITORINFO mi;
    ASSERT_TRUE(GetMonitorInfo(MonitorFromWindow(right, MONITOR_DEFAULTTONEAREST), &mi));
    EXPECT_EQ(mi.rcWork, Bounds(1024, 30, 800, 570));
    EXPECT_EQ(mi.dwFlags, 0u);
    EXPECT_EQ(MonitorFromPoint(TPoint{5000, 10}, MONITOR_DEFAULTTONULL), nullptr);
    ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint(TPoint{5000, 10}, MONITOR_DEFAULTTONEAREST), &mi));
    EXPECT_EQ(mi.rcMonitor.Left, 1024);
    TRect work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work, Bounds(0, 0, 1024, 738));
    ShowWindow(right, SW_MAXIMIZE);
    TRect r;
    GetWindowRect(right, r);
    EXPECT_EQ(r, Bounds(1024, 30, 800, 570));
    ShowWindow(right, SW_RESTORE);
    GetWindowRect(right, r);
    EXPECT_EQ(r, Bounds(1500, 100, 200, 100));
}

TEST_F(FrameTest, AChildReachingPastTheClientAreaLeavesTheFrameUnderIt)
{
    // The form shrinks onto its panel, as a user sizing it would do.
    HWND form = Make("clipping", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, Bounds(400, 300, 300, 500));
    Make("panel", WS_CHILD | WS_VISIBLE, Bounds(0, 100, 150, 300), form);
    Pump();
    MoveWindow(form, 400, 300, 300, 200, true);
    Pump();
    auto shot = Screen->CaptureWindow(form);
    // The bottom border under the panel: face inside, the dark outer edge at the last row.
    for (int x : {10, 80, 140}) {
        EXPECT_EQ(PixelAt(*shot, x, 197), ColorToRGB(clBtnFace)) << x;
        EXPECT_EQ(PixelAt(*shot, x, 199), ColorToRGB(cl3DDkShadow)) << x;
    }
    EXPECT_EQ(PixelAt(*shot, 1, 150), ColorToRGB(clBtnHighlight));  // the left border beside it
    EXPECT_EQ(PixelAt(*shot, 80, 150), ColorToRGB(clWhite));        // the panel itself
}

TEST_F(FrameTest, AMaximisedFrameHasNoSizingBorderAndARestoreGlyph)
{
    // The maximise glyph (button at 260..276 x 6..22): a window outline filling the glyph box.
    auto shot = Screen->CaptureWindow(Form);
    EXPECT_EQ(PixelAt(*shot, 264, 10), ColorToRGB(clBtnText));
    EXPECT_EQ(PixelAt(*shot, 272, 18), ColorToRGB(clBtnText));

    ShowWindow(Form, SW_MAXIMIZE);
    Pump();
    TRect r;
    GetWindowRect(Form, r);
    ASSERT_EQ(r, Bounds(0, 0, 1024, 738));
    TRect client;
    GetClientRect(Form, client);
    EXPECT_EQ(client, Bounds(0, 0, 1024, 718));
    EXPECT_EQ(SendMessage(Form, WM_NCHITTEST, 0, MAKELPARAM(1, 100)), HTCLIENT);
    EXPECT_EQ(SendMessage(Form, WM_NCHITTEST, 0, MAKELPARAM(500, 737)), HTCLIENT);
    shot = Screen->CaptureWindow(Form);
    EXPECT_EQ(PixelAt(*shot, 1, 100), ColorToRGB(clWhite));
    EXPECT_EQ(PixelAt(*shot, 500, 736), ColorToRGB(clWhite));
    EXPECT_EQ(PixelAt(*shot, 500, 5), ColorToRGB(clActiveCaption));
    // The restore glyph (button at 988..1004 x 2..18): two windows, the front one
    // down and to the left; the corners of the maximise glyph stay empty.
    EXPECT_EQ(PixelAt(*shot, 992, 6), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(*shot, 1000, 14), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(*shot, 1000, 6), ColorToRGB(clBtnText));  // the back window's corner
    EXPECT_EQ(PixelAt(*shot, 996, 9), ColorToRGB(clBtnText));   // the front window's title bar
    EXPECT_EQ(PixelAt(*shot, 994, 12), ColorToRGB(clBtnFace));  // and its hollow

    ShowWindow(Form, SW_RESTORE);
    Pump();
    GetWindowRect(Form, r);
    EXPECT_EQ(r, Bounds(50, 50, 300, 200));
    EXPECT_EQ(SendMessage(Form, WM_NCHITTEST, 0, MAKELPARAM(51, 150)), HTLEFT);
}
