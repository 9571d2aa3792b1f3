#include <gtest/gtest.h>

#include <cstring>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Blit.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Draw.h"

namespace {

const TColor Row[] = {clRed, clLime, clBlue, clYellow, clAqua};

TBitmap RowBitmap(int width, TPixelFormat format = pf24bit)
{
    TBitmap b(width, 1, format);
    for (int x = 0; x < width; ++x)
        b.SetPixel(x, 0, Row[x]);
    return b;
}

uint8_t AlphaAt(const TBitmap& b, int x, int y) { return b.ScanLine(y)[x * 4 + 3]; }

}  // namespace

TEST(Stretch, MapsSourceColumnsLikeTheClassicMode)
{
    const struct { int from, to; std::vector<int> columns; } cases[] = {
        {3, 5, {0, 0, 1, 2, 2}},
        {5, 3, {0, 2, 4}},
        {1, 4, {0, 0, 0, 0}},
        {4, 2, {1, 3}},
        {2, 2, {0, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StretchColumns(c.from, c.to), c.columns) << c.from << "->" << c.to;
}

TEST(Stretch, PaintsTheMappedColumnsAndMirrors)
{
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap src = RowBitmap(3, format), dst(5, 2, format);
        TDeviceContext dc(&dst);
        StretchBlt(dc, Rect(0, 0, 5, 2), src, Rect(0, 0, 3, 1));
        const TColor expected[] = {clRed, clRed, clLime, clBlue, clBlue};
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(dst.GetPixel(x, 0), expected[x]) << "column " << x;
            EXPECT_EQ(dst.GetPixel(x, 1), expected[x]) << "row 1 column " << x;
        }
        // A negative target width mirrors.
        StretchBlt(dc, Rect(5, 0, 0, 1), src, Rect(0, 0, 3, 1));
        const TColor mirrored[] = {clBlue, clBlue, clLime, clRed, clRed};
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(dst.GetPixel(x, 0), mirrored[x]) << "mirrored column " << x;
    }
}

TEST(Blit, CopiesInsideTheClipOnly)
{
    TBitmap src(4, 4), dst(8, 8);
    src.Fill(clRed);
    dst.Fill(clWhite);
    TDeviceContext dc(&dst);
    dc.IntersectClipRect(Rect(0, 0, 4, 8));
    dc.ExcludeClipRect(Rect(2, 2, 3, 3));
    BitBlt(dc, 1, 1, 4, 4, src, 0, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            bool painted = x >= 1 && x < 4 && y >= 1 && y < 5 && !(x == 2 && y == 2);
            EXPECT_EQ(dst.GetPixel(x, y), painted ? clRed : clWhite) << x << "," << y;
        }
}

TEST(Blit, SourceOutsideItsBitmapLeavesTheTargetAlone)
{
    TBitmap src = RowBitmap(3), dst(6, 1);
    dst.Fill(clBlack);
    TDeviceContext dc(&dst);
    BitBlt(dc, 0, 0, 6, 1, src, -1, 0);
    const TColor expected[] = {clBlack, clRed, clLime, clBlue, clBlack, clBlack};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(dst.GetPixel(x, 0), expected[x]) << x;
}

TEST(Blit, OverlappingCopyWithinOneBitmap)
{
    TBitmap b = RowBitmap(5);
    TDeviceContext dc(&b);
    BitBlt(dc, 1, 0, 4, 1, dc, 0, 0);
    const TColor expected[] = {clRed, clRed, clLime, clBlue, clYellow};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(b.GetPixel(x, 0), expected[x]) << x;
}

TEST(Blit, TransparentByKeyColour)
{
    TBitmap src = RowBitmap(3), dst(3, 1);
    dst.Fill(clBlack);
    TDeviceContext dc(&dst);
    TransparentBlt(dc, Rect(0, 0, 3, 1), src, Rect(0, 0, 3, 1), clLime);
    EXPECT_EQ(dst.GetPixel(0, 0), clRed);
    EXPECT_EQ(dst.GetPixel(1, 0), clBlack);
    EXPECT_EQ(dst.GetPixel(2, 0), clBlue);
}

TEST(Blit, AlphaBlendWithConstantAndPerPixelAlpha)
{
    TBitmap dst(2, 1, pf32bit);
    dst.Fill(RGB(0, 0, 200), 255);
    TBitmap src(2, 1, pf32bit);
    src.Fill(RGB(200, 100, 0), 255);
    TDeviceContext dc(&dst);
    AlphaBlend(dc, Rect(0, 0, 2, 1), src, Rect(0, 0, 2, 1), TBlendFunction{128, false});
    // 200 * 128/255 rounds to 100; 200 * 127/255 rounds to 100.
    EXPECT_EQ(dst.GetPixel(0, 0), RGB(100, 50, 100));
    EXPECT_EQ(AlphaAt(dst, 0, 0), 255);

    // Premultiplied source: half transparent red over blue, and a fully transparent pixel.
    dst.Fill(RGB(0, 0, 255), 255);
    uint8_t* s = src.ScanLine(0);
    const uint8_t half[] = {0, 0, 128, 128}, clear[] = {0, 0, 0, 0};
    std::memcpy(s, half, 4);
    std::memcpy(s + 4, clear, 4);
    AlphaBlend(dc, Rect(0, 0, 2, 1), src, Rect(0, 0, 2, 1), TBlendFunction{255, true});
    EXPECT_EQ(dst.GetPixel(0, 0), RGB(128, 0, 127));
    EXPECT_EQ(AlphaAt(dst, 0, 0), 255);
    EXPECT_EQ(dst.GetPixel(1, 0), RGB(0, 0, 255));

    // On a transparent target the alpha comes from the source.
    dst.Fill(clBlack, 0);
    AlphaBlend(dc, Rect(0, 0, 2, 1), src, Rect(0, 0, 2, 1), TBlendFunction{255, true});
    EXPECT_EQ(AlphaAt(dst, 0, 0), 128);
    EXPECT_EQ(AlphaAt(dst, 1, 0), 0);
}

TEST(Blit, ClassicDrawingLeavesAlphaZeroAndOnlyAlphaRoutinesWriteIt)
{
    TBitmap dst(4, 1, pf32bit), src32(1, 1, pf32bit), src24(1, 1, pf24bit);
    dst.Fill(clWhite, 255);
    src32.Fill(clRed, 77);
    src24.Fill(clRed);
    TDeviceContext dc(&dst);
    FillRect(dc, Rect(0, 0, 1, 1), clGreen);
    BitBlt(dc, 1, 0, 1, 1, src24, 0, 0);
    BitBlt(dc, 2, 0, 1, 1, src32, 0, 0);
    EXPECT_EQ(AlphaAt(dst, 0, 0), 0) << "fill";
    EXPECT_EQ(AlphaAt(dst, 1, 0), 0) << "copy from 24 bits";
    EXPECT_EQ(AlphaAt(dst, 2, 0), 77) << "copy between 32-bit surfaces";
    EXPECT_EQ(AlphaAt(dst, 3, 0), 255) << "untouched";
}

TEST(Blit, MonochromeConversionsUseTheContextColours)
{
    TBitmap mono(2, 1, pf1bit), colour(2, 1);
    mono.SetPixel(0, 0, clBlack);
    mono.SetPixel(1, 0, clWhite);
    TDeviceContext dc(&colour);
    dc.SetTextColor(clRed);
    dc.SetBkColor(clBlue);
    BitBlt(dc, 0, 0, 2, 1, mono, 0, 0);
    EXPECT_EQ(colour.GetPixel(0, 0), clRed);
    EXPECT_EQ(colour.GetPixel(1, 0), clBlue);

    // Colour to monochrome: the source background colour becomes white.
    TDeviceContext src(&colour), monoDc(&mono);
    src.SetBkColor(clBlue);
    BitBlt(monoDc, 0, 0, 2, 1, src, 0, 0);
    EXPECT_EQ(mono.GetPixel(0, 0), clBlack);
    EXPECT_EQ(mono.GetPixel(1, 0), clWhite);
}

TEST(DeviceContext, WindowContextDrawsOnlyIntoItsVisibleRegionAtItsOrigin)
{
    TBitmap backing(10, 10, pf32bit);
    backing.Fill(clBlack);
    // A window at (2,2), 6x6, whose lower right corner is covered by a child.
    TRegion visible = TRegion(Rect(0, 0, 6, 6)).Subtract(TRegion(Rect(3, 3, 6, 6)));
    auto dc = TDeviceContext::ForWindow(&backing, Point(2, 2), visible);
    EXPECT_EQ(dc->SelectedBitmap().Bits, nullptr);
    FillRect(*dc, Rect(-5, -5, 50, 50), clWhite);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            bool inside = x >= 2 && x < 8 && y >= 2 && y < 8 && !(x >= 5 && y >= 5);
            EXPECT_EQ(backing.GetPixel(x, y), inside ? clWhite : clBlack) << x << "," << y;
        }
    EXPECT_EQ(dc->ClipBox(), Rect(0, 0, 6, 6));

    TDeviceContext memory(&backing);
    TSelectedBitmap info = memory.SelectedBitmap();
    EXPECT_EQ(info.Bits, backing.Bits());
    EXPECT_EQ(info.Width, 10);
    EXPECT_EQ(info.BitsPerPixel, 32);
    EXPECT_EQ(info.Stride, 40);
    EXPECT_TRUE(info.TopDown);
}

TEST(DeviceContext, SaveAndRestoreBringBackClipOriginAndObjects)
{
    TBitmap b(10, 10);
    b.Fill(clBlack);
    TDeviceContext dc(&b);
    int saved = dc.SaveDC();
    dc.SetViewportOrg(3, 3);
    dc.IntersectClipRect(Rect(0, 0, 2, 2));
    dc.SetTextColor(clRed);
    EXPECT_EQ(dc.ClipBox(), Rect(0, 0, 2, 2));
    FillRect(dc, Rect(0, 0, 10, 10), clWhite);
    EXPECT_EQ(b.GetPixel(3, 3), clWhite);
    EXPECT_EQ(b.GetPixel(5, 5), clBlack);
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.ViewportOrg(), Point(0, 0));
    EXPECT_EQ(dc.TextColor(), clBlack);
    EXPECT_EQ(dc.ClipBox(), Rect(0, 0, 10, 10));
    EXPECT_FALSE(dc.RestoreDC(saved));

    // A selected region is in device coordinates, unaffected by the viewport.
    dc.SetViewportOrg(4, 0);
    TRegion clip(Rect(0, 0, 1, 1));
    dc.SelectClipRgn(&clip);
    EXPECT_TRUE(dc.PtVisible(Point(-4, 0)));
    EXPECT_FALSE(dc.PtVisible(Point(0, 0)));
    dc.SelectClipRgn(nullptr);
    EXPECT_TRUE(dc.PtVisible(Point(0, 0)));
}

TEST(Stretch, AHugeTargetMapsOnlyItsVisiblePart)
{
    TBitmap src = RowBitmap(3), dst(5, 1);
    TDeviceContext dc(&dst);
    const int far = 1000000000;
    StretchBlt(dc, Rect(-far, 0, far, 1), src, Rect(0, 0, 3, 1));
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(dst.GetPixel(x, 0), clLime) << "the middle column covers the centre, at " << x;
}

// Every plain copy, scaled or not, against the nearest-neighbour rule worked
// out pixel by pixel: source formats into colour targets, stretched up (rows
// repeat), shrunk, mirrored, reaching past the source and cut by a clip with
// a hole. A source four pixels wide ends its 24-bit rows exactly at the end
// of the bitmap; one nine pixels wide has whole groups of four and a rest,
// and the widest targets repeat a source column more than sixteen times.
TEST(Stretch, EveryCopyFollowsTheNearestNeighbourRuleToThePixel)
{
    const TRect targets[] = {Rect(0, 0, 23, 31), Rect(2, 3, 6, 5), Rect(20, 30, 1, 2), Rect(0, 0, 4, 3),
                             Rect(-3, 1, 25, 40), Rect(1, 1, 9, 30), Rect(1, 2, 10, 4), Rect(-2, 0, 68, 3)};
    for (int width : {4, 9}) {
        for (TPixelFormat sf : {pf1bit, pf24bit, pf32bit})
            for (TPixelFormat df : {pf24bit, pf32bit})
                for (const TRect& t : targets)
                    for (const TRect& s : {Rect(0, 0, width, 3), Rect(1, 0, width - 1, 3), Rect(-1, 0, width + 1, 3),
                                           Rect(0, 3, width, 0)}) {
                        TBitmap src(width, 3, sf);
                        for (int y = 0; y < 3; ++y)
                            for (int x = 0; x < width; ++x) {
                                src.SetPixel(x, y, sf == pf1bit ? ((x + y) % 2 ? clWhite : clBlack) : RGB(40 * x, 70 * y, x * y + 5));
                                if (sf == pf32bit)
                                    src.ScanLine(y)[x * 4 + 3] = uint8_t(10 * x + y);
                            }
                        TBitmap dst(70, 32, df);
                        dst.Fill(clGray, 7);
                        TDeviceContext dc(&dst);
                        dc.SetTextColor(clNavy);
                        dc.SetBkColor(clOlive);
                        const TRegion clip = TRegion(Rect(0, 0, 70, 32)).Subtract(TRegion(Rect(5, 6, 9, 20)));
                        dc.SelectClipRgn(&clip);
                        StretchBlt(dc, t, src, s);

                        const int dw = t.Width(), dh = t.Height(), sw = s.Width(), sh = s.Height();
                        auto map = [](int i, int count, int from, int start, int limit) {
                            int v = int(((2 * int64_t(i) + 1) * std::abs(from)) / (2 * int64_t(std::abs(count))));
                            if ((count < 0) != (from < 0))
                                v = std::abs(from) - 1 - v;
                            v += std::min(start, start + from);
                            return v >= 0 && v < limit ? v : -1;
                        };
                        for (int y = 0; y < 32; ++y)
                            for (int x = 0; x < 70; ++x) {
                                const int ix = x - std::min(t.Left, t.Right), iy = y - std::min(t.Top, t.Bottom);
                                int sx = -1, sy = -1;
                                if (clip.Contains(x, y) && ix >= 0 && ix < std::abs(dw) && iy >= 0 && iy < std::abs(dh)) {
                                    sx = map(ix, dw, sw, s.Left, width);
                                    sy = map(iy, dh, sh, s.Top, 3);
                                }
                                TColor colour = clGray;
                                uint8_t alpha = 7;
                                if (sx >= 0 && sy >= 0) {
                                    colour = src.GetPixel(sx, sy);
                                    if (sf == pf1bit)
                                        colour = colour == clWhite ? clOlive : clNavy;
                                    alpha = sf == pf32bit ? src.ScanLine(sy)[sx * 4 + 3] : 0;
                                }
                                ASSERT_EQ(dst.GetPixel(x, y), colour)
                                    << width << " wide " << sf << "->" << df << " at " << x << "," << y;
                                if (df == pf32bit) {
                                    ASSERT_EQ(AlphaAt(dst, x, y), alpha)
                                        << width << " wide " << sf << "->" << df << " at " << x << "," << y;
                                }
                            }
                    }
    }
}
