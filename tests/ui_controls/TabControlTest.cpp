#include <algorithm>
#include <map>
#include "WidgetFixture.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/ListView.h"
#include "platform/ui/controls/TabControl.h"
#include "platform/ui/controls/TreeView.h"

namespace {

struct TBorders {
    int L, T, RB, BB;
};

// The offsets a skinned page control applies to the raw geometry: the side
// without tabs goes to the client edge less the skin border, the tab side
// moves by the border less 6 (top) or 4; tab rectangles move 2 pixels out.
class TSkinnedGeometryPageControl : public TPageControl {
public:
    TSkinnedGeometryPageControl(TComponent* owner, TBorders b) : TPageControl(owner), B(b) {}
    TBorders B;

protected:
    void WndProc(TMessage& m) override
    {
        TPageControl::WndProc(m);
        if (m.Msg == TCM_ADJUSTRECT && m.LParam) {
            TRect& r = *reinterpret_cast<TRect*>(m.LParam);
            int W = ClientWidth(), H = ClientHeight();
            switch (TabPosition()) {
            case tpTop: r = TRect{B.L, r.Top + B.T - 6, W - B.RB, H - B.BB}; break;
            case tpBottom: r = TRect{B.L, r.Top + B.T - 4, W - B.RB, r.Bottom - B.BB + 4}; break;
            case tpLeft: r = TRect{r.Left + B.L - 4, r.Top + B.T - 4, W - B.RB, H - B.BB}; break;
            case tpRight: r = TRect{B.L, r.Top + B.T - 4, r.Right - B.RB + 4, H - B.BB}; break;
            }
        }
        if (m.Msg == TCM_GETITEMRECT && m.LParam && m.Result) {
            TRect& r = *reinterpret_cast<TRect*>(m.LParam);
            switch (TabPosition()) {
            case tpTop: r.Offset(MultiLine() ? 0 : -2, -2); break;
            case tpBottom: r.Offset(MultiLine() ? 0 : -2, 2); break;
            case tpLeft: r.Offset(-2, 0); break;
            case tpRight: r.Offset(2, 0); break;
            }
        }
    }
};

}  // namespace

class TTabControlTest : public TViewTest {
protected:
    template <class T = TPageControl, class... Args>
    T* MakePages(int count, Args... args)
    {
        auto* pc = new T(Form, args...);
        pc->SetBounds(10, 10, 300, 200);
        pc->SetParent(Form);
        for (int i = 0; i < count; ++i) {
            auto* sheet = new TTabSheet(Form);
            sheet->SetCaption("Page " + std::to_string(i));
            sheet->SetPageControl(pc);
        }
        Pump();
        return pc;
    }
    static TPoint TabCentre(TCustomTabControl* tc, int index)
    {
        TRect r = tc->TabRect(index);
        return At(tc, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
};

TEST_F(TTabControlTest, ClickingATabAsksFirstAndTheAnswerCanKeepThePage)
{
    auto* pc = MakePages(3);
    std::vector<std::string> log;
    bool allow = true;
    pc->OnChanging = [&](TObject*, bool& ok) {
        log.push_back("changing from " + pc->ActivePage()->Caption());
        ok = allow;
    };
    pc->OnChange = [&](TObject*) { log.push_back("change to " + pc->ActivePage()->Caption()); };
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    Click(TabCentre(pc, 2));
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    EXPECT_TRUE(pc->Pages(2)->Visible());
    EXPECT_FALSE(pc->Pages(0)->Visible());
    EXPECT_EQ(pc->Pages(2)->BoundsRect(), pc->DisplayRect());
    allow = false;
    Click(TabCentre(pc, 1));
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    EXPECT_EQ(pc->TabIndex(), 2);
    allow = true;
    Key(VK_LEFT);
    EXPECT_EQ(pc->ActivePageIndex(), 1);
    Backend->KeyDown(VK_CONTROL);
    Key(VK_TAB);
    Backend->KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(pc->ActivePageIndex(), 2) << "Ctrl+Tab turns to the next page";
    pc->SetActivePageIndex(0);     // from code: no questions, no events
    EXPECT_EQ(log, (std::vector<std::string>{"changing from Page 0", "change to Page 2", "changing from Page 2",
                                             "changing from Page 2", "change to Page 1", "changing from Page 1",
                                             "change to Page 2"}));
    // A hidden tab leaves the row; its page is no longer reachable by a tab.
    pc->Pages(1)->SetTabVisible(false);
    EXPECT_EQ(pc->TabCount(), 2);
    Click(TabCentre(pc, 1));
    EXPECT_EQ(pc->ActivePage(), pc->Pages(2));
}

struct TGeometryCase {
    TTabPosition Position;
    bool MultiLine;
    int Pages;
};

TEST_F(TTabControlTest, SkinOffsetsOnTheRawGeometryGiveTheDisplayAreaInsetByTheBorders)
{
    const TBorders b{3, 5, 4, 6};
    const TGeometryCase cases[] = {
        {tpTop, false, 3}, {tpBottom, false, 3}, {tpLeft, false, 3}, {tpRight, false, 3}, {tpTop, true, 9},
    };
    for (const auto& c : cases) {
        auto* pc = MakePages<TSkinnedGeometryPageControl>(c.Pages, b);
        pc->SetTabHeight(20);
        pc->SetMultiLine(c.MultiLine);
        pc->SetTabPosition(c.Position);
        Pump();
        int W = pc->ClientWidth(), H = pc->ClientHeight();
        int S = pc->RowCount() * 20;
        if (c.MultiLine) {
            EXPECT_EQ(pc->RowCount(), 2);
        }
        TRect want;
        TRect strip;
        switch (c.Position) {
        case tpTop: want = TRect{b.L, S + b.T, W - b.RB, H - b.BB}; strip = TRect{0, 0, W, S}; break;
        case tpBottom: want = TRect{b.L, b.T, W - b.RB, H - S - b.BB}; strip = TRect{0, H - S, W, H}; break;
        case tpLeft: want = TRect{S + b.L, b.T, W - b.RB, H - b.BB}; strip = TRect{0, 0, S, H}; break;
        case tpRight: want = TRect{b.L, b.T, W - S - b.RB, H - b.BB}; strip = TRect{W - S, 0, W, H}; break;
        }
        EXPECT_EQ(pc->ActivePage()->BoundsRect(), want) << "position " << c.Position << " multi-line " << c.MultiLine;
        for (int i = 0; i < pc->TabCount(); ++i) {
            TRect r = pc->TabRect(i);
            bool horizontal = c.Position == tpTop || c.Position == tpBottom;
            EXPECT_EQ(horizontal ? r.Top % 20 : r.Left % 20, horizontal ? strip.Top % 20 : strip.Left % 20);
            EXPECT_GE(horizontal ? r.Top : r.Left, horizontal ? strip.Top : strip.Left) << "tab " << i;
            EXPECT_LE(horizontal ? r.Bottom : r.Right, horizontal ? strip.Bottom : strip.Right) << "tab " << i;
        }
        if (!c.MultiLine && (c.Position == tpTop || c.Position == tpBottom)) {
            EXPECT_EQ(pc->TabRect(0).Left, 0);
        }
        pc->Hide();
    }
}

TEST_F(TTabControlTest, ASingleLineRowScrollsByTheThumbMessageAndTheArrows)
{
    auto* tc = new TTabControl(Form);
    tc->SetBounds(10, 10, 200, 120);
    tc->SetParent(Form);
    for (int i = 0; i < 10; ++i)
        tc->Tabs().Add("Tab number " + std::to_string(i));
    Pump();
    EXPECT_EQ(tc->RowCount(), 1);
    SendMessage(tc->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3), 0);
    EXPECT_EQ(tc->FirstVisibleTab(), 3);
    int scrolledOff = 0;     // counted as a skin does after moving the row 2 to the left
    for (int i = 0; i < tc->TabCount(); ++i)
        if (tc->TabRect(i).Right - 2 <= 0)
            ++scrolledOff;
    EXPECT_EQ(scrolledOff, 3);
    EXPECT_EQ(tc->TabRect(3).Left, 2);
    Click(At(tc, tc->ClientWidth() - 4, 10));
    EXPECT_EQ(tc->FirstVisibleTab(), 4);
    tc->SetTabIndex(0);
    EXPECT_EQ(tc->FirstVisibleTab(), 0) << "the selected tab is brought into the row";
    tc->SetTabIndex(9);
    EXPECT_LE(tc->TabRect(9).Right, tc->ClientWidth());
    EXPECT_GE(tc->TabRect(9).Left, 0);
    EXPECT_EQ(tc->IndexOfTabAt(tc->TabRect(9).Left + 3, 10), 9);
    // Multi-line: every tab on view, the selected row beside the page.
    tc->SetMultiLine(true);
    Pump();
    EXPECT_GT(tc->RowCount(), 2);
    int h = tc->TabRect(0).Height();
    EXPECT_EQ(tc->TabRect(9).Bottom, 2 + tc->RowCount() * h);
    tc->SetTabIndex(0);
    EXPECT_EQ(tc->TabRect(0).Bottom, 2 + tc->RowCount() * h);
}

TEST_F(TTabControlTest, TabsPaintOpenTowardTheSelectedPage)
{
    auto* images = new TImageList(Form, 16, 16);
    TBitmap green(16, 16);
    green.Fill(clGreen);
    images->Add(green);
    auto* pc = MakePages(3);
    pc->SetImages(images);
    pc->Pages(1)->SetImageIndex(-1);
    pc->SetActivePageIndex(1);
    Pump();
    TRect frame = pc->DisplayRect();
    frame.Inflate(2, 2);
    TRect selected = pc->TabRect(1), other = pc->TabRect(2);
    auto shot = Snapshot("pages");
    int x = (selected.Left + selected.Right) / 2;
    EXPECT_EQ(PixelAt(*shot, At(pc, x, frame.Top)), ColorToRGB(clBtnFace)) << "no frame under the selected tab";
    EXPECT_EQ(PixelAt(*shot, At(pc, (other.Left + other.Right) / 2, frame.Top)), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(*shot, At(pc, other.Right - 1, (other.Top + other.Bottom) / 2)), ColorToRGB(clBtnShadow));
    TRect tab0 = pc->TabRect(0);
    EXPECT_GT(tab0.Width(), selected.Width() - 4) << "image room";
    EXPECT_EQ(PixelAt(*shot, At(pc, tab0.Left + 8, (tab0.Top + tab0.Bottom) / 2)), ColorToRGB(clGreen));
}

TEST_F(TTabControlTest, WidgetsAreBuiltOnAParentThatHasNoWindowYet)
{
    auto* panel = new TPanel(Form);
    panel->SetBounds(0, 0, 400, 300);
    auto* pc = new TPageControl(Form);
    pc->SetBounds(5, 5, 380, 280);
    pc->SetParent(panel);
    for (int i = 0; i < 3; ++i) {
        auto* sheet = new TTabSheet(Form);
        sheet->SetCaption("Page " + std::to_string(i));
        sheet->SetPageControl(pc);
    }
    auto* lv = new TListView(Form);
    lv->SetAlign(alClient);
    lv->SetViewStyle(vsReport);
    lv->SetParent(pc->Pages(0));
    lv->Columns().Add()->SetWidth(100);
    for (int i = 0; i < 20; ++i)
        lv->Items().Add()->SetCaption("item " + std::to_string(i));
    lv->Items()[3]->MakeVisible(false);
    auto* tv = new TTreeView(Form);
    tv->SetParent(pc->Pages(1));
    TTreeNode* root = tv->Items().Add(nullptr, "root");
    tv->Items().AddChild(root, "child");
    tv->SetSelected(root->Item(0));
    EXPECT_FALSE(panel->HandleAllocated());

    panel->SetParent(Form);
    Pump();
    EXPECT_EQ(pc->ActivePage()->BoundsRect(), pc->DisplayRect());
    EXPECT_EQ(lv->BoundsRect(), pc->Pages(0)->ClientRect());
    EXPECT_NE(SendMessage(lv->Handle(), LVM_GETHEADER), 0);
    EXPECT_TRUE(root->Expanded());
}

// Side tabs show the same label as top tabs, turned a quarter: bottom to
// top on the left, top to bottom on the right.
TEST_F(TTabControlTest, SideTabsTurnTheirLabelsAQuarter)
{
    auto* tc = new TTabControl(Form);
    tc->SetBounds(10, 10, 300, 260);
    tc->Tabs().Add("First");
    tc->Tabs().Add("Lg Wy");
    tc->SetParent(Form);
    // Which pixels of tab 1 (not selected, so not shifted) carry ink.
    auto inkOf = [&](TTabPosition pos, TRect& rect) {
        tc->SetTabPosition(pos);
        Pump();
        rect.Left = 0;
        SendMessage(tc->Handle(), TCM_GETITEMRECT, 1, LPARAM(&rect));
        auto shot = Snapshot("side-tabs");
        std::vector<std::vector<bool>> ink(size_t(rect.Height()), std::vector<bool>(size_t(rect.Width())));
        int count = 0;
        for (int y = 0; y < rect.Height(); ++y)
            for (int x = 0; x < rect.Width(); ++x) {
                bool on = PixelAt(*shot, At(tc, rect.Left + x, rect.Top + y)) != ColorToRGB(clBtnFace);
                ink[size_t(y)][size_t(x)] = on;
                count += on;
            }
        EXPECT_GT(count, 20) << "the label is drawn, position " << pos;
        return ink;
    };
    TRect top, left, right;
    auto level = inkOf(tpTop, top);
    auto up = inkOf(tpLeft, left);
    auto down = inkOf(tpRight, right);
    ASSERT_EQ(left.Width(), top.Height());
    ASSERT_EQ(left.Height(), top.Width());
    ASSERT_EQ(right.Width(), top.Height());
    ASSERT_EQ(right.Height(), top.Width());
    int len = top.Width(), depth = top.Height();
    int mismatches = 0;
    // The tab's 3D edge lies on the rectangle's border; compare the inside.
    for (int y = 2; y < depth - 2; ++y)
        for (int x = 2; x < len - 2; ++x) {
            bool want = level[size_t(y)][size_t(x)];
            mismatches += up[size_t(len - 1 - x)][size_t(y)] != want;
            mismatches += down[size_t(x)][size_t(depth - 1 - y)] != want;
        }
    EXPECT_EQ(mismatches, 0);
}

// Side tabs that do not fit the height wrap into more rows instead of being
// cut off: every tab lies inside the control and a click reaches it.
TEST_F(TTabControlTest, SideTabsWrapIntoRowsAndStayReachable)
{
    for (TTabPosition pos : {tpLeft, tpRight}) {
        auto* pc = MakePages(9);
        pc->SetTabPosition(pos);
        Pump();
        EXPECT_GT(pc->RowCount(), 1) << pos;
        const int S = pc->RowCount() * pc->TabRect(0).Width();
        const TRect display = pc->DisplayRect();
        EXPECT_EQ(pos == tpLeft ? display.Left : pc->ClientWidth() - display.Right, S + 4) << pos;
        for (int i = 0; i < pc->TabCount(); ++i) {
            const TRect r = pc->TabRect(i);
            EXPECT_GE(r.Top, 0) << pos << " tab " << i;
            EXPECT_LE(r.Bottom, pc->ClientHeight()) << pos << " tab " << i;
        }
        for (int i : {8, 0, 4}) {
            Click(TabCentre(pc, i));
            EXPECT_EQ(pc->ActivePageIndex(), i) << pos;
        }
        delete pc;
    }
}

// Wrapped rows are stretched to the full length unless RaggedRight; with
// ScrollOpposite the rows before the selected one move to the far side.
TEST_F(TTabControlTest, RaggedRightAndScrollOpposite)
{
    auto* pc = MakePages(9);
    pc->SetMultiLine(true);
    Pump();
    ASSERT_GE(pc->RowCount(), 2);
    auto rowEnds = [&] {
        std::map<int, int> ends;   // row top -> right end
        for (int i = 0; i < pc->TabCount(); ++i) {
            const TRect r = pc->TabRect(i);
            ends[r.Top] = std::max(ends[r.Top], r.Right);
        }
        return ends;
    };
    for (auto [top, right] : rowEnds())
        EXPECT_EQ(right, pc->ClientWidth() - 2) << "row at " << top;
    pc->SetRaggedRight(true);
    int short_rows = 0;
    for (auto [top, right] : rowEnds())
        short_rows += right < pc->ClientWidth() - 2;
    EXPECT_GE(short_rows, 1);

    pc->SetScrollOpposite(true);
    const int last = pc->TabCount() - 1;
    pc->SetActivePageIndex(last);
    Pump();
    const int h = pc->TabRect(0).Height();
    const int opposite = pc->RowCount() - 1;   // every row before the last one's
    EXPECT_GT(pc->TabRect(0).Top, pc->ClientHeight() / 2) << "the first row went to the bottom";
    EXPECT_EQ(pc->DisplayRect(), (TRect{4, h + 6, pc->ClientWidth() - 4, pc->ClientHeight() - 4 - opposite * h}));
    EXPECT_EQ(pc->TabRect(last).Top, 2) << "the selected row is the only one at the top";
    Click(TabCentre(pc, 0));
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    for (int i = 0; i < pc->TabCount(); ++i)
        EXPECT_LT(pc->TabRect(i).Top, pc->ClientHeight() / 2) << "nothing before the first row: one band, tab " << i;
    EXPECT_EQ(pc->DisplayRect().Bottom, pc->ClientHeight() - 4);
    pc->SetScrollOpposite(false);
}

// HotTrack follows the mouse over the tabs; OwnerDraw hands every tab's label
// to OnDrawTab with whether it is the selected one.
TEST_F(TTabControlTest, HotTrackAndOwnerDrawnTabs)
{
    auto* pc = MakePages(3);
    EXPECT_EQ(pc->HotTab(), -1);
    const TPoint over = TabCentre(pc, 1);
    Backend->MouseMove(over.X, over.Y);
    Pump();
    EXPECT_EQ(pc->HotTab(), -1) << "only with HotTrack";
    pc->SetHotTrack(true);
    Backend->MouseMove(over.X + 1, over.Y);
    Pump();
    EXPECT_EQ(pc->HotTab(), 1);
    const TPoint page = At(pc, pc->ClientWidth() / 2, pc->ClientHeight() / 2);
    Backend->MouseMove(page.X, page.Y);
    Pump();
    EXPECT_EQ(pc->HotTab(), -1);

    std::vector<std::pair<int, bool>> drawn;
    pc->OnDrawTab = [&](TCustomTabControl* control, int index, const TRect& r, bool active) {
        drawn.emplace_back(index, active);
        control->Canvas().Brush().SetColor(clRed);
        control->Canvas().FillRect(r);
    };
    pc->SetOwnerDraw(true);
    Pump();
    std::sort(drawn.begin(), drawn.end());
    drawn.erase(std::unique(drawn.begin(), drawn.end()), drawn.end());
    EXPECT_EQ(drawn, (std::vector<std::pair<int, bool>>{{0, true}, {1, false}, {2, false}}));
    const TRect r = pc->TabRect(2);
    auto shot = Snapshot("owner-drawn-tabs");
    EXPECT_EQ(PixelAt(*shot, At(pc, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2)), ColorToRGB(clRed));
}
