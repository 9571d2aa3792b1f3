#include <gtest/gtest.h>
#include <algorithm>
#include <fstream>
#include "skin/dialogs/DriveComboBox.h"
#include "skin/dialogs/FileBoxes.h"
#include "skin/dialogs/FilterComboBox.h"
#include "tests/skin_dialogs/FileTreeFixture.h"

namespace {

TEST(FilterText, ParsesDescriptionsAndMasks)
{
    struct TCase {
        std::string Filter;
        std::vector<std::string> Descriptions, Masks;
    };
    const TCase cases[] = {
        {AllFilesFilter, {"All files (*.*)"}, {"*.*"}},
        {"A|*.a|B", {"A"}, {"*.a"}},
        {"Video|*.mpg;*.avi|All|*.*", {"Video", "All"}, {"*.mpg;*.avi", "*.*"}},
        {"A||B|*.b", {"A", "B"}, {"", "*.b"}},
        {"", {}, {}},
        {"No bar", {}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> d, m;
        ParseFilter(c.Filter, d, m);
        EXPECT_EQ(d, c.Descriptions) << c.Filter;
        EXPECT_EQ(m, c.Masks) << c.Filter;
    }
}

class TFilterDriveTest : public TFileBoxesTest {
protected:
    TbsSkinFilterComboBox* MakeFilter()
    {
        auto* f = new TbsSkinFilterComboBox(Form);
        f->SetParent(Form);
        f->SetBounds(10, 10, 200, 20);
        f->HandleNeeded();
        Pump();
        return f;
    }
};

TEST_F(TFilterDriveTest, FilterBoxChoosesMasksForTheFileBox)
{
    auto* filter = MakeFilter();
    EXPECT_EQ(filter->Items().Count(), 1);
    EXPECT_EQ(filter->Items().Get(0), "All files (*.*)");
    EXPECT_EQ(filter->Mask(), "*.*");
    auto* files = new TbsSkinFileListBox(Form);
    files->SetParent(Form);
    files->SetBounds(10, 40, 200, 200);
    files->SetDirectory(Path("Video/Out"));
    filter->SetFileList(files);
    EXPECT_EQ(files->FilterCombo(), filter);
    int clicks = 0;
    filter->OnClick = [&](TObject*) { ++clicks; };
    filter->SetFilter("Video|*.mp4;*.avi|Text|*.txt");
    EXPECT_EQ(filter->Items().Count(), 2);
    EXPECT_EQ(clicks, 1) << "the first item is chosen";
    EXPECT_EQ(files->Mask(), "*.mp4;*.avi");
    filter->SetItemIndex(1);
    EXPECT_EQ(files->Mask(), "*.txt");
    EXPECT_EQ(files->Items().Count(), 1);
    const int before = clicks;
    filter->SetFilter("VIDEO|*.MP4;*.AVI|TEXT|*.TXT");
    EXPECT_EQ(clicks, before) << "letter case alone changes nothing";
    EXPECT_EQ(filter->Filter(), "Video|*.mp4;*.avi|Text|*.txt");
    filter->SetItemIndex(-1);
    EXPECT_EQ(filter->Mask(), "*.txt") << "no choice: the last item is chosen";
    EXPECT_EQ(filter->ItemIndex(), 1);
    filter->SetFilter("");
    EXPECT_EQ(filter->Items().Count(), 0);
    EXPECT_EQ(filter->Mask(), "*.*");
    delete files;
    EXPECT_EQ(filter->FileList(), nullptr) << "forgotten when removed";
}

// The drives of the injected mount table, their names and glyphs, and a
// choice moving the folder box to the mount.
TEST_F(TFilterDriveTest, DriveBoxListsTheMountsAndMovesTheFolderBox)
{
    auto* drives = new TbsSkinDriveComboBox(Form);
    drives->SetParent(Form);
    drives->SetBounds(10, 10, 250, 22);
    auto* dirs = new TbsSkinDirectoryListBox(Form);
    dirs->SetParent(Form);
    dirs->SetBounds(10, 40, 200, 200);
    drives->SetDirList(dirs);
    drives->HandleNeeded();
    Pump();
    const std::vector<std::string> points = {"/", Path("net"), "/media/stick"};
    EXPECT_EQ(drives->MountPoints(), points);
    ASSERT_EQ(drives->Items().Count(), 3);
    EXPECT_EQ(drives->Items().Get(0), "/ [/]");
    EXPECT_EQ(drives->Items().Get(1), Path("net") + " //server/share");
    EXPECT_EQ(drives->Items().Get(2), "/media/stick");
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(drives->Items().GetObject(i), nullptr) << "a glyph for " << i;
    drives->SetItemIndex(1);
    EXPECT_EQ(drives->Drive(), Path("net"));
    EXPECT_EQ(dirs->Directory(), Path("net"));
    EXPECT_EQ(dirs->Items().Get(0), "//server/share");
    drives->SetDrive("/");
    EXPECT_EQ(dirs->Directory(), "/");
    EXPECT_EQ(drives->ItemIndex(), 0);
    drives->SetTextCase(tcUpperCase);
    EXPECT_EQ(drives->ItemIndex(), 0) << "the same drive stays chosen";
    EXPECT_EQ(drives->Drive(), "/");
    EXPECT_EQ(CurrentDirectory(), StartCwd);
}

// A folder box linked to a drive box carries it onto another mount; the
// folder asked for is the one shown, and the file box follows. Unlinked, the
// folder box moves on its own.
TEST_F(TFilterDriveTest, DriveBoxFollowsTheFolderBoxOntoAnotherMount)
{
    auto* drives = new TbsSkinDriveComboBox(Form);
    drives->SetParent(Form);
    drives->SetBounds(10, 10, 250, 22);
    auto* dirs = new TbsSkinDirectoryListBox(Form);
    dirs->SetParent(Form);
    dirs->SetBounds(10, 40, 200, 200);
    auto* files = new TbsSkinFileListBox(Form);
    files->SetParent(Form);
    files->SetBounds(220, 40, 200, 200);
    drives->SetDirList(dirs);
    dirs->SetFileList(files);
    drives->HandleNeeded();
    Pump();
    dirs->SetDirectory(Path("Video/Out"));
    EXPECT_EQ(drives->Drive(), "/");
    int changes = 0;
    dirs->OnChange = [&](TObject*) { ++changes; };
    dirs->SetDirectory(Path("net/docs"));
    EXPECT_EQ(drives->Drive(), Path("net"));
    EXPECT_EQ(drives->ItemIndex(), 1);
    EXPECT_EQ(dirs->Directory(), Path("net/docs"));
    EXPECT_EQ(changes, 1) << "the mount point is passed through, not shown";
    EXPECT_EQ(files->Directory(), Path("net/docs"));
    EXPECT_EQ(files->Items().Get(0), "report.txt");
    dirs->SetDirectory(Path("Video"));
    EXPECT_EQ(drives->Drive(), "/");
    EXPECT_EQ(drives->ItemIndex(), 0);

    drives->SetDirList(nullptr);
    dirs->SetDirectory(Path("net"));
    EXPECT_EQ(dirs->Drive(), Path("net"));
    EXPECT_EQ(drives->Drive(), "/") << "no longer linked";
    EXPECT_EQ(CurrentDirectory(), StartCwd);
}

// A folder entry of the file box is entered through the box's own text.
TEST_F(TFilterDriveTest, FileBoxEntersAFolderEntry)
{
    auto* files = new TbsSkinFileListBox(Form);
    files->SetParent(Form);
    files->SetBounds(10, 40, 200, 200);
    files->SetFileType(TbsFileType{bsftNormal, bsftDirectory});
    files->HandleNeeded();
    files->SetDirectory(Path("Video/Out"));
    Pump();
    EXPECT_GE(files->Items().IndexOf("[Sub1]"), 0);
    files->ApplyFilePath("[Sub1]");
    EXPECT_EQ(files->Directory(), Path("Video/Out/Sub1"));
}

// A long file list shows the busy cursor once an entry lands at place 101;
// a short one never does. The cursor before it comes back.
TEST_F(TFilterDriveTest, LongFileListShowsTheBusyCursor)
{
    for (int i = 0; i < 101; ++i)
        std::ofstream(Path("Video/many" + std::to_string(1000 + i) + ".mp4")) << "x";
    auto* files = new TbsSkinFileListBox(Form);
    files->SetParent(Form);
    files->SetBounds(10, 40, 200, 200);
    files->HandleNeeded();
    struct TCase {
        std::string Folder;
        bool Busy;
    } cases[] = {{Path("Video/Out"), false}, {Path("Video"), true}};
    for (const TCase& c : cases) {
        Backend->ClearCursorsShown();
        files->SetDirectory(c.Folder);
        const auto& shown = Backend->CursorsShown();
        EXPECT_EQ(std::find(shown.begin(), shown.end(), IDC_WAIT) != shown.end(), c.Busy) << c.Folder;
        EXPECT_EQ(Backend->CursorShape(), IDC_ARROW) << c.Folder;
    }
}

}  // namespace
