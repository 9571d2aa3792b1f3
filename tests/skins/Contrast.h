#pragma once
#include <algorithm>
#include <cmath>
#include "platform/gfx/Color.h"

// Contrast ratio of two colours by their relative luminance (sRGB).
inline double Luminance(TColor c)
{
    auto channel = [](int v) {
        const double x = v / 255.0;
        return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) + 0.0722 * channel(GetBValue(c));
}

inline double Contrast(TColor a, TColor b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
