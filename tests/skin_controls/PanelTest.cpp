#include "tests/skin_controls/ControlsFixture.h"
#include "platform/ui/controls/StdCtrls.h"
#include "skin/controls/SkinPanel.h"

namespace {

class TPanelTest : public TControlsTest {
protected:
    template <class T = TbsSkinPanel>
    T* NewPanel(TbsSkinData* Skin = nullptr)
    {
        auto* p = new T(Form);
        p->SetParent(Form);
        p->SetBounds(10, 10, 150, 150);
        if (Skin)
            p->SetSkinData(Skin);
        Pump();
        return p;
    }
};

TEST_F(TPanelTest, RollUpCollapsesToTheCaptionAndBack)
{
    auto* p = NewPanel();
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    p->Constraints().MaxHeight = 400;
    auto* child = new TLabel(Form);
    child->SetParent(p);
    int changes = 0;
    p->OnChangeRollUpState = [&](TObject*) { ++changes; };

    p->SetRollUpState(true);
    EXPECT_EQ(p->Height(), 23);
    EXPECT_EQ(p->RealHeight(), 150);
    EXPECT_FALSE(child->Visible());
    EXPECT_EQ(p->Constraints().MaxHeight, 0);

    p->SetRollUpState(false);
    EXPECT_EQ(p->Height(), 150);
    EXPECT_EQ(p->RealHeight(), -1);
    EXPECT_TRUE(child->Visible());
    EXPECT_EQ(p->Constraints().MaxHeight, 0) << "the limits stay cleared while roll-up mode is on";
    EXPECT_EQ(changes, 2);

    // A click on the caption bar rolls up too.
    Click(p, 40, 10);
    EXPECT_TRUE(p->RollUpState());
    EXPECT_EQ(p->Height(), 23);
    Click(p, 40, 10);
    EXPECT_EQ(p->Height(), 150);

    // Only with the mode off do the saved limits come back, with no event.
    p->SetRollUpMode(false);
    p->SetRollUpState(true);
    EXPECT_FALSE(p->RollUpState());
    EXPECT_EQ(p->Constraints().MaxHeight, 400);
    EXPECT_EQ(changes, 4);
}

TEST_F(TPanelTest, SkinnedRollUpKeepsTheFrameWithoutItsClientPart)
{
    auto* g = NewPanel<TbsSkinGroupBox>(TestSkinData());
    g->SetRollUpMode(true);
    g->SetCaption("Group");
    g->SetHeight(100);
    // The element's client part runs from 18 to 4 above the bottom.
    EXPECT_EQ(g->GetSkinClientRect(), (TRect{4, 18, 146, 96}));
    g->SetRollUpState(true);
    EXPECT_EQ(g->Height(), 22);
    // A new skin keeps the height to restore.
    g->SetSkinData(BaseSkinData());
    EXPECT_EQ(g->RealHeight(), 100);
    g->SetRollUpState(false);
    EXPECT_EQ(g->Height(), 100);
    EXPECT_FALSE(g->AlignDisabled()) << "the second collapse must not hold the alignment twice";
}

TEST_F(TPanelTest, ClientRectFollowsBorderCaptionAndSkin)
{
    struct TCase {
        TbsSkinBorderStyle Border;
        bool Caption, Ribbon;
        TRect Expected;
    } cases[] = {
        {TbsSkinBorderStyle::bvNone, false, false, {0, 0, 150, 150}},
        {TbsSkinBorderStyle::bvNone, true, false, {0, 22, 150, 150}},
        {TbsSkinBorderStyle::bvFrame, false, false, {1, 1, 149, 149}},
        {TbsSkinBorderStyle::bvRaised, true, false, {1, 23, 149, 149}},
        {TbsSkinBorderStyle::bvLowered, true, true, {1, 1, 149, 127}},
    };
    auto* p = NewPanel();
    for (const auto& c : cases) {
        p->SetBorderStyle(c.Border);
        p->SetCaptionMode(c.Caption);
        p->SetRibbonStyle(c.Ribbon);
        EXPECT_EQ(p->GetSkinClientRect(), c.Expected) << int(c.Border) << c.Caption << c.Ribbon;
    }
    // Skinned: the element's client part for the current size.
    p->SetSkinData(TestSkinData());
    p->SetCaptionMode(false);
    p->SetBorderStyle(TbsSkinBorderStyle::bvFrame);
    EXPECT_EQ(p->GetSkinClientRect(), (TRect{4, 4, 146, 146}));
    // An aligned child fills that part.
    auto* child = NewPanel();
    child->SetParent(p);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), (TRect{4, 4, 146, 146}));
}

TEST_F(TPanelTest, CheckedModeEnablesTheChildrenAndFiresEveryTime)
{
    auto* p = NewPanel();
    p->SetCaptionMode(true);
    p->SetCheckedMode(true);
    auto* child = new TLabel(Form);
    child->SetParent(p);
    int checked = 0;
    p->OnChecked = [&](TObject*) { ++checked; };
    p->SetChecked(true);
    p->SetChecked(true);
    EXPECT_EQ(checked, 2);
    EXPECT_TRUE(child->Enabled());
    Click(p, 60, 10);
    EXPECT_FALSE(p->Checked());
    EXPECT_FALSE(child->Enabled());
    EXPECT_EQ(checked, 3);
    // Below the caption bar nothing toggles.
    Click(p, 60, 60);
    EXPECT_EQ(checked, 3);
    // In ribbon style the bar sits at the bottom, and so does its click strip.
    p->SetRibbonStyle(true);
    Click(p, 60, 10);
    EXPECT_EQ(checked, 3);
    Click(p, 60, 140);
    EXPECT_EQ(checked, 4);
}

TEST_F(TPanelTest, FacesShowTheirLooks)
{
    auto* plain = NewPanel();
    EXPECT_EQ(PixelOf(plain, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(plain, 75, 75), ColorToRGB(clBtnFace));

    auto* skinned = NewPanel(TestSkinData());
    skinned->SetLeft(200);
    Pump();
    EXPECT_EQ(PixelOf(skinned, 1, 1), TestSkin::PanelBorder);
    EXPECT_EQ(PixelOf(skinned, 75, 75), TestSkin::PanelFace);
    EXPECT_EQ(PixelOf(skinned, 148, 148), TestSkin::PanelBorder);

    auto* group = NewPanel<TbsSkinGroupBox>(TestSkinData());
    group->SetBounds(10, 170, 150, 100);
    group->SetCaption("Group");
    Pump();
    EXPECT_EQ(PixelOf(group, 145, 2), TestSkin::PanelCaption) << "the caption band stretches with the box";

    int painted = 0;
    auto* paint = NewPanel<TbsSkinPaintPanel>();
    paint->SetBounds(200, 170, 60, 60);
    paint->OnPanelPaint = [&](TCanvas& C, const TRect& R) {
        ++painted;
        C.Brush().SetColor(RGB(1, 2, 3));
        C.FillRect(R);
    };
    paint->Repaint();
    Pump();
    EXPECT_GT(painted, 0);
    EXPECT_EQ(PixelOf(paint, 30, 30), RGB(1, 2, 3));
    EXPECT_EQ(PixelOf(paint, 0, 0), ColorToRGB(clBtnShadow));
}

}  // namespace
