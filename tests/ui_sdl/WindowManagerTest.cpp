#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include "SdlFixture.h"
#include "platform/ui/forms/Application.h"

// The same desktop with a real window manager on it (openbox): it reparents
// our windows into frames, hands out the focus, iconifies and closes on a
// taskbar's request. Without openbox these tests are skipped.

namespace {

class SdlUnderWindowManager : public SdlDesktop {
protected:
    void SetUp() override
    {
        if (std::getenv("ZARVO_NO_XVFB"))
            GTEST_SKIP() << "Xvfb is missing";
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        char* args[] = {const_cast<char*>("openbox"), const_cast<char*>("--sm-disable"), nullptr};
        int failed = posix_spawnp(&FManager, "openbox", &quiet, nullptr, args, environ);
        posix_spawn_file_actions_destroy(&quiet);
        if (failed) {
            FManager = 0;
            GTEST_SKIP() << "openbox is missing";
        }
        // It announces itself before it handles map requests, and drops
        // those that come too early: it is ready once it frames a window.
        TXDesktop probe;
        unsigned long window = 0;
        bool framed = false;
        for (auto end = TClock::now() + 5s; !framed && TClock::now() < end; std::this_thread::sleep_for(20ms)) {
            if (!probe.WindowManagerUp())
                continue;
            if (!window)
                window = probe.MakeWindow(Bounds(0, 0, 10, 10));
            else if (!(framed = probe.Frame(window) != window))
                probe.Remap(window);
        }
        if (window)
            probe.Destroy(window);
        ASSERT_TRUE(framed) << "openbox did not start";
        SdlDesktop::SetUp();
        ASSERT_TRUE(Backend->WindowManagerRunning());
    }

    void TearDown() override
    {
        SdlDesktop::TearDown();
        if (FManager) {
            kill(FManager, SIGTERM);
            waitpid(FManager, nullptr, 0);
        }
    }

    // Our windows' frames as the window manager stacks them, top first.
    std::vector<HWND> DesktopOrder(const std::vector<HWND>& ours)
    {
        std::vector<HWND> list;
        for (unsigned long frame : X.Stacking())
            for (HWND h : ours)
                if (X.Frame(Backend->NativeWindow(h)) == frame)
                    list.push_back(h);
        return list;
    }

    // Shown, and taken in by the window manager: framed, with its frame
    // extents set. Requests about a window it is still taking in can be lost.
    void WaitManaged(HWND h)
    {
        WaitShown(h);
        const unsigned long xw = Backend->NativeWindow(h);
        ASSERT_TRUE(PumpUntil([&] { return X.Frame(xw) != xw && !X.CardinalList(xw, "_NET_FRAME_EXTENTS").empty(); }))
            << "the window manager did not take the window in";
    }

    pid_t FManager = 0;
};

TEST_F(SdlUnderWindowManager, TheTaskbarIconifiesAndRestoresTheApplication)
{
    Application->Initialize();
    auto* main = NewForm<TForm>(nullptr, TFormCreation::New);
    auto* other = NewForm<TForm>(nullptr, TFormCreation::New);
    main->SetBounds(100, 100, 300, 200);
    other->SetBounds(450, 100, 200, 150);
    Application->SetMainForm(main);
    other->Show();
    main->Show();
    WaitManaged(main->Handle());
    WaitManaged(other->Handle());
    unsigned long mainX = Backend->NativeWindow(main->Handle());
    unsigned long otherX = Backend->NativeWindow(other->Handle());

    constexpr long IconicState = 3;
    X.AskWindowManager(mainX, "WM_CHANGE_STATE", IconicState);
    ASSERT_TRUE(PumpUntil([&] { return Application->Minimized(); }));
    EXPECT_TRUE(PumpUntil([&] { return !X.Mapped(mainX) && !X.Mapped(otherX); }))
        << "main mapped " << X.Mapped(mainX) << ", other mapped " << X.Mapped(otherX);

    X.AskWindowManager(mainX, "_NET_ACTIVE_WINDOW", 2);     // a click on the taskbar button
    ASSERT_TRUE(PumpUntil([&] { return !Application->Minimized(); }));
    EXPECT_TRUE(PumpUntil([&] { return X.Mapped(mainX) && X.Mapped(otherX); }));
    EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == main->Handle() && X.FocusWindow() == mainX; }));

    // Minimised by the program, the window manager iconifies it: the
    // taskbar brings it back.
    Application->Minimize();
    EXPECT_TRUE(PumpUntil([&] { return !X.Mapped(mainX); }));
    X.AskWindowManager(mainX, "_NET_ACTIVE_WINDOW", 2);
    EXPECT_TRUE(PumpUntil([&] { return !Application->Minimized() && X.Mapped(mainX); }));
    delete other;
    delete main;
}

// The window manager keeps the taskbar states: the main form is listed, the
// other forms are not, and a new main form changes that on mapped windows.
TEST_F(SdlUnderWindowManager, OnlyTheMainFormIsListedInTheTaskbar)
{
    Application->Initialize();
    auto* main = NewForm<TForm>(nullptr, TFormCreation::New);
    auto* other = NewForm<TForm>(nullptr, TFormCreation::New);
    main->SetBounds(100, 100, 300, 200);
    other->SetBounds(450, 100, 200, 150);
    Application->SetMainForm(main);
    main->Show();
    other->Show();
    WaitManaged(main->Handle());
    WaitManaged(other->Handle());
    auto skipped = [&](TForm* f) { return X.HasState(Backend->NativeWindow(f->Handle()), "_NET_WM_STATE_SKIP_TASKBAR"); };
    EXPECT_FALSE(skipped(main));
    EXPECT_TRUE(skipped(other));

    Application->SetMainForm(other);
    EXPECT_TRUE(PumpUntil([&] { return skipped(main) && !skipped(other); }));
    Application->SetMainForm(nullptr);
    delete other;
    delete main;
}

// The taskbar activating another program's window and then ours again:
// the program's windows hear that it lost and regained the desktop.
TEST_F(SdlUnderWindowManager, TheProgramHearsWhenAnotherProgramHasTheDesktop)
{
    HWND f = Form("Ours", Bounds(100, 100, 300, 200));
    WaitManaged(f);
    unsigned long fx = Backend->NativeWindow(f);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == f && X.FocusWindow() == fx; }));
    Log.clear();
    TXDesktop other;
    unsigned long window = other.MakeWindow(Bounds(600, 400, 100, 100));
    // Framed, shown and taken in: it can take the focus.
    ASSERT_TRUE(PumpUntil([&] {
        return other.Frame(window) != window && other.Mapped(window) &&
               !other.CardinalList(window, "_NET_FRAME_EXTENTS").empty();
    }));
    X.AskWindowManager(window, "_NET_ACTIVE_WINDOW", 2);   // a click on its taskbar button
    ASSERT_TRUE(PumpUntil([&] { return Got(f, WM_ACTIVATEAPP, 0); }));
    EXPECT_EQ(GetActiveWindow(), nullptr);

    X.AskWindowManager(fx, "_NET_ACTIVE_WINDOW", 2);
    ASSERT_TRUE(PumpUntil([&] { return Got(f, WM_ACTIVATEAPP, 1) && GetActiveWindow() == f; }));
    EXPECT_LT(IndexOf(f, WM_ACTIVATEAPP, 1), IndexOf(f, WM_ACTIVATE, WA_ACTIVE));
}

TEST_F(SdlUnderWindowManager, TheWindowManagersCloseReachesTheCloseQuery)
{
    HWND f = Form("Close me", Bounds(200, 200, 300, 200));
    WaitManaged(f);
    int queries = 0;
    On(f, WM_CLOSE, [&](HWND, WPARAM, LPARAM) {
        ++queries;
        return LRESULT(0);
    });
    X.AskWindowManager(Backend->NativeWindow(f), "_NET_CLOSE_WINDOW");
    ASSERT_TRUE(PumpUntil([&] { return queries > 0; }));
    EXPECT_TRUE(IsWindow(f));
    EXPECT_FALSE(QuitReceived());
}

// Activation by the program and by a click on the desktop: the window
// manager's frames stack as our windows do, owned windows above their owner.
TEST_F(SdlUnderWindowManager, FramesStackAsOurWindowsDo)
{
    HWND a = Form("A", Bounds(100, 100, 300, 200));
    HWND b = Form("B", Bounds(250, 150, 300, 200));
    WaitManaged(a);
    WaitManaged(b);
    HWND tool = CreateWindowEx(WS_EX_TOOLWINDOW, "SdlProbe", "Tool", WS_POPUP | WS_CAPTION, 150, 130, 160, 100, a);
    ShowWindow(tool, SW_SHOWNOACTIVATE);
    WaitShown(tool);
    const std::vector<HWND> ours = {a, b, tool};
    auto ourOrder = [&] {
        std::vector<HWND> list;
        for (HWND h : TopLevelWindows())
            if (IsWindowVisible(h))
                list.push_back(h);
        return list;
    };

    SetActiveWindow(a);
    EXPECT_TRUE(PumpUntil([&] { return X.FocusWindow() == Backend->NativeWindow(a); }));
    EXPECT_TRUE(PumpUntil([&] { return DesktopOrder(ours) == ourOrder(); }, 2000ms)) << "after activating A";

    SetActiveWindow(b);
    EXPECT_TRUE(PumpUntil([&] { return X.FocusWindow() == Backend->NativeWindow(b); }));
    EXPECT_TRUE(PumpUntil([&] { return DesktopOrder(ours) == ourOrder(); }, 2000ms)) << "after activating B";

    // The user clicks a part of A that B leaves free.
    X.MoveTo(120, 280);
    X.Press();
    X.Release();
    EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == a && X.FocusWindow() == Backend->NativeWindow(a); }));
    EXPECT_TRUE(PumpUntil([&] { return DesktopOrder(ours) == ourOrder(); }, 2000ms)) << "after a click on A";
    std::vector<HWND> order = DesktopOrder(ours);
    EXPECT_LT(std::find(order.begin(), order.end(), tool), std::find(order.begin(), order.end(), a));
}

} // namespace
