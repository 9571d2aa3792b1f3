#pragma once
#include <cstdint>
#include <vector>


// Capacity of a job's subtitle output buffer: one encoded subtitle.
constexpr int SubtitleOutputBufferSize = 1024 * 1024;

// A decoded subtitle's display times made relative to its own time stamp:
// the time stamp moves to where the display starts and the end becomes the
// display length. An end before the start gives a length of 0, never a wrap.
struct TSubtitleDisplayTimes {
    int64_t pts = 0;                    // µs
    uint32_t end_display_time = 0;      // ms after pts
};
TSubtitleDisplayTimes SubtitleDisplayTimes(int64_t APacketTime, uint32_t AStartDisplayTime,
                                           uint32_t AEndDisplayTime);

// The styled-text header that text subtitle encoders read their styles from,
// for inputs that bring none: one default style, no markup added to the text.
extern const char DefaultSubtitleHeader[];

// The subtitle output stage's state of a run (SubtitleOutput.cpp): the
// encoder's output buffer, this job's own so that concurrent jobs never share it.
struct TSubtitleOutState {
    std::vector<uint8_t> Buffer;
};
