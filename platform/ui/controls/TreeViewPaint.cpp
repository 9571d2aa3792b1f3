#include <algorithm>
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/TreeView.h"

// The plain look of the tree view: grey connecting lines, boxed +/- buttons,
// the selected label in the highlight colour (button face without focus).

void TCustomTreeView::Paint()
{
    TCanvas& c = Canvas();
    TRect clip = c.ClipRect();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(clip);
    c.Font().Assign(Font());
    const auto& rows = Rows();
    int rh = RowHeight();
    int first = FTopRow + std::max(0, clip.Top / rh);
    int last = std::min(int(rows.size()) - 1, FTopRow + (clip.Bottom - 1) / rh);
    bool focused = Focused();
    for (int row = first; row <= last; ++row) {
        TTreeNode* node = rows[size_t(row)];
        TRect r = RowRect(row);
        int depth = NodeDepth(node);
        int mid = r.Top + rh / 2;
        if (FShowLines) {
            c.Brush().SetColor(clBtnShadow);
            // The line of every ancestor that has siblings still to come.
            const TTreeNode* a = node;
            for (int d = depth - 1; d >= 0 && a; --d, a = a->Parent()) {
                int x = -FScrollX + d * FIndent + FIndent / 2;
                bool more = a->GetNextSibling() != nullptr;
                if (a == node) {
                    bool first = !a->Parent() && !a->GetPrevSibling();
                    c.FillRect(TRect{x, first ? mid : r.Top, x + 1, more ? r.Bottom : mid + 1});
                    c.FillRect(TRect{x, mid, x + FIndent / 2, mid + 1});
                } else if (more) {
                    c.FillRect(TRect{x, r.Top, x + 1, r.Bottom});
                }
                if (!FShowRoot && !a->Parent())
                    break;
            }
        }
        if (FShowButtons && depth > 0 && node->HasChildren()) {
            int x = -FScrollX + (depth - 1) * FIndent + FIndent / 2;
            TRect box{x - 4, mid - 4, x + 5, mid + 5};
            c.Brush().SetColor(clWindow);
            c.FillRect(box);
            c.Brush().SetColor(clBtnShadow);
            c.FrameRect(box);
            c.Brush().SetColor(clWindowText);
            c.FillRect(TRect{x - 2, mid, x + 3, mid + 1});
            if (!node->Expanded())
                c.FillRect(TRect{x, mid - 2, x + 1, mid + 3});
        }
        int x = -FScrollX + depth * FIndent + 2;
        if (FStateImages && node->StateIndex() >= 0) {
            if (node->StateIndex() < FStateImages->Count())
                FStateImages->Draw(c, x, r.Top + (rh - FStateImages->Height()) / 2, node->StateIndex(), Enabled());
            x += FStateImages->Width();
        }
        if (FImages) {
            bool selected = node == FSelected;
            if (selected)
                GetSelectedIndex(node);
            else
                GetImageIndex(node);
            int index = selected && node->SelectedIndex() >= 0 ? node->SelectedIndex() : node->ImageIndex();
            if (index >= 0 && index < FImages->Count())
                FImages->Draw(c, x, r.Top + (rh - FImages->Height()) / 2, index, Enabled());
        }
        TRect label = LabelRect(node, row);
        bool highlight = node == FSelected && (focused || !FHideSelection);
        if (highlight) {
            c.Brush().SetStyle(bsSolid);
            c.Brush().SetColor(focused ? clHighlight : clBtnFace);
            c.FillRect(label);
        }
        c.Brush().SetStyle(bsClear);
        c.Font().SetColor(highlight && focused ? clHighlightText : Font().Color());
        TRect t{label.Left + 2, label.Top, label.Right, label.Bottom};
        c.DrawText(node->Text(), t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        c.Brush().SetStyle(bsSolid);
        if (focused && node == FSelected)
            c.DrawFocusRect(label);
    }
}
