#include "skin/dialogs/OpenDialog.h"

#include "platform/core/Path.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/ui/forms/Application.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/FilterComboBox.h"
#include "skin/dialogs/OpenDialogForm.h"
#include "skin/dialogs/PathRoutines.h"
#include "skin/dialogs/ShellDialogParts.h"
#include "skin/frame/FormFrame.h"
#include "skin/shell/ShellComboBox.h"
#include "skin/shell/ShellListView.h"

using namespace ShellDialogParts;

TbsSkinFileDialog::TbsSkinFileDialog(TComponent* AOwner, const std::string& ATitle, const std::string& AFilter)
    : TbsSkinDialogComponent(AOwner, ATitle), Filter(AFilter)
{
}

void TbsSkinFileDialog::SetFileName(const std::string& Value)
{
    FFileName = Value;
    if (FDlgFrm)
        FDlgFrm->FileNameEdit->SetText(Value);
}

std::string TbsSkinFileDialog::GetSelectedFile() const
{
    return FDlgFrm ? FDlgFrm->FileListView->GetSelectedFile() : std::string();
}

std::string TbsSkinFileDialog::StartFolder() const
{
    // The remembered folder may have gone: its nearest existing parent then.
    if (!FFileName.empty() && FFileName[0] == '/') {
        std::string folder = NormalizeShellPath(ExtractFileDir(FFileName));
        if (folder == "/")
            return folder;
        // Climbing all the way up to "/" means the whole place went (an unmounted disk).
        while (!folder.empty() && folder != "/" && !IsExistingDir(folder))
            folder = ExtractFileDir(folder);
        if (!folder.empty() && folder != "/")
            return folder;
    }
    if (!InitialDir.empty() && InitialDir[0] == '/' && IsExistingDir(InitialDir))
        return NormalizeShellPath(InitialDir);
    return NormalizeShellPath(ShellEnvironment().HomeFolder);
}

TbsOpenDlgForm* TbsSkinFileDialog::CreateForm()
{
    return NewForm<TbsOpenDlgForm>(Application, FSaveMode, CtrlSkinData(), ToolButtonsTransparent);
}

void TbsSkinFileDialog::CopyIntoForm(TbsOpenDlgForm& Form)
{
    Form.OverwritePromt = OverwritePromt;
    Form.CheckFileExists = CheckFileExists;
}

std::string TbsSkinFileDialog::ReturnedExtension(TbsOpenDlgForm& Form)
{
    return Form.CompletionExtension();
}

bool TbsSkinFileDialog::Execute()
{
    if (OnShow)
        OnShow(this);
    FDlgFrm = CreateForm();
    CopyIntoForm(*FDlgFrm);
    bool result = false;
    try {
        TbsOpenDlgForm& f = *FDlgFrm;
        f.SetCaption(Title());
        TbsFormFrame& frame = *f.BSF;
        SetUpFrame(frame, *this, DialogMinWidth, DialogMinHeight, AlphaBlend, AlphaBlendValue, AlphaBlendAnimation);
        for (TbsSkinCustomComboBox* box : {static_cast<TbsSkinCustomComboBox*>(f.ShellBox),
                                           static_cast<TbsSkinCustomComboBox*>(f.FilterComboBox)}) {
            box->SetAlphaBlend(CtrlAlphaBlend);
            box->SetAlphaBlendValue(std::uint8_t(CtrlAlphaBlendValue));
            box->SetAlphaBlendAnimation(CtrlAlphaBlendAnimation);
        }
        frame.SetMenusAlphaBlend(CtrlAlphaBlend);
        frame.SetMenusAlphaBlendValue(CtrlAlphaBlendValue);
        frame.SetMenusAlphaBlendAnimation(CtrlAlphaBlendAnimation);
        f.OpenButton->SetDefaultFont(DefaultFont());
        f.CancelButton->SetDefaultFont(DefaultFont());
        f.ShellBox->SetDefaultFont(DefaultFont());
        f.FileListView->SetDefaultFont(DefaultFont());

        f.ApplyViewStyle(ListViewStyle);
        f.FileListView->SetRoot(StartFolder());
        f.FileListView->SetMask(f.FilterComboBox->Text());   // no filter chosen yet: folders only
        f.FileListView->SetHeaderSkinDataName(LVHeaderSkinDataName);
        f.FileListView->SetSkinData(CtrlSkinData());
        f.FileListView->SetMultiSelect(MultiSelection);
        if (ShowHiddenFiles) {
            TShellObjectTypes types = f.FileListView->ObjectTypes();
            types.Include(otHidden);
            f.FileListView->SetObjectTypes(types);
        }
        f.HandleNeeded();   // the file-type box builds its items with its window
        f.FilterComboBox->SetFilter(Filter);
        f.FilterComboBox->SetItemIndex(FilterIndex - 1);   // its change gives the list the mask
        AfterFilter(f);

        for (TbsSkinPanel* p : {f.FileListViewPanel, f.BottomPanel, static_cast<TbsSkinPanel*>(f.ToolPanel)})
            p->SetSkinData(CtrlSkinData());
        f.Drivelabel->SetSkinData(CtrlSkinData());
        f.OpenFileLabel->SetSkinData(CtrlSkinData());
        f.FileTypeLabel->SetSkinData(CtrlSkinData());
        for (TbsSkinSpeedButton* b : {f.UpToolButton, f.BackToolButton, static_cast<TbsSkinSpeedButton*>(f.StyleToolButton),
                                      f.NewFolderToolButton})
            b->SetSkinData(CtrlSkinData());
        f.FLVHScrollBar->SetSkinData(CtrlSkinData());
        f.FLVVScrollBar->SetSkinData(CtrlSkinData());
        f.FileNameEdit->SetSkinData(CtrlSkinData());
        f.FilterComboBox->SetSkinData(CtrlSkinData());
        f.OpenButton->SetSkinData(CtrlSkinData());
        f.CancelButton->SetSkinData(CtrlSkinData());
        f.ShellBox->SetSkinData(CtrlSkinData());
        f.ShellBox->SetSkinDataName("combobox");

        f.HandleNeeded();   // the frame's minimum counts on the window
        int w = DialogWidth, h = DialogHeight;
        FitClientSize(w, h, DefaultWidth(), DefaultHeight(), frame);
        f.SetClientWidth(w);
        f.SetClientHeight(h);
        AfterSize(f);

        if (f.FileListView->Items().Count() > 0)
            f.FileListView->SetItemFocused(f.FileListView->Items()[0]);
        f.FileNameEdit->SetText(ExtractFileName(FFileName));
        BeforeShow(f);
        f.InitHistory();
        result = f.ShowModal() == mrOk;

        FilterIndex = f.FilterComboBox->ItemIndex() + 1;
        DialogWidth = f.ClientWidth();
        DialogHeight = f.ClientHeight();
        ListViewStyle = f.FileListView->ViewStyle();
        AfterClose(f);
        if (result) {
            FFileName = f.FileName;
            if (FSaveMode && NameExtension(FFileName).empty())
                FFileName += ReturnedExtension(f);
            f.FileListView->GetSelectedFiles(FFiles);
            // A typed name with nothing selected is the one file.
            if (FFiles.Count() == 0 && !FFileName.empty())
                FFiles.Add(FFileName);
        }
    } catch (...) {
        EndCall(FDlgFrm, OnClose);
        throw;
    }
    EndCall(FDlgFrm, OnClose);
    return result;
}

// ------------------------------------------------------------ TbsSkinOpenDialog

TbsSkinOpenDialog::TbsSkinOpenDialog(TComponent* AOwner) : TbsSkinFileDialog(AOwner, "Open file", "All files|*.*")
{
}

void TbsSkinOpenDialog::CopyIntoForm(TbsOpenDlgForm& Form)
{
    TbsSkinFileDialog::CopyIntoForm(Form);
    Form.OnFolderChange = OnFolderChange;
    Form.DefaultExt = DefaultExt;
}
