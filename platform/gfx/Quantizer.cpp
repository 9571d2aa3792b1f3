#include "platform/gfx/Quantizer.h"

#include <algorithm>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/PixelOps.h"

using namespace gfx_detail;

namespace {

struct TBox {
    std::vector<std::pair<uint32_t, uint32_t>> Entries;  // colour, count
    uint64_t Count = 0;
    int Range(int shift) const
    {
        int lo = 255, hi = 0;
        for (const auto& e : Entries) {
            int v = (e.first >> shift) & 0xFF;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        return hi - lo;
    }
    uint32_t Mean() const
    {
        uint64_t s[3] = {0, 0, 0};
        for (const auto& e : Entries)
            for (int c = 0; c < 3; ++c)
                s[c] += uint64_t((e.first >> (c * 8)) & 0xFF) * e.second;
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c)
            out |= uint32_t((s[c] + Count / 2) / std::max<uint64_t>(Count, 1)) << (c * 8);
        return out;
    }
};

int Distance(uint32_t a, uint32_t b)
{
    int d = 0;
    for (int c = 0; c < 3; ++c) {
        int x = int((a >> (c * 8)) & 0xFF) - int((b >> (c * 8)) & 0xFF);
        d += x * x;
    }
    return d;
}

}  // namespace

uint8_t TPalette::Nearest(uint32_t color) const
{
    color &= 0xFFFFFF;
    auto found = FCache.find(color);
    if (found != FCache.end())
        return found->second;
    int best = 0, bestDistance = INT32_MAX;
    for (size_t i = 0; i < Colors.size() && bestDistance > 0; ++i) {
        int d = Distance(Colors[i], color);
        if (d < bestDistance) {
            bestDistance = d;
            best = int(i);
        }
    }
    FCache.emplace(color, uint8_t(best));
    return uint8_t(best);
}

namespace {

// The picture's own colours when there are no more than maxColors of them.
bool ExactPalette(const TBitmap& bitmap, int maxColors, const std::vector<bool>& skip, TPalette& palette)
{
    std::unordered_map<uint32_t, uint32_t> exact;
    bool tooMany = false;
    const int w = bitmap.Width(), h = bitmap.Height();
    for (int y = 0; y < h && !tooMany; ++y) {
        const uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            if (!skip.empty() && skip[size_t(y) * size_t(w) + size_t(x)])
                continue;
            ++exact[ReadPixel(bitmap.PixelFormat(), row, x) & 0xFFFFFF];
            if (int(exact.size()) > maxColors) {
                tooMany = true;
                break;
            }
        }
    }
    if (tooMany)
        return false;
    for (const auto& e : exact)
        palette.Colors.push_back(e.first);
    std::sort(palette.Colors.begin(), palette.Colors.end());
    if (palette.Colors.empty())
        palette.Colors.push_back(0);
    return true;

}

// Histogram of 5-bit colours as one box, each entry the mean of its pixels.
TBox HistogramBox(const TBitmap& bitmap, const std::vector<bool>& skip)
{
    const int w = bitmap.Width(), h = bitmap.Height();
    std::vector<uint32_t> counts(32768, 0);
    std::vector<uint64_t> sums(32768 * 3, 0);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            if (!skip.empty() && skip[size_t(y) * size_t(w) + size_t(x)])
                continue;
            uint32_t p = ReadPixel(bitmap.PixelFormat(), row, x);
            uint32_t key = ((p >> 19) & 0x1F) << 10 | ((p >> 11) & 0x1F) << 5 | ((p >> 3) & 0x1F);
            ++counts[key];
            for (int c = 0; c < 3; ++c)
                sums[key * 3 + size_t(c)] += (p >> (c * 8)) & 0xFF;
        }
    }
    TBox all;
    for (uint32_t key = 0; key < 32768; ++key) {
        if (!counts[key])
            continue;
        uint32_t color = 0;
        for (int c = 0; c < 3; ++c)
            color |= uint32_t(sums[key * 3 + size_t(c)] / counts[key]) << (c * 8);
        all.Entries.push_back({color, counts[key]});
        all.Count += counts[key];
    }
    return all;
}

void SplitBoxes(std::vector<TBox>& boxes, int maxColors)
{
    // Split the box with the most pixels times range along its widest channel.
    while (int(boxes.size()) < maxColors) {
        int best = -1;
        uint64_t bestScore = 0;
        int bestShift = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].Entries.size() < 2)
                continue;
            for (int shift : {0, 8, 16}) {
                uint64_t score = uint64_t(boxes[i].Range(shift)) * boxes[i].Count;
                if (best < 0 || score > bestScore) {
                    best = int(i);
                    bestScore = score;
                    bestShift = shift;
                }
            }
        }
        if (best < 0)
            break;
        TBox& box = boxes[size_t(best)];
        std::sort(box.Entries.begin(), box.Entries.end(), [bestShift](const auto& a, const auto& b) {
            return ((a.first >> bestShift) & 0xFF) < ((b.first >> bestShift) & 0xFF);
        });
        // Split at the median pixel.
        uint64_t half = box.Count / 2, seen = 0;
        size_t cut = 0;
        while (cut < box.Entries.size() - 1 && seen + box.Entries[cut].second <= half)
            seen += box.Entries[cut++].second;
        if (cut == 0)
            cut = 1;
        TBox other;
        other.Entries.assign(box.Entries.begin() + ptrdiff_t(cut), box.Entries.end());
        box.Entries.resize(cut);
        box.Count = 0;
        for (const auto& e : box.Entries) box.Count += e.second;
        for (const auto& e : other.Entries) other.Count += e.second;
        boxes.push_back(std::move(other));
    }
}

void RefinePalette(const std::vector<TBox>& boxes, TPalette& palette)
{
    // One refinement pass: move each colour to the mean of the histogram entries nearest to it.
    std::vector<uint64_t> acc(palette.Colors.size() * 4, 0);
    for (const TBox& box : boxes)
        for (const auto& e : box.Entries) {
            size_t i = palette.Nearest(e.first);
            for (int c = 0; c < 3; ++c)
                acc[i * 4 + size_t(c)] += uint64_t((e.first >> (c * 8)) & 0xFF) * e.second;
            acc[i * 4 + 3] += e.second;
        }
    for (size_t i = 0; i < palette.Colors.size(); ++i) {
        if (!acc[i * 4 + 3])
            continue;
        uint32_t color = 0;
        for (int c = 0; c < 3; ++c)
            color |= uint32_t((acc[i * 4 + size_t(c)] + acc[i * 4 + 3] / 2) / acc[i * 4 + 3]) << (c * 8);
        palette.Colors[i] = color;
    }
}

}  // namespace

TPalette QuantizeColors(const TBitmap& bitmap, int maxColors, const std::vector<bool>& skip)
{
    TPalette palette;
    if (ExactPalette(bitmap, maxColors, skip, palette))
        return palette;
    std::vector<TBox> boxes{HistogramBox(bitmap, skip)};
    SplitBoxes(boxes, maxColors);
    for (const TBox& box : boxes)
        palette.Colors.push_back(box.Mean());
    RefinePalette(boxes, palette);
    TPalette refined;  // without the lookups cached for the colours before refinement
    refined.Colors = palette.Colors;
    return refined;
}
