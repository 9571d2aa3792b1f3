#include "skin/draw/GlowText.h"

#include <cstdint>

#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "skin/draw/AlphaBitmap.h"
#include "skin/draw/StackBlur.h"
#include "skin/draw/TextUtils.h"

namespace {

// Glow bitmaps beyond this many pixels are not drawn (the text still is).
constexpr std::int64_t MaxGlowPixels = std::int64_t(1) << 24;

// A work bitmap for text of Canvas's font drawn in red with a clear brush;
// false when the size is degenerate or absurd.
bool PrepareWork(TbsBitmap& work, TCanvas& Canvas, int width, int height) {
    if (width <= 0 || height <= 0 || static_cast<std::int64_t>(width) * height > MaxGlowPixels)
        return false;
    work.SetSize(width, height);
    TCanvas& c = work.Canvas();
    c.Font().Assign(Canvas.Font());
    c.Font().SetColor(clRed);
    c.Brush().SetStyle(bsClear);
    return true;
}

// Alpha := red coverage, colour := Color, then blended onto Canvas at X, Y.
void BlendCoverage(TbsBitmap& work, TCanvas& Canvas, TColor Color, int X, int Y) {
    const TbsColor colour = ColorToBsColor(Color) & 0xFFFFFF;
    TbsColor* p = work.Bits();
    const std::int64_t n = static_cast<std::int64_t>(work.Width()) * work.Height();
    for (std::int64_t i = 0; i < n; ++i)
        p[i] = colour | (static_cast<TbsColor>(bsRedOf(p[i])) << 24);
    work.SetAlphaBlend(true);
    work.Draw(Canvas, X, Y);
}

int DrawTheText(TCanvas& Canvas, const TRect& R, const std::string& Text, unsigned Flags) {
    Canvas.Brush().SetStyle(bsClear);
    TRect r = R;
    return DrawSkinText(Canvas, Text, r, Flags);
}

}  // namespace

void StackBlur(TbsBitmap& Bitmap, int Radius) {
    StackBlur(Bitmap.View(), Radius);
}

void SetAlphaFromMask(TbsBitmap& Bitmap, const TbsBitmap& Mask) {
    SetAlphaFromMask(Bitmap.View(), Mask.View());
}

void DrawThickGlowText(TCanvas& Canvas, const TRect& R, const std::string& Text, unsigned Flags, int Offset,
                       TColor GlowColor, int GlowSize) {
    const int s = GlowSize < 0 ? 0 : GlowSize;
    TbsBitmap work;
    if (PrepareWork(work, Canvas, R.Width() + 2 * s, R.Height() + 2 * s)) {
        const TRect t{s, s, work.Width() - s, work.Height() - s};
        const int moves[5][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& m : moves) {
            TRect r = t.Offsetted(m[0], m[1]);
            DrawSkinText(work.Canvas(), Text, r, Flags);
        }
        StackBlur(work, s);
        BlendCoverage(work, Canvas, GlowColor, Offset + R.Left - s, Offset + R.Top - s);
    }
    DrawTheText(Canvas, R, Text, Flags);
}

int DrawGlowText(TCanvas& Canvas, const TRect& R, const std::string& Text, unsigned Flags, int Offset,
                 TColor GlowColor, int GlowSize) {
    const int s = GlowSize < 0 ? 0 : GlowSize;
    TbsBitmap work;
    if (PrepareWork(work, Canvas, R.Width() + 2 * s, R.Height() + 2 * s)) {
        TRect t{s, s, work.Width() - s, work.Height() - s};
        DrawSkinText(work.Canvas(), Text, t, Flags);
        StackBlur(work, s);
        BlendCoverage(work, Canvas, GlowColor, Offset + R.Left - s, Offset + R.Top - s);
    }
    return DrawTheText(Canvas, R, Text, Flags);
}

int DrawVistaGlowText(TCanvas& Canvas, const TRect& R, const std::string& Text, unsigned Flags, TColor GlowColor) {
    constexpr int m = 12;
    TbsBitmap work;
    if (PrepareWork(work, Canvas, R.Width() + 2 * m, R.Height() + 2 * m)) {
        const TRect t{m, m, work.Width() - m, work.Height() - m};
        TCanvas& c = work.Canvas();
        c.Brush().SetColor(clRed);
        c.Brush().SetStyle(bsSolid);
        c.FillRect(TRect{t.Left - 3, t.Top + 2, t.Right + 3, t.Bottom - 2});
        c.Brush().SetStyle(bsClear);
        const int moves[9][2] = {{-1, -1}, {-2, -2}, {-1, 0}, {-2, 0}, {1, 0}, {2, 0}, {1, 1}, {2, 2}, {0, 0}};
        for (const auto& mv : moves) {
            TRect r = t.Offsetted(mv[0], mv[1]);
            DrawSkinText(c, Text, r, Flags);
        }
        StackBlur(work, 6);
        StackBlur(work, 6);
        BlendCoverage(work, Canvas, GlowColor, R.Left - m, R.Top - m);
    }
    return DrawTheText(Canvas, R, Text, Flags);
}

void DrawReflectionText(TCanvas& Canvas, const TRect& R, const std::string& Text, unsigned Flags, int Offset,
                        TColor Color) {
    TbsBitmap work;
    if (PrepareWork(work, Canvas, R.Width(), R.Height())) {
        const int w = work.Width(), h = work.Height();
        TRect all{0, 0, w, h};
        DrawSkinText(work.Canvas(), Text, all, Flags);
        TRect box{0, 0, w, h};
        DrawSkinText(work.Canvas(), Text, box, Flags | DT_CALCRECT);
        TRect onCanvas = R;
        DrawSkinText(Canvas, Text, onCanvas, Flags | DT_CALCRECT);
        const int T0 = box.Top, B0 = box.Bottom, Bm = onCanvas.Bottom;
        if (B0 - T0 > 0) {
            const TbsColor colour = ColorToBsColor(Color) & 0xFFFFFF;
            for (int y = 0; y < h; ++y) {
                TbsColor* row = work.ScanLine(y);
                if (y < T0 || y > B0) {
                    FillLine(row, w, 0);
                    continue;
                }
                float f = 0.7f - static_cast<float>(B0 + T0 - y) / static_cast<float>(B0 - T0);
                if (f < 0)
                    f = 0;
                for (int x = 0; x < w; ++x) {
                    const int alpha = RoundEven(bsRedOf(row[x]) * f);
                    row[x] = colour | (static_cast<TbsColor>(alpha) << 24);
                }
            }
        }
        work.FlipVert();
        work.SetAlphaBlend(true);
        work.Draw(Canvas, R.Left, Bm + B0 + Offset - h);
    }
    DrawTheText(Canvas, R, Text, Flags);
}
