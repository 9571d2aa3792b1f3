// A multi-document test form with three skinned children: the frame's
// arrangements, the window menu's entries, the tab bar it feeds and a
// maximized child's buttons on the menu bar. Renders of each state.
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include "SkinFrameFixture.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/forms/MDIClient.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/controls/ControlPaint.h"
#include "skin/frame/MDITabsBar.h"
#include "skin/menus/SkinMainMenuBar.h"

namespace {

class TMDIFrameTest : public TFrameTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        TFrameTest::SetUp();
        Skin.Load(GetParam());
        Form = NewForm<TForm>(nullptr, TFormCreation::New);
        Form->SetName("MainMDI");
        Form->SetCaption("ZarvoMPG格式转换器");
        Form->SetBounds(20, 20, 760, 540);
        Form->SetFormStyle(fsMDIForm);
        Application->SetMainForm(Form);
        Menu = new TbsSkinMainMenu(Form);
        for (const char* caption : {"文件", "窗口"}) {
            auto* item = new TMenuItem(Menu);
            item->SetCaption(caption);
            auto* sub = new TMenuItem(Menu);
            sub->SetCaption("Tile");
            item->Add(sub);
            Menu->Items()->Add(item);
        }
        WindowItem = Menu->Items()->Items(1);
        Form->SetWindowMenu(WindowItem);
        Frame = new TbsFormFrame(Form);
        Frame->OnCaptionPaint = nullptr;
        MenuBar = new TbsSkinMainMenuBar(Form);
        MenuBar->SetAlign(alTop);
        MenuBar->SetParent(Form);
        MenuBar->SetMainMenu(Menu);
        MenuBar->SetFormFrame(Frame);
        Frame->SetMainMenuBar(MenuBar);
        Tabs = new TbsSkinMDITabsBar(Form);
        Tabs->SetAlign(alTop);
        Tabs->SetParent(Form);
        Tabs->BSF = Frame;
        Frame->SetMDITabsBar(Tabs);
        Frame->SetSkinData(&Skin.Data);
        MenuBar->SetSkinData(&Skin.Data);
        Tabs->SetSkinData(&Skin.Data);
        Form->Show();
        Pump();
        for (int i = 0; i < 3; ++i)
            AddChild("Doc" + std::to_string(i + 1));
    }
    void TearDown() override
    {
        delete Form;   // its client window takes the children along
        Form = nullptr;
        TFrameTest::TearDown();
    }
    TForm* AddChild(const std::string& Name)
    {
        auto* c = NewForm<TForm>(nullptr, TFormCreation::New);
        c->SetName(Name);
        c->SetCaption("文档 " + Name);
        c->SetFormStyle(fsMDIChild);
        const int at = 10 + 60 * int(Children.size());
        c->SetBounds(at, at, 260, 180);
        // The child's own procedure counts what the frame passes on to it.
        auto original = c->WindowProc;
        c->WindowProc = [this, c, original](TMessage& m) {
            if (m.Msg == WM_NCACTIVATE)
                ++SavedNCActivate[c];
            original(m);
        };
        auto* f = new TbsFormFrame(c);
        f->OnCaptionPaint = nullptr;
        f->SetSkinData(&Skin.Data);
        c->Show();
        Pump();
        Children.push_back(c);
        return c;
    }
    std::vector<std::string> WindowEntries()
    {
        std::vector<std::string> out;
        for (int i = 0; i < WindowItem->Count(); ++i) {
            TMenuItem* item = WindowItem->Items(i);
            if (item->Name().find("_BSFCHILDITEM") != std::string::npos)
                out.push_back(item->Caption() + (item->Checked() ? " *" : ""));
        }
        return out;
    }
    std::vector<std::string> TabEntries()
    {
        std::vector<std::string> out;
        Tabs->UpdateActiveTab();
        for (int i = 0; i < Tabs->TabCount(); ++i)
            out.push_back(Tabs->Tabs(i)->Child->Caption() + (Tabs->Tabs(i)->Active ? " *" : ""));
        return out;
    }
    void Render(const std::string& What)
    {
        std::filesystem::path dir = std::filesystem::path(FRAME_RENDER_DIR) / "mdi";
        std::filesystem::create_directories(dir);
        Pump();
        for (TForm* c : Children)
            if (c->HandleAllocated())
                SendMessage(c->Handle(), WM_NCPAINT, 0, 0);
        Send(WM_NCPAINT);
        Backend->SaveWindowPicture(Form->Handle(),
                                   (dir / ("skin" + std::to_string(GetParam()) + "_" + What + ".png")).string());
    }
    TbsFormFrame* FrameOf(TForm* c) { return GetFormFrame(c); }
    // The clock moved on in small steps, so that every timer tick in
    // between is handled.
    void AdvanceInSteps(uint32_t ms)
    {
        for (uint32_t t = 0; t < ms; t += 5)
            Advance(5);
    }
    // A child's caption band as the main form shows it, one value per pixel.
    std::vector<TColor> CaptionBand(TForm* c)
    {
        Pump();
        auto shot = Backend->CaptureWindow(Form->Handle());
        TRect main, child;
        GetWindowRect(Form->Handle(), main);
        GetWindowRect(c->Handle(), child);
        std::vector<TColor> out;
        const int top = child.Top - main.Top, left = child.Left - main.Left;
        for (int y = top; y < top + FrameOf(c)->NewClRect.Top; ++y)
            for (int x = left; x < left + c->Width(); ++x)
                out.push_back(shot->GetPixel(x, y));
        return out;
    }
    // The last child maximized, then every child closed (hidden) or
    // destroyed one after another, last first.
    void LeaveEveryChildFromMaximized(bool Destroy)
    {
        FrameOf(Children.back())->SetWindowState(wsMaximized);
        Pump();
        ASSERT_EQ(MenuBar->ButtonsCount(), 4);
        for (auto it = Children.rbegin(); it != Children.rend(); ++it) {
            if (Destroy)
                delete *it;
            else
                (*it)->Close();
            Pump();
        }
        if (Destroy)
            Children.clear();
        EXPECT_EQ(Tabs->TabCount(), 0);
        EXPECT_EQ(Tabs->ListButton(), nullptr) << "the list button goes with the last tab";
        EXPECT_TRUE(WindowEntries().empty());
        EXPECT_EQ(MenuBar->ButtonsCount(), 0) << "no maximized child is left to own the buttons";
        EXPECT_FALSE(Frame->MDIChildMaximized());
        EXPECT_EQ(Frame->CaptionText(), "ZarvoMPG格式转换器");
    }

    TLoadedSkin Skin;
    TbsSkinMainMenu* Menu = nullptr;
    TMenuItem* WindowItem = nullptr;
    TbsSkinMainMenuBar* MenuBar = nullptr;
    TbsSkinMDITabsBar* Tabs = nullptr;
    std::vector<TForm*> Children;
    std::map<TForm*, int> SavedNCActivate;
};

// The window menu and the tab bar follow the children as they are created,
// activated, renamed and closed.
TEST_P(TMDIFrameTest, WindowMenuAndTabBarFollowTheChildren)
{
    EXPECT_EQ(Form->ActiveMDIChild(), Children[2]);
    EXPECT_EQ(WindowEntries(), (std::vector<std::string>{"文档 Doc1", "文档 Doc2", "文档 Doc3 *"}));
    EXPECT_EQ(TabEntries(), (std::vector<std::string>{"文档 Doc1", "文档 Doc2", "文档 Doc3 *"}));
    Render("tabs");

    const TPoint inside = Children[0]->ClientToScreen(TPoint{20, 20});
    Backend->Click(inside.X, inside.Y);
    Pump();
    EXPECT_EQ(Form->ActiveMDIChild(), Children[0]);
    EXPECT_EQ(WindowEntries(), (std::vector<std::string>{"文档 Doc1 *", "文档 Doc2", "文档 Doc3"}));
    EXPECT_EQ(TabEntries(), (std::vector<std::string>{"文档 Doc1 *", "文档 Doc2", "文档 Doc3"}));

    Children[1]->SetCaption("Renamed");
    EXPECT_EQ(WindowEntries(), (std::vector<std::string>{"文档 Doc1 *", "Renamed", "文档 Doc3"}));
    EXPECT_EQ(TabEntries()[1], "Renamed");

    // A window-menu entry brings its child forward.
    WindowItem->Items(WindowItem->Count() - 1)->Click();
    EXPECT_EQ(Form->ActiveMDIChild(), Children[2]);

    delete Children[1];
    Children.erase(Children.begin() + 1);
    Pump();
    EXPECT_EQ(WindowEntries(), (std::vector<std::string>{"文档 Doc1", "文档 Doc3 *"}));
    EXPECT_EQ(TabEntries(), (std::vector<std::string>{"文档 Doc1", "文档 Doc3 *"}));
    EXPECT_EQ(WindowItem->Count(), 3) << "the menu's own item stays";
}

// Tile: one column of three (the square root of three truncated), filled
// from the last child at the bottom; Cascade: steps of the caption's depth.
TEST_P(TMDIFrameTest, TileAndCascadeGeometry)
{
    const TRect area = Frame->GetMDIWorkArea();
    EXPECT_EQ(area.Top, Tabs->Top() + Tabs->Height()) << "below the two bars";
    EXPECT_EQ(Form->MDIClient()->BoundsRect(), area);
    const int W = area.Width(), H = area.Height();
    Frame->Tile();
    const int n = Form->MDIChildCount();
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(Form->MDIChildren(i)->BoundsRect(), (TRect{0, H / 3 * i, W, H / 3 * (i + 1)}))
            << "child " << i << " " << Form->MDIChildren(i)->Name();
    Render("tiled");

    Frame->Cascade();
    const int step = Frame->NewClRect.Top;
    const int steps = (W - int(std::lround(W * 0.8))) / step;
    const int cw = steps > n ? W - step * (n - 1) : W - step * steps;
    const int ch = steps > n ? H - step * (n - 1) : H - step * steps;
    for (int i = n - 1, offset = 0; i >= 0; --i, offset += step)
        EXPECT_EQ(Form->MDIChildren(i)->BoundsRect(), (TRect{offset, offset, offset + cw, offset + ch})) << i;
    Render("cascaded");

    Frame->MinimizeAll();
    for (TForm* c : Children)
        EXPECT_EQ(FrameOf(c)->WindowState(), wsMinimized);
    EXPECT_EQ(Form->MDIChildren(n - 1)->Top(), H - FrameOf(Children[0])->GetMinHeight());
    Frame->RestoreAll();
    for (TForm* c : Children)
        EXPECT_EQ(FrameOf(c)->WindowState(), wsNormal);
}

// A maximized child fills the client area and loses its frame; its buttons
// join the menu bar and the main caption names it. The bar's restore button
// brings it back and the buttons leave.
TEST_P(TMDIFrameTest, MaximizedChildButtonsOnTheMenuBar)
{
    TForm* child = Children[1];
    FrameOf(child)->SetWindowState(wsMaximized);
    Pump();
    const TRect area = Frame->GetMDIWorkArea();
    EXPECT_EQ(child->BoundsRect(), (TRect{0, 0, area.Width(), area.Height()}));
    EXPECT_TRUE(Frame->MDIChildMaximized());
    ASSERT_EQ(MenuBar->ButtonsCount(), 4);
    EXPECT_EQ(Frame->CaptionText(), "ZarvoMPG格式转换器 - [文档 Doc2]");
    Render("maximized");
    // Buttons at both ends of the bar: system menu left, the rest right.
    MenuBar->Repaint();
    Pump();
    EXPECT_LT(MenuBar->MDIButtons[0]->ObjectRect.Left, 10);
    EXPECT_GT(MenuBar->MDIButtons[1]->ObjectRect.Left, MenuBar->Width() - 40);

    const TRect restore = MenuBar->MDIButtons[2]->ObjectRect;
    const TPoint p = MenuBar->ClientToScreen(TPoint{(restore.Left + restore.Right) / 2, (restore.Top + restore.Bottom) / 2});
    Backend->Click(p.X, p.Y);
    Pump();
    EXPECT_EQ(FrameOf(child)->WindowState(), wsNormal);
    EXPECT_FALSE(Frame->MDIChildMaximized());
    EXPECT_EQ(MenuBar->ButtonsCount(), 0);
    EXPECT_EQ(Frame->CaptionText(), "ZarvoMPG格式转换器");

    Frame->MaximizeAll();
    EXPECT_EQ(MenuBar->ButtonsCount(), 4);
    Frame->RestoreAll();
    EXPECT_EQ(MenuBar->ButtonsCount(), 0);
}

// CloseAll closes every child, last first; their tabs and window-menu entries go.
TEST_P(TMDIFrameTest, CloseAllEmptiesTabsAndWindowMenu)
{
    Frame->CloseAll();
    Pump();
    for (TForm* c : Children)
        EXPECT_FALSE(c->Visible());
    EXPECT_EQ(Tabs->TabCount(), 0);
    EXPECT_EQ(Tabs->ListButton(), nullptr) << "the list button goes with the last tab";
    EXPECT_TRUE(WindowEntries().empty());
}

// A maximized child leaving takes its buttons off the menu bar and its name
// out of the main caption, as the tabs and entries of every child go.
TEST_P(TMDIFrameTest, MaximizedChildClosedThenTheRest) { LeaveEveryChildFromMaximized(false); }

TEST_P(TMDIFrameTest, MaximizedChildDestroyedThenTheRest) { LeaveEveryChildFromMaximized(true); }

// Hidden while maximized, a child keeps its state: shown again it takes its
// buttons and its place in the caption back.
TEST_P(TMDIFrameTest, MaximizedChildHiddenAndShownAgain)
{
    TForm* child = Children[1];
    FrameOf(child)->SetWindowState(wsMaximized);
    child->Close();
    Pump();
    EXPECT_EQ(MenuBar->ButtonsCount(), 0);
    EXPECT_EQ(Frame->CaptionText(), "ZarvoMPG格式转换器");
    child->Show();
    Pump();
    EXPECT_EQ(FrameOf(child)->WindowState(), wsMaximized);
    EXPECT_EQ(MenuBar->ButtonsCount(), 4);
    EXPECT_EQ(Frame->CaptionText(), "ZarvoMPG格式转换器 - [文档 Doc2]");
}

// A child's activation goes on to its own procedure (the client window keeps
// the bookkeeping) and brings the main form's window menu, tab bar and menu
// bar up to date by itself.
TEST_P(TMDIFrameTest, ChildActivationPassesOnAndUpdatesTheMainForm)
{
    TForm* active = Children[2];
    const int before = SavedNCActivate[active];
    for (int i = 0; i < WindowItem->Count(); ++i)
        WindowItem->Items(i)->SetChecked(false);
    EXPECT_EQ(SendMessage(active->Handle(), WM_NCACTIVATE, 1, 0), 1);
    EXPECT_EQ(SavedNCActivate[active], before + 1) << "the child's own procedure sees its activation";
    EXPECT_EQ(WindowEntries(), (std::vector<std::string>{"文档 Doc1", "文档 Doc2", "文档 Doc3 *"}));

    // A maximized child's activation repaints the main form's frame.
    FrameOf(active)->SetWindowState(wsMaximized);
    Pump();
    int mainPaints = 0;
    auto original = Form->WindowProc;
    Form->WindowProc = [&mainPaints, original](TMessage& m) {
        if (m.Msg == WM_NCPAINT)
            ++mainPaints;
        original(m);
    };
    SendMessage(active->Handle(), WM_NCACTIVATE, 0, 0);
    EXPECT_GT(mainPaints, 0);
    Form->WindowProc = original;
}

// The main form came back to the front while its active child was drawn
// inactive: a press in that child gives its caption the active look again,
// although the child was never deactivated inside the client.
TEST_P(TMDIFrameTest, PressOnTheActiveChildMakesItsCaptionActive)
{
    TForm* active = Children[2];
    const std::vector<TColor> lit = CaptionBand(active);
    // Another window in front, and the child drawn inactive as it went.
    auto* other = NewForm<TForm>(nullptr, TFormCreation::New);
    other->SetBounds(700, 500, 120, 80);
    other->Show();
    Pump();
    ASSERT_FALSE(Form->Active());
    SendMessage(active->Handle(), WM_NCACTIVATE, 0, 0);
    ASSERT_FALSE(FrameOf(active)->GetFormActive());
    EXPECT_NE(CaptionBand(active), lit) << "the caption is drawn inactive";

    const TPoint inside = active->ClientToScreen(TPoint{30, 30});
    Backend->Click(inside.X, inside.Y);
    Pump();
    EXPECT_EQ(Form->ActiveMDIChild(), active);
    EXPECT_TRUE(FrameOf(active)->GetFormActive());
    EXPECT_EQ(CaptionBand(active), lit) << "the caption is drawn active again";
    delete other;
}

// A menu-ending message of the main form closes a menu the active child has
// open, and the drop-down of a skinned combo box placed on the main form.
TEST_P(TMDIFrameTest, MenuEndingMessagesCloseTheChildsMenuAndDropDowns)
{
    TForm* child = Children[2];
    auto* popup = new TPopupMenu(child);
    auto* item = new TMenuItem(popup);
    item->SetCaption("Copy");
    popup->Items()->Add(item);
    FrameOf(child)->DoPopupMenu(popup, 300, 300);
    ASSERT_TRUE(FrameOf(child)->SkinMenu()->Visible());
    SendMessage(Form->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(FrameOf(child)->SkinMenu()->Visible());

    auto* combo = new TbsSkinComboBox(Form);
    combo->SetParent(Form);
    combo->SetBounds(500, 2, 120, 20);
    combo->SetSkinData(&Skin.Data);
    for (const char* text : {"MPG", "AVI", "MP4"})
        combo->Items().Add(text);
    Pump();
    combo->DropDown();
    ASSERT_TRUE(combo->IsPopupVisible());
    SendMessage(Form->Handle(), WM_MOVE, 0, 0);
    EXPECT_FALSE(combo->IsPopupVisible());
}

// Another skin while a child is maximized: the main form's bars change
// height, the maximized child is fitted to the new client area, and its
// caption takes the new skin's look at once, without an animation.
TEST_P(TMDIFrameTest, SkinChangeRefitsTheChildren)
{
    TForm* child = Children[1];
    FrameOf(child)->SetWindowState(wsMaximized);
    FrameOf(Children[0])->SetWindowState(wsMinimized);
    Pump();
    TLoadedSkin other;
    other.Load(GetParam() == 0 ? 3 : 0);
    for (TForm* f : {static_cast<TForm*>(Form), Children[0], Children[1], Children[2]})
        GetFormFrame(f)->SetSkinData(&other.Data);
    MenuBar->SetSkinData(&other.Data);
    Tabs->SetSkinData(&other.Data);
    Pump();
    const TRect area = Frame->GetMDIWorkArea();
    EXPECT_EQ(child->BoundsRect(), (TRect{0, 0, area.Width(), area.Height()}));
    EXPECT_EQ(Children[0]->Top(), area.Height() - FrameOf(Children[0])->GetMinHeight())
        << "a minimized child keeps to the bottom of the new area";
    EXPECT_FALSE(FrameOf(child)->MorphTimer->Enabled());
    EXPECT_FALSE(FrameOf(child)->AnimateTimer->Enabled());
    Render("reskinned_maximized");
    for (TForm* f : {static_cast<TForm*>(Form), Children[0], Children[1], Children[2]})
        GetFormFrame(f)->SetSkinData(nullptr);
    MenuBar->SetSkinData(nullptr);
    Tabs->SetSkinData(nullptr);
}

// A child whose skin cuts the frame's corners away: maximized, it shows no
// frame and its whole rectangle stays; restored, the corners are cut again.
TEST_P(TMDIFrameTest, MaximizedChildKeepsItsWholeRectangle)
{
    TbsSkinData masked{nullptr};
    TestSkin::Build(masked);
    TForm* child = Children[1];
    FrameOf(child)->SetSkinData(&masked);
    Pump();
    TRegion rgn;
    ASSERT_NE(GetWindowRgn(child->Handle(), rgn), 0);
    EXPECT_FALSE(rgn.Contains(TPoint{0, 0})) << "the skin's mask cuts the corner";

    FrameOf(child)->SetWindowState(wsMaximized);
    Pump();
    ASSERT_NE(GetWindowRgn(child->Handle(), rgn), 0);
    EXPECT_EQ(rgn, TRegion(TRect{0, 0, child->Width(), child->Height()}));

    FrameOf(child)->SetWindowState(wsNormal);
    Pump();
    ASSERT_NE(GetWindowRgn(child->Handle(), rgn), 0);
    EXPECT_FALSE(rgn.Contains(TPoint{0, 0}));
    FrameOf(child)->SetSkinData(nullptr);
}

// A child's system menu is shown by the main form's menu engine (its popup is
// a window of the main form, not clipped by the client); the child is in
// menu mode until that menu closes, and keys go to it meanwhile.
TEST_P(TMDIFrameTest, ChildSystemMenuShownByTheMainForm)
{
    TForm* child = Children[2];
    TbsFormFrame* cf = FrameOf(child);
    TRect r;
    GetWindowRect(child->Handle(), r);
    // A right click on the middle of the child's caption.
    TRect cap;
    for (auto& o : cf->ObjectList)
        if (dynamic_cast<TbsSkinCaptionObject*>(o.get()))
            cap = o->ObjectRect;
    const TPoint at{r.Left + (cap.Left + cap.Right) / 2, r.Top + (cap.Top + cap.Bottom) / 2};
    ASSERT_EQ(SendMessage(child->Handle(), WM_NCHITTEST, 0, MAKELPARAM(at.X, at.Y)), HTCAPTION);
    Backend->Click(at.X, at.Y, 1);
    Pump();
    EXPECT_TRUE(Frame->SkinMenu()->Visible());
    EXPECT_FALSE(cf->SkinMenu()->Visible());
    EXPECT_TRUE(cf->InMenu);
    // The popup is a window of its own: the whole screen shows it over the child.
    Backend->SaveScreenPicture((std::filesystem::path(FRAME_RENDER_DIR) / "mdi" /
                                ("skin" + std::to_string(GetParam()) + "_child_system_menu.png"))
                                   .string());

    Backend->KeyPress(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(Frame->SkinMenu()->Visible());
    EXPECT_FALSE(cf->InMenu) << "the child hears that its menu closed";
    child->SetCaption("after");   // keys and messages reach the child again
    EXPECT_EQ(TabEntries()[2], "after *");
}

// The shortcuts of the active child's own main menu run through the main
// form, once per key, and only while that child is the active one.
TEST_P(TMDIFrameTest, ChildMenuShortcutsRunOnce)
{
    int copies = 0;
    auto menuOf = [&copies](TForm* c) {
        auto* menu = new TMainMenu(c);
        auto* edit = new TMenuItem(menu);
        edit->SetCaption("编辑");
        edit->SetGroupIndex(1);
        auto* copy = new TMenuItem(menu);
        copy->SetCaption("复制");
        copy->SetShortCut(ShortCut('D', false, true, false));
        copy->OnClick = [&copies, c](TObject*) { copies += c->Name() == "Doc3" ? 1 : 100; };
        edit->Add(copy);
        menu->Items()->Add(edit);
    };
    menuOf(Children[2]);
    MenuBar->UpdateChildMenu();
    ASSERT_NE(MenuBar->ChildMainMenu(), nullptr);
    for (int i = 0; i < 2; ++i) {
        Backend->KeyDown(VK_CONTROL);
        Backend->KeyPress('D');
        Backend->KeyUp(VK_CONTROL);
        Pump();
    }
    EXPECT_EQ(copies, 2);
}

// The maximized child's buttons on the bar come from the skin's button
// descriptions that the bar's entry names: their picture's size, centred in
// the items row, the normal image and under the pointer the active one.
TEST_P(TMDIFrameTest, MaximizedChildButtonsDrawnFromTheSkin)
{
    FrameOf(Children[1])->SetWindowState(wsMaximized);
    Pump();
    MenuBar->Repaint();
    Pump();
    ASSERT_EQ(MenuBar->ButtonsCount(), 4);
    TRect bar, main;
    GetWindowRect(MenuBar->Handle(), bar);
    GetWindowRect(Form->Handle(), main);
    auto shown = [&](const TRect& r, int x, int y) {
        Pump();
        auto shot = Backend->CaptureWindow(Form->Handle());
        return shot->GetPixel(bar.Left - main.Left + r.Left + x, bar.Top - main.Top + r.Top + y);
    };
    for (const auto& b : MenuBar->MDIButtons) {
        ASSERT_TRUE(b->Skinned()) << b->IDName;
        const TRect& r = b->ObjectRect;
        EXPECT_EQ(r.Width(), b->SkinRect.Width()) << b->IDName;
        EXPECT_EQ(r.Height(), b->SkinRect.Height()) << b->IDName;
        EXPECT_LT(std::abs((r.Top + r.Bottom) - (MenuBar->NewItemsRect.Top + MenuBar->NewItemsRect.Bottom)), 2)
            << "centred in the items row: " << b->IDName;
        const int y = r.Height() / 2;
        EXPECT_EQ(shown(r, 3, y), b->Picture->GetPixel(b->SkinRect.Left + 3, b->SkinRect.Top + y)) << b->IDName;
    }
    const auto& close = *MenuBar->MDIButtons[1];
    ASSERT_EQ(close.Command, cmClose);
    const TPoint over = MenuBar->ClientToScreen(TPoint{close.ObjectRect.Left + 3, close.ObjectRect.Top + close.ObjectRect.Height() / 2});
    Backend->MouseMove(over.X, over.Y);
    Advance(60);
    EXPECT_TRUE(close.FMouseIn);
    AdvanceInSteps(300);   // the morph towards the active image has ended
    const int y = close.ObjectRect.Height() / 2;
    EXPECT_EQ(shown(close.ObjectRect, 3, y), close.Picture->GetPixel(close.ActiveSkinRect.Left + 3, close.ActiveSkinRect.Top + y));
    std::filesystem::path dir = std::filesystem::path(FRAME_RENDER_DIR) / "mdi";
    Backend->SaveWindowPicture(Form->Handle(),
                               (dir / ("skin" + std::to_string(GetParam()) + "_maximized_close_hovered.png")).string());
}

// What the main form shows at X, Y of the menu bar's client area.
TColor BarPixel(THeadlessBackend* Backend, TForm* Form, TbsSkinMainMenuBar* Bar, int X, int Y)
{
    TRect bar, main;
    GetWindowRect(Bar->Handle(), bar);
    GetWindowRect(Form->Handle(), main);
    return Backend->CaptureWindow(Form->Handle())->GetPixel(bar.Left - main.Left + X, bar.Top - main.Top + Y);
}

// Every channel of Shown lies between those of From and To, and Shown is
// neither of them.
bool Between(TColor Shown, TColor From, TColor To)
{
    if (Shown == From || Shown == To)
        return false;
    for (int shift : {0, 8, 16}) {
        const int v = (Shown >> shift) & 0xFF, a = (From >> shift) & 0xFF, b = (To >> shift) & 0xFF;
        if (v < std::min(a, b) || v > std::max(a, b))
            return false;
    }
    return true;
}

// Without the bar's skin the maximized child's buttons wear the plain face
// of the frame's caption buttons: the button face; hovered a navy frame on
// the hot fill; pressed under the pointer the pressed fill with the glyph a
// pixel further; pressed but left, the plain face again (and released
// there, no command); disabled, the glyph in the shadow colour and no hover.
TEST_P(TMDIFrameTest, PlainMaximizedChildButtonFaces)
{
    TForm* child = Children[1];
    FrameOf(child)->SetWindowState(wsMaximized);
    MenuBar->SetSkinData(nullptr);
    Pump();
    ASSERT_EQ(MenuBar->ButtonsCount(), 4);
    for (const auto& b : MenuBar->MDIButtons)
        ASSERT_FALSE(b->Skinned()) << b->IDName;
    const TbsSkinMainMenuBarButton& close = *MenuBar->MDIButtons[1];
    const TbsSkinMainMenuBarButton& minimize = *MenuBar->MDIButtons[3];
    ASSERT_EQ(close.Command, cmClose);
    ASSERT_EQ(minimize.Command, cmMinimize);
    auto centre = [this](const TbsSkinMainMenuBarButton& b) {
        return MenuBar->ClientToScreen(TPoint{(b.ObjectRect.Left + b.ObjectRect.Right) / 2,
                                              (b.ObjectRect.Top + b.ObjectRect.Bottom) / 2});
    };
    const TPoint away = MenuBar->ClientToScreen(TPoint{MenuBar->Width() / 2, MenuBar->Height() + 200});
    const TColor face = ColorToRGB(clBtnFace), ink = ColorToRGB(clBtnText), shadow = ColorToRGB(clBtnShadow);
    struct TFaceCase {
        const char* Name;
        std::function<void()> Act;
        const TbsSkinMainMenuBarButton* Button;
        TColor Edge, Fill, Glyph;
        TPoint GlyphPixel;   // from the glyph's origin (width div 2 - 5, height div 2 - 4)
        TPoint Clear;        // a pixel of the unpressed glyph that pressing moves off
    };
    const TPoint closeStart{1, 1}, minimizeBar{3, 8}, none{-100, -100};
    const TFaceCase cases[] = {
        {"normal", [&] { Backend->MouseMove(away.X, away.Y); }, &close, face, face, ink, closeStart, none},
        {"hovered", [&] { Backend->MouseMove(centre(close).X, centre(close).Y); }, &close, PlainHotFrame, PlainHotFill,
         ink, closeStart, none},
        {"down and hovered", [&] { Backend->MouseDown(centre(close).X, centre(close).Y); }, &close, PlainHotFrame,
         PlainDownFill, ink, TPoint{2, 2}, closeStart},
        {"down, pointer gone", [&] { Backend->MouseMove(away.X, away.Y); }, &close, face, face, ink, closeStart, none},
        {"disabled",
         [&] {
             Backend->MouseUp(away.X, away.Y);
             TbsBorderIcons icons = FrameOf(child)->BorderIcons();
             icons.Exclude(TbsBorderIcon::biMinimize);
             FrameOf(child)->SetBorderIcons(icons);
             MenuBar->UpDateItems();
             Pump();
             Backend->MouseMove(centre(*MenuBar->MDIButtons[3]).X, centre(*MenuBar->MDIButtons[3]).Y);
         },
         nullptr, face, face, shadow, minimizeBar, none},
    };
    for (const TFaceCase& c : cases) {
        c.Act();
        AdvanceInSteps(80);
        MenuBar->Repaint();
        Pump();
        const TbsSkinMainMenuBarButton& b = c.Button ? *c.Button : *MenuBar->MDIButtons[3];
        const TRect& r = b.ObjectRect;
        const int gx = r.Left + r.Width() / 2 - 5, gy = r.Top + r.Height() / 2 - 4;
        auto at = [&](int x, int y) { return BarPixel(Backend, Form, MenuBar, x, y); };
        EXPECT_EQ(at(r.Left, r.Top), c.Edge) << c.Name;
        EXPECT_EQ(at(r.Left + 1, r.Top + 1), c.Fill) << c.Name;
        EXPECT_EQ(at(gx + c.GlyphPixel.X, gy + c.GlyphPixel.Y), c.Glyph) << c.Name;
        if (c.Clear.X != none.X) {
            EXPECT_EQ(at(gx + c.Clear.X, gy + c.Clear.Y), c.Fill) << c.Name << ": the glyph moved";
        }
        if (c.Button == &close && c.Edge == PlainHotFrame && c.Fill == PlainHotFill)
            Render("plain_bar_close_hovered");
    }
    EXPECT_EQ(FrameOf(child)->WindowState(), wsMaximized) << "released away from the button: no command";
    EXPECT_FALSE(MenuBar->MDIButtons[3]->Enabled);
    Render("plain_bar_buttons");
}

// With the skin's morphing on, a button under the pointer blends from its
// normal image towards its active one a fifth per tick of the bar's morph
// timer, and back again when the pointer leaves.
TEST_P(TMDIFrameTest, MaximizedChildButtonsMorphUnderThePointer)
{
    FrameOf(Children[1])->SetWindowState(wsMaximized);
    Pump();
    ASSERT_EQ(MenuBar->ButtonsCount(), 4);
    const TbsSkinMainMenuBarButton& close = *MenuBar->MDIButtons[1];
    ASSERT_TRUE(close.Skinned());
    ASSERT_TRUE(close.EnableMorphing()) << "the skin's bar buttons morph";
    const int x = 3, y = close.ObjectRect.Height() / 2;
    const TColor normal = close.Picture->GetPixel(close.SkinRect.Left + x, close.SkinRect.Top + y);
    const TColor active = close.Picture->GetPixel(close.ActiveSkinRect.Left + x, close.ActiveSkinRect.Top + y);
    ASSERT_NE(normal, active) << "the probe must tell the images apart";
    auto shown = [&] {
        Pump();
        return BarPixel(Backend, Form, MenuBar, close.ObjectRect.Left + x, close.ObjectRect.Top + y);
    };
    // Steps the clock until Done holds (at most a second).
    auto until = [this](const std::function<bool()>& Done) {
        for (int t = 0; t < 1000 && !Done(); t += 5)
            Advance(5);
        return Done();
    };

    const TPoint over = MenuBar->ClientToScreen(TPoint{close.ObjectRect.Left + x, close.ObjectRect.Top + y});
    Backend->MouseMove(over.X, over.Y);
    ASSERT_TRUE(until([&] { return close.Active; }));
    EXPECT_EQ(close.MorphKf(), 0.0);
    ASSERT_TRUE(until([&] { return close.MorphKf() > 0; }));
    EXPECT_NEAR(close.MorphKf(), 0.2, 1e-9) << "one tick";
    EXPECT_TRUE(Between(shown(), normal, active)) << std::hex << shown() << " " << normal << " " << active;
    ASSERT_TRUE(until([&] { return close.MorphKf() == 1.0; }));
    EXPECT_EQ(shown(), active);

    Backend->MouseMove(over.X, over.Y + 300);
    ASSERT_TRUE(until([&] { return !close.Active; }));
    ASSERT_TRUE(until([&] { return close.MorphKf() < 1.0; }));
    EXPECT_TRUE(Between(shown(), normal, active)) << "morphing back";
    ASSERT_TRUE(until([&] { return close.MorphKf() == 0.0; }));
    EXPECT_EQ(shown(), normal);
}

// The system-menu button opens the child's system menu from the bar and
// stays down while it is open; the menu's closing brings it up again.
TEST_P(TMDIFrameTest, SystemMenuButtonComesUpWhenItsMenuCloses)
{
    FrameOf(Children[1])->SetWindowState(wsMaximized);
    Pump();
    ASSERT_EQ(MenuBar->ButtonsCount(), 4);
    const TbsSkinMainMenuBarButton& sys = *MenuBar->MDIButtons[0];
    ASSERT_EQ(sys.Command, cmSysMenu);
    const TPoint at = MenuBar->ClientToScreen(TPoint{sys.ObjectRect.Left + sys.ObjectRect.Width() / 2,
                                                     sys.ObjectRect.Top + sys.ObjectRect.Height() / 2});
    Backend->Click(at.X, at.Y);
    Pump();
    ASSERT_TRUE(Frame->SkinMenu()->Visible());
    EXPECT_TRUE(sys.FDown);
    Backend->KeyPress(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(Frame->SkinMenu()->Visible());
    EXPECT_FALSE(sys.FDown) << "released by the menu's closing";
    EXPECT_EQ(FrameOf(Children[1])->WindowState(), wsMaximized);
}

// The tab bar's other looks: tabs as the skin's resizable buttons, and tabs
// stretched from the skin's tab images at the bar's own height (the active
// one reaching over the strip beneath). Each tab shows the image of its
// state: normal, under the pointer, the active child's.
TEST_P(TMDIFrameTest, TabBarButtonAndResizedKinds)
{
    struct TKind {
        const char* Name;
        TbsSkinMDITabKind Kind;
        bool UseSkinSize;
    };
    const int hovered = 1;
    for (const TKind& k : {TKind{"buttons", bstkButton, true}, TKind{"resized", bstkTab, false}}) {
        Tabs->SetTabKind(k.Kind);
        Tabs->UseSkinSize = k.UseSkinSize;
        Tabs->SetDefaultHeight(26);
        Tabs->ChangeSkinData();
        Pump();
        const TRect r = Tabs->Tabs(hovered)->ObjectRect;
        const TPoint over = Tabs->ClientToScreen(TPoint{(r.Left + r.Right) / 2, r.Top + 3});
        Backend->MouseMove(over.X, over.Y);
        Pump();
        ASSERT_TRUE(Tabs->Tabs(hovered)->MouseIn) << k.Name;
        Tabs->Repaint();
        Pump();
        auto shot = Backend->CaptureWindow(Form->Handle());
        TRect bar, main;
        GetWindowRect(Tabs->Handle(), bar);
        GetWindowRect(Form->Handle(), main);
        // One pixel inside each tab's left edge, half-way down: the three states differ.
        std::vector<TColor> edge;
        for (int i = 0; i < 3; ++i) {
            const TRect t = Tabs->Tabs(i)->ObjectRect;
            edge.push_back(shot->GetPixel(bar.Left - main.Left + t.Left + 1, bar.Top - main.Top + t.Top + t.Height() / 2));
        }
        EXPECT_NE(edge[0], edge[1]) << k.Name << ": normal and hovered";
        EXPECT_NE(edge[0], edge[2]) << k.Name << ": normal and active";
        std::filesystem::path dir = std::filesystem::path(FRAME_RENDER_DIR) / "mdi";
        Backend->SaveWindowPicture(Form->Handle(), (dir / ("skin" + std::to_string(GetParam()) + "_tabs_" + k.Name + ".png")).string());
        Backend->MouseMove(5, 700);
        Pump();
    }
}

// The MDI form leaves its background to the client window: its own erase
// paints nothing, where a child's erase paints the skin's client part.
TEST_P(TMDIFrameTest, MainFormLeavesTheBackgroundToItsClient)
{
    for (TForm* f : {static_cast<TForm*>(Form), Children[0]}) {
        TBitmap bmp(40, 40);
        bmp.Canvas()->Brush().SetColor(TColor(0xFF00FF));
        bmp.Canvas()->FillRect(TRect{0, 0, 40, 40});
        SendMessage(f->Handle(), WM_ERASEBKGND, WPARAM(bmp.Canvas()->Handle()), 0);
        EXPECT_EQ(bmp.GetPixel(20, 20) == TColor(0xFF00FF), f == Form) << f->Name();
    }
}

INSTANTIATE_TEST_SUITE_P(Skins, TMDIFrameTest, ::testing::Values(0, 3));

}  // namespace
