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
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
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

    std::string Clip(const std::string& AName)
    {
        testmedia::TMediaPlan plan;
        plan.Video.push_back({});
        plan.Video[0].Frames = 2;
        plan.Video[0].Width = 32;
        plan.Video[0].Height = 24;
        const std::string path = Media.File(AName);
        ForceDirectories(ExtractFileDir(path));
        testmedia::WriteMediaFile(path, plan);
        return path;
    }

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
