#include <gtest/gtest.h>
#include "resources/skins/EmbeddedSkins.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/data/SkinList.h"
#include "skin/dialogs/SkinMessage.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "skin/controls/SkinLabels.h"
#include "skin/dialogs/DriveComboBox.h"
#include "skin/dialogs/FileBoxes.h"
#include "skin/dialogs/FilterComboBox.h"
#include "skin/dialogs/SkinPicker.h"
#include "tests/skin_dialogs/FileTreeFixture.h"
#include "tests/skin_dialogs/DialogsFixture.h"

namespace {

class TDialogsRenderTest : public TDialogsTest {};

// Message boxes of each kind in our base skin and in the plain look, as
// the user sees them: frame, icon, text and buttons.
TEST_F(TDialogsRenderTest, MessageBoxes)
{
    TRenderSheet sheet;
    for (TbsSkinData* skin : {BaseSkinData(), static_cast<TbsSkinData*>(nullptr)}) {
        const std::string look = skin ? "base skin" : "plain";
        TbsSkinMessage box(nullptr);
        box.SetSkinData(skin);
        box.SetCtrlSkinData(skin);
        TbsMessageForm* shown = nullptr;
        box.OnBoxShow = [&](TbsMessageForm* F) { shown = F; };
        struct TCase {
            TMsgDlgType Type;
            TMsgDlgButtons Buttons;
            std::string Text;
            bool Flag;
        };
        const TCase cases[] = {
            {mtInformation, TMsgDlgButtons{mbOK}, "转换完成。", false},
            {mtWarning, TMsgDlgButtons{mbOK, mbCancel}, "Do you want to overwrite old file?", false},
            {mtError, TMsgDlgButtons{mbAbort, mbRetry, mbIgnore}, "The file could not be opened.", false},
            {mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, "Remove every file from the list?\nThis cannot be undone.",
             true},
        };
        for (const auto& c : cases) {
            box.SetShowAgainFlag(c.Flag);
            WhenShown([&] {
                Pump();
                sheet.Add(look + ": " + shown->Caption(), *Backend->CaptureWindow(shown->Handle()));
                shown->SetModalResult(mrCancel);
            });
            box.MessageDlg(c.Text, c.Type, c.Buttons, 0);
        }
        sheet.NewRow();
    }
    sheet.Save("message_boxes");
}

// The skin picker in our base skin previewing each of our seven skins.
TEST_F(TDialogsRenderTest, SkinPickerPreviews)
{
    TbsCompressedSkinList list(nullptr);
    FillMainSkinList(list);
    TbsSelectSkinDialog dialog(nullptr);
    dialog.SetSkinList(&list);
    dialog.SetSkinData(BaseSkinData());
    dialog.SetCtrlSkinData(BaseSkinData());
    TRenderSheet sheet;
    WhenShown([&] {
        TbsSelectSkinDlgForm* d = dialog.DialogForm();
        for (int i = 0; i < MainSkinCount; ++i) {
            TbsListBox* l = d->SkinsListBox->ListBox;
            const TRect r = l->ItemRect(i);
            ClickAt(l, r.Left + 10, r.Top + 5);
            Pump();
            sheet.Add(d->SkinsListBox->Items().Get(i), *Backend->CaptureWindow(d->Handle()));
            if (i % 2 == 1)
                sheet.NewRow();
        }
        d->SetModalResult(mrCancel);
    });
    dialog.Execute(0);
    sheet.Save("skin_picker");
}

class TFileBoxesRenderTest : public TFileBoxesTest {};

// The linked file chooser over the temporary tree with the injected mounts,
// in our base skin and in the plain look: drive box, folder label, folder
// and file boxes, name edit and filter box.
TEST_F(TFileBoxesRenderTest, FolderAndFileBoxes)
{
    TRenderSheet sheet;
    for (TbsSkinData* skin : {BaseSkinData(), static_cast<TbsSkinData*>(nullptr)}) {
        const std::string look = skin ? "base skin" : "plain";
        auto* host = new TPanel(Form);
        host->SetParent(Form);
        host->SetBounds(0, 0, 390, 290);
        auto* drives = new TbsSkinDriveComboBox(host);
        drives->SetParent(host);
        drives->SetBounds(10, 10, 200, 22);
        drives->SetSkinData(skin);
        auto* label = new TbsSkinStdLabel(host);
        label->SetParent(host);
        label->SetAutoSize(false);
        label->SetBounds(10, 38, 200, 16);
        label->SetSkinData(skin);
        auto* dirs = new TbsSkinDirectoryListBox(host);
        dirs->SetParent(host);
        dirs->SetBounds(10, 58, 200, 190);
        dirs->SetSkinData(skin);
        auto* files = new TbsSkinFileListBox(host);
        files->SetParent(host);
        files->SetBounds(220, 38, 160, 210);
        files->SetSkinData(skin);
        files->SetFileType(TbsFileType{bsftNormal, bsftDirectory});
        auto* edit = new TEdit(host);
        edit->SetParent(host);
        edit->SetBounds(220, 10, 160, 22);
        auto* filter = new TbsSkinFilterComboBox(host);
        filter->SetParent(host);
        filter->SetBounds(10, 256, 370, 22);
        filter->SetSkinData(skin);
        drives->SetDirList(dirs);
        dirs->SetFileList(files);
        dirs->SetDirLabel(label);
        files->SetFileEdit(edit);
        filter->SetFileList(files);
        filter->HandleNeeded();
        filter->SetFilter("All files (*.*)|*.*|Videos (*.mp4;*.avi)|*.mp4;*.avi");
        dirs->SetDirectory(Path("Video/Out"));
        files->SetItemIndex(4);
        Pump();
        sheet.Add(look + ": file chooser", Snapshot(host));
        delete host;
    }
    sheet.Save("file_boxes");
}

}  // namespace
