#include <functional>

#include "FrameFixture.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/Timer.h"

namespace {

// Each message of the form window procedure with what it leaves in the
// trace: menu closing first, the first phase, the saved procedure unless
// the frame handled it, then the second phase. An open menu shows the
// close-menu list ("menu.Hide"); "paint" is a repaint of the plain frame.
struct TProcCase {
    const char* Name;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    TTrace Expected;
    LRESULT Result = 0;
    bool CheckResult = false;
    std::function<void()> Setup = {};
    std::function<void()> After = {};
};

class TWindowProcTest : public TFrameTest {
protected:
    void SetUp() override
    {
        TFrameTest::SetUp();
        MakeForm(400, 300);
        auto engine = std::make_unique<TFakeMenuEngine>(Trace);
        Engine = engine.get();
        Frame->SetSkinMenu(std::move(engine));
        Bar = new TFakeMenuBar(Form, Trace, Frame);
        Frame->SetMainMenuBar(Bar);
        Frame->OnRestore = [this](TObject*) { Trace.push_back("OnRestore"); };
        Frame->OnSkinMenuClose = [this](TObject*) { Trace.push_back("OnSkinMenuClose"); };
        Frame->OnAfterChangeSkinData = [this](TObject*) { Trace.push_back("OnAfterChangeSkinData"); };
        Frame->OnMaximize = [this](TObject*) { Trace.push_back("OnMaximize"); };
    }

    TTrace Run(const TProcCase& c, LRESULT* result = nullptr)
    {
        if (c.Setup)
            c.Setup();
        Trace.clear();
        Engine->Shown = true;   // an open menu
        Watched = c.Msg;
        LRESULT r = Send(c.Msg, c.WParam, c.LParam);
        Watched = 0;
        Engine->Shown = false;
        TTrace seen = Trace;
        if (c.After)
            c.After();
        if (result)
            *result = r;
        // The class library may pass a message on to its window once more
        // (WM_SETTEXT does): a nested repeat of a step counts once.
        TTrace steps;
        for (const std::string& t : seen)
            if (steps.empty() || steps.back() != t)
                steps.push_back(t);
        return steps;
    }

    void TearDown() override
    {
        delete Form;
        Form = nullptr;
        TFrameTest::TearDown();
    }

    TFakeMenuEngine* Engine = nullptr;
    TFakeMenuBar* Bar = nullptr;
    TbsSkinData Skin{nullptr};
    TPopupMenu SystemMenu{nullptr};
};

// With the menu bar in menu mode and no menu open, a menu-ending message leaves menu mode.
TEST_F(TWindowProcTest, CloseMessageEndsMenuBarMode)
{
    Send(WM_SYSCOMMAND, SC_KEYMENU, 0);
    ASSERT_TRUE(Frame->InMainMenu);
    Trace.clear();
    Send(WM_KILLFOCUS);
    EXPECT_EQ(Trace, (TTrace{"bar.LeaveMenuMode"}));
    EXPECT_FALSE(Frame->InMainMenu);
    EXPECT_FALSE(Application->OnMessage);
}

TEST_F(TWindowProcTest, HandlingOrderOfEveryMessage)
{
    static TBitmap dcBitmap(400, 300);
    WPARAM dc = WPARAM(dcBitmap.Canvas()->Handle());
    static MINMAXINFO mmi;
    static TRect moving;
    static WINDOWPOS pos;
    Frame->SetSkinData(&Skin);   // an empty container: the plain frame
    Frame->OnBeforeChangeSkinData = [this](TObject*) { Trace.push_back("OnBeforeChangeSkinData"); };
    Frame->OnChangeSkinData = [this](TObject*) { Trace.push_back("OnChangeSkinData"); };
    const std::string caption = "New caption";
    const TProcCase cases[] = {
        // The close-menu list: the menu closes before anything else.
        {"WM_MOVE", WM_MOVE, 0, MAKELPARAM(50, 60), {"menu.Hide", "saved"}},
        {"WM_SIZE", WM_SIZE, 0, MAKELPARAM(394, 275), {"menu.Hide", "saved", "paint"}},
        {"WM_ACTIVATE", WM_ACTIVATE, WA_ACTIVE, 0, {"menu.Hide", "saved", "paint"}},
        {"WM_KILLFOCUS", WM_KILLFOCUS, 0, 0, {"menu.Hide", "saved"}},
        {"WM_CANCELMODE", WM_CANCELMODE, 0, 0, {"menu.Hide", "saved"}},
        {"WM_MOUSEACTIVATE", WM_MOUSEACTIVATE, 0, 0, {"menu.Hide", "saved"}},
        {"WM_NCLBUTTONDOWN", WM_NCLBUTTONDOWN, HTOBJECT, 0, {"menu.Hide", "saved"}},
        {"WM_NCRBUTTONDOWN", WM_NCRBUTTONDOWN, HTOBJECT, 0, {"menu.Hide", "saved"}},
        {"WM_NCMBUTTONDOWN", WM_NCMBUTTONDOWN, HTOBJECT, 0, {"menu.Hide", "saved"}},
        {"WM_LBUTTONDOWN", WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5), {"menu.Hide", "saved"}},
        {"WM_RBUTTONDOWN", WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5), {"menu.Hide", "saved"}},
        {"WM_MBUTTONDOWN", WM_MBUTTONDOWN, 0, MAKELPARAM(5, 5), {"menu.Hide", "saved"}},
        {"WM_PARENTNOTIFY", WM_PARENTNOTIFY, WM_LBUTTONDOWN, 0, {"menu.Hide", "saved"}},
        // Not on the list: the menu stays open.
        {"WM_NCLBUTTONUP", WM_NCLBUTTONUP, HTCAPTION, 0, {"saved"}},
        {"WM_SETTEXT", WM_SETTEXT, 0, LPARAM(caption.c_str()), {"saved", "paint"}},
        {"WM_ERASEBKGND", WM_ERASEBKGND, dc, 0, {}},
        {"WM_NCPAINT", WM_NCPAINT, 0, 0, {"paint"}},
        {"WM_NCACTIVATE", WM_NCACTIVATE, 1, 0, {"menu.Hide", "paint"}, 1, true},
        {"WM_NCCALCSIZE", WM_NCCALCSIZE, 0, LPARAM(&moving), {}},
        {"WM_NCHITTEST", WM_NCHITTEST, 0, 0, {}},
        {"WM_GETMINMAXINFO", WM_GETMINMAXINFO, 0, LPARAM(&mmi), {"saved"}},
        {"WM_SETCURSOR", WM_SETCURSOR, 0, MAKELPARAM(HTCAPTION, WM_MOUSEMOVE), {"saved"}},
        {"WM_SYSCOMMAND SC_RESTORE", WM_SYSCOMMAND, SC_RESTORE, 0, {"OnRestore", "saved"}},
        {"WM_SYSCOMMAND SC_KEYMENU", WM_SYSCOMMAND, SC_KEYMENU, 0, {"OnSkinMenuClose", "bar.EnterMenuMode"}},
        {"WM_MOVING", WM_MOVING, 0, LPARAM(&moving), {"saved"}},
        {"WM_ENTERSIZEMOVE", WM_ENTERSIZEMOVE, 0, 0, {"saved"}},
        {"WM_EXITSIZEMOVE", WM_EXITSIZEMOVE, 0, 0, {"saved"}},
        {"WM_CLOSESKINMENU", WM_CLOSESKINMENU, 0, 0, {"OnSkinMenuClose", "saved"}},
        {"WM_AFTERCHANGESKINDATA", WM_AFTERCHANGESKINDATA, 0, SKIN_MESSAGE_LPARAM, {"OnAfterChangeSkinData", "saved"}},
        {"WM_MDICHILDMAX", WM_MDICHILDMAX, 0, 0, {"saved"}},
        {"WM_QUERYSKINFRAME", WM_QUERYSKINFRAME, 0, 0, {}, QUERYSKINFRAME_SKINNABLE, true},
        {"WM_BEGINSMARTEFFECTS", WM_BEGINSMARTEFFECTS, 0, 0, {"saved"}},
        {"WM_ENDSMARTEFFECTS", WM_ENDSMARTEFFECTS, 0, 0, {"saved"}},
        {"WM_PRINTSKINFRAME dc", WM_PRINTSKINFRAME, dc, 0, {"paint"}, PRINTSKINFRAME_DONE, true},
        {"WM_PRINTSKINFRAME no dc", WM_PRINTSKINFRAME, 0, 0, {}, 0, true},
        {"WM_PRINTSKINFRAMEEX key", WM_PRINTSKINFRAMEEX, dc, PRINTSKINFRAMEEX_KEY, {"paint"}, PRINTSKINFRAMEEX_KEY, true},
        {"WM_PRINTSKINFRAMEEX other", WM_PRINTSKINFRAMEEX, dc, 1, {"saved"}},
        // The rest of the table: the first phase runs before the saved procedure.
        {"WM_DESTROY", WM_DESTROY, 0, 0, {"saved"}, 0, false, [this] { Frame->MouseTimer->SetEnabled(true); },
         [this] { EXPECT_FALSE(Frame->MouseTimer->Enabled()); }},
        {"WM_SHOWWINDOW show", WM_SHOWWINDOW, 1, 0, {"menu.Hide", "paint", "saved"}},
        {"WM_SHOWWINDOW hide", WM_SHOWWINDOW, 0, 0, {"saved"}},
        {"WM_SIZE in a full drag", WM_SIZE, 0, MAKELPARAM(394, 275), {"menu.Hide", "saved"}, 0, false,
         [this] { Send(WM_ENTERSIZEMOVE); }, [this] { Send(WM_EXITSIZEMOVE); }},
        {"WM_SIZING", WM_SIZING, WMSZ_RIGHT, LPARAM(&moving), {"saved"}, 0, false,
         [this] { Send(WM_ENTERSIZEMOVE); moving = Form->BoundsRect(); },
         [this] { EXPECT_EQ(Frame->FFormWidth, moving.Width()); Send(WM_EXITSIZEMOVE); }},
        {"WM_TIMER fade tick", WM_TIMER, 1, 0, {"saved"}},
        {"WM_SYNCPAINT", WM_SYNCPAINT, 0, 0, {"saved"}},
        {"WM_DISPLAYCHANGE", WM_DISPLAYCHANGE, 32, 0, {"saved"}},
        {"WM_NCMOUSEMOVE", WM_NCMOUSEMOVE, HTCAPTION, 0, {"saved"}},
        {"WM_NCLBUTTONDBLCLK", WM_NCLBUTTONDBLCLK, HTCAPTION, 0, {"saved", "menu.Hide", "paint", "OnMaximize"}, 0, false, {},
         [this] { Frame->SetWindowState(wsNormal); }},
        {"WM_NCRBUTTONDOWN caption", WM_NCRBUTTONDOWN, HTCAPTION, 0, {"menu.Hide", "saved", "menu.Popup"}, 0, false,
         [this] { Frame->SetSystemMenu(&SystemMenu); }, [this] { Frame->SetSystemMenu(nullptr); Frame->SkinMenuClose(); }},
        {"WM_NCRBUTTONUP", WM_NCRBUTTONUP, HTCAPTION, 0, {"saved"}},
        {"WM_NCRBUTTONDBLCLK", WM_NCRBUTTONDBLCLK, HTCAPTION, 0, {"saved"}},
        {"WM_LBUTTONUP", WM_LBUTTONUP, 0, 0, {"saved"}},
        {"WM_RBUTTONUP", WM_RBUTTONUP, 0, 0, {"saved"}},
        {"WM_WINDOWPOSCHANGED", WM_WINDOWPOSCHANGED, 0, LPARAM(&pos), {"saved"}, 0, false,
         [this] { pos = WINDOWPOS{Form->Handle(), nullptr, 77, 66, Form->Width(), Form->Height(), SWP_NOSIZE | SWP_NOMOVE}; },
         [this] { EXPECT_EQ(Frame->FFormLeft, 77); }},
        {"WM_BEFORECHANGESKINDATA", WM_BEFORECHANGESKINDATA, WPARAM(&Skin), SKIN_MESSAGE_LPARAM,
         {"OnBeforeChangeSkinData", "saved"}},
        {"WM_CHANGESKINDATA", WM_CHANGESKINDATA, WPARAM(&Skin), SKIN_MESSAGE_LPARAM, {"menu.Hide", "paint", "OnChangeSkinData", "saved"}},
        {"WM_CHANGERESSTRDATA", WM_CHANGERESSTRDATA, WPARAM(&Skin), SKIN_MESSAGE_LPARAM, {"saved"}},
        {"WM_CHANGEFORMSKINNABLE", WM_CHANGEFORMSKINNABLE, WPARAM(&Skin), SKIN_MESSAGE_LPARAM,
         {"menu.Hide", "paint", "OnChangeSkinData", "saved"}},
        {"WM_CHANGELAYEREDBORDERS", WM_CHANGELAYEREDBORDERS, WPARAM(&Skin), SKIN_MESSAGE_LPARAM, {"saved"}},
        {"WM_MDICHILDMAXIMIZED", WM_MDICHILDMAXIMIZED, 0, 0, {"saved"}},
        {"WM_MDICHILDRESTORED", WM_MDICHILDRESTORED, 0, 0, {"saved"}},
        {"WM_SHOWMAINFORMFROMTRAY", WM_SHOWMAINFORMFROMTRAY, 0, 0, {"saved"}, 0, false,
         [this] { Form->SetTag(-10000); }, [this] { EXPECT_EQ(Form->Tag(), 0); }},
    };
    for (const TProcCase& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Msg == WM_NCCALCSIZE)
            moving = TRect{0, 0, 400, 300};
        if (c.Msg == WM_MOVING)
            moving = Form->BoundsRect();
        LRESULT result = 0;
        EXPECT_EQ(Run(c, &result), c.Expected);
        if (c.CheckResult) {
            EXPECT_EQ(result, c.Result);
        }
        if (c.Msg == WM_SYSCOMMAND && c.WParam == SC_KEYMENU) {
            // A second press leaves menu mode; the system's loop never runs.
            Trace.clear();
            Watched = WM_SYSCOMMAND;
            Send(WM_SYSCOMMAND, SC_KEYMENU, 0);
            Watched = 0;
            EXPECT_EQ(Trace, (TTrace{"bar.LeaveMenuMode"}));
            EXPECT_FALSE(Frame->InMainMenu);
        }
        if (c.Msg == WM_NCCALCSIZE) {
            EXPECT_EQ(moving, (TRect{3, 22, 397, 297}));
        }
        if (c.Msg == WM_GETMINMAXINFO) {
            EXPECT_EQ(mmi.ptMinTrackSize, (TPoint{120, 25}));
        }
    }
}

// The second phase runs after the saved procedure, handled or not: a press
// on the close button is taken after the form's own handling, and the
// release over the client area releases it and closes the form.
TEST_F(TWindowProcTest, CaptionButtonPressAndReleaseCloseTheForm)
{
    SetForegroundWindow(Form->Handle());
    Pump();
    ASSERT_TRUE(Form->Active());
    int closes = 0;
    Form->OnClose = [&](TObject*, TCloseAction& a) { ++closes; a = caNone; };
    TRect close = Frame->ObjectList[size_t(Frame->GetIndex("closebutton"))]->ObjectRect;
    LPARAM at = FramePoint(close.Left + 5, close.Top + 5);
    EXPECT_EQ(Send(WM_NCHITTEST, 0, at), HTOBJECT);
    EXPECT_EQ(Frame->ActiveObject, Frame->GetIndex("closebutton"));
    Send(WM_NCLBUTTONDOWN, HTOBJECT, at);
    EXPECT_EQ(Frame->MouseCaptureObject, Frame->GetIndex("closebutton"));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
    EXPECT_EQ(Frame->MouseCaptureObject, -1);
    EXPECT_EQ(closes, 1);
}

// Double-clicking the caption: a resizable form maximizes and restores; a
// fixed one rolls up and down.
TEST_F(TWindowProcTest, CaptionDoubleClick)
{
    LPARAM at = FramePoint(100, 10);
    Send(WM_NCLBUTTONDBLCLK, HTCAPTION, at);
    EXPECT_EQ(Frame->WindowState(), wsMaximized);
    Send(WM_NCLBUTTONDBLCLK, HTCAPTION, FramePoint(100, 10));
    EXPECT_EQ(Frame->WindowState(), wsNormal);

    Form->SetBorderStyle(bsSingle);
    Frame->ClientHeight = 0;
    int height = Form->Height();
    Send(WM_NCLBUTTONDBLCLK, HTCAPTION, FramePoint(100, 10));
    EXPECT_TRUE(Frame->RollUpState());
    EXPECT_EQ(Form->Height(), 25);
    Send(WM_NCLBUTTONDBLCLK, HTCAPTION, FramePoint(100, 10));
    EXPECT_FALSE(Frame->RollUpState());
    EXPECT_EQ(Form->Height(), height);
}

// While a menu is open the application's wheel is swallowed and keys go to the menu.
TEST_F(TWindowProcTest, OpenMenuHooksTheApplication)
{
    TPopupMenu menu(nullptr);
    Frame->PopupSkinMenu(menu.Items(), TPoint{10, 10});
    EXPECT_TRUE(Frame->InMenu);
    TMsg key{};
    key.message = WM_KEYDOWN;
    key.wParam = VK_DOWN;
    bool handled = false;
    Application->OnMessage(key, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(key.message, UINT(WM_NULL));
    EXPECT_EQ(Trace.back(), "menu.Key " + std::to_string(VK_DOWN));
    Trace.clear();
    Send(WM_CLOSESKINMENU);
    EXPECT_FALSE(Frame->InMenu);
    EXPECT_FALSE(Application->OnMessage);
}

}  // namespace
