#pragma once

// One preset's encoding parameters, a row of data in the parameter table.

inline constexpr int AutoBitrate = -1000;   // the engine picks the bit rate
inline constexpr int UnsetBitrate = -1;     // the reset value: nothing chosen

struct TPresetParameters {
    const char* NameExt;          // extension of the output name, the format title's
    const char* FileExt;          // container extension kept for the job row; "" leaves it empty
    const char* VideoCodec;
    const char* VideoTag;
    const char* FrameSize;        // "W*H"; "" keeps the source size
    const char* FrameRate;        // "" keeps the source rate
    int VideoBitrate;             // bit/s, AutoBitrate or UnsetBitrate
    const char* AudioCodec;
    const char* AudioSampleRate;
    int AudioBitrate;             // bit/s, AutoBitrate or UnsetBitrate
    const char* AudioChannels;
    const char* FrameAspectRatio;
    const char* TargetType;       // "dvd", "svcd", "vcd" or ""
    const char* NormType;         // "PAL", "NTSC" or ""
    bool AudioOnly;
};
