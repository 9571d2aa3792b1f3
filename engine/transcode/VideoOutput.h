#pragma once
#include <cstdint>

// How many output frames one picture becomes. sync_ipts is the input clock
// and sync_opts the output clock, both in encoder frames; the call may move
// sync_opts (method 0 follows the input, the variable-rate method jumps
// forward instead of duplicating). Method -1 acts as 2 for containers with a
// variable frame rate, else as 1. Rounding is to nearest, ties to even.
int VideoSyncFrames(int method, bool variable_rate_container, double sync_ipts, int64_t& sync_opts);

// A crop margin rescaled to a new frame size: margin × size div original,
// rounded down to even; the margin stays when the original size is unknown.
int RescaleMargin(int margin, int size, int original);
