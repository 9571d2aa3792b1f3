#include <gtest/gtest.h>

#include <filesystem>

#include "platform/core/Thread.h"
#include "platform/ui/Keys.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/dialogs/SelectDirectoryDialog.h"
#include "skin/shell/ShellTreeView.h"
#include "tests/skin_filedialogs/FileDialogFixture.h"

namespace {

class SelectDirectoryDialogTest : public TFileDialogTest {
protected:
    void During(TbsSkinSelectDirectoryDialog& d, std::function<void(TbsSelDirDlgForm&)> Steps)
    {
        TFileDialogTest::During<TbsSkinSelectDirectoryDialog, TbsSelDirDlgForm>(d, Steps);
    }
};

TEST_F(SelectDirectoryDialogTest, StartsAtComputerOkStoresTheFolderAndCancelKeepsIt)
{
    TbsSkinSelectDirectoryDialog d(nullptr);
    d.SetTitle("选择目录");
    std::string startPath;
    bool computerExpanded = false;
    int closes = 0;
    d.OnClose = [&](TObject*) { ++closes; };
    During(d, [&](TbsSelDirDlgForm& f) {
        startPath = f.DirTreeView->Path();
        computerExpanded = f.DirTreeView->Selected()->Expanded();
        EXPECT_EQ(f.Caption(), "选择目录");
        EXPECT_EQ(f.ClientWidth(), 280);
        EXPECT_EQ(f.ClientHeight(), 280);
        EXPECT_EQ(f.ToolPanel, nullptr);
        f.DirTreeView->SetPath(Home + "/b folder/inner");
        ClickControl(f.OkButton);
    });
    EXPECT_TRUE(d.Execute());
    EXPECT_EQ(startPath, "计算机");
    EXPECT_TRUE(computerExpanded);
    EXPECT_EQ(d.Directory, Home + "/b folder/inner");
    EXPECT_EQ(d.DialogForm(), nullptr);
    EXPECT_EQ(closes, 1);

    // The next call starts there; Esc cancels, keeps Directory, writes the size.
    d.DialogWidth = 320;
    During(d, [&](TbsSelDirDlgForm& f) {
        startPath = f.DirTreeView->Path();
        f.SetClientWidth(300);
        f.DirTreeView->SetPath(Home);
        Key(VK_ESCAPE);
    });
    EXPECT_FALSE(d.Execute());
    EXPECT_EQ(startPath, Home + "/b folder/inner");
    EXPECT_EQ(d.Directory, Home + "/b folder/inner");
    EXPECT_EQ(d.DialogWidth, 300);
    EXPECT_EQ(closes, 2);

    // OK on a virtual folder leaves Directory alone; a vanished Directory starts at Computer.
    std::filesystem::remove_all(Home + "/b folder");
    During(d, [&](TbsSelDirDlgForm& f) {
        startPath = f.DirTreeView->Path();
        ClickControl(f.OkButton);
    });
    EXPECT_TRUE(d.Execute());
    EXPECT_EQ(startPath, "计算机");
    EXPECT_EQ(d.Directory, Home + "/b folder/inner");
}

TEST_F(SelectDirectoryDialogTest, ToolBarMakesOneNewFolderAndTakesTypedPaths)
{
    TbsSkinSelectDirectoryDialog d(nullptr);
    d.ShowToolBar = true;
    d.Directory = Home;
    std::vector<std::string> children;
    std::string afterTyping, afterMissing, relative;
    During(d, [&](TbsSelDirDlgForm& f) {
        ASSERT_NE(f.NewFolderToolButton, nullptr);
        EXPECT_EQ(f.DirEdit->Text(), Home);
        ClickControl(f.NewFolderToolButton);
        ClickControl(f.NewFolderToolButton);   // "New Folder" exists now: nothing, no number
        TTreeNode* home = f.DirTreeView->Selected();
        for (int i = 0; i < home->Count(); ++i)
            children.push_back(home->Item(i)->Text());
        // A typed existing folder and Enter selects it; a missing one does nothing.
        f.DirEdit->SetFocus();
        f.DirEdit->SetText(Home + "/视频");
        Key(VK_RETURN);
        afterTyping = f.DirTreeView->Path();
        f.DirEdit->SetText(Home + "/none");
        Key(VK_RETURN);
        afterMissing = f.DirTreeView->Path();
        f.DirTreeView->SetPath(Home);
        f.DirEdit->SetText("b folder/inner");
        Key(VK_RETURN);
        relative = f.DirTreeView->Path();
        // Under Computer (no path) the button does nothing.
        f.DirTreeView->ExpandMyComputer();
        ClickControl(f.NewFolderToolButton);
        f.SetModalResult(mrCancel);
    });
    EXPECT_FALSE(d.Execute());
    EXPECT_EQ(children, (std::vector<std::string>{"b folder", "New Folder", "Videos", "视频"}));
    EXPECT_TRUE(std::filesystem::is_directory(Home + "/New Folder"));
    EXPECT_FALSE(std::filesystem::exists(Home + "/New Folder(2)"));
    EXPECT_EQ(afterTyping, Home + "/视频");
    EXPECT_EQ(afterMissing, Home + "/视频");
    EXPECT_EQ(relative, Home + "/b folder/inner") << "relative to the selected folder";
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SelectDirectoryDialogTest, RenderInTheBaseSkin)
{
    TbsSkinSelectDirectoryDialog d(nullptr);
    d.SetSkinData(BaseSkinData());
    d.SetCtrlSkinData(BaseSkinData());
    d.SetTitle("选择输出目录");
    d.ShowToolBar = true;
    d.Directory = Home + "/b folder/inner";
    TRenderSheet sheet;
    During(d, [&](TbsSelDirDlgForm& f) {
        sheet.Add("select folder, with tool bar", Shot(f));
        f.SetModalResult(mrCancel);
    });
    d.Execute();
    sheet.Save("select_folder");
}

}  // namespace
