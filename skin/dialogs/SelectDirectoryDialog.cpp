#include "skin/dialogs/SelectDirectoryDialog.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Keys.h"
#include "platform/ui/forms/Application.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/PathRoutines.h"
#include "skin/dialogs/ShellDialogParts.h"
#include "skin/frame/FormFrame.h"
#include "skin/shell/ShellTreeView.h"

using namespace ShellDialogParts;

// ------------------------------------------------------------ TbsSelDirDlgForm

TbsSelDirDlgForm::TbsSelDirDlgForm(TComponent* AOwner, TbsSkinData* ACtrlSkinData, bool AShowToolBar,
                                   bool AToolButtonsTransparent)
    : TForm(AOwner, TFormCreation::New), CtrlSD(ACtrlSkinData), ShowToolBar(AShowToolBar)
{
    SetBorderStyle(bsSizeable);
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    BSF = new TbsFormFrame(this);
    BSF->SetBorderIcons(TbsBorderIcons{});

    if (AShowToolBar)
        CreateToolBar(AToolButtonsTransparent);
    CreateFolderTree();
    CreateButtons();
}

// The tool bar: the typed path and "New Folder".
void TbsSelDirDlgForm::CreateToolBar(bool ATransparentButtons)
{
    ToolPanel = new TbsSkinPanel(this);
    ToolPanel->SetParent(this);
    ToolPanel->SetAlign(alTop);
    ToolPanel->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    ToolPanel->SetDefaultHeight(25);
    ToolPanel->SetSkinDataName("toolpanel");

    NewFolderToolButton = new TbsSkinSpeedButton(this);
    NewFolderToolButton->SetParent(ToolPanel);
    NewFolderToolButton->SetLeft(Width());
    NewFolderToolButton->SetAlign(alRight);
    NewFolderToolButton->SetDefaultWidth(27);
    NewFolderToolButton->SetDefaultHeight(25);
    NewFolderToolButton->SetSkinDataName("toolbutton");
    NewFolderToolButton->SetNumGlyphs(1);
    NewFolderToolButton->SetGlyph(Glyph("BS_NEWFOLDER"));
    NewFolderToolButton->SetHint(DialogText(CtrlSD, "MSG_BTN_NEWFOLDER_HINT"));
    NewFolderToolButton->SetShowHint(true);
    NewFolderToolButton->SetFlat(ATransparentButtons);
    NewFolderToolButton->OnClick = [this](TObject* s) { NewFolderToolButtonClick(s); };

    auto* spacer = new TbsSkinBevel(this);
    spacer->SetParent(ToolPanel);
    spacer->SetShape(bsSpacer);
    spacer->SetLeft(NewFolderToolButton->Left() - 5);
    spacer->SetWidth(5);
    spacer->SetAlign(alRight);

    DirEdit = new TbsSkinEdit(this);
    DirEdit->SetParent(ToolPanel);
    DirEdit->SetAlign(alClient);
    DirEdit->SetDefaultHeight(25);
    DirEdit->SetSkinDataName("edit");
    DirEdit->OnKeyPress = [this](TObject* s, char32_t& k) { DirEditKeyPress(s, k); };
}

// The folder tree in a framed panel with its two scroll bars.
void TbsSelDirDlgForm::CreateFolderTree()
{
    DirTreeViewPanel = new TbsSkinPanel(this);
    DirTreeViewPanel->SetParent(this);
    DirTreeViewPanel->SetAlign(alClient);
    DirTreeViewPanel->SetBorderStyle(TbsSkinBorderStyle::bvFrame);

    VScrollBar = new TbsSkinScrollBar(this);
    VScrollBar->SetParent(DirTreeViewPanel);
    VScrollBar->SetKind(sbVertical);
    VScrollBar->SetAlign(alRight);
    VScrollBar->SetDefaultWidth(19);
    VScrollBar->SetEnabled(false);
    VScrollBar->SetSkinDataName("vscrollbar");

    HScrollBar = new TbsSkinScrollBar(this);
    HScrollBar->SetParent(DirTreeViewPanel);
    HScrollBar->SetAlign(alBottom);
    HScrollBar->SetDefaultHeight(19);
    HScrollBar->SetBothMarkerWidth(19);
    HScrollBar->SetEnabled(false);
    HScrollBar->SetSkinDataName("hscrollbar");

    DirTreeView = new TbsSkinDirTreeView(this);
    DirTreeView->SetParent(DirTreeViewPanel);
    DirTreeView->SetAlign(alClient);
    DirTreeView->SetHScrollBar(HScrollBar);
    DirTreeView->SetVScrollBar(VScrollBar);
    // Hidden folders only when the dialog asks for hidden items; this one does not.
    DirTreeView->SetHideSelection(false);
    DirTreeView->OnChange = [this](TObject* s, TTreeNode* n) { DirTreeViewChange(s, n); };
}

void TbsSelDirDlgForm::CreateButtons()
{
    BottomPanel = new TbsSkinPanel(this);
    BottomPanel->SetParent(this);
    BottomPanel->SetAlign(alBottom);
    BottomPanel->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    BottomPanel->SetHeight(50);

    OkButton = new TbsSkinButton(this);
    OkButton->SetParent(BottomPanel);
    OkButton->SetDefault(true);
    OkButton->SetCaption(DialogText(CtrlSD, "MSG_BTN_OK"));
    OkButton->SetCanFocused(true);
    OkButton->SetBounds(20, 15, 70, 25);
    OkButton->SetDefaultHeight(25);
    OkButton->SetModalResult(mrOk);

    CancelButton = new TbsSkinButton(this);
    CancelButton->SetParent(BottomPanel);
    CancelButton->SetCaption(DialogText(CtrlSD, "MSG_BTN_CANCEL"));
    CancelButton->SetCanFocused(true);
    CancelButton->SetBounds(100, 15, 70, 25);
    CancelButton->SetDefaultHeight(25);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);
}

void TbsSelDirDlgForm::DirTreeViewChange(TObject*, TTreeNode*)
{
    if (DirEdit)
        DirEdit->SetText(DirTreeView->Path());
}

void TbsSelDirDlgForm::DirEditKeyPress(TObject*, char32_t& Key)
{
    if (Key != char32_t(VK_RETURN))
        return;
    // A relative path lies below the selected folder, never the process's current one.
    std::string text = DirEdit->Text();
    const std::string base = DirTreeView->Path();
    if (!text.empty() && text[0] != '/')
        text = !base.empty() && base[0] == '/' ? JoinPath(base, text) : std::string();
    if (IsExistingDir(text))
        DirTreeView->SetPath(text);
}

void TbsSelDirDlgForm::NewFolderToolButtonClick(TObject*)
{
    TTreeNode* node = DirTreeView->Selected();
    const std::string path = DirTreeView->Path();
    // Only where the selected folder has a file-system path.
    if (!node || path.empty() || path[0] != '/')
        return;
    const std::string folder = JoinPath(path, DialogText(CtrlSD, "MSG_NEWFOLDER"));
    struct stat st{};
    if (::lstat(folder.c_str(), &st) == 0)
        return;   // no numbering here: an existing one stops it
    if (::mkdir(folder.c_str(), 0777) != 0)
        throw EInOutError(Format("Cannot create the folder \"%s\". %s", folder, SysErrorMessage(errno)));
    DirTreeView->Refresh(node);
}

// ------------------------------------------------------------ TbsSkinSelectDirectoryDialog

TbsSkinSelectDirectoryDialog::TbsSkinSelectDirectoryDialog(TComponent* AOwner)
    : TbsSkinDialogComponent(AOwner, "Select folder")
{
}

bool TbsSkinSelectDirectoryDialog::Execute()
{
    if (OnShow)
        OnShow(this);
    FDlgFrm = NewForm<TbsSelDirDlgForm>(Application, CtrlSkinData(), ShowToolBar, ToolButtonsTransparent);
    bool result = false;
    try {
        TbsSelDirDlgForm& f = *FDlgFrm;
        f.SetCaption(Title());
        TbsFormFrame& frame = *f.BSF;
        SetUpFrame(frame, *this, DialogMinWidth, DialogMinHeight, AlphaBlend, AlphaBlendValue, AlphaBlendAnimation);

        f.DirTreeViewPanel->SetSkinData(CtrlSkinData());
        f.DirTreeView->SetDefaultFont(DefaultFont());
        f.DirTreeView->SetSkinData(CtrlSkinData());
        if (!Directory.empty() && IsExistingDir(Directory))
            f.DirTreeView->SetPath(Directory);
        else
            f.DirTreeView->ExpandMyComputer();

        for (TbsSkinScrollBar* b : {f.VScrollBar, f.HScrollBar})
            b->SetSkinData(CtrlSkinData());
        for (TbsSkinButton* b : {f.OkButton, f.CancelButton}) {
            b->SetSkinData(CtrlSkinData());
            b->SetDefaultFont(DefaultFont());
        }
        f.BottomPanel->SetSkinData(CtrlSkinData());
        if (f.ShowToolBar) {
            f.ToolPanel->SetSkinData(CtrlSkinData());
            f.NewFolderToolButton->SetSkinData(CtrlSkinData());
            f.DirEdit->SetSkinData(CtrlSkinData());
            f.DirEdit->SetText(f.DirTreeView->Path());
        }

        f.HandleNeeded();   // the frame's minimum counts on the window
        int w = DialogWidth, h = DialogHeight;
        FitClientSize(w, h, 280, 280, frame);
        f.SetClientWidth(w);
        f.SetClientHeight(h);
        f.SetActiveControl(f.DirTreeView);

        result = f.ShowModal() == mrOk;
        DialogWidth = f.ClientWidth();
        DialogHeight = f.ClientHeight();
        // A virtual folder (Desktop, Computer) has no path: Directory stays.
        if (result) {
            const std::string path = f.DirTreeView->Path();
            if (!path.empty() && path[0] == '/')
                Directory = path;
        }
    } catch (...) {
        EndCall(FDlgFrm, OnClose);
        throw;
    }
    EndCall(FDlgFrm, OnClose);
    return result;
}
