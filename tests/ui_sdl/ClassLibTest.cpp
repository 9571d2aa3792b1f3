#include "SdlFixture.h"
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
