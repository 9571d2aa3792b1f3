#pragma once
#include <memory>
#include <string>

#include "platform/shell/ShellChangeNotifier.h"
#include "platform/shell/ShellFolder.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/shell/ShellContextMenu.h"
#include "skin/shell/ShellControls.h"

// The folder tree: a skinned tree view whose nodes are namespace folders
// below a root, loaded when a node is first expanded, in the shell's order,
// with the namespace's icons, renamed by label editing, with the item menu and
// optional refresh on changes. Linked to a file list and a "look in" box, it
// moves them when its selection moves, and they select nodes in turn.
// Expanding a node never runs a file.
class TbsCustomShellTreeView : public TbsSkinCustomTreeView, public IbsVerbHandler {
public:
    explicit TbsCustomShellTreeView(TComponent* AOwner);
    ~TbsCustomShellTreeView() override;

    // The parsing name of the selected folder; empty without a selection.
    std::string Path() const;
    // Selects and expands the folder; EInvalidPath "Error setting path" when
    // the text is no absolute path.
    void SetPath(const std::string& Value);
    const TRoot& Root() const { return FRoot; }
    // Rebuilds from the new root; on failure the tree is rebuilt from the old
    // root, Root keeps its old value and "Error setting path" is raised.
    void SetRoot(const TRoot& Value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes Value);
    bool AutoContextMenus() const { return FAutoContext; }
    void SetAutoContextMenus(bool Value) { FAutoContext = Value; }
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool Value);
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool Value);
    TbsCustomShellListView* ShellListView() const { return FListView; }
    void SetShellListView(TbsCustomShellListView* Value);
    IbsShellComboLink* ShellComboBox() const { return FComboBox; }
    void SetShellComboBox(IbsShellComboLink* Value);
    TbsShellChangeNotifier* Notifier() const { return FNotifier; }

    // Selects the Computer folder and expands it.
    void ExpandMyComputer();
    TbsShellFolder* SelectedFolder() const;
    // Reads a node's children again, keeping what was expanded and selected.
    void Refresh(TTreeNode* Node);
    // Selects the node of a folder, expanding the way to it; the linked list
    // and box follow.
    void SelectFolderID(const TItemIDList& AbsoluteID);
    TbsShellFolder* NodeFolder(int Index);
    TbsShellContextMenu& ContextMenu() { return FContextMenu; }

    void ExecuteCommand(const std::string& Verb, bool& Handled) override;
    void CommandCompleted(const std::string& Verb, bool Succeeded) override;

    TAddFolderEvent OnAddFolder;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    bool CanChange(TTreeNode* Node) override;
    bool CanExpand(TTreeNode* Node) override;
    void Edit(TTreeNode* Node, const std::string* NewText) override;
    void Delete(TTreeNode* Node) override;
    void GetImageIndex(TTreeNode* Node) override;
    void GetSelectedIndex(TTreeNode* Node) override;
    virtual void ResetNodes() { ReleaseNodes(); }

private:
    friend class TbsCustomShellListView;
    friend class TbsCustomShellComboBox;
    void BuildRootNode();
    void ReloadRoot();
    void LoadChildren(TTreeNode* Node);
    void SetUpNode(TTreeNode* Node, const TItemIDList& Relative, TTreeNode* ParentNode);
    TTreeNode* FindNodeByID(const TItemIDList& AbsoluteID, TTreeNode* StartNode);
    void ReleaseNodes();
    void RefreshSelectedNode();
    void SetNodeIcons(TTreeNode* Node, TbsShellFolder* Folder);
    TImageList* ShownImages() const;
    static TbsShellFolder* FolderOf(TTreeNode* Node) { return Node ? static_cast<TbsShellFolder*>(Node->Data()) : nullptr; }

    std::string FPath;
    TRoot FRoot = "rfDesktop";
    TRoot FOldRoot;
    std::unique_ptr<TbsShellFolder> FRootFolder;
    TShellObjectTypes FObjectTypes{otFolders};
    bool FLoadingRoot = false;
    bool FAutoContext = true;
    bool FUpdating = false;
    TbsCustomShellListView* FListView = nullptr;
    IbsShellComboLink* FComboBox = nullptr;
    bool FAutoRefresh = false;
    bool FImageListChanging = false;
    bool FUseShellImages = true;
    TImageList* FImages = nullptr;          // a list given by the user in place of the namespace's
    TbsShellChangeNotifier* FNotifier = nullptr;
    TTreeNode* FNodeToMonitor = nullptr;
    TbsShellContextMenu FContextMenu;
};

// The published form.
class TbsSkinDirTreeView : public TbsCustomShellTreeView {
public:
    using TbsCustomShellTreeView::TbsCustomShellTreeView;
};
