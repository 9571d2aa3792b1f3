#include "WidgetFixture.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListBox.h"

class TListBoxTest : public TWidgetTest {
protected:
    TListBox* MakeList(std::initializer_list<const char*> items, int h = 100)
    {
        auto* l = new TListBox(Form);
        l->SetBounds(10, 10, 150, h);
        l->SetParent(Form);
        for (const char* s : items)
            l->Items().Add(s);
        Pump();
        return l;
    }
};

TEST_F(TListBoxTest, ItemsKeepObjectsAndSortedListsInsertInOrder)
{
    TListBox* l = MakeList({});
    TObject a, b;
    l->Items().AddObject("beta", &b);
    l->Items().AddObject("alpha", &a);
    EXPECT_EQ(l->Items().Objects(1), &a);
    l->SetSorted(true);
    EXPECT_EQ(l->Items()[0], "alpha");
    EXPECT_EQ(l->Items().Objects(0), &a);
    l->Items().Add("Gamma");
    l->Items().Add("delta");
    EXPECT_EQ(l->Items().CommaText(), "alpha,beta,delta,Gamma");
    EXPECT_EQ(l->Items().IndexOf("GAMMA"), 3);
    l->Items().Delete(0);
    EXPECT_EQ(l->Items().Count(), 3);
    EXPECT_THROW(l->Items().Delete(7), EListError);
    // A height of 0 or less is refused.
    l->SetStyle(lbOwnerDrawFixed);
    l->SetItemHeight(20);
    l->SetItemHeight(0);
    l->SetItemHeight(-3);
    EXPECT_EQ(l->ItemHeight(), 20);
}

TEST_F(TListBoxTest, FindIsACaseInsensitivePrefixSearchFromAnIndexThatWraps)
{
    TListBox* l = MakeList({"Apple", "apricot", "Banana", "apple pie", "Cherry"});
    HWND h = l->Handle();
    struct TCase { const char* text; int start; UINT msg; LRESULT want; };
    const TCase cases[] = {
        {"ap", -1, LB_FINDSTRING, 0},
        {"ap", 0, LB_FINDSTRING, 1},
        {"ap", 1, LB_FINDSTRING, 3},
        {"ap", 3, LB_FINDSTRING, 0},       // wraps
        {"BAN", 4, LB_FINDSTRING, 2},
        {"x", -1, LB_FINDSTRING, LB_ERR},
        {"APPLE", -1, LB_FINDSTRINGEXACT, 0},
        {"APPLE", 0, LB_FINDSTRINGEXACT, 0},   // the only match is found again after wrapping
        {"apple p", -1, LB_FINDSTRINGEXACT, LB_ERR},
        {"apple pie", 1, LB_FINDSTRINGEXACT, 3},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(SendMessage(h, c.msg, WPARAM(c.start), LPARAM(c.text)), c.want) << c.text << " from " << c.start;
    EXPECT_EQ(SendMessage(h, LB_SELECTSTRING, WPARAM(-1), LPARAM("che")), 4);
    EXPECT_EQ(l->ItemIndex(), 4);
}

TEST_F(TListBoxTest, KeysAndTypingMoveTheSelectionAndRaiseOnClick)
{
    TListBox* l = MakeList({"one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten",
                            "eleven", "twelve"},
                           64);
    int clicks = 0;
    l->OnClick = [&](TObject*) { ++clicks; };
    l->SetFocus();
    Pump();
    Key(VK_DOWN);
    EXPECT_EQ(l->ItemIndex(), 0);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(l->ItemIndex(), 2);
    Key(VK_END);
    EXPECT_EQ(l->ItemIndex(), 11);
    EXPECT_EQ(l->TopIndex(), 12 - l->RowsPerColumn());
    Key(VK_HOME);
    EXPECT_EQ(l->TopIndex(), 0);
    EXPECT_EQ(clicks, 5);
    // Code changes no click.
    l->SetItemIndex(3);
    EXPECT_EQ(clicks, 5);
    // Type-ahead: "t" goes to the next item starting with t, quick "tw" stays on a match,
    // and after a pause "t" starts over.
    Advance(1000);
    Type("t");
    EXPECT_EQ(l->Items()[l->ItemIndex()], "ten");
    Type("w");
    EXPECT_EQ(l->Items()[l->ItemIndex()], "twelve");
    Advance(600);
    Type("t");
    EXPECT_EQ(l->Items()[l->ItemIndex()], "two");
}

TEST_F(TListBoxTest, MouseSelectsAndExtendedSelectionTakesRangesAndToggles)
{
    TListBox* l = MakeList({"a", "b", "c", "d", "e"});
    int h = l->ItemHeight();
    int dbl = 0;
    l->OnDblClick = [&](TObject*) { ++dbl; };
    Click(l, 20, h * 2 + 2);
    EXPECT_EQ(l->ItemIndex(), 2);
    Advance(1000);
    DoubleClick(l, 20, h + 2);
    EXPECT_EQ(l->ItemIndex(), 1);
    EXPECT_EQ(dbl, 1);

    l->SetMultiSelect(true);
    l->SetExtendedSelect(true);
    Advance(1000);
    Click(l, 20, 2);
    TPoint p = At(l, 20, h * 3 + 2);
    Backend->KeyDown(VK_SHIFT);
    Backend->Click(p.X, p.Y);
    Backend->KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(l->SelCount(), 4);
    Advance(1000);
    p = At(l, 20, h * 1 + 2);
    Backend->KeyDown(VK_CONTROL);
    Backend->Click(p.X, p.Y);
    Backend->KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(l->SelCount(), 3);
    EXPECT_FALSE(l->Selected(1));
    EXPECT_TRUE(l->Selected(3));
    // Plain multi-select starts empty and toggles with each click.
    l->SetExtendedSelect(false);
    EXPECT_EQ(l->SelCount(), 0);
    Advance(1000);
    Click(l, 20, h * 4 + 2);
    Advance(1000);
    Click(l, 20, h * 0 + 2);
    Advance(1000);
    Click(l, 20, h * 4 + 2);
    EXPECT_EQ(l->SelCount(), 1);
    EXPECT_TRUE(l->Selected(0));
}

TEST_F(TListBoxTest, ScrollStateFollowsTheItemsAndScrollMessages)
{
    TListBox* l = MakeList({}, 80);
    HWND h = l->Handle();
    for (int i = 0; i < 20; ++i)
        l->Items().Add("item " + std::to_string(i));
    int rows = l->RowsPerColumn();
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(h, SB_VERT, si);
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 19);
    EXPECT_EQ(int(si.nPage), rows);
    SendMessage(h, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessage(h, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(l->TopIndex(), 1 + rows);
    SendMessage(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 100), 0);
    EXPECT_EQ(l->TopIndex(), 20 - rows);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 20 - rows);
    l->SetTopIndex(2);
    EXPECT_EQ(l->ItemRect(2).Top, 0);
    EXPECT_EQ(l->ItemAtPos(TPoint{5, l->ItemHeight() + 1}, true), 3);
    EXPECT_EQ(l->ItemAtPos(TPoint{500, 5}, true), -1);
    EXPECT_EQ(l->ItemAtPos(TPoint{500, 5}, false), 20);
}

TEST_F(TListBoxTest, MultiColumnListsLayItemsOutInColumns)
{
    TListBox* l = MakeList({"a", "b", "c", "d", "e", "f", "g"}, 60);
    l->SetColumns(3);
    Pump();
    int rows = l->RowsPerColumn();
    int cw = l->Width() / 3;
    EXPECT_EQ(l->ItemRect(rows).Left, cw);
    EXPECT_EQ(l->ItemRect(rows + 1).Top, l->ItemHeight());
    EXPECT_EQ(l->ItemAtPos(TPoint{cw + 3, 2}, true), rows);
    l->SetItemIndex(0);
    l->SetFocus();
    Key(VK_RIGHT);
    EXPECT_EQ(l->ItemIndex(), rows);
}

TEST_F(TListBoxTest, OwnerDrawingGoesThroughTheParentAndComesBackToTheList)
{
    int parentSaw = 0;
    auto inner = Form->WindowProc;
    Form->WindowProc = [&parentSaw, inner](TMessage& m) {
        if (m.Msg == WM_DRAWITEM)
            ++parentSaw;
        inner(m);
        if (m.Msg == WM_MEASUREITEM)
            reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = 18;
    };
    auto* l = new TListBox(Form);
    l->SetStyle(lbOwnerDrawFixed);
    l->SetBounds(10, 10, 150, 100);
    for (const char* s : {"x", "y", "z"})
        l->Items().Add(s);
    std::vector<int> drawn;
    l->OnDrawItem = [&](TWinControl*, int index, TRect r, TOwnerDrawState state) {
        drawn.push_back(index);
        l->Canvas().Brush().SetColor(state.Contains(odSelected) ? clRed : clLime);
        l->Canvas().FillRect(r);
    };
    l->SetParent(Form);
    l->SetItemIndex(1);
    Pump();
    EXPECT_EQ(l->ItemHeight(), 18) << "the parent's answer to WM_MEASUREITEM";
    EXPECT_GT(parentSaw, 0);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), 2), drawn.end());
    EXPECT_EQ(PixelAt(l, 100, 18 + 9), clRed);
    EXPECT_EQ(PixelAt(l, 100, 9), clLime);
    EXPECT_EQ(PixelAt(l, 100, 80), ColorToRGB(clWindow));
}

TEST_F(TListBoxTest, AStandardListPaintsTheSelectionInTheHighlightColour)
{
    TListBox* l = MakeList({"first", "second"});
    l->SetItemIndex(1);
    int h = l->ItemHeight();
    EXPECT_EQ(PixelAt(l, 140, h + h / 2), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelAt(l, 140, h / 2), ColorToRGB(clWindow));
    EXPECT_TRUE(HasDarkPixel(l, TRect{0, 0, 60, h}));
}

TEST_F(TListBoxTest, ASubclassSeesTheStringMessagesOfTheItemList)
{
    TListBox* l = MakeList({});
    std::vector<UINT> seen;
    auto inner = l->WindowProc;
    l->WindowProc = [&seen, inner](TMessage& m) {
        if (m.Msg == LB_ADDSTRING || m.Msg == LB_INSERTSTRING || m.Msg == LB_DELETESTRING)
            seen.push_back(m.Msg);
        if (m.Msg == LB_INSERTSTRING) {
            m.Result = LB_ERR;      // refused: nothing is inserted
            return;
        }
        inner(m);
    };
    l->Items().Add("a");
    EXPECT_THROW(l->Items().Insert(0, "b"), EListError);
    l->Items().Delete(0);
    EXPECT_EQ(seen, (std::vector<UINT>{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING}));
    EXPECT_EQ(l->Items().Count(), 0);
}

TEST_F(TListBoxTest, AListWithoutWindowsAroundItAnswersFromItsBounds)
{
    // A panel that is on no form yet, holding a list and an edit.
    auto* panel = new TPanel(nullptr);
    auto* l = new TListBox(panel);
    l->SetBounds(0, 0, 100, 48);
    l->SetStyle(lbOwnerDrawFixed);
    l->SetItemHeight(16);
    l->SetParent(panel);
    for (int i = 0; i < 10; ++i)
        l->Items().Add(std::to_string(i));
    l->SetItemIndex(7);
    EXPECT_EQ(l->TopIndex(), 5);
    EXPECT_EQ(l->ItemRect(7).Top, 32);
    auto* e = new TEdit(panel);
    e->SetParent(panel);
    e->SetText("text");
    e->SelectAll();
    EXPECT_EQ(e->SelText(), "text");
    EXPECT_FALSE(panel->HandleAllocated());
    delete panel;
}

// Item heights of 10, 20 and 30 in turn, as a parent of a variable list answers.
static int VariableHeight(UINT item)
{
    return 10 + 10 * int(item % 3);
}

TEST_F(TListBoxTest, VariableOwnerDrawnItemsTakeTheHeightsTheParentGives)
{
    std::vector<UINT> asked;
    auto inner = Form->WindowProc;
    Form->WindowProc = [&asked, inner](TMessage& m) {
        inner(m);
        if (m.Msg == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
            asked.push_back(mis->itemID);
            mis->itemHeight = UINT(VariableHeight(mis->itemID));
        }
    };
    auto* l = new TListBox(Form);
    l->SetStyle(lbOwnerDrawVariable);
    l->SetBounds(10, 10, 150, 64);      // the client shows 60 pixels
    l->Items().Add("i0");               // asked when the window is made
    l->SetParent(Form);
    for (int i = 1; i < 9; ++i)
        l->Items().Add("i" + std::to_string(i));
    const TColor colours[] = {clRed, clLime, clBlue};
    l->OnDrawItem = [&](TWinControl*, int index, TRect r, TOwnerDrawState) {
        l->Canvas().Brush().SetColor(colours[index % 3]);
        l->Canvas().FillRect(r);
    };
    Pump();
    for (UINT i = 0; i < 9; ++i)
        EXPECT_NE(std::find(asked.begin(), asked.end(), i), asked.end()) << "item " << i << " was not measured";
    ASSERT_EQ(l->ClientHeight(), 60);
    // Rectangles stack by the items' own heights.
    int y = 0;
    for (int i = 0; i < 4; ++i) {
        TRect r = l->ItemRect(i);
        EXPECT_EQ(r.Top, y) << i;
        EXPECT_EQ(r.Height(), VariableHeight(UINT(i))) << i;
        y += r.Height();
    }
    // y: item 0 at 0-9, item 1 at 10-29, item 2 at 30-59.
    EXPECT_EQ(l->ItemAtPos(TPoint{5, 5}, true), 0);
    EXPECT_EQ(l->ItemAtPos(TPoint{5, 29}, true), 1);
    EXPECT_EQ(l->ItemAtPos(TPoint{5, 30}, true), 2);
    EXPECT_EQ(l->ItemAtPos(TPoint{5, 59}, true), 2);
    EXPECT_EQ(PixelAt(l, 50, 5), clRed);
    EXPECT_EQ(PixelAt(l, 50, 25), clLime);
    EXPECT_EQ(PixelAt(l, 50, 45), clBlue);
    // Going down to the last item scrolls just far enough to show it whole:
    // items 7 (20) and 8 (30) fit the 60 pixels, item 6 (10) too.
    l->SetItemIndex(0);
    l->SetFocus();
    Key(VK_END);
    EXPECT_EQ(l->ItemIndex(), 8);
    EXPECT_EQ(l->TopIndex(), 6);
    EXPECT_EQ(l->ItemRect(8).Bottom, 60);
    EXPECT_EQ(PixelAt(l, 50, 5), clRed);       // item 6
    EXPECT_EQ(PixelAt(l, 50, 45), clBlue);     // item 8
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(l->Handle(), SB_VERT, si));
    EXPECT_EQ(si.nPos, 6);
    EXPECT_EQ(si.nMax - int(si.nPage) + 1, 6) << "the bar ends where the last item shows";
    // Scrolling by the bar moves by items; a click finds the item under it.
    SendMessage(l->Handle(), WM_VSCROLL, SB_TOP, 0);
    SendMessage(l->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(l->TopIndex(), 1);
    Click(l, 50, 25);                           // item 1 is 20 high, item 2 starts at 20
    EXPECT_EQ(l->ItemIndex(), 2);
    // Up from the top item scrolls back one item.
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(l->ItemIndex(), 0);
    EXPECT_EQ(l->TopIndex(), 0);
}

TEST_F(TListBoxTest, AVariableListWithoutAnAnsweringParentAsksOnMeasureItem)
{
    auto* l = new TListBox(Form);
    l->SetStyle(lbOwnerDrawVariable);
    l->SetBounds(10, 10, 150, 100);
    l->OnMeasureItem = [](TWinControl*, int index, int& height) { height = index == 1 ? 40 : 15; };
    l->SetParent(Form);
    for (const char* s : {"a", "b", "c"})
        l->Items().Add(s);
    Pump();
    EXPECT_EQ(l->ItemRect(1).Height(), 40);
    EXPECT_EQ(l->ItemRect(2).Top, 55);
    EXPECT_EQ(l->ItemAtPos(TPoint{5, 54}, true), 1);
}
