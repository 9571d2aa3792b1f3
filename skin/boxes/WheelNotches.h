#pragma once
#include <cstdlib>

// Wheel deltas gathered into whole notches of 120, so that a touchpad's
// small deltas step once per notch as a wheel's clicks do. Answers the
// signed count of whole notches now complete (positive: away from the user).
inline int TakeWheelNotches(int& Pending, int Delta)
{
    constexpr int Notch = 120;
    if ((Pending > 0 && Delta < 0) || (Pending < 0 && Delta > 0))
        Pending = 0;  // a turn the other way starts afresh
    Pending += Delta;
    const int notches = Pending / Notch;
    Pending -= notches * Notch;
    return notches;
}
