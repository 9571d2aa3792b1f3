// Skinned buttons and check boxes linked to an action: a click runs the
// action (the button's own OnClick wins), the face shows the action's state,
// and a button without a glyph takes the action's picture.
#include "tests/skin_controls/ControlsFixture.h"
#include "platform/ui/controls/ActnList.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinSpeedButton.h"

namespace {

class TActionLinkTest : public TControlsTest {
protected:
    void SetUp() override
    {
        TControlsTest::SetUp();
        Images = new TImageList(Form, 10, 10);
        TBitmap pic(10, 10);
        pic.Fill(TestSkin::Key);
        pic.Canvas()->Brush().SetColor(RGB(0, 0, 200));
        pic.Canvas()->FillRect(TRect{2, 2, 8, 8});
        Images->AddMasked(pic, TestSkin::Key);
        List = new TActionList(Form);
        List->SetImages(Images);
        Act = new TAction(Form);
        Act->SetActionList(List);
        Act->SetCaption("Go");
        Act->OnExecute = [this](TObject* Sender) { Executed.push_back(Sender); };
    }
    template <class T>
    T* Make(int X, int Y)
    {
        auto* c = new T(Form);
        c->SetParent(Form);
        c->SetBounds(X, Y, 80, 30);
        Pump();
        return c;
    }
    TImageList* Images = nullptr;
    TActionList* List = nullptr;
    TAction* Act = nullptr;
    std::vector<TObject*> Executed;
};

TEST_F(TActionLinkTest, ButtonsRunTheirActionUnlessTheyHaveTheirOwnClick)
{
    auto* push = Make<TbsSkinButton>(10, 10);
    auto* tool = Make<TbsSkinSpeedButton>(100, 10);
    auto* own = Make<TbsSkinButton>(10, 60);
    int ownClicks = 0;
    own->OnClick = [&](TObject*) { ++ownClicks; };
    for (TControl* c : std::vector<TControl*>{push, tool, own})
        c->SetAction(Act);
    push->SetModalResult(mrCancel);

    Click(push);
    EXPECT_EQ(Form->ModalResult(), mrCancel) << "the modal result still goes to the form";
    Click(tool);
    Click(own);
    EXPECT_EQ(Executed, (std::vector<TObject*>{Act, Act}));
    EXPECT_EQ(ownClicks, 1);
    EXPECT_EQ(push->Caption(), "Go");

    Act->SetEnabled(false);
    Pump();
    EXPECT_FALSE(tool->Enabled());
    Click(tool);
    EXPECT_EQ(Executed.size(), 2u);
}

TEST_F(TActionLinkTest, ButtonWithoutGlyphShowsTheActionsPicture)
{
    auto* plain = Make<TbsSkinSpeedButton>(10, 10);
    plain->SetCaption("");
    auto* withGlyph = Make<TbsSkinButton>(100, 10);
    TBitmap own(10, 10);
    own.Fill(TestSkin::Key);
    own.Canvas()->Brush().SetColor(RGB(200, 0, 0));
    own.Canvas()->FillRect(TRect{2, 2, 8, 8});
    withGlyph->SetGlyph(own);
    Act->SetCaption("");
    Act->SetImageIndex(0);
    plain->SetAction(Act);
    withGlyph->SetAction(Act);
    Pump();
    // The 10 x 10 glyph centred in 80 x 30 sits at (35, 10); its fuchsia ground is transparent.
    EXPECT_EQ(PixelOf(plain, 40, 15), RGB(0, 0, 200));
    EXPECT_EQ(PixelOf(plain, 36, 11), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelOf(withGlyph, 40, 15), RGB(200, 0, 0)) << "a glyph of its own is kept";
}

TEST_F(TActionLinkTest, CheckBoxFollowsTheActionsChecked)
{
    auto* box = Make<TbsSkinCheckRadioBox>(10, 10);
    int clicks = 0;
    box->SetAction(Act);
    box->OnClick = [&](TObject*) { ++clicks; };
    Act->SetChecked(true);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1) << "the box's Checked setter fires its OnClick";
    Act->SetChecked(false);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(box->Caption(), "Go");
}

}  // namespace
