#include "WidgetsFixture.h"
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

class THeaderTest : public TWidgetsTest {
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
