// Converting the job list: starting with one and four threads, progress in the
// rows, pause, resume and stop, failures, skipped rows, names checked again at
// the start, and the action after all are done.
#include <filesystem>
#include <fstream>
#include <map>

#include "app/jobs/JobTexts.h"
#include "engine/probe/AVProbe.h"
#include "tests/app_jobs/JobTestSupport.h"

namespace {

using namespace jobtest;

class JobRunTest : public JobControlTest {
protected:
    // Adds clips of AFrames frames named n0.mp4, n1.mp4, ... in that row order.
    void AddClips(int ACount, int AFrames, int AWidth = 64, int AHeight = 48) {
        std::vector<std::string> files;
        for (int i = ACount - 1; i >= 0; --i) {
            const std::string file = In("n" + std::to_string(i) + ".mp4");
            WriteClip(file, AFrames, AWidth, AHeight);
            files.push_back(file);
        }
        Dialogs.Answers.push_back(files);
        Control->AddFiles();
        ASSERT_EQ(Rows(), ACount);
    }
    bool OutputPlays(int ARow) {
        TAVProbe probe(nullptr);
        return probe.LoadAVLib(GetExePath() + "LibAV") && probe.LoadFile(OutFolder.File(Cell(ARow, 3))) &&
               probe.FileStreamInfo().Duration > 0;
    }
    int RowsAt100() const {
        int n = 0;
        for (int i = 0; i < Rows(); ++i)
            n += Cell(i, 4) == "100%";
        return n;
    }
};

TEST_F(JobRunTest, ConvertsEveryRowWithOneAndFourThreads) {
    AddClips(3, 10);
    for (const char* threads : {"1", "4"}) {
        AfterDone.Calls.clear();
        Options.ThreadCount = threads;
        ASSERT_TRUE(Control->Start()) << threads;
        EXPECT_TRUE(Control->Busy());
        const TJobCommands c = Control->Commands();
        EXPECT_TRUE(c.Stop && c.Pause);
        EXPECT_FALSE(c.Add || c.Remove || c.Rename || c.Clear || c.Start || c.Resume || c.Move || c.Settings);
        ASSERT_TRUE(WaitDone()) << threads;
        EXPECT_EQ(Control->State(), TJobState::Done);
        for (int i = 0; i < Rows(); ++i) {
            EXPECT_EQ(Cell(i, 4), "100%") << threads << " row " << i;
            EXPECT_TRUE(OutputPlays(i)) << threads << " row " << i;
        }
        EXPECT_EQ(AfterDone.Calls, std::vector<std::string>{"open " + OutFolder.Path()}) << threads;
        const TJobCommands d = Control->Commands();
        EXPECT_TRUE(d.Add && d.Clear && d.Start && d.Settings && d.Move);
        EXPECT_FALSE(d.Remove || d.Rename || d.Stop || d.Pause || d.Resume);
        EXPECT_EQ(Converter->TasksCount(), 0);
        EXPECT_TRUE(Messages.Shown.empty());
    }
    // The second run found the first run's files and named its own beside them.
    EXPECT_EQ(Cell(0, 3), "n0_1.mpg");
    EXPECT_TRUE(FileExists(OutFolder.File("n0.mpg")));
}

TEST_F(JobRunTest, ShowsProgressThatNeverPassesAHundred) {
    AddClips(2, 150, 320, 240);
    std::vector<std::string> seen;
    View.OnRowChanged = [&](int ARow) {
        if (Control->Busy() && ARow >= 0)
            seen.push_back(Cell(ARow, 4));
    };
    Options.ThreadCount = "2";
    ASSERT_TRUE(Control->Start());
    ASSERT_TRUE(WaitDone());
    int percents = 0;
    for (const std::string& text : seen) {
        if (text.empty() || text == "N/A")
            continue;
        ASSERT_EQ(text.back(), '%') << text;
        const int value = std::stoi(text);
        EXPECT_GE(value, 0) << text;
        EXPECT_LE(value, 100) << text;
        ++percents;
    }
    EXPECT_GT(percents, 0);
    for (int i = 0; i < Rows(); ++i) {
        EXPECT_EQ(Cell(i, 4), "100%");
        EXPECT_EQ(Cell(i, 6).size(), 8u) << Cell(i, 6);  // hh:mm:ss
        EXPECT_NE(Cell(i, 7).find("MB"), std::string::npos) << Cell(i, 7);
    }
}

TEST_F(JobRunTest, PausesResumesAndStops) {
    AddClips(4, 250, 640, 480);
    Options.ThreadCount = "1";
    Options.AfterDone = TAfterDone::OpenFolder;
    ASSERT_TRUE(Control->Start());
    ASSERT_TRUE(WaitUntil([&] { return !Cell(0, 4).empty(); })) << "a first progress report";
    Control->Pause();
    EXPECT_EQ(Control->State(), TJobState::Paused);
    EXPECT_TRUE(Converter->Paused());
    TJobCommands c = Control->Commands();
    EXPECT_TRUE(c.Resume && c.Stop);
    EXPECT_FALSE(c.Pause || c.Move || c.Start);
    Control->MoveDown();  // refused while converting
    EXPECT_EQ(Cell(0, 0), In("n0.mp4"));
    Control->Resume();
    EXPECT_EQ(Control->State(), TJobState::Converting);
    EXPECT_FALSE(Converter->Paused());
    c = Control->Commands();
    EXPECT_TRUE(c.Pause && c.Stop);
    EXPECT_FALSE(c.Resume);

    Control->Stop();
    EXPECT_EQ(Control->State(), TJobState::Done) << "the stop returns once all has ended";
    EXPECT_LT(RowsAt100(), Rows()) << "the stop ended the run early";
    EXPECT_EQ(Cell(3, 4), "") << "a job that never started shows nothing";
    EXPECT_EQ(AfterDone.Calls, std::vector<std::string>{"open " + OutFolder.Path()});
    EXPECT_EQ(Converter->TasksCount(), 0);
    EXPECT_TRUE(Messages.Shown.empty());
    EXPECT_TRUE(Control->Commands().Start);
}

TEST_F(JobRunTest, RunsTheAfterDoneActionButNeverPowersOffAfterAStop) {
    AddClips(2, 5);
    struct Case {
        TAfterDone Action;
        bool Stop;
        std::vector<std::string> Calls;
    };
    const Case cases[] = {
        {TAfterDone::PlaySound, false, {"sound"}},
        {TAfterDone::PowerOff, false, {"poweroff"}},
        {TAfterDone::Nothing, false, {}},
        {TAfterDone::PowerOff, true, {}},
        {TAfterDone::PlaySound, true, {"sound"}},
    };
    for (const Case& c : cases) {
        AfterDone.Calls.clear();
        Options.AfterDone = c.Action;
        ASSERT_TRUE(Control->Start());
        if (c.Stop)
            Control->Stop();
        ASSERT_TRUE(WaitDone());
        EXPECT_EQ(AfterDone.Calls, c.Calls) << int(c.Action) << " stop " << c.Stop;
    }
}

TEST_F(JobRunTest, WarnsOfAFailedFileWithTheEngineTextAndConvertsTheRest) {
    AddClips(3, 10);
    Control->List().Row(1).SetSubItem(JobColumnVideoCodec, "no_such_encoder");
    Options.ThreadCount = "2";
    ASSERT_TRUE(Control->Start());
    ASSERT_TRUE(WaitDone());
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0].Caption, "ZarvoMPG格式转换器");
    EXPECT_EQ(Messages.Shown[0].Kind, TMessageKind::Warning);
    EXPECT_NE(Messages.Shown[0].Text.find("no_such_encoder"), std::string::npos) << Messages.Shown[0].Text;
    EXPECT_EQ(Cell(0, 4), "100%");
    EXPECT_EQ(Cell(1, 4), "失败");
    EXPECT_EQ(Cell(2, 4), "100%");
    EXPECT_EQ(AfterDone.Calls.size(), 1u);
}

TEST_F(JobRunTest, SkipsARowWhoseInputIsGoneAndChecksNamesAgain) {
    AddClips(3, 5);
    std::filesystem::remove(In("n1.mp4"));
    std::ofstream(OutFolder.File("n2.mpg")) << "written since the add";
    ASSERT_TRUE(Control->Start());
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0].Kind, TMessageKind::Warning);
    EXPECT_NE(Messages.Shown[0].Text.find(In("n1.mp4")), std::string::npos) << Messages.Shown[0].Text;
    ASSERT_TRUE(WaitDone());
    EXPECT_EQ(Cell(0, 4), "100%");
    EXPECT_EQ(Cell(1, 4), "失败") << "the skipped row says so";
    EXPECT_EQ(Cell(2, 4), "100%");
    EXPECT_EQ(Cell(2, 3), "n2_1.mpg");
    std::ifstream kept(OutFolder.File("n2.mpg"));
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "written since the add");

    // Nothing left that opens: no start at all.
    std::filesystem::remove(In("n0.mp4"));
    std::filesystem::remove(In("n2.mp4"));
    Messages.Shown.clear();
    EXPECT_FALSE(Control->Start());
    EXPECT_FALSE(Control->Busy());
    EXPECT_EQ(Messages.Shown.size(), 2u);
}

TEST_F(JobRunTest, ConvertsEachRowWithItsOwnSettingsAfterRemovesAndMoves) {
    AddClips(3, 5);
    // Each row asks for a frame size of its own.
    const char* sizes[] = {"96*64", "128*96", "160*112"};
    for (int i = 0; i < 3; ++i)
        Control->List().Row(i).SetSubItem(JobColumnFrameSize, sizes[i]);
    Control->SelectRow(0);
    Control->Remove();
    Control->SelectRow(1);
    Control->MoveUp();
    ASSERT_TRUE(Control->Start());
    ASSERT_TRUE(WaitDone());
    const std::pair<int, int> expected[] = {{160, 112}, {128, 96}};
    for (int i = 0; i < 2; ++i) {
        TAVProbe probe(nullptr);
        ASSERT_TRUE(probe.LoadAVLib(GetExePath() + "LibAV"));
        ASSERT_TRUE(probe.LoadFile(OutFolder.File(Cell(i, 3)))) << probe.LastErrMsg();
        const TVideoStreamInfo video = probe.FirstVideoStreamInfo();
        EXPECT_EQ(video.Width, expected[i].first) << i;
        EXPECT_EQ(video.Height, expected[i].second) << i;
        EXPECT_EQ(Cell(i, 3), ExtractFileName(ChangeFileExt(Cell(i, 0), ".mpg")));
    }
}

} // namespace
