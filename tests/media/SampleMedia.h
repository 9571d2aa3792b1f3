#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tests/media/MediaWriter.h"

namespace testmedia {

// The shared set of generated test files. Every kind is small (well under
// 200 KB) and quick to make; video frames show their index (FramePattern.h).
enum class TSampleKind {
    VideoTwoAudio,      // "two_audio.mp4": MPEG-4 video, two AAC streams with languages, container metadata
    TaggedMatroska,     // "tagged.mkv": video, audio and a subtitle stream; tag names kept as written
    H264BFrames,        // "bframes.mp4": H.264 with B-frames (display order differs from decoding order)
    Mp3Audio,           // "tone.mp3": audio only, with ID3 tags
    WavAudio,           // "tone.wav": audio only, PCM
    SrtSubtitle,        // "subtitles.srt": a text subtitle file
    RawElementary,      // "raw.m4v": an MPEG-4 elementary stream, no container, no known duration
    ImageSequence,      // "frame%03d.png": numbered pictures, opened by the pattern
    AllIntra,           // "intra.mp4": every frame a key frame, for exact seeking
    NonAsciiName,       // "测试 视频.avi": video and audio behind a Chinese name with a blank
    ZeroBytes,          // "empty.mp4": an empty file
    TextNamedAvi,       // "notes.avi": plain text with a video name
    Mp4CutBeforeIndex,  // "cut.mp4": an MP4 whose index (written last) was cut off
    NegativeStart,      // "negative_start.mkv": the audio coder's delay kept, so audio and file start before 0
};

std::vector<TSampleKind> AllSampleKinds();
// A short name for test messages, e.g. "VideoTwoAudio".
const char* SampleKindName(TSampleKind kind);

struct TSample {
    TSampleKind Kind;
    std::string Path;       // what to open: the file, or the name pattern of the image sequence
    TMediaPlan Plan;        // what was encoded into it; no tracks for the broken kinds
    bool Broken = false;    // the file is not valid media
};

// Generates one kind into the folder.
TSample MakeSample(const std::string& folder, TSampleKind kind);

// Helpers for making further broken files from generated ones.
void TruncateFile(const std::string& path, int64_t size);
int64_t FileSize(const std::string& path);
// Byte offset of the first top-level box of an MP4 file with the given type
// ("moov", "mdat"), -1 when there is none.
int64_t FindMp4Box(const std::string& path, const std::string& type);

} // namespace testmedia
