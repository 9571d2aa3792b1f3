#include "skin/shell/ShellComboBox.h"

#include "platform/core/SysUtils.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/ListBox.h"
#include "skin/shell/ShellListView.h"
#include "skin/shell/ShellTreeView.h"

TbsItemEx& TbsItemsEx::Insert(int Index)
{
    Index = std::clamp(Index, 0, Count());
    return **FItems.insert(FItems.begin() + Index, std::make_unique<TbsItemEx>());
}

TbsItemEx& TbsItemsEx::AddItem(const std::string& ACaption, int AImageIndex, int ASelectedIndex, int AIndent,
                               std::unique_ptr<TbsShellFolder> AFolder)
{
    TbsItemEx& item = Add();
    item.Caption = ACaption;
    item.ImageIndex = AImageIndex;
    item.SelectedImageIndex = ASelectedIndex;
    item.Indent = AIndent;
    item.Data = std::move(AFolder);
    return item;
}

namespace {

// Keeps an update bracket of the items open for a scope.
class TItemsUpdate {
public:
    explicit TItemsUpdate(TbsItemsEx& items) : FItems(items) { FItems.BeginUpdate(); }
    ~TItemsUpdate() { FItems.EndUpdate(); }

private:
    TbsItemsEx& FItems;
};

}  // namespace

TbsCustomShellComboBox::TbsCustomShellComboBox(TComponent* AOwner) : TbsSkinCustomComboBox(AOwner)
{
    OnComboBoxDrawItem = [this](TCanvas& C, int Index, int, int, TRect TxtRect, TOwnerDrawState) {
        DrawFaceItem(C, Index, TxtRect);
    };
    // The drop-down list's rows: the skinned list paints the row, we add the
    // icon and the text indented by depth.
    OnListBoxDrawItem = [this](TCanvas& C, int Index, int, int, TRect TxtRect, TOwnerDrawState State) {
        DrawListItem(C, Index, TxtRect, State);
    };
}

TbsCustomShellComboBox::~TbsCustomShellComboBox()
{
    Destroying();
    if (FTreeView)
        FTreeView->FComboBox = nullptr;
    if (FListView)
        FListView->FComboBox = nullptr;
    FItemsEx.Clear();
    FRootFolder.reset();
}

// ------------------------------------------------------------ properties

std::string TbsCustomShellComboBox::Path()
{
    const int index = ItemIndex();
    return index >= 0 && index < FItemsEx.Count() ? FItemsEx[index].Data->PathName() : std::string();
}

void TbsCustomShellComboBox::SetPath(const std::string& Value)
{
    ShowFolderID(ParseDisplayName(Value));
}

void TbsCustomShellComboBox::SetRoot(const TRoot& Value)
{
    if (SameText(Value, FRoot))
        return;
    FOldRoot = FRoot;
    FRoot = Value;
    RebuildFromRoot();
}

void TbsCustomShellComboBox::SetObjectTypes(TShellObjectTypes Value)
{
    FObjectTypes = Value;
    RebuildFromRoot();
}

void TbsCustomShellComboBox::SetShellTreeView(TbsCustomShellTreeView* Value)
{
    if (Value == FTreeView)
        return;
    if (FTreeView)
        FTreeView->FComboBox = nullptr;
    LinkTreeView(Value);
    if (Value) {
        Value->SetRoot(FRoot);
        Value->FComboBox = this;
    }
}

void TbsCustomShellComboBox::SetShellListView(TbsCustomShellListView* Value)
{
    if (Value == FListView)
        return;
    if (FListView)
        FListView->FComboBox = nullptr;
    LinkListView(Value);
    if (Value) {
        Value->SetRoot(FRoot);
        Value->FComboBox = this;
    }
}

void TbsCustomShellComboBox::LinkTreeView(TbsCustomShellTreeView* Value)
{
    if (FTreeView)
        FTreeView->RemoveFreeNotification(this);
    FTreeView = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TbsCustomShellComboBox::LinkListView(TbsCustomShellListView* Value)
{
    if (FListView)
        FListView->RemoveFreeNotification(this);
    FListView = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TbsCustomShellComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinCustomComboBox::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (FTreeView && AComponent == FTreeView)
        FTreeView = nullptr;
    if (FListView && AComponent == FListView)
        FListView = nullptr;
}

// ------------------------------------------------------------ window

void TbsCustomShellComboBox::CreateWnd()
{
    TbsSkinCustomComboBox::CreateWnd();
    ApplyShellImages(FUseShellImages);
    if (FItemsEx.Count() == 0) {
        BuildItems();
        return;
    }
    const int index = ItemIndex();
    TItemsUpdate update(FItemsEx);
    CopyCaptions();
    if (index >= 0)
        SetItemIndex(index);
}

void TbsCustomShellComboBox::Loaded()
{
    TbsSkinCustomComboBox::Loaded();
    BuildItems();
}

void TbsCustomShellComboBox::ApplyShellImages(bool Value)
{
    FUseShellImages = Value;
    TImageList* images = Value ? ShellImageList(false) : nullptr;
    FImageWidth = images ? images->Width() : 16;
    FImageHeight = images ? images->Height() : 16;
    // Rows of the drop-down list fit an icon.
    SetListBoxDefaultItemHeight(std::max(ListBoxDefaultItemHeight(), FImageHeight + 2));
}

int TbsCustomShellComboBox::FolderIconIndex(const TbsShellFolder* Folder) const
{
    return FUseShellImages ? ShellIconIndex(Folder->AbsoluteID(), false, false) : -1;
}

// ------------------------------------------------------------ building

void TbsCustomShellComboBox::ReleaseItems()
{
    TItemsUpdate update(FItemsEx);
    FItemsEx.Clear();
    CopyCaptions();
}

void TbsCustomShellComboBox::CopyCaptions()
{
    TStrings& lines = Items();
    lines.BeginUpdate();
    lines.Clear();
    for (int i = 0; i < FItemsEx.Count(); ++i)
        lines.Add(FItemsEx[i].Caption);
    lines.EndUpdate();
}

void TbsCustomShellComboBox::BuildItems()
{
    if (ComponentState().Contains(csLoading))
        return;
    TItemsUpdate update(FItemsEx);
    ReleaseItems();
    ResolveRootFolder(FRootFolder, FOldRoot, FRoot);   // a failure restores Root and raises
    const TItemIDList& id = FRootFolder->AbsoluteID();
    auto sf = FRootFolder->ShellFolder() ? std::make_unique<TNamespaceFolder>(*FRootFolder->ShellFolder()) : nullptr;
    auto folder = std::make_unique<TbsShellFolder>(nullptr, id, std::move(sf));
    const int icon = FolderIconIndex(folder.get());
    const std::string caption = folder->DisplayName();
    FItemsEx.AddItem(caption, icon, icon, 0, std::move(folder));
    FillStandardItems();
    CopyCaptions();
    SetItemIndex(0);
}

void TbsCustomShellComboBox::FillStandardItems()
{
    TItemsUpdate update(FItemsEx);
    InsertChildItems(0, FItemsEx[0].Data.get());
    // Under the Desktop (written exactly so), Computer's drives come right below it.
    if (FRoot == "rfDesktop")
        if (const int i = FindItemByID(TItemIDList{{ComputerItem()}}); i >= 0)
            InsertChildItems(i, FItemsEx[i].Data.get());
}

void TbsCustomShellComboBox::InsertChildItems(int Index, TbsShellFolder* Folder)
{
    if (!Folder->ShellFolder())
        return;
    TItemsUpdate update(FItemsEx);
    // Already in the shell's order.
    const std::vector<TItemIDList> children = Folder->ShellFolder()->EnumObjects(FObjectTypes);
    for (size_t k = 0; k < children.size(); ++k)
        InsertFolderItem(Index + int(k) + 1, std::make_unique<TbsShellFolder>(
                                                 Folder, children[k], BindShellFolder(Folder->ShellFolder(), children[k])));
}

void TbsCustomShellComboBox::InsertFolderItem(int Index, std::unique_ptr<TbsShellFolder> Folder)
{
    TbsItemEx& item = FItemsEx.Insert(Index);
    item.Caption = Folder->DisplayName();
    item.Indent = Folder->Level();
    item.ImageIndex = FolderIconIndex(Folder.get());
    item.Data = std::move(Folder);
}

TbsShellFolder* TbsCustomShellComboBox::ItemFolder(int Index)
{
    if (FItemsEx.Count() == 0)
        return nullptr;
    return FItemsEx[std::clamp(Index, 0, FItemsEx.Count() - 1)].Data.get();
}

int TbsCustomShellComboBox::FindItemByID(const TItemIDList& AbsoluteID)
{
    for (int i = FItemsEx.Count() - 1; i >= 0; --i)
        if (FItemsEx[i].Data && IDListsEqual(FItemsEx[i].Data->AbsoluteID(), AbsoluteID))
            return i;
    return -1;
}

void TbsCustomShellComboBox::ShowFolderID(const TItemIDList& AbsoluteID)
{
    TItemsUpdate update(FItemsEx);
    BuildItems();
    const std::vector<TItemIDList> ancestors = IDListAncestors(AbsoluteID);
    int anchor = -1;
    size_t level = 0;
    for (size_t a = ancestors.size(); a-- > 0;)
        if (const int i = FindItemByID(ancestors[a]); i >= 0) {
            anchor = i;
            level = a;
            break;
        }
    int selected = FindItemByID(AbsoluteID);
    if (anchor >= 0 && selected < 0) {
        // The chain below the anchor, each one level deeper, then the folder itself.
        int i = anchor;
        std::vector<TItemIDList> chain(ancestors.begin() + long(level) + 1, ancestors.end());
        chain.push_back(AbsoluteID);
        for (const TItemIDList& link : chain) {
            TbsShellFolder* parent = FItemsEx[i].Data.get();
            const TItemIDList last = IDListLastItem(link);
            InsertFolderItem(i + 1, std::make_unique<TbsShellFolder>(parent, last,
                                                                     BindShellFolder(parent->ShellFolder(), last)));
            ++i;
        }
        selected = i;
    }
    CopyCaptions();
    SetItemIndex(selected >= 0 ? selected : 0);
}

void TbsCustomShellComboBox::RebuildFromRoot()
{
    FUpdating = true;
    try {
        ReleaseItems();
        BuildItems();
    } catch (...) {
        // Root is back to the old value: show that again.
        try {
            BuildItems();
        } catch (...) {
        }
        FUpdating = false;
        throw;
    }
    if (FTreeView)
        FTreeView->SetRoot(FRoot);
    if (FListView)
        FListView->SetRoot(FRoot);
    FUpdating = false;
}

// ------------------------------------------------------------ following

void TbsCustomShellComboBox::FollowFolder(const TItemIDList& AbsoluteID)
{
    if (FUpdating)
        return;
    const int index = ItemIndex();
    if (index >= 0 && index < FItemsEx.Count() && IDListsEqual(FItemsEx[index].Data->AbsoluteID(), AbsoluteID))
        return;
    FUpdating = true;
    try {
        ShowFolderID(AbsoluteID);
    } catch (...) {
        FUpdating = false;
        throw;
    }
    FUpdating = false;
}

// A choice from the list (or the keys) moves the linked tree and list once,
// then the box rebuilds itself around the chosen folder.
void TbsCustomShellComboBox::Change()
{
    if (FItemsEx.UpdateCount() > 0)
        return;
    TbsSkinCustomComboBox::Change();
    const int index = ItemIndex();
    if (index < 0 || index >= FItemsEx.Count() || FUpdating || IsPopupVisible())
        return;
    const TItemIDList id = FItemsEx[index].Data->AbsoluteID();
    FUpdating = true;
    try {
        if (FTreeView)
            FTreeView->SelectFolderID(id);
        if (FListView)
            FListView->FollowFolder(id);
        ShowFolderID(id);
    } catch (...) {
        FUpdating = false;
        throw;
    }
    FUpdating = false;
}

// ------------------------------------------------------------ drawing

void TbsCustomShellComboBox::DrawIconAndText(TCanvas& Cnvs, int Index, const TRect& R, int Indent, bool IconRoom)
{
    if (Index < 0 || Index >= FItemsEx.Count())
        return;
    int x = R.Left + Indent;
    if (TImageList* images = ShellImageList(false)) {
        if (FUseShellImages && FItemsEx[Index].ImageIndex >= 0)
            images->Draw(Cnvs, x, R.Top + (R.Bottom - R.Top - FImageHeight) / 2, FItemsEx[Index].ImageIndex);
        if (FUseShellImages || IconRoom)
            x += FImageWidth + 4;
    }
    Cnvs.Brush().SetStyle(bsClear);
    Cnvs.TextOut(x, R.Top + (R.Bottom - R.Top) / 2 - Cnvs.TextHeight("Wg") / 2, FItemsEx[Index].Caption);
}

void TbsCustomShellComboBox::DrawFaceItem(TCanvas& Cnvs, int Index, const TRect& TxtRect)
{
    // The closed box keeps the icon's room also without shell images.
    DrawIconAndText(Cnvs, Index, TxtRect, 0, true);
}

void TbsCustomShellComboBox::DrawListItem(TCanvas& Cnvs, int Index, const TRect& Rect, TOwnerDrawState State)
{
    (void)State;  // the skinned list has painted the row and chosen the font colour
    const bool images = FUseShellImages && ShellImageList(false);
    const int indent = images && Index >= 0 && Index < FItemsEx.Count() ? FItemsEx[Index].Indent * FImageWidth / 2 : 0;
    DrawIconAndText(Cnvs, Index, Rect, indent, false);
}
