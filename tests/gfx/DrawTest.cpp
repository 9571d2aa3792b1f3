#include <gtest/gtest.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

namespace {

// A small white 24-bit canvas for drawing tests.
struct TSheet {
    TBitmap Bitmap;
    TCanvas& Canvas;
    explicit TSheet(int w = 12, int h = 12) : Bitmap(w, h), Canvas(*Bitmap.Canvas()) { Bitmap.Fill(clWhite); }
    bool Black(int x, int y) const { return Bitmap.GetPixel(x, y) == clBlack; }
    int CountBlack() const
    {
        int n = 0;
        for (int y = 0; y < Bitmap.Height(); ++y)
            for (int x = 0; x < Bitmap.Width(); ++x)
                n += Black(x, y);
        return n;
    }
};

}  // namespace

TEST(Draw, LinesLeaveTheirEndPointUnpainted)
{
    const struct { TPoint from, to; int pixels; } cases[] = {
        {{1, 1}, {6, 1}, 5}, {{6, 1}, {1, 1}, 5}, {{2, 0}, {2, 9}, 9}, {{0, 0}, {5, 5}, 5}, {{5, 5}, {0, 0}, 5}, {{3, 3}, {3, 3}, 0},
    };
    for (const auto& c : cases) {
        TSheet s;
        s.Canvas.MoveTo(c.from.X, c.from.Y);
        s.Canvas.LineTo(c.to.X, c.to.Y);
        EXPECT_EQ(s.CountBlack(), c.pixels) << c.from.X << "," << c.from.Y << " -> " << c.to.X << "," << c.to.Y;
        EXPECT_FALSE(s.Black(c.to.X, c.to.Y));
        if (c.pixels) {
            EXPECT_TRUE(s.Black(c.from.X, c.from.Y));
        }
        EXPECT_EQ(s.Canvas.PenPos(), c.to);
    }
    // A polyline paints every corner but the last point.
    TSheet s;
    s.Canvas.Polyline({{1, 1}, {5, 1}, {5, 5}});
    EXPECT_TRUE(s.Black(5, 1));
    EXPECT_FALSE(s.Black(5, 5));
    EXPECT_EQ(s.CountBlack(), 8);
}

TEST(Draw, RectangleOutlinesWithThePenAndFillsWithTheBrush)
{
    TSheet s;
    s.Canvas.Brush().SetColor(clRed);
    s.Canvas.Rectangle(2, 2, 7, 6);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            bool border = x >= 2 && x < 7 && y >= 2 && y < 6 && (x == 2 || x == 6 || y == 2 || y == 5);
            bool inner = x > 2 && x < 6 && y > 2 && y < 5;
            TColor expected = border ? clBlack : (inner ? clRed : clWhite);
            EXPECT_EQ(s.Bitmap.GetPixel(x, y), expected) << x << "," << y;
        }

    // Without a pen the fill leaves out the right column and bottom row.
    TSheet t;
    t.Canvas.Pen().SetStyle(psClear);
    t.Canvas.Brush().SetColor(clBlack);
    t.Canvas.Rectangle(1, 1, 4, 4);
    EXPECT_EQ(t.CountBlack(), 4);
    EXPECT_FALSE(t.Black(3, 1));

    // A clear brush leaves the inside alone; FillRect then paints nothing.
    TSheet u;
    u.Canvas.Brush().SetStyle(bsClear);
    u.Canvas.Rectangle(0, 0, 4, 4);
    u.Canvas.FillRect(Rect(0, 0, 12, 12));
    EXPECT_EQ(u.CountBlack(), 12);
}

TEST(Draw, EllipseStaysInsideItsBoxAndIsSymmetric)
{
    for (TRect box : {Rect(1, 1, 11, 8), Rect(0, 0, 12, 12), Rect(3, 3, 6, 5)}) {
        TSheet s;
        s.Canvas.Brush().SetColor(clBlack);
        s.Canvas.Ellipse(box);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                int mx = box.Left + box.Right - 1 - x, my = box.Top + box.Bottom - 1 - y;
                if (!box.Contains({x, y})) {
                    EXPECT_FALSE(s.Black(x, y)) << x << "," << y;
                } else {
                    EXPECT_EQ(s.Black(x, y), s.Black(mx, my)) << x << "," << y;
                }
            }
        // The middle row spans the whole box.
        int mid = (box.Top + box.Bottom) / 2;
        EXPECT_TRUE(s.Black(box.Left, mid));
        EXPECT_TRUE(s.Black(box.Right - 1, mid));
        if (box.Width() > 4 && box.Height() > 4) {
            EXPECT_FALSE(s.Black(box.Left, box.Top)) << "corners stay free";
        }
    }
}

TEST(Draw, FocusRectangleIsXorAndASecondCallRemovesIt)
{
    TSheet s;
    s.Bitmap.SetPixel(4, 4, clRed);
    TBitmap before = s.Bitmap;
    s.Canvas.DrawFocusRect(Rect(2, 2, 8, 8));
    EXPECT_EQ(s.Bitmap.GetPixel(2, 2), clBlack);
    EXPECT_EQ(s.Bitmap.GetPixel(3, 2), clWhite) << "dotted";
    EXPECT_EQ(s.Bitmap.GetPixel(4, 2), clBlack);
    EXPECT_EQ(s.Bitmap.GetPixel(4, 4), clRed) << "inside untouched";
    EXPECT_GT(s.CountBlack(), 8);
    s.Canvas.DrawFocusRect(Rect(2, 2, 8, 8));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(s.Bitmap.GetPixel(x, y), before.GetPixel(x, y)) << x << "," << y;
}

TEST(Draw, PenModesCombineWithTheTarget)
{
    const struct { TPenMode mode; TColor pen, under, expected; } cases[] = {
        {pmCopy, clRed, clBlue, clRed},
        {pmXor, clRed, clWhite, clAqua},
        {pmNot, clRed, clWhite, clBlack},
        {pmNotXor, clRed, clWhite, clRed},
        {pmMask, clYellow, clAqua, clLime},
        {pmNop, clRed, clBlue, clBlue},
    };
    for (const auto& c : cases) {
        TSheet s;
        s.Bitmap.Fill(c.under);
        s.Canvas.Pen().SetColor(c.pen);
        s.Canvas.Pen().SetMode(c.mode);
        s.Canvas.MoveTo(0, 0);
        s.Canvas.LineTo(3, 0);
        EXPECT_EQ(s.Bitmap.GetPixel(1, 0), c.expected) << "mode " << c.mode;
    }
}

TEST(Draw, Frame3DPaintsTopLeftAndBottomRightAndShrinks)
{
    TSheet s;
    TRect r = Rect(1, 1, 6, 6);
    s.Canvas.Frame3D(r, clWhite, clBlack, 1);
    s.Bitmap.Fill(clSilver);
    r = Rect(1, 1, 6, 6);
    s.Canvas.Frame3D(r, clRed, clBlue, 2);
    EXPECT_EQ(r, Rect(3, 3, 4, 4));
    EXPECT_EQ(s.Bitmap.GetPixel(1, 1), clRed);
    EXPECT_EQ(s.Bitmap.GetPixel(1, 5), clBlue) << "bottom-left corner belongs to the bottom line";
    EXPECT_EQ(s.Bitmap.GetPixel(5, 1), clBlue) << "top-right corner belongs to the right line";
    EXPECT_EQ(s.Bitmap.GetPixel(2, 2), clRed);
    EXPECT_EQ(s.Bitmap.GetPixel(4, 4), clBlue);
    EXPECT_EQ(s.Bitmap.GetPixel(3, 3), clSilver);
    EXPECT_EQ(s.Canvas.Pen().Color(), clBlack) << "the pen is left as it was";
}

TEST(Draw, CanvasDrawHonoursTransparencyAndStretchDrawStretches)
{
    TBitmap glyph(2, 2);
    glyph.Fill(clFuchsia);
    glyph.SetPixel(1, 0, clRed);  // bottom-left (0,1) is fuchsia: the automatic key
    glyph.SetTransparent(true);
    TSheet s;
    s.Canvas.Draw(3, 3, glyph);
    EXPECT_EQ(s.Bitmap.GetPixel(4, 3), clRed);
    EXPECT_EQ(s.Bitmap.GetPixel(3, 3), clWhite);

    glyph.SetTransparent(false);
    s.Canvas.StretchDraw(Rect(0, 0, 4, 4), glyph);
    EXPECT_EQ(s.Bitmap.GetPixel(2, 0), clRed);
    EXPECT_EQ(s.Bitmap.GetPixel(3, 1), clRed);
    EXPECT_EQ(s.Bitmap.GetPixel(1, 1), clFuchsia);

    TSheet t;
    t.Canvas.CopyRect(Rect(0, 0, 6, 6), s.Canvas, Rect(0, 0, 3, 3));
    EXPECT_EQ(t.Bitmap.GetPixel(4, 0), clRed);
    EXPECT_EQ(t.Bitmap.GetPixel(0, 0), clFuchsia);
}

TEST(Draw, HugeShapesCostOnlyWhatIsVisible)
{
    TSheet s;
    const int far = 1000000000;
    s.Canvas.MoveTo(-far, -5);
    s.Canvas.LineTo(far, -5);
    s.Canvas.DrawFocusRect(Rect(-far, -far, far, far));
    s.Canvas.Brush().SetColor(clBlack);
    s.Canvas.Polygon({{-far, -far}, {far, 6}, {-far, far}});
    s.Canvas.Ellipse(-far, -far, far, far);
    s.Canvas.Pen().SetColor(clRed);
    s.Canvas.MoveTo(-far, -far);
    s.Canvas.LineTo(far, far);
    EXPECT_TRUE(s.Black(0, 6)) << "the polygon covers the sheet";
    EXPECT_EQ(s.Bitmap.GetPixel(5, 5), clRed) << "the long diagonal crosses it";
}
