#include <gtest/gtest.h>
#include <algorithm>
#include "platform/ui/Scroll.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/SkinMessages.h"
#include "tests/skin_controls/ControlsFixture.h"

namespace {

class TListBoxTest : public TControlsTest {
protected:
    TbsSkinListBox* MakeList(TbsSkinData* Skin, int W, int H, int Count, const std::string& Prefix = "item ")
    {
        auto* l = new TbsSkinListBox(Form);
        l->SetParent(Form);
        l->SetBounds(10, 10, W, H);
        l->SetSkinData(Skin);
        for (int i = 0; i < Count; ++i)
            l->Items().Add(Prefix + std::to_string(i));
        Pump();
        return l;
    }
    void Key(TControl* Focus, int Vk, const std::string& Text = {})
    {
        (void)Focus;
        Backend->KeyPress(Vk, Text);
        Pump();
    }
};

TRect BoundsOf(TControl* c) { return TRect{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()}; }

TEST(TabStops, TakeTheFirstTenDigitTexts)
{
    struct TCase {
        std::string Text;
        int Value;
    };
    const TCase cases[] = {{"40", 40}, {"x", 0}, {"100", 100}, {"", 0}, {"12a", 0}, {"007", 7},
                           {"99999999999999999999", 0}, {"-5", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(DigitsToInt(c.Text), c.Value) << c.Text;
    TStringList widths;
    for (int i = 0; i < 12; ++i)
        widths.Add(std::to_string(10 * (i + 1)));
    const std::vector<int> stops = TabStopsOf(widths);
    ASSERT_EQ(stops.size(), 10u);
    EXPECT_EQ(stops.front(), 10);
    EXPECT_EQ(stops.back(), 100);
}

// The plain look's layout with no bar, the vertical bar, both bars and the
// horizontal bar alone, and the bar taken away again when items go.
TEST_F(TListBoxTest, PlainBarsAndListFollowTheContent)
{
    const int W = 200, H = 150;
    auto* l = MakeList(nullptr, W, H, 3);
    EXPECT_EQ(l->ScrollBar(), nullptr) << "3 rows of 20 fit";
    EXPECT_EQ(BoundsOf(l->ListBox), (TRect{2, 2, W - 2, H - 2}));
    const int rows = l->ListBox->Height() / l->ListBox->ItemHeight();
    while (l->Items().Count() <= rows)
        l->Items().Add("more");
    Pump();
    ASSERT_NE(l->ScrollBar(), nullptr);
    EXPECT_TRUE(l->ScrollBar()->Visible());
    EXPECT_EQ(BoundsOf(l->ScrollBar()), (TRect{W - 20, 1, W - 1, H - 1}));
    EXPECT_EQ(BoundsOf(l->ListBox), (TRect{2, 2, W - 20, H - 2}));
    int min = 0, max = 0;
    GetScrollRange(l->ListBox->Handle(), SB_VERT, &min, &max);
    EXPECT_EQ(l->ScrollBar()->Max(), max);
    EXPECT_EQ(l->ScrollBar()->PageSize(), rows);
    EXPECT_EQ(l->ScrollBar()->LargeChange(), rows);

    l->SetHorizontalExtent(true);
    l->Items().Add(std::string(80, 'W'));
    Pump();
    ASSERT_NE(l->HScrollBar(), nullptr);
    EXPECT_EQ(BoundsOf(l->HScrollBar()), (TRect{1, H - 20, W - 1, H - 1}));
    EXPECT_EQ(BoundsOf(l->ScrollBar()), (TRect{W - 20, 1, W - 1, H - 19}));
    EXPECT_EQ(BoundsOf(l->ListBox), (TRect{2, 2, W - 20, H - 20}));
    EXPECT_TRUE(l->HScrollBar()->Both()) << "the corner marker beside the vertical bar";

    while (l->Items().Count() > 2)
        l->Items().Delete(0);
    Pump();
    EXPECT_EQ(l->ScrollBar(), nullptr);
    ASSERT_NE(l->HScrollBar(), nullptr);
    EXPECT_FALSE(l->HScrollBar()->Both());
    EXPECT_EQ(BoundsOf(l->ListBox), (TRect{2, 2, W - 2, H - 20}));
    l->Items().Delete(l->Items().Count() - 1);   // the wide item
    Pump();
    EXPECT_EQ(l->HScrollBar(), nullptr);
    EXPECT_EQ(l->ListBox->HorizontalExtentValue(), 0);
}

TEST_F(TListBoxTest, RowCountSizesTheBoxAndKeepsTheBarAway)
{
    auto* l = MakeList(nullptr, 150, 60, 5);
    l->SetRowCount(5);
    Pump();
    EXPECT_EQ(l->Height(), 5 * 20 + 4);
    EXPECT_EQ(l->CalcHeight(5), 104);
    EXPECT_EQ(l->ScrollBar(), nullptr);
    l->SetCaptionMode(true);
    EXPECT_EQ(l->CalcHeight(5), 104 + 20);
    l->Items().Add("sixth");
    Pump();
    EXPECT_NE(l->ScrollBar(), nullptr) << "six items in five rows";
}

// The skinned bar drives the list and the list's own keys and wheel drive the bar.
TEST_F(TListBoxTest, SkinnedBarScrollsInStepWithTheList)
{
    for (TbsSkinData* skin : {BaseSkinData(), static_cast<TbsSkinData*>(nullptr)}) {
        auto* l = MakeList(skin, 160, 120, 40);
        ASSERT_NE(l->ScrollBar(), nullptr);
        if (skin) {
            EXPECT_NE(l->ScrollBar()->SkinIndex(), -1) << "the skin's vertical bar";
        }
        l->ScrollBar()->SetPosition(10);
        Pump();
        EXPECT_EQ(l->TopIndex(), 10);
        l->ListBox->SetFocus();
        l->SetItemIndex(10);
        for (int i = 0; i < 12; ++i)
            Key(l->ListBox, VK_DOWN);
        EXPECT_EQ(l->ItemIndex(), 22);
        EXPECT_EQ(l->ScrollBar()->Position(), l->TopIndex());
        EXPECT_GT(l->TopIndex(), 10);
        const int before = l->TopIndex();
        const TPoint p = At(l->ListBox, 20, 20);
        Backend->Wheel(-120, p.X, p.Y);
        Pump();
        EXPECT_EQ(l->TopIndex(), before + 4) << "three lines a notch and one more";
        EXPECT_EQ(l->ScrollBar()->Position(), l->TopIndex());
        delete l;
    }
}

// Every selection change the user makes raises the list's click, never one
// made from code.
TEST_F(TListBoxTest, UserSelectionRaisesClickCodeDoesNot)
{
    auto* l = MakeList(nullptr, 160, 200, 0);
    for (const char* s : {"apple", "banana", "blueberry", "cherry"})
        l->Items().Add(s);
    int clicks = 0;
    l->OnListBoxClick = [&](TObject* Sender) {
        EXPECT_EQ(Sender, l);
        ++clicks;
    };
    l->SetItemIndex(1);
    EXPECT_EQ(clicks, 0);
    l->ListBox->SetFocus();
    Pump();
    Key(l->ListBox, VK_DOWN);
    EXPECT_EQ(l->ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
    Key(l->ListBox, 'C', "c");
    EXPECT_EQ(l->ItemIndex(), 3) << "typed prefix";
    EXPECT_EQ(clicks, 2);
    Click(l->ListBox, 10, 10);
    EXPECT_EQ(l->ItemIndex(), 0);
    EXPECT_EQ(clicks, 3);
}

TEST_F(TListBoxTest, MultiSelectPaintsEverySelectedRow)
{
    auto* l = MakeList(nullptr, 160, 200, 6);
    l->SetMultiSelect(true);
    l->SetExtandedSelect(true);
    Pump();
    Click(l->ListBox, 30, 10);
    const TPoint p = At(l->ListBox, 30, 70);
    Backend->KeyDown(VK_SHIFT);
    Backend->MouseMove(p.X, p.Y);
    Backend->Click(p.X, p.Y);
    Backend->KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(l->SelCount(), 4);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(l->Selected(i), i < 4) << i;
    EXPECT_EQ(PixelOf(l->ListBox, 100, 30), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelOf(l->ListBox, 100, 110), ColorToRGB(clWindow));
}

// OnDrawItem replaces the content: it gets the item bitmap, index, sizes and state.
TEST_F(TListBoxTest, OwnerDrawingReplacesTheItemContent)
{
    for (TbsSkinData* skin : {BaseSkinData(), static_cast<TbsSkinData*>(nullptr)}) {
        auto* l = MakeList(skin, 160, 120, 3);
        std::vector<int> drawn;
        int selectedSeen = -1;
        l->OnDrawItem = [&](TCanvas& C, int Index, int W, int H, TRect, TOwnerDrawState State) {
            drawn.push_back(Index);
            EXPECT_EQ(W, l->ListBox->Width());
            EXPECT_GT(H, 0);
            if (State.Contains(odSelected))
                selectedSeen = Index;
            C.Brush().SetStyle(bsSolid);
            C.Brush().SetColor(RGB(0, 200, 0));
            C.FillRect(TRect{0, 0, 10, 4});
        };
        l->SetItemIndex(1);
        l->ListBox->Invalidate();
        Pump();
        EXPECT_EQ(selectedSeen, 1);
        EXPECT_NE(std::find(drawn.begin(), drawn.end(), 2), drawn.end());
        EXPECT_EQ(PixelOf(l->ListBox, 2, l->ListBox->ItemHeight() + 1), RGB(0, 200, 0));
        delete l;
    }
}

TEST_F(TListBoxTest, EmptyListPrintsItsBackgroundOnRequest)
{
    auto* l = MakeList(nullptr, 100, 80, 0);
    TBitmap b(100, 80);
    b.Fill(RGB(1, 2, 3));
    HWND h = l->ListBox->Handle();
    EXPECT_EQ(SendMessage(h, WM_PRINTLISTBACKGROUND, WPARAM(b.Canvas()->Handle()), PRINTSKINFRAMEEX_KEY),
              PRINTSKINFRAMEEX_KEY);
    EXPECT_EQ(b.GetPixel(50, 40), ColorToRGB(clWindow));
    EXPECT_EQ(SendMessage(h, WM_PRINTLISTBACKGROUND, 0, 0x1234), 0);
    l->Items().Add("x");
    EXPECT_EQ(SendMessage(h, WM_PRINTLISTBACKGROUND, WPARAM(b.Canvas()->Handle()), PRINTSKINFRAMEEX_KEY), 0);
    EXPECT_EQ(SendMessage(h, WM_PRINTSKINFRAME, 0, 0), PRINTSKINFRAME_DONE);
}

// A skin whose item picture is empty keeps the default row height.
TEST_F(TListBoxTest, EmptySkinItemRectKeepsTheDefaultHeight)
{
    TbsSkinData* skin = BaseSkinData();
    auto* e = dynamic_cast<TbsDataSkinListBox*>(skin->CtrlList[size_t(skin->GetControlIndex("listbox"))].get());
    ASSERT_NE(e, nullptr);
    const TRect saved = e->SItemRect;
    e->SItemRect = TRect{};
    auto* l = MakeList(skin, 160, 120, 20);
    EXPECT_EQ(l->ListBox->ItemHeight(), 20);
    l->SetRowCount(3);
    Pump();
    EXPECT_GT(l->Height(), 0);
    e->SItemRect = saved;
}

// The offset of a wide list: steps of a "0", arrow keys, and width changes.
TEST_F(TListBoxTest, HorizontalExtentScrollsItemText)
{
    auto* l = MakeList(nullptr, 120, 100, 0);
    l->SetHorizontalExtent(true);
    l->Items().Add(std::string(60, 'M'));
    Pump();
    ASSERT_NE(l->HScrollBar(), nullptr);
    TBitmap m(1, 1);
    m.Canvas()->Font().Assign(l->ListBox->Font());
    EXPECT_EQ(l->HScrollBar()->SmallChange(), m.Canvas()->TextWidth("0"));
    l->ListBox->SetFocus();
    Key(l->ListBox, VK_RIGHT);
    Key(l->ListBox, VK_RIGHT);
    EXPECT_EQ(l->ListBox->HorizontalExtentValue(), 2 * l->HScrollBar()->SmallChange());
    const int offset = l->ListBox->HorizontalExtentValue();
    l->SetBounds(l->Left(), l->Top(), 110, 100);
    Pump();
    EXPECT_EQ(l->ListBox->HorizontalExtentValue(), offset + 10) << "narrowing by 10";
    l->ListBox->SetHorizontalExtentValue(3);
    l->SetBounds(l->Left(), l->Top(), 150, 100);
    Pump();
    EXPECT_EQ(l->ListBox->HorizontalExtentValue(), 0) << "never below 0";
}

}  // namespace

namespace {

// A row dragged from one list onto another through the forwarded drag
// members: the target asks about the source, takes the drop, and the source
// hears where it went. A drop outside any taker ends with no target.
TEST_F(TListBoxTest, RowsDragFromOneListToAnother)
{
    auto* from = MakeList(nullptr, 120, 120, 3, "from ");
    auto* to = MakeList(nullptr, 120, 120, 0);
    to->SetBounds(200, 10, 120, 120);
    from->SetListBoxDragMode(dmAutomatic);
    from->SetListBoxDragCursor(crHandPoint);
    EXPECT_EQ(from->ListBox->DragMode(), dmAutomatic);
    EXPECT_EQ(from->ListBoxDragCursor(), crHandPoint);
    std::vector<TDragState> states;
    to->OnListBoxDragOver() = [&](TObject*, TObject* Source, int, int, TDragState State, bool& Accept) {
        states.push_back(State);
        Accept = Source == from->ListBox;
    };
    to->OnListBoxDragDrop() = [&](TObject*, TObject* Source, int, int) {
        auto* list = static_cast<TbsListBox*>(Source);
        to->Items().Add(list->Items()[list->ItemIndex()]);
    };
    TObject* endedOn = from;
    int started = 0;
    from->OnListBoxStartDrag() = [&](TObject*, TDragObject*&) { ++started; };
    from->OnListBoxEndDrag() = [&](TObject*, TObject* Target, int, int) { endedOn = Target; };
    from->SetItemIndex(1);

    auto drag = [&](TPoint b) {
        started = 0;
        states.clear();
        const TPoint a = At(from->ListBox, 20, 25);
        Backend->MouseMove(a.X, a.Y);
        Backend->MouseDown(a.X, a.Y);
        Pump();
        Backend->MouseMove(a.X + 2, a.Y);   // within the threshold: no drag yet
        Pump();
        EXPECT_EQ(started, 0);
        Backend->MouseMove(b.X - 5, b.Y);
        Backend->MouseMove(b.X, b.Y);
        Pump();
        Backend->MouseUp(b.X, b.Y);
        Pump();
    };
    Backend->ClearCursorsShown();
    drag(At(to->ListBox, 30, 30));
    EXPECT_EQ(started, 1);
    ASSERT_GE(states.size(), 2u);
    EXPECT_EQ(states.front(), dsDragEnter);
    EXPECT_TRUE(std::all_of(states.begin() + 1, states.end(), [](TDragState s) { return s == dsDragMove; }));
    ASSERT_EQ(to->Items().Count(), 1);
    EXPECT_EQ(to->Items()[0], "from 1");
    EXPECT_EQ(endedOn, to->ListBox);
    const auto& shown = Backend->CursorsShown();
    EXPECT_NE(std::find(shown.begin(), shown.end(), IDC_HAND), shown.end()) << "the drag cursor over a taker";
    EXPECT_FALSE(from->ListBox->Dragging());

    drag(At(Form, 170, 200));   // the bare form
    EXPECT_EQ(started, 1);
    EXPECT_TRUE(states.empty()) << "the other list never asked";
    EXPECT_EQ(endedOn, nullptr) << "nothing took it";
    EXPECT_EQ(to->Items().Count(), 1);
    EXPECT_EQ(Backend->CursorShape(), IDC_ARROW);
}

}  // namespace
