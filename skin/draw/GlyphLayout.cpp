#include "skin/draw/GlyphLayout.h"

#include "skin/draw/RectUtils.h"

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
