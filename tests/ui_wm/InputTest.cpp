#include "WmFixture.h"

using Strings = std::vector<std::string>;

class InputTest : public TWmTest {
protected:
    // A borderless form at (100, 100) with two children side by side.
    void SetUp() override
    {
        TWmTest::SetUp();
        Form = Make("form", WS_POPUP | WS_VISIBLE, Bounds(100, 100, 300, 200));
        Left = Make("left", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 100, 100), Form);
        Right = Make("right", WS_CHILD | WS_VISIBLE, Bounds(150, 10, 100, 100), Form);
        Pump();
    }

    HWND Form = nullptr, Left = nullptr, Right = nullptr;
};

TEST_F(InputTest, CaptureHoldsTheMouseAcrossWindowsUntilReleased)
{
    Watch({WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED});
    SetCapture(Left);
    Screen->MouseMove(300, 150);            // over Right
    Screen->MouseMove(500, 500);            // off every window
    InjectMouseButton(0, false, TPoint{500, 500});
    Pump();
    EXPECT_EQ(Take(), (Strings{"left MOUSEMOVE", "left MOUSEMOVE", "left LBUTTONUP"}));
    ReleaseCapture();
    EXPECT_EQ(Take(), (Strings{"left CAPTURECHANGED"}));
    Screen->MouseMove(300, 150);
    Pump();
    EXPECT_EQ(Take(), (Strings{"right MOUSEMOVE"}));
}

TEST_F(InputTest, CapturedMovesCarryClientCoordinatesOutsideTheWindow)
{
    SetCapture(Left);
    TPoint got{0, 0};
    On(Left, WM_MOUSEMOVE, [&](HWND, WPARAM, LPARAM lp) {
        got = LParamToPoint(lp);
        return std::optional<LRESULT>(0);
    });
    Screen->MouseMove(90, 95);
    Pump();
    EXPECT_EQ(got, (TPoint{-20, -15}));
}

TEST_F(InputTest, EnterAndLeaveFollowTheWindowUnderTheMouse)
{
    Watch({CM_MOUSEENTER, CM_MOUSELEAVE, WM_MOUSELEAVE});
    Screen->MouseMove(120, 120);
    Pump();
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = Left;
    TrackMouseEvent(tme);
    Screen->MouseMove(130, 130);
    Screen->MouseMove(140, 250);            // the form, between the children
    Screen->MouseMove(300, 150);
    Screen->MouseMove(900, 700);
    Pump();
    EXPECT_EQ(Take(), (Strings{"left CM_MOUSEENTER", "left CM_MOUSELEAVE", "left MOUSELEAVE", "form CM_MOUSEENTER",
                               "form CM_MOUSELEAVE", "right CM_MOUSEENTER", "right CM_MOUSELEAVE"}));
}

TEST_F(InputTest, DoubleClicksDependOnTheClassStyleTimeAndDistance)
{
    struct TCase {
        const char* Name;
        std::string Class;
        uint32_t Pause;
        int Dx;
        Strings Expected;
    };
    const TCase cases[] = {
        {"with CS_DBLCLKS", "ProbeDbl", 100, 0, {"LBUTTONDOWN", "LBUTTONUP", "LBUTTONDBLCLK", "LBUTTONUP"}},
        {"without CS_DBLCLKS", "Probe", 100, 0, {"LBUTTONDOWN", "LBUTTONUP", "LBUTTONDOWN", "LBUTTONUP"}},
        {"too slow", "ProbeDbl", 700, 0, {"LBUTTONDOWN", "LBUTTONUP", "LBUTTONDOWN", "LBUTTONUP"}},
        {"too far", "ProbeDbl", 100, 8, {"LBUTTONDOWN", "LBUTTONUP", "LBUTTONDOWN", "LBUTTONUP"}},
    };
    for (const TCase& c : cases) {
        HWND w = Make("w", WS_POPUP | WS_VISIBLE, Bounds(500, 300, 100, 100), nullptr, 0, c.Class);
        Pump();
        Watch({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK});
        Screen->Click(520, 320);
        Pump();
        Screen->Advance(c.Pause);
        Screen->Click(520 + c.Dx, 320);
        Pump();
        Strings got;
        for (const std::string& line : Take())
            got.push_back(line.substr(2));
        EXPECT_EQ(got, c.Expected) << c.Name;
        DestroyWindow(w);
        Screen->Advance(1000);
    }
}

TEST_F(InputTest, ADoubleClickOnTheFrameNeedsNoClassStyle)
{
    HWND framed = Make("framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(500, 300, 200, 150));
    Pump();
    Watch({WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_NCLBUTTONUP, WM_SYSCOMMAND});
    On(framed, WM_NCLBUTTONDOWN, [](HWND, WPARAM, LPARAM) { return std::optional<LRESULT>(0); });
    Screen->Click(560, 310);
    Screen->Click(560, 310);
    Pump();
    EXPECT_EQ(Take(), (Strings{"framed NCLBUTTONDOWN(2)", "framed NCLBUTTONUP(2)", "framed NCLBUTTONDBLCLK(2)",
                               "framed NCLBUTTONUP(2)"}));
    EXPECT_FALSE(IsZoomed(framed));         // the default does nothing on a caption double click
}

TEST_F(InputTest, TheWheelGoesToTheFocusWindowWithASignedDelta)
{
    SetFocus(Left);
    Watch({WM_MOUSEWHEEL});
    Screen->MouseMove(300, 150);            // over Right
    Screen->Wheel(-120, 300, 150);
    Screen->Wheel(240, 300, 150);
    Pump();
    // The default passes an unhandled wheel up to the parent.
    EXPECT_EQ(Take(), (Strings{"left MOUSEWHEEL(-120)", "form MOUSEWHEEL(-120)", "left MOUSEWHEEL(240)",
                               "form MOUSEWHEEL(240)"}));
}

TEST_F(InputTest, ALoneAltOrF10BecomesTheMenuKeyCommand)
{
    struct TCase {
        const char* Name;
        std::vector<std::pair<int, bool>> Keys;
        Strings Expected;
    };
    const TCase cases[] = {
        {"lone Alt", {{VK_MENU, true}, {VK_MENU, false}},
         {"left SYSKEYDOWN(18)", "left SYSKEYUP(18)", "form SYSCOMMAND(61696,0)"}},
        {"F10", {{VK_F10, true}, {VK_F10, false}},
         {"left SYSKEYDOWN(121)", "left SYSKEYUP(121)", "form SYSCOMMAND(61696,0)"}},
        {"Alt with a letter", {{VK_MENU, true}, {'X', true}, {'X', false}, {VK_MENU, false}},
         {"left SYSKEYDOWN(18)", "left SYSKEYDOWN(88)", "left SYSCHAR(120)", "form SYSCOMMAND(61696,120)",
          "left SYSKEYUP(88)", "left SYSKEYUP(18)"}},
        {"Alt interrupted by a click", {{VK_MENU, true}, {-1, true}, {VK_MENU, false}},
         {"left SYSKEYDOWN(18)", "left SYSKEYUP(18)"}},
        {"plain key", {{'B', true}, {'B', false}}, {"left KEYDOWN(66)", "left CHAR(98)", "left KEYUP(66)"}},
    };
    for (const TCase& c : cases) {
        SetFocus(Left);
        Watch({WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR, WM_SYSCOMMAND});
        for (auto [vk, down] : c.Keys) {
            if (vk < 0)
                InjectMouseButton(0, down, TPoint{120, 120});
            else
                InjectKey(vk, down);
        }
        Pump();
        EXPECT_EQ(Take(), c.Expected) << c.Name;
        EXPECT_EQ(GetAsyncKeyState(VK_MENU), 0) << c.Name;
        InjectMouseButton(0, false, TPoint{120, 120});
        Pump();
    }
}

TEST_F(InputTest, InputMethodTextComesWithItsKeyDown)
{
    SetFocus(Left);
    Watch({WM_KEYDOWN, WM_CHAR});
    Screen->KeyPress(VK_PROCESSKEY, "中文");
    Screen->KeyPress('A');
    Pump();
    EXPECT_EQ(Take(), (Strings{"left KEYDOWN(229)", "left CHAR(20013)", "left CHAR(25991)", "left KEYDOWN(65)",
                               "left CHAR(97)"}));
}

TEST_F(InputTest, RightClickAndTheMenuKeyGiveContextMenus)
{
    SetFocus(Left);
    Watch({WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU});
    Screen->Click(130, 140, 1);
    Pump();
    EXPECT_EQ(Take(), (Strings{"left RBUTTONDOWN", "left RBUTTONUP", "left CONTEXTMENU(130,140)",
                               "form CONTEXTMENU(130,140)"}));
    Screen->KeyPress(VK_APPS);
    Pump();
    EXPECT_EQ(Take(), (Strings{"left CONTEXTMENU(-1,-1)", "form CONTEXTMENU(-1,-1)"}));
}

TEST_F(InputTest, PressesAndCreationAreAnnouncedToEveryAncestor)
{
    Watch({WM_PARENTNOTIFY});
    HWND inner = Make("inner", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 30, 30), Left);
    EXPECT_EQ(Take(), (Strings{"left PARENTNOTIFY(1)", "form PARENTNOTIFY(1)"}));
    LPARAM atForm = 0;
    On(Form, WM_PARENTNOTIFY, [&](HWND, WPARAM, LPARAM lp) {
        atForm = lp;
        return std::optional<LRESULT>(0);
    });
    Screen->Click(125, 125);
    Pump();
    EXPECT_EQ(Take(), (Strings{"left PARENTNOTIFY(513)", "form PARENTNOTIFY(513)"}));
    EXPECT_EQ(LParamToPoint(atForm), (TPoint{25, 25}));      // in the form's client coordinates
    HWND quiet = Make("quiet", WS_CHILD | WS_VISIBLE, Bounds(50, 50, 20, 20), Left, WS_EX_NOPARENTNOTIFY);
    Screen->Click(165, 165);
    Pump();
    EXPECT_EQ(Take(), Strings{});
    (void)inner;
    (void)quiet;
}

TEST_F(InputTest, SetCursorAsksTheParentFirstAndFallsBackToTheHitCode)
{
    Screen->MouseMove(120, 120);
    Pump();
    EXPECT_EQ(Screen->CursorShape(), IDC_ARROW);
    On(Form, WM_SETCURSOR, [](HWND, WPARAM, LPARAM lp) {
        if (LOWORD(lp) != HTCLIENT)
            return std::optional<LRESULT>();
        SetCursor(IDC_HAND);
        return std::optional<LRESULT>(1);
    });
    Screen->MouseMove(125, 125);
    Pump();
    EXPECT_EQ(Screen->CursorShape(), IDC_HAND);
    HWND sizable = Make("sizable", WS_POPUP | WS_THICKFRAME | WS_VISIBLE, Bounds(500, 300, 100, 100));
    Pump();
    Screen->MouseMove(501, 350);
    Pump();
    EXPECT_EQ(Screen->CursorShape(), IDC_SIZEWE);
    (void)sizable;
}

TEST_F(InputTest, WindowFromPointHonoursRegionsTransparencyAndVisibility)
{
    SetWindowRgn(Left, new TRegion(Bounds(0, 0, 50, 100)), true);
    On(Right, WM_NCHITTEST, [](HWND, WPARAM, LPARAM) { return std::optional<LRESULT>(HTTRANSPARENT); });
    struct TCase {
        TPoint At;
        HWND Expected;
    };
    const TCase cases[] = {
        {{120, 120}, Left}, {{170, 120}, Form}, {{260, 120}, Form}, {{105, 105}, Form}, {{50, 50}, nullptr},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(WindowFromPoint(c.At), c.Expected) << c.At.X << "," << c.At.Y;
    ShowWindow(Left, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(TPoint{120, 120}), Form);
    EnableWindow(Form, false);
    Screen->Click(120, 120);
    Pump();
    EXPECT_EQ(Screen->BeepCount(), 1);      // a press on a disabled window only beeps
}

TEST_F(InputTest, HidingOrDestroyingTheFocusedChildHandsTheFocusToItsParent)
{
    HWND inner = Make("inner", WS_CHILD | WS_VISIBLE, Bounds(5, 5, 20, 20), Left);
    struct TCase {
        const char* Name;
        std::function<void()> Action;
        HWND Expected;
    };
    const TCase cases[] = {
        {"hide", [&] { ShowWindow(Left, SW_HIDE); }, Form},
        {"disable", [&] { EnableWindow(Right, false); }, nullptr},
        {"destroy", [&] { DestroyWindow(inner); }, Left},
    };
    SetFocus(inner);
    Watch({WM_KILLFOCUS, WM_SETFOCUS});
    cases[0].Action();
    EXPECT_EQ(GetFocus(), cases[0].Expected) << cases[0].Name;
    EXPECT_EQ(Take(), (Strings{"inner KILLFOCUS", "form SETFOCUS"}));
    SetFocus(Right);
    cases[1].Action();
    EXPECT_EQ(GetFocus(), cases[1].Expected) << cases[1].Name;
    ShowWindow(Left, SW_SHOW);
    SetFocus(inner);
    Take();
    cases[2].Action();
    EXPECT_EQ(GetFocus(), cases[2].Expected) << cases[2].Name;
    EXPECT_EQ(Take(), (Strings{"inner KILLFOCUS", "left SETFOCUS"}));
}
