#include <algorithm>
#include "ClassLibFixture.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/Timer.h"

class TControlsTest : public TClassLibTest {
protected:
    void SetUp() override
    {
        TClassLibTest::SetUp();
        Form = MakeForm(100, 100, 320, 240);
    }
    TForm* Form = nullptr;
};

TEST_F(TControlsTest, ButtonClickFromCodeRunsEvenWhenDisabledButTheMouseDoesNot)
{
    auto* b = new TButton(Form);
    b->SetParent(Form);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->SetEnabled(false);
    b->Click();
    EXPECT_EQ(clicks, 1);
    Click(b, 5, 5);
    EXPECT_EQ(clicks, 1);
    b->SetEnabled(true);
    Click(b, 5, 5);
    EXPECT_EQ(clicks, 2);
}

TEST_F(TControlsTest, CheckBoxesAndRadioButtonsRaiseClickWhenTheirStateChanges)
{
    auto* check = new TCheckBox(Form);
    check->SetParent(Form);
    std::vector<std::string> log;
    check->OnClick = [&](TObject*) { log.push_back(check->Checked() ? "check on" : "check off"); };
    check->SetChecked(true);
    check->SetChecked(true);
    Click(check, 3, 8);
    std::vector<TRadioButton*> radios;
    for (int i = 0; i < 3; ++i) {
        auto* r = new TRadioButton(Form);
        r->SetBounds(10, 40 + i * 20, 100, 17);
        r->SetParent(Form);
        r->OnClick = [&log, i](TObject*) { log.push_back("radio " + std::to_string(i)); };
        radios.push_back(r);
    }
    radios[0]->SetChecked(true);
    Click(radios[2], 3, 8);
    EXPECT_FALSE(radios[0]->Checked());
    EXPECT_TRUE(radios[2]->Checked());
    EXPECT_EQ(log, (std::vector<std::string>{"check on", "check off", "radio 0", "radio 2"}));
}

TEST_F(TControlsTest, TrackBarMovesByKeysAndMouseWithinItsRange)
{
    auto* t = new TTrackBar(Form);
    t->SetBounds(10, 10, 216, 40);
    t->SetParent(Form);
    t->SetRange(0, 100);
    t->SetPageSize(10);
    std::vector<int> changes;
    t->OnChange = [&](TObject*) { changes.push_back(t->Position()); };
    t->SetFocus();
    Key(VK_RIGHT);
    Key(VK_END);
    Key(VK_NEXT);
    Key(VK_HOME);
    // Drag the thumb to the channel's middle.
    TRect thumb = t->ThumbRect();
    TPoint from = At(t, thumb.Left + 3, thumb.Top + 3);
    TPoint to = At(t, 8 + 100, thumb.Top + 3);
    Backend->MouseDown(from.X, from.Y);
    Backend->MouseMove(to.X, to.Y);
    Backend->MouseUp(to.X, to.Y);
    Pump();
    EXPECT_EQ(changes, (std::vector<int>{1, 100, 0, 50}));
}

TEST_F(TControlsTest, LabelsSizeToTheirTextAndKeepTheirAlignedEdge)
{
    auto* l = new TLabel(Form);
    l->SetParent(Form);
    l->SetBounds(200, 10, 100, 20);
    l->SetAlignment(taRightJustify);
    l->SetCaption("A much longer caption");
    int right = 300;
    EXPECT_EQ(l->Left() + l->Width(), right);
    EXPECT_GT(l->Width(), 100);
    int oneLine = l->Height();
    l->SetAutoSize(false);
    l->SetBounds(10, 50, 60, 20);
    l->SetWordWrap(true);
    l->SetAutoSize(true);
    EXPECT_LE(l->Width(), 60);            // as wide as its widest line
    EXPECT_GT(l->Height(), oneLine);
}

TEST_F(TControlsTest, SplitterResizesItsNeighbourWithinMinSize)
{
    auto* left = new TPanel(Form);
    left->SetWidth(100);
    left->SetAlign(alLeft);
    left->SetParent(Form);
    auto* split = new TSplitter(Form);
    split->SetLeft(150);
    split->SetParent(Form);
    auto* rest = new TPanel(Form);
    rest->SetAlign(alClient);
    rest->SetParent(Form);
    Pump();
    ASSERT_EQ(split->Left(), 100);
    EXPECT_EQ(split->FindControl(), left);
    bool moved = false;
    split->OnMoved = [&](TObject*) { moved = true; };
    TPoint a = At(split, 1, 50), b = At(split, 41, 50);
    Backend->MouseDown(a.X, a.Y);
    Backend->MouseMove(b.X, b.Y);
    Backend->MouseUp(b.X, b.Y);
    Pump();
    EXPECT_EQ(left->Width(), 140);
    EXPECT_EQ(split->Left(), 140);
    EXPECT_EQ(rest->Left(), 143);
    EXPECT_TRUE(moved);
    a = At(split, 1, 50);
    b = At(split, -500, 50);
    Backend->MouseDown(a.X, a.Y);
    Backend->MouseMove(b.X, b.Y);
    Backend->MouseUp(b.X, b.Y);
    Pump();
    EXPECT_EQ(left->Width(), split->MinSize());
}

TEST_F(TControlsTest, ImageListsAddCutInsertDeleteAndDrawGreyWhenDisabled)
{
    TImageList list(nullptr, 4, 4);
    TBitmap strip(12, 4);
    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 4; ++y)
            strip.SetPixel(x, y, x < 4 ? clRed : x < 8 ? clLime : clFuchsia);
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 3);
    TBitmap blue(4, 4);
    blue.Fill(clBlue);
    list.Insert(1, blue);
    list.Delete(0);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_THROW(list.Delete(3), EInvalidOperation);
    TBitmap target(12, 4);
    target.Fill(clWhite);
    TCanvas* c = target.Canvas();
    list.Draw(*c, 0, 0, 0, true);           // blue
    list.Draw(*c, 4, 0, 1, false);          // green, greyed
    list.Draw(*c, 8, 0, 2, true);           // all key colour: nothing
    EXPECT_EQ(target.GetPixel(1, 1) & 0xFFFFFF, ColorToRGB(clBlue));
    TColor grey = target.GetPixel(5, 1) & 0xFFFFFF;
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    EXPECT_EQ(target.GetPixel(9, 1) & 0xFFFFFF, ColorToRGB(clWhite));
    list.SetSize(8, 8);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(TControlsTest, TimersTickOnTheirIntervalAndRestartWhenChanged)
{
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetInterval(100);
    for (int i = 0; i < 5; ++i)
        Advance(50);
    EXPECT_EQ(ticks, 2);
    timer.SetInterval(200);          // starts the count afresh
    Advance(150);
    EXPECT_EQ(ticks, 2);
    Advance(50);
    EXPECT_EQ(ticks, 3);
    timer.SetEnabled(false);
    Advance(500);
    EXPECT_EQ(ticks, 3);
}

TEST_F(TControlsTest, PaintToDrawsAControlTreeIntoAnyContextWithThePaintCopyState)
{
    auto* panel = new TPanel(Form);
    panel->SetBounds(0, 0, 60, 40);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clRed);
    panel->SetParent(Form);
    auto* inner = new TPanel(Form);
    inner->SetBounds(10, 10, 20, 20);
    inner->SetBevelOuter(bvNone);
    inner->SetColor(clBlue);
    inner->SetParent(panel);
    bool sawPaintCopy = false;
    inner->WindowProc = [&, prev = inner->WindowProc](TMessage& m) {
        if (m.Msg == WM_PAINT)
            sawPaintCopy = inner->ControlState().Contains(csPaintCopy);
        prev(m);
    };
    TBitmap shot(100, 100, pf32bit);
    shot.Fill(clWhite);
    TDeviceContext dc(&shot);
    panel->PaintTo(&dc, 30, 20);
    EXPECT_EQ(shot.GetPixel(5, 5) & 0xFFFFFF, ColorToRGB(clWhite));
    EXPECT_EQ(shot.GetPixel(32, 22) & 0xFFFFFF, ColorToRGB(clRed));
    EXPECT_EQ(shot.GetPixel(45, 35) & 0xFFFFFF, ColorToRGB(clBlue));
    EXPECT_TRUE(sawPaintCopy);
    EXPECT_FALSE(inner->ControlState().Contains(csPaintCopy));
}

// A drag started by hand: each control the mouse crosses is asked (enter,
// move, leave), the cursor tells whether the one under it takes the drop,
// and a drag ended without a drop reaches no target.
TEST_F(TClassLibTest, ManualDragAsksEachControlOnTheWay)
{
    TForm* f = MakeForm(100, 100, 300, 200);
    auto panel = [&](int x) {
        auto* p = new TPanel(f);
        p->SetParent(f);
        p->SetBounds(x, 10, 80, 80);
        return p;
    };
    TPanel* source = panel(10);
    TPanel* taker = panel(110);
    TPanel* other = panel(210);
    Pump();
    std::vector<std::string> log;
    taker->OnDragOver = [&](TObject*, TObject* Source, int, int, TDragState State, bool& Accept) {
        const char* names[] = {"enter", "leave", "move"};
        log.push_back(names[State]);
        Accept = Source == source;
    };
    taker->OnDragDrop = [&](TObject*, TObject*, int, int) { log.push_back("drop"); };
    source->OnEndDrag = [&](TObject*, TObject* Target, int, int) { log.push_back(Target ? "end on taker" : "end"); };

    const TPoint start = At(source, 40, 40);
    Backend->MouseMove(start.X, start.Y);
    source->BeginDrag(true);
    EXPECT_TRUE(source->Dragging());
    for (TPoint p : {At(taker, 20, 20), At(taker, 30, 20)}) {
        Backend->MouseMove(p.X, p.Y);
        Pump();
    }
    EXPECT_EQ(Backend->CursorShape(), IDC_ARROW) << "the drag cursor over a taker";
    const TPoint away = At(other, 20, 20);
    Backend->MouseMove(away.X, away.Y);
    Pump();
    EXPECT_EQ(Backend->CursorShape(), IDC_NO);
    source->EndDrag(false);
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "move", "leave", "end"}));
    EXPECT_EQ(Backend->CursorShape(), IDC_ARROW);

    // Dropped on the taker: it takes it and the source hears so.
    log.clear();
    source->BeginDrag(true);
    const TPoint onto = At(taker, 20, 20);
    Backend->MouseMove(onto.X, onto.Y);
    Backend->MouseUp(onto.X, onto.Y);
    Pump();
    log.erase(std::remove(log.begin(), log.end(), "move"), log.end());   // the release may move first
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "drop", "end on taker"}));

    // A source going away mid-drag leaves nothing behind.
    source->BeginDrag(true);
    delete source;
    Backend->MouseMove(away.X, away.Y);
    Pump();
    taker->BeginDrag(true);
    EXPECT_TRUE(taker->Dragging()) << "a new drag can start";
    taker->EndDrag(false);
}
