#include "resources/skingen/Parts.h"

void DrawChevron(TArt& Art, double cx, double cy, int Direction, double Size, TRgb Color)
{
    const double h = Size / 2, q = Size / 4;
    std::vector<TPointF> pts;
    switch (Direction) {
    case 0: pts = {{cx - h, cy + q}, {cx, cy - q}, {cx + h, cy + q}}; break;
    case 1: pts = {{cx - q, cy - h}, {cx + q, cy}, {cx - q, cy + h}}; break;
    case 2: pts = {{cx - h, cy - q}, {cx, cy + q}, {cx + h, cy - q}}; break;
    default: pts = {{cx + q, cy - h}, {cx - q, cy}, {cx + q, cy + h}}; break;
    }
    Art.Stroke(pts, 1.5, Color);
}

void DrawTriangle(TArt& Art, double cx, double cy, int Direction, double Size, TRgb Color)
{
    const double h = Size / 2, q = Size / 4;
    switch (Direction) {
    case 0: Art.FillPolygon({{cx - h, cy + q}, {cx + h, cy + q}, {cx, cy - q}}, Color); break;
    case 1: Art.FillPolygon({{cx - q, cy - h}, {cx - q, cy + h}, {cx + q, cy}}, Color); break;
    case 2: Art.FillPolygon({{cx - h, cy - q}, {cx + h, cy - q}, {cx, cy + q}}, Color); break;
    default: Art.FillPolygon({{cx + q, cy - h}, {cx + q, cy + h}, {cx - q, cy}}, Color); break;
    }
}

void DrawCheckMark(TArt& Art, double cx, double cy, double Size, TRgb Color, double Width)
{
    const double s = Size / 2;
    Art.Stroke({{cx - s, cy}, {cx - s * 0.3, cy + s * 0.65}, {cx + s, cy - s * 0.65}}, Width, Color);
}

TRect Inset(const TRect& Cell, int dx, int dy)
{
    return Rect(Cell.Left + dx, Cell.Top + dy, Cell.Right - dx, Cell.Bottom - dy);
}

TRect Relative(const TRect& R, const TRect& Cell)
{
    return Rect(R.Left - Cell.Left, R.Top - Cell.Top, R.Right - Cell.Left, R.Bottom - Cell.Top);
}
