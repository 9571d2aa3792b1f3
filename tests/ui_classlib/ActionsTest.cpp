// Actions shared by controls: what a linked control shows follows the
// action, and a click runs it unless the control has a handler of its own.
#include "ClassLibFixture.h"
#include "platform/ui/controls/ActnList.h"

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
