#include "tests/media/FramePattern.h"

#include <algorithm>

namespace testmedia {
namespace {

struct TBand {
    int Top, Bottom;
};

TBand PatternBand(int height) { return {height / 16, height * 5 / 16}; }

int CellLeft(int width, int cell) { return cell * width / FramePatternBits; }

// Mean of a pixel value over the inner half of every cell, turned into bits.
int ReadCells(int width, int height, const std::function<int(int x, int y)>& luma) {
    const TBand band = PatternBand(height);
    const int bandHeight = band.Bottom - band.Top;
    int index = 0;
    for (int cell = 0; cell < FramePatternBits; ++cell) {
        const int left = CellLeft(width, cell), right = CellLeft(width, cell + 1);
        const int cellWidth = right - left;
        long sum = 0, count = 0;
        for (int y = band.Top + bandHeight / 4; y < band.Bottom - bandHeight / 4; ++y)
            for (int x = left + cellWidth / 4; x < right - cellWidth / 4; ++x) {
                sum += luma(x, y);
                ++count;
            }
        if (count == 0)
            return -1;
        const long mean = sum / count;
        int bit;
        if (mean <= 80)
            bit = 0;
        else if (mean >= 170)
            bit = 1;
        else
            return -1;
        index = index * 2 + bit;
    }
    return index;
}

} // namespace

void DrawFramePattern(uint8_t* const planes[3], const int lineSizes[3], int width, int height, int index) {
    const TBand band = PatternBand(height);
    // A smooth gradient (cheap to code) with a small box that moves with the index.
    const int box = std::max(4, height / 8);
    const int boxLeft = (index * 5) % std::max(1, width - box);
    const int boxTop = height * 5 / 8;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = planes[0] + y * lineSizes[0];
        const bool inBand = y >= band.Top && y < band.Bottom;
        const bool inBoxRows = y >= boxTop && y < boxTop + box;
        for (int x = 0; x < width; ++x) {
            if (inBand) {
                const int cell = x * FramePatternBits / width;
                const bool set = (index >> (FramePatternBits - 1 - cell)) & 1;
                row[x] = set ? 235 : 16;
            } else if (inBoxRows && x >= boxLeft && x < boxLeft + box) {
                row[x] = 220;
            } else {
                row[x] = static_cast<uint8_t>(48 + x * 96 / width + y * 64 / height);
            }
        }
    }
    for (int y = 0; y < (height + 1) / 2; ++y) {
        uint8_t* u = planes[1] + y * lineSizes[1];
        uint8_t* v = planes[2] + y * lineSizes[2];
        const bool inBand = 2 * y + 1 >= band.Top && 2 * y < band.Bottom;
        for (int x = 0; x < (width + 1) / 2; ++x) {
            u[x] = inBand ? 128 : static_cast<uint8_t>(96 + 2 * x * 64 / width);
            v[x] = inBand ? 128 : static_cast<uint8_t>(96 + 2 * y * 64 / height);
        }
    }
}

int ReadFrameNumberFromLuma(int width, int height, const std::function<const uint8_t*(int row)>& lumaRow) {
    return ReadCells(width, height, [&](int x, int y) { return static_cast<int>(lumaRow(y)[x]); });
}

int ReadFrameNumberFromBGR(int width, int height, const std::function<const uint8_t*(int row)>& bgrRow) {
    return ReadCells(width, height, [&](int x, int y) {
        const uint8_t* p = bgrRow(y) + 3 * x;
        return (29 * p[0] + 150 * p[1] + 77 * p[2]) >> 8;
    });
}

} // namespace testmedia
