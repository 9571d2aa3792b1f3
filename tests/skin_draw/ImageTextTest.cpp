#include <gtest/gtest.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Text.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/draw/ImageText.h"
#include "skin/draw/TextUtils.h"

namespace {

struct TBox {
    int Left = -1, Top = -1, Right = -1, Bottom = -1;    // inclusive; -1 when the colour is absent
};

const TColor Ink = TColor(-1);    // any pixel that is neither white nor the image's green

TBox Find(const TBitmap& b, TColor c, TRect within = TRect{0, 0, 10000, 10000})
{
    auto match = [&](TColor p) {
        return c == Ink ? p != ColorToRGB(clWhite) && p != ColorToRGB(clLime) : p == ColorToRGB(c);
    };
    TBox box;
    for (int y = std::max(0, within.Top); y < std::min(b.Height(), within.Bottom); ++y)
        for (int x = std::max(0, within.Left); x < std::min(b.Width(), within.Right); ++x)
            if (match(b.GetPixel(x, y) & 0xFFFFFF)) {
                if (box.Left < 0 || x < box.Left) box.Left = x;
                if (box.Top < 0) box.Top = y;
                box.Right = std::max(box.Right, x);
                box.Bottom = y;
            }
    return box;
}

class TImageTextTest : public ::testing::Test {
protected:
    TImageTextTest() : List(nullptr, 16, 16), Target(100, 40, pf32bit), DC(&Target)
    {
        TBitmap green(16, 16, pf24bit);
        green.Fill(clLime);
        List.Add(green);
        Target.Fill(clWhite);
        Canvas.SetHandle(&DC);
        Canvas.Font().SetColor(clBlack);
    }
    TImageList List;
    TBitmap Target;
    TDeviceContext DC;
    TCanvas Canvas;
    const TRect R{0, 0, 100, 40};
};

} // namespace

TEST_F(TImageTextTest, ImageAloneSitsWhereTheLayoutPutsIt)
{
    struct Case {
        TbsButtonLayout Layout;
        int Margin;
        bool Down;
        int X, Y;
    };
    const Case cases[] = {
        {blGlyphLeft, -1, false, 40, 12},  {blGlyphLeft, 5, false, 5, 12},    {blGlyphRight, 5, false, 79, 12},
        {blGlyphTop, 3, false, 42, 3},     {blGlyphBottom, 3, false, 42, 21}, {blGlyphRight, -1, false, 44, 12},
        {blGlyphLeft, 5, true, 6, 13},     {blGlyphBottom, 3, true, 43, 22},
    };
    for (const Case& c : cases) {
        Target.Fill(clWhite);
        DrawImageAndText(Canvas, R, c.Margin, 4, c.Layout, "", 0, &List, c.Down, true, false, clRed);
        TBox g = Find(Target, clLime);
        EXPECT_EQ(g.Left, c.X) << c.Layout << " margin " << c.Margin << " down " << c.Down;
        EXPECT_EQ(g.Top, c.Y) << c.Layout << " margin " << c.Margin << " down " << c.Down;
        EXPECT_EQ(g.Right - g.Left, 15);
    }
}

TEST_F(TImageTextTest, MarkersUnderlineTheImageOrFillABoxWithoutImageAndCaption)
{
    DrawImageAndText(Canvas, R, -1, 4, blGlyphLeft, "", 0, &List, false, true, true, clRed);
    TBox m = Find(Target, clRed);
    // Spacing still counts without a caption: the block is 16 + 4 wide.
    EXPECT_EQ(m.Left, 40);
    EXPECT_EQ(m.Top, 12 + 16 - 2);
    EXPECT_EQ(m.Bottom, 12 + 16);        // the third line runs just under the image
    EXPECT_EQ(m.Right, 40 + 15);         // a line's end point is not painted

    for (int index : {-1, 1}) {          // no such image: the marker box
        Target.Fill(clWhite);
        DrawImageAndText(Canvas, R, -1, 4, blGlyphLeft, "", index, &List, false, true, true, clRed);
        TBox box = Find(Target, clRed);
        EXPECT_EQ(box.Left, 4);
        EXPECT_EQ(box.Top, 4);
        EXPECT_EQ(box.Right, 97);
        EXPECT_EQ(box.Bottom, 35);
        EXPECT_EQ(Find(Target, clLime).Left, -1);
    }
    Target.Fill(clWhite);
    DrawImageAndText(Canvas, R, -1, 4, blGlyphLeft, "", 0, nullptr, false, true, true, clRed);
    EXPECT_EQ(Find(Target, clRed).Left, 4);
}

TEST_F(TImageTextTest, ImageAndCaptionAreCentredAsOneBlock)
{
    TRect measure{0, 0, 100 - 16, 40};
    DrawSkinText(Canvas, "Go", measure, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
    const int tw = measure.Width();
    ASSERT_GT(tw, 0);
    DrawImageAndText(Canvas, R, -1, 4, blGlyphLeft, "Go", 0, &List, false, true, false, clRed);
    const int hw = (16 + tw + 4) / 2;
    EXPECT_EQ(Find(Target, clLime).Left, 50 - hw);
    TBox ink = Find(Target, Ink);
    EXPECT_GE(ink.Left, 50 + hw - tw);
    EXPECT_LE(ink.Right, 50 + hw + 2);
}

TEST_F(TImageTextTest, OnlyTheLeftVariantKeepsShortLinesAtTheLeftEdge)
{
    const std::string caption = "Wide wide line\nab";
    TBox centred, left;
    DrawImageAndText(Canvas, R, -1, 0, blGlyphLeft, caption, -1, &List, false, true, false, clRed);
    centred = Find(Target, Ink, TRect{0, 20, 100, 40});
    Target.Fill(clWhite);
    DrawImageAndTextLeft(Canvas, R, -1, 0, blGlyphLeft, caption, -1, &List, false, true, false, clRed);
    left = Find(Target, Ink, TRect{0, 20, 100, 40});
    ASSERT_GE(left.Left, 0);
    EXPECT_GT(centred.Left, left.Left + 10);
}

TEST_F(TImageTextTest, DisabledImagesAreDrawnGreyed)
{
    DrawImageAndText(Canvas, R, 5, 4, blGlyphLeft, "", 0, &List, false, false, false, clRed);
    EXPECT_EQ(Find(Target, clLime).Left, -1);
    EXPECT_NE(Target.GetPixel(10, 18) & 0xFFFFFF, ColorToRGB(clWhite));
}
