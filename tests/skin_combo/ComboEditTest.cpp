#include "platform/ui/Keys.h"
#include "skin/boxes/InnerEdit.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/data/ResourceStrings.h"
#include "tests/skin_combo/BoxesFixture.h"

namespace {

class ComboEditTest : public TBoxesTest {
protected:
    TbsSkinComboBox* NewCombo(std::vector<std::string> Items = {"abc", "abd", "xyz"})
    {
        auto* c = new TbsSkinComboBox(Form);
        c->SetParent(Form);
        c->SetBounds(10, 10, 150, 20);
        for (const auto& s : Items)
            c->Items().Add(s);
        c->SetStyle(bscbEditStyle);
        c->OnChange = [this](TObject*) { Log("OnChange"); };
        c->OnClick = [this](TObject*) { Log("OnClick"); };
        c->OnCloseUp = [this](TObject*) { Log("OnCloseUp"); };
        Pump();
        return c;
    }
    void Type(const std::string& S)
    {
        for (char ch : S)
            Key(std::toupper(static_cast<unsigned char>(ch)), std::string(1, ch));
    }
};

TEST_F(ComboEditTest, TypingCompletesFromTheTopAfterAPause)
{
    auto* c = NewCombo();
    c->Edit()->SetFocus();
    Wait(300);
    Type("a");
    // The first item beginning with "a" wins, its tail selected.
    EXPECT_EQ(c->Text(), "abc");
    EXPECT_EQ(c->SelStart(), 1);
    EXPECT_EQ(c->SelLength(), 2);
    EXPECT_EQ(c->ItemIndex(), 0);
    // Within 200 ms of the last completion the typed text stays as typed.
    Type("b");
    EXPECT_EQ(c->Text(), "ab");
    Wait(300);
    Type("d");
    EXPECT_EQ(c->Text(), "abd");
    EXPECT_EQ(c->ItemIndex(), 1);
}

TEST_F(ComboEditTest, WithoutAutoCompleteTheListOnlyScrolls)
{
    std::vector<std::string> items;
    for (int i = 0; i < 12; ++i)
        items.push_back("x" + std::to_string(i));
    items.push_back("ab1");
    for (int i = 0; i < 10; ++i)
        items.push_back("y" + std::to_string(i));
    auto* c = NewCombo(items);
    c->SetAutoComplete(false);
    c->SetItemIndex(0);
    c->Edit()->SetFocus();
    c->Edit()->SetText("");
    Events.clear();
    Wait(300);
    Type("ab");
    EXPECT_EQ(c->Text(), "ab");
    EXPECT_EQ(c->ListBox()->TopIndex(), 12);
    EXPECT_EQ(c->ListBox()->ItemIndex(), 0);
    EXPECT_EQ(Joined(), "OnChange OnChange");
}

TEST_F(ComboEditTest, UpAndDownInTheEditFireTheirOwnOrders)
{
    auto* c = NewCombo();
    c->SetItemIndex(1);
    c->Edit()->SetFocus();
    Events.clear();
    Key(VK_UP);
    EXPECT_EQ(Joined(), "OnChange OnClick OnClick");
    EXPECT_EQ(c->Text(), "abc");
    EXPECT_EQ(c->Edit()->SelLength(), 3);
    Events.clear();
    Key(VK_DOWN);
    EXPECT_EQ(Joined(), "OnChange OnClick");
    EXPECT_EQ(c->Text(), "abd");
    EXPECT_EQ(c->ItemIndex(), 1);
}

TEST_F(ComboEditTest, PagingWithTheListClosedReachesTheEditOnly)
{
    auto* c = NewCombo();
    c->SetItemIndex(1);
    c->Edit()->SetFocus();
    Events.clear();
    Key(VK_PRIOR);
    Key(VK_NEXT);
    EXPECT_EQ(Joined(), "");
    EXPECT_EQ(c->ItemIndex(), 1);
}

TEST_F(ComboEditTest, AcceptedCloseUpWritesTheEditAndSelectsIt)
{
    auto* c = NewCombo();
    c->SetItemIndex(0);
    c->Edit()->SetFocus();
    c->DropDown();
    c->ListBox()->SetItemIndex(2);
    Events.clear();
    Key(VK_RETURN);
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(Joined(), "OnChange OnClick OnCloseUp");
    EXPECT_EQ(c->Text(), "xyz");
    EXPECT_EQ(c->Edit()->SelLength(), 3);
}

TEST_F(ComboEditTest, StyleSwitchKeepsOneEditAndMovesTheTabStop)
{
    auto* c = NewCombo();
    EXPECT_FALSE(c->TabStop());
    EXPECT_TRUE(c->Edit()->TabStop());
    TbsCustomEdit* first = c->Edit();
    c->SetStyle(bscbEditStyle);
    EXPECT_EQ(c->Edit(), first);
    int edits = 0;
    for (int i = 0; i < c->ControlCount(); ++i)
        edits += dynamic_cast<TbsCustomEdit*>(c->Controls(i)) != nullptr;
    EXPECT_EQ(edits, 1);
    c->SetStyle(bscbFixedStyle);
    EXPECT_EQ(c->Edit(), nullptr);
    EXPECT_TRUE(c->TabStop());
}

TEST_F(ComboEditTest, KeyReleasesNeverDeleteTheSelectionInAnyCharset)
{
    auto* skin = BaseSkinData();
    TbsResourceStrData table(nullptr);
    table.SetCharSet(134);
    skin->SetResourceStrData(&table);
    auto* c = NewCombo({"abc", "zzz"});
    c->SetSkinData(skin);
    c->Edit()->SetFocus();
    c->Edit()->SetText("hello");
    c->Edit()->SelectAll();
    Wait(300);
    Backend->KeyDown(VK_SHIFT);
    Backend->KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(c->Edit()->Text(), "hello");
    EXPECT_EQ(c->Edit()->SelLength(), 5);
    // Delete and Backspace never complete.
    c->Edit()->SetText("abc");
    c->Edit()->SetSelStart(3);
    Wait(300);
    Key(VK_BACK);
    EXPECT_EQ(c->Text(), "ab");
    skin->SetResourceStrData(nullptr);
}

}  // namespace
