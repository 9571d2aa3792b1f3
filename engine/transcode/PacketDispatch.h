#pragma once
#include "engine/transcode/RunBuffers.h"

// The decode stage of a run (PacketDispatch.cpp): packets of the inputs to
// decoded frames, the input clocks, and the hand-over of each decoded unit to
// the output paths fed from its stream (or the packet itself for a copy).
// Its state: the frame every decoder of the run decodes into.
struct TDecodeState {
    TOwnedFrame Frame;  // the decoder's frame of the current pass
};
