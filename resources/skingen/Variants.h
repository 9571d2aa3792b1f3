#pragma once
#include <string>
#include <vector>
#include "resources/skingen/Art.h"

// A colour variant of the base skin: the accent family of colours (every
// colour whose hue lies near the base accent's) turns to another hue and
// saturation; neutral greys, the red of the close button and the key
// colour stay as they are.
struct TSkinVariant {
    std::string Name;          // skinname
    std::string DisplayName;   // shown by the skin picker
    float HueShift = 0;        // in turns (1 = the whole colour circle)
    float SaturationScale = 1;
    // Darkens the strong tones (most at lightness 0.5, pale tints hardly at
    // all), so light hues keep the contrast of white text on the accent.
    float Deepen = 0;

    TRgb Shift(TRgb c) const;
};

// The six variants that follow the base skin in the first skin list.
const std::vector<TSkinVariant>& SkinVariants();
