// Reading order and the 3-D look pass from parent to child like fonts do,
// and a right-to-left label mirrors its alignment.
#include "ClassLibFixture.h"

namespace {

// Columns of a control's client area that hold text-coloured ink.
std::pair<int, int> InkColumns(THeadlessBackend* backend, TControl* c, TColor ink)
{
    std::unique_ptr<TBitmap> screen = backend->CaptureScreen();
    int first = -1, last = -1;
    for (int x = 0; x < c->Width(); ++x)
        for (int y = 0; y < c->Height(); ++y) {
            const TPoint p = c->ClientToScreen(TPoint{x, y});
            if (screen->Canvas()->Pixels(p.X, p.Y) == ink) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    return {first, last};
}

}  // namespace

TEST_F(TClassLibTest, BiDiModeAndCtl3DFollowTheParentUntilSetOnTheControl)
{
    TForm* f = MakeForm(100, 100, 300, 200);
    auto* panel = new TPanel(f);
    panel->SetParent(f);
    auto* inner = new TLabel(f);
    inner->SetParent(panel);
    auto* own = new TLabel(f);
    own->SetParent(panel);
    own->SetBiDiMode(bdLeftToRight);   // set on the control: no longer inherited
    own->SetCtl3D(true);

    f->SetBiDiMode(bdRightToLeft);
    f->SetCtl3D(false);
    EXPECT_EQ(panel->BiDiMode(), bdRightToLeft);
    EXPECT_EQ(inner->BiDiMode(), bdRightToLeft) << "through the panel";
    EXPECT_TRUE(inner->UseRightToLeftAlignment());
    EXPECT_FALSE(inner->Ctl3D());
    EXPECT_EQ(own->BiDiMode(), bdLeftToRight);
    EXPECT_TRUE(own->Ctl3D());
    EXPECT_FALSE(own->ParentBiDiMode());

    own->SetParentBiDiMode(true);
    EXPECT_EQ(own->BiDiMode(), bdRightToLeft) << "following again takes the parent's at once";

    // A control put into another parent takes that parent's.
    auto* loose = new TLabel(f);
    loose->SetParent(panel);
    EXPECT_EQ(loose->BiDiMode(), bdRightToLeft);
    EXPECT_FALSE(loose->Ctl3D());
    f->SetBiDiMode(bdRightToLeftReadingOnly);
    EXPECT_TRUE(loose->UseRightToLeftReading());
    EXPECT_FALSE(loose->UseRightToLeftAlignment());
}

TEST_F(TClassLibTest, RightToLeftLabelMirrorsItsAlignment)
{
    TForm* f = MakeForm(100, 100, 300, 100);
    auto* l = new TLabel(f);
    l->SetAutoSize(false);
    l->SetBounds(10, 10, 200, 20);
    l->SetParent(f);
    l->Font().SetColor(clRed);
    l->SetCaption("Text");
    Pump();
    const TColor red = ColorToRGB(clRed);
    auto [left, right] = InkColumns(Backend, l, red);
    ASSERT_GE(left, 0);
    EXPECT_LT(right, 100) << "left-justified";

    f->SetBiDiMode(bdRightToLeft);
    Pump();
    std::tie(left, right) = InkColumns(Backend, l, red);
    EXPECT_GT(left, 100) << "mirrored to the right";

    l->SetAlignment(taRightJustify);
    Pump();
    std::tie(left, right) = InkColumns(Backend, l, red);
    EXPECT_LT(right, 100) << "right-justified becomes left";

    f->SetBiDiMode(bdRightToLeftNoAlign);   // reading order only: no mirroring
    Pump();
    std::tie(left, right) = InkColumns(Backend, l, red);
    EXPECT_GT(left, 100);
}
