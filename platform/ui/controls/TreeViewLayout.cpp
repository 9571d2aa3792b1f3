#include <algorithm>
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/InplaceEdit.h"
#include "platform/ui/controls/OwnMessageRange.h"
#include "platform/ui/controls/TreeView.h"

// Rows, geometry, scrolling and the TVM_* messages of the tree view. A row
// is a shown node; a node of level L starts (L + 1) indents in when
// ShowRoot is on (L without), its button centred in the indent before that.

const std::vector<TTreeNode*>& TCustomTreeView::Rows() const
{
    if (!FRowsValid) {
        FRows.clear();
        for (TTreeNode* n = FNodes.GetFirstNode(); n; n = n->GetNextVisible())
            FRows.push_back(n);
        FRowsValid = true;
    }
    return FRows;
}

int TCustomTreeView::RowOf(const TTreeNode* node) const
{
    const auto& rows = Rows();
    auto it = std::find(rows.begin(), rows.end(), node);
    return it == rows.end() ? -1 : int(it - rows.begin());
}

int TCustomTreeView::RowHeight() const
{
    if (FRowHeight == 0) {
        TBitmap measure(1, 1);
        TCanvas* c = measure.Canvas();
        c->Font().Assign(const_cast<TCustomTreeView*>(this)->Font());
        FRowHeight = c->TextHeight("Wg") + 3;
        if (FImages)
            FRowHeight = std::max(FRowHeight, FImages->Height() + 1);
        if (FStateImages)
            FRowHeight = std::max(FRowHeight, FStateImages->Height() + 1);
    }
    return FRowHeight;
}

int TCustomTreeView::TextWidth(const std::string& text) const
{
    if (!FMeasure)
        FMeasure = std::make_unique<TBitmap>(1, 1);
    TCanvas* c = FMeasure->Canvas();
    c->Font().Assign(const_cast<TCustomTreeView*>(this)->Font());
    return c->TextWidth(text);
}

int TCustomTreeView::NodeDepth(const TTreeNode* node) const
{
    return node->Level() + (FShowRoot ? 1 : 0);
}

TRect TCustomTreeView::RowRect(int row) const
{
    int rh = RowHeight();
    return Bounds(0, (row - FTopRow) * rh, ClientWidth(), rh);
}

TRect TCustomTreeView::LabelRect(const TTreeNode* node, int row) const
{
    TRect r = RowRect(row);
    int x = -FScrollX + NodeDepth(node) * FIndent + 2;
    if (FStateImages && node->StateIndex() >= 0)
        x += FStateImages->Width();
    if (FImages)
        x += FImages->Width() + 2;
    return TRect{x, r.Top, x + TextWidth(node->Text()) + 4, r.Bottom};
}

int TCustomTreeView::ContentWidth() const
{
    int w = 0;
    const auto& rows = Rows();
    for (size_t i = 0; i < rows.size(); ++i)
        w = std::max(w, LabelRect(rows[i], int(i)).Right + FScrollX);
    return w;
}

int TCustomTreeView::VisibleCount() const
{
    return std::max(0, ClientHeight() / RowHeight());
}

TTreeNode* TCustomTreeView::HitTest(TPoint p, UINT& flags) const
{
    flags = TVHT_NOWHERE;
    TRect client = ClientRect();
    if (!client.Contains(p))
        return nullptr;
    int row = FTopRow + p.Y / RowHeight();
    const auto& rows = Rows();
    if (row < 0 || row >= int(rows.size()))
        return nullptr;
    TTreeNode* node = rows[size_t(row)];
    TRect label = LabelRect(node, row);
    int depth = NodeDepth(node);
    int buttonLeft = -FScrollX + (depth - 1) * FIndent;
    int iconLeft = -FScrollX + depth * FIndent + 2;
    if (p.X >= label.Right)
        flags = TVHT_ONITEMRIGHT;
    else if (p.X >= label.Left)
        flags = TVHT_ONITEMLABEL;
    else if (p.X >= iconLeft)
        flags = FStateImages && node->StateIndex() >= 0 && p.X < iconLeft + FStateImages->Width() ? TVHT_ONITEMSTATEICON
                                                                                                    : TVHT_ONITEMICON;
    else if (depth > 0 && node->HasChildren() && FShowButtons && p.X >= buttonLeft && p.X < buttonLeft + FIndent)
        flags = TVHT_ONITEMBUTTON;
    else
        flags = TVHT_ONITEMINDENT;
    return node;
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) const
{
    UINT flags = 0;
    TTreeNode* n = HitTest(TPoint{x, y}, flags);
    return (flags & TVHT_ONITEM) ? n : nullptr;
}

TTreeNode* TCustomTreeView::TopItem() const
{
    const auto& rows = Rows();
    return FTopRow < int(rows.size()) ? rows[size_t(FTopRow)] : nullptr;
}

void TCustomTreeView::SetTopItem(TTreeNode* node)
{
    int row = node ? RowOf(node) : -1;
    if (row >= 0)
        ScrollTo(row, true);
}

void TCustomTreeView::UpdateScrollState()
{
    if (!HandleAllocated() || FInScrollUpdate || FUpdateCount > 0)
        return;
    FInScrollUpdate = true;
    for (int round = 0; round < 2; ++round) {
        int count = int(Rows().size());
        int page = VisibleCount();
        FTopRow = std::clamp(FTopRow, 0, std::max(0, count - page));
        int width = ContentWidth();
        int cw = ClientWidth();
        FScrollX = std::clamp(FScrollX, 0, std::max(0, width - cw));
        SCROLLINFO v, h;
        v.fMask = h.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        v.nMax = std::max(0, count - 1);
        v.nPage = UINT(page);
        v.nPos = FTopRow;
        h.nMax = std::max(0, width - 1);
        h.nPage = UINT(std::max(0, cw));
        h.nPos = FScrollX;
        SetScrollInfo(FHandle, SB_VERT, v, true);
        SetScrollInfo(FHandle, SB_HORZ, h, true);
        bool needV = count > page, needH = width > cw;
        DWORD style = DWORD(GetWindowLong(FHandle, GWL_STYLE));
        if (bool(style & WS_VSCROLL) == needV && bool(style & WS_HSCROLL) == needH)
            break;
        ShowScrollBar(FHandle, SB_VERT, needV);
        ShowScrollBar(FHandle, SB_HORZ, needH);
    }
    FInScrollUpdate = false;
}

void TCustomTreeView::ScrollTo(int pos, bool vertical)
{
    int oldTop = FTopRow, oldX = FScrollX;
    (vertical ? FTopRow : FScrollX) = pos;
    UpdateScrollState();
    if (FTopRow != oldTop || FScrollX != oldX) {
        if (IsEditing())
            FEditor->Finish(true);
        Invalidate();
    }
}

void TCustomTreeView::OnScrollMessage(TMessage& m, bool vertical)
{
    if (!HandleAllocated())
        return;
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(FHandle, vertical ? SB_VERT : SB_HORZ, si);
    int pos = 0;
    if (!RequestedScrollPosition(si, m.WParam, vertical ? FTopRow : FScrollX, vertical ? 1 : 8, pos))
        return;
    ScrollTo(pos, vertical);
    m.Result = 0;
}

void TCustomTreeView::EnsureVisible(TTreeNode* node)
{
    if (!node)
        return;
    for (TTreeNode* p = node->Parent(); p; p = p->Parent())
        if (!p->Expanded())
            DoExpand(p, true);
    int row = RowOf(node);
    if (row < 0)
        return;
    int page = std::max(1, VisibleCount());
    if (row < FTopRow)
        ScrollTo(row, true);
    else if (row >= FTopRow + page)
        ScrollTo(row - page + 1, true);
}

LRESULT TCustomTreeView::TreeMessage(TMessage& m, bool& handled)
{
    handled = true;
    auto* node = reinterpret_cast<TTreeNode*>(m.LParam);
    switch (m.Msg) {
    case TVM_GETCOUNT: return FNodes.Count();
    case TVM_GETVISIBLECOUNT: return VisibleCount();
    case TVM_GETITEMHEIGHT: return RowHeight();
    case TVM_GETINDENT: return FIndent;
    case TVM_SETINDENT: return TVMSetIndent(m);
    case TVM_SETIMAGELIST: return TVMSetImageList(m);
    case TVM_GETIMAGELIST: return LRESULT(m.WParam == WPARAM(TVSIL_STATE) ? FStateImages : FImages);
    case TVM_EXPAND: return TVMExpand(m);
    case TVM_SELECTITEM: return TVMSelectItem(m);
    case TVM_GETNEXTITEM: return TVMGetNextItem(m);
    case TVM_ENSUREVISIBLE: EnsureVisible(node); return 1;
    case TVM_EDITLABEL: return StartEdit(node) ? LRESULT(FEditor->Handle()) : 0;
    case TVM_GETEDITCONTROL: return IsEditing() ? LRESULT(FEditor->Handle()) : 0;
    case TVM_ENDEDITLABELNOW: return TVMEndEditLabelNow(m);
    case TVM_HITTEST: return TVMHitTest(m);
    case TVM_GETITEMRECT: return TVMGetItemRect(m);
    case TVM_SORTCHILDRENCB: return TVMSortChildrenCB(m);
    case TVM_DELETEITEM: return TVMDeleteItem(m);
    default: handled = false; return 0;
    }
}

// ------------------------------------------------ the tree view messages' handlers

LRESULT TCustomTreeView::TVMSetIndent(TMessage& m)
{
    FIndent = int(m.WParam);
    StructureChanged();
    return 1;
}

LRESULT TCustomTreeView::TVMSetImageList(TMessage& m)
{
    TImageList*& slot = m.WParam == WPARAM(TVSIL_STATE) ? FStateImages : FImages;
    TImageList* old = slot;
    slot = reinterpret_cast<TImageList*>(m.LParam);
    if (slot)
        slot->FreeNotification(this);
    FRowHeight = 0;
    StructureChanged();
    return LRESULT(old);
}

LRESULT TCustomTreeView::TVMExpand(TMessage& m)
{
    auto* node = reinterpret_cast<TTreeNode*>(m.LParam);
    if (!node)
        return 0;
    UINT code = UINT(m.WParam) & TVE_TOGGLE;
    bool expand = code == TVE_EXPAND || (code == TVE_TOGGLE && !node->Expanded());
    return DoExpand(node, expand) ? 1 : 0;
}

LRESULT TCustomTreeView::TVMSelectItem(TMessage& m)
{
    auto* node = reinterpret_cast<TTreeNode*>(m.LParam);
    if (m.WParam == TVGN_FIRSTVISIBLE) {
        SetTopItem(node);
        return node != nullptr;
    }
    SetSelected(node);
    return FSelected == node;
}

LRESULT TCustomTreeView::TVMGetNextItem(TMessage& m)
{
    auto* node = reinterpret_cast<TTreeNode*>(m.LParam);
    const auto& rows = Rows();
    switch (UINT(m.WParam)) {
    case TVGN_ROOT: return LRESULT(FNodes.GetFirstNode());
    case TVGN_CARET: return LRESULT(FSelected);
    case TVGN_FIRSTVISIBLE: return LRESULT(TopItem());
    case TVGN_LASTVISIBLE: return LRESULT(rows.empty() ? nullptr : rows.back());
    case TVGN_NEXT: return LRESULT(node ? node->GetNextSibling() : nullptr);
    case TVGN_PREVIOUS: return LRESULT(node ? node->GetPrevSibling() : nullptr);
    case TVGN_PARENT: return LRESULT(node ? node->Parent() : nullptr);
    case TVGN_CHILD: return LRESULT(node ? node->GetFirstChild() : FNodes.GetFirstNode());
    case TVGN_NEXTVISIBLE: return LRESULT(node && node->IsVisible() ? node->GetNextVisible() : nullptr);
    case TVGN_PREVIOUSVISIBLE: return LRESULT(node && node->IsVisible() ? node->GetPrevVisible() : nullptr);
    default: return 0;
    }
}

LRESULT TCustomTreeView::TVMEndEditLabelNow(TMessage& m)
{
    if (IsEditing())
        FEditor->Finish(m.WParam == 0);
    return 1;
}

LRESULT TCustomTreeView::TVMHitTest(TMessage& m)
{
    auto* info = reinterpret_cast<TVHITTESTINFO*>(m.LParam);
    if (!info)
        return 0;
    info->hItem = HitTest(info->pt, info->flags);
    return LRESULT(info->hItem);
}

LRESULT TCustomTreeView::TVMGetItemRect(TMessage& m)
{
    auto* r = reinterpret_cast<TVITEMRECT*>(m.LParam);
    int row = r && r->hItem ? RowOf(r->hItem) : -1;
    if (row < 0)
        return 0;
    r->rc = m.WParam ? LabelRect(r->hItem, row) : RowRect(row);
    return 1;
}

LRESULT TCustomTreeView::TVMSortChildrenCB(TMessage& m)
{
    auto* sort = reinterpret_cast<const TVSORTCB*>(m.LParam);
    if (!sort || !sort->lpfnCompare)
        return 0;
    PFNTVCOMPARE fn = sort->lpfnCompare;
    return SortChildren(sort->hParent,
                        [fn](TTreeNode* a, TTreeNode* b, LPARAM data) { return fn(LPARAM(a), LPARAM(b), data); },
                        sort->lParam, m.WParam != 0);
}

LRESULT TCustomTreeView::TVMDeleteItem(TMessage& m)
{
    if (auto* node = reinterpret_cast<TTreeNode*>(m.LParam))
        FNodes.Delete(node);
    else
        FNodes.Clear();
    return 1;
}

void TCustomTreeView::WndProc(TMessage& m)
{
    if (AnswerOwnMessage(*this, &TCustomTreeView::TreeMessage, TV_FIRST, m))
        return;
    switch (m.Msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
        OnScrollMessage(m, m.Msg == WM_VSCROLL);
        return;
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_SIZE:
        TCustomControl::WndProc(m);
        UpdateScrollState();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(m);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        FRowHeight = 0;
        TCustomControl::WndProc(m);
        StructureChanged();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}
