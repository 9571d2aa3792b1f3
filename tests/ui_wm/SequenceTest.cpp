#include "WmFixture.h"

using Strings = std::vector<std::string>;

class SequenceTest : public TWmTest {
protected:
    void WatchSequences()
    {
        Watch({WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE, WM_NCCALCSIZE,
               WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_NCPAINT, WM_ERASEBKGND, WM_PAINT,
               WM_MOUSEACTIVATE, WM_CANCELMODE, WM_CAPTURECHANGED, WM_LBUTTONDOWN, WM_LBUTTONUP});
    }
};

TEST_F(SequenceTest, CreationSizesTheClientThroughTheNonClientMessage)
{
    Watch({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE});
    HWND form = Make("form", WS_OVERLAPPEDWINDOW, Bounds(100, 100, 300, 200));
    EXPECT_EQ(Take(), (Strings{"form NCCREATE", "form NCCALCSIZE", "form CREATE", "form SIZE(292,172)",
                               "form MOVE(104,124)"}));
    TRect client;
    GetClientRect(form, client);
    EXPECT_EQ(client, Bounds(0, 0, 292, 172));
    EXPECT_EQ(GetWindowText(form), "form");
}

TEST_F(SequenceTest, ShowAndHideGiveTheClassicSequences)
{
    HWND other = Make("other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(0, 0, 200, 100));
    HWND form = Make("form", WS_OVERLAPPEDWINDOW, Bounds(100, 100, 300, 200));
    Pump();
    WatchSequences();
    ShowWindow(form, SW_SHOW);
    Pump();
    EXPECT_EQ(Take(), (Strings{"form SHOWWINDOW(1)", "form WINDOWPOSCHANGING", "form WINDOWPOSCHANGED",
                               "other NCACTIVATE(0)", "other ACTIVATE(0)", "other KILLFOCUS", "form NCACTIVATE(1)",
                               "form ACTIVATE(1)", "form SETFOCUS", "form NCPAINT", "form ERASEBKGND", "form PAINT"}));
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_EQ(GetFocus(), form);

    ShowWindow(form, SW_HIDE);
    Pump();
    EXPECT_EQ(Take(), (Strings{"form SHOWWINDOW(0)", "form WINDOWPOSCHANGING", "form WINDOWPOSCHANGED",
                               "form NCACTIVATE(0)", "form ACTIVATE(0)", "form KILLFOCUS", "other NCACTIVATE(1)",
                               "other ACTIVATE(1)", "other SETFOCUS"}));
    EXPECT_EQ(GetActiveWindow(), other);
}

TEST_F(SequenceTest, PositionChangingIsEditableAndEverySizeChangeSendsSizeAtOnce)
{
    HWND form = Make("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(100, 100, 300, 200));
    Pump();
    On(form, WM_WINDOWPOSCHANGING, [](HWND, WPARAM, LPARAM lp) {
        auto* wp = reinterpret_cast<WINDOWPOS*>(lp);
        wp->cx = std::min(wp->cx, 400);     // a handler that caps the width
        return std::optional<LRESULT>(0);
    });
    WatchSequences();
    SetWindowPos(form, nullptr, 0, 0, 500, 250, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Take(), (Strings{"form WINDOWPOSCHANGING", "form NCCALCSIZE", "form WINDOWPOSCHANGED",
                               "form SIZE(392,222)"}));
    TRect r;
    GetWindowRect(form, r);
    EXPECT_EQ(r, Bounds(100, 100, 400, 250));

    MoveWindow(form, 50, 60, 400, 250, true);
    EXPECT_EQ(Take(), (Strings{"form WINDOWPOSCHANGING", "form WINDOWPOSCHANGED", "form MOVE(54,84)",
                               "form SIZE(392,222)"}));
}

TEST_F(SequenceTest, ANoActivatePopupNeverDeactivatesItsForm)
{
    HWND form = Make("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(100, 100, 300, 200));
    HWND popup = Make("popup", WS_POPUP, Bounds(150, 150, 80, 60), form, WS_EX_TOOLWINDOW);
    On(popup, WM_MOUSEACTIVATE, [](HWND, WPARAM, LPARAM) { return std::optional<LRESULT>(MA_NOACTIVATE); });
    Pump();
    EXPECT_EQ(GetParent(popup), form);          // a popup with a parent is owned by it
    EXPECT_EQ(GetAncestor(popup, GA_PARENT), nullptr);
    WatchSequences();
    SetWindowPos(popup, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
    Pump();
    Screen->Click(160, 160);
    Pump();
    EXPECT_EQ(Take(), (Strings{"popup WINDOWPOSCHANGING", "popup WINDOWPOSCHANGED", "popup NCPAINT",
                               "popup ERASEBKGND", "popup PAINT", "popup MOUSEACTIVATE", "popup LBUTTONDOWN",
                               "popup LBUTTONUP"}));
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_EQ(GetFocus(), form);
}

TEST_F(SequenceTest, AClickActivatesAnInactiveWindowBeforeThePress)
{
    HWND a = Make("a", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    HWND b = Make("b", WS_POPUP | WS_VISIBLE, Bounds(200, 0, 100, 100));
    Pump();
    EXPECT_EQ(GetActiveWindow(), b);
    WatchSequences();
    Screen->Click(50, 50);
    Pump();
    EXPECT_EQ(Take(), (Strings{"a MOUSEACTIVATE", "a WINDOWPOSCHANGING", "a WINDOWPOSCHANGED", "b NCACTIVATE(0)",
                               "b ACTIVATE(0)", "b KILLFOCUS", "a NCACTIVATE(1)", "a ACTIVATE(2)", "a SETFOCUS",
                               "a LBUTTONDOWN", "a LBUTTONUP"}));
    (void)a;
}

TEST_F(SequenceTest, ActivationLossCancelsTheCaptureOfTheFormerWindow)
{
    HWND a = Make("a", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    HWND child = Make("child", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 50), a);
    HWND b = Make("b", WS_POPUP | WS_VISIBLE, Bounds(200, 0, 100, 100));
    SetActiveWindow(a);
    Pump();
    SetCapture(child);
    Watch({WM_CANCELMODE, WM_CAPTURECHANGED, WM_NCACTIVATE, WM_ACTIVATE});
    SetActiveWindow(b);
    EXPECT_EQ(Take(), (Strings{"child CANCELMODE", "child CAPTURECHANGED", "a NCACTIVATE(0)", "a ACTIVATE(0)",
                               "b NCACTIVATE(1)", "b ACTIVATE(1)"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SequenceTest, DestroyingTheActiveWindowActivatesItsOwner)
{
    HWND form = Make("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(100, 100, 300, 200));
    HWND dialog = Make("dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, Bounds(120, 120, 100, 80), form);
    HWND child = Make("child", WS_CHILD | WS_VISIBLE, Bounds(0, 0, 10, 10), dialog);
    Pump();
    EXPECT_EQ(GetActiveWindow(), dialog);
    Watch({WM_DESTROY, WM_NCDESTROY, WM_NCACTIVATE, WM_ACTIVATE});
    DestroyWindow(dialog);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(Take(), (Strings{"dialog NCACTIVATE(0)", "dialog ACTIVATE(0)", "form NCACTIVATE(1)", "form ACTIVATE(1)",
                               "dialog DESTROY", "child DESTROY", "child NCDESTROY", "dialog NCDESTROY"}));
    EXPECT_EQ(GetActiveWindow(), form);
    DestroyWindow(form);
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(SequenceTest, OwnedWindowsFollowTheirOwnerIntoAndOutOfMinimised)
{
    HWND form = Make("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(100, 100, 300, 200));
    HWND tool = Make("tool", WS_POPUP | WS_VISIBLE, Bounds(120, 120, 50, 50), form, WS_EX_TOOLWINDOW);
    HWND hiddenTool = Make("hidden", WS_POPUP, Bounds(130, 130, 50, 50), form);
    HWND other = Make("other", WS_POPUP | WS_VISIBLE, Bounds(600, 100, 50, 50));
    SetActiveWindow(form);
    Pump();
    Watch({WM_SHOWWINDOW, WM_SIZE, WM_ACTIVATE});
    ShowWindow(form, SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(tool));
    EXPECT_EQ(GetActiveWindow(), other);
    ShowWindow(form, SW_RESTORE);
    Pump();
    EXPECT_TRUE(IsWindowVisible(tool));
    EXPECT_FALSE(IsWindowVisible(hiddenTool));
    EXPECT_EQ(Take(), (Strings{"tool SHOWWINDOW(0)", "form SIZE(0,0)", "form ACTIVATE(0)", "other ACTIVATE(1)",
                               "form SIZE(292,172)", "other ACTIVATE(0)", "form ACTIVATE(1)", "tool SHOWWINDOW(1)"}));
    // An owner loop is refused.
    EXPECT_EQ(SetWindowLong(form, GWL_HWNDPARENT, reinterpret_cast<LONG_PTR>(tool)), 0);
    EXPECT_EQ(GetWindow(form, GW_OWNER), nullptr);
    TRect huge;
    SetWindowPos(other, nullptr, 0, 0, 100000, 100000, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(other, huge);
    EXPECT_EQ(huge.Width(), 100000);
    const TBitmap* surface = WindowSurface(other);
    ASSERT_NE(surface, nullptr);
    EXPECT_LE(surface->Width(), 4096);
}

// Another program taking the desktop's activation ends the mode of the
// active window and deactivates it; then every top-level window, hidden ones
// too, hears that the program lost the activation, before the focus goes.
// Coming back tells them first. Moves between our own windows tell nobody.
TEST_F(SequenceTest, TheProgramsActivationIsToldToEveryTopLevelWindow)
{
    Watch({WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_CANCELMODE, WM_CAPTURECHANGED});
    Make("hidden", WS_OVERLAPPEDWINDOW, Bounds(50, 50, 200, 150));
    HWND form = Make("form", WS_OVERLAPPEDWINDOW, Bounds(100, 100, 300, 200));
    Make("child", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 30), form);
    HWND other = Make("other", WS_OVERLAPPEDWINDOW, Bounds(500, 100, 200, 150));
    ShowWindow(form, SW_SHOW);
    EXPECT_EQ(Take(), (Strings{"form ACTIVATEAPP(1)", "other ACTIVATEAPP(1)", "hidden ACTIVATEAPP(1)",
                               "form NCACTIVATE(1)", "form ACTIVATE(1)", "form SETFOCUS"}));
    ShowWindow(other, SW_SHOW);
    SetActiveWindow(form);
    for (const std::string& line : Take())
        EXPECT_EQ(line.find("ACTIVATEAPP"), std::string::npos) << line;

    SetCapture(form);
    Screen->ActivateOtherProgram();
    EXPECT_EQ(Take(), (Strings{"form CANCELMODE", "form CAPTURECHANGED", "form NCACTIVATE(0)", "form ACTIVATE(0)",
                               "form ACTIVATEAPP(0)", "other ACTIVATEAPP(0)", "hidden ACTIVATEAPP(0)",
                               "form KILLFOCUS"}));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    Screen->ActivateOtherProgram();
    EXPECT_EQ(Take(), Strings{});

    Screen->ReturnFromOtherProgram();
    EXPECT_EQ(Take(), (Strings{"form ACTIVATEAPP(1)", "other ACTIVATEAPP(1)", "hidden ACTIVATEAPP(1)",
                               "form NCACTIVATE(1)", "form ACTIVATE(1)", "form SETFOCUS"}));

    // Closing the last window that can be active leaves the program inactive.
    ShowWindow(other, SW_HIDE);
    DestroyWindow(form);
    Strings last = Take();
    ASSERT_FALSE(last.empty());
    EXPECT_NE(std::find(last.begin(), last.end(), "other ACTIVATEAPP(0)"), last.end());
    EXPECT_EQ(GetActiveWindow(), nullptr);
}
