// The program's own file and folder dialogs, built as the program builds
// them: the two folder dialogs with their titles and memories, icons in the
// open dialog, Return in the multi-file dialog, and the Chinese texts.
#include "MainFixture.h"

#include <filesystem>
#include <fstream>
#include <set>

#include "engine/loader/Loader.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/ShellNamespace.h"
#include "skin/shell/ShellListView.h"
#include "skin/shell/ShellComboBox.h"
#include "platform/core/Thread.h"
#include "platform/ui/Keys.h"
#include "platform/ui/controls/ListView.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinListView.h"
#include "skin/dialogs/OpenDialog.h"
#include "skin/dialogs/SkinMessage.h"
#include "skin/dialogs/SkinPicker.h"
#include "skin/controls/SkinLabels.h"
#include "skin/frame/FormFrame.h"
#include "skin/frame/FrameObjects.h"
#include "platform/ui/controls/Menus.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/controls/SkinLabels.h"
#include "skin/dialogs/OpenDialogForm.h"
#include "skin/dialogs/SelectDirectoryDialog.h"
#include "skin/shell/ShellTreeView.h"
#include "tests/media/MediaWriter.h"

namespace maintest {
namespace {

class ProgramDialogsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        GlobalLoader().SetLibraryPath(GetExePath() + "LibAV");
        SetShellEnvironment(SystemShellEnvironment());   // the test's home folder
    }

    void TearDown() override
    {
        MainWindowTest::TearDown();
        SetShellEnvironment(SystemShellEnvironment());
    }

    // The program's forms with its own skinned dialogs (not the test's queue).
    void StartWithDialogs()
    {
        Start();
        Form1->Faces().Dialogs = std::make_unique<TSkinnedDialogs>(*Form1->OpenDialog1, *Form1->OpenDialog2,
                                                                   *Form1->bsSkinSelectDirectoryDialog1,
                                                                   *Form1->bsSkinSelectDirectoryDialog2);
    }

    std::string Clip(const std::string& AName)
    {
        testmedia::TMediaPlan plan;
        plan.Video.push_back({});
        plan.Video[0].Frames = 2;
        plan.Video[0].Width = 32;
        plan.Video[0].Height = 24;
        const std::string path = Home.File(AName);
        ForceDirectories(ExtractFileDir(path));
        testmedia::WriteMediaFile(path, plan);
        return path;
    }

    // What one folder dialog call showed, and the folder to choose (empty: cancel).
    struct TFolderCall {
        std::string Caption;
        std::string StartPath;
        bool Shown = false;
    };
    void AnswerFolderDialog(TbsSkinSelectDirectoryDialog* ADialog, TFolderCall& ACall, const std::string& AChoose)
    {
        ADialog->OnShow = [this, ADialog, &ACall, AChoose](TObject*) {
            TThread::ForceQueue(nullptr, [this, ADialog, &ACall, AChoose] {
                TbsSelDirDlgForm* f = ADialog->DialogForm();
                ACall.Shown = true;
                ACall.Caption = f->Caption();
                ACall.StartPath = f->DirTreeView->Path();
                if (AChoose.empty()) {
                    f->SetModalResult(mrCancel);
                    return;
                }
                f->DirTreeView->SetPath(AChoose);
                Pump();
                ClickOn(f->OkButton);
            });
        };
    }
};

// The window's messages are shown by its own message component, framed in the
// window's skin, and an OK ends them.
TEST_F(ProgramDialogsTest, MessagesAreShownByTheWindowsMessageBoxInItsSkin)
{
    StartWithDialogs();
    Form1->Faces().Messages = std::make_unique<TSkinnedMessageBox>(Form1->bsSkinMessage1);
    std::string caption, text;
    TbsSkinData* frameSkin = nullptr;
    Form1->bsSkinMessage1->OnBoxShow = [&](TbsMessageForm* F) {
        caption = F->Caption();
        text = F->Message->Caption();
        frameSkin = F->BSF->SkinData();
        TThread::ForceQueue(nullptr, [this, F] { ClickOn(dynamic_cast<TControl*>(F->FindComponent("OK"))); });
    };
    Form1->Faces().Messages->ShowMessage("请先选择您需要删除的项目！", "提示", TMessageKind::Information);
    EXPECT_EQ(caption, "提示");
    EXPECT_EQ(text, "请先选择您需要删除的项目！");
    EXPECT_EQ(frameSkin, Form1->bsSkinData1);
}

TEST_F(ProgramDialogsTest, TwoFolderDialogsWithTheirOwnTitlesAndMemories)
{
    StartWithDialogs();
    const std::string media = ExtractFileDir(Clip("media/a.avi"));
    const std::string output = Home.File("chosen");
    ForceDirectories(output);

    // 浏览 the first time: the computer's top level.
    TFolderCall browse1;
    AnswerFolderDialog(Form1->bsSkinSelectDirectoryDialog2, browse1, output);
    ClickOn(Form1->bsSkinButton5);
    ASSERT_TRUE(browse1.Shown);
    EXPECT_EQ(browse1.Caption, "选择输出目录");
    EXPECT_EQ(browse1.StartPath, "计算机") << "the computer's top level, not a folder";
    EXPECT_EQ(Form1->FileOutPutPath, output);

    // 添加整个目录: its own dialog, title and folder.
    TFolderCall add;
    AnswerFolderDialog(Form1->bsSkinSelectDirectoryDialog1, add, media);
    Form1->N21->Click();
    Pump();
    ASSERT_TRUE(add.Shown);
    EXPECT_EQ(add.Caption, "选择目录");
    ASSERT_EQ(Form1->lvFiles->Items().Count(), 1);
    EXPECT_EQ(Form1->lvFiles->Selected(), Form1->lvFiles->Items()[0]);
    EXPECT_TRUE(Form1->lvFiles->Focused());

    // 浏览 again starts where it was left, not in the folder just added;
    // a cancel changes nothing.
    TFolderCall browse2;
    AnswerFolderDialog(Form1->bsSkinSelectDirectoryDialog2, browse2, "");
    ClickOn(Form1->bsSkinButton5);
    ASSERT_TRUE(browse2.Shown);
    EXPECT_EQ(browse2.StartPath, output);
    EXPECT_EQ(Form1->FileOutPutPath, output);

    // And the folder-add dialog remembers its own.
    TFolderCall add2;
    AnswerFolderDialog(Form1->bsSkinSelectDirectoryDialog1, add2, "");
    Form1->N21->Click();
    Pump();
    EXPECT_EQ(add2.StartPath, media);
}

} // namespace
} // namespace maintest

namespace maintest {
namespace {

TEST_F(ProgramDialogsTest, TheOpenDialogShowsIconsAndDetailsThatFit)
{
    SetShellIconProvider({});   // what the program installs, not a test
    const std::string clip = Clip("clip.mpeg");
    ForceDirectories(Home.File("Videos"));
    StartWithDialogs();
    Form1->OpenDialog1->ListViewStyle = vsReport;
    bool checked = false;
    Form1->OpenDialog1->OnShow = [&](TObject*) {
        TThread::ForceQueue(nullptr, [&] {
            TbsOpenDlgForm* f = Form1->OpenDialog1->DialogForm();
            TbsSkinFileListView* list = f->FileListView;
            ASSERT_NE(list->SmallImages(), nullptr);
            // The home folder's sub-folder and the clip, each with its picture.
            std::set<std::string> seen;
            for (int i = 0; i < list->Items().Count(); ++i) {
                TListItem* item = list->Items()[i];
                EXPECT_GE(item->ImageIndex(), 0) << item->Caption();
                seen.insert(item->Caption());
            }
            EXPECT_TRUE(seen.count("Videos") && seen.count("clip.mpeg")) << seen.size();
            EXPECT_NE(ShellImageList(false), nullptr);   // the look-in box draws from it
            // Date-time and a media file's type fit their columns.
            ASSERT_EQ(list->Columns().Count(), 4);
            TBitmap measure(1, 1);
            measure.Canvas()->Font().Assign(list->Font());
            EXPECT_GE(list->Columns().Items(2)->Width(), measure.Canvas()->TextWidth("MPEG 文件") + 12);
            EXPECT_GE(list->Columns().Items(3)->Width(), measure.Canvas()->TextWidth("2026-12-11 06:22") + 12);
            // At the program's size of the dialog, all four columns show.
            int total = 0;
            for (int c = 0; c < 4; ++c)
                total += list->Columns().Items(c)->Width();
            EXPECT_LE(total, list->ClientWidth());
            checked = true;
            f->SetModalResult(mrCancel);
        });
    };
    Form1->Item111->Click();
    Pump();
    EXPECT_TRUE(checked);
}

TEST_F(ProgramDialogsTest, ReturnAfterAFullPathInTheMultiFileDialogAddsIt)
{
    const std::string clip = Clip("Videos/clip.avi");
    StartWithDialogs();
    Form1->OpenDialog2->OnShow = [&](TObject*) {
        TThread::ForceQueue(nullptr, [&] {
            TbsOpenDlgForm* f = Form1->OpenDialog2->DialogForm();
            f->FileNameEdit->SetFocus();
            f->FileNameEdit->SetText(clip);
            Backend->KeyPress(VK_RETURN);
            Pump();
            if (Form1->OpenDialog2->DialogForm() && f->ModalResult() == mrNone)
                f->SetModalResult(mrCancel);
        });
    };
    Form1->Item121->Click();   // 文件 › 添加多个文件
    Pump();
    ASSERT_EQ(Form1->lvFiles->Items().Count(), 1);
    EXPECT_EQ(Form1->lvFiles->Items()[0]->Caption(), clip);
}

} // namespace
} // namespace maintest

namespace maintest {
namespace {

bool HasChinese(const std::string& AText)
{
    for (unsigned char c : AText)
        if (c >= 0x80)
            return true;
    return false;
}

TEST_F(ProgramDialogsTest, TheSkinLayerSpeaksChineseInTheProgramsDialogs)
{
    StartWithDialogs();
    TbsResourceStrData* table = Form1->bsSkinData1->ResourceStrData();
    ASSERT_EQ(table, Form1->bsResourceStrData1);
    // Every key the program's dialogs, menus and boxes show.
    for (const char* key : {"MSG_BTN_OK", "MSG_BTN_CANCEL", "MSG_BTN_OPEN", "MSG_BTN_YES", "MSG_BTN_NO", "MSG_FILENAME",
                            "MSG_FILETYPE", "FLV_LOOKIN", "FLV_NAME", "FLV_SIZE", "FLV_TYPE", "FLV_MODIFIED",
                            "MSG_NEWFOLDER", "MSG_LV_DETAILS", "MSG_LV_LIST", "MSG_LV_ICON", "MSG_LV_SMALLICON",
                            "MSG_BTN_BACK_HINT", "MSG_BTN_UP_HINT", "MSG_BTN_NEWFOLDER_HINT", "MSG_BTN_VIEWMENU_HINT",
                            "MSG_PREVIEWSKIN", "MSG_PREVIEWBUTTON", "MSG_OVERWRITE", "MSG_CAP_WARNING",
                            "MSG_CAP_INFORMATION", "MSG_CAP_SHOWFLAG", "MI_MINCAPTION", "MI_CLOSECAPTION",
                            "MI_RESTORECAPTION", "MINBUTTON_HINT", "CLOSEBUTTON_HINT", "MENUBUTTON_HINT", "EDIT_UNDO",
                            "EDIT_COPY", "EDIT_CUT", "EDIT_PASTE", "EDIT_DELETE", "EDIT_SELECTALL"})
        EXPECT_TRUE(HasChinese(table->GetResStr(key))) << key << " = " << table->GetResStr(key);

    // What the open dialog shows.
    std::vector<std::string> shown;
    Form1->OpenDialog1->OnShow = [&](TObject*) {
        TThread::ForceQueue(nullptr, [&] {
            TbsOpenDlgForm* f = Form1->OpenDialog1->DialogForm();
            shown = {f->OpenButton->Caption(), f->CancelButton->Caption(), f->OpenFileLabel->Caption(),
                     f->FileTypeLabel->Caption(), f->Drivelabel->Caption()};
            f->SetModalResult(mrCancel);
        });
    };
    Form1->Item111->Click();
    Pump();
    ASSERT_EQ(shown.size(), 5u);
    for (const std::string& text : shown)
        EXPECT_TRUE(HasChinese(text)) << text;
}

} // namespace
} // namespace maintest

namespace maintest {
namespace {

// The open dialog over a folder of media and the skin picker, in Clear,
// Violet and Graphite, saved for a person to look at.
class DialogRender : public ProgramDialogsTest, public ::testing::WithParamInterface<int> {
protected:
    std::string Picture(const std::string& AWhat) const
    {
        std::filesystem::create_directories(APP_MAIN_RENDER_DIR);
        return std::string(APP_MAIN_RENDER_DIR) + "/skin" + std::to_string(GetParam()) + "_" + AWhat + ".png";
    }
};

TEST_P(DialogRender, OpenDialogAndSkinPicker)
{
    WriteIni("Skin", "SetSkin", std::to_string(GetParam()));
    // Listing needs no media: small files of the usual kinds.
    for (const char* name : {"假期/海边.mp4", "clip.avi", "song.mp3", "a-rather-long-name-of-a-film.mkv", "notes.txt"}) {
        const std::string path = Home.File(std::string("Videos/") + name);
        ForceDirectories(ExtractFileDir(path));
        std::ofstream(path) << "not media";
    }
    ForceDirectories(Home.File("Videos/家庭"));
    StartWithDialogs();
    Form1->OpenDialog1->InitialDir = Home.File("Videos");
    Form1->OpenDialog1->ListViewStyle = vsReport;
    bool saved = false;
    Form1->OpenDialog1->OnShow = [&](TObject*) {
        TThread::ForceQueue(nullptr, [&] {
            TbsOpenDlgForm* f = Form1->OpenDialog1->DialogForm();
            Pump();
            Backend->SaveScreenPicture(Picture("open_dialog"));
            saved = true;
            f->SetModalResult(mrCancel);
        });
    };
    Form1->Item111->Click();
    Pump();
    EXPECT_TRUE(saved);

    saved = false;
    Form1->bsSelectSkinDialog1->OnShow = [&](TObject*) {
        TThread::ForceQueue(nullptr, [&] {
            TbsSelectSkinDlgForm* f = Form1->bsSelectSkinDialog1->DialogForm();
            Pump();
            Backend->SaveScreenPicture(Picture("skin_picker"));
            // The preview's caption has room between its icon and its buttons.
            int buttons = f->PreviewForm->Width(), icon = 0;
            for (auto& object : f->PreviewBSF->ObjectList) {
                if (!object->Visible || object->ObjectRect.Top > 40)
                    continue;
                if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(object.get()))
                    (b->Command == cmSysMenu ? icon : buttons) =
                        b->Command == cmSysMenu ? b->ObjectRect.Right : std::min(buttons, b->ObjectRect.Left);
            }
            TBitmap measure(1, 1);
            EXPECT_GT(buttons - icon, measure.Canvas()->TextWidth("预览") + 16)
                << "icon ends at " << icon << ", buttons start at " << buttons;
            saved = true;
            f->SetModalResult(mrCancel);
        });
    };
    Form1->N23->Click();   // 功能 › 软件皮肤
    Pump();
    EXPECT_TRUE(saved);
}

INSTANTIATE_TEST_SUITE_P(Skins, DialogRender, ::testing::Values(0, 2, 6));

} // namespace
} // namespace maintest
