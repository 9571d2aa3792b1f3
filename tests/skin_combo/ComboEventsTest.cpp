#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/Keys.h"
#include "skin/boxes/SkinComboBox.h"
#include "tests/skin_combo/BoxesFixture.h"

namespace {

class ComboEventsTest : public TBoxesTest {
protected:
    TbsSkinComboBox* NewCombo(std::vector<std::string> Items = {"one", "two", "three"})
    {
        auto* c = new TbsSkinComboBox(Form);
        c->SetParent(Form);
        c->SetBounds(10, 10, 120, 20);
        for (const auto& s : Items)
            c->Items().Add(s);
        Watch(c);
        Pump();
        return c;
    }
    void Watch(TbsSkinComboBox* c)
    {
        c->OnChange = [this](TObject*) { Log("OnChange"); };
        c->OnClick = [this](TObject*) { Log("OnClick"); };
        c->OnDropDown = [this](TObject*) { Log("OnDropDown"); };
        c->OnCloseUp = [this](TObject*) { Log("OnCloseUp"); };
    }
};

// Numbered items for the paging and search cases.
std::vector<std::string> Numbered(int Count)
{
    std::vector<std::string> items;
    for (int i = 0; i < Count; ++i)
        items.push_back("item" + std::to_string(i));
    return items;
}

TEST_F(ComboEventsTest, ItemIndexFiresOnChangeOnlyWhenTheTextChanges)
{
    struct TCase {
        std::string OldText;
        int Index;
        std::string Expected;
        std::string Text;
    };
    const TCase cases[] = {
        {"", 1, "OnChange OnClick", "two"},    {"two", 1, "OnClick", "two"},   // same text: no OnChange
        {"one", 1, "OnChange OnClick", "two"}, {"one", -1, "OnClick", "one"},  // -1 keeps the text
        {"one", 7, "OnClick", "one"},                                          // out of range: nothing selected
    };
    for (const auto& c : cases) {
        auto* combo = NewCombo();
        combo->OnChange = nullptr;
        combo->SetText(c.OldText);
        Watch(combo);
        combo->SetItemIndex(c.Index);
        EXPECT_EQ(Joined(), c.Expected) << c.OldText << " -> " << c.Index;
        EXPECT_EQ(combo->Text(), c.Text) << c.OldText << " -> " << c.Index;
        Events.clear();
        delete combo;
    }
}

TEST_F(ComboEventsTest, SettingTheSameIndexAgainFiresClickAgain)
{
    auto* combo = NewCombo();
    combo->SetItemIndex(2);
    Events.clear();
    combo->SetItemIndex(2);
    EXPECT_EQ(Joined(), "OnClick");
    EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(ComboEventsTest, LoadingSetsTextWithoutClick)
{
    // A form's stored order: text, items and index first, the events last.
    auto* loaded = new TbsSkinComboBox(Form);
    loaded->Loading();
    loaded->SetParent(Form);
    for (const char* item : {"one", "two"})
        loaded->Items().Add(item);
    loaded->SetItemIndex(1);
    Watch(loaded);
    static_cast<TComponent*>(loaded)->Loaded();
    EXPECT_EQ(Joined(), "");
    EXPECT_EQ(loaded->Text(), "two");

    // A handler already there hears the text change, never the click.
    auto* combo = NewCombo();
    combo->Loading();
    combo->SetItemIndex(0);
    EXPECT_EQ(Joined(), "OnChange");
    EXPECT_EQ(combo->Text(), "one");
    static_cast<TComponent*>(combo)->Loaded();
}

TEST_F(ComboEventsTest, TextFromCodeFiresOnChangeAndLeavesTheSelection)
{
    auto* combo = NewCombo();
    combo->SetItemIndex(0);
    const TBitmap before = Snapshot(combo);
    Events.clear();
    combo->SetText("free text");
    EXPECT_EQ(Joined(), "OnChange");
    EXPECT_EQ(combo->ItemIndex(), 0);
    const TBitmap after = Snapshot(combo);
    bool same = true;
    for (int y = 0; y < combo->Height(); ++y)
        for (int x = 0; x < combo->Width(); ++x)
            same = same && before.GetPixel(x, y) == after.GetPixel(x, y);
    EXPECT_TRUE(same) << "the face shows the selected item, not the text";
    Events.clear();
    combo->SetText("free text");
    EXPECT_EQ(Joined(), "");
}

TEST_F(ComboEventsTest, ClearingItemsKeepsTextAndFiresNothing)
{
    auto* combo = NewCombo();
    combo->SetItemIndex(1);
    Events.clear();
    combo->Items().Clear();
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "two");
    EXPECT_EQ(Joined(), "");
    // The program's refill: the first item equal to the old text gives no OnChange.
    combo->Items().Add("two");
    combo->Items().Add("x");
    combo->SetItemIndex(0);
    EXPECT_EQ(Joined(), "OnClick");
}

TEST_F(ComboEventsTest, DropDownCountBelowOneIsIgnored)
{
    auto* combo = NewCombo();
    combo->SetDropDownCount(0);
    EXPECT_EQ(combo->DropDownCount(), 8);
    combo->SetDropDownCount(3);
    EXPECT_EQ(combo->DropDownCount(), 3);
}

TEST_F(ComboEventsTest, KeysStepThroughTheItems)
{
    struct TCase {
        int From, Vk;
        int Expected;
    };
    const TCase cases[] = {
        {12, VK_PRIOR, 3}, {12, VK_NEXT, 19}, {2, VK_PRIOR, 0},  {5, VK_UP, 4}, {5, VK_LEFT, 4},
        {5, VK_DOWN, 6},   {5, VK_RIGHT, 6},  {19, VK_DOWN, 19}, {0, VK_UP, 0},
    };
    for (const auto& c : cases) {
        auto* combo = NewCombo(Numbered(20));
        combo->SetFocus();
        combo->SetItemIndex(c.From);
        Events.clear();
        Key(c.Vk);
        EXPECT_EQ(combo->ItemIndex(), c.Expected) << c.From << " key " << c.Vk;
        if (c.Expected != c.From) {
            EXPECT_EQ(Joined(), "OnChange OnClick") << c.From << " key " << c.Vk;
        }
        Events.clear();
        delete combo;
    }
}

TEST_F(ComboEventsTest, TypeAheadCollectsAPrefixWithinHalfASecond)
{
    auto* combo = NewCombo({"apple", "banana", "Bob", "bravo", "berry"});
    combo->SetFocus();
    Key('B', "b");
    EXPECT_EQ(combo->ItemIndex(), 1);
    Key('R', "r");  // "br" from the top
    EXPECT_EQ(combo->ItemIndex(), 3);
    Wait(500);
    Key('B', "b");  // a fresh "b": the next one after the current item
    EXPECT_EQ(combo->ItemIndex(), 4);
    Wait(600);
    Key('B', "B");  // wraps round, case-insensitive
    EXPECT_EQ(combo->ItemIndex(), 1);

    combo->SetAutoComplete(false);
    Key('B', "b");
    Key('O', "o");  // each character searches alone
    EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(ComboEventsTest, AltDownDropsAndAltUpCancels)
{
    auto* combo = NewCombo();
    combo->SetFocus();
    combo->SetItemIndex(0);
    Events.clear();
    Backend->KeyDown(VK_MENU);
    Key(VK_DOWN);
    EXPECT_TRUE(combo->IsPopupVisible());
    Key(VK_UP);
    Backend->KeyUp(VK_MENU);
    Pump();
    EXPECT_FALSE(combo->IsPopupVisible());
    EXPECT_EQ(Joined(), "OnDropDown");
    EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ComboEventsTest, EnterClosesTheOpenListWithoutPressingTheDefaultButton)
{
    auto* ok = new TButton(Form);
    ok->SetParent(Form);
    ok->SetBounds(250, 10, 60, 24);
    ok->SetDefault(true);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    auto* combo = NewCombo();
    combo->SetFocus();
    combo->SetItemIndex(0);
    combo->DropDown();
    combo->ListBox()->SetItemIndex(2);
    Events.clear();
    Key(VK_RETURN);
    EXPECT_FALSE(combo->IsPopupVisible());
    EXPECT_EQ(Joined(), "OnChange OnClick OnCloseUp");
    EXPECT_EQ(clicks, 0);
    Key(VK_RETURN);  // closed: Enter is the form's again
    EXPECT_EQ(clicks, 1);
}

TEST_F(ComboEventsTest, WheelStepsTheClosedComboAndOnlyTheListWhenOpen)
{
    auto* combo = NewCombo();
    combo->SetFocus();
    combo->SetItemIndex(1);
    Events.clear();
    const TPoint p = At(combo, 30, 10);
    Backend->Wheel(-120, p.X, p.Y);
    Pump();
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(Joined(), "OnChange OnClick");
    Backend->Wheel(120, p.X, p.Y);
    Pump();
    EXPECT_EQ(combo->ItemIndex(), 1);

    // A touchpad's small deltas step once per whole notch.
    Events.clear();
    for (int i = 0; i < 3; ++i) {
        Backend->Wheel(-40, p.X, p.Y);
        Pump();
    }
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(Joined(), "OnChange OnClick");
    Backend->Wheel(-119, p.X, p.Y);
    Pump();
    Backend->Wheel(60, p.X, p.Y);  // the other way starts afresh
    Pump();
    Backend->Wheel(60, p.X, p.Y);
    Pump();
    EXPECT_EQ(combo->ItemIndex(), 1);

    combo->DropDown();
    Events.clear();
    Backend->Wheel(120, p.X, p.Y);
    Pump();
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(Joined(), "");
    EXPECT_EQ(combo->Text(), "two");
}

}  // namespace
