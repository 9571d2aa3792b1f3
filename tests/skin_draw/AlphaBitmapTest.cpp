#include <gtest/gtest.h>

#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DeviceContext.h"
#include "skin/draw/AlphaBitmap.h"

namespace {

// A bitmap whose pixel (x, y) is opaque with red x and green y.
void FillCoded(TbsBitmap& b, int w, int h, std::uint8_t alpha = 255) {
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, bsRGBA(x, y, 0, alpha));
}

}  // namespace

TEST(AlphaBitmap, SizeTakesAbsoluteValuesAndStartsTransparentBlack) {
    TbsBitmap b;
    EXPECT_TRUE(b.Empty());
    b.SetSize(-10, 5);
    ASSERT_EQ(b.Width(), 10);
    ASSERT_EQ(b.Height(), 5);
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(b.Bits()[i], 0u);
    b.SetPixel(3, 3, 0xFFFFFFFF);
    b.SetSize(0, 5);
    b.SetSize(10, 5);
    EXPECT_EQ(*b.PixelPtr(3, 3), 0xFFFFFFFFu) << "a zero or unchanged size changes nothing";
    b.SetPixel(10, 0, 1);  // outside: ignored
    b.SetPixel(-1, 0, 1);
    EXPECT_THROW(b.SetSize(1 << 20, 1 << 20), Exception);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 0) << "a failed size leaves an empty 0 x 0 bitmap";
}

TEST(AlphaBitmap, CheckingAlphaAndKeyColour) {
    TbsBitmap b;
    b.SetSize(3, 1);
    b.SetPixel(0, 0, 0x00000000);
    b.SetPixel(1, 0, 0xFFFFFFFF);
    b.CheckingAlphaBlend();
    EXPECT_FALSE(b.AlphaBlend());
    b.SetPixel(2, 0, 0x80000000);
    b.CheckingAlphaBlend();
    EXPECT_TRUE(b.AlphaBlend());
    b.CheckingAlphaBlend(TRect{0, 0, 2, 1});
    EXPECT_FALSE(b.AlphaBlend()) << "the rectangle leaves out the translucent pixel";

    b.SetPixel(0, 0, bsRGBA(250, 4, 251, 255));
    b.SetPixel(1, 0, bsRGBA(249, 0, 255, 255));
    b.CheckingTransparent(bsRGBA(255, 0, 255, 0));
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(*b.PixelPtr(0, 0), 0x007F007Fu);
    EXPECT_EQ(*b.PixelPtr(1, 0), bsRGBA(249, 0, 255, 255));
}

TEST(AlphaBitmap, DrawingOntoAnotherAlphaBitmapsContextBlendsPixels) {
    TbsBitmap target, src;
    target.SetSize(4, 4);
    target.Clear(0xFFFFFFFF);
    src.SetSize(2, 2);
    src.Clear(0x80000000);
    src.SetAlphaBlend(true);
    ASSERT_EQ(FindBitmapByDC(target.DC()), &target);
    target.DC().SetViewportOrg(1, 1);  // logical (0, 0) is pixel (1, 1)
    src.Draw(target.Canvas(), 0, 0);
    target.DC().SetViewportOrg(0, 0);
    EXPECT_EQ(*target.PixelPtr(1, 1), 0xFF7E7E7Eu);
    EXPECT_EQ(*target.PixelPtr(2, 2), 0xFF7E7E7Eu);
    EXPECT_EQ(*target.PixelPtr(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(*target.PixelPtr(3, 3), 0xFFFFFFFFu);
}

TEST(AlphaBitmap, DrawingOntoPlainBitmaps) {
    TbsBitmap src;
    src.SetSize(2, 1);
    src.SetPixel(0, 0, 0x80000000);
    src.SetPixel(1, 0, 0x00123456);
    src.SetAlphaBlend(true);
    TBitmap plain(3, 1, pf24bit);
    plain.Fill(clWhite);
    src.Draw(*plain.Canvas(), 1, 0);
    EXPECT_EQ(plain.GetPixel(0, 0), clWhite);
    EXPECT_EQ(plain.GetPixel(1, 0), RGB(126, 126, 126));
    EXPECT_EQ(plain.GetPixel(2, 0), clWhite) << "a fully transparent pixel leaves the target";

    src.SetAlphaBlend(false);
    src.SetTransparent(true);
    src.SetPixel(0, 0, 0x007F007F);
    src.SetPixel(1, 0, 0x00102030);
    plain.Fill(clWhite);
    src.Draw(*plain.Canvas(), 0, 0);
    EXPECT_EQ(plain.GetPixel(0, 0), clWhite) << "key colour is a hole";
    EXPECT_EQ(plain.GetPixel(1, 0), RGB(0x10, 0x20, 0x30));
}

TEST(AlphaBitmap, TilesCutAtTheEdgeAndNeverFlip) {
    TbsBitmap tile;
    FillCoded(tile, 10, 2);
    struct Target { const char* name; bool alphaBitmap; };
    for (const Target t : {Target{"alpha bitmap", true}, Target{"32-bit surface", false}}) {
        TbsBitmap alphaTarget;
        alphaTarget.SetSize(25, 2);
        TBitmap surface(25, 2, pf32bit);
        surface.Fill(clBlack, 0);
        TCanvas& canvas = t.alphaBitmap ? alphaTarget.Canvas() : *surface.Canvas();
        tile.Tile(canvas, TRect{0, 0, 25, 2}, TRect{0, 0, 10, 2});
        for (int x = 0; x < 25; ++x)
            for (int y = 0; y < 2; ++y) {
                const TbsColor p = t.alphaBitmap ? *alphaTarget.PixelPtr(x, y)
                                                 : reinterpret_cast<const TbsColor*>(surface.ScanLine(y))[x];
                ASSERT_EQ(p, bsRGBA(x % 10, y, 0, 255)) << t.name << " at " << x << "," << y;
            }
    }
    TbsBitmap target;
    target.SetSize(5, 5);
    tile.Tile(target, TRect{0, 0, 5, 5}, TRect{3, 0, 3, 2});
    tile.Tile(target.Canvas(), TRect{0, 0, 5, 5}, TRect{3, 0, 3, 2});
    for (int i = 0; i < 25; ++i)
        ASSERT_EQ(target.Bits()[i], 0u) << "a zero-width tile draws nothing";
}

TEST(AlphaBitmap, TileClipDrawsWholeTilesMeetingTheClip) {
    TbsBitmap tile, target;
    FillCoded(tile, 4, 4);
    target.SetSize(12, 4);
    tile.TileClip(target.Canvas(), TRect{0, 0, 12, 4}, TRect{5, 0, 6, 1}, TRect{0, 0, 4, 4});
    EXPECT_EQ(*target.PixelPtr(0, 0), 0u);
    EXPECT_EQ(*target.PixelPtr(4, 3), bsRGBA(0, 3, 0, 255)) << "the whole tile is drawn";
    EXPECT_EQ(*target.PixelPtr(8, 0), 0u);
}

TEST(AlphaBitmap, MergeDrawFillsTranslucentPixelsAndClipsBothEnds) {
    TbsBitmap top, under;
    top.SetSize(3, 3);
    top.SetPixel(1, 1, 0x80000000);
    top.SetPixel(2, 2, 0xFF0000FF);
    under.SetSize(4, 4);
    under.Clear(0xFFFFFFFF);
    top.MergeDraw(under, 0, 0, TRect{0, 0, 4, 4});
    EXPECT_EQ(*top.PixelPtr(0, 0), 0xFFFFFFFFu) << "transparent pixels take the source";
    EXPECT_EQ(*top.PixelPtr(1, 1), 0xFF7E7E7Eu) << "translucent pixels blend over it";
    EXPECT_EQ(*top.PixelPtr(2, 2), 0xFF0000FFu) << "opaque pixels stay";

    TbsBitmap fresh;
    fresh.SetSize(3, 3);
    fresh.MergeDraw(under, -2, -3, TRect{-5, -5, 40, 40});
    fresh.MergeDraw(under, 2, 2, TRect{0, 0, 4, 4});
    EXPECT_EQ(*fresh.PixelPtr(2, 2), 0xFFFFFFFFu);
    EXPECT_EQ(*fresh.PixelPtr(0, 2), 0u) << "nothing wraps into the next row";
}

TEST(AlphaBitmap, FillRectAndReflection) {
    TbsBitmap b;
    b.SetSize(4, 10);
    b.Clear(0xFFFFFFFF);
    b.SetAlphaBlend(true);
    b.FillRect(TRect{-2, -2, 1, 1}, 0x80000000);
    EXPECT_EQ(*b.PixelPtr(0, 0), 0xFF7E7E7Eu);
    EXPECT_EQ(*b.PixelPtr(1, 0), 0xFFFFFFFFu);

    TbsBitmap r;
    r.SetSize(1, 10);
    for (int y = 0; y < 10; ++y)
        r.SetPixel(0, y, bsRGBA(y, 0, 0, 200));
    r.Reflection3();
    EXPECT_EQ(*r.PixelPtr(0, 0), bsRGBA(9, 0, 0, 100)) << "flipped, then half the alpha";
    for (int y = 5; y < 10; ++y)
        EXPECT_EQ(bsAlphaOf(*r.PixelPtr(0, y)), 0) << "row " << y;
}

TEST(AlphaBitmap, AssignKeepsOrMakesAlpha) {
    TBitmap argb(2, 1, pf32bit);
    reinterpret_cast<TbsColor*>(argb.ScanLine(0))[0] = 0x80112233;
    reinterpret_cast<TbsColor*>(argb.ScanLine(0))[1] = 0xFF445566;
    TbsBitmap b;
    b.Assign(argb);
    EXPECT_EQ(*b.PixelPtr(0, 0), 0x80112233u);
    EXPECT_TRUE(b.AlphaBlend());

    TBitmap rgb(2, 1, pf24bit);
    rgb.SetPixel(1, 0, RGB(1, 2, 3));
    TbsBitmap c;
    c.Assign(rgb);
    EXPECT_EQ(*c.PixelPtr(1, 0), 0xFF010203u);

    TbsBitmap d;
    d.SetName("sheet");
    d.Assign(c);
    EXPECT_EQ(d.Name(), "");
    EXPECT_EQ(*d.PixelPtr(1, 0), 0xFF010203u);

    TBitmap out;
    c.AssignTo(out);
    EXPECT_EQ(out.PixelFormat(), pf32bit);
    EXPECT_EQ(out.GetPixel(1, 0), RGB(1, 2, 3));
}

TEST(BitmapLink, MaskedPartsAreFoundInsideTheLink) {
    TbsBitmap sheet;
    sheet.SetSize(20, 20);
    sheet.Clear(0xFFFFFFFF);
    sheet.SetPixel(10, 10, 0x007F007F);  // the top-left corner of a link at (10, 10)
    auto link = sheet.GetBitmapLink("10, 10, 20, 20");
    EXPECT_TRUE(link->Assigned());
    link->CheckingMasked();
    EXPECT_TRUE(link->Masked());
    link->CheckingMasked(TRect{2, 2, 2, 2});
    EXPECT_TRUE(link->MaskedAngles());
    EXPECT_FALSE(link->MaskedBorder());
    EXPECT_FALSE(link->Masked());
    auto empty = sheet.GetBitmapLink("1, 2, x, 4");
    EXPECT_FALSE(empty->Assigned());
}
