// A full list of tiny files on 19 threads, stopped half-way and started again:
// no row is lost, no output is written over, and no row claims a conversion
// that did not happen.
#include <set>

#include "tests/app_jobs/JobTestSupport.h"
#include "tests/app_jobs/StressChecks.h"

namespace {

using namespace jobtest;
using namespace stresscheck;

class JobStressTest : public JobControlTest {
protected:
    int RowsAt100() const {
        int n = 0;
        for (int i = 0; i < Rows(); ++i)
            n += Cell(i, 4) == "100%";
        return n;
    }
};

TEST_F(JobStressTest, StopsHalfWayAndStartsAgainWithoutLosingOrOverwritingAnything) {
    const int count = StressFileCount(TJobSlots::Capacity);
    std::vector<std::string> files;
    for (int i = 0; i <= count; ++i) {
        char name[32];
        snprintf(name, sizeof name, "s%03d.mp4", i);
        files.push_back(In(name));
        WriteClip(files.back(), 2, 32, 32, false);
    }
    std::vector<std::string> chosen(files.begin(), files.begin() + count);
    Dialogs.Answers.push_back(chosen);
    Control->AddFiles();
    ASSERT_EQ(Rows(), count);

    // The list is full: the next file is refused with a message and nothing changes.
    if (count == TJobSlots::Capacity) {
        Dialogs.Answers.push_back({files[count]});
        Control->AddFile();
        EXPECT_EQ(Rows(), count);
        ASSERT_EQ(Messages.Shown.size(), 1u);
        EXPECT_EQ(Messages.Shown[0].Caption, "提示");
        Messages.Shown.clear();
    }

    Options.ThreadCount = "19";
    Options.AfterDone = TAfterDone::PowerOff;
    ASSERT_TRUE(Control->Start());
    ASSERT_TRUE(WaitUntil([&] { return RowsAt100() >= count / 2 || !Control->Busy(); }, 180000ms));
    Control->Stop();
    ASSERT_EQ(Control->State(), TJobState::Done);
    EXPECT_TRUE(AfterDone.Calls.empty()) << "no power-off after a stop";
    EXPECT_TRUE(Messages.Shown.empty()) << Messages.Shown[0].Text;

    ASSERT_EQ(Rows(), count);
    std::set<std::string> captions;
    for (int i = 0; i < Rows(); ++i)
        captions.insert(Cell(i, 0));
    EXPECT_EQ(captions.size(), size_t(count)) << "every file keeps its row";
    const int firstDone = RowsAt100();
    EXPECT_LT(firstDone, count) << "the stop came half-way";
    for (int i = 0; i < Rows(); ++i)
        if (Cell(i, 4) == "100%") {
            ASSERT_TRUE(Plays(OutFolder.File(Cell(i, 3)))) << "a row at 100% has its output: " << Cell(i, 3);
        }
    const std::map<std::string, TFileStamp> first = Outputs(OutFolder.Path());
    EXPECT_GE(first.size(), size_t(firstDone));

    ASSERT_TRUE(Control->Start());
    ASSERT_TRUE(WaitDone(180000ms));
    EXPECT_EQ(AfterDone.Calls, std::vector<std::string>{"poweroff"});
    EXPECT_TRUE(Messages.Shown.empty());
    std::set<std::string> names;
    for (int i = 0; i < Rows(); ++i) {
        ASSERT_EQ(Cell(i, 4), "100%") << i;
        EXPECT_EQ(first.count(Cell(i, 3)), 0u) << "written over a file of the first run: " << Cell(i, 3);
        names.insert(Cell(i, 3));
        EXPECT_TRUE(Plays(OutFolder.File(Cell(i, 3)))) << Cell(i, 3);
    }
    EXPECT_EQ(names.size(), size_t(count)) << "every job wrote a file of its own";
    const std::map<std::string, TFileStamp> second = Outputs(OutFolder.Path());
    for (const auto& [name, stamp] : first) {
        ASSERT_EQ(second.count(name), 1u) << name;
        EXPECT_EQ(second.at(name), stamp) << "the first run's file changed: " << name;
    }
    EXPECT_EQ(second.size(), first.size() + size_t(count));
}

} // namespace
