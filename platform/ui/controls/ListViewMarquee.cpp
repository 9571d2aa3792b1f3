#include <algorithm>
#include "platform/ui/Paint.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/ListView.h"

// Rubber-band selection. The band's corners are kept in content
// coordinates so that a scroll during the drag keeps the start where it was.

namespace {

bool Touches(const TRect& a, const TRect& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

int FloorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The content offset of the view: what was scrolled away on each side.
TPoint ContentOffset(TViewStyle style, int scrollX, int top, int rowHeight)
{
    if (style == vsReport)
        return TPoint{scrollX, top * rowHeight};
    return TPoint{scrollX, top};
}

}  // namespace

bool TCustomListView::CanStartMarquee() const
{
    return FMultiSelect && FViewStyle != vsList;
}

void TCustomListView::StartMarquee(TPoint p, bool add)
{
    TPoint off = ContentOffset(FViewStyle, FViewStyle == vsReport ? FScrollX : 0, FTop, RowHeight());
    FMarquee = true;
    FMarqueeStart = FMarqueeEnd = TPoint{p.X + off.X, p.Y + off.Y};
    FMarqueeBase.assign(size_t(ItemCount()), 0);
    if (add)
        for (int i = 0; i < ItemCount(); ++i)
            FMarqueeBase[size_t(i)] = (ItemState(i) & LVIS_SELECTED) ? 1 : 0;
}

// The band in client coordinates.
TRect TCustomListView::MarqueeRect() const
{
    TPoint off = ContentOffset(FViewStyle, FViewStyle == vsReport ? FScrollX : 0, FTop, RowHeight());
    TRect r{std::min(FMarqueeStart.X, FMarqueeEnd.X), std::min(FMarqueeStart.Y, FMarqueeEnd.Y),
            std::max(FMarqueeStart.X, FMarqueeEnd.X) + 1, std::max(FMarqueeStart.Y, FMarqueeEnd.Y) + 1};
    r.Offset(-off.X, -off.Y);
    return r;
}

void TCustomListView::TrackMarquee(TPoint p)
{
    TPoint off = ContentOffset(FViewStyle, FViewStyle == vsReport ? FScrollX : 0, FTop, RowHeight());
    TRect before = MarqueeRect();
    FMarqueeEnd = TPoint{p.X + off.X, p.Y + off.Y};
    TRect band = MarqueeRect();
    int count = std::min(ItemCount(), int(FMarqueeBase.size()));
    // Report rows share their columns: the band touches a run of rows
    // when it crosses the first column's shown part.
    int firstRow = 0, lastRow = -1;
    if (FViewStyle == vsReport && count > 0) {
        TRect first = ItemPartRect(0, drSelectBounds);
        int rh = RowHeight();
        int top0 = ItemBounds(0).Top;
        if (band.Left < first.Right && first.Left < band.Right) {
            firstRow = std::max(0, FloorDiv(band.Top - top0, rh));
            lastRow = std::min(count - 1, FloorDiv(band.Bottom - 1 - top0, rh));
        }
    }
    int firstTouched = -1;
    for (int i = 0; i < count; ++i) {
        bool touched = FViewStyle == vsReport ? i >= firstRow && i <= lastRow
                                              : Touches(ItemPartRect(i, drSelectBounds), band);
        if (touched && firstTouched < 0)
            firstTouched = i;
        bool want = FMarqueeBase[size_t(i)] || touched;
        SetItemState(i, want ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
    if (firstTouched >= 0 && !(ItemState(firstTouched) & LVIS_FOCUSED) && !FMarqueeBase[size_t(firstTouched)])
        SetItemState(firstTouched, LVIS_FOCUSED, LVIS_FOCUSED);
    if (HandleAllocated()) {
        before.Inflate(1, 1);
        band.Inflate(1, 1);
        InvalidateRect(Handle(), &before, false);
        InvalidateRect(Handle(), &band, false);
    }
}

void TCustomListView::EndMarquee()
{
    if (!FMarquee)
        return;
    TRect band = MarqueeRect();
    FMarquee = false;
    FMarqueeBase.clear();
    if (HandleAllocated()) {
        band.Inflate(1, 1);
        InvalidateRect(Handle(), &band, false);
    }
}

void TCustomListView::PaintMarquee(TCanvas& c)
{
    if (!FMarquee)
        return;
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clHighlight);
    c.FrameRect(MarqueeRect());
}
