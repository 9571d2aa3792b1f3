#include <thread>
#include "DesktopProgram.h"
#include "SdlFixture.h"
#include "platform/ui/Tray.h"
#include "platform/ui/sdl/SdlTray.h"

// The tray icon in a real tray host (trayer) on the private display: docked
// through the system-tray protocol, its mouse actions coming back as the
// icon's callback message. Without trayer these tests are skipped.

namespace {

constexpr UINT TrayCallback = WM_APP + 7;

class SdlTrayHost : public SdlDesktop {
protected:
    void SetUp() override
    {
        if (std::getenv("ZARVO_NO_XVFB"))
            GTEST_SKIP() << "Xvfb is missing";
        SdlDesktop::SetUp();
        if (!StartHost())
            GTEST_SKIP() << "trayer is missing";
        ASSERT_TRUE(PumpUntil([] { return PlatformCaps().TrayIcon; })) << "the tray host went unnoticed";
        Icon = TBitmap(16, 16, pf32bit);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                uint8_t* p = Icon.ScanLine(y) + x * 4;
                p[0] = 0;
                p[1] = uint8_t(x * 16);
                p[2] = 255;
                p[3] = 255;
            }
        Icon.SetAlphaFormat(afDefined);
    }

    void TearDown() override
    {
        SdlDesktop::TearDown();
        Host.Stop();
    }

    bool StartHost()
    {
        TXDesktop probe;
        if (!Host.Start({"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
                         "--heighttype", "pixel", "--height", "32", "--SetDockType", "false"}))
            return false;
        for (auto end = TClock::now() + 10s; TClock::now() < end; std::this_thread::sleep_for(10ms)) {
            if (probe.SelectionOwned("_NET_SYSTEM_TRAY_S0"))
                return true;
            if (Host.Ended())
                return false;
        }
        return false;
    }

    TTrayIconInfo Info(HWND owner)
    {
        TTrayIconInfo info;
        info.Wnd = owner;
        info.Id = 1;
        info.CallbackMessage = TrayCallback;
        info.Icon = &Icon;
        info.Tip = "Converting";
        return info;
    }

    // The host holds our icon window and shows it.
    bool Docked(HWND owner)
    {
        unsigned long icon = Backend->Tray().IconWindow(owner, 1);
        return icon && Backend->Tray().Docked(owner, 1) && X.Mapped(icon) && X.Frame(icon) != icon;
    }

    TPoint IconCentre(HWND owner)
    {
        TRect r = X.Geometry(Backend->Tray().IconWindow(owner, 1));
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }

    std::vector<LPARAM> Actions(HWND owner) const
    {
        std::vector<LPARAM> list;
        for (const TLogged& l : Log)
            if (l.Wnd == owner && l.Msg == TrayCallback && l.L != WM_MOUSEMOVE)
                list.push_back(l.L);
        return list;
    }

    TDesktopProgram Host;
    TBitmap Icon;
};

TEST_F(SdlTrayHost, IconDocksAndReportsClicksAndDoubleClicks)
{
    HWND owner = Form("Owner", Bounds(100, 100, 200, 100));
    WaitShown(owner);
    ASSERT_TRUE(NotifyTrayIcon(TTrayAction::Add, Info(owner)));
    ASSERT_TRUE(PumpUntil([&] { return Docked(owner); })) << "not docked";
    // The host gives its size; the icon is painted into it.
    EXPECT_TRUE(PumpUntil([&] { return X.Geometry(Backend->Tray().IconWindow(owner, 1)).Width() >= 16; }));
    TPoint c = IconCentre(owner);
    EXPECT_TRUE(PumpUntil([&] { return X.Pixel(c.X, c.Y) >> 16 == 0xFF; })) << std::hex << X.Pixel(c.X, c.Y);

    X.MoveTo(c.X, c.Y);
    for (int i = 0; i < 3; ++i) {
        X.Press(1);
        X.Release(1);
    }
    X.Press(3);
    X.Release(3);
    std::vector<LPARAM> want = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,   WM_RBUTTONUP};
    EXPECT_TRUE(PumpUntil([&] { return Actions(owner).size() >= want.size(); }));
    EXPECT_EQ(Actions(owner), want);
    // The cursor is where the click was: a menu opens at the icon.
    TPoint cursor;
    GetCursorPos(cursor);
    EXPECT_EQ(cursor, c);

    ASSERT_TRUE(NotifyTrayIcon(TTrayAction::Delete, Info(owner)));
    EXPECT_EQ(Backend->Tray().IconWindow(owner, 1), 0u);
    EXPECT_FALSE(NotifyTrayIcon(TTrayAction::Delete, Info(owner)));
}

// Resting on the icon shows its tip; a balloon shows beside the icon until
// it is clicked, which the icon's window hears of.
TEST_F(SdlTrayHost, TipAndBalloonShowBesideTheIcon)
{
    HWND owner = Form("Owner", Bounds(100, 100, 200, 100));
    WaitShown(owner);
    ASSERT_TRUE(NotifyTrayIcon(TTrayAction::Add, Info(owner)));
    ASSERT_TRUE(PumpUntil([&] { return Docked(owner); }));
    TPoint c = IconCentre(owner);
    X.MoveTo(10, 10);
    X.MoveTo(c.X, c.Y);
    ASSERT_TRUE(PumpUntil([&] { return Backend->Tray().TipWindow() && X.Mapped(Backend->Tray().TipWindow()); }));
    X.MoveTo(10, 10);
    EXPECT_TRUE(PumpUntil([&] { return !Backend->Tray().TipWindow(); }));

    TTrayIconInfo info = Info(owner);
    info.BalloonTitle = "Done";
    info.BalloonText = "All 3 files were converted.";
    info.BalloonIcon = 1;
    ASSERT_TRUE(NotifyTrayIcon(TTrayAction::Modify, info));
    unsigned long balloon = 0;
    ASSERT_TRUE(PumpUntil([&] { return (balloon = Backend->Tray().BalloonWindow()) && X.Mapped(balloon); }));
    TRect b = X.Geometry(balloon), icon = X.Geometry(Backend->Tray().IconWindow(owner, 1));
    EXPECT_LE(b.Bottom, icon.Top);         // above an icon at the bottom of the screen
    EXPECT_GE(b.Bottom, icon.Top - 20);
    EXPECT_TRUE((b.Left <= c.X && c.X <= b.Right) || b.Right == 1280);   // kept on the screen
    PumpUntil([] { return false; }, 100ms);
    X.SaveScreen(RenderPath("tray-balloon.png"));

    X.MoveTo((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    X.Press(1);
    X.Release(1);
    EXPECT_TRUE(PumpUntil([&] { return !Actions(owner).empty(); }));
    EXPECT_EQ(Actions(owner), std::vector<LPARAM>{LPARAM(NIN_BALLOONUSERCLICK)});
    EXPECT_EQ(Backend->Tray().BalloonWindow(), 0u);
}

// The tray host ends and another starts: the icon leaves the screen with the
// first and docks again in the second, and the windows hear "TaskbarCreated".
TEST_F(SdlTrayHost, ANewTrayHostDocksTheIconAgain)
{
    HWND owner = Form("Owner", Bounds(100, 100, 200, 100));
    WaitShown(owner);
    ASSERT_TRUE(NotifyTrayIcon(TTrayAction::Add, Info(owner)));
    ASSERT_TRUE(PumpUntil([&] { return Docked(owner); }));
    unsigned long icon = Backend->Tray().IconWindow(owner, 1);

    Host.Stop();
    ASSERT_TRUE(PumpUntil([] { return !PlatformCaps().TrayIcon; }));
    EXPECT_TRUE(PumpUntil([&] { return !X.Mapped(icon); }));
    TTrayIconInfo second = Info(owner);
    second.Id = 2;
    EXPECT_FALSE(NotifyTrayIcon(TTrayAction::Add, second));   // no tray now

    ASSERT_TRUE(StartHost());
    ASSERT_TRUE(PumpUntil([] { return PlatformCaps().TrayIcon; }));
    EXPECT_TRUE(PumpUntil([&] { return Docked(owner); }));
    EXPECT_EQ(Backend->Tray().IconWindow(owner, 1), icon);
    EXPECT_TRUE(Got(owner, RegisterWindowMessage("TaskbarCreated")));
}

} // namespace
