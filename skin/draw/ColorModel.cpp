#include "skin/draw/ColorModel.h"

#include <algorithm>
#include <cmath>

void BsColorToHSL(TbsColor Color, float& H, float& S, float& L) {
    const float r = bsRedOf(Color) / 255.0f, g = bsGreenOf(Color) / 255.0f, b = bsBlueOf(Color) / 255.0f;
    const float mx = std::max({r, g, b}), mn = std::min({r, g, b});
    L = (mx + mn) / 2;
    if (mx == mn) {
        H = S = 0;
        return;
    }
    const float d = mx - mn;
    S = L >= 0.5f ? d / (2 - mx - mn) : d / (mx + mn);
    float h;
    if (r == mx)
        h = (g - b) / d;
    else if (g != mx)
        h = 4 + (r - g) / d;
    else
        h = 2 + (b - r) / d;
    H = h / 6;
    if (H < 0)
        H += 1;
}

namespace {

float HueToChannel(float m1, float m2, float h) {
    h -= std::floor(h);
    if (6 * h < 1)
        return m1 + (m2 - m1) * h * 6;
    if (2 * h < 1)
        return m2;
    if (3 * h < 2)
        return m1 + (m2 - m1) * (2.0f / 3 - h) * 6;
    return m1;
}

int ToChannel(float v) {
    return std::clamp(RoundEven(v * 255.0f), 0, 255);
}

template <typename F>
void ForEachVisible(TbsPixelView Pixels, F&& change) {
    if (Pixels.Empty())
        return;
    TbsColor* p = Pixels.Bits;
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(Pixels.Width) * Pixels.Height;
    for (std::ptrdiff_t i = 0; i < n; ++i)
        if (bsAlphaOf(p[i]) != 0)
            p[i] = (change(p[i]) & 0xFFFFFF) | (p[i] & 0xFF000000u);
}

// A hue or saturation step of Delta/255 that wraps around as the colour circle does.
int WrapStep(float value, int delta) {
    int v = delta + RoundEven(value * 255.0f);
    if (v >= 256)
        v -= 255;
    if (v < 0)
        v += 255;
    return v;
}

}  // namespace

TbsColor HSLToBsColor(float H, float S, float L) {
    if (S == 0) {
        const int v = ToChannel(L);
        return bsRGBA(v, v, v, 255);
    }
    const float m2 = L <= 0.5f ? L * (1 + S) : L + S - L * S;
    const float m1 = 2 * L - m2;
    return bsRGBA(ToChannel(HueToChannel(m1, m2, H + 1.0f / 3)), ToChannel(HueToChannel(m1, m2, H)),
                  ToChannel(HueToChannel(m1, m2, H - 1.0f / 3)), 255);
}

void ChangePixelsBrightness(TbsPixelView Pixels, int DeltaBrightness) {
    if (DeltaBrightness == 0)
        return;
    ForEachVisible(Pixels, [&](TbsColor c) {
        return MakeBsColor(bsRedOf(c) + DeltaBrightness, bsGreenOf(c) + DeltaBrightness,
                           bsBlueOf(c) + DeltaBrightness, 255);
    });
}

void SetPixelsHue(TbsPixelView Pixels, int Hue) {
    const float h = std::clamp(Hue, 0, 255) / 255.0f;
    ForEachVisible(Pixels, [&](TbsColor c) {
        float H, S, L;
        BsColorToHSL(c, H, S, L);
        return HSLToBsColor(h, S, L);
    });
}

void ChangePixelsSat(TbsPixelView Pixels, int DeltaSat) {
    if (DeltaSat == 0)
        return;
    // Saturation is not circular: a step past either end stops there.
    ForEachVisible(Pixels, [&](TbsColor c) {
        float H, S, L;
        BsColorToHSL(c, H, S, L);
        const int s = std::clamp(DeltaSat + RoundEven(S * 255.0f), 0, 255);
        return HSLToBsColor(H, s / 255.0f, L);
    });
}

void ChangePixelsHue(TbsPixelView Pixels, int DeltaHue) {
    if (DeltaHue == 0)
        return;
    ForEachVisible(Pixels, [&](TbsColor c) {
        float H, S, L;
        BsColorToHSL(c, H, S, L);
        return HSLToBsColor(WrapStep(H, DeltaHue) / 255.0f, S, L);
    });
}
