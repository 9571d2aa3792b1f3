#include "platform/gfx/Draw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Painter.h"

using namespace gfx_detail;

namespace {

// On and off run lengths of the styled pens, in pixels.
const std::vector<int>& DashPattern(TPenStyle style)
{
    static const std::vector<int> solid, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    default: return solid;
    }
}

// Paints the pixels of a pen: a square of the pen width centred on the point
// for wide pens, the dash pattern for thin styled pens.
class TPenPlotter {
public:
    explicit TPenPlotter(TDeviceContext& dc)
        : FPainter(dc), FPen(dc.Pen()), FPixel(PenPixel(dc.Pen().Color)), FBk(PenPixel(dc.BkColor())),
          FOpaqueGaps(dc.BkMode() == bkOpaque), FPattern(DashPattern(dc.Pen().Style)), FVisible(dc.ClipBox())
    {
    }

    bool Visible() const { return FPainter.Valid() && FPen.Style != psClear; }

    void Plot(int x, int y)
    {
        bool on = true;
        if (!FPattern.empty() && FPen.Width <= 1) {
            on = (FSegment % 2) == 0;
            if (++FStep >= FPattern[size_t(FSegment)]) {
                FStep = 0;
                FSegment = (FSegment + 1) % int(FPattern.size());
            }
        }
        if (!on) {
            if (FOpaqueGaps)
                FPainter.RopPixel(x, y, pmCopy, FBk);
            return;
        }
        if (FPen.Width <= 1) {
            FPainter.RopPixel(x, y, FPen.Mode, FPixel);
            return;
        }
        int half = (FPen.Width - 1) / 2;
        for (int dy = 0; dy < FPen.Width; ++dy)
            FPainter.RopSpan(y - half + dy, x - half, x - half + FPen.Width, FPen.Mode, FPixel);
    }

    // Bresenham from (x0, y0) towards (x1, y1), the end point left out.
    void Line(int x0, int y0, int x1, int y1)
    {
        // A line wholly outside the clip costs nothing, however long.
        const int reach = FPen.Width;
        TRect box{std::min(x0, x1) - reach, std::min(y0, y1) - reach, std::max(x0, x1) + reach + 1, std::max(y0, y1) + reach + 1};
        if (IntersectRect(box, FVisible).IsEmpty())
            return;
        if (std::max(std::llabs(int64_t(x1) - x0), std::llabs(int64_t(y1) - y0)) > 4096 && !ClipLong(x0, y0, x1, y1, reach + 2))
            return;
        int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        while (x0 != x1 || y0 != y1) {
            Plot(x0, y0);
            int e2 = 2 * err;
            if (e2 >= dy) { err += dy; x0 += sx; }
            if (e2 <= dx) { err += dx; y0 += sy; }
        }
    }

    // Cuts a long line to the visible area widened by margin (Liang-Barsky),
    // so that its cost follows what can be seen; false when nothing is left.
    bool ClipLong(int& x0, int& y0, int& x1, int& y1, int margin) const
    {
        const double dx = double(x1) - x0, dy = double(y1) - y0;
        double t0 = 0, t1 = 1;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {double(x0) - (FVisible.Left - margin), double(FVisible.Right + margin) - x0,
                             double(y0) - (FVisible.Top - margin), double(FVisible.Bottom + margin) - y0};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0)
                    return false;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
        }
        if (t0 > t1)
            return false;
        const int nx0 = int(std::lround(x0 + t0 * dx)), ny0 = int(std::lround(y0 + t0 * dy));
        const int nx1 = int(std::lround(x0 + t1 * dx)), ny1 = int(std::lround(y0 + t1 * dy));
        x0 = nx0;
        y0 = ny0;
        x1 = nx1;
        y1 = ny1;
        return true;
    }

    TPainter& Painter() { return FPainter; }
    uint32_t Pixel() const { return FPixel; }
    const TPenData& Pen() const { return FPen; }

private:
    TPainter FPainter;
    TPenData FPen;
    uint32_t FPixel, FBk;
    bool FOpaqueGaps;
    const std::vector<int>& FPattern;
    TRect FVisible;  // logical
    int FSegment = 0, FStep = 0;
};

uint32_t BrushPixel(const TDeviceContext& dc) { return PenPixel(dc.Brush().Color); }
bool HasBrush(const TDeviceContext& dc) { return dc.Brush().Style != bsClear; }

// Rows of the ellipse inscribed in r: the span [left, right) of each row.
struct TEllipseRows {
    int Top = 0;
    std::vector<std::pair<int, int>> Spans;
};

TEllipseRows EllipseRows(const TRect& r)
{
    TEllipseRows rows;
    rows.Top = r.Top;
    const double cx = (r.Left + r.Right - 1) / 2.0, cy = (r.Top + r.Bottom - 1) / 2.0;
    const double a = (r.Right - r.Left) / 2.0, b = (r.Bottom - r.Top) / 2.0;
    for (int y = r.Top; y < r.Bottom; ++y) {
        double dy = (y - cy) / b;
        double hw = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        int left = int(std::ceil(cx - hw - 1e-9)), right = int(std::floor(cx + hw + 1e-9)) + 1;
        left = std::max(left, r.Left);
        right = std::min(right, r.Right);
        if (right <= left) {
            int mid = int(std::floor(cx));
            left = mid;
            right = mid + 1;
        }
        rows.Spans.push_back({left, right});
    }
    return rows;
}

}  // namespace

void FillRect(TDeviceContext& dc, const TRect& r, TColor color)
{
    TPainter(dc).FillRect(r, PenPixel(color));
}

void FillRect(TDeviceContext& dc, const TRect& r, const TBrushData& brush)
{
    if (brush.Style != bsClear)
        FillRect(dc, r, brush.Color);
}

void FrameRect(TDeviceContext& dc, const TRect& r, TColor color)
{
    if (r.IsEmpty())
        return;
    TPainter p(dc);
    uint32_t px = PenPixel(color);
    p.FillRect({r.Left, r.Top, r.Right, r.Top + 1}, px);
    p.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, px);
    p.FillRect({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, px);
    p.FillRect({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}, px);
}

void InvertRect(TDeviceContext& dc, const TRect& r)
{
    TPainter p(dc);
    for (int y = r.Top; y < r.Bottom; ++y)
        p.RopSpan(y, r.Left, r.Right, pmNot, 0);
}

void DrawFocusRect(TDeviceContext& dc, const TRect& r)
{
    if (r.IsEmpty())
        return;
    TPainter p(dc);
    const TRect visible = dc.ClipBox();
    // Every other pixel of the frame, on a checkerboard fixed to the logical origin.
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            p.RopPixel(x, y, pmXor, 0xFFFFFF);
    };
    for (int x = std::max(r.Left, visible.Left); x < std::min(r.Right, visible.Right); ++x) {
        dot(x, r.Top);
        if (r.Bottom - 1 > r.Top)
            dot(x, r.Bottom - 1);
    }
    for (int y = std::max(r.Top + 1, visible.Top); y < std::min(r.Bottom - 1, visible.Bottom); ++y) {
        dot(r.Left, y);
        if (r.Right - 1 > r.Left)
            dot(r.Right - 1, y);
    }
}

TColor GetPixel(const TDeviceContext& dc, int x, int y)
{
    const TBitmap* s = dc.Surface();
    TPoint o = dc.SurfaceOffset();
    if (!s || !dc.Clip().Contains({x + o.X, y + o.Y}))
        return clNone;
    return s->GetPixel(x + o.X, y + o.Y);
}

void SetPixel(TDeviceContext& dc, int x, int y, TColor color)
{
    TPainter(dc).FillSpan(y, x, x + 1, PenPixel(color));
}

void MoveTo(TDeviceContext& dc, int x, int y)
{
    dc.SetCurrentPos({x, y});
}

void LineTo(TDeviceContext& dc, int x, int y)
{
    TPenPlotter plotter(dc);
    TPoint from = dc.CurrentPos();
    if (plotter.Visible())
        plotter.Line(from.X, from.Y, x, y);
    dc.SetCurrentPos({x, y});
}

void Polyline(TDeviceContext& dc, const std::vector<TPoint>& points)
{
    TPenPlotter plotter(dc);
    if (!plotter.Visible())
        return;
    for (size_t i = 1; i < points.size(); ++i)
        plotter.Line(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y);
}

void Polygon(TDeviceContext& dc, const std::vector<TPoint>& points)
{
    if (points.size() < 2)
        return;
    if (HasBrush(dc) && points.size() >= 3) {
        TPainter p(dc);
        int top = points[0].Y, bottom = points[0].Y;
        for (const TPoint& pt : points) {
            top = std::min(top, pt.Y);
            bottom = std::max(bottom, pt.Y);
        }
        std::vector<double> xs;
        const uint32_t px = BrushPixel(dc);
        const TRect visible = dc.ClipBox();
        top = std::max(top, visible.Top);
        bottom = std::min(bottom, visible.Bottom);
        for (int y = top; y < bottom; ++y) {
            // Crossings at the pixel centre line, even-odd.
            double cy = y + 0.5;
            xs.clear();
            for (size_t i = 0; i < points.size(); ++i) {
                TPoint a = points[i], b = points[(i + 1) % points.size()];
                if ((a.Y <= cy) == (b.Y <= cy))
                    continue;
                xs.push_back(a.X + (cy - a.Y) * (b.X - a.X) / double(b.Y - a.Y));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t i = 0; i + 1 < xs.size(); i += 2)
                p.FillSpan(y, int(std::ceil(xs[i] - 0.5)), int(std::ceil(xs[i + 1] - 0.5)), px);
        }
    }
    std::vector<TPoint> closed = points;
    closed.push_back(points.front());
    Polyline(dc, closed);
}

void Rectangle(TDeviceContext& dc, const TRect& r)
{
    if (r.IsEmpty())
        return;
    TPenPlotter plotter(dc);
    const bool brush = HasBrush(dc);
    if (!plotter.Visible()) {
        if (brush)
            TPainter(dc).FillRect({r.Left, r.Top, r.Right - 1, r.Bottom - 1}, BrushPixel(dc));
        return;
    }
    const int w = std::max(1, plotter.Pen().Width);
    if (brush)
        TPainter(dc).FillRect({r.Left + w, r.Top + w, r.Right - w, r.Bottom - w}, BrushPixel(dc));
    if (w == 1 && plotter.Pen().Style == psSolid) {
        TPainter& p = plotter.Painter();
        const TPenMode mode = plotter.Pen().Mode;
        p.RopSpan(r.Top, r.Left, r.Right, mode, plotter.Pixel());
        if (r.Bottom - 1 > r.Top)
            p.RopSpan(r.Bottom - 1, r.Left, r.Right, mode, plotter.Pixel());
        for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
            p.RopPixel(r.Left, y, mode, plotter.Pixel());
            if (r.Right - 1 > r.Left)
                p.RopPixel(r.Right - 1, y, mode, plotter.Pixel());
        }
        return;
    }
    // Wide or styled pens: the outline as a closed path inside r.
    const int inset = (w - 1) / 2;
    TRect path{r.Left + inset, r.Top + inset, r.Right - 1 - (w - 1 - inset), r.Bottom - 1 - (w - 1 - inset)};
    plotter.Line(path.Left, path.Top, path.Right, path.Top);
    plotter.Line(path.Right, path.Top, path.Right, path.Bottom);
    plotter.Line(path.Right, path.Bottom, path.Left, path.Bottom);
    plotter.Line(path.Left, path.Bottom, path.Left, path.Top);
}

void Ellipse(TDeviceContext& dc, const TRect& r)
{
    if (r.IsEmpty() || !dc.RectVisible(r) || int64_t(r.Height()) > 65536)
        return;
    TPenPlotter plotter(dc);
    const bool pen = plotter.Visible();
    const bool brush = HasBrush(dc);
    TPainter p(dc);
    TEllipseRows rows = EllipseRows(pen ? r : TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1});
    const int n = int(rows.Spans.size());
    const uint32_t fill = BrushPixel(dc);
    for (int i = 0; i < n; ++i) {
        const int y = rows.Top + i;
        auto [left, right] = rows.Spans[size_t(i)];
        if (!pen) {
            if (brush)
                p.FillSpan(y, left, right, fill);
            continue;
        }
        // Inner pixels have all four neighbours inside the ellipse.
        int innerLeft = left + 1, innerRight = right - 1;
        if (i == 0 || i == n - 1) {
            innerLeft = right;
            innerRight = right;
        } else {
            innerLeft = std::max({innerLeft, rows.Spans[size_t(i - 1)].first, rows.Spans[size_t(i + 1)].first});
            innerRight = std::min({innerRight, rows.Spans[size_t(i - 1)].second, rows.Spans[size_t(i + 1)].second});
        }
        if (innerRight <= innerLeft) {
            innerLeft = innerRight = right;
        }
        if (brush && innerLeft < innerRight)
            p.FillSpan(y, innerLeft, innerRight, fill);
        for (int x = left; x < innerLeft; ++x)
            plotter.Plot(x, y);
        for (int x = innerRight; x < right; ++x)
            plotter.Plot(x, y);
    }
}
