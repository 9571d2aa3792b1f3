#pragma once
#include <cstdint>
#include <string>

#include "engine/loader/LibraryHeaders.h"
#include "engine/util/MiscUtils.h"
#include "engine/util/Picture.h"

// What the probe reports of a file. A record that could not be filled (no
// file, a bad index, a stream of another kind) holds empty texts and -1 in
// every number.

// The container: times in microseconds.
struct TFileStreamInfo {
    int64_t StartTime = -1;     // -1 when unknown
    int64_t Duration = -1;      // -1 when unknown
    int32_t BitRate = -1;       // bits per second; 0 when the library does not know it
    int64_t TimeStamp = -1;     // seconds since 1970-01-01 UTC of the "creation_time" metadata; 0 when none
    int32_t Year = -1;          // 0 when none
    int32_t Track = -1;         // 0 when none
    std::string Title, Author, Copyright, Comment, Album, Genre;
};

// Stream times are kept in the stream's own time base (the library's no-time
// value when unknown) and rescaled to microseconds (-1 when unknown).
struct TAudioStreamInfo {
    std::string Language;
    std::string CodecName;
    int64_t StartTime = -1;
    int64_t StartTimeScaled = -1;
    int64_t Duration = -1;
    int64_t DurationScaled = -1;
    int32_t BitRate = -1;
    int32_t Channels = -1;
    int32_t SampleRate = -1;
    int32_t SampleFormat = -1;  // the library's sample format number
};

struct TVideoStreamInfo {
    std::string Language;
    std::string CodecName;
    int64_t StartTime = -1;
    int64_t StartTimeScaled = -1;
    int64_t Duration = -1;
    int64_t DurationScaled = -1;
    int32_t BitRate = -1;
    int32_t Height = -1;
    int32_t Width = -1;
    // width × sample aspect ratio / height; 0 for an unknown ratio (0/1), -1.0
    // when it cannot be computed (no ratio denominator or no height).
    float AspectRatio = -1.0f;
    int32_t PixFmt = -1;        // the library's pixel format number
    AVRational FrameRate{-1, -1};  // the stream's real base frame rate
};

struct TSubtitleStreamInfo {
    std::string Language;
    std::string CodecName;
};

// A decoded picture of the probe.
struct TFrameInfo {
    int32_t PixFmt = -1;
    int32_t Width = -1;
    int32_t Height = -1;
    bool IsKeyFrame = false;
    TPictureType PictureType = ptUnknown;
    // Presentation time in microseconds from the stream's start; the no-time value when unknown.
    int64_t PTS = AV_NOPTS_VALUE;
    // The frame's packet time stamps in the stream's time base.
    int64_t OriginalDTS = AV_NOPTS_VALUE;
    int64_t OriginalPTS = AV_NOPTS_VALUE;
    int32_t StreamIndex = -1;
    int64_t Position = -1;      // byte position of the frame's packet; -1 when unknown or no frame
    bool Ready = false;         // a picture is held
    TAVPicture Picture;         // describes Buffer: plane pointers and line sizes
    uint8_t* Buffer = nullptr;  // owned by the probe (library allocator)
    int Size = 0;               // bytes allocated in Buffer; grows, never shrinks
};
