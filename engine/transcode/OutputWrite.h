#pragma once
#include <array>
#include <cstdint>
#include <unordered_map>

#include "engine/transcode/RunBuffers.h"

// What the run keeps per library stream of an output: in join mode the groups
// share their streams, so they share these figures too.
struct TOutputClock {
    double time = 0.0;       // end of what was written so far, seconds
    int64_t end_dts = AV_NOPTS_VALUE;   // dts + duration of the last packet written, stream time base
    int64_t next_pts = AV_NOPTS_VALUE;  // audio: the next frame's time stamp, encoder time base
    float quality = -1.0f;   // quantiser of the last encoded video packet
    int pict_type = 0;       // its picture type
    std::array<int64_t, 3> error{};  // its per-plane error sums (encoders reporting PSNR)
    bool drained = false;    // the encoder has been asked for its last packets
};

// The encode-and-mux stage of a run (OutputWrite.cpp): frames to the
// encoders, their packets through the bit-stream filters into the muxers.
// Its state: the packet the encoders fill, each output stream's clock and the
// bytes written per kind for the final report.
struct TMuxState {
    TOwnedPacket Packet;
    std::unordered_map<const AVStream*, TOutputClock> Clocks;
    int64_t VideoBytes = 0;
    int64_t AudioBytes = 0;
};
