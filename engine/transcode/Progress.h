#pragma once
#include <array>
#include <cstdint>


// The durations a progress report delivers, never their sentinels: the
// current one is 0 until any output stream has a positive time, the total
// one is -1 when unknown or not positive, and the current one never passes a
// known total; so "current × 100 div total" neither divides by zero nor
// passes 100. ti1: the smallest positive output time in seconds, or any
// value ≤ 0 when there is none.
struct TProgressDurations {
    int64_t Current = 0;
    int64_t Total = -1;
};
TProgressDurations ProgressDurations(double ti1, int64_t total);

// Frames per second since the start: 0 until one second has passed.
int ProgressFPS(int frame_number, double seconds);

// The progress stage's state of a run (Progress.cpp): when the run started
// reporting and this job's quantiser histogram ("qphist").
struct TProgressState {
    int64_t TimerStart = 0;
    std::array<int, 52> QpHist{};
};
