#include "WidgetFixture.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/ListView.h"

namespace {

bool StartsWith(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

// A list view as the skinned one makes it: no scroll styles and no
// non-client area, so only the scroll messages move it.
class TBarlessListView : public TListView {
public:
    using TListView::TListView;

protected:
    void CreateParams(TCreateParams& p) override
    {
        TListView::CreateParams(p);
        p.Style &= ~(WS_HSCROLL | WS_VSCROLL);
        p.ExStyle &= ~WS_EX_CLIENTEDGE;
    }
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_NCCALCSIZE || m.Msg == WM_NCPAINT) {
            m.Result = 0;
            return;
        }
        TListView::WndProc(m);
    }
};

}  // namespace

class TListViewTest : public TViewTest {
protected:
    template <class T = TListView>
    T* MakeList(TViewStyle style = vsReport, TRect bounds = Bounds(10, 10, 300, 200))
    {
        auto* lv = new T(Form);
        lv->SetBoundsRect(bounds);
        lv->SetViewStyle(style);
        lv->SetParent(Form);
        return lv;
    }
    static void AddColumns(TCustomListView* lv, const std::vector<int>& widths)
    {
        for (size_t i = 0; i < widths.size(); ++i) {
            TListColumn* c = lv->Columns().Add();
            c->SetCaption("Column " + std::to_string(i));
            c->SetWidth(widths[i]);
        }
    }
    // The screen point in the middle of a row's column-0 cell.
    static TPoint RowPoint(TCustomListView* lv, int index, int x = 20)
    {
        TRect r;
        r.Left = LVIR_BOUNDS;
        SendMessage(lv->Handle(), LVM_GETITEMRECT, WPARAM(index), LPARAM(&r));
        return At(lv, x, r.Top + r.Height() / 2);
    }
    void ShiftClick(TPoint p)
    {
        Backend->KeyDown(VK_SHIFT);
        Click(p);
        Backend->KeyUp(VK_SHIFT);
        Pump();
    }
};

TEST_F(TListViewTest, TenThousandOwnerDataRowsScrollSelectAndFindByPrefix)
{
    auto* lv = MakeList();
    lv->SetOwnerData(true);
    lv->SetMultiSelect(true);
    lv->SetRowSelect(true);
    AddColumns(lv, {120, 80});
    int fetches = 0;
    auto caption = [](int i) { return "Row " + std::to_string(i); };
    lv->OnData = [&](TObject*, TListItem* item) {
        ++fetches;
        item->SetCaption(caption(item->Index()));
        item->SubItems().Add(std::to_string(item->Index() * 2));
    };
    lv->OnDataFind = [&](TObject*, TItemFind, const std::string& text, const TPoint&, void*, int start,
                         TSearchDirection, bool wrap, int& index) {
        for (int n = 0; n < 10000; ++n) {
            int i = start + n;
            if (i >= 10000) {
                if (!wrap)
                    return;
                i -= 10000;
            }
            if (StartsWith(caption(i), text)) {
                index = i;
                return;
            }
        }
    };
    std::vector<std::pair<int, bool>> selections;
    lv->OnSelectItem = [&](TObject*, TListItem* item, bool selected) { selections.push_back({item->Index(), selected}); };
    lv->Items().SetCount(10000);
    Pump();
    HWND h = lv->Handle();
    int page = int(SendMessage(h, LVM_GETCOUNTPERPAGE));
    ASSERT_GT(page, 5);
    EXPECT_EQ(SendMessage(h, LVM_GETITEMCOUNT), 10000);
    EXPECT_LE(fetches, page + 1) << "painting fetches only the rows on view";
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(h, SB_VERT, si);
    EXPECT_EQ(si.nMax, 9999);
    EXPECT_EQ(int(si.nPage), page);

    SendMessage(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5000), 0);
    EXPECT_EQ(SendMessage(h, LVM_GETTOPINDEX), 5000);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 5000);
    Click(RowPoint(lv, 5002));
    EXPECT_EQ(lv->ItemIndex(), 5002);
    ShiftClick(RowPoint(lv, 5004));
    EXPECT_EQ(lv->SelCount(), 3);
    EXPECT_EQ(lv->ItemFocused()->Index(), 5004);
    EXPECT_EQ(selections, (std::vector<std::pair<int, bool>>{{5002, true}, {5003, true}, {5004, true}}));

    Key(VK_END);
    EXPECT_EQ(lv->ItemFocused()->Index(), 9999);
    EXPECT_EQ(lv->SelCount(), 1);
    EXPECT_EQ(SendMessage(h, LVM_GETTOPINDEX), 10000 - page);

    // Typing searches from after the focused item and wraps to the top.
    Type("Row 12");
    EXPECT_EQ(lv->ItemIndex(), 12);
    EXPECT_EQ(SendMessage(h, LVM_GETTOPINDEX), 12 - page + 1) << "brought into view from above";
    fetches = 0;
    lv->Repaint();
    EXPECT_LE(fetches, page + 1);

    // Past 65535 rows the message holds only the low word; the bar's position completes it.
    lv->Items().SetCount(70000);
    SCROLLINFO pos;
    pos.fMask = SIF_POS;
    pos.nPos = 68000;
    SetScrollInfo(h, SB_VERT, pos, false);
    SendMessage(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 68000 & 0xFFFF), 0);
    EXPECT_EQ(SendMessage(h, LVM_GETTOPINDEX), 68000);
}

TEST_F(TListViewTest, JobListShapeWithHiddenColumnsDrawsAndScrollsOnlyTheVisibleOnes)
{
    auto* lv = MakeList(vsReport, Bounds(10, 10, 300, 300));
    lv->SetGridLines(true);
    lv->SetRowSelect(true);
    lv->SetReadOnly(true);
    const std::vector<int> visible{0, 1, 2, 10, 15, 20, 24};
    lv->Columns().BeginUpdate();
    for (int c = 0; c < 25; ++c) {
        TListColumn* col = lv->Columns().Add();
        col->SetCaption("C" + std::to_string(c));
        bool shown = std::find(visible.begin(), visible.end(), c) != visible.end();
        col->SetWidth(shown ? 60 : 0);
        col->SetMaxWidth(shown ? 0 : 1);
    }
    lv->Columns().EndUpdate();
    lv->Items().BeginUpdate();
    for (int i = 0; i < 501; ++i) {
        TListItem* item = lv->Items().Add();
        item->SetCaption("Job " + std::to_string(i));
        for (int c = 1; c < 25; ++c)
            item->SubItems().Add(std::to_string(i) + "." + std::to_string(c));
    }
    lv->Items().EndUpdate();
    Pump();
    HWND h = lv->Handle();
    HWND header = HWND(SendMessage(h, LVM_GETHEADER));
    ASSERT_EQ(GetClassName(header), "SysHeader32");
    ASSERT_EQ(SendMessage(header, HDM_GETITEMCOUNT), 25);
    for (int c = 0; c < 25; ++c) {
        TRect r;
        SendMessage(header, HDM_GETITEMRECT, WPARAM(c), LPARAM(&r));
        bool shown = std::find(visible.begin(), visible.end(), c) != visible.end();
        EXPECT_EQ(r.Width(), shown ? 60 : 0) << "column " << c;
    }
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(h, SB_HORZ, si);
    EXPECT_EQ(si.nMax, 7 * 60 - 1);
    GetScrollInfo(h, SB_VERT, si);
    EXPECT_EQ(si.nMax, 500);

    // The divider at x = 180 is column 2's, not one of the hidden columns ending there.
    HDHITTESTINFO hit;
    hit.pt = TPoint{181, 5};
    EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, LPARAM(&hit)), 2);
    EXPECT_EQ(hit.flags, HHT_ONDIVIDER);
    // No section is drawn for a hidden column: column 10's left edge follows column 2's right edge.
    auto shot = Snapshot("joblist");
    EXPECT_EQ(PixelAt(*shot, At(header, 179, 8)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(*shot, At(header, 180, 8)), ColorToRGB(clBtnHighlight));

    SendMessage(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 490), 0);
    int page = int(SendMessage(h, LVM_GETCOUNTPERPAGE));
    EXPECT_EQ(SendMessage(h, LVM_GETTOPINDEX), 501 - page);
    SendMessage(h, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50), 0);
    TRect hr;
    GetWindowRect(header, hr);
    EXPECT_EQ(hr.Left, lv->ClientOrigin().X - 50);
    TRect cell;
    cell.Top = 10;
    cell.Left = LVIR_BOUNDS;
    SendMessage(h, LVM_GETSUBITEMRECT, WPARAM(501 - page), LPARAM(&cell));
    EXPECT_EQ(cell.Left, 180 - 50);
}

TEST_F(TListViewTest, ScrollStateWorksWithoutScrollStylesOrNonClientArea)
{
    auto* lv = MakeList<TBarlessListView>(vsReport, Bounds(10, 10, 200, 150));
    AddColumns(lv, {150, 150});
    for (int i = 0; i < 40; ++i)
        lv->Items().Add()->SetCaption("Item " + std::to_string(i));
    Pump();
    HWND h = lv->Handle();
    EXPECT_EQ(lv->ClientWidth(), 200);
    EXPECT_EQ(lv->ClientHeight(), 150);
    int rh = lv->RowHeight();
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(h, SB_VERT, si);
    EXPECT_EQ(si.nMax, 39);
    GetScrollInfo(h, SB_HORZ, si);
    EXPECT_EQ(si.nMax, 299);
    EXPECT_EQ(int(si.nPage), 200);

    SendMessage(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7), 0);
    EXPECT_EQ(lv->TopItem()->Index(), 7);
    lv->Scroll(0, 3 * rh);
    EXPECT_EQ(lv->TopItem()->Index(), 10);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 10);
    SendMessage(h, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 9);
    SendMessage(h, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 60), 0);
    lv->Scroll(15, 0);
    EXPECT_EQ(GetScrollPos(h, SB_HORZ), 75);
    EXPECT_EQ(lv->Items()[9]->Left(), -75);
    EXPECT_EQ(lv->ClientWidth(), 200) << "the bars never take room";
}

TEST_F(TListViewTest, LabelEditingAcceptsCancelsAndHonoursTheVeto)
{
    auto* lv = MakeList();
    AddColumns(lv, {150});
    for (const char* name : {"alpha", "beta", "gamma"})
        lv->Items().Add()->SetCaption(name);
    std::vector<std::string> edited;
    lv->OnEdited = [&](TObject*, TListItem*, std::string& s) {
        edited.push_back(s);
        s += "!";
    };
    bool allow = true;
    lv->OnEditing = [&](TObject*, TListItem*, bool& allowEdit) { allowEdit = allow; };
    Click(RowPoint(lv, 1));
    Key(VK_F2);
    ASSERT_TRUE(lv->IsEditing());
    Type("new");
    Key(VK_RETURN);
    EXPECT_FALSE(lv->IsEditing());
    EXPECT_EQ(lv->Items()[1]->Caption(), "new!");
    EXPECT_TRUE(lv->Focused());

    ASSERT_NE(SendMessage(lv->Handle(), LVM_EDITLABEL, 2), 0);
    Type("x");
    Key(VK_ESCAPE);
    EXPECT_EQ(lv->Items()[2]->Caption(), "gamma");
    EXPECT_EQ(edited, std::vector<std::string>{"new"});

    allow = false;
    EXPECT_EQ(SendMessage(lv->Handle(), LVM_EDITLABEL, 0), 0);
    EXPECT_FALSE(lv->Items()[0]->EditCaption());
}

TEST_F(TListViewTest, EveryViewStyleHitsAndSelectsTheItemUnderTheMouse)
{
    for (TViewStyle style : {vsReport, vsList, vsSmallIcon, vsIcon}) {
        auto* lv = MakeList(style);
        AddColumns(lv, {100});
        for (int i = 0; i < 30; ++i)
            lv->Items().Add()->SetCaption("File " + std::to_string(i));
        Pump();
        TRect r = lv->Items()[7]->DisplayRect(drLabel);
        TPoint centre{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
        EXPECT_EQ(lv->GetItemAt(centre.X, centre.Y), lv->Items()[7]) << "style " << style;
        Click(At(lv, centre.X, centre.Y));
        EXPECT_EQ(lv->ItemIndex(), 7) << "style " << style;
        Key(VK_HOME);
        EXPECT_EQ(lv->ItemIndex(), 0) << "style " << style;
        lv->Hide();
    }
}

TEST_F(TListViewTest, IconsArrangedFromTheLeftFillColumnsAndScrollSideways)
{
    auto* lv = MakeList(vsIcon);
    for (int i = 0; i < 12; ++i)
        lv->Items().Add()->SetCaption("A caption long enough to wrap " + std::to_string(i));
    Pump();
    auto box = [&](int i) { return lv->Items()[i]->DisplayRect(drBounds); };
    EXPECT_EQ(box(1).Top, box(0).Top) << "rows from the top by default";
    EXPECT_GT(box(1).Left, box(0).Left);

    TIconOptions o = lv->IconOptions();
    o.Arrangement = iaLeft;
    lv->SetIconOptions(o);
    Pump();
    EXPECT_EQ(box(1).Left, box(0).Left) << "columns from the left";
    EXPECT_EQ(box(1).Top, box(0).Bottom);
    int perColumn = 1;
    while (box(perColumn).Left == box(0).Left)
        ++perColumn;
    EXPECT_EQ(box(perColumn).Top, box(0).Top) << "the next column starts at the top";
    EXPECT_EQ(box(perColumn).Left, box(0).Right);
    const DWORD style = DWORD(GetWindowLong(lv->Handle(), GWL_STYLE));
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_FALSE(style & WS_VSCROLL);
    // The keys follow the columns: down is the next item, right the next column.
    TRect r = lv->Items()[0]->DisplayRect(drLabel);
    Click(At(lv, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    Key(VK_DOWN);
    EXPECT_EQ(lv->ItemIndex(), 1);
    Key(VK_RIGHT);
    EXPECT_EQ(lv->ItemIndex(), 1 + perColumn);
    // A hit in a later column finds its item.
    TRect last = lv->Items()[11]->DisplayRect(drLabel);
    if (last.Right <= lv->ClientWidth()) {
        EXPECT_EQ(lv->GetItemAt((last.Left + last.Right) / 2, (last.Top + last.Bottom) / 2), lv->Items()[11]);
    }
}

TEST_F(TListViewTest, IconCaptionsWrapOnlyWithWrapText)
{
    auto* lv = MakeList(vsIcon);
    lv->Items().Add()->SetCaption("wrapping wrapping wrapping wrapping");
    Pump();
    const TRect label = lv->Items()[0]->DisplayRect(drLabel);
    // Ink in the label's lower half shows a second line.
    auto lowerInk = [&] {
        Pump();
        std::unique_ptr<TBitmap> screen = Backend->CaptureScreen();
        int ink = 0;
        for (int y = label.Top + label.Height() / 2; y < label.Bottom; ++y)
            for (int x = label.Left; x < label.Right; ++x) {
                const TPoint p = At(lv, x, y);
                if (screen->Canvas()->Pixels(p.X, p.Y) != ColorToRGB(lv->Color()))
                    ++ink;
            }
        return ink;
    };
    EXPECT_GT(lowerInk(), 0);
    TIconOptions o = lv->IconOptions();
    o.WrapText = false;
    lv->SetIconOptions(o);
    Pump();
    EXPECT_EQ(lowerInk(), 0);
}

TEST_F(TListViewTest, ReportViewPaintsSelectionGridAndImagesOnKeyPixels)
{
    auto* images = new TImageList(Form, 16, 16);
    TBitmap red(16, 16);
    red.Fill(clRed);
    red.SetPixel(0, 15, clFuchsia);      // the key colour corner stays transparent
    images->AddMasked(red, clFuchsia);
    auto* lv = MakeList();
    lv->SetRowSelect(true);
    lv->SetGridLines(true);
    lv->SetSmallImages(images);
    AddColumns(lv, {120, 100});
    for (int i = 0; i < 5; ++i) {
        TListItem* item = lv->Items().Add();
        item->SetCaption("Row " + std::to_string(i));
        item->SetImageIndex(0);
        item->SubItems().Add("x");
    }
    lv->SetFocus();
    lv->Items()[1]->SetSelected(true);
    int rh = lv->RowHeight();
    TRect row1 = lv->Items()[1]->DisplayRect(drBounds);
    TRect row0 = lv->Items()[0]->DisplayRect(drBounds);
    auto shot = Snapshot("report");
    EXPECT_EQ(PixelAt(*shot, At(lv, 200, row1.Top + rh / 2)), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelAt(*shot, At(lv, 200, row0.Top + rh / 2)), ColorToRGB(clWindow));
    EXPECT_EQ(PixelAt(*shot, At(lv, 200, row0.Bottom - 1)), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(*shot, At(lv, 119, row0.Top + 3)), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(*shot, At(lv, 8, row0.Top + rh / 2)), ColorToRGB(clRed));
    EXPECT_EQ(PixelAt(*shot, At(lv, 250, 5)), ColorToRGB(clBtnFace)) << "header filler";
}

TEST_F(TListViewTest, CheckBoxesToggleByClickAndSpaceAndPaintTheirTick)
{
    auto* lv = MakeList();
    lv->SetCheckboxes(true);
    AddColumns(lv, {120, 100});
    for (int i = 0; i < 3; ++i)
        lv->Items().Add()->SetCaption("Row " + std::to_string(i));
    std::vector<std::pair<int, TItemChange>> changes;
    lv->OnChange = [&](TObject*, TListItem* item, TItemChange change) { changes.emplace_back(item->Index(), change); };
    EXPECT_EQ(lv->Items()[0]->StateIndex(), 0) << "check-box items start unchecked";

    TRect icon;
    icon.Left = LVIR_ICON;
    SendMessage(lv->Handle(), LVM_GETITEMRECT, 1, LPARAM(&icon));
    int rh = lv->RowHeight();
    TRect box = Bounds(icon.Left - 13, icon.Top + (rh - 13) / 2, 13, 13);
    LVHITTESTINFO hit;
    hit.pt = TPoint{box.Left + 6, box.Top + 6};
    EXPECT_EQ(SendMessage(lv->Handle(), LVM_HITTEST, 0, LPARAM(&hit)), 1);
    EXPECT_EQ(hit.flags, LVHT_ONITEMSTATEICON);

    Click(At(lv, box.Left + 6, box.Top + 6));
    EXPECT_TRUE(lv->Items()[1]->Checked());
    EXPECT_FALSE(lv->Items()[1]->Selected()) << "the box toggles without selecting";
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), std::make_pair(1, ctState));
    lv->SetFocus();
    auto shot = Snapshot("checkboxes");
    EXPECT_EQ(PixelAt(*shot, At(lv, box.Left, box.Top + 6)), ColorToRGB(clBtnShadow)) << "box frame";
    EXPECT_EQ(PixelAt(*shot, At(lv, box.Left + 5, box.Top + 8)), ColorToRGB(clWindowText)) << "tick";
    TRect box0 = box;
    box0.Offset(0, -rh);
    EXPECT_EQ(PixelAt(*shot, At(lv, box0.Left + 5, box0.Top + 8)), ColorToRGB(clWindow)) << "unchecked";

    Click(At(lv, 60, box.Top + 6));
    EXPECT_TRUE(lv->Items()[1]->Checked()) << "a click on the label only selects";
    EXPECT_TRUE(lv->Items()[1]->Selected());
    Key(VK_SPACE, " ");
    EXPECT_FALSE(lv->Items()[1]->Checked()) << "space toggles the focused item";
    Click(At(lv, box.Left + 6, box.Top + 6));
    EXPECT_TRUE(lv->Items()[1]->Checked());
    lv->SetCheckboxes(false);
    EXPECT_EQ(lv->Items()[1]->StateIndex(), -1);
}

TEST_F(TListViewTest, StateImagesDrawLeftOfTheSmallIconInEveryListStyle)
{
    auto* small = new TImageList(Form, 16, 16);
    auto* states = new TImageList(Form, 12, 12);
    TBitmap pic(16, 16);
    pic.Fill(clRed);
    small->Add(pic);
    TBitmap st(12, 12);
    st.Fill(clLime);
    states->Add(st);
    st.Fill(clBlue);
    states->Add(st);
    auto* lv = MakeList(vsReport);
    lv->SetSmallImages(small);
    lv->SetStateImages(states);
    AddColumns(lv, {150});
    TListItem* item = lv->Items().Add();
    item->SetCaption("Stated");
    item->SetImageIndex(0);
    item->SetStateIndex(1);
    TListItem* plain = lv->Items().Add();
    plain->SetCaption("Plain");
    plain->SetImageIndex(0);
    for (TViewStyle style : {vsReport, vsSmallIcon, vsList}) {
        lv->SetViewStyle(style);
        TRect icon = item->DisplayRect(drIcon);
        int mid = icon.Top + icon.Height() / 2;
        auto shot = Snapshot("state-images");
        EXPECT_EQ(PixelAt(*shot, At(lv, icon.Left + 8, mid)), ColorToRGB(clRed)) << "style " << style;
        EXPECT_EQ(PixelAt(*shot, At(lv, icon.Left - 8, mid)), ColorToRGB(clBlue)) << "style " << style;
        TRect plainIcon = plain->DisplayRect(drIcon);
        EXPECT_EQ(PixelAt(*shot, At(lv, plainIcon.Left - 8, plainIcon.Top + plainIcon.Height() / 2)),
                  ColorToRGB(clWindow))
            << "no state index, no picture; style " << style;
        LVHITTESTINFO hit;
        hit.pt = TPoint{icon.Left - 8, mid};
        SendMessage(lv->Handle(), LVM_HITTEST, 0, LPARAM(&hit));
        EXPECT_EQ(hit.flags, LVHT_ONITEMSTATEICON) << "style " << style;
        Click(At(lv, icon.Left - 8, mid));
        EXPECT_EQ(item->StateIndex(), 1) << "without check boxes a click does not change the state";
    }
}

TEST_F(TListViewTest, RubberBandSelectsTouchedItemsAndCtrlAdds)
{
    auto* lv = MakeList(vsSmallIcon);
    lv->SetMultiSelect(true);
    for (int i = 0; i < 6; ++i)
        lv->Items().Add()->SetCaption("Item " + std::to_string(i));
    lv->SetFocus();
    auto selected = [&] {
        std::vector<int> s;
        for (int i = 0; i < lv->Items().Count(); ++i)
            if (lv->Items()[i]->Selected())
                s.push_back(i);
        return s;
    };
    TRect last = lv->Items()[5]->DisplayRect(drBounds);
    TRect row1 = lv->Items()[2]->DisplayRect(drBounds);
    ASSERT_EQ(row1.Left, 0) << "two items a line";
    TPoint start = At(lv, 10, last.Bottom + 20);
    std::unique_ptr<TBitmap> midShot;
    Drag(start, At(lv, 10, row1.Top + 3), [&] { midShot = Snapshot("marquee"); });
    EXPECT_EQ(selected(), (std::vector<int>{2, 4})) << "the band touched the first column of two lines";
    ASSERT_TRUE(midShot);
    EXPECT_EQ(PixelAt(*midShot, start), ColorToRGB(clHighlight)) << "the band is drawn while dragging";
    auto after = Snapshot("marquee-done");
    EXPECT_EQ(PixelAt(*after, start), ColorToRGB(clWindow)) << "and gone after the release";

    TRect item1 = lv->Items()[1]->DisplayRect(drLabel);
    Backend->KeyDown(VK_CONTROL);
    Drag(At(lv, item1.Right + 20, item1.Top + 3), At(lv, item1.Right - 10, item1.Top + 5));
    Backend->KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(selected(), (std::vector<int>{1, 2, 4})) << "Ctrl adds to what was selected";

    Drag(At(lv, item1.Right + 20, item1.Top + 3), At(lv, item1.Right - 10, item1.Top + 5));
    EXPECT_EQ(selected(), (std::vector<int>{1})) << "without Ctrl the band starts afresh";

    TRect item3 = lv->Items()[3]->DisplayRect(drBounds);
    EXPECT_EQ(lv->GetItemAt(item3.Right - 4, item3.Top + 3), nullptr) << "the cell past the caption is empty";
    Backend->KeyDown(VK_CONTROL);
    Drag(At(lv, item3.Right - 4, item3.Top + 3), At(lv, item3.Right - 6, item3.Top + 5));
    Backend->KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(selected(), (std::vector<int>{1})) << "a band over no caption adds nothing";

    lv->SetMultiSelect(false);
    Drag(start, At(lv, 10, row1.Top + 3));
    EXPECT_TRUE(selected().empty()) << "single selection has no band";
}

TEST_F(TListViewTest, RubberBandInReportStyleStartsBesideTheLabels)
{
    auto* lv = MakeList(vsReport);
    lv->SetMultiSelect(true);
    AddColumns(lv, {120, 100});
    for (int i = 0; i < 6; ++i) {
        TListItem* item = lv->Items().Add();
        item->SetCaption("Row " + std::to_string(i));
        item->SubItems().Add("x");
    }
    lv->SetFocus();
    Pump();
    TRect r4 = lv->Items()[4]->DisplayRect(drBounds), r2 = lv->Items()[2]->DisplayRect(drBounds);
    auto selected = [&] {
        std::vector<int> s;
        for (int i = 0; i < lv->Items().Count(); ++i)
            if (lv->Items()[i]->Selected())
                s.push_back(i);
        return s;
    };
    Drag(At(lv, 180, r4.Top + 3), At(lv, 60, r2.Top + 3));
    EXPECT_EQ(selected(), (std::vector<int>{2, 3, 4}));
    Drag(At(lv, 180, r4.Top + 3), At(lv, 200, r2.Top + 3));
    EXPECT_TRUE(selected().empty()) << "a band beside the first column touches nothing";

    // The same with owner data, after a scroll: the band keeps its start in
    // the content while the rows move.
    lv->Items().Clear();
    lv->SetOwnerData(true);
    lv->OnData = [](TObject*, TListItem* item) { item->SetCaption("Row " + std::to_string(item->Index())); };
    lv->Items().SetCount(1000);
    SendMessage(lv->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 100), 0);
    Pump();
    TRect top = lv->Items()[100]->DisplayRect(drBounds);
    Drag(At(lv, 180, top.Top + 3), At(lv, 60, top.Top + 3 + 2 * top.Height()));
    EXPECT_EQ(selected(), (std::vector<int>{100, 101, 102}));
}

// A scroll by a row moves the rows in view and paints only the row that comes
// in; a page repaints. Either way the list looks exactly as a full repaint
// draws it: grid lines, the selected and focused row, and the row cut at the
// bottom.
TEST_F(TListViewTest, ScrollingMovesRowsAndLooksLikeAFullRepaint)
{
    auto* lv = MakeList(vsReport, Bounds(10, 10, 300, 205));
    lv->SetRowSelect(true);
    lv->SetGridLines(true);
    AddColumns(lv, {120, 100});
    for (int i = 0; i < 60; ++i) {
        TListItem* item = lv->Items().Add();
        item->SetCaption("Row " + std::to_string(i));
        item->SubItems().Add(std::to_string(i * 7));
    }
    lv->SetFocus();
    lv->Items()[3]->SetSelected(true);
    lv->Items()[3]->SetFocused(true);
    Pump();
    const int rh = lv->RowHeight();
    ASSERT_NE(lv->ClientHeight() % rh, 0) << "the last row in view is cut";
    auto listPixels = [&] {
        const TBitmap* surface = WindowSurface(Form->Handle());
        TRect r;
        GetWindowRect(lv->Handle(), r);
        TRect f;
        GetWindowRect(Form->Handle(), f);
        std::vector<TColor> pixels;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                pixels.push_back(surface->GetPixel(x - f.Left, y - f.Top));
        return pixels;
    };
    const struct {
        int Code;
        bool Moves;  // the rows in view move: little is painted anew
    } steps[] = {{SB_LINEDOWN, true}, {SB_LINEDOWN, true}, {SB_LINEUP, true}, {SB_PAGEDOWN, false},
                 {SB_LINEDOWN, true}, {SB_PAGEUP, false},  {SB_LINEUP, true}, {SB_LINEUP, true}};
    for (const auto& step : steps) {
        const int top = lv->TopItem()->Index();
        SendMessage(lv->Handle(), WM_VSCROLL, WPARAM(step.Code), 0);
        ASSERT_NE(lv->TopItem()->Index(), top) << "scroll " << step.Code;
        TRegion update;
        GetUpdateRgn(lv->Handle(), update, false);
        int painted = 0;
        for (const TRect& r : update.Rects())
            painted += r.Width() * r.Height();
        if (step.Moves) {  // the row that comes in, and the focused row when in view
            EXPECT_LE(painted, 2 * rh * lv->ClientWidth()) << "scroll " << step.Code << " from row " << top;
        }
        Pump();
        const std::vector<TColor> scrolled = listPixels();
        lv->Invalidate();
        Pump();
        EXPECT_TRUE(scrolled == listPixels()) << "scroll " << step.Code << " from row " << top;
    }
}
