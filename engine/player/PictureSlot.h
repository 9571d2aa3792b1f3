#pragma once
#include <cstdint>

#include "engine/loader/LibraryHeaders.h"
#include "engine/player/SubtitleBlend.h"
#include "engine/util/PictureLayout.h"

// A decoded picture waiting for its moment, kept as YUV 4:2:0 of even size.
struct TPictureSlot {
    double Pts = 0;            // seconds
    double TargetClock = 0;    // wall time in seconds at which it is due
    int64_t Pos = -1;          // byte position in the file
    int Width = 0, Height = 0;
    AVRational SampleAspect{0, 1};
    bool SubtitleBlended = false;  // a picture shown twice gets its subtitle once
    TPictureBuffer Buffer;  // laid out for the scaler's block-wise writes
    TYUVPicture Picture;    // the planes of Buffer

    void Allocate(int AWidth, int AHeight);
};
