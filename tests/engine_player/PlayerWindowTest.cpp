#include "engine/player/PlayerWindow.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "tests/engine_player/PlayerTestSupport.h"

using namespace testmedia;

// A form with a panel that the player shows its pictures in. The panel's own
// procedure counts what reaches it.
class PlayerWindowTest : public PlayerTest {
protected:
    static constexpr TColor PanelColor = 0x336699;

    void SetUp() override {
        Screen = &UseHeadlessBackend();
        PlayerTest::SetUp();
        Self() = this;
        WNDCLASS wc;
        wc.lpszClassName = "TestPanel";
        wc.hbrBackground = PanelColor;
        wc.lpfnWndProc = [](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
            ++Self()->PanelMessages[msg];
            return msg == WM_CLOSE ? 0 : DefWindowProc(h, msg, wp, lp);  // counted, never destroyed
        };
        RegisterClass(wc);
        wc.lpszClassName = "TestForm";
        wc.hbrBackground = clWhite;
        wc.lpfnWndProc = DefWindowProc;
        RegisterClass(wc);
        Form = CreateWindowEx(0, "TestForm", "form", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr);
        Panel = CreateWindowEx(0, "TestPanel", "panel", WS_CHILD | WS_VISIBLE, 20, 30, 240, 145, Form);
        ProcessMessages();
    }
    void TearDown() override {
        PlayerTest::TearDown();
        UseHeadlessBackend();
        UnregisterClass("TestPanel");
        UnregisterClass("TestForm");
        Self() = nullptr;
    }

    // The panel's pixel as the form shows it.
    TColor PanelPixel(int x, int y) { return Screen->CaptureWindow(Form)->GetPixel(20 + x, 30 + y) & 0xFFFFFF; }
    TColor SurfacePixel(int x, int y) {
        std::lock_guard<std::mutex> lock(Player->SurfaceLock());
        return Player->Surface().Empty() ? clNone : Player->Surface().GetPixel(x, y) & 0xFFFFFF;
    }
    // The picture drawn in the window is the player's surface, pixel for pixel.
    bool WindowShowsSurface(int x, int y) {
        ProcessMessages();
        const TColor surface = SurfacePixel(x, y);
        return surface != clNone && PanelPixel(x, y) == surface;
    }

    static PlayerWindowTest*& Self() {
        static PlayerWindowTest* self = nullptr;
        return self;
    }

    THeadlessBackend* Screen = nullptr;
    HWND Form = nullptr, Panel = nullptr;
    std::map<UINT, int> PanelMessages;
};

TEST_F(PlayerWindowTest, TheHostShowsThePicturesWhileTheFilePlays) {
    ASSERT_TRUE(Player->Open(Sample(TSampleKind::AllIntra).Path, Panel, true)) << Player->LastErrMsg();
    EXPECT_EQ(Player->ScreenHandle(), Panel);
    EXPECT_EQ(Player->ScreenWidth(), 240) << "the output takes the panel's client size";
    EXPECT_EQ(Player->ScreenHeight(), 145);
    // The 4:3 picture stands 192 wide in the middle, black bars beside it.
    ASSERT_TRUE(WaitFor([&] { return WindowShowsSurface(120, 70) && PanelPixel(120, 70) != PanelColor; }));
    EXPECT_EQ(PanelPixel(5, 70), clBlack);
    // A later picture may be on its way: the window catches up with the surface.
    EXPECT_TRUE(WaitFor([&] { return WindowShowsSurface(30, 100) && WindowShowsSurface(200, 20); }));

    // The output follows the panel's size.
    MoveWindow(Panel, 20, 30, 320, 200, true);
    EXPECT_EQ(Player->ScreenWidth(), 320);
    EXPECT_EQ(Player->ScreenHeight(), 200);
    ASSERT_TRUE(WaitFor([&] {
        std::lock_guard<std::mutex> lock(Player->SurfaceLock());
        return Player->Surface().Width() == 320 && Player->Surface().Height() == 200;
    }));
    EXPECT_TRUE(WaitFor([&] { return WindowShowsSurface(300, 100) && WindowShowsSurface(160, 190); }));

    // Closing is swallowed; a click takes the focus and still reaches the panel.
    SendMessage(Panel, WM_CLOSE);
    EXPECT_EQ(PanelMessages[WM_CLOSE], 0);
    EXPECT_TRUE(IsWindow(Panel));
    Screen->Click(20 + 50, 30 + 50);
    ProcessMessages();
    EXPECT_EQ(GetFocus(), Panel);
    EXPECT_EQ(PanelMessages[WM_LBUTTONDOWN], 1);
    EXPECT_EQ(PanelMessages[WM_LBUTTONUP], 1);

    // After the stop the panel has its own procedure back and paints as itself.
    Player->Stop(true);
    EXPECT_EQ(Player->ScreenHandle(), nullptr);
    SendMessage(Panel, WM_CLOSE);
    EXPECT_EQ(PanelMessages[WM_CLOSE], 1);
    ProcessMessages();
    EXPECT_EQ(PanelPixel(120, 70), PanelColor);
    EXPECT_EQ(PanelPixel(5, 70), PanelColor);
}

TEST_F(PlayerWindowTest, AFileThatEndsByItselfGivesTheHostBack) {
    ASSERT_TRUE(Player->Open(Sample(TSampleKind::AllIntra).Path, Panel, false)) << Player->LastErrMsg();
    Player->SetPlayTime(200000);  // rtStop: the play thread closes the file
    ASSERT_TRUE(WaitForState(psStop));
    ASSERT_TRUE(WaitFor([&] {
        ProcessMessages();
        return PanelPixel(120, 70) == PanelColor;
    }));
    SendMessage(Panel, WM_CLOSE);
    EXPECT_EQ(PanelMessages[WM_CLOSE], 1) << "restored without a Stop call";

    // The next file binds the panel again; the close of the last one does not undo that.
    ASSERT_TRUE(Player->Open(Sample(TSampleKind::AllIntra).Path, Panel, true)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return WindowShowsSurface(120, 70); }));
    SendMessage(Panel, WM_CLOSE);
    EXPECT_EQ(PanelMessages[WM_CLOSE], 1);
}

TEST_F(PlayerWindowTest, ALaterSubclassOfTheHostSurvivesTheClose) {
    ASSERT_TRUE(Player->Open(Sample(TSampleKind::AllIntra).Path, Panel, true)) << Player->LastErrMsg();
    int seen = 0;
    TWndProc below = SetWindowProc(Panel, [&seen, &below](HWND h, UINT msg, WPARAM wp, LPARAM lp) {
        seen += msg == WM_USER;
        return CallWindowProc(below, h, msg, wp, lp);
    });
    Player->Stop(true);
    SendMessage(Panel, WM_USER);
    SendMessage(Panel, WM_CLOSE);
    EXPECT_EQ(seen, 1) << "the later procedure stays installed";
    EXPECT_EQ(PanelMessages[WM_CLOSE], 1) << "ours below it only passes messages on";
    SetWindowProc(Panel, below);  // the test's procedure goes with the test
}

TEST_F(PlayerWindowTest, WithoutAHostThePlayerOpensItsOwnWindow) {
    ASSERT_TRUE(Player->Open(Sample(TSampleKind::AllIntra).Path, HWND(nullptr), true)) << Player->LastErrMsg();
    HWND own = Player->ScreenHandle();
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(GetWindowText(own), TPlayerWindow::Caption);
    EXPECT_TRUE(IsWindowVisible(own));
    TRect client;
    GetClientRect(own, client);
    EXPECT_EQ(client.Width(), 160) << "the picture's size";
    EXPECT_EQ(client.Height(), 120);
    ASSERT_TRUE(WaitFor([&] {
        ProcessMessages();
        const TColor surface = SurfacePixel(80, 60);
        TPoint at{80, 60};
        ClientToScreen(own, at);
        return surface != clNone && (Screen->CaptureScreen()->GetPixel(at.X, at.Y) & 0xFFFFFF) == surface;
    }));
    // Closing the window closes the file, and the window goes with it.
    PostMessage(own, WM_CLOSE);
    ASSERT_TRUE(WaitForState(psStop));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(own); }));

    EXPECT_FALSE(Player->Open(Sample(TSampleKind::AllIntra).Path, own, false)) << "a window that is gone";
    EXPECT_EQ(Player->LastErrMsg().rfind("Could not initialize SDL with ScreenHandle(", 0), 0u) << Player->LastErrMsg();
}

// The output's size: the desktop's in full screen, else the host's, else the
// picture's (even), else 640 × 480. The headless desktop is 1024 × 768.
TEST_F(PlayerWindowTest, TheOutputSizeFollowsFullScreenTheHostAndThePicture) {
    struct TCase {
        const char* Name;
        bool FullScreen;
        int HostWidth, HostHeight;
        const char* Filters;
        TSampleKind Kind;
        int Width, Height;
    } const cases[] = {
        {"full screen over a host", true, 240, 145, "", TSampleKind::AllIntra, 1024, 768},
        {"full screen over a host without a size", true, 0, 0, "", TSampleKind::AllIntra, 1024, 768},
        {"full screen without a picture", true, 240, 145, "", TSampleKind::WavAudio, 1024, 768},
        {"the host's size", false, 240, 145, "", TSampleKind::AllIntra, 240, 145},
        {"the filtered picture's, even", false, 0, 0, "scale=81:61", TSampleKind::AllIntra, 80, 60},
        {"no size, no picture", false, 0, 0, "", TSampleKind::WavAudio, 640, 480},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Host.Width = c.HostWidth;
        Host.Height = c.HostHeight;
        Player->set_is_full_screen(c.FullScreen);
        Player->SetVideoFilters(c.Filters);
        Player->SetScreenWidth(0);
        Player->SetScreenHeight(0);
        ASSERT_TRUE(Open(c.Kind, false)) << Player->LastErrMsg();
        EXPECT_EQ(Player->FullScreenWidth(), 1024);
        EXPECT_EQ(Player->FullScreenHeight(), 768);
        int w = 0, h = 0;
        EXPECT_TRUE(WaitFor([&] {
            std::lock_guard<std::mutex> lock(Player->SurfaceLock());
            w = Player->Surface().Width();
            h = Player->Surface().Height();
            return w == c.Width && h == c.Height;
        })) << w << " x " << h;
        Player->Stop(true);
    }
}

TEST_F(PlayerWindowTest, InFullScreenTheOwnWindowCoversTheMonitor) {
    Player->set_is_full_screen(true);
    ASSERT_TRUE(Player->Open(Sample(TSampleKind::AllIntra).Path, HWND(nullptr), true)) << Player->LastErrMsg();
    HWND own = Player->ScreenHandle();
    ASSERT_NE(own, nullptr);
    const auto coversTheMonitor = [&] {
        TRect window;
        GetWindowRect(own, window);
        EXPECT_EQ(window, (TRect{0, 0, 1024, 768}));
        EXPECT_EQ(GetWindowLong(own, GWL_STYLE) & WS_CAPTION, 0) << "no frame";
        EXPECT_NE(GetWindowLong(own, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
        EXPECT_TRUE(WaitFor([&] {
            ProcessMessages();
            std::lock_guard<std::mutex> lock(Player->SurfaceLock());
            const TBitmap& surface = Player->Surface();
            return surface.Width() == 1024 && surface.Height() == 768 &&
                   (Screen->CaptureScreen()->GetPixel(512, 384) & 0xFFFFFF) == (surface.GetPixel(512, 384) & 0xFFFFFF);
        })) << "the picture fills the screen";
    };
    coversTheMonitor();

    // Out of full screen the window gets its frame and the picture's size back.
    Player->set_is_full_screen(false);
    TRect client;
    GetClientRect(own, client);
    EXPECT_EQ(client.Width(), 160);
    EXPECT_EQ(client.Height(), 120);
    EXPECT_NE(GetWindowLong(own, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(GetWindowLong(own, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_TRUE(WaitFor([&] {
        std::lock_guard<std::mutex> lock(Player->SurfaceLock());
        return Player->Surface().Width() == 160 && Player->Surface().Height() == 120;
    }));

    Player->set_is_full_screen(true);
    coversTheMonitor();
    Player->Stop(true);
    EXPECT_FALSE(IsWindow(own));
    EXPECT_TRUE(Player->FullScreen()) << "the setting outlives the file";
}
