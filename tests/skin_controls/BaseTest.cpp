// The control bases: resize modes, size rules, mapping of element
// rectangles, the plain look, the skin change and centring in a bar.
#include "tests/skin_controls/ControlsFixture.h"
#include "platform/gfx/Region.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/ControlHost.h"
#include "skin/controls/GraphicSkinControl.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/frame/SkinChangeRelay.h"

namespace {

TbsElementGeometry Element(TRect SkinRect, TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect Cl)
{
    TbsElementGeometry g;
    g.SkinRect = SkinRect;
    g.LTPt = LT;
    g.RTPt = RT;
    g.LBPt = LB;
    g.RBPt = RB;
    g.ClRect = Cl;
    g.ComputeResizeMode();
    return g;
}

TEST(ElementGeometry, ResizeModeFollowsTheCornerPoints)
{
    struct TCase {
        const char* Name;
        TRect SkinRect;
        TPoint RT, LB, RB;
        int Mode;
    };
    const TCase cases[] = {
        {"zero in RBPt rules out nine-slice", {0, 0, 20, 20}, {10, 0}, {0, 0}, {0, 5}, 2},
        {"empty skin rect", {5, 5, 5, 20}, {10, 3}, {3, 10}, {10, 10}, -1},
        {"nine-slice", {0, 0, 20, 20}, {10, 3}, {3, 10}, {10, 10}, 1},
        {"downwards", {0, 0, 20, 20}, {0, 0}, {3, 10}, {0, 0}, 3},
        {"fixed", {0, 0, 20, 20}, {0, 0}, {0, 0}, {0, 0}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Element(c.SkinRect, {3, 3}, c.RT, c.LB, c.RB, {}).ResizeMode, c.Mode) << c.Name;
}

TEST(ElementGeometry, FitSizeFixesWhatTheModeFixes)
{
    auto fixed = Element({0, 0, 30, 20}, {}, {}, {}, {}, {2, 2, 28, 18});
    auto across = Element({0, 0, 30, 20}, {5, 5}, {25, 5}, {}, {}, {5, 5, 25, 15});
    auto down = Element({0, 0, 30, 20}, {5, 5}, {}, {5, 15}, {}, {5, 5, 25, 15});
    auto nine = Element({0, 0, 30, 20}, {5, 5}, {25, 5}, {5, 15}, {25, 15}, {5, 5, 25, 15});
    int w = 90, h = 60;
    fixed.FitSize(w, h, true);
    EXPECT_EQ(TPoint(w, h), TPoint(30, 20));
    w = 90, h = 60;
    fixed.FitSize(w, h, false);
    EXPECT_EQ(TPoint(w, h), TPoint(90, 60)) << "without an element nothing is forced";
    w = 90, h = 60;
    across.FitSize(w, h, true);
    EXPECT_EQ(TPoint(w, h), TPoint(90, 20));
    EXPECT_EQ(across.NewRTPoint, TPoint(85, 5));
    EXPECT_EQ(across.NewClRect, TRect(5, 5, 85, 15));
    w = 90, h = 60;
    down.FitSize(w, h, true);
    EXPECT_EQ(TPoint(w, h), TPoint(30, 60));
    EXPECT_EQ(down.NewClRect, TRect(5, 5, 25, 55));
    w = 90, h = 60;
    nine.FitSize(w, h, true);
    EXPECT_EQ(TPoint(w, h), TPoint(90, 60));
    EXPECT_EQ(nine.NewRBPoint, TPoint(85, 55));
    EXPECT_EQ(nine.NewClRect, TRect(5, 5, 85, 55));
}

TEST(ElementGeometry, MapSkinRectMovesCornerAreasAndGrowsSpans)
{
    auto nine = Element({0, 0, 40, 30}, {10, 10}, {30, 10}, {10, 20}, {30, 20}, {10, 10, 30, 20});
    EXPECT_EQ(nine.MapSkinRect({32, 2, 38, 8}, 60, 30), TRect(52, 2, 58, 8)) << "top-right area";
    EXPECT_EQ(nine.MapSkinRect({2, 2, 38, 8}, 60, 30), TRect(2, 2, 58, 8)) << "top-left to top-right";
    EXPECT_EQ(nine.MapSkinRect({2, 2, 8, 8}, 60, 30), TRect(2, 2, 8, 8)) << "top-left area";
    EXPECT_EQ(nine.MapSkinRect({2, 22, 8, 28}, 60, 50), TRect(2, 42, 8, 48)) << "bottom-left area";
    auto across = Element({0, 0, 40, 30}, {10, 0}, {30, 0}, {}, {}, {10, 0, 30, 30});
    EXPECT_EQ(across.MapSkinRect({32, 2, 38, 8}, 60, 30), TRect(52, 2, 58, 8)) << "right cap";
    EXPECT_EQ(across.MapSkinRect({5, 2, 35, 8}, 60, 30), TRect(5, 2, 55, 8)) << "spans the middle";
}

// A bar that centres its controls in a client part 30 high starting at 2.
class TFakeBar : public TCustomControl, public TbsSkinControlHost {
public:
    using TCustomControl::TCustomControl;
    bool AdjustControls() const override { return true; }
    TRect GetSkinClientRect() override { return TRect{0, 2, 200, 32}; }
    TImageList* Images() const override { return FImages; }
    TImageList* HotImages() const override { return nullptr; }
    TImageList* DisabledImages() const override { return FDisabled; }
    TImageList* FImages = nullptr;
    TImageList* FDisabled = nullptr;
};

using TBaseTest = TControlsTest;

TEST_F(TBaseTest, PlainControlPaintsButtonFaceAndKeepsItsSize)
{
    auto* c = new TbsSkinCustomControl(Form);
    c->SetParent(Form);
    c->SetBounds(10, 10, 50, 30);
    Pump();
    EXPECT_EQ(c->SkinIndex(), -1);
    EXPECT_EQ(PixelOf(c, 20, 15), ColorToRGB(clBtnFace));
    EXPECT_EQ(c->Width(), 50);
}

TEST_F(TBaseTest, ControlInABarIsCentredInTheBarsClientPart)
{
    auto* bar = new TFakeBar(Form);
    bar->SetParent(Form);
    bar->SetBounds(0, 0, 200, 40);
    auto* windowed = new TbsSkinButton(Form);
    windowed->SetParent(bar);
    windowed->SetBounds(0, 0, 40, 21);
    auto* windowless = new TbsSkinSpeedButton(Form);
    windowless->SetParent(bar);
    windowless->SetBounds(50, 0, 40, 21);
    EXPECT_EQ(windowed->Top(), 7);
    EXPECT_EQ(windowless->Top(), 7);
}

TEST_F(TBaseTest, DefaultWidthWaitsForASkinWithoutTheElement)
{
    auto* b = new TbsSkinButton(Form);
    b->SetParent(Form);
    b->SetSkinData(TestSkinData());
    b->SetBounds(10, 10, 60, 30);
    ASSERT_NE(b->SkinIndex(), -1);
    b->SetDefaultWidth(90);
    EXPECT_EQ(b->Width(), 60) << "a skinned control keeps its width";
    b->SetSkinDataName("nosuchelement");
    b->ChangeSkinData();
    EXPECT_EQ(b->SkinIndex(), -1);
    EXPECT_EQ(b->Width(), 90);
}

TEST_F(TBaseTest, SkinChangeAndRemovalDropTheElement)
{
    auto* b = new TbsSkinButton(Form);
    b->SetParent(Form);
    auto skin = std::make_unique<TbsSkinData>(nullptr);
    TTestSkinFolder folder;
    skin->LoadFromFile(folder.IniPath());
    b->SetSkinData(skin.get());
    ASSERT_NE(b->SkinIndex(), -1);
    ASSERT_NE(b->Picture, nullptr);
    b->BeforeChangeSkinData();
    EXPECT_EQ(b->SkinIndex(), -1);
    EXPECT_EQ(b->Picture, nullptr);
    b->ChangeSkinData();
    ASSERT_NE(b->SkinIndex(), -1);
    skin.reset();
    EXPECT_EQ(b->SkinData(), nullptr);
    EXPECT_EQ(b->SkinIndex(), -1);
    EXPECT_EQ(b->Picture, nullptr);
    // Painting and sizing after the skin went away use the plain look.
    b->SetBounds(10, 10, 77, 33);
    Pump();
    EXPECT_EQ(b->Width(), 77);
    EXPECT_EQ(PixelOf(b, 30, 15), ColorToRGB(clBtnFace));
}

TEST_F(TBaseTest, EmptySkinGivesThePlainLook)
{
    TbsSkinData empty(nullptr);
    auto* b = new TbsSkinButton(Form);
    b->SetParent(Form);
    b->SetSkinData(&empty);
    Pump();
    EXPECT_EQ(b->SkinIndex(), -1);
    EXPECT_EQ(PixelOf(b, 30, 12), ColorToRGB(clBtnFace));
}

TEST_F(TBaseTest, SkinnedSizeFollowsTheElement)
{
    // The test skin's tool button is nine-slice: any size. Our base skin's
    // check box grows across only: its height is the element's.
    auto* b = new TbsSkinSpeedButton(Form);
    b->SetParent(Form);
    b->SetSkinData(TestSkinData());
    b->SetBounds(0, 0, 70, 44);
    EXPECT_EQ(TPoint(b->Width(), b->Height()), TPoint(70, 44));
    EXPECT_EQ(b->ResizeMode, 1);
}

TEST_F(TBaseTest, MaskCutsTheWindowRegionAtEverySize)
{
    auto* b = new TbsSkinButton(Form);
    b->SetParent(Form);
    b->SetSkinDataName("maskedbutton");
    b->SetSkinData(TestSkinData());
    b->SetBounds(10, 10, 80, 30);
    Pump();
    TRegion rgn;
    ASSERT_NE(GetWindowRgn(b->Handle(), rgn), rkError);
    EXPECT_FALSE(rgn.Contains(TPoint{0, 0}));
    EXPECT_FALSE(rgn.Contains(TPoint{79, 29})) << "the corner moved with the size";
    EXPECT_TRUE(rgn.Contains(TPoint{40, 15}));
    EXPECT_TRUE(rgn.Contains(TPoint{3, 0}));
    // Without the element the region goes away.
    b->SetSkinDataName("button");
    b->ChangeSkinData();
    EXPECT_EQ(GetWindowRgn(b->Handle(), rgn), rkError);
}

TEST_F(TBaseTest, PiecewisePaintingFillsTheClientFromTheElement)
{
    for (bool stretch : {false, true}) {
        auto* c = new TbsSkinCustomControl(Form);
        c->SetParent(Form);
        c->SetForcebackGround(true);
        c->SetSkinDataName("button");
        c->SetSkinData(TestSkinData());
        // Tiled and stretched client parts both come from the element's client piece.
        auto* e = dynamic_cast<TbsDataSkinCustomControl*>(TestSkinData()->CtrlList[size_t(c->SkinIndex())].get());
        ASSERT_NE(e, nullptr);
        e->StretchEffect = stretch;
        c->SetBounds(10, 10, 150, 70);
        Pump();
        EXPECT_EQ(PixelOf(c, 0, 0), TestSkin::Border) << stretch;
        EXPECT_EQ(PixelOf(c, 75, 35), TestSkin::Normal) << stretch;
        EXPECT_EQ(PixelOf(c, 149, 69), TestSkin::Border) << stretch;
        // An element without a client part has nothing to fill, and paints.
        e->ClRect = TRect{};
        c->Repaint();
        Pump();
        EXPECT_EQ(PixelOf(c, 0, 0), TestSkin::Border) << stretch;
        delete c;
    }
}

TEST_F(TBaseTest, DefaultSizesAndElementsWithoutASkin)
{
    struct TCase {
        TControl* Control;
        std::string Element;
        int Width, Height;
    };
    auto* check = new TbsSkinCheckRadioBox(Form);
    auto* menu = new TbsSkinMenuSpeedButton(Form);
    const TCase cases[] = {
        {new TbsSkinButton(Form), "button", 75, 25},
        {check, "checkbox", 150, 25},
        {new TbsSkinSpeedButton(Form), "toolbutton", 25, 25},
        {menu, "toolmenubutton", 25, 25},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.Control->Width(), c.Width) << c.Element;
        EXPECT_EQ(c.Control->Height(), c.Height) << c.Element;
    }
    EXPECT_EQ(check->SkinDataName(), "checkbox");
    EXPECT_EQ(menu->SkinDataName(), "toolmenubutton");
    EXPECT_FALSE(check->TabStop());
}

}  // namespace

// The form's frame reaches the controls through the relay: the windowed ones
// drop their element before the container reloads, and all look it up again after.
TEST_F(TBaseTest, TheFramesRelayReachesSkinnedControls)
{
    auto* windowed = new TbsSkinButton(Form);
    windowed->SetParent(Form);
    windowed->SetSkinData(TestSkinData());
    auto* windowless = new TbsSkinSpeedButton(Form);
    windowless->SetParent(Form);
    windowless->SetSkinData(TestSkinData());
    ASSERT_NE(windowed->SkinIndex(), -1);
    ASSERT_NE(windowless->SkinIndex(), -1);
    BeforeChangeControlsSkinData(TestSkinData(), Form);
    EXPECT_EQ(windowed->SkinIndex(), -1);
    EXPECT_EQ(windowed->Picture, nullptr);
    EXPECT_NE(windowless->SkinIndex(), -1) << "windowless controls are told only of the change";
    ChangeControlsSkinData(TestSkinData(), Form);
    EXPECT_NE(windowed->SkinIndex(), -1);
    EXPECT_NE(windowless->SkinIndex(), -1);
}
