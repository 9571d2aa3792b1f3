#pragma once
#include <cstdint>

#include "engine/loader/LibraryHeaders.h"
#include "engine/transcode/RunBuffers.h"

// Volume: 256 leaves the samples as they are, 512 doubles them. Integer
// samples become (v × volume + 128) >> 8 clamped to their range, as 16-bit
// samples always did; float samples get the same factor, clamped to -1..1.
// Works on every sample format, packed or planar.
void ApplyVolume(uint8_t* const* data, int nb_samples, int channels, AVSampleFormat format, int volume);

// What the audio sync does with a drift of delta samples (positive: the output
// lags the input).
enum TAudioSyncAction { asNone, asHardCorrection, asCompensation };
TAudioSyncAction AudioSyncAction(double delta, bool is_start, float drift_threshold, int sample_rate, int method);
// The gradual correction: the drift in whole samples, at most ±method.
int AudioCompensation(double delta, int method);

// The audio output stage's state of a run (AudioOutput.cpp): the resampler's
// output of one block and one encoder frame read from a stream's FIFO (the
// resamplers and FIFOs themselves belong to their output streams).
struct TAudioOutState {
    TOwnedFrame EncoderFrame;
    TOwnedFrame Converted;
};
