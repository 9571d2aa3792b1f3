#include "WidgetFixture.h"
#include "platform/ui/controls/ListView.h"

namespace {

constexpr TColor OwnFace = 0x20C040;

// What a skinned list view does with its header: it takes the header over
// when the list announces it, paints it itself, widens it by 25 pixels and
// leaves every other message to the header's own procedure.
class TSubclassingListView : public TListView {
public:
    using TListView::TListView;
    // The old procedure goes back before this object is gone.
    ~TSubclassingListView() override
    {
        if (Header && IsWindow(Header))
            SetWindowProc(Header, FOldProc);
    }
    HWND Header = nullptr;
    int Announced = 0;
    int Paints = 0;

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_PARENTNOTIFY && LOWORD(m.WParam) == WM_CREATE &&
            GetClassName(reinterpret_cast<HWND>(m.LParam)) == "SysHeader32") {
            ++Announced;
            Header = reinterpret_cast<HWND>(m.LParam);
            FOldProc = SetWindowProc(Header, [this](HWND h, UINT msg, WPARAM wp, LPARAM lp) {
                return HeaderProc(h, msg, wp, lp);
            });
        }
        TListView::WndProc(m);
    }

private:
    LRESULT HeaderProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
    {
        switch (msg) {
        case WM_WINDOWPOSCHANGING:
            reinterpret_cast<WINDOWPOS*>(lp)->cx += 25;
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            ++Paints;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, ps);
            TCanvas c;
            c.SetHandle(dc);
            TRect client;
            GetClientRect(h, client);
            c.Brush().SetColor(OwnFace);
            c.FillRect(client);
            c.Brush().SetColor(clBlack);
            int n = int(SendMessage(h, HDM_GETITEMCOUNT));
            for (int i = 0; i < n; ++i) {
                TRect r;
                SendMessage(h, HDM_GETITEMRECT, WPARAM(i), LPARAM(&r));
                if (r.Width() > 0)
                    c.FillRect(TRect{r.Right - 1, r.Top, r.Right, r.Bottom});
            }
            c.SetHandle(nullptr);
            EndPaint(h, ps);
            return 0;
        }
        default:
            return CallWindowProc(FOldProc, h, msg, wp, lp);
        }
    }
    TWndProc FOldProc;
};

}  // namespace

class THeaderTest : public TViewTest {
protected:
    template <class T = TListView>
    T* MakeReport(const std::vector<int>& widths, bool fullDrag = false)
    {
        auto* lv = new T(Form);
        lv->SetBounds(10, 10, 300, 150);
        lv->SetViewStyle(vsReport);
        lv->SetFullDrag(fullDrag);
        for (size_t i = 0; i < widths.size(); ++i) {
            TListColumn* c = lv->Columns().Add();
            c->SetCaption("Col " + std::to_string(i));
            c->SetWidth(widths[i]);
            if (widths[i] == 0)
                c->SetMaxWidth(1);
        }
        lv->SetParent(Form);
        Pump();
        return lv;
    }
};

TEST_F(THeaderTest, ASubclassedHeaderIsAnnouncedAndStillAnswersItsMessages)
{
    auto* lv = MakeReport<TSubclassingListView>({80, 0, 60}, true);
    ASSERT_EQ(lv->Announced, 1);
    HWND header = lv->Header;
    EXPECT_EQ(HWND(SendMessage(lv->Handle(), LVM_GETHEADER)), header);
    EXPECT_EQ(SendMessage(header, HDM_GETITEMCOUNT), 3);
    TRect r;
    ASSERT_TRUE(SendMessage(header, HDM_GETITEMRECT, 2, LPARAM(&r)));
    EXPECT_EQ(r.Left, 80);
    EXPECT_EQ(r.Right, 140);
    int order[3] = {2, 0, 1};
    ASSERT_TRUE(SendMessage(lv->Handle(), LVM_SETCOLUMNORDERARRAY, 3, LPARAM(order)));
    int back[3] = {};
    ASSERT_TRUE(SendMessage(header, HDM_GETORDERARRAY, 3, LPARAM(back)));
    EXPECT_EQ(std::vector<int>(back, back + 3), (std::vector<int>{2, 0, 1}));
    SendMessage(header, HDM_GETITEMRECT, 0, LPARAM(&r));
    EXPECT_EQ(r.Left, 60);
    HDHITTESTINFO hit;
    hit.pt = TPoint{139, 4};
    EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, LPARAM(&hit)), 0);
    EXPECT_EQ(hit.flags, HHT_ONDIVIDER);
    hit.pt = TPoint{100, 4};
    EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, LPARAM(&hit)), 0);
    EXPECT_EQ(hit.flags, HHT_ONHEADER);

    // Its own painting is what shows, and its width carries the extra 25 pixels.
    TRect wr;
    GetWindowRect(header, wr);
    EXPECT_EQ(wr.Width(), lv->ClientWidth() + 25);
    auto shot = Snapshot("subclassed-header");
    EXPECT_GT(lv->Paints, 0);
    EXPECT_EQ(PixelAt(*shot, At(header, 30, 5)), ColorToRGB(OwnFace));
    EXPECT_EQ(PixelAt(*shot, At(header, 59, 5)), ColorToRGB(clBlack));

    // Clicks and divider drags still reach the list through the old procedure.
    std::vector<int> clicked;
    lv->OnColumnClick = [&](TObject*, TListColumn* c) { clicked.push_back(c->Index()); };
    Click(At(header, 100, 5));
    EXPECT_EQ(clicked, std::vector<int>{0});
    Drag(At(header, 140, 5), At(header, 170, 5));
    EXPECT_EQ(lv->Columns()[0]->Width(), 110);
    EXPECT_EQ(clicked, std::vector<int>{0});
}

struct TDividerDragCase {
    const char* Name;
    std::vector<int> Widths;
    bool FullDrag;
    int Column;
    int MaxWidth;      // 0: none
    int FromX;
    int Dx;
    int Midway;        // the width while the button is still down
    int After;
};

TEST_F(THeaderTest, DraggingADividerResizesWithinTheColumnLimits)
{
    const TDividerDragCase cases[] = {
        {"outline drag applies at the release", {100, 60}, false, 0, 0, 101, 50, 100, 150},
        {"full drag applies while moving", {100, 60}, true, 0, 0, 99, 50, 125, 150},
        {"narrowing stops at zero", {100, 60}, true, 0, 0, 100, -150, 25, 0},
        {"the maximum width caps the drag", {100, 60}, true, 1, 90, 160, 100, 90, 90},
        {"a hidden column opens by at most one pixel", {0, 100, 60}, true, 0, 0, 1, 100, 1, 1},
    };
    for (const auto& c : cases) {
        auto* lv = MakeReport(c.Widths, c.FullDrag);
        if (c.MaxWidth)
            lv->Columns()[c.Column]->SetMaxWidth(c.MaxWidth);
        HWND header = HWND(SendMessage(lv->Handle(), LVM_GETHEADER));
        int midway = -1;
        Drag(At(header, c.FromX, 5), At(header, c.FromX + c.Dx, 5),
             [&] { midway = lv->Columns()[c.Column]->Width(); });
        EXPECT_EQ(midway, c.Midway) << c.Name;
        EXPECT_EQ(lv->Columns()[c.Column]->Width(), c.After) << c.Name;
        TRect r;
        SendMessage(header, HDM_GETITEMRECT, WPARAM(c.Column), LPARAM(&r));
        EXPECT_EQ(r.Width(), c.After) << c.Name;
        lv->Hide();
    }
}

namespace {

// A parent that logs the header drag notifications its list view passes on
// and may veto them.
class TDragWatchPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string> Log;
    int VetoCode = 0;

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_NOTIFY) {
            const auto& nm = *reinterpret_cast<const NMHEADER*>(m.LParam);
            if (nm.hdr.code == HDN_BEGINDRAG || nm.hdr.code == HDN_ENDDRAG) {
                std::string entry = nm.hdr.code == HDN_BEGINDRAG ? "begin " : "end ";
                entry += std::to_string(nm.iItem);
                if (nm.hdr.code == HDN_ENDDRAG && nm.pitem)
                    entry += " to " + std::to_string(nm.pitem->iOrder);
                Log.push_back(entry);
                m.Result = nm.hdr.code == VetoCode;
                return;
            }
        }
        TCustomControl::WndProc(m);
    }
};

}  // namespace

TEST_F(THeaderTest, DraggingASectionReordersTheColumnsUnlessTheParentVetoes)
{
    auto* panel = new TDragWatchPanel(Form);
    panel->SetBounds(0, 0, 400, 300);
    panel->SetParent(Form);
    auto* lv = new TListView(Form);
    lv->SetBounds(10, 10, 300, 150);
    lv->SetViewStyle(vsReport);
    for (int i = 0; i < 3; ++i) {
        TListColumn* c = lv->Columns().Add();
        c->SetCaption("Col " + std::to_string(i));
        c->SetWidth(80);
    }
    lv->SetParent(panel);
    for (int i = 0; i < 3; ++i) {
        TListItem* item = lv->Items().Add();
        item->SetCaption("Row " + std::to_string(i));
        item->SubItems().Add("a");
        item->SubItems().Add("b");
    }
    Pump();
    HWND h = lv->Handle();
    HWND header = lv->HeaderHandle();
    int clicks = 0, dragged = 0;
    lv->OnColumnClick = [&](TObject*, TListColumn*) { ++clicks; };
    lv->OnColumnDragged = [&](TObject*) { ++dragged; };
    auto order = [&] {
        std::vector<int> o(3);
        SendMessage(h, LVM_GETCOLUMNORDERARRAY, 3, LPARAM(o.data()));
        return o;
    };
    TRect hr;
    GetClientRect(header, hr);
    int y = hr.Height() / 2;

    Drag(At(header, 40, y), At(header, 200, y));
    EXPECT_TRUE(panel->Log.empty()) << "no drag without the drag style";
    EXPECT_EQ(order(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(clicks, 0) << "a press released elsewhere is no click";

    EXPECT_EQ(SendMessage(h, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_HEADERDRAGDROP, LVS_EX_HEADERDRAGDROP), 0);
    EXPECT_TRUE(lv->ColumnDrag());
    EXPECT_TRUE(GetWindowLong(header, GWL_STYLE) & HDS_DRAGDROP);
    std::unique_ptr<TBitmap> midway;
    Drag(At(header, 40, y), At(header, 200, y), [&] { midway = Snapshot("header-drag"); });
    ASSERT_TRUE(midway);
    // Halfway (x 120) the first section would land second: a bar at its right edge.
    EXPECT_EQ(PixelAt(*midway, At(header, 160, y)), ColorToRGB(clHighlight)) << "drop marker";
    EXPECT_EQ(PixelAt(*midway, At(header, 150, y)), ColorToRGB(clBtnFace)) << "no marker elsewhere";
    EXPECT_EQ(panel->Log, (std::vector<std::string>{"begin 0", "end 0 to 2"}));
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(SendMessage(header, HDM_ORDERTOINDEX, 2, 0), 0);
    EXPECT_EQ(SendMessage(header, HDM_ORDERTOINDEX, 0, 0), 1);
    EXPECT_EQ(lv->ColumnOrder(), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(dragged, 1);
    EXPECT_EQ(clicks, 0) << "a drag is no click";
    TRect sub;
    sub.Left = LVIR_BOUNDS;
    sub.Top = 2;
    SendMessage(h, LVM_GETSUBITEMRECT, 0, LPARAM(&sub));
    EXPECT_EQ(sub.Left, 80) << "the third column now paints second";

    lv->SetFocus();
    lv->Items()[0]->SetSelected(true);
    TRect row = lv->Items()[0]->DisplayRect(drBounds);
    int mid = row.Top + row.Height() / 2;
    auto shot = Snapshot("column-drag");
    EXPECT_EQ(PixelAt(*shot, At(lv, 164, mid)), ColorToRGB(clHighlight)) << "the label moved with its column";
    EXPECT_EQ(PixelAt(*shot, At(lv, 4, mid)), ColorToRGB(clWindow));

    panel->Log.clear();
    panel->VetoCode = HDN_ENDDRAG;
    Drag(At(header, 40, y), At(header, 200, y));
    EXPECT_EQ(panel->Log, (std::vector<std::string>{"begin 1", "end 1 to 2"}));
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 0})) << "a vetoed drop keeps the order";
    EXPECT_EQ(dragged, 1);

    panel->Log.clear();
    panel->VetoCode = HDN_BEGINDRAG;
    Drag(At(header, 200, y), At(header, 10, y));
    EXPECT_EQ(panel->Log, (std::vector<std::string>{"begin 0"}));
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 0}));

    panel->VetoCode = 0;
    Drag(At(header, 200, y), At(header, -30, y));
    EXPECT_EQ(order(), (std::vector<int>{0, 1, 2})) << "dropped left of all sections it goes first";

    int wanted[3] = {2, 0, 1};
    EXPECT_EQ(SendMessage(h, LVM_SETCOLUMNORDERARRAY, 3, LPARAM(wanted)), 1);
    EXPECT_EQ(SendMessage(header, HDM_ORDERTOINDEX, 0, 0), 2);
    sub.Left = LVIR_BOUNDS;
    sub.Top = 1;
    SendMessage(h, LVM_GETSUBITEMRECT, 0, LPARAM(&sub));
    EXPECT_EQ(sub.Left, 160);
}
