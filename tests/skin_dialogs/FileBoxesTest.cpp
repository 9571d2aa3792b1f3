#include <gtest/gtest.h>
#include "platform/core/Exception.h"
#include "platform/ui/controls/Edit.h"
#include "skin/controls/SkinLabels.h"
#include "skin/dialogs/FileBoxes.h"
#include "skin/dialogs/PathRoutines.h"
#include "tests/skin_dialogs/FileTreeFixture.h"

namespace {

std::vector<std::string> ItemsOf(TbsSkinListBox* L)
{
    std::vector<std::string> out;
    for (int i = 0; i < L->Items().Count(); ++i)
        out.push_back(L->Items().Get(i));
    return out;
}

class TDirectoryBoxTest : public TFileBoxesTest {
protected:
    void SetUp() override
    {
        TFileBoxesTest::SetUp();
        Dirs = new TbsSkinDirectoryListBox(Form);
        Dirs->SetParent(Form);
        Dirs->SetBounds(10, 10, 180, 260);
        Files = new TbsSkinFileListBox(Form);
        Files->SetParent(Form);
        Files->SetBounds(200, 10, 180, 260);
        Dirs->SetFileList(Files);
        Pump();
    }
    void OpenItem(int I)
    {
        Dirs->SetItemIndex(I);
        Dirs->ListBox->SetFocus();
        Backend->KeyPress(VK_RETURN, "\r");
        Pump();
    }

    TbsSkinDirectoryListBox* Dirs = nullptr;
    TbsSkinFileListBox* Files = nullptr;
};

// The chain down to the folder, the folder selected, then its sub-folders
// (hidden ones left out) in name order without regard to case.
TEST_F(TDirectoryBoxTest, ShowsTheChainAndTheSubfolders)
{
    Dirs->SetDirectory(Path("Video/Out"));
    std::vector<std::string> expected = {"/"};
    std::string rest = Root.substr(1);
    for (size_t from = 0; from <= rest.size();) {
        const size_t slash = rest.find('/', from);
        expected.push_back(rest.substr(from, slash == std::string::npos ? std::string::npos : slash - from));
        from = slash == std::string::npos ? rest.size() + 1 : slash + 1;
    }
    const int current = int(expected.size()) + 1;   // ... Video, Out
    for (const char* s : {"Video", "Out", "Sub1", "sub2", "Zed"})
        expected.push_back(s);
    EXPECT_EQ(ItemsOf(Dirs), expected);
    EXPECT_EQ(Dirs->ItemIndex(), current);
    EXPECT_EQ(Dirs->CurrentIndex(), current);
    EXPECT_EQ(Dirs->ItemIndent(0), 2);
    EXPECT_EQ(Dirs->ItemIndent(1), 6);
    EXPECT_EQ(Dirs->ItemIndent(current), current * 4 + 2);
    EXPECT_EQ(Dirs->ItemIndent(current + 1), (current + 1) * 4 + 2) << "one step deeper than the folder";
    EXPECT_EQ(Dirs->GetItemPath(0), "/");
    EXPECT_EQ(Dirs->GetItemPath(current - 1), Path("Video"));
    EXPECT_EQ(Dirs->GetItemPath(current), Path("Video/Out"));
    EXPECT_EQ(Dirs->GetItemPath(current + 2), Path("Video/Out/sub2"));
    EXPECT_EQ(Dirs->GetItemPath(99), "");
}

// Enter opens a sub-folder, Enter on an ancestor goes up; the file box and
// the label follow, and the process's folder stays where it was.
TEST_F(TDirectoryBoxTest, OpeningItemsMovesAndTheLinkedBoxesFollow)
{
    auto* label = new TbsSkinStdLabel(Form);
    label->SetParent(Form);
    label->SetAutoSize(false);
    label->SetBounds(10, 275, 120, 16);
    Dirs->SetDirLabel(label);
    int changes = 0;
    Dirs->OnChange = [&](TObject*) { ++changes; };
    Dirs->SetDirectory(Path("Video/Out"));
    EXPECT_EQ(Files->Directory(), Path("Video/Out"));
    const int current = Dirs->CurrentIndex();
    OpenItem(current + 1);   // Sub1
    EXPECT_EQ(Dirs->Directory(), Path("Video/Out/Sub1"));
    EXPECT_EQ(Files->Directory(), Path("Video/Out/Sub1"));
    OpenItem(current - 1);   // Video
    EXPECT_EQ(Dirs->Directory(), Path("Video"));
    EXPECT_EQ(changes, 3);
    TBitmap b(1, 1);
    b.Canvas()->Font().Assign(label->Font());
    EXPECT_EQ(label->Caption(), FitPathToWidth(Path("Video"), *b.Canvas(), 120));
    EXPECT_LE(b.Canvas()->TextWidth(label->Caption()), 120);
    EXPECT_THROW(Dirs->SetDirectory(Path("nowhere")), EInOutError);
    EXPECT_EQ(Dirs->Directory(), Path("Video")) << "kept after a failure";
    EXPECT_EQ(CurrentDirectory(), StartCwd);
}

TEST_F(TDirectoryBoxTest, NetworkFolderStartsAtItsShare)
{
    Dirs->SetDirectory(Path("net/docs"));
    EXPECT_EQ(ItemsOf(Dirs), (std::vector<std::string>{"//server/share", "docs"}));
    EXPECT_EQ(Dirs->GetItemPath(0), Path("net"));
    EXPECT_EQ(Dirs->Drive(), Path("net"));
    Dirs->SetDrive("/");
    EXPECT_EQ(Dirs->Directory(), "/");
    EXPECT_EQ(Dirs->ItemIndex(), 0) << "the root stays selected";
}

// Masks as tables: case-insensitive patterns, lists, "*.*" with names
// without a dot, and the kinds of entries a file type admits.
TEST_F(TDirectoryBoxTest, FileBoxListsWhatMaskAndKindsAdmit)
{
    Files->SetDirectory(Path("Video/Out"));
    struct TCase {
        std::string Mask;
        TbsFileType Type;
        std::vector<std::string> Items;
    };
    const TCase cases[] = {
        {"*.*", TbsFileType{bsftNormal}, {"a.mp4", "b.AVI", "c.txt", "noext"}},
        {"*.mp4;*.avi", TbsFileType{bsftNormal}, {"a.mp4", "b.AVI"}},
        {"*.AVI; *.MP4", TbsFileType{bsftNormal}, {"a.mp4", "b.AVI"}},
        {"?.txt", TbsFileType{bsftNormal}, {"c.txt"}},
        {"*.mkv", TbsFileType{bsftNormal}, {}},
        {"*", TbsFileType{bsftNormal, bsftDirectory}, {"[Sub1]", "[sub2]", "[Zed]", "a.mp4", "b.AVI", "c.txt", "noext"}},
        {"*", TbsFileType{bsftNormal, bsftHidden}, {".hidden", "a.mp4", "b.AVI", "c.txt", "noext"}},
        {"*", TbsFileType{bsftDirectory}, {"[Sub1]", "[sub2]", "[Zed]"}},
    };
    for (const auto& c : cases) {
        Files->SetFileType(c.Type);
        Files->SetMask(c.Mask);
        EXPECT_EQ(ItemsOf(Files), c.Items) << c.Mask;
    }
    EXPECT_EQ(CurrentDirectory(), StartCwd);
}

// A typed text: a mask filters, a folder moves, a name selects, a name the
// mask hides becomes the mask.
TEST_F(TDirectoryBoxTest, TypedPathsApplyToTheFileBox)
{
    auto* edit = new TEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 280, 200, 22);
    Files->SetFileEdit(edit);
    Dirs->SetDirectory(Path("Video/Out"));
    Files->SetMask("*.mp4");
    EXPECT_EQ(edit->Text(), "*.mp4") << "the mask while nothing is selected";
    Files->ApplyFilePath("a.mp4");
    EXPECT_EQ(Files->FileName(), Path("Video/Out/a.mp4"));
    EXPECT_EQ(edit->Text(), "a.mp4");
    Files->ApplyFilePath("*.txt");
    EXPECT_EQ(Files->Mask(), "*.txt");
    EXPECT_EQ(ItemsOf(Files), (std::vector<std::string>{"c.txt"}));
    Files->ApplyFilePath("noext");
    EXPECT_EQ(Files->Mask(), "noext");
    EXPECT_EQ(Files->FileName(), Path("Video/Out/noext"));
    Files->ApplyFilePath("Sub1");
    EXPECT_EQ(Dirs->Directory(), Path("Video/Out/Sub1")) << "through the linked folder box";
    EXPECT_EQ(Files->Directory(), Path("Video/Out/Sub1"));
    Files->ApplyFilePath(Path("Video/Out/b.AVI"));
    EXPECT_EQ(Files->Directory(), Path("Video/Out"));
    EXPECT_EQ(Files->FileName(), Path("Video/Out/b.AVI"));
    EXPECT_THROW(Files->ApplyFilePath("missing"), EInOutError);
    EXPECT_EQ(CurrentDirectory(), StartCwd);
}

TEST_F(TDirectoryBoxTest, ClickingAnEntryRaisesChangeOnce)
{
    Files->SetDirectory(Path("Video/Out"));
    int changes = 0;
    Files->OnChange = [&](TObject*) { ++changes; };
    const TRect r = Files->ItemRect(1);
    ClickAt(Files->ListBox, r.Left + 20, r.Top + 5);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Files->FileName(), Path("Video/Out/b.AVI"));
    ClickAt(Files->ListBox, r.Left + 20, r.Top + 5);
    EXPECT_EQ(changes, 1) << "same entry: no change";
}

}  // namespace
