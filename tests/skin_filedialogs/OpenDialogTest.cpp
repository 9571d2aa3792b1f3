#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ui/Keys.h"
#include "platform/ui/controls/Menus.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "app/main/OpenFilter.h"
#include "skin/dialogs/FilterComboBox.h"
#include "skin/shell/ShellComboBox.h"
#include "skin/shell/ShellListView.h"
#include "tests/skin_filedialogs/FileDialogFixture.h"

namespace {

using Texts = std::vector<std::string>;
using TSteps = std::function<void(TbsOpenDlgForm&)>;

class OpenDialogTest : public TFileDialogTest {
protected:
    void SetUp() override
    {
        TFileDialogTest::SetUp();
        D = std::make_unique<TbsSkinOpenDialog>(nullptr);
        D->SetTitle("打开文件");
        D->ToolButtonsTransparent = true;
        D->Filter = OpenDialogFilter();
        D->SetFileName(Home + "/none.avi");   // starts in the home folder
    }
    void TearDown() override
    {
        D.reset();
        TFileDialogTest::TearDown();
    }
    bool Run(TSteps Steps)
    {
        During<TbsSkinOpenDialog, TbsOpenDlgForm>(*D, Steps);
        return D->Execute();
    }
    Texts Shown(TbsOpenDlgForm& f) { return Captions(f.FileListView); }
    std::unique_ptr<TbsSkinOpenDialog> D;
};

TEST_F(OpenDialogTest, OpensOneFileAndSeveralWithTheProgramsFilter)
{
    EXPECT_TRUE(Run([&](TbsOpenDlgForm& f) {
        EXPECT_EQ(f.Caption(), "打开文件");
        EXPECT_EQ(f.FilterComboBox->Items().Count(), 42);
        EXPECT_EQ(f.FilterComboBox->Text(), "所有文件格式 (*.*)");
        EXPECT_EQ(f.FileListView->Path(), Home);
        EXPECT_EQ(f.ShellBox->Path(), Home) << "the look-in box follows the list";
        EXPECT_EQ(f.FileNameEdit->Text(), "none.avi");
        EXPECT_EQ(Shown(f).size(), 9u) << "every file under *.*";
        EXPECT_EQ(f.ClientWidth(), 450);
        EXPECT_EQ(f.ClientHeight(), 290);
        SelectEntry(f, "B.mp4");
        EXPECT_EQ(f.FileNameEdit->Text(), "B.mp4");
        ClickControl(f.OpenButton);
    }));
    EXPECT_EQ(D->FileName(), Home + "/B.mp4");
    EXPECT_EQ(D->Files().Count(), 1);

    // Several files: Files in list order, FileName the first.
    D->MultiSelection = true;
    D->FilterIndex = 2;   // the supported video and audio formats
    EXPECT_TRUE(Run([&](TbsOpenDlgForm& f) {
        EXPECT_EQ(f.FileListView->Path(), Home) << "the folder of the last FileName";
        EXPECT_EQ(Shown(f), (Texts{"b folder", "Videos", "视频", "B.mp4", "bad\xEF\xBF\xBD.mp4", "c d.avi", "中文.mkv"}));
        SelectEntry(f, "B.mp4");
        SelectEntry(f, "中文.mkv", true);
        SelectEntry(f, "bad\xEF\xBF\xBD.mp4", true);
        ClickControl(f.OpenButton);
    }));
    ASSERT_EQ(D->Files().Count(), 3);
    EXPECT_EQ(D->Files()[0], Home + "/B.mp4");
    EXPECT_EQ(D->Files()[1], Home + "/bad\xff.mp4");
    EXPECT_EQ(D->Files()[2], Home + "/中文.mkv");
    EXPECT_EQ(D->FileName(), Home + "/B.mp4");
    EXPECT_EQ(D->FilterIndex, 2);
}

TEST_F(OpenDialogTest, TypedNamesCompleteAndASelectedFileWins)
{
    WriteBytes(Home + "/Clip.AVI", 4);
    const struct {
        int FilterIndex;
        std::string DefaultExt, Typed, Expected;   // empty: the dialog stays open
    } cases[] = {
        {7, "", "B", Home + "/B.mp4"},               // *.mp4;*.m4v
        {7, "", "clip", ""},                         // no clip.mp4
        {7, "avi", "c d", Home + "/c d.avi"},        // DefaultExt first
        {5, "", "clip", Home + "/Clip.AVI"},         // *.avi finds Clip.AVI
        {1, "", "noext", Home + "/noext"},           // *.*: no extension to add
        {1, "", "b folder/../a.txt", Home + "/a.txt"},   // a relative path below the list's folder
        {1, "", "*", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        D->FilterIndex = c.FilterIndex;
        D->DefaultExt = c.DefaultExt;
        D->SetFileName(Home + "/x");
        bool stayed = false;
        const bool accepted = Run([&](TbsOpenDlgForm& f) {
            f.FileNameEdit->SetText(c.Typed);
            ClickControl(f.OpenButton);
            stayed = f.ModalResult() == mrNone;
            if (stayed)
                f.SetModalResult(mrCancel);
        });
        EXPECT_EQ(accepted, !c.Expected.empty());
        EXPECT_EQ(stayed, c.Expected.empty());
        if (accepted) {
            EXPECT_EQ(D->FileName(), c.Expected);
            ASSERT_EQ(D->Files().Count(), 1) << "a typed name is the one file";
            EXPECT_EQ(D->Files()[0], c.Expected);
        }
    }

    D->FilterIndex = 1;
    EXPECT_TRUE(Run([&](TbsOpenDlgForm& f) {
        SelectEntry(f, "c d.avi");
        f.FileNameEdit->SetText("a.txt");
        ClickControl(f.OpenButton);
    }));
    EXPECT_EQ(D->FileName(), Home + "/c d.avi");
}

TEST_F(OpenDialogTest, MaskTypedWithEnterFiltersTheListOnly)
{
    EXPECT_FALSE(Run([&](TbsOpenDlgForm& f) {
        f.FileNameEdit->SetFocus();
        f.FileNameEdit->SetText("*.avi");
        Key(VK_RETURN);
        EXPECT_EQ(Shown(f), (Texts{"b folder", "Videos", "视频", "c d.avi"}));
        EXPECT_EQ(f.FilterComboBox->ItemIndex(), 0) << "the file-type box keeps its choice";
        ClickControl(f.OpenButton);
        EXPECT_EQ(f.ModalResult(), mrNone) << "a mask is no name";
        // A typed folder path with Enter goes there.
        f.FileNameEdit->SetFocus();
        f.FileNameEdit->SetText("b folder/inner");
        Key(VK_RETURN);
        EXPECT_EQ(f.FileListView->Path(), Home + "/b folder/inner");
        f.FileNameEdit->SetText(Home + "/none/");
        Key(VK_RETURN);
        EXPECT_EQ(f.FileListView->Path(), Home + "/b folder/inner");
        Key(VK_ESCAPE);
    }));
}

TEST_F(OpenDialogTest, FolderChangesAreReportedAndAnEmptyFilterListsFoldersOnly)
{
    D->Filter = "";
    int changes = 0;
    std::string selected;
    D->OnFolderChange = [&](TObject* Sender) {
        EXPECT_NE(dynamic_cast<TbsOpenDlgForm*>(Sender), nullptr) << "the form is the sender";
        ++changes;
        selected = D->GetSelectedFile();
    };
    EXPECT_FALSE(Run([&](TbsOpenDlgForm& f) {
        EXPECT_EQ(f.FilterComboBox->Items().Count(), 0);
        EXPECT_EQ(Shown(f), (Texts{"b folder", "Videos", "视频"}));
        changes = 0;
        f.FileListView->SetPath(Home + "/b folder");
        EXPECT_GE(changes, 1);
        f.FileListView->SetPath(Home);
        f.FileListView->SetMask("*");
        SelectEntry(f, "a.txt");
        EXPECT_EQ(selected, Home + "/a.txt") << "the selection is there for the handler";
        Key(VK_ESCAPE);
    }));
    EXPECT_EQ(D->GetSelectedFile(), "") << "no form, no selection";
}

TEST_F(OpenDialogTest, BackWalksTheVisitedFolders)
{
    const std::string A = Home, B = Home + "/b folder", C = Home + "/b folder/inner";
    std::filesystem::create_directories(B + "/other");
    Texts seen;
    EXPECT_FALSE(Run([&](TbsOpenDlgForm& f) {
        ClickControl(f.BackToolButton);
        EXPECT_EQ(f.FileListView->Path(), A) << "one entry: nothing";
        f.FileListView->SetPath(B);
        f.FileListView->SetPath(C);
        ClickControl(f.BackToolButton);
        seen.push_back(f.FileListView->Path());
        ClickControl(f.BackToolButton);
        seen.push_back(f.FileListView->Path());
        // A, B, C, Back to B, open D, Back: B again.
        f.FileListView->SetPath(B);
        f.FileListView->SetPath(C);
        ClickControl(f.BackToolButton);
        f.FileListView->SetPath(B + "/other");
        ClickControl(f.BackToolButton);
        seen.push_back(f.FileListView->Path());
        ClickControl(f.UpToolButton);
        seen.push_back(f.FileListView->Path());
        f.SetModalResult(mrCancel);
    }));
    EXPECT_EQ(seen, (Texts{B, A, B, A}));
}

TEST_F(OpenDialogTest, NewFolderNumbersItsFoldersAndStartsARename)
{
    std::filesystem::create_directories(Home + "/Videos/New Folder");
    EXPECT_FALSE(Run([&](TbsOpenDlgForm& f) {
        ClickControl(f.NewFolderToolButton);
        EXPECT_TRUE(std::filesystem::is_directory(Home + "/New Folder"));
        EXPECT_TRUE(f.FileListView->IsEditing()) << "the new folder's name is up for editing";
        Key(VK_ESCAPE);
        ClickControl(f.NewFolderToolButton);
        EXPECT_TRUE(std::filesystem::is_directory(Home + "/New Folder(2)"));
        Key(VK_ESCAPE);
        f.SetModalResult(mrCancel);
    }));
    // A new form counts from one again; an existing name uses its number up.
    D->SetFileName(Home + "/Videos/x");
    EXPECT_FALSE(Run([&](TbsOpenDlgForm& f) {
        ClickControl(f.NewFolderToolButton);
        EXPECT_FALSE(f.FileListView->IsEditing());
        ClickControl(f.NewFolderToolButton);
        Key(VK_ESCAPE);
        f.SetModalResult(mrCancel);
    }));
    EXPECT_TRUE(std::filesystem::is_directory(Home + "/Videos/New Folder(2)"));
    EXPECT_FALSE(std::filesystem::exists(Home + "/Videos/New Folder(3)"));
}

TEST_F(OpenDialogTest, CancelKeepsTheNamesAndWritesTheRest)
{
    EXPECT_TRUE(Run([&](TbsOpenDlgForm& f) {
        SelectEntry(f, "a.txt");
        ClickControl(f.OpenButton);
    }));
    ASSERT_EQ(D->FileName(), Home + "/a.txt");
    EXPECT_FALSE(Run([&](TbsOpenDlgForm& f) {
        EXPECT_TRUE(f.ListMenuItem->Checked());
        f.ReportMenuItem->Click();
        EXPECT_EQ(f.FileListView->ViewStyle(), vsReport);
        EXPECT_TRUE(f.ReportMenuItem->Checked());
        EXPECT_FALSE(f.ListMenuItem->Checked());
        EXPECT_EQ(f.FileListView->Columns().Count(), 4);
        f.FilterComboBox->SetItemIndex(4);
        EXPECT_EQ(Shown(f).back(), "c d.avi");
        SelectEntry(f, "c d.avi");
        f.SetClientWidth(600);
        Key(VK_ESCAPE);
    }));
    EXPECT_EQ(D->FileName(), Home + "/a.txt");
    ASSERT_EQ(D->Files().Count(), 1);
    EXPECT_EQ(D->Files()[0], Home + "/a.txt");
    EXPECT_EQ(D->FilterIndex, 5);
    EXPECT_EQ(D->DialogWidth, 600);
    EXPECT_EQ(D->ListViewStyle, vsReport);

    // The remembered folder went away: its nearest existing parent.
    D->SetFileName(Home + "/b folder/inner/gone/clip.avi");
    std::string start;
    Run([&](TbsOpenDlgForm& f) {
        start = f.FileListView->Path();
        EXPECT_EQ(f.ClientWidth(), 600);
        f.SetModalResult(mrCancel);
    });
    EXPECT_EQ(start, Home + "/b folder/inner");

    // Without a folder in FileName: an existing InitialDir, else the home folder.
    const struct {
        std::string FileName, InitialDir, Start;
    } starts[] = {
        {"clip.avi", Home + "/Videos", Home + "/Videos"},
        {"clip.avi", Home + "/gone", Home},
        {"/gone/deeper/clip.avi", Home + "/视频", Home + "/视频"},
        {"/clip.avi", "", "/"},
    };
    for (const auto& s : starts) {
        D->SetFileName(s.FileName);
        D->InitialDir = s.InitialDir;
        Run([&](TbsOpenDlgForm& f) {
            start = f.FileListView->Path();
            f.SetModalResult(mrCancel);
        });
        EXPECT_EQ(start, s.Start) << s.FileName << " / " << s.InitialDir;
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(OpenDialogTest, RenderInTheBaseSkin)
{
    D->SetSkinData(BaseSkinData());
    D->SetCtrlSkinData(BaseSkinData());
    TRenderSheet sheet;
    Run([&](TbsOpenDlgForm& f) {
        SelectEntry(f, "B.mp4");
        sheet.Add("open file, list view", Shot(f));
        f.ApplyViewStyle(vsReport);
        sheet.Add("open file, details", Shot(f));
        sheet.NewRow();
        f.FileListView->SetPath(Home + "/b folder/inner");
        f.ShellBox->DropDown();
        sheet.Add("open file, look-in list open", Shot(f));
        f.ShellBox->CloseUp(false);
        f.SetModalResult(mrCancel);
    });
    sheet.Save("open_dialog");
}

}  // namespace
