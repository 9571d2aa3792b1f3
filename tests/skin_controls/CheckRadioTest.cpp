// Check boxes and radio buttons: the Checked and State rules with their
// events, groups, the grayed cycle, check images and the plain look.
#include "tests/skin_controls/ControlsFixture.h"
#include "skin/controls/SkinCheckRadioBox.h"

namespace {

class TCheckRadioTest : public TControlsTest {
protected:
    TbsSkinCheckRadioBox* Make(int Y, bool Radio, int Group, TbsSkinData* Skin = nullptr)
    {
        auto* b = new TbsSkinCheckRadioBox(Form);
        b->SetParent(Form);
        b->SetBounds(10, Y, 150, 25);
        b->SetRadio(Radio);
        b->SetGroupIndex(Group);
        if (Radio)
            b->SetSkinDataName("radiobox");
        b->SetSkinData(Skin);
        b->OnClick = [this](TObject* Sender) { Log.push_back(Sender); };
        Pump();
        return b;
    }
    int ClicksOf(TObject* b) const { return int(std::count(Log.begin(), Log.end(), b)); }
    std::vector<TObject*> Log;
};

TEST_F(TCheckRadioTest, CheckingARadioUnchecksItsGroupQuietly)
{
    TbsSkinCheckRadioBox* r[3] = {Make(10, true, 1), Make(40, true, 1), Make(70, true, 1)};
    r[0]->SetChecked(true);
    Log.clear();
    r[1]->SetChecked(true);
    EXPECT_FALSE(r[0]->Checked());
    EXPECT_TRUE(r[1]->Checked());
    EXPECT_EQ(Log, std::vector<TObject*>{r[1]}) << "the unchecked radio fires nothing";
    r[1]->SetChecked(true);
    EXPECT_EQ(ClicksOf(r[1]), 2) << "the same value fires again";
    // A checked radio clicked again stays checked and fires nothing.
    Click(r[1]);
    EXPECT_TRUE(r[1]->Checked());
    EXPECT_EQ(ClicksOf(r[1]), 2);
    Click(r[2]);
    EXPECT_TRUE(r[2]->Checked());
    EXPECT_FALSE(r[1]->Checked());
    EXPECT_EQ(ClicksOf(r[2]), 1);
}

TEST_F(TCheckRadioTest, CheckBoxesOfAGroupUncheckEachOtherWithEvents)
{
    auto* a = Make(10, false, 3);
    auto* b = Make(40, false, 3);
    a->SetChecked(true);
    Log.clear();
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(Log, (std::vector<TObject*>{a, b})) << "the other's event, then its own";
}

TEST_F(TCheckRadioTest, AllowGrayedCyclesThroughThreeStates)
{
    auto* c = Make(10, false, 0);
    c->SetAllowGrayed(true);
    const TCheckBoxState expected[] = {cbGrayed, cbChecked, cbUnchecked};
    for (int i = 0; i < 3; ++i) {
        Click(c);
        EXPECT_EQ(c->State(), expected[i]) << "click " << i + 1;
        EXPECT_EQ(ClicksOf(c), i + 1);
    }
    c->SetState(cbGrayed);
    Log.clear();
    c->SetChecked(false);
    EXPECT_EQ(c->State(), cbGrayed) << "unchecking keeps a grayed box grayed";
    EXPECT_EQ(ClicksOf(c), 1);
}

TEST_F(TCheckRadioTest, SpaceAndAcceleratorToggle)
{
    auto* c = Make(10, false, 0);
    c->SetCaption("&Keep");
    Form->Perform(CM_DIALOGCHAR, 'k');
    EXPECT_TRUE(c->Checked());
    EXPECT_TRUE(c->Focused());
    Backend->KeyPress(VK_SPACE);
    Pump();
    EXPECT_FALSE(c->Checked());
    EXPECT_EQ(ClicksOf(c), 2);
}

TEST_F(TCheckRadioTest, FlatSkinnedBoxDrawsItsCheckImageKeyed)
{
    auto* c = Make(10, false, 0, TestSkinData());
    // The image (14 x 14) at x 3, centred in 25: top 12 - 7 = 5.
    EXPECT_EQ(PixelOf(c, 3, 5), RGB(240, 240, 240)) << "key colour shows the form";
    EXPECT_EQ(PixelOf(c, 10, 12), TestSkin::UnCheck);
    c->SetChecked(true);
    Pump();
    EXPECT_EQ(PixelOf(c, 10, 12), TestSkin::Check);
    MoveTo(c, 100, 12);
    EXPECT_EQ(PixelOf(c, 10, 12), TestSkin::ActiveCheck);
    MoveAway();
    c->SetEnabled(false);
    Pump();
    EXPECT_EQ(PixelOf(c, 10, 12), TestSkin::Disabled);
    // The element has no disabled unchecked image: the unchecked one is used.
    c->SetChecked(false);
    Pump();
    EXPECT_EQ(PixelOf(c, 10, 12), TestSkin::UnCheck);
}

TEST_F(TCheckRadioTest, PaintSkinToDrawsEitherStateElsewhere)
{
    auto* c = Make(10, false, 0, TestSkinData());
    TBitmap target(150, 25);
    c->PaintSkinTo(*target.Canvas(), 0, 0, true);
    EXPECT_EQ(target.GetPixel(10, 12), TestSkin::Check);
    c->PaintSkinTo(*target.Canvas(), 0, 0, false);
    EXPECT_EQ(target.GetPixel(10, 12), TestSkin::UnCheck);
    EXPECT_FALSE(c->Checked()) << "the box itself is untouched";
    EXPECT_TRUE(Log.empty());
}

TEST_F(TCheckRadioTest, GrayedImageIsTheCheckedOneLightened)
{
    auto* c = Make(10, false, 0, TestSkinData());
    c->SetState(cbGrayed);
    Pump();
    const TColor px = PixelOf(c, 10, 12);
    EXPECT_NE(px, TestSkin::Check);
    EXPECT_GT(GetGValue(px), GetGValue(TestSkin::Check));
}

TEST_F(TCheckRadioTest, PlainFlatBoxFramesItsSquare)
{
    auto* c = Make(10, false, 0);
    EXPECT_EQ(PixelOf(c, 3, 5), ColorToRGB(clBtnShadow));
    MoveTo(c, 100, 12);
    EXPECT_EQ(PixelOf(c, 3, 5), TColor(0x00800000));
}

TEST_F(TCheckRadioTest, NonFlatSkinnedBoxKeepsTheElementHeight)
{
    auto* c = Make(10, false, 0, TestSkinData());
    c->SetFlat(false);
    c->ChangeSkinData();
    EXPECT_EQ(c->Height(), 20) << "the element grows across only";
    EXPECT_EQ(c->Width(), 150);
}

}  // namespace
