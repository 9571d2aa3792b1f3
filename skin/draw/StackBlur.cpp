#include "skin/draw/StackBlur.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// One blur line: Count values read through Get(i) (indices clamped to the
// line), results through Put(i, value). The weighted sum moves along with
// the sums of the window's outgoing half (k <= 0) and incoming half (k > 0).
template <typename TGet, typename TPut>
void BlurLine(int Count, int Radius, std::int64_t divisor, TGet&& Get, TPut&& Put) {
    auto at = [&](int i) -> std::int64_t { return Get(std::clamp(i, 0, Count - 1)); };
    std::int64_t sum = 0, outgoing = 0, incoming = 0;
    for (int k = -Radius; k <= Radius; ++k) {
        const std::int64_t p = at(k);
        sum += p * (Radius + 1 - (k < 0 ? -k : k));
        if (k <= 0)
            outgoing += p;
        else
            incoming += p;
    }
    for (int x = 0; x < Count; ++x) {
        Put(x, static_cast<int>(sum / divisor));
        const std::int64_t entering = at(x + Radius + 1), next = at(x + 1);
        sum += incoming + entering - outgoing;
        outgoing += next - at(x - Radius);
        incoming += entering - next;
    }
}

}  // namespace

void StackBlur(TbsPixelView Pixels, int Radius) {
    if (Radius <= 0 || Pixels.Empty())
        return;
    const int W = Pixels.Width, H = Pixels.Height;
    const std::int64_t divisor = static_cast<std::int64_t>(Radius + 1) * (Radius + 1);
    const std::size_t n = static_cast<std::size_t>(W) * H;
    std::vector<int> planes[3] = {std::vector<int>(n), std::vector<int>(n), std::vector<int>(n)};
    for (int c = 0; c < 3; ++c) {
        const int shift = 16 - 8 * c;  // red, green, blue
        std::vector<int>& plane = planes[c];
        for (int y = 0; y < H; ++y) {
            const TbsColor* row = Pixels.Row(y);
            int* out = plane.data() + static_cast<std::size_t>(y) * W;
            BlurLine(W, Radius, divisor, [&](int i) { return (row[i] >> shift) & 0xFF; },
                     [&](int i, int v) { out[i] = v; });
        }
    }
    std::vector<int> column(static_cast<std::size_t>(H));
    for (int x = 0; x < W; ++x)
        for (int c = 0; c < 3; ++c) {
            const std::vector<int>& plane = planes[c];
            BlurLine(H, Radius, divisor, [&](int i) { return plane[static_cast<std::size_t>(i) * W + x]; },
                     [&](int i, int v) { column[static_cast<std::size_t>(i)] = v; });
            // Write back once all three channels of this column are known.
            for (int y = 0; y < H; ++y) {
                TbsColor& p = Pixels.Row(y)[x];
                const int shift = 16 - 8 * c;
                if (c == 0)
                    p = 0xFF000000u;
                p |= static_cast<TbsColor>(column[static_cast<std::size_t>(y)]) << shift;
            }
        }
}

void SetAlphaFromMask(TbsPixelView Pixels, TbsPixelView Mask) {
    if (Pixels.Empty() || Mask.Empty())
        return;
    const int w = std::min(Pixels.Width, Mask.Width), h = std::min(Pixels.Height, Mask.Height);
    for (int y = 0; y < h; ++y) {
        TbsColor* row = Pixels.Row(y);
        const TbsColor* mask = Mask.Row(y);
        for (int x = 0; x < w; ++x) {
            const int sum = bsRedOf(mask[x]) + bsGreenOf(mask[x]) + bsBlueOf(mask[x]);
            const int alpha = RoundEven(sum / 3.0);
            row[x] = (row[x] & 0xFFFFFF) | (static_cast<TbsColor>(alpha) << 24);
        }
    }
}
