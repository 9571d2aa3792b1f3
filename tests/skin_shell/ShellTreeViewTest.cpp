#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/shell/ShellNamespace.h"
#include "platform/ui/Keys.h"
#include "tests/skin_shell/ShellViewsFixture.h"

namespace {

using Texts = std::vector<std::string>;

class ShellTreeViewTest : public TShellViewsTest {
protected:
    TTreeNode* Top(TbsCustomShellTreeView* tv) { return tv->Items().GetFirstNode(); }
    TTreeNode* HomeNode(TbsCustomShellTreeView* tv) { return ChildNamed(Top(tv), "主文件夹"); }
};

TEST_F(ShellTreeViewTest, ShowsTheDesktopExpandedAndLoadsFoldersOnlyWhenExpanded)
{
    auto* tv = NewTree();
    TTreeNode* top = Top(tv);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(tv->Items().GetFirstNode()->GetNextSibling(), nullptr) << "one top node";
    EXPECT_EQ(top->Text(), "桌面");
    EXPECT_TRUE(top->Expanded());
    EXPECT_EQ(ChildTexts(top), (Texts{"主文件夹", "计算机"}));
    EXPECT_EQ(tv->Selected(), top);

    TTreeNode* home = HomeNode(tv);
    EXPECT_FALSE(home->Expanded());
    EXPECT_EQ(home->Count(), 0) << "children wait for the first expansion";
    EXPECT_TRUE(home->HasChildren());
    home->Expand(false);
    // Folders only, hidden ones left out, in the shell's order.
    EXPECT_EQ(ChildTexts(home), (Texts{"b folder", "Videos", "视频"}));
    EXPECT_TRUE(ChildNamed(home, "b folder")->HasChildren());
    EXPECT_FALSE(ChildNamed(home, "Videos")->HasChildren()) << "no sub-folders, no button";
    EXPECT_GE(home->ImageIndex(), 0) << "the namespace's icons";
    EXPECT_NE(home->ImageIndex(), ChildNamed(home, "Videos")->ImageIndex());

    // A folder whose sub-folders went away loses its button on expansion.
    TTreeNode* bfolder = ChildNamed(home, "b folder");
    std::filesystem::remove_all(Home + "/b folder/inner");
    bfolder->Expand(false);
    EXPECT_EQ(bfolder->Count(), 0);
    EXPECT_FALSE(bfolder->HasChildren());
}

// Reading a folder's children shows the busy cursor, and the cursor before
// it comes back.
TEST_F(ShellTreeViewTest, ReadingChildrenShowsTheBusyCursor)
{
    auto* tv = NewTree();
    Backend->ClearCursorsShown();
    HomeNode(tv)->Expand(false);
    const auto& shown = Backend->CursorsShown();
    EXPECT_NE(std::find(shown.begin(), shown.end(), IDC_WAIT), shown.end());
    EXPECT_EQ(Backend->CursorShape(), IDC_ARROW);
}

TEST_F(ShellTreeViewTest, FilesAsNodesAreNeverRun)
{
    auto* tv = NewTree();
    tv->SetObjectTypes(TShellObjectTypes{otFolders, otNonFolders});
    TTreeNode* home = HomeNode(tv);
    home->Expand(false);
    TTreeNode* videos = ChildNamed(home, "Videos");
    WriteBytes(Home + "/Videos/clip.mp4", 3);
    // A folder holding only files gets a button when files are shown.
    tv->Refresh(home);
    home = HomeNode(tv);
    videos = ChildNamed(home, "Videos");
    EXPECT_TRUE(videos->HasChildren());
    TTreeNode* file = ChildNamed(home, "B.mp4");
    ASSERT_NE(file, nullptr);
    file->Expand(false);
    EXPECT_TRUE(Opened.empty()) << "expanding a file node runs nothing";
    EXPECT_FALSE(file->HasChildren());
}

TEST_F(ShellTreeViewTest, PathExpandsTheWaySelectsAndMovesTheLinkedList)
{
    auto* tv = NewTree();
    auto* lv = NewList();
    tv->SetShellListView(lv);
    EXPECT_EQ(lv->ShellTreeView(), tv);
    const std::string deep = Home + "/b folder/inner/deep";
    tv->SetPath(deep);
    ASSERT_NE(tv->Selected(), nullptr);
    EXPECT_EQ(tv->Selected()->Text(), "deep");
    EXPECT_EQ(tv->Path(), deep);
    EXPECT_TRUE(tv->Selected()->Parent()->Expanded());
    EXPECT_EQ(tv->Selected()->Parent()->Parent()->Parent(), HomeNode(tv)) << "reached through Home";
    EXPECT_EQ(lv->Path(), deep) << "the list follows";
    TTreeNode* selected = tv->Selected();
    tv->SetPath(deep);
    EXPECT_EQ(tv->Selected(), selected) << "the same folder again changes nothing";

    // The list moves the tree in turn, without echo.
    lv->SetPath(Home + "/视频");
    EXPECT_EQ(tv->Selected()->Text(), "视频");
    EXPECT_EQ(lv->Path(), Home + "/视频");

    // Selecting a node by hand moves the list.
    tv->SetSelected(ChildNamed(HomeNode(tv), "Videos"));
    EXPECT_EQ(lv->Path(), Home + "/Videos");

    EXPECT_THROW(tv->SetPath("relative/path"), EInvalidPath);
}

TEST_F(ShellTreeViewTest, ExpandMyComputerShowsTheMounts)
{
    auto* tv = NewTree();
    tv->ExpandMyComputer();
    ASSERT_NE(tv->Selected(), nullptr);
    EXPECT_EQ(tv->Selected()->Text(), "计算机");
    EXPECT_TRUE(tv->Selected()->Expanded());
    EXPECT_EQ(tv->Selected()->Count(), 3);
    EXPECT_EQ(tv->Path(), "计算机") << "a virtual folder answers its display name";
}

TEST_F(ShellTreeViewTest, AddFolderHandlerVetoesNodes)
{
    auto* tv = NewTree();
    tv->OnAddFolder = [](TObject*, TbsShellFolder* f, bool& canAdd) { canAdd = f->DisplayName() != "Videos"; };
    TTreeNode* home = HomeNode(tv);
    home->Expand(false);
    EXPECT_EQ(ChildTexts(home), (Texts{"b folder", "视频"}));
}

TEST_F(ShellTreeViewTest, RefreshKeepsWhatWasExpandedAndSelected)
{
    auto* tv = NewTree();
    tv->SetPath(Home + "/b folder/inner");
    TTreeNode* home = HomeNode(tv);
    std::filesystem::create_directories(Home + "/b folder/new one");
    tv->Refresh(home);
    home = HomeNode(tv);
    ASSERT_NE(home, nullptr);
    TTreeNode* bfolder = ChildNamed(home, "b folder");
    ASSERT_NE(bfolder, nullptr);
    EXPECT_TRUE(home->Expanded());
    EXPECT_TRUE(bfolder->Expanded());
    EXPECT_EQ(ChildTexts(bfolder), (Texts{"inner", "new one"}));
    ASSERT_NE(tv->Selected(), nullptr);
    EXPECT_EQ(tv->Path(), Home + "/b folder/inner");
}

TEST_F(ShellTreeViewTest, LabelEditRenamesTheFolderAndARefusalKeepsTheText)
{
    auto* tv = NewTree();
    tv->SetPath(Home + "/Videos");
    tv->SetFocus();
    TTreeNode* videos = tv->Selected();
    ASSERT_TRUE(videos->EditText());
    Type("Movies");
    Key(VK_RETURN);
    EXPECT_TRUE(std::filesystem::is_directory(Home + "/Movies"));
    EXPECT_FALSE(std::filesystem::exists(Home + "/Videos"));
    ASSERT_NE(tv->Selected(), nullptr);
    EXPECT_EQ(tv->Selected()->Text(), "Movies");
    EXPECT_EQ(tv->Path(), Home + "/Movies");

    // Taking the name of another folder is refused: message, old text.
    TTreeNode* movies = tv->Selected();
    ASSERT_TRUE(movies->EditText());
    Type("视频");
    Key(VK_RETURN);
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_NE(Errors[0].find("Rename to 视频 failed"), std::string::npos) << Errors[0];
    EXPECT_EQ(tv->Selected()->Text(), "Movies");
    EXPECT_TRUE(std::filesystem::is_directory(Home + "/Movies"));

    // The item menu's rename verb starts the same edit.
    bool handled = false;
    tv->ExecuteCommand("Rename", handled);
    EXPECT_TRUE(handled);
    EXPECT_TRUE(tv->IsEditing());
    Key(VK_ESCAPE);
}

TEST_F(ShellTreeViewTest, AutoRefreshShowsAFolderAppearingAndGoing)
{
    auto* tv = NewTree();
    tv->SetAutoRefresh(true);
    // Outside a selection change the notifier watches the root: the Desktop has no path.
    ASSERT_NE(tv->Notifier(), nullptr);
    EXPECT_FALSE(tv->Notifier()->Watching());
    tv->SetPath(Home + "/b folder");
    ASSERT_NE(tv->Notifier(), nullptr);
    EXPECT_EQ(tv->Notifier()->Root(), Home + "/b folder");
    ASSERT_TRUE(PumpUntil([&] { return tv->Notifier()->Thread() && tv->Notifier()->Thread()->OptionsApplied() > 0; }));
    std::filesystem::create_directories(Home + "/b folder/fresh");
    ASSERT_TRUE(PumpUntil([&] { return tv->Selected() && ChildNamed(tv->Selected(), "fresh"); }));
    EXPECT_EQ(tv->Path(), Home + "/b folder");
    ASSERT_TRUE(PumpUntil([&] { return tv->Notifier() && tv->Notifier()->Thread() &&
                                       tv->Notifier()->Thread()->OptionsApplied() > 0; }));
    std::filesystem::remove_all(Home + "/b folder/fresh");
    ASSERT_TRUE(PumpUntil([&] { return tv->Selected() && !ChildNamed(tv->Selected(), "fresh"); }));
    EXPECT_EQ(ChildTexts(tv->Selected()), (Texts{"inner"}));
}

TEST_F(ShellTreeViewTest, BadRootKeepsTheOldRootAndReports)
{
    auto* tv = NewTree();
    tv->SetRoot(Home);
    EXPECT_EQ(Top(tv)->Text(), "主文件夹");
    try {
        tv->SetRoot("rfPrinters");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Error setting path: \"rfPrinters\"");
    }
    EXPECT_EQ(tv->Root(), Home);
    EXPECT_EQ(Top(tv)->Text(), "主文件夹");
    tv->SetRoot("RFMYCOMPUTER");
    EXPECT_EQ(Top(tv)->Text(), "计算机");
}

}  // namespace
