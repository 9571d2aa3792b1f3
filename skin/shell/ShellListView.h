#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Strings.h"
#include "platform/shell/ShellChangeNotifier.h"
#include "platform/shell/ShellFolder.h"
#include "skin/controls/SkinListView.h"
#include "skin/shell/ShellContextMenu.h"
#include "skin/shell/ShellControls.h"

// The file list: a skinned owner-data list view over the items of one folder,
// folders first in the shell's order, files through a mask, with the
// namespace's icons, four detail columns, sorting by column, navigation into
// folders and up, renaming in place, the item menu and optional refresh on
// changes. Linked to a folder tree and a "look in" box, all three show one
// folder. Painting never raises: an item that vanished shows empty details.
class TbsCustomShellListView : public TbsSkinCustomListView, public IbsVerbHandler {
public:
    explicit TbsCustomShellListView(TComponent* AOwner);
    ~TbsCustomShellListView() override;

    TbsShellFolder* RootFolder() const { return FRootFolder.get(); }
    // The parsing name of the folder shown; empty without one.
    std::string Path() const;
    // Opens the folder; EInvalidPath "Error setting path" when the text is no
    // absolute path or names no folder.
    void SetPath(const std::string& Value);
    const TRoot& Root() const { return FRoot; }
    void SetRoot(const TRoot& Value);
    // Patterns separated by ";" or "|"; "*" and "*.*" take every file; an
    // empty mask lists folders only. Folders are never filtered.
    const std::string& Mask() const { return FMask; }
    void SetMask(const std::string& Value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    void SetObjectTypes(TShellObjectTypes Value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    bool AutoContextMenus() const { return FAutoContext; }
    void SetAutoContextMenus(bool Value) { FAutoContext = Value; }
    bool AutoNavigate() const { return FAutoNavigate; }
    void SetAutoNavigate(bool Value) { FAutoNavigate = Value; }
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool Value);
    TbsCustomShellTreeView* ShellTreeView() const { return FTreeView; }
    void SetShellTreeView(TbsCustomShellTreeView* Value);
    IbsShellComboLink* ShellComboBox() const { return FComboBox; }
    void SetShellComboBox(IbsShellComboLink* Value);
    TbsShellChangeNotifier* Notifier() const { return FNotifier; }
    void SetViewStyle(TViewStyle Value) override;

    // Opens the parent folder.
    void Back();
    // Reads the folder again and selects the item at the same index.
    void Refresh();
    TbsShellFolder* SelectedFolder() const;
    // The path of the selected item when it is a file, else empty.
    std::string GetSelectedFile() const;
    // The paths of every selected file, in list order.
    void GetSelectedFiles(TStrings& AFiles) const;
    TbsShellFolder* EntryFolder(int Index) const;
    int EntryCount() const { return int(FFolders.size()); }
    // Goes to a folder unless it is shown (for the linked controls).
    void FollowFolder(const TItemIDList& AbsoluteID);
    void OpenFolderID(const TItemIDList& AbsoluteID);
    void ReloadFolder();
    virtual void FillEntries();
    void BuildColumns();
    void StartLabelEdit();
    int SortColumn() const { return FSortColumn; }
    bool SortDescending() const { return FSortDirection; }
    TbsShellContextMenu& ContextMenu() { return FContextMenu; }

    void ExecuteCommand(const std::string& Verb, bool& Handled) override;
    void CommandCompleted(const std::string& Verb, bool Succeeded) override;

    TAddFolderEvent OnAddFolder;
    TNotifyEvent OnPathChanged;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    bool OwnerDataFetch(TListItem* Item, TItemRequest Request) override;
    int OwnerDataFind(TItemFind Find, const std::string& FindString, const TPoint& FindPosition, void* FindData,
                      int StartIndex, TSearchDirection Direction, bool Wrap) override;
    void DblClick() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void ColumnClick(TListColumn* Column) override;
    void Edit(int ItemIndex, const std::string* NewText) override;

private:
    friend class TbsCustomShellTreeView;
    friend class TbsCustomShellComboBox;
    void MakeRootFolder();
    void SyncLinkedViews();
    void ReleaseEntries();
    bool MaskAccepts(const TbsShellFolder* Entry) const;
    void AddFallbackColumns(int Count);
    void SortEntries(bool ByColumn);

    int FOldSortColumn = -1;
    int FSortColumn = -1;
    bool FSortDirection = false;
    TRoot FOldRoot;
    TRoot FRoot = "rfDesktop";
    std::unique_ptr<TbsShellFolder> FRootFolder;
    bool FAutoContext = true;
    bool FAutoRefresh = false;
    bool FAutoNavigate = true;
    bool FSorted = true;
    bool FUpdating = false;
    TShellObjectTypes FObjectTypes{otFolders, otNonFolders};
    std::vector<std::unique_ptr<TbsShellFolder>> FFolders;
    TbsCustomShellTreeView* FTreeView = nullptr;
    IbsShellComboLink* FComboBox = nullptr;
    TbsShellChangeNotifier* FNotifier = nullptr;
    bool FSettingRoot = false;
    std::string FMask = "*.*|*.*";
    TbsShellContextMenu FContextMenu;
};

// The published form.
class TbsSkinFileListView : public TbsCustomShellListView {
public:
    using TbsCustomShellListView::TbsCustomShellListView;
};

