#include "SdlFixture.h"

namespace {

// X stacks our windows as our z-order says: after activation, restacking and
// topmost changes, owned windows stay above their owner.
TEST_F(SdlDesktop, DesktopStackingFollowsOurZOrder)
{
    HWND a = Form("A", Bounds(100, 100, 300, 200));
    HWND b = Form("B", Bounds(250, 150, 300, 200));
    WaitShown(a);
    WaitShown(b);
    HWND tool = CreateWindowEx(WS_EX_TOOLWINDOW, "SdlProbe", "Tool", WS_POPUP | WS_CAPTION, 150, 130, 160, 100, a);
    ShowWindow(tool, SW_SHOWNOACTIVATE);
    WaitShown(tool);

    const HWND ours[] = {a, b, tool};
    auto desktopOrder = [&] {
        std::vector<HWND> list;
        for (unsigned long xw : X.Stacking())
            for (HWND h : ours)
                if (Backend->NativeWindow(h) == xw)
                    list.push_back(h);
        return list;
    };
    auto ourOrder = [&] {
        std::vector<HWND> list;
        for (HWND h : TopLevelWindows())
            if (IsWindowVisible(h))
                list.push_back(h);
        return list;
    };
    auto above = [](const std::vector<HWND>& order, HWND upper, HWND lower) {
        return std::find(order.begin(), order.end(), upper) < std::find(order.begin(), order.end(), lower);
    };

    struct TStep {
        const char* What;
        std::function<void()> Do;
    };
    const TStep steps[] = {
        {"shown", [] {}},
        {"A activated", [&] { SetActiveWindow(a); }},
        {"B activated", [&] { SetActiveWindow(b); }},
        {"A to the bottom", [&] { SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }},
        {"B topmost", [&] { SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }},
        {"A activated under topmost B", [&] { SetActiveWindow(a); }},
        {"tool hidden and shown again", [&] {
             ShowWindow(tool, SW_HIDE);
             ShowWindow(tool, SW_SHOWNOACTIVATE);
         }},
    };
    for (const TStep& step : steps) {
        step.Do();
        EXPECT_TRUE(PumpUntil([&] { return desktopOrder() == ourOrder(); }, 2000ms)) << step.What;
        std::vector<HWND> order = desktopOrder();
        EXPECT_TRUE(above(order, tool, a)) << step.What << ": the owned window went below its owner";
    }
    EXPECT_TRUE(above(desktopOrder(), b, a)) << "the topmost window went below";
}

// Another program taking the desktop's focus ends a drag (cancel mode,
// capture released) and deactivates our window; focus moving between our
// own windows does neither, and a click brings the program back. The
// program's top-level windows hear of both (WM_ACTIVATEAPP).
TEST_F(SdlDesktop, AnotherProgramTakingTheFocusCancelsTheModeAndDeactivates)
{
    HWND f = Form("Focus", Bounds(100, 100, 300, 200));
    WaitShown(f);
    unsigned long fx = Backend->NativeWindow(f);
    ASSERT_TRUE(PumpUntil([&] { return X.FocusWindow() == fx; }));
    HWND g = Form("Second", Bounds(450, 100, 200, 150));
    WaitShown(g);
    ASSERT_TRUE(PumpUntil([&] { return X.FocusWindow() == Backend->NativeWindow(g); }));
    SetActiveWindow(f);
    ASSERT_TRUE(PumpUntil([&] { return X.FocusWindow() == fx; }));
    PumpUntil([] { return false; }, 300ms);    // focus changes the desktop reports late
    EXPECT_FALSE(Got(f, WM_CANCELMODE));
    EXPECT_FALSE(Got(g, WM_CANCELMODE));
    EXPECT_EQ(GetActiveWindow(), f);

    SetCapture(f);
    Log.clear();
    TXDesktop other;
    other.Focus(other.MakeWindow(Bounds(800, 600, 100, 100)));
    ASSERT_TRUE(PumpUntil([&] { return Got(f, WM_CANCELMODE); }));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_TRUE(Got(f, WM_NCACTIVATE, 0));
    EXPECT_TRUE(Got(f, WM_ACTIVATE, WA_INACTIVE));
    EXPECT_TRUE(Got(f, WM_ACTIVATEAPP, 0));              // the program as a whole lost the desktop
    EXPECT_TRUE(Got(g, WM_ACTIVATEAPP, 0));
    EXPECT_FALSE(Got(f, WM_ACTIVATEAPP, 1));

    Log.clear();
    X.MoveTo(250, 200);
    X.Press();
    X.Release();
    EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == f && X.FocusWindow() == fx; }));
    EXPECT_TRUE(Got(f, WM_ACTIVATEAPP, 1));
    EXPECT_TRUE(Got(g, WM_ACTIVATEAPP, 1));
    EXPECT_LT(IndexOf(g, WM_ACTIVATEAPP, 1), IndexOf(f, WM_ACTIVATE));
    EXPECT_FALSE(Got(f, WM_ACTIVATEAPP, 0));
}

} // namespace
