#pragma once
#include <cstdint>
#include <vector>

#include "engine/loader/LibraryHeaders.h"
#include "engine/player/SubtitleBlend.h"

// A decoded picture waiting for its moment, kept as YUV 4:2:0 of even size.
struct TPictureSlot {
    double Pts = 0;            // seconds
    double TargetClock = 0;    // wall time in seconds at which it is due
    int64_t Pos = -1;          // byte position in the file
    int Width = 0, Height = 0;
    AVRational SampleAspect{0, 1};
    bool SubtitleBlended = false;  // a picture shown twice gets its subtitle once
    std::vector<uint8_t> Buffer;
    TYUVPicture Picture;

    void Allocate(int AWidth, int AHeight);
};
