#include "skin/shell/ShellTreeView.h"

#include "platform/core/SysUtils.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTexts.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/forms/BusyCursor.h"
#include "skin/shell/FolderWatch.h"
#include "skin/shell/ShellListView.h"

TbsCustomShellTreeView::TbsCustomShellTreeView(TComponent* AOwner)
    : TbsSkinCustomTreeView(AOwner), FContextMenu(this, this, [this] { return SelectedFolder(); })
{
    SetShowRoot(false);
    SetRightClickSelect(true);
    // No handler yet, so no thread: it starts with AutoRefresh.
    FNotifier = new TbsShellChangeNotifier(this);
}

TbsCustomShellTreeView::~TbsCustomShellTreeView()
{
    Destroying();
    if (FListView)
        FListView->FTreeView = nullptr;
    if (FComboBox)
        FComboBox->LinkTreeView(nullptr);
    ReleaseNodes();
}

// ------------------------------------------------------------ properties

std::string TbsCustomShellTreeView::Path() const
{
    TbsShellFolder* folder = SelectedFolder();
    return folder ? folder->PathName() : std::string();
}

void TbsCustomShellTreeView::SetPath(const std::string& Value)
{
    FPath = Value;
    const TItemIDList id = ParseDisplayName(Value);   // EInvalidPath for a text that is no path
    SelectFolderID(id);
    if (TTreeNode* node = Selected()) {
        node->Expand(false);
        CanChange(node);
    }
    FPath = Value;
}

void TbsCustomShellTreeView::SetRoot(const TRoot& Value)
{
    if (SameText(Value, FRoot))
        return;
    FOldRoot = FRoot;
    FRoot = Value;
    ReloadRoot();
}

void TbsCustomShellTreeView::SetObjectTypes(TShellObjectTypes Value)
{
    FObjectTypes = Value;
    ReloadRoot();
}

TImageList* TbsCustomShellTreeView::ShownImages() const
{
    if (FImages)
        return FImages;
    return FUseShellImages ? ShellImageList(false) : nullptr;
}

void TbsCustomShellTreeView::SetUseShellImages(bool Value)
{
    FUseShellImages = Value;
    Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, LPARAM(FImages));
}

void TbsCustomShellTreeView::SetAutoRefresh(bool Value)
{
    FAutoRefresh = Value;
    if (ComponentState().Contains(csLoading))
        return;
    RewatchFolder(this, FNotifier, Value, FNodeToMonitor ? FolderOf(FNodeToMonitor) : FRootFolder.get(),
                  [this] { RefreshSelectedNode(); });
}

void TbsCustomShellTreeView::SetShellListView(TbsCustomShellListView* Value)
{
    if (Value == FListView)
        return;
    if (FListView) {
        FListView->FTreeView = nullptr;
        FListView->RemoveFreeNotification(this);
    }
    FListView = Value;
    if (Value) {
        Value->FTreeView = this;
        Value->FreeNotification(this);
        Value->SetRoot(FRoot);
    }
}

void TbsCustomShellTreeView::SetShellComboBox(IbsShellComboLink* Value)
{
    if (Value == FComboBox)
        return;
    if (FComboBox) {
        FComboBox->LinkTreeView(nullptr);
        FComboBox->LinkComponent()->RemoveFreeNotification(this);
    }
    FComboBox = Value;
    if (Value) {
        Value->LinkTreeView(this);
        Value->LinkComponent()->FreeNotification(this);
        Value->SetRoot(FRoot);
    }
}

void TbsCustomShellTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinCustomTreeView::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (FListView && AComponent == FListView)
        FListView = nullptr;
    if (FComboBox && AComponent == FComboBox->LinkComponent())
        FComboBox = nullptr;
    if (FImages && AComponent == FImages)
        FImages = nullptr;
    if (AComponent == FNotifier)
        FNotifier = nullptr;
}

// ------------------------------------------------------------ window

void TbsCustomShellTreeView::CreateWnd()
{
    TbsSkinCustomTreeView::CreateWnd();
    ReleaseNodes();
    SetUseShellImages(FUseShellImages);
    if (!FLoadingRoot) {
        BuildRootNode();
        if (!FPath.empty())
            SetPath(FPath);
    }
}

void TbsCustomShellTreeView::DestroyWnd()
{
    ReleaseNodes();
    TbsSkinCustomTreeView::DestroyWnd();
}

void TbsCustomShellTreeView::Loaded()
{
    TbsSkinCustomTreeView::Loaded();
    BuildRootNode();
}

void TbsCustomShellTreeView::WndProc(TMessage& Message)
{
    // Whatever list is offered, the tree shows the user's list or the namespace's.
    if (Message.Msg == TVM_SETIMAGELIST && Message.WParam == WPARAM(TVSIL_NORMAL) && !FImageListChanging) {
        TImageList* offered = reinterpret_cast<TImageList*>(Message.LParam);
        if (offered != ShellImageList(false)) {
            if (FImages)
                FImages->RemoveFreeNotification(this);
            FImages = offered;
            if (FImages)
                FImages->FreeNotification(this);
        }
        FImageListChanging = true;
        Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, LPARAM(ShownImages()));
        FImageListChanging = false;
        Message.Result = 0;
        return;
    }
    if (Message.Msg == WM_CONTEXTMENU && FAutoContext && (!PopupMenu() || !PopupMenu()->AutoPopup())) {
        FContextMenu.ShowForMessage(Message.LParam);
        Message.Result = 1;
        return;
    }
    TbsSkinCustomTreeView::WndProc(Message);
}

// ------------------------------------------------------------ root

void TbsCustomShellTreeView::BuildRootNode()
{
    if (ComponentState().Contains(csLoading))
        return;
    std::string failure;
    try {
        ResolveRootFolder(FRootFolder, FOldRoot, FRoot);
    } catch (const Exception& e) {
        failure = e.Message();
    }
    if (FRootFolder) {
        FLoadingRoot = true;
        ReleaseNodes();
        const TItemIDList& id = FRootFolder->AbsoluteID();
        auto sf = FRootFolder->ShellFolder() ? std::make_unique<TNamespaceFolder>(*FRootFolder->ShellFolder())
                                             : nullptr;
        auto* folder = new TbsShellFolder(nullptr, id, std::move(sf));
        TTreeNode* node = Items().AddObject(nullptr, ShellNameOf(id, snNormal), folder);
        SetNodeIcons(node, folder);
        node->SetHasChildren(folder->SubFolders());
        node->Expand(false);
        node->SetSelected(true);
        FLoadingRoot = false;
    }
    if (!failure.empty())
        throw Exception(failure);
}

void TbsCustomShellTreeView::ReloadRoot()
{
    if (FUpdating)
        return;
    FUpdating = true;
    try {
        BuildRootNode();
    } catch (...) {
        FUpdating = false;
        throw;
    }
    if (FListView)
        FListView->SetRoot(FRoot);
    FUpdating = false;
}

void TbsCustomShellTreeView::SetNodeIcons(TTreeNode* Node, TbsShellFolder* Folder)
{
    if (!FUseShellImages || FImages)
        return;
    Node->SetImageIndex(ShellIconIndex(Folder->AbsoluteID(), false, false));
    Node->SetSelectedIndex(ShellIconIndex(Folder->AbsoluteID(), false, true));
}

// ------------------------------------------------------------ lazy loading

bool TbsCustomShellTreeView::CanExpand(TTreeNode* Node)
{
    bool answer = TbsSkinCustomTreeView::CanExpand(Node);
    TbsShellFolder* folder = FolderOf(Node);
    if (answer && folder) {
        // A file node (with otNonFolders) is never run from here: it just has nothing to show.
        if (folder->IsFolder() && Node->HasChildren() && Node->Count() == 0)
            LoadChildren(Node);
    }
    Node->SetHasChildren(Node->Count() > 0);
    return answer;
}

void TbsCustomShellTreeView::LoadChildren(TTreeNode* Node)
{
    TbsShellFolder* folder = FolderOf(Node);
    if (!folder || !folder->ShellFolder())
        return;
    TBusyCursor busy;
    std::vector<TItemIDList> children;
    try {
        // Already in the shell's order.
        children = folder->ShellFolder()->EnumObjects(FObjectTypes);
    } catch (const Exception&) {
        return;   // an unreadable folder just has no children
    }
    Items().BeginUpdate();
    try {
        for (const TItemIDList& child : children)
            SetUpNode(Items().AddChild(Node, ""), child, Node);
    } catch (...) {
        Items().EndUpdate();
        throw;
    }
    Items().EndUpdate();
}

void TbsCustomShellTreeView::SetUpNode(TTreeNode* Node, const TItemIDList& Relative, TTreeNode* ParentNode)
{
    TbsShellFolder* parent = FolderOf(ParentNode);
    auto* folder = new TbsShellFolder(parent, Relative, BindShellFolder(parent->ShellFolder(), Relative));
    Node->SetData(folder);
    Node->SetText(folder->DisplayName());
    SetNodeIcons(Node, folder);
    if (FObjectTypes.Contains(otNonFolders) && folder->ShellFolder())
        Node->SetHasChildren(FolderHasItems(folder->ShellFolder(), FObjectTypes));
    else
        Node->SetHasChildren(folder->SubFolders());
    bool canAdd = true;
    if (OnAddFolder)
        OnAddFolder(this, folder, canAdd);
    if (!canAdd)
        Node->Delete();
}

// ------------------------------------------------------------ selection

TbsShellFolder* TbsCustomShellTreeView::SelectedFolder() const
{
    return FolderOf(Selected());
}

TbsShellFolder* TbsCustomShellTreeView::NodeFolder(int Index)
{
    if (Items().Count() == 0)
        return nullptr;
    return FolderOf(Items().Item(Index));
}

TTreeNode* TbsCustomShellTreeView::FindNodeByID(const TItemIDList& AbsoluteID, TTreeNode* StartNode)
{
    if (!StartNode)
        return nullptr;
    const int level = StartNode->Level();
    for (TTreeNode* node = StartNode; node; node = node->GetNext()) {
        if (node != StartNode && node->Level() <= level)
            break;
        if (TbsShellFolder* folder = FolderOf(node); folder && IDListsEqual(folder->AbsoluteID(), AbsoluteID))
            return node;
    }
    return nullptr;
}

void TbsCustomShellTreeView::SelectFolderID(const TItemIDList& AbsoluteID)
{
    if (ComponentState().Contains(csLoading))
        return;
    if (TbsShellFolder* shown = SelectedFolder(); shown && IDListsEqual(shown->AbsoluteID(), AbsoluteID))
        return;
    FUpdating = true;
    Items().BeginUpdate();
    try {
        TTreeNode* current = Items().GetFirstNode();
        for (const TItemIDList& ancestor : IDListAncestors(AbsoluteID))
            if (TTreeNode* found = FindNodeByID(ancestor, current)) {
                current = found;
                current->Expand(false);
            }
        if (TTreeNode* node = FindNodeByID(AbsoluteID, current)) {
            node->SetSelected(true);
            node->MakeVisible();
            if (FListView)
                FListView->FollowFolder(AbsoluteID);
            if (FComboBox)
                FComboBox->FollowFolder(AbsoluteID);
        }
    } catch (...) {
        Items().EndUpdate();
        FUpdating = false;
        throw;
    }
    Items().EndUpdate();
    FUpdating = false;
}

void TbsCustomShellTreeView::ExpandMyComputer()
{
    SelectFolderID(TItemIDList{{ComputerItem()}});
    if (TTreeNode* node = Selected())
        node->Expand(false);
}

bool TbsCustomShellTreeView::CanChange(TTreeNode* Node)
{
    const bool answer = TbsSkinCustomTreeView::CanChange(Node);
    if (!answer || FUpdating || !Node)
        return answer;
    const bool autoRefresh = FAutoRefresh;
    FAutoRefresh = false;
    TbsShellFolder* target = FolderOf(Node);
    if (target && !target->IsFolder() && target->Parent())
        target = target->Parent();
    if (target) {
        const TItemIDList id = target->AbsoluteID();
        FUpdating = true;
        try {
            if (FComboBox)
                FComboBox->FollowFolder(id);
            if (FListView)
                FListView->FollowFolder(id);
        } catch (...) {
            FUpdating = false;
            throw;
        }
        FUpdating = false;
    }
    FNodeToMonitor = Node;
    SetAutoRefresh(autoRefresh);
    FNodeToMonitor = nullptr;
    return answer;
}

// ------------------------------------------------------------ refresh

void TbsCustomShellTreeView::Refresh(TTreeNode* Node)
{
    TbsShellFolder* old = FolderOf(Node);
    if (!old || !old->ShellFolder())
        return;
    const bool hadTop = TopItem() && FolderOf(TopItem());
    const TItemIDList topID = hadTop ? FolderOf(TopItem())->AbsoluteID() : TItemIDList{};
    const bool hadSelected = SelectedFolder() != nullptr;
    const TItemIDList selectedID = hadSelected ? SelectedFolder()->AbsoluteID() : TItemIDList{};

    FUpdating = true;
    Items().BeginUpdate();
    try {
        TbsShellFolder* parentFolder = FolderOf(Node->Parent());
        auto* folder = new TbsShellFolder(parentFolder, old->RelativeID(),
                                          std::make_unique<TNamespaceFolder>(*old->ShellFolder()));
        TTreeNode* fresh = Items().InsertObject(Node, Node->Parent() ? folder->DisplayName() : Node->Text(), folder);
        fresh->SetHasChildren(true);
        LoadChildren(fresh);
        SetNodeIcons(fresh, folder);
        fresh->SetHasChildren(fresh->Count() > 0 || folder->SubFolders());
        // Expand again what was expanded.
        const int level = Node->Level();
        for (TTreeNode* n = Node; n; n = n->GetNext()) {
            if (n != Node && n->Level() <= level)
                break;
            if (n->Expanded())
                if (TTreeNode* counterpart = FindNodeByID(FolderOf(n)->AbsoluteID(), fresh))
                    counterpart->Expand(false);
        }
        Node->Delete();
    } catch (...) {
        Items().EndUpdate();
        FUpdating = false;
        throw;
    }
    Items().EndUpdate();
    FUpdating = false;
    if (hadSelected)
        if (TTreeNode* n = FindNodeByID(selectedID, Items().GetFirstNode()))
            n->SetSelected(true);
    if (hadTop)
        if (TTreeNode* n = FindNodeByID(topID, Items().GetFirstNode()))
            SetTopItem(n);
}

void TbsCustomShellTreeView::RefreshSelectedNode()
{
    if (TTreeNode* node = Selected())
        Refresh(node);
}

// ------------------------------------------------------------ editing, deletion, images

void TbsCustomShellTreeView::Edit(TTreeNode* Node, const std::string* NewText)
{
    if (!NewText || !Node)
        return;
    std::string text = *NewText;
    if (OnEdited)
        OnEdited(this, Node, text);
    TbsShellFolder* folder = FolderOf(Node);
    if (folder && folder->Rename(text))   // a refusal raises and keeps the text
        Node->SetText(text);
    if (Node->Parent())
        Refresh(Node->Parent());
}

void TbsCustomShellTreeView::Delete(TTreeNode* Node)
{
    delete FolderOf(Node);
    Node->SetData(nullptr);
    if (Node == FNodeToMonitor)
        FNodeToMonitor = nullptr;
    TbsSkinCustomTreeView::Delete(Node);
}

void TbsCustomShellTreeView::ReleaseNodes()
{
    // Freed here, not in Delete(), which the tree skips while it is destroyed.
    for (TTreeNode* node = Items().GetFirstNode(); node; node = node->GetNext()) {
        delete FolderOf(node);
        node->SetData(nullptr);
    }
    Items().BeginUpdate();
    Items().Clear();
    Items().EndUpdate();
}

void TbsCustomShellTreeView::GetImageIndex(TTreeNode* Node)
{
    if (FImages)
        TbsSkinCustomTreeView::GetImageIndex(Node);
}

void TbsCustomShellTreeView::GetSelectedIndex(TTreeNode* Node)
{
    if (FImages)
        TbsSkinCustomTreeView::GetSelectedIndex(Node);
}

// ------------------------------------------------------------ verbs

void TbsCustomShellTreeView::ExecuteCommand(const std::string& Verb, bool& Handled)
{
    if (SameText(Verb, "rename") && Selected()) {
        Selected()->EditText();
        Handled = true;
    }
}

void TbsCustomShellTreeView::CommandCompleted(const std::string& /*Verb*/, bool /*Succeeded*/)
{
    // Open and rename leave the tree as it is; nothing here deletes or pastes.
}
