#include <algorithm>
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/ListView.h"

// The plain look of the list view: window colour, highlight for selected
// items (button face when the view has no focus), grid lines in button face.

namespace {

unsigned AlignFlags(TAlignment a)
{
    switch (a) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

}  // namespace

TImageList* TCustomListView::ImagesForStyle() const
{
    return FViewStyle == vsIcon ? FLargeImages : FSmallImages;
}

// The item's state picture; in check-box style without a state image list,
// a plain box with a tick for state 1.
void TCustomListView::PaintStateIcon(TCanvas& c, TListItem* item, const TRect& r)
{
    int state = item->StateIndex();
    if (r.IsEmpty() || state < 0)
        return;
    if (FStateImages) {
        if (state < FStateImages->Count())
            FStateImages->Draw(c, r.Left, r.Top, state, Enabled());
        return;
    }
    if (!FCheckboxes)
        return;
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBtnShadow);
    c.FillRect(r);
    c.Brush().SetColor(Enabled() ? clWindow : clBtnFace);
    c.FillRect(TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
    if (state != 1)
        return;
    // A tick: a short stroke down to the bottom point, a long one up to the right.
    c.Brush().SetColor(clWindowText);
    int x = r.Left + 3, y = r.Top + 5;
    for (int i = 0; i < 7; ++i) {
        int dy = i < 3 ? i : 4 - i;
        c.FillRect(TRect{x + i, y + dy, x + i + 1, y + dy + 3});
    }
}

void TCustomListView::Paint()
{
    TCanvas& c = Canvas();
    TRect clip = c.ClipRect();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(clip);
    c.Font().Assign(Font());
    if (FViewStyle == vsReport)
        PaintReport(c, clip);
    else
        PaintGridded(c, clip);
    PaintMarquee(c);
}

void TCustomListView::GetSelectionColors(bool AFocused, TColor& AFace, TColor& AText) const
{
    AFace = AFocused ? clHighlight : clBtnFace;
    AText = AFocused ? clHighlightText : clBtnText;
}

// The label of an item with its highlight and the text in it.
void TCustomListView::PaintItemLabel(TCanvas& c, int index, TListItem* item, const TRect& labelRect, bool highlight)
{
    bool focused = Focused();
    TColor face, selText;
    GetSelectionColors(focused, face, selText);
    TRect text = labelRect;
    if (highlight) {
        TRect hl = labelRect;
        if (FViewStyle != vsIcon)
            hl.Right = std::min(hl.Right, hl.Left + c.TextWidth(item->Caption()) + 6);
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(face);
        c.FillRect(hl);
    }
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(highlight ? selText : Font().Color());
    unsigned flags = DT_NOPREFIX | DT_END_ELLIPSIS;
    if (FViewStyle == vsIcon) {
        flags |= DT_CENTER | (FIconOptions.WrapText ? DT_WORDBREAK : DT_SINGLELINE);
    } else {
        flags |= DT_SINGLELINE | DT_VCENTER;
        text.Left += 2;
        text.Right -= 2;
    }
    c.DrawText(item->Caption(), text, flags);
    if (focused && (ItemState(index) & LVIS_FOCUSED) && !(FViewStyle == vsReport && FRowSelect))
        c.DrawFocusRect(labelRect);
}

void TCustomListView::PaintReport(TCanvas& c, const TRect& clip)
{
    TRect area = ItemArea();
    int rh = RowHeight();
    int count = ItemCount();
    std::vector<int> order = ColumnOrder();
    bool focused = Focused();
    int first = FTop + std::max(0, (clip.Top - area.Top) / rh);
    int last = std::min(count - 1, FTop + (std::max(clip.Bottom, area.Top) - area.Top - 1) / rh);
    TColor selFace, selText;
    GetSelectionColors(focused, selFace, selText);
    TSavedDC saved(c.Handle());
    c.Handle()->IntersectClipRect(area);
    for (int i = first; i <= last; ++i) {
        TListItem* item = ItemAt(i);
        TRect row = ItemBounds(i);
        UINT state = ItemState(i);
        bool highlight = (state & LVIS_SELECTED) && (focused || !FHideSelection);
        if (highlight && FRowSelect) {
            c.Brush().SetStyle(bsSolid);
            c.Brush().SetColor(selFace);
            c.FillRect(row);
        }
        int x = -FScrollX;
        for (int col : order) {
            const TListColumn& column = *FColumns.Items(col);
            int w = column.Width();
            const unsigned ellipsis = column.PathEllipsis() ? DT_PATH_ELLIPSIS : DT_END_ELLIPSIS;
            TRect cell{x, row.Top, x + w, row.Bottom};
            x += w;
            if (w <= 0 || cell.Right <= clip.Left || cell.Left >= clip.Right)
                continue;
            TSavedDC cellClip(c.Handle());
            c.Handle()->IntersectClipRect(cell);
            if (col == 0) {
                PaintStateIcon(c, item, StateIconRect(i));
                if (FSmallImages && item->ImageIndex() >= 0 && item->ImageIndex() < FSmallImages->Count())
                    FSmallImages->Draw(c, ItemPartRect(i, drIcon).Left, cell.Top + (rh - FSmallImages->Height()) / 2,
                                       item->ImageIndex(), Enabled());
                TRect label = ItemPartRect(i, drLabel);
                if (FRowSelect) {
                    c.Brush().SetStyle(bsClear);
                    c.Font().SetColor(highlight ? selText : Font().Color());
                    TRect t{label.Left + 2, label.Top, label.Right - 2, label.Bottom};
                    c.DrawText(item->Caption(), t,
                               DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | ellipsis | AlignFlags(column.Alignment()));
                } else {
                    PaintItemLabel(c, i, item, label, highlight);
                }
            } else if (col - 1 < item->SubItems().Count()) {
                c.Brush().SetStyle(bsClear);
                c.Font().SetColor(highlight && FRowSelect ? selText : Font().Color());
                TRect t{cell.Left + 6, cell.Top, cell.Right - 6, cell.Bottom};
                c.DrawText(item->SubItems().Get(col - 1), t,
                           DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | ellipsis | AlignFlags(column.Alignment()));
            }
        }
        if (focused && FRowSelect && (state & LVIS_FOCUSED))
            c.DrawFocusRect(row);
    }
    if (FGridLines) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(GridLineColor());
        for (int y = area.Top + rh - 1; y < area.Bottom; y += rh)
            if (y >= clip.Top && y < clip.Bottom)
                c.FillRect(TRect{clip.Left, y, clip.Right, y + 1});
        int x = -FScrollX;
        for (int col : order) {
            int w = FColumns.Items(col)->Width();
            x += w;
            if (w > 0 && x - 1 >= clip.Left && x - 1 < clip.Right)
                c.FillRect(TRect{x - 1, std::max(area.Top, clip.Top), x, clip.Bottom});
        }
    }
}

// List, small icon and icon styles: items on a grid of cells.
void TCustomListView::PaintGridded(TCanvas& c, const TRect& clip)
{
    TRect area = ItemArea();
    int count = ItemCount();
    if (count == 0)
        return;
    int first = 0, last = count - 1;
    if (FViewStyle == vsList) {
        int rows = ListRowsPerColumn();
        first = std::max(0, (FScrollX + std::max(0, clip.Left) / ListColumnWidth()) * rows);
        last = std::min(count - 1, (FScrollX + (clip.Right - 1) / ListColumnWidth() + 1) * rows - 1);
    } else {
        int perLine = ItemsPerLine();
        int cy = std::max(1, CellSize().cy);
        first = std::max(0, (FTop + std::max(0, clip.Top - area.Top)) / cy * perLine);
        last = std::min(count - 1, ((FTop + clip.Bottom - area.Top) / cy + 1) * perLine - 1);
    }
    bool focused = Focused();
    TImageList* images = ImagesForStyle();
    for (int i = first; i <= last; ++i) {
        TRect b = ItemBounds(i);
        if (b.Right <= clip.Left || b.Left >= clip.Right || b.Bottom <= clip.Top || b.Top >= clip.Bottom)
            continue;
        TListItem* item = ItemAt(i);
        bool highlight = (ItemState(i) & LVIS_SELECTED) && (focused || !FHideSelection);
        TRect icon = ItemPartRect(i, drIcon);
        PaintStateIcon(c, item, StateIconRect(i));
        if (images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count())
            images->Draw(c, icon.Left, icon.Top + (icon.Height() - images->Height()) / 2, item->ImageIndex(), Enabled());
        TSavedDC saved(c.Handle());
        c.Handle()->IntersectClipRect(b);
        PaintItemLabel(c, i, item, ItemPartRect(i, drLabel), highlight);
    }
}
