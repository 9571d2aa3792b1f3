#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testmedia {

using TTextPairs = std::vector<std::pair<std::string, std::string>>;

// A video track of frames drawn with DrawFramePattern, frame i showing i.
struct TVideoTrack {
    std::string Codec = "mpeg4";          // encoder name
    int Width = 160;
    int Height = 120;
    int RateNum = 25, RateDen = 1;        // frames per second
    int Frames = 25;
    int GopSize = 12;                     // 1 makes every frame a key frame
    int MaxBFrames = 0;
    int Quality = 5;                      // quantiser of the MPEG encoders, crf of libx264
    std::string Language;                 // stream "language" metadata, empty for none
    TTextPairs CodecOptions;              // private options of the encoder
    std::string PixelFormat;              // stored pixel format ("yuv420p10le"); empty: 8-bit 4:2:0
    int Rotation = 0;                     // display matrix turning the picture by so many degrees; 0: none

    int64_t DurationUS() const { return int64_t(Frames) * 1000000 * RateDen / RateNum; }
};

// A sine tone.
struct TAudioTrack {
    std::string Codec = "aac";
    int SampleRate = 22050;
    int Channels = 1;
    int Samples = 22050;                  // length of the tone
    int ToneHz = 440;
    int BitRate = 32000;
    std::string Language;

    int64_t DurationUS() const { return int64_t(Samples) * 1000000 / SampleRate; }
};

struct TSubtitleCue {
    int64_t StartMS, EndMS;
    std::string Text;
};

// Text subtitles.
struct TSubtitleTrack {
    std::string Codec = "subrip";
    std::string Language;
    std::vector<TSubtitleCue> Cues;

    int64_t DurationUS() const { return Cues.empty() ? 0 : Cues.back().EndMS * 1000; }
};

// One file to generate. Streams are written in the order video, audio,
// subtitles, so stream indexes follow that order.
struct TMediaPlan {
    std::string Format;                   // muxer name; empty: chosen by the file name
    std::vector<TVideoTrack> Video;
    std::vector<TAudioTrack> Audio;
    std::vector<TSubtitleTrack> Subtitles;
    TTextPairs Metadata;                  // container metadata
    TTextPairs MuxerOptions;

    int StreamCount() const { return int(Video.size() + Audio.size() + Subtitles.size()); }
    // The length of the longest track.
    int64_t DurationUS() const;
};

// Encodes and writes the file; throws Exception with the library's reason on failure.
void WriteMediaFile(const std::string& path, const TMediaPlan& plan);

} // namespace testmedia
