#include "platform/ui/controls/ListView.h"
#include <algorithm>
#include "platform/core/Clock.h"
#include "platform/core/Exception.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/HeaderControl.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/InplaceEdit.h"
#include "platform/ui/controls/TypeAhead.h"

namespace {

int HeaderFormat(const TListColumn& c)
{
    int fmt = HDF_STRING;
    if (c.Alignment() == taRightJustify)
        fmt |= HDF_RIGHT;
    else if (c.Alignment() == taCenter)
        fmt |= HDF_CENTER;
    if (c.ImageIndex() >= 0)
        fmt |= HDF_IMAGE;
    return fmt;
}

}  // namespace

TCustomListView::TCustomListView(TComponent* AOwner) : TCustomControl(AOwner), FColumns(this), FItems(this)
{
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
    FWidth = 250;
    FHeight = 150;
    SetParentColor(false);
    FColor = clWindow;
    SetTabStop(true);
}

TCustomListView::~TCustomListView()
{
    Destroying();
    if (FEditor)
        FEditor->OnDone = nullptr;      // an edit ended by the teardown reaches nobody
    FEditor = nullptr;
}

void TCustomListView::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    if (FBorderStyle == bsSingle)
        p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd()
{
    FHeader = nullptr;
    TCustomControl::CreateWnd();
    if (!HandleAllocated())
        return;
    if (FViewStyle == vsReport)
        CreateHeader();
    UpdateScrollState();
}

void TCustomListView::CreateHeader()
{
    if (FHeader && IsWindow(FHeader))
        return;
    RegisterHeaderClass();
    DWORD style = WS_CHILD | HDS_HORZ;
    if (FColumnClick)
        style |= HDS_BUTTONS;
    if (FFullDrag)
        style |= HDS_FULLDRAG;
    if (FColumnDrag)
        style |= HDS_DRAGDROP;
    if (FShowColumnHeaders && FViewStyle == vsReport)
        style |= WS_VISIBLE;
    FHeader = CreateWindowEx(0, WC_HEADER, "", style, 0, 0, ClientWidth(), HeaderHeightFor(Font()), FHandle, 1);
    if (!FHeader)
        return;
    SendMessage(FHeader, WM_SETFONT, 0, LPARAM(&Font()));
    SyncHeader();
    PlaceHeader();
}

// The header mirrors the columns: captions, widths, formats and images.
void TCustomListView::SyncHeader()
{
    if (!FHeader || !IsWindow(FHeader))
        return;
    int had = int(SendMessage(FHeader, HDM_GETITEMCOUNT));
    std::vector<int> order(size_t(std::max(had, 0)));
    bool keepOrder = had == FColumns.Count() && had > 0 &&
                     SendMessage(FHeader, HDM_GETORDERARRAY, WPARAM(had), LPARAM(order.data()));
    while (SendMessage(FHeader, HDM_GETITEMCOUNT) > 0)
        SendMessage(FHeader, HDM_DELETEITEM, 0);
    for (int i = 0; i < FColumns.Count(); ++i) {
        const TListColumn& c = *FColumns.Items(i);
        HDITEM it;
        it.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
        it.cxy = c.Width();
        it.pszText = c.Caption();
        it.fmt = HeaderFormat(c);
        it.iImage = c.ImageIndex();
        SendMessage(FHeader, HDM_INSERTITEM, WPARAM(i), LPARAM(&it));
    }
    if (keepOrder)
        SendMessage(FHeader, HDM_SETORDERARRAY, WPARAM(had), LPARAM(order.data()));
    SendMessage(FHeader, HDM_SETIMAGELIST, 0, LPARAM(FSmallImages));
}

void TCustomListView::ColumnsChanged()
{
    if (FColumns.FUpdateCount > 0)
        return;
    SyncHeader();
    UpdateScrollState();
    Invalidate();
}

void TCustomListView::ColumnWidthChanged(int column)
{
    if (FHeader && IsWindow(FHeader) && column >= 0) {
        HDITEM it;
        it.mask = HDI_WIDTH;
        it.cxy = FColumns.Items(column)->Width();
        SendMessage(FHeader, HDM_SETITEM, WPARAM(column), LPARAM(&it));
    }
    UpdateScrollState();
    Invalidate();
}

std::vector<int> TCustomListView::ColumnOrder() const
{
    int n = FColumns.Count();
    std::vector<int> order(static_cast<size_t>(n));
    if (FHeader && IsWindow(FHeader) && SendMessage(FHeader, HDM_GETITEMCOUNT) == n &&
        SendMessage(FHeader, HDM_GETORDERARRAY, WPARAM(n), LPARAM(order.data())))
        return order;
    for (int i = 0; i < n; ++i)
        order[size_t(i)] = i;
    return order;
}

// ---------------------------------------------------------------- properties

void TCustomListView::SetIconOptions(const TIconOptions& v)
{
    FIconOptions = v;
    FTop = 0;
    FScrollX = 0;
    UpdateScrollState();
    Invalidate();
}

void TCustomListView::SetViewStyle(TViewStyle v)
{
    if (v == FViewStyle)
        return;
    FViewStyle = v;
    FTop = 0;
    FScrollX = 0;
    if (HandleAllocated()) {
        if (v == vsReport)
            CreateHeader();
        if (FHeader)
            ShowWindow(FHeader, v == vsReport && FShowColumnHeaders ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
    UpdateScrollState();
    Invalidate();
}

void TCustomListView::SetOwnerData(bool v)
{
    if (v == FOwnerData)
        return;
    Perform(LVM_DELETEALLITEMS);
    FOwnerData = v;
}

void TCustomListView::SetMultiSelect(bool v)
{
    FMultiSelect = v;
    if (!v) {
        TListItem* keep = Selected();
        int k = keep ? keep->Index() : -1;
        for (int i = 0; i < ItemCount(); ++i)
            if (i != k && (FStates[size_t(i)] & LVIS_SELECTED))
                SetItemState(i, 0, LVIS_SELECTED);
    }
}

void TCustomListView::SetShowColumnHeaders(bool v)
{
    FShowColumnHeaders = v;
    if (FHeader && IsWindow(FHeader))
        ShowWindow(FHeader, v && FViewStyle == vsReport ? SW_SHOWNOACTIVATE : SW_HIDE);
    UpdateScrollState();
    Invalidate();
}

void TCustomListView::SetHeaderStyle(DWORD bit, bool on)
{
    if (FHeader && IsWindow(FHeader)) {
        DWORD s = DWORD(GetWindowLong(FHeader, GWL_STYLE));
        SetWindowLong(FHeader, GWL_STYLE, LONG_PTR(on ? (s | bit) : (s & ~bit)));
    }
}

void TCustomListView::SetColumnClick(bool v)
{
    FColumnClick = v;
    SetHeaderStyle(HDS_BUTTONS, v);
}

void TCustomListView::SetFullDrag(bool v)
{
    FFullDrag = v;
    SetHeaderStyle(HDS_FULLDRAG, v);
}

void TCustomListView::SetColumnDrag(bool v)
{
    FColumnDrag = v;
    SetHeaderStyle(HDS_DRAGDROP, v);
}

DWORD TCustomListView::ExtendedStyle() const
{
    return (FGridLines ? LVS_EX_GRIDLINES : 0) | (FCheckboxes ? LVS_EX_CHECKBOXES : 0) |
           (FColumnDrag ? LVS_EX_HEADERDRAGDROP : 0) | (FRowSelect ? LVS_EX_FULLROWSELECT : 0);
}

void TCustomListView::SetExtendedStyle(DWORD mask, DWORD style)
{
    if (mask == 0)
        mask = ~DWORD(0);
    if (mask & LVS_EX_GRIDLINES)
        SetGridLines((style & LVS_EX_GRIDLINES) != 0);
    if (mask & LVS_EX_CHECKBOXES)
        SetCheckboxes((style & LVS_EX_CHECKBOXES) != 0);
    if (mask & LVS_EX_HEADERDRAGDROP)
        SetColumnDrag((style & LVS_EX_HEADERDRAGDROP) != 0);
    if (mask & LVS_EX_FULLROWSELECT)
        SetRowSelect((style & LVS_EX_FULLROWSELECT) != 0);
}

void TCustomListView::SetBorderStyle(TBorderStyle v)
{
    FBorderStyle = v;
    RecreateWnd();
}

void TCustomListView::SetSmallImages(TImageList* v)
{
    Perform(LVM_SETIMAGELIST, LVSIL_SMALL, LPARAM(v));
}

void TCustomListView::SetLargeImages(TImageList* v)
{
    Perform(LVM_SETIMAGELIST, LVSIL_NORMAL, LPARAM(v));
}

void TCustomListView::SetStateImages(TImageList* v)
{
    Perform(LVM_SETIMAGELIST, LVSIL_STATE, LPARAM(v));
}

void TCustomListView::SetCheckboxes(bool v)
{
    if (v == FCheckboxes)
        return;
    FCheckboxes = v;
    for (auto& item : FItems.FItems)
        if (v && item->FStateIndex < 0)
            item->FStateIndex = 0;
        else if (!v && item->FStateIndex <= 1)
            item->FStateIndex = -1;
    FRowHeight = 0;
    UpdateScrollState();
    Invalidate();
}

// The state picture's size: the state image list's, or the plain check box's.
TSize TCustomListView::StateIconSize() const
{
    if (FStateImages)
        return TSize{FStateImages->Width(), FStateImages->Height()};
    return FCheckboxes ? TSize{13, 13} : TSize{0, 0};
}

// Where an item's state picture goes: left of the small icon, or at the
// bottom left of the large icon. Empty when the view shows none.
TRect TCustomListView::StateIconRect(int index) const
{
    TSize s = StateIconSize();
    if (s.cx == 0 || (FViewStyle == vsReport && FColumns.Count() == 0))
        return TRect{};
    TRect icon = ItemPartRect(index, drIcon);
    if (FViewStyle == vsIcon)
        return Bounds(icon.Left - s.cx, icon.Bottom - s.cy, s.cx, s.cy);
    int left = icon.Left - s.cx - (FSmallImages ? 2 : 0);
    return Bounds(left, icon.Top + (icon.Height() - s.cy) / 2, s.cx, s.cy);
}

// A click on the check box or the space bar: flips the state between 0 and
// 1. Owner data keeps no item, so the owner hears OnChange with the flipped
// item and stores it.
void TCustomListView::ToggleCheck(int index)
{
    if (!FCheckboxes || index < 0 || index >= ItemCount())
        return;
    TListItem* item = ItemAt(index);
    if (FOwnerData) {
        item->FStateIndex = item->FStateIndex == 1 ? 0 : 1;
        Change(item, ctState);
        UpdateItems(index, index);
    } else {
        item->SetChecked(!item->Checked());
    }
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FSmallImages)
        SetSmallImages(nullptr);
    if (AComponent == FLargeImages)
        SetLargeImages(nullptr);
    if (AComponent == FStateImages)
        SetStateImages(nullptr);
    if (AComponent == FEditor)
        FEditor = nullptr;
}

// ---------------------------------------------------------------- item store

int TCustomListView::ItemCount() const
{
    return FOwnerData ? FOwnerCount : int(FItems.FItems.size());
}

TListItem* TCustomListView::ItemAt(int index) const
{
    if (index < 0 || index >= ItemCount())
        return nullptr;
    if (!FOwnerData)
        return FItems.FItems[size_t(index)].get();
    if (!FTempItem)
        FTempItem.reset(new TListItem(const_cast<TCustomListView*>(this)));
    TListItem& t = *FTempItem;
    t.FOwnerDataIndex = index;
    t.FCaption.clear();
    t.FImageIndex = -1;
    t.FStateIndex = FCheckboxes ? 0 : -1;
    t.FData = nullptr;
    t.FSubItems.Clear();
    const_cast<TCustomListView*>(this)->OwnerDataFetch(&t, TItemRequest{irText, irImage, irParam, irState});
    return &t;
}

UINT TCustomListView::ItemState(int index) const
{
    return index >= 0 && index < int(FStates.size()) ? FStates[size_t(index)] : 0;
}

void TCustomListView::SetItemState(int index, UINT state, UINT mask)
{
    if (index < 0) {
        for (int i = 0; i < ItemCount(); ++i)
            if ((FStates[size_t(i)] & mask) != (state & mask))
                SetItemState(i, state, mask);
        return;
    }
    if (index >= ItemCount())
        return;
    UINT old = FStates[size_t(index)];
    UINT now = (old & ~mask) | (state & mask);
    if (now == old)
        return;
    // One selected item without multi-select, one focused item always.
    if ((now & LVIS_SELECTED) && !(old & LVIS_SELECTED) && !FMultiSelect)
        for (int i = 0; i < ItemCount(); ++i)
            if (i != index && (FStates[size_t(i)] & LVIS_SELECTED))
                SetItemState(i, 0, LVIS_SELECTED);
    if ((now & LVIS_FOCUSED) && !(old & LVIS_FOCUSED))
        for (int i = 0; i < ItemCount(); ++i)
            if (i != index && (FStates[size_t(i)] & LVIS_FOCUSED))
                SetItemState(i, 0, LVIS_FOCUSED);
    FStates[size_t(index)] = uint8_t(now);
    UpdateItems(index, index);
    TListItem* item = ItemAt(index);
    Change(item, ctState);
    if (((old ^ now) & LVIS_SELECTED) && OnSelectItem)
        OnSelectItem(this, ItemAt(index), (now & LVIS_SELECTED) != 0);
}

void TCustomListView::ItemsInserted(int index, int count)
{
    FStates.insert(FStates.begin() + index, size_t(count), 0);
    if (FAnchor >= index)
        FAnchor += count;
    if (FUpdateCount == 0) {
        UpdateScrollState();
        Invalidate();
    }
}

void TCustomListView::ItemsDeleted(int index, int count)
{
    FStates.erase(FStates.begin() + index, FStates.begin() + index + count);
    if (FAnchor >= index + count)
        FAnchor -= count;
    else if (FAnchor >= index)
        FAnchor = -1;
    if (FEditIndex >= index && FEditor && FEditor->Editing())
        FEditor->Finish(false);
    if (FUpdateCount == 0) {
        UpdateScrollState();
        Invalidate();
    }
}

void TCustomListView::ItemChanged(int index, TItemChange change)
{
    if (index < 0)
        return;
    UpdateItems(index, index);
    Change(ItemAt(index), change);
}

void TCustomListView::UpdateItems(int first, int last)
{
    Perform(LVM_REDRAWITEMS, WPARAM(first), LPARAM(last));
}

void TCustomListView::Change(TListItem* Item, TItemChange Change)
{
    if (OnChange && !IsLoading())
        OnChange(this, Item, Change);
}

void TCustomListView::ColumnClick(TListColumn* Column)
{
    if (OnColumnClick)
        OnColumnClick(this, Column);
}

bool TCustomListView::OwnerDataFetch(TListItem* Item, TItemRequest)
{
    if (OnData) {
        OnData(this, Item);
        return true;
    }
    return false;
}

int TCustomListView::OwnerDataFind(TItemFind Find, const std::string& FindString, const TPoint& FindPosition,
                                   void* FindData, int StartIndex, TSearchDirection Direction, bool Wrap)
{
    int index = -1;
    if (OnDataFind)
        OnDataFind(this, Find, FindString, FindPosition, FindData, StartIndex, Direction, Wrap, index);
    return index;
}

// -------------------------------------------------------------- selection

TListItem* TCustomListView::Selected() const
{
    for (int i = 0; i < int(FStates.size()); ++i)
        if (FStates[size_t(i)] & LVIS_SELECTED)
            return ItemAt(i);
    return nullptr;
}

void TCustomListView::SetSelected(TListItem* item)
{
    int keep = item ? item->Index() : -1;
    for (int i = 0; i < ItemCount(); ++i)
        if (i != keep && (FStates[size_t(i)] & LVIS_SELECTED))
            SetItemState(i, 0, LVIS_SELECTED);
    if (keep >= 0) {
        SetItemState(keep, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        FAnchor = keep;
    }
}

TListItem* TCustomListView::ItemFocused() const
{
    for (int i = 0; i < int(FStates.size()); ++i)
        if (FStates[size_t(i)] & LVIS_FOCUSED)
            return ItemAt(i);
    return nullptr;
}

void TCustomListView::SetItemFocused(TListItem* item)
{
    if (item)
        SetItemState(item->Index(), LVIS_FOCUSED, LVIS_FOCUSED);
    else
        SetItemState(-1, 0, LVIS_FOCUSED);
}

int TCustomListView::ItemIndex() const
{
    for (int i = 0; i < int(FStates.size()); ++i)
        if (FStates[size_t(i)] & LVIS_SELECTED)
            return i;
    return -1;
}

void TCustomListView::SetItemIndex(int index)
{
    SetSelected(index >= 0 && index < ItemCount() ? ItemAt(index) : nullptr);
}

int TCustomListView::SelCount() const
{
    return int(std::count_if(FStates.begin(), FStates.end(), [](uint8_t s) { return (s & LVIS_SELECTED) != 0; }));
}

void TCustomListView::ClearSelection()
{
    SetItemState(-1, 0, LVIS_SELECTED);
}

void TCustomListView::SelectAll()
{
    if (FMultiSelect)
        SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

TListItem* TCustomListView::GetNextItem(TListItem* start, TSearchDirection direction, TItemStates states) const
{
    UINT want = (states.Contains(isSelected) ? LVIS_SELECTED : 0) | (states.Contains(isFocused) ? LVIS_FOCUSED : 0);
    int from = start ? start->Index() : -1;
    int step = direction == sdAbove || direction == sdLeft ? -1 : 1;
    if (!start && step < 0)
        from = ItemCount();
    for (int i = from + step; i >= 0 && i < ItemCount(); i += step)
        if ((FStates[size_t(i)] & want) == want)
            return ItemAt(i);
    return nullptr;
}

TListItem* TCustomListView::GetItemAt(int x, int y) const
{
    UINT flags = 0;
    int i = HitTestPoint(TPoint{x, y}, &flags, nullptr);
    return i >= 0 && (flags & LVHT_ONITEM) ? ItemAt(i) : nullptr;
}

TListItem* TCustomListView::TopItem() const
{
    int count = ItemCount();
    if (count == 0)
        return nullptr;
    if (FViewStyle == vsReport)
        return ItemAt(std::min(FTop, count - 1));
    for (int i = 0; i < count; ++i)
        if (ItemBounds(i).Bottom > ItemArea().Top)
            return ItemAt(i);
    return nullptr;
}

int TCustomListView::VisibleRowCount() const
{
    return CountPerPage();
}

void TCustomListView::Scroll(int dx, int dy)
{
    Perform(LVM_SCROLL, WPARAM(dx), LPARAM(dy));
}

TListItem* TCustomListView::FindCaption(int startIndex, const std::string& value, bool partial, bool inclusive,
                                        bool wrap) const
{
    int count = ItemCount();
    if (count == 0)
        return nullptr;
    int first = std::clamp(inclusive ? startIndex : startIndex + 1, 0, count);
    if (FOwnerData) {
        int i = const_cast<TCustomListView*>(this)->OwnerDataFind(partial ? ifPartialString : ifExactString, value,
                                                                  TPoint{}, nullptr, first % count, sdAll, wrap);
        return i >= 0 && i < count ? ItemAt(i) : nullptr;
    }
    for (int n = 0; n < count; ++n) {
        int i = first + n;
        if (i >= count) {
            if (!wrap)
                break;
            i -= count;
        }
        const std::string& c = FItems.FItems[size_t(i)]->Caption();
        if (partial ? TTypeAhead::Matches(c, value) : c == value)
            return ItemAt(i);
    }
    return nullptr;
}

void TCustomListView::SelectRange(int from, int to, bool add)
{
    if (from > to)
        std::swap(from, to);
    for (int i = 0; i < ItemCount(); ++i) {
        bool in = i >= from && i <= to;
        if (in)
            SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
        else if (!add)
            SetItemState(i, 0, LVIS_SELECTED);
    }
}

void TCustomListView::MoveFocus(int index, TShiftState shift)
{
    int count = ItemCount();
    if (count == 0)
        return;
    index = std::clamp(index, 0, count - 1);
    if (FMultiSelect && shift.Contains(ssShift) && FAnchor >= 0) {
        SelectRange(FAnchor, index, shift.Contains(ssCtrl));
    } else if (FMultiSelect && shift.Contains(ssCtrl)) {
        // Ctrl moves the focus alone.
    } else {
        SetSelected(ItemAt(index));
    }
    if (!(FMultiSelect && shift.Contains(ssShift)) || FAnchor < 0)
        FAnchor = index;
    SetItemState(index, LVIS_FOCUSED, LVIS_FOCUSED);
    EnsureVisible(index, false);
}

// ------------------------------------------------------------- input

void TCustomListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FEditor && FEditor->Editing())
        FEditor->Finish(true);
    UINT flags = 0;
    int index = HitTestPoint(TPoint{X, Y}, &flags, nullptr);
    bool onItem = index >= 0 && (flags & LVHT_ONITEM);
    if (Button == mbLeft && onItem && flags == LVHT_ONITEMSTATEICON && FCheckboxes) {
        ToggleCheck(index);
        SetItemState(index, LVIS_FOCUSED, LVIS_FOCUSED);
    } else if (Button == mbLeft) {
        if (!onItem) {
            if (!Shift.Contains(ssCtrl))
                ClearSelection();
            if (CanStartMarquee())
                StartMarquee(TPoint{X, Y}, Shift.Contains(ssCtrl));
        } else if (FMultiSelect && Shift.Contains(ssCtrl)) {
            SetItemState(index, (ItemState(index) & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
            SetItemState(index, LVIS_FOCUSED, LVIS_FOCUSED);
            FAnchor = index;
        } else {
            MoveFocus(index, Shift);
        }
    } else if (Button == mbRight && onItem && !(ItemState(index) & LVIS_SELECTED)) {
        MoveFocus(index, TShiftState{});
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListView::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FMarquee)
        TrackMarquee(TPoint{X, Y});
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomListView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FMarquee && Button == mbLeft) {
        TrackMarquee(TPoint{X, Y});
        EndMarquee();
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TCustomListView::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    int lines = -WheelDelta / WHEEL_DELTA * 3;
    if (lines == 0)
        return false;
    if (FViewStyle == vsReport)
        ScrollTo(FTop + lines, true);
    else if (FViewStyle == vsList)
        ScrollTo(FScrollX + (lines > 0 ? 1 : -1), false);
    else
        ScrollTo(FTop + lines * RowHeight(), true);
    return true;
}

void TCustomListView::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    int count = ItemCount();
    if (Key == 0 || count == 0)
        return;
    TListItem* f = ItemFocused();
    int cur = f ? f->Index() : -1;
    int page = std::max(1, CountPerPage());
    int perLine = (FViewStyle == vsIcon || FViewStyle == vsSmallIcon) && !IconColumns() ? ItemsPerLine() : 1;
    int perColumn = FViewStyle == vsList ? ListRowsPerColumn() : IconColumns() ? IconsPerColumn() : 0;
    int next = -2;
    switch (Key) {
    case VK_UP: next = cur < 0 ? 0 : cur - perLine; break;
    case VK_DOWN: next = cur < 0 ? 0 : cur + perLine; break;
    case VK_LEFT:
        if (FViewStyle == vsReport) {
            ScrollTo(FScrollX - 8, false);
            Key = 0;
            return;
        }
        next = cur - (perColumn ? perColumn : 1);
        break;
    case VK_RIGHT:
        if (FViewStyle == vsReport) {
            ScrollTo(FScrollX + 8, false);
            Key = 0;
            return;
        }
        next = cur + (perColumn ? perColumn : 1);
        break;
    case VK_HOME: next = 0; break;
    case VK_END: next = count - 1; break;
    case VK_PRIOR: next = std::max(0, cur - std::max(1, page - 1)); break;
    case VK_NEXT: next = std::min(count - 1, cur + std::max(1, page - 1)); break;
    case VK_SPACE:
        if (FMultiSelect && Shift.Contains(ssCtrl) && cur >= 0) {
            SetItemState(cur, (ItemState(cur) & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
            Key = 0;
        } else if (FCheckboxes && cur >= 0) {
            ToggleCheck(cur);
            Key = 0;
        }
        return;
    case VK_F2:
        if (cur >= 0 && !FReadOnly)
            Perform(LVM_EDITLABEL, WPARAM(cur));
        Key = 0;
        return;
    case 'A':
        if (Shift.Contains(ssCtrl) && FMultiSelect) {
            SelectAll();
            Key = 0;
        }
        return;
    default:
        return;
    }
    if (next != -2) {
        MoveFocus(std::clamp(next, 0, count - 1), Shift);
        Key = 0;
    }
}

// Typing jumps to the next item whose caption begins with what was typed
// within the last second, wrapping to the top.
void TCustomListView::KeyPress(char32_t& Key)
{
    TCustomControl::KeyPress(Key);
    if (Key < 32 || ItemCount() == 0)
        return;
    std::string prefix = FTypeAhead.Add(Key, GetTickCount());
    TListItem* f = ItemFocused();
    int cur = f ? f->Index() : -1;
    int start = FTypeAhead.Fresh() ? cur + 1 : std::max(cur, 0);
    if (start >= ItemCount())
        start = 0;
    if (TListItem* hit = FindCaption(start, prefix, true, true, true))
        MoveFocus(hit->Index(), TShiftState{});
    Key = 0;
}

// ------------------------------------------------------------ label editing

bool TCustomListView::IsEditing() const
{
    return FEditor && FEditor->Editing();
}

bool TCustomListView::CanEdit(TListItem* Item)
{
    bool allow = !FReadOnly;
    if (allow && OnEditing)
        OnEditing(this, Item, allow);
    return allow;
}

bool TCustomListView::StartEdit(int index)
{
    if (index < 0 || index >= ItemCount() || !HandleAllocated())
        return false;
    if (IsEditing())
        FEditor->Finish(true);
    if (!CanEdit(ItemAt(index)))
        return false;
    EnsureVisible(index, false);
    if (!FEditor) {
        FEditor = new TInplaceEdit(this);
        FEditor->FreeNotification(this);
        FEditor->SetParent(this);
        FEditor->OnDone = [this](bool accepted, const std::string& text) { EditDone(accepted, text); };
    }
    FEditIndex = index;
    TRect r = ItemPartRect(index, drLabel);
    r.Right = std::max(r.Right + 16, r.Left + 80);
    r.Inflate(0, 1);
    FEditor->Font().Assign(Font());
    FEditor->Start(r, ItemAt(index)->Caption());
    return true;
}

void TCustomListView::EditDone(bool accepted, const std::string& text)
{
    int index = FEditIndex;
    FEditIndex = -1;
    if (index < 0 || index >= ItemCount())
        return;
    Edit(index, accepted ? &text : nullptr);
}

void TCustomListView::Edit(int ItemIndex, const std::string* NewText)
{
    if (!NewText)
        return;
    TListItem* item = ItemAt(ItemIndex);
    std::string s = *NewText;
    if (OnEdited)
        OnEdited(this, item, s);
    if (!FOwnerData && ItemIndex < ItemCount())
        FItems.FItems[size_t(ItemIndex)]->SetCaption(s);
    else
        UpdateItems(ItemIndex, ItemIndex);
}
