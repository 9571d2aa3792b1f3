// The job list as a user meets it: its skinned bars with a full list, the
// selection after each add and before 删除, the output name after a format
// change, renaming by focus loss, and how the input column shows a path.
#include "MainFixture.h"

#include <filesystem>

#include "engine/loader/Loader.h"
#include "engine/util/MiscUtils.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListView.h"
#include "platform/ui/controls/Menus.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinOfficeListBox.h"
#include "platform/ui/controls/Menus.h"
#include "tests/media/MediaWriter.h"

namespace maintest {
namespace {

class JobListTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        GlobalLoader().SetLibraryPath(GetExePath() + "LibAV");
    }

    std::string Clip(const std::string& AName) { return WriteSmallClip(Media.File(AName)); }

    // Adds the file ACount times through 文件 › 添加多个文件.
    void AddMany(const std::string& AFile, int ACount)
    {
        Dialogs->Answers.push_back(std::vector<std::string>(size_t(ACount), AFile));
        Form1->Item121->Click();
        Pump();
    }

    std::string Cell(int ARow, int AColumn) const
    {
        TListItem* item = Form1->lvFiles->Items()[ARow];
        return AColumn == 0 ? item->Caption() : item->SubItems()[AColumn - 1];
    }

    int SelectedIndex() const
    {
        TListItem* item = Form1->lvFiles->Selected();
        return item ? item->Index() : -1;
    }

    testmedia::TTempFolder Media;
};

TEST_F(JobListTest, AFullListShowsItsBarAndKeepsTheSelectedRowInView)
{
    Start();
    AddMany(Clip("clip.avi"), 25);
    ASSERT_EQ(Form1->lvFiles->Items().Count(), 25);
    TbsSkinScrollBar* bar = Form1->bsSkinScrollBar1;
    EXPECT_TRUE(bar->Visible());
    EXPECT_FALSE(Form1->bsSkinScrollBar2->Visible());   // the shown columns fit beside the bar
    // The bar sits at the list's right edge, inside the list's panel.
    EXPECT_EQ(bar->Left() + bar->Width(), Form1->bsSkinPanel2->ClientWidth());
    EXPECT_EQ(Form1->lvFiles->Left() + Form1->lvFiles->Width(), bar->Left());

    const TRect area = Form1->lvFiles->ClientRect();
    int below = 0;   // where the rows start, under the header
    auto fullyShown = [&](int ARow) {
        const TRect r = Form1->lvFiles->Items()[ARow]->DisplayRect(drBounds);
        return r.Top >= below && r.Bottom <= area.Bottom;
    };
    EXPECT_EQ(SelectedIndex(), 24);
    Form1->lvFiles->SetFocus();
    Backend->KeyPress(VK_HOME);
    Pump();
    below = Form1->lvFiles->Items()[0]->DisplayRect(drBounds).Top;
    EXPECT_EQ(bar->Position(), 0);
    for (int press = 0; press < 3; ++press) {
        Backend->KeyPress(VK_NEXT);
        Pump();
        ASSERT_GE(SelectedIndex(), 0);
        EXPECT_TRUE(fullyShown(SelectedIndex())) << "after PageDown " << press + 1 << ", row " << SelectedIndex();
    }
    EXPECT_GT(bar->Position(), 0);
    // The bar scrolls the list.
    Backend->KeyPress(VK_HOME);
    Pump();
    const TPoint down = bar->ClientToScreen(TPoint{bar->Width() / 2, bar->Height() - 5});
    Backend->Click(down.X, down.Y);
    Pump();
    EXPECT_EQ(Form1->lvFiles->TopItem()->Index(), 1);
}

} // namespace
} // namespace maintest

namespace maintest {
namespace {

// The main window with a full list, scrolled by PageDown, in the skins a
// person looks at first: Clear, Violet and Graphite.
class FullListRender : public JobListTest, public ::testing::WithParamInterface<int> {};

TEST_P(FullListRender, MainWindowWithAFullList)
{
    WriteIni("Skin", "SetSkin", std::to_string(GetParam()));
    Start();
    AddMany(Clip("Videos/家庭/a-long-name-of-a-holiday-clip.avi"), 25);
    Form1->lvFiles->SetFocus();
    for (int key : {VK_HOME, VK_NEXT, VK_NEXT}) {
        Backend->KeyPress(key);
        Pump();
    }
    std::filesystem::create_directories(APP_MAIN_RENDER_DIR);
    Backend->SaveWindowPicture(Form1->Handle(), std::string(APP_MAIN_RENDER_DIR) + "/skin" +
                                                    std::to_string(GetParam()) + "_main_full_list.png");
    EXPECT_TRUE(Form1->bsSkinScrollBar1->Visible());
}

INSTANTIATE_TEST_SUITE_P(Skins, FullListRender, ::testing::Values(0, 2, 6));

} // namespace
} // namespace maintest

namespace maintest {
namespace {

TEST_F(JobListTest, TheInputColumnKeepsTheFileNameAndTheHintShowsThePath)
{
    Start();
    const std::string file = Clip("Videos/phone.mp4");
    AddMany(file, 1);
    ASSERT_EQ(Form1->lvFiles->Items().Count(), 1);
    EXPECT_EQ(Cell(0, 0), file);   // the row keeps the whole path
    EXPECT_TRUE(Form1->lvFiles->Columns().Items(0)->PathEllipsis());
    EXPECT_FALSE(Form1->lvFiles->Columns().Items(3)->PathEllipsis());
    const TRect row = Form1->lvFiles->Items()[0]->DisplayRect(drBounds);
    for (int x : {20, 300}) {
        const TPoint p = Form1->lvFiles->ClientToScreen(TPoint{x, (row.Top + row.Bottom) / 2});
        Backend->MouseMove(p.X, p.Y);
        Pump();
        EXPECT_EQ(Form1->lvFiles->Hint(), file) << x;
    }
    const TPoint below = Form1->lvFiles->ClientToScreen(TPoint{20, row.Bottom + 40});
    Backend->MouseMove(below.X, below.Y);
    Pump();
    EXPECT_EQ(Form1->lvFiles->Hint(), "");
}

} // namespace
} // namespace maintest

namespace maintest {
namespace {

TEST_F(JobListTest, EveryAddSelectsTheLastRowAndGivesTheListTheFocus)
{
    Start();
    const std::string one = Clip("one.avi"), two = Clip("two.avi");
    const std::string folder = ExtractFileDir(Clip("folder/x.avi"));
    struct Case {
        const char* What;
        std::vector<std::string> Answer;
        TMenuItem* Item;
    } cases[] = {
        {"one file", {one}, Form1->Item111},
        {"several files", {one, two}, Form1->Item121},
        {"a folder", {folder}, Form1->N21},
    };
    int rows = 0;
    for (const Case& c : cases) {
        // The focus elsewhere and the first row selected before the add.
        Form1->Video_OutPut_Folder_Edit->SetFocus();
        if (rows > 0)
            Form1->Jobs().SelectRow(0);
        Dialogs->Answers.push_back(c.Answer);
        c.Item->Click();
        Pump();
        rows = Form1->lvFiles->Items().Count();
        EXPECT_EQ(SelectedIndex(), rows - 1) << c.What;
        EXPECT_EQ(Form1->Jobs().List().Selected(), rows - 1) << c.What;
        EXPECT_TRUE(Form1->lvFiles->Focused()) << c.What;
        EXPECT_EQ(Form1->T_Movie_PLayer_FileName, Cell(rows - 1, 0)) << c.What;   // the preview opens it
    }
    EXPECT_EQ(rows, 4);
}

TEST_F(JobListTest, RemoveUsesTheSelectionTheListShows)
{
    Start();
    AddMany(Clip("clip.avi"), 2);
    ASSERT_EQ(Form1->lvFiles->Items().Count(), 2);
    // A click on the empty part of the list leaves no row selected ...
    const TRect last = Form1->lvFiles->Items()[1]->DisplayRect(drBounds);
    const TPoint empty = Form1->lvFiles->ClientToScreen(TPoint{40, last.Bottom + 30});
    Backend->Click(empty.X, empty.Y);
    Pump();
    ASSERT_EQ(Form1->lvFiles->Selected(), nullptr);
    // ... so 删除 removes nothing and says so.
    ClickOn(Form1->bsSkinButton7);
    EXPECT_EQ(Form1->lvFiles->Items().Count(), 2);
    EXPECT_EQ(Messages, std::vector<std::string>{"提示: 请先选择您需要删除的项目！"});
    // A click on a row selects it for 删除.
    const TPoint first = Form1->lvFiles->ClientToScreen(
        TPoint{40, (Form1->lvFiles->Items()[0]->DisplayRect(drBounds).Top + Form1->lvFiles->Items()[0]->DisplayRect(drBounds).Bottom) / 2});
    Backend->Click(first.X, first.Y);
    Pump();
    ClickOn(Form1->bsSkinButton7);
    EXPECT_EQ(Form1->lvFiles->Items().Count(), 1);
}

TEST_F(JobListTest, AFormatChangeGivesTheOutputNameItsExtensionAtOnce)
{
    Start();
    AddMany(Clip("clip.avi"), 1);
    ASSERT_EQ(Cell(0, 3), "clip.mpg");
    // 常用视频 holds the common formats; pick one with another extension.
    Form1->bsSkinOfficeComboBox2->SetItemIndex(1);
    Pump();
    const std::string title = Form1->bsSkinOfficeComboBox1->Items().Items(Form1->bsSkinOfficeComboBox1->ItemIndex())->Title();
    const std::string shown = Cell(0, 3);
    EXPECT_NE(shown, "clip.mpg") << title;
    EXPECT_EQ(shown, Form1->Jobs().List().Row(0).SubItem(3));
    EXPECT_EQ(shown.substr(0, 5), "clip.");
    EXPECT_NE(title.find("(*" + shown.substr(4) + ")"), std::string::npos) << title << " " << shown;
}

TEST_F(JobListTest, RenameTakesTheNameWhenTheEditorLosesTheFocus)
{
    Start();
    AddMany(Clip("clip.avi"), 1);
    ClickOn(Form1->bsSkinButton21);   // 重命名
    ASSERT_TRUE(Form1->edt->Visible());
    ASSERT_TRUE(Form1->edt->Focused());
    // An empty name: the editor stays, the name too.
    Form1->edt->SetText("");
    Backend->KeyPress(VK_RETURN);
    Pump();
    EXPECT_TRUE(Form1->edt->Visible());
    EXPECT_EQ(Cell(0, 3), "clip.mpg");
    Form1->edt->SetFocus();
    Form1->edt->SetText("holiday");
    // A click elsewhere takes the typed name.
    ClickOn(Form1->Video_OutPut_Folder_Edit);
    EXPECT_FALSE(Form1->edt->Visible());
    EXPECT_EQ(Cell(0, 3), "holiday.mpg");
    EXPECT_TRUE(Messages.empty());
    // The focus leaving an empty editor keeps it shown.
    ClickOn(Form1->bsSkinButton21);
    Form1->edt->SetText("");
    ClickOn(Form1->Video_OutPut_Folder_Edit);
    EXPECT_TRUE(Form1->edt->Visible());
    EXPECT_EQ(Cell(0, 3), "holiday.mpg");
}

} // namespace
} // namespace maintest

namespace maintest {
namespace {

// Keys come faster than the preview opens a file: a selection that arrives
// while the preview still opens the one before waits its turn, and the list
// ends on the last row pressed with the preview on its file.
TEST_F(JobListTest, QuickPageDownsOpenThePreviewOnceAtATime)
{
    Start();
    AddMany(Clip("clip.avi"), 25);
    Form1->lvFiles->SetFocus();
    Backend->KeyPress(VK_HOME);
    Pump();
    for (int press = 0; press < 3; ++press)
        Backend->KeyPress(VK_NEXT);
    Pump();
    EXPECT_GT(SelectedIndex(), 0);
    EXPECT_EQ(Form1->Jobs().List().Selected(), SelectedIndex());
    EXPECT_EQ(Form1->T_Movie_PLayer_FileName, Cell(SelectedIndex(), 0));
}

} // namespace
} // namespace maintest
