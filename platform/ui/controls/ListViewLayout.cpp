#include <algorithm>
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/InplaceEdit.h"
#include "platform/ui/controls/ListView.h"
#include "platform/ui/controls/OwnMessageRange.h"

// Geometry, scrolling and the LVM_* messages of the list view.

namespace {

int CeilDiv(int a, int b)
{
    return b > 0 ? (a + b - 1) / b : 0;
}

}  // namespace

int TCustomListView::RowHeight() const
{
    if (FRowHeight == 0) {
        TBitmap measure(1, 1);
        TCanvas* c = measure.Canvas();
        c->Font().Assign(const_cast<TCustomListView*>(this)->Font());
        FRowHeight = c->TextHeight("Wg") + 4;
        if (FSmallImages)
            FRowHeight = std::max(FRowHeight, FSmallImages->Height() + 2);
        FRowHeight = std::max(FRowHeight, int(StateIconSize().cy) + 2);
    }
    return FRowHeight;
}

int TCustomListView::HeaderHeight() const
{
    if (FViewStyle != vsReport || !FHeader || !IsWindow(FHeader) || !(GetWindowLong(FHeader, GWL_STYLE) & WS_VISIBLE))
        return 0;
    TRect r;
    GetWindowRect(FHeader, r);
    return r.Height();
}

TRect TCustomListView::ItemArea() const
{
    TRect r = ClientRect();
    r.Top = std::min(r.Bottom, r.Top + HeaderHeight());
    return r;
}

int TCustomListView::TotalColumnWidth() const
{
    int total = 0;
    for (int i = 0; i < FColumns.Count(); ++i)
        total += FColumns.Items(i)->Width();
    return total;
}

int TCustomListView::ListColumnWidth() const
{
    return std::max(1, FListColWidth);
}

TSize TCustomListView::CellSize() const
{
    if (FViewStyle == vsIcon) {
        int iw = FLargeImages ? FLargeImages->Width() : 32;
        int ih = FLargeImages ? FLargeImages->Height() : 32;
        int th = RowHeight() - 4;
        return TSize{std::max(76, iw + 20), ih + 8 + 2 * th + 4};
    }
    return TSize{ListColumnWidth(), RowHeight()};
}

int TCustomListView::ItemsPerLine() const
{
    return std::max(1, ItemArea().Width() / std::max(1, CellSize().cx));
}

bool TCustomListView::IconColumns() const
{
    return (FViewStyle == vsIcon || FViewStyle == vsSmallIcon) && FIconOptions.Arrangement == iaLeft;
}

int TCustomListView::IconsPerColumn() const
{
    return std::max(1, ItemArea().Height() / std::max(1, CellSize().cy));
}

int TCustomListView::ListRowsPerColumn() const
{
    return std::max(1, ItemArea().Height() / RowHeight());
}

TRect TCustomListView::ItemBounds(int index) const
{
    TRect area = ItemArea();
    int rh = RowHeight();
    switch (FViewStyle) {
    case vsReport:
        return Bounds(-FScrollX, area.Top + (index - FTop) * rh, TotalColumnWidth(), rh);
    case vsList: {
        int rows = ListRowsPerColumn();
        int w = ListColumnWidth();
        return Bounds((index / rows - FScrollX) * w, area.Top + (index % rows) * rh, w, rh);
    }
    default: {
        TSize cell = CellSize();
        if (IconColumns()) {
            int perColumn = IconsPerColumn();
            return Bounds((index / perColumn) * cell.cx - FScrollX, area.Top + (index % perColumn) * cell.cy, cell.cx,
                          cell.cy);
        }
        int perLine = ItemsPerLine();
        return Bounds((index % perLine) * cell.cx, area.Top + (index / perLine) * cell.cy - FTop, cell.cx, cell.cy);
    }
    }
}

TRect TCustomListView::SubItemRect(int index, int column) const
{
    TRect row = ItemBounds(index);
    int x = -FScrollX;
    for (int c : ColumnOrder()) {
        int w = FColumns.Items(c)->Width();
        if (c == column)
            return TRect{x, row.Top, x + w, row.Bottom};
        x += w;
    }
    return TRect{};
}

TRect TCustomListView::ItemPartRect(int index, TDisplayCode code) const
{
    TRect b = ItemBounds(index);
    if (FViewStyle == vsIcon) {
        TSize cell = CellSize();
        int iw = FLargeImages ? FLargeImages->Width() : 32;
        int ih = FLargeImages ? FLargeImages->Height() : 32;
        TRect icon = Bounds(b.Left + (cell.cx - iw) / 2, b.Top + 2, iw, ih);
        TRect label{b.Left + 2, icon.Bottom + 4, b.Right - 2, b.Bottom - 2};
        switch (code) {
        case drIcon: return icon;
        case drLabel: return label;
        case drSelectBounds: return TRect{label.Left, icon.Top, label.Right, label.Bottom};
        default: return b;
        }
    }
    TRect cell = FViewStyle == vsReport ? (FColumns.Count() > 0 ? SubItemRect(index, 0) : TRect{b.Left, b.Top, b.Left, b.Bottom}) : b;
    int iw = FSmallImages ? FSmallImages->Width() : 0;
    int sw = StateIconSize().cx;
    int left = cell.Left + 2 + (sw ? sw + (iw ? 2 : 0) : 0);
    TRect icon{left, cell.Top, left + iw, cell.Bottom};
    TRect label{icon.Right + (iw ? 2 : 0), cell.Top, cell.Right, cell.Bottom};
    if ((FViewStyle == vsSmallIcon || FViewStyle == vsList) && (code == drLabel || code == drSelectBounds)) {
        // The caption as far as its text and the highlight's margin go; the
        // rest of the cell is empty space.
        TBitmap measure(1, 1);
        TCanvas* c = measure.Canvas();
        c->Font().Assign(const_cast<TCustomListView*>(this)->Font());
        label.Right = std::min(label.Right, label.Left + c->TextWidth(ItemAt(index)->Caption()) + 6);
    }
    if (label.Right < label.Left)
        label.Right = label.Left;
    switch (code) {
    case drIcon: return icon;
    case drLabel: return label;
    case drSelectBounds:
        return FViewStyle == vsReport && FRowSelect ? b : TRect{cell.Left + 2, cell.Top, label.Right, cell.Bottom};
    default: return b;
    }
}

int TCustomListView::HitTestPoint(TPoint p, UINT* flags, int* subItem) const
{
    UINT f = LVHT_NOWHERE;
    int hit = -1, sub = 0;
    TRect area = ItemArea();
    int count = ItemCount();
    if (p.Y < area.Top)
        f = LVHT_ABOVE;
    else if (p.Y >= area.Bottom)
        f = LVHT_BELOW;
    else if (p.X < 0)
        f = LVHT_TOLEFT;
    else if (p.X >= area.Right)
        f = LVHT_TORIGHT;
    else if (FViewStyle == vsReport) {
        int row = FTop + (p.Y - area.Top) / RowHeight();
        int x = -FScrollX;
        int column = -1;
        for (int c : ColumnOrder()) {
            int w = FColumns.Items(c)->Width();
            if (p.X >= x && p.X < x + w)
                column = c;
            x += w;
        }
        if (row < count && column >= 0) {
            hit = row;
            sub = column;
            if (column == 0) {
                TRect icon = ItemPartRect(row, drIcon);
                f = StateIconRect(row).Contains(p) ? LVHT_ONITEMSTATEICON
                    : icon.Contains(p)             ? LVHT_ONITEMICON
                                                   : LVHT_ONITEMLABEL;
            } else {
                f = FRowSelect ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
            }
        }
    } else {
        for (int i = 0; i < count; ++i) {
            TRect b = ItemBounds(i);
            if (b.Top >= area.Bottom && FViewStyle != vsList)
                break;
            if (!b.Contains(p))
                continue;
            if (!ItemPartRect(i, drSelectBounds).Contains(p))
                break;          // the empty part of the item's cell
            hit = i;
            f = StateIconRect(i).Contains(p) ? LVHT_ONITEMSTATEICON
                : ItemPartRect(i, drIcon).Contains(p) ? LVHT_ONITEMICON
                                                      : LVHT_ONITEMLABEL;
            break;
        }
    }
    if (flags)
        *flags = f;
    if (subItem)
        *subItem = sub;
    return hit;
}

int TCustomListView::CountPerPage() const
{
    TRect area = ItemArea();
    switch (FViewStyle) {
    case vsReport: return std::max(0, area.Height() / RowHeight());
    case vsList: return ListRowsPerColumn() * std::max(1, area.Width() / ListColumnWidth());
    default: return ItemsPerLine() * std::max(1, area.Height() / std::max(1, CellSize().cy));
    }
}

void TCustomListView::PlaceHeader()
{
    if (!FHeader || !IsWindow(FHeader) || !HandleAllocated())
        return;
    TRect rc = ClientRect();
    WINDOWPOS wp;
    HDLAYOUT layout{&rc, &wp};
    if (!SendMessage(FHeader, HDM_LAYOUT, 0, LPARAM(&layout)))
        return;
    // The header scrolls with the columns: it starts left of the client area.
    TRect want = Bounds(wp.x - FScrollX, wp.y, wp.cx + FScrollX, wp.cy);
    SetWindowPos(FHeader, nullptr, want.Left, want.Top, want.Width(), want.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomListView::UpdateScrollState()
{
    if (!HandleAllocated() || FInScrollUpdate || FUpdateCount > 0)
        return;
    FInScrollUpdate = true;
    PlaceHeader();
    // Showing a bar narrows the client area; the second round settles it.
    for (int round = 0; round < 2; ++round) {
        TRect area = ItemArea();
        int count = ItemCount();
        SCROLLINFO v, h;
        v.fMask = h.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        bool needV = false, needH = false;
        switch (FViewStyle) {
        case vsReport: {
            int page = CountPerPage();
            FTop = std::clamp(FTop, 0, std::max(0, count - page));
            v.nMax = std::max(0, count - 1);
            v.nPage = UINT(page);
            v.nPos = FTop;
            needV = count > page;
            int total = TotalColumnWidth();
            FScrollX = std::clamp(FScrollX, 0, std::max(0, total - area.Width()));
            h.nMax = std::max(0, total - 1);
            h.nPage = UINT(std::max(0, area.Width()));
            h.nPos = FScrollX;
            needH = total > area.Width();
            break;
        }
        case vsList: {
            int columns = CeilDiv(count, ListRowsPerColumn());
            int page = std::max(1, area.Width() / ListColumnWidth());
            FScrollX = std::clamp(FScrollX, 0, std::max(0, columns - page));
            FTop = 0;
            h.nMax = std::max(0, columns - 1);
            h.nPage = UINT(page);
            h.nPos = FScrollX;
            needH = columns > page;
            v.nPage = 0;
            break;
        }
        default: {
            if (IconColumns()) {
                int content = CeilDiv(count, IconsPerColumn()) * CellSize().cx;
                FScrollX = std::clamp(FScrollX, 0, std::max(0, content - area.Width()));
                FTop = 0;
                h.nMax = std::max(0, content - 1);
                h.nPage = UINT(std::max(0, area.Width()));
                h.nPos = FScrollX;
                needH = content > area.Width();
                v.nPage = 0;
                break;
            }
            int content = CeilDiv(count, ItemsPerLine()) * CellSize().cy;
            FTop = std::clamp(FTop, 0, std::max(0, content - area.Height()));
            FScrollX = 0;
            v.nMax = std::max(0, content - 1);
            v.nPage = UINT(std::max(0, area.Height()));
            v.nPos = FTop;
            needV = content > area.Height();
            break;
        }
        }
        SetScrollInfo(FHandle, SB_VERT, v, true);
        SetScrollInfo(FHandle, SB_HORZ, h, true);
        DWORD style = DWORD(GetWindowLong(FHandle, GWL_STYLE));
        if (bool(style & WS_VSCROLL) == needV && bool(style & WS_HSCROLL) == needH)
            break;
        ShowScrollBar(FHandle, SB_VERT, needV);
        ShowScrollBar(FHandle, SB_HORZ, needH);
        PlaceHeader();
    }
    PlaceHeader();
    FInScrollUpdate = false;
}

void TCustomListView::ScrollTo(int pos, bool vertical)
{
    int oldTop = FTop, oldX = FScrollX;
    if (vertical)
        FTop = pos;
    else
        FScrollX = pos;
    UpdateScrollState();
    if (FTop != oldTop || FScrollX != oldX) {
        if (IsEditing())
            FEditor->Finish(true);
        if (!MoveRows(oldTop, oldX))
            Invalidate();
    }
}

// A report scrolled by less than a page: the rows that stay in view move
// and only the rows that come into view are painted.
bool TCustomListView::MoveRows(int oldTop, int oldX)
{
    if (FViewStyle != vsReport || FScrollX != oldX || FMarquee || !HandleAllocated())
        return false;
    const int rows = oldTop - FTop;
    if (std::abs(rows) >= std::max(1, CountPerPage()))
        return false;
    const TRect area = ItemArea();
    if (!ScrollWindow(FHandle, 0, rows * RowHeight(), &area))
        return false;
    // The focus rectangle's dots keep their phase on the screen: moved by an
    // odd number of pixels they would not match, so the focused row is drawn anew.
    if (TListItem* focused = ItemFocused(); focused && Focused()) {
        const TRect row = ItemBounds(focused->Index());
        InvalidateRect(FHandle, &row, true);
    }
    return true;
}

void TCustomListView::OnScrollMessage(TMessage& m, bool vertical)
{
    if (!HandleAllocated())
        return;
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(FHandle, vertical ? SB_VERT : SB_HORZ, si);
    int line = 1;
    if (FViewStyle == vsReport && !vertical)
        line = 8;
    else if ((FViewStyle == vsIcon || FViewStyle == vsSmallIcon) && vertical)
        line = RowHeight();
    int pos = 0;
    if (!RequestedScrollPosition(si, m.WParam, vertical ? FTop : FScrollX, line, pos))
        return;
    ScrollTo(pos, vertical);
    m.Result = 0;
}

void TCustomListView::EnsureVisible(int index, bool partialOK)
{
    if (index < 0 || index >= ItemCount())
        return;
    TRect area = ItemArea();
    switch (FViewStyle) {
    case vsReport: {
        int page = std::max(1, CountPerPage());
        if (index < FTop)
            ScrollTo(index, true);
        else if (index >= FTop + page)
            ScrollTo(index - page + 1, true);
        break;
    }
    case vsList: {
        int column = index / ListRowsPerColumn();
        int page = std::max(1, area.Width() / ListColumnWidth());
        if (column < FScrollX)
            ScrollTo(column, false);
        else if (column >= FScrollX + page)
            ScrollTo(column - page + 1, false);
        break;
    }
    default: {
        TRect b = ItemBounds(index);
        if (partialOK && b.Bottom > area.Top && b.Top < area.Bottom)
            break;
        if (b.Top < area.Top)
            ScrollTo(FTop - (area.Top - b.Top), true);
        else if (b.Bottom > area.Bottom)
            ScrollTo(FTop + (b.Bottom - area.Bottom), true);
        break;
    }
    }
}

bool TCustomListView::HeaderNotify(const NMHEADER& nm, LRESULT& result)
{
    result = 0;
    if (nm.iItem < 0 || nm.iItem >= FColumns.Count())
        return true;
    TListColumn* column = FColumns.Items(nm.iItem);
    switch (nm.hdr.code) {
    case HDN_ITEMCHANGING:
        if (nm.pitem && (nm.pitem->mask & HDI_WIDTH)) {
            int w = std::max(nm.pitem->cxy, column->MinWidth());
            if (column->MaxWidth() > 0)
                w = std::min(w, column->MaxWidth());
            nm.pitem->cxy = w;
        }
        return true;
    case HDN_ITEMCHANGED:
        if (nm.pitem && (nm.pitem->mask & HDI_WIDTH) && column->FWidth != nm.pitem->cxy) {
            column->FWidth = nm.pitem->cxy;
            UpdateScrollState();
            Invalidate();
        }
        if (nm.pitem && (nm.pitem->mask & HDI_ORDER)) {
            Invalidate();
            if (OnColumnDragged)
                OnColumnDragged(this);
        }
        return true;
    case HDN_BEGINDRAG:
    case HDN_ENDDRAG: {
        // The parent decides, as it would for its own header.
        HWND parent = HandleAllocated() ? GetParent(Handle()) : nullptr;
        result = parent ? SendMessage(parent, WM_NOTIFY, WPARAM(nm.hdr.idFrom), LPARAM(&nm)) : 0;
        return true;
    }
    case HDN_ITEMCLICK:
        if (FColumnClick)
            ColumnClick(column);
        return true;
    default:
        return false;
    }
}

LRESULT TCustomListView::ListViewMessage(TMessage& m, bool& handled)
{
    handled = true;
    int count = ItemCount();
    switch (m.Msg) {
    case LVM_GETITEMCOUNT: return count;
    case LVM_SETITEMCOUNT: return LVMSetItemCount(m);
    case LVM_GETCOUNTPERPAGE: return CountPerPage();
    case LVM_GETTOPINDEX: return LVMGetTopIndex();
    case LVM_GETORIGIN: return LVMGetOrigin(m);
    case LVM_SETIMAGELIST: return LVMSetImageList(m);
    case LVM_GETIMAGELIST: return LVMGetImageList(m);
    case LVM_EDITLABEL: return LVMEditLabel(m);
    case LVM_GETEDITCONTROL: return IsEditing() ? LRESULT(FEditor->Handle()) : 0;
    case LVM_CANCELEDITLABEL: return LVMCancelEditLabel();
    case LVM_REDRAWITEMS: return LVMRedrawItems(m);
    case LVM_SCROLL: return LVMScroll(m);
    case LVM_GETITEMRECT:
    case LVM_GETSUBITEMRECT: return LVMGetItemRect(m);
    case LVM_HITTEST: return LVMHitTest(m);
    case LVM_ENSUREVISIBLE: EnsureVisible(int(m.WParam), m.LParam != 0); return 1;
    case LVM_GETNEXTITEM: return LVMGetNextItem(m);
    case LVM_SETITEMSTATE: return LVMSetItemState(m);
    case LVM_GETITEMSTATE: return LRESULT(ItemState(int(m.WParam)) & UINT(m.LParam));
    case LVM_GETSELECTEDCOUNT: return SelCount();
    case LVM_DELETEITEM: return LVMDeleteItem(m);
    case LVM_DELETEALLITEMS: return LVMDeleteAllItems();
    case LVM_GETHEADER: return LRESULT(FHeader);
    case LVM_GETCOLUMNWIDTH: return LVMGetColumnWidth(m);
    case LVM_SETCOLUMNWIDTH: return LVMSetColumnWidth(m);
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return ExtendedStyle();
    case LVM_SETEXTENDEDLISTVIEWSTYLE: return LVMSetExtendedListViewStyle(m);
    case LVM_GETCOLUMNORDERARRAY:
    case LVM_SETCOLUMNORDERARRAY: return LVMGetColumnOrderArray(m);
    default: handled = false; return 0;
    }
}

// ------------------------------------------------ the list view messages' handlers

LRESULT TCustomListView::LVMSetItemCount(TMessage& m)
{
    if (!FOwnerData)
        return 1;
    int n = int(m.WParam);
    if (IsEditing())
        FEditor->Finish(false);
    FOwnerCount = std::max(0, n);
    FStates.resize(size_t(FOwnerCount), 0);
    if (FAnchor >= FOwnerCount)
        FAnchor = -1;
    UpdateScrollState();
    Invalidate();
    return 1;
}

LRESULT TCustomListView::LVMGetTopIndex()
{
    int count = ItemCount();
    if (FViewStyle == vsReport)
        return count ? std::min(FTop, count - 1) : 0;
    if (FViewStyle == vsList)
        return std::min(FScrollX * ListRowsPerColumn(), std::max(0, count - 1));
    return 0;
}

LRESULT TCustomListView::LVMGetOrigin(TMessage& m)
{
    if (m.LParam)
        *reinterpret_cast<TPoint*>(m.LParam) =
            FViewStyle == vsIcon || FViewStyle == vsSmallIcon ? TPoint{FScrollX, FTop} : TPoint{0, 0};
    return FViewStyle == vsIcon || FViewStyle == vsSmallIcon;
}

LRESULT TCustomListView::LVMSetImageList(TMessage& m)
{
    TImageList** slot = m.WParam == WPARAM(LVSIL_SMALL)   ? &FSmallImages
                        : m.WParam == WPARAM(LVSIL_STATE) ? &FStateImages
                                                          : &FLargeImages;
    TImageList* old = *slot;
    *slot = reinterpret_cast<TImageList*>(m.LParam);
    if (*slot)
        (*slot)->FreeNotification(this);
    if (slot == &FSmallImages && FHeader && IsWindow(FHeader))
        SendMessage(FHeader, HDM_SETIMAGELIST, 0, m.LParam);
    FRowHeight = 0;
    UpdateScrollState();
    Invalidate();
    return LRESULT(old);
}

LRESULT TCustomListView::LVMGetImageList(TMessage& m)
{
    return LRESULT(m.WParam == WPARAM(LVSIL_SMALL)   ? FSmallImages
                   : m.WParam == WPARAM(LVSIL_STATE) ? FStateImages
                                                     : FLargeImages);
}

LRESULT TCustomListView::LVMEditLabel(TMessage& m)
{
    if (int(m.WParam) < 0) {
        if (IsEditing())
            FEditor->Finish(false);
        return 0;
    }
    return StartEdit(int(m.WParam)) ? LRESULT(FEditor->Handle()) : 0;
}

LRESULT TCustomListView::LVMCancelEditLabel()
{
    if (IsEditing())
        FEditor->Finish(false);
    return 0;
}

LRESULT TCustomListView::LVMRedrawItems(TMessage& m)
{
    int count = ItemCount();
    if (!HandleAllocated())
        return 1;
    int first = std::max(0, int(m.WParam)), last = std::min(count - 1, int(m.LParam));
    TRect area = ItemArea();
    TRect dirty;
    for (int i = first; i <= last; ++i) {
        TRect b = ItemBounds(i);
        if (FViewStyle == vsReport) {
            if (b.Bottom <= area.Top)
                continue;
            if (b.Top >= area.Bottom)
                break;
            b.Left = 0;
            b.Right = area.Right;
        }
        dirty = UnionRect(dirty, IntersectRect(b, area));
    }
    if (!dirty.IsEmpty())
        InvalidateRect(FHandle, &dirty, true);
    return 1;
}

LRESULT TCustomListView::LVMScroll(TMessage& m)
{
    int dx = int(intptr_t(m.WParam)), dy = int(m.LParam);
    if (FViewStyle == vsReport) {
        int rows = dy / RowHeight();
        if (rows == 0 && dy != 0)
            rows = dy > 0 ? 1 : -1;
        if (rows)
            ScrollTo(FTop + rows, true);
        if (dx)
            ScrollTo(FScrollX + dx, false);
    } else if (FViewStyle == vsList) {
        int columns = dx / ListColumnWidth();
        if (columns == 0 && dx != 0)
            columns = dx > 0 ? 1 : -1;
        if (columns)
            ScrollTo(FScrollX + columns, false);
    } else if (dy) {
        ScrollTo(FTop + dy, true);
    }
    return 1;
}

LRESULT TCustomListView::LVMGetItemRect(TMessage& m)
{
    int count = ItemCount();
    auto* r = reinterpret_cast<TRect*>(m.LParam);
    int i = int(m.WParam);
    if (!r || i < 0 || i >= count)
        return 0;
    int code = r->Left;
    if (m.Msg == LVM_GETSUBITEMRECT && r->Top > 0) {
        if (r->Top >= FColumns.Count())
            return 0;
        *r = SubItemRect(i, r->Top);
    } else {
        *r = ItemPartRect(i, TDisplayCode(std::clamp(code, 0, 3)));
    }
    return 1;
}

LRESULT TCustomListView::LVMHitTest(TMessage& m)
{
    auto* info = reinterpret_cast<LVHITTESTINFO*>(m.LParam);
    if (!info)
        return -1;
    info->iItem = HitTestPoint(info->pt, &info->flags, &info->iSubItem);
    return info->iItem;
}

LRESULT TCustomListView::LVMGetNextItem(TMessage& m)
{
    int count = ItemCount();
    int start = int(intptr_t(m.WParam));
    UINT want = UINT(m.LParam) & (LVNI_SELECTED | LVNI_FOCUSED);
    for (int i = std::max(0, start + 1); i < count; ++i)
        if ((FStates[size_t(i)] & want) == want)
            return i;
    return -1;
}

LRESULT TCustomListView::LVMSetItemState(TMessage& m)
{
    auto* st = reinterpret_cast<const LVITEMSTATE*>(m.LParam);
    if (!st)
        return 0;
    SetItemState(int(intptr_t(m.WParam)), st->state, st->stateMask);
    return 1;
}

LRESULT TCustomListView::LVMDeleteItem(TMessage& m)
{
    int count = ItemCount();
    int i = int(m.WParam);
    if (FOwnerData || i < 0 || i >= count)
        return 0;
    FItems.FItems.erase(FItems.FItems.begin() + i);
    ItemsDeleted(i, 1);
    return 1;
}

LRESULT TCustomListView::LVMDeleteAllItems()
{
    if (IsEditing())
        FEditor->Finish(false);
    FItems.FItems.clear();
    FOwnerCount = 0;
    FStates.clear();
    FAnchor = -1;
    FTop = 0;
    UpdateScrollState();
    Invalidate();
    return 1;
}

LRESULT TCustomListView::LVMGetColumnWidth(TMessage& m)
{
    if (FViewStyle == vsList)
        return ListColumnWidth();
    return int(m.WParam) >= 0 && int(m.WParam) < FColumns.Count() ? FColumns.Items(int(m.WParam))->Width() : 0;
}

LRESULT TCustomListView::LVMSetColumnWidth(TMessage& m)
{
    if (FViewStyle == vsList) {
        FListColWidth = std::max(1, int(m.LParam));
        UpdateScrollState();
        Invalidate();
        return 1;
    }
    if (int(m.WParam) < 0 || int(m.WParam) >= FColumns.Count())
        return 0;
    FColumns.Items(int(m.WParam))->SetWidth(int(m.LParam));
    return 1;
}

LRESULT TCustomListView::LVMSetExtendedListViewStyle(TMessage& m)
{
    DWORD old = ExtendedStyle();
    SetExtendedStyle(DWORD(m.WParam), DWORD(m.LParam));
    return old;
}

LRESULT TCustomListView::LVMGetColumnOrderArray(TMessage& m)
{
    if (!FHeader || !IsWindow(FHeader))
        return 0;
    m.Result = SendMessage(FHeader, m.Msg == LVM_GETCOLUMNORDERARRAY ? HDM_GETORDERARRAY : HDM_SETORDERARRAY, m.WParam,
                           m.LParam);
    if (m.Msg == LVM_SETCOLUMNORDERARRAY)
        Invalidate();
    return m.Result;
}

void TCustomListView::WndProc(TMessage& m)
{
    if (AnswerOwnMessage(*this, &TCustomListView::ListViewMessage, LVM_FIRST, m))
        return;
    switch (m.Msg) {
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
        if (hdr && FHeader && hdr->hwndFrom == FHeader && HeaderNotify(*reinterpret_cast<const NMHEADER*>(m.LParam), m.Result))
            return;
        break;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
        OnScrollMessage(m, m.Msg == WM_VSCROLL);
        return;
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
        if (m.Msg == WM_CANCELMODE || reinterpret_cast<HWND>(m.LParam) != FHandle)
            EndMarquee();
        break;
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
        if (FHeader && IsWindow(FHeader))
            SendMessage(FHeader, WM_SETFONT, 1, LPARAM(&Font()));
        TCustomControl::WndProc(m);
        UpdateScrollState();
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}
