// The conversion driven through the main window's own controls: a folder of
// media, moves and removes with the list buttons, runs on one and on four
// threads, pause, resume and stop on the tool bar, a failing file, and the
// action after all files are done.
#include "ConversionFixture.h"

#include "app/preview/PreviewPanel.h"
#include "engine/player/Player.h"

namespace maintest {
namespace {

TEST_F(ConversionControlTest, AddsAFolderAndMovesAndRemovesRowsWithTheListButtons)
{
    Clip("a.avi");
    Clip("b.avi");
    Clip("c.avi");
    AddFolder();
    ASSERT_EQ(Rows(), 3);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(Cell(row, 1), "00:00:00") << "the probe's duration, under a second";
        EXPECT_NE(Cell(row, 2), "") << "the probe's size";
    }
    const std::vector<std::string> added = Captions();
    const std::string firstOutput = Cell(0, 3);

    // The first row down, then back up: its output name travels with it.
    Form1->Jobs().SelectRow(0);
    ClickOn(Form1->bsSkinButton4);   // 下移
    EXPECT_EQ(Captions(), (std::vector<std::string>{added[1], added[0], added[2]}));
    EXPECT_EQ(Cell(1, 3), firstOutput);
    ClickOn(Form1->bsSkinButton3);   // 上移
    EXPECT_EQ(Captions(), added);

    // 删除 takes the selected row; without a selection it says so.
    Form1->Jobs().SelectRow(1);
    ClickOn(Form1->bsSkinButton7);
    EXPECT_EQ(Captions(), (std::vector<std::string>{added[0], added[2]}));
    EXPECT_TRUE(Messages.empty());

    // An empty folder adds nothing and says why.
    testmedia::TTempFolder empty;
    Dialogs->Answers.push_back({empty.Path()});
    Form1->N3331->Click();   // the 添加 button's 添加整个目录
    Pump();
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(Messages, std::vector<std::string>{"提示: 在该目录没有发现可以用的视频或音频文件！"});
}

TEST_F(ConversionControlTest, ConvertsOnTheChosenThreadsAndRunsTheChosenAfterDoneAction)
{
    struct Case {
        int ThreadIndex;   // the options' thread list: "1" is item 0
        int AfterDone;     // folder, shut down, sound, nothing
        std::vector<std::string> Calls;
    };
    for (int i = 0; i < 4; ++i)
        Clip("t" + std::to_string(i) + ".avi", 8);
    AddFolder();
    ASSERT_EQ(Rows(), 4);
    const std::vector<Case> cases = {
        {0, 0, {"open " + Form1->FileOutPutPath}},
        {3, 1, {"poweroff"}},
        {3, 2, {"sound"}},
        {0, 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "threads item " << c.ThreadIndex << ", after-done " << c.AfterDone);
        AfterDoneCalls.clear();
        Form5->bsSkinComboBox2->SetItemIndex(c.ThreadIndex);
        Form5->AfterDoneBoxes[c.AfterDone]->SetChecked(true);
        ClickOn(Form1->bsSkinButton2);   // 开始
        ASSERT_TRUE(Form1->Jobs().Busy());
        EXPECT_FALSE(Form1->bsSkinButton2->Enabled());
        EXPECT_FALSE(Form1->bsSkinButton4->Enabled()) << "no moves while converting";
        ASSERT_TRUE(WaitIdle());
        Pump();
        EXPECT_EQ(RowsAt100(), 4);
        for (int row = 0; row < Rows(); ++row)
            EXPECT_TRUE(FileExists(Form1->FileOutPutPath + "/" + Cell(row, 3))) << Cell(row, 3);
        EXPECT_EQ(AfterDoneCalls, c.Calls);
        EXPECT_TRUE(Form1->bsSkinButton2->Enabled()) << "the end unlocks the controls";
        EXPECT_TRUE(Form1->bsSkinButton4->Enabled());
        EXPECT_TRUE(Form1->bsSkinButton5->Enabled());
        EXPECT_FALSE(Form1->bsSkinButton10->Enabled());
    }
    EXPECT_TRUE(Messages.empty()) << Messages[0];
}

TEST_F(ConversionControlTest, PausesResumesAndStopsFromTheToolBar)
{
    for (int i = 0; i < 4; ++i)
        Clip("p" + std::to_string(i) + ".avi", 250, 320, 240);
    AddFolder();
    ASSERT_EQ(Rows(), 4);
    Form5->bsSkinComboBox2->SetItemIndex(0);
    Form5->AfterDoneBoxes[1]->SetChecked(true);   // shut down: never after a stop
    ClickOn(Form1->bsSkinButton2);
    ASSERT_TRUE(WaitUntil([this] { return !Cell(0, 4).empty(); })) << "a first progress report";

    ClickOn(Form1->bsSkinButton11);   // 暂停
    EXPECT_EQ(Form1->Jobs().State(), TJobState::Paused);
    EXPECT_TRUE(Form1->FFConv().Paused());
    EXPECT_TRUE(Form1->bsSkinButton12->Enabled());
    EXPECT_TRUE(Form1->bsSkinButton10->Enabled());
    ClickOn(Form1->bsSkinButton12);   // 继续
    EXPECT_EQ(Form1->Jobs().State(), TJobState::Converting);
    EXPECT_FALSE(Form1->FFConv().Paused());
    EXPECT_TRUE(Form1->bsSkinButton11->Enabled());

    // The preview holds the selected row's file; 停止 stops it too, and waits
    // a second (on the test's clock) before the engine's tasks go.
    EXPECT_TRUE(Form1->Preview().FFPlayer().FileOpened());
    const uint64_t before = Backend->Now();
    ClickOn(Form1->bsSkinButton10);   // 停止
    Pump();
    EXPECT_GE(Backend->Now() - before, 1000u);
    EXPECT_FALSE(Form1->Preview().FFPlayer().FileOpened());
    EXPECT_FALSE(Form1->Jobs().Busy());
    EXPECT_LT(RowsAt100(), 4) << "the stop ended the run early";
    EXPECT_EQ(Cell(3, 4), "") << "a job that never started shows nothing";
    EXPECT_TRUE(AfterDoneCalls.empty());
    EXPECT_TRUE(Form1->bsSkinButton2->Enabled());
    EXPECT_FALSE(Form1->bsSkinButton10->Enabled());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(ConversionControlTest, AFailedFileWarnsWithTheEngineTextAndTheRestConvert)
{
    for (int i = 0; i < 3; ++i)
        Clip("f" + std::to_string(i) + ".avi", 8);
    AddFolder();
    ASSERT_EQ(Rows(), 3);
    // An encoder the engine does not know: its muxer setup fails at run time.
    Form1->Jobs().List().Row(1).SetSubItem(JobColumnVideoCodec, "no_such_encoder");
    Form5->bsSkinComboBox2->SetItemIndex(1);
    Form5->AfterDoneBoxes[2]->SetChecked(true);
    ClickOn(Form1->bsSkinButton2);
    ASSERT_TRUE(WaitIdle());
    Pump();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].rfind("ZarvoMPG格式转换器: ", 0), 0u) << Messages[0];
    EXPECT_NE(Messages[0].find("no_such_encoder"), std::string::npos) << Messages[0];
    EXPECT_EQ(Cell(0, 4), "100%");
    EXPECT_NE(Cell(1, 4), "100%");
    EXPECT_EQ(Cell(2, 4), "100%");
    EXPECT_EQ(AfterDoneCalls, std::vector<std::string>{"sound"});
    EXPECT_TRUE(Form1->bsSkinButton2->Enabled());
}

} // namespace
} // namespace maintest
