#include "resources/skingen/Variants.h"
#include <algorithm>
#include <cmath>
#include "skin/draw/ColorModel.h"

namespace {

constexpr float AccentHue = 214.0f / 360.0f;   // the base palette's accent
constexpr float HueBand = 0.12f;               // +- around it
constexpr int MinChroma = 12;                  // greys below this keep their hue

float HueDistance(float a, float b)
{
    const float d = std::fabs(a - b);
    return std::min(d, 1.0f - d);
}

}  // namespace

TRgb TSkinVariant::Shift(TRgb c) const
{
    if (c == KeyRgb)
        return c;
    const int chroma = std::max({c.R, c.G, c.B}) - std::min({c.R, c.G, c.B});
    if (chroma < MinChroma)
        return c;
    float h = 0, s = 0, l = 0;
    BsColorToHSL(bsRGBA(c.R, c.G, c.B, 255), h, s, l);
    if (HueDistance(h, AccentHue) > HueBand)
        return c;
    h = h + HueShift;
    h -= std::floor(h);
    s = std::clamp(s * SaturationScale, 0.0f, 1.0f);
    l = std::clamp(l - Deepen * 4 * l * (1 - l), 0.0f, 1.0f);
    const TbsColor out = HSLToBsColor(h, s, l);
    return TRgb{bsRedOf(out), bsGreenOf(out), bsBlueOf(out)};
}

const std::vector<TSkinVariant>& SkinVariants()
{
    static const std::vector<TSkinVariant> variants = {
        {"ZarvoTeal", "青碧", -0.08f, 0.75f, 0.09f},
        {"ZarvoViolet", "暮紫", 0.13f, 0.85f, 0.0f},
        {"ZarvoRose", "胭脂", 0.37f, 0.9f, 0.02f},
        {"ZarvoAmber", "琥珀", -0.51f, 0.85f, 0.08f},
        {"ZarvoForest", "松绿", -0.22f, 0.6f, 0.12f},
        {"ZarvoGraphite", "石墨", 0.0f, 0.12f, 0.03f},
    };
    return variants;
}
