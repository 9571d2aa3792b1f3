#include <cstdio>
#include "ClassLibFixture.h"
#include "demo/DemoForm.h"
#include "platform/core/Path.h"

using TDemoTest = TClassLibTest;

TEST_F(TDemoTest, TheDemoFormRendersEveryControlAndSavesAPicture)
{
    auto* form = NewForm<TDemoForm>(nullptr);
    Forms.push_back(form);
    form->Show();
    Pump();
    auto shot = Backend->CaptureWindow(form->Handle());
    ASSERT_TRUE(shot);
    auto pixel = [&](TControl* c, int x, int y) {
        TPoint p = c->ClientToScreen(TPoint{x, y});
        TRect w;
        GetWindowRect(form->Handle(), w);
        return shot->GetPixel(p.X - w.Left, p.Y - w.Top) & 0xFFFFFF;
    };
    EXPECT_EQ(pixel(form->Top, 300, 30), ColorToRGB(RGB(40, 60, 110)));
    EXPECT_EQ(pixel(form->Side, 70, 100), ColorToRGB(clBtnFace));
    EXPECT_EQ(pixel(form->Picture, 2, 2), ColorToRGB(RGB(250, 240, 200)));
    EXPECT_EQ(pixel(form->Picture, 30, 2), ColorToRGB(RGB(230, 120, 20)));
    EXPECT_EQ(pixel(form->Options, 0, 60), ColorToRGB(clBtnShadow));
    EXPECT_EQ(form->Split->Left(), 140);
    EXPECT_EQ(form->Ok->Top(), 288);
    EXPECT_TRUE(form->Check->Checked());
    std::string file = testing::TempDir() + "classlib-demo.png";
    Backend->SaveWindowPicture(form->Handle(), file);
    TPicture saved;
    saved.LoadFromFile(file);
    EXPECT_EQ(saved.Width(), form->Width());
    std::remove(file.c_str());
    // The demo answers Alt+F4 through its menu and Enter through its default button.
    form->Hide();
    form->OnShow = [&](TObject*) { Backend->KeyPress(VK_RETURN); };
    EXPECT_EQ(form->ShowModal(), 1);
}
