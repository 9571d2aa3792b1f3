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

void Blit(TDeviceContext& dst, TRect dstRect, const TBitmap& src, TRect srcRect, const TBlitParams& p)
{
    TBitmap* target = dst.Surface();
    if (!target || target->Empty() || src.Empty())
        return;
    int dw = dstRect.Width(), dh = dstRect.Height(), sw = srcRect.Width(), sh = srcRect.Height();
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0)
        return;
    const bool flipX = (dw < 0) != (sw < 0);
    const bool flipY = (dh < 0) != (sh < 0);
    auto normalise = [](TRect r) {
        if (r.Right < r.Left) std::swap(r.Left, r.Right);
        if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
        return r;
    };
    TRect d = normalise(dstRect), s = normalise(srcRect);
    const TPoint o = dst.SurfaceOffset();
    d.Offset(o.X, o.Y);
    const TRegion& clip = dst.Clip();
    if (!clip.Intersects(d))
        return;
    // Only the visible part of the target is mapped.
    const TRect visible = IntersectRect(d, clip.Bounds());

    // Reading and writing the same surface: read from a copy.
    TBitmap copy;
    const TBitmap* source = &src;
    if (&src == target) {
        copy = src;
        source = &copy;
    }
    const TPixelFormat df = target->PixelFormat(), sf = source->PixelFormat();
    // Unscaled, unmirrored columns: each row is one contiguous source span.
    const bool unscaled = d.Width() == s.Width() && !flipX;
    const bool colour = df != pf1bit && sf != pf1bit;
    const bool plainCopy = p.Mode == TBlitMode::Copy && df == sf && colour && unscaled;
    const bool convertCopy = p.Mode == TBlitMode::Copy && df != sf && colour;
    const bool stretchCopy = p.Mode == TBlitMode::Copy && df == sf && colour && !unscaled;
    // Unscaled copies find their span without a column map.
    const bool spanCopy = unscaled && (plainCopy || convertCopy);
    const std::vector<int> cols =
        spanCopy ? std::vector<int>{}
                 : MapAxis(d.Width(), s.Width(), s.Left, flipX, source->Width(), visible.Left - d.Left,
                           visible.Right - d.Left);
    const std::vector<int> rows =
        MapAxis(d.Height(), s.Height(), s.Top, flipY, source->Height(), visible.Top - d.Top, visible.Bottom - d.Top);
    const int bytesPerPixel = df == pf32bit ? 4 : 3;
    const int srcBytes = sf == pf32bit ? 4 : 3;
    // What a plain copy writes to a target pixel depends on the source pixel
    // alone, so equal source rows give equal target rows.
    const bool copyRepeats = p.Mode == TBlitMode::Copy && df != pf1bit;

    for (const TRect& cr : clip.Rects()) {
        if (cr.Top >= d.Bottom)
            break;
        TRect part = IntersectRect(cr, d);
        if (part.IsEmpty())
            continue;
        // Columns of the part that lie inside the source (the map only rises
        // or only falls, so those outside are at the ends).
        int first = 0, last = part.Width();
        const int* colMap = nullptr;
        int spanStart = 0;  // source column of the part's first column, unscaled
        if (spanCopy) {
            spanStart = s.Left + (part.Left - d.Left);
            first = std::clamp(-spanStart, 0, last);
            last = std::clamp(source->Width() - spanStart, first, last);
        } else {
            colMap = cols.data() + (part.Left - visible.Left);
            while (first < last && colMap[first] < 0) ++first;
            while (last > first && colMap[last - 1] < 0) --last;
        }
        std::vector<TColumnRun> runs;
        if ((stretchCopy || convertCopy) && !unscaled)
            runs = ColumnRuns(part.Left, part.Right, colMap);
        int lastSy = -1;
        for (int y = part.Top; y < part.Bottom; ++y) {
            int sy = rows[size_t(y - visible.Top)];
            if (sy < 0) {
                lastSy = -1;
                continue;
            }
            uint8_t* dstRow = target->ScanLine(y);
            const uint8_t* srcRow = source->ScanLine(sy);
            // A copy stretched upwards repeats source rows: the row just
            // drawn from the same source row is the answer.
            if (sy == lastSy && copyRepeats) {
                if (last > first)
                    std::memcpy(dstRow + (part.Left + first) * bytesPerPixel,
                                target->ScanLine(y - 1) + (part.Left + first) * bytesPerPixel,
                                size_t(last - first) * size_t(bytesPerPixel));
                continue;
            }
            lastSy = sy;
            uint8_t* dstSpan = dstRow + (part.Left + first) * bytesPerPixel;
            const uint8_t* srcSpan = srcRow + (spanStart + first) * srcBytes;
            if (plainCopy) {
                if (last > first)
                    std::memmove(dstSpan, srcSpan, size_t(last - first) * size_t(bytesPerPixel));
            } else if (convertCopy && unscaled) {
                if (df == pf32bit)
                    WidenRun(dstSpan, srcSpan, last - first);
                else
                    NarrowRun(dstSpan, srcSpan, last - first);
            } else if (convertCopy) {
                StretchConvertRow(dstRow, df, runs, srcRow);
            } else if (stretchCopy && df == pf32bit) {
                StretchRow<4>(dstRow, runs, srcRow);
            } else if (stretchCopy) {
                StretchRow<3>(dstRow, runs, srcRow);
            } else if (p.Mode == TBlitMode::Blend && sf == pf32bit && df == pf32bit) {
                BlendRow32(dstRow, part.Left, part.Right, colMap, srcRow, p);
            } else {
                BlitRow(dstRow, df, part.Left, part.Right, colMap, srcRow, sf, p);
            }
        }
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
