#include "skin/draw/PixelRoutines.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

TbsColor RGBToBsColor(std::uint32_t rgb) {
    return 0xFF000000u | ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

TbsColor ColorToBsColor(TColor Color) {
    return RGBToBsColor(ColorToRGB(Color));
}

void ClampRGB(int& R, int& G, int& B) {
    R = std::clamp(R, 0, 255);
    G = std::clamp(G, 0, 255);
    B = std::clamp(B, 0, 255);
}

TbsColor MakeBsColor(int R, int G, int B, std::uint8_t A) {
    ClampRGB(R, G, B);
    return bsRGBA(R, G, B, A);
}

int RoundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

TbsColor BlendPixel(TbsColor F, TbsColor B) {
    const TbsColor a = F >> 24;
    if (a == 255)
        return F;
    if (a == 0)
        return B;
    // Red and blue share one 32-bit product: each fits in 16 bits.
    const TbsColor rb = (((F & 0xFF00FF) * a + (B & 0xFF00FF) * (255 - a)) >> 8) & 0xFF00FF;
    const TbsColor g = (((F & 0xFF00) * a + (B & 0xFF00) * (255 - a)) >> 8) & 0xFF00;
    return 0xFF000000u | rb | g;
}

void BlendLine(const TbsColor* Src, TbsColor* Dst, int Count) {
    for (int i = 0; i < Count; ++i) {
        const TbsColor s = Src[i];
        const TbsColor a = s >> 24;
        if (a == 255)
            Dst[i] = s;
        else if (a != 0)
            Dst[i] = BlendPixel(s, Dst[i]);
    }
}

void CopyKeyedLine(const TbsColor* Src, TbsColor* Dst, int Count) {
    for (int i = 0; i < Count; ++i)
        if ((Src[i] & 0xFFFFFF) != bsKeyColor)
            Dst[i] = Src[i] | 0xFF000000u;
}

void MoveLine(const TbsColor* Src, TbsColor* Dst, int Count) {
    if (Count > 0 && Src != Dst)
        std::memmove(Dst, Src, static_cast<std::size_t>(Count) * sizeof(TbsColor));
}

void FillLine(TbsColor* P, int Count, TbsColor Color) {
    if (Count > 0)
        std::fill_n(P, Count, Color);
}

void SetLineAlpha(TbsColor* P, int Count, std::uint8_t Alpha) {
    const TbsColor a = static_cast<TbsColor>(Alpha) << 24;
    for (int i = 0; i < Count; ++i)
        P[i] = (P[i] & 0xFFFFFF) | a;
}

void ClearColorAlpha(TbsColor* P, int Count, TbsColor Color) {
    const TbsColor key = Color & 0xFFFFFF;
    for (int i = 0; i < Count; ++i)
        if ((P[i] & 0xFFFFFF) == key)
            P[i] = key;
}

namespace {

// The inclusive rectangle limited to the raster; false when nothing is left.
bool ClipInclusive(const TbsPixelView& v, int& X1, int& Y1, int& X2, int& Y2) {
    if (v.Empty())
        return false;
    X1 = std::max(X1, 0);
    Y1 = std::max(Y1, 0);
    X2 = std::min(X2, v.Width - 1);
    Y2 = std::min(Y2, v.Height - 1);
    return X1 <= X2 && Y1 <= Y2;
}

using TLineRoutine = void (*)(const TbsColor*, TbsColor*, int);

void RunBlock(TLineRoutine line, TbsPixelView Dst, const TRect& DstRect, TbsPixelView Src, int SX, int SY) {
    if (Dst.Empty() || Src.Empty())
        return;
    // Shrink the destination until both the destination and the source
    // block lie inside their rasters.
    int left = DstRect.Left, top = DstRect.Top, right = DstRect.Right, bottom = DstRect.Bottom;
    const int dx = SX - DstRect.Left, dy = SY - DstRect.Top;
    left = std::max({left, 0, -dx});
    top = std::max({top, 0, -dy});
    right = std::min({right, Dst.Width, Src.Width - dx});
    bottom = std::min({bottom, Dst.Height, Src.Height - dy});
    if (right <= left || bottom <= top)
        return;
    for (int y = top; y < bottom; ++y)
        line(Src.Row(y + dy) + left + dx, Dst.Row(y) + left, right - left);
}

bool Intersect(TRect& r, const TRect& a, const TRect& b) {
    r.Left = std::max(a.Left, b.Left);
    r.Top = std::max(a.Top, b.Top);
    r.Right = std::min(a.Right, b.Right);
    r.Bottom = std::min(a.Bottom, b.Bottom);
    return r.Left < r.Right && r.Top < r.Bottom;
}

}  // namespace

void FillPixelRect(TbsPixelView Dst, int X1, int Y1, int X2, int Y2, TbsColor Color) {
    if (!ClipInclusive(Dst, X1, Y1, X2, Y2))
        return;
    for (int y = Y1; y <= Y2; ++y)
        FillLine(Dst.Row(y) + X1, X2 - X1 + 1, Color);
}

void SetRectAlpha(TbsPixelView Dst, int X1, int Y1, int X2, int Y2, std::uint8_t Alpha) {
    if (!ClipInclusive(Dst, X1, Y1, X2, Y2))
        return;
    for (int y = Y1; y <= Y2; ++y)
        SetLineAlpha(Dst.Row(y) + X1, X2 - X1 + 1, Alpha);
}

void CopyBlock(TbsPixelView Dst, const TRect& DstRect, TbsPixelView Src, int SX, int SY) {
    RunBlock(MoveLine, Dst, DstRect, Src, SX, SY);
}

void BlendBlock(TbsPixelView Dst, const TRect& DstRect, TbsPixelView Src, int SX, int SY) {
    RunBlock(BlendLine, Dst, DstRect, Src, SX, SY);
}

void KeyBlock(TbsPixelView Dst, const TRect& DstRect, TbsPixelView Src, int SX, int SY) {
    RunBlock(CopyKeyedLine, Dst, DstRect, Src, SX, SY);
}

int StretchSourceIndex(int P, int DstFirst, int DstLen, int SrcFirst, int SrcLen) {
    if (DstLen < 2)
        return (SrcFirst + SrcFirst + SrcLen - 1) / 2;
    const double factor = static_cast<double>(SrcLen - 1) / static_cast<double>(DstLen - 1);
    return RoundEven((P - DstFirst) * factor + SrcFirst);
}

void StretchPixelRect(TbsPixelMode Mode, TbsPixelView Dst, const TRect& DstRect, const TRect& ClipRect,
                      TbsPixelView Src, const TRect& SrcRect) {
    const int srcW = SrcRect.Right - SrcRect.Left, srcH = SrcRect.Bottom - SrcRect.Top;
    if (srcW <= 0 || srcH <= 0 || Dst.Empty() || Src.Empty())
        return;
    TRect clip;
    if (!Intersect(clip, ClipRect, TRect{0, 0, Dst.Width, Dst.Height}) || !Intersect(clip, clip, DstRect))
        return;
    if (SrcRect.Left < 0 || SrcRect.Top < 0 || SrcRect.Right > Src.Width || SrcRect.Bottom > Src.Height)
        return;
    const int dstW = DstRect.Right - DstRect.Left, dstH = DstRect.Bottom - DstRect.Top;
    const TLineRoutine line = Mode == TbsPixelMode::Copy    ? MoveLine
                              : Mode == TbsPixelMode::Blend ? BlendLine
                                                            : CopyKeyedLine;
    if (srcW == dstW && srcH == dstH) {
        RunBlock(line, Dst, clip, Src, SrcRect.Left + clip.Left - DstRect.Left,
                 SrcRect.Top + clip.Top - DstRect.Top);
        return;
    }

    const int clipW = clip.Right - clip.Left;
    std::vector<int> columns(static_cast<std::size_t>(clipW));
    for (int x = clip.Left; x < clip.Right; ++x)
        columns[static_cast<std::size_t>(x - clip.Left)] =
            StretchSourceIndex(x, DstRect.Left, dstW, SrcRect.Left, srcW);

    std::vector<TbsColor> gathered(static_cast<std::size_t>(clipW));
    int previousSourceRow = -1;
    for (int y = clip.Top; y < clip.Bottom; ++y) {
        const int sy = StretchSourceIndex(y, DstRect.Top, dstH, SrcRect.Top, srcH);
        TbsColor* dst = Dst.Row(y) + clip.Left;
        if (Mode == TbsPixelMode::Copy && sy == previousSourceRow) {
            MoveLine(Dst.Row(y - 1) + clip.Left, dst, clipW);
            continue;
        }
        if (sy != previousSourceRow) {
            const TbsColor* src = Src.Row(sy);
            TbsColor* target = Mode == TbsPixelMode::Copy ? dst : gathered.data();
            for (int i = 0; i < clipW; ++i)
                target[i] = src[columns[static_cast<std::size_t>(i)]];
            previousSourceRow = sy;
            if (Mode == TbsPixelMode::Copy)
                continue;
        }
        line(gathered.data(), dst, clipW);
    }
}
