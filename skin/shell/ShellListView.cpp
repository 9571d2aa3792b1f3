#include "skin/shell/ShellListView.h"

#include <algorithm>

#include "platform/core/FileMask.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Bitmap.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/ui/Keys.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/forms/BusyCursor.h"
#include "platform/ui/controls/Menus.h"
#include "skin/data/ResourceStrings.h"
#include "skin/shell/FolderWatch.h"
#include "skin/shell/ShellTreeView.h"

namespace {

// Whether an entry is a folder, from what its listing said (sorting must not
// read the file system for every comparison).
bool EntryIsFolder(const TbsShellFolder* entry)
{
    const TItemIDList& id = entry->RelativeID();
    return id.Empty() || id.Items.back().Kind != ikName || id.Items.back().Folder;
}

int Sign(int64_t v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

}  // namespace

TbsCustomShellListView::TbsCustomShellListView(TComponent* AOwner)
    : TbsSkinCustomListView(AOwner), FContextMenu(this, this, [this] { return SelectedFolder(); })
{
    SetOwnerData(true);
    SetHideSelection(false);
}

TbsCustomShellListView::~TbsCustomShellListView()
{
    Destroying();
    if (FTreeView)
        FTreeView->FListView = nullptr;
    if (FComboBox)
        FComboBox->LinkListView(nullptr);
    FRootFolder.reset();
    FFolders.clear();
}

// ------------------------------------------------------------ properties

std::string TbsCustomShellListView::Path() const
{
    return FRootFolder ? FRootFolder->PathName() : std::string();
}

void TbsCustomShellListView::SetPath(const std::string& Value)
{
    OpenFolderID(ParseDisplayName(Value));
}

void TbsCustomShellListView::SetRoot(const TRoot& Value)
{
    if (SameText(Value, FRoot))
        return;
    FOldRoot = FRoot;
    FRoot = Value;
    MakeRootFolder();   // on failure Root is back to the old value and the old folder stays
    FSettingRoot = true;
    ReloadFolder();
}

void TbsCustomShellListView::SetMask(const std::string& Value)
{
    if (Value == FMask)
        return;
    FMask = Value;
    ReloadFolder();
}

void TbsCustomShellListView::SetObjectTypes(TShellObjectTypes Value)
{
    FObjectTypes = Value;
    if (!ComponentState().Contains(csLoading))
        ReloadFolder();
}

void TbsCustomShellListView::SetSorted(bool Value)
{
    if (Value == FSorted)
        return;
    FSorted = Value;
    FillEntries();
}

void TbsCustomShellListView::SetAutoRefresh(bool Value)
{
    FAutoRefresh = Value;
    if (ComponentState().Contains(csLoading))
        return;
    RewatchFolder(this, FNotifier, Value, FRootFolder.get(), [this] { Refresh(); });
}

void TbsCustomShellListView::SetShellTreeView(TbsCustomShellTreeView* Value)
{
    if (Value == FTreeView)
        return;
    if (FTreeView) {
        FTreeView->FListView = nullptr;
        FTreeView->RemoveFreeNotification(this);
    }
    FTreeView = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->SetRoot(FRoot);
        Value->FListView = this;
    }
}

void TbsCustomShellListView::SetShellComboBox(IbsShellComboLink* Value)
{
    if (Value == FComboBox)
        return;
    if (FComboBox) {
        FComboBox->LinkListView(nullptr);
        FComboBox->LinkComponent()->RemoveFreeNotification(this);
    }
    FComboBox = Value;
    if (Value) {
        Value->LinkComponent()->FreeNotification(this);
        Value->SetRoot(FRoot);
        Value->LinkListView(this);
        if (FRootFolder)
            Value->FollowFolder(FRootFolder->AbsoluteID());
    }
}

void TbsCustomShellListView::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinCustomListView::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (FTreeView && AComponent == FTreeView)
        FTreeView = nullptr;
    if (FComboBox && AComponent == FComboBox->LinkComponent())
        FComboBox = nullptr;
    if (AComponent == FNotifier)
        FNotifier = nullptr;
}

void TbsCustomShellListView::SetViewStyle(TViewStyle Value)
{
    TbsSkinCustomListView::SetViewStyle(Value);
    if (Value == vsReport)
        BuildColumns();
    if (HandleAllocated())
        UpDateScrollBars();
}

// ------------------------------------------------------------ window

void TbsCustomShellListView::CreateWnd()
{
    TbsSkinCustomListView::CreateWnd();
    SetSmallImages(ShellImageList(false));
    SetLargeImages(ShellImageList(true));
    // A folder opened before the window existed stays open.
    if (!FRootFolder)
        MakeRootFolder();
    ReloadFolder();
}

void TbsCustomShellListView::DestroyWnd()
{
    ReleaseEntries();
    TbsSkinCustomListView::DestroyWnd();
}

void TbsCustomShellListView::Loaded()
{
    TbsSkinCustomListView::Loaded();
    FillEntries();
    SetAutoRefresh(FAutoRefresh);
}

void TbsCustomShellListView::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_CONTEXTMENU && FAutoContext && SelectedFolder()) {
        FContextMenu.ShowForMessage(Message.LParam);
        Message.Result = 1;
        return;
    }
    TbsSkinCustomListView::WndProc(Message);
}

// ------------------------------------------------------------ folders

void TbsCustomShellListView::MakeRootFolder()
{
    ResolveRootFolder(FRootFolder, FOldRoot, FRoot);
}

void TbsCustomShellListView::OpenFolderID(const TItemIDList& AbsoluteID)
{
    if (FUpdating)
        return;
    if (FRootFolder && IDListsEqual(FRootFolder->AbsoluteID(), AbsoluteID))
        return;
    auto folder = FolderFromIDList(AbsoluteID);   // raises before anything changes
    ReleaseEntries();
    FRootFolder = std::move(folder);
    FSettingRoot = false;
    ReloadFolder();
    if (OnPathChanged)
        OnPathChanged(this);
}

void TbsCustomShellListView::FollowFolder(const TItemIDList& AbsoluteID)
{
    if (FUpdating)
        return;
    OpenFolderID(AbsoluteID);
}

void TbsCustomShellListView::Back()
{
    if (!FRootFolder || FRootFolder->AbsoluteID().Empty())
        return;   // the Desktop has no parent
    TItemIDList parent = FRootFolder->AbsoluteID();
    IDListStripLast(parent);
    OpenFolderID(parent);
}

void TbsCustomShellListView::Refresh()
{
    const int index = ItemIndex();
    ClearSelection();
    TItemIDList id = FRootFolder ? FRootFolder->AbsoluteID() : TItemIDList{};
    ReleaseEntries();
    FRootFolder.reset();
    // A folder that went away gives way to its nearest existing parent.
    for (;;) {
        try {
            OpenFolderID(id);
            break;
        } catch (const EInvalidPath&) {
            if (id.Empty())
                throw;
            IDListStripLast(id);
        }
    }
    if (index >= 0 && index < EntryCount())
        SetItemIndex(index);
}

void TbsCustomShellListView::ReloadFolder()
{
    if (FUpdating)
        return;
    FUpdating = true;
    const bool autoRefresh = FAutoRefresh;
    try {
        SetAutoRefresh(false);
        SyncLinkedViews();
        FillEntries();
        if (ViewStyle() == vsReport)
            BuildColumns();
        SetAutoRefresh(autoRefresh);
    } catch (...) {
        FAutoRefresh = autoRefresh;
        FUpdating = false;
        throw;
    }
    FUpdating = false;
}

void TbsCustomShellListView::SyncLinkedViews()
{
    if (FSettingRoot) {
        if (FTreeView)
            FTreeView->SetRoot(FRoot);
    } else if (FRootFolder) {
        if (FTreeView)
            FTreeView->SelectFolderID(FRootFolder->AbsoluteID());
        if (FComboBox)
            FComboBox->FollowFolder(FRootFolder->AbsoluteID());
    }
    FSettingRoot = false;
}

// ------------------------------------------------------------ entries

bool TbsCustomShellListView::MaskAccepts(const TbsShellFolder* Entry) const
{
    const std::string name = ExtractFileName(Entry->FullObjectName());
    size_t start = 0;
    for (;;) {
        const size_t end = FMask.find_first_of(";|", start);
        const std::string pattern = Trim(FMask.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (pattern == "*" || (!name.empty() && pattern.find('.') != std::string::npos && MatchesMask(name, pattern)))
            return true;
        if (end == std::string::npos)
            return false;
        start = end + 1;
    }
}

void TbsCustomShellListView::FillEntries()
{
    if (ComponentState().Contains(csLoading) && !HandleAllocated())
        return;
    TBusyCursor busy;
    Items().BeginUpdate();
    ReleaseEntries();
    std::vector<TItemIDList> children;
    if (FRootFolder && FRootFolder->ShellFolder()) {
        try {
            children = FRootFolder->ShellFolder()->EnumObjects(FObjectTypes);
        } catch (const Exception&) {
            children.clear();   // an unreadable folder shows empty
        }
    }
    for (const TItemIDList& child : children) {
        auto entry = std::make_unique<TbsShellFolder>(FRootFolder.get(), child,
                                                      BindShellFolder(FRootFolder->ShellFolder(), child));
        bool canAdd = EntryIsFolder(entry.get()) || MaskAccepts(entry.get());
        if (OnAddFolder)
            OnAddFolder(this, entry.get(), canAdd);
        if (canAdd)
            FFolders.push_back(std::move(entry));
    }
    if (FSorted)
        SortEntries(false);   // every fill returns to the default order
    Items().SetCount(int(FFolders.size()));
    Items().EndUpdate();
    Invalidate();
    if (HandleAllocated())
        UpDateScrollBars();
}

void TbsCustomShellListView::ReleaseEntries()
{
    if (!ComponentState().Contains(csDestroying))
        Items().SetCount(0);
    FFolders.clear();
}

// Folders before files, then the shell's order; by column, the column's
// values (sizes and times as numbers); descending flips every result, so
// files come before folders then.
void TbsCustomShellListView::SortEntries(bool ByColumn)
{
    const int column = FSortColumn;
    const bool descending = FSortDirection;
    if (ByColumn)
        for (auto& e : FFolders)
            e->LoadColumnDetails(FRootFolder.get(), 4);
    auto compare = [&](const std::unique_ptr<TbsShellFolder>& a, const std::unique_ptr<TbsShellFolder>& b) {
        const bool fa = EntryIsFolder(a.get()), fb = EntryIsFolder(b.get());
        int r = fa != fb ? (fa ? -1 : 1) : a->ParentShellFolder().CompareIDs(a->RelativeID(), b->RelativeID());
        if (!ByColumn)
            return r < 0;
        if (fa == fb) {
            switch (column) {
            case 0: {
                const int byName = CompareText(a->DisplayName(), b->DisplayName());
                r = byName != 0 ? byName : r;
                break;
            }
            // Ties keep the shell's order, so that a sort is the same every time.
            case 1:
                if (!fa && a->FindData().Size != b->FindData().Size)
                    r = Sign(a->FindData().Size - b->FindData().Size);
                break;
            case 2:
                if (const int byType = CompareText(a->DetailText(2), b->DetailText(2)); byType != 0)
                    r = byType;
                break;
            case 3:
                if (a->FindData().Modified != b->FindData().Modified)
                    r = a->FindData().Modified < b->FindData().Modified ? -1 : 1;
                break;
            default:
                break;
            }
        }
        return (descending ? -r : r) < 0;
    };
    std::stable_sort(FFolders.begin(), FFolders.end(), compare);
}

void TbsCustomShellListView::ColumnClick(TListColumn* Column)
{
    TbsSkinCustomListView::ColumnClick(Column);
    const int index = Column ? Column->Index() : 0;
    if (Columns().Count() < 4 && index != 0)
        return;
    FOldSortColumn = FSortColumn;
    FSortColumn = index;
    FSortDirection = FOldSortColumn == FSortColumn && FSortColumn != -1 ? !FSortDirection : false;
    Items().BeginUpdate();
    SortEntries(true);
    Items().EndUpdate();
    UpdateItems(0, EntryCount() - 1);
    Invalidate();
}

TbsShellFolder* TbsCustomShellListView::EntryFolder(int Index) const
{
    if (FFolders.empty())
        return nullptr;
    return Index >= 0 && Index < EntryCount() ? FFolders[size_t(Index)].get() : nullptr;
}

TbsShellFolder* TbsCustomShellListView::SelectedFolder() const
{
    return EntryFolder(ItemIndex());
}

std::string TbsCustomShellListView::GetSelectedFile() const
{
    TbsShellFolder* entry = SelectedFolder();
    return entry && !EntryIsFolder(entry) ? entry->FullObjectName() : std::string();
}

void TbsCustomShellListView::GetSelectedFiles(TStrings& AFiles) const
{
    AFiles.Clear();
    TListItem* item = GetNextItem(nullptr, sdAll, TItemStates{isSelected});
    while (item) {
        const int index = item->Index();
        if (TbsShellFolder* entry = EntryFolder(index); entry && !EntryIsFolder(entry))
            AFiles.Add(entry->FullObjectName());
        item = GetNextItem(item, sdAll, TItemStates{isSelected});
        if (item && item->Index() <= index)
            break;
    }
}

// ------------------------------------------------------------ owner data

bool TbsCustomShellListView::OwnerDataFetch(TListItem* Item, TItemRequest /*Request*/)
{
    TbsShellFolder* entry = EntryFolder(Item->Index());
    if (!entry)
        return true;
    Item->SetCaption(entry->DisplayName());
    Item->SetImageIndex(entry->ImageIndex(ViewStyle() == vsIcon));
    if (ViewStyle() == vsReport) {
        // Never raises: a vanished item shows empty details.
        entry->LoadColumnDetails(FRootFolder.get(), Columns().Count());
        Item->SubItems().Clear();
        for (int c = 1; c < Columns().Count(); ++c)
            Item->SubItems().Add(c <= 3 ? entry->DetailText(c) : std::string());
    }
    return true;
}

int TbsCustomShellListView::OwnerDataFind(TItemFind Find, const std::string& FindString, const TPoint&, void*,
                                          int StartIndex, TSearchDirection, bool Wrap)
{
    if ((Find != ifPartialString && Find != ifExactString) || StartIndex == -1 || FFolders.empty())
        return -1;
    const std::string prefix = UpperCase(FindString);
    const int count = EntryCount();
    const int start = std::clamp(StartIndex, 0, count - 1);
    for (int step = 0; step < count; ++step) {
        const int i = start + step;
        if (i >= count && !Wrap)
            return -1;
        const int index = i % count;
        if (UpperCase(FFolders[size_t(index)]->DisplayName()).rfind(prefix, 0) == 0)
            return index;
    }
    return -1;
}

// ------------------------------------------------------------ columns

void TbsCustomShellListView::BuildColumns()
{
    if (!FRootFolder || !FRootFolder->ShellFolder())
        return;
    Columns().BeginUpdate();
    Columns().Clear();
    AddFallbackColumns(FRootFolder->Properties().Contains(fpFileSystem) ? 4 : 1);
    Columns().EndUpdate();
}

void TbsCustomShellListView::AddFallbackColumns(int Count)
{
    // Each detail column is as wide as the longest of its usual texts (a
    // size, a media file's or a disk's type, a date and time) or its caption.
    struct TColumnText {
        const char* Key;
        TAlignment Alignment;
        std::initializer_list<const char*> Samples;
    };
    static const TColumnText columns[] = {
        {"FLV_NAME", taLeftJustify, {"XXXXXXXXXXXXXXXXXXXXXXXXX"}},
        {"FLV_SIZE", taRightJustify, {"9,999,999 KB"}},
        {"FLV_TYPE", taLeftJustify, {"MPEG 文件", "WEBM 文件", "FLAC 文件", "系统文件夹", "可移动磁盘", "网络驱动器"}},
        {"FLV_MODIFIED", taLeftJustify, {"2026-12-31 23:59"}},
    };
    constexpr int Padding = 16;   // the cell's inner margins and a little air
    TBitmap measure(1, 1);
    measure.Canvas()->Font().Assign(Font());
    for (int i = 0; i < Count && i < 4; ++i) {
        TListColumn* c = Columns().Add();
        c->SetCaption(SkinResStr(SkinData(), columns[i].Key));
        c->SetAlignment(columns[i].Alignment);
        int width = measure.Canvas()->TextWidth(c->Caption());
        for (const char* sample : columns[i].Samples)
            width = std::max(width, measure.Canvas()->TextWidth(sample));
        c->SetWidth(width + Padding);
    }
}

// ------------------------------------------------------------ keys, mouse, editing

void TbsCustomShellListView::KeyDown(WORD& Key, TShiftState Shift)
{
    TbsSkinCustomListView::KeyDown(Key, Shift);
    if (!FAutoNavigate)
        return;
    switch (Key) {
    case VK_BACK:
        if (!IsEditing())
            Back();
        break;
    case VK_RETURN:
        if (Shift.Contains(ssAlt)) {
            InvokeShellVerb(SelectedFolder(), "properties");
            Key = 0;
        } else if (TbsShellFolder* entry = SelectedFolder(); entry && EntryIsFolder(entry)) {
            const TItemIDList id = entry->AbsoluteID();
            OpenFolderID(id);
        }
        break;
    case VK_F5:
        Refresh();
        break;
    default:
        break;
    }
}

void TbsCustomShellListView::DblClick()
{
    if (FAutoNavigate)
        if (TbsShellFolder* entry = SelectedFolder(); entry && EntryIsFolder(entry)) {
            const TItemIDList id = entry->AbsoluteID();
            OpenFolderID(id);
        }
    TbsSkinCustomListView::DblClick();
}

void TbsCustomShellListView::StartLabelEdit()
{
    if (ItemIndex() >= 0)
        Perform(LVM_EDITLABEL, WPARAM(ItemIndex()), 0);
}

void TbsCustomShellListView::Edit(int ItemIndex, const std::string* NewText)
{
    TbsShellFolder* entry = EntryFolder(ItemIndex);
    if (!entry || !NewText)
        return;
    entry->Rename(*NewText);   // a refusal raises "Rename to ... failed" and keeps the name
    UpdateItems(ItemIndex, ItemIndex);
    if (FTreeView && FTreeView->Selected())
        FTreeView->Refresh(FTreeView->Selected());
}

void TbsCustomShellListView::ExecuteCommand(const std::string& Verb, bool& Handled)
{
    if (SameText(Verb, "rename")) {
        StartLabelEdit();
        Handled = true;
    }
}

void TbsCustomShellListView::CommandCompleted(const std::string& /*Verb*/, bool /*Succeeded*/)
{
    // Open and rename change nothing the list shows; nothing here deletes or pastes.
}
