// What the frame does to its objects and children beyond painting them: an
// animation that dropped a menu plays back once the menu closes and takes
// hover again, activation and move loops rewind animations, a status bar's
// grip follows the window state, and children re-read a stretched background.
#include <filesystem>
#include "SkinFrameFixture.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/Timer.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "skin/controls/SkinStatusBar.h"

namespace {

class TFrameObjectsTest : public TFrameTest {
protected:
    void SetUp() override
    {
        TFrameTest::SetUp();
        TestSkin::Build(Small);
        TestSkin::AddAnimationAndStretch(Small);
    }
    void TearDown() override
    {
        delete Form;
        Form = nullptr;
        TFrameTest::TearDown();
    }
    void MakeSkinned(int w, int h)
    {
        MakeForm(w, h);
        Frame->OnCaptionPaint = nullptr;
        // The animation carries no window command: the program shows it.
        Frame->OnActivateCustomObject = [](const std::string& id, bool& visible) { visible = id == "spinner"; };
        Frame->SetBorderIcons({TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMaximize, TbsBorderIcon::biRollUp});
        Frame->SetSkinData(&Small);
        SetForegroundWindow(Form->Handle());
        Pump();
        Spinner = dynamic_cast<TbsSkinAnimateObject*>(Frame->ObjectList[size_t(Frame->GetIndex("spinner"))].get());
        ASSERT_NE(Spinner, nullptr);
    }
    // The colour the frame shows in the middle of the animation.
    TColor SpinnerPixel()
    {
        Send(WM_NCPAINT);
        const TRect r = Spinner->ObjectRect;
        return Backend->CaptureWindow(Form->Handle())->GetPixel((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void RunAnimation()
    {
        for (int i = 0; i < 20 && Frame->AnimateTimer->Enabled(); ++i)
            Advance(25);
    }
    std::filesystem::path RenderDir()
    {
        std::filesystem::path dir = std::filesystem::path(FRAME_RENDER_DIR) / "objects";
        std::filesystem::create_directories(dir);
        return dir;
    }
    TbsSkinData Small{nullptr};
    TbsSkinAnimateObject* Spinner = nullptr;
};

// An animation with a menu shows its last frame while the menu is open; when
// the menu closes it plays back to its first frame and answers hover again.
TEST_F(TFrameObjectsTest, AnimationWithAMenuPlaysBackWhenTheMenuCloses)
{
    MakeSkinned(300, 160);
    TTrace trace;
    auto engine = std::make_unique<TFakeMenuEngine>(trace);
    TFakeMenuEngine* menus = engine.get();
    Frame->SetSkinMenu(std::move(engine));
    auto* popup = new TPopupMenu(Form);
    auto* item = new TMenuItem(popup);
    item->SetCaption("One");
    popup->Items()->Add(item);
    Spinner->MenuItem = popup->Items();

    EXPECT_EQ(SpinnerPixel(), TestSkin::Normal);
    Spinner->ButtonClick();
    EXPECT_TRUE(Spinner->FMenuTracking);
    EXPECT_EQ(SpinnerPixel(), TestSkin::Down);   // the third frame
    menus->Shown = false;
    Frame->SkinMenuClose();
    EXPECT_TRUE(Spinner->Active);
    EXPECT_EQ(Spinner->Frame(), 3);
    EXPECT_FALSE(Spinner->FMenuTracking);
    EXPECT_FALSE(Spinner->FDown);
    EXPECT_FALSE(Spinner->Increment);
    EXPECT_TRUE(Frame->AnimateTimer->Enabled());
    RunAnimation();
    EXPECT_EQ(Spinner->Frame(), 1);
    EXPECT_FALSE(Spinner->Active);
    EXPECT_EQ(SpinnerPixel(), TestSkin::Normal);

    // Hover plays forward again, as before the menu.
    Spinner->MouseEnter();
    EXPECT_TRUE(Spinner->Active);
    RunAnimation();
    EXPECT_EQ(Spinner->Frame(), 3);
    EXPECT_EQ(SpinnerPixel(), TestSkin::Down);
}

// Activation and the start of a move loop rewind a running animation.
TEST_F(TFrameObjectsTest, ActivationAndMoveLoopRewindAnimations)
{
    MakeSkinned(300, 160);
    for (UINT msg : {UINT(WM_ACTIVATE), UINT(WM_ENTERSIZEMOVE)}) {
        Spinner->FFrame = 2;
        Spinner->Active = true;
        Spinner->FMouseIn = true;
        Send(msg, msg == WM_ACTIVATE ? WA_ACTIVE : 0);
        EXPECT_EQ(Spinner->Frame(), 1) << msg;
        EXPECT_FALSE(Spinner->Active) << msg;
        EXPECT_FALSE(Spinner->FMouseIn) << msg;
        Send(WM_EXITSIZEMOVE);
    }
}

// A maximized form cannot be sized: its status bar's grip goes away and comes
// back with the restore. A bar without a grip is left alone.
TEST_F(TFrameObjectsTest, StatusBarGripFollowsTheWindowState)
{
    MakeSkinned(300, 160);
    auto* bar = new TbsSkinStatusBar(Form);
    bar->SetParent(Form);
    bar->SetSizeGrip(true);
    Frame->SetStatusBar(bar);
    Pump();
    const TRect grip = bar->GetGripRect();
    EXPECT_GT(grip.Width(), 0);
    Frame->SetWindowState(wsMaximized);
    EXPECT_FALSE(bar->ShowGrip());
    Frame->SetWindowState(wsNormal);
    EXPECT_TRUE(bar->ShowGrip());

    bar->SetSizeGrip(false);
    bar->SetShowGrip(false);
    Frame->SetWindowState(wsMaximized);
    Frame->SetWindowState(wsNormal);
    EXPECT_FALSE(bar->ShowGrip());
}

// A skin that stretches its background tells the form's windowed children,
// at every size, to read the background again.
TEST_F(TFrameObjectsTest, StretchedBackgroundReachesTheChildren)
{
    MakeSkinned(300, 160);
    auto* child = new TPanel(Form);
    child->SetParent(Form);
    child->SetBounds(10, 10, 50, 30);
    child->HandleNeeded();
    int told = 0;
    auto original = child->WindowProc;
    child->WindowProc = [&told, original](TMessage& m) {
        if (m.Msg == WM_CHECKPARENTBG)
            ++told;
        original(m);
    };
    Form->SetBounds(40, 30, 360, 200);
    Pump();
    EXPECT_GE(told, 1);
    const TColor wide = Backend->CaptureWindow(Form->Handle())->GetPixel(200, 100);
    EXPECT_EQ(wide, TestSkin::Client);   // the client part of the picture, stretched

    told = 0;
    Small.StretchEffect = false;
    Form->SetBounds(40, 30, 320, 180);
    Pump();
    EXPECT_EQ(told, 0);
    child->WindowProc = original;
}

// For a person to look at: the animation at each frame over the caption, and
// the stretched background.
TEST_F(TFrameObjectsTest, Render)
{
    MakeSkinned(300, 160);
    auto* bar = new TbsSkinStatusBar(Form);
    bar->SetParent(Form);
    bar->SetSizeGrip(true);
    Frame->SetStatusBar(bar);
    for (int f = 1; f <= 3; ++f) {
        Spinner->FFrame = f;
        Send(WM_NCPAINT);
        Pump();
        Backend->SaveWindowPicture(Form->Handle(), (RenderDir() / ("spinner_frame" + std::to_string(f) + ".png")).string());
    }
    EXPECT_EQ(SpinnerPixel(), TestSkin::Down);
}

}  // namespace
