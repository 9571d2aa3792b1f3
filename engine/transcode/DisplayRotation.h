#pragma once
#include <string>
#include <vector>

#include "engine/loader/LibraryHeaders.h"

// Cameras of phones store pictures as the sensor saw them and a display matrix
// that says how to turn them. The conversion turns the pictures upright (as
// players show them) and writes no matrix, so that every player shows the
// output the same way.

// The clockwise turn the stream's display matrix asks for: 0, 90, 180 or
// 270 degrees (other angles count as the nearest of these).
int DisplayRotation(const AVStream* AStream);

// True when the turn swaps width and height.
inline bool SwapsSides(int ARotation)
{
    return ARotation == 90 || ARotation == 270;
}

// The filters that turn a picture by ARotation, in the library's graph syntax
// as name and arguments each; empty for 0.
struct TTurnFilter {
    const char* Name;
    std::string Args;
};
std::vector<TTurnFilter> TurnFilters(int ARotation);
