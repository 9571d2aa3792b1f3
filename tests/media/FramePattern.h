#pragma once
#include <cstdint>
#include <functional>

namespace testmedia {

// Every generated video frame shows its own index, so that a test can tell
// from a decoded picture which frame it got: a band of black and white cells
// across the top spells the index in binary (most significant bit left), over
// a colour gradient that moves from frame to frame. The cells are large enough
// to survive lossy coding at the generator's quality.
constexpr int FramePatternBits = 8;
constexpr int FramePatternMaxIndex = (1 << FramePatternBits) - 1;

// Draws frame `index` into a planar YUV 4:2:0 picture.
void DrawFramePattern(uint8_t* const planes[3], const int lineSizes[3], int width, int height, int index);

// Reads the index back from a picture whose rows the callback returns;
// -1 when a cell is neither clearly dark nor clearly light.
int ReadFrameNumberFromLuma(int width, int height, const std::function<const uint8_t*(int row)>& lumaRow);
int ReadFrameNumberFromBGR(int width, int height, const std::function<const uint8_t*(int row)>& bgrRow);

} // namespace testmedia
