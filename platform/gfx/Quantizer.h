#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

class TBitmap;

// Reduces the colours of a picture to a palette of at most maxColors entries
// (0x00RRGGBB each): the exact colours when there are few enough, else a
// median cut over a 5-bit-per-channel histogram, refined by one pass of
// averaging. Pixels for which skip(x, y) holds take no part.
struct TPalette {
    std::vector<uint32_t> Colors;
    // The index of the nearest palette colour.
    uint8_t Nearest(uint32_t color) const;

private:
    mutable std::unordered_map<uint32_t, uint8_t> FCache;
};

TPalette QuantizeColors(const TBitmap& bitmap, int maxColors, const std::vector<bool>& skip);
