#pragma once
#include <string>

#include "platform/ui/forms/Forms.h"
#include "skin/dialogs/SkinDialogComponent.h"

class TbsFormFrame;
class TbsSkinButton;
class TbsSkinData;
class TbsSkinDirTreeView;
class TbsSkinEdit;
class TbsSkinPanel;
class TbsSkinScrollBar;
class TbsSkinSpeedButton;
class TTreeNode;

// The form of one select-folder call: the folder tree with its skinned bars,
// OK and Cancel below it and, on request, a tool bar with a path edit and a
// New-folder button above it.
class TbsSelDirDlgForm : public TForm {
public:
    TbsSelDirDlgForm(TComponent* AOwner, TbsSkinData* ACtrlSkinData, bool AShowToolBar, bool AToolButtonsTransparent);

    TbsSkinData* CtrlSD = nullptr;
    bool ShowToolBar = false;
    TbsFormFrame* BSF = nullptr;
    TbsSkinPanel* DirTreeViewPanel = nullptr;
    TbsSkinPanel* BottomPanel = nullptr;
    TbsSkinDirTreeView* DirTreeView = nullptr;
    TbsSkinScrollBar* VScrollBar = nullptr;
    TbsSkinScrollBar* HScrollBar = nullptr;
    TbsSkinButton* OkButton = nullptr;
    TbsSkinButton* CancelButton = nullptr;
    TbsSkinPanel* ToolPanel = nullptr;
    TbsSkinSpeedButton* NewFolderToolButton = nullptr;
    TbsSkinEdit* DirEdit = nullptr;

    void CreateToolBar(bool ATransparentButtons);
    void CreateFolderTree();
    void CreateButtons();
    void DirTreeViewChange(TObject* Sender, TTreeNode* Node);
    void DirEditKeyPress(TObject* Sender, char32_t& Key);
    // Makes "New Folder" in the selected folder (nothing when it exists or
    // the folder has no path); EInOutError when it cannot be made.
    void NewFolderToolButtonClick(TObject* Sender);
};

// Lets the user pick a folder in a skinned window. Directory says where a call
// starts and, after OK on a folder with a path, which folder was chosen; the
// client size is kept between calls.
class TbsSkinSelectDirectoryDialog : public TbsSkinDialogComponent {
public:
    explicit TbsSkinSelectDirectoryDialog(TComponent* AOwner);

    // True when the user pressed OK.
    bool Execute();

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    bool ToolButtonsTransparent = false;
    int DialogWidth = 0, DialogHeight = 0;
    int DialogMinWidth = 0, DialogMinHeight = 0;
    std::string Directory;
    bool AlphaBlend = false;
    int AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    bool ShowToolBar = false;

    // The form while Execute runs, else nullptr.
    TbsSelDirDlgForm* DialogForm() const { return FDlgFrm; }

private:
    TbsSelDirDlgForm* FDlgFrm = nullptr;
};
