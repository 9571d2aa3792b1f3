#include <gtest/gtest.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

TEST(Bitmap, RowsArePaddedToFourBytes)
{
    const struct { TPixelFormat format; int width; int stride; } cases[] = {
        {pf24bit, 1, 4}, {pf24bit, 3, 12}, {pf24bit, 5, 16}, {pf32bit, 3, 12}, {pf1bit, 1, 4}, {pf1bit, 33, 8},
    };
    for (const auto& c : cases) {
        TBitmap b(c.width, 3, c.format);
        EXPECT_EQ(b.Stride(), c.stride) << c.format << " width " << c.width;
        EXPECT_EQ(b.ScanLine(1) - b.ScanLine(0), c.stride);
    }
    TBitmap b(2, 2);
    EXPECT_THROW(b.ScanLine(2), EInvalidGraphicOperation);
    EXPECT_THROW(b.ScanLine(-1), EInvalidGraphicOperation);
}

TEST(Bitmap, ResizeKeepsOrClearsContentAndNewPixelsAreWhite)
{
    for (TPixelFormat format : {pf1bit, pf24bit, pf32bit}) {
        TBitmap b(4, 3, format);
        b.Fill(clBlack);
        b.SetSize(6, 5);
        EXPECT_EQ(b.GetPixel(3, 2), clBlack) << format;
        EXPECT_EQ(b.GetPixel(4, 2), clWhite) << format;
        EXPECT_EQ(b.GetPixel(0, 3), clWhite) << format;
        b.SetSize(6, 5, false);
        EXPECT_EQ(b.GetPixel(0, 0), clWhite) << format;
    }
    TBitmap b(2, 2);
    b.SetSize(0, 7);
    EXPECT_TRUE(b.Empty());
    EXPECT_THROW(b.SetSize(-1, 2), EInvalidGraphicOperation);
    EXPECT_THROW(b.SetSize(100000, 100000), EInvalidGraphicOperation);
}

TEST(Bitmap, PixelLayoutAndFormatConversion)
{
    TBitmap b(2, 1, pf24bit);
    b.SetPixel(1, 0, RGB(1, 2, 3));
    const uint8_t* row = b.ScanLine(0);
    EXPECT_EQ(row[3], 3);  // blue first
    EXPECT_EQ(row[4], 2);
    EXPECT_EQ(row[5], 1);

    b.SetPixelFormat(pf32bit);
    EXPECT_EQ(b.GetPixel(1, 0), RGB(1, 2, 3));
    EXPECT_EQ(b.ScanLine(0)[7], 0) << "24-bit pixels become alpha 0";

    // To monochrome only white stays white.
    TBitmap c(3, 1, pf24bit);
    c.SetPixel(0, 0, clWhite);
    c.SetPixel(1, 0, RGB(250, 250, 250));
    c.SetPixel(2, 0, clBlack);
    c.SetMonochrome(true);
    EXPECT_EQ(c.GetPixel(0, 0), clWhite);
    EXPECT_EQ(c.GetPixel(1, 0), clBlack);
    EXPECT_EQ(c.GetPixel(2, 0), clBlack);
}

TEST(Bitmap, TransparentColourIsBottomLeftUnlessFixed)
{
    TBitmap b(3, 3);
    b.Fill(clRed);
    b.SetPixel(0, 2, clLime);
    EXPECT_EQ(b.TransparentColor(), clLime);
    b.SetTransparentColor(clBlue);
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    EXPECT_EQ(b.TransparentColor(), clBlue);
    b.SetTransparentMode(tmAuto);
    EXPECT_EQ(b.TransparentColor(), clLime);
}

TEST(Bitmap, AssignCopiesPixelsButNotTheCanvas)
{
    TBitmap a(3, 2, pf32bit);
    a.Canvas()->Brush().SetColor(clRed);
    a.Canvas()->FillRect(Rect(0, 0, 3, 2));
    TBitmap b;
    b.Assign(a);
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(b.GetPixel(2, 1), clRed);
    b.Canvas()->Brush().SetColor(clBlue);
    b.Canvas()->FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(a.GetPixel(0, 0), clRed);
    EXPECT_EQ(b.GetPixel(0, 0), clBlue);
}
