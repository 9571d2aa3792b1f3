#include "skin/draw/GlyphLayout.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/TextUtils.h"

void CalcGlyphTextLayout(TbsButtonLayout Layout, const TRect& R, int GlyphWidth, int GlyphHeight, int TextWidth,
                         int TextHeight, int Spacing, int Margin, int& TextX, int& TextY, int& GlyphX, int& GlyphY) {
    const int GW = GlyphWidth, GH = GlyphHeight, TW = TextWidth, TH = TextHeight;
    if (GW == 0)
        Spacing = 0;
    const int cx = R.Left + RectWidth(R) / 2, cy = R.Top + RectHeight(R) / 2;
    const int gx = cx - GW / 2, tx = cx - TW / 2, gy = cy - GH / 2, ty = cy - TH / 2;
    const int hw = (GW + TW + Spacing) / 2, hh = (TH + GH + Spacing) / 2;
    if (Margin != -1) {
        switch (Layout) {
        case blGlyphLeft:
            GlyphX = R.Left + Margin, GlyphY = gy, TextX = GlyphX + GW + Spacing, TextY = ty;
            break;
        case blGlyphRight:
            GlyphX = R.Right - GW - Margin, GlyphY = gy, TextX = GlyphX - Spacing - TW, TextY = ty;
            break;
        case blGlyphTop:
            GlyphX = gx, GlyphY = R.Top + Margin, TextX = tx, TextY = GlyphY + GH + Spacing;
            break;
        case blGlyphBottom:
            GlyphX = gx, GlyphY = R.Bottom - GH - Margin, TextX = tx, TextY = GlyphY - Spacing - TH;
            break;
        }
        return;
    }
    switch (Layout) {
    case blGlyphLeft:
        GlyphX = cx - hw, GlyphY = gy, TextX = cx + hw - TW, TextY = ty;
        break;
    case blGlyphRight:
        GlyphX = cx + hw - GW, GlyphY = gy, TextX = cx - hw, TextY = ty;
        break;
    case blGlyphTop:
        GlyphX = gx, GlyphY = cy - hh, TextX = tx, TextY = cy + hh - TH;
        break;
    case blGlyphBottom:
        GlyphX = gx, GlyphY = cy + hh - GH, TextX = tx, TextY = cy - hh;
        break;
    }
}

TGlyphTextPlace DrawCaptionBesideGlyph(TCanvas& Canvas, const TRect& R, int Margin, int Spacing,
                                       TbsButtonLayout Layout, const std::string& Caption, int GlyphWidth,
                                       int GlyphHeight, bool Down, unsigned AlignFlags) {
    int tw = 0, th = 0;
    if (!Caption.empty()) {
        TRect measure{0, 0, RectWidth(R), RectHeight(R)};
        if (Layout == blGlyphLeft || Layout == blGlyphRight)
            measure.Right -= GlyphWidth;
        else
            measure.Bottom -= GlyphHeight;
        DrawSkinText(Canvas, Caption, measure, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
        tw = RectWidth(measure);
        th = RectHeight(measure);
        Canvas.Brush().SetStyle(bsClear);
    }
    int tx, ty, gx, gy;
    CalcGlyphTextLayout(Layout, R, GlyphWidth, GlyphHeight, tw, th, Spacing, Margin, tx, ty, gx, gy);
    if (Down)
        ++tx, ++ty, ++gx, ++gy;

    TRect textRect{tx, ty, tx + tw + 2, ty + th};
    if (!Caption.empty())
        DrawSkinText(Canvas, Caption, textRect, DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | AlignFlags);
    return {textRect, {gx, gy}};
}

void DrawGlyphAndText(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TbsButtonLayout Layout,
                      const std::string& Caption, const TBitmap& Glyph, int NumGlyphs, int GlyphNum, bool Down,
                      bool DrawMarker, TColor MarkerColor) {
    const bool hasGlyph = !Glyph.Empty() && NumGlyphs > 0;
    const int gw = hasGlyph ? Glyph.Width() / NumGlyphs : 0;
    const int gh = hasGlyph ? Glyph.Height() : 0;
    const auto [textRect, glyphAt] =
        DrawCaptionBesideGlyph(Canvas, R, Margin, Spacing, Layout, Caption, gw, gh, Down, DT_CENTER);
    const int gx = glyphAt.X, gy = glyphAt.Y;

    auto line = [&](int x1, int x2, int y) {
        Canvas.MoveTo(x1, y);
        Canvas.LineTo(x2, y);
    };
    if (hasGlyph) {
        DrawGlyph(Canvas, gx, gy, Glyph, NumGlyphs, GlyphNum);
        if (DrawMarker) {
            Canvas.Pen().SetColor(MarkerColor);
            for (int d = -2; d <= 0; ++d)
                line(gx, gx + Glyph.Width(), gy + Glyph.Height() + d);
        }
    } else if (DrawMarker) {
        Canvas.Pen().SetColor(MarkerColor);
        if (!Caption.empty()) {
            for (int d = -1; d <= 1; ++d)
                line(textRect.Left, textRect.Right, textRect.Bottom + d);
        } else {
            Canvas.Brush().SetColor(MarkerColor);
            Canvas.Brush().SetStyle(bsSolid);
            Canvas.FillRect(Down ? TRect{R.Left + 4, R.Top + 5, R.Right - 2, R.Bottom - 3}
                                 : TRect{R.Left + 4, R.Top + 4, R.Right - 2, R.Bottom - 4});
        }
    }
}
