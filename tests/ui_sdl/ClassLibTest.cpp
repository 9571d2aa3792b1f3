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
