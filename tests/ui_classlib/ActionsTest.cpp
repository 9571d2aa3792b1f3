// Actions shared by controls and menu items: what a linked client shows
// follows the action, and a click runs it unless the client has a handler of
// its own.
#include <functional>
#include "ClassLibFixture.h"
#include "platform/ui/controls/ActnList.h"
#include "platform/ui/controls/Menus.h"

class TActionsTest : public TClassLibTest {
protected:
    void SetUp() override
    {
        TClassLibTest::SetUp();
        Form = MakeForm(100, 100, 320, 240);
        Act = new TAction(Form);
        Act->SetCaption("Save");
        Act->SetHint("Save the list");
        Act->OnExecute = [this](TObject* Sender) { Executed.push_back(Sender); };
    }
    template <class T>
    T* Make(int x, int y)
    {
        auto* c = new T(Form);
        c->SetBounds(x, y, 90, 24);
        c->SetParent(Form);
        return c;
    }
    TForm* Form = nullptr;
    TAction* Act = nullptr;
    std::vector<TObject*> Executed;
};

TEST_F(TActionsTest, LinkedControlsShowTheActionAndFollowItsChanges)
{
    auto* button = Make<TButton>(10, 10);
    auto* check = Make<TCheckBox>(10, 50);
    button->SetAction(Act);
    check->SetAction(Act);
    EXPECT_EQ(button->Caption(), "Save");
    EXPECT_EQ(check->Hint(), "Save the list");

    Act->SetCaption("Save all");
    Act->SetEnabled(false);
    Act->SetChecked(true);
    EXPECT_EQ(button->Caption(), "Save all");
    EXPECT_FALSE(button->Enabled());
    EXPECT_FALSE(check->Enabled());
    EXPECT_TRUE(check->Checked());
    Act->SetVisible(false);
    EXPECT_FALSE(button->Visible());
    EXPECT_FALSE(check->Visible());

    // Unlinked, a control keeps what it showed and no longer follows.
    Act->SetVisible(true);
    button->SetAction(nullptr);
    Act->SetCaption("Other");
    EXPECT_EQ(button->Caption(), "Save all");
    EXPECT_EQ(check->Caption(), "Other");
}

TEST_F(TActionsTest, ClickRunsTheActionUnlessTheControlHasItsOwnHandler)
{
    auto* linked = Make<TButton>(10, 10);
    auto* own = Make<TButton>(10, 50);
    linked->SetAction(Act);
    own->SetAction(Act);
    int ownClicks = 0;
    own->OnClick = [&](TObject*) { ++ownClicks; };

    Click(linked, 5, 5);
    ASSERT_EQ(Executed.size(), 1u);
    EXPECT_EQ(Executed[0], Act) << "OnExecute gets the action as sender";
    Click(own, 5, 5);
    EXPECT_EQ(ownClicks, 1);
    EXPECT_EQ(Executed.size(), 1u);

    // A disabled action disables its controls, and from code it does not run.
    Act->SetEnabled(false);
    Click(linked, 5, 5);
    linked->Click();
    EXPECT_EQ(Executed.size(), 1u);
}

TEST_F(TActionsTest, AutoCheckActionKeepsItsCheckBoxesInStepWithoutTheirClicks)
{
    Act->SetAutoCheck(true);
    auto* a = Make<TCheckBox>(10, 10);
    auto* b = Make<TCheckBox>(10, 50);
    a->SetAction(Act);
    b->SetAction(Act);
    int bClicks = 0;
    b->OnClick = [&](TObject*) { ++bClicks; };
    Click(a, 3, 8);
    EXPECT_TRUE(Act->Checked());
    EXPECT_TRUE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(bClicks, 0) << "following the action is no click of the box";
    EXPECT_EQ(Executed.size(), 1u);
    Advance(1000);  // not a double click
    Click(a, 3, 8);
    EXPECT_FALSE(b->Checked());
}

TEST_F(TActionsTest, LinkingWhileLoadingKeepsWhatTheControlAlreadyHas)
{
    auto* b = new TButton(nullptr);
    b->SetCaption("Mine");
    b->Loading();
    b->SetAction(Act);
    static_cast<TComponent*>(b)->Loaded();
    EXPECT_EQ(b->Caption(), "Mine");
    EXPECT_EQ(b->Hint(), "Save the list");
    delete b;
}

TEST_F(TActionsTest, ControlsAndActionsMayGoInEitherOrder)
{
    auto* b = Make<TButton>(10, 10);
    b->SetAction(Act);
    delete Act;
    EXPECT_EQ(b->Action(), nullptr);
    Click(b, 5, 5);
    EXPECT_TRUE(Executed.empty());

    auto* act2 = new TAction(Form);
    auto* c = Make<TButton>(10, 50);
    c->SetAction(act2);
    delete c;
    EXPECT_TRUE(act2->Clients().empty());
    act2->SetCaption("still fine");
}

// Menu items linked to an action: what they take from it, what they follow,
// and what a click or a shortcut runs.
class TMenuActionsTest : public TActionsTest {
protected:
    void SetUp() override
    {
        TActionsTest::SetUp();
        Menu = new TMainMenu(Form);
        File = new TMenuItem(Form);
        File->SetCaption("&File");
        Menu->Items()->Add(File);
        Item = new TMenuItem(Form);
        File->Add(Item);
    }
    TMainMenu* Menu = nullptr;
    TMenuItem* File = nullptr;
    TMenuItem* Item = nullptr;
};

struct TMenuFollowCase {
    const char* Name;
    std::function<void(TAction&)> Change;                // from the action's defaults
    std::function<std::string(const TMenuItem&)> Shown;  // what the item shows of it
    const char* Default;
    const char* Changed;
};

TEST_F(TMenuActionsTest, ItemTakesWhatItShowsFromTheActionAndFollowsIt)
{
    auto text = [](bool b) { return std::string(b ? "yes" : "no"); };
    const TMenuFollowCase cases[] = {
        {"Caption", [](TAction& a) { a.SetCaption("&Export"); },
         [](const TMenuItem& i) { return i.Caption(); }, "Save", "&Export"},
        {"Enabled", [](TAction& a) { a.SetEnabled(false); },
         [&](const TMenuItem& i) { return text(i.Enabled()); }, "yes", "no"},
        {"Checked", [](TAction& a) { a.SetChecked(true); },
         [&](const TMenuItem& i) { return text(i.Checked()); }, "no", "yes"},
        {"Visible", [](TAction& a) { a.SetVisible(false); },
         [&](const TMenuItem& i) { return text(i.Visible()); }, "yes", "no"},
        {"Hint", [](TAction& a) { a.SetHint("Export the list"); },
         [](const TMenuItem& i) { return i.Hint(); }, "Save the list", "Export the list"},
        {"ShortCut", [](TAction& a) { a.SetShortCut(ShortCut('E', false, true, false)); },
         [](const TMenuItem& i) { return ShortCutToText(i.ShortCut()); }, "", "Ctrl+E"},
        {"ImageIndex", [](TAction& a) { a.SetImageIndex(3); },
         [](const TMenuItem& i) { return std::to_string(i.ImageIndex()); }, "-1", "3"},
    };
    for (const auto& c : cases) {
        auto* act = new TAction(Form);
        act->SetCaption("Save");
        act->SetHint("Save the list");
        auto* item = new TMenuItem(Form);
        item->SetCaption("Old");
        item->SetShortCut(ShortCut(VK_F2, false, false, false));
        item->SetImageIndex(7);
        File->Add(item);
        item->SetAction(act);
        EXPECT_EQ(c.Shown(*item), c.Default) << c.Name << ": taken when linked";
        c.Change(*act);
        EXPECT_EQ(c.Shown(*item), c.Changed) << c.Name << ": followed";
        item->SetAction(nullptr);
        delete act;
        EXPECT_EQ(c.Shown(*item), c.Changed) << c.Name << ": kept when unlinked";
    }
}

TEST_F(TMenuActionsTest, ClickRunsTheActionUnlessTheItemHasItsOwnHandler)
{
    Item->SetAction(Act);
    int menuChanges = 0;
    Menu->OnChange = [&](TObject*) { ++menuChanges; };
    EXPECT_TRUE(Menu->DispatchCommand(Item->Command()));
    ASSERT_EQ(Executed.size(), 1u);
    EXPECT_EQ(Executed[0], Act);

    // A checked action toggles through its own AutoCheck, once, not the item's.
    Act->SetAutoCheck(true);
    Item->SetAutoCheck(true);
    Item->Click();
    EXPECT_TRUE(Act->Checked());
    EXPECT_TRUE(Item->Checked());
    EXPECT_GT(menuChanges, 0) << "the menu hears what the item took";
    Menu->OnChange = nullptr;

    int own = 0;
    Item->OnClick = [&](TObject*) { ++own; };
    Item->Click();
    EXPECT_EQ(own, 1);
    EXPECT_EQ(Executed.size(), 2u);

    Item->OnClick = nullptr;
    Act->SetEnabled(false);
    EXPECT_FALSE(Menu->DispatchCommand(Item->Command())) << "disabled with its action";
    Item->Click();
    EXPECT_EQ(Executed.size(), 2u);
}

TEST_F(TMenuActionsTest, ActionWithoutHandlerDisablesItsItemUnlessTheListHandlesIt)
{
    auto* idle = new TAction(Form);
    idle->SetCaption("Idle");
    Item->SetAction(idle);
    EXPECT_TRUE(Item->Enabled()) << "nothing is decided before an update";
    Item->InitiateAction();
    EXPECT_FALSE(Item->Enabled());
    EXPECT_FALSE(Menu->DispatchCommand(Item->Command()));

    auto* list = new TActionList(Form);
    auto* listed = new TAction(Form);
    listed->SetActionList(list);
    std::vector<TAction*> listUpdates;
    list->OnUpdate = [&](TAction* a, bool& handled) {
        listUpdates.push_back(a);
        handled = true;
    };
    auto* other = new TMenuItem(Form);
    File->Add(other);
    other->SetAction(listed);
    other->InitiateAction();
    EXPECT_TRUE(other->Enabled()) << "the list's update decides";
    EXPECT_EQ(listUpdates, std::vector<TAction*>{listed});

    // The list's OnExecute runs it; handled, the action's own does not.
    std::vector<TAction*> listRuns;
    list->OnExecute = [&](TAction* a, bool& handled) {
        listRuns.push_back(a);
        handled = true;
    };
    listed->OnExecute = [&](TObject* s) { Executed.push_back(s); };
    other->Click();
    EXPECT_EQ(listRuns, std::vector<TAction*>{listed});
    EXPECT_TRUE(Executed.empty());

    // With DisableIfNoHandler off an unhandled action stays as it is.
    auto* kept = new TAction(Form);
    kept->SetDisableIfNoHandler(false);
    kept->Update();
    EXPECT_TRUE(kept->Enabled());
}

TEST_F(TMenuActionsTest, ShortcutOfTheActionRunsItThroughTheFormsMenu)
{
    Form->SetMenu(Menu);
    Act->SetShortCut(ShortCut('S', false, true, false));
    Item->SetAction(Act);
    bool allow = true;
    Act->OnUpdate = [&](TObject*) { Act->SetEnabled(allow); };
    auto ctrlS = [&] {
        Backend->KeyDown(VK_CONTROL);
        Key('S');
        Backend->KeyUp(VK_CONTROL);
    };
    ctrlS();
    EXPECT_EQ(Executed.size(), 1u);
    allow = false;
    ctrlS();
    EXPECT_EQ(Executed.size(), 1u) << "the update before the shortcut disabled it";
    EXPECT_FALSE(Item->Enabled());
    allow = true;
    ctrlS();
    EXPECT_EQ(Executed.size(), 2u) << "and the next update enables it again";
}

TEST_F(TMenuActionsTest, ItemsAndActionsMayGoInEitherOrder)
{
    Item->SetAction(Act);
    delete Item;
    EXPECT_TRUE(Act->Clients().empty());
    auto* again = new TMenuItem(Form);
    File->Add(again);
    again->SetAction(Act);
    delete Act;
    Act = nullptr;
    EXPECT_EQ(again->Action(), nullptr);
    again->Click();
    EXPECT_TRUE(Executed.empty());
}

TEST_F(TMenuActionsTest, LinkingWhileLoadingKeepsWhatTheItemAlreadyHas)
{
    auto* item = new TMenuItem(nullptr);
    item->SetCaption("Mine");
    item->Loading();
    item->SetAction(Act);
    static_cast<TComponent*>(item)->Loaded();
    EXPECT_EQ(item->Caption(), "Mine");
    EXPECT_EQ(item->Hint(), "Save the list");
    delete item;
}
