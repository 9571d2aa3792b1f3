#include <algorithm>
#include "FrameFixture.h"
#include "platform/ui/Tray.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/Menus.h"
#include "skin/frame/TrayIcon.h"

namespace {

THeadlessConfig WithTray()
{
    THeadlessConfig config;
    config.Caps.TrayIcon = true;
    return config;
}

class TTrayTest : public TFrameTest {
protected:
    // The main form with a frame and a tray icon on it; the tray present or not.
    void MakeMainForm(bool tray)
    {
        Backend = &UseHeadlessBackend(tray ? WithTray() : THeadlessConfig{});
        Application->Initialize();
        MakeForm(300, 200);
        Application->SetMainForm(Form);
        Tray = new TbsTrayIcon(Form);
        Frame->SetTrayIcon(Tray);
        Tray->OnClick = [this](TObject*) { Events.push_back("Click"); };
        Tray->OnDblClick = [this](TObject*) { Events.push_back("DblClick"); };
        Tray->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int, int) {
            Events.push_back(b == mbLeft ? "Down" : "RDown");
        };
        Tray->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) {
            Events.push_back(b == mbLeft ? "Up" : "RUp");
        };
    }
    void Mouse(UINT msg) { ASSERT_TRUE(Backend->TrayMouse(Tray->Handle(), 1, msg)); Pump(); }

    TbsTrayIcon* Tray = nullptr;
    std::vector<std::string> Events;
};

// A double click fires no Click; a single click fires one double-click time
// after the press, or at the release of a longer press.
TEST_F(TTrayTest, ClicksAndDoubleClicks)
{
    MakeMainForm(true);
    Tray->SetIconVisible(true);
    ASSERT_TRUE(Tray->IconShown());

    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_LBUTTONUP);
    Mouse(WM_LBUTTONDBLCLK);
    Mouse(WM_LBUTTONUP);
    Advance(GetDoubleClickTime() + 10);
    EXPECT_EQ(Events, (std::vector<std::string>{"Down", "Up", "DblClick", "Up"}));

    Events.clear();
    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_LBUTTONUP);
    EXPECT_EQ(Events, (std::vector<std::string>{"Down", "Up"}));
    Advance(GetDoubleClickTime() + 10);
    EXPECT_EQ(Events, (std::vector<std::string>{"Down", "Up", "Click"}));

    Events.clear();
    Mouse(WM_LBUTTONDOWN);
    Advance(GetDoubleClickTime() + 10);
    EXPECT_TRUE(Events == std::vector<std::string>{"Down"});
    Mouse(WM_LBUTTONUP);
    EXPECT_EQ(Events, (std::vector<std::string>{"Down", "Click", "Up"}));

    // Disabled, the icon ignores every mouse action.
    Events.clear();
    Tray->Enabled = false;
    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_LBUTTONUP);
    Mouse(WM_RBUTTONDOWN);
    Advance(GetDoubleClickTime() + 10);
    EXPECT_TRUE(Events.empty());
}

// A double click clicks the first default item of the icon's menu; a
// balloon click reports itself.
TEST_F(TTrayTest, DefaultMenuItemAndBalloonClick)
{
    MakeMainForm(true);
    Tray->SetIconVisible(true);
    auto* menu = new TPopupMenu(Form);
    std::vector<std::string> clicked;
    for (const char* name : {"a", "b", "c"}) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(name);
        item->SetDefault(std::string(name) != "a");
        item->OnClick = [&clicked, name](TObject*) { clicked.push_back(name); };
        menu->Items()->Add(item);
    }
    Tray->SetPopupMenu(menu);
    Mouse(WM_LBUTTONDBLCLK);
    EXPECT_EQ(clicked, std::vector<std::string>{"b"});

    int balloon = 0;
    Tray->OnBalloonHintClick = [&](TObject*) { ++balloon; };
    Mouse(NIN_BALLOONUSERCLICK);
    EXPECT_EQ(balloon, 1);
    delete menu;
    EXPECT_EQ(Tray->PopupMenu(), nullptr);
}

// The tip and balloon are cut to the tray's fields; the icon is removed
// and added with IconVisible.
TEST_F(TTrayTest, TipBalloonAndVisibility)
{
    MakeMainForm(true);
    Tray->SetHint(std::string(200, 'x'));
    Tray->SetIconVisible(true);
    const TTrayIconInfo* shown = Backend->TrayIconOf(Tray->Handle(), 1);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->Tip.size(), 127u);
    EXPECT_EQ(shown->CallbackMessage, WM_TRAYICONNOTIFY);
    Tray->SetShowHint(false);
    EXPECT_TRUE(Backend->TrayIconOf(Tray->Handle(), 1)->Tip.empty());

    EXPECT_TRUE(Tray->ShowBalloonHint(std::string(80, 't'), std::string(300, 'b'), bsbitWarning));
    shown = Backend->TrayIconOf(Tray->Handle(), 1);
    EXPECT_EQ(shown->BalloonTitle.size(), 63u);
    EXPECT_EQ(shown->BalloonText.size(), 255u);
    EXPECT_EQ(shown->BalloonIcon, 2);
    EXPECT_TRUE(Tray->HideBalloonHint());
    EXPECT_TRUE(Backend->TrayIconOf(Tray->Handle(), 1)->BalloonText.empty());

    Tray->SetIconVisible(false);
    EXPECT_EQ(Backend->TrayIconCount(), 0);
    EXPECT_FALSE(Tray->IconVisible());
    delete Tray;
    EXPECT_EQ(Backend->TrayIconCount(), 0);
}

// Cycling walks the icon list and reports 0 as the next index at its end;
// an index past the list takes the last image.
TEST_F(TTrayTest, IconCycling)
{
    MakeMainForm(true);
    TImageList list(nullptr, 16, 16);
    for (TColor c : {clRed, clLime, clBlue}) {
        TBitmap b(16, 16);
        b.Canvas()->Brush().SetColor(c);
        b.Canvas()->FillRect(TRect{0, 0, 16, 16});
        list.Add(b);
    }
    Tray->SetIconList(&list);
    Tray->SetIconIndex(7);
    EXPECT_EQ(Tray->IconIndex(), 2);
    std::vector<int> next;
    Tray->OnCycle = [&](TObject*, int n) { next.push_back(n); };
    Tray->SetAnimateTimerInterval(100);
    Tray->SetCycleIcons(true);
    EXPECT_EQ(Tray->IconIndex(), 0);
    for (int i = 0; i < 4; ++i)
        Advance(101);
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1}));
    Tray->SetCycleIcons(false);
    Tray->SetIconList(nullptr);

    // An icon from a bitmap: the mask colour becomes transparent.
    TBitmap b(16, 16);
    b.Canvas()->Brush().SetColor(clFuchsia);
    b.Canvas()->FillRect(TRect{0, 0, 16, 16});
    b.Canvas()->Brush().SetColor(clBlue);
    b.Canvas()->FillRect(TRect{4, 4, 12, 12});
    TIcon icon;
    ASSERT_TRUE(TbsTrayIcon::BitmapToIcon(b, icon, clFuchsia));
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(icon.Bitmap().GetPixel(8, 8) & 0xFFFFFF, clBlue);
    Tray->SetIcon(icon);
    EXPECT_FALSE(Tray->Icon().Empty());
}

// With a tray, minimizing the application hides the main form into the
// icon, and the icon brings it back; without one, minimizing leaves the
// form minimized where the desktop can restore it.
TEST_F(TTrayTest, MinimizeIntoTheTrayAndBack)
{
    MakeMainForm(true);
    Tray->SetIconVisible(false);
    Application->Minimize();
    Pump();
    EXPECT_FALSE(Form->Visible());
    EXPECT_FALSE(IsWindowVisible(Form->Handle()));
    EXPECT_TRUE(Tray->IconShown());
    EXPECT_EQ(Backend->TrayIconCount(), 1);

    Tray->OnDblClick = [this](TObject*) { Tray->ShowMainForm(); };
    Mouse(WM_LBUTTONDBLCLK);
    Pump();
    EXPECT_TRUE(Form->Visible());
    EXPECT_FALSE(Application->Minimized());
    EXPECT_EQ(Form->Tag(), 0);   // the frame took the tray's restore notice
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));

    // The frame's own minimize-to-tray command and its restore.
    Frame->MinimizeToTray();
    EXPECT_FALSE(Form->Visible());
    Frame->RestoreFromTray();
    EXPECT_TRUE(Form->Visible());
    EXPECT_FALSE(Tray->IconShown());
}

// Started in the tray, a multi-document main form (shown whatever the
// application was told) goes at its first position change, its icon in the
// tray; a plain main form or one not started in the tray stays.
TEST_F(TTrayTest, MultiDocumentMainFormStartedInTheTray)
{
    struct TCase {
        TFormStyle Style;
        bool MinimizedOnStart;
        bool Shown;
    };
    for (const TCase& c : {TCase{fsMDIForm, true, false}, TCase{fsNormal, true, true}, TCase{fsMDIForm, false, true}}) {
        Backend = &UseHeadlessBackend(WithTray());
        Application->Initialize();
        Form = NewForm<TForm>(nullptr, TFormCreation::New);
        Form->SetFormStyle(c.Style);
        Form->SetBounds(40, 30, 300, 200);
        Application->SetMainForm(Form);
        Frame = new TbsFormFrame(Form);
        Tray = new TbsTrayIcon(Form);
        Tray->MinimizedOnStart = c.MinimizedOnStart;
        Tray->Loaded();
        Form->Show();
        Pump();
        EXPECT_EQ(Form->Visible(), c.Shown) << c.Style << " " << c.MinimizedOnStart;
        EXPECT_EQ(IsWindowVisible(Form->Handle()), c.Shown) << c.Style << " " << c.MinimizedOnStart;
        if (c.MinimizedOnStart) {
            EXPECT_TRUE(Tray->IconShown()) << "the icon is the way back";
        }
        // Only the first change counts: shown again, the form stays.
        Form->Show();
        Pump();
        EXPECT_TRUE(Form->Visible()) << c.Style << " " << c.MinimizedOnStart;
        delete Form;
        Form = nullptr;
        Application->SetMainForm(nullptr);
    }
}

// The design preview shows the icon on a form being designed without
// changing the visibility the icon keeps for the running program.
TEST_F(TTrayTest, DesignPreviewShowsTheIconWhileDesigning)
{
    MakeMainForm(true);
    struct TDesignedTray : TbsTrayIcon {
        using TbsTrayIcon::TbsTrayIcon;
        void BeDesigned() { SetComponentStateFlag(csDesigning, true); }
    };
    auto* designed = new TDesignedTray(Form);
    designed->SetIconVisible(false);
    designed->BeDesigned();
    designed->SetIconVisible(true);
    EXPECT_FALSE(designed->IconShown()) << "a designed icon stays off the tray";
    designed->SetDesignPreview(true);
    EXPECT_TRUE(designed->IconShown());
    designed->SetIconVisible(false);
    EXPECT_FALSE(designed->IconVisible());
    designed->SetDesignPreview(false);
    EXPECT_FALSE(designed->IconShown());
    EXPECT_FALSE(designed->IconVisible());
    delete designed;
}

// Icons hook the application's minimize in turn and may go in any order.
TEST_F(TTrayTest, IconsGoInAnyOrder)
{
    MakeMainForm(true);
    auto* second = new TbsTrayIcon(Form);
    delete Tray;
    Tray = nullptr;
    EXPECT_EQ(Frame->TrayIcon(), nullptr);
    Application->Minimize();
    Pump();
    EXPECT_TRUE(second->IconShown());
    EXPECT_FALSE(Form->Visible());
    second->ShowMainForm();
    Pump();
    EXPECT_TRUE(Form->Visible());
}

TEST_F(TTrayTest, WithoutATrayMinimizingKeepsTheFormReachable)
{
    MakeMainForm(false);
    Tray->SetIconVisible(true);
    EXPECT_FALSE(Tray->IconShown());
    Application->Minimize();
    Pump();
    EXPECT_TRUE(Form->Visible());
    EXPECT_TRUE(IsIconic(Form->Handle()));
    Application->Restore();
    Pump();
    EXPECT_FALSE(IsIconic(Form->Handle()));

    // The frame's minimize-to-tray command minimizes through the application.
    Frame->MinimizeToTray();
    Pump();
    EXPECT_TRUE(Form->Visible());
    EXPECT_TRUE(Application->Minimized());
    EXPECT_TRUE(IsIconic(Form->Handle()));
}

// A tray host that starts later ("TaskbarCreated") takes an icon that is
// meant to show; one that is hidden stays away, and one already shown is
// not added twice.
TEST_F(TTrayTest, ATrayThatStartsLaterTakesTheVisibleIcon)
{
    MakeMainForm(false);
    Tray->SetIconVisible(true);
    auto* hidden = new TbsTrayIcon(Form);
    hidden->SetIconVisible(false);
    ASSERT_FALSE(Tray->IconShown());

    TPlatformCaps caps = Backend->Caps();
    caps.TrayIcon = true;
    Backend->SetCaps(caps);
    BroadcastTaskbarCreated();
    Pump();
    EXPECT_TRUE(Tray->IconShown());
    EXPECT_FALSE(hidden->IconShown());
    EXPECT_EQ(Backend->TrayIconCount(), 1);

    int calls = Backend->TrayCallCount();
    BroadcastTaskbarCreated();
    Pump();
    EXPECT_EQ(Backend->TrayCallCount(), calls);
    EXPECT_EQ(Backend->TrayIconCount(), 1);
}

// The form with two edits, the second holding the keys, and a second form
// without controls that takes the activation away.
class TTrayOwnerTest : public TTrayTest {
protected:
    void SetUp() override
    {
        TTrayTest::SetUp();
        MakeMainForm(true);
        for (int i = 0; i < 2; ++i) {
            auto* e = new TEdit(Form);
            e->SetParent(Form);
            e->SetBounds(10, 10 + 30 * i, 120, 22);
            Edits.push_back(e);
        }
        Pump();
        Edits[1]->SetFocus();
        Pump();
        ASSERT_EQ(GetFocus(), Edits[1]->Handle());
        Other = NewForm<TForm>(nullptr, TFormCreation::New);
        Other->SetBounds(400, 300, 200, 120);
    }
    void TearDown() override
    {
        delete Other;
        TTrayTest::TearDown();
    }
    // The other form shown and active: the keys left the tray's form.
    void ActivateOther()
    {
        Other->Show();
        SetForegroundWindow(Other->Handle());
        Pump();
        ASSERT_EQ(GetForegroundWindow(), Other->Handle());
        ASSERT_NE(GetFocus(), Edits[1]->Handle());
    }

    std::vector<TEdit*> Edits;
    TForm* Other = nullptr;
};

// Activated again, the form gives the keys back to the control that had
// them, also when it comes back minimized (from the taskbar, before it is
// restored), when the form itself would leave the keys nowhere.
TEST_F(TTrayOwnerTest, ActivationGivesTheKeysBackToTheActiveControl)
{
    struct TCase {
        const char* Name;
        bool Minimized;
    };
    for (const TCase& c : {TCase{"normal", false}, TCase{"minimized", true}}) {
        ActivateOther();
        if (c.Minimized) {
            ShowWindow(Form->Handle(), SW_MINIMIZE);
            Pump();
            ASSERT_TRUE(IsIconic(Form->Handle())) << c.Name;
        }
        SetActiveWindow(Form->Handle());
        Pump();
        EXPECT_EQ(GetFocus(), Edits[1]->Handle()) << c.Name;
        EXPECT_EQ(Screen->ActiveControl(), Edits[1]) << c.Name;
        ShowWindow(Form->Handle(), SW_RESTORE);
        Pump();
    }
}

// Shown again while another window is in front (here without being
// activated, as another program might show it), the form comes to the
// front with its keys where they were; a minimized program is restored.
TEST_F(TTrayOwnerTest, HiddenFormShownAgainComesToTheFront)
{
    Form->Hide();
    Pump();
    ActivateOther();
    ShowWindow(Form->Handle(), SW_SHOWNOACTIVATE);
    Pump();
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_EQ(GetForegroundWindow(), Form->Handle());
    EXPECT_EQ(GetFocus(), Edits[1]->Handle());

    // A minimized program is restored by the showing of its tray form.
    Tray->MinimizeToTray = false;
    Application->Minimize();
    Pump();
    ASSERT_TRUE(Application->Minimized());
    ShowWindow(Form->Handle(), SW_HIDE);
    Pump();
    ShowWindow(Form->Handle(), SW_SHOWNORMAL);
    Pump();
    EXPECT_FALSE(Application->Minimized());
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_FALSE(IsIconic(Form->Handle()));
    EXPECT_EQ(GetForegroundWindow(), Form->Handle());
}

// After the icon goes its hook stays in the form's chain: the form's
// messages still reach the form (and the frame), and showing the form no
// longer pulls it to the front.
TEST_F(TTrayOwnerTest, AfterTheIconGoesTheFormsMessagesPassThrough)
{
    delete Tray;
    Tray = nullptr;
    Form->SetCaption("still heard");
    EXPECT_EQ(Frame->CaptionText(), "still heard");
    Watched = WM_SHOWWINDOW;
    Form->Hide();
    Pump();
    ActivateOther();
    ShowWindow(Form->Handle(), SW_SHOWNOACTIVATE);
    Pump();
    EXPECT_EQ(std::count(Trace.begin(), Trace.end(), "saved"), 2) << "hidden and shown: both reach the form's own procedure";
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_EQ(GetForegroundWindow(), Other->Handle());
    Backend->Click(Edits[0]->ClientToScreen(TPoint{5, 5}).X, Edits[0]->ClientToScreen(TPoint{5, 5}).Y);
    Pump();
    EXPECT_EQ(GetFocus(), Edits[0]->Handle()) << "input still reaches the form's controls";
}

}  // namespace
