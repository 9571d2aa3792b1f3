#pragma once
#include <string>
#include <vector>

#include "platform/shell/ItemIDList.h"
#include "platform/ui/controls/ListView.h"
#include "platform/ui/forms/Forms.h"

class TbsSkinFilterComboBox;
class TbsFormFrame;
class TbsSkinButton;
class TbsSkinData;
class TbsSkinEdit;
class TbsSkinFileListView;
class TbsSkinMenuSpeedButton;
class TbsSkinPanel;
class TbsSkinPopupMenu;
class TbsSkinScrollBar;
class TbsSkinShellComboBox;
class TbsSkinSpeedButton;
class TbsSkinStdLabel;
class TbsSkinToolBar;
class TMenuItem;

// The form of one open or save call: a tool bar with the look-in box and
// Back, Up, New-folder and view-menu buttons, the file list, and the name
// edit, the file-type box and Open (Save) and Cancel below.
//
// Paths are POSIX: a typed text with "/" is a path, a relative one resolves
// against the list's folder (never the process's current directory). In a
// folder without a path (Desktop, Computer) a typed name does nothing.
class TbsOpenDlgForm : public TForm {
public:
    TbsOpenDlgForm(TComponent* AOwner, bool ASaveMode, TbsSkinData* ACtrlSkinData, bool AToolButtonsTransparent);
    ~TbsOpenDlgForm() override;

    bool SaveMode = false;
    std::vector<TItemIDList> FolderHistory;   // visited folders, oldest first
    bool StopAddToHistory = false;
    TbsSkinData* CtrlSD = nullptr;
    int NewFolderCount = 0;
    std::string DefaultExt;
    bool OverwritePromt = false;
    bool CheckFileExists = true;
    std::string FileName;                     // out: the accepted name
    TNotifyEvent OnFolderChange;

    TbsFormFrame* BSF = nullptr;
    TbsSkinPanel* FileListViewPanel = nullptr;
    TbsSkinPanel* BottomPanel = nullptr;
    TbsSkinScrollBar* FLVHScrollBar = nullptr;
    TbsSkinScrollBar* FLVVScrollBar = nullptr;
    TbsSkinFileListView* FileListView = nullptr;
    TbsSkinEdit* FileNameEdit = nullptr;
    TbsSkinFilterComboBox* FilterComboBox = nullptr;
    TbsSkinShellComboBox* ShellBox = nullptr;
    TbsSkinButton* OpenButton = nullptr;
    TbsSkinButton* CancelButton = nullptr;
    TbsSkinStdLabel* Drivelabel = nullptr;
    TbsSkinStdLabel* OpenFileLabel = nullptr;
    TbsSkinStdLabel* FileTypeLabel = nullptr;
    TbsSkinToolBar* ToolPanel = nullptr;
    TbsSkinSpeedButton* NewFolderToolButton = nullptr;
    TbsSkinSpeedButton* UpToolButton = nullptr;
    TbsSkinSpeedButton* BackToolButton = nullptr;
    TbsSkinMenuSpeedButton* StyleToolButton = nullptr;
    TbsSkinPopupMenu* StylePopupMenu = nullptr;
    TMenuItem* IconMenuItem = nullptr;
    TMenuItem* SmallIconMenuItem = nullptr;
    TMenuItem* ReportMenuItem = nullptr;
    TMenuItem* ListMenuItem = nullptr;

    // Records the list's folder unless it is the last one recorded.
    void InitHistory();
    // The menu item of a view style, checked, and the list set to it.
    void ApplyViewStyle(TViewStyle Style);

    virtual void FLVChange(TObject* Sender, TListItem* Item, TItemChange Change);
    void FLVPathChange(TObject* Sender);
    void FLVDBLClick(TObject* Sender);
    void FLVKeyPress(TObject* Sender, char32_t& Key);
    void EditKeyPress(TObject* Sender, char32_t& Key);
    void FCBChange(TObject* Sender);
    void OpenButtonClick(TObject* Sender);
    void BackToolButtonClick(TObject* Sender);
    void UpToolButtonClick(TObject* Sender);
    // "New Folder", then "New Folder(2)", ... in this form's life; an existing
    // name uses up its number; EInOutError when the folder cannot be made.
    void NewFolderToolButtonClick(TObject* Sender);

    // The extension of the selected filter's first mask (".mp4" of
    // "*.mp4;*.m4v"); empty when the mask holds ".*" anywhere.
    std::string FilterExtension();
    // The extension a bare typed name is completed with.
    virtual std::string CompletionExtension();
    // Path with the completion extension when it has none; a file of that
    // name in other letter case is taken as it is written on disk.
    std::string CompleteName(const std::string& Path);

protected:
    // The folder of the list when it has a path, else empty.
    std::string ListFolder();
    // A typed text as a path: absolute as typed, else below the list's folder.
    std::string TypedPath(const std::string& Text);
    bool AskOverwrite();
    void Accept(const std::string& Name);
    void PlaceBottomRow(int Left, int EditWidth, int ButtonLeft, bool Anchored);
    TbsSkinSpeedButton* NewToolButton(const char* GlyphName, const char* HintKey, bool Transparent);

private:
    // The steps of construction, in the order the controls are made.
    void CreateToolBar(bool AToolButtonsTransparent);
    void CreateViewStyleMenu();
    void CreatePanels();
    void CreateFileList();
    void CreateBottomControls();
    void ArrangeBottomRow();
};

// The extension part of a name: from the last "." after the last "/", or empty.
std::string NameExtension(const std::string& Name);
