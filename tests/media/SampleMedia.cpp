#include "tests/media/SampleMedia.h"

#include <filesystem>
#include <fstream>

#include "platform/core/Exception.h"

namespace testmedia {
namespace {

TVideoTrack SmallVideo(int frames, int gopSize) {
    TVideoTrack v;
    v.Frames = frames;
    v.GopSize = gopSize;
    return v;
}

// Beside video the tone ends a little earlier, so that the video's length
// (exact to the frame) is the length of the file whatever the audio coder pads.
TAudioTrack Tone(const std::string& codec, int hz, const std::string& language = {}, int samples = 22050) {
    TAudioTrack a;
    a.Samples = samples;
    a.Codec = codec;
    a.ToneHz = hz;
    a.Language = language;
    return a;
}

TMediaPlan VideoTwoAudioPlan() {
    TMediaPlan s;
    s.Video = {SmallVideo(25, 12)};
    s.Audio = {Tone("aac", 440, "eng", 19845), Tone("aac", 660, "chi", 19845)};
    s.Metadata = {{"title", "Generated clip"},   {"artist", "Test Maker"}, {"album", "Samples"},
                  {"comment", "two audio tracks"}, {"genre", "Test"},        {"copyright", "Nobody"},
                  {"date", "2021"},                {"track", "3"},           {"creation_time", "2021-03-04T05:06:07.000000Z"}};
    return s;
}

TMediaPlan TaggedMatroskaPlan() {
    TMediaPlan s;
    s.Video = {SmallVideo(25, 12)};
    s.Audio = {Tone("mp2", 440, "eng", 19845)};
    TSubtitleTrack subtitles;
    subtitles.Language = "chi";
    subtitles.Cues = {{100, 400, "First line"}, {500, 900, "Second line"}};
    s.Subtitles = {subtitles};
    s.Metadata = {{"title", "Tagged clip"}, {"TPE1", "Someone"}, {"TALB", "Collection"}};
    return s;
}

TMediaPlan H264BFramesPlan() {
    TMediaPlan s;
    TVideoTrack v = SmallVideo(50, 12);
    v.Codec = "libx264";
    v.MaxBFrames = 2;
    v.Quality = 23;
    // Fixed frame types keep the B-frames whatever the picture content.
    v.CodecOptions = {{"x264-params", "b-adapt=0:scenecut=0"}};
    s.Video = {v};
    return s;
}

TMediaPlan Mp3Plan() {
    TMediaPlan s;
    s.Audio = {Tone("libmp3lame", 440)};
    s.Metadata = {{"title", "Tone"}, {"artist", "Test Maker"}, {"album", "Samples"}};
    return s;
}

TMediaPlan WavPlan() {
    TMediaPlan s;
    s.Audio = {Tone("pcm_s16le", 440)};
    return s;
}

TMediaPlan SrtPlan() {
    TMediaPlan s;
    s.Format = "srt";
    TSubtitleTrack t;
    t.Cues = {{0, 1000, "One"}, {1500, 2500, "Two"}, {3000, 4000, "Three"}};
    s.Subtitles = {t};
    return s;
}

TMediaPlan RawElementaryPlan() {
    TMediaPlan s;
    s.Format = "m4v";
    s.Video = {SmallVideo(25, 12)};
    return s;
}

TMediaPlan ImageSequencePlan() {
    TMediaPlan s;
    s.Format = "image2";
    TVideoTrack v = SmallVideo(5, 1);
    v.Codec = "png";
    s.Video = {v};
    return s;
}

TMediaPlan AllIntraPlan() {
    TMediaPlan s;
    s.Video = {SmallVideo(50, 1)};
    return s;
}

TMediaPlan NonAsciiPlan() {
    TMediaPlan s;
    s.Video = {SmallVideo(25, 12)};
    s.Audio = {Tone("mp2", 440, {}, 19845)};
    return s;
}

TMediaPlan CutPlan() {
    TMediaPlan s;
    s.Video = {SmallVideo(25, 12)};
    s.Audio = {Tone("aac", 440)};
    return s;
}

TMediaPlan NegativeStartPlan() {
    TMediaPlan s;
    s.Video = {SmallVideo(25, 12)};
    s.Audio = {Tone("aac", 440, {}, 19845)};
    // The coder's priming samples come before time 0; the muxer is told not to shift them.
    s.MuxerOptions = {{"avoid_negative_ts", "disabled"}};
    return s;
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        throw EInOutError("cannot write " + path);
}

uint32_t BigEndian32(const unsigned char* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

} // namespace

std::vector<TSampleKind> AllSampleKinds() {
    return {TSampleKind::VideoTwoAudio, TSampleKind::TaggedMatroska, TSampleKind::H264BFrames,
            TSampleKind::Mp3Audio,      TSampleKind::WavAudio,       TSampleKind::SrtSubtitle,
            TSampleKind::RawElementary, TSampleKind::ImageSequence,  TSampleKind::AllIntra,
            TSampleKind::NonAsciiName,  TSampleKind::ZeroBytes,      TSampleKind::TextNamedAvi,
            TSampleKind::Mp4CutBeforeIndex, TSampleKind::NegativeStart};
}

const char* SampleKindName(TSampleKind kind) {
    switch (kind) {
    case TSampleKind::VideoTwoAudio: return "VideoTwoAudio";
    case TSampleKind::TaggedMatroska: return "TaggedMatroska";
    case TSampleKind::H264BFrames: return "H264BFrames";
    case TSampleKind::Mp3Audio: return "Mp3Audio";
    case TSampleKind::WavAudio: return "WavAudio";
    case TSampleKind::SrtSubtitle: return "SrtSubtitle";
    case TSampleKind::RawElementary: return "RawElementary";
    case TSampleKind::ImageSequence: return "ImageSequence";
    case TSampleKind::AllIntra: return "AllIntra";
    case TSampleKind::NonAsciiName: return "NonAsciiName";
    case TSampleKind::ZeroBytes: return "ZeroBytes";
    case TSampleKind::TextNamedAvi: return "TextNamedAvi";
    case TSampleKind::Mp4CutBeforeIndex: return "Mp4CutBeforeIndex";
    case TSampleKind::NegativeStart: return "NegativeStart";
    }
    return "?";
}

TSample MakeSample(const std::string& folder, TSampleKind kind) {
    TSample sample{kind, {}, {}};
    auto generate = [&](const std::string& name, TMediaPlan plan) {
        sample.Path = folder + "/" + name;
        sample.Plan = std::move(plan);
        WriteMediaFile(sample.Path, sample.Plan);
    };
    switch (kind) {
    case TSampleKind::VideoTwoAudio: generate("two_audio.mp4", VideoTwoAudioPlan()); break;
    case TSampleKind::TaggedMatroska: generate("tagged.mkv", TaggedMatroskaPlan()); break;
    case TSampleKind::H264BFrames: generate("bframes.mp4", H264BFramesPlan()); break;
    case TSampleKind::Mp3Audio: generate("tone.mp3", Mp3Plan()); break;
    case TSampleKind::WavAudio: generate("tone.wav", WavPlan()); break;
    case TSampleKind::SrtSubtitle: generate("subtitles.srt", SrtPlan()); break;
    case TSampleKind::RawElementary: generate("raw.m4v", RawElementaryPlan()); break;
    case TSampleKind::ImageSequence: generate("frame%03d.png", ImageSequencePlan()); break;
    case TSampleKind::AllIntra: generate("intra.mp4", AllIntraPlan()); break;
    case TSampleKind::NonAsciiName: generate("测试 视频.avi", NonAsciiPlan()); break;
    case TSampleKind::NegativeStart: generate("negative_start.mkv", NegativeStartPlan()); break;
    case TSampleKind::ZeroBytes:
        sample.Path = folder + "/empty.mp4";
        sample.Broken = true;
        WriteText(sample.Path, "");
        break;
    case TSampleKind::TextNamedAvi:
        sample.Path = folder + "/notes.avi";
        sample.Broken = true;
        WriteText(sample.Path, "These are notes in plain text,\nnot a video at all.\n");
        break;
    case TSampleKind::Mp4CutBeforeIndex: {
        generate("cut.mp4", CutPlan());
        const int64_t index = FindMp4Box(sample.Path, "moov");
        if (index <= FindMp4Box(sample.Path, "mdat"))
            throw Exception("the index of " + sample.Path + " is not behind the media data");
        TruncateFile(sample.Path, index);
        sample.Plan = {};
        sample.Broken = true;
        break;
    }
    }
    return sample;
}

void TruncateFile(const std::string& path, int64_t size) {
    std::error_code error;
    std::filesystem::resize_file(path, uint64_t(size), error);
    if (error)
        throw EInOutError("cannot truncate " + path + ": " + error.message());
}

int64_t FileSize(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? -1 : int64_t(size);
}

int64_t FindMp4Box(const std::string& path, const std::string& type) {
    std::ifstream in(path, std::ios::binary);
    const int64_t end = FileSize(path);
    int64_t at = 0;
    unsigned char head[16];
    while (in && at + 8 <= end) {
        in.seekg(at);
        if (!in.read(reinterpret_cast<char*>(head), 8))
            break;
        uint64_t size = BigEndian32(head);
        if (std::string(reinterpret_cast<char*>(head) + 4, 4) == type)
            return at;
        if (size == 1) { // a 64-bit size follows the type
            if (!in.read(reinterpret_cast<char*>(head + 8), 8))
                break;
            size = uint64_t(BigEndian32(head + 8)) << 32 | BigEndian32(head + 12);
        } else if (size == 0) {
            break; // the box runs to the end of the file
        }
        if (size < 8)
            break;
        at += int64_t(size);
    }
    return -1;
}

} // namespace testmedia
