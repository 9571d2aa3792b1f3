#include <filesystem>
#include "platform/gfx/Canvas.h"
#include "platform/ui/Keys.h"
#include "skin/boxes/SkinComboBox.h"
#include "tests/skin_combo/BoxesFixture.h"

namespace {

class ComboPaintTest : public TBoxesTest {
protected:
    TbsSkinComboBox* NewCombo(int Left, int Top, int Width = 120)
    {
        auto* c = new TbsSkinComboBox(Form);
        c->SetParent(Form);
        c->SetBounds(Left, Top, Width, 20);
        for (const char* s : {"320*240", "640*480", "720*576"})
            c->Items().Add(s);
        Pump();
        return c;
    }
};

TEST_F(ComboPaintTest, PlainGeometryAndColours)
{
    auto* c = NewCombo(10, 10);
    EXPECT_EQ(c->Button().R, (TRect{101, 2, 118, 18}));
    EXPECT_EQ(c->CBItem().R, (TRect{2, 2, 100, 18}));
    EXPECT_EQ(PixelOf(c, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(c, 1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelOf(c, 101, 2), ColorToRGB(clBtnShadow));  // the button's frame
    EXPECT_EQ(PixelOf(c, 103, 4), ColorToRGB(clBtnFace));
    // Focused: the item area shows the highlight even without an item.
    c->SetFocus();
    Pump();
    EXPECT_EQ(PixelOf(c, 50, 10), ColorToRGB(clHighlight));
}

TEST_F(ComboPaintTest, OpenListShowsTheIndexHeldAtDropDown)
{
    auto* c = NewCombo(10, 10);
    c->SetItemIndex(0);
    c->DropDown();
    c->ListBox()->SetItemIndex(2);
    TBitmap face(c->Width(), c->Height());
    auto before = Snapshot(c);
    c->CloseUp(false);
    c->SetItemIndex(0);
    auto after = Snapshot(c);
    bool same = true;
    for (int y = 0; y < c->Height() && same; ++y)
        for (int x = 0; x < c->Width() && same; ++x)
            same = before.GetPixel(x, y) == after.GetPixel(x, y);
    EXPECT_TRUE(same);
}

TEST_F(ComboPaintTest, PaintSkinToLeavesTextAndEventsAlone)
{
    auto* c = NewCombo(10, 10);
    c->SetItemIndex(1);
    int changes = 0;
    c->OnChange = [&](TObject*) { ++changes; };
    TBitmap target(200, 40);
    target.Fill(clWhite);
    c->PaintSkinTo(*target.Canvas(), 5, 5, "other");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(c->Text(), "640*480");
    EXPECT_EQ(target.GetPixel(5, 5), ColorToRGB(clBtnShadow));
    bool text = false;
    for (int x = 8; x < 100 && !text; ++x)
        for (int y = 8; y < 22 && !text; ++y)
            text = target.GetPixel(x, y) != ColorToRGB(clWindow);
    EXPECT_TRUE(text);
}

TEST_F(ComboPaintTest, DisabledPlainArrowIsShadowColoured)
{
    auto* c = NewCombo(10, 10);
    c->SetEnabled(false);
    Pump();
    auto shot = Snapshot(c);
    bool shadowArrow = false;
    for (int y = 4; y < 16; ++y)
        for (int x = 103; x < 116; ++x)
            shadowArrow |= shot.GetPixel(x, y) == ColorToRGB(clBtnShadow) && y > 3 && x > 102;
    EXPECT_TRUE(shadowArrow);
}

// Whether two snapshots differ inside R.
bool Differs(const TBitmap& A, const TBitmap& B, const TRect& R)
{
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (A.GetPixel(x, y) != B.GetPixel(x, y))
                return true;
    return false;
}

TEST_F(ComboPaintTest, SkinnedButtonShowsItsStates)
{
    auto* c = NewCombo(10, 10, 160);
    c->SetSkinData(BaseSkinData());
    c->SetItemIndex(0);
    Pump();
    const TRect button = c->Button().R;
    const TPoint mid{(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2};
    auto normal = Snapshot(c);
    MoveTo(c, mid.X, mid.Y);
    EXPECT_TRUE(c->Button().MouseIn);
    auto hot = Snapshot(c);
    EXPECT_TRUE(Differs(normal, hot, button));
    Backend->MouseMove(5, 5);
    Pump();
    c->SetEnabled(false);
    Pump();
    auto disabled = Snapshot(c);
    EXPECT_TRUE(Differs(normal, disabled, button));
}

TEST_F(ComboPaintTest, RendersInTheBaseSkin)
{
    auto* skin = BaseSkinData();
    Form->SetBounds(50, 50, 360, 220);
    // Left column: plain, skinned, skinned hot, free size, edit style.
    auto* plain = NewCombo(10, 10, 160);
    plain->SetItemIndex(0);
    auto* skinned = NewCombo(10, 45, 160);
    skinned->SetSkinData(skin);
    skinned->SetItemIndex(1);
    auto* hot = NewCombo(10, 80, 160);
    hot->SetSkinData(skin);
    hot->SetItemIndex(2);
    auto* free = NewCombo(10, 115, 160);
    free->SetUseSkinSize(false);
    free->SetSkinData(skin);
    free->SetHeight(28);
    free->SetItemIndex(2);
    auto* edit = NewCombo(10, 155, 160);
    edit->SetSkinData(skin);
    edit->SetStyle(bscbEditStyle);
    edit->SetText("typed text");
    // Right column: tool button, disabled, focused, and one dropped down.
    auto* tool = NewCombo(190, 10, 120);
    tool->SetSkinData(skin);
    tool->SetToolButtonStyle(true);
    tool->SetItemIndex(0);
    auto* disabled = NewCombo(190, 45, 160);
    disabled->SetSkinData(skin);
    disabled->SetItemIndex(0);
    disabled->SetEnabled(false);
    auto* focused = NewCombo(190, 80, 160);
    focused->SetSkinData(skin);
    focused->SetItemIndex(0);
    auto* open = NewCombo(190, 115, 160);
    open->SetSkinData(skin);
    open->SetItemIndex(1);
    Pump();
    EXPECT_NE(skinned->SkinIndex(), -1);
    focused->SetFocus();
    const TRect b = hot->Button().R;
    MoveTo(hot, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    open->DropDown();
    Pump();
    const std::string path = SaveForm("combo_base_skin");
    EXPECT_TRUE(std::filesystem::exists(path));
    // The skinned face is drawn from the skin, not the plain colours.
    EXPECT_NE(PixelOf(skinned, 0, 0), ColorToRGB(clBtnShadow));
    open->CloseUp(false);
}

}  // namespace
