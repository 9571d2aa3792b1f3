#include "platform/gfx/Blit.h"

#include <algorithm>
#include <cstring>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/PixelOps.h"

using namespace gfx_detail;

namespace {

enum class TBlitMode { Copy, Key, Blend };

struct TBlitParams {
    TBlitMode Mode = TBlitMode::Copy;
    uint32_t Key = 0;             // 0x00RRGGBB
    uint32_t ConstantAlpha = 255;
    bool SourceAlpha = false;
    bool Straight = false;
    uint32_t SourceBk = 0xFFFFFF;  // colour that becomes 1 in a monochrome target
    uint32_t TargetText = 0;       // what a 0 bit of a monochrome source paints
    uint32_t TargetBk = 0xFFFFFF;  // what a 1 bit paints
};

// Maps target indices i in [first, last) of count to source indices inside
// [0, limit), -1 outside.
std::vector<int> MapAxis(int count, int from, int start, bool flip, int limit, int first, int last)
{
    std::vector<int> map(static_cast<size_t>(last - first));
    for (int i = first; i < last; ++i) {
        int s = int(((2 * int64_t(i) + 1) * from) / (2 * int64_t(count)));
        if (flip)
            s = from - 1 - s;
        s += start;
        map[size_t(i - first)] = (s >= 0 && s < limit) ? s : -1;
    }
    return map;
}

uint32_t Blend(uint32_t s, uint32_t d, const TBlitParams& p)
{
    uint32_t sa = s >> 24;
    uint32_t sc[3] = {s & 0xFF, (s >> 8) & 0xFF, (s >> 16) & 0xFF};
    uint32_t dc[4] = {d & 0xFF, (d >> 8) & 0xFF, (d >> 16) & 0xFF, d >> 24};
    uint32_t k = p.ConstantAlpha;
    uint32_t inverse;  // weight of the target, 0..255
    if (p.SourceAlpha) {
        if (p.Straight)
            for (auto& c : sc)
                c = Div255(c * sa);
        for (auto& c : sc)
            c = Div255(c * k);
        sa = Div255(sa * k);
        inverse = 255 - sa;
    } else {
        for (auto& c : sc)
            c = Div255(c * k);
        sa = Div255(sa * k);
        inverse = 255 - k;
    }
    uint32_t out[4];
    for (int i = 0; i < 3; ++i) {
        uint32_t v = sc[i] + Div255(dc[i] * inverse);
        out[i] = v > 255 ? 255 : v;
    }
    uint32_t a = sa + Div255(dc[3] * inverse);
    out[3] = a > 255 ? 255 : a;
    return out[0] | (out[1] << 8) | (out[2] << 16) | (out[3] << 24);
}

// Each byte of p times a / 255, rounded, two bytes per multiplication.
inline uint32_t MulDiv255x4(uint32_t p, uint32_t a)
{
    uint32_t rb = (p & 0x00FF00FF) * a + 0x00800080;
    rb = ((rb + ((rb >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
    uint32_t ag = ((p >> 8) & 0x00FF00FF) * a + 0x00800080;
    ag = (ag + ((ag >> 8) & 0x00FF00FF)) & 0xFF00FF00;
    return rb | ag;
}

// The common blend of 32-bit surfaces, written out for speed; other cases
// go through Blend.
void BlendRow32(uint8_t* dstRow, int x0, int x1, const int* cols, const uint8_t* srcRow, const TBlitParams& p)
{
    const uint32_t k = p.ConstantAlpha;
    for (int x = x0; x < x1; ++x) {
        const int sx = cols[x - x0];
        if (sx < 0)
            continue;
        const uint8_t* s = srcRow + sx * 4;
        uint8_t* d = dstRow + x * 4;
        if (p.Straight) {
            uint32_t sp, dp;
            std::memcpy(&sp, s, 4);
            std::memcpy(&dp, d, 4);
            dp = Blend(sp, dp, p);
            std::memcpy(d, &dp, 4);
            continue;
        }
        uint32_t sa = s[3];
        if (p.SourceAlpha) {
            if (sa == 0)
                continue;
            if (sa == 255 && k == 255) {
                std::memcpy(d, s, 4);
                continue;
            }
            if (k == 255 && s[0] <= sa && s[1] <= sa && s[2] <= sa) {
                // Valid premultiplied pixels cannot overflow: all four channels at once.
                uint32_t sp, dp;
                std::memcpy(&sp, s, 4);
                std::memcpy(&dp, d, 4);
                dp = sp + MulDiv255x4(dp, 255 - sa);
                std::memcpy(d, &dp, 4);
                continue;
            }
        }
        if (!p.SourceAlpha) {
            // Constant alpha alone never overflows a channel: all four at once.
            uint32_t sp, dp;
            std::memcpy(&sp, s, 4);
            std::memcpy(&dp, d, 4);
            dp = MulDiv255x4(sp, k) + MulDiv255x4(dp, 255 - k);
            std::memcpy(d, &dp, 4);
            continue;
        }
        uint32_t sc[3] = {s[0], s[1], s[2]};
        if (k != 255) {
            for (auto& c : sc)
                c = Div255(c * k);
            sa = Div255(sa * k);
        }
        const uint32_t inverse = p.SourceAlpha ? 255 - sa : 255 - k;
        for (int c = 0; c < 3; ++c) {
            const uint32_t v = sc[c] + Div255(d[c] * inverse);
            d[c] = uint8_t(v > 255 ? 255 : v);
        }
        const uint32_t a = sa + Div255(d[3] * inverse);
        d[3] = uint8_t(a > 255 ? 255 : a);
    }
}

// Writes the pixel of Bytes bytes at d count times: short runs pixel by
// pixel, long ones by doubling what is already written.
template <int Bytes>
inline void FillRun(uint8_t* d, const uint8_t* pixel, int count)
{
    if (count < 16) {
        for (int i = 0; i < count; ++i)
            std::memcpy(d + i * Bytes, pixel, Bytes);
        return;
    }
    std::memcpy(d, pixel, Bytes);
    size_t done = Bytes;
    const size_t total = size_t(count) * Bytes;
    while (done < total) {
        const size_t n = std::min(done, total - done);
        std::memcpy(d + done, d, n);
        done += n;
    }
}

// A stretched row's columns as runs: target columns [Dst, Dst + Count) all
// take source column Src. Nearest-neighbour enlarging repeats each source
// pixel, so a run is filled at once instead of looked up pixel by pixel.
struct TColumnRun {
    int Dst;
    int Src;
    int Count;
};

std::vector<TColumnRun> ColumnRuns(int x0, int x1, const int* cols)
{
    std::vector<TColumnRun> runs;
    for (int x = x0; x < x1;) {
        const int sx = cols[x - x0];
        int end = x + 1;
        while (end < x1 && cols[end - x0] == sx)
            ++end;
        if (sx >= 0)
            runs.push_back({x, sx, end - x});
        x = end;
    }
    return runs;
}

// Copies a stretched row of one format run by run.
template <int Bytes>
void StretchRow(uint8_t* dstRow, const std::vector<TColumnRun>& runs, const uint8_t* srcRow)
{
    for (const TColumnRun& r : runs) {
        uint8_t* d = dstRow + r.Dst * Bytes;
        const uint8_t* s = srcRow + r.Src * Bytes;
        if (r.Count == 1)
            std::memcpy(d, s, Bytes);
        else
            FillRun<Bytes>(d, s, r.Count);
    }
}

// Copies a stretched row between 24-bit and 32-bit run by run; 24-bit
// sources give alpha 0.
void StretchConvertRow(uint8_t* dstRow, TPixelFormat df, const std::vector<TColumnRun>& runs, const uint8_t* srcRow)
{
    if (df == pf32bit) {
        for (const TColumnRun& r : runs) {
            const uint32_t v = Widen24(srcRow + r.Src * 3);
            uint8_t pixel[4];
            std::memcpy(pixel, &v, 4);
            FillRun<4>(dstRow + r.Dst * 4, pixel, r.Count);
        }
    } else {
        for (const TColumnRun& r : runs)
            FillRun<3>(dstRow + r.Dst * 3, srcRow + r.Src * 4, r.Count);
    }
}

void BlitRow(uint8_t* dstRow, TPixelFormat df, int x0, int x1, const int* cols, const uint8_t* srcRow, TPixelFormat sf,
             const TBlitParams& p)
{
    for (int x = x0; x < x1; ++x) {
        int sx = cols[x - x0];
        if (sx < 0)
            continue;
        if (sf == pf1bit && df == pf1bit && p.Mode == TBlitMode::Copy) {
            SetMonoBit(dstRow, x, MonoBit(srcRow, sx));
            continue;
        }
        uint32_t s;
        if (sf == pf1bit)
            s = MonoBit(srcRow, sx) ? p.TargetBk : p.TargetText;
        else
            s = ReadPixel(sf, srcRow, sx);
        if (p.Mode == TBlitMode::Key && (s & 0xFFFFFF) == p.Key)
            continue;
        if (p.Mode == TBlitMode::Blend) {
            s = Blend(s, ReadPixel(df, dstRow, x), p);
            WritePixel(df, dstRow, x, s);
        } else if (df == pf1bit) {
            SetMonoBit(dstRow, x, (s & 0xFFFFFF) == p.SourceBk);
        } else {
            WritePixel(df, dstRow, x, s);
        }
    }
}

// What one blit reads and writes, worked out once before its rows are drawn.
struct TBlitPlan {
    TBitmap* Target = nullptr;
    const TBitmap* Source = nullptr;
    TBitmap Copy;  // the source, when it is the target itself
    TRect D, S, Visible;
    TPixelFormat Df = pf32bit, Sf = pf32bit;
    bool Unscaled = false, PlainCopy = false, ConvertCopy = false, StretchCopy = false, SpanCopy = false;
    bool CopyRepeats = false;
    std::vector<int> Cols, Rows;
    int BytesPerPixel = 4, SrcBytes = 4;
};

// The columns of one clip part that lie inside the source.
struct TPartSpan {
    int First = 0, Last = 0;
    const int* ColMap = nullptr;
    int SpanStart = 0;  // source column of the part's first column, unscaled
};

TRect Normalised(TRect r)
{
    if (r.Right < r.Left) std::swap(r.Left, r.Right);
    if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
    return r;
}

// False when nothing of the blit is visible.
bool PlanBlit(TBlitPlan& b, TDeviceContext& dst, const TRect& dstRect, const TBitmap& src, const TRect& srcRect,
              const TBlitParams& p)
{
    b.Target = dst.Surface();
    if (!b.Target || b.Target->Empty() || src.Empty())
        return false;
    const int dw = dstRect.Width(), dh = dstRect.Height(), sw = srcRect.Width(), sh = srcRect.Height();
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0)
        return false;
    const bool flipX = (dw < 0) != (sw < 0);
    const bool flipY = (dh < 0) != (sh < 0);
    b.D = Normalised(dstRect);
    b.S = Normalised(srcRect);
    const TPoint o = dst.SurfaceOffset();
    b.D.Offset(o.X, o.Y);
    const TRegion& clip = dst.Clip();
    if (!clip.Intersects(b.D))
        return false;
    // Only the visible part of the target is mapped.
    b.Visible = IntersectRect(b.D, clip.Bounds());

    // Reading and writing the same surface: read from a copy.
    b.Source = &src;
    if (&src == b.Target) {
        b.Copy = src;
        b.Source = &b.Copy;
    }
    b.Df = b.Target->PixelFormat();
    b.Sf = b.Source->PixelFormat();
    // Unscaled, unmirrored columns: each row is one contiguous source span.
    b.Unscaled = b.D.Width() == b.S.Width() && !flipX;
    const bool colour = b.Df != pf1bit && b.Sf != pf1bit;
    b.PlainCopy = p.Mode == TBlitMode::Copy && b.Df == b.Sf && colour && b.Unscaled;
    b.ConvertCopy = p.Mode == TBlitMode::Copy && b.Df != b.Sf && colour;
    b.StretchCopy = p.Mode == TBlitMode::Copy && b.Df == b.Sf && colour && !b.Unscaled;
    // Unscaled copies find their span without a column map.
    b.SpanCopy = b.Unscaled && (b.PlainCopy || b.ConvertCopy);
    if (!b.SpanCopy)
        b.Cols = MapAxis(b.D.Width(), b.S.Width(), b.S.Left, flipX, b.Source->Width(), b.Visible.Left - b.D.Left,
                         b.Visible.Right - b.D.Left);
    b.Rows = MapAxis(b.D.Height(), b.S.Height(), b.S.Top, flipY, b.Source->Height(), b.Visible.Top - b.D.Top,
                     b.Visible.Bottom - b.D.Top);
    b.BytesPerPixel = b.Df == pf32bit ? 4 : 3;
    b.SrcBytes = b.Sf == pf32bit ? 4 : 3;
    // What a plain copy writes to a target pixel depends on the source pixel
    // alone, so equal source rows give equal target rows.
    b.CopyRepeats = p.Mode == TBlitMode::Copy && b.Df != pf1bit;
    return true;
}

TPartSpan PartSpan(const TBlitPlan& b, const TRect& part)
{
    // The map only rises or only falls, so columns outside are at the ends.
    TPartSpan span;
    span.Last = part.Width();
    if (b.SpanCopy) {
        span.SpanStart = b.S.Left + (part.Left - b.D.Left);
        span.First = std::clamp(-span.SpanStart, 0, span.Last);
        span.Last = std::clamp(b.Source->Width() - span.SpanStart, span.First, span.Last);
    } else {
        span.ColMap = b.Cols.data() + (part.Left - b.Visible.Left);
        while (span.First < span.Last && span.ColMap[span.First] < 0) ++span.First;
        while (span.Last > span.First && span.ColMap[span.Last - 1] < 0) --span.Last;
    }
    return span;
}

void DrawSourceRow(const TBlitPlan& b, const TRect& part, const TPartSpan& span, const std::vector<TColumnRun>& runs,
                   uint8_t* dstRow, const uint8_t* srcRow, const TBlitParams& p)
{
    uint8_t* dstSpan = dstRow + (part.Left + span.First) * b.BytesPerPixel;
    const uint8_t* srcSpan = srcRow + (span.SpanStart + span.First) * b.SrcBytes;
    const int n = span.Last - span.First;
    if (b.PlainCopy) {
        if (n > 0)
            std::memmove(dstSpan, srcSpan, size_t(n) * size_t(b.BytesPerPixel));
    } else if (b.ConvertCopy && b.Unscaled) {
        if (b.Df == pf32bit)
            WidenRun(dstSpan, srcSpan, n);
        else
            NarrowRun(dstSpan, srcSpan, n);
    } else if (b.ConvertCopy) {
        StretchConvertRow(dstRow, b.Df, runs, srcRow);
    } else if (b.StretchCopy && b.Df == pf32bit) {
        StretchRow<4>(dstRow, runs, srcRow);
    } else if (b.StretchCopy) {
        StretchRow<3>(dstRow, runs, srcRow);
    } else if (p.Mode == TBlitMode::Blend && b.Sf == pf32bit && b.Df == pf32bit) {
        BlendRow32(dstRow, part.Left, part.Right, span.ColMap, srcRow, p);
    } else {
        BlitRow(dstRow, b.Df, part.Left, part.Right, span.ColMap, srcRow, b.Sf, p);
    }
}

void BlitPart(const TBlitPlan& b, const TRect& part, const TBlitParams& p)
{
    const TPartSpan span = PartSpan(b, part);
    std::vector<TColumnRun> runs;
    if ((b.StretchCopy || b.ConvertCopy) && !b.Unscaled)
        runs = ColumnRuns(part.Left, part.Right, span.ColMap);
    int lastSy = -1;
    for (int y = part.Top; y < part.Bottom; ++y) {
        const int sy = b.Rows[size_t(y - b.Visible.Top)];
        if (sy < 0) {
            lastSy = -1;
            continue;
        }
        uint8_t* dstRow = b.Target->ScanLine(y);
        // A copy stretched upwards repeats source rows: the row just drawn
        // from the same source row is the answer.
        if (sy == lastSy && b.CopyRepeats) {
            if (span.Last > span.First)
                std::memcpy(dstRow + (part.Left + span.First) * b.BytesPerPixel,
                            b.Target->ScanLine(y - 1) + (part.Left + span.First) * b.BytesPerPixel,
                            size_t(span.Last - span.First) * size_t(b.BytesPerPixel));
            continue;
        }
        lastSy = sy;
        DrawSourceRow(b, part, span, runs, dstRow, b.Source->ScanLine(sy), p);
    }
}

void Blit(TDeviceContext& dst, TRect dstRect, const TBitmap& src, TRect srcRect, const TBlitParams& p)
{
    TBlitPlan plan;
    if (!PlanBlit(plan, dst, dstRect, src, srcRect, p))
        return;
    for (const TRect& cr : dst.Clip().Rects()) {
        if (cr.Top >= plan.D.Bottom)
            break;
        const TRect part = IntersectRect(cr, plan.D);
        if (!part.IsEmpty())
            BlitPart(plan, part, p);
    }
}

TBlitParams ParamsFor(const TDeviceContext& dst)
{
    TBlitParams p;
    p.TargetText = ColorToPixel(ColorToRGB(dst.TextColor()));
    p.TargetBk = ColorToPixel(ColorToRGB(dst.BkColor()));
    return p;
}

TBlitParams ParamsFor(const TDeviceContext& dst, const TDeviceContext& src)
{
    TBlitParams p = ParamsFor(dst);
    p.SourceBk = ColorToPixel(ColorToRGB(src.BkColor()));
    return p;
}

TRect SourceRect(const TDeviceContext& src, const TRect& r)
{
    TPoint o = src.SurfaceOffset();
    return r.Offsetted(o.X, o.Y);
}

}  // namespace

void BitBlt(TDeviceContext& dst, int x, int y, int width, int height, const TDeviceContext& src, int sx, int sy)
{
    if (src.Surface())
        Blit(dst, Bounds(x, y, width, height), *src.Surface(), SourceRect(src, Bounds(sx, sy, width, height)), ParamsFor(dst, src));
}

void BitBlt(TDeviceContext& dst, int x, int y, int width, int height, const TBitmap& src, int sx, int sy)
{
    Blit(dst, Bounds(x, y, width, height), src, Bounds(sx, sy, width, height), ParamsFor(dst));
}

void StretchBlt(TDeviceContext& dst, const TRect& dstRect, const TDeviceContext& src, const TRect& srcRect)
{
    if (src.Surface())
        Blit(dst, dstRect, *src.Surface(), SourceRect(src, srcRect), ParamsFor(dst, src));
}

void StretchBlt(TDeviceContext& dst, const TRect& dstRect, const TBitmap& src, const TRect& srcRect)
{
    Blit(dst, dstRect, src, srcRect, ParamsFor(dst));
}

void AlphaBlend(TDeviceContext& dst, const TRect& dstRect, const TBitmap& src, const TRect& srcRect, TBlendFunction blend,
                bool straightAlpha)
{
    TBlitParams p = ParamsFor(dst);
    p.Mode = TBlitMode::Blend;
    p.ConstantAlpha = blend.ConstantAlpha;
    p.SourceAlpha = blend.SourceAlpha && src.PixelFormat() == pf32bit;
    p.Straight = straightAlpha;
    Blit(dst, dstRect, src, srcRect, p);
}

void AlphaBlend(TDeviceContext& dst, const TRect& dstRect, const TDeviceContext& src, const TRect& srcRect, TBlendFunction blend)
{
    if (src.Surface())
        AlphaBlend(dst, dstRect, *src.Surface(), SourceRect(src, srcRect), blend);
}

void TransparentBlt(TDeviceContext& dst, const TRect& dstRect, const TBitmap& src, const TRect& srcRect, TColor key)
{
    TBlitParams p = ParamsFor(dst);
    p.Mode = TBlitMode::Key;
    p.Key = ColorToPixel(ColorToRGB(key));
    Blit(dst, dstRect, src, srcRect, p);
}

void TransparentBlt(TDeviceContext& dst, const TRect& dstRect, const TDeviceContext& src, const TRect& srcRect, TColor key)
{
    if (src.Surface())
        TransparentBlt(dst, dstRect, *src.Surface(), SourceRect(src, srcRect), key);
}

std::vector<int> StretchColumns(int from, int to)
{
    if (from <= 0 || to <= 0)
        return {};
    return MapAxis(to, from, 0, false, from, 0, to);
}

void PremultiplyAlpha(TBitmap& bitmap)
{
    if (bitmap.PixelFormat() != pf32bit)
        return;
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            uint8_t* px = row + x * 4;
            uint32_t a = px[3];
            for (int c = 0; c < 3; ++c)
                px[c] = uint8_t(Div255(px[c] * a));
        }
    }
    bitmap.SetAlphaFormat(afPremultiplied);
}
