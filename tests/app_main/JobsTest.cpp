// The job list and the conversion through the main window: files added with
// the menus and buttons, the list, the commands' states and glyphs, a run
// with its progress, and the after-done action.
#include "MainFixture.h"

#include <chrono>
#include <thread>

#include "engine/loader/Loader.h"
#include "engine/util/MiscUtils.h"
#include "platform/ui/controls/ListView.h"
#include "platform/ui/controls/Menus.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "tests/media/MediaWriter.h"
#include "platform/ui/Keys.h"
#include "platform/ui/controls/Edit.h"

namespace maintest {
namespace {

using namespace std::chrono_literals;

class JobsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        GlobalLoader().SetLibraryPath(GetExePath() + "LibAV");
    }

    std::string Clip(const std::string& AName, int AFrames = 10)
    {
        testmedia::TMediaPlan plan;
        plan.Video.push_back({});
        plan.Video[0].Frames = AFrames;
        plan.Video[0].Width = 64;
        plan.Video[0].Height = 48;
        plan.Audio.push_back({});
        plan.Audio[0].Samples = AFrames * 22050 / 25;
        const std::string path = Media.File(AName);
        testmedia::WriteMediaFile(path, plan);
        return path;
    }

    bool WaitIdle(std::chrono::seconds ALimit = 120s)
    {
        for (auto end = std::chrono::steady_clock::now() + ALimit; std::chrono::steady_clock::now() < end;) {
            if (!Form1->Jobs().Busy())
                return true;
            Pump();
            std::this_thread::sleep_for(2ms);
        }
        return false;
    }

    std::string Cell(int ARow, int AColumn) const
    {
        TListItem* item = Form1->lvFiles->Items()[ARow];
        return AColumn == 0 ? item->Caption() : item->SubItems()[AColumn - 1];
    }

    testmedia::TTempFolder Media;
    std::vector<std::string> AfterDoneCalls;
};

TEST_F(JobsTest, AddedFilesShowInTheListAndSwitchTheCommands)
{
    Start();
    const std::string a = Clip("a.avi"), b = Clip("b.avi");
    EXPECT_TRUE(Form1->bsSkinPanel5->Visible());
    Dialogs->Answers.push_back({a, b});
    Form1->Item121->Click();   // 文件 › 添加多个文件
    Pump();
    ASSERT_EQ(Form1->lvFiles->Items().Count(), 2);
    EXPECT_EQ(Cell(0, 0), b);   // added from the last chosen
    EXPECT_EQ(Cell(1, 0), a);
    EXPECT_EQ(Cell(0, 3), "b.mpg");
    EXPECT_NE(Cell(0, 1), "");   // the probe's duration
    EXPECT_FALSE(Form1->bsSkinPanel5->Visible());
    for (TbsSkinButton* enabled : {Form1->bsSkinButton7, Form1->bsSkinButton8, Form1->bsSkinButton2})
        EXPECT_TRUE(enabled->Enabled()) << enabled->Caption();
    EXPECT_FALSE(Form1->bsSkinButton10->Enabled());
    EXPECT_TRUE(Form1->N7->Enabled());

    EXPECT_TRUE(Messages.empty());
    // Clearing hides the list behind the placeholder again.
    ClickOn(Form1->bsSkinButton8);
    EXPECT_EQ(Form1->lvFiles->Items().Count(), 0);
    EXPECT_TRUE(Form1->bsSkinPanel5->Visible());
    EXPECT_FALSE(Form1->bsSkinButton2->Enabled());
}

TEST_F(JobsTest, StartConvertsTheListAndRunsTheAfterDoneAction)
{
    Start();
    Form1->Faces().AfterDone = std::make_unique<TFakeAfterDone>(AfterDoneCalls);
    Dialogs->Answers.push_back({Clip("one.avi")});
    Form1->Item111->Click();   // 文件 › 添加一个文件
    Dialogs->Answers.push_back({Clip("two.avi")});
    Form1->N11111->Click();    // the 添加 button's menu
    Pump();
    ASSERT_EQ(Form1->lvFiles->Items().Count(), 2);

    ClickOn(Form1->bsSkinButton2);   // 开始
    EXPECT_TRUE(Form1->Jobs().Busy());
    EXPECT_TRUE(Form1->bsSkinButton10->Enabled());
    EXPECT_FALSE(Form1->bsSkinButton3->Enabled());   // no moves while converting
    EXPECT_FALSE(Form1->bsSkinButton5->Enabled());   // nor a new output folder
    ASSERT_TRUE(WaitIdle());
    Pump();
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(Cell(row, 4), "100%") << row;
        EXPECT_TRUE(FileExists(Form1->FileOutPutPath + "/" + Cell(row, 3))) << row;
    }
    EXPECT_EQ(AfterDoneCalls, std::vector<std::string>{"open " + Form1->FileOutPutPath});
    EXPECT_TRUE(Form1->bsSkinButton2->Enabled());
    EXPECT_FALSE(Form1->bsSkinButton10->Enabled());
    EXPECT_TRUE(Form1->bsSkinButton5->Enabled());
}

TEST_F(JobsTest, RenameEditsTheOutputNameOverTheRow)
{
    Start();
    Dialogs->Answers.push_back({Clip("clip.avi")});
    Form1->Command("btnAdd")->Click();
    ASSERT_EQ(Form1->lvFiles->Items().Count(), 1);
    Form1->Jobs().SelectRow(0);
    ClickOn(Form1->bsSkinButton21);   // 重命名
    ASSERT_TRUE(Form1->edt->Visible());
    EXPECT_EQ(Form1->edt->Text(), "clip");
    Form1->edt->SetText("holiday");
    Backend->KeyPress(VK_RETURN);
    Pump();
    EXPECT_FALSE(Form1->edt->Visible());
    EXPECT_EQ(Cell(0, 3), "holiday.mpg");

    // A name that leaves the output folder is refused and the name stays.
    ClickOn(Form1->bsSkinButton21);
    Form1->edt->SetText("../away");
    Backend->KeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(Cell(0, 3), "holiday.mpg");
    EXPECT_EQ(Messages.size(), 1u);
    // Escape leaves it as it is.
    ClickOn(Form1->bsSkinButton21);
    Form1->edt->SetText("other");
    Backend->KeyPress(VK_ESCAPE);
    Pump();
    EXPECT_EQ(Cell(0, 3), "holiday.mpg");
}

} // namespace
} // namespace maintest
