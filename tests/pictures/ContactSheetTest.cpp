// A contact sheet of every built-in picture at 1x and 2x, on a light and on a
// dark background, for a person to look at; it checks only that every
// picture found its place.
#include <gtest/gtest.h>
#include <algorithm>
#include <fstream>
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Png.h"
#include "resources/pictures/ResourcePictures.h"

namespace {

// Lays Picture over the sheet at (x, y), Zoom times larger, by its key
// colour or its alpha.
void Place(TBitmap& Sheet, const TBitmap& Picture, TResTransparency t, int x, int y, int Zoom)
{
    const TColor key = Picture.GetPixel(0, Picture.Height() - 1) & 0xFFFFFF;
    for (int py = 0; py < Picture.Height(); ++py)
        for (int px = 0; px < Picture.Width(); ++px) {
            const TColor c = Picture.GetPixel(px, py) & 0xFFFFFF;
            double a = 1;
            if (t == rtKeyed && c == key)
                a = 0;
            if (t == rtAlpha)
                a = Picture.ScanLine(py)[px * 4 + 3] / 255.0;
            if (a == 0)
                continue;
            for (int zy = 0; zy < Zoom; ++zy)
                for (int zx = 0; zx < Zoom; ++zx) {
                    const int sx = x + px * Zoom + zx, sy = y + py * Zoom + zy;
                    const TColor under = Sheet.GetPixel(sx, sy);
                    auto mix = [a](int over, int back) { return int(over * a + back * (1 - a) + 0.5); };
                    Sheet.SetPixel(sx, sy, RGB(mix(GetRValue(c), GetRValue(under)), mix(GetGValue(c), GetGValue(under)),
                                               mix(GetBValue(c), GetBValue(under))));
                }
        }
}

}  // namespace

TEST(ContactSheet, ShowsEveryPictureOnLightAndDark)
{
    const std::vector<TResPictureInfo> pictures = ResPictures();
    ASSERT_FALSE(pictures.empty());
    // Shelves of cells, each the 1x and the 2x copy side by side with the name
    // below; the light background on the left half, the dark one on the right.
    const int halfW = 760, gap = 8, label = 14;
    std::vector<TPoint> at;
    int x = gap, y = gap, shelf = 0;
    for (const TResPictureInfo& info : pictures) {
        const int w = std::max(3 * info.Width + gap, 86), h = 2 * info.Height + label;
        if (x + w > halfW) {
            x = gap;
            y += shelf + gap;
            shelf = 0;
        }
        at.push_back(TPoint{x, y});
        x += w + gap;
        shelf = std::max(shelf, h);
    }
    TBitmap sheet(2 * halfW, y + shelf + gap);
    TCanvas* c = sheet.Canvas();
    c->Brush().SetColor(RGB(0xF4, 0xF5, 0xF7));
    c->FillRect(TRect{0, 0, halfW, sheet.Height()});
    c->Brush().SetColor(RGB(0x23, 0x27, 0x2E));
    c->FillRect(TRect{halfW, 0, 2 * halfW, sheet.Height()});
    c->Font().SetName("Arial");
    c->Font().SetHeight(-9);
    c->Brush().SetStyle(bsClear);
    int placed = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        const TResPictureInfo& info = pictures[i];
        const TBitmap b = LoadResBitmap(info.Name);
        for (int side = 0; side < 2; ++side) {
            const int px = side * halfW + at[i].X, py = at[i].Y;
            Place(sheet, b, info.Transparency, px, py, 1);
            Place(sheet, b, info.Transparency, px + b.Width() + gap, py, 2);
            c->Font().SetColor(side == 0 ? RGB(0x30, 0x36, 0x40) : RGB(0xD8, 0xDC, 0xE2));
            c->TextOut(px, py + 2 * b.Height() + 1, info.Name);
        }
        ++placed;
    }
    EXPECT_EQ(placed, int(pictures.size()));
    TPngImage png;
    png.Assign(sheet);
    const std::vector<uint8_t> data = png.SaveToBuffer();
    std::ofstream out(CONTACT_SHEET, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    EXPECT_TRUE(out.good()) << CONTACT_SHEET;
}
