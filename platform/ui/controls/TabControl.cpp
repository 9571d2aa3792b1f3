#include "platform/ui/controls/TabControl.h"
#include <algorithm>
#include <numeric>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/OwnMessageRange.h"

namespace {

constexpr int ArrowWidth = 16;

}  // namespace

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
    FWidth = 289;
    FHeight = 193;
    SetParentColor(false);
    FColor = clBtnFace;
    SetTabStop(true);
}

TCustomTabControl::~TCustomTabControl() = default;

void TCustomTabControl::CreateWnd()
{
    TCustomControl::CreateWnd();
    Layout();
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        SetImages(nullptr);
}

void TCustomTabControl::SetTabIndex(int v)
{
    Perform(TCM_SETCURSEL, WPARAM(v));
}

void TCustomTabControl::SetTabWidth(int v)
{
    Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(std::max(0, v), FItemSize.cy));
}

void TCustomTabControl::SetTabHeight(int v)
{
    Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(FItemSize.cx, std::max(0, v)));
}

void TCustomTabControl::SetMultiLine(bool v)
{
    FMultiLine = v;
    FFirstTab = 0;
    Layout();
}

void TCustomTabControl::SetTabPosition(TTabPosition v)
{
    FTabPosition = v;
    Layout();
}

void TCustomTabControl::SetHotTrack(bool v)
{
    FHotTrack = v;
    if (!v)
        SetHotTab(-1);
}

void TCustomTabControl::SetOwnerDraw(bool v)
{
    FOwnerDraw = v;
    Invalidate();
}

void TCustomTabControl::SetRaggedRight(bool v)
{
    FRaggedRight = v;
    Layout();
}

void TCustomTabControl::SetScrollOpposite(bool v)
{
    FScrollOpposite = v;
    Layout();
}

void TCustomTabControl::SetHotTab(int index)
{
    if (index == FHotTab)
        return;
    FHotTab = index;
    Invalidate();
}

void TCustomTabControl::SetImages(TImageList* v)
{
    Perform(TCM_SETIMAGELIST, 0, LPARAM(v));
}

TRect TCustomTabControl::DisplayRect()
{
    TRect r = ClientRect();
    Perform(TCM_ADJUSTRECT, 0, LPARAM(&r));
    return r;
}

TRect TCustomTabControl::TabRect(int index)
{
    TRect r;
    if (!Perform(TCM_GETITEMRECT, WPARAM(index), LPARAM(&r)))
        return TRect{};
    return r;
}

int TCustomTabControl::IndexOfTabAt(int x, int y)
{
    TCHITTESTINFO info;
    info.pt = TPoint{x, y};
    return int(Perform(TCM_HITTEST, 0, LPARAM(&info)));
}

void TCustomTabControl::AdjustClientRect(TRect& r)
{
    r = DisplayRect();
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    if (OnChanging && !IsLoading())
        OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change()
{
    if (OnChange && !IsLoading())
        OnChange(this);
}

int TCustomTabControl::GetImageIndex(int TabIndex)
{
    int index = TabIndex;
    if (OnGetImageIndex)
        OnGetImageIndex(this, TabIndex, index);
    return index;
}

bool TCustomTabControl::SelectTab(int index)
{
    if (index < 0 || index >= TabCount() || index == FCurSel)
        return false;
    if (!CanChange())
        return false;
    Perform(TCM_SETCURSEL, WPARAM(index));
    Change();
    return true;
}

void TCustomTabControl::SetTabItems(const std::vector<std::string>& captions)
{
    FItems.assign(captions.size(), TTabItem{});
    for (size_t i = 0; i < captions.size(); ++i)
        FItems[i].Caption = captions[i];
    if (FCurSel >= TabCount())
        FCurSel = TabCount() - 1;
    if (FCurSel < 0 && TabCount() > 0)
        FCurSel = 0;
    FFirstTab = std::min(FFirstTab, std::max(0, TabCount() - 1));
    Layout();
}

// ------------------------------------------------------------------ layout

int TCustomTabControl::TabDepth() const
{
    if (FItemSize.cy > 0)
        return FItemSize.cy;
    int h = FTextHeight + 7;
    if (FImages)
        h = std::max(h, FImages->Height() + 6);
    return h;
}

int TCustomTabControl::TabLength(int index) const
{
    if (FItemSize.cx > 0)
        return FItemSize.cx;
    int len = (size_t(index) < FTextWidths.size() ? FTextWidths[size_t(index)] : 0) + 12;
    if (FImages && const_cast<TCustomTabControl*>(this)->GetImageIndex(index) >= 0)
        len += FImages->Width() + 3;
    return len;
}

void TCustomTabControl::Layout()
{
    TBitmap measure(1, 1);
    TCanvas* c = measure.Canvas();
    c->Font().Assign(Font());
    FTextHeight = c->TextHeight("Wg");
    FTextWidths.clear();
    for (const TTabItem& it : FItems)
        FTextWidths.push_back(c->TextWidth(it.Caption));
    int h = TabDepth();
    int room = (Vertical() ? ClientHeight() : ClientWidth()) - 4;
    // Rows in order, then turned so the selected tab's row is nearest the page.
    int row = 0, x = 0;
    for (int i = 0; i < TabCount(); ++i) {
        int len = TabLength(i);
        if (Wraps() && x > 0 && x + len > room) {
            ++row;
            x = 0;
        }
        FItems[size_t(i)].Rect = TRect{x, 0, x + len, h};
        FItems[size_t(i)].Row = row;
        x += len;
    }
    FRowCount = TabCount() > 0 ? row + 1 : 0;
    if (Wraps() && FRowCount > 1 && !FRaggedRight)
        JustifyRows(room);
    ArrangeRows();
    if (HandleAllocated())
        Realign();  // the display area follows the number of rows
    Invalidate();
}

// Stretches every row to the strip's length, the extra shared out among its
// tabs (the last one takes what does not divide).
void TCustomTabControl::JustifyRows(int Room)
{
    for (int row = 0; row < FRowCount; ++row) {
        std::vector<size_t> tabs;
        int length = 0;
        for (size_t i = 0; i < FItems.size(); ++i)
            if (FItems[i].Row == row) {
                tabs.push_back(i);
                length += FItems[i].Rect.Width();
            }
        const int extra = Room - length;
        if (tabs.empty() || extra <= 0)
            continue;
        int x = 0;
        for (size_t k = 0; k < tabs.size(); ++k) {
            TRect& r = FItems[tabs[k]].Rect;
            const int grow = extra / int(tabs.size()) + (k + 1 == tabs.size() ? extra % int(tabs.size()) : 0);
            r = TRect{x, r.Top, x + r.Width() + grow, r.Bottom};
            x = r.Right;
        }
    }
}

// Turns the rows so that the selected tab's row is nearest the page; with
// ScrollOpposite the rows before it go to the other side instead.
void TCustomTabControl::ArrangeRows()
{
    const int n = std::max(1, FRowCount);
    const int sr = FCurSel >= 0 && FCurSel < TabCount() ? FItems[size_t(FCurSel)].Row : 0;
    const bool nearestLast = FTabPosition == tpTop || FTabPosition == tpLeft;
    FOppositeRows = FScrollOpposite && Wraps() ? sr : 0;
    const int m = n - FOppositeRows;   // rows left at the tab side
    for (TTabItem& it : FItems) {
        it.Opposite = it.Row < FOppositeRows;
        if (it.Opposite)   // the opposite band's nearest row (to the page) is the one just before the selected
            it.Row = nearestLast ? FOppositeRows - 1 - it.Row : it.Row;
        else if (FOppositeRows > 0)
            it.Row = nearestLast ? m - 1 - (it.Row - sr) : it.Row - sr;
        else
            it.Row = nearestLast ? (it.Row - sr + n - 1 + n) % n : (it.Row - sr + n) % n;
    }
}

TRect TCustomTabControl::ItemRect(int index) const
{
    const TTabItem& it = FItems[size_t(index)];
    int h = TabDepth();
    int S = (FRowCount - FOppositeRows) * h;
    int W = ClientWidth(), H = ClientHeight();
    int along = it.Rect.Left + 2;
    if (!Wraps())
        for (int i = 0; i < FFirstTab && i < TabCount(); ++i)
            along -= FItems[size_t(i)].Rect.Width();
    int len = it.Rect.Width();
    int k = it.Row;
    if (it.Opposite) {
        // The band on the far side: its row 0 lies nearest the page.
        const int So = FOppositeRows * h;
        switch (FTabPosition) {
        case tpTop: return TRect{along, H - So - 2 + k * h, along + len, H - So - 2 + (k + 1) * h};
        case tpBottom: return TRect{along, 2 + (FOppositeRows - 1 - k) * h, along + len, 2 + (FOppositeRows - k) * h};
        case tpLeft: return TRect{W - So - 2 + k * h, along, W - So - 2 + (k + 1) * h, along + len};
        case tpRight: return TRect{2 + (FOppositeRows - 1 - k) * h, along, 2 + (FOppositeRows - k) * h, along + len};
        }
    }
    switch (FTabPosition) {
    case tpBottom: return TRect{along, H - S - 2 + k * h, along + len, H - S - 2 + (k + 1) * h};
    case tpLeft: return TRect{2 + k * h, along, 2 + (k + 1) * h, along + len};
    case tpRight: return TRect{W - S - 2 + k * h, along, W - S - 2 + (k + 1) * h, along + len};
    default: return TRect{along, 2 + k * h, along + len, 2 + (k + 1) * h};
    }
}

bool TCustomTabControl::Overflows() const
{
    if (FMultiLine || TabCount() == 0 || FTabPosition == tpLeft || FTabPosition == tpRight)
        return false;
    int total = 0;
    for (const TTabItem& it : FItems)
        total += it.Rect.Width();
    return FFirstTab > 0 || total + 2 > ClientWidth();
}

TRect TCustomTabControl::ArrowsRect() const
{
    if (!Overflows())
        return TRect{};
    int h = TabDepth();
    int size = std::min(h, ArrowWidth);
    TRect client = ClientRect();
    int top = FTabPosition == tpBottom ? client.Bottom - 2 - h + (h - size) / 2 : 2 + (h - size) / 2;
    return TRect{client.Right - 2 * ArrowWidth, top, client.Right, top + size};
}

int TCustomTabControl::HitTest(TPoint p) const
{
    if (ArrowsRect().Contains(p))
        return -1;
    for (int i = 0; i < TabCount(); ++i)
        if (ItemRect(i).Contains(p))
            return i;
    return -1;
}

void TCustomTabControl::ScrollTabs(int first)
{
    int maxFirst = 0;
    if (!FMultiLine && TabCount() > 0) {
        int room = ClientWidth() - 3 - 2 * ArrowWidth;
        int rest = 0;
        maxFirst = TabCount() - 1;
        for (int i = TabCount() - 1; i >= 0; --i) {
            rest += FItems[size_t(i)].Rect.Width();
            if (rest > room)
                break;
            maxFirst = i;
        }
    }
    first = std::clamp(first, 0, maxFirst);
    if (first != FFirstTab) {
        FFirstTab = first;
        Invalidate();
    }
}

LRESULT TCustomTabControl::TabMessage(TMessage& m, bool& handled)
{
    handled = true;
    switch (m.Msg) {
    case TCM_GETITEMCOUNT: return TabCount();
    case TCM_GETITEMRECT: return TCMGetItemRect(m);
    case TCM_GETCURSEL: return FCurSel;
    case TCM_SETCURSEL: return TCMSetCurSel(m);
    case TCM_HITTEST: return TCMHitTest(m);
    case TCM_ADJUSTRECT: return TCMAdjustRect(m);
    case TCM_SETITEMSIZE: return TCMSetItemSize(m);
    case TCM_GETROWCOUNT: return FRowCount;
    case TCM_SETIMAGELIST: return TCMSetImageList(m);
    case TCM_GETIMAGELIST: return LRESULT(FImages);
    case TCM_DELETEITEM: return TCMDeleteItem(m);
    case TCM_DELETEALLITEMS: return TCMDeleteAllItems();
    default: handled = false; return 0;
    }
}

// ------------------------------------------------ the tab control messages' handlers

LRESULT TCustomTabControl::TCMGetItemRect(TMessage& m)
{
    auto* r = reinterpret_cast<TRect*>(m.LParam);
    int i = int(m.WParam);
    if (!r || i < 0 || i >= TabCount())
        return 0;
    *r = ItemRect(i);
    return 1;
}

LRESULT TCustomTabControl::TCMSetCurSel(TMessage& m)
{
    int i = int(m.WParam);
    if (i < -1 || i >= TabCount())
        return -1;
    int old = FCurSel;
    FCurSel = i;
    if (i >= 0 && !Wraps())
        BringTabIntoRow(i);
    if (Wraps())
        Layout();
    Invalidate();
    return old;
}

// Scrolls a single row of tabs until the tab at Index shows whole.
void TCustomTabControl::BringTabIntoRow(int Index)
{
    if (Index < FFirstTab) {
        ScrollTabs(Index);
        return;
    }
    while (FFirstTab < Index && ItemRect(Index).Right > ClientWidth() - 3 - (Overflows() ? 2 * ArrowWidth : 0)) {
        int before = FFirstTab;
        ScrollTabs(FFirstTab + 1);
        if (FFirstTab == before)
            break;
    }
}

LRESULT TCustomTabControl::TCMHitTest(TMessage& m)
{
    auto* info = reinterpret_cast<TCHITTESTINFO*>(m.LParam);
    if (!info)
        return -1;
    int i = HitTest(info->pt);
    info->flags = i < 0 ? TCHT_NOWHERE : TCHT_ONITEM;
    return i;
}

// Turns a window rectangle into the page's (WParam 0) or a page rectangle into the window's.
LRESULT TCustomTabControl::TCMAdjustRect(TMessage& m)
{
    auto* r = reinterpret_cast<TRect*>(m.LParam);
    if (!r)
        return 0;
    int S = (FRowCount - FOppositeRows) * TabDepth();
    int So = FOppositeRows * TabDepth();
    int sign = m.WParam ? -1 : 1;
    int tabSide = S + (FTabPosition == tpTop ? 6 : 4);
    int left = FTabPosition == tpLeft ? tabSide : FTabPosition == tpRight ? 4 + So : 4;
    int top = FTabPosition == tpTop ? tabSide : FTabPosition == tpBottom ? 4 + So : 4;
    int right = FTabPosition == tpRight ? tabSide : FTabPosition == tpLeft ? 4 + So : 4;
    int bottom = FTabPosition == tpBottom ? tabSide : FTabPosition == tpTop ? 4 + So : 4;
    r->Left += sign * left;
    r->Top += sign * top;
    r->Right -= sign * right;
    r->Bottom -= sign * bottom;
    return 0;
}

LRESULT TCustomTabControl::TCMSetItemSize(TMessage& m)
{
    LRESULT old = MAKELRESULT(TabLength(std::max(0, FCurSel)), TabDepth());
    FItemSize = TSize{LOWORD(m.LParam), HIWORD(m.LParam)};
    Layout();
    return old;
}

LRESULT TCustomTabControl::TCMSetImageList(TMessage& m)
{
    TImageList* old = FImages;
    FImages = reinterpret_cast<TImageList*>(m.LParam);
    if (FImages)
        FImages->FreeNotification(this);
    Layout();
    return LRESULT(old);
}

LRESULT TCustomTabControl::TCMDeleteItem(TMessage& m)
{
    int i = int(m.WParam);
    if (i < 0 || i >= TabCount())
        return 0;
    FItems.erase(FItems.begin() + i);
    if (FCurSel >= TabCount() || FCurSel > i)
        --FCurSel;
    Layout();
    return 1;
}

LRESULT TCustomTabControl::TCMDeleteAllItems()
{
    FItems.clear();
    FCurSel = -1;
    FFirstTab = 0;
    Layout();
    return 1;
}

void TCustomTabControl::WndProc(TMessage& m)
{
    if (AnswerOwnMessage(*this, &TCustomTabControl::TabMessage, TCM_FIRST, m))
        return;
    switch (m.Msg) {
    case WM_HSCROLL:
        switch (LOWORD(m.WParam)) {
        case SB_THUMBPOSITION: ScrollTabs(HIWORD(m.WParam)); break;
        case SB_LINELEFT: ScrollTabs(FFirstTab - 1); break;
        case SB_LINERIGHT: ScrollTabs(FFirstTab + 1); break;
        default: break;
        }
        m.Result = 0;
        return;
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS;
        return;
    case WM_SIZE:
        TCustomControl::WndProc(m);
        Layout();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(m);
        Invalidate();
        return;
    case CM_MOUSELEAVE:
        TCustomControl::WndProc(m);
        SetHotTab(-1);
        return;
    case CM_FONTCHANGED:
        TCustomControl::WndProc(m);
        Layout();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

// ------------------------------------------------------------------ input

void TCustomTabControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        TRect arrows = ArrowsRect();
        if (arrows.Contains(TPoint{X, Y}))
            Perform(WM_HSCROLL, X < arrows.Left + ArrowWidth ? SB_LINELEFT : SB_LINERIGHT);
        else
            SelectTab(HitTest(TPoint{X, Y}));
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomTabControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FHotTrack)
        SetHotTab(HitTest(TPoint{X, Y}));
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomTabControl::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (TabCount() == 0)
        return;
    if (Key == VK_LEFT || Key == VK_UP) {
        SelectTab(std::max(0, FCurSel - 1));
        Key = 0;
    } else if (Key == VK_RIGHT || Key == VK_DOWN) {
        SelectTab(std::min(TabCount() - 1, FCurSel + 1));
        Key = 0;
    }
}

// ---------------------------------------------------------------- painting

// The image and caption of a tab, centred level in r.
void TCustomTabControl::PaintTabLabel(TCanvas& c, int index, const TRect& r)
{
    int image = FImages ? GetImageIndex(index) : -1;
    int iw = image >= 0 ? FImages->Width() + 3 : 0;
    int tw = index < int(FTextWidths.size()) ? FTextWidths[size_t(index)] : 0;
    int x = r.Left + (r.Width() - tw - iw) / 2;
    if (image >= 0 && image < FImages->Count())
        FImages->Draw(c, x, r.Top + (r.Height() - FImages->Height()) / 2, image, Enabled());
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(!Enabled() ? clGrayText : index == FHotTab ? clHotLight : clBtnText);
    TRect t{x + iw, r.Top, r.Right, r.Bottom};
    c.DrawText(FItems[size_t(index)].Caption, t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TCustomTabControl::PaintTab(TCanvas& c, int index, bool selected)
{
    TRect r = ItemRect(index);
    // The selected tab stands out by 2 pixels and covers the frame below it.
    if (selected) {
        switch (FTabPosition) {
        case tpTop: r = TRect{r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 3}; break;
        case tpBottom: r = TRect{r.Left - 2, r.Top - 3, r.Right + 2, r.Bottom + 2}; break;
        case tpLeft: r = TRect{r.Left - 2, r.Top - 2, r.Right + 3, r.Bottom + 2}; break;
        case tpRight: r = TRect{r.Left - 3, r.Top - 2, r.Right + 2, r.Bottom + 2}; break;
        }
    }
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBtnFace);
    c.FillRect(r);
    TRect edge = r;
    c.Frame3D(edge, clBtnHighlight, clBtnShadow, 1);
    // Open toward the page.
    c.Brush().SetColor(clBtnFace);
    switch (FTabPosition) {
    case tpTop: c.FillRect(TRect{r.Left + 1, r.Bottom - 1, r.Right - 1, r.Bottom}); break;
    case tpBottom: c.FillRect(TRect{r.Left + 1, r.Top, r.Right - 1, r.Top + 1}); break;
    case tpLeft: c.FillRect(TRect{r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}); break;
    case tpRight: c.FillRect(TRect{r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}); break;
    }
    TRect content = ItemRect(index);
    if (selected && FTabPosition == tpTop)
        content.Offset(0, -1);
    if (FOwnerDraw && OnDrawTab) {
        TSavedDC saved(c.Handle());
        c.Handle()->IntersectClipRect(content);
        OnDrawTab(this, index, content, selected);
    } else {
        TSavedDC saved(c.Handle());
        c.Handle()->IntersectClipRect(content);
        if ((FTabPosition == tpLeft || FTabPosition == tpRight) && !content.IsEmpty()) {
            // Side tabs read along their length: the label is laid out level in
            // a bitmap and turned a quarter (bottom to top on the left, top to
            // bottom on the right).
            TBitmap level(content.Height(), content.Width());
            TCanvas& lc = *level.Canvas();
            lc.Brush().SetStyle(bsSolid);
            lc.Brush().SetColor(clBtnFace);
            lc.FillRect(TRect{0, 0, level.Width(), level.Height()});
            lc.Font().Assign(c.Font());
            PaintTabLabel(lc, index, TRect{0, 0, level.Width(), level.Height()});
            TBitmap turned(content.Width(), content.Height());
            int len = level.Width(), depth = level.Height();
            for (int y = 0; y < depth; ++y)
                for (int x = 0; x < len; ++x) {
                    TColor px = level.GetPixel(x, y) & 0xFFFFFF;
                    if (FTabPosition == tpLeft)
                        turned.SetPixel(y, len - 1 - x, px);
                    else
                        turned.SetPixel(depth - 1 - y, x, px);
                }
            c.Draw(content.Left, content.Top, turned);
        } else {
            PaintTabLabel(c, index, content);
        }
    }
    if (selected && Focused()) {
        TRect f = content;
        f.Inflate(-2, -2);
        c.DrawFocusRect(f);
    }
}

void TCustomTabControl::Paint()
{
    TCanvas& c = Canvas();
    TRect client = ClientRect();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(client);
    c.Font().Assign(Font());
    TRect frame = DisplayRect();
    frame.Inflate(2, 2);
    TRect f = frame;
    c.Frame3D(f, clBtnHighlight, cl3DDkShadow, 1);
    c.Frame3D(f, clBtnFace, clBtnShadow, 1);
    TRect arrows = ArrowsRect();
    {
        TSavedDC saved(c.Handle());
        if (!arrows.IsEmpty())
            c.Handle()->ExcludeClipRect(TRect{arrows.Left, 0, client.Right, client.Bottom});
        for (int i = 0; i < TabCount(); ++i)
            if (i != FCurSel)
                PaintTab(c, i, false);
        if (FCurSel >= 0 && FCurSel < TabCount())
            PaintTab(c, FCurSel, true);
    }
    if (!arrows.IsEmpty()) {
        for (int side = 0; side < 2; ++side) {
            TRect b{arrows.Left + side * ArrowWidth, arrows.Top, arrows.Left + (side + 1) * ArrowWidth, arrows.Bottom};
            c.Brush().SetColor(clBtnFace);
            c.FillRect(b);
            TRect e = b;
            c.Frame3D(e, clBtnHighlight, clBtnShadow, 1);
            int cx = (b.Left + b.Right) / 2, cy = (b.Top + b.Bottom) / 2;
            c.Brush().SetColor(clBtnText);
            for (int k = 0; k < 4; ++k) {
                int x = side == 0 ? cx - 2 + k : cx + 1 - k;
                c.FillRect(TRect{x, cy - k, x + 1, cy + k + 1});
            }
        }
    }
}

// ------------------------------------------------------------ TTabControl

TTabControl::TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner)
{
    FTabs.OnChange = [this](TObject*) {
        std::vector<std::string> captions;
        for (int i = 0; i < FTabs.Count(); ++i)
            captions.push_back(FTabs.Get(i));
        SetTabItems(captions);
    };
}

TTabControl::~TTabControl()
{
    FTabs.OnChange = nullptr;
}
