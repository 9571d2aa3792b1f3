#include <algorithm>
#include "platform/core/Exception.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/TreeView.h"

// ------------------------------------------------------------------ a node

TTreeNode::~TTreeNode() = default;

TCustomTreeView* TTreeNode::TreeView() const
{
    return FOwner->Owner();
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNode::Siblings() const
{
    return FOwner->ListOf(FParent);
}

void TTreeNode::Changed()
{
    TreeView()->NodeChanged(this);
}

void TTreeNode::SetText(const std::string& v)
{
    FText = v;
    Changed();
}

void TTreeNode::SetImageIndex(int v)
{
    FImageIndex = v;
    Changed();
}

void TTreeNode::SetSelectedIndex(int v)
{
    FSelectedIndex = v;
    Changed();
}

void TTreeNode::SetStateIndex(int v)
{
    FStateIndex = v;
    Changed();
}

void TTreeNode::SetHasChildren(bool v)
{
    FHasChildren = v;
    Changed();
}

void TTreeNode::SetExpanded(bool v)
{
    if (v)
        Expand(false);
    else
        Collapse(false);
}

void TTreeNode::Expand(bool recurse)
{
    TreeView()->DoExpand(this, true);
    if (recurse)
        for (size_t i = 0; i < FChildren.size(); ++i)
            FChildren[i]->Expand(true);
}

void TTreeNode::Collapse(bool recurse)
{
    if (recurse)
        for (auto& c : FChildren)
            c->Collapse(true);
    TreeView()->DoExpand(this, false);
}

bool TTreeNode::Selected() const
{
    return TreeView()->Selected() == this;
}

void TTreeNode::SetSelected(bool v)
{
    if (v)
        TreeView()->SetSelected(this);
    else if (Selected())
        TreeView()->SetSelected(nullptr);
}

bool TTreeNode::IsVisible() const
{
    for (TTreeNode* p = FParent; p; p = p->FParent)
        if (!p->FExpanded)
            return false;
    return true;
}

int TTreeNode::Level() const
{
    int level = 0;
    for (TTreeNode* p = FParent; p; p = p->FParent)
        ++level;
    return level;
}

TTreeNode* TTreeNode::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("Tree node index out of bounds (" + std::to_string(index) + ")");
    return FChildren[size_t(index)].get();
}

int TTreeNode::Index() const
{
    const auto& list = Siblings();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == this)
            return int(i);
    return -1;
}

int TTreeNode::AbsoluteIndex() const
{
    int n = 0;
    for (TTreeNode* p = FOwner->GetFirstNode(); p && p != this; p = p->GetNext())
        ++n;
    return n;
}

TTreeNode* TTreeNode::GetNextSibling() const
{
    const auto& list = Siblings();
    int i = Index();
    return i >= 0 && i + 1 < int(list.size()) ? list[size_t(i + 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
    const auto& list = Siblings();
    int i = Index();
    return i > 0 ? list[size_t(i - 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const
{
    if (!FChildren.empty())
        return FChildren.front().get();
    for (const TTreeNode* n = this; n; n = n->FParent)
        if (TTreeNode* s = n->GetNextSibling())
            return s;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const
{
    TTreeNode* s = GetPrevSibling();
    if (!s)
        return FParent;
    while (!s->FChildren.empty())
        s = s->FChildren.back().get();
    return s;
}

TTreeNode* TTreeNode::GetNextVisible() const
{
    if (FExpanded && !FChildren.empty())
        return FChildren.front().get();
    for (const TTreeNode* n = this; n; n = n->FParent)
        if (TTreeNode* s = n->GetNextSibling())
            return s;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const
{
    TTreeNode* s = GetPrevSibling();
    if (!s)
        return FParent;
    while (s->FExpanded && !s->FChildren.empty())
        s = s->FChildren.back().get();
    return s;
}

bool TTreeNode::HasAsParent(const TTreeNode* node) const
{
    for (TTreeNode* p = FParent; p; p = p->FParent)
        if (p == node)
            return true;
    return false;
}

TRect TTreeNode::DisplayRect(bool textOnly) const
{
    TVITEMRECT r;
    r.hItem = const_cast<TTreeNode*>(this);
    if (!SendMessage(TreeView()->Handle(), TVM_GETITEMRECT, textOnly ? 1 : 0, LPARAM(&r)))
        return TRect{};
    return r.rc;
}

bool TTreeNode::EditText()
{
    return TreeView()->Perform(TVM_EDITLABEL, 0, LPARAM(this)) != 0;
}

void TTreeNode::EndEdit(bool cancel)
{
    TreeView()->Perform(TVM_ENDEDITLABELNOW, cancel ? 1 : 0);
}

void TTreeNode::MakeVisible()
{
    TreeView()->Perform(TVM_ENSUREVISIBLE, 0, LPARAM(this));
}

void TTreeNode::Delete()
{
    FOwner->Delete(this);
}

void TTreeNode::DeleteChildren()
{
    TCustomTreeView* tv = TreeView();
    while (!FChildren.empty())
        FOwner->Delete(FChildren.back().get());
    FExpanded = false;
    tv->StructureChanged();
}

bool TTreeNode::AlphaSort(bool recurse)
{
    return TreeView()->SortChildren(this, nullptr, 0, recurse);
}

bool TTreeNode::CustomSort(const TTVCompare& compare, LPARAM data, bool recurse)
{
    return TreeView()->SortChildren(this, compare, data, recurse);
}

// ------------------------------------------------------------- the nodes

TTreeNodes::~TTreeNodes() = default;

int TTreeNodes::Count() const
{
    int n = 0;
    for (TTreeNode* p = GetFirstNode(); p; p = p->GetNext())
        ++n;
    return n;
}

TTreeNode* TTreeNodes::Item(int index) const
{
    TTreeNode* p = GetFirstNode();
    for (int i = 0; p && i < index; ++i)
        p = p->GetNext();
    if (index < 0 || !p)
        throw EListError("Tree node index out of bounds (" + std::to_string(index) + ")");
    return p;
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* parent, int index, const std::string& text, void* data)
{
    auto& list = ListOf(parent);
    index = std::clamp(index, 0, int(list.size()));
    auto node = std::unique_ptr<TTreeNode>(new TTreeNode(this, parent));
    node->FText = text;
    node->FData = data;
    TTreeNode* raw = node.get();
    list.insert(list.begin() + index, std::move(node));
    FOwner->StructureChanged();
    return raw;
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& text, void* data)
{
    TTreeNode* parent = sibling ? sibling->Parent() : nullptr;
    return InsertAt(parent, int(ListOf(parent).size()), text, data);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& text)
{
    return InsertAt(sibling ? sibling->Parent() : nullptr, 0, text, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& text, void* data)
{
    return InsertAt(parent, int(ListOf(parent).size()), text, data);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text)
{
    return InsertAt(parent, 0, text, nullptr);
}

TTreeNode* TTreeNodes::InsertObject(TTreeNode* sibling, const std::string& text, void* data)
{
    if (!sibling)
        return AddObject(nullptr, text, data);
    return InsertAt(sibling->Parent(), sibling->Index(), text, data);
}

// Children go first, each announced before it goes, then the node itself.
void TTreeNodes::Delete(TTreeNode* node)
{
    if (!node || node->FDeleting)
        return;
    node->FDeleting = true;
    while (!node->FChildren.empty())
        Delete(node->FChildren.back().get());
    FOwner->NodeRemoving(node);
    auto& list = ListOf(node->FParent);
    auto it = std::find_if(list.begin(), list.end(), [node](const auto& p) { return p.get() == node; });
    if (it != list.end())
        list.erase(it);
    FOwner->StructureChanged();
}

void TTreeNodes::Clear()
{
    BeginUpdate();
    while (!FRoots.empty())
        Delete(FRoots.back().get());
    EndUpdate();
}

void TTreeNodes::BeginUpdate()
{
    ++FOwner->FUpdateCount;
}

void TTreeNodes::EndUpdate()
{
    if (FOwner->FUpdateCount > 0 && --FOwner->FUpdateCount == 0)
        FOwner->StructureChanged();
}
