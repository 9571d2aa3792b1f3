#include <gtest/gtest.h>

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "skin/draw/MonitorRects.h"
#include "skin/draw/PlatformCaps.h"

TEST(PlatformTests, FixedAnswersAndTheBackEndsLayeredWindows) {
    EXPECT_TRUE(IsWindowsXPOrLater());
    EXPECT_TRUE(IsWindowsVistaOrLater());
    EXPECT_TRUE(IsNTFamily());
    EXPECT_FALSE(CPUHasMMX());
    EXPECT_FALSE(TransparentBltAvailable());
    for (bool perPixel : {false, true}) {
        THeadlessConfig config;
        config.Caps.PerPixelAlpha = perPixel;
        UseHeadlessBackend(config);
        EXPECT_EQ(CanUseLayeredWindows(), perPixel);
    }
    UseHeadlessBackend();
}

TEST(MonitorRects, PrimaryScreenOrTheNearestMonitor) {
    THeadlessConfig one;
    one.Monitors = {TMonitor{TRect{0, 0, 800, 600}, TRect{0, 0, 800, 570}, true}};
    UseHeadlessBackend(one);
    EXPECT_FALSE(MultiMonitorAvailable());
    TRect r;
    GetWindowMonitorRect(nullptr, true, r);
    EXPECT_EQ(r, (TRect{0, 0, 800, 570}));
    GetWindowMonitorRect(nullptr, false, r);
    EXPECT_EQ(r, (TRect{0, 0, 800, 600}));

    THeadlessConfig two = one;
    two.Monitors.push_back(TMonitor{TRect{800, 0, 1824, 768}, TRect{800, 0, 1824, 740}, false});
    UseHeadlessBackend(two);
    WNDCLASS wc;
    wc.lpszClassName = "MonitorProbe";
    wc.lpfnWndProc = &DefWindowProc;
    RegisterClass(wc);
    const HWND window = CreateWindowEx(0, "MonitorProbe", "", WS_POPUP, 1000, 100, 200, 100, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(MultiMonitorAvailable());
    GetWindowMonitorRect(window, true, r);
    EXPECT_EQ(r, (TRect{800, 0, 1824, 740}));
    GetWindowMonitorRect(window, false, r);
    EXPECT_EQ(r, (TRect{800, 0, 1824, 768}));
    DestroyWindow(window);
    UnregisterClass("MonitorProbe");
    UseHeadlessBackend();
}
