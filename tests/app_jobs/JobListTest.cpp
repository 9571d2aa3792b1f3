// The job list through the control's faces: texts, slots, adding a file, files
// and a folder of generated media, moving, renaming, removing and clearing.
#include <filesystem>
#include <fstream>

#include "app/jobs/FolderFiles.h"
#include "app/jobs/JobTexts.h"
#include "app/presets/JobRowCodes.h"
#include "tests/app_jobs/JobTestSupport.h"

namespace {

using namespace jobtest;

TEST(JobTexts, FormatTimesSizesProgressAndLogLines) {
    const std::pair<int64_t, const char*> times[] = {
        {0, "00:00:00"}, {59, "00:00:59"}, {3661, "01:01:01"}, {25 * 3600, "25:00:00"},  // not wrapped at a day
        {100 * 3600 + 5, "100:00:05"}, {-3, "00:00:00"}};
    for (const auto& [seconds, text] : times)
        EXPECT_EQ(SecToDate(seconds), text) << seconds;
    const std::pair<int64_t, const char*> sizes[] = {
        {1572864, "1.5MB"}, {0, "0MB"}, {10485760, "10MB"}, {1234567, "1.18MB"}, {1048576 + 5243, "1.01MB"},
        {1048576 - 5000, "1MB"}, {-1, "0MB"}};
    for (const auto& [bytes, text] : sizes)
        EXPECT_EQ(SizeText(bytes), text) << bytes;
    struct Case {
        int64_t current, total;
        const char* text;
    };
    const Case progress[] = {{50, 100, "50%"},       {999, 1000, "99%"}, {150, 100, "100%"},  // never over 100
                             {5, 0, "N/A"},          {5, -1, "N/A"},     {-5, 100, "0%"},
                             {INT64_MAX / 2, INT64_MAX, "49%"}};  // no overflow on the way
    for (const auto& c : progress)
        EXPECT_EQ(ProgressText(c.current, c.total), c.text) << c.current << "/" << c.total;
    EXPECT_EQ(EngineLogLine(2532, 5, "abc"), "#2532.5: abc");
}

TEST(JobColumnsTable, HasTheCaptionsAndWidthsOfTheList) {
    const int widths[] = {80, 70, 70, 80, 70, 0, 80, 80};
    for (int c = 0; c < JobColumnCount; ++c) {
        EXPECT_EQ(JobColumns[c].Width, c < 8 ? widths[c] : 0) << c;
        EXPECT_EQ(JobColumns[c].MaxWidth, JobColumns[c].Width == 0 ? 1 : 0) << c;
    }
    EXPECT_STREQ(JobColumns[0].Caption, "输入文件");
    EXPECT_STREQ(JobColumns[3].Caption, "输出文件");
    EXPECT_STREQ(JobColumns[5].Caption, "");
    EXPECT_STREQ(JobColumns[14].Caption, "VideoTag");
    EXPECT_STREQ(JobColumns[24].Caption, "NormType");
}

TEST(JobSlotsTable, TakesFreeSlotsFirstAndKeepsStateOutOfTheRecords) {
    TJobSlots slots;
    TJobRecord record;
    InitOutputOptions(record.Output);
    for (int i = 0; i < 3; ++i) {
        record.Input.FileName = "f" + std::to_string(i);
        EXPECT_EQ(slots.Take(record), i);
    }
    slots.Release(1);
    EXPECT_EQ(slots.State(1), TSlotState::Removed);
    EXPECT_EQ(slots.Take(record), 3) << "a removed slot waits until no free one is left";
    for (int i = 4; i < TJobSlots::Capacity; ++i)
        ASSERT_EQ(slots.Take(record), i);
    EXPECT_EQ(slots.Take(record), 1) << "then the removed one is taken";
    EXPECT_TRUE(slots.Full());
    EXPECT_EQ(slots.Take(record), -1);
    for (int i = 0; i < TJobSlots::Capacity; ++i)
        ASSERT_EQ(slots.Record(i).Output.AudioLanguage, "") << "no slot state in a record: " << i;
    slots.FreeAll();
    EXPECT_EQ(slots.InUseCount(), 0);
}

TEST(FolderListing, TakesEveryFileTheMaskMatches) {
    testmedia::TTempFolder folder;
    for (const char* name : {"b.avi", "a.mkv", "README", ".hidden"})
        std::ofstream(folder.File(name)) << "x";
    std::filesystem::create_directory(folder.File("sub.avi"));
    const std::vector<std::string> all = GetFilenames(folder.Path(), "*.*");
    const std::vector<std::string> expected = {folder.File(".hidden"), folder.File("README"), folder.File("a.mkv"),
                                               folder.File("b.avi")};
    EXPECT_EQ(all, expected);
    EXPECT_EQ(GetFilenames(folder.Path() + "/", "*.AVI"), std::vector<std::string>{folder.File("b.avi")});
    EXPECT_TRUE(GetFilenames(folder.File("missing"), "*.*").empty());
}

TEST_F(JobControlTest, AddsOneFileWithItsProbeValuesAndPreset) {
    WriteClip(In("clip.mp4"), 50);
    Dialogs.Answers.push_back({In("clip.mp4")});
    Control->AddFile();
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 0), In("clip.mp4"));
    EXPECT_EQ(Cell(0, 1), "00:00:02");
    EXPECT_EQ(Cell(0, 2), SizeText(FileSizeByName(In("clip.mp4"))));
    EXPECT_EQ(Cell(0, 3), "clip.mpg");
    for (int c = 4; c <= 7; ++c)
        EXPECT_EQ(Cell(0, c), "") << c;
    EXPECT_EQ(Cell(0, 8), "1");
    EXPECT_EQ(Cell(0, JobColumnSelectionCode), "100");
    EXPECT_EQ(Cell(0, JobColumnOptionCode).size(), 12u);
    const auto columns = PresetRowColumns(Preset);
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(Cell(0, 11 + i), columns[i]) << 11 + i;
    EXPECT_EQ(Control->List().Selected(), 0);
    EXPECT_EQ(View.Selection, 0);
    EXPECT_TRUE(Logged("***Can do convert."));
    const TJobCommands c = Control->Commands();
    EXPECT_TRUE(c.Add && c.Remove && c.Rename && c.Clear && c.Start && c.Move && c.Settings);
    EXPECT_FALSE(c.Stop || c.Pause || c.Resume);
    EXPECT_EQ(Converter->TasksCount(), 0) << "tasks are made at the start, from the rows";
    // The slot holds this file's records and nothing of the bookkeeping.
    const TJobRecord& record = Control->Slots().Record(Control->List().Row(0).Slot());
    EXPECT_EQ(record.Input.FileName, In("clip.mp4"));
    EXPECT_EQ(record.Output.AudioLanguage, "");

    // Cancel and a file that is no media add nothing; the latter is logged
    // and named to the user with the reason.
    Control->AddFile();
    EXPECT_TRUE(Messages.Shown.empty());
    std::ofstream(In("notes.avi")) << "plain text";
    Dialogs.Answers.push_back({In("notes.avi")});
    Control->AddFile();
    EXPECT_EQ(Rows(), 1);
    EXPECT_TRUE(Logged("***File load error: "));
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(Messages.Shown[0].Text.rfind("以下文件无法添加：\n" + In("notes.avi") + " (", 0), 0u)
        << Messages.Shown[0].Text;
}

TEST_F(JobControlTest, AddsSeveralFilesLastChosenFirstAndSkipsOnesThatFailTheProbe) {
    WriteClip(In("x.mp4"), 5);
    WriteClip(In("y.mp4"), 5);
    std::ofstream(In("z.mp4")) << "broken";
    Dialogs.Answers.push_back({In("x.mp4"), In("y.mp4"), In("z.mp4")});
    Control->AddFiles();
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 0), In("y.mp4"));
    EXPECT_EQ(Cell(1, 0), In("x.mp4"));
    EXPECT_TRUE(Logged("***File load error: "));
    ASSERT_EQ(Messages.Shown.size(), 1u) << "the refused file in one message after the add";
    EXPECT_NE(Messages.Shown[0].Text.find(In("z.mp4")), std::string::npos) << Messages.Shown[0].Text;
    EXPECT_EQ(Control->List().Selected(), 1);
    EXPECT_EQ(Cell(0, 8), "1");
    EXPECT_EQ(Cell(1, 8), "2");
}

TEST_F(JobControlTest, AddsEveryFileOfAFolderAndSaysWhenThereIsNone) {
    testmedia::TTempFolder folder;
    WriteClip(folder.File("a.mp4"), 5);
    WriteClip(folder.File("noext.mp4"), 5);
    std::filesystem::rename(folder.File("noext.mp4"), folder.File("noext"));  // no dot in the name: still taken
    std::ofstream(folder.File("readme.txt")) << "text";
    std::filesystem::create_directory(folder.File("sub"));
    WriteClip(folder.File("sub") + "/deep.mp4", 5);
    Dialogs.Answers.push_back({folder.Path()});
    Control->AddFolder();
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 0), folder.File("noext")) << "listed by name, added from the last";
    EXPECT_EQ(Cell(1, 0), folder.File("a.mp4"));
    EXPECT_EQ(Cell(0, 3), "noext.mpg");
    EXPECT_TRUE(Messages.Shown.empty());

    Control->AddFolder();  // cancelled
    EXPECT_EQ(Rows(), 2);
    EXPECT_TRUE(Messages.Shown.empty());

    testmedia::TTempFolder nothing;
    std::ofstream(nothing.File("a.txt")) << "text";
    Dialogs.Answers.push_back({nothing.Path()});
    Control->AddFolder();
    EXPECT_EQ(Rows(), 2);
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0].Text, "在该目录没有发现可以用的视频或音频文件！");
    EXPECT_EQ(Messages.Shown[0].Caption, "提示");
    EXPECT_EQ(Messages.Shown[0].Kind, TMessageKind::Information);
}

TEST_F(JobControlTest, GivesEveryJobAnOutputNameOfItsOwn) {
    testmedia::TTempFolder other;
    WriteClip(In("clip.mp4"), 5);
    WriteClip(other.File("clip.mkv"), 5);
    std::ofstream(OutFolder.File("clip.mpg")) << "an earlier output";
    Dialogs.Answers.push_back({In("clip.mp4")});
    Control->AddFile();
    Dialogs.Answers.push_back({other.File("clip.mkv")});
    Control->AddFile();
    Dialogs.Answers.push_back({In("clip.mp4")});
    Control->AddFile();  // the same file twice: two rows, two names
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Cell(0, 3), "clip_1.mpg");
    EXPECT_EQ(Cell(1, 3), "clip_2.mpg");
    EXPECT_EQ(Cell(2, 3), "clip_3.mpg");
    // With overwrite the existing file keeps its name, the pending rows still count.
    Options.Overwrite = true;
    Dialogs.Answers.push_back({In("clip.mp4")});
    Control->AddFile();
    EXPECT_EQ(Cell(3, 3), "clip.mpg");
}

TEST_F(JobControlTest, AddingKeepsTheChoicesOfTheSelectedRow) {
    WriteClip(In("a.mp4"), 5);
    WriteClip(In("b.mp4"), 5);
    Dialogs.Answers.push_back({In("a.mp4")});
    Control->AddFile();
    Control->List().Row(0).SetSubItem(JobColumnVideoBitrate, "123000");  // chosen for this row
    Control->SelectRow(0);
    std::array<std::string, JobColumnCount> before;
    for (int c = 0; c < JobColumnCount; ++c)
        before[c] = Cell(0, c);
    Choose(1403);  // another format for the next file
    Control->List().Row(0).SetSubItem(JobColumnVideoBitrate, "123000");
    for (int c = 0; c < JobColumnCount; ++c)
        before[c] = Cell(0, c);
    Dialogs.Answers.push_back({In("b.mp4")});
    Control->AddFile();
    ASSERT_EQ(Rows(), 2);
    for (int c = 0; c < JobColumnCount; ++c)
        EXPECT_EQ(Cell(0, c), before[c]) << c;
    EXPECT_EQ(Cell(1, JobColumnSelectionCode), "103");
}

TEST_F(JobControlTest, MovesRowsWithTheirOwnJobs) {
    for (const char* name : {"a.mp4", "b.mp4", "c.mp4"})
        WriteClip(In(name), 5);
    Dialogs.Answers.push_back({In("c.mp4"), In("b.mp4"), In("a.mp4")});
    Control->AddFiles();
    ASSERT_EQ(Rows(), 3);
    Control->SelectRow(0);
    Control->MoveUp();  // the first row: nothing
    EXPECT_EQ(Cell(0, 0), In("a.mp4"));
    Control->MoveDown();
    EXPECT_EQ(Cell(0, 0), In("b.mp4"));
    EXPECT_EQ(Cell(1, 0), In("a.mp4"));
    EXPECT_EQ(Control->List().Selected(), 1);
    Control->SelectRow(2);
    Control->MoveDown();  // the last row: nothing
    Control->MoveUp();
    EXPECT_EQ(Cell(1, 0), In("c.mp4"));
    // Remove the middle row: every row still reaches its own records.
    Control->SelectRow(1);
    Control->Remove();
    ASSERT_EQ(Rows(), 2);
    for (int i = 0; i < Rows(); ++i) {
        const TJobRow& row = Control->List().Row(i);
        EXPECT_EQ(Control->Slots().Record(row.Slot()).Input.FileName, row.Caption()) << i;
        EXPECT_EQ(Control->Slots().Record(row.Slot()).Output.FileName, OutFolder.File(row.SubItem(3))) << i;
    }
}

TEST_F(JobControlTest, RenamesOnlyToAFreePlainName) {
    WriteClip(In("a.mp4"), 5);
    WriteClip(In("b.mp4"), 5);
    std::ofstream(OutFolder.File("taken.mpg")) << "x";
    EXPECT_EQ(Control->Rename("x"), TRenameResult::Refused);  // no row selected
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0].Text, "请先选中您需要重命名的项目！");
    EXPECT_EQ(Control->Rename("x", true), TRenameResult::Refused);  // the double click is silent
    EXPECT_EQ(Messages.Shown.size(), 1u);

    Dialogs.Answers.push_back({In("b.mp4"), In("a.mp4")});
    Control->AddFiles();
    ASSERT_EQ(Rows(), 2);
    Control->SelectRow(0);
    EXPECT_EQ(Control->RenameText(), "a");
    const char* refused[] = {"../a", "sub/a", "sub\\a", "..", "a..b", ".", "taken", "b"};
    for (const char* text : refused) {
        Messages.Shown.clear();
        EXPECT_EQ(Control->Rename(text), TRenameResult::Refused) << text;
        EXPECT_EQ(Messages.Shown.size(), 1u) << text;
        EXPECT_EQ(Cell(0, 3), "a.mpg") << text;
    }
    EXPECT_EQ(Control->Rename(""), TRenameResult::Empty);
    EXPECT_EQ(Cell(0, 3), "a.mpg");
    EXPECT_EQ(Control->Rename("a"), TRenameResult::Renamed);  // its own name
    EXPECT_EQ(Control->Rename("新 名字"), TRenameResult::Renamed);
    EXPECT_EQ(Cell(0, 3), "新 名字.mpg");
}

TEST_F(JobControlTest, RemovesAndClearsRows) {
    for (const char* name : {"a.mp4", "b.mp4", "c.mp4"})
        WriteClip(In(name), 5);
    Control->Remove();
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0].Text, "请先选择您需要删除的项目！");
    EXPECT_EQ(Messages.Shown[0].Caption, "提示");

    int emptied = 0;
    Control->OnListEmptied = [&] { ++emptied; };
    Dialogs.Answers.push_back({In("c.mp4"), In("b.mp4"), In("a.mp4")});
    Control->AddFiles();
    ASSERT_EQ(Rows(), 3);
    const int slotOfC = Control->List().Row(2).Slot();
    Control->SelectRow(1);
    Control->Remove();
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 0), In("a.mp4"));
    EXPECT_EQ(Cell(1, 0), In("c.mp4"));
    EXPECT_EQ(Cell(0, 8), "1");
    EXPECT_EQ(Cell(1, 8), "2");
    EXPECT_EQ(Control->List().Row(1).Slot(), slotOfC);
    EXPECT_EQ(Control->Slots().State(1), TSlotState::Removed);
    EXPECT_EQ(Control->List().Selected(), 0);
    EXPECT_TRUE(Control->Commands().Remove);

    Dialogs.Answers.push_back({In("b.mp4")});
    Control->AddFile();
    EXPECT_EQ(Control->List().Row(2).Slot(), 3) << "the next add takes the next free slot";

    Control->Clear();
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Control->Slots().InUseCount(), 0);
    EXPECT_EQ(emptied, 1);
    const TJobCommands c = Control->Commands();
    EXPECT_TRUE(c.Add);
    EXPECT_FALSE(c.Remove || c.Rename || c.Clear || c.Start);

    Dialogs.Answers.push_back({In("a.mp4")});
    Control->AddFile();
    Control->SelectRow(0);
    Control->Remove();
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(emptied, 2);
    EXPECT_FALSE(Control->Commands().Start);
}

} // namespace
