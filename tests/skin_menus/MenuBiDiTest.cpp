// Reading order in the skinned menus (plain look, dark text): on a
// right-to-left form the popup menu's captions and the menu bar's items sit
// at the right, on a left-to-right form at the left. Text is mirrored in
// place, not reordered.
#include <filesystem>
#include "MenuFixture.h"
#include "platform/gfx/Bitmap.h"
#include "skin/menus/SkinMainMenuBar.h"

namespace {

// Whether a pixel is the dark ink of text (smoothed edges are lighter).
bool IsDark(TColor C)
{
    return GetRValue(C) < 0x60 && GetGValue(C) < 0x60 && GetBValue(C) < 0x60;
}

// The first and last column of R in Pic that hold dark ink; -1, -1 for none.
std::pair<int, int> InkColumns(const TBitmap& Pic, const TRect& R)
{
    int first = -1, last = -1;
    for (int x = R.Left; x < R.Right; ++x)
        for (int y = R.Top; y < R.Bottom; ++y)
            if (IsDark(Pic.GetPixel(x, y))) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

class TMenuBiDi : public TMenuTest {
protected:
    void BeforeShow() override
    {
        Form->SetBounds(100, 100, 500, 300);
        Menu = new TbsSkinMainMenu(Form);
        Add(Add(Menu->Items(), "&File"), "&Open");
        Add(Menu->Items(), "&Go");
        Bar = new TbsSkinMainMenuBar(Form);
        Bar->SetParent(Form);
        Bar->SetFormFrame(Frame);
        Bar->SetMainMenu(Menu);
        Frame->SetMainMenuBar(Bar);
    }
    TbsSkinMainMenu* Menu = nullptr;
    TbsSkinMainMenuBar* Bar = nullptr;
};

struct TBiDiCase {
    TBiDiMode Mode;
    bool AtRight;
};

const TBiDiCase BiDiCases[] = {{bdLeftToRight, false}, {bdRightToLeft, true}, {bdRightToLeftReadingOnly, false}};

}  // namespace

TEST_F(TMenuBiDi, PopupCaptionsSitOnTheReadingSide)
{
    TbsSkinPopupMenu menu(Form);
    Add(menu.Items(), "First");
    Add(menu.Items(), "Wide caption of the menu");
    Add(menu.Items(), "Go");
    for (const auto& c : BiDiCases) {
        Form->SetBiDiMode(c.Mode);
        menu.Popup(150, 120);
        Advance(100);
        ASSERT_TRUE(Engine->Visible());
        TbsSkinPopupWindow* w = Top();
        auto pic = Backend->CaptureWindow(w->Handle());
        // "Go" (not the highlighted first item) in the widest item's room.
        const TRect r = w->Items()[2]->ObjectRect;
        auto [first, last] = InkColumns(*pic, r);
        ASSERT_GE(first, 0) << c.Mode;
        const int middle = (r.Left + r.Right) / 2;
        if (c.AtRight) {
            EXPECT_GT(first, middle) << c.Mode;
            EXPECT_GT(last, r.Right - 30) << c.Mode;
        } else {
            EXPECT_LT(last, middle) << c.Mode;
            EXPECT_LT(first, r.Left + 30) << c.Mode;
        }
        Engine->Hide();
        Pump();
    }
}

TEST_F(TMenuBiDi, BarItemsRunFromTheReadingSide)
{
    for (const auto& c : BiDiCases) {
        Form->SetBiDiMode(c.Mode);
        ASSERT_EQ(Bar->BiDiMode(), c.Mode) << "the bar follows its form";
        Bar->Repaint();
        Pump();
        auto pic = Backend->CaptureWindow(Form->Handle());
        TRect wr, br;
        GetWindowRect(Form->Handle(), wr);
        GetWindowRect(Bar->Handle(), br);
        const TRect inPic{br.Left - wr.Left, br.Top - wr.Top, br.Right - wr.Left, br.Bottom - wr.Top};
        auto [first, last] = InkColumns(*pic, inPic);
        ASSERT_GE(first, 0) << c.Mode;
        first -= inPic.Left;
        last -= inPic.Left;
        if (c.AtRight) {
            EXPECT_GT(first, Bar->Width() / 2) << c.Mode;
            EXPECT_GT(last, Bar->Width() - 40) << c.Mode;
        } else {
            EXPECT_LT(last, Bar->Width() / 2) << c.Mode;
            EXPECT_LT(first, 40) << c.Mode;
        }
        // The item under the ink is the one the mouse reaches there.
        const TRect go = Bar->Item(1)->ObjectRect;
        EXPECT_EQ(c.AtRight, go.Right <= Bar->Item(0)->ObjectRect.Left) << c.Mode;
    }
    // With a right-to-left bar the first item is the rightmost, and a click
    // there runs what it stands for.
    Form->SetBiDiMode(bdRightToLeft);
    Bar->Repaint();
    Pump();
    std::filesystem::create_directories(MENU_RENDER_DIR);
    Backend->SaveWindowPicture(Form->Handle(), std::string(MENU_RENDER_DIR) + "/plain_bar_rtl.png");
    const TRect go = Bar->Item(1)->ObjectRect;
    const TPoint p = Bar->ClientToScreen(TPoint{(go.Left + go.Right) / 2, (go.Top + go.Bottom) / 2});
    Backend->MouseMove(p.X, p.Y);
    Advance(60);
    Backend->Click(p.X, p.Y);
    Pump();
    EXPECT_EQ(Trace, (TTrace{"click &Go"}));
}
