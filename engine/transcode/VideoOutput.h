#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/loader/LibraryHeaders.h"
#include "engine/transcode/RunBuffers.h"

// How many output frames one picture becomes. sync_ipts is the input clock
// and sync_opts the output clock, both in encoder frames; the call may move
// sync_opts (method 0 follows the input, the variable-rate method jumps
// forward instead of duplicating). Method -1 acts as 2 for containers with a
// variable frame rate, else as 1. Rounding is to nearest, ties to even.
int VideoSyncFrames(int method, bool variable_rate_container, double sync_ipts, int64_t& sync_opts);

// A crop margin rescaled to a new frame size: margin × size div original,
// rounded down to even; the margin stays when the original size is unknown.
int RescaleMargin(int margin, int size, int original);

// What one line of the video statistics file tells of an encoded picture.
struct TVStatsFigures {
    int FrameNumber = 0;       // pictures output so far
    float Quality = 0;         // quantiser of the coded picture
    bool ShowPSNR = false;     // the encoder reports its error
    int64_t Error = 0;         // the coded picture's luma error sum
    int Width = 0, Height = 0;
    int FrameSize = 0;         // bytes of the coded picture
    int64_t VideoSize = 0;     // bytes of video so far
    int64_t SyncOpts = 0;      // the output clock, in time-base units
    AVRational TimeBase{1, 25};
    char PictureType = '?';
};
// The line, ended by a line feed: frame, quantiser, PSNR when shown, sizes,
// time (at least 0.01 s), the picture's bit rate and the average one.
std::string VStatsLine(const TVStatsFigures& AFigures);

// The video output stage's state of a run (VideoOutput.cpp): a view of the
// decoded picture without its margins, the statistics file ("vstats") and the
// counts of pictures doubled or dropped for the frame-rate sync.
struct TVideoOutState {
    TOwnedFrame Cropped;
    FILE* VStatsFile = nullptr;  // owned; closed with the state
    int FramesDup = 0;
    int FramesDrop = 0;
    bool ShowDupOrDrop = false;
    TVideoOutState() = default;
    ~TVideoOutState();
    TVideoOutState(const TVideoOutState&) = delete;
    TVideoOutState& operator=(const TVideoOutState&) = delete;
};
