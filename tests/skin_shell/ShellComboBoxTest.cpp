#include <gtest/gtest.h>

#include "platform/shell/ShellNamespace.h"
#include "platform/ui/Keys.h"
#include "skin/shell/ShellComboBox.h"
#include "tests/skin_shell/ShellViewsFixture.h"

namespace {

using Texts = std::vector<std::string>;

class ShellComboBoxTest : public TShellViewsTest {
protected:
    TbsSkinShellComboBox* NewCombo(const TRoot& Root = "rfDesktop")
    {
        auto* cb = new TbsSkinShellComboBox(Form);
        cb->SetParent(Form);
        cb->SetBounds(10, 270, 300, 21);
        if (Root != "rfDesktop")
            cb->SetRoot(Root);
        Pump();
        return cb;
    }
    // Caption and depth of every item.
    std::vector<std::pair<std::string, int>> Shown(TbsCustomShellComboBox* cb)
    {
        std::vector<std::pair<std::string, int>> out;
        for (int i = 0; i < cb->ItemsEx().Count(); ++i) {
            out.emplace_back(cb->ItemsEx()[i].Caption, cb->ItemsEx()[i].Indent);
            EXPECT_EQ(cb->Items()[i], cb->ItemsEx()[i].Caption) << "captions copied line for line";
        }
        return out;
    }
};

using Chain = std::vector<std::pair<std::string, int>>;

TEST_F(ShellComboBoxTest, DesktopRootHoldsItsChildrenAndTheDrivesOneDeeper)
{
    auto* cb = NewCombo();
    const Chain items = Shown(cb);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0], (std::pair<std::string, int>{"桌面", 0}));
    EXPECT_EQ(items[1], (std::pair<std::string, int>{"主文件夹", 1}));
    EXPECT_EQ(items[2], (std::pair<std::string, int>{"计算机", 1}));
    for (int i = 3; i < 6; ++i)
        EXPECT_EQ(items[size_t(i)].second, 2) << items[size_t(i)].first;
    EXPECT_EQ(cb->ItemIndex(), 0);
    EXPECT_GE(cb->ItemsEx()[1].ImageIndex, 0);
    EXPECT_NE(cb->ItemsEx()[1].ImageIndex, cb->ItemsEx()[2].ImageIndex);

    // Written in lower case the root is still the Desktop, but not for the drives.
    cb->SetRoot(Home);
    cb->SetRoot("rfdesktop");
    EXPECT_EQ(Shown(cb), (Chain{{"桌面", 0}, {"主文件夹", 1}, {"计算机", 1}}));
}

TEST_F(ShellComboBoxTest, ShowsTheChainDownToAFolderAndRebuildsForTheNext)
{
    auto* cb = NewCombo();
    cb->SetPath(Home + "/b folder/inner/deep");
    Chain items = Shown(cb);
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ((Chain(items.begin() + 1, items.begin() + 5)),
              (Chain{{"主文件夹", 1}, {"b folder", 2}, {"inner", 3}, {"deep", 4}}));
    EXPECT_EQ(cb->ItemIndex(), 4);
    EXPECT_EQ(cb->Path(), Home + "/b folder/inner/deep");
    EXPECT_EQ(cb->Text(), "deep");

    // Another folder: the earlier chain is gone.
    cb->SetPath(Usb + "/");
    items = Shown(cb);
    EXPECT_EQ(items.size(), 6u);
    EXPECT_EQ(cb->Path(), Usb);
    EXPECT_EQ(items[size_t(cb->ItemIndex())].second, 2);

    // A folder outside the root leaves the root chosen.
    cb->SetRoot(Home);
    EXPECT_EQ(Shown(cb)[0], (std::pair<std::string, int>{"主文件夹", 0}));
    cb->SetPath(Usb);
    EXPECT_EQ(cb->ItemIndex(), 0);
    EXPECT_THROW(cb->SetPath("not/absolute"), EInvalidPath);
}

TEST_F(ShellComboBoxTest, ChoosingMovesTheLinkedListAndTreeAndTheyMoveTheBox)
{
    auto* tv = NewTree(nullptr, TRect{10, 10, 150, 240});
    auto* lv = NewList(nullptr, TRect{160, 10, 390, 240});
    auto* cb = NewCombo();
    lv->SetShellComboBox(cb);
    EXPECT_EQ(cb->ShellListView(), lv);
    cb->SetShellTreeView(tv);
    EXPECT_EQ(tv->ShellComboBox(), cb);
    tv->SetShellListView(lv);
    std::vector<std::string> listMoves;
    lv->OnPathChanged = [&](TObject*) { listMoves.push_back(lv->Path()); };

    lv->SetPath(Home + "/b folder/inner");
    EXPECT_EQ(cb->Path(), Home + "/b folder/inner");
    EXPECT_EQ(cb->Text(), "inner");
    EXPECT_EQ(tv->Path(), Home + "/b folder/inner");

    // Up one item with the keys: "b folder".
    cb->SetFocus();
    Key(VK_UP);
    EXPECT_EQ(cb->Path(), Home + "/b folder");
    EXPECT_EQ(lv->Path(), Home + "/b folder");
    EXPECT_EQ(tv->Path(), Home + "/b folder");
    EXPECT_EQ(listMoves, (Texts{Home + "/b folder/inner", Home + "/b folder"})) << "the list moved once per choice";
    const Chain items = Shown(cb);
    EXPECT_EQ(items[size_t(cb->ItemIndex())], (std::pair<std::string, int>{"b folder", 2}));

    // The tree moves both.
    tv->SetSelected(tv->Items().GetFirstNode()->Item(1));
    EXPECT_EQ(cb->Text(), "计算机");
    EXPECT_EQ(lv->Path(), "计算机");
}

// Without shell images the closed box still leaves the icon's room before
// its text, so that the text does not jump when images come and go.
TEST_F(ShellComboBoxTest, ClosedTextKeepsTheIconRoomWithoutShellImages)
{
    auto* cb = NewCombo();
    auto inkStart = [&] {
        cb->Invalidate();
        auto shot = std::make_unique<TBitmap>(Snapshot(cb));
        const int y0 = 3, y1 = shot->Height() - 3;
        const TColor paper = shot->GetPixel(3, shot->Height() / 2);
        for (int x = 3; x < shot->Width() / 2; ++x)
            for (int y = y0; y < y1; ++y)
                if (shot->GetPixel(x, y) != paper)
                    return x;
        return -1;
    };
    const int withIcon = inkStart();
    cb->ApplyShellImages(false);
    const int withoutIcon = inkStart();
    EXPECT_GT(withoutIcon, withIcon + 16) << "the text starts after the 16-pixel icon and its gap";
}

}  // namespace
