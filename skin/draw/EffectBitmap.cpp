#include "skin/draw/EffectBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "skin/draw/PixelRoutines.h"

namespace {

std::uint8_t Clamp255(double v) {
    return static_cast<std::uint8_t>(std::clamp(RoundEven(v), 0, 255));
}

// Channel of self weighted by t against the partner's.
void BlendWith(std::uint8_t* self, const std::uint8_t* other, double t) {
    for (int c = 0; c < 3; ++c)
        self[c] = Clamp255(self[c] * t + other[c] * (1 - t));
}

double Clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

std::minstd_rand& NoiseSource() {
    static std::minstd_rand engine(0x5EED);
    return engine;
}

// Uniform in 0..n - 1, or 0 when n is not positive.
int RandomBelow(int n) {
    if (n <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(NoiseSource());
}

}  // namespace

TbsEffectBmp::TbsEffectBmp(int cx, int cy)
    : FWidth(std::max(cx, 0)), FHeight(std::max(cy, 0)), FStride(3 * FWidth + FWidth % 4),
      FBits(static_cast<std::size_t>(FStride) * FHeight, 0) {}

std::uint32_t TbsEffectBmp::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return 0;
    const std::uint8_t* p = At(x, y);
    return (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
}

void TbsEffectBmp::SetPixel(int x, int y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return;
    std::uint8_t* p = At(x, y);
    p[0] = static_cast<std::uint8_t>(rgb);
    p[1] = static_cast<std::uint8_t>(rgb >> 8);
    p[2] = static_cast<std::uint8_t>(rgb >> 16);
}

void TbsEffectBmp::GetScanLine(int y, std::uint8_t* Line) const {
    if (y >= 0 && y < FHeight)
        std::memcpy(Line, ScanLine(y), static_cast<std::size_t>(3) * FWidth);
}

void TbsEffectBmp::SetScanLine(int y, const std::uint8_t* Line) {
    if (y >= 0 && y < FHeight)
        std::memcpy(ScanLine(y), Line, static_cast<std::size_t>(3) * FWidth);
}

// ---- transitions -----------------------------------------------------------

void TbsEffectBmp::Morph(const TbsEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP))
        return;
    Kf = Clamp01(Kf);
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            BlendWith(At(x, y), BMP.At(x, y), 1 - Kf);
}

void TbsEffectBmp::MorphRect(const TbsEffectBmp& BMP, double Kf, const TRect& Rct, int StartX, int StartY) {
    Kf = Clamp01(Kf);
    const int dx = StartX - Rct.Left, dy = StartY - Rct.Top;
    const int left = std::max({Rct.Left, 0, -dx}), top = std::max({Rct.Top, 0, -dy});
    const int right = std::min({Rct.Right, FWidth, BMP.FWidth - dx});
    const int bottom = std::min({Rct.Bottom, FHeight, BMP.FHeight - dy});
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            BlendWith(At(x, y), BMP.At(x + dx, y + dy), 1 - Kf);
}

void TbsEffectBmp::CopyRect(const TbsEffectBmp& BMP, const TRect& Rct, int StartX, int StartY) {
    const int dx = StartX - Rct.Left, dy = StartY - Rct.Top;
    const int left = std::max({Rct.Left, 0, -dx}), top = std::max({Rct.Top, 0, -dy});
    // Right and bottom are inclusive here.
    const int right = std::min({Rct.Right, FWidth - 1, BMP.FWidth - 1 - dx});
    const int bottom = std::min({Rct.Bottom, FHeight - 1, BMP.FHeight - 1 - dy});
    for (int y = top; y <= bottom; ++y)
        if (right >= left)
            std::memcpy(At(left, y), BMP.At(left + dx, y + dy), static_cast<std::size_t>(3) * (right - left + 1));
}

void TbsEffectBmp::MorphHGrad(const TbsEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || FWidth == 0)
        return;
    const int W = FWidth;
    const int b = RoundEven(W * Clamp01(Kf));
    const int c = (W - b) / 2;
    const double step = c == 0 ? 1.0 : 1.0 / c;
    const int left = std::max(W / 2 - b / 2, 0);
    const int right = std::min(W / 2 + b / 2, W - 1);
    for (int y = 0; y < FHeight; ++y) {
        if (right >= left)
            std::memcpy(At(left, y), BMP.At(left, y), static_cast<std::size_t>(3) * (right - left + 1));
        double t = 0;
        for (int x = left; x >= 0; --x, t = std::min(t + step, 1.0))
            BlendWith(At(x, y), BMP.At(x, y), t);
        t = 0;
        for (int x = right; x < W; ++x, t = std::min(t + step, 1.0))
            BlendWith(At(x, y), BMP.At(x, y), t);
    }
}

void TbsEffectBmp::MorphVGrad(const TbsEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || FHeight == 0)
        return;
    const int H = FHeight;
    const int b = RoundEven(H * Clamp01(Kf));
    const int c = (H - 1 - b) / 2;
    // A band that leaves no room for a ramp turns every row into the new picture.
    const double step = c == 0 ? 0.0 : 1.0 / c;
    const int top = std::max(H / 2 - b / 2, 0);
    const int bottom = std::min(H / 2 + b / 2, H - 1);
    const std::size_t rowBytes = static_cast<std::size_t>(3) * FWidth;
    for (int y = top; y <= bottom; ++y)
        std::memcpy(ScanLine(y), BMP.ScanLine(y), rowBytes);
    double t = 0;
    for (int y = top; y >= 0; --y, t = std::min(t + step, 1.0))
        for (int x = 0; x < FWidth; ++x)
            BlendWith(At(x, y), BMP.At(x, y), t);
    t = 0;
    for (int y = bottom; y < H; ++y, t = std::min(t + step, 1.0))
        for (int x = 0; x < FWidth; ++x)
            BlendWith(At(x, y), BMP.At(x, y), t);
}

void TbsEffectBmp::MorphGrad(const TbsEffectBmp& BMP, double Kf) {
    if (FWidth < FHeight)
        MorphVGrad(BMP, Kf);
    else
        MorphHGrad(BMP, Kf);
}

void TbsEffectBmp::MorphLeftGrad(const TbsEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || FWidth == 0)
        return;
    const int b = std::min(std::max(RoundEven(FWidth * Clamp01(Kf)), 1), FWidth - 1);
    const double step = b == 0 ? 1.0 : 1.0 / b;
    for (int y = 0; y < FHeight; ++y) {
        double t = 0;
        for (int x = 0; x <= b; ++x, t = std::min(t + step, 1.0))
            BlendWith(At(x, y), BMP.At(x, y), t);
    }
}

void TbsEffectBmp::MorphRightGrad(const TbsEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || FWidth == 0)
        return;
    const int W = FWidth;
    const int c = std::min(std::max(W - RoundEven(W * Clamp01(Kf)), 0), W - 1);
    const double step = W - c <= 0 ? 1.0 : 1.0 / (W - c);
    for (int y = 0; y < FHeight; ++y) {
        double t = 0;
        for (int x = W - 1; x >= c; --x, t = std::min(t + step, 1.0))
            BlendWith(At(x, y), BMP.At(x, y), t);
    }
}

void TbsEffectBmp::MorphPush(const TbsEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || FWidth == 0)
        return;
    const int W = FWidth;
    const int b = std::clamp(RoundEven(W * Clamp01(Kf)), 0, W - 1);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(3) * W);
    for (int y = 0; y < FHeight; ++y) {
        std::memcpy(line.data(), BMP.At(W - b - 1, y), static_cast<std::size_t>(3) * (b + 1));
        std::memcpy(line.data() + 3 * (b + 1), At(0, y), static_cast<std::size_t>(3) * (W - b - 1));
        std::memcpy(At(0, y), line.data(), line.size());
    }
}

void TbsEffectBmp::MorphLeftSlide(const TbsEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || FWidth == 0)
        return;
    const int W = FWidth;
    const int b = std::min(std::max(RoundEven(W * Clamp01(Kf)), 1), W - 1);
    if (b <= 0)
        return;
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(At(0, y), BMP.At(W - b, y), static_cast<std::size_t>(3) * b);
}

void TbsEffectBmp::MorphRightSlide(const TbsEffectBmp& BMP, double Kf) {
    if (!SameSize(BMP) || FWidth == 0)
        return;
    const int W = FWidth;
    const int b = std::min(std::max(RoundEven(W * Clamp01(Kf)), 1), W - 1);
    if (b <= 0)
        return;
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(At(W - b, y), BMP.At(0, y), static_cast<std::size_t>(3) * b);
}

// ---- filters ---------------------------------------------------------------

void TbsEffectBmp::ChangeBrightness(double Kf) {
    Kf = Clamp01(Kf);
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* p = ScanLine(y);
        for (int i = 0; i < 3 * FWidth; ++i)
            p[i] = Clamp255((1 - Kf) * p[i] + Kf * 255);
    }
}

void TbsEffectBmp::ChangeDarkness(double Kf) {
    Kf = Clamp01(Kf);
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* p = ScanLine(y);
        for (int i = 0; i < 3 * FWidth; ++i)
            p[i] = Clamp255((1 - Kf) * p[i]);
    }
}

void TbsEffectBmp::Invert() {
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* p = ScanLine(y);
        for (int i = 0; i < 3 * FWidth; ++i)
            p[i] = static_cast<std::uint8_t>(255 - p[i]);
    }
}

void TbsEffectBmp::GrayScale() {
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            std::uint8_t* p = At(x, y);
            const std::uint8_t g = Clamp255(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0]);
            p[0] = p[1] = p[2] = g;
        }
}

void TbsEffectBmp::DiagonalNeighbours(int x, int y, int Amount, int xs[2], int ys[2]) const {
    auto inside = [](int v, int own, int limit) { return v < 0 || v >= limit ? own : v; };
    xs[0] = inside(x - Amount, x, FWidth);
    xs[1] = inside(x + Amount, x, FWidth);
    ys[0] = inside(y - Amount, y, FHeight);
    ys[1] = inside(y + Amount, y, FHeight);
}

void TbsEffectBmp::AverageDiagonals(int x, int y, int Amount) {
    int xs[2], ys[2];
    DiagonalNeighbours(x, y, Amount, xs, ys);
    std::uint8_t* p = At(x, y);
    for (int c = 0; c < 3; ++c) {
        const int sum = At(xs[0], ys[0])[c] + At(xs[0], ys[1])[c] + At(xs[1], ys[0])[c] + At(xs[1], ys[1])[c];
        p[c] = static_cast<std::uint8_t>(sum >> 2);
    }
}

void TbsEffectBmp::SplitBlur(int Amount) {
    if (Amount == 0)
        return;
    // In place on purpose: neighbours above and to the left are already blurred.
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            AverageDiagonals(x, y, Amount);
}

void TbsEffectBmp::Mosaic(int ASize) {
    if (ASize <= 1)
        return;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const std::uint8_t* corner = At(x - x % ASize, y - y % ASize);
            std::memmove(At(x, y), corner, 3);
        }
}

void TbsEffectBmp::AddMonoNoise(int Amount) {
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const int n = RandomBelow(Amount) - Amount / 2;
            std::uint8_t* p = At(x, y);
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<std::uint8_t>(std::clamp(p[c] + n, 0, 255));
        }
}

void TbsEffectBmp::AddColorNoise(int Amount) {
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            std::uint8_t* p = At(x, y);
            for (int c = 2; c >= 0; --c)  // red, green, blue
                p[c] = static_cast<std::uint8_t>(std::clamp(p[c] + RandomBelow(Amount) - Amount / 2, 0, 255));
        }
}

void TbsEffectBmp::Wave(int XDIV, int YDIV, int RatioVal) {
    if (XDIV == 0 || YDIV == 0 || FWidth == 0 || FHeight == 0)
        return;
    const TbsEffectBmp copy(*this);
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const int sx = std::clamp(RoundEven(std::sin(static_cast<double>(y) / YDIV) * RatioVal + x), 0, FWidth - 1);
            const int sy = std::clamp(RoundEven(y + RatioVal * std::sin(static_cast<double>(x) / XDIV)), 0, FHeight - 1);
            std::memcpy(At(x, y), copy.At(sx, sy), 3);
        }
}

void TbsEffectBmp::Resize(TbsEffectBmp& Dst) const {
    if (FWidth == 0 || FHeight == 0 || Dst.FWidth == 0 || Dst.FHeight == 0)
        return;
    const double sx = static_cast<double>(Dst.FWidth - 1) / FWidth;
    const double sy = static_cast<double>(Dst.FHeight - 1) / FHeight;
    const int bw = RoundEven(sx) + 1, bh = RoundEven(sy) + 1;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const int x0 = RoundEven(x * sx), y0 = RoundEven(y * sy);
            for (int by = y0; by < std::min(y0 + bh, Dst.FHeight); ++by)
                for (int bx = x0; bx < std::min(x0 + bw, Dst.FWidth); ++bx)
                    std::memcpy(Dst.At(bx, by), At(x, y), 3);
        }
}

void TbsEffectBmp::Rotate90_1(TbsEffectBmp& Dst) const {
    if (Dst.FWidth != FHeight || Dst.FHeight != FWidth)
        return;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            std::memcpy(Dst.At(y, FWidth - 1 - x), At(x, y), 3);
}

void TbsEffectBmp::Rotate90_2(TbsEffectBmp& Dst) const {
    if (Dst.FWidth != FHeight || Dst.FHeight != FWidth)
        return;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            std::memcpy(Dst.At(FHeight - 1 - y, x), At(x, y), 3);
}

void TbsEffectBmp::FlipVert(TbsEffectBmp& Dst) const {
    if (!SameSize(Dst))
        return;
    for (int y = 0; y < FHeight; ++y)
        std::memmove(Dst.ScanLine(FHeight - 1 - y), ScanLine(y), static_cast<std::size_t>(3) * FWidth);
}

// ---- masks -----------------------------------------------------------------

bool TbsEffectBmp::MaskFits(const TbsEffectBmp& Msk) const {
    return FWidth > 0 && FHeight > 0 && Msk.FWidth == FWidth && Msk.FHeight >= FHeight;
}

bool TbsEffectBmp::MaskWhite(int x, int y) const {
    const std::uint8_t* p = At(x, y);
    return p[0] == 255 && p[1] == 255 && p[2] == 255;
}

void TbsEffectBmp::MaskBlur(const TbsEffectBmp& Msk, int Amount) {
    if (!MaskFits(Msk) || Amount == 0)
        return;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            if (!Msk.MaskWhite(x, y))
                AverageDiagonals(x, y, Amount);
}

void TbsEffectBmp::MaskAntialiasing(const TbsEffectBmp& Msk, int Amount) {
    if (!MaskFits(Msk) || Amount == 0)
        return;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            if (Msk.MaskWhite(x, y))
                continue;
            int xs[2], ys[2];
            DiagonalNeighbours(x, y, Amount, xs, ys);
            if (Msk.MaskWhite(xs[0], ys[0]) || Msk.MaskWhite(xs[0], ys[1]) || Msk.MaskWhite(xs[1], ys[0]) ||
                Msk.MaskWhite(xs[1], ys[1]))
                AverageDiagonals(x, y, Amount);
        }
}

void TbsEffectBmp::MaskFillColor(const TbsEffectBmp& Msk, TColor C, double kf) {
    if (!MaskFits(Msk))
        return;
    C = ColorToRGB(C);
    const int channel[3] = {static_cast<int>((C >> 16) & 0xFF), static_cast<int>((C >> 8) & 0xFF),
                            static_cast<int>(C & 0xFF)};  // blue, green, red
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            if (Msk.MaskWhite(x, y))
                continue;
            std::uint8_t* p = At(x, y);
            for (int c = 0; c < 3; ++c)
                p[c] = Clamp255((1 - kf) * p[c] + kf * channel[c]);
        }
}
