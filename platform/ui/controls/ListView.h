#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "platform/core/Strings.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/controls/TypeAhead.h"

class TCustomListView;
class TImageList;
class TInplaceEdit;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
// How the icon views place their items: in rows from the top (iaTop) or
// in columns from the left (iaLeft, scrolling sideways); WrapText lets a
// large icon's caption take several lines. AutoArrange is kept for the
// form's sake: items are always laid out in order here.
enum TIconArrangement { iaTop, iaLeft };
struct TIconOptions {
    TIconArrangement Arrangement = iaTop;
    bool AutoArrange = false;
    bool WrapText = true;
};
enum TItemChange { ctText, ctImage, ctState };
enum TItemRequestKind { irText, irImage, irParam, irState, irIndent };
using TItemRequest = TSet<TItemRequestKind>;
enum TItemFind { ifData, ifPartialString, ifExactString, ifNearest };
enum TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };
enum TDisplayCode { drBounds, drIcon, drLabel, drSelectBounds };
enum TItemStateKind { isNone, isCut, isDropHilited, isFocused, isSelected, isActivating };
using TItemStates = TSet<TItemStateKind>;

// A report column: caption, width, alignment and header image. A column of
// width 0 is hidden; MaxWidth (0: none) caps what dragging its divider gives.
class TListColumn : public TObject {
public:
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int v) { FMinWidth = std::max(0, v); }
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int v) { FMaxWidth = std::max(0, v); }
    // Texts too wide for the column lose their middle, not their end, so a
    // path keeps its file name.
    bool PathEllipsis() const { return FPathEllipsis; }
    void SetPathEllipsis(bool v);
    int Index() const;
    int Tag = 0;

private:
    friend class TListColumns;
    friend class TCustomListView;
    explicit TListColumn(TCustomListView* owner) : FOwner(owner) {}
    void Changed();
    TCustomListView* FOwner;
    std::string FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    int FImageIndex = -1;
    int FMinWidth = 0;
    int FMaxWidth = 0;
    bool FPathEllipsis = false;
};

class TListColumns {
public:
    explicit TListColumns(TCustomListView* owner) : FOwner(owner) {}
    TListColumn* Add();
    int Count() const { return int(FItems.size()); }
    TListColumn* Items(int index) const;
    TListColumn* operator[](int index) const { return Items(index); }
    void Delete(int index);
    void Clear();
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int IndexOf(const TListColumn* c) const;

private:
    friend class TListColumn;
    friend class TCustomListView;
    TCustomListView* FOwner;
    std::vector<std::unique_ptr<TListColumn>> FItems;
    int FUpdateCount = 0;
};

// An item: caption, image, sub-items (one per column after the first), a
// data pointer and its state. In owner-data mode the view hands out one
// temporary item filled by the fetch request; its state lives in the view.
class TListItem : public TObject {
public:
    ~TListItem() override;
    TCustomListView* Owner() const { return FOwner; }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    int StateIndex() const { return FStateIndex; }
    // The picture of the state image list drawn left of the small icon (-1: none).
    void SetStateIndex(int v);
    // Check-box style: state index 1 is checked, 0 unchecked.
    bool Checked() const { return FStateIndex == 1; }
    void SetChecked(bool v) { SetStateIndex(v ? 1 : 0); }
    void* Data() const { return FData; }
    void SetData(void* v) { FData = v; }
    TStrings& SubItems() { return FSubItems; }
    const TStrings& SubItems() const { return FSubItems; }
    int Index() const;
    bool Selected() const;
    void SetSelected(bool v);
    bool Focused() const;
    void SetFocused(bool v);
    // The item's place in client coordinates.
    int Top() const { return DisplayRect(drBounds).Top; }
    int Left() const { return DisplayRect(drBounds).Left; }
    TRect DisplayRect(TDisplayCode code) const;
    bool EditCaption();
    void MakeVisible(bool partialOK);
    void Update();
    void Delete();

private:
    friend class TListItems;
    friend class TCustomListView;
    explicit TListItem(TCustomListView* owner);
    TCustomListView* FOwner;
    std::string FCaption;
    int FImageIndex = -1;
    int FStateIndex = -1;
    void* FData = nullptr;
    TStringList FSubItems;
    int FOwnerDataIndex = -1;        // the index of a temporary owner-data item
};

class TListItems {
public:
    explicit TListItems(TCustomListView* owner) : FOwner(owner) {}
    ~TListItems();
    TListItem* Add();
    TListItem* Insert(int index);
    int Count() const;
    // Owner-data mode: the number of items the view shows.
    void SetCount(int n);
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    void Delete(int index);
    void Clear();
    void BeginUpdate();
    void EndUpdate();
    int IndexOf(const TListItem* item) const;

private:
    friend class TCustomListView;
    TCustomListView* FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdateCount = 0;
};

using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVOwnerDataEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVOwnerDataFindEvent =
    std::function<void(TObject* Sender, TItemFind Find, const std::string& FindString, const TPoint& FindPosition,
                       void* FindData, int StartIndex, TSearchDirection Direction, bool Wrap, int& Index)>;
using TLVEditingEvent = std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, std::string& S)>;

// The list view: report, icon, small icon and list styles over one item
// store, with a "SysHeader32" child for the report columns.
//
// With multi-select, pressing the left button on empty space (no item in
// the icon styles; beside the labels or below the rows in report style)
// and dragging draws a rubber band: the items whose icon or label it
// touches are selected, added to the kept selection when Ctrl was held.
//
// Its window answers the LVM_* messages of CommCtrl.h; the methods below
// send or share the same code. The scroll state lives in the window's
// SB_VERT and SB_HORZ records whether or not the bars are shown: in rows
// vertically and pixels horizontally in report style, in columns
// horizontally in list style, in pixels both ways in the icon styles.
// WM_VSCROLL and WM_HSCROLL with SB_THUMBPOSITION take the position from
// the high word of wParam, so a view whose bars are hidden (no scroll
// styles, no non-client area) is still driven by those messages. The
// header is created in report style while the window exists and announced
// to this window with WM_PARENTNOTIFY(WM_CREATE) like any child.
class TCustomListView : public TCustomControl {
public:
    explicit TCustomListView(TComponent* AOwner);
    ~TCustomListView() override;

    // Before the window exists, the bounds: asking the window layer then would
    // make the parents' windows on the way (and fail without a parent).
    TRect ClientRect() const override { return FHandle ? TWinControl::ClientRect() : TRect{0, 0, FWidth, FHeight}; }

    TListColumns& Columns() { return FColumns; }
    TListItems& Items() { return FItems; }

    TViewStyle ViewStyle() const { return FViewStyle; }
    virtual void SetViewStyle(TViewStyle v);
    const TIconOptions& IconOptions() const { return FIconOptions; }
    void SetIconOptions(const TIconOptions& v);
    // How many items the list makes room for at a time; a hint only.
    int AllocBy() const { return FAllocBy; }
    void SetAllocBy(int v) { FAllocBy = v < 0 ? 0 : v; }
    bool OwnerData() const { return FOwnerData; }
    void SetOwnerData(bool v);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v) { FRowSelect = v; Invalidate(); }
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool v) { FGridLines = v; Invalidate(); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v) { FHideSelection = v; Invalidate(); }
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool v);
    bool ColumnClick() const { return FColumnClick; }
    void SetColumnClick(bool v);
    // Items carry a check box (state index 0 or 1) that a click on it or
    // the space bar toggles, raising OnChange with ctState. Without a state
    // image list the view draws a plain box.
    bool Checkboxes() const { return FCheckboxes; }
    void SetCheckboxes(bool v);
    // Header sections can be dragged to reorder the columns. The view's
    // parent hears the header's HDN_BEGINDRAG and HDN_ENDDRAG as WM_NOTIFY
    // (a non-zero answer vetoes) and OnColumnDragged after a new order.
    bool ColumnDrag() const { return FColumnDrag; }
    void SetColumnDrag(bool v);
    bool FullDrag() const { return FFullDrag; }
    void SetFullDrag(bool v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    TImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TImageList* v);
    TImageList* LargeImages() const { return FLargeImages; }
    void SetLargeImages(TImageList* v);
    TImageList* StateImages() const { return FStateImages; }
    void SetStateImages(TImageList* v);

    TListItem* Selected() const;
    void SetSelected(TListItem* item);
    TListItem* ItemFocused() const;
    void SetItemFocused(TListItem* item);
    int ItemIndex() const;
    void SetItemIndex(int index);
    int SelCount() const;
    void ClearSelection();
    void SelectAll();
    // The next item after start (-1: from the top) that has the states.
    TListItem* GetNextItem(TListItem* start, TSearchDirection direction, TItemStates states) const;
    TListItem* GetItemAt(int x, int y) const;
    TListItem* TopItem() const;
    int VisibleRowCount() const;
    // Scrolls by pixels (whole rows vertically in report and list styles).
    void Scroll(int dx, int dy);
    TListItem* FindCaption(int startIndex, const std::string& value, bool partial, bool inclusive, bool wrap) const;
    bool IsEditing() const;
    void UpdateItems(int first, int last);
    // Columns in header display order.
    std::vector<int> ColumnOrder() const;
    HWND HeaderHandle() const { return FHeader; }
    int RowHeight() const;

    TLVChangeEvent OnChange;
    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;
    TNotifyEvent OnColumnDragged;
    TLVOwnerDataEvent OnData;
    TLVOwnerDataFindEvent OnDataFind;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The change notification: after an item's text, image or state changed.
    virtual void Change(TListItem* Item, TItemChange Change);
    virtual void ColumnClick(TListColumn* Column);
    // Owner data: fill Item (its Index) for the request; answer whether it was filled.
    virtual bool OwnerDataFetch(TListItem* Item, TItemRequest Request);
    // Owner data: the index of the item found, -1 when none.
    virtual int OwnerDataFind(TItemFind Find, const std::string& FindString, const TPoint& FindPosition,
                              void* FindData, int StartIndex, TSearchDirection Direction, bool Wrap);
    virtual bool CanEdit(TListItem* Item);
    // The end of a label edit; NewText is null when it was cancelled.
    virtual void Edit(int ItemIndex, const std::string* NewText);
    // The face and text colours of a selected item with and without the
    // focus: the system's highlight, and button face and text without it.
    virtual void GetSelectionColors(bool AFocused, TColor& AFace, TColor& AText) const;
    // The colour of the grid lines in the report view.
    virtual TColor GridLineColor() { return clBtnFace; }

private:
    friend class TListColumn;
    friend class TListColumns;
    friend class TListItem;
    friend class TListItems;

    // Item store and state (ListView.cpp).
    int ItemCount() const;
    TListItem* ItemAt(int index) const;         // fetched for owner data
    UINT ItemState(int index) const;
    void SetItemState(int index, UINT state, UINT mask);
    void ItemsInserted(int index, int count);
    void ItemsDeleted(int index, int count);
    void ItemChanged(int index, TItemChange change);
    void ColumnsChanged();
    void ColumnWidthChanged(int column);
    void SyncHeader();
    void CreateHeader();
    void SelectRange(int from, int to, bool add);
    void MoveFocus(int index, TShiftState shift);

    // Geometry and scrolling (ListViewLayout.cpp).
    int HeaderHeight() const;
    TRect ItemArea() const;
    int TotalColumnWidth() const;
    int ListColumnWidth() const;
    TSize CellSize() const;
    int ItemsPerLine() const;
    int ListRowsPerColumn() const;
    // The icon views arranged in columns (iaLeft), and how many items a column holds.
    bool IconColumns() const;
    int IconsPerColumn() const;
    TRect ItemBounds(int index) const;
    TRect ItemPartRect(int index, TDisplayCode code) const;
    TRect SubItemRect(int index, int column) const;
    int HitTestPoint(TPoint p, UINT* flags, int* subItem) const;
    int CountPerPage() const;
    void UpdateScrollState();
    void ScrollTo(int pos, bool vertical);
    bool MoveRows(int oldTop, int oldX);
    void OnScrollMessage(TMessage& m, bool vertical);
    void PlaceHeader();
    void EnsureVisible(int index, bool partialOK);
    LRESULT ListViewMessage(TMessage& m, bool& handled);
    // ListViewMessage's handlers, one per message.
    LRESULT LVMSetItemCount(TMessage& m);
    LRESULT LVMGetTopIndex();
    LRESULT LVMGetOrigin(TMessage& m);
    LRESULT LVMSetImageList(TMessage& m);
    LRESULT LVMGetImageList(TMessage& m);
    LRESULT LVMEditLabel(TMessage& m);
    LRESULT LVMCancelEditLabel();
    LRESULT LVMRedrawItems(TMessage& m);
    LRESULT LVMScroll(TMessage& m);
    LRESULT LVMGetItemRect(TMessage& m);
    LRESULT LVMHitTest(TMessage& m);
    LRESULT LVMGetNextItem(TMessage& m);
    LRESULT LVMSetItemState(TMessage& m);
    LRESULT LVMDeleteItem(TMessage& m);
    LRESULT LVMDeleteAllItems();
    LRESULT LVMGetColumnWidth(TMessage& m);
    LRESULT LVMSetColumnWidth(TMessage& m);
    LRESULT LVMSetExtendedListViewStyle(TMessage& m);
    LRESULT LVMGetColumnOrderArray(TMessage& m);
    bool HeaderNotify(const NMHEADER& nm, LRESULT& result);
    void SetHeaderStyle(DWORD bit, bool on);
    DWORD ExtendedStyle() const;
    void SetExtendedStyle(DWORD mask, DWORD style);

    // Painting (ListViewPaint.cpp).
    void PaintReport(TCanvas& c, const TRect& clip);
    void PaintGridded(TCanvas& c, const TRect& clip);
    void PaintItemLabel(TCanvas& c, int index, TListItem* item, const TRect& labelRect, bool highlight);
    TImageList* ImagesForStyle() const;
    void PaintStateIcon(TCanvas& c, TListItem* item, const TRect& r);

    // State images (ListView.cpp).
    TSize StateIconSize() const;
    TRect StateIconRect(int index) const;
    void ToggleCheck(int index);

    // Rubber-band selection (ListViewMarquee.cpp).
    bool CanStartMarquee() const;
    void StartMarquee(TPoint p, bool add);
    void TrackMarquee(TPoint p);
    void EndMarquee();
    TRect MarqueeRect() const;
    void PaintMarquee(TCanvas& c);

    // Label editing.
    bool StartEdit(int index);
    void EditDone(bool accepted, const std::string& text);

    TListColumns FColumns;
    TListItems FItems;
    std::vector<uint8_t> FStates;             // LVIS_* bits per item, both modes
    int FOwnerCount = 0;
    mutable std::unique_ptr<TListItem> FTempItem;
    TViewStyle FViewStyle = vsIcon;
    TIconOptions FIconOptions;
    int FAllocBy = 0;
    bool FOwnerData = false;
    bool FMultiSelect = false;
    bool FRowSelect = false;
    bool FGridLines = false;
    bool FReadOnly = false;
    bool FHideSelection = true;
    bool FShowColumnHeaders = true;
    bool FColumnClick = true;
    bool FFullDrag = false;
    bool FCheckboxes = false;
    bool FColumnDrag = false;
    bool FMarquee = false;                    // a rubber band is being dragged
    TPoint FMarqueeStart;                     // in content coordinates (scroll offsets added)
    TPoint FMarqueeEnd;
    std::vector<uint8_t> FMarqueeBase;        // the selection kept under the band (Ctrl)
    TBorderStyle FBorderStyle = bsSingle;
    TImageList* FSmallImages = nullptr;
    TImageList* FLargeImages = nullptr;
    TImageList* FStateImages = nullptr;
    HWND FHeader = nullptr;
    int FTop = 0;                             // report and icon rows: first row; icon styles: pixels
    int FScrollX = 0;                         // pixels (list style: columns)
    int FAnchor = -1;                         // the fixed end of a shift selection
    int FListColWidth = 120;
    mutable int FRowHeight = 0;               // measured on first use, reset by font and image changes
    int FUpdateCount = 0;
    bool FInScrollUpdate = false;
    TTypeAhead FTypeAhead;
    TInplaceEdit* FEditor = nullptr;          // owned through the component tree
    int FEditIndex = -1;
};

// The list view with its properties in public reach.
class TListView : public TCustomListView {
public:
    explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
};
