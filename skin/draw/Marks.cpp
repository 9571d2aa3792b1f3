#include "skin/draw/Marks.h"

#include "platform/gfx/Canvas.h"
#include "skin/draw/RectUtils.h"

namespace {

void Line(TCanvas& c, int x1, int y1, int x2, int y2) {
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

TPoint Centre(const TRect& R) {
    return TPoint{R.Left + RectWidth(R) / 2, R.Top + RectHeight(R) / 2};
}

// Outlines with a clear brush, as the caption glyphs are drawn.
void Outline(TCanvas& c, int l, int t, int r, int b) {
    c.Brush().SetStyle(bsClear);
    c.Rectangle(l, t, r, b);
}

}  // namespace

void DrawDownArrowMark(TCanvas& Canvas, const TRect& R, TColor Color) {
    Canvas.Pen().SetColor(Color);
    const TPoint c = Centre(R);
    for (int n = 2; n >= 0; --n)
        Line(Canvas, c.X - n, c.Y - n + 2, c.X + n + 1, c.Y - n + 2);
}

void DrawArrow(TCanvas& Canvas, const TRect& R, TColor Color, int Direction) {
    Canvas.Pen().SetColor(Color);
    const int cx = Centre(R).X, cy = Centre(R).Y;
    switch (Direction) {
    case 1:
        for (int i = 0; i <= 3; ++i)
            Line(Canvas, cx + i - 2, cy - i, cx + i - 2, cy + i + 1);
        break;
    case 2:
        for (int n = 3; n >= 0; --n)
            Line(Canvas, cx - n + 2, cy + n, cx - n + 2, cy - n - 1);
        break;
    case 3:
        for (int i = 0; i <= 3; ++i)
            Line(Canvas, cx - i, cy + i - 2, cx + i + 1, cy + i - 2);
        break;
    case 4:
        for (int n = 3; n >= 0; --n)
            Line(Canvas, cx - n, cy - n + 2, cx + n + 1, cy - n + 2);
        break;
    default:
        break;
    }
}

void DrawRadioMark(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Canvas.Brush().SetColor(Color);
    Canvas.Rectangle(X, Y, X + 6, Y + 6);
}

void DrawCheckMark(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    for (int i = 0; i <= 2; ++i)
        Canvas.Polyline({{X, Y - i + 5}, {X + 2, Y - i + 7}, {X + 7, Y - i + 2}});
}

void DrawDottedFocusRect(TCanvas& Canvas, const TRect& R) {
    const TColor color = Canvas.Font().Color();
    Canvas.Pen().SetColor(color);
    const int l = R.Left, t = R.Top, r = R.Right - 1, b = R.Bottom - 1;
    const int w = r - l, h = b - t;
    if (w < 0 || h < 0)
        return;
    // One walk around the frame: the decision alternates along the way and
    // each corner keeps the one it got when first reached.
    bool set = !(w % 2 == 0 && h % 2 == 0);
    auto visit = [&](int x, int y) {
        if (set)
            Canvas.SetPixels(x, y, color);
        set = !set;
    };
    if (w == 0 || h == 0) {  // a line or a dot
        for (int y = t; y <= b; ++y)
            for (int x = l; x <= r; ++x)
                visit(x, y);
        return;
    }
    for (int x = l; x < r; ++x)
        visit(x, t);
    for (int y = t; y < b; ++y)
        visit(r, y);
    for (int x = r; x > l; --x)
        visit(x, b);
    for (int y = b; y > t; --y)
        visit(l, y);
}

void DrawCloseGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Line(Canvas, X + 1, Y + 1, X + 9, Y + 9);
    Line(Canvas, X + 9, Y + 1, X + 1, Y + 9);
    Line(Canvas, X + 2, Y + 1, X + 10, Y + 9);
    Line(Canvas, X + 8, Y + 1, X, Y + 9);
}

void DrawSysMenuGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Outline(Canvas, X + 1, Y + 3, X + 9, Y + 6);
}

void DrawMinimizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Line(Canvas, X + 1, Y + 8, X + 9, Y + 8);
    Line(Canvas, X + 1, Y + 9, X + 9, Y + 9);
}

void DrawMaximizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Outline(Canvas, X, Y, X + 11, Y + 10);
    Outline(Canvas, X, Y, X + 11, Y + 2);
}

void DrawRestoreGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Outline(Canvas, X + 2, Y, X + 10, Y + 6);
    Outline(Canvas, X + 2, Y, X + 10, Y + 2);
    Outline(Canvas, X, Y + 4, X + 7, Y + 10);
    Outline(Canvas, X, Y + 4, X + 7, Y + 6);
}

void DrawRollDownGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Line(Canvas, X + 5, Y + 6, X + 5, Y + 6);
    Line(Canvas, X + 4, Y + 5, X + 6, Y + 5);
    Line(Canvas, X + 3, Y + 4, X + 7, Y + 4);
    Line(Canvas, X + 2, Y + 3, X + 8, Y + 3);
    Line(Canvas, X + 1, Y + 2, X + 9, Y + 2);
}

void DrawRollUpGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Line(Canvas, X + 1, Y + 6, X + 9, Y + 6);
    Line(Canvas, X + 2, Y + 5, X + 8, Y + 5);
    Line(Canvas, X + 3, Y + 4, X + 7, Y + 4);
    Line(Canvas, X + 4, Y + 3, X + 6, Y + 3);
    Line(Canvas, X + 5, Y + 2, X + 5, Y + 2);
}

void DrawMinimizeToTrayGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().SetColor(Color);
    Canvas.Brush().SetColor(Color);
    Canvas.Rectangle(X + 2, Y + 2, X + 7, Y + 7);
}
