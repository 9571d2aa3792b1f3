#include <gtest/gtest.h>

#include <thread>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/FontEngine.h"
#include "platform/gfx/Text.h"

namespace {

const char* const Title = "ZarvoMPG格式转换器";
const char* const Characters[] = {"Z", "a", "r", "v", "o", "M", "P", "G", "格", "式", "转", "换", "器"};
const char* const FontNames[] = {"Tahoma", "Arial", "宋体", "MS Sans Serif"};

// A white sheet with black text in a clear brush, on which text is drawn.
struct TTextSheet {
    TBitmap Bitmap;
    TCanvas& Canvas;
    explicit TTextSheet(int w = 200, int h = 60, const char* font = "Tahoma", int height = -12)
        : Bitmap(w, h), Canvas(*Bitmap.Canvas())
    {
        Bitmap.Fill(clWhite);
        Canvas.Font().SetName(font);
        Canvas.Font().SetHeight(height);
        Canvas.Font().SetColor(clBlack);
        Canvas.Brush().SetStyle(bsClear);
    }
    // The box of all non-white pixels; empty when nothing was drawn.
    TRect Ink() const
    {
        TRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int y = 0; y < Bitmap.Height(); ++y)
            for (int x = 0; x < Bitmap.Width(); ++x)
                if (Bitmap.GetPixel(x, y) != clWhite)
                    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
        return box.Left == INT32_MAX ? TRect{} : box;
    }
    bool SameAs(const TTextSheet& other) const
    {
        for (int y = 0; y < Bitmap.Height(); ++y)
            for (int x = 0; x < Bitmap.Width(); ++x)
                if (Bitmap.GetPixel(x, y) != other.Bitmap.GetPixel(x, y))
                    return false;
        return true;
    }
};

}  // namespace

TEST(Fonts, EveryNameTheProgramUsesGivesAChosenFont)
{
    const struct { const char* name; const char* family; } cases[] = {
        {"Tahoma", "DejaVu Sans"},
        {"MS Sans Serif", "DejaVu Sans"},
        {"Arial", "Liberation Sans"},
        {"arial", "Liberation Sans"},
        {"宋体", "WenQuanYi Micro Hei"},
        {"SimSun", "WenQuanYi Micro Hei"},
        {"微软雅黑", "WenQuanYi Micro Hei"},
        {"Courier New", "Liberation Mono"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchFont(c.name).Family, c.family) << c.name;
    EXPECT_TRUE(MatchFont("Tahoma", fsBold).Bold) << "a real bold face where one is installed";
}

TEST(Fonts, TheTitleDrawsEveryCharacterInEveryNamedFont)
{
    for (const char* font : FontNames) {
        for (TFontStyles style : {TFontStyles(0), fsBold}) {
            for (const char* ch : Characters) {
                TTextSheet sheet(40, 30, font);
                sheet.Canvas.Font().SetStyle(style);
                sheet.Canvas.TextOut(2, 2, ch);
                EXPECT_FALSE(sheet.Ink().IsEmpty()) << font << " style " << style << " character " << ch;
            }
        }
    }
}

TEST(Text, MeasuresCellHeightsAndWidths)
{
    TTextSheet sheet;
    // Positive heights are cell heights, negative ones character heights.
    sheet.Canvas.Font().SetHeight(14);
    EXPECT_EQ(sheet.Canvas.TextHeight("Ag"), 14);
    sheet.Canvas.Font().SetHeight(-11);
    const int cell = sheet.Canvas.TextHeight("Ag");
    EXPECT_GT(cell, 11);
    EXPECT_LT(cell, 16);
    EXPECT_EQ(sheet.Canvas.Font().Size(), 8);

    for (const char* font : FontNames) {
        sheet.Canvas.Font().SetName(font);
        int sum = 0;
        for (const char* ch : Characters)
            sum += sheet.Canvas.TextWidth(ch);
        EXPECT_EQ(sheet.Canvas.TextWidth(Title), sum) << font;
        EXPECT_GT(sheet.Canvas.TextWidth("格"), sheet.Canvas.TextWidth("r")) << font;
    }
    EXPECT_EQ(sheet.Canvas.TextWidth(""), 0);
    sheet.Canvas.Font().SetStyle(fsBold);
    const int bold = sheet.Canvas.TextWidth("Wide text");
    sheet.Canvas.Font().SetStyle(0);
    EXPECT_GT(bold, sheet.Canvas.TextWidth("Wide text"));
}

TEST(Text, SolidBrushPaintsAnOpaqueCellAndClearBrushNone)
{
    TTextSheet sheet;
    sheet.Canvas.Brush().SetColor(clBlue);
    sheet.Canvas.TextOut(5, 5, "Hi");
    const TSize size = sheet.Canvas.TextExtent("Hi");
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x) {
            bool inCell = x >= 5 && x < 5 + size.cx && y >= 5 && y < 5 + size.cy;
            if (!inCell) {
                ASSERT_EQ(sheet.Bitmap.GetPixel(x, y), clWhite) << x << "," << y;
            } else {
                ASSERT_NE(sheet.Bitmap.GetPixel(x, y), clWhite) << x << "," << y;
            }
        }
    EXPECT_EQ(sheet.Canvas.PenPos(), Point(5 + size.cx, 5));

    TTextSheet clear;
    clear.Canvas.TextOut(5, 5, "Hi");
    TRect ink = clear.Ink();
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_EQ(clear.Bitmap.GetPixel(5, 5), clWhite) << "the cell corner stays";
}

TEST(Text, OnZeroedPixelsLeavesAlphaZeroAndCoverageInTheColours)
{
    TBitmap b(60, 30, pf32bit);
    b.Fill(clBlack, 0);
    TCanvas& c = *b.Canvas();
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(clRed);
    c.Font().SetName("Arial");
    c.Font().SetHeight(-16);
    c.TextOut(2, 2, "Rg");
    int full = 0, partial = 0;
    for (int y = 0; y < 30; ++y) {
        const uint8_t* row = b.ScanLine(y);
        for (int x = 0; x < 60; ++x) {
            const uint8_t* p = row + x * 4;
            ASSERT_EQ(p[3], 0) << "alpha at " << x << "," << y;
            ASSERT_EQ(p[0], 0);
            ASSERT_EQ(p[1], 0);
            full += p[2] == 255;
            partial += p[2] > 0 && p[2] < 255;
        }
    }
    EXPECT_GT(full, 10);
    EXPECT_GT(partial, 5) << "anti-aliased edges";

    // On opaque pixels classic text also writes alpha 0 where it paints.
    b.Fill(clWhite, 255);
    c.TextOut(2, 2, "Rg");
    int zeroed = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            zeroed += b.ScanLine(y)[x * 4 + 3] == 0;
    EXPECT_GT(zeroed, 0);
    EXPECT_EQ(b.ScanLine(0)[3], 255) << "untouched pixels keep theirs";
}

TEST(DrawText, LayoutsAsATableOfCases)
{
    TTextSheet sheet;
    const int line = sheet.Canvas.TextHeight("A");
    const int wordWidth = sheet.Canvas.TextWidth("alpha beta");
    const struct { const char* text; int width; unsigned flags; int lines; } cases[] = {
        {"alpha beta gamma", wordWidth + 2, DT_WORDBREAK, 2},
        {"alpha beta gamma", 1000, DT_WORDBREAK, 1},
        {"alpha beta gamma", 1000, 0, 1},
        {"alpha\nbeta\r\ngamma", 1000, 0, 3},
        {"alpha\nbeta\r\ngamma", 1000, DT_SINGLELINE, 1},
        {"alpha beta gamma", 1, DT_WORDBREAK | DT_SINGLELINE, 1},
        {"averyveryverylongword", 40, DT_WORDBREAK, 1},  // a long word stays whole
        {"alpha averyveryverylongword", 40, DT_WORDBREAK, 2},
        {"格式转换器格式转换器", 40, DT_WORDBREAK, 0},  // CJK breaks between characters: checked below
    };
    for (const auto& c : cases) {
        TRect r = Rect(0, 0, c.width, 0);
        int height = sheet.Canvas.DrawText(c.text, r, c.flags | DT_CALCRECT);
        EXPECT_EQ(height, r.Height()) << c.text;
        if (c.lines) {
            EXPECT_EQ(height, c.lines * line) << c.text << " flags " << c.flags;
        } else {
            EXPECT_GE(height, 2 * line) << c.text;
            EXPECT_LE(r.Width(), c.width) << c.text << " every line fits";
        }
    }
    // A word wider than the rectangle widens it; the calculated width is the widest line.
    TRect narrow = Rect(0, 0, 40, 0);
    sheet.Canvas.DrawText("averyveryverylongword", narrow, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(narrow.Width(), sheet.Canvas.TextWidth("averyveryverylongword"));
    TRect r = Rect(10, 10, 1000, 10);
    sheet.Canvas.DrawText("ab\nabcd", r, DT_CALCRECT);
    EXPECT_EQ(r, Rect(10, 10, 10 + sheet.Canvas.TextWidth("abcd"), 10 + 2 * line));
}

TEST(DrawText, EllipsesFitAndKeepTheEnds)
{
    // The drawn text must look like one of the candidate strings drawn plainly.
    auto matchesOneOf = [](const std::string& text, unsigned flags, int width, const std::vector<std::string>& candidates) {
        TTextSheet drawn(300, 30);
        TRect r = Rect(0, 0, width, 30);
        drawn.Canvas.DrawText(text, r, flags | DT_SINGLELINE | DT_NOPREFIX);
        if (drawn.Ink().Right > width)
            return std::string("(too wide)");
        for (const std::string& c : candidates) {
            TTextSheet plain(300, 30);
            plain.Canvas.TextOut(0, 0, c);
            if (plain.SameAs(drawn))
                return c;
        }
        return std::string("(no candidate)");
    };
    const std::string path = "/home/user/videos/holiday/clip.mp4";
    std::vector<std::string> pathCandidates, endCandidates;
    const std::string head = "/home/user/videos/holiday", tail = "/clip.mp4";
    for (size_t k = 0; k <= head.size(); ++k)
        pathCandidates.push_back(head.substr(0, k) + "..." + tail);
    for (size_t k = 0; k <= path.size(); ++k)
        endCandidates.push_back(path.substr(0, k) + "...");

    TTextSheet sheet;
    const int full = sheet.Canvas.TextWidth(path);
    const int width = full * 2 / 3;
    std::string p = matchesOneOf(path, DT_PATH_ELLIPSIS, width, pathCandidates);
    EXPECT_EQ(p.substr(p.size() - tail.size()), tail) << p;
    EXPECT_GT(p.size(), tail.size() + 6) << "keeps as much of the start as fits: " << p;
    std::string e = matchesOneOf(path, DT_END_ELLIPSIS, width, endCandidates);
    EXPECT_EQ(e.substr(0, 6), "/home/") << e;
    // Where not even "..." and the last part fit, the end of the name stays.
    std::vector<std::string> nameEnds;
    for (size_t k = 0; k < tail.size(); ++k)
        nameEnds.push_back("..." + tail.substr(k));
    const int narrow = sheet.Canvas.TextWidth(".../clip.mp4") - 2;
    std::string n = matchesOneOf(path, DT_PATH_ELLIPSIS, narrow, nameEnds);
    EXPECT_EQ(n, "...clip.mp4") << n;
    // Text that fits is left whole.
    EXPECT_EQ(matchesOneOf("clip.mp4", DT_END_ELLIPSIS, width, {"clip.mp4"}), "clip.mp4");
}

TEST(DrawText, AmpersandUnderlinesTheNextCharacterAndDoubledPrintsOne)
{
    auto draw = [](const std::string& text, unsigned flags) {
        auto sheet = std::make_unique<TTextSheet>(120, 30);
        TRect r = Rect(0, 0, 120, 30);
        sheet->Canvas.DrawText(text, r, flags);
        return sheet;
    };
    auto underlined = draw("&File", 0);
    auto plain = draw("File", DT_NOPREFIX);
    TTextSheet measure;
    const int fWidth = measure.Canvas.TextWidth("F");
    const int ascent = GetTextMetrics(*measure.Canvas.Handle()).Ascent;
    bool extraBelowF = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            bool differs = underlined->Bitmap.GetPixel(x, y) != plain->Bitmap.GetPixel(x, y);
            if (differs) {
                EXPECT_LT(x, fWidth) << "only under the F";
                EXPECT_GT(y, ascent - 1) << "only below the baseline";
                extraBelowF = true;
            }
        }
    EXPECT_TRUE(extraBelowF);
    EXPECT_TRUE(draw("A&&B", 0)->SameAs(*draw("A&B", DT_NOPREFIX)));
    EXPECT_TRUE(draw("&File", DT_HIDEPREFIX)->SameAs(*plain));
    EXPECT_FALSE(draw("&File", DT_NOPREFIX)->SameAs(*plain));
}

TEST(DrawText, AlignsAndCentresVerticallyOnlyOnSingleLines)
{
    TTextSheet sheet(200, 60);
    const int line = sheet.Canvas.TextHeight("A");
    TRect r = Rect(0, 0, 200, 60);
    EXPECT_EQ(sheet.Canvas.DrawText("Mid", r, DT_SINGLELINE | DT_VCENTER | DT_CENTER), (60 - line) / 2 + line);
    TRect ink = sheet.Ink();
    EXPECT_NEAR((ink.Left + ink.Right) / 2, 100, 2);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 30, 4);

    TTextSheet multi(200, 60);
    EXPECT_EQ(multi.Canvas.DrawText("Top", r, DT_VCENTER), line) << "vertical centre needs a single line";
    EXPECT_LT(multi.Ink().Top, line);

    TTextSheet right(200, 60);
    right.Canvas.DrawText("Right", r, DT_RIGHT | DT_SINGLELINE | DT_BOTTOM);
    EXPECT_GE(right.Ink().Right, 197);
    EXPECT_GE(right.Ink().Bottom, 60 - line / 2);

    // Clipped to the rectangle unless DT_NOCLIP.
    TTextSheet clipped(200, 60), unclipped(200, 60);
    TRect small = Rect(0, 0, 10, 60);
    clipped.Canvas.DrawText("Clipped text", small, 0);
    unclipped.Canvas.DrawText("Clipped text", small, DT_NOCLIP);
    EXPECT_LE(clipped.Ink().Right, 10);
    EXPECT_GT(unclipped.Ink().Right, 10);
}

TEST(Text, TabsJumpToTheirStops)
{
    TTextSheet tabbed(200, 30), manual(200, 30);
    tabbed.Canvas.TabbedTextOut(0, 0, "a\tb", {40});
    manual.Canvas.TextOut(0, 0, "a");
    manual.Canvas.TextOut(40, 0, "b");
    EXPECT_TRUE(tabbed.SameAs(manual));

    TTextSheet expanded(200, 30), plainTab(200, 30);
    TRect r = Rect(0, 0, 200, 30);
    expanded.Canvas.DrawText("a\tb", r, DT_EXPANDTABS);
    plainTab.Canvas.DrawText("a\tb", r, 0);
    EXPECT_GT(expanded.Ink().Right, plainTab.Ink().Right);
}

TEST(Text, UnderlineAndStrikeOutStyles)
{
    TTextSheet plain, underline, strike;
    underline.Canvas.Font().SetStyle(fsUnderline);
    strike.Canvas.Font().SetStyle(fsStrikeOut);
    for (TTextSheet* s : {&plain, &underline, &strike})
        s->Canvas.TextOut(0, 0, "ace");
    EXPECT_GT(underline.Ink().Bottom, plain.Ink().Bottom);
    EXPECT_FALSE(strike.SameAs(plain));
    EXPECT_EQ(strike.Ink().Bottom, plain.Ink().Bottom);
}

TEST(Text, SeveralThreadsDrawAtOnce)
{
    // Workers draw captions on their own bitmaps (the engine's snapshots)
    // while the main thread draws too: fonts and glyph caches are shared.
    auto work = [](int seed, int* inked) {
        TTextSheet sheet(120, 30, seed % 2 ? "Arial" : "宋体", -11 - seed % 4);
        for (int i = 0; i < 20; ++i)
            sheet.Canvas.TextOut(0, 0, std::string(Title) + std::to_string(i * seed));
        *inked = sheet.Ink().IsEmpty() ? 0 : 1;
    };
    int results[4] = {};
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
        threads.emplace_back(work, t + 1, &results[t]);
    work(7, &results[3]);
    for (auto& t : threads)
        t.join();
    for (int r : results)
        EXPECT_EQ(r, 1);
}
