#include "tests/skin_controls/ControlsFixture.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinSplitter.h"

namespace {

class TLabelsTest : public TControlsTest {
protected:
    // The bounding box of the pixels of colour C in a control's picture.
    TRect BoxOf(TControl* Control, TColor C)
    {
        const TBitmap shot = Snapshot(Control);
        TRect box{1 << 20, 1 << 20, -1, -1};
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x)
                if (shot.GetPixel(x, y) == C) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
        return box;
    }
};

TEST_F(TLabelsTest, DisabledLabelDrawsALightCopyOnePixelDownAndRight)
{
    for (TbsSkinData* skin : {static_cast<TbsSkinData*>(nullptr), TestSkinData()}) {
        auto* l = new TbsSkinStdLabel(Form);
        l->SetParent(Form);
        l->SetBounds(10, 10, 80, 20);
        l->SetCaption("Hello");
        if (skin)
            l->SetSkinData(skin);
        l->SetEnabled(false);
        Pump();
        // The test skin's colours are the plain ones, so one check serves both.
        const TRect light = BoxOf(l, ColorToRGB(clBtnHighlight));
        const TRect dark = BoxOf(l, ColorToRGB(clBtnShadow));
        ASSERT_GT(dark.Right, 0);
        EXPECT_EQ(light.Right, dark.Right + 1);
        EXPECT_EQ(light.Bottom, dark.Bottom + 1);
        l->SetEnabled(true);
        Pump();
        EXPECT_EQ(BoxOf(l, ColorToRGB(clBtnHighlight)).Right, -1);
        if (skin) {
            EXPECT_GT(BoxOf(l, TestSkin::LabelText).Right, 0) << "the skin's label colour";
        }
        delete l;
    }
}

TEST_F(TLabelsTest, RightToLeftFormMirrorsTheSkinnedLabels)
{
    auto* std = new TbsSkinStdLabel(Form);
    std->SetParent(Form);
    std->SetAutoSize(false);
    std->SetBounds(10, 10, 200, 20);
    std->SetCaption("Std");
    auto* text = new TbsSkinTextLabel(Form);
    text->SetParent(Form);
    text->SetAutoSize(false);
    text->SetBounds(10, 40, 200, 20);
    text->Lines().Add("Text");
    std->SetSkinData(TestSkinData());
    text->SetSkinData(TestSkinData());
    Pump();
    for (TControl* c : std::vector<TControl*>{std, text}) {
        const TRect ink = BoxOf(c, TestSkin::LabelText);
        ASSERT_GT(ink.Right, 0);
        EXPECT_LT(ink.Right, 100);
    }
    Form->SetBiDiMode(bdRightToLeft);
    Pump();
    EXPECT_GT(BoxOf(std, TestSkin::LabelText).Left, 100);
    EXPECT_GT(BoxOf(text, TestSkin::LabelText).Left, 100);
}

TEST_F(TLabelsTest, TextLabelSizesToItsLines)
{
    auto* l = new TbsSkinTextLabel(Form);
    l->SetParent(Form);
    l->SetLeft(100);
    l->Lines().Add("A line");
    const int one = l->Height();
    ASSERT_GT(one, 5);
    l->Lines().Add("A second line");
    EXPECT_EQ(l->Height(), 2 * one) << "two lines, not three";
    const int wide = l->Width();

    // Right-aligned: the right edge stays where it was.
    l->SetAlignment(taRightJustify);
    const int right = l->Left() + l->Width();
    l->Lines().Delete(1);
    EXPECT_LT(l->Width(), wide);
    EXPECT_EQ(l->Left() + l->Width(), right);

    // Word wrap breaks a long line at the label's width.
    l->SetAlignment(taLeftJustify);
    l->SetAutoSize(false);
    l->SetWidth(60);
    l->SetWordWrap(true);
    l->SetAutoSize(true);
    l->Lines().SetText("several words that do not fit on one line");
    EXPECT_LE(l->Width(), 60);
    EXPECT_GE(l->Height(), 3 * one);

    // The skin's label colour.
    l->SetSkinData(TestSkinData());
    Pump();
    EXPECT_GT(BoxOf(l, TestSkin::LabelText).Right, 0);
}

TEST_F(TLabelsTest, BevelShapesInTheSkinColours)
{
    auto* b = new TbsSkinBevel(Form);
    b->SetParent(Form);
    b->SetBounds(10, 10, 20, 20);
    Pump();
    EXPECT_EQ(PixelOf(b, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(b, 19, 10), ColorToRGB(clBtnHighlight));

    b->SetSkinData(TestSkinData());
    b->SetShape(bsFrame);
    b->SetDividerMode(true);
    Pump();
    // A vertical divider in the middle: dark at 9, light at 10.
    EXPECT_EQ(PixelOf(b, 9, 5), TestSkin::BevelDark);
    EXPECT_EQ(PixelOf(b, 10, 5), TestSkin::BevelLight);
    EXPECT_EQ(PixelOf(b, 0, 5), RGB(240, 240, 240));
    b->SetShape(bsTopLine);
    Pump();
    EXPECT_EQ(PixelOf(b, 5, 9), TestSkin::BevelDark);
    EXPECT_EQ(PixelOf(b, 5, 10), TestSkin::BevelLight);
    b->SetStyle(bsRaised);
    Pump();
    EXPECT_EQ(PixelOf(b, 5, 9), TestSkin::BevelLight);
}

TEST_F(TLabelsTest, SplitterTakesTheElementsThicknessAndGripper)
{
    auto* s = new TbsSkinSplitter(Form);
    s->SetParent(Form);
    s->SetAlign(alTop);
    s->SetSkinDataName("hsplitter");
    s->SetSkinData(TestSkinData());
    Pump();
    EXPECT_EQ(s->Height(), 8);
    ASSERT_EQ(s->Width(), 400);
    EXPECT_EQ(PixelOf(s, 2, 4), TestSkin::PanelBorder);
    EXPECT_EQ(PixelOf(s, 100, 4), TestSkin::SplitterFace);
    EXPECT_EQ(PixelOf(s, 199, 3), TestSkin::Gripper);
    EXPECT_EQ(PixelOf(s, 197, 1), TestSkin::SplitterFace) << "the gripper's key colour shows the strip";

    auto* v = new TbsSkinSplitter(Form);
    v->SetParent(Form);
    v->SetAlign(alLeft);
    v->SetSkinData(TestSkinData());
    Pump();
    EXPECT_EQ(v->Width(), 8);
    EXPECT_EQ(PixelOf(v, 4, 2), TestSkin::PanelBorder);
    EXPECT_EQ(PixelOf(v, 4, v->Height() / 2 - 2), TestSkin::Gripper);

    // Transparent: the default size at the next skin change, nothing painted.
    s->SetTransparent(true);
    s->ChangeSkinData();
    Pump();
    EXPECT_EQ(s->Height(), 10);
    EXPECT_EQ(PixelOf(s, 100, 4), RGB(240, 240, 240));
    // Without a skin the default size too.
    v->SetSkinData(nullptr);
    EXPECT_EQ(v->Width(), 10);
}

TEST_F(TLabelsTest, BeveledSplitterWithoutASkinShowsARaisedEdge)
{
    auto* v = new TbsSkinSplitter(Form);
    v->SetParent(Form);
    v->SetAlign(alLeft);
    v->SetSkinData(nullptr);   // the plain look: the library's splitter
    Pump();
    ASSERT_EQ(v->Width(), 10);
    const int mid = v->Height() / 2;
    const TColor face = PixelOf(v, 5, mid);
    EXPECT_EQ(PixelOf(v, 0, mid), face);
    v->SetBeveled(true);
    Pump();
    // Inset (1, 2): dark frame at x 0 and 7, light frame at x 2 and 9.
    EXPECT_EQ(PixelOf(v, 0, mid), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(v, 7, mid), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(v, 2, mid), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelOf(v, 9, mid), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelOf(v, 5, mid), face);
    EXPECT_EQ(PixelOf(v, 0, 0), face) << "the edge stops short of the ends";

    // A skinned splitter draws its element whatever Beveled says.
    v->SetSkinData(TestSkinData());
    Pump();
    EXPECT_EQ(PixelOf(v, 4, 2), TestSkin::PanelBorder);
}

}  // namespace
