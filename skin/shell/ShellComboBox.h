#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/shell/ShellFolder.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/shell/ShellControls.h"

// One item of the "look in" box: its text, its folder (owned), its depth and icon.
struct TbsItemEx {
    std::string Caption;
    std::unique_ptr<TbsShellFolder> Data;
    int Indent = 0;
    int ImageIndex = -1;
    int SelectedImageIndex = 0;   // stored, not drawn
};

// The items of the box. Its update count doubles as the box's state of being rebuilt.
class TbsItemsEx {
public:
    int Count() const { return int(FItems.size()); }
    TbsItemEx& operator[](int Index) { return *FItems[size_t(Index)]; }
    const TbsItemEx& operator[](int Index) const { return *FItems[size_t(Index)]; }
    TbsItemEx& Add() { return Insert(Count()); }
    TbsItemEx& Insert(int Index);
    TbsItemEx& AddItem(const std::string& ACaption, int AImageIndex, int ASelectedIndex, int AIndent,
                       std::unique_ptr<TbsShellFolder> AFolder);
    void Clear() { FItems.clear(); }
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate() { --FUpdateCount; }
    int UpdateCount() const { return FUpdateCount; }

private:
    std::vector<std::unique_ptr<TbsItemEx>> FItems;
    int FUpdateCount = 0;
};

// The "look in" box: a skinned combo box of folders with their icons, the
// drop-down list indented by depth. It always holds the root, the root's
// children, Computer's children under a Desktop root, and the chain down to
// the folder shown. Choosing an item moves a linked tree and file list there;
// they move the box in turn.
class TbsCustomShellComboBox : public TbsSkinCustomComboBox, public IbsShellComboLink {
public:
    explicit TbsCustomShellComboBox(TComponent* AOwner);
    ~TbsCustomShellComboBox() override;

    TbsItemsEx& ItemsEx() { return FItemsEx; }
    // The parsing name of the chosen folder; empty without one.
    std::string Path();
    // Shows the folder; EInvalidPath "Error setting path" for a text that is no path.
    void SetPath(const std::string& Value);
    const TRoot& Root() const { return FRoot; }
    void SetRoot(const TRoot& Value) override;
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes Value);
    bool UseShellImages() const { return FUseShellImages; }
    void ApplyShellImages(bool Value);
    TbsCustomShellTreeView* ShellTreeView() const { return FTreeView; }
    void SetShellTreeView(TbsCustomShellTreeView* Value);
    TbsCustomShellListView* ShellListView() const { return FListView; }
    void SetShellListView(TbsCustomShellListView* Value);

    void FollowFolder(const TItemIDList& AbsoluteID) override;
    // The folder of an item; past the last item, the last one's.
    TbsShellFolder* ItemFolder(int Index);
    // The highest index whose folder is that one, or -1.
    int FindItemByID(const TItemIDList& AbsoluteID);
    // Rebuilds the list around the folder and chooses it.
    void ShowFolderID(const TItemIDList& AbsoluteID);
    void BuildItems();

    TComponent* LinkComponent() override { return this; }
    void LinkTreeView(TbsCustomShellTreeView* Value) override;
    void LinkListView(TbsCustomShellListView* Value) override;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateWnd() override;
    void Change() override;
    virtual void FillStandardItems();

private:
    void InsertChildItems(int Index, TbsShellFolder* Folder);
    void InsertFolderItem(int Index, std::unique_ptr<TbsShellFolder> Folder);
    void RebuildFromRoot();
    void ReleaseItems();
    void CopyCaptions();
    int FolderIconIndex(const TbsShellFolder* Folder) const;
    void DrawFaceItem(TCanvas& Cnvs, int Index, const TRect& TxtRect);
    void DrawListItem(TCanvas& Cnvs, int Index, const TRect& Rect, TOwnerDrawState State);
    void DrawIconAndText(TCanvas& Cnvs, int Index, const TRect& R, int Indent, bool IconRoom);

    TbsItemsEx FItemsEx;
    int FImageWidth = 16, FImageHeight = 16;
    TRoot FOldRoot;
    TRoot FRoot = "rfDesktop";
    std::unique_ptr<TbsShellFolder> FRootFolder;
    TbsCustomShellTreeView* FTreeView = nullptr;
    TbsCustomShellListView* FListView = nullptr;
    TShellObjectTypes FObjectTypes{otFolders};
    bool FUseShellImages = true;
    bool FUpdating = false;
};

// The published form.
class TbsSkinShellComboBox : public TbsCustomShellComboBox {
public:
    using TbsCustomShellComboBox::TbsCustomShellComboBox;
};
