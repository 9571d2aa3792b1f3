// A full list through the main window: 501 tiny files added with
// 文件 › 添加整个目录, one more refused, converted on 19 threads, stopped
// half-way with 停止 and started again with 开始. No row is lost, no output
// is written over, and no row claims a conversion that did not happen.
#include "ConversionFixture.h"

#include <set>

#include "app/jobs/JobSlots.h"
#include "tests/app_jobs/StressChecks.h"

namespace maintest {
namespace {

using namespace stresscheck;

using WindowStressTest = ConversionControlTest;

TEST_F(WindowStressTest, AFullListStopsHalfWayAndStartsAgainWithoutLosingOrOverwritingAnything)
{
    const int count = StressFileCount(TJobSlots::Capacity);
    for (int i = 0; i < count; ++i) {
        char name[32];
        snprintf(name, sizeof name, "s%03d.mp4", i);
        Clip(name, 2, 32, 32);
    }
    AddFolder();
    ASSERT_EQ(Rows(), count);
    EXPECT_TRUE(Messages.empty()) << Messages[0];

    // The list is full: one more file is refused with a message and nothing changes.
    if (count == TJobSlots::Capacity) {
        testmedia::TTempFolder more;
        const std::string extra = more.File("extra.mp4");
        testmedia::TMediaPlan plan;
        plan.Video.push_back({});
        plan.Video[0].Frames = 2;
        testmedia::WriteMediaFile(extra, plan);
        Dialogs->Answers.push_back({extra});
        Form1->Item111->Click();   // 添加一个文件
        Pump();
        EXPECT_EQ(Rows(), count);
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_EQ(Messages[0].rfind("提示: ", 0), 0u) << Messages[0];
        Messages.clear();
    }

    const std::string outFolder = Form1->FileOutPutPath;
    Form5->bsSkinComboBox2->SetItemIndex(18);   // 19 threads
    Form5->AfterDoneBoxes[1]->SetChecked(true);   // shut down: only after a run that was not stopped
    ClickOn(Form1->bsSkinButton2);   // 开始
    ASSERT_TRUE(Form1->Jobs().Busy());
    ASSERT_TRUE(WaitUntil([this, count] { return RowsAt100() >= count / 2 || !Form1->Jobs().Busy(); }, 600s));
    ClickOn(Form1->bsSkinButton10);   // 停止
    Pump();
    ASSERT_FALSE(Form1->Jobs().Busy());
    EXPECT_TRUE(AfterDoneCalls.empty()) << "no shut-down after a stop";
    EXPECT_TRUE(Messages.empty()) << Messages[0];

    ASSERT_EQ(Rows(), count);
    std::set<std::string> captions;
    for (int i = 0; i < Rows(); ++i)
        captions.insert(Cell(i, 0));
    EXPECT_EQ(captions.size(), size_t(count)) << "every file keeps its row";
    const int firstDone = RowsAt100();
    EXPECT_LT(firstDone, count) << "the stop came half-way";
    for (int i = 0; i < Rows(); ++i) {
        if (Cell(i, 4) == "100%") {
            ASSERT_TRUE(Plays(outFolder + "/" + Cell(i, 3))) << "a row at 100% has its output: " << Cell(i, 3);
        }
    }
    const std::map<std::string, TFileStamp> first = Outputs(outFolder);
    EXPECT_GE(first.size(), size_t(firstDone));

    ClickOn(Form1->bsSkinButton2);   // 开始 again: every row converts anew, beside the first run's files
    ASSERT_TRUE(WaitIdle());
    Pump();
    EXPECT_EQ(AfterDoneCalls, std::vector<std::string>{"poweroff"});
    EXPECT_TRUE(Messages.empty()) << Messages[0];
    std::set<std::string> names;
    for (int i = 0; i < Rows(); ++i) {
        ASSERT_EQ(Cell(i, 4), "100%") << i;
        EXPECT_EQ(first.count(Cell(i, 3)), 0u) << "written over a file of the first run: " << Cell(i, 3);
        names.insert(Cell(i, 3));
        EXPECT_TRUE(Plays(outFolder + "/" + Cell(i, 3))) << Cell(i, 3);
    }
    EXPECT_EQ(names.size(), size_t(count)) << "every job wrote a file of its own";
    const std::map<std::string, TFileStamp> second = Outputs(outFolder);
    for (const auto& [name, stamp] : first) {
        ASSERT_EQ(second.count(name), 1u) << name;
        EXPECT_EQ(second.at(name), stamp) << "the first run's file changed: " << name;
    }
    EXPECT_EQ(second.size(), first.size() + size_t(count));
    EXPECT_TRUE(Form1->bsSkinButton2->Enabled()) << "the end unlocks the controls";
}

} // namespace
} // namespace maintest
