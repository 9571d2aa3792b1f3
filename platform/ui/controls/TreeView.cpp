#include "platform/ui/controls/TreeView.h"
#include "platform/ui/controls/Timer.h"
#include <algorithm>
#include "platform/core/Clock.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/InplaceEdit.h"

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TCustomControl(AOwner), FNodes(this)
{
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
    FWidth = 150;
    FHeight = 200;
    SetParentColor(false);
    FColor = clWindow;
    SetTabStop(true);
}

TCustomTreeView::~TCustomTreeView()
{
    Destroying();
    if (FEditor)
        FEditor->OnDone = nullptr;
    FEditor = nullptr;
    // No events while going: the nodes simply go.
    FNodes.FRoots.clear();
    FSelected = nullptr;
}

void TCustomTreeView::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    if (FBorderStyle == bsSingle)
        p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd()
{
    TCustomControl::CreateWnd();
    UpdateScrollState();
}

void TCustomTreeView::SetBorderStyle(TBorderStyle v)
{
    FBorderStyle = v;
    RecreateWnd();
}

void TCustomTreeView::SetImages(TImageList* v)
{
    Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, LPARAM(v));
}

void TCustomTreeView::SetStateImages(TImageList* v)
{
    Perform(TVM_SETIMAGELIST, TVSIL_STATE, LPARAM(v));
}

void TCustomTreeView::SetIndent(int v)
{
    Perform(TVM_SETINDENT, WPARAM(std::max(0, v)));
}

void TCustomTreeView::SetShowRoot(bool v)
{
    FShowRoot = v;
    StructureChanged();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FImages)
        SetImages(nullptr);
    if (AComponent == FStateImages)
        SetStateImages(nullptr);
    if (AComponent == FEditor)
        FEditor = nullptr;
}

// ---------------------------------------------------------------- events

bool TCustomTreeView::CanChange(TTreeNode* Node)
{
    bool allow = true;
    if (OnChanging && !IsLoading())
        OnChanging(this, Node, allow);
    return allow;
}

void TCustomTreeView::Change(TTreeNode* Node)
{
    if (OnChange && !IsLoading())
        OnChange(this, Node);
}

bool TCustomTreeView::CanExpand(TTreeNode* Node)
{
    bool allow = true;
    if (OnExpanding)
        OnExpanding(this, Node, allow);
    return allow;
}

void TCustomTreeView::Expand(TTreeNode* Node)
{
    if (OnExpanded)
        OnExpanded(this, Node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node)
{
    bool allow = true;
    if (OnCollapsing)
        OnCollapsing(this, Node, allow);
    return allow;
}

void TCustomTreeView::Collapse(TTreeNode* Node)
{
    if (OnCollapsed)
        OnCollapsed(this, Node);
}

bool TCustomTreeView::CanEdit(TTreeNode* Node)
{
    bool allow = !FReadOnly;
    if (allow && OnEditing)
        OnEditing(this, Node, allow);
    return allow;
}

void TCustomTreeView::Edit(TTreeNode* Node, const std::string* NewText)
{
    if (!NewText)
        return;
    std::string s = *NewText;
    if (OnEdited)
        OnEdited(this, Node, s);
    Node->SetText(s);
}

void TCustomTreeView::Delete(TTreeNode* Node)
{
    if (OnDeletion)
        OnDeletion(this, Node);
}

void TCustomTreeView::GetImageIndex(TTreeNode* Node)
{
    if (OnGetImageIndex)
        OnGetImageIndex(this, Node);
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* Node)
{
    if (OnGetSelectedIndex)
        OnGetSelectedIndex(this, Node);
}

// ------------------------------------------------------------ bookkeeping

void TCustomTreeView::NodeChanged(TTreeNode*)
{
    if (FUpdateCount == 0) {
        UpdateScrollState();
        Invalidate();
    }
}

void TCustomTreeView::StructureChanged()
{
    FRowsValid = false;
    if (FUpdateCount == 0) {
        UpdateScrollState();
        Invalidate();
    }
}

void TCustomTreeView::NodeRemoving(TTreeNode* node)
{
    if (!ComponentState().Contains(csDestroying))
        Delete(node);
    if (FEditNode == node && IsEditing())
        FEditor->Finish(false);
    if (FEditNode == node)
        FEditNode = nullptr;
    FRowsValid = false;
    if (FSelected == node) {
        // The selection goes with the node; the change says so with no node.
        FSelected = nullptr;
        if (!ComponentState().Contains(csDestroying))
            SelectionChanged(nullptr);
    }
}

bool TCustomTreeView::DoExpand(TTreeNode* node, bool expand)
{
    if (!node || node->FExpanded == expand)
        return false;
    if (expand) {
        if (!node->HasChildren() || !CanExpand(node))
            return false;
        node->FExpanded = true;
        StructureChanged();
        Expand(node);
        return true;
    }
    if (!CanCollapse(node))
        return false;
    node->FExpanded = false;
    // A selection inside the closed branch moves up to the node.
    if (FSelected && FSelected->HasAsParent(node)) {
        if (CanChange(node)) {
            FSelected = node;
            SelectionChanged(node);
        }
    }
    StructureChanged();
    Collapse(node);
    return true;
}

void TCustomTreeView::SetSelected(TTreeNode* node)
{
    if (node == FSelected)
        return;
    if (!CanChange(node))
        return;
    if (node)
        for (TTreeNode* p = node->Parent(); p; p = p->Parent())
            if (!p->Expanded())
                DoExpand(p, true);
    FSelected = node;
    if (node)
        EnsureVisible(node);
    Invalidate();
    SelectionChanged(node);
}

void TCustomTreeView::SelectionChanged(TTreeNode* node)
{
    if (FChangeDelay <= 0 || IsLoading() || ComponentState().Contains(csDestroying)) {
        Change(node);
        return;
    }
    if (!FChangeTimer) {
        FChangeTimer = std::make_unique<TTimer>(nullptr);
        FChangeTimer->OnTimer = [this](TObject*) {
            FChangeTimer->SetEnabled(false);
            Change(FSelected);
        };
    }
    FChangeTimer->SetEnabled(false);
    FChangeTimer->SetInterval(unsigned(FChangeDelay));
    FChangeTimer->SetEnabled(true);
}

void TCustomTreeView::FullExpand()
{
    for (TTreeNode* n = FNodes.GetFirstNode(); n; n = n->GetNext())
        DoExpand(n, true);
}

void TCustomTreeView::FullCollapse()
{
    for (TTreeNode* n = FNodes.GetFirstNode(); n; n = n->GetNext())
        DoExpand(n, false);
}

bool TCustomTreeView::SortChildren(TTreeNode* parent, const TTVCompare& compare, LPARAM data, bool recurse)
{
    auto& list = FNodes.ListOf(parent);
    auto less = [&](const std::unique_ptr<TTreeNode>& a, const std::unique_ptr<TTreeNode>& b) {
        if (compare)
            return compare(a.get(), b.get(), data) < 0;
        if (OnCompare) {
            int c = 0;
            OnCompare(this, a.get(), b.get(), data, c);
            return c < 0;
        }
        return CompareText(a->Text(), b->Text()) < 0;
    };
    std::stable_sort(list.begin(), list.end(), less);
    if (recurse)
        for (auto& n : list)
            SortChildren(n.get(), compare, data, true);
    StructureChanged();
    return true;
}

bool TCustomTreeView::AlphaSort(bool recurse)
{
    return SortChildren(nullptr, nullptr, 0, recurse);
}

bool TCustomTreeView::CustomSort(const TTVCompare& compare, LPARAM data, bool recurse)
{
    return SortChildren(nullptr, compare, data, recurse);
}

// ------------------------------------------------------------ label editing

bool TCustomTreeView::IsEditing() const
{
    return FEditor && FEditor->Editing();
}

bool TCustomTreeView::StartEdit(TTreeNode* node)
{
    if (!node || !HandleAllocated())
        return false;
    if (IsEditing())
        FEditor->Finish(true);
    if (!CanEdit(node))
        return false;
    EnsureVisible(node);
    if (!FEditor) {
        FEditor = new TInplaceEdit(this);
        FEditor->FreeNotification(this);
        FEditor->SetParent(this);
        FEditor->OnDone = [this](bool accepted, const std::string& text) { EditDone(accepted, text); };
    }
    FEditNode = node;
    TRect r = LabelRect(node, RowOf(node));
    r.Right = std::max(r.Right + 16, r.Left + 80);
    r.Inflate(0, 1);
    FEditor->Font().Assign(Font());
    FEditor->Start(r, node->Text());
    return true;
}

void TCustomTreeView::EditDone(bool accepted, const std::string& text)
{
    TTreeNode* node = FEditNode;
    FEditNode = nullptr;
    if (node)
        Edit(node, accepted ? &text : nullptr);
}

// ------------------------------------------------------------------ input

void TCustomTreeView::MoveTo(TTreeNode* node)
{
    if (node)
        SetSelected(node);
}

void TCustomTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (IsEditing())
        FEditor->Finish(true);
    UINT flags = 0;
    TTreeNode* node = HitTest(TPoint{X, Y}, flags);
    if (node && Button == mbLeft) {
        // A double click on a label toggles in DblClick; on a button each press does.
        if (flags & TVHT_ONITEMBUTTON)
            DoExpand(node, !node->Expanded());
        else if ((flags & TVHT_ONITEM) && !Shift.Contains(ssDouble))
            SetSelected(node);
    } else if (node && Button == mbRight && FRightClickSelect && (flags & TVHT_ONITEM)) {
        SetSelected(node);
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomTreeView::DblClick()
{
    TPoint p;
    GetCursorPos(p);
    p = ScreenToClient(p);
    UINT flags = 0;
    if (TTreeNode* node = HitTest(p, flags); node && (flags & TVHT_ONITEM))
        DoExpand(node, !node->Expanded());
    TCustomControl::DblClick();
}

bool TCustomTreeView::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    int lines = -WheelDelta / WHEEL_DELTA * 3;
    if (lines)
        ScrollTo(FTopRow + lines, true);
    return lines != 0;
}

void TCustomTreeView::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    const auto& rows = Rows();
    if (Key == 0 || rows.empty())
        return;
    TTreeNode* cur = FSelected;
    int row = cur ? RowOf(cur) : -1;
    int page = std::max(1, VisibleCount());
    switch (Key) {
    case VK_UP: MoveTo(row > 0 ? rows[size_t(row - 1)] : rows.front()); break;
    case VK_DOWN: MoveTo(row + 1 < int(rows.size()) ? rows[size_t(row + 1)] : rows.back()); break;
    case VK_HOME: MoveTo(rows.front()); break;
    case VK_END: MoveTo(rows.back()); break;
    case VK_PRIOR: MoveTo(rows[size_t(std::max(0, row - page + 1))]); break;
    case VK_NEXT: MoveTo(rows[size_t(std::min(int(rows.size()) - 1, std::max(row, 0) + page - 1))]); break;
    case VK_LEFT:
        if (cur && cur->Expanded())
            DoExpand(cur, false);
        else if (cur && cur->Parent())
            MoveTo(cur->Parent());
        break;
    case VK_RIGHT:
        if (cur && cur->HasChildren() && !cur->Expanded())
            DoExpand(cur, true);
        else if (cur && cur->GetFirstChild())
            MoveTo(cur->GetFirstChild());
        break;
    case VK_ADD:
        if (cur)
            DoExpand(cur, true);
        break;
    case VK_SUBTRACT:
        if (cur)
            DoExpand(cur, false);
        break;
    case VK_MULTIPLY:
        if (cur)
            cur->Expand(true);
        break;
    case VK_F2:
        if (cur && !FReadOnly)
            StartEdit(cur);
        break;
    default:
        return;
    }
    Key = 0;
}

void TCustomTreeView::KeyPress(char32_t& Key)
{
    TCustomControl::KeyPress(Key);
    const auto& rows = Rows();
    if (Key < 32 || rows.empty() || IsEditing())
        return;
    std::string prefix = FTypeAhead.Add(Key, GetTickCount());
    int n = int(rows.size());
    int cur = FSelected ? RowOf(FSelected) : -1;
    int start = FTypeAhead.Fresh() ? cur + 1 : std::max(cur, 0);
    for (int k = 0; k < n; ++k) {
        TTreeNode* node = rows[size_t((start + k) % n)];
        if (TTypeAhead::Matches(node->Text(), prefix)) {
            MoveTo(node);
            break;
        }
    }
    Key = 0;
}
