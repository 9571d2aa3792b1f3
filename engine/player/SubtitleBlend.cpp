#include "engine/player/SubtitleBlend.h"

#include <algorithm>

uint32_t RGBAToYUVA(uint32_t ARGBA) {
    const int a = int(ARGBA >> 24), r = int((ARGBA >> 16) & 0xFF), g = int((ARGBA >> 8) & 0xFF), b = int(ARGBA & 0xFF);
    // Limited-range BT.601 in 10-bit fixed point; the shifts round toward minus
    // infinity, which keeps U and V inside 0..255.
    const int y = (263 * r + 517 * g + 101 * b + 16896) >> 10;
    const int u = ((-152 * r - 298 * g + 450 * b + 511) >> 10) + 128;
    const int v = ((450 * r - 377 * g - 74 * b + 511) >> 10) + 128;
    return uint32_t(a) << 24 | uint32_t(y) << 16 | uint32_t(u) << 8 | uint32_t(v);
}

namespace {

// old × 2^s × (255 − a) + new × a, over 255 × 2^s: new is the sum of 2^s samples.
int AlphaBlend(int a, int oldValue, int newSum, int s) { return ((oldValue << s) * (255 - a) + newSum * a) / (255 << s); }

} // namespace

void BlendSubtitleRect(const TYUVPicture& APicture, const TSubtitleBitmap& ARect, int AWidth, int AHeight) {
    const int x0 = std::clamp(ARect.X, 0, std::max(AWidth, 0));
    const int y0 = std::clamp(ARect.Y, 0, std::max(AHeight, 0));
    const int x1 = x0 + std::clamp(ARect.W, 0, AWidth - x0);
    const int y1 = y0 + std::clamp(ARect.H, 0, AHeight - y0);
    if (x1 <= x0 || y1 <= y0 || !ARect.Pixels || !ARect.Palette)
        return;
    // A clipped rectangle is drawn from its own first pixel at the clipped
    // place, so no pixel outside the subtitle bitmap is ever read.
    auto entry = [&](int px, int py) { return ARect.Palette[ARect.Pixels[(py - y0) * ARect.LineSize + (px - x0)]]; };
    for (int py = y0; py < y1; ++py) {
        uint8_t* luma = APicture.Plane[0] + py * APicture.Pitch[0];
        for (int px = x0; px < x1; ++px) {
            const uint32_t e = entry(px, py);
            luma[px] = uint8_t(AlphaBlend(int(e >> 24), luma[px], int((e >> 16) & 0xFF), 0));
        }
    }
    for (int cy = y0 / 2; cy <= (y1 - 1) / 2; ++cy) {
        uint8_t* cb = APicture.Plane[1] + cy * APicture.Pitch[1];
        uint8_t* cr = APicture.Plane[2] + cy * APicture.Pitch[2];
        for (int cx = x0 / 2; cx <= (x1 - 1) / 2; ++cx) {
            int n = 0, alpha = 0, u = 0, v = 0;
            for (int py = std::max(2 * cy, y0); py < std::min(2 * cy + 2, y1); ++py)
                for (int px = std::max(2 * cx, x0); px < std::min(2 * cx + 2, x1); ++px) {
                    const uint32_t e = entry(px, py);
                    alpha += int(e >> 24);
                    u += int((e >> 8) & 0xFF);
                    v += int(e & 0xFF);
                    ++n;
                }
            const int s = n == 4 ? 2 : n == 2 ? 1 : 0;
            const int a = alpha >> 2;
            cb[cx] = uint8_t(AlphaBlend(a, cb[cx], u, s));
            cr[cx] = uint8_t(AlphaBlend(a, cr[cx], v, s));
        }
    }
}
