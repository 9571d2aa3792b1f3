#include <gtest/gtest.h>
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

}  // namespace
