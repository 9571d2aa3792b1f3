#include <SDL.h>
#include <atomic>
#include <thread>
#include "SdlFixture.h"

namespace {

TEST_F(SdlDesktop, FormOpensWherePlacedAndShowsItsPicture)
{
    HWND f = Form("Placed", Bounds(130, 90, 320, 200));
    WaitShown(f);
    unsigned long xw = Backend->NativeWindow(f);
    EXPECT_FALSE(X.OverrideRedirect(xw));
    TPoint inside{130 + 160, 90 + 150};
    ASSERT_TRUE(PumpUntil([&] { return X.Pixel(inside.X, inside.Y) == 0x00FF00; }))
        << std::hex << X.Pixel(inside.X, inside.Y);
    // Moved by the program: the desktop window follows.
    SetWindowPos(f, nullptr, 300, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(PumpUntil([&] { return X.Geometry(xw) == Bounds(300, 250, 320, 200); }));
    EXPECT_EQ(Backend->KindOf(FormStyle, 0, "TForm"), TSdlBackend::wkForm);
}

TEST_F(SdlDesktop, PopupOpensAtScreenPointWithoutDeactivatingItsForm)
{
    HWND f = Form("Owner", Bounds(100, 100, 400, 300));
    WaitShown(f);
    unsigned long fx = Backend->NativeWindow(f);
    ASSERT_EQ(GetActiveWindow(), f);
    ASSERT_TRUE(PumpUntil([&] { return X.FocusWindow() == fx; })) << "the form never got the keyboard focus";

    Log.clear();
    HWND p = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "SdlProbe", "", WS_POPUP | WS_BORDER, 450, 330, 150, 120, f);
    On(p, WM_MOUSEACTIVATE, [](HWND, WPARAM, LPARAM) { return LRESULT(MA_NOACTIVATE); });
    SetWindowPos(p, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    unsigned long px = Backend->NativeWindow(p);
    ASSERT_NE(px, 0u);
    ASSERT_TRUE(PumpUntil([&] { return X.Mapped(px) && X.Geometry(px) == Bounds(450, 330, 150, 120); }));
    EXPECT_TRUE(X.OverrideRedirect(px)) << "a menu must not be managed (nor focused) by the desktop";

    // A click into the popup reaches it where it was made.
    X.MoveTo(500, 360);
    X.Press();
    X.Release();
    ASSERT_TRUE(PumpUntil([&] { return Got(p, WM_LBUTTONUP); }));
    size_t down = IndexOf(p, WM_LBUTTONDOWN);
    ASSERT_LT(down, Log.size());
    EXPECT_EQ(LParamToPoint(Log[down].L), ClientPoint(p, TPoint{500, 360}));

    PumpUntil([] { return false; }, 100ms);  // any focus change has arrived by now
    EXPECT_EQ(GetActiveWindow(), f);
    EXPECT_FALSE(Got(f, WM_ACTIVATE, WPARAM(WA_INACTIVE)));
    EXPECT_FALSE(Got(f, WM_NCACTIVATE, 0));
    EXPECT_EQ(X.FocusWindow(), fx);
}

TEST_F(SdlDesktop, CaptureFollowsADragFromOneWindowIntoAnother)
{
    HWND a = Form("A", Bounds(100, 100, 240, 180));
    HWND b = Form("B", Bounds(420, 100, 240, 180));
    WaitShown(a);
    WaitShown(b);
    On(a, WM_LBUTTONDOWN, [](HWND h, WPARAM, LPARAM) { SetCapture(h); return LRESULT(0); });
    On(a, WM_LBUTTONUP, [](HWND, WPARAM, LPARAM) { ReleaseCapture(); return LRESULT(0); });
    SetActiveWindow(a);
    PumpUntil([&] { return X.FocusWindow() == Backend->NativeWindow(a); }, 2000ms);
    Log.clear();

    X.MoveTo(200, 200);
    X.Press();
    for (int x = 260; x <= 520; x += 40)
        X.MoveTo(x, 210);
    X.Release();
    ASSERT_TRUE(PumpUntil([&] { return Got(a, WM_LBUTTONUP); }));
    EXPECT_EQ(GetCapture(), nullptr);
    PumpUntil([] { return false; }, 50ms);     // what the release brings along

    // Every move went to the window holding the capture, in its client
    // coordinates, also those over the other window; none came from where
    // the pointer never was.
    auto last = std::find_if(Log.rbegin(), Log.rend(), [&](const TLogged& l) { return l.Wnd == a && l.Msg == WM_MOUSEMOVE; });
    ASSERT_NE(last, Log.rend());
    EXPECT_EQ(LParamToPoint(last->L), ClientPoint(a, TPoint{500, 210}));
    for (const TLogged& l : Log)
        if (l.Msg == WM_NCHITTEST) {
            TPoint p = LParamToPoint(l.L);
            bool visited = p == TPoint{200, 200} || (p.Y == 210 && p.X >= 260 && p.X <= 500 && (p.X - 260) % 40 == 0);
            EXPECT_TRUE(visited) << p.X << "," << p.Y;
        }
    size_t up = IndexOf(a, WM_LBUTTONUP);
    EXPECT_TRUE(std::none_of(Log.begin(), Log.begin() + long(up), [&](const TLogged& l) {
        return l.Wnd == b && l.Msg >= WM_MOUSEFIRST && l.Msg <= WM_MOUSELAST;
    })) << "the other window saw the mouse while the capture was held";

    // Without the capture the pointer belongs to the window under it again.
    Log.clear();
    X.MoveTo(530, 220);
    ASSERT_TRUE(PumpUntil([&] { return Got(b, WM_MOUSEMOVE); }));
    auto free = std::find_if(Log.rbegin(), Log.rend(), [&](const TLogged& l) { return l.Wnd == b && l.Msg == WM_MOUSEMOVE; });
    EXPECT_EQ(LParamToPoint(free->L), ClientPoint(b, TPoint{530, 220}));
    EXPECT_FALSE(Got(a, WM_MOUSEMOVE));
}

// The user drags the caption (the move loop) or the bottom-right corner
// (the size loop) in steps; each step waits until the desktop window has
// followed and records how long that took.
TEST_F(SdlDesktop, MoveAndSizeLoopsFollowThePointer)
{
    constexpr int Steps = 20, Dx = 9, Dy = 5;
    struct TDragCase {
        const char* What;
        TPoint Grab;                       // window coordinates
        TRect (*Want)(int step);
    };
    const TDragCase cases[] = {
        {"move", TPoint{60, 10}, [](int i) { return Bounds(200 + i * Dx, 300 + i * Dy, 300, 180); }},
        {"size", TPoint{298, 178}, [](int i) { return Bounds(200, 300, 300 + i * Dx, 180 + i * Dy); }},
    };
    for (const TDragCase& c : cases) {
        HWND f = CreateWindowEx(0, "SdlProbe", c.What, FormStyle | WS_THICKFRAME, 200, 300, 300, 180, nullptr);
        ShowWindow(f, SW_SHOW);
        WaitShown(f);
        unsigned long xw = Backend->NativeWindow(f);
        SetActiveWindow(f);
        PumpUntil([&] { return X.FocusWindow() == xw; }, 2000ms);
        Log.clear();

        std::atomic<bool> done{false};
        std::atomic<bool> lost{false};
        std::vector<double> lagMs;
        std::thread user([&] {
            TXDesktop hand;
            TPoint start{200 + c.Grab.X, 300 + c.Grab.Y};
            hand.MoveTo(start.X, start.Y);
            hand.Press();
            for (int i = 1; i <= Steps; ++i) {
                hand.MoveTo(start.X + i * Dx, start.Y + i * Dy);
                auto begun = TClock::now();
                while (hand.Geometry(xw) != c.Want(i)) {
                    if (TClock::now() - begun > 3s) {
                        lost = true;
                        break;
                    }
                    std::this_thread::sleep_for(1ms);
                }
                lagMs.push_back(std::chrono::duration<double, std::milli>(TClock::now() - begun).count());
                if (lost)
                    break;
            }
            hand.Release();
            done = true;
        });
        bool finished = PumpUntil([&] { return done.load(); }, 20000ms);
        user.join();
        ASSERT_TRUE(finished) << c.What;
        EXPECT_FALSE(lost) << c.What << ": the window fell behind the pointer";
        PumpUntil([&] { return GetCapture() == nullptr; }, 2000ms);
        TRect r;
        GetWindowRect(f, r);
        EXPECT_EQ(r, c.Want(Steps)) << c.What;
        EXPECT_TRUE(Got(f, WM_ENTERSIZEMOVE)) << c.What;
        EXPECT_TRUE(Got(f, WM_EXITSIZEMOVE)) << c.What;
        if (!lagMs.empty()) {
            double worst = *std::max_element(lagMs.begin(), lagMs.end());
            double sum = 0;
            for (double v : lagMs)
                sum += v;
            std::printf("%s loop: the window followed the pointer in %.2f ms on average, %.2f ms at worst\n", c.What,
                        sum / double(lagMs.size()), worst);
        }
        DestroyWindow(f);
    }
}

// What the desktop does to a window becomes ours: a move and a resize by
// the desktop reach the window as position changes, and a part uncovered
// by another program's window shows our picture again.
TEST_F(SdlDesktop, DesktopMovesResizesAndExposesBecomeOurs)
{
    HWND f = Form("Placed by the desktop", Bounds(100, 100, 300, 200));
    WaitShown(f);
    unsigned long xw = Backend->NativeWindow(f);
    ASSERT_TRUE(PumpUntil([&] { return X.Pixel(250, 250) == 0x00FF00; }));
    Log.clear();
    X.MoveResize(xw, Bounds(160, 140, 360, 240));
    EXPECT_TRUE(PumpUntil([&] {
        TRect r;
        GetWindowRect(f, r);
        return r == Bounds(160, 140, 360, 240);
    }));
    EXPECT_TRUE(Got(f, WM_WINDOWPOSCHANGED));
    EXPECT_TRUE(Got(f, WM_SIZE));
    EXPECT_TRUE(PumpUntil([&] { return X.Pixel(160 + 340, 140 + 220) == 0x00FF00; })) << "the new part was not painted";

    TXDesktop other;
    unsigned long cover = other.MakeWindow(Bounds(200, 200, 150, 100));
    ASSERT_TRUE(PumpUntil([&] { return X.Pixel(250, 250) == 0x0000FF; }));
    other.Destroy(cover);
    EXPECT_TRUE(PumpUntil([&] { return X.Pixel(250, 250) == 0x00FF00; })) << std::hex << X.Pixel(250, 250);
}

TEST_F(SdlDesktop, IconifyAndRestoreFromTheDesktop)
{
    HWND f = Form("Iconify", Bounds(150, 150, 300, 200));
    WaitShown(f);
    unsigned long xw = Backend->NativeWindow(f);
    Log.clear();

    X.Iconify(xw);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(f); }));
    EXPECT_TRUE(Got(f, WM_SYSCOMMAND, SC_MINIMIZE));

    X.Deiconify(xw);
    ASSERT_TRUE(PumpUntil([&] { return !IsIconic(f) && IsWindowVisible(f); }));
    EXPECT_TRUE(Got(f, WM_SYSCOMMAND, SC_RESTORE));
    EXPECT_TRUE(PumpUntil([&] { return X.Mapped(xw) && X.Geometry(xw) == Bounds(150, 150, 300, 200); }));

    // Minimised by the program, then restored by it.
    ShowWindow(f, SW_MINIMIZE);
    EXPECT_TRUE(PumpUntil([&] { return !X.Mapped(xw); }));
    ShowWindow(f, SW_RESTORE);
    EXPECT_TRUE(PumpUntil([&] { return X.Mapped(xw); }));
    EXPECT_FALSE(IsIconic(f));
}

TEST_F(SdlDesktop, CloseRequestFromTheDesktopReachesTheCloseQuery)
{
    HWND f = Form("Close me", Bounds(200, 200, 300, 200));
    WaitShown(f);
    int queries = 0;
    On(f, WM_CLOSE, [&](HWND, WPARAM, LPARAM) {
        ++queries;          // the form says no
        return LRESULT(0);
    });
    Log.clear();
    X.RequestClose(Backend->NativeWindow(f));
    ASSERT_TRUE(PumpUntil([&] { return queries > 0; }));
    size_t sys = IndexOf(f, WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_LT(sys, IndexOf(f, WM_CLOSE));
    PumpUntil([] { return false; }, 100ms);
    EXPECT_TRUE(IsWindow(f));
    EXPECT_FALSE(QuitReceived());

    // A form that agrees goes away; the program still does not end by itself.
    Handlers.clear();
    X.RequestClose(Backend->NativeWindow(f));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(f); }));
    EXPECT_FALSE(QuitReceived());
}

// Frames of the player arrive from its threads by PostMessage: every post
// wakes the loop blocked in SDL's wait, none is lost.
TEST_F(SdlDesktop, PostsFromOtherThreadsWakeTheLoop)
{
    HWND f = Form("Posts", Bounds(100, 100, 200, 100));
    WaitShown(f);
    constexpr int Posts = 200;
    SetTimer(f, 1, 5000, nullptr);          // the test's limit, should a wake be lost
    std::thread poster([f] {
        for (int i = 0; i < Posts; ++i)
            PostMessage(f, WM_APP, WPARAM(i), 0);
    });
    int received = 0;
    bool timedOut = false;
    TMsg msg;
    while (received < Posts && !timedOut && GetMessage(msg, nullptr, 0, 0)) {
        if (msg.message == WM_APP && msg.hwnd == f) {
            EXPECT_EQ(int(msg.wParam), received);
            ++received;
        }
        timedOut = msg.message == WM_TIMER && msg.hwnd == f;
        DispatchMessage(msg);
    }
    poster.join();
    KillTimer(f, 1);
    EXPECT_EQ(received, Posts);
    EXPECT_FALSE(timedOut);
}

TEST_F(SdlDesktop, ChineseCaptionInTheTitle)
{
    const std::string caption = "格式转换器";
    HWND f = Form(caption, Bounds(100, 100, 360, 160));
    WaitShown(f);
    unsigned long xw = Backend->NativeWindow(f);
    EXPECT_TRUE(PumpUntil([&] { return X.Utf8Property(xw, "_NET_WM_NAME") == caption; }))
        << X.Utf8Property(xw, "_NET_WM_NAME");
    const std::string renamed = "ZarvoMPG格式转换器";
    SetWindowText(f, renamed);
    EXPECT_TRUE(PumpUntil([&] { return X.Utf8Property(xw, "_NET_WM_NAME") == renamed; }));

    // Our frame draws the caption: its text shows as pixels of the caption
    // text colour on the screen.
    SetWindowText(f, caption);
    SetActiveWindow(f);
    auto textPixels = [&] {
        std::map<uint32_t, int> colours;
        int all = 0;
        for (int y = 104; y < 120; ++y)
            for (int x = 106; x < 200; ++x, ++all)
                ++colours[X.Pixel(x, y)];
        int background = 0;
        for (auto& [c, n] : colours)
            background = std::max(background, n);
        return all - background;
    };
    EXPECT_TRUE(PumpUntil([&] { return textPixels() > 40; })) << textPixels();
}

} // namespace

namespace {

// The window layer shares the process's one SDL with the player and the
// prompt sound: letting the desktop go stops only SDL's video, and a quit
// from SDL (the desktop session, a signal) ends nothing by itself.
TEST_F(SdlDesktop, SdlAudioOutlivesTheBackEndAndSdlsQuitEndsNothing)
{
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    HWND f = Form("Stays", Bounds(100, 100, 200, 100));
    WaitShown(f);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    PumpUntil([] { return false; }, 100ms);
    EXPECT_TRUE(IsWindowVisible(f));
    EXPECT_FALSE(QuitReceived());

    UseHeadlessBackend();
    Backend = nullptr;
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    UnregisterClass("SdlProbe");
    Self() = nullptr;
}

} // namespace
