// The skinned push button: faces per state, morph, groups, repeat, glyphs,
// accelerators, the modal result and the glow frame.
#include "tests/skin_controls/ControlsFixture.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/controls/Timer.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/draw/LayerWindow.h"

namespace {

class TButtonTest : public TButtonsTest {
protected:
    TbsSkinButton* MakeButton(TbsSkinData* Skin, int X = 20, int Y = 20)
    {
        return Place<TbsSkinButton>(Skin, X, Y, 80);
    }
};

TEST_F(TButtonTest, SkinnedFacePerState)
{
    auto* b = MakeButton(StillSkin());
    auto* other = MakeButton(StillSkin(), 200, 20);
    const TPoint probe{40, 15};
    EXPECT_EQ(PixelOf(b, probe.X, probe.Y), TestSkin::Normal);
    MoveTo(b, 10, 10);
    EXPECT_EQ(PixelOf(b, probe.X, probe.Y), TestSkin::Active) << "hot";
    Press(b, 10, 10);
    EXPECT_TRUE(b->Down());
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(PixelOf(b, probe.X, probe.Y), TestSkin::Down) << "down, hot and focused";
    Release(b, 10, 10);
    MoveAway();
    EXPECT_EQ(PixelOf(b, probe.X, probe.Y), TestSkin::Focused) << "focused, at rest";
    other->SetFocus();
    Pump();
    EXPECT_EQ(PixelOf(b, probe.X, probe.Y), TestSkin::Normal);
    b->SetEnabled(false);
    Pump();
    EXPECT_EQ(PixelOf(b, probe.X, probe.Y), TestSkin::Disabled);
    EXPECT_EQ(b->DisabledFontColor, clGray) << "a disabled colour equal to the normal one";
}

TEST_F(TButtonTest, EraseOutsideItsPaintDrawsTheFaceIntoTheGivenSurface)
{
    auto* b = MakeButton(StillSkin());
    TBitmap target(80, 30);
    target.Fill(RGB(1, 2, 3));
    SendMessage(b->Handle(), WM_ERASEBKGND, WPARAM(target.Canvas()->Handle()), 0);
    EXPECT_EQ(target.GetPixel(40, 15), TestSkin::Normal);
}

TEST_F(TButtonTest, PlainFacePerState)
{
    auto* b = MakeButton(nullptr);
    EXPECT_EQ(PixelOf(b, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(b, 40, 15), ColorToRGB(clBtnFace));
    MoveTo(b, 10, 10);
    EXPECT_EQ(PixelOf(b, 0, 0), TColor(0x00800000));
    EXPECT_EQ(PixelOf(b, 40, 3), TColor(0x00D2BDB6));
    Press(b, 10, 10);
    EXPECT_EQ(PixelOf(b, 40, 3), TColor(0x00B59385));
    Release(b, 10, 10);
    EXPECT_EQ(ClicksOf(b), 1);
}

TEST_F(TButtonTest, ReleaseAwayFromTheButtonNeitherClicksNorStaysPressed)
{
    auto* b = MakeButton(StillSkin());
    Press(b, 10, 10);
    MoveAway();
    const TPoint p = At(b, 200, 200);
    Backend->MouseUp(p.X, p.Y);
    Pump();
    EXPECT_FALSE(b->Down());
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(PixelOf(b, 40, 15), TestSkin::Focused);
}

TEST_F(TButtonTest, MorphBlendsInStepsAndSettlesExactly)
{
    auto* b = MakeButton(TestSkinData());
    MoveTo(b, 10, 10);
    const double up[] = {0.2, 0.4, 0.6, 0.8, 1.0};
    for (double v : up) {
        Wait(20, 20);
        EXPECT_NEAR(b->MorphKf(), v, 1e-9);
    }
    EXPECT_TRUE(b->MorphRunning());
    Wait(20, 20);
    EXPECT_EQ(b->MorphKf(), 1.0);
    EXPECT_FALSE(b->MorphRunning()) << "the tick after reaching 1 stops the timer";
    MoveAway();
    Wait(200, 20);
    EXPECT_EQ(b->MorphKf(), 0.0);
    EXPECT_FALSE(b->MorphRunning());
}

TEST_F(TButtonTest, MorphFrameIsABlendOfNormalAndActive)
{
    TbsSkinData* s = TestSkinData();
    auto* b = MakeButton(s);
    b->SetFocus();
    MoveTo(b, 10, 10);
    Wait(400, 20);   // the frame animation has run out; morph at 1
    MoveAway();
    Wait(40, 20);    // focus keeps the target at 1: the face stays active-ish
    EXPECT_EQ(b->MorphKf(), 1.0);
    auto* c = MakeButton(s, 200, 20);
    MoveTo(c, 10, 10);
    Wait(50, 10);    // on the way up
    ASSERT_GT(c->MorphKf(), 0.0);
    ASSERT_LT(c->MorphKf(), 1.0);
    // The animation's frame has replaced the active face; the blend lies
    // strictly between the normal face and that frame.
    const TColor px = PixelOf(c, 40, 15);
    EXPECT_NE(px, TestSkin::Normal);
    EXPECT_NE(px, TestSkin::Active);
}

TEST_F(TButtonTest, HoverPlaysTheFrameAnimationForwardsAndBack)
{
    auto* b = MakeButton(TestSkinData());
    MoveTo(b, 10, 10);
    EXPECT_EQ(b->CurrentFrame(), 1);
    std::vector<int> frames;
    for (int i = 0; i < 6; ++i) {
        Wait(30, 30);
        frames.push_back(b->CurrentFrame());
    }
    EXPECT_EQ(frames, (std::vector<int>{2, 3, 4, 5, 0, 0})) << "four frames, then done";
    MoveAway();
    EXPECT_EQ(b->CurrentFrame(), 4) << "leaving runs them backwards";
    Wait(300, 30);
    EXPECT_EQ(b->CurrentFrame(), 0);
}

TEST_F(TButtonTest, GroupOfThreeClicksAtMouseDown)
{
    TbsSkinButton* b[3];
    for (int i = 0; i < 3; ++i) {
        b[i] = MakeButton(nullptr, 10 + i * 90, 20);
        b[i]->SetGroupIndex(1);
        EXPECT_FALSE(b[i]->CanFocused());
        EXPECT_FALSE(b[i]->TabStop());
    }
    b[0]->SetDown(true);
    Press(b[1]);
    EXPECT_TRUE(b[1]->Down());
    EXPECT_FALSE(b[0]->Down());
    EXPECT_EQ(ClicksOf(b[1]), 1) << "fires at mouse down";
    Release(b[1]);
    EXPECT_EQ(ClicksOf(b[1]), 1);
    Click(b[1]);
    EXPECT_TRUE(b[1]->Down()) << "AllowAllUp off keeps it down";
    EXPECT_EQ(ClicksOf(b[1]), 1);

    b[1]->SetAllowAllUp(true);
    Click(b[1]);
    EXPECT_FALSE(b[1]->Down());
    EXPECT_EQ(ClicksOf(b[1]), 2);

    // AllowAllUp: pressing one leaves the others down.
    b[2]->SetAllowAllUp(true);
    b[0]->SetDown(true);
    Press(b[2]);
    Release(b[2]);
    EXPECT_TRUE(b[0]->Down());
    EXPECT_TRUE(b[2]->Down());
}

TEST_F(TButtonTest, RefreshButtonReleasesWithoutGroupLogicOrClick)
{
    TbsSkinButton* b[2];
    for (int i = 0; i < 2; ++i) {
        b[i] = MakeButton(StillSkin(), 10 + i * 90, 20);
        b[i]->SetGroupIndex(1);
        b[i]->SetAllowAllUp(true);
        b[i]->SetDown(true);
    }
    MoveTo(b[0], 5, 5);
    ASSERT_TRUE(b[0]->MouseIn());
    b[0]->RefreshButton();
    EXPECT_FALSE(b[0]->Down());
    EXPECT_FALSE(b[0]->MouseIn());
    EXPECT_TRUE(b[1]->Down());
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(PixelOf(b[0], 40, 15), TestSkin::Normal);
}

TEST_F(TButtonTest, RepeatClicksWhileHeld)
{
    auto* b = MakeButton(nullptr);
    b->SetRepeatMode(true);
    std::vector<uint64_t> at;
    b->OnClick = [&](TObject*) { at.push_back(Backend->Now()); };
    Press(b);
    const uint64_t pressed = Backend->Now();
    Wait(790);
    ASSERT_EQ(at.size(), 3u) << "500 ms, then every RepeatInterval (100)";
    // The headless clock also moves a little while messages are pumped.
    EXPECT_NEAR(double(at[0] - pressed), 500, 12);
    EXPECT_NEAR(double(at[1] - at[0]), 100, 12);
    EXPECT_NEAR(double(at[2] - at[1]), 100, 12);
    MoveAway();
    Wait(500);
    EXPECT_EQ(at.size(), 3u) << "leaving while down stops repeating";
    MoveTo(b, 5, 5);
    Wait(400);
    EXPECT_EQ(at.size(), 3u);
    Wait(150);
    EXPECT_EQ(at.size(), 4u) << "coming back starts again from 500 ms";
    Release(b);
    EXPECT_EQ(at.size(), 5u) << "the release is a click of its own";
    Wait(1000);
    EXPECT_EQ(at.size(), 5u);
    EXPECT_FALSE(b->RepeatRunning());
}

TEST_F(TButtonTest, DisablingEndsATransientPressButKeepsAToggle)
{
    auto* b = MakeButton(StillSkin());
    b->SetRepeatMode(true);
    Press(b);
    ASSERT_TRUE(b->Down());
    b->SetEnabled(false);
    Pump();
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->RepeatRunning());
    EXPECT_EQ(PixelOf(b, 40, 15), TestSkin::Disabled);
    Release(b);
    Wait(1000);
    EXPECT_TRUE(Clicks.empty());

    auto* t = MakeButton(StillSkin(), 200, 20);
    t->SetGroupIndex(2);
    t->SetDown(true);
    t->SetEnabled(false);
    EXPECT_TRUE(t->Down());
}

TEST_F(TButtonTest, GlyphIsDrawnTransparentByItsBottomLeftPixel)
{
    auto* b = MakeButton(nullptr);
    TBitmap glyph(20, 10);
    glyph.Fill(TestSkin::Key);
    glyph.Canvas()->Brush().SetColor(RGB(0, 0, 0));
    glyph.Canvas()->FillRect(TRect{2, 2, 8, 8});
    glyph.Canvas()->Brush().SetColor(RGB(0, 0, 255));
    glyph.Canvas()->FillRect(TRect{12, 2, 18, 8});
    b->SetGlyph(glyph);
    b->SetNumGlyphs(2);
    Pump();
    // Centred in 80 x 30: the 10 x 10 frame at (35, 10).
    EXPECT_EQ(PixelOf(b, 35, 10), ColorToRGB(clBtnFace)) << "key colour left out";
    EXPECT_EQ(PixelOf(b, 40, 15), RGB(0, 0, 0)) << "frame 1";
    b->SetEnabled(false);
    Pump();
    EXPECT_EQ(PixelOf(b, 40, 15), RGB(0, 0, 255)) << "frame 2 when disabled";
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), -1);
}

TEST_F(TButtonTest, AcceleratorAndKeysClick)
{
    auto* b = MakeButton(nullptr);
    b->SetCaption("&Go");
    auto* cancel = MakeButton(nullptr, 200, 20);
    cancel->SetCancel(true);
    Form->Perform(CM_DIALOGCHAR, 'g');
    EXPECT_EQ(ClicksOf(b), 1);
    EXPECT_TRUE(b->Focused());
    Backend->KeyPress(VK_SPACE);
    Pump();
    EXPECT_EQ(ClicksOf(b), 2);
    Backend->KeyDown(VK_SHIFT);
    Backend->KeyPress(VK_ESCAPE);
    Backend->KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(ClicksOf(cancel), 0) << "Escape with Shift held";
    Backend->KeyPress(VK_ESCAPE);
    Pump();
    EXPECT_EQ(ClicksOf(cancel), 1);
}

TEST_F(TButtonTest, DefaultButtonAnswersEnterAndShowsHotWhileAnotherKindHasTheFocus)
{
    auto* ok = MakeButton(StillSkin());
    auto* other = MakeButton(StillSkin(), 200, 20);
    auto* box = new TbsSkinCheckRadioBox(Form);
    box->SetParent(Form);
    box->SetBounds(10, 100, 150, 25);
    box->SetCanFocused(true);
    ok->SetDefault(true);
    box->SetFocus();
    Pump();
    EXPECT_TRUE(ok->MouseIn()) << "highlighted as the default button";
    EXPECT_EQ(PixelOf(ok, 40, 15), TestSkin::Active);
    Backend->KeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(ClicksOf(ok), 1);
    other->SetFocus();
    Pump();
    EXPECT_FALSE(ok->MouseIn());
    Backend->KeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(ClicksOf(ok), 1);
    EXPECT_EQ(ClicksOf(other), 1) << "Enter goes to the focused button";
}

TEST_F(TButtonTest, ModalResultClosesAModalForm)
{
    auto* dialog = NewForm<TForm>(nullptr, TFormCreation::New);
    dialog->SetBorderStyle(bsNone);
    dialog->SetBounds(100, 100, 200, 100);
    auto* ok = new TbsSkinButton(dialog);
    ok->SetParent(dialog);
    ok->SetBounds(10, 10, 80, 30);
    ok->SetModalResult(mrOk);
    TTimer timer(nullptr);
    timer.SetInterval(50);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        const TPoint p = ok->ClientToScreen(TPoint{5, 5});
        Backend->MouseMove(p.X, p.Y);
        Backend->Click(p.X, p.Y);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    delete dialog;
}

TEST_F(TButtonTest, GlowFollowsTheMouseWhereTranslucencyExists)
{
    TPlatformCaps caps = Backend->Caps();
    TbsSkinData* s = TestSkinData();
    auto* b = MakeButton(s);
    MoveTo(b, 5, 5);
    EXPECT_FALSE(b->LayerManager()->IsVisible()) << "no per-pixel alpha: plain path";
    MoveAway();
    caps.PerPixelAlpha = true;
    Backend->SetCaps(caps);
    MoveTo(b, 5, 5);
    EXPECT_TRUE(b->LayerManager()->IsVisible());
    MoveAway();
    EXPECT_FALSE(b->LayerManager()->IsVisible());
    // Shown only because of AlwaysShowLayeredFrame, and still hidden on leave.
    s->SetShowButtonGlowFrames(false);
    b->SetAlwaysShowLayeredFrame(true);
    MoveTo(b, 5, 5);
    EXPECT_TRUE(b->LayerManager()->IsVisible());
    MoveAway();
    EXPECT_FALSE(b->LayerManager()->IsVisible());
    MoveTo(b, 5, 5);
    b->BeforeChangeSkinData();
    EXPECT_FALSE(b->LayerManager()->IsVisible()) << "a skin change hides it";
}

}  // namespace
