#include <atomic>
#include <chrono>
#include <thread>
#include "WmFixture.h"
#include "platform/core/Clock.h"
#include "platform/core/Thread.h"

using namespace std::chrono_literals;

using MessageTest = TWmTest;

TEST_F(MessageTest, SubclassingChainsToThePreviousProcedureAsTheDefault)
{
    HWND w = Make("w", WS_POPUP, Bounds(0, 0, 50, 50));
    On(w, WM_USER, [](HWND, WPARAM wp, LPARAM) { return std::optional<LRESULT>(LRESULT(wp) * 2); });
    std::vector<std::string> calls;
    TWndProc first = SetWindowProc(w, [&](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_USER)
            calls.push_back("first");
        return CallWindowProc(first, h, msg, wp, lp) + (msg == WM_USER ? 1 : 0);
    });
    TWndProc second = SetWindowProc(w, [&](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_USER) {
            calls.push_back("second");
            if (wp == 0)
                return -1;      // handled without the chain
        }
        return CallWindowProc(second, h, msg, wp, lp);
    });
    EXPECT_EQ(SendMessage(w, WM_USER, 10), 21);
    EXPECT_EQ(calls, (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(SendMessage(w, WM_USER, 0), -1);
    SetWindowProc(w, second);       // restoring unhooks the newest one
    calls.clear();
    EXPECT_EQ(SendMessage(w, WM_USER, 5), 11);
    EXPECT_EQ(calls, (std::vector<std::string>{"first"}));
    DestroyWindow(w);       // the procedures refer to this test's locals
}

TEST_F(MessageTest, SendMessageIsReentrantAndSurvivesDestructionInsideAHandler)
{
    HWND a = Make("a", WS_POPUP, Bounds(0, 0, 50, 50));
    HWND b = Make("b", WS_POPUP, Bounds(0, 0, 50, 50));
    On(a, WM_USER, [&](HWND, WPARAM wp, LPARAM) {
        if (wp == 0)
            return std::optional<LRESULT>(100);
        return std::optional<LRESULT>(SendMessage(b, WM_USER, wp - 1) + 1);
    });
    On(b, WM_USER, [&](HWND, WPARAM wp, LPARAM) { return std::optional<LRESULT>(SendMessage(a, WM_USER, wp)); });
    EXPECT_EQ(SendMessage(a, WM_USER, 3), 103);

    On(a, WM_USER + 1, [&](HWND h, WPARAM, LPARAM) {
        DestroyWindow(h);
        return std::optional<LRESULT>(IsWindow(h) ? 1 : 2);
    });
    EXPECT_EQ(SendMessage(a, WM_USER + 1), 2);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(SendMessage(a, WM_USER), 0);
    EXPECT_FALSE(PostMessage(a, WM_USER));
}

TEST_F(MessageTest, TheLoopHandsOutPostedThenInputThenPaintThenTimers)
{
    HWND w = Make("w", WS_POPUP | WS_VISIBLE, Bounds(10, 10, 100, 100));
    Pump();
    Watch({WM_USER, WM_PAINT, WM_TIMER, WM_LBUTTONDOWN});
    SetTimer(w, 7, 10);
    Screen->Advance(20);
    InvalidateRect(w, nullptr, false);
    Screen->MouseDown(20, 20);
    PostMessage(w, WM_USER);
    TMsg m;
    std::vector<UINT> order;
    while (order.size() < 4 && PeekMessage(m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_USER || m.message == WM_PAINT || m.message == WM_TIMER || m.message == WM_LBUTTONDOWN)
            order.push_back(m.message);
        DispatchMessage(m);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_LBUTTONDOWN, WM_PAINT, WM_TIMER}));
    EXPECT_EQ(Take(), (std::vector<std::string>{"w USER", "w LBUTTONDOWN", "w PAINT", "w TIMER(7)"}));
}

TEST_F(MessageTest, TheHookSeesEveryQueuedMessageAndCanSwallowIt)
{
    HWND w = Make("w", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    Pump();
    Watch({WM_USER, WM_LBUTTONDOWN, WM_KEYDOWN, WM_CHAR});
    std::vector<UINT> seen;
    TMessageHook previous = SetMessageHook([&](TMsg& m) {
        seen.push_back(m.message);
        return m.message == WM_LBUTTONDOWN;     // swallowed, as a menu would
    });
    PostMessage(w, WM_USER);
    Screen->MouseDown(5, 5);
    SetFocus(w);
    Screen->KeyDown('A');
    Pump();
    EXPECT_EQ(Take(), (std::vector<std::string>{"w USER", "w KEYDOWN(65)", "w CHAR(97)"}));
    EXPECT_NE(std::find(seen.begin(), seen.end(), UINT(WM_LBUTTONDOWN)), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), UINT(WM_CHAR)), seen.end());
    TMessageHook ours = SetMessageHook(previous);
    EXPECT_TRUE(ours);
}

TEST_F(MessageTest, PostMessageFromWorkersWakesABlockedLoop)
{
    HWND w = Make("w", WS_POPUP, Bounds(0, 0, 10, 10));
    std::atomic<int> received{0};
    On(w, WM_USER, [&](HWND, WPARAM wp, LPARAM) {
        received += int(wp);
        if (received == 1 + 2 + 3 + 4)
            PostQuitMessage(9);
        return std::optional<LRESULT>(0);
    });
    std::vector<std::thread> workers;
    for (int i = 1; i <= 4; ++i)
        workers.emplace_back([w, i] {
            std::this_thread::sleep_for(std::chrono::milliseconds(10 * i));
            PostMessage(w, WM_USER, WPARAM(i));
        });
    EXPECT_EQ(RunMessageLoop(), 9);
    for (auto& t : workers)
        t.join();
    EXPECT_EQ(received, 10);
}

TEST_F(MessageTest, SynchronizeFromAWorkerRunsWhileTheLoopWaitsForInput)
{
    std::atomic<bool> ran{false};
    std::thread worker([&] {
        std::this_thread::sleep_for(20ms);
        TThread::Synchronize(nullptr, [&] {
            EXPECT_TRUE(IsMainThread());
            ran = true;
            PostQuitMessage(4);
        });
    });
    EXPECT_EQ(RunMessageLoop(), 4);
    worker.join();
    EXPECT_TRUE(ran);
}

TEST_F(MessageTest, AQuitTakenInsideANestedWaitIsNotLost)
{
    HWND w = Make("w", WS_POPUP, Bounds(0, 0, 10, 10));
    bool nestedReturned = false;
    On(w, WM_USER, [&](HWND, WPARAM, LPARAM) {
        PostQuitMessage(5);
        ProcessMessages();          // the core's wait pump: takes the quit
        nestedReturned = true;
        return std::optional<LRESULT>(0);
    });
    PostMessage(w, WM_USER);
    PostMessage(w, WM_USER + 1);
    EXPECT_EQ(RunMessageLoop(), 5);
    EXPECT_TRUE(nestedReturned);
    EXPECT_TRUE(QuitReceived());
}

TEST_F(MessageTest, TimersRunOnTheVirtualClockAndComponentTimersNeverMeetWindowIds)
{
    HWND form = Make("form", WS_POPUP, Bounds(0, 0, 10, 10));
    std::vector<std::string> ticks;
    auto tick = [&](const std::string& what) {
        ticks.push_back(what);
        if (ticks.size() == 4)
            PostQuitMessage(0);
    };
    On(form, WM_TIMER, [&](HWND, WPARAM id, LPARAM) {
        tick("form " + std::to_string(id));
        return std::optional<LRESULT>(0);
    });
    EXPECT_EQ(SetTimer(form, 1, 100), 1u);
    UINT_PTR component = SetTimer(nullptr, 0, 250, [&](HWND, UINT, UINT_PTR id, DWORD) {
        tick(id == 1 ? "component collides" : "component");
    });
    EXPECT_NE(component, 1u);
    uint64_t start = Screen->Now();
    RunMessageLoop();
    EXPECT_EQ(ticks, (std::vector<std::string>{"form 1", "form 1", "component", "form 1"}));
    EXPECT_GE(Screen->Now() - start, 250u);
    EXPECT_LT(Screen->Now() - start, 400u);     // virtual time, not a busy spin through ticks
    EXPECT_TRUE(KillTimer(nullptr, component));
    EXPECT_TRUE(KillTimer(form, 1));
    EXPECT_FALSE(KillTimer(form, 1));
}

TEST_F(MessageTest, ABusyWaitOnTheTickCountEndsInTestTime)
{
    uint32_t start = GetTickCount();
    int polls = 0;
    while (GetTickCount() - start < 300) {
        ProcessMessages();
        ++polls;
    }
    EXPECT_GE(polls, 1);
}

TEST_F(MessageTest, NamedMessagesAndWindowLookUps)
{
    UINT a = RegisterWindowMessage("TaskbarCreated");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage("taskbarcreated"), a);
    EXPECT_NE(RegisterWindowMessage("Another"), a);

    HWND form = Make("form", WS_POPUP, Bounds(0, 0, 100, 100));
    HWND first = Make("updown", WS_CHILD, Bounds(0, 0, 10, 10), form);
    HWND second = Make("other", WS_CHILD, Bounds(0, 0, 10, 10), form, 0, "ProbeDbl");
    HWND third = Make("updown", WS_CHILD, Bounds(0, 0, 10, 10), form);
    EXPECT_EQ(FindWindowEx(form, nullptr, "probedbl", ""), second);
    EXPECT_EQ(FindWindowEx(form, nullptr, "Probe", "updown"), third);     // topmost first
    EXPECT_EQ(FindWindowEx(form, third, "Probe", "updown"), first);
    EXPECT_EQ(FindWindowEx(form, first, "Probe", ""), nullptr);
    EXPECT_EQ(FindWindowEx(nullptr, nullptr, "", "form"), form);

    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

// WM_SETICON answers the copy it replaced, which stays usable until the next
// change of that kind: a caller can put the former icon back.
TEST_F(MessageTest, SettingAnIconAnswersTheOneItReplaced)
{
    HWND form = Make("form", WS_OVERLAPPEDWINDOW, Bounds(0, 0, 200, 100));
    TBitmap red(16, 16, pf32bit), blue(16, 16, pf32bit);
    red.Fill(clRed);
    blue.Fill(clBlue);
    auto set = [&](WPARAM kind, const TBitmap* icon) {
        return reinterpret_cast<HICON>(SendMessage(form, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon)));
    };
    auto get = [&](WPARAM kind) { return reinterpret_cast<HICON>(SendMessage(form, WM_GETICON, kind, 0)); };

    EXPECT_EQ(set(ICON_BIG, &red), nullptr);
    HICON redCopy = get(ICON_BIG);
    ASSERT_NE(redCopy, nullptr);
    EXPECT_NE(redCopy, &red);                            // the window keeps a copy of its own
    EXPECT_EQ(set(ICON_SMALL, &blue), nullptr);          // the kinds are apart
    HICON former = set(ICON_BIG, &blue);
    EXPECT_EQ(former, redCopy);
    EXPECT_EQ(PixelAt(*former, 3, 3), clRed);            // still there to be set back
    HICON blueCopy = get(ICON_BIG);
    EXPECT_EQ(set(ICON_BIG, former), blueCopy);
    EXPECT_EQ(PixelAt(*get(ICON_BIG), 3, 3), clRed);
    EXPECT_EQ(PixelAt(*set(ICON_BIG, nullptr), 3, 3), clRed);
    EXPECT_EQ(get(ICON_BIG), nullptr);
    EXPECT_EQ(set(ICON_BIG, nullptr), nullptr);
    EXPECT_EQ(set(7, &red), nullptr);                    // no such kind
}

// The taskbar lists the window that stands for the program and those that
// ask for an entry; while none stands for it, every plain unowned window.
TEST_F(MessageTest, TaskbarEntriesGoToTheProgramsWindowAndThoseThatAsk)
{
    HWND main = Make("main", WS_OVERLAPPEDWINDOW, Bounds(0, 0, 200, 100));
    HWND second = Make("second", WS_OVERLAPPEDWINDOW, Bounds(0, 0, 200, 100));
    HWND asking = Make("asking", WS_OVERLAPPEDWINDOW, Bounds(0, 0, 200, 100), nullptr, WS_EX_APPWINDOW);
    HWND owned = Make("owned", WS_OVERLAPPEDWINDOW, Bounds(0, 0, 200, 100), main);
    HWND ownedAsking = Make("ownedAsking", WS_OVERLAPPEDWINDOW, Bounds(0, 0, 200, 100), main, WS_EX_APPWINDOW);
    HWND tool = Make("tool", WS_POPUP | WS_CAPTION, Bounds(0, 0, 200, 100), nullptr, WS_EX_TOOLWINDOW);
    HWND child = Make("child", WS_CHILD, Bounds(0, 0, 20, 10), main);
    struct TCase {
        HWND Wnd;
        bool Alone, WithMain;
    };
    const TCase cases[] = {
        {main, true, true},     {second, true, false}, {asking, true, true}, {owned, false, false},
        {ownedAsking, true, true}, {tool, false, false}, {child, false, false},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(HasTaskbarEntry(c.Wnd), c.Alone) << Names[c.Wnd];
    SetTaskbarWindow(main);
    for (const TCase& c : cases)
        EXPECT_EQ(HasTaskbarEntry(c.Wnd), c.WithMain) << Names[c.Wnd] << " with a main window";
    DestroyWindow(main);
    EXPECT_TRUE(HasTaskbarEntry(second));                // nobody stands for the program any more
}
