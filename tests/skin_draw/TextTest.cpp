#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/draw/GlowText.h"
#include "skin/draw/TextUtils.h"

TEST(TextUtils, FittingDropsWholeCharacters) {
    EXPECT_EQ(DropLastCharacter("ab格"), "ab");
    EXPECT_EQ(DropLastCharacter("格式"), "格");
    EXPECT_EQ(DropLastCharacter(""), "");

    TBitmap b(10, 10, pf24bit);
    TCanvas& c = *b.Canvas();
    c.Font().SetName("Arial");
    c.Font().SetHeight(14);
    const int full = CalcTextWidthW(c, "ZarvoMPG格式转换器");
    ASSERT_GT(full, 0);
    ASSERT_GT(CalcTextHeightW(c, "Zarvo"), 0);

    std::string text = "ZarvoMPG格式转换器";
    FitTextToWidthW(c, text, full);
    EXPECT_EQ(text, "ZarvoMPG格式转换器") << "a fitting text stays";
    FitTextToWidthW(c, text, full - 1);
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(text.substr(text.size() - 3), "...");
    EXPECT_LE(CalcTextWidthW(c, text), full - 1);
    text = "格式转换器";
    FitTextToWidthW(c, text, 1);
    EXPECT_EQ(text, "...");
    text = "Zarvo";
    FitTextToWidth(c, text, 1);
    EXPECT_EQ(text, "...");
}

TEST(GlowText, GlowLiesUnderAndAroundTheText) {
    TBitmap b(80, 30, pf24bit);
    b.Fill(clWhite);
    TCanvas& c = *b.Canvas();
    c.Font().SetName("Arial");
    c.Font().SetHeight(16);
    c.Font().SetColor(clBlack);
    const TRect r{10, 5, 70, 25};
    EXPECT_GT(DrawGlowText(c, r, "Glow", 0, 0, clBlue, 3), 0);
    int bluish = 0, dark = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            const TColor p = b.GetPixel(x, y);
            bluish += GetBValue(p) > GetRValue(p) + 20;
            dark += GetRValue(p) < 60 && GetBValue(p) < 60;
        }
    EXPECT_GT(bluish, 0) << "the glow shows in its colour";
    EXPECT_GT(dark, 0) << "the text is drawn over it";

    TBitmap plain(80, 30, pf24bit);
    plain.Fill(clWhite);
    plain.Canvas()->Font().Assign(c.Font());
    DrawThickGlowText(*plain.Canvas(), r, "Glow", 0, 0, clBlue, 0);
    DrawVistaGlowText(*plain.Canvas(), r, "Glow", 0, clBlue);
    DrawReflectionText(*plain.Canvas(), r, "Glow", 0, 1, clGreen);
    // Degenerate rectangles draw no glow and never fail.
    DrawGlowText(*plain.Canvas(), TRect{5, 5, 5, 5}, "x", 0, 0, clBlue, 2);
    DrawReflectionText(*plain.Canvas(), TRect{5, 5, 4, 9}, "x", 0, 0, clBlue);
}

TEST(GlowText, ThickGlowOfSizeZeroIsTheTextWidenedByOnePixel) {
    auto box = [](bool glow) {
        TBitmap b(60, 30, pf24bit);
        b.Fill(clWhite);
        TCanvas& c = *b.Canvas();
        c.Font().SetName("Arial");
        c.Font().SetHeight(16);
        c.Font().SetColor(glow ? clWhite : clBlack);
        if (glow)
            DrawThickGlowText(c, TRect{10, 5, 50, 25}, "H", 0, 0, clBlue, 0);
        else {
            TRect r{10, 5, 50, 25};
            DrawSkinText(c, "H", r, 0);
        }
        TRect bounds{1000, 1000, -1, -1};
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 60; ++x)
                if (b.GetPixel(x, y) != clWhite)
                    bounds = TRect{std::min(bounds.Left, x), std::min(bounds.Top, y), std::max(bounds.Right, x + 1),
                                   std::max(bounds.Bottom, y + 1)};
        return bounds;
    };
    const TRect text = box(false), glow = box(true);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_EQ(glow, (TRect{text.Left - 1, text.Top - 1, text.Right + 1, text.Bottom + 1}));
}
