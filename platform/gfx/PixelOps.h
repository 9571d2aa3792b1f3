#pragma once
// Pixel reading and writing shared by the drawing code of this library.
#include <cstdint>
#include <cstring>
#include "platform/gfx/Bitmap.h"

namespace gfx_detail {

// Exact rounded x / 255 for x in [0, 255 * 255].
inline uint32_t Div255(uint32_t x)
{
    x += 128;
    return (x + (x >> 8)) >> 8;
}

inline bool MonoBit(const uint8_t* row, int x)
{
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

inline void SetMonoBit(uint8_t* row, int x, bool on)
{
    if (on)
        row[x >> 3] |= uint8_t(0x80 >> (x & 7));
    else
        row[x >> 3] &= uint8_t(~(0x80 >> (x & 7)));
}

// A pixel as 0xAARRGGBB; 24-bit pixels read with alpha 0.
inline uint32_t ReadPixel(TPixelFormat format, const uint8_t* row, int x)
{
    switch (format) {
    case pf32bit: {
        uint32_t p;
        std::memcpy(&p, row + x * 4, 4);
        return p;
    }
    case pf24bit: {
        const uint8_t* p = row + x * 3;
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
    }
    case pf1bit:
        return MonoBit(row, x) ? 0xFFFFFF : 0;
    }
    return 0;
}

inline uint8_t PixelLuminance(uint32_t p)
{
    return uint8_t((((p >> 16) & 0xFF) * 299 + ((p >> 8) & 0xFF) * 587 + (p & 0xFF) * 114) / 1000);
}

// Writes 0xAARRGGBB; 24-bit targets drop alpha, monochrome takes the nearer
// of black and white.
inline void WritePixel(TPixelFormat format, uint8_t* row, int x, uint32_t p)
{
    switch (format) {
    case pf32bit:
        std::memcpy(row + x * 4, &p, 4);
        break;
    case pf24bit: {
        uint8_t* d = row + x * 3;
        d[0] = uint8_t(p);
        d[1] = uint8_t(p >> 8);
        d[2] = uint8_t(p >> 16);
        break;
    }
    case pf1bit:
        SetMonoBit(row, x, PixelLuminance(p) >= 128);
        break;
    }
}

// A 24-bit pixel as a 32-bit one with alpha 0.
inline uint32_t Widen24(const uint8_t* s)
{
    return uint32_t(s[0]) | (uint32_t(s[1]) << 8) | (uint32_t(s[2]) << 16);
}

// Widens count contiguous 24-bit pixels to 32-bit ones with alpha 0, four
// at a time from three whole words (never reading past the last pixel).
inline void WidenRun(uint8_t* d, const uint8_t* s, int count)
{
    int x = 0;
    for (; x + 4 <= count; x += 4, s += 12, d += 16) {
        uint32_t w[3];
        std::memcpy(w, s, 12);
        const uint32_t p[4] = {w[0] & 0x00FFFFFFu, (w[0] >> 24) | ((w[1] & 0xFFFFu) << 8),
                               (w[1] >> 16) | ((w[2] & 0xFFu) << 16), w[2] >> 8};
        std::memcpy(d, p, 16);
    }
    for (; x < count; ++x, s += 3, d += 4) {
        const uint32_t v = Widen24(s);
        std::memcpy(d, &v, 4);
    }
}

// Narrows count contiguous 32-bit pixels to 24-bit ones, dropping alpha.
inline void NarrowRun(uint8_t* d, const uint8_t* s, int count)
{
    for (int x = 0; x < count; ++x, s += 4, d += 3)
        std::memcpy(d, s, 3);
}

}  // namespace gfx_detail
