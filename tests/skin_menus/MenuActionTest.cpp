// Menu items linked to actions in the skinned menus: the popup menu and the
// main menu bar show what the action says (updated before they show) and a
// mouse click, a key or the action's shortcut runs it once; a disabled
// action's item cannot be chosen.
#include "MenuFixture.h"
#include "platform/ui/controls/ActnList.h"
#include "skin/menus/SkinMainMenuBar.h"

namespace {

// A form with a menu bar: "&Edit" holding a "Copy" item, and "&Go" as a
// command of its own; each item is linked to an action that counts its runs.
class TMenuActions : public TMenuTest {
protected:
    void BeforeShow() override
    {
        Form->SetBounds(100, 100, 500, 300);
        Menu = new TbsSkinMainMenu(Form);
        Edit = NewItem(Menu->Items(), "&Edit");
        Copy = NewAction("&Copy", CopyRuns);
        Copy->SetShortCut(ShortCut('C', false, true, false));
        NewItem(Edit, "")->SetAction(Copy);
        Go = NewAction("&Go", GoRuns);
        NewItem(Menu->Items(), "")->SetAction(Go);
        Bar = new TbsSkinMainMenuBar(Form);
        Bar->SetParent(Form);
        Bar->SetFormFrame(Frame);
        Bar->SetMainMenu(Menu);
        Frame->SetMainMenuBar(Bar);
    }

    TMenuItem* NewItem(TMenuItem* Parent, const std::string& Caption)
    {
        auto* i = new TMenuItem(Form);
        i->SetCaption(Caption);
        Parent->Add(i);
        return i;
    }
    TAction* NewAction(const std::string& Caption, int& Runs)
    {
        auto* a = new TAction(Form);
        a->SetCaption(Caption);
        a->OnExecute = [&Runs](TObject*) { ++Runs; };
        return a;
    }
    TbsSkinPopupMenu* PopupWith(TAction* A)
    {
        auto* m = new TbsSkinPopupMenu(Form);
        NewItem(m->Items(), "")->SetAction(A);
        NewItem(m->Items(), "Other");
        return m;
    }
    void ClickAt(TPoint P)
    {
        Backend->MouseMove(P.X, P.Y);
        Advance(60);
        Backend->Click(P.X, P.Y);
        Pump();
    }
    TPoint BarItemCentre(int I) const
    {
        TRect r = Bar->Item(I)->ObjectRect;
        return Bar->ClientToScreen(TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    void CtrlKey(int vk)
    {
        Backend->KeyDown(VK_CONTROL);
        Key(vk);
        Backend->KeyUp(VK_CONTROL);
        Pump();
    }

    TbsSkinMainMenu* Menu = nullptr;
    TbsSkinMainMenuBar* Bar = nullptr;
    TMenuItem* Edit = nullptr;
    TAction* Copy = nullptr;
    TAction* Go = nullptr;
    int CopyRuns = 0;
    int GoRuns = 0;
};

}  // namespace

TEST_F(TMenuActions, PopupItemShowsItsActionAndAClickRunsItOnce)
{
    TbsSkinPopupMenu* m = PopupWith(Copy);
    m->Popup(200, 200);
    Pump();
    ASSERT_TRUE(Engine->Visible());
    ASSERT_EQ(Top()->Items().size(), 2u);
    EXPECT_EQ(Top()->Items()[0]->MenuItem->Caption(), "&Copy");
    ClickAt(ItemPoint(Top(), 0));
    EXPECT_FALSE(Engine->Visible());
    EXPECT_EQ(CopyRuns, 1);

    // By the keyboard: the caption's accelerator, and Enter on the item.
    m->Popup(200, 200);
    Pump();
    Key('C');
    EXPECT_EQ(CopyRuns, 2);
    m->Popup(200, 200);
    Pump();
    Key(VK_RETURN);
    EXPECT_EQ(CopyRuns, 3);
}

TEST_F(TMenuActions, UpdatesRunBeforeAMenuShows)
{
    int updates = 0;
    bool hide = false;
    Copy->OnUpdate = [&](TObject*) {
        ++updates;
        Copy->SetCaption("&Copy " + std::to_string(updates));
        Copy->SetVisible(!hide);
    };
    TbsSkinPopupMenu* m = PopupWith(Copy);
    m->Popup(200, 200);
    Pump();
    ASSERT_EQ(updates, 1);
    EXPECT_EQ(Top()->Items()[0]->MenuItem->Caption(), "&Copy 1");
    Engine->Hide();
    hide = true;
    m->Popup(200, 200);
    Pump();
    ASSERT_EQ(Top()->Items().size(), 1u) << "hidden by its update";
    EXPECT_EQ(Top()->Items()[0]->MenuItem->Caption(), "Other");
    Engine->Hide();

    // The bar's sub-menu updates too, without upsetting the bar under it.
    hide = false;
    ClickAt(BarItemCentre(0));
    ASSERT_TRUE(Engine->Visible());
    EXPECT_EQ(Top()->Items()[0]->MenuItem->Caption(), "&Copy 3");
    EXPECT_TRUE(Bar->Item(0)->FDown);
    ClickAt(ItemPoint(Top(), 0));
    EXPECT_EQ(CopyRuns, 1);
}

TEST_F(TMenuActions, BarItemsShowTheirActionAndRunItOnce)
{
    ASSERT_EQ(Bar->ItemCount(), 2);
    EXPECT_EQ(Bar->Item(1)->MenuItem->Caption(), "&Go");
    ClickAt(BarItemCentre(1));
    EXPECT_EQ(GoRuns, 1);
    EXPECT_FALSE(Engine->Visible());

    // The action's later changes reach the bar.
    Go->SetCaption("&Go on");
    EXPECT_EQ(Bar->Item(1)->MenuItem->Caption(), "&Go on");
    Go->SetVisible(false);
    EXPECT_EQ(Bar->ItemCount(), 1);
    Go->SetVisible(true);

    // Alt and the caption's letter run it as well.
    Backend->KeyDown(VK_MENU);
    Backend->KeyDown('G', "g");
    Backend->KeyUp('G');
    Backend->KeyUp(VK_MENU);
    Pump();
    EXPECT_EQ(GoRuns, 2);
}

TEST_F(TMenuActions, DisabledActionsItemCannotBeChosen)
{
    Copy->SetEnabled(false);
    Go->SetEnabled(false);
    EXPECT_FALSE(Bar->Item(1)->Enabled);
    ClickAt(BarItemCentre(1));
    EXPECT_EQ(GoRuns, 0);

    TbsSkinPopupMenu* m = PopupWith(Copy);
    m->Popup(200, 200);
    Pump();
    ClickAt(ItemPoint(Top(), 0));
    EXPECT_TRUE(Engine->Visible()) << "a disabled item is not pressed";
    Key('C');
    Key(VK_RETURN);
    EXPECT_EQ(CopyRuns, 0);
    Engine->Hide();
    CtrlKey('C');
    EXPECT_EQ(CopyRuns, 0);

    // An action that nothing can run is shown disabled once the menu updates it.
    auto* idle = new TAction(Form);
    idle->SetCaption("Idle");
    TbsSkinPopupMenu* other = PopupWith(idle);
    other->Popup(200, 200);
    Pump();
    EXPECT_FALSE(Top()->Items()[0]->MenuItem->Enabled());
    Engine->Hide();
}

TEST_F(TMenuActions, ActionShortcutRunsItThroughTheBarsMenu)
{
    CtrlKey('C');
    EXPECT_EQ(CopyRuns, 1);
    Copy->SetShortCut(ShortCut(VK_F5, false, false, false));
    CtrlKey('C');
    EXPECT_EQ(CopyRuns, 1) << "the item follows the action's new shortcut";
    Key(VK_F5);
    EXPECT_EQ(CopyRuns, 2);
}
