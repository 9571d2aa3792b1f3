#include "platform/ui/controls/ListBox.h"
#include <algorithm>
#include <cstring>
#include "platform/core/Clock.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Draw.h"
#include "platform/gfx/Text.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Scroll.h"
#include "platform/ui/Window.h"

namespace {


std::string Folded(const std::string& s)
{
    std::string out = s;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    return out;
}

}  // namespace

TOwnerDrawState OwnerDrawState(UINT itemState)
{
    TOwnerDrawState s;
    if (itemState & ODS_SELECTED) s.Include(odSelected);
    if (itemState & ODS_GRAYED) s.Include(odGrayed);
    if (itemState & ODS_DISABLED) s.Include(odDisabled);
    if (itemState & ODS_CHECKED) s.Include(odChecked);
    if (itemState & ODS_FOCUS) s.Include(odFocused);
    if (itemState & ODS_DEFAULT) s.Include(odDefault);
    if (itemState & ODS_COMBOBOXEDIT) s.Include(odComboBoxEdit);
    return s;
}

void PaintReflectedItem(TCanvas& ACanvas, TFont& AFont, TColor AColor, const DRAWITEMSTRUCT& dis,
                        const std::function<void(int Index, TRect Rect, TOwnerDrawState State)>& ADraw)
{
    TOwnerDrawState state = OwnerDrawState(dis.itemState);
    ACanvas.Lock();
    ACanvas.SetHandle(dis.hDC);
    ACanvas.Font().Assign(AFont);
    ACanvas.Brush().SetColor(AColor);
    int item = int(dis.itemID);
    if (item >= 0 && state.Contains(odSelected)) {
        ACanvas.Brush().SetColor(clHighlight);
        ACanvas.Font().SetColor(clHighlightText);
    }
    if (item >= 0)
        ADraw(item, dis.rcItem, state);
    else
        ACanvas.FillRect(dis.rcItem);
    if (state.Contains(odFocused))
        DrawFocusRect(*dis.hDC, dis.rcItem);
    ACanvas.SetHandle(nullptr);
    ACanvas.Unlock();
}

// ---------------------------------------------------------- TListBoxStrings

LRESULT TListBoxStrings::Send(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    if (FOwner->HandleAllocated())
        return SendMessage(FOwner->Handle(), msg, wParam, lParam);
    return FOwner->Perform(msg, wParam, lParam);
}

int TListBoxStrings::Count() const
{
    return int(Send(MsgCount()));
}

std::string TListBoxStrings::Get(int index) const
{
    LRESULT len = Send(MsgTextLen(), WPARAM(index));
    if (len < 0)
        Error("List index out of bounds (%d)", index);
    std::string text(size_t(len) + 1, '\0');
    Send(MsgText(), WPARAM(index), LPARAM(text.data()));
    text.resize(size_t(len));
    return text;
}

void TListBoxStrings::Put(int index, const std::string& s)
{
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, s, object);
}

TObject* TListBoxStrings::GetObject(int index) const
{
    if (index < 0 || index >= Count())
        Error("List index out of bounds (%d)", index);
    return reinterpret_cast<TObject*>(Send(MsgGetData(), WPARAM(index)));
}

void TListBoxStrings::PutObject(int index, TObject* object)
{
    if (index < 0 || index >= Count())
        Error("List index out of bounds (%d)", index);
    Send(MsgSetData(), WPARAM(index), LPARAM(object));
}

void TListBoxStrings::Insert(int index, const std::string& s)
{
    if (Send(MsgInsert(), WPARAM(index), LPARAM(s.c_str())) < 0)
        Error("List index out of bounds (%d)", index);
}

void TListBoxStrings::Delete(int index)
{
    if (Send(MsgDelete(), WPARAM(index)) < 0)
        Error("List index out of bounds (%d)", index);
}

void TListBoxStrings::Clear()
{
    Send(MsgReset());
}

int TListBoxStrings::Add(const std::string& s)
{
    return int(Send(MsgAdd(), 0, LPARAM(s.c_str())));
}

int TListBoxStrings::AddObject(const std::string& s, TObject* object)
{
    int index = Add(s);
    if (index >= 0)
        Send(MsgSetData(), WPARAM(index), LPARAM(object));
    return index;
}

int TListBoxStrings::IndexOf(const std::string& s) const
{
    LRESULT r = Send(MsgFindExact(), WPARAM(-1), LPARAM(s.c_str()));
    return r < 0 ? -1 : int(r);
}

void TListBoxStrings::SetUpdateState(bool updating)
{
    Send(WM_SETREDRAW, updating ? 0 : 1);
}

// ------------------------------------------------------------ the list box

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItemsList(std::make_unique<TListBoxStrings>(this)), FCanvas(std::make_unique<TCanvas>())
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csOpaque, csCaptureMouse};
    FWidth = 121;
    FHeight = 97;
    FColor = clWindow;
    SetParentColor(false);
    SetTabStop(true);
}

TCustomListBox::~TCustomListBox() = default;

LRESULT TCustomListBox::Send(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (FHandle)
        return SendMessage(FHandle, msg, wParam, lParam);
    return Perform(msg, wParam, lParam);
}

DWORD TCustomListBox::ListStyle()
{
    if (FHandle)
        return DWORD(GetWindowLong(FHandle, GWL_STYLE));
    DWORD s = LBS_NOTIFY;
    if (FSorted) s |= LBS_SORT;
    if (FStyle == lbOwnerDrawFixed) s |= LBS_OWNERDRAWFIXED;
    if (FStyle == lbOwnerDrawVariable) s |= LBS_OWNERDRAWVARIABLE;
    if (FMultiSelect) s |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (FColumns > 0) s |= LBS_MULTICOLUMN;
    return s;
}

void TCustomListBox::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS;
    if (FSorted) p.Style |= LBS_SORT;
    if (FMultiSelect) p.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (FStyle == lbOwnerDrawFixed) p.Style |= LBS_OWNERDRAWFIXED;
    if (FStyle == lbOwnerDrawVariable) p.Style |= LBS_OWNERDRAWVARIABLE;
    if (FColumns > 0) p.Style |= LBS_MULTICOLUMN | WS_HSCROLL;
    if (!FIntegralHeight) p.Style |= LBS_NOINTEGRALHEIGHT;
    if (FBorderStyle == bsSingle)
        p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!FHandle)
        return;
    if (FColumns > 0)
        FColumnWidth = std::max(1, Width() / FColumns);
    if (FStyle != lbStandard) {
        // The owner answers for the height of its items once, as the classic list asks.
        MEASUREITEMSTRUCT mis;
        mis.CtlType = ODT_LISTBOX;
        mis.itemHeight = UINT(FItemHeight);
        mis.hwndItem = FHandle;
        if (HWND parent = GetParent(FHandle))
            SendMessage(parent, WM_MEASUREITEM, 0, LPARAM(&mis));
        if (int(mis.itemHeight) > 0)
            FItemHeight = int(mis.itemHeight);
    }
    // Items added before the window existed are asked for now.
    if (VariableHeights())
        for (int i = 0; i < int(FItems.size()); ++i)
            MeasureItemAt(i);
    UpdateScrollBars();
}

// ------------------------------------------------------------- properties

int TCustomListBox::ItemIndex()
{
    return int(Send(FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL));
}

void TCustomListBox::SetItemIndex(int value)
{
    if (ItemIndex() == value)
        return;
    if (FMultiSelect)
        Send(LB_SETCARETINDEX, WPARAM(value));
    else
        Send(LB_SETCURSEL, WPARAM(value));
}

void TCustomListBox::SetItemHeight(int value)
{
    if (value <= 0 || value == FItemHeight)
        return;
    FItemHeight = value;
    if (FStyle != lbStandard) {
        UpdateScrollBars();
        Invalidate();
    }
}

int TCustomListBox::EffectiveItemHeight()
{
    if (FStyle != lbStandard)
        return FItemHeight;
    if (FTextHeight == 0) {
        TBitmap measure(1, 1);
        measure.Canvas()->Font().Assign(FFont);
        FTextHeight = std::max(1, measure.Canvas()->TextHeight("Wg"));
    }
    return FTextHeight;
}

void TCustomListBox::SetColumns(int value)
{
    value = std::max(0, value);
    if (value == FColumns)
        return;
    bool recreate = (value == 0) != (FColumns == 0);
    FColumns = value;
    if (recreate)
        RecreateWnd();
    else if (FHandle)
        Send(LB_SETCOLUMNWIDTH, WPARAM(std::max(1, Width() / FColumns)));
}

void TCustomListBox::SetMultiSelect(bool value)
{
    if (value == FMultiSelect)
        return;
    FMultiSelect = value;
    for (TItem& item : FItems)
        item.Selected = false;
    FCurSel = -1;
    RecreateWnd();
    Invalidate();
}

void TCustomListBox::SetExtendedSelect(bool value)
{
    if (value == FExtendedSelect)
        return;
    FExtendedSelect = value;
    if (FMultiSelect) {
        for (TItem& item : FItems)
            item.Selected = false;
        RecreateWnd();
        Invalidate();
    }
}

bool TCustomListBox::Selected(int index)
{
    LRESULT r = Send(LB_GETSEL, WPARAM(index));
    if (r < 0)
        throw EListError(Format("List index out of bounds (%d)", index));
    return r != 0;
}

void TCustomListBox::SetSelected(int index, bool value)
{
    if (index < 0 || index >= int(FItems.size()))
        throw EListError(Format("List index out of bounds (%d)", index));
    if (FMultiSelect)
        Send(LB_SETSEL, value ? 1 : 0, LPARAM(index));
    else if (value)
        Send(LB_SETCURSEL, WPARAM(index));
    else if (FCurSel == index)
        Send(LB_SETCURSEL, WPARAM(-1));
}

void TCustomListBox::SetSorted(bool value)
{
    if (value == FSorted)
        return;
    FSorted = value;
    if (value) {
        // The list re-sorts what it holds, keeping selections with their items.
        std::string current = FCurSel >= 0 ? FItems[size_t(FCurSel)].Text : std::string();
        UINT_PTR currentData = FCurSel >= 0 ? FItems[size_t(FCurSel)].Data : 0;
        std::stable_sort(FItems.begin(), FItems.end(),
                         [](const TItem& a, const TItem& b) { return CompareText(a.Text, b.Text) < 0; });
        if (FCurSel >= 0)
            for (int i = 0; i < int(FItems.size()); ++i)
                if (FItems[size_t(i)].Text == current && FItems[size_t(i)].Data == currentData) {
                    FCurSel = FCaretIndex = i;
                    break;
                }
    }
    UpdateStyle(value ? LBS_SORT : 0, value ? 0 : LBS_SORT);
    Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle value)
{
    if (value == FStyle)
        return;
    FStyle = value;
    RecreateWnd();
    UpdateScrollBars();
    Invalidate();
}

void TCustomListBox::SetBorderStyle(TBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    RecreateWnd();
}

TRect TCustomListBox::ItemRect(int index)
{
    TRect r{0, 0, 0, 0};
    Send(LB_GETITEMRECT, WPARAM(index), LPARAM(&r));
    return r;
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing)
{
    TRect client = ListClient();
    if (client.Contains(pos)) {
        LRESULT r = Send(LB_ITEMFROMPOINT, 0, PointToLParam(pos));
        if (HIWORD(uintptr_t(r)) == 0 && int(LOWORD(uintptr_t(r))) < int(FItems.size()))
            return LOWORD(uintptr_t(r));
    }
    return existing ? -1 : int(FItems.size());
}

void TCustomListBox::SelectAll()
{
    if (FMultiSelect)
        Send(LB_SETSEL, 1, -1);
}

void TCustomListBox::ClearSelection()
{
    if (FMultiSelect)
        Send(LB_SETSEL, 0, -1);
    else
        Send(LB_SETCURSEL, WPARAM(-1));
}

// ------------------------------------------------------------------ layout

// Before the window exists the layout uses the bounds: asking the window
// layer then would make the parents' windows on the way.
TRect TCustomListBox::ListClient()
{
    return FHandle ? ClientRect() : TRect{0, 0, FWidth, FHeight};
}

int TCustomListBox::RowsPerColumn()
{
    if (VariableHeights())
        return FitFrom(FTop);
    return std::max(1, ListClient().Height() / EffectiveItemHeight());
}

bool TCustomListBox::VariableHeights()
{
    DWORD style = ListStyle();
    return (style & LBS_OWNERDRAWVARIABLE) && !(style & LBS_MULTICOLUMN);
}

int TCustomListBox::HeightOf(int index)
{
    if (VariableHeights() && index >= 0 && index < int(FItems.size()) && FItems[size_t(index)].Height > 0)
        return FItems[size_t(index)].Height;
    return EffectiveItemHeight();
}

void TCustomListBox::SendMeasureItem(MEASUREITEMSTRUCT& mis)
{
    HWND parent = FHandle ? GetParent(FHandle) : nullptr;
    if (!parent || !SendMessage(parent, WM_MEASUREITEM, 0, LPARAM(&mis)))
        Perform(CN_MEASUREITEM, 0, LPARAM(&mis));
}

void TCustomListBox::MeasureItemAt(int index)
{
    MEASUREITEMSTRUCT mis;
    mis.CtlType = ODT_LISTBOX;
    mis.itemID = UINT(index);
    mis.itemHeight = UINT(FItemHeight);
    mis.itemData = FItems[size_t(index)].Data;
    mis.hwndItem = FHandle;
    SendMeasureItem(mis);
    // A height of 0 or less (or an absurd one) keeps the list's own height.
    int h = int(mis.itemHeight);
    FItems[size_t(index)].Height = h > 0 && h <= 0x7FFF ? h : FItemHeight;
}

int TCustomListBox::OffsetOf(int index)
{
    int y = 0;
    for (int i = FTop; i < index; ++i)
        y += HeightOf(i);
    for (int i = index; i < FTop; ++i)
        y -= HeightOf(i);
    return y;
}

int TCustomListBox::FitFrom(int top)
{
    int room = ListClient().Height(), used = 0, count = 0;
    for (int i = std::max(0, top); i < int(FItems.size()) && used + HeightOf(i) <= room; ++i) {
        used += HeightOf(i);
        ++count;
    }
    return std::max(1, count);
}

int TCustomListBox::TopShowingAtBottom(int index)
{
    int room = ListClient().Height();
    int top = index, used = HeightOf(index);
    while (top > 0 && used + HeightOf(top - 1) <= room)
        used += HeightOf(--top);
    return top;
}

int TCustomListBox::LastTop()
{
    int n = int(FItems.size());
    if (VariableHeights())
        return n == 0 ? 0 : TopShowingAtBottom(n - 1);
    int rows = RowsPerColumn();
    if (!(ListStyle() & LBS_MULTICOLUMN))
        return std::max(0, n - rows);
    int columns = (n + rows - 1) / rows;
    int cw = std::max(1, FColumnWidth);
    int visible = std::max(1, ListClient().Width() / cw);
    return std::max(0, columns - visible) * rows;
}

void TCustomListBox::SetTop(int index)
{
    index = std::clamp(index, 0, LastTop());
    if (ListStyle() & LBS_MULTICOLUMN)
        index -= index % RowsPerColumn();
    if (index == FTop)
        return;
    FTop = index;
    UpdateScrollBars();
    if (FRedraw)
        Invalidate();
}

void TCustomListBox::ScrollIntoView(int index)
{
    if (index < 0 || index >= int(FItems.size()))
        return;
    int rows = RowsPerColumn();
    if (ListStyle() & LBS_MULTICOLUMN) {
        int cw = std::max(1, FColumnWidth);
        int visible = std::max(1, ListClient().Width() / cw);
        int column = index / rows, top = FTop / rows;
        if (column < top)
            SetTop(column * rows);
        else if (column >= top + visible)
            SetTop((column - visible + 1) * rows);
        return;
    }
    if (VariableHeights()) {
        if (index < FTop)
            SetTop(index);
        else if (OffsetOf(index) + HeightOf(index) > ListClient().Height() && index > FTop)
            SetTop(TopShowingAtBottom(index));
        return;
    }
    if (index < FTop)
        SetTop(index);
    else if (index >= FTop + rows)
        SetTop(index - rows + 1);
}

void TCustomListBox::UpdateScrollBars()
{
    if (!FHandle)
        return;
    int n = int(FItems.size());
    int rows = RowsPerColumn();
    FTop = std::clamp(FTop, 0, LastTop());
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    if (ListStyle() & LBS_MULTICOLUMN) {
        int columns = (n + rows - 1) / rows;
        int visible = std::max(1, ListClient().Width() / std::max(1, FColumnWidth));
        si.nMax = std::max(0, columns - 1);
        si.nPage = UINT(visible);
        si.nPos = FTop / rows;
        SetScrollInfo(FHandle, SB_HORZ, si, true);
        ShowScrollBar(FHandle, SB_HORZ, columns > visible);
        return;
    }
    if (VariableHeights()) {
        // Positions are items; the page is what shows at the bottom, so the
        // bar ends where the last item shows.
        int last = LastTop();
        si.nMax = std::max(0, n - 1);
        si.nPage = UINT(std::max(1, n - last));
        si.nPos = FTop;
        SetScrollInfo(FHandle, SB_VERT, si, true);
        ShowScrollBar(FHandle, SB_VERT, last > 0);
        return;
    }
    si.nMax = std::max(0, n - 1);
    si.nPage = UINT(rows);
    si.nPos = FTop;
    SetScrollInfo(FHandle, SB_VERT, si, true);
    ShowScrollBar(FHandle, SB_VERT, n > rows);
}

void TCustomListBox::InvalidateItem(int index)
{
    if (!FHandle || !FRedraw || index < 0 || index >= int(FItems.size()))
        return;
    TRect r = ItemRect(index);
    InvalidateRect(FHandle, &r, false);
}

void TCustomListBox::Notify(WORD code)
{
    HWND parent = FHandle ? GetParent(FHandle) : nullptr;
    if (parent && (ListStyle() & LBS_NOTIFY))
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(int(GetWindowLong(FHandle, GWL_ID)), code), LPARAM(FHandle));
}

// --------------------------------------------------------- the item list

int TCustomListBox::Find(const std::string& text, int start, bool exact) const
{
    int n = int(FItems.size());
    if (n == 0)
        return int(LB_ERR);
    if (start < -1 || start >= n)
        start = -1;
    std::string key = Folded(text);
    for (int step = 1; step <= n; ++step) {
        int i = (start + step) % n;
        std::string item = Folded(FItems[size_t(i)].Text);
        if (exact ? item == key : item.compare(0, key.size(), key) == 0)
            return i;
    }
    return int(LB_ERR);
}

int TCustomListBox::InsertItem(int index, const std::string& text)
{
    FItems.insert(FItems.begin() + index, TItem{text, 0, false, 0});
    for (int* p : {&FCurSel, &FCaretIndex, &FAnchorIndex})
        if (*p >= index)
            ++*p;
    if (FHandle && VariableHeights())
        MeasureItemAt(index);
    if (FHandle) {
        UpdateScrollBars();
        if (FRedraw)
            Invalidate();
    }
    return index;
}

void TCustomListBox::DeleteItem(int index)
{
    FItems.erase(FItems.begin() + index);
    for (int* p : {&FCurSel, &FCaretIndex, &FAnchorIndex}) {
        if (*p == index)
            *p = p == &FCurSel ? -1 : std::min(index, int(FItems.size()) - 1);
        else if (*p > index)
            --*p;
    }
    if (FHandle) {
        UpdateScrollBars();
        if (FRedraw)
            Invalidate();
    }
}

// ------------------------------------------------------------- selection

void TCustomListBox::SetCaret(int index, bool scroll)
{
    if (index == FCaretIndex)
        return;
    int old = FCaretIndex;
    FCaretIndex = index;
    InvalidateItem(old);
    InvalidateItem(index);
    if (scroll)
        ScrollIntoView(index);
}

void TCustomListBox::SelectOnly(int index)
{
    for (int i = 0; i < int(FItems.size()); ++i) {
        bool want = i == index;
        if (FItems[size_t(i)].Selected != want) {
            FItems[size_t(i)].Selected = want;
            InvalidateItem(i);
        }
    }
}

void TCustomListBox::SelectRange(int from, int to, bool value)
{
    if (from > to)
        std::swap(from, to);
    from = std::max(0, from);
    to = std::min(int(FItems.size()) - 1, to);
    for (int i = from; i <= to; ++i)
        if (FItems[size_t(i)].Selected != value) {
            FItems[size_t(i)].Selected = value;
            InvalidateItem(i);
        }
}

// ------------------------------------------------------------------ input

void TCustomListBox::HandleKey(WORD key)
{
    int n = int(FItems.size());
    if (n == 0)
        return;
    DWORD style = ListStyle();
    bool multiColumn = (style & LBS_MULTICOLUMN) != 0;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    int rows = RowsPerColumn();
    int cur = IsMulti() ? FCaretIndex : FCurSel;
    int target = cur;
    switch (key) {
    case VK_UP: target = cur - 1; break;
    case VK_DOWN: target = cur + 1; break;
    case VK_LEFT: target = multiColumn ? cur - rows : cur - 1; break;
    case VK_RIGHT: target = multiColumn ? cur + rows : cur + 1; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = n - 1; break;
    case VK_PRIOR: target = cur - std::max(1, rows - 1); break;
    case VK_NEXT: target = cur + std::max(1, rows - 1); break;
    case VK_SPACE:
        if ((style & LBS_MULTIPLESEL) && cur >= 0) {
            FItems[size_t(cur)].Selected = !FItems[size_t(cur)].Selected;
            InvalidateItem(cur);
            Notify(LBN_SELCHANGE);
        } else if ((style & LBS_EXTENDEDSEL) && cur >= 0) {
            if (ctrl) {
                FItems[size_t(cur)].Selected = !FItems[size_t(cur)].Selected;
                InvalidateItem(cur);
            } else {
                SelectOnly(cur);
            }
            FAnchorIndex = cur;
            Notify(LBN_SELCHANGE);
        }
        return;
    default:
        return;
    }
    if (cur < 0)
        target = key == VK_END ? n - 1 : 0;
    target = std::clamp(target, 0, n - 1);
    if (style & LBS_MULTIPLESEL) {
        SetCaret(target, true);
        return;
    }
    if (style & LBS_EXTENDEDSEL) {
        SetCaret(target, true);
        if (ctrl && !shift)
            return;
        if (shift && FAnchorIndex >= 0) {
            SelectOnly(-1);
            SelectRange(FAnchorIndex, target, true);
        } else {
            SelectOnly(target);
            FAnchorIndex = target;
        }
        Notify(LBN_SELCHANGE);
        return;
    }
    if (target == FCurSel)
        return;
    Send(LB_SETCURSEL, WPARAM(target));
    Notify(LBN_SELCHANGE);
}

// Typing finds the next item that starts with what was typed; characters
// typed quickly after each other build one prefix.
void TCustomListBox::HandleChar(char32_t ch)
{
    if (ch < 32 || FItems.empty())
        return;
    if (!FAutoComplete)
        FSearch.Reset();
    std::string prefix = FSearch.Add(ch, GetTickCount());
    int cur = IsMulti() ? FCaretIndex : FCurSel;
    // One character moves on to the next match; a longer prefix may stay.
    int start = FSearch.Fresh() ? cur : cur - 1;
    int found = Find(prefix, start, false);
    if (found < 0 || found == cur)
        return;
    DWORD style = ListStyle();
    if (style & LBS_MULTIPLESEL) {
        SetCaret(found, true);
    } else if (style & LBS_EXTENDEDSEL) {
        SetCaret(found, true);
        SelectOnly(found);
        FAnchorIndex = found;
        Notify(LBN_SELCHANGE);
    } else {
        Send(LB_SETCURSEL, WPARAM(found));
        Notify(LBN_SELCHANGE);
    }
}

void TCustomListBox::HandleClick(TPoint p, WORD keys, bool dbl)
{
    if (FHandle && GetFocus() != FHandle && CanFocus())
        SetFocus();
    int index = ItemAtPos(p, true);
    if (index < 0)
        return;
    FTracking = true;
    DWORD style = ListStyle();
    if (style & LBS_MULTIPLESEL) {
        SetCaret(index, true);
        FItems[size_t(index)].Selected = !FItems[size_t(index)].Selected;
        InvalidateItem(index);
        FTracking = false;
        Notify(LBN_SELCHANGE);
    } else if (style & LBS_EXTENDEDSEL) {
        SetCaret(index, true);
        if (keys & MK_SHIFT) {
            if (!(keys & MK_CONTROL))
                SelectOnly(-1);
            SelectRange(FAnchorIndex >= 0 ? FAnchorIndex : index, index, true);
        } else if (keys & MK_CONTROL) {
            FItems[size_t(index)].Selected = !FItems[size_t(index)].Selected;
            InvalidateItem(index);
            FAnchorIndex = index;
        } else {
            SelectOnly(index);
            FAnchorIndex = index;
        }
        Notify(LBN_SELCHANGE);
    } else if (index != FCurSel) {
        Send(LB_SETCURSEL, WPARAM(index));
        Notify(LBN_SELCHANGE);
    }
    if (dbl)
        Notify(LBN_DBLCLK);
}

void TCustomListBox::HandleScroll(int code, int pos)
{
    bool multiColumn = (ListStyle() & LBS_MULTICOLUMN) != 0;
    int step = multiColumn ? RowsPerColumn() : 1;
    int page = multiColumn ? step * std::max(1, ListClient().Width() / std::max(1, FColumnWidth))
                           : RowsPerColumn();
    switch (code) {
    case SB_LINEUP: SetTop(FTop - step); break;
    case SB_LINEDOWN: SetTop(FTop + step); break;
    case SB_PAGEUP: SetTop(FTop - page); break;
    case SB_PAGEDOWN: SetTop(FTop + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: SetTop(pos * step); break;
    case SB_TOP: SetTop(0); break;
    case SB_BOTTOM: SetTop(LastTop()); break;
    default: break;
    }
}

// --------------------------------------------------------------- painting

void TCustomListBox::DrawItemDefault(TCanvas& c, int index, const TRect& r, TOwnerDrawState state)
{
    if (state.Contains(odSelected)) {
        c.Brush().SetColor(clHighlight);
        c.Font().SetColor(clHighlightText);
    }
    c.FillRect(r);
    c.Brush().SetStyle(bsClear);
    c.TextOut(r.Left + 2, r.Top, FItems[size_t(index)].Text);
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    if (Index >= 0 && Index < int(FItems.size()))
        FCanvas->TextOut(Rect.Left + 2, Rect.Top, FItems[size_t(Index)].Text);
}

void TCustomListBox::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
}

void TCustomListBox::PaintWindow(HDC dc)
{
    TRect client = ListClient();
    if (client.Width() <= 0 || client.Height() <= 0)
        return;
    HWND parent = FHandle ? GetParent(FHandle) : nullptr;
    dc->SetTextColor(ColorToRGB(FFont.Color()));
    HBRUSH brush = parent ? SendMessage(parent, WM_CTLCOLORLISTBOX, WPARAM(dc), LPARAM(FHandle)) : 0;
    TColor background = FColor;
    if (!brush)
        brush = CreateSolidBrush(FColor);
    bool paintBackground = BrushColor(brush, background);
    TColor textColor = Enabled() ? dc->TextColor() : ColorToRGB(clGrayText);
    if (paintBackground)
        FillRect(*dc, client, ColorToRGB(background));
    int n = int(FItems.size());
    int rows = RowsPerColumn();
    bool multiColumn = (ListStyle() & LBS_MULTICOLUMN) != 0;
    int visible = multiColumn ? rows * (client.Width() / std::max(1, FColumnWidth) + 1) : rows + 1;
    if (VariableHeights())
        visible = n;
    bool focused = FHandle && GetFocus() == FHandle;
    int caret = IsMulti() ? FCaretIndex : FCurSel;
    for (int i = FTop; i < n && i < FTop + visible; ++i) {
        TRect r = ItemRect(i);
        if (r.Top >= client.Bottom)
            break;
        if (!dc->RectVisible(r))
            continue;
        UINT state = 0;
        if (IsMulti() ? FItems[size_t(i)].Selected : i == FCurSel)
            state |= ODS_SELECTED;
        if (focused && i == caret)
            state |= ODS_FOCUS;
        if (!Enabled())
            state |= ODS_DISABLED;
        if (FStyle != lbStandard) {
            DRAWITEMSTRUCT dis;
            dis.CtlType = ODT_LISTBOX;
            dis.itemID = UINT(i);
            dis.itemAction = ODA_DRAWENTIRE;
            dis.itemState = state;
            dis.hwndItem = FHandle;
            dis.hDC = dc;
            dis.rcItem = r;
            dis.itemData = FItems[size_t(i)].Data;
            TSavedDC saved(dc);
            dc->IntersectClipRect(r);
            if (!parent || !SendMessage(parent, WM_DRAWITEM, 0, LPARAM(&dis)))
                Perform(CN_DRAWITEM, 0, LPARAM(&dis));
            continue;
        }
        TCanvas c;
        c.SetHandle(dc);
        c.Font().Assign(FFont);
        c.Font().SetColor(textColor);
        c.Brush().SetColor(background);
        if (!paintBackground)
            c.Brush().SetStyle(bsClear);
        DrawItemDefault(c, i, r, OwnerDrawState(state));
        if (state & ODS_FOCUS)
            DrawFocusRect(*dc, r);
    }
}

// --------------------------------------------------------------- messages

void TCustomListBox::WndProc(TMessage& m)
{
    TWinControl::WndProc(m);
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        if (FTracking && (m.WParam & MK_LBUTTON) && !(ListStyle() & LBS_MULTIPLESEL)) {
            TPoint p = LParamToPoint(m.LParam);
            TRect client = ListClient();
            int index;
            if (p.Y < client.Top)
                index = FTop - 1;
            else if (p.Y >= client.Bottom)
                index = FTop + RowsPerColumn();
            else
                index = ItemAtPos(TPoint{std::clamp(p.X, 0, std::max(0, client.Right - 1)), p.Y}, true);
            if (index < 0 || index >= int(FItems.size()))
                break;
            if (ListStyle() & LBS_EXTENDEDSEL) {
                SetCaret(index, true);
                if (FAnchorIndex >= 0) {
                    SelectOnly(-1);
                    SelectRange(FAnchorIndex, index, true);
                }
                Notify(LBN_SELCHANGE);
            } else if (index != FCurSel) {
                Send(LB_SETCURSEL, WPARAM(index));
                Notify(LBN_SELCHANGE);
            }
        }
        break;
    case WM_SIZE:
    case CM_FONTCHANGED:
        FTextHeight = 0;
        UpdateScrollBars();
        Invalidate();
        break;
    default:
        break;
    }
}

void TCustomListBox::DefaultHandler(TMessage& m)
{
    int n = int(FItems.size());
    int index = int(m.WParam);
    switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_KEYDOWN: HandleKey(WORD(m.WParam)); return;
    case WM_CHAR: HandleChar(char32_t(m.WParam)); return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: HandleClick(LParamToPoint(m.LParam), LOWORD(m.WParam), m.Msg == WM_LBUTTONDBLCLK); return;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: WMLButtonUp(m); return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: WMSetFocus(m); return;
    case WM_VSCROLL:
    case WM_HSCROLL: HandleScroll(LOWORD(m.WParam), HIWORD(m.WParam)); return;
    case WM_MOUSEWHEEL: WMMouseWheel(m); return;
    case WM_SETREDRAW: WMSetRedraw(m); return;
    case CN_COMMAND: CNCommand(m); return;
    case CN_CTLCOLORLISTBOX: CNCtlColorListBox(m); return;
    case CN_MEASUREITEM: CNMeasureItem(m); return;
    case CN_DRAWITEM: CNDrawItem(m); return;
    // ------------------------------------------------------ LB_ requests
    case LB_ADDSTRING: LBAddString(m); return;
    case LB_INSERTSTRING: LBInsertString(m); return;
    case LB_DELETESTRING: LBDeleteString(m); return;
    case LB_RESETCONTENT: LBResetContent(m); return;
    case LB_GETCOUNT: m.Result = n; return;
    case LB_GETTEXT: LBGetText(m); return;
    case LB_GETTEXTLEN:
        m.Result = index < 0 || index >= n ? LB_ERR : LRESULT(FItems[size_t(index)].Text.size());
        return;
    case LB_GETITEMDATA: m.Result = index < 0 || index >= n ? LB_ERR : LRESULT(FItems[size_t(index)].Data); return;
    case LB_SETITEMDATA: LBSetItemData(m); return;
    case LB_SETCURSEL: LBSetCurSel(m); return;
    case LB_GETCURSEL: m.Result = IsMulti() ? FCaretIndex : FCurSel; return;
    case LB_SETSEL: LBSetSel(m); return;
    case LB_GETSEL:
        m.Result = index < 0 || index >= n ? LB_ERR : (IsMulti() ? FItems[size_t(index)].Selected : index == FCurSel);
        return;
    case LB_GETSELCOUNT: LBGetSelCount(m); return;
    case LB_GETSELITEMS: LBGetSelItems(m); return;
    case LB_SELITEMRANGE:
    case LB_SELITEMRANGEEX: LBSelItemRange(m); return;
    case LB_SETCARETINDEX: LBSetCaretIndex(m); return;
    case LB_GETCARETINDEX: m.Result = IsMulti() ? FCaretIndex : FCurSel; return;
    case LB_SETANCHORINDEX: FAnchorIndex = index >= 0 && index < n ? index : -1; return;
    case LB_GETANCHORINDEX: m.Result = FAnchorIndex; return;
    case LB_SETTOPINDEX: LBSetTopIndex(m); return;
    case LB_GETTOPINDEX: m.Result = FTop; return;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        m.Result = Find(m.LParam ? reinterpret_cast<const char*>(m.LParam) : "", index, m.Msg == LB_FINDSTRINGEXACT);
        return;
    case LB_SELECTSTRING: LBSelectString(m); return;
    case LB_GETITEMRECT: LBGetItemRect(m); return;
    case LB_ITEMFROMPOINT: LBItemFromPoint(m); return;
    case LB_SETITEMHEIGHT: LBSetItemHeight(m); return;
    case LB_GETITEMHEIGHT:
        m.Result = VariableHeights() && index >= 0 && index < n ? HeightOf(index) : EffectiveItemHeight();
        return;
    case LB_SETCOLUMNWIDTH: LBSetColumnWidth(m); return;
    case LB_SETHORIZONTALEXTENT: FHorizontalExtent = int(m.WParam); return;
    case LB_GETHORIZONTALEXTENT: m.Result = FHorizontalExtent; return;
    default: break;
    }
    TWinControl::DefaultHandler(m);
}

// ------------------------------------------------ the default handler's handlers

void TCustomListBox::WMLButtonUp(TMessage& m)
{
    FTracking = false;
    TWinControl::DefaultHandler(m);
}

void TCustomListBox::WMSetFocus(TMessage& m)
{
    int n = int(FItems.size());
    if (m.Msg == WM_SETFOCUS && IsMulti() && FCaretIndex < 0 && n > 0)
        FCaretIndex = 0;
    InvalidateItem(IsMulti() ? FCaretIndex : FCurSel);
    Notify(m.Msg == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
}

void TCustomListBox::WMMouseWheel(TMessage& m)
{
    for (int i = 0; i < 3; ++i)
        HandleScroll(GET_WHEEL_DELTA_WPARAM(m.WParam) > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
}

void TCustomListBox::WMSetRedraw(TMessage& m)
{
    FRedraw = m.WParam != 0;
    if (FRedraw) {
        UpdateScrollBars();
        Invalidate();
    }
}

void TCustomListBox::CNCommand(TMessage& m)
{
    if (HIWORD(m.WParam) == LBN_SELCHANGE)
        Click();
    else if (HIWORD(m.WParam) == LBN_DBLCLK)
        DblClick();
}

void TCustomListBox::CNCtlColorListBox(TMessage& m)
{
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    dc->SetTextColor(ColorToRGB(FFont.Color()));
    dc->SetBkColor(ColorToRGB(FColor));
    m.Result = CreateSolidBrush(FColor);
}

void TCustomListBox::CNMeasureItem(TMessage& m)
{
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    mis->itemHeight = UINT(FItemHeight);
    if (FStyle == lbOwnerDrawVariable) {
        int h = FItemHeight;
        MeasureItem(int(mis->itemID), h);
        mis->itemHeight = UINT(h);
    }
    m.Result = 1;
}

void TCustomListBox::CNDrawItem(TMessage& m)
{
    PaintReflectedItem(*FCanvas, FFont, FColor, *reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam),
                       [this](int i, TRect r, TOwnerDrawState st) { DrawItem(i, r, st); });
    m.Result = 1;
}

void TCustomListBox::LBAddString(TMessage& m)
{
    int n = int(FItems.size());
    std::string text = m.LParam ? reinterpret_cast<const char*>(m.LParam) : "";
    int at = n;
    if (ListStyle() & LBS_SORT)
        at = int(
            std::upper_bound(FItems.begin(), FItems.end(), text,
                             [](const std::string& t, const TItem& item) { return CompareText(t, item.Text) < 0; }) -
            FItems.begin());
    m.Result = InsertItem(at, text);
}

void TCustomListBox::LBInsertString(TMessage& m)
{
    int n = int(FItems.size());
    int index = int(m.WParam);
    if (index > n || index < -1) {
        m.Result = LB_ERR;
        return;
    }
    m.Result = InsertItem(index < 0 ? n : index, m.LParam ? reinterpret_cast<const char*>(m.LParam) : "");
}

void TCustomListBox::LBDeleteString(TMessage& m)
{
    int n = int(FItems.size());
    int index = int(m.WParam);
    if (index < 0 || index >= n) {
        m.Result = LB_ERR;
        return;
    }
    DeleteItem(index);
    m.Result = LRESULT(FItems.size());
}

void TCustomListBox::LBResetContent(TMessage&)
{
    FItems.clear();
    FCurSel = FCaretIndex = FAnchorIndex = -1;
    FTop = 0;
    UpdateScrollBars();
    if (FRedraw)
        Invalidate();
}

void TCustomListBox::LBGetText(TMessage& m)
{
    int n = int(FItems.size());
    int index = int(m.WParam);
    if (index < 0 || index >= n || !m.LParam) {
        m.Result = LB_ERR;
        return;
    }
    std::memcpy(reinterpret_cast<char*>(m.LParam), FItems[size_t(index)].Text.c_str(),
                FItems[size_t(index)].Text.size() + 1);
    m.Result = LRESULT(FItems[size_t(index)].Text.size());
}

void TCustomListBox::LBSetItemData(TMessage& m)
{
    int n = int(FItems.size());
    int index = int(m.WParam);
    if (index < 0 || index >= n) {
        m.Result = LB_ERR;
        return;
    }
    FItems[size_t(index)].Data = UINT_PTR(m.LParam);
}

void TCustomListBox::LBSetCurSel(TMessage& m)
{
    int n = int(FItems.size());
    int index = int(m.WParam);
    if (IsMulti()) {
        m.Result = LB_ERR;
        return;
    }
    int old = FCurSel;
    FCurSel = index >= 0 && index < n ? index : -1;
    FCaretIndex = FCurSel;
    if (old != FCurSel) {
        InvalidateItem(old);
        InvalidateItem(FCurSel);
    }
    ScrollIntoView(FCurSel);
    m.Result = FCurSel < 0 ? LB_ERR : FCurSel;
}

void TCustomListBox::LBSetSel(TMessage& m)
{
    int n = int(FItems.size());
    if (!IsMulti()) {
        m.Result = LB_ERR;
        return;
    }
    int item = int(m.LParam);
    if (item == -1)
        SelectRange(0, n - 1, m.WParam != 0);
    else if (item >= 0 && item < n)
        SelectRange(item, item, m.WParam != 0);
    else
        m.Result = LB_ERR;
}

void TCustomListBox::LBGetSelCount(TMessage& m)
{
    m.Result =
        IsMulti() ? std::count_if(FItems.begin(), FItems.end(), [](const TItem& i) { return i.Selected; }) : LB_ERR;
}

void TCustomListBox::LBGetSelItems(TMessage& m)
{
    int n = int(FItems.size());
    if (!IsMulti()) {
        m.Result = LB_ERR;
        return;
    }
    int* out = reinterpret_cast<int*>(m.LParam);
    int count = 0;
    for (int i = 0; i < n && count < int(m.WParam); ++i)
        if (FItems[size_t(i)].Selected)
            out[count++] = i;
    m.Result = count;
}

void TCustomListBox::LBSelItemRange(TMessage& m)
{
    if (!IsMulti()) {
        m.Result = LB_ERR;
        return;
    }
    if (m.Msg == LB_SELITEMRANGE)
        SelectRange(LOWORD(uintptr_t(m.LParam)), HIWORD(uintptr_t(m.LParam)), m.WParam != 0);
    else
        SelectRange(int(m.WParam), int(m.LParam), true);
}

void TCustomListBox::LBSetCaretIndex(TMessage& m)
{
    int n = int(FItems.size());
    int index = int(m.WParam);
    if (index < 0 || index >= n) {
        m.Result = LB_ERR;
        return;
    }
    if (!IsMulti())
        FCurSel = index;
    SetCaret(index, true);
}

void TCustomListBox::LBSetTopIndex(TMessage& m)
{
    int n = int(FItems.size());
    int index = int(m.WParam);
    if (index < 0 || index >= std::max(1, n)) {
        m.Result = LB_ERR;
        return;
    }
    SetTop(index);
}

void TCustomListBox::LBSelectString(TMessage& m)
{
    int index = int(m.WParam);
    int found = Find(m.LParam ? reinterpret_cast<const char*>(m.LParam) : "", index, false);
    if (found >= 0) {
        if (IsMulti()) {
            SetCaret(found, true);
            SelectRange(found, found, true);
        } else {
            Send(LB_SETCURSEL, WPARAM(found));
        }
    }
    m.Result = found;
}

void TCustomListBox::LBGetItemRect(TMessage& m)
{
    int n = int(FItems.size());
    int index = int(m.WParam);
    if (index < 0 || (index >= n && index != 0) || !m.LParam) {
        m.Result = LB_ERR;
        return;
    }
    int h = EffectiveItemHeight();
    TRect client = ListClient();
    TRect r;
    if (ListStyle() & LBS_MULTICOLUMN) {
        int rows = RowsPerColumn();
        int rel = index - FTop;
        int column = rel >= 0 ? rel / rows : -((-rel + rows - 1) / rows);
        int row = rel - column * rows;
        int cw = std::max(1, FColumnWidth);
        r = Bounds(column * cw, row * h, cw, h);
    } else if (VariableHeights()) {
        r = Bounds(0, OffsetOf(index), client.Width(), HeightOf(index));
    } else {
        r = Bounds(0, (index - FTop) * h, client.Width(), h);
    }
    *reinterpret_cast<TRect*>(m.LParam) = r;
}

void TCustomListBox::LBItemFromPoint(TMessage& m)
{
    int n = int(FItems.size());
    TPoint p = LParamToPoint(m.LParam);
    int h = EffectiveItemHeight();
    TRect client = ListClient();
    int rows = RowsPerColumn();
    int item;
    if (ListStyle() & LBS_MULTICOLUMN) {
        item = FTop + std::max(0, p.X / std::max(1, FColumnWidth)) * rows + std::clamp(p.Y / h, 0, rows - 1);
    } else if (VariableHeights()) {
        item = p.Y < 0 ? FTop - 1 : FTop;
        for (int y = 0; p.Y >= 0 && item < n && y + HeightOf(item) <= p.Y; ++item)
            y += HeightOf(item);
    } else
        item = FTop + (p.Y < 0 ? -1 : p.Y / h);
    bool outside = !client.Contains(p) || item < 0 || item >= n;
    item = std::clamp(item, 0, std::max(0, n - 1));
    m.Result = MAKELRESULT(item, outside ? 1 : 0);
}

void TCustomListBox::LBSetItemHeight(TMessage& m)
{
    int n = int(FItems.size());
    int index = int(m.WParam);
    if (int(m.LParam) <= 0 || int(m.LParam) > 255) {
        m.Result = LB_ERR;
        return;
    }
    if (VariableHeights()) {
        if (index < 0 || index >= n) {
            m.Result = LB_ERR;
            return;
        }
        FItems[size_t(index)].Height = int(m.LParam);
    } else {
        FItemHeight = int(m.LParam);
    }
    UpdateScrollBars();
    Invalidate();
}

void TCustomListBox::LBSetColumnWidth(TMessage& m)
{
    FColumnWidth = std::max(1, int(m.WParam));
    UpdateScrollBars();
    Invalidate();
}
