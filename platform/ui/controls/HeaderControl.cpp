#include "platform/ui/controls/HeaderControl.h"
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <unordered_map>
#include <vector>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/ImageList.h"

namespace {

constexpr int DividerZone = 4;
constexpr int DragThreshold = 5;      // pixels a section moves before it is dragged

struct THeaderItem {
    std::string Text;
    int Width = 0;
    int Fmt = HDF_LEFT | HDF_STRING;
    LPARAM Param = 0;
    int Image = -1;
};

// The state of one header window, kept beside its handle.
class THeaderWindow {
public:
    explicit THeaderWindow(HWND h) : FWnd(h) {}
    LRESULT Proc(UINT msg, WPARAM wp, LPARAM lp);

private:
    int Count() const { return int(FItems.size()); }
    TRect ItemRect(int index) const;
    int HitTest(TPoint p, UINT& flags) const;
    LRESULT Notify(int code, int item, HDITEM* pitem = nullptr);
    bool ApplyWidth(int item, int width);
    void Paint(HDC dc);
    void PaintSection(TCanvas& c, int index, const TRect& r, bool pressed);
    void InsertItem(int index, const HDITEM& it);
    void SetItem(int index, const HDITEM& it);
    void GetItem(int index, HDITEM& it) const;
    void DeleteItem(int index);
    // Proc's handlers, one per message.
    LRESULT HDMInsertItem(WPARAM wp, LPARAM lp);
    LRESULT HDMDeleteItem(WPARAM wp);
    LRESULT HDMGetItem(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HDMGetItemRect(WPARAM wp, LPARAM lp);
    LRESULT HDMHitTest(LPARAM lp);
    LRESULT HDMGetOrderArray(WPARAM wp, LPARAM lp);
    LRESULT HDMSetOrderArray(WPARAM wp, LPARAM lp);
    LRESULT HDMSetImageList(LPARAM lp);
    LRESULT HDMLayout(LPARAM lp);
    LRESULT WMSetFont(LPARAM lp);
    LRESULT WMPaint(WPARAM wp);
    LRESULT WMPrintClient(WPARAM wp);
    LRESULT WMLButtonDown(WPARAM wp, LPARAM lp);
    LRESULT WMLButtonDblClk(WPARAM wp, LPARAM lp);
    LRESULT WMMouseMove(LPARAM lp);
    LRESULT WMLButtonUp(LPARAM lp);
    LRESULT WMCaptureChanged(LPARAM lp);
    bool WMSetCursor(LPARAM lp);
    void EndModes();
    int DropPosition(int x) const;
    void FinishDrag();

    HWND FWnd;
    std::vector<THeaderItem> FItems;
    std::vector<int> FOrder;                // display position -> item
    TFont FFont;
    TImageList* FImages = nullptr;
    int FTrackItem = -1;                     // the divider being dragged
    int FTrackStartX = 0;
    int FTrackStartWidth = 0;
    int FTrackWidth = 0;
    int FPressedItem = -1;                   // the section held down
    bool FPressedInside = false;
    int FDragItem = -1;                      // the section held down where dragging may start
    int FDragStartX = 0;
    int FDragX = 0;
    bool FDragging = false;
};

std::unordered_map<HWND, std::unique_ptr<THeaderWindow>>& States()
{
    static std::unordered_map<HWND, std::unique_ptr<THeaderWindow>> states;
    return states;
}

LRESULT HeaderClassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    auto& states = States();
    if (msg == WM_NCCREATE)
        states[h] = std::make_unique<THeaderWindow>(h);
    auto it = states.find(h);
    if (it == states.end())
        return DefWindowProc(h, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        states.erase(it);
        return DefWindowProc(h, msg, wp, lp);
    }
    return it->second->Proc(msg, wp, lp);
}

TRect THeaderWindow::ItemRect(int index) const
{
    TRect client;
    GetClientRect(FWnd, client);
    int x = 0;
    for (int item : FOrder) {
        int w = FItems[size_t(item)].Width;
        if (item == index)
            return TRect{x, 0, x + w, client.Bottom};
        x += w;
    }
    return TRect{};
}

int THeaderWindow::HitTest(TPoint p, UINT& flags) const
{
    TRect client;
    GetClientRect(FWnd, client);
    flags = 0;
    if (p.Y < 0)
        flags |= HHT_ABOVE;
    if (p.Y >= client.Bottom)
        flags |= HHT_BELOW;
    if (p.X < 0)
        flags |= HHT_TOLEFT;
    if (p.X >= client.Right)
        flags |= HHT_TORIGHT;
    if (flags)
        return -1;
    int x = 0, divider = -1, emptyDivider = -1, on = -1;
    for (int item : FOrder) {
        int w = FItems[size_t(item)].Width;
        int right = x + w;
        if (p.X >= right - DividerZone && p.X < right + DividerZone) {
            if (w > 0)
                divider = item;
            else
                emptyDivider = item;
        }
        if (p.X >= x && p.X < right)
            on = item;
        x = right;
    }
    if (divider >= 0) {
        flags = HHT_ONDIVIDER;
        return divider;
    }
    if (emptyDivider >= 0) {
        flags = HHT_ONDIVOPEN;
        return emptyDivider;
    }
    flags = on >= 0 ? HHT_ONHEADER : HHT_NOWHERE;
    return on;
}

LRESULT THeaderWindow::Notify(int code, int item, HDITEM* pitem)
{
    NMHEADER nm;
    nm.hdr.hwndFrom = FWnd;
    nm.hdr.idFrom = UINT_PTR(GetWindowLong(FWnd, GWL_ID));
    nm.hdr.code = code;
    nm.iItem = item;
    nm.pitem = pitem;
    HWND parent = GetParent(FWnd);
    return parent ? SendMessage(parent, WM_NOTIFY, nm.hdr.idFrom, LPARAM(&nm)) : 0;
}

// Offers a new width to the parent and applies what it allows.
bool THeaderWindow::ApplyWidth(int item, int width)
{
    if (!IsWindow(FWnd) || item < 0 || item >= Count())
        return false;
    HDITEM it;
    it.mask = HDI_WIDTH;
    it.cxy = std::max(0, width);
    if (Notify(HDN_ITEMCHANGING, item, &it) != 0)
        return false;
    if (!IsWindow(FWnd) || item >= Count())
        return false;
    FItems[size_t(item)].Width = std::max(0, it.cxy);
    InvalidateRect(FWnd, nullptr, false);
    Notify(HDN_ITEMCHANGED, item, &it);
    return true;
}

void THeaderWindow::InsertItem(int index, const HDITEM& it)
{
    index = std::clamp(index, 0, Count());
    THeaderItem item;
    FItems.insert(FItems.begin() + index, item);
    for (int& o : FOrder)
        if (o >= index)
            ++o;
    int order = (it.mask & HDI_ORDER) && it.iOrder >= 0 ? std::min(it.iOrder, int(FOrder.size())) : index;
    order = std::min(order, int(FOrder.size()));
    FOrder.insert(FOrder.begin() + order, index);
    HDITEM all = it;
    all.mask &= ~HDI_ORDER;
    SetItem(index, all);
}

void THeaderWindow::SetItem(int index, const HDITEM& it)
{
    THeaderItem& item = FItems[size_t(index)];
    if (it.mask & HDI_WIDTH)
        item.Width = std::max(0, it.cxy);
    if (it.mask & HDI_TEXT)
        item.Text = it.pszText;
    if (it.mask & HDI_FORMAT)
        item.Fmt = it.fmt;
    if (it.mask & HDI_LPARAM)
        item.Param = it.lParam;
    if (it.mask & HDI_IMAGE)
        item.Image = it.iImage;
    if ((it.mask & HDI_ORDER) && it.iOrder >= 0 && it.iOrder < Count()) {
        FOrder.erase(std::find(FOrder.begin(), FOrder.end(), index));
        FOrder.insert(FOrder.begin() + it.iOrder, index);
    }
    InvalidateRect(FWnd, nullptr, false);
}

void THeaderWindow::GetItem(int index, HDITEM& it) const
{
    const THeaderItem& item = FItems[size_t(index)];
    if (it.mask & HDI_WIDTH)
        it.cxy = item.Width;
    if (it.mask & HDI_TEXT)
        it.pszText = item.Text;
    if (it.mask & HDI_FORMAT)
        it.fmt = item.Fmt;
    if (it.mask & HDI_LPARAM)
        it.lParam = item.Param;
    if (it.mask & HDI_IMAGE)
        it.iImage = item.Image;
    if (it.mask & HDI_ORDER)
        it.iOrder = int(std::find(FOrder.begin(), FOrder.end(), index) - FOrder.begin());
}

void THeaderWindow::DeleteItem(int index)
{
    FItems.erase(FItems.begin() + index);
    FOrder.erase(std::find(FOrder.begin(), FOrder.end(), index));
    for (int& o : FOrder)
        if (o > index)
            --o;
    EndModes();
    InvalidateRect(FWnd, nullptr, false);
}

// The display position a dragged section dropped at x takes: that of the
// shown section under x, the first or last past the ends.
int THeaderWindow::DropPosition(int x) const
{
    int left = 0, first = -1, last = -1;
    for (int pos = 0; pos < int(FOrder.size()); ++pos) {
        int w = FItems[size_t(FOrder[size_t(pos)])].Width;
        if (w <= 0)
            continue;
        if (first < 0)
            first = pos;
        last = pos;
        if (x >= left && x < left + w)
            return pos;
        left += w;
    }
    if (first < 0)
        return -1;
    return x < 0 ? first : last;
}

void THeaderWindow::FinishDrag()
{
    int item = FDragItem;
    FDragItem = -1;
    FDragging = false;
    if (GetCapture() == FWnd)
        ReleaseCapture();
    InvalidateRect(FWnd, nullptr, false);
    int to = DropPosition(FDragX);
    if (item < 0 || item >= Count() || to < 0)
        return;
    HDITEM it;
    it.mask = HDI_ORDER;
    it.iOrder = to;
    if (Notify(HDN_ENDDRAG, item, &it) != 0 || !IsWindow(FWnd) || item >= Count())
        return;
    auto from = std::find(FOrder.begin(), FOrder.end(), item);
    if (from == FOrder.end() || from - FOrder.begin() == to)
        return;
    FOrder.erase(from);
    FOrder.insert(FOrder.begin() + std::min(to, int(FOrder.size())), item);
    InvalidateRect(FWnd, nullptr, false);
    it.iOrder = to;
    Notify(HDN_ITEMCHANGED, item, &it);
}

void THeaderWindow::EndModes()
{
    bool had = FTrackItem >= 0 || FPressedItem >= 0 || FDragItem >= 0;
    FTrackItem = -1;
    FPressedItem = -1;
    FDragItem = -1;
    FDragging = false;
    if (had) {
        if (GetCapture() == FWnd)
            ReleaseCapture();
        InvalidateRect(FWnd, nullptr, false);
    }
}

void THeaderWindow::PaintSection(TCanvas& c, int index, const TRect& r, bool pressed)
{
    const THeaderItem& item = FItems[size_t(index)];
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBtnFace);
    c.FillRect(r);
    TRect edge = r;
    if (pressed)
        c.Frame3D(edge, clBtnShadow, clBtnShadow, 1);
    else
        c.Frame3D(edge, clBtnHighlight, clBtnShadow, 1);
    TRect t{r.Left + 5, r.Top, r.Right - 5, r.Bottom};
    if (pressed)
        t.Offset(1, 1);
    bool image = FImages && (item.Fmt & HDF_IMAGE) && item.Image >= 0 && item.Image < FImages->Count();
    int iw = image ? FImages->Width() + 4 : 0;
    int tw = c.TextWidth(item.Text);
    int x = t.Left;
    if (tw + iw <= t.Width()) {
        switch (item.Fmt & HDF_JUSTIFYMASK) {
        case HDF_RIGHT: x = t.Right - tw - iw; break;
        case HDF_CENTER: x = t.Left + (t.Width() - tw - iw) / 2; break;
        default: break;
        }
    }
    TSavedDC saved(c.Handle());
    c.Handle()->IntersectClipRect(t);
    if (image)
        FImages->Draw(c, x, t.Top + (t.Height() - FImages->Height()) / 2, item.Image, true);
    TRect tr{x + iw, t.Top, t.Right, t.Bottom};
    c.Brush().SetStyle(bsClear);
    c.DrawText(item.Text, tr, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void THeaderWindow::Paint(HDC dc)
{
    TCanvas c;
    c.SetHandle(dc);
    c.Font().Assign(FFont);
    c.Font().SetColor(clBtnText);
    TRect client;
    GetClientRect(FWnd, client);
    int right = 0;
    for (int item : FOrder) {
        TRect r = ItemRect(item);
        right = std::max(right, r.Right);
        if (r.Width() > 0)
            PaintSection(c, item, r, (item == FPressedItem && FPressedInside) || (FDragging && item == FDragItem));
    }
    if (right < client.Right) {
        TRect filler{right, 0, client.Right, client.Bottom};
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clBtnFace);
        c.FillRect(filler);
        c.Brush().SetColor(clBtnShadow);
        c.FillRect(TRect{right, client.Bottom - 1, client.Right, client.Bottom});
    }
    if (FDragging) {
        // A bar where the dragged section would land.
        int to = DropPosition(FDragX);
        int from = int(std::find(FOrder.begin(), FOrder.end(), FDragItem) - FOrder.begin());
        if (to >= 0) {
            TRect target = ItemRect(FOrder[size_t(to)]);
            int x = to > from ? target.Right : target.Left;
            c.Brush().SetStyle(bsSolid);
            c.Brush().SetColor(clHighlight);
            c.FillRect(TRect{x - 1, 0, x + 1, client.Bottom});
        }
    }
    if (FTrackItem >= 0 && !(GetWindowLong(FWnd, GWL_STYLE) & HDS_FULLDRAG)) {
        TRect r = ItemRect(FTrackItem);
        int x = r.Left + FTrackWidth;
        c.Brush().SetColor(clBlack);
        c.FillRect(TRect{x - 1, 0, x + 1, client.Bottom});
    }
    c.SetHandle(nullptr);
}

LRESULT THeaderWindow::Proc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case HDM_GETITEMCOUNT: return Count();
    case HDM_INSERTITEM: return HDMInsertItem(wp, lp);
    case HDM_DELETEITEM: return HDMDeleteItem(wp);
    case HDM_GETITEM:
    case HDM_SETITEM: return HDMGetItem(msg, wp, lp);
    case HDM_GETITEMRECT: return HDMGetItemRect(wp, lp);
    case HDM_HITTEST: return HDMHitTest(lp);
    case HDM_GETORDERARRAY: return HDMGetOrderArray(wp, lp);
    case HDM_SETORDERARRAY: return HDMSetOrderArray(wp, lp);
    case HDM_ORDERTOINDEX: return int(wp) >= 0 && int(wp) < Count() ? FOrder[wp] : int(wp);
    case HDM_SETIMAGELIST: return HDMSetImageList(lp);
    case HDM_GETIMAGELIST: return LRESULT(FImages);
    case HDM_LAYOUT: return HDMLayout(lp);
    case WM_SETFONT: return WMSetFont(lp);
    case WM_GETFONT: return LRESULT(&FFont);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return WMPaint(wp);
    case WM_PRINTCLIENT: return WMPrintClient(wp);
    case WM_SETCURSOR:
        if (WMSetCursor(lp))
            return 1;
        break;
    case WM_LBUTTONDOWN: return WMLButtonDown(wp, lp);
    case WM_LBUTTONDBLCLK: return WMLButtonDblClk(wp, lp);
    case WM_MOUSEMOVE: return WMMouseMove(lp);
    case WM_LBUTTONUP: return WMLButtonUp(lp);
    case WM_CAPTURECHANGED: return WMCaptureChanged(lp);
    case WM_CANCELMODE: EndModes(); return 0;
    default: break;
    }
    return DefWindowProc(FWnd, msg, wp, lp);
}

// ------------------------------------------------ the procedure's handlers

LRESULT THeaderWindow::HDMInsertItem(WPARAM wp, LPARAM lp)
{
    if (!lp)
        return -1;
    InsertItem(int(wp), *reinterpret_cast<const HDITEM*>(lp));
    return std::min(int(wp), Count() - 1);
}

LRESULT THeaderWindow::HDMDeleteItem(WPARAM wp)
{
    if (int(wp) < 0 || int(wp) >= Count())
        return 0;
    DeleteItem(int(wp));
    return 1;
}

LRESULT THeaderWindow::HDMGetItem(UINT msg, WPARAM wp, LPARAM lp)
{
    if (!lp || int(wp) < 0 || int(wp) >= Count())
        return 0;
    if (msg == HDM_GETITEM)
        GetItem(int(wp), *reinterpret_cast<HDITEM*>(lp));
    else
        SetItem(int(wp), *reinterpret_cast<const HDITEM*>(lp));
    return 1;
}

LRESULT THeaderWindow::HDMGetItemRect(WPARAM wp, LPARAM lp)
{
    if (!lp || int(wp) < 0 || int(wp) >= Count())
        return 0;
    *reinterpret_cast<TRect*>(lp) = ItemRect(int(wp));
    return 1;
}

LRESULT THeaderWindow::HDMHitTest(LPARAM lp)
{
    if (!lp)
        return -1;
    auto* info = reinterpret_cast<HDHITTESTINFO*>(lp);
    info->iItem = HitTest(info->pt, info->flags);
    return info->iItem;
}

LRESULT THeaderWindow::HDMGetOrderArray(WPARAM wp, LPARAM lp)
{
    if (!lp || int(wp) != Count())
        return 0;
    std::copy(FOrder.begin(), FOrder.end(), reinterpret_cast<int*>(lp));
    return 1;
}

LRESULT THeaderWindow::HDMSetOrderArray(WPARAM wp, LPARAM lp)
{
    if (!lp || int(wp) != Count())
        return 0;
    const int* order = reinterpret_cast<const int*>(lp);
    std::vector<int> next(order, order + Count());
    std::vector<int> sorted = next;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < Count(); ++i)
        if (sorted[size_t(i)] != i)
            return 0;  // not a permutation of the items
    FOrder = next;
    InvalidateRect(FWnd, nullptr, false);
    return 1;
}

LRESULT THeaderWindow::HDMSetImageList(LPARAM lp)
{
    TImageList* old = FImages;
    FImages = reinterpret_cast<TImageList*>(lp);
    InvalidateRect(FWnd, nullptr, false);
    return LRESULT(old);
}

LRESULT THeaderWindow::HDMLayout(LPARAM lp)
{
    auto* layout = reinterpret_cast<HDLAYOUT*>(lp);
    if (!layout || !layout->prc || !layout->pwpos)
        return 0;
    int h = (GetWindowLong(FWnd, GWL_STYLE) & HDS_HIDDEN) ? 0 : HeaderHeightFor(FFont);
    TRect& rc = *layout->prc;
    *layout->pwpos = WINDOWPOS{FWnd, nullptr, rc.Left, rc.Top, rc.Width(), h, SWP_NOZORDER | SWP_NOACTIVATE};
    rc.Top += h;
    return 1;
}

LRESULT THeaderWindow::WMSetFont(LPARAM lp)
{
    if (lp)
        FFont.Assign(*reinterpret_cast<const TFont*>(lp));
    InvalidateRect(FWnd, nullptr, false);
    return 0;
}

LRESULT THeaderWindow::WMPaint(WPARAM wp)
{
    HDC dc = reinterpret_cast<HDC>(wp);
    PAINTSTRUCT ps;
    if (!dc)
        dc = BeginPaint(FWnd, ps);
    if (dc)
        Paint(dc);
    if (!wp)
        EndPaint(FWnd, ps);
    return 0;
}

LRESULT THeaderWindow::WMPrintClient(WPARAM wp)
{
    if (wp)
        Paint(reinterpret_cast<HDC>(wp));
    return 0;
}

LRESULT THeaderWindow::WMLButtonDown(WPARAM wp, LPARAM lp)
{
    TPoint p = LParamToPoint(lp);
    UINT flags = 0;
    int item = HitTest(p, flags);
    if (item < 0)
        return DefWindowProc(FWnd, WM_LBUTTONDOWN, wp, lp);
    if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
        if (Notify(HDN_BEGINTRACK, item) != 0 || !IsWindow(FWnd))
            return 0;
        FTrackItem = item;
        FTrackStartX = p.X;
        FTrackStartWidth = FItems[size_t(item)].Width;
        FTrackWidth = FTrackStartWidth;
        SetCapture(FWnd);
    } else {
        DWORD style = DWORD(GetWindowLong(FWnd, GWL_STYLE));
        if (style & HDS_DRAGDROP) {
            FDragItem = item;
            FDragStartX = FDragX = p.X;
            SetCapture(FWnd);
        }
        if (style & HDS_BUTTONS) {
            FPressedItem = item;
            FPressedInside = true;
            SetCapture(FWnd);
            InvalidateRect(FWnd, nullptr, false);
        }
    }
    return 0;
}

LRESULT THeaderWindow::WMLButtonDblClk(WPARAM wp, LPARAM lp)
{
    UINT flags = 0;
    int item = HitTest(LParamToPoint(lp), flags);
    if (item >= 0 && (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))) {
        Notify(HDN_DIVIDERDBLCLICK, item);
        return 0;
    }
    return Proc(WM_LBUTTONDOWN, wp, lp);
}

LRESULT THeaderWindow::WMMouseMove(LPARAM lp)
{
    TPoint p = LParamToPoint(lp);
    if (FTrackItem >= 0) {
        FTrackWidth = std::max(0, FTrackStartWidth + p.X - FTrackStartX);
        HDITEM it;
        it.mask = HDI_WIDTH;
        it.cxy = FTrackWidth;
        if (Notify(HDN_TRACK, FTrackItem, &it) != 0) {
            EndModes();
            return 0;
        }
        if (GetWindowLong(FWnd, GWL_STYLE) & HDS_FULLDRAG)
            ApplyWidth(FTrackItem, FTrackWidth);
        else
            InvalidateRect(FWnd, nullptr, false);
        return 0;
    }
    if (FDragItem >= 0 && !FDragging && std::abs(p.X - FDragStartX) > DragThreshold) {
        if (Notify(HDN_BEGINDRAG, FDragItem) != 0 || !IsWindow(FWnd)) {
            FDragItem = -1;
        } else {
            FDragging = true;
            FPressedItem = -1;
            InvalidateRect(FWnd, nullptr, false);
        }
    }
    if (FDragging) {
        FDragX = p.X;
        InvalidateRect(FWnd, nullptr, false);
    } else if (FPressedItem >= 0) {
        UINT flags = 0;
        bool inside = HitTest(p, flags) == FPressedItem && (flags & HHT_ONHEADER);
        if (inside != FPressedInside) {
            FPressedInside = inside;
            InvalidateRect(FWnd, nullptr, false);
        }
    }
    return 0;
}

LRESULT THeaderWindow::WMLButtonUp(LPARAM lp)
{
    if (FTrackItem >= 0) {
        int item = FTrackItem;
        FTrackItem = -1;
        if (GetCapture() == FWnd)
            ReleaseCapture();
        if (!(GetWindowLong(FWnd, GWL_STYLE) & HDS_FULLDRAG))
            ApplyWidth(item, FTrackWidth);
        InvalidateRect(FWnd, nullptr, false);
        HDITEM it;
        it.mask = HDI_WIDTH;
        it.cxy = item < Count() ? FItems[size_t(item)].Width : 0;
        Notify(HDN_ENDTRACK, item, &it);
    } else if (FDragging) {
        FDragX = LParamToPoint(lp).X;
        FinishDrag();
    } else if (FPressedItem >= 0) {
        FDragItem = -1;
        int item = FPressedItem;
        bool inside = FPressedInside;
        FPressedItem = -1;
        if (GetCapture() == FWnd)
            ReleaseCapture();
        InvalidateRect(FWnd, nullptr, false);
        if (inside)
            Notify(HDN_ITEMCLICK, item);
    } else if (FDragItem >= 0) {
        FDragItem = -1;
        if (GetCapture() == FWnd)
            ReleaseCapture();
    }
    return 0;
}

LRESULT THeaderWindow::WMCaptureChanged(LPARAM lp)
{
    if (reinterpret_cast<HWND>(lp) != FWnd && (FTrackItem >= 0 || FPressedItem >= 0 || FDragItem >= 0)) {
        FTrackItem = -1;
        FPressedItem = -1;
        FDragItem = -1;
        FDragging = false;
        InvalidateRect(FWnd, nullptr, false);
    }
    return 0;
}

}  // namespace

void RegisterHeaderClass()
{
    WNDCLASS wc;
    if (GetClassInfo(WC_HEADER, wc))
        return;
    wc = WNDCLASS{};
    wc.lpszClassName = WC_HEADER;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &HeaderClassProc;
    wc.hCursor = IDC_ARROW;
    wc.hbrBackground = clNone;
    RegisterClass(wc);
}

int HeaderHeightFor(const TFont& font)
{
    TBitmap measure(1, 1);
    TCanvas* c = measure.Canvas();
    c->Font().Assign(font);
    return c->TextHeight("Wg") + 6;
}

// The sizing cursor over a divider or while one is dragged.
bool THeaderWindow::WMSetCursor(LPARAM lp)
{
    if (LOWORD(lp) != HTCLIENT)
        return false;
    TPoint p;
    GetCursorPos(p);
    ScreenToClient(FWnd, p);
    UINT flags = 0;
    HitTest(p, flags);
    if (FTrackItem >= 0 || (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))) {
        SetCursor(IDC_SIZEWE);
        return true;
    }
    return false;
}
