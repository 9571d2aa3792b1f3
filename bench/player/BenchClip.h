#pragma once
#include <string>

namespace playerbench {

constexpr int ClipFrames = 50, ClipRate = 25;

// A 1080p H.264 clip of ClipFrames pictures at ClipRate, written once per
// program run into a temporary folder and shared by every benchmark.
const std::string& Clip();

}  // namespace playerbench
