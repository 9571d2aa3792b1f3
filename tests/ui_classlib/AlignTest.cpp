#include "ClassLibFixture.h"

using TAlignTest = TClassLibTest;

// A panel of 200 x 100 (no bevel) with children aligned in stored order.
TEST_F(TAlignTest, AlignedChildrenShareTheClientAreaByKindThenPosition)
{
    struct TChild {
        TAlign Align;
        TRect Stored;
        TRect Expected;
    };
    struct TCase {
        const char* Name;
        std::vector<TChild> Children;
    };
    const TCase cases[] = {
        {"top stack by position", {{alTop, Bounds(0, 50, 10, 20), Bounds(0, 30, 200, 20)},
                                   {alTop, Bounds(0, 10, 10, 30), Bounds(0, 0, 200, 30)}}},
        {"bottom then client", {{alBottom, Bounds(0, 0, 10, 25), Bounds(0, 75, 200, 25)},
                                {alClient, Bounds(5, 5, 10, 10), Bounds(0, 0, 200, 75)}}},
        {"left, right, client", {{alClient, Bounds(0, 0, 1, 1), Bounds(40, 0, 130, 100)},
                                 {alRight, Bounds(0, 0, 30, 5), Bounds(170, 0, 30, 100)},
                                 {alLeft, Bounds(0, 0, 40, 5), Bounds(0, 0, 40, 100)}}},
        {"top before left", {{alLeft, Bounds(0, 0, 50, 5), Bounds(0, 20, 50, 80)},
                             {alTop, Bounds(0, 0, 5, 20), Bounds(0, 0, 200, 20)}}},
        {"two rights by right edge", {{alRight, Bounds(100, 0, 20, 5), Bounds(160, 0, 20, 100)},
                                      {alRight, Bounds(150, 0, 20, 5), Bounds(180, 0, 20, 100)}}},
        {"client squeezed to nothing", {{alLeft, Bounds(0, 0, 150, 5), Bounds(0, 0, 150, 100)},
                                        {alRight, Bounds(0, 0, 80, 5), Bounds(120, 0, 80, 100)},
                                        {alClient, Bounds(0, 0, 5, 5), Bounds(150, 0, 0, 100)}}},
    };
    TForm* form = MakeForm(0, 0, 400, 300);
    for (const TCase& c : cases) {
        auto* panel = new TPanel(form);
        panel->SetBevelOuter(bvNone);
        panel->SetBounds(0, 0, 200, 100);
        panel->SetParent(form);
        std::vector<TControl*> made;
        panel->DisableAlign();
        for (const TChild& ch : c.Children) {
            auto* p = new TPanel(form);
            p->SetBoundsRect(ch.Stored);
            p->SetAlign(ch.Align);
            p->SetParent(panel);
            made.push_back(p);
        }
        panel->EnableAlign();
        for (size_t i = 0; i < made.size(); ++i)
            EXPECT_EQ(made[i]->BoundsRect(), c.Children[i].Expected) << c.Name << " child " << i;
        delete panel;
    }
}

TEST_F(TAlignTest, ChildrenPlacedWhileLoadingAreAlignedOnceLoaded)
{
    struct TLoadedForm : TForm {
        explicit TLoadedForm(TComponent* owner) : TForm(owner)
        {
            Holder = new TPanel(this);
            Holder->SetBevelOuter(bvNone);
            Holder->SetBounds(10, 10, 200, 100);
            Holder->SetParent(this);
            Inner = new TPanel(this);
            Inner->SetAlign(alClient);
            Inner->SetParent(Holder);
            EXPECT_NE(Inner->BoundsRect(), Bounds(0, 0, 200, 100)) << "no aligning while loading";
        }
        TPanel* Holder = nullptr;
        TPanel* Inner = nullptr;
    };
    auto* form = NewForm<TLoadedForm>(nullptr);
    Forms.push_back(form);
    EXPECT_EQ(form->Inner->BoundsRect(), Bounds(0, 0, 200, 100));
}

TEST_F(TAlignTest, AnchorsFollowTheParentsSizeChange)
{
    struct TCase {
        TAnchors Anchors;
        TRect Expected;       // after the parent grows by 40 x 20
    };
    const TCase cases[] = {
        {TAnchors{akLeft, akTop}, Bounds(10, 10, 50, 30)},
        {TAnchors{akRight, akTop}, Bounds(50, 10, 50, 30)},
        {TAnchors{akLeft, akRight, akTop}, Bounds(10, 10, 90, 30)},
        {TAnchors{akLeft, akBottom}, Bounds(10, 30, 50, 30)},
        {TAnchors{akLeft, akTop, akRight, akBottom}, Bounds(10, 10, 90, 50)},
        {TAnchors{}, Bounds(30, 20, 50, 30)},
    };
    TForm* form = MakeForm(0, 0, 400, 300);
    for (const TCase& c : cases) {
        auto* panel = new TPanel(form);
        panel->SetBevelOuter(bvNone);
        panel->SetBounds(0, 0, 200, 100);
        panel->SetParent(form);
        auto* child = new TButton(form);
        child->SetBounds(10, 10, 50, 30);
        child->SetAnchors(c.Anchors);
        child->SetParent(panel);
        panel->SetBounds(0, 0, 240, 120);
        EXPECT_EQ(child->BoundsRect(), c.Expected) << c.Anchors.Bits();
        delete panel;
    }
}

TEST_F(TAlignTest, ConstraintsBoundSizesAlsoWhenAligned)
{
    TForm* form = MakeForm(0, 0, 300, 200);
    auto* p = new TPanel(form);
    p->SetConstraints(TSizeConstraints{20, 10, 100, 0});
    p->SetParent(form);
    p->SetBounds(0, 0, 500, 5);
    EXPECT_EQ(p->BoundsRect(), Bounds(0, 0, 100, 10));
    p->SetAlign(alTop);
    EXPECT_EQ(p->Width(), 100);                 // the top strip is capped by MaxWidth
    form->SetClientWidth(50);
    EXPECT_EQ(p->Width(), 50);
}

TEST_F(TAlignTest, ResizingAFormRealignsAndRaisesOnResizeOnce)
{
    TForm* form = MakeForm(0, 0, 300, 200);
    auto* bottom = new TPanel(form);
    bottom->SetHeight(30);
    bottom->SetAlign(alBottom);
    bottom->SetParent(form);
    int resizes = 0;
    form->OnResize = [&](TObject*) { ++resizes; };
    form->SetClientHeight(250);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 220, 300, 30));
}

TEST_F(TAlignTest, ScrollBoxAlignsInItsScrolledAreaAndScrollsChildren)
{
    TForm* form = MakeForm(0, 0, 300, 200);
    auto* box = new TScrollBox(form);
    box->SetBounds(0, 0, 104, 104);
    box->SetParent(form);
    auto* far = new TButton(form);
    far->SetBounds(10, 300, 50, 20);
    far->SetParent(box);
    Pump();
    box->UpdateScrollBars();
    int lo = 0, hi = 0;
    GetScrollRange(box->Handle(), SB_VERT, &lo, &hi);
    EXPECT_EQ(hi, 319);
    box->ScrollInView(far);
    EXPECT_GT(box->ScrollPos().Y, 0);
    EXPECT_LE(far->Top() + far->Height(), box->ClientHeight());
    EXPECT_EQ(far->Top() + box->ScrollPos().Y, 300);
}

// A panel whose children align below a top margin it is told about later.
class TMarginPanel : public TPanel {
public:
    using TPanel::TPanel;
    int TopMargin = 0;

protected:
    void AdjustClientRect(TRect& r) override
    {
        TPanel::AdjustClientRect(r);
        r.Top += TopMargin;
    }
};

TEST_F(TAlignTest, SettingTheSameAlignRealignsTheParent)
{
    TForm* form = MakeForm(0, 0, 300, 200);
    auto* panel = new TMarginPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 150);
    auto* child = new TPanel(form);
    child->SetParent(panel);
    child->SetHeight(20);
    child->SetAlign(alTop);
    const int top = child->Top();
    panel->TopMargin = 12;   // the client part moved without a realign
    EXPECT_EQ(child->Top(), top);
    child->SetAlign(alTop);
    EXPECT_EQ(child->Top(), top + 12);
}
