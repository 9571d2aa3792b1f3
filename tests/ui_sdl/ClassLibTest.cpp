#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include "SdlFixture.h"
#include "platform/core/Thread.h"
#include "platform/gfx/Icon.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/forms/Application.h"
#include "tests/ui_classlib/demo/DemoForm.h"

namespace {

// The class library's demo form on the desktop: it shows its controls where
// they belong, and a close request from the desktop asks the form.
TEST_F(SdlDesktop, TheClassLibraryDemoRunsOnTheDesktop)
{
    Application->Initialize();
    auto* form = NewForm<TDemoForm>(nullptr);
    form->SetBounds(80, 60, form->Width(), form->Height());
    form->Show();
    HWND h = form->Handle();
    WaitShown(h);
    TPoint top = form->Top->ClientToScreen(TPoint{300, 30});
    EXPECT_TRUE(PumpUntil([&] { return X.Pixel(top.X, top.Y) == 0x283C6E; })) << std::hex << X.Pixel(top.X, top.Y);

    int asked = 0;
    form->OnCloseQuery = [&](TObject*, bool& canClose) {
        ++asked;
        canClose = false;
    };
    X.RequestClose(Backend->NativeWindow(h));
    EXPECT_TRUE(PumpUntil([&] { return asked > 0; }));
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_FALSE(QuitReceived());
    delete form;
    Application->SetMainForm(nullptr);
}

} // namespace

namespace {

// The desktop iconifies the main form: the whole application minimises (its
// other forms leave the screen) and de-iconifying brings everything back.
TEST_F(SdlDesktop, IconifyingTheMainFormMinimizesTheApplication)
{
    Application->Initialize();
    auto* main = NewForm<TForm>(nullptr, TFormCreation::New);
    auto* other = NewForm<TForm>(nullptr, TFormCreation::New);
    main->SetBounds(100, 100, 300, 200);
    other->SetBounds(450, 100, 200, 150);
    Application->SetMainForm(main);
    other->Show();
    main->Show();
    WaitShown(main->Handle());
    WaitShown(other->Handle());
    unsigned long mainX = Backend->NativeWindow(main->Handle());
    unsigned long otherX = Backend->NativeWindow(other->Handle());
    int minimized = 0, restored = 0;
    Application->OnMinimize = [&](TObject*) { ++minimized; };
    Application->OnRestore = [&](TObject*) { ++restored; };

    X.Iconify(mainX);
    ASSERT_TRUE(PumpUntil([&] { return Application->Minimized(); }));
    EXPECT_TRUE(IsIconic(main->Handle()));
    EXPECT_FALSE(IsWindowVisible(other->Handle()));
    EXPECT_TRUE(PumpUntil([&] { return !X.Mapped(otherX); })) << "the other form stayed on the screen";

    X.Deiconify(mainX);
    ASSERT_TRUE(PumpUntil([&] { return !Application->Minimized(); }));
    EXPECT_FALSE(IsIconic(main->Handle()));
    EXPECT_TRUE(IsWindowVisible(other->Handle()));
    EXPECT_TRUE(PumpUntil([&] { return X.Mapped(mainX) && X.Mapped(otherX); }));
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(restored, 1);

    Application->OnMinimize = nullptr;
    Application->OnRestore = nullptr;
    delete other;
    delete main;
}

} // namespace

namespace {

// The form's icon becomes the desktop window's icon (_NET_WM_ICON: width,
// height, then ARGB pixels row by row), transparency included.
TEST_F(SdlDesktop, TheFormsIconIsTheDesktopWindowsIcon)
{
    Application->Initialize();
    auto* form = NewForm<TForm>(nullptr, TFormCreation::New);
    form->SetBounds(120, 120, 240, 160);
    TBitmap pixels(16, 16, pf32bit);
    pixels.Fill(clRed, 255);
    pixels.ScanLine(0)[3] = 0;              // the top-left pixel is transparent
    pixels.SetAlphaFormat(afDefined);
    form->Icon().Assign(pixels);
    form->Show();
    HWND h = form->Handle();
    WaitShown(h);
    unsigned long xw = Backend->NativeWindow(h);
    std::vector<uint32_t> icon;
    ASSERT_TRUE(PumpUntil([&] { return (icon = X.CardinalList(xw, "_NET_WM_ICON")).size() == 2 + 16 * 16; }))
        << icon.size();
    EXPECT_EQ(icon[0], 16u);
    EXPECT_EQ(icon[1], 16u);
    EXPECT_EQ(icon[2] >> 24, 0u);
    EXPECT_EQ(icon[3], 0xFFFF0000u);
    EXPECT_EQ(icon[2 + 16 * 16 - 1], 0xFFFF0000u);

    // A picture without alpha is opaque; the application's icon stands in
    // for a form without one; no icon at all takes it away.
    TBitmap opaque(8, 8, pf24bit);
    opaque.Fill(clBlue);
    Application->Icon().Assign(opaque);
    form->Icon().Assign(TBitmap());
    ASSERT_TRUE(PumpUntil([&] { return (icon = X.CardinalList(xw, "_NET_WM_ICON")).size() == 2 + 8 * 8; }));
    EXPECT_EQ(icon[2], 0xFF0000FFu);
    Application->Icon().Assign(TBitmap());
    EXPECT_TRUE(PumpUntil([&] { return X.CardinalList(xw, "_NET_WM_ICON").empty(); }));
    delete form;
}

} // namespace

namespace {

// The demo program itself, started as the user would on this desktop: its
// form appears, and a close request from the desktop ends it.
TEST(SdlDemoProgram, RunsOnTheDesktopAndEndsOnACloseRequest)
{
    if (std::getenv("ZARVO_NO_XVFB"))
        GTEST_SKIP() << "Xvfb is missing";
    TXDesktop x;
    ASSERT_TRUE(x.Open());
    char* args[] = {const_cast<char*>(ZARVO_DEMO_PROGRAM), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, ZARVO_DEMO_PROGRAM, nullptr, nullptr, args, environ), 0);
    auto waitFor = [](const std::function<bool()>& done) {
        for (auto end = TClock::now() + 10s; TClock::now() < end; std::this_thread::sleep_for(10ms))
            if (done())
                return true;
        return false;
    };
    unsigned long window = 0;
    EXPECT_TRUE(waitFor([&] { return (window = x.FindMapped("Plain controls")) != 0; })) << "the demo form never appeared";
    int status = -1;
    if (window) {
        x.RequestClose(window);
        waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; });
    }
    if (status == -1) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        FAIL() << "the demo did not end on a close request";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

} // namespace

namespace {

// The class library's popup menu opens on the desktop at the screen point,
// as an override-redirect window, and a click on an item chooses it; the
// form stays active and keeps the keyboard all along.
TEST_F(SdlDesktop, PopupMenuOfTheClassLibraryOpensAtAPointAndKeepsItsFormActive)
{
    Application->Initialize();
    auto* form = NewForm<TForm>(nullptr, TFormCreation::New);
    form->SetBounds(100, 100, 400, 300);
    auto* menu = new TPopupMenu(form);
    const char* captions[] = {"Open", "Save"};
    for (const char* caption : captions) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    form->Show();
    HWND h = form->Handle();
    WaitShown(h);
    unsigned long fx = Backend->NativeWindow(h);
    ASSERT_TRUE(PumpUntil([&] { return X.FocusWindow() == fx; }));
    Log.clear();
    int deactivations = 0;
    form->OnDeactivate = [&](TObject*) { ++deactivations; };

    // The user waits for the menu, looks at it, and clicks its second item.
    constexpr int Px = 420, Py = 330;
    std::atomic<bool> found{false}, overrideRedirect{false}, focusKept{false};
    std::thread user([&] {
        TXDesktop hand;
        for (auto end = TClock::now() + 5s; TClock::now() < end && !found; std::this_thread::sleep_for(5ms))
            for (unsigned long w : hand.Stacking())
                if (hand.Geometry(w).Left == Px && hand.Geometry(w).Top == Py) {
                    found = true;
                    overrideRedirect = hand.OverrideRedirect(w);
                    focusKept = hand.FocusWindow() == fx;
                }
        if (found) {
            hand.MoveTo(Px + 20, Py + 2 + 20 + 10);     // the middle of the second item
            hand.Press();
            hand.Release();
        } else {
            hand.Type("Escape");
        }
    });
    menu->Popup(Px, Py);
    user.join();
    ASSERT_TRUE(found) << "the menu never appeared at the point";
    EXPECT_TRUE(overrideRedirect);
    EXPECT_TRUE(focusKept);
    ASSERT_NE(menu->LastChosen(), nullptr);
    EXPECT_EQ(menu->LastChosen()->Caption(), "Save");
    PumpUntil([] { return false; }, 100ms);
    EXPECT_EQ(GetActiveWindow(), h);
    EXPECT_EQ(deactivations, 0);
    EXPECT_EQ(X.FocusWindow(), fx);
    delete form;
}

} // namespace

namespace {

// Owned windows and modal forms stay above the window they belong to also
// under a desktop window manager: an owned tool window is transient for its
// owner, a form shown modally is transient and modal for the form waiting
// for it, and shown again plainly it is neither.
TEST_F(SdlDesktop, ModalAndOwnedWindowsBelongToTheirOwnerOnTheDesktop)
{
    Application->Initialize();
    auto* main = NewForm<TForm>(nullptr, TFormCreation::New);
    auto* dialog = NewForm<TForm>(nullptr, TFormCreation::New);
    main->SetBounds(100, 100, 400, 300);
    dialog->SetBounds(200, 150, 200, 120);
    main->Show();
    HWND mh = main->Handle();
    WaitShown(mh);
    unsigned long mainX = Backend->NativeWindow(mh);
    HWND tool = CreateWindowEx(WS_EX_TOOLWINDOW, "SdlProbe", "Tool", WS_POPUP | WS_CAPTION, 520, 100, 150, 100, mh);
    ShowWindow(tool, SW_SHOWNOACTIVATE);
    WaitShown(tool);
    EXPECT_EQ(X.TransientFor(Backend->NativeWindow(tool)), mainX);
    EXPECT_FALSE(X.HasState(Backend->NativeWindow(tool), "_NET_WM_STATE_MODAL"));

    unsigned long owner = 0;
    bool modal = false;
    TThread::ForceQueue(nullptr, [&] {
        WaitShown(dialog->Handle());
        unsigned long dx = Backend->NativeWindow(dialog->Handle());
        owner = X.TransientFor(dx);
        modal = X.HasState(dx, "_NET_WM_STATE_MODAL");
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(owner, mainX);
    EXPECT_TRUE(modal);

    dialog->Show();
    WaitShown(dialog->Handle());
    unsigned long dx = Backend->NativeWindow(dialog->Handle());
    EXPECT_EQ(X.TransientFor(dx), 0u);
    EXPECT_FALSE(X.HasState(dx, "_NET_WM_STATE_MODAL"));
    delete dialog;
    delete main;
}

// A form that asks for a taskbar entry of its own, the classic way.
class TListedForm : public TForm {
public:
    using TForm::TForm;

protected:
    void CreateParams(TCreateParams& p) override
    {
        TForm::CreateParams(p);
        p.ExStyle |= WS_EX_APPWINDOW;
    }
};

// The taskbar lists the main form and forms that ask for it; other forms
// and owned windows are skipped, also when the main form changes.
TEST_F(SdlDesktop, OnlyTheMainFormAndFormsThatAskAreListedInTheTaskbar)
{
    Application->Initialize();
    auto* main = NewForm<TForm>(nullptr, TFormCreation::New);
    auto* other = NewForm<TForm>(nullptr, TFormCreation::New);
    auto* listed = NewForm<TListedForm>(nullptr, TFormCreation::New);
    main->SetBounds(100, 100, 300, 200);
    other->SetBounds(450, 100, 200, 150);
    listed->SetBounds(450, 300, 200, 150);
    Application->SetMainForm(main);
    main->Show();
    other->Show();
    listed->Show();
    HWND owned = CreateWindowEx(0, "SdlProbe", "Owned", FormStyle, 100, 400, 150, 100, main->Handle());
    ShowWindow(owned, SW_SHOWNOACTIVATE);
    for (HWND h : {main->Handle(), other->Handle(), listed->Handle(), owned})
        WaitShown(h);
    auto skipped = [&](TForm* f) { return X.HasState(Backend->NativeWindow(f->Handle()), "_NET_WM_STATE_SKIP_TASKBAR"); };
    EXPECT_FALSE(skipped(main));
    EXPECT_TRUE(skipped(other));
    EXPECT_FALSE(skipped(listed));
    EXPECT_TRUE(X.HasState(Backend->NativeWindow(owned), "_NET_WM_STATE_SKIP_TASKBAR"));

    Application->SetMainForm(other);
    other->HandleNeeded();
    EXPECT_TRUE(PumpUntil([&] { return skipped(main) && !skipped(other); }));
    EXPECT_FALSE(skipped(listed));
    Application->SetMainForm(nullptr);
    DestroyWindow(owned);
    delete listed;
    delete other;
    delete main;
}

} // namespace
